// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's folder, the per-user folder that holds the copy of the icon library, and the copy.
#pragma once

#include <string>

namespace win32 {

// The folder of the running executable, without a trailing separator.
std::wstring programDirectory();

// %LOCALAPPDATA%\Zelvane, created when missing. An ordinary user can write there, unlike the
// System folder. Empty, with `error` set, when it cannot be had.
std::wstring userDataDirectory(std::wstring* error);

// Makes `folder`\Emul.dll hold the bytes of `source`. A copy that already holds them is left
// alone, so a copy that Explorer keeps open is no failure; otherwise the bytes go to a new file
// that then replaces the old copy in one step. False, with `error` set, when it cannot.
bool installIconLibrary(const std::wstring& source, const std::wstring& folder, std::wstring* error);

} // namespace win32
