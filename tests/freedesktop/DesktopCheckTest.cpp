// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktop makes of an association: programs it cannot start, and the types of other
// programs' files that an extension would be taken from, asked of GIO, with the applications that
// open them named as their entries name them. (The application files of a class open with is told
// in the wizard's Finish test.)
#include "freedesktop/DesktopApplications.h"
#include "freedesktop/DesktopCheck.h"

#include "RegistryTestSupport.h"

using registry::DesktopCheck;

TEST(DesktopCheck, TellsWhichProgramsTheDesktopCannotStart)
{
    TestEnvironment env;
    const QString script = env.root() + "/my emu";
    TestEnvironment::writeProgram(script, "#!/bin/sh\n");
    TestEnvironment::writeFile(env.root() + "/plain", "not a program");
    const std::pair<QString, const char*> cases[] = { // what the user is told; nullptr: the program can start
        {"sh -c true", nullptr}, {"\"" + script + "\" \"%1\"", nullptr}, {"", nullptr},
        {"\"" + env.root() + "/gone\" %1", "does not exist"}, {env.root() + "/plain %1", "is not an executable program"},
        {"\"" + env.root() + "\" %1", "is not an executable program"}, {"\"C:\\Emu\\snes9x.exe\" \"%1\"", "is a Windows program"},
        {"C:/Emu/snes9x \"%1\"", "is a Windows program"}, {"emu.BAT %1", "is a Windows program"},
    };
    for (const auto& [command, why] : cases) {
        SCOPED_TRACE(command.toStdString());
        const auto problem = DesktopCheck::programProblem("Cart.Rom", command);
        ASSERT_EQ(problem.has_value(), why != nullptr);
        if (!problem)
            continue;
        EXPECT_TRUE(problem->english.contains(" of the class \"Cart.Rom\" " + QString(why)) && problem->french.contains("le bureau ignorera")
                    && problem->english.endsWith(": the desktop will ignore this association.")) << problem->english.toStdString();
    }
}

TEST(DesktopCheck, AnExtensionIsClaimedByATypeOnlyWhenAnApplicationOpensIt)
{
    TestEnvironment env;
    const QStringList extensions = {"tar.gz", "TAR.GZ", "nes", "qqzz", "a/b", "zzq"};
    // A type of ours, which an entry of ours opens, is no other program's.
    TestEnvironment::writeFile(env.dataHome() + "/mime/packages/zelvane.xml",
                               "<?xml version=\"1.0\"?>\n<mime-info xmlns=\"http://www.freedesktop.org/standards/"
                               "shared-mime-info\"><mime-type type=\"application/x-zelvane-q\"><comment>Q</comment>"
                               "<glob pattern=\"*.zzq\"/></mime-type></mime-info>\n");
    ASSERT_EQ(desktoptest::run("update-mime-database", {env.dataHome() + "/mime"}).exitCode, 0);
    TestEnvironment::writeFile(env.dataHome() + "/applications/org.example.Archiver.desktop",
                               "[Desktop Entry]\nType=Application\nName=Archiver\nName[fr]=Archiveur\nExec=/bin/true %f\n"
                               "MimeType=application/x-compressed-tar;application/x-zelvane-q;\n");
    ASSERT_EQ(desktoptest::run("update-desktop-database", {env.dataHome() + "/applications"}).exitCode, 0);
    const QList<platform::ExtensionClaim> claims = DesktopCheck::claimsOf(extensions);
    ASSERT_EQ(claims.size(), extensions.size());
    for (int i = 0; i < claims.size(); ++i) {
        EXPECT_EQ(claims[i].type, i < 2 ? "application/x-compressed-tar" : "") << extensions[i].toStdString();
        EXPECT_EQ(claims[i].applications, i < 2 ? QStringList("Archiver") : QStringList());
        EXPECT_EQ(claims[i].frenchApplications, i < 2 ? QStringList("Archiveur") : QStringList());
    }
    // An application no entry describes is named by its ID, in both languages.
    EXPECT_EQ(registry::DesktopApplications::read().titleOf("no-such.desktop").french, "no-such.desktop");
}

