// The system folder, the copy of the icon library, and the per-user settings store.
#include "TestEnvironment.h"
#include "platform/ProgramFiles.h"
#include "platform/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

TEST(ProgramFiles, SystemDirectoryIsCreatedUnderTheDataHome)
{
    TestEnvironment env;
    QString error;
    const QString dir = platform::systemDirectory(&error);
    EXPECT_EQ(dir, env.dataHome() + "/zelvane") << error.toStdString();
    EXPECT_TRUE(QFileInfo(dir).isDir());
    EXPECT_FALSE(dir.endsWith('/'));
}

TEST(ProgramFiles, SystemDirectoryThatCannotBeCreatedIsAnError)
{
    TestEnvironment env;
    // A file stands where the folder should be created.
    TestEnvironment::writeFile(env.root() + "/blocked", "x");
    qputenv("XDG_DATA_HOME", (env.root() + "/blocked").toLocal8Bit());
    QString error;
    EXPECT_TRUE(platform::systemDirectory(&error).isEmpty());
    EXPECT_TRUE(error.contains("blocked")) << error.toStdString();
}

TEST(ProgramFiles, IconLibraryReplacesTheOldCopyAndBothNamesReachIt)
{
    TestEnvironment env;
    QString error;
    const QString systemDir = platform::systemDirectory(&error);
    TestEnvironment::writeFile(systemDir + "/Emul.dll", "an old library that is longer than the new one");
    TestEnvironment::writeFile(env.programDir() + "/Emul.icl", "new library");
    ASSERT_TRUE(platform::installIconLibrary(env.programDir() + "/Emul.icl", systemDir, &error))
        << error.toStdString();
    EXPECT_EQ(TestEnvironment::readFile(systemDir + "/Emul.dll"), "new library");
    EXPECT_EQ(TestEnvironment::readFile(systemDir + "/emul.dll"), "new library");
    // A second start copies again over the same two names.
    TestEnvironment::writeFile(env.programDir() + "/Emul.icl", "newer library");
    ASSERT_TRUE(platform::installIconLibrary(env.programDir() + "/Emul.icl", systemDir, &error));
    EXPECT_EQ(TestEnvironment::readFile(systemDir + "/emul.dll"), "newer library");
    EXPECT_EQ(QDir(systemDir).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
}

TEST(ProgramFiles, MissingIconLibraryIsAnErrorAndKeepsTheOldCopy)
{
    TestEnvironment env;
    QString error;
    const QString systemDir = platform::systemDirectory(&error);
    TestEnvironment::writeFile(systemDir + "/Emul.dll", "old");
    EXPECT_FALSE(platform::installIconLibrary(env.programDir() + "/Emul.icl", systemDir, &error));
    EXPECT_TRUE(error.contains("Emul.icl")) << error.toStdString();
    EXPECT_EQ(TestEnvironment::readFile(systemDir + "/Emul.dll"), "old");
}

TEST(Settings, MissingKeyReadsEmptyAndWritesLandInTheConfigFile)
{
    TestEnvironment env;
    EXPECT_EQ(platform::GetSetting("Zelvane", "Options", "Langue"), QString());
    ASSERT_TRUE(platform::SaveSetting("Zelvane", "Options", "Langue", "FR"));
    ASSERT_TRUE(platform::SaveSetting("Zelvane", "Options", "Niveau", "Expert"));
    EXPECT_EQ(platform::GetSetting("Zelvane", "Options", "Langue"), "FR");
    const QByteArray stored = TestEnvironment::readFile(env.configHome() + "/Zelvane/Zelvane.conf");
    EXPECT_TRUE(stored.contains("[Options]")) << stored.toStdString();
    EXPECT_TRUE(stored.contains("Langue=FR"));
    EXPECT_TRUE(stored.contains("Niveau=Expert"));
}

} // namespace
