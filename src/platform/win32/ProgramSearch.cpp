// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program of a command line, found where Windows looks for it when it starts the command.
#include "platform/win32/ProgramSearch.h"

#include <windows.h>

#include <cwchar>

namespace win32 {
namespace {

// The shell's own list of programs that a bare name starts, outside PATH.
const std::wstring AppPathsKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

bool isFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Windows adds ".exe" only to a name whose last part has no dot.
bool hasExtension(const std::wstring& name)
{
    const size_t dot = name.rfind(L'.');
    return dot != std::wstring::npos && name.find_first_of(L"\\/", dot) == std::wstring::npos;
}

// The text of a call that writes its length without the NUL when the buffer holds it, and asks
// for a size with the NUL when it does not (SearchPathW, GetFullPathNameW); empty on a failure.
template<typename Call>
std::wstring sizedText(Call call)
{
    std::wstring text;
    DWORD length = MAX_PATH;
    do { // the answer may grow between two calls: ask again with the size it asked for
        text.resize(length);
        length = call(DWORD(text.size()), text.data());
    } while (length >= text.size());
    text.resize(length);
    return text;
}

std::wstring fullPath(const std::wstring& path)
{
    return sizedText([&](DWORD size, wchar_t* buffer) { return GetFullPathNameW(path.c_str(), size, buffer, nullptr); });
}

// The file that a path names; CreateProcess looks for "NAME.exe", never "NAME", when the name has
// no extension.
std::wstring existingFile(const std::wstring& path)
{
    const std::wstring file = hasExtension(path) ? path : path + L".exe";
    return !path.empty() && isFile(file) ? fullPath(file) : std::wstring();
}

// Where SearchPathW finds `name` in the order CreateProcess looks: the program's folder, the
// current folder, the system folders, then PATH.
std::wstring searchedFile(const std::wstring& name)
{
    const std::wstring found = sizedText([&](DWORD size, wchar_t* buffer) {
        return SearchPathW(nullptr, name.c_str(), L".exe", size, buffer, nullptr);
    });
    return !found.empty() && isFile(found) ? found : std::wstring();
}

std::wstring expanded(const std::wstring& text)
{
    std::wstring result;
    DWORD size = DWORD(text.size()) + 1;
    do { // a size larger than the buffer is the one it needs, its NUL counted
        result.resize(size);
        size = ExpandEnvironmentStringsW(text.c_str(), result.data(), DWORD(result.size()));
    } while (size > result.size());
    result.resize(size > 0 ? size - 1 : 0);
    return result;
}

// The default value of `root`\`path` as a string, its variables expanded when it is REG_EXPAND_SZ;
// empty when there is none.
std::wstring defaultText(HKEY root, const std::wstring& path)
{
    const DWORD flags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    DWORD size = 0;
    if (RegGetValueW(root, path.c_str(), nullptr, flags, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return {};
    std::wstring text;
    DWORD type = REG_NONE;
    LONG status = ERROR_MORE_DATA;
    while (status == ERROR_MORE_DATA) { // the value may grow between two calls
        text.assign(size / sizeof(wchar_t) + 1, L'\0');
        size = DWORD(text.size() * sizeof(wchar_t));
        status = RegGetValueW(root, path.c_str(), nullptr, flags, &type, text.data(), &size);
    }
    if (status != ERROR_SUCCESS)
        return {};
    text.resize(std::wcslen(text.c_str()));
    return type == REG_EXPAND_SZ ? expanded(text) : text;
}

// The file that the App Paths key of `root` gives for the program `name`; installers may write
// its path in quotes.
std::wstring registeredFile(HKEY root, const std::wstring& name)
{
    const std::wstring path = defaultText(root, AppPathsKey + name);
    return existingFile(path.starts_with(L'"') ? commandProgram(path) : path);
}

} // namespace

std::wstring commandProgram(const std::wstring& commandLine)
{
    const size_t start = commandLine.find_first_not_of(L" \t");
    if (start == std::wstring::npos)
        return {};
    if (commandLine[start] == L'"') // npos less anything still runs to the end
        return commandLine.substr(start + 1, commandLine.find(L'"', start + 1) - start - 1);
    return commandLine.substr(start, commandLine.find_first_of(L" \t", start) - start);
}

std::wstring findCommandProgram(const std::wstring& commandLine)
{
    const std::wstring program = commandProgram(commandLine);
    if (program.empty())
        return {};
    if (program.find_first_of(L"\\/:") != std::wstring::npos)
        return existingFile(program);
    std::wstring found = searchedFile(program);
    const std::wstring name = hasExtension(program) ? program : program + L".exe";
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        if (found.empty())
            found = registeredFile(root, name);
    return found;
}

} // namespace win32
