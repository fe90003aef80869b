// Our profile reader on a catalogue whose folder the ANSI code page cannot name.
#include "TestFolder.h"

#include "platform/win32/ProfileReader.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(ProfileReader, ReadsACatalogueInAFolderOutsideTheAnsiCodePage)
{
    // "Zoë" fits the western code page, the Japanese and Greek names do not.
    const TestFolder program(L"Zoë ゲーム Ωμέγα");
    const std::wstring catalogue = program.file(L"Zelvane.ini");
    ASSERT_TRUE(TestFolder::write(catalogue, "[Console]\r\n01=M\xe9gabo\xeete\r\n"));

    char buffer[128] = {};
    EXPECT_EQ(win32::readProfileString("Console", "01", "", buffer, 127, catalogue), 9);
    EXPECT_STREQ(buffer, "M\xe9gabo\xeete");

    // What the program did before: the path through the ANSI code page names no file, and the
    // console list stayed empty.
    std::string ansiPath(MAX_PATH * 2, '\0');
    ansiPath.resize(size_t(WideCharToMultiByte(CP_ACP, 0, catalogue.c_str(), -1, ansiPath.data(),
                                               int(ansiPath.size()), nullptr, nullptr)));
    EXPECT_EQ(GetPrivateProfileStringA("Console", "01", "", buffer, 127, ansiPath.c_str()), 0u);
}

} // namespace
