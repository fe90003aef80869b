// The per-user half of the registry's classes root, where the association writer's keys land.
#include "platform/win32/UserClasses.h"

#include <shlobj.h>

namespace win32 {

LONG createClassKey(const std::wstring& path, HKEY* key)
{
    // The path is taken below an open classes key rather than joined to its name, so that it
    // reaches the registry as the classes root would receive it: a leading '\' or an empty
    // level is refused, not folded into the per-user key's own path.
    HKEY classes = nullptr;
    LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, UserClassesKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_CREATE_SUB_KEY | KEY_SET_VALUE, nullptr, &classes, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    HKEY opened = nullptr;
    status = RegCreateKeyExW(classes, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                             nullptr, &opened, nullptr);
    RegCloseKey(classes);
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

void closeClassKey(HKEY key)
{
    RegCloseKey(key);
}

void notifyAssociationsChanged()
{
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

} // namespace win32
