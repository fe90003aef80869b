// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading one value of an INI file with the rules of GetPrivateProfileStringA, on any path.
#include "platform/win32/ProfileReader.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace win32 {
namespace {

std::wstring fromAnsi(const std::string& text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(std::max(length, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

std::string toAnsi(const wchar_t* text, int length)
{
    if (length <= 0)
        return {};
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string ansi(size_t(std::max(bytes, 0)), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, ansi.data(), bytes, nullptr, nullptr);
    return ansi;
}

} // namespace

int readProfileString(const std::string& section, const std::string& key,
                      const std::string& defaultValue, char* buffer, int size,
                      const std::wstring& file)
{
    if (size <= 0)
        return 0;
    // What the ANSI call does on top of the wide one: the same buffer size in characters, then
    // the value converted and cut to what the caller's bytes can hold.
    std::vector<wchar_t> wide(size_t(size), L'\0');
    const DWORD count = GetPrivateProfileStringW(fromAnsi(section).c_str(), fromAnsi(key).c_str(),
                                                 fromAnsi(defaultValue).c_str(), wide.data(),
                                                 DWORD(size), file.c_str());
    const std::string value = toAnsi(wide.data(), int(count));
    const size_t copied = std::min(value.size(), size_t(size - 1));
    std::memcpy(buffer, value.data(), copied);
    buffer[copied] = '\0';
    return int(copied);
}

} // namespace win32
