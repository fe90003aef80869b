// Association writes through our classes root, and default values read back from the registry.
#include "Commands.h"
#include "Exchange.h"

#include "platform/win32/UserClasses.h"

#include <vector>

namespace commands {
namespace {

// The statuses of opening `path` below `root` and of reading its default value, the value's type
// and length in bytes, and its data as UTF-8 with its terminating NUL (as the registry holds it,
// not cut at the first NUL).
exchange::Record readBack(HKEY root, const std::wstring& path)
{
    HKEY key = nullptr;
    const LONG status = RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (status != ERROR_SUCCESS)
        return {std::to_string(status), "-1", "0", "0", ""};
    DWORD type = 0;
    DWORD bytes = 0;
    RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &bytes);
    std::wstring data(bytes / sizeof(wchar_t), L'\0');
    const LONG read = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes);
    RegCloseKey(key);
    return {"0", std::to_string(read), std::to_string(type), std::to_string(bytes),
            exchange::toHex(exchange::toUtf8(data))};
}

std::wstring userClassesPath(const std::wstring& path)
{
    return path.empty() ? std::wstring(win32::UserClassesKey) : win32::UserClassesKey + (L"\\" + path);
}

} // namespace

int registryWrites(const std::wstring& requests, const std::wstring& answers)
{
    std::vector<exchange::Record> results;
    for (const exchange::Record& request : exchange::readRecords(requests)) {
        if (request.size() != 2)
            return 2;
        const std::wstring path = exchange::fromUtf8(exchange::fromHex(request[0]));
        const std::wstring data = exchange::fromUtf8(exchange::fromHex(request[1]));
        HKEY key = nullptr;
        const LONG created = win32::createClassKey(path, &key);
        const LONG set = created == ERROR_SUCCESS ? win32::setDefaultValue(key, data) : -1;
        if (created == ERROR_SUCCESS)
            win32::closeClassKey(key);
        exchange::Record answer {std::to_string(created), std::to_string(set)};
        const exchange::Record value = readBack(HKEY_CURRENT_USER, userClassesPath(path));
        answer.insert(answer.end(), value.begin(), value.end());
        results.push_back(answer);
    }
    return exchange::writeRecords(answers, results) ? 0 : 2;
}

int registryReads(const std::wstring& requests, const std::wstring& answers)
{
    std::vector<exchange::Record> results;
    for (const exchange::Record& request : exchange::readRecords(requests)) {
        if (request.size() != 1)
            return 2;
        results.push_back(readBack(HKEY_CLASSES_ROOT, exchange::fromUtf8(exchange::fromHex(request[0]))));
    }
    return exchange::writeRecords(answers, results) ? 0 : 2;
}

} // namespace commands
