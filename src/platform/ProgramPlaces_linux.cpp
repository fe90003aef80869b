// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Linux only: where the desktop finds the programs it starts, Flatpak applications included.
#include "platform/ProgramPlaces.h"

#include "platform/CommandProgram.h"

#include <QDir>
#include <QFileInfo>

namespace platform {
namespace {

// A variable's folder when it is set to an absolute one, else `fallback`.
QString folderOf(const char* variable, const QString& fallback)
{
    const QString folder = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(folder) ? folder : fallback;
}

} // namespace

ProgramPlaces::ProgramPlaces(QStringList folders, QStringList flatpakInstallations)
    : m_folders(std::move(folders))
    , m_flatpakInstallations(std::move(flatpakInstallations))
{
}

ProgramPlaces ProgramPlaces::ofThisSession()
{
    QStringList folders;
    // An empty or relative entry of PATH means the current folder, which a desktop's is not.
    for (const QString& folder : qEnvironmentVariable("PATH").split(u':')) {
        if (QDir::isAbsolutePath(folder))
            folders << QDir::cleanPath(folder);
    }
    const QString home = QDir::homePath();
    for (const QString& folder : {home + QStringLiteral("/bin"), home + QStringLiteral("/.local/bin"),
                                  QStringLiteral("/usr/local/bin"), QStringLiteral("/usr/bin"), QStringLiteral("/bin"),
                                  QStringLiteral("/usr/local/games"), QStringLiteral("/usr/games")}) {
        if (!folders.contains(folder))
            folders << folder;
    }
    // Where flatpak itself puts them, which the same variables move.
    const QString dataHome = folderOf("XDG_DATA_HOME", home + QStringLiteral("/.local/share"));
    return ProgramPlaces(folders, {folderOf("FLATPAK_USER_DIR", dataHome + QStringLiteral("/flatpak")),
                                   folderOf("FLATPAK_SYSTEM_DIR", QStringLiteral("/var/lib/flatpak"))});
}

QString ProgramPlaces::programPath(const QString& program) const
{
    const auto executable = [](const QString& path) {
        const QFileInfo file(path);
        return file.isFile() && file.isExecutable();
    };
    if (program.contains(u'/'))
        return QDir::isAbsolutePath(program) && executable(program) ? QDir::cleanPath(program) : QString();
    for (const QString& folder : m_folders) {
        const QString path = folder + u'/' + program;
        if (!program.isEmpty() && executable(path))
            return path;
    }
    return {};
}

QString ProgramPlaces::startedProgram(const QStringList& words) const
{
    const QString path = programPath(words.value(0));
    const QString application = flatpakApplication(words);
    if (path.isEmpty() || application.isEmpty())
        return path;
    for (const QString& installation : m_flatpakInstallations) {
        if (QFileInfo(installation + QStringLiteral("/app/") + application).isDir())
            return path + u' ' + application;
    }
    return {};
}

} // namespace platform
