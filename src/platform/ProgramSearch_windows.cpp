// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Finding a command's program on Windows: the Win32 core searches as CreateProcess and the shell do.
#include "platform/ProgramSearch.h"

#include "platform/win32/ProgramSearch.h"

namespace platform {

bool commandProgramIsFound(const QString& commandLine)
{
    return !win32::findCommandProgram(commandLine.toStdWString()).empty();
}

} // namespace platform
