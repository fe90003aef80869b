// The per-user folder that receives the icon library, the copy made at every start, and a
// catalogue read from a folder whose name the ANSI code page cannot hold.
#include "platform/win32/ProfileReader.h"
#include "platform/win32/ProgramFolders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

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
    wchar_t* localAppData = nullptr;
    SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &localAppData);
    const std::wstring expected = std::wstring(localAppData ? localAppData : L"") + L"\\Zelvane";
    CoTaskMemFree(localAppData);
    ASSERT_EQ(folder, expected) << error;
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
    EXPECT_TRUE(install("a changed library")) << error;
    EXPECT_EQ(read(target), "a changed library");

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

} // namespace
