// What the desktop makes of an association: programs it cannot start, and the types of other
// programs' files that an extension would be taken from, asked of GIO.
#include "registry/DesktopCheck.h"

#include "DesktopTestSupport.h"
#include "TestEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

using registry::DesktopCheck;

namespace {

TEST(DesktopCheck, TellsWhichProgramsTheDesktopCannotStart)
{
    TestEnvironment env;
    const QString script = env.root() + "/my emu";
    TestEnvironment::writeFile(script, "#!/bin/sh\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner);
    TestEnvironment::writeFile(env.root() + "/plain", "not a program");
    const struct {
        QString command;
        const char* why; // nullptr: it can
    } cases[] = {
        {"sh -c true", nullptr},
        {"\"" + script + "\" \"%1\"", nullptr},
        {"", nullptr},
        {"no-such-emulator-here \"%1\"", "cannot be found on PATH"},
        {"\"" + env.root() + "/gone\" %1", "does not exist"},
        {env.root() + "/plain %1", "is not an executable program"},
        {"\"" + env.root() + "\" %1", "is not an executable program"},
        {"\"C:\\Emu\\snes9x.exe\" \"%1\"", "is a Windows program"},
        {"C:/Emu/snes9x \"%1\"", "is a Windows program"},
        {"emu.BAT %1", "is a Windows program"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command.toStdString());
        const auto problem = DesktopCheck::programProblem("Cart.Rom", c.command);
        ASSERT_EQ(problem.has_value(), c.why != nullptr);
        if (problem) {
            EXPECT_TRUE(problem->english.contains(" of the class \"Cart.Rom\" " + QString(c.why)))
                << problem->english.toStdString();
            EXPECT_TRUE(problem->english.endsWith(": the desktop will ignore this association."));
            EXPECT_TRUE(problem->french.contains(QString::fromUtf8("le bureau ignorera cette association")));
        }
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
    // No application of this home opens archives yet.
    EXPECT_EQ(DesktopCheck::claimsOf(extensions).value(0).type, QString());
    TestEnvironment::writeFile(env.dataHome() + "/applications/org.example.Archiver.desktop",
                               "[Desktop Entry]\nType=Application\nName=Archiver\nExec=/bin/true %f\n"
                               "MimeType=application/x-compressed-tar;application/x-zelvane-q;\n");
    ASSERT_EQ(desktoptest::run("update-desktop-database", {env.dataHome() + "/applications"}).exitCode, 0);
    const QList<platform::ExtensionClaim> claims = DesktopCheck::claimsOf(extensions);
    ASSERT_EQ(claims.size(), extensions.size());
    for (int i = 0; i < claims.size(); ++i) {
        EXPECT_EQ(claims[i].type, i < 2 ? "application/x-compressed-tar" : "") << extensions[i].toStdString();
        EXPECT_EQ(claims[i].applications, i < 2 ? QStringList("org.example.Archiver.desktop") : QStringList());
    }
}

} // namespace
