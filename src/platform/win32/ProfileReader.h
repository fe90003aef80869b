// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading one value of an INI file with the rules of GetPrivateProfileStringA, on any path.
#pragma once

#include <string>

namespace win32 {

// GetPrivateProfileStringA with the file named by a wide path: `section`, `key` and
// `defaultValue` are in the ANSI code page, and so is the value copied into `buffer`, cut to
// `size` - 1 bytes and NUL-terminated. Returns the number of bytes copied, without the NUL.
// The ANSI call itself would take the path through the ANSI code page too, and a folder name
// outside it would then name no file at all.
int readProfileString(const std::string& section, const std::string& key,
                      const std::string& defaultValue, char* buffer, int size,
                      const std::wstring& file);

} // namespace win32
