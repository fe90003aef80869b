// The classes root on Linux: the per-user hive file kept across runs, every line of it, and left
// as it is, with nothing written or published, when it cannot be read.
#include "platform/ClassesRoot.h"
#include "registry/HiveFile.h"
#include "registry/RegistryHive.h"

#include "DesktopTestSupport.h"
#include "NotifyRecorder.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QStringEncoder>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using platform::ClassesRoot;
using platform::ClassesRootFailure;
using registry::RegistryHive;

namespace {

// The keys one Finish writes for a class: the class, its extension and its open command.
QStringList keysOf(const QString& className, const QString& extension)
{
    return {className, className, extension, className, className + "\\shell", "Jouer - Play",
            className + "\\shell\\Jouer - Play\\command", "emu \"%1\""};
}

// One Finish, in a classes root of its own, ended by the end of the sequence.
QList<ClassesRootFailure> finish(const QString& className, const QString& extension)
{
    const std::unique_ptr<ClassesRoot> root = platform::openClassesRoot();
    const QStringList keys = keysOf(className, extension);
    for (qsizetype i = 0; i < keys.size(); i += 2) {
        ClassesRoot::Key key = 0;
        EXPECT_EQ(root->createKey(keys[i], &key), platform::StatusSuccess) << keys[i].toStdString();
        EXPECT_EQ(root->setDefaultValue(key, keys[i + 1]), platform::StatusSuccess) << keys[i].toStdString();
        root->closeKey(key);
    }
    return root->finishWrites({className});
}

} // namespace

// Each Finish adds to the file of the earlier ones (an extension takes its first spelling), to a
// hive of an earlier version and to one the user added to: no line is lost.
TEST(ClassesRootLinux, AddsEachFinishToTheFileAndLosesNothing)
{
    const QByteArray files[] = {
        "",
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CLASSES_ROOT\\Old.Rom]\r\n@=\"M\xC3\xA9ga\"\r\n\r\n",
        "Windows Registry Editor Version 5.00\n[HKEY_CLASSES_ROOT\\Old.Rom]\n@=\"x\"\n\"x\"=\"y\"\n"
        "[HKEY_CURRENT_USER\\Software\\Zelvane]\n\"Langue\"=\"FR\"\n",
    };
    for (const QByteArray& file : files) {
        SCOPED_TRACE(file.toStdString());
        TestEnvironment env;
        NotifyRecorder desktop;
        if (!file.isEmpty())
            TestEnvironment::writeFile(env.hiveFile(), file);
        EXPECT_TRUE(finish("First.Rom", ".fst").isEmpty());
        EXPECT_TRUE(finish("Second.Rom", ".FST").isEmpty());

        RegistryHive expected = file.isEmpty() ? RegistryHive() : RegistryHive::parse(file, nullptr).value();
        const QStringList keys = keysOf("First.Rom", ".fst") + keysOf("Second.Rom", ".FST");
        for (qsizetype i = 0; i < keys.size(); i += 2)
            expected.setDefaultValue(keys[i], keys[i + 1]);
        EXPECT_EQ(desktoptest::regText(TestEnvironment::readFile(env.hiveFile())), desktoptest::regText(expected.serialize()));
        EXPECT_EQ(desktoptest::readHive(env.hiveFile()).defaultValue(".fst"), "Second.Rom");
        EXPECT_EQ(desktop.told, QList<QStringList>({{"First.Rom"}, {"Second.Rom"}}));
    }
}

TEST(ClassesRootLinux, AnUnreadableFileMakesTheFinishWriteNothing)
{
    const struct {
        const char* name;
        std::function<void(const QString& path)> make;
        const char* why; // what the user is told, after the file's name
    } cases[] = {
        {"not a registry file", [](const QString& path) { TestEnvironment::writeFile(path, "garbage"); },
         " could not be read (line 1: the first line is neither"},
        {"UTF-16 cut in half a character",
         [](const QString& path) {
             TestEnvironment::writeFile(path, "\xFF\xFE" + QStringEncoder(QStringConverter::Utf16LE)(
                                                  QStringLiteral("REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT]")) + "!");
         },
         " could not be read (line 3: the file ends in the middle"},
        {"a folder", [](const QString& path) { QDir().mkpath(path); }, " could not be read (it is not a regular file)"},
        {"a named pipe", [](const QString& path) { ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0); },
         " could not be read (it is not a regular file)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnvironment env;
        ASSERT_TRUE(finish("First.Rom", ".fst").isEmpty());
        QFile::remove(env.hiveFile());
        c.make(env.hiveFile());
        const auto filesOf = [&env] {
            QMap<QString, QByteArray> files;
            for (const QString& path : desktoptest::filesBelow(env.root()))
                files.insert(path, QFileInfo(path).isFile() ? TestEnvironment::readFile(path) : QByteArray());
            return files;
        };
        const QMap<QString, QByteArray> before = filesOf();
        ASSERT_TRUE(before.contains(env.configHome() + "/mimeapps.list"));

        const QList<ClassesRootFailure> failures = finish("Second.Rom", ".snd");

        EXPECT_EQ(filesOf(), before);
        EXPECT_TRUE(QFileInfo::exists(env.hiveFile()));
        ASSERT_EQ(failures.size(), 1);
        EXPECT_TRUE(failures[0].english.startsWith("The associations file " + env.hiveFile() + c.why))
            << failures[0].english.toStdString();
        EXPECT_TRUE(failures[0].english.contains("Nothing was written"));
        EXPECT_TRUE(failures[0].french.contains(env.hiveFile()) && failures[0].french.contains("Rien n'a été écrit"));
    }

    // The file itself never replaces what it could not read; once it reads again, it is replaced.
    TestEnvironment env;
    registry::HiveFile file(env.hiveFile());
    RegistryHive hive;
    ASSERT_TRUE(hive.setDefaultValue("Cart.Rom", "Cart.Rom"));
    TestEnvironment::writeFile(env.hiveFile(), "garbage");
    EXPECT_FALSE(file.load().has_value());
    file.save(hive);
    EXPECT_EQ(TestEnvironment::readFile(env.hiveFile()), "garbage");
    EXPECT_EQ(file.failures().size(), 1);
    TestEnvironment::writeFile(env.hiveFile(), "REGEDIT4\r\n");
    ASSERT_TRUE(file.load().has_value());
    file.save(hive);
    EXPECT_TRUE(file.failures().isEmpty());
    EXPECT_EQ(desktoptest::readHive(env.hiveFile()).defaultValue("Cart.Rom"), "Cart.Rom");
}

TEST(ClassesRootLinux, KeepsTheHiveInTheHomeFolderWithoutAnAbsoluteDataFolder)
{
    const QByteArray oldHome = qgetenv("HOME");
    for (const char* dataHome : {"", "relative/data"}) {
        SCOPED_TRACE(dataHome);
        TestEnvironment env;
        NotifyRecorder desktop;
        qputenv("HOME", QFile::encodeName(env.root() + "/home"));
        qputenv("XDG_DATA_HOME", dataHome);
        EXPECT_TRUE(finish("Cart.Rom", ".smc").isEmpty());
        qputenv("HOME", oldHome);
        EXPECT_TRUE(desktoptest::readHive(env.root() + "/home/.local/share/zelvane/classes.reg").hasKey("Cart.Rom"));
        EXPECT_FALSE(QFileInfo::exists("relative"));
    }
}

// A hive that cannot be saved is reported, and the desktop is still told; what it could not be
// told comes after, in both languages.
TEST(ClassesRootLinux, ReportsAFileThatCannotBeSavedAndWhatTheDesktopCouldNotBeTold)
{
    TestEnvironment env;
    const QString hiveFolder = env.dataHome() + "/zelvane", applications = env.dataHome() + "/applications";
    // Files where the hive's folder and the desktop entries' folder should be.
    TestEnvironment::writeFile(hiveFolder, "not a folder");
    TestEnvironment::writeFile(applications, "not a folder");

    const QList<ClassesRootFailure> failures = finish("Cart.Rom", ".smc");

    ASSERT_GE(failures.size(), 2);
    EXPECT_TRUE(failures[0].english.contains(hiveFolder)) << failures[0].english.toStdString();
    EXPECT_TRUE(failures[0].french.startsWith("Les associations n'ont pas pu"));
    EXPECT_TRUE(failures[1].english.contains(applications)) << failures[1].english.toStdString();
    EXPECT_TRUE(failures[1].french.contains(applications)) << failures[1].french.toStdString();
    for (const ClassesRootFailure& failure : failures)
        EXPECT_NE(failure.english, failure.french);
    EXPECT_EQ(TestEnvironment::readFile(hiveFolder), "not a folder");
}

TEST(ClassesRootLinux, AnswersBadPathsAndHandlesWithTheirStatus)
{
    TestEnvironment env;
    NotifyRecorder desktop;
    const std::unique_ptr<ClassesRoot> root = platform::openClassesRoot();
    ClassesRoot::Key key = 0;
    EXPECT_EQ(root->createKey("\\shell", &key), platform::StatusBadPathName);
    EXPECT_EQ(root->setDefaultValue(12345, "x"), platform::StatusInvalidHandle);
    ASSERT_EQ(root->createKey("Cart.Rom", &key), platform::StatusSuccess);
    EXPECT_EQ(root->setDefaultValue(key, "two\nlines"), platform::StatusInvalidParameter);
    root->closeKey(key);
    EXPECT_EQ(root->setDefaultValue(key, "x"), platform::StatusInvalidHandle);
    // Half of a surrogate pair would not come back as the same text.
    EXPECT_EQ(root->createKey(QStringLiteral("Cart") + QChar(0xD83C), &key), platform::StatusBadPathName);
    ASSERT_EQ(root->createKey("Save", &key), platform::StatusSuccess);
    EXPECT_EQ(root->setDefaultValue(key, QChar(0xDFAE) + QStringLiteral("Rom")), platform::StatusInvalidParameter);
    EXPECT_TRUE(root->finishWrites({}).isEmpty());
    const RegistryHive hive = desktoptest::readHive(env.hiveFile());
    EXPECT_EQ(hive.subkeys(QString()), QStringList({"Cart.Rom", "Save"}));
    EXPECT_FALSE(hive.defaultValue("Save").has_value());
}

TEST(ClassesRootLinux, ReadsAndDeletesAndKeepsOnlyWhatASequenceFinishes)
{
    TestEnvironment env;
    NotifyRecorder desktop;
    ASSERT_TRUE(finish("Cart.Rom", ".smc").isEmpty());
    const QByteArray before = TestEnvironment::readFile(env.hiveFile());

    const std::unique_ptr<ClassesRoot> root = platform::openClassesRoot();
    std::optional<QString> value;
    EXPECT_EQ(root->readDefaultValue(".SMC", &value), platform::StatusSuccess);
    EXPECT_EQ(value, "Cart.Rom");
    EXPECT_EQ(root->readDefaultValue("Cart.Rom\\shell\\Jouer - Play", &value), platform::StatusSuccess);
    EXPECT_FALSE(value.has_value());
    EXPECT_EQ(root->readDefaultValue("Missing", &value), platform::StatusFileNotFound);
    QStringList names;
    EXPECT_EQ(root->readSubkeys(QString(), &names), platform::StatusSuccess);
    EXPECT_EQ(names, QStringList({"Cart.Rom", ".smc"}));
    EXPECT_EQ(root->readSubkeys("Missing", &names), platform::StatusFileNotFound);

    EXPECT_EQ(root->deleteKey(QString()), platform::StatusInvalidParameter);
    EXPECT_EQ(root->deleteKey("Missing"), platform::StatusFileNotFound);
    EXPECT_EQ(root->deleteKey("cart.rom\\SHELL"), platform::StatusSuccess);
    ClassesRoot::Key key = 0;
    ASSERT_EQ(root->createKey(".smc", &key), platform::StatusSuccess);
    EXPECT_EQ(root->deleteDefaultValue(key), platform::StatusSuccess);
    root->closeKey(key);
    EXPECT_EQ(root->deleteDefaultValue(key), platform::StatusInvalidHandle);
    EXPECT_EQ(root->readDefaultValue(".smc", &value), platform::StatusSuccess);
    EXPECT_FALSE(value.has_value());
    // Given up: the file is as it was.
    EXPECT_TRUE(root->endReading().isEmpty());
    EXPECT_EQ(TestEnvironment::readFile(env.hiveFile()), before);

    EXPECT_EQ(root->deleteKey("Cart.Rom\\shell"), platform::StatusSuccess);
    EXPECT_TRUE(root->finishWrites({"Cart.Rom"}).isEmpty());
    const RegistryHive hive = desktoptest::readHive(env.hiveFile());
    EXPECT_FALSE(hive.hasKey("Cart.Rom\\shell"));
    EXPECT_TRUE(hive.hasKey("Cart.Rom"));

    // A file that cannot be read answers every read so, and says why when given up.
    TestEnvironment::writeFile(env.hiveFile(), "garbage");
    EXPECT_EQ(root->readDefaultValue(".smc", &value), platform::StatusRegistryCorrupt);
    EXPECT_EQ(root->readSubkeys(QString(), &names), platform::StatusRegistryCorrupt);
    const QList<ClassesRootFailure> failures = root->endReading();
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].english.contains(env.hiveFile()));
    EXPECT_EQ(TestEnvironment::readFile(env.hiveFile()), "garbage");
    EXPECT_EQ(platform::backupFolder(), env.dataHome() + "/zelvane/backups");
}
