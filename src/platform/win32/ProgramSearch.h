// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program of a command line, found where Windows looks for it when it starts the command.
#pragma once

#include <string>

namespace win32 {

// The program that `commandLine` starts: its first word, in which quotes may hold spaces (an
// unclosed quote runs to the end). Empty when the line holds no word.
std::wstring commandProgram(const std::wstring& commandLine);

// The full path of the program of `commandLine`, empty when Windows would not find it. A program
// named with a folder or drive is that file, with ".exe" added when its name has no extension; a
// bare name is searched as CreateProcess searches it (".exe" added the same way), then under the
// App Paths of the user, then of the machine, whose value must name a file.
std::wstring findCommandProgram(const std::wstring& commandLine);

} // namespace win32
