// The per-user folder that receives the icon library, and the copy made at every start.
#include "TestFolder.h"

#include "platform/win32/ProgramFolders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

std::wstring knownFolder(REFKNOWNFOLDERID id)
{
    wchar_t* path = nullptr;
    SHGetKnownFolderPath(id, 0, nullptr, &path);
    const std::wstring folder = path ? path : L"";
    CoTaskMemFree(path);
    return folder;
}

std::string narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// The source in the program's folder and the copy in the per-user folder, as at start-up.
struct Start {
    TestFolder program {L"Zelvane program"};
    std::wstring source = program.file(L"Emul.icl");
    std::wstring folder;
    std::wstring error;

    Start() { folder = win32::userDataDirectory(&error); }
    bool install(const std::string& library)
    {
        TestFolder::write(source, library);
        return win32::installIconLibrary(source, folder, &error);
    }
};

TEST(ProgramFolders, TheUserFolderReceivesTheLibraryAtEveryStart)
{
    Start start;
    // The per-user application data, which needs no administrator rights, not the System folder.
    ASSERT_EQ(start.folder, knownFolder(FOLDERID_LocalAppData) + L"\\Zelvane") << narrow(start.error);
    EXPECT_EQ(start.folder.rfind(knownFolder(FOLDERID_Profile) + L"\\", 0), 0u);
    EXPECT_NE(GetFileAttributesW(start.folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);

    for (const std::string library : {"first library", "a second, longer library", "a second, longer library"}) {
        ASSERT_TRUE(start.install(library)) << narrow(start.error);
        EXPECT_EQ(TestFolder::read(start.folder + L"\\Emul.dll"), library);
        // The icon references name "emul.dll": the same file, as Windows names ignore case.
        EXPECT_EQ(TestFolder::read(start.folder + L"\\emul.dll"), library);
        EXPECT_EQ(GetFileAttributesW((start.folder + L"\\Emul.dll.new").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST(ProgramFolders, ACopyHeldOpenIsNoFailureWhileItHoldsTheSameBytes)
{
    Start start;
    ASSERT_TRUE(start.install("the library")) << narrow(start.error);
    // Explorer reads the icons of the copy and lets others read it too, but not replace it.
    const std::wstring target = start.folder + L"\\Emul.dll";
    HANDLE held = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(start.install("the library")) << narrow(start.error);
    EXPECT_FALSE(start.install("a changed library"));
    EXPECT_NE(start.error.find(target), std::wstring::npos) << narrow(start.error);
    CloseHandle(held);
    EXPECT_EQ(TestFolder::read(target), "the library");
    EXPECT_TRUE(start.install("a changed library")) << narrow(start.error);
    EXPECT_EQ(TestFolder::read(target), "a changed library");
}

TEST(ProgramFolders, ACopyThatCannotBeMadeIsNamedAndKeepsTheOldOne)
{
    Start start;
    ASSERT_TRUE(start.install("old copy"));
    const std::wstring fresh = start.folder + L"\\Emul.dll.new";
    ASSERT_TRUE(CreateDirectoryW(fresh.c_str(), nullptr)); // where the new copy is written first
    EXPECT_FALSE(start.install("new copy"));
    EXPECT_NE(start.error.find(fresh), std::wstring::npos) << narrow(start.error);
    RemoveDirectoryW(fresh.c_str());

    DeleteFileW(start.source.c_str());
    EXPECT_FALSE(win32::installIconLibrary(start.source, start.folder, &start.error));
    EXPECT_NE(start.error.find(start.source), std::wstring::npos) << narrow(start.error);
    // The system's own words for the error, on the same line: "(error 2: <reason>)".
    const size_t code = start.error.find(L"(error 2: ");
    EXPECT_TRUE(code != std::wstring::npos && code + 10 < start.error.size() - 1
                && start.error.find_first_of(L"\r\n") == std::wstring::npos)
        << narrow(start.error);
    EXPECT_EQ(TestFolder::read(start.folder + L"\\Emul.dll"), "old copy");
}

TEST(ProgramFolders, TheProgramFolderHoldsTheRunningProgram)
{
    const std::wstring folder = win32::programDirectory();
    EXPECT_NE(folder.back(), L'\\');
    EXPECT_NE(GetFileAttributesW((folder + L"\\zelvane_win32_tests.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
