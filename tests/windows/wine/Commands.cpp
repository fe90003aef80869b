// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows test program: the Win32 cores' own tests under GoogleTest, or one of the commands
// through which the Linux-side comparison asks the real Win32 calls for their answers. A command
// reads one request a line from a file and writes one answer a line to another: fields separated
// by tabs, texts as hexadecimal bytes (names and paths in UTF-16LE) so that any byte passes.
// Usage: zelvane_win32_tests <profile|registry-write|icons> <requests> <answers>
#include "platform/win32/IconExtraction.h"
#include "platform/win32/ProfileReader.h"
#include "platform/win32/UserClasses.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace {

using Record = std::vector<std::string>;
using Command = Record (*)(const Record&);

std::string hex(const void* data, size_t size)
{
    std::string text(size * 2, '\0');
    for (size_t i = 0; i < size; ++i) // each snprintf ends with a NUL where the next digits go
        std::snprintf(&text[2 * i], 3, "%02x", static_cast<const unsigned char*>(data)[i]);
    return text;
}

std::string bytes(const std::string& hexText)
{
    std::string result(hexText.size() / 2, '\0');
    for (size_t i = 0; i < result.size(); ++i)
        result[i] = char(std::stoi(hexText.substr(2 * i, 2), nullptr, 16));
    return result;
}

std::wstring wide(const std::string& hexUtf16)
{
    const std::string raw = bytes(hexUtf16);
    return {reinterpret_cast<const wchar_t*>(raw.data()), raw.size() / sizeof(wchar_t)};
}

// "<path> <section> <key> <size>": the count and the buffer up to and with its NUL, of
// GetPrivateProfileStringA, then of our profile reader.
Record profileQuery(const Record& request)
{
    const std::wstring file = wide(request.at(0));
    char ansiFile[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, file.c_str(), -1, ansiFile, sizeof ansiFile, nullptr, nullptr);
    const std::string section = bytes(request.at(1)), key = bytes(request.at(2));
    const int size = std::stoi(request.at(3));
    Record answer;
    for (const bool ours : {false, true}) {
        std::string buffer(size_t(size) + 1, '\x7f'); // a byte the lookup never writes: a missing NUL shows
        const int count = ours ? win32::readProfileString(section, key, "", buffer.data(), size, file)
                               : int(GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), DWORD(size), ansiFile));
        answer.insert(answer.end(), {std::to_string(count), hex(buffer.data(), count >= 0 && count < size ? size_t(count) + 1 : 0)});
    }
    return answer;
}

// "<path>": the status of deleting that tree through our classes root. "<path> <data>": the
// status of that association write, then the value read back as stored (below the per-user
// classes: wine's HKEY_CLASSES_ROOT shows the machine half only, wine bug 14771): status, type,
// bytes.
Record registryWrite(const Record& request)
{
    const std::wstring path = wide(request.at(0));
    if (request.size() == 1)
        return {std::to_string(win32::deleteClassKey(path))};
    HKEY key = nullptr;
    LONG written = win32::createClassKey(path, &key);
    if (written == ERROR_SUCCESS) {
        written = win32::setDefaultValue(key, wide(request.at(1)));
        win32::closeClassKey(key);
    }
    std::optional<win32::StoredValue> stored;
    const LONG read = win32::readStoredDefaultValue(path, &stored);
    return {std::to_string(written), std::to_string(read), std::to_string(stored ? stored->type : REG_NONE),
            stored ? hex(stored->data.data(), stored->data.size()) : ""};
}

// "<file>": what ExtractIconExW answers for the icon count. "<file> <index>": what it returns
// for that icon, and its large and small picture (width, height, ARGB pixels as 32-bit
// little-endian numbers).
Record iconExtraction(const Record& request)
{
    const std::wstring file = wide(request.at(0));
    if (request.size() == 1)
        return {std::to_string(win32::extractIcons(file, -1, nullptr, nullptr))};
    // The result and the large picture as the program asks for them, both sizes at once; the
    // small picture alone, as wine gives another icon's when both are asked for together.
    const int index = std::stoi(request.at(1));
    win32::IconPixels large, small;
    Record answer {std::to_string(win32::extractIcons(file, index, &large, &small))};
    win32::extractIcons(file, index, nullptr, &small);
    for (const win32::IconPixels* picture : {&large, &small})
        answer.insert(answer.end(), {std::to_string(picture->width), std::to_string(picture->height),
                                     hex(picture->argb.data(), picture->argb.size() * 4)});
    return answer;
}

int runCommand(Command command, const std::wstring& requestFile, const std::wstring& answerFile)
{
    std::ifstream in(std::filesystem::path(requestFile), std::ios::binary);
    std::ofstream out(std::filesystem::path(answerFile), std::ios::binary);
    // A request without its fields throws, which ends the program as a failure.
    for (std::string line; std::getline(in, line);) {
        Record request;
        std::istringstream fields(line + '\t'); // the tab ends the last field, even an empty one
        for (std::string field; std::getline(fields, field, '\t');)
            request.push_back(field);
        const Record answer = command(request);
        for (size_t i = 0; i < answer.size(); ++i)
            out << (i ? "\t" : "") << answer[i];
        out << '\n';
    }
    return out.flush() ? 0 : 2;
}

} // namespace

int main(int argc, char** argv)
{
    const std::map<std::wstring, Command> commands {{L"profile", profileQuery}, {L"registry-write", registryWrite}, {L"icons", iconExtraction}};
    // The arguments as the user typed them, whatever the ANSI code page can hold.
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const auto command = count == 4 ? commands.find(arguments[1]) : commands.end();
    const int status = command != commands.end() ? runCommand(command->second, arguments[2], arguments[3]) : -1;
    LocalFree(arguments);
    if (status >= 0)
        return status;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
