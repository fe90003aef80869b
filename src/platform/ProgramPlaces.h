// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Linux only: where the desktop finds the programs it starts, Flatpak applications included.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

class ProgramPlaces {
public:
    // `folders` are searched in their order for a program named without a folder;
    // `flatpakInstallations` hold the installed Flatpak applications in their `app` folders.
    ProgramPlaces(QStringList folders, QStringList flatpakInstallations);

    // This session's: the folders of PATH, then those a login shell adds that PATH lacks (the
    // user's ~/bin and ~/.local/bin, then Debian's /usr/local/bin to /usr/games), since the desktop
    // session was started by one; the user's Flatpak installation, then the system's.
    static ProgramPlaces ofThisSession();

    const QStringList& folders() const { return m_folders; }
    const QStringList& flatpakInstallations() const { return m_flatpakInstallations; }

    // The absolute path of `program`, a name looked up in the folders or an absolute path, when it
    // is an executable file; empty when not.
    QString programPath(const QString& program) const;

    // What `words` (a program and its arguments) start, when it is found: the program's absolute
    // path, followed for `flatpak run` by a blank and the application's ID, which must be
    // installed; empty when not found.
    QString startedProgram(const QStringList& words) const;

private:
    QStringList m_folders;
    QStringList m_flatpakInstallations;
};

} // namespace platform
