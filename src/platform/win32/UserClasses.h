// The per-user half of the registry's classes root, where the association writer's keys land.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// HKEY_CLASSES_ROOT merges HKEY_LOCAL_MACHINE\Software\Classes with this key of
// HKEY_CURRENT_USER, which takes precedence. Keys created through HKEY_CLASSES_ROOT itself land in
// the machine half and need administrator rights; the per-user half needs none.
inline constexpr wchar_t UserClassesKey[] = L"Software\\Classes";

// Creates every missing level of `path` (key names separated by '\', relative to the classes
// root; "" is the root itself) and opens the key for setting values. ERROR_SUCCESS with `key`
// set, or the registry's status, with `key` untouched.
LONG createClassKey(const std::wstring& path, HKEY* key);

// Sets the default (unnamed) value of `key` to `data` as REG_SZ, its terminating NUL included.
LONG setDefaultValue(HKEY key, const std::wstring& data);

void closeClassKey(HKEY key);

// Explorer keeps the icons and verbs of file types until it is told that they changed.
void notifyAssociationsChanged();

} // namespace win32
