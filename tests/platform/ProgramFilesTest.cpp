// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The system folder, the copy of the icon library, and the per-user settings store, with the
// XDG base directories as a user may have set them.
#include "TestEnvironment.h"
#include "platform/ProgramFiles.h"
#include "platform/Settings.h"

#include <QDir>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

// XDG_DATA_HOME and XDG_CONFIG_HOME as set ("/..." under the test's root; a relative one is
// invalid and means the folder under $HOME), and where the system folder and settings land.
TEST(ProgramFiles, FoldersFollowTheXdgBaseDirectories)
{
    // systemDir null: the folder cannot be created, and the error names it.
    const struct { const char *name, *home, *systemDir, *settings; } rows[] = {
        {"set", "/xdg", "/xdg/zelvane", "/xdg/Zelvane/Zelvane.conf"},
        {"relative", "xdg", "/home/.local/share/zelvane", "/home/.config/Zelvane/Zelvane.conf"},
        {"a file in the way", "/blocked", nullptr, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TestEnvironment env;
        TestEnvironment::writeFile(env.root() + "/blocked", "x"); // a file where the folder should be
        qputenv("HOME", (env.root() + "/home").toLocal8Bit());
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            qputenv(name, row.home[0] == '/' ? (env.root() + row.home).toLocal8Bit() : QByteArray(row.home));
        QString error;
        const QString dir = platform::systemDirectory(&error);
        EXPECT_EQ(dir, row.systemDir ? env.root() + row.systemDir : QString()) << error.toStdString();
        EXPECT_TRUE(row.systemDir ? QFileInfo(dir).isDir() : error.contains(env.root() + "/blocked/zelvane"));
        // Where the settings land (what they read back is the app tests' and QSettings' matter).
        EXPECT_TRUE(!row.settings || (platform::SaveSetting("Zelvane", "Options", "Langue", "FR")
                                      && TestEnvironment::readFile(env.root() + row.settings) == "[Options]\nLangue=FR\n"));
    }
}

TEST(ProgramFiles, IconLibraryCopyReachedByBothNamesAndKeptOnFailure)
{
    TestEnvironment env;
    QString error;
    const QString dir = platform::systemDirectory(&error);
    const QString source = env.programDir() + "/Emul.icl";
    const auto install = [&](const QString& system) { return platform::installIconLibrary(source, system, &error); };
    const QByteArray old = "an old library that is longer than the new one";
    TestEnvironment::writeFile(dir + "/Emul.dll", old);
    // No library to copy (none, a folder, a file whose reading fails once open): the old copy stays.
    for (const QString& unreadable : {source, env.root(), QStringLiteral("/proc/self/mem")}) {
        EXPECT_FALSE(platform::installIconLibrary(unreadable, dir, &error));
        EXPECT_TRUE(error.startsWith("cannot read " + unreadable + ": ")) << error.toStdString();
        EXPECT_EQ(TestEnvironment::readFile(dir + "/Emul.dll"), old);
    }
    const auto fileId = [&dir] {
        struct stat status {};
        return ::stat(QFile::encodeName(dir + "/Emul.dll").constData(), &status) == 0 ? status.st_ino : 0;
    };
    // The last is as long as the one before it: same size, other bytes.
    const QByteArray libraries[] = {"new library", "newer library", "newer library", "newer librarz"};
    ino_t lastCopy = 0;
    for (const QByteArray& library : libraries) {
        TestEnvironment::writeFile(source, library);
        ASSERT_TRUE(install(dir)) << error.toStdString();
        EXPECT_EQ(TestEnvironment::readFile(dir + "/Emul.dll") + TestEnvironment::readFile(dir + "/emul.dll"), library + library);
        // A copy that already holds the library is left as it is, not written again.
        EXPECT_EQ(fileId() == lastCopy, &library == &libraries[2]);
        lastCopy = fileId();
    }
    // A copy that cannot be written is a failure, never reported as done.
    QDir().mkpath(env.root() + "/full/Emul.dll/x");
    EXPECT_TRUE(!install(env.root() + "/full") && error.contains(env.root() + "/full/Emul.dll")) << error.toStdString();
}

// Programs started at the same moment each install the icon library in a new folder: every one
// succeeds, whichever made the lower-case link, and both names give the whole library.
TEST(ProgramFiles, StartsAtTheSameMomentEachInstallTheIconLibrary)
{
    TestEnvironment env;
    const QString source = env.programDir() + "/Emul.icl";
    TestEnvironment::writeFile(source, "library");
    for (int round = 0; round < 100; ++round) {
        const QString dir = env.root() + QStringLiteral("/round%1").arg(round);
        QDir().mkpath(dir);
        std::vector<std::future<QString>> starts;
        for (int start = 0; start < 4; ++start) {
            starts.push_back(std::async(std::launch::async, [&] {
                QString error;
                return platform::installIconLibrary(source, dir, &error) ? QString() : error;
            }));
        }
        for (std::future<QString>& start : starts)
            EXPECT_EQ(start.get(), QString()) << "round " << round;
        EXPECT_EQ(TestEnvironment::readFile(dir + "/Emul.dll") + TestEnvironment::readFile(dir + "/emul.dll"), "librarylibrary");
    }
}
