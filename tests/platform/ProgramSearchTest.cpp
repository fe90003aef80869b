// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a command's program is found: on PATH, in the folders a login shell adds, by its absolute
// path, and as an installed Flatpak application; in folders the test makes, whatever this machine has.
#include "TestEnvironment.h"
#include "platform/CommandProgram.h"
#include "platform/ProgramPlaces.h"

#include <gtest/gtest.h>

namespace {

class ProgramSearch : public ::testing::Test {
protected:
    ProgramSearch()
    {
        for (const QString& program : {path + "/emu", games + "/gamer", path + "/flatpak", env.root() + "/My Emu/emu"})
            TestEnvironment::writeProgram(program, "#!/bin/sh\n");
        TestEnvironment::writeFile(path + "/plain", "not a program");
        QDir().mkpath(path + "/folder");
        QDir().mkpath(env.dataHome() + "/flatpak/app/org.user.Emu");
        QDir().mkpath(systemFlatpak + "/app/org.system.Emu");
    }

    TestEnvironment env;
    const QString path = env.root() + "/path", games = env.root() + "/games", systemFlatpak = env.root() + "/flatpak";
};

// Each command, whether its program is found with PATH and a games folder, and the name it is told by.
const struct { const char* command; bool found; const char* name; } kCommands[] = {
    {"emu \"%1\"", true, "emu"}, {"\"emu\" \"%1\"", true, "emu"}, {"  emu", true, "emu"}, {"gamer %1", true, "gamer"},
    {"plain \"%1\"", false, "plain"}, {"folder \"%1\"", false, "folder"}, {"missing-emu \"%1\"", false, "missing-emu"},
    {"\"@/My Emu/emu\" \"%1\"", true, "@/My Emu/emu"}, {"@/My Emu/emu \"%1\"", false, "@/My"},
    {"\"@/nowhere/emu\" \"%1\"", false, "@/nowhere/emu"}, {"path/emu \"%1\"", false, "path/emu"},
    {"flatpak run org.user.Emu \"%1\"", true, "org.user.Emu"},
    {"flatpak run --branch=stable --arch=x86_64 org.system.Emu @@u \"%1\" @@", true, "org.system.Emu"},
    {"\"@/path/flatpak\" run org.user.Emu \"%1\"", true, "org.user.Emu"}, {"flatpak run org.absent.Emu \"%1\"", false, "org.absent.Emu"},
    {"flatpak \"%1\"", true, "flatpak"}, {"", false, ""},
};

QString withRoot(const char* text, const TestEnvironment& env) { return QString::fromUtf8(text).replace("@", env.root()); }

TEST_F(ProgramSearch, FindsProgramsInTheFoldersByPathAndAsFlatpakApplications)
{
    const platform::ProgramPlaces places({path, games}, {env.dataHome() + "/flatpak", systemFlatpak});
    for (const auto& row : kCommands) {
        const QString command = withRoot(row.command, env);
        SCOPED_TRACE(command.toStdString());
        EXPECT_EQ(!places.startedProgram(platform::commandWords(command)).isEmpty(), row.found);
        EXPECT_EQ(platform::commandProgramName(command), withRoot(row.name, env));
    }
    EXPECT_EQ(places.startedProgram({"flatpak", "run", "org.user.Emu"}), path + "/flatpak org.user.Emu");
    EXPECT_EQ(places.programPath("gamer"), games + "/gamer");
}

// This session's places: PATH, then the login folders PATH lacks (the games folder among them), and
// Flatpak's installations where its variables put them.
TEST_F(ProgramSearch, ThisSessionSearchesPathThenTheLoginFoldersAndFlatpaksInstallations)
{
    qputenv("PATH", (path + "::relative:/usr/bin").toLocal8Bit());
    qputenv("HOME", (env.root() + "/home").toLocal8Bit());
    qunsetenv("FLATPAK_USER_DIR");
    qputenv("FLATPAK_SYSTEM_DIR", systemFlatpak.toLocal8Bit());
    const platform::ProgramPlaces places = platform::ProgramPlaces::ofThisSession();
    const QString home = env.root() + "/home";
    EXPECT_EQ(places.folders(), QStringList({path, "/usr/bin", home + "/bin", home + "/.local/bin", "/usr/local/bin", "/bin",
                                             "/usr/local/games", "/usr/games"}));
    EXPECT_EQ(places.flatpakInstallations(), QStringList({env.dataHome() + "/flatpak", systemFlatpak}));
    qputenv("FLATPAK_USER_DIR", (env.root() + "/elsewhere").toLocal8Bit());
    EXPECT_EQ(platform::ProgramPlaces::ofThisSession().flatpakInstallations().value(0), env.root() + "/elsewhere");
    qunsetenv("FLATPAK_USER_DIR");
}

} // namespace
