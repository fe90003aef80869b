// The association writer's keys written through the Win32 core against our hive, our hive file
// imported by regedit, and a backup that regedit imports to undo a change.
#include "DesktopTestSupport.h"
#include "TestEnvironment.h"
#include "Wine.h"

#include "catalogue/Fileini.h"
#include "registry/ClassesRootChange.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kUserClasses = QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes");

// "path = data" (or "path" for a key without a default value) for the keys `paths` and every key
// below them, in name order as regedit lists them (our hive keeps the order they were made in).
QStringList keysOf(const registry::RegistryHive& hive, const QStringList& paths)
{
    QStringList keys;
    for (const QString& path : paths) {
        const std::optional<QString> value = hive.defaultValue(path);
        if (hive.hasKey(path))
            keys << (value ? path + QStringLiteral(" = ") + *value : path);
        for (const QString& name : hive.subkeys(path))
            keys << keysOf(hive, {path + '\\' + name});
    }
    keys.sort();
    return keys;
}

// The keys `paths` below `root` in regedit's export of `root`, read as our hive reads a file.
QStringList exported(const QString& root, const QStringList& paths)
{
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("export.reg"));
    const wine::Run run = wine::run(QStringLiteral("regedit"), {QStringLiteral("/E"), wine::windowsPath(file), root});
    const auto hive = registry::RegistryHive::parse(TestEnvironment::readFile(file), nullptr, root);
    EXPECT_TRUE(run.exitCode == 0 && hive) << run.output.toStdString();
    return hive ? keysOf(*hive, paths) : QStringList();
}

// Imports a .reg file of ours with regedit, its keys below `root` instead of HKEY_CLASSES_ROOT.
void import(const QString& file, const QString& root)
{
    const QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("import.reg"));
    const QString text = QStringDecoder(QStringConverter::Utf16LE)(TestEnvironment::readFile(file));
    const QRegularExpression classesRoot(QStringLiteral("^\\[(-?)HKEY_CLASSES_ROOT\\\\"), QRegularExpression::MultilineOption);
    TestEnvironment::writeFile(copy, QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(
                                         QString(text).replace(classesRoot, "[\\1" + root + '\\')));
    const wine::Run run = wine::run(QStringLiteral("regedit"), {QStringLiteral("/S"), wine::windowsPath(copy)});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
}

TEST(Windows, TheRegistryHoldsWhatOurHiveHoldsAndABackupUndoesAChange)
{
    const TestEnvironment env;
    // Names inside Windows-1252 and beyond it; an empty icon reference is written as an empty value.
    const QString catalogue = Fileini::cataloguePath(env.programDir());
    TestEnvironment::writeFile(catalogue, QStringLiteral("[Console]\n01=Mégaboîte Ωmega ゲーム機\n[01]\n"
                                                         "romname=Zelvane.Mégaboîte.Ωmega.Rom\nsavname=Zelvane.Ωmega.Save\n"
                                                         "ext1=mgb\next2=ωmg\next3=mgé\next4=om4\n"
                                                         "sav1=ms0\nsav2=ωs2\nsav3=msé\nsav4=os3\n").toUtf8());
    const registry::AssociationChoices choices {
        QStringLiteral("Mégaboîte Ωmega ゲーム機"), QStringLiteral("\"C:\\エミュ\\Méga Émul\\Ωmega.exe\" -f \"%1\""),
        {true, true, true, true}, {true, true, true, true}, QStringLiteral("C:\\Users\\Zoë\\AppData\\Local\\Zelvane\\emul.dll,3"),
        QString(), Fileini::GetIniString("01", "romname", catalogue), Fileini::GetIniString("01", "savname", catalogue)};
    const registry::AssociationPlan plan(choices, {choices.console}, catalogue);
    platform::setDesktopNotifyHook([](const QStringList&) { return QList<platform::ClassesRootFailure>(); });
    const std::unique_ptr<platform::ClassesRoot> root = platform::openClassesRoot(catalogue);
    // One change made in our hive as Finish makes it, its backup first, and in the registry through
    // the Win32 core, each write read back as REG_SZ with its terminating NUL; returns the backup.
    const auto change = [&](const QList<registry::PlannedWrite>& writes, const QStringList& trees) {
        registry::ClassesRootChange change(*root, QStringLiteral("finish"));
        QStringList keys;
        for (const registry::PlannedWrite& write : writes)
            keys << write.key;
        EXPECT_TRUE(change.backUp(keys, trees, QDateTime(QDate(2026, 1, 1), QTime(12, keys.size()))));
        QList<wine::Record> requests;
        QList<wine::Record> expected;
        for (const QString& tree : trees) {
            change.deleteTree(tree);
            requests.append({wine::hex(tree)});
            expected.append({"0"});
        }
        for (const registry::PlannedWrite& write : writes) {
            change.write(write.key, write.data);
            requests.append({wine::hex(write.key), wine::hex(write.data)});
            expected.append({"0", "0", "1", wine::hex(write.data + QChar(0))});
        }
        change.finish({});
        EXPECT_TRUE(change.failures().isEmpty()) << change.failures().value(0).english.toStdString();
        EXPECT_EQ(wine::ask("registry-write", requests), expected);
        return change.backupFile();
    };
    change(plan.allWrites(), {});
    const QStringList roots = desktoptest::readHive(env.hiveFile()).subkeys(QString()) << QStringLiteral("Zelvane.New");
    const auto ours = [&] { return keysOf(desktoptest::readHive(env.hiveFile()), roots); };
    const QStringList associated = ours();
    ASSERT_EQ(associated.size(), 16); // fifteen written keys and the verb key between them
    EXPECT_EQ(exported(kUserClasses, roots), associated);
    // Our hive file, imported in a key of its own (wine's HKEY_CLASSES_ROOT is the machine half,
    // thousands of keys to export), holds the same.
    const QString importRoot = QStringLiteral("HKEY_CURRENT_USER\\Software\\Zelvane hive import");
    import(env.hiveFile(), importRoot);
    EXPECT_EQ(exported(importRoot, roots), associated);

    // A later change: a class removed, an extension taken, a key made. Its backup, as the Windows
    // build writes it (keys below the per-user classes; a key that did not exist as a deletion),
    // undoes the change in the registry.
    const QString backup = change({{QStringLiteral(".mgb"), QStringLiteral("Other.Class")},
                                   {QStringLiteral("Zelvane.New\\shell"), QStringLiteral("open")}}, {choices.romClass});
    EXPECT_EQ(exported(kUserClasses, roots), ours());
    EXPECT_NE(ours(), associated);
    import(backup, kUserClasses);
    EXPECT_EQ(exported(kUserClasses, roots), associated);
    platform::setDesktopNotifyHook({});
}

} // namespace
