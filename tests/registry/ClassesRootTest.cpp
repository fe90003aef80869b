// The classes root on Linux: the per-user hive file kept across runs, set aside when unreadable.
#include "platform/ClassesRoot.h"
#include "registry/RegistryHive.h"

#include "DesktopTestSupport.h"
#include "NotifyRecorder.h"
#include "TestEnvironment.h"

#include <QDir>
#include <gtest/gtest.h>

using platform::ClassesRoot;
using platform::ClassesRootFailure;
using registry::RegistryHive;

namespace {

QString hiveFile(const TestEnvironment& env)
{
    return env.hiveFile();
}

RegistryHive readHive(const TestEnvironment& env)
{
    return desktoptest::readHive(env.hiveFile());
}

void write(ClassesRoot& root, const QString& path, const QString& data)
{
    ClassesRoot::Key key = 0;
    ASSERT_EQ(root.createKey(path, &key), platform::StatusSuccess) << path.toStdString();
    ASSERT_EQ(root.setDefaultValue(key, data), platform::StatusSuccess) << path.toStdString();
    root.closeKey(key);
}

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

    const RegistryHive hive = readHive(env);
    EXPECT_EQ(hive.defaultValue(QStringLiteral("First.Rom")), QStringLiteral("First.Rom"));
    EXPECT_EQ(hive.defaultValue(QStringLiteral("Second.Rom")), QStringLiteral("Second.Rom"));
    EXPECT_EQ(hive.defaultValue(QStringLiteral(".fst")), QStringLiteral("Second.Rom"));
    EXPECT_EQ(hive.subkeys(QString()),
              QStringList({QStringLiteral("First.Rom"), QStringLiteral(".fst"), QStringLiteral("Second.Rom")}));
    EXPECT_TRUE(TestEnvironment::readFile(hiveFile(env)).startsWith("\xFF\xFE"));
    EXPECT_EQ(desktop.told, QList<QStringList>({{QStringLiteral("First.Rom")}, {QStringLiteral("Second.Rom")}}));
}

TEST(ClassesRootLinux, SetsAnUnreadableFileAsideAndSaysSo)
{
    TestEnvironment env;
    NotifyRecorder desktop;
    const QByteArray damaged("garbage");
    TestEnvironment::writeFile(hiveFile(env), damaged);

    const std::unique_ptr<ClassesRoot> root = platform::openClassesRoot();
    write(*root, QStringLiteral("New.Rom"), QStringLiteral("New.Rom"));
    const QList<ClassesRootFailure> failures = root->finishWrites({QStringLiteral("New.Rom")});

    const QStringList aside = QDir(env.dataHome() + QStringLiteral("/zelvane"))
                                  .entryList({QStringLiteral("classes.reg.unreadable-*")}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    const QString asidePath = env.dataHome() + QStringLiteral("/zelvane/") + aside.first();
    EXPECT_EQ(TestEnvironment::readFile(asidePath), damaged);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].english.contains(asidePath)) << failures[0].english.toStdString();
    EXPECT_TRUE(failures[0].english.contains(QStringLiteral("line 1"))) << failures[0].english.toStdString();
    EXPECT_TRUE(failures[0].french.contains(asidePath)) << failures[0].french.toStdString();
    EXPECT_NE(failures[0].english, failures[0].french);
    const RegistryHive hive = readHive(env);
    EXPECT_EQ(hive.subkeys(QString()), QStringList({QStringLiteral("New.Rom")}));
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
    const RegistryHive hive = readHive(env);
    EXPECT_EQ(hive.subkeys(QString()), QStringList({QStringLiteral("Cart.Rom"), QStringLiteral("Save")}));
    EXPECT_FALSE(hive.defaultValue(QStringLiteral("Save")).has_value());
}
