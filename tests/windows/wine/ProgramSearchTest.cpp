// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program search's own tests: where Windows finds the program of a command line through its
// path, PATH or an App Paths key that the test writes for the user.
#include "platform/win32/ProgramSearch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

const std::wstring kAppPaths = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

// A folder of emulators, one on PATH, and App Paths keys of the user naming files in them; the
// keys, PATH and the current folder are put back even when a test fails.
class ProgramSearchPlaces : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::remove_all(folder);
        for (const std::filesystem::path& file : {apps / L"nestopia.exe", onPath / L"zeltfceux.exe", apps / L"zeltapp.exe",
                                                 apps / L"zeltexpanded.exe", apps / L"noext"}) {
            std::filesystem::create_directories(file.parent_path());
            std::ofstream(file) << "MZ";
        }
        std::filesystem::create_directories(apps / L"folder.exe");
        oldPath.resize(32767);
        oldPath.resize(GetEnvironmentVariableW(L"PATH", oldPath.data(), DWORD(oldPath.size())));
        SetEnvironmentVariableW(L"PATH", (onPath.wstring() + L";" + oldPath).c_str());
        std::filesystem::current_path(folder);
        for (const auto& [name, type, value] : appPaths)
            ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (kAppPaths + name).c_str(), nullptr, type, value.c_str(),
                                      DWORD((value.size() + 1) * sizeof(wchar_t))), ERROR_SUCCESS) << name;
    }
    void TearDown() override
    {
        for (const auto& entry : appPaths)
            RegDeleteTreeW(HKEY_CURRENT_USER, (kAppPaths + std::get<0>(entry)).c_str());
        SetEnvironmentVariableW(L"PATH", oldPath.c_str());
        std::filesystem::current_path(folder.parent_path());
        std::filesystem::remove_all(folder);
    }

    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"ZelvaneProgramSearch";
    const std::filesystem::path apps = folder / L"Emul With Spaces";
    const std::filesystem::path onPath = folder / L"OnPath";
    const std::vector<std::tuple<std::wstring, DWORD, std::wstring>> appPaths {
        {L"zeltapp.exe", REG_SZ, (apps / L"zeltapp.exe").wstring()},
        {L"zeltquoted.exe", REG_SZ, L"\"" + (apps / L"zeltapp.exe").wstring() + L"\""},
        {L"zeltexpand.exe", REG_EXPAND_SZ, L"%TEMP%\\ZelvaneProgramSearch\\Emul With Spaces\\zeltexpanded.exe"},
        {L"zeltmissing.exe", REG_SZ, (apps / L"missing.exe").wstring()},
        {L"zeltfceux.exe", REG_SZ, (apps / L"zeltapp.exe").wstring()}}; // PATH comes first
    std::wstring oldPath;
};

TEST_F(ProgramSearchPlaces, AProgramIsFoundWhereWindowsStartsIt)
{
    const std::wstring nestopia = (apps / L"nestopia.exe").wstring();
    const std::wstring fceux = (onPath / L"zeltfceux.exe").wstring();
    const std::wstring app = (apps / L"zeltapp.exe").wstring();
    for (const auto& [commandLine, found] : std::initializer_list<std::pair<std::wstring, std::wstring>> {
             // The first word, quoted or not (an unclosed quote runs to the end), a path with or
             // without ".exe", absolute or from the current folder.
             {L"\"" + nestopia + L"\" \"%1\"", nestopia},
             {L"\"" + nestopia, nestopia},
             {L"\"" + (apps / L"nestopia").wstring() + L"\" \"%1\"", nestopia},
             {nestopia + L" \"%1\"", L""}, // "...\Emul" is no program
             {L"\".\\Emul With Spaces\\zeltapp.exe\"", app},
             {(apps / L"noext").wstring() + L" \"%1\"", L""}, // Windows looks for noext.exe only
             {(apps / L"folder.exe").wstring(), L""},
             // A bare name on PATH, before its App Paths key.
             {L" \tzeltfceux\t\"%1\"", fceux},
             {L"zeltnowhere \"%1\"", L""},
             // A bare name through App Paths only: the value plain, quoted or with variables.
             {L"zeltapp \"%1\"", app},
             {L"zeltapp.exe \"%1\"", app},
             {L"zeltquoted %1", app},
             {L"zeltexpand \"%1\"", (apps / L"zeltexpanded.exe").wstring()},
             {L"zeltmissing \"%1\"", L""},
             {L"\"\" \"%1\"", L""},
             {L" \t ", L""}})
        EXPECT_EQ(win32::findCommandProgram(commandLine), found) << commandLine;
}

} // namespace
