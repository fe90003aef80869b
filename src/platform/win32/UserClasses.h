// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user half of the registry's classes root, where the association writer's keys land.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace win32 {

// HKEY_CLASSES_ROOT merges HKEY_LOCAL_MACHINE\Software\Classes with this key of
// HKEY_CURRENT_USER, which takes precedence. Keys created through HKEY_CLASSES_ROOT itself land in
// the machine half and need administrator rights; the per-user half needs none.
inline constexpr wchar_t UserClassesKey[] = L"Software\\Classes";

// A value as the registry stores it: its type (REG_SZ, REG_DWORD...) and its bytes.
struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// Paths are key names separated by '\', relative to the per-user classes root; "" is the root
// itself. They are taken below the open root key, never joined to its name, so that they reach
// the registry as the classes root would receive them: a leading '\' or an empty level is refused.

// Creates every missing level of `path` and opens the key for setting values. ERROR_SUCCESS with
// `key` set, or the registry's status, with `key` untouched.
LONG createClassKey(const std::wstring& path, HKEY* key);

// Sets the default (unnamed) value of `key` to `data` as REG_SZ, its terminating NUL included.
LONG setDefaultValue(HKEY key, const std::wstring& data);
// Sets the default value of `key` to `value`, type and bytes as they are.
LONG setStoredDefaultValue(HKEY key, const StoredValue& value);

// Deletes the default value of `key`, opened by createClassKey; ERROR_SUCCESS also when it had none.
LONG deleteDefaultValue(HKEY key);

void closeClassKey(HKEY key);

// The default value of `path`, REG_SZ or REG_EXPAND_SZ (unexpanded): ERROR_SUCCESS with `value`
// set, or emptied when the key has no default value or one that is not a string;
// ERROR_FILE_NOT_FOUND when there is no such key. `value` is untouched on a failure.
LONG readDefaultValue(const std::wstring& path, std::optional<std::wstring>* value);
// The default value of `path` as stored, whatever its type: ERROR_SUCCESS with `value` set, or
// emptied when the key has none; ERROR_FILE_NOT_FOUND when there is no such key. `value` is
// untouched on a failure.
LONG readStoredDefaultValue(const std::wstring& path, std::optional<StoredValue>* value);

// The names of the direct subkeys of `path`, in the registry's order; `names` is untouched on a
// failure.
LONG readSubkeys(const std::wstring& path, std::vector<std::wstring>* names);

// Deletes the key `path` with every key and value below it; ERROR_FILE_NOT_FOUND when there is
// no such key. The root itself is never deleted: ERROR_INVALID_PARAMETER, as deleting it would
// take every class of the user with it.
LONG deleteClassKey(const std::wstring& path);

// Explorer keeps the icons and verbs of file types until it is told that they changed.
void notifyAssociationsChanged();

} // namespace win32
