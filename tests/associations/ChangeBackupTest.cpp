// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Backups: what a change replaces, read before it and saved as a .reg file that puts it back, in a
// folder that keeps the last twenty in the order of the changes.
#include "associations/AssociationChange.h"
#include "associations/BackupFolder.h"
#include "associations/ClassesRootChange.h"

#include "RegistryTestSupport.h"

namespace {

const QDateTime kNow = QDateTime::fromString(QStringLiteral("2026-05-01T14:03:27.123Z"), Qt::ISODateWithMs);

} // namespace

TEST(ChangeBackup, RecordsWhatAChangeReplacesAsAFileThatPutsItBack)
{
    TestEnvironment env;
    regtest::NotifyRecorder desktop;
    TestEnvironment::writeFile(env.hiveFile(), "REGEDIT4\n[HKEY_CLASSES_ROOT\\.a]\n@=\"A\"\n[HKEY_CLASSES_ROOT\\.b]\n[HKEY_CLASSES_ROOT\\Old.Rom]\n"
                                               "@=\"Old.Rom\"\n[HKEY_CLASSES_ROOT\\Old.Rom\\shell\\open\\command]\n@=\"x\"\n[HKEY_CLASSES_ROOT\\Zz]\n"
                                               "[HKEY_CLASSES_ROOT\\.c]\n@=hex(2):25,00,00,00\n[HKEY_CLASSES_ROOT\\.d]\n@=dword:1\n");
    const std::unique_ptr<platform::ClassesRoot> root = desktop.open();
    registry::ClassesRootChange change(*root, "remove");
    ASSERT_TRUE(change.backUp({"New.Rom", "New.Rom\\shell\\Jouer - Play\\command", ".A", ".b", ".new", "Old.Rom\\DefaultIcon", ".c", ".d"},
                              {"Zz", "Old.Rom\\shell", "Missing"}, kNow))
        << change.failures().value(0).english.toStdString();
    // .c held no string.
    EXPECT_EQ(QList({change.previousValue(".a"), change.previousValue(".b"), change.previousValue(".c")}), QList<std::optional<QString>>({"A", {}, {}}));
    EXPECT_EQ(change.backupFile(), env.dataHome() + "/zelvane/backups/2026-05-01T14-03-27.123Z-remove.reg");
    EXPECT_EQ(regtest::textOf(TestEnvironment::readFile(change.backupFile())).toStdString(), (QStringLiteral(
        "Windows Registry Editor Version 5.00\n" "; What Zelvane's remove of 2026-05-01T14:03:27Z replaced: import this file to put it back.\n"
        "; Ce que « remove » de Zelvane a remplacé le 2026-05-01T14:03:27Z : importez ce fichier pour le remettre.\n\n"
        // The keys of the trees go back in the order of the file, whatever the order they were asked
        // in, before the first key after them that stays, with the lines they had above them (here
        // none, the hive has no blank line).
        "[-HKEY_CLASSES_ROOT\\Zz]\n\n[-HKEY_CLASSES_ROOT\\Old.Rom\\shell]\n\n; before .c\n[HKEY_CLASSES_ROOT\\Old.Rom\\shell]\n@=-\n\n; before .c\n"
        "[HKEY_CLASSES_ROOT\\Old.Rom\\shell\\open]\n@=-\n; before .c\n[HKEY_CLASSES_ROOT\\Old.Rom\\shell\\open\\command]\n@=\"x\"\n"
        "; before .c\n[HKEY_CLASSES_ROOT\\Zz]\n@=-\n\n"
        "[-HKEY_CLASSES_ROOT\\New.Rom]\n\n[HKEY_CLASSES_ROOT\\.A]\n@=\"A\"\n\n[HKEY_CLASSES_ROOT\\.b]\n@=-\n\n"
        "[-HKEY_CLASSES_ROOT\\.new]\n\n[-HKEY_CLASSES_ROOT\\Old.Rom\\DefaultIcon]\n\n"
        "[HKEY_CLASSES_ROOT\\.c]\n@=hex(2):25,00,00,00\n\n[HKEY_CLASSES_ROOT\\.d]\n@=dword:00000001\n\n").toStdString()));
    // Writing an extension's own class again, in any letter case, takes it from nobody.
    change.noteTakenExtensions({{".a", "a"}});
    EXPECT_TRUE(change.warnings().isEmpty());
    change.noteTakenExtensions({{".a", "Other"}});
    EXPECT_EQ(change.warnings().size(), 1);
    // Reading changed nothing yet.
    EXPECT_TRUE(root->endReading().isEmpty());
    EXPECT_TRUE(desktop.told.isEmpty());
}

TEST(ChangeBackup, ChangesNothingWhenTheBackupCannotBeMade)
{
    // The hive's bytes, or a file where the backups' folder belongs; what the user is told.
    for (const auto& [hive, why] : {std::pair {"garbage", "Nothing was written"}, {"", "The backup of the associations could not be saved"}}) {
        SCOPED_TRACE(why);
        TestEnvironment env;
        regtest::NotifyRecorder desktop;
        TestEnvironment::writeFile(QByteArray(hive).isEmpty() ? env.dataHome() + "/zelvane/backups" : env.hiveFile(), hive);
        const std::unique_ptr<platform::ClassesRoot> root = desktop.open();
        registry::ClassesRootChange change(*root, "finish");
        EXPECT_FALSE(change.backUp({".a"}, {}, kNow));
        ASSERT_EQ(change.failures().size(), 1);
        EXPECT_TRUE(change.failures()[0].english.contains(QString::fromUtf8(why))) << change.failures()[0].english.toStdString();
        EXPECT_EQ(TestEnvironment::readFile(env.hiveFile()), hive);
        EXPECT_TRUE(registry::BackupFolder(platform::backupFolder()).backups().isEmpty());
    }
    // A key of a tree to delete whose value, or whose subkeys, cannot be read.
    for (const auto& [unreadable, unlistable] : {std::pair("Old.Rom\\shell\\open", "(none)"), std::pair("(none)", "Old.Rom\\shell\\open")}) {
        TestEnvironment env;
        TestEnvironment::writeFile(env.hiveFile(), "REGEDIT4\n[HKEY_CLASSES_ROOT\\Old.Rom\\shell\\open\\command]\n@=\"x\"\n");
        const std::unique_ptr<platform::ClassesRoot> hive = platform::openClassesRoot();
        regtest::UnreadableKey root(*hive, unreadable, unlistable);
        registry::ClassesRootChange change(root, "remove");
        EXPECT_FALSE(change.backUp({}, {"Old.Rom"}, kNow));
        EXPECT_TRUE(change.failures().value(0).english.contains("Old.Rom\\shell\\open")) << change.failures().value(0).english.toStdString();
        EXPECT_TRUE(registry::BackupFolder(platform::backupFolder()).backups().isEmpty());
    }
}

// A value the registry cannot hold refuses the whole association before its backup.
TEST(ChangeBackup, NoneIsMadeForAnAssociationRefusedBeforeItsFirstWrite)
{
    TestEnvironment env;
    regtest::NotifyRecorder desktop;
    const std::unique_ptr<platform::ClassesRoot> root = desktop.open();
    const registry::AssociationChoices choices {.console = "Nes", .command = "emu\n%1", .romIcon = "emul.dll,0", .saveIcon = "emul.dll,1",
                                                .romClass = "Nes.Rom", .saveClass = "Nes.Save"};
    registry::AssociationChange association(*root, "finish", choices, {}, {});
    EXPECT_FALSE(association.run());
    EXPECT_EQ(association.change().failures().size(), 1);
    EXPECT_EQ(association.change().failures().value(0).english, "The value of the key HKEY_CLASSES_ROOT\\Nes.Rom\\shell\\Jouer - Play\\command cannot be "
                                                                "stored in the registry (it holds a line break, a NUL or an unpaired surrogate): nothing was written.");
    EXPECT_FALSE(QFile::exists(env.hiveFile()) || QFile::exists(platform::backupFolder()));
    EXPECT_TRUE(desktop.told.isEmpty());
}

TEST(ChangeBackup, TheFolderKeepsTheLastTwentyInTheOrderOfTheChanges)
{
    TestEnvironment env;
    const registry::BackupFolder folder(env.root() + "/backups");
    TestEnvironment::writeFile(folder.path() + "/notes.reg", "mine");
    platform::Failure failure;
    QStringList saved;
    // The clock goes back after the third change; the order stays that of the changes.
    // Each has its desktop record beside it, which goes with it.
    for (int i = 0; i < 23; ++i) {
        saved << folder.nextBackup("finish", kNow.addSecs(i == 3 ? -3600 : 0));
        ASSERT_TRUE(folder.save(saved.last(), QByteArray::number(i), &failure));
        TestEnvironment::writeFile(registry::BackupFolder::desktopRecordOf(saved.last()), "{}");
    }
    EXPECT_EQ(folder.backups(), saved.mid(3));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2 * 20 + 1);
    EXPECT_EQ(QFileInfo(saved[3]).fileName(), "2026-05-01T14-03-27.126Z-finish.reg");
    // A change later than the newest backup is named with its own time.
    EXPECT_EQ(QFileInfo(folder.nextBackup("undo", kNow.addSecs(60))).fileName(), "2026-05-01T14-04-27.123Z-undo.reg");
    EXPECT_EQ(TestEnvironment::readFile(folder.backups().last()), "22");
    EXPECT_TRUE(QFileInfo::exists(folder.path() + "/notes.reg"));
}
