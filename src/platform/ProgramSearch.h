// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the program a command line starts can be found the way the system would start it.
#pragma once

#include <QString>

namespace platform {

// `commandLine` is a command as the hive stores it (`fceux "%1"`, `"C:\Emul\nestopia.exe" "%1"`,
// `flatpak run org.example.Emu "%1"`): its first word, quoted or not, names the program.
bool commandProgramIsFound(const QString& commandLine);

}
