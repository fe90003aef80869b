// Keys of the per-user classes written, read back, enumerated and deleted through our Win32 core.
#include "platform/win32/UserClasses.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

LONG write(const std::wstring& path, const std::wstring& data)
{
    HKEY key = nullptr;
    const LONG created = win32::createClassKey(path, &key);
    const LONG set = created == ERROR_SUCCESS ? win32::setDefaultValue(key, data) : created;
    if (created == ERROR_SUCCESS)
        win32::closeClassKey(key);
    return set;
}

// A default value that the association writer never writes, set directly: `bytes` of `data`.
void writeRaw(const std::wstring& path, DWORD type, const void* data, DWORD bytes)
{
    HKEY key = nullptr;
    ASSERT_EQ(win32::createClassKey(path, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, nullptr, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
    win32::closeClassKey(key);
}

// "path = value" for `path` and every key below it (subkeys in name order), "path" alone for a key
// without a string default value; "<error N>" where a read fails.
std::wstring tree(const std::wstring& path)
{
    std::optional<std::wstring> value;
    std::vector<std::wstring> names;
    for (const LONG status : {win32::readDefaultValue(path, &value), win32::readSubkeys(path, &names)}) {
        if (status != ERROR_SUCCESS)
            return L"<error " + std::to_wstring(status) + L">\n";
    }
    std::sort(names.begin(), names.end());
    std::wstring lines = path + (value ? L" = " + *value : L"") + L"\n";
    for (const std::wstring& name : names)
        lines += tree(path + L"\\" + name);
    return lines;
}

TEST(UserClasses, KeysAreWrittenReadEnumeratedAndDeletedBelowThePerUserClasses)
{
    const std::wstring root = L"Zelvane.Test";
    win32::deleteClassKey(root);
    for (const auto& [path, data] : std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> {
             {L"Rom\\shell\\Jouer - Play\\command", L"\"C:\\Émus\\Méga\\emu.exe\" \"%1\""},
             {L".wrom", L""},
             {L".wrom", L"Zelvane.Wine.Rom"}, // the later write wins
             {L"Rom\\Ωmega ゲーム", L"Mégaboîte"},
             {L"Rom\\DefaultIcon", L"emul.dll,3"},
             {L"Sibling", L"kept"}})
        ASSERT_EQ(write(root + L"\\" + path, data), ERROR_SUCCESS);
    const wchar_t expand[] = L"%SystemRoot%\\emu.exe";
    const wchar_t unterminated[] = {L'a', L'b'};
    const DWORD number = 7;
    writeRaw(root + L"\\Expand", REG_EXPAND_SZ, expand, sizeof expand);
    writeRaw(root + L"\\NoNul", REG_SZ, unterminated, sizeof unterminated);
    writeRaw(root + L"\\Number", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(tree(root), L"Zelvane.Test\n"
                          L"Zelvane.Test\\.wrom = Zelvane.Wine.Rom\n"
                          L"Zelvane.Test\\Expand = %SystemRoot%\\emu.exe\n" // never expanded
                          L"Zelvane.Test\\NoNul = ab\n"
                          L"Zelvane.Test\\Number\n" // no text: no value
                          L"Zelvane.Test\\Rom\n"
                          L"Zelvane.Test\\Rom\\DefaultIcon = emul.dll,3\n"
                          L"Zelvane.Test\\Rom\\shell\n"
                          L"Zelvane.Test\\Rom\\shell\\Jouer - Play\n"
                          L"Zelvane.Test\\Rom\\shell\\Jouer - Play\\command = \"C:\\Émus\\Méga\\emu.exe\" \"%1\"\n"
                          L"Zelvane.Test\\Rom\\Ωmega ゲーム = Mégaboîte\n"
                          L"Zelvane.Test\\Sibling = kept\n");

    // Failures leave what the caller holds untouched; the root itself is never deleted.
    std::optional<std::wstring> value = L"held";
    std::vector<std::wstring> names {L"held"};
    EXPECT_EQ(win32::readDefaultValue(root + L"\\Missing", &value), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(win32::readSubkeys(root + L"\\Missing", &names), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value, L"held");
    EXPECT_EQ(names, std::vector<std::wstring> {L"held"});
    EXPECT_EQ(win32::deleteClassKey(root + L"\\Missing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(win32::deleteClassKey(L""), ERROR_INVALID_PARAMETER);
    // A path is taken below the classes root: one that starts with '\' names no key there.
    EXPECT_NE(write(L"\\" + root + L"\\Rooted", L"x"), ERROR_SUCCESS);

    EXPECT_EQ(win32::deleteClassKey(root + L"\\Rom"), ERROR_SUCCESS);
    HKEY key = nullptr;
    ASSERT_EQ(win32::createClassKey(root + L"\\.wrom", &key), ERROR_SUCCESS);
    EXPECT_EQ(win32::deleteDefaultValue(key), ERROR_SUCCESS);
    EXPECT_EQ(win32::deleteDefaultValue(key), ERROR_SUCCESS); // none left to delete
    win32::closeClassKey(key);
    EXPECT_EQ(tree(root), L"Zelvane.Test\n"
                          L"Zelvane.Test\\.wrom\n"
                          L"Zelvane.Test\\Expand = %SystemRoot%\\emu.exe\n"
                          L"Zelvane.Test\\NoNul = ab\n"
                          L"Zelvane.Test\\Number\n"
                          L"Zelvane.Test\\Sibling = kept\n");
    EXPECT_EQ(win32::deleteClassKey(root), ERROR_SUCCESS);
    EXPECT_EQ(tree(root), L"<error 2>\n");
}

} // namespace
