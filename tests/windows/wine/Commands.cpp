// The Windows test program: the Win32 cores' own tests under GoogleTest, or one of the commands
// through which the Linux-side comparison asks the real Win32 calls for their answers. A command
// reads one request a line from a file and writes one answer a line to another: fields separated
// by tabs, texts as hexadecimal bytes (names and paths in UTF-16LE) so that any byte passes.
#include "platform/win32/IconExtraction.h"
#include "platform/win32/ProfileReader.h"
#include "platform/win32/UserClasses.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace {

using Record = std::vector<std::string>;

std::string hex(const void* data, size_t size)
{
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", static_cast<const unsigned char*>(data)[i]);
        text += digits;
    }
    return text;
}

std::string bytes(const std::string& hexText)
{
    std::string result;
    for (size_t i = 0; i + 1 < hexText.size(); i += 2)
        result += char(std::stoi(hexText.substr(i, 2), nullptr, 16));
    return result;
}

std::wstring wide(const std::string& hexUtf16)
{
    const std::string raw = bytes(hexUtf16);
    std::wstring text(raw.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), raw.data(), text.size() * sizeof(wchar_t));
    return text;
}

// "file <path>" names the INI file of the queries "<section> <key> <size>" after it. Answers: first
// "acp <the ANSI code page>", then for each query the count and the buffer up to and with its NUL,
// of GetPrivateProfileStringA, then of our profile reader.
std::vector<Record> profileQueries(const std::vector<Record>& requests)
{
    std::vector<Record> answers {{"acp", std::to_string(GetACP())}};
    std::wstring file;
    std::string ansiFile;
    for (const Record& request : requests) {
        if (request.at(0) == "file") {
            file = wide(request.at(1));
            ansiFile.assign(size_t(WideCharToMultiByte(CP_ACP, 0, file.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
            WideCharToMultiByte(CP_ACP, 0, file.c_str(), -1, ansiFile.data(), int(ansiFile.size()), nullptr, nullptr);
            continue;
        }
        const std::string section = bytes(request.at(0));
        const std::string key = bytes(request.at(1));
        const int size = std::stoi(request.at(2));
        Record answer;
        for (const bool ours : {false, true}) {
            std::string buffer(size_t(size) + 1, '\x7f'); // a byte the lookup never writes: a missing NUL shows
            const int count = ours ? win32::readProfileString(section, key, "", buffer.data(), size, file)
                                   : int(GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                                                  DWORD(size), ansiFile.c_str()));
            answer.push_back(std::to_string(count));
            answer.push_back(hex(buffer.data(), count >= 0 && count < size ? size_t(count) + 1 : 0));
        }
        answers.push_back(answer);
    }
    return answers;
}

// "<path> <data>", one association write each through our classes root, or "<path>", a tree it
// deletes. Answers: the deletion's status; the statuses of the create and the set, then the value
// read back under HKEY_CURRENT_USER (wine's HKEY_CLASSES_ROOT shows the machine half only, wine
// bug 14771): the status, the type and the bytes as stored.
std::vector<Record> registryWrites(const std::vector<Record>& requests)
{
    std::vector<Record> answers;
    for (const Record& request : requests) {
        const std::wstring path = wide(request.at(0));
        if (request.size() == 1) {
            answers.push_back({std::to_string(win32::deleteClassKey(path))});
            continue;
        }
        HKEY key = nullptr;
        const LONG created = win32::createClassKey(path, &key);
        const LONG set = created == ERROR_SUCCESS ? win32::setDefaultValue(key, wide(request.at(1))) : created;
        if (created == ERROR_SUCCESS)
            win32::closeClassKey(key);
        wchar_t stored[1024] = {};
        DWORD type = 0;
        DWORD size = sizeof stored;
        LONG read = RegOpenKeyExW(HKEY_CURRENT_USER, (win32::UserClassesKey + (L"\\" + path)).c_str(), 0,
                                  KEY_QUERY_VALUE, &key);
        if (read == ERROR_SUCCESS) {
            read = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(stored), &size);
            RegCloseKey(key);
        }
        answers.push_back({std::to_string(created), std::to_string(set), std::to_string(read), std::to_string(type),
                           hex(stored, read == ERROR_SUCCESS ? size : 0)});
    }
    return answers;
}

// "count <file>" or "icon <file> <index>". Answers: what ExtractIconExW returns, and for an icon
// the large and the small picture (width, height, ARGB pixels as 32-bit little-endian numbers).
std::vector<Record> iconExtractions(const std::vector<Record>& requests)
{
    std::vector<Record> answers;
    for (const Record& request : requests) {
        const std::wstring file = wide(request.at(1));
        if (request.at(0) == "count") {
            answers.push_back({std::to_string(win32::extractIcons(file, -1, nullptr, nullptr))});
            continue;
        }
        // The result and the large picture as the program asks for them, both sizes at once; the
        // small picture alone, as wine gives another icon's when both are asked for together.
        const int index = std::stoi(request.at(2));
        win32::IconPixels large;
        win32::IconPixels small;
        Record answer {std::to_string(win32::extractIcons(file, index, &large, &small))};
        win32::extractIcons(file, index, nullptr, &small);
        for (const win32::IconPixels* picture : {&large, &small})
            answer.insert(answer.end(), {std::to_string(picture->width), std::to_string(picture->height),
                                         hex(picture->argb.data(), picture->argb.size() * 4)});
        answers.push_back(answer);
    }
    return answers;
}

int runCommand(std::vector<Record> (*command)(const std::vector<Record>&), const std::wstring& requestFile,
               const std::wstring& answerFile)
{
    std::vector<Record> requests;
    std::ifstream in(std::filesystem::path(requestFile), std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        requests.emplace_back();
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');)
            requests.back().push_back(field);
        if (line.empty() || line.back() == '\t')
            requests.back().emplace_back(); // an empty last field: the hexadecimal form of an empty text
    }
    std::ofstream out(std::filesystem::path(answerFile), std::ios::binary);
    try {
        for (const Record& answer : command(requests)) {
            for (size_t i = 0; i < answer.size(); ++i)
                out << (i ? "\t" : "") << answer[i];
            out << '\n';
        }
    } catch (const std::exception&) {
        return 2; // a request without its fields
    }
    return out.flush() ? 0 : 2;
}

} // namespace

int main(int argc, char** argv)
{
    const std::map<std::wstring, std::vector<Record> (*)(const std::vector<Record>&)> commands {
        {L"profile", profileQueries}, {L"registry-write", registryWrites}, {L"icons", iconExtractions}};
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
