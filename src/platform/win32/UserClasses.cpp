// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user half of the registry's classes root, where the association writer's keys land.
#include "platform/win32/UserClasses.h"

#include <shlobj.h>

#include <cstring>
#include <iterator>

namespace win32 {
namespace {

// Closes a key at the end of its scope.
struct OpenKey {
    HKEY handle = nullptr;
    ~OpenKey()
    {
        if (handle)
            RegCloseKey(handle);
    }
};

// Opens `path` below the per-user classes root with `access`.
LONG openClassKey(const std::wstring& path, REGSAM access, OpenKey* key)
{
    OpenKey classes;
    const LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, UserClassesKey, 0, access, &classes.handle);
    return status != ERROR_SUCCESS ? status : RegOpenKeyExW(classes.handle, path.c_str(), 0, access, &key->handle);
}

} // namespace

LONG createClassKey(const std::wstring& path, HKEY* key)
{
    OpenKey classes;
    LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, UserClassesKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_CREATE_SUB_KEY | KEY_SET_VALUE, nullptr, &classes.handle, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    HKEY opened = nullptr;
    status = RegCreateKeyExW(classes.handle, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                             nullptr, &opened, nullptr);
    if (status == ERROR_SUCCESS)
        *key = opened;
    return status;
}

LONG setDefaultValue(HKEY key, const std::wstring& data)
{
    // The length is in bytes, terminating NUL included: a count of characters would cut any
    // text whose encoding takes more than one byte a character.
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes);
}

LONG setStoredDefaultValue(HKEY key, const StoredValue& value)
{
    return RegSetValueExW(key, nullptr, 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
}

LONG deleteDefaultValue(HKEY key)
{
    const LONG status = RegDeleteValueW(key, nullptr);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

void closeClassKey(HKEY key)
{
    RegCloseKey(key);
}

LONG readDefaultValue(const std::wstring& path, std::optional<std::wstring>* value)
{
    std::optional<StoredValue> stored;
    const LONG status = readStoredDefaultValue(path, &stored);
    if (status != ERROR_SUCCESS)
        return status;
    if (!stored || (stored->type != REG_SZ && stored->type != REG_EXPAND_SZ)) {
        value->reset(); // a key without a default value, or with one that is no text
        return ERROR_SUCCESS;
    }
    // The stored text may or may not end with its NUL.
    std::wstring text(stored->data.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), stored->data.data(), text.size() * sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    *value = std::move(text);
    return ERROR_SUCCESS;
}

LONG readStoredDefaultValue(const std::wstring& path, std::optional<StoredValue>* value)
{
    OpenKey key;
    LONG status = openClassKey(path, KEY_QUERY_VALUE, &key);
    if (status != ERROR_SUCCESS)
        return status;
    StoredValue stored;
    DWORD bytes = 0;
    status = RegQueryValueExW(key.handle, nullptr, nullptr, &stored.type, nullptr, &bytes);
    if (status == ERROR_FILE_NOT_FOUND) {
        value->reset();
        return ERROR_SUCCESS;
    }
    if (status != ERROR_SUCCESS)
        return status;
    stored.data.resize(bytes);
    status = RegQueryValueExW(key.handle, nullptr, nullptr, &stored.type, stored.data.data(), &bytes);
    if (status != ERROR_SUCCESS)
        return status;
    stored.data.resize(bytes);
    *value = std::move(stored);
    return ERROR_SUCCESS;
}

LONG readSubkeys(const std::wstring& path, std::vector<std::wstring>* names)
{
    OpenKey key;
    LONG status = openClassKey(path, KEY_ENUMERATE_SUB_KEYS, &key);
    std::vector<std::wstring> found;
    // The key names of the registry hold at most 255 characters.
    wchar_t name[256];
    for (DWORD index = 0; status == ERROR_SUCCESS; ++index) {
        DWORD length = DWORD(std::size(name));
        status = RegEnumKeyExW(key.handle, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_SUCCESS)
            found.emplace_back(name, length);
    }
    if (status != ERROR_NO_MORE_ITEMS)
        return status;
    *names = std::move(found);
    return ERROR_SUCCESS;
}

LONG deleteClassKey(const std::wstring& path)
{
    // RegDeleteTreeW without a subkey would empty the whole of the user's classes.
    if (path.empty())
        return ERROR_INVALID_PARAMETER;
    OpenKey classes;
    const LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, UserClassesKey, 0,
                                      DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE,
                                      &classes.handle);
    return status != ERROR_SUCCESS ? status : RegDeleteTreeW(classes.handle, path.c_str());
}

void notifyAssociationsChanged()
{
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

} // namespace win32
