// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program a command line of the classes root starts, read from its words.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The words of `commandLine` as far as finding its program needs them: the first, quoted or not
// (`"/opt/My Emu/emu" "%1"`), then the others as blanks part them.
QStringList commandWords(const QString& commandLine);

// The Flatpak application `words` start when they are `flatpak run [OPTION...] ID ...`, whatever
// folder names flatpak; empty when they are not.
QString flatpakApplication(const QStringList& words);

// The name the user knows the program of `commandLine` by: the application's ID for
// `flatpak run ID`, else the program as written.
QString commandProgramName(const QString& commandLine);

} // namespace platform
