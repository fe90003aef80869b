// Keys of the per-user classes written, read back, enumerated and deleted through our Win32 core.
#include "platform/win32/UserClasses.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// "path = value" for `path` and every key below it (subkeys in name order), "path" alone for a key
// without a string default value; "<error N>" where a read fails.
std::wstring tree(const std::wstring& path)
{
    std::optional<std::wstring> value;
    std::vector<std::wstring> names;
    for (const LONG status : {win32::readDefaultValue(path, &value), win32::readSubkeys(path, &names)})
        if (status != ERROR_SUCCESS)
            return L"<error " + std::to_wstring(status) + L">\n";
    std::sort(names.begin(), names.end());
    std::wstring lines = path + (value ? L" = " + *value : L"") + L"\n";
    for (const std::wstring& name : names)
        lines += tree(path + L"\\" + name);
    return lines;
}

TEST(UserClasses, KeysAreWrittenReadEnumeratedAndDeletedBelowThePerUserClasses)
{
    win32::deleteClassKey(L"Zt"); // the test's own classes, left over from an earlier run
    const DWORD number = 7;
    HKEY key = nullptr;
    // Default values written through the association writer's call for a REG_SZ with its NUL, or
    // directly for the values it never writes (`bytes` of `data` of `type`).
    for (const auto& [path, data, type, bytes] : std::initializer_list<std::tuple<std::wstring, std::wstring, DWORD, DWORD>> {
             {L"Zt\\Rom\\shell\\Jouer - Play\\command", L"\"C:\\Émus\\Méga\\emu.exe\" \"%1\"", REG_SZ, 0},
             {L"Zt\\.wrom", L"", REG_SZ, 0},
             {L"Zt\\.wrom", L"Zelvane.Wine.Rom", REG_SZ, 0}, // the later write wins
             {L"Zt\\Rom\\Ωmega ゲーム", L"Mégaboîte", REG_SZ, 0},
             {L"Zt\\Sibling", L"kept", REG_SZ, 0},
             {L"Zt\\Expand", L"%SystemRoot%\\emu.exe", REG_EXPAND_SZ, 42},
             {L"Zt\\NoNul", L"ab", REG_SZ, 4}, // stored without its NUL
             {L"Zt\\Number", std::wstring(reinterpret_cast<const wchar_t*>(&number), 2), REG_DWORD, 4}}) {
        ASSERT_EQ(win32::createClassKey(path, &key), ERROR_SUCCESS);
        EXPECT_EQ(bytes ? RegSetValueExW(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(data.data()), bytes)
                        : win32::setDefaultValue(key, data), ERROR_SUCCESS);
        win32::closeClassKey(key);
    }
    EXPECT_EQ(tree(L"Zt"), L"Zt\nZt\\.wrom = Zelvane.Wine.Rom\n"
                           L"Zt\\Expand = %SystemRoot%\\emu.exe\nZt\\NoNul = ab\nZt\\Number\n" // never expanded; no text: no value
                           L"Zt\\Rom\nZt\\Rom\\shell\nZt\\Rom\\shell\\Jouer - Play\n"
                           L"Zt\\Rom\\shell\\Jouer - Play\\command = \"C:\\Émus\\Méga\\emu.exe\" \"%1\"\n"
                           L"Zt\\Rom\\Ωmega ゲーム = Mégaboîte\nZt\\Sibling = kept\n");

    // Failures leave what the caller holds untouched; the root itself is never deleted; a path is
    // taken below the classes root: one that starts with '\' names no key there.
    std::optional<std::wstring> value = L"held";
    std::vector<std::wstring> names {L"held"};
    EXPECT_EQ(std::tuple(win32::readDefaultValue(L"Zt\\Missing", &value), win32::readSubkeys(L"Zt\\Missing", &names),
                         win32::deleteClassKey(L"Zt\\Missing"), win32::deleteClassKey(L"")),
              std::tuple(ERROR_FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND, ERROR_INVALID_PARAMETER));
    EXPECT_EQ(std::tuple(value, names), std::tuple(L"held", std::vector<std::wstring> {L"held"}));
    EXPECT_NE(win32::createClassKey(L"\\Zt\\Rooted", &key), ERROR_SUCCESS);

    EXPECT_EQ(win32::deleteClassKey(L"Zt\\Rom"), ERROR_SUCCESS);
    ASSERT_EQ(win32::createClassKey(L"Zt\\.wrom", &key), ERROR_SUCCESS);
    EXPECT_EQ(win32::deleteDefaultValue(key), ERROR_SUCCESS);
    EXPECT_EQ(win32::deleteDefaultValue(key), ERROR_SUCCESS); // none left to delete
    win32::closeClassKey(key);
    EXPECT_EQ(tree(L"Zt"), L"Zt\nZt\\.wrom\nZt\\Expand = %SystemRoot%\\emu.exe\nZt\\NoNul = ab\nZt\\Number\nZt\\Sibling = kept\n");
    EXPECT_EQ(win32::deleteClassKey(L"Zt"), ERROR_SUCCESS);
    EXPECT_EQ(tree(L"Zt"), L"<error 2>\n");
}

} // namespace
