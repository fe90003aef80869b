// The Windows test program: the Win32 cores' own tests under GoogleTest, or one of the commands
// through which the Linux-side comparison asks the real Win32 calls for their answers.
#include "Commands.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using Command = int (*)(const std::wstring&, const std::wstring&);

const std::map<std::wstring, Command> kCommands = {
    {L"profile", commands::profileQueries},
    {L"registry-write", commands::registryWrites},
    {L"registry-read", commands::registryReads},
    {L"icons", commands::iconExtractions},
};

} // namespace

int main(int argc, char** argv)
{
    // The arguments as the user typed them, whatever the ANSI code page can hold.
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const auto command = count == 4 ? kCommands.find(arguments[1]) : kCommands.end();
    if (command != kCommands.end()) {
        const int status = command->second(arguments[2], arguments[3]);
        LocalFree(arguments);
        return status;
    }
    LocalFree(arguments);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
