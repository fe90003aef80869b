// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The applications installed on this desktop, as their desktop entries describe them.
#include "freedesktop/DesktopApplications.h"

#include "freedesktop/DesktopEntry.h"
#include "freedesktop/DesktopNames.h"
#include "freedesktop/ExecCommand.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>

namespace registry {
namespace {

QStringList applicationFolders()
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

// The keys of the [Desktop Entry] group, with the string escapes of the one-word values undone.
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
        if (inEntry && equals > 0 && !keys.contains(key))
            keys.insert(key, line.mid(equals + 1).trimmed());
    }
    return keys;
}

std::optional<DesktopApplication> applicationOf(const QHash<QString, QString>& keys, const QString& desktopId,
                                                const platform::ProgramPlaces& places)
{
    const QStringList mimeTypes = keys.value(QStringLiteral("MimeType")).split(u';', Qt::SkipEmptyParts);
    const bool ours = !mimeTypes.isEmpty() && std::all_of(mimeTypes.cbegin(), mimeTypes.cend(), DesktopNames::isOurType);
    const QString tryExec = keys.value(QStringLiteral("TryExec"));
    if (keys.value(QStringLiteral("Type")) != QLatin1String("Application") || keys.value(QStringLiteral("Hidden")) == QLatin1String("true")
        || ours || (!tryExec.isEmpty() && places.programPath(tryExec).isEmpty()))
        return std::nullopt;
    return DesktopApplication {desktopId, DesktopEntry::unescaped(keys.value(QStringLiteral("Name"))),
                               DesktopEntry::unescaped(keys.value(QStringLiteral("Icon"))),
                               keys.value(QStringLiteral("Exec")), mimeTypes};
}

} // namespace

QList<DesktopApplication> DesktopApplications::installed(const platform::ProgramPlaces& places)
{
    QList<DesktopApplication> applications;
    QSet<QString> seen;
    for (const QString& folder : applicationFolders()) {
        QStringList paths;
        for (QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            paths << it.next();
        paths.sort();
        for (const QString& path : paths) {
            const QString desktopId = path.mid(folder.size() + 1).replace(u'/', u'-');
            if (seen.contains(desktopId))
                continue;
            seen.insert(desktopId);
            if (const std::optional<DesktopApplication> application = applicationOf(entryKeys(path), desktopId, places))
                applications << *application;
        }
    }
    return applications;
}

QString DesktopApplications::iconOf(const QList<DesktopApplication>& applications, const QStringList& words,
                                    const platform::ProgramPlaces& places)
{
    const QString program = places.startedProgram(words);
    for (const DesktopApplication& application : applications) {
        const QStringList execWords = ExecCommand::arguments(application.exec).value_or(QStringList());
        if (!program.isEmpty() && !application.icon.isEmpty() && places.startedProgram(execWords) == program)
            return application.icon;
    }
    return {};
}

} // namespace registry
