// Keys and default values written through our classes root, read back through the registry.
#include "platform/win32/UserClasses.h"

#include <gtest/gtest.h>

namespace {

struct Value {
    LONG status = -1;
    DWORD type = 0;
    DWORD bytes = 0;
    std::wstring data;
};

Value defaultValue(HKEY root, const std::wstring& path)
{
    Value value;
    HKEY key = nullptr;
    value.status = RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (value.status != ERROR_SUCCESS)
        return value;
    wchar_t data[512] = {};
    value.bytes = sizeof data;
    value.status = RegQueryValueExW(key, nullptr, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &value.bytes);
    value.data.assign(data, value.bytes / sizeof(wchar_t));
    RegCloseKey(key);
    return value;
}

LONG write(const std::wstring& path, const std::wstring& data)
{
    HKEY key = nullptr;
    const LONG created = win32::createClassKey(path, &key);
    if (created != ERROR_SUCCESS)
        return created;
    const LONG set = win32::setDefaultValue(key, data);
    win32::closeClassKey(key);
    return set;
}

TEST(UserClasses, EachWriteLandsInTheUserHalfWithItsTerminatingNul)
{
    const struct {
        std::wstring path;
        std::wstring data;
    } writes[] = {
        {L"Zelvane.Wine.Rom\\shell\\Jouer - Play\\command", L"\"C:\\Émus\\Méga\\emu.exe\" \"%1\""},
        {L".wrom", L""},
        {L".wrom", L"Zelvane.Wine.Rom"}, // the later write wins
        {L"Mégaboîte ゲーム", L"Zelvane.Wine.Rom"},
    };
    for (const auto& write_ : writes) {
        ASSERT_EQ(write(write_.path, write_.data), ERROR_SUCCESS);
        // Read where Windows merges it into HKEY_CLASSES_ROOT: wine's HKEY_CLASSES_ROOT shows
        // the machine half only (wine bug 14771).
        const Value value = defaultValue(HKEY_CURRENT_USER, L"Software\\Classes\\" + write_.path);
        ASSERT_EQ(value.status, ERROR_SUCCESS);
        EXPECT_EQ(value.type, DWORD(REG_SZ));
        EXPECT_EQ(value.bytes, (write_.data.size() + 1) * sizeof(wchar_t));
        EXPECT_EQ(value.data, write_.data + L'\0');
    }
}

TEST(UserClasses, PathsAreTakenBelowTheClassesRoot)
{
    HKEY key = nullptr;
    // "" is the classes root itself; a path that starts with '\' names no key below it.
    EXPECT_EQ(win32::createClassKey(L"", &key), ERROR_SUCCESS);
    win32::closeClassKey(key);
    key = nullptr;
    EXPECT_NE(win32::createClassKey(L"\\Zelvane.Rooted", &key), ERROR_SUCCESS);
    EXPECT_EQ(key, nullptr);
    EXPECT_NE(defaultValue(HKEY_CURRENT_USER, L"Software\\Classes\\Zelvane.Rooted").status, ERROR_SUCCESS);
}

} // namespace
