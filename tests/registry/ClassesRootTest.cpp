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

void write(ClassesRoot& root, const QString& path, const QString& data)
{
    ClassesRoot::Key key = 0;
    ASSERT_EQ(root.createKey(path, &key), platform::StatusSuccess) << path.toStdString();
    ASSERT_EQ(root.setDefaultValue(key, data), platform::StatusSuccess) << path.toStdString();
    root.closeKey(key);
}

// One Finish: a class with its extension and open command, then the end of the sequence.
QList<ClassesRootFailure> finish(const QString& className, const QString& extension)
{
    const std::unique_ptr<ClassesRoot> root = platform::openClassesRoot();
    write(*root, className, className);
    write(*root, extension, className);
    write(*root, className + QStringLiteral("\\shell"), QStringLiteral("Jouer - Play"));
    write(*root, className + QStringLiteral("\\shell\\Jouer - Play\\command"), QStringLiteral("emu \"%1\""));
    return root->finishWrites({className});
}

RegistryHive hiveOf(const QByteArray& file)
{
    RegistryHive::ReadError error;
    return RegistryHive::parse(file, &error).value_or(RegistryHive());
}

// The regular files below the test's folders, with their bytes.
QMap<QString, QByteArray> filesOf(const TestEnvironment& env)
{
    QMap<QString, QByteArray> files;
    for (const QString& path : desktoptest::filesBelow(env.root())) {
        if (QFileInfo(path).isFile())
            files.insert(path, TestEnvironment::readFile(path));
    }
    return files;
}

// Sets HOME for one step of a test.
class HomeFolder {
public:
    explicit HomeFolder(const QString& path)
        : m_old(qgetenv("HOME"))
    {
        qputenv("HOME", path.toLocal8Bit());
    }
    ~HomeFolder() { qputenv("HOME", m_old); }
    HomeFolder(const HomeFolder&) = delete;
    HomeFolder& operator=(const HomeFolder&) = delete;

private:
    QByteArray m_old;
};

} // namespace

TEST(ClassesRootLinux, KeepsEarlierAssociationsAcrossRuns)
{
    TestEnvironment env;
    NotifyRecorder desktop;
    {
        const std::unique_ptr<ClassesRoot> root = platform::openClassesRoot();
        write(*root, QStringLiteral("First.Rom"), QStringLiteral("First.Rom"));
        write(*root, QStringLiteral(".fst"), QStringLiteral("First.Rom"));
        EXPECT_TRUE(root->finishWrites({QStringLiteral("First.Rom")}).isEmpty());
    }
    const std::unique_ptr<ClassesRoot> root = platform::openClassesRoot();
    write(*root, QStringLiteral("Second.Rom"), QStringLiteral("Second.Rom"));
    write(*root, QStringLiteral(".FST"), QStringLiteral("Second.Rom"));
    EXPECT_TRUE(root->finishWrites({QStringLiteral("Second.Rom")}).isEmpty());

    const RegistryHive hive = desktoptest::readHive(env.hiveFile());
    EXPECT_EQ(hive.defaultValue(QStringLiteral("First.Rom")), QStringLiteral("First.Rom"));
    EXPECT_EQ(hive.defaultValue(QStringLiteral("Second.Rom")), QStringLiteral("Second.Rom"));
    EXPECT_EQ(hive.defaultValue(QStringLiteral(".fst")), QStringLiteral("Second.Rom"));
    EXPECT_EQ(hive.subkeys(QString()),
              QStringList({QStringLiteral("First.Rom"), QStringLiteral(".fst"), QStringLiteral("Second.Rom")}));
    EXPECT_EQ(desktop.told, QList<QStringList>({{QStringLiteral("First.Rom")}, {QStringLiteral("Second.Rom")}}));
}

TEST(ClassesRootLinux, AddsToEveryFileItCanReadAndLosesNothing)
{
    const QByteArray files[] = {
        // A hive of an earlier version: UTF-8.
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CLASSES_ROOT\\Old.Rom]\r\n@=\"M\xC3\xA9ga\"\r\n\r\n",
        // A hive the user added to: a named value, another root.
        "Windows Registry Editor Version 5.00\n[HKEY_CLASSES_ROOT\\Old.Rom]\n@=\"x\"\n\"x\"=\"y\"\n"
        "[HKEY_CURRENT_USER\\Software\\Zelvane]\n\"Langue\"=\"FR\"\n",
    };
    for (const QByteArray& file : files) {
        SCOPED_TRACE(file.toStdString());
        TestEnvironment env;
        NotifyRecorder desktop;
        TestEnvironment::writeFile(env.hiveFile(), file);
        EXPECT_TRUE(finish(QStringLiteral("New.Rom"), QStringLiteral(".new")).isEmpty());

        RegistryHive expected = hiveOf(file);
        ASSERT_TRUE(expected.hasKey(QStringLiteral("Old.Rom")));
        expected.setDefaultValue(QStringLiteral("New.Rom"), QStringLiteral("New.Rom"));
        expected.setDefaultValue(QStringLiteral(".new"), QStringLiteral("New.Rom"));
        expected.setDefaultValue(QStringLiteral("New.Rom\\shell"), QStringLiteral("Jouer - Play"));
        expected.setDefaultValue(QStringLiteral("New.Rom\\shell\\Jouer - Play\\command"), QStringLiteral("emu \"%1\""));
        EXPECT_EQ(TestEnvironment::readFile(env.hiveFile()), expected.serialize());
        EXPECT_EQ(desktop.told, QList<QStringList>({{QStringLiteral("New.Rom")}}));
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
        {"a folder", [](const QString& path) { QDir().mkpath(path); },
         " could not be read (it is not a regular file)"},
        {"a named pipe", [](const QString& path) { ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0); },
         " could not be read (it is not a regular file)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnvironment env;
        ASSERT_TRUE(finish(QStringLiteral("First.Rom"), QStringLiteral(".fst")).isEmpty());
        QFile::remove(env.hiveFile());
        c.make(env.hiveFile());
        const QMap<QString, QByteArray> before = filesOf(env);
        ASSERT_TRUE(before.contains(env.configHome() + QStringLiteral("/mimeapps.list")));

        const QList<ClassesRootFailure> failures = finish(QStringLiteral("Second.Rom"), QStringLiteral(".snd"));

        EXPECT_EQ(filesOf(env), before);
        EXPECT_TRUE(QFileInfo::exists(env.hiveFile()));
        ASSERT_EQ(failures.size(), 1);
        EXPECT_TRUE(failures[0].english.startsWith(QStringLiteral("The associations file ") + env.hiveFile()
                                                   + QString::fromUtf8(c.why)))
            << failures[0].english.toStdString();
        EXPECT_TRUE(failures[0].english.contains(QStringLiteral("Nothing was written")));
        EXPECT_TRUE(failures[0].french.contains(env.hiveFile()));
        EXPECT_TRUE(failures[0].french.contains(QStringLiteral("Rien n'a été écrit")));
    }
}

TEST(ClassesRootLinux, TheFileNeverReplacesWhatItCouldNotRead)
{
    TestEnvironment env;
    registry::HiveFile file(env.hiveFile());
    RegistryHive hive;
    ASSERT_TRUE(hive.setDefaultValue(QStringLiteral("Cart.Rom"), QStringLiteral("Cart.Rom")));
    TestEnvironment::writeFile(env.hiveFile(), "garbage");

    EXPECT_FALSE(file.load().has_value());
    file.save(hive);
    EXPECT_EQ(TestEnvironment::readFile(env.hiveFile()), "garbage");
    EXPECT_EQ(file.failures().size(), 1);

    // Once the file reads again, it is replaced.
    TestEnvironment::writeFile(env.hiveFile(), "REGEDIT4\r\n");
    ASSERT_TRUE(file.load().has_value());
    file.save(hive);
    EXPECT_TRUE(file.failures().isEmpty());
    EXPECT_EQ(desktoptest::readHive(env.hiveFile()).defaultValue(QStringLiteral("Cart.Rom")), QStringLiteral("Cart.Rom"));
}

TEST(ClassesRootLinux, KeepsTheHiveInTheHomeFolderWithoutAnAbsoluteDataFolder)
{
    for (const char* dataHome : {"", "relative/data"}) {
        SCOPED_TRACE(dataHome);
        TestEnvironment env;
        NotifyRecorder desktop;
        const HomeFolder home(env.root() + QStringLiteral("/home"));
        qputenv("XDG_DATA_HOME", dataHome);
        EXPECT_TRUE(finish(QStringLiteral("Cart.Rom"), QStringLiteral(".smc")).isEmpty());
        EXPECT_TRUE(desktoptest::readHive(env.root() + QStringLiteral("/home/.local/share/zelvane/classes.reg"))
                        .hasKey(QStringLiteral("Cart.Rom")));
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("relative")));
    }
}

TEST(ClassesRootLinux, ReportsAFileThatCannotBeSavedAndStillTellsTheDesktop)
{
    TestEnvironment env;
    const ClassesRootFailure publishing {QStringLiteral("Could not write x"), QStringLiteral("Impossible d'écrire x")};
    NotifyRecorder desktop({publishing});
    // A file where the hive's folder should be: no file can be created below it.
    TestEnvironment::writeFile(env.dataHome() + QStringLiteral("/zelvane"), "not a folder");

    const std::unique_ptr<ClassesRoot> root = platform::openClassesRoot();
    write(*root, QStringLiteral("Cart.Rom"), QStringLiteral("Cart.Rom"));
    const QList<ClassesRootFailure> failures = root->finishWrites({QStringLiteral("Cart.Rom")});

    ASSERT_EQ(failures.size(), 2);
    EXPECT_TRUE(failures[0].english.contains(env.dataHome() + QStringLiteral("/zelvane")))
        << failures[0].english.toStdString();
    EXPECT_TRUE(failures[0].french.startsWith(QStringLiteral("Les associations n'ont pas pu")));
    EXPECT_EQ(failures[1].english, publishing.english);
    EXPECT_EQ(failures[1].french, publishing.french);
    EXPECT_EQ(desktop.told.size(), 1);
    EXPECT_EQ(TestEnvironment::readFile(env.dataHome() + QStringLiteral("/zelvane")), "not a folder");
}

TEST(ClassesRootLinux, PassesOnWhatTheDesktopCouldNotBeToldInBothLanguages)
{
    TestEnvironment env;
    const QString applications = env.dataHome() + QStringLiteral("/applications");
    TestEnvironment::writeFile(applications, "a file where the desktop entries go");

    const QList<ClassesRootFailure> failures = finish(QStringLiteral("Cart.Rom"), QStringLiteral(".smc"));

    ASSERT_FALSE(failures.isEmpty());
    EXPECT_TRUE(failures[0].english.contains(applications)) << failures[0].english.toStdString();
    EXPECT_TRUE(failures[0].french.contains(applications)) << failures[0].french.toStdString();
    for (const ClassesRootFailure& failure : failures)
        EXPECT_NE(failure.english, failure.french);
}

TEST(ClassesRootLinux, AnswersBadPathsAndHandlesWithTheirStatus)
{
    TestEnvironment env;
    NotifyRecorder desktop;
    const std::unique_ptr<ClassesRoot> root = platform::openClassesRoot();
    ClassesRoot::Key key = 0;
    EXPECT_EQ(root->createKey(QStringLiteral("\\shell"), &key), platform::StatusBadPathName);
    EXPECT_EQ(root->setDefaultValue(12345, QStringLiteral("x")), platform::StatusInvalidHandle);
    ASSERT_EQ(root->createKey(QStringLiteral("Cart.Rom"), &key), platform::StatusSuccess);
    EXPECT_EQ(root->setDefaultValue(key, QStringLiteral("two\nlines")), platform::StatusInvalidParameter);
    root->closeKey(key);
    EXPECT_EQ(root->setDefaultValue(key, QStringLiteral("x")), platform::StatusInvalidHandle);
    // Half of a surrogate pair would not come back as the same text.
    EXPECT_EQ(root->createKey(QStringLiteral("Cart") + QChar(0xD83C), &key), platform::StatusBadPathName);
    ASSERT_EQ(root->createKey(QStringLiteral("Save"), &key), platform::StatusSuccess);
    EXPECT_EQ(root->setDefaultValue(key, QChar(0xDFAE) + QStringLiteral("Rom")), platform::StatusInvalidParameter);
    EXPECT_TRUE(root->finishWrites({}).isEmpty());
    const RegistryHive hive = desktoptest::readHive(env.hiveFile());
    EXPECT_EQ(hive.subkeys(QString()), QStringList({QStringLiteral("Cart.Rom"), QStringLiteral("Save")}));
    EXPECT_FALSE(hive.defaultValue(QStringLiteral("Save")).has_value());
}

TEST(ClassesRootLinux, ReadsAndDeletesAndKeepsOnlyWhatASequenceFinishes)
{
    TestEnvironment env;
    NotifyRecorder desktop;
    ASSERT_TRUE(finish(QStringLiteral("Cart.Rom"), QStringLiteral(".smc")).isEmpty());
    const QByteArray before = TestEnvironment::readFile(env.hiveFile());

    const std::unique_ptr<ClassesRoot> root = platform::openClassesRoot();
    std::optional<QString> value;
    EXPECT_EQ(root->readDefaultValue(QStringLiteral(".SMC"), &value), platform::StatusSuccess);
    EXPECT_EQ(value, QStringLiteral("Cart.Rom"));
    EXPECT_EQ(root->readDefaultValue(QStringLiteral("Cart.Rom\\shell\\Jouer - Play"), &value), platform::StatusSuccess);
    EXPECT_FALSE(value.has_value());
    EXPECT_EQ(root->readDefaultValue(QStringLiteral("Missing"), &value), platform::StatusFileNotFound);
    QStringList names;
    EXPECT_EQ(root->readSubkeys(QString(), &names), platform::StatusSuccess);
    EXPECT_EQ(names, QStringList({QStringLiteral("Cart.Rom"), QStringLiteral(".smc")}));
    EXPECT_EQ(root->readSubkeys(QStringLiteral("Missing"), &names), platform::StatusFileNotFound);

    EXPECT_EQ(root->deleteKey(QString()), platform::StatusInvalidParameter);
    EXPECT_EQ(root->deleteKey(QStringLiteral("Missing")), platform::StatusFileNotFound);
    EXPECT_EQ(root->deleteKey(QStringLiteral("cart.rom\\SHELL")), platform::StatusSuccess);
    ClassesRoot::Key key = 0;
    ASSERT_EQ(root->createKey(QStringLiteral(".smc"), &key), platform::StatusSuccess);
    EXPECT_EQ(root->deleteDefaultValue(key), platform::StatusSuccess);
    root->closeKey(key);
    EXPECT_EQ(root->deleteDefaultValue(key), platform::StatusInvalidHandle);
    EXPECT_EQ(root->readDefaultValue(QStringLiteral(".smc"), &value), platform::StatusSuccess);
    EXPECT_FALSE(value.has_value());
    // Given up: the file is as it was.
    EXPECT_TRUE(root->endReading().isEmpty());
    EXPECT_EQ(TestEnvironment::readFile(env.hiveFile()), before);

    EXPECT_EQ(root->deleteKey(QStringLiteral("Cart.Rom\\shell")), platform::StatusSuccess);
    EXPECT_TRUE(root->finishWrites({QStringLiteral("Cart.Rom")}).isEmpty());
    const RegistryHive hive = desktoptest::readHive(env.hiveFile());
    EXPECT_FALSE(hive.hasKey(QStringLiteral("Cart.Rom\\shell")));
    EXPECT_TRUE(hive.hasKey(QStringLiteral("Cart.Rom")));

    // A file that cannot be read answers every read so, and says why when given up.
    TestEnvironment::writeFile(env.hiveFile(), "garbage");
    EXPECT_EQ(root->readDefaultValue(QStringLiteral(".smc"), &value), platform::StatusRegistryCorrupt);
    EXPECT_EQ(root->readSubkeys(QString(), &names), platform::StatusRegistryCorrupt);
    const QList<ClassesRootFailure> failures = root->endReading();
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].english.contains(env.hiveFile()));
    EXPECT_EQ(TestEnvironment::readFile(env.hiveFile()), "garbage");
    EXPECT_EQ(platform::backupFolder(), env.dataHome() + QStringLiteral("/zelvane/backups"));
}
