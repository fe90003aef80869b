// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line, as a user types it, with no display: answers, mistakes refused with
// nothing written, and the associations listed, written, removed and undone.
#include "RegistryTestSupport.h"
#include "WizardFixture.h"

#include "freedesktop/DesktopNames.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QRegularExpression>

#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <unistd.h>

namespace {

using registry::DesktopNames;

// Three consoles, the first two with their emulators on PATH; the last, Gamma, is the catalogue's
// fifteenth, which the command line reads (the wizard wants no gap).
class CommandLine : public WizardFixture {
protected:
    CommandLine()
    {
        programsOnPath({"alpha-emu", "beta-emu"});
        writeUserCatalogue(QByteArray(kThreeConsoles).replace("03=Gamma", "15=Gamma").replace("[03]", "[15]"));
    }
};

// Every file and folder below `root`, as it is, to compare or put back.
QMap<QString, QByteArray> everythingBelow(const QString& root)
{
    QMap<QString, QByteArray> entries;
    for (QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        entries.insert(path, it.fileInfo().isDir() ? "<folder>" : TestEnvironment::readFile(path));
    }
    return entries;
}

// The built program started, in a process group of its own so that what it runs is killed with it;
// its temporary files go to `temporary`.
std::unique_ptr<QProcess> startProgram(const QStringList& arguments, const QString& temporary)
{
    auto program = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", temporary);
    program->setProcessEnvironment(environment);
    program->setChildProcessModifier([] { ::setpgid(0, 0); });
    program->start(ZELVANE_BIN_DIR "/zelvane", arguments);
    return program;
}

// One user's session, step by step: each step's status and what it prints, and a mistake is
// refused before any window opens, with every file left as it was.
TEST_F(CommandLine, AnswersListsAssociatesRemovesUndoesAndWarns)
{
    EXPECT_EQ(runProgram({}, "offscreen", 1500).status, -1); // no option: the wizard, which stays open
    const QString refusal = "\nTry 'zelvane --help' for the options.\n";
    // The status, what the standard output and error hold, and "path = value" the hive holds afterwards ("path": a key that is gone).
    const struct { QStringList arguments; int status; QString output, error; QStringList keys; } steps[] = {
        {{"-platform", "offscreen", "-v"}, 0, "Zelvane 1.51b\n", "", {}},
        {{"--help"}, 0, "Usage: zelvane [options]\nAssociates console ROM", "", {}},
        {{"-h", "--bogus"}, 0, "Usage: zelvane [options]\n", "", {}},
        {{"-style=fusion", "-platform", "xcb", "--bogus"}, 2, "", "zelvane: Unknown option '--bogus'." + refusal, {}},
        {{"game.nes"}, 2, "", "zelvane: Unexpected argument 'game.nes'." + refusal, {}},
        {{"--json"}, 2, "", "zelvane: --json goes with --list or --emulators." + refusal, {}},
        {{"--associate", "Alpha", "--emulator", "7"}, 2, "", "from 1 to 6, not '7'." + refusal, {}},
        {{"--associate", "Alpha", "--emulator", "1", "--command", "x"}, 2, "", "not both." + refusal, {}},
        {{"--remove", "Alpha", "--rom", "aa"}, 2, "", "--rom goes with --associate." + refusal, {}},
        {{"--list"}, 0, "No association.\n", "", {}},
        {{"--associate", "alpha", "--rom", "ab,.AC", "--save", "*.sa"}, 0, "Associated Alpha: .ab .ac open with alpha-emu \"%1\"; save states .sa registered with their icon\n", "",
         {"Alpha = Alpha.Rom", ".ab = Alpha.Rom", ".ac = Alpha.Rom", ".sa = Alpha.Save", ".aa",
          "Alpha.Rom\\DefaultIcon = " + env.dataHome() + "/zelvane/emul.dll,2"}},
        {{"--associate", "Alpha", "--rom", "zz"}, 2, "", "zelvane: Alpha has no ROM extension 'zz'; its ROM extensions are: aa, ab, ac, ad.\n", {}},
        {{"--associate", "Beta", "--emulator", "3"}, 2, "", "Beta has no emulator 3. Its emulators are: 1: beta-emu \"%1\"; 2: beta-two \"%1\".\n", {}},
        {{"--associate", "Gamma"}, 2, "", "The catalogue gives Gamma no emulator: give the command with --command.\n", {}},
        {{"--associate", "Beta", "--rom-icon", "nowhere.dll,1"}, 2, "", "nowhere.dll holds no icon", {}},
        {{"--associate", "Beta", "--command", "beta-emu \"%1\"\n"}, 2, "", "zelvane: The value of --command cannot be stored in the registry: it holds a line break", {}},
        {{"--associate", "Beta", "--save-icon", ZELVANE_BIN_DIR "/Emul\r.icl,1"}, 2, "", "The value of --save-icon cannot be stored", {}},
        {{"--associate", "Beta", "--save-icon", ZELVANE_BIN_DIR "/Emul.icl,999"}, 2, "", "has no icon 999; its icons are numbered 0 to ", {}},
        {{"--associate", "Beta", "--command", "beta-emu --full %1", "--rom", "", "--rom-icon", ZELVANE_BIN_DIR "/Emul.icl,5"}, 0,
         "Associated Beta: no ROM extension opens with beta-emu --full %1; save states .bs registered with their icon\n", "",
         {"Beta.Rom\\shell\\Jouer - Play\\command = beta-emu --full %1", ".ba", ".bs = Beta.Save",
          "Beta.Rom\\DefaultIcon = " ZELVANE_BIN_DIR "/Emul.icl,5"}},
        {{"--remove", "nothing"}, 2, "", "Nothing is named 'nothing'. The consoles and classes are: Alpha, Alpha.Rom, Alpha.Save, Beta, Beta.Rom, Beta.Save.\n", {}},
        // A save class left without its console is still listed under its own name, and removed.
        {{"--remove", "alpha.rom"}, 0, "Removed alpha.rom: Alpha.Rom, .ab, .ac, Alpha\n", "", {"Alpha", ".sa = Alpha.Save"}},
        {{"--list"}, 0, "\nAlpha.Save\n  console:      none\n  files:        Alpha.Save  .sa\n  command:      \n  icon:         "
                        + env.dataHome() + "/zelvane/emul.dll,", "", {}},
        {{"--list", "--json"}, 0, "\"console\": null,", "", {}},
        {{"--remove", "Alpha.Save"}, 0, "Removed Alpha.Save: Alpha.Save, .sa\n", "", {"Alpha.Save", ".sa"}},
        {{"--undo"}, 0, "Put back", "", {".sa = Alpha.Save"}},
        {{"--undo"}, 0, "Put back", "", {"Alpha = Alpha.Rom"}},
        {{"--undo"}, 0, "Put back what was saved in ", "", {"Beta.Rom", ".bs", "Alpha = Alpha.Rom"}},
        {{"--undo"}, 0, "Put back", "", {"Alpha.Rom", "Alpha", ".ab"}},
        {{"--undo"}, 1, "", "zelvane: There is nothing to undo: " + env.dataHome() + "/zelvane/backups holds no backup.\n", {}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.arguments.join(' ').toStdString());
        const QMap<QString, QByteArray> before = desktoptest::contentsBelow(env.root());
        const ProgramRun result = runProgram(step.arguments);
        EXPECT_EQ(result.status, step.status) << result.error.toStdString();
        EXPECT_TRUE(step.output.isEmpty() ? result.output.isEmpty() : result.output.contains(step.output))
            << result.output.toStdString();
        // What this machine's own applications open may be told as a warning, and nothing else.
        const QStringList told = result.error.split('\n', Qt::SkipEmptyParts).filter(QRegularExpression("^(?!zelvane: warning: )"));
        EXPECT_TRUE(step.error.isEmpty() ? told.isEmpty() : result.error.contains(step.error)) << result.error.toStdString();
        EXPECT_TRUE(step.status != 2 || desktoptest::contentsBelow(env.root()) == before) << "a refused request wrote";
        EXPECT_EQ(held(step.keys), step.keys);
    }

    // For scripts, as JSON.
    ASSERT_EQ(runProgram({"--associate", "Beta"}).status, 0);
    const QString icons = env.dataHome() + "/zelvane/emul.dll,";
    EXPECT_EQ(QJsonDocument::fromJson(runProgram({"--list", "--json"}).output.toUtf8())["associations"].toArray(), QJsonArray({QJsonObject::fromVariantMap({
        {"console", "Beta"}, {"romClass", "Beta.Rom"}, {"saveClass", "Beta.Save"}, {"romExtensions", QStringList{"ba", "bb"}},
        {"saveExtensions", QStringList{"bs"}}, {"command", "beta-emu \"%1\""}, {"romIcon", icons + "1"}, {"saveIcon", icons + "16"},
        {"works", true}, {"romTypeKnown", true}, {"saveTypeKnown", true}, {"opensWithCommand", true}, {"programFound", true},
        {"problems", QStringList()}})}));

    // Written, but the desktop will ignore it: told on the standard error, and by --list.
    const QString ignored = "The emulator \"missing-emu\" of the class \"Gamma.Rom\" cannot be found on PATH: "
                            "the desktop will ignore this association.\n";
    const ProgramRun gamma = runProgram({"--associate", "Gamma", "--command", "missing-emu %1"});
    EXPECT_EQ(QString::number(gamma.status) + " " + gamma.error, "0 zelvane: warning: " + ignored);
    EXPECT_TRUE(runProgram({"--list"}).output.endsWith("  works:        no\n    ! " + ignored));
}

// --undo gives back every desktop file the change touched and removes what it created, leaving
// what others changed since: an icon cache another tool made, the user's own default for our
// type (which a later change for another console keeps too), a line of ours the user had removed.
TEST_F(CommandLine, UndoGivesTheDesktopBackAndKeepsWhatOthersChanged)
{
    // Every file and folder below the test's home but the hive and its backups.
    const auto desktop = [this] {
        QMap<QString, QByteArray> entries = everythingBelow(env.root());
        entries.removeIf([this](const auto& entry) { return entry.key().startsWith(env.dataHome() + "/zelvane"); });
        return entries;
    };
    const QString hicolor = env.dataHome() + "/icons/hicolor", type = DesktopNames::mimeType("Alpha.Rom");
    const QString mimeApps = env.configHome() + "/mimeapps.list";
    QMap<QString, QByteArray> before = desktop();
    ASSERT_EQ(runProgram({"--associate", "Alpha"}).status, 0);
    ASSERT_EQ(desktoptest::run("gtk-update-icon-cache", {"-f", "-t", hicolor}).exitCode, 0);
    TestEnvironment::writeFile(mimeApps, TestEnvironment::readFile(mimeApps) + "image/png=x.desktop;\n"); // in a group the change made
    ASSERT_EQ(runProgram({"--undo"}).status, 0);
    const QMap<QString, QByteArray> undone = desktop();
    before.insert(env.dataHome() + "/icons", "<folder>"), before.insert(hicolor, "<folder>");
    before.insert(env.configHome(), "<folder>"), before.insert(mimeApps, "[Added Associations]\nimage/png=x.desktop;\n");
    before.insert(hicolor + "/icon-theme.cache", undone.value(hicolor + "/icon-theme.cache"));
    EXPECT_EQ(undone.keys(), before.keys());
    EXPECT_TRUE(undone == before && !undone.value(hicolor + "/icon-theme.cache").isEmpty());

    const QByteArray entry = DesktopNames::desktopFileName("Alpha.Rom").toUtf8();
    TestEnvironment::writeFile(mimeApps, "[Default Applications]\ntext/plain=org.gnome.TextEditor.desktop;\n\n"
                                                                    "[Removed Associations]\n# mine\n" + type.toUtf8() + "=" + entry + ";\n# mine\nimage/png=x.desktop;\n");
    TestEnvironment::writeFile(env.dataHome() + "/applications/org.other.Emu.desktop",
                               "[Desktop Entry]\nType=Application\nName=Other\nExec=/bin/true %f\nMimeType=" + type.toUtf8() + ";\n");
    before = desktop();
    ASSERT_EQ(runProgram({"--associate", "Alpha"}).status, 0);
    EXPECT_TRUE(TestEnvironment::readFile(mimeApps).contains("image/png=x.desktop;\n\n[Added Associations]\n"));
    ASSERT_EQ(runProgram({"--undo"}).status, 0);
    EXPECT_EQ(desktop(), before);
    ASSERT_EQ(runProgram({"--associate", "Alpha"}).status, 0);
    ASSERT_EQ(desktoptest::run("gio", {"mime", type, "org.other.Emu.desktop"}).exitCode, 0);
    before = desktop();
    ASSERT_EQ(runProgram({"--remove", "Alpha"}).status, 0);
    ASSERT_EQ(runProgram({"--undo"}).status, 0);
    EXPECT_EQ(desktop(), before);
    EXPECT_EQ(desktoptest::defaultApplication(type), "org.other.Emu.desktop");
    // A change that does not name Alpha keeps the default the user chose for its type; a class
    // written into the hive by hand, which has none, gets ours; a key a name points to is no class.
    const QString handWritten = regtest::textOf(TestEnvironment::readFile(env.hiveFile())) + "\n[HKEY_CLASSES_ROOT\\Hand.Rom\\shell\\open\\command]\n@=\"alpha-emu %1\"\n"
                                "[HKEY_CLASSES_ROOT\\Note]\n@=\"Plain\"\n[HKEY_CLASSES_ROOT\\Plain]\n";
    TestEnvironment::writeFile(env.hiveFile(), regtest::utf16File(QString(handWritten).replace("\n", "\r\n")));
    ASSERT_EQ(runProgram({"--associate", "Beta"}).status, 0);
    EXPECT_EQ(desktoptest::defaultApplication(type), "org.other.Emu.desktop");
    for (const QString className : {"Beta.Rom", "Hand.Rom"})
        EXPECT_EQ(desktoptest::defaultApplication(DesktopNames::mimeType(className)), DesktopNames::desktopFileName(className));
    EXPECT_FALSE(QFile::exists(env.dataHome() + "/mime/" + DesktopNames::mimeType("Plain") + ".xml"));
}

// A catalogue whose extension names no key the registry can hold: the change is refused before the
// first write, and says so.
TEST_F(CommandLine, AnExtensionTheRegistryCannotHoldWritesNothing)
{
    writeUserCatalogue(QByteArray(kThreeConsoles).replace("ext2=ab", "ext2=a\\\\b"));
    const ProgramRun run = runProgram({"--associate", "Alpha"});
    EXPECT_EQ(QString::number(run.status) + ' ' + run.output, "1 ");
    EXPECT_TRUE(run.error.contains("The key HKEY_CLASSES_ROOT\\.a\\\\b cannot be stored in the registry: nothing was written."))
        << run.error.toStdString();
    EXPECT_FALSE(QFile::exists(env.hiveFile()));
    EXPECT_FALSE(QFile::exists(env.dataHome() + "/zelvane/backups"));
}

// The undo of the change that created the hive and the backups' folder removes them when they
// hold nothing more, as it removes what it created of the desktop; a hive written by hand before,
// or given a line since, stays.
TEST_F(CommandLine, UndoingTheFirstChangeLeavesNoFileItCreated)
{
    const QString header = "Windows Registry Editor Version 5.00\r\n";
    // The hive before the change (none: no file), what the user writes in it before the undo, the hive after the undo.
    const struct { const char* name; std::optional<QString> before; QString added; std::optional<QString> undone; } cases[] = {
        {"no hive", std::nullopt, "", std::nullopt},
        {"a hive of its header", header, "", header},
        {"a hive of a blank line", header + "\r\n", "", header + "\r\n"},
        {"a comment written since", std::nullopt, "; mine\r\n", header + "\r\n; mine\r\n"},
        {"a key written since", std::nullopt, "[HKEY_CLASSES_ROOT\\Mine]\r\n", header + "\r\n[HKEY_CLASSES_ROOT\\Mine]\r\n"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        QDir(env.dataHome()).removeRecursively();
        ASSERT_EQ(runProgram({"--list"}).status, 0); // the program's own start
        if (row.before)
            TestEnvironment::writeFile(env.hiveFile(), regtest::utf16File(*row.before));
        QMap<QString, QByteArray> before = desktoptest::contentsBelow(env.root());
        before.remove(env.hiveFile());
        ASSERT_EQ(runProgram({"--associate", "Alpha"}).status, 0);
        if (!row.added.isEmpty()) {
            const QString hive = regtest::textOf(TestEnvironment::readFile(env.hiveFile())).replace("\n", "\r\n") + row.added;
            TestEnvironment::writeFile(env.hiveFile(), regtest::utf16File(hive));
        }
        ASSERT_EQ(runProgram({"--undo"}).status, 0);
        EXPECT_FALSE(QFileInfo::exists(env.dataHome() + "/zelvane/backups"));
        EXPECT_EQ(QFileInfo::exists(env.hiveFile()), row.undone.has_value());
        if (row.undone) {
            EXPECT_EQ(TestEnvironment::readFile(env.hiveFile()), regtest::utf16File(*row.undone));
        }
        QMap<QString, QByteArray> after = desktoptest::contentsBelow(env.root());
        // The hive, compared above, and the copy of the icon library, which --associate installs as the wizard's start does.
        after.removeIf([this](const auto& file) { return file.key() == env.hiveFile() || file.key().endsWith("mul.dll"); });
        EXPECT_EQ(after, before);
    }
}

// The lines written by hand around the keys that changes write and delete, and default values of
// any type that they replace, come back with them, byte for byte, when the changes are undone one by one.
TEST_F(CommandLine, UndoGivesTheHiveBackWithItsHandWrittenLinesAndValues)
{
    const QStringList alpha {"--associate", "Alpha"}, beta {"--associate", "Beta"}, removeAlpha {"--remove", "Alpha"},
        removeBeta {"--remove", "Beta"}, removeHand {"--remove", "Hand.Rom"};
    // The hive after its header; Hand.Rom is a class written by hand, which --remove takes with its extension.
    const struct { const char* name; const char* hive; QList<QStringList> changes; } cases[] = {
        {"a comment above an extension taken, then removed", "\n; my note\n[HKEY_CLASSES_ROOT\\.aa]\n@=\"Other.Rom\"\n\n"
         "[HKEY_CLASSES_ROOT\\Other.Rom]\n@=\"Other\"\n", {alpha, removeAlpha}},
        {"a comment above the first key, nothing after it stays", "\n; a\n[HKEY_CLASSES_ROOT\\.aa]\n@=\"Other.Rom\"\n", {alpha, removeAlpha}},
        {"a removed class's extension under comments, blank lines between",
         "\n[HKEY_CLASSES_ROOT\\Hand.Rom]\n@=\"Hand\"\n\n[HKEY_CLASSES_ROOT\\Y]\n@=\"y\"\n; about it\n\n; more\n[HKEY_CLASSES_ROOT\\.hd]\n@=\"Hand.Rom\"\n\n\n"
         "[HKEY_CLASSES_ROOT\\Z]\n@=\"z\"\n", {removeHand}},
        {"a comment that reads like a place", "\n[HKEY_CLASSES_ROOT\\Hand.Rom]\n@=\"Hand\"\n\n; before breakfast\n[HKEY_CLASSES_ROOT\\.hd]\n@=\"Hand.Rom\"\n\n"
         "[HKEY_CLASSES_ROOT\\Z]\n", {removeHand}},
        {"a removed extension at the end under a comment", "\n[HKEY_CLASSES_ROOT\\Hand.Rom]\n@=\"Hand\"\n\n[HKEY_CLASSES_ROOT\\Z]\n@=\"z\"\n\n; about it\n[HKEY_CLASSES_ROOT\\.hd]\n@=\"Hand.Rom\"\n",
         {removeHand}},
        {"a comment at the end of the file", "\n[HKEY_CLASSES_ROOT\\Z]\n@=\"z\"\n\n; the end\n", {alpha}},
        {"two consoles", "\n; a\n[HKEY_CLASSES_ROOT\\.aa]\n@=\"Other.Rom\"\n\n\n; b\n[HKEY_CLASSES_ROOT\\.ba]\n@=\"Other.Rom\"\n"
         "[HKEY_CLASSES_ROOT\\Other.Rom]\n@=\"Other\"\n\n; end\n", {alpha, beta, removeAlpha, removeBeta}},
        {"an expandable string and a number", "\n[HKEY_CLASSES_ROOT\\.aa]\n@=hex(2):25,00,53,00,79,00,73,00,00,00\n\n[HKEY_CLASSES_ROOT\\.ab]\n@=dword:00000001\n\n", {alpha}},
        {"binary data over two lines, a multi-string, a string without its NUL", "\n[HKEY_CLASSES_ROOT\\.ac]\n@=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,"
         "0c,0d,0e,0f,10,11,12,13,14,15,16,17,\\\n  18,19,1a\n[HKEY_CLASSES_ROOT\\.sa]\n@=hex(7):41,00,00,00,00,00\n[HKEY_CLASSES_ROOT\\Alpha]\n@=hex(1):41,00\n\n", {alpha}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        QDir(env.dataHome() + "/zelvane/backups").removeRecursively();
        const QByteArray before = regtest::utf16File(QString("Windows Registry Editor Version 5.00\n" + QString(row.hive)).replace("\n", "\r\n"));
        TestEnvironment::writeFile(env.hiveFile(), before);
        for (const QStringList& change : row.changes)
            ASSERT_EQ(runProgram(change).status, 0) << change.join(' ').toStdString();
        for (qsizetype i = 0; i < row.changes.size(); ++i)
            ASSERT_EQ(runProgram({"--undo"}).status, 0);
        EXPECT_EQ(regtest::textOf(TestEnvironment::readFile(env.hiveFile())).toStdString(), regtest::textOf(before).toStdString());
        EXPECT_EQ(TestEnvironment::readFile(env.hiveFile()), before);
    }
}

// Changes run at the same time by two processes each keep the other's: the hive is held by one
// change at a time, a holder that does not end in time is told, one that was killed is taken over.
TEST_F(CommandLine, ChangesAtTheSameTimeKeepEachOther)
{
    const QString backups = env.dataHome() + "/zelvane/backups";
    for (int round = 1; round <= 10; ++round) {
        SCOPED_TRACE(round);
        QFile::remove(env.hiveFile());
        const auto alpha = startProgram({"--associate", "Alpha"}, QDir::tempPath()), beta = startProgram({"--associate", "Beta"}, QDir::tempPath());
        for (QProcess* program : {alpha.get(), beta.get()}) {
            ASSERT_TRUE(program->waitForFinished(60000));
            EXPECT_EQ(program->exitCode(), 0) << program->readAllStandardError().toStdString();
        }
        EXPECT_EQ(held({"Alpha", "Beta", ".aa", ".ba"}),
                  QStringList({"Alpha = Alpha.Rom", "Beta = Beta.Rom", ".aa = Alpha.Rom", ".ba = Beta.Rom"}));
        EXPECT_EQ(QDir(backups).entryList({"*.reg"}, QDir::Files).size(), std::min(2 * round, 20)); // no backup replaced another
        EXPECT_EQ(QDir(backups).entryList(QDir::Files).size(), 2 * std::min(2 * round, 20)); // each with its desktop record
    }

    // A change that another process holds the hive from waits, then gives up without writing.
    QFile::remove(env.hiveFile());
    QLockFile holder(env.hiveFile() + ".lock");
    ASSERT_TRUE(holder.tryLock(0));
    const ProgramRun waited = runProgram({"--associate", "Alpha"});
    EXPECT_EQ(waited.status, 1);
    EXPECT_TRUE(waited.error.contains(QString("Another change of the associations (process %1) holds %2: nothing was "
                                              "changed.").arg(QCoreApplication::applicationPid()).arg(env.hiveFile())))
        << waited.error.toStdString();
    EXPECT_FALSE(QFile::exists(env.hiveFile()));
    holder.unlock();

    // The lock of a process that was killed is taken over.
    QProcess gone;
    gone.start("true");
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 pid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    TestEnvironment::writeFile(env.hiveFile() + ".lock",
                               QString("%1\nzelvane\n%2\n").arg(pid).arg(QSysInfo::machineHostName()).toUtf8());
    EXPECT_EQ(runProgram({"--associate", "Alpha"}).status, 0);
    EXPECT_EQ(held({"Alpha"}), QStringList({"Alpha = Alpha.Rom"}));
    EXPECT_FALSE(QFile::exists(env.hiveFile() + ".lock"));

    // So is the lock of a process killed before it could write itself into it, once it is not new.
    QFile unnamed(env.hiveFile() + ".lock");
    ASSERT_TRUE(unnamed.open(QIODevice::WriteOnly) && unnamed.setFileTime(QDateTime::currentDateTime().addSecs(-10), QFileDevice::FileModificationTime));
    unnamed.close();
    EXPECT_EQ(runProgram({"--remove", "Alpha"}).status, 0);
    EXPECT_EQ(held({"Alpha"}), QStringList({"Alpha"}));
}

// A change killed at any point leaves every file as it was before it or as it is after it: the
// next request, a mere --list, completes it or takes it back, and --undo then works.
TEST_F(CommandLine, AKilledChangeLeavesEveryFileBeforeOrAfterIt)
{
    const auto files = [this] { return everythingBelow(env.root()); };
    // The same to compare, but the hive's lock, and the backups without the time of their change.
    const QRegularExpression time("\\d{4}-\\d\\d-\\d\\dT\\d\\d[-:]\\d\\d[-:]\\d\\d(\\.\\d{3})?Z");
    const auto comparable = [&](QMap<QString, QByteArray> entries) {
        entries.remove(env.hiveFile() + ".lock");
        QMap<QString, QByteArray> compared;
        for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
            QByteArray content = it.value();
            if (it.key().endsWith(".reg") && it.key().contains("/backups/"))
                content = QString::fromUtf16(reinterpret_cast<const char16_t*>(content.constData()), content.size() / 2).replace(time, "<time>").toUtf8();
            compared.insert(QString(it.key()).replace(time, "<time>"), content);
        }
        return compared;
    };
    const auto putBack = [&](const QMap<QString, QByteArray>& entries) {
        QStringList present = files().keys();
        std::sort(present.rbegin(), present.rend()); // a folder after what it holds
        for (const QString& path : present)
            if (!entries.contains(path))
                QFileInfo(path).isDir() ? QDir().rmdir(path) : QFile::remove(path);
        for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
            if (it.value() == "<folder>")
                QDir().mkpath(it.key());
            else if (TestEnvironment::readFile(it.key()) != it.value() || !QFileInfo::exists(it.key()))
                TestEnvironment::writeFile(it.key(), it.value());
        }
    };
    // The temporary files a killed run leaves go to a folder the test removes.
    const QTemporaryDir scratch;
    const auto start = [&scratch] { return startProgram({"--associate", "Alpha"}, scratch.path()); };

    // Killed in a home where the change creates the hive and the backups' folder, which an undo
    // that followed removes, then over a hive that holds Beta.
    for (const bool first : {true, false}) {
        SCOPED_TRACE(first ? "the first change" : "a change after Beta's");
        ASSERT_EQ(runProgram({"--associate", "Beta"}).status, 0);
        if (first) {
            ASSERT_EQ(runProgram({"--undo"}).status, 0); // only the program's own files stay
            ASSERT_FALSE(QFileInfo::exists(env.hiveFile()));
        }
        const QMap<QString, QByteArray> before = files();
        QElapsedTimer timer;
        timer.start();
        const auto whole = start();
        ASSERT_TRUE(whole->waitForFinished(60000));
        const qint64 runMs = timer.elapsed();
        ASSERT_EQ(whole->exitCode(), 0) << whole->readAllStandardError().toStdString();
        const QMap<QString, QByteArray> after = comparable(files());
        ASSERT_NE(after, comparable(before));

        constexpr int kKills = 12;
        for (int kill = 0; kill < kKills; ++kill) {
            const qint64 delayMs = runMs * kill / (kKills - 1);
            SCOPED_TRACE(QString("killed after %1 of %2 ms").arg(delayMs).arg(runMs).toStdString());
            putBack(before);
            ASSERT_EQ(comparable(files()), comparable(before));
            const auto killed = start();
            ASSERT_TRUE(killed->waitForStarted());
            QThread::msleep(delayMs);
            ::kill(-pid_t(killed->processId()), SIGKILL);
            ASSERT_TRUE(killed->waitForFinished(60000));

            ASSERT_EQ(runProgram({"--list"}).status, 0);
            const QMap<QString, QByteArray> now = comparable(files());
            const bool changed = now == after, unchanged = now == comparable(before);
            EXPECT_TRUE(changed || unchanged);
            // Only the backup of a change that happened stays: --undo takes back Alpha, or else Beta.
            ASSERT_EQ(runProgram({"--undo"}).status, first && !changed ? 1 : 0);
            EXPECT_EQ(held({"Alpha", "Beta"}), QStringList({"Alpha", changed && !first ? "Beta = Beta.Rom" : "Beta"}));
            if (changed) {
                EXPECT_EQ(comparable(files()), comparable(before));
            }
        }
        putBack(before);
    }
}

// An emulator the user installed (Debian's mednafen, with its own entry) stays offered for the
// files of the types that it opens and that an association takes over, after our entry; a cue sheet,
// text that content sniffing knows, gets our type and opens with our emulator.
TEST_F(CommandLine, AnInstalledEmulatorStaysOfferedAndASniffedSheetOpensWithOurs)
{
    QFile::remove(env.configHome() + "/Zelvane/Zelvane.ini"); // the shipped catalogue, with its NES and PlayStation
    const QString installed = "/usr/share/applications/mednafen.desktop";
    if (!QFile::exists(installed))
        GTEST_SKIP() << "Debian's mednafen package is not installed (./scripts/setup.sh test installs it): no " << installed.toStdString();
    ASSERT_TRUE(QFile::copy(installed, env.systemDataDir() + "/applications/mednafen.desktop"));
    // GIO finds the types an application opens in the folder's cache, as the package's trigger makes it.
    ASSERT_EQ(desktoptest::run("update-desktop-database", {env.systemDataDir() + "/applications"}).exitCode, 0);
    programsOnPath({"fceux"}); // the catalogue's first NES emulator, which the desktop must find
    const QString record = env.root() + "/arguments", emulator = env.root() + "/bin/psx-emu";
    TestEnvironment::writeProgram(emulator, desktoptest::recorderScript(record));
    const QString game = env.root() + "/a game.nes", sheet = env.root() + "/disc.cue";
    TestEnvironment::writeFile(game, "NES\x1a" + QByteArray(60, '\0'));
    TestEnvironment::writeFile(sheet, "FILE \"x.bin\" BINARY\n  TRACK 01 MODE2/2352\n    INDEX 01 00:00:00\n");
    // What `gio mime` tells of a type: its default application, then those registered.
    const auto offered = [](const QString& type) {
        QStringList lines = desktoptest::run("gio", {"mime", type}).output.split('\n');
        const qsizetype end = lines.indexOf(QRegularExpression("^Recommended applications:"));
        lines = lines.mid(0, end < 0 ? lines.size() : end);
        return lines.replaceInStrings(QRegularExpression("^Default application for .*: "), "").filter(QRegularExpression("^\\S|^\\t")).join(' ');
    };
    EXPECT_EQ(offered("application/x-nes-rom"), "mednafen.desktop Registered applications: \tmednafen.desktop");

    const ProgramRun nes = runProgram({"--associate", "Nintendo Entertainment System"});
    ASSERT_EQ(nes.status, 0) << nes.error.toStdString();
    EXPECT_TRUE(nes.error.contains("zelvane: warning: The extension \".nes\" now opens by default with the class \"Zelvane.NES.Rom\" instead "
                                   "of Mednafen (type application/x-nes-rom), which \"Open With\" still offers.\n")) << nes.error.toStdString();
    const QString nesType = DesktopNames::mimeType("Zelvane.NES.Rom"), nesEntry = DesktopNames::desktopFileName("Zelvane.NES.Rom");
    EXPECT_EQ(desktoptest::contentType(game), nesType);
    EXPECT_EQ(offered(nesType), nesEntry + " Registered applications: \t" + nesEntry + " \tmednafen.desktop");

    const ProgramRun psx = runProgram({"--associate", "Sony PlayStation", "--command", '"' + emulator + "\" \"%1\""});
    ASSERT_EQ(psx.status, 0) << psx.error.toStdString();
    // .ccd and .pbp, which the system knows no type for, keep the class's own type.
    EXPECT_EQ(desktoptest::contentType(sheet), DesktopNames::mimeType("Zelvane.PSX.Rom") + ".application.x-cue");
    ASSERT_EQ(desktoptest::run("gio", {"open", sheet}).exitCode, 0);
    EXPECT_EQ(desktoptest::waitForLines(record), QStringList {sheet});
}

} // namespace
