// Backups: what a change replaces, read before it and saved as a .reg file that puts it back, in a
// folder that keeps the last twenty in the order of the changes.
#include "platform/ClassesRoot.h"
#include "registry/BackupFolder.h"
#include "registry/ClassesRootChange.h"
#include "registry/RegistryHive.h"

#include "DesktopTestSupport.h"
#include "NotifyRecorder.h"
#include "TestEnvironment.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using platform::ClassesRoot;
using registry::RegistryHive;

namespace {

const QDateTime kNow = QDateTime::fromString(QStringLiteral("2026-05-01T14:03:27.123Z"), Qt::ISODateWithMs);

QByteArray utf16(const QString& lines)
{
    return RegistryHive::fileBytes(lines.split(u'\n'));
}

// A .reg file's text, CRLF line ends as LF.
QString textOf(const QByteArray& file)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(file.constData() + 2), (file.size() - 2) / 2)
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

TEST(ChangeBackup, RecordsWhatAChangeReplacesAsAFileThatPutsItBack)
{
    TestEnvironment env;
    NotifyRecorder desktop;
    TestEnvironment::writeFile(env.hiveFile(), utf16(QStringLiteral(
        "REGEDIT4\n[HKEY_CLASSES_ROOT\\.a]\n@=\"A\"\n[HKEY_CLASSES_ROOT\\.b]\n"
        "[HKEY_CLASSES_ROOT\\Old.Rom]\n@=\"Old.Rom\"\n[HKEY_CLASSES_ROOT\\Old.Rom\\shell\\open\\command]\n@=\"x\"")));
    const std::unique_ptr<ClassesRoot> root = platform::openClassesRoot();
    registry::ClassesRootChange change(*root, "remove");
    ASSERT_TRUE(change.backUp({"New.Rom", "New.Rom\\shell\\Jouer - Play\\command", ".A", ".b", ".new", "Old.Rom\\DefaultIcon"},
                              {"Old.Rom\\shell", "Missing"}, kNow))
        << change.failures().value(0).english.toStdString();
    EXPECT_EQ(change.previousValue(".a"), "A");
    EXPECT_EQ(change.previousValue(".b"), std::nullopt);

    const QString file = env.dataHome() + "/zelvane/backups/2026-05-01T14-03-27.123Z-remove.reg";
    EXPECT_EQ(change.backupFile(), file);
    EXPECT_EQ(textOf(TestEnvironment::readFile(file)).toStdString(), (QStringLiteral(
        "Windows Registry Editor Version 5.00\n"
        "; What Zelvane's remove of 2026-05-01T14:03:27Z replaced: import this file to put it back.\n"
        "; Ce que « remove » de Zelvane a remplacé le 2026-05-01T14:03:27Z : importez ce fichier pour le remettre.\n\n"
        "[-HKEY_CLASSES_ROOT\\Old.Rom\\shell]\n\n"
        "[HKEY_CLASSES_ROOT\\Old.Rom\\shell]\n@=-\n\n[HKEY_CLASSES_ROOT\\Old.Rom\\shell\\open]\n@=-\n\n"
        "[HKEY_CLASSES_ROOT\\Old.Rom\\shell\\open\\command]\n@=\"x\"\n\n"
        "[-HKEY_CLASSES_ROOT\\New.Rom]\n\n[HKEY_CLASSES_ROOT\\.A]\n@=\"A\"\n\n[HKEY_CLASSES_ROOT\\.b]\n@=-\n\n"
        "[-HKEY_CLASSES_ROOT\\.new]\n\n[-HKEY_CLASSES_ROOT\\Old.Rom\\DefaultIcon]\n\n").toStdString()));
    // Reading changed nothing yet.
    EXPECT_TRUE(root->endReading().isEmpty());
    EXPECT_TRUE(desktop.told.isEmpty());
}

TEST(ChangeBackup, ChangesNothingWhenTheBackupCannotBeMade)
{
    const struct {
        const char* name;
        const char* hive; // nothing: none
        const char* inTheWay; // a file where the backups' folder belongs
        const char* why;
    } cases[] = {
        {"unreadable hive", "garbage", nullptr, "Nothing was written"},
        {"no folder for the backups", nullptr, "zelvane/backups", "The backup of the associations could not be saved"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnvironment env;
        NotifyRecorder desktop;
        if (c.hive)
            TestEnvironment::writeFile(env.hiveFile(), c.hive);
        if (c.inTheWay)
            TestEnvironment::writeFile(env.dataHome() + '/' + c.inTheWay, "in the way");
        const std::unique_ptr<ClassesRoot> root = platform::openClassesRoot();
        registry::ClassesRootChange change(*root, "finish");
        EXPECT_FALSE(change.backUp({".a"}, {}, kNow));
        ASSERT_EQ(change.failures().size(), 1);
        EXPECT_TRUE(change.failures()[0].english.contains(QString::fromUtf8(c.why)))
            << change.failures()[0].english.toStdString();
        EXPECT_EQ(TestEnvironment::readFile(env.hiveFile()), c.hive ? QByteArray(c.hive) : QByteArray());
        EXPECT_TRUE(registry::BackupFolder(platform::backupFolder()).backups().isEmpty());
    }
}

TEST(ChangeBackup, TheFolderKeepsTheLastTwentyInTheOrderOfTheChanges)
{
    TestEnvironment env;
    const registry::BackupFolder folder(env.root() + "/backups");
    TestEnvironment::writeFile(folder.path() + "/notes.reg", "mine");
    platform::ClassesRootFailure failure;
    QStringList saved;
    // The clock goes back after the third change; the order stays that of the changes.
    for (int i = 0; i < 23; ++i)
        saved << folder.save(QByteArray::number(i), "finish", kNow.addSecs(i == 3 ? -3600 : 0), &failure).value_or("");
    EXPECT_EQ(folder.backups(), saved.mid(3));
    EXPECT_EQ(QFileInfo(saved[3]).fileName(), "2026-05-01T14-03-27.126Z-finish.reg");
    EXPECT_EQ(TestEnvironment::readFile(folder.backups().last()), "22");
    EXPECT_TRUE(QFileInfo::exists(folder.path() + "/notes.reg"));
}
