// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The installed applications that open a console's files, read from desktop entries the test
// writes, and their Exec values turned into open commands.
#include "DesktopTestSupport.h"
#include "TestEnvironment.h"
#include "freedesktop/ExecCommand.h"
#include "platform/InstalledApplications.h"

#include <gtest/gtest.h>

namespace {

// Each Exec value as written in an entry (<bin> for the test's program folder) and the open command
// it becomes, "-" for an entry that opens no file or cannot be read. (What our entry for a command
// runs is the Exec tests'.)
TEST(ExecCommand, EveryExecThatOpensAFileBecomesAnOpenCommand)
{
    TestEnvironment env;
    const QString folder = env.root() + "/bin";
    TestEnvironment::writeProgram(folder + "/emu", "#!/bin/sh\n");
    const platform::ProgramPlaces places({folder}, {});
    const std::pair<const char*, const char*> rows[] = {
        {"emu %F", "\"<bin>/emu\" \"%1\""}, {"emu %u", "\"<bin>/emu\" \"%1\""}, {"emu --fullscreen %f", "\"<bin>/emu\" --fullscreen \"%1\""},
        {"emu -i %i -c %c %k %d %f", "\"<bin>/emu\" -i -c \"%1\""}, {"\"emu\" \"--title=A B\" %f", "\"<bin>/emu\" \"--title=A B\" \"%1\""},
        {"emu --rom=%f", "\"<bin>/emu\" \"--rom=%1\""}, {"emu 100%% 50%%1 5% %f", "\"<bin>/emu\" 100%% 50%%1 5%% \"%1\""},
        {"emu \"say \\\\\"hi\\\\\" \\\\$HOME\" %f", "\"<bin>/emu\" \"say \\\"hi\\\" $HOME\" \"%1\""},
        {"emu \"C:\\\\\\\\dir\\\\\\\\\" \"\" %f", "\"<bin>/emu\" C:\\dir\\ \"\" \"%1\""}, {"emu\\s--x\\t%f", "\"<bin>/emu\" --x \"%1\""},
        {"emu \"a\\\\\\\\ b\\\\\\\\\" %f", "\"<bin>/emu\" \"a\\ b\\\\\" \"%1\""}, {"/opt/absent/emu %f", "\"/opt/absent/emu\" \"%1\""}, {"absent-emu %f", "\"absent-emu\" \"%1\""},
        {"emu", "-"}, {"emu --window %i", "-"}, {"emu \"%f", "-"}, {"", "-"},
    };
    for (const auto& [exec, command] : rows)
        EXPECT_EQ(registry::ExecCommand::toCommand(QString::fromUtf8(exec), places).value_or("-"), QString::fromUtf8(command).replace("<bin>", folder)) << exec;
}

// The applications whose entries name a type the system gives the extensions: the user's entry of
// an ID before the system's, entries in subfolders by their desktop ID, and not the hidden ones,
// those whose TryExec is missing, those of other types, nor ours.
TEST(InstalledApplications, ListsTheEntriesThatOpenTheSystemsTypesOfTheExtensions)
{
    TestEnvironment env;
    const QString system = env.ownSystemData() + "/applications", user = env.dataHome() + "/applications";
    TestEnvironment::writeProgram(env.root() + "/bin/emu", "#!/bin/sh\n");
    qputenv("PATH", (env.root() + "/bin").toLocal8Bit());
    const auto entry = [](const QString& path, const QByteArray& keys) {
        TestEnvironment::writeFile(path, "[Desktop Entry]\nType=Application\n" + keys + "\n[Desktop Action Other]\nExec=other %f\n");
    };
    entry(system + "/org.example.Nes.desktop", "Name=System Nes\nExec=emu %f\nMimeType=application/x-nes-rom;");
    entry(user + "/org.example.Nes.desktop", "Name=User Nes\nIcon=user-nes\nExec=emu --full %f\nMimeType=text/plain;application/x-nes-rom;");
    entry(system + "/games/disk.desktop", "Name=Disk\\sPlayer\nExec=emu %U\nMimeType=application/x-fds-disk;application/x-nes-rom;");
    entry(system + "/hidden.desktop", "Name=Hidden\nHidden=true\nExec=emu %f\nMimeType=application/x-nes-rom;");
    entry(system + "/tryexec.desktop", "Name=Try\nTryExec=absent-emu\nExec=emu %f\nMimeType=application/x-nes-rom;");
    entry(system + "/text.desktop", "Name=Text\nExec=emu %f\nMimeType=text/plain;");
    entry(user + "/zelvane-nes.desktop", "Name=Ours\nExec=emu %f\nMimeType=application/x-zelvane-nes;");

    const std::optional<platform::FileTypeApplications> found = platform::applicationsOpening({"nes", "FDS", "zzq"});
    ASSERT_TRUE(found);
    EXPECT_EQ(found->fileTypes, QStringList({"application/x-nes-rom", "application/x-fds-disk", ""}));
    QStringList listed;
    for (const platform::InstalledApplication& application : found->applications)
        listed << QStringList({application.desktopId, application.name, application.icon, application.command.value_or("-"),
                               application.fileTypes.join(',')}).join(" | ");
    const QString emu = '"' + env.root() + "/bin/emu\"";
    EXPECT_EQ(listed, QStringList({"org.example.Nes.desktop | User Nes | user-nes | " + emu + " --full \"%1\" | application/x-nes-rom",
                                   "games-disk.desktop | Disk Player |  | " + emu + " \"%1\" | application/x-fds-disk,application/x-nes-rom"}));
    for (const char* id : {"text.desktop", "games-disk.desktop"})
        EXPECT_TRUE(platform::installedApplication(id)) << id;
    for (const char* id : {"hidden.desktop", "tryexec.desktop", "zelvane-nes.desktop", "absent.desktop", "games/disk.desktop"})
        EXPECT_FALSE(platform::installedApplication(id)) << id;
}

} // namespace
