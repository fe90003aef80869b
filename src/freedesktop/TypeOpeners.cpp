// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The applications of this desktop and the MIME types they open, read once from their desktop
// entries and mimeapps.list files, for questions that must not wait on gio.
#include "freedesktop/TypeOpeners.h"

#include "freedesktop/DesktopApplications.h"
#include "freedesktop/DesktopMimeApps.h"

#include <QFile>
#include <QStandardPaths>

namespace registry {

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TypeOpeners TypeOpeners::read()
{
    TypeOpeners openers;
    for (const QString& config : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        openers.m_mimeApps << readAll(config + QStringLiteral("/mimeapps.list"));
    for (const QString& folder : DesktopApplications::folders())
        openers.m_mimeApps << readAll(folder + QStringLiteral("/mimeapps.list"));
    // Unlike the applications the command line offers, one whose TryExec is missing still counts.
    const DesktopApplications applications = DesktopApplications::read();
    for (const DesktopApplications::Entry& entry : applications.entries()) {
        if (!DesktopApplications::isApplication(entry))
            continue;
        const QString name = entry.keys.value(QStringLiteral("Name"));
        openers.m_byId.insert(entry.desktopId, {entry.desktopId, name, entry.keys.value(QStringLiteral("Name[fr]"), name)});
        for (const QString& type : entry.keys.value(QStringLiteral("MimeType")).split(u';', Qt::SkipEmptyParts)) {
            if (!openers.m_firstByType.contains(type))
                openers.m_firstByType.insert(type, entry.desktopId);
        }
    }
    return openers;
}
std::optional<TypeOpeners::Application> TypeOpeners::opening(const QString& mimeType) const
{
    for (const QByteArray& mimeApps : m_mimeApps) {
        const QString id = DesktopMimeApps::defaultOf(mimeApps, mimeType);
        if (m_byId.contains(id))
            return m_byId.value(id);
    }
    if (!m_firstByType.contains(mimeType))
        return std::nullopt;
    return m_byId.value(m_firstByType.value(mimeType));
}

} // namespace registry
