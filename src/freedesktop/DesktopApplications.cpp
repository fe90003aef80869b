// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The applications installed on this desktop, as their desktop entries describe them.
#include "freedesktop/DesktopApplications.h"

#include "freedesktop/DesktopEntry.h"
#include "freedesktop/ExecCommand.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <algorithm>

namespace registry {
namespace {

// The keys of the [Desktop Entry] group; the first line of a key counts. Only that group counts:
// an action's group has a Name and an Exec of its own.
QHash<QString, QString> entryKeys(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QHash<QString, QString> keys;
    bool inEntry = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(u'['))
            inEntry = line.trimmed() == QLatin1String("[Desktop Entry]");
        const qsizetype equals = line.indexOf(u'=');
        const QString key = line.left(equals).trimmed();
        if (inEntry && equals > 0 && !line.startsWith(u'#') && !keys.contains(key))
            keys.insert(key, line.mid(equals + 1).trimmed());
    }
    return keys;
}

bool isOurs(const QStringList& mimeTypes)
{
    return !mimeTypes.isEmpty() && std::all_of(mimeTypes.cbegin(), mimeTypes.cend(), DesktopNames::isOurType);
}

} // namespace

QStringList DesktopApplications::folders()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty())
        dataDirs = QStringLiteral("/usr/local/share:/usr/share");
    QStringList folders;
    for (const QString& folder : QStringList(dataHome) + dataDirs.split(u':', Qt::SkipEmptyParts))
        folders << QDir::cleanPath(folder) + QStringLiteral("/applications");
    return folders;
}

DesktopApplications DesktopApplications::read()
{
    DesktopApplications applications;
    QSet<QString> seen;
    for (const QString& folder : folders()) {
        QStringList paths;
        for (QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            paths << it.next();
        paths.sort();
        for (const QString& path : paths) {
            const QString desktopId = path.mid(folder.size() + 1).replace(u'/', u'-');
            if (!seen.contains(desktopId))
                applications.m_entries << Entry {desktopId, entryKeys(path)};
            seen.insert(desktopId);
        }
    }
    return applications;
}

bool DesktopApplications::isApplication(const Entry& entry)
{
    return entry.keys.value(QStringLiteral("Type")) == QLatin1String("Application")
        && entry.keys.value(QStringLiteral("Hidden")) != QLatin1String("true");
}

QList<DesktopApplication> DesktopApplications::installed(const platform::ProgramPlaces& places) const
{
    QList<DesktopApplication> applications;
    for (const Entry& entry : m_entries) {
        const QStringList mimeTypes = entry.keys.value(QStringLiteral("MimeType")).split(u';', Qt::SkipEmptyParts);
        const QString tryExec = entry.keys.value(QStringLiteral("TryExec"));
        if (!isApplication(entry) || isOurs(mimeTypes) || (!tryExec.isEmpty() && places.programPath(tryExec).isEmpty()))
            continue;
        applications << DesktopApplication {entry.desktopId, DesktopEntry::unescaped(entry.keys.value(QStringLiteral("Name"))),
                                            DesktopEntry::unescaped(entry.keys.value(QStringLiteral("Icon"))),
                                            entry.keys.value(QStringLiteral("Exec")), mimeTypes};
    }
    return applications;
}

DesktopNames::Title DesktopApplications::titleOf(const QString& desktopId) const
{
    const auto entry = std::find_if(m_entries.cbegin(), m_entries.cend(),
                                    [&](const Entry& e) { return e.desktopId == desktopId; });
    const QHash<QString, QString> keys = entry == m_entries.cend() ? QHash<QString, QString>() : entry->keys;
    const QString name = keys.value(QStringLiteral("Name"));
    const QString english = name.isEmpty() ? desktopId : name;
    const QString french = keys.value(QStringLiteral("Name[fr]"));
    return {english, french.isEmpty() ? english : french};
}

QHash<QString, QString> DesktopApplications::iconsByProgram(const QList<DesktopApplication>& applications,
                                                             const platform::ProgramPlaces& places)
{
    QHash<QString, QString> icons;
    for (const DesktopApplication& application : applications) {
        if (application.icon.isEmpty())
            continue;
        const QString program = places.startedProgram(ExecCommand::arguments(application.exec).value_or(QStringList()));
        if (!program.isEmpty() && !icons.contains(program))
            icons.insert(program, application.icon);
    }
    return icons;
}

} // namespace registry
