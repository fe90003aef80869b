// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The applications of this desktop and the MIME types they open, read once from their desktop
// entries and mimeapps.list files, for questions that must not wait on gio.
#include "freedesktop/TypeOpeners.h"

#include "freedesktop/DesktopMimeApps.h"

#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QStandardPaths>

namespace registry {

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The keys of the [Desktop Entry] group; the first line of a key counts.
QHash<QByteArray, QString> entryKeys(const QByteArray& text)
{
    QHash<QByteArray, QString> keys;
    bool inEntry = false;
    for (const QByteArray& line : text.split('\n')) {
        if (line.startsWith('['))
            inEntry = line.trimmed() == "[Desktop Entry]";
        const qsizetype equals = line.indexOf('=');
        if (!inEntry || line.startsWith('#') || equals < 0)
            continue;
        const QByteArray key = line.left(equals).trimmed();
        if (!keys.contains(key))
            keys.insert(key, QString::fromUtf8(line.mid(equals + 1).trimmed()));
    }
    return keys;
}

} // namespace

TypeOpeners TypeOpeners::read()
{
    TypeOpeners applications;
    QSet<QString> seen;
    for (const QString& config : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        applications.m_mimeApps << readAll(config + QStringLiteral("/mimeapps.list"));
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString folder = data + QStringLiteral("/applications/");
        applications.m_mimeApps << readAll(folder + QStringLiteral("mimeapps.list"));
        QDirIterator entries(folder, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        while (entries.hasNext()) {
            const QString path = entries.next();
            const QString id = path.mid(folder.size()).replace(u'/', u'-');
            // An ID in a folder that comes first hides this one, even a deleted (Hidden) one.
            if (seen.contains(id))
                continue;
            seen.insert(id);
            const QHash<QByteArray, QString> keys = entryKeys(readAll(path));
            if (keys.value("Type") != QLatin1String("Application") || keys.value("Hidden") == QLatin1String("true"))
                continue;
            applications.m_byId.insert(id, {id, keys.value("Name"), keys.value("Name[fr]", keys.value("Name"))});
            for (const QString& type : keys.value("MimeType").split(u';', Qt::SkipEmptyParts)) {
                if (!applications.m_firstByType.contains(type))
                    applications.m_firstByType.insert(type, id);
            }
        }
    }
    return applications;
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
