// The profile lookup of Windows and our profile reader, asked the same queries in one batch.
#include "Commands.h"
#include "Exchange.h"

#include "platform/win32/ProfileReader.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace commands {
namespace {

using Lookup = std::function<int(char* buffer, int size)>;

// The count, then the bytes placed in the buffer up to and with the terminating NUL. The buffer
// starts filled with a byte the lookup never writes, so a missing terminator shows.
void addAnswer(exchange::Record& answer, int size, const Lookup& lookup)
{
    std::vector<char> buffer(size_t(size) + 1, '\x7f');
    const int count = lookup(buffer.data(), size);
    const size_t shown = count >= 0 && count < size ? size_t(count) + 1 : size_t(0);
    answer.push_back(std::to_string(count));
    answer.push_back(exchange::toHex(std::string(buffer.data(), shown)));
}

std::string ansiPath(const std::wstring& path)
{
    std::string ansi(size_t(WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, ansi.data(), int(ansi.size()), nullptr, nullptr);
    return ansi;
}

} // namespace

int profileQueries(const std::wstring& requests, const std::wstring& answers)
{
    // The code page decides how the bytes of a file without a byte-order mark read.
    std::vector<exchange::Record> results {{"acp", std::to_string(GetACP())}};
    std::wstring file;
    std::string ansiFile;
    for (const exchange::Record& request : exchange::readRecords(requests)) {
        if (request.size() == 2 && request[0] == "file") {
            file = exchange::fromUtf8(exchange::fromHex(request[1]));
            ansiFile = ansiPath(file);
            continue;
        }
        if (request.size() != 3)
            return 2;
        const std::string section = exchange::fromHex(request[0]);
        const std::string key = exchange::fromHex(request[1]);
        const int size = std::stoi(request[2]);
        exchange::Record answer;
        addAnswer(answer, size, [&](char* buffer, int bufferSize) {
            return int(GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, DWORD(bufferSize),
                                                ansiFile.c_str()));
        });
        addAnswer(answer, size, [&](char* buffer, int bufferSize) {
            return win32::readProfileString(section, key, "", buffer, bufferSize, file);
        });
        results.push_back(answer);
    }
    return exchange::writeRecords(answers, results) ? 0 : 2;
}

} // namespace commands
