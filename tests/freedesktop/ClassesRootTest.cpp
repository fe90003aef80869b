// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The classes root on Linux: the per-user hive file, where it is kept, what it answers, and left
// as it is, with nothing written or published, when it cannot be read.
#include "RegistryTestSupport.h"

#include <functional>
#include <sys/stat.h>

using platform::ClassesRoot;
using platform::Failure;
using regtest::keysOf;

namespace {

// One Finish of a class, its extension and its open command, in a classes root of its own, ended
// by the end of the sequence; told to `desktop` when given, else to the desktop.
QList<Failure> finish(const QString& className, const QString& extension, const platform::DesktopNotifier& desktop = {})
{
    const std::unique_ptr<ClassesRoot> root = platform::openClassesRoot({}, desktop);
    const std::pair<QString, QString> values[] = {{className, className}, {extension, className}, {className + "\\shell", "Jouer - Play"},
                                                  {className + "\\shell\\Jouer - Play\\command", "emu \"%1\""}};
    for (const auto& [path, data] : values) {
        ClassesRoot::Key key = 0;
        EXPECT_EQ(QList<long>({root->createKey(path, &key), root->setDefaultValue(key, data)}), QList<long>({0, 0})) << path.toStdString();
        root->closeKey(key);
    }
    return root->finishWrites({className});
}

} // namespace

TEST(ClassesRootLinux, AnUnreadableFileMakesTheFinishWriteNothing)
{
    const std::pair<std::function<void(const QString& path)>, const char*> cases[] = {
        {[](const QString& path) { TestEnvironment::writeFile(path, "garbage"); }, " could not be read (line 1: the first line is neither"},
        {[](const QString& path) { ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0); }, " could not be read (it is not a regular file)"},
    };
    for (const auto& [make, why] : cases) {
        SCOPED_TRACE(why);
        TestEnvironment env;
        ASSERT_TRUE(finish("First.Rom", ".fst").isEmpty());
        QFile::remove(env.hiveFile());
        make(env.hiveFile());
        const QMap<QString, QByteArray> before = desktoptest::contentsBelow(env.root());
        ASSERT_TRUE(before.contains(env.configHome() + "/mimeapps.list"));
        const QList<Failure> failures = finish("Second.Rom", ".snd");
        EXPECT_EQ(desktoptest::contentsBelow(env.root()), before);
        ASSERT_EQ(failures.size(), 1);
        EXPECT_TRUE(failures[0].english.startsWith("The associations file " + env.hiveFile() + why) && failures[0].english.contains("Nothing was written"))
            << failures[0].english.toStdString();
        EXPECT_TRUE(failures[0].french.contains(env.hiveFile()) && failures[0].french.contains("Rien n'a été écrit"));
    }

}

TEST(ClassesRootLinux, KeepsTheHiveInTheHomeFolderWithoutAnAbsoluteDataFolder)
{
    for (const char* dataHome : {"", "relative/data"}) {
        TestEnvironment env;
        QDir::setCurrent(env.root()); // so that a folder made where it should not be goes with the test's
        regtest::NotifyRecorder desktop;
        qputenv("HOME", QFile::encodeName(env.root() + "/home"));
        qputenv("XDG_DATA_HOME", dataHome);
        EXPECT_TRUE(finish("Cart.Rom", ".smc", desktop.notifier()).isEmpty());
        EXPECT_TRUE(desktoptest::readHive(env.root() + "/home/.local/share/zelvane/classes.reg").hasKey("Cart.Rom") && !QFileInfo::exists("relative")) << dataHome;
    }
}

// A hive that cannot be saved is reported once, with why, and the desktop is still told; what it
// could not be told comes after, in both languages.
TEST(ClassesRootLinux, ReportsAFileThatCannotBeSavedAndWhatTheDesktopCouldNotBeTold)
{
    TestEnvironment env;
    const QString hiveFolder = env.dataHome() + "/zelvane", applications = env.dataHome() + "/applications";
    TestEnvironment::writeFile(hiveFolder, "not a folder");
    TestEnvironment::writeFile(applications, "not a folder");
    const QList<Failure> failures = finish("Cart.Rom", ".smc");
    ASSERT_GE(failures.size(), 2);
    EXPECT_EQ(failures[0].english, "The associations could not be saved: the folder " + hiveFolder + " cannot be created.");
    EXPECT_TRUE(failures[0].french.startsWith("Les associations n'ont pas pu"));
    EXPECT_TRUE(failures[1].english.contains(applications) && failures[1].french.contains(applications));
    EXPECT_EQ(TestEnvironment::readFile(hiveFolder), "not a folder");
}

// Reads, deletions and handles answered with the registry's status codes; only what a sequence
// finishes is kept. (What a file that cannot be read answers is the change backup's test.)
TEST(ClassesRootLinux, ReadsAndDeletesAndKeepsOnlyWhatASequenceFinishes)
{
    using namespace platform;
    TestEnvironment env;
    regtest::NotifyRecorder desktop;
    ASSERT_TRUE(finish("Cart.Rom", ".smc", desktop.notifier()).isEmpty());
    const QByteArray before = TestEnvironment::readFile(env.hiveFile());
    const std::unique_ptr<ClassesRoot> root = desktop.open();
    std::optional<QString> smc, play, missing;
    QStringList names, none;
    ClassesRoot::Key key = 0;
    EXPECT_EQ(QList<long>({root->readDefaultValue(".SMC", &smc), root->readDefaultValue("Cart.Rom\\shell\\Jouer - Play", &play),
                           root->readSubkeys(QString(), &names), root->readDefaultValue("Missing", &missing), root->readSubkeys("Missing", &none),
                           root->deleteKey("Missing"), root->deleteKey(QString()), root->deleteKey("cart.rom\\SHELL"),
                           root->createKey(".smc", &key), root->deleteDefaultValue(key)}),
              QList<long>({StatusSuccess, StatusSuccess, StatusSuccess, StatusFileNotFound, StatusFileNotFound, StatusFileNotFound,
                           StatusInvalidParameter, StatusSuccess, StatusSuccess, StatusSuccess}));
    EXPECT_TRUE(smc == "Cart.Rom" && !play && names == QStringList({"Cart.Rom", ".smc"}));
    root->closeKey(key);
    EXPECT_EQ(QList<long>({root->deleteDefaultValue(key), root->setDefaultValue(key, "x"), root->readDefaultValue(".smc", &smc)}),
              QList<long>({StatusInvalidHandle, StatusInvalidHandle, StatusSuccess}));
    EXPECT_FALSE(smc.has_value());
    // Given up: the file is as it was.
    EXPECT_TRUE(root->endReading().isEmpty());
    EXPECT_EQ(TestEnvironment::readFile(env.hiveFile()), before);

    EXPECT_EQ(root->deleteKey("Cart.Rom\\shell"), StatusSuccess);
    ASSERT_EQ(root->createKey("Save", &key), StatusSuccess);
    EXPECT_TRUE(root->finishWrites({"Cart.Rom"}).isEmpty());
    EXPECT_EQ(keysOf(desktoptest::readHive(env.hiveFile())), QStringList({"Cart.Rom = Cart.Rom", ".smc = Cart.Rom", "Save"}));
}
