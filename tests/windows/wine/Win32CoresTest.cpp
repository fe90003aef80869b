// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 cores' own tests: keys of the per-user classes written, read, enumerated and deleted;
// the per-user folder that receives the icon library and a catalogue read from a folder whose
// name the ANSI code page cannot hold; the pixels read back from icon handles.
#include "platform/win32/IconExtraction.h"
#include "platform/win32/ProfileReader.h"
#include "platform/win32/ProgramFolders.h"
#include "platform/win32/UserClasses.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

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

TEST(UserClasses, KeysAndValuesOfAnyTypeAreWrittenReadEnumeratedAndDeletedBelowThePerUserClasses)
{
    win32::deleteClassKey(L"Zt"); // the test's own classes, left over from an earlier run
    HKEY key = nullptr;
    // Written through the association writer's call; the values of other types it never writes
    // are read further down.
    for (const auto& [path, data] : std::initializer_list<std::pair<std::wstring, std::wstring>> {
             {L"Zt\\Rom\\shell\\Jouer - Play\\command", L"\"C:\\Émus\\Méga\\emu.exe\" \"%1\""},
             {L"Zt\\.wrom", L"Zelvane.Wine.Rom"},
             {L"Zt\\Rom\\Ωmega ゲーム", L"Mégaboîte"},
             {L"Zt\\Sibling", L"kept"}}) {
        ASSERT_EQ(win32::createClassKey(path, &key), ERROR_SUCCESS);
        EXPECT_EQ(win32::setDefaultValue(key, data), ERROR_SUCCESS);
        win32::closeClassKey(key);
    }
    EXPECT_EQ(tree(L"Zt"), L"Zt\nZt\\.wrom = Zelvane.Wine.Rom\n"
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
    EXPECT_EQ(tree(L"Zt"), L"Zt\nZt\\.wrom\nZt\\Sibling = kept\n");

    // What a backup reads and an undo puts back: a default value of any type, its bytes unchanged;
    // the string read goes on seeing only REG_SZ and REG_EXPAND_SZ.
    const std::optional<std::wstring> none;
    for (const auto& [typed, text] : std::initializer_list<std::pair<win32::StoredValue, std::optional<std::wstring>>> {
             {{REG_DWORD, {1, 0, 0, 0}}, none},
             {{REG_EXPAND_SZ, {'%', 0, 'X', 0, '%', 0, 0, 0}}, L"%X%"},
             {{REG_BINARY, {0, 0xff, 7}}, none},
             {{REG_BINARY, {}}, none},
             {{REG_SZ, {'a', 0}}, L"a"}}) { // without its NUL
        ASSERT_EQ(win32::createClassKey(L"Zt\\Typed", &key), ERROR_SUCCESS);
        EXPECT_EQ(win32::setStoredDefaultValue(key, typed), ERROR_SUCCESS);
        win32::closeClassKey(key);
        std::optional<win32::StoredValue> stored;
        std::optional<std::wstring> read = L"held";
        EXPECT_EQ(std::tuple(win32::readStoredDefaultValue(L"Zt\\Typed", &stored), win32::readDefaultValue(L"Zt\\Typed", &read)),
                  std::tuple(ERROR_SUCCESS, ERROR_SUCCESS));
        EXPECT_TRUE(stored && stored->type == typed.type && stored->data == typed.data) << typed.type;
        EXPECT_EQ(read, text) << typed.type;
    }
    // No default value, and no key: nothing, and untouched.
    std::optional<win32::StoredValue> stored = win32::StoredValue {REG_DWORD, {9}};
    EXPECT_EQ(win32::readStoredDefaultValue(L"Zt\\Missing", &stored), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(stored->data, std::vector<BYTE> {9});
    EXPECT_EQ(win32::readStoredDefaultValue(L"Zt", &stored), ERROR_SUCCESS);
    EXPECT_FALSE(stored.has_value());
    EXPECT_EQ(win32::deleteClassKey(L"Zt"), ERROR_SUCCESS);
    EXPECT_EQ(tree(L"Zt"), L"<error 2>\n");
}

// A file's bytes, "<missing>" when it cannot be read.
std::string read(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

// A fresh folder of `name` (any character: it goes through the wide calls) below the temporary folder.
std::wstring freshFolder(const std::wstring& name)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.wstring();
}

TEST(ProgramFolders, TheUserFolderReceivesTheLibraryAtEveryStartAndKeepsTheOldOneOnAFailure)
{
    const std::wstring source = freshFolder(L"Zelvane program") + L"\\Emul.icl";
    std::wstring error;
    const std::wstring folder = win32::userDataDirectory(&error);
    // The per-user application data, which needs no administrator rights, not the System folder.
    const wchar_t* localAppData = _wgetenv(L"LOCALAPPDATA");
    ASSERT_EQ(folder, std::wstring(localAppData ? localAppData : L"") + L"\\Zelvane") << error;
    const std::wstring target = folder + L"\\Emul.dll";
    const auto install = [&](const std::string& library) {
        std::ofstream(std::filesystem::path(source), std::ios::binary) << library;
        return win32::installIconLibrary(source, folder, &error);
    };
    for (const std::string library : {"first library", "a second, longer library", "a second, longer library"}) {
        ASSERT_TRUE(install(library)) << error;
        // The icon references name "emul.dll": the same file, as Windows names ignore case.
        EXPECT_EQ(read(folder + L"\\emul.dll") + read(target + L".new"), library + "<missing>");
    }
    // Explorer reads the icons of the copy and lets others read it too, but not replace it: the
    // same bytes are no failure, new ones are, naming the copy.
    HANDLE held = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(install("a second, longer library")) << error;
    EXPECT_TRUE(!install("a changed library") && error.find(target) != std::wstring::npos) << error;
    CloseHandle(held);
    // Where the new copy is written first cannot be written: named, the old copy kept.
    ASSERT_TRUE(CreateDirectoryW((target + L".new").c_str(), nullptr));
    EXPECT_TRUE(!install("new copy") && error.find(target + L".new") != std::wstring::npos) << error;
    RemoveDirectoryW((target + L".new").c_str());
    // A missing source is named, with the system's own words on the same line: "(error 2: <reason>)".
    DeleteFileW(source.c_str());
    const bool installed = win32::installIconLibrary(source, folder, &error);
    const size_t code = error.find(L"(error 2: ");
    EXPECT_TRUE(!installed && error.find(source) != std::wstring::npos && code != std::wstring::npos && code + 10 < error.size() - 1
                && error.find_first_of(L"\r\n") == std::wstring::npos) << error;
    EXPECT_EQ(read(target), "a second, longer library");

    const std::wstring program = win32::programDirectory(); // without a trailing separator
    EXPECT_TRUE(program.back() != L'\\' && read(program + L"\\zelvane_win32_tests.exe") != "<missing>") << program;
}

TEST(ProgramFolders, ACatalogueIsReadInAFolderOutsideTheAnsiCodePage)
{
    // "Zoë" fits the western code page, the Japanese and Greek names do not.
    const std::wstring catalogue = freshFolder(L"Zoë ゲーム Ωμέγα") + L"\\Zelvane.ini";
    std::ofstream(std::filesystem::path(catalogue), std::ios::binary) << "[Console]\r\n01=M\xe9gabo\xeete\r\n";
    char buffer[128] = {};
    EXPECT_EQ(win32::readProfileString("Console", "01", "", buffer, 127, catalogue), 9);
    EXPECT_STREQ(buffer, "M\xe9gabo\xeete");
    // What the program did before: the path through the ANSI code page names no file.
    std::string ansiPath(MAX_PATH * 2, '\0');
    ansiPath.resize(size_t(WideCharToMultiByte(CP_ACP, 0, catalogue.c_str(), -1, ansiPath.data(), int(ansiPath.size()),
                                               nullptr, nullptr)));
    EXPECT_EQ(GetPrivateProfileStringA("Console", "01", "", buffer, 127, ansiPath.c_str()), 0u);
}

TEST(IconPixels, TransparencyComesFromTheAlphaChannelOrFromTheMask)
{
    const struct {
        const char* kind;
        std::vector<std::uint32_t> colour; // empty: a monochrome icon
        std::vector<unsigned short> mask;  // bit 7 of a row's first byte is its left pixel
        std::vector<std::uint32_t> expected;
    } icons[] = {
        {"alpha", {0x80FF0000, 0x00123456, 0xFF00FF00, 0x400000FF}, {0x00, 0x00}, {0x80FF0000, 0x00000000, 0xFF00FF00, 0x400000FF}},
        {"mask", {0x00FF0000, 0x00123456, 0x0000FF00, 0x000000FF}, {0x40, 0x80}, {0xFFFF0000, 0x00000000, 0x00000000, 0xFF0000FF}},
        {"monochrome", {}, {0x40, 0x00, 0x00, 0xC0}, {0xFF000000, 0x00000000, 0xFFFFFFFF, 0xFFFFFFFF}},
    };
    for (const auto& icon : icons) {
        SCOPED_TRACE(icon.kind);
        // The mask two pixels wide, a row padded to 16 bits; the colour 32-bit, rows from the top.
        ICONINFO info {TRUE, 0, 0, CreateBitmap(2, int(icon.mask.size()), 1, 1, icon.mask.data()), nullptr};
        const BITMAPINFO colour {{sizeof(BITMAPINFOHEADER), 2, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        void* bits = nullptr;
        if (!icon.colour.empty()) {
            info.hbmColor = CreateDIBSection(nullptr, &colour, DIB_RGB_COLORS, &bits, nullptr, 0);
            std::copy(icon.colour.begin(), icon.colour.end(), static_cast<std::uint32_t*>(bits));
        }
        HICON handle = CreateIconIndirect(&info);
        const win32::IconPixels pixels = win32::iconPixels(handle);
        EXPECT_EQ(std::tuple(pixels.width, pixels.height, pixels.argb), std::tuple(2, 2, icon.expected));
        DestroyIcon(handle);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
    }
    EXPECT_TRUE(win32::iconPixels(nullptr).argb.empty());
}

} // namespace
