// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Our readers and our hive against the real Win32 calls, under wine: the Windows test program
// (zelvane_win32_tests.exe) run in one private wine prefix for all the comparisons, asked through
// files of requests and answers: one record a line, fields separated by tabs, texts in hexadecimal.
#include "RegistryTestSupport.h"

#include "catalogue/Fileini.h"
#include "icons/IconLibrary.h"
#include "platform/ProfileString.h"
#include "platform/ShellIcons.h"
#include "associations/ClassesRootChange.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {
namespace wine {

using Record = QByteArrayList;
using desktoptest::Run;
const int kTimeoutMs = 300000; // the comparisons' longest runs

// A Linux path as the Windows side names it, through wine's drive Z:.
QString windowsPath(const QString& linuxPath) { return QStringLiteral("Z:") + QString(linuxPath).replace('/', '\\'); }
// A text as the exchange files carry it: its UTF-16LE bytes in hexadecimal.
QByteArray hex(const QString& text) { return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2).toHex(); }

// Started before the tests, stopped (its processes only, the server among them) after them.
struct Prefix : ::testing::Environment {
    // wine64 of Debian's package lives outside PATH, beside its wineserver.
    const QString wine = qEnvironmentVariable("ZELVANE_WINE", QStringLiteral("/usr/lib/wine/wine64"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QTemporaryDir folder {QDir::tempPath() + QStringLiteral("/zelvane-wine-XXXXXX")};

    void SetUp() override
    {
        // No Mono or Gecko installer: the prefix starts without the network. The Windows side reads
        // the western code page that the profile corpus is written in. No display.
        for (const auto& [name, value] : {std::pair {"WINEPREFIX", folder.path()}, {"WINEDEBUG", "-all"},
                                          {"WINEDLLOVERRIDES", "mscoree,mshtml="}, {"LC_ALL", "C.UTF-8"}})
            environment.insert(QLatin1String(name), value);
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        // One server for all the runs, which ends half a minute after the last should the program
        // end before its tear-down; the first boot builds the registry and folders, once.
        serve("-p30");
        const Run boot = desktoptest::run(wine, {QStringLiteral("wineboot"), QStringLiteral("--init")}, environment, kTimeoutMs);
        ASSERT_EQ(boot.exitCode, 0) << "wineboot failed:\n" << boot.output.toStdString();
    }
    void TearDown() override
    {
        serve("-k");
        folder.remove(); // GoogleTest never deletes its environments
    }
    void serve(const char* option) const { desktoptest::run(QFileInfo(wine).path() + QStringLiteral("/wineserver"), {QLatin1String(option)}, environment); }
};

// GoogleTest owns the environments it is given; registered before the tests run.
const Prefix& thePrefix = *static_cast<Prefix*>(::testing::AddGlobalTestEnvironment(new Prefix));

// Runs a Windows program (by wine's name for it, "regedit", or a Linux path) in the prefix.
Run run(const QString& program, const QStringList& arguments)
{
    return desktoptest::run(thePrefix.wine, QStringList {program} + arguments, thePrefix.environment, kTimeoutMs);
}

// Runs one command of zelvane_win32_tests.exe on `requests` and returns its answers; a command
// that fails fails the test.
QList<Record> ask(const char* command, const QList<Record>& requests)
{
    const QTemporaryDir exchange;
    const QString out = exchange.filePath(QStringLiteral("requests"));
    const QString in = exchange.filePath(QStringLiteral("answers"));
    QByteArray lines;
    for (const Record& record : requests)
        lines += record.join('\t') + '\n';
    TestEnvironment::writeFile(out, lines);
    const Run result = run(QStringLiteral(ZELVANE_WIN32_TESTS_EXE), {QLatin1String(command), windowsPath(out), windowsPath(in)});
    EXPECT_EQ(result.exitCode, 0) << command << " failed under wine:\n" << result.output.toStdString();
    QList<Record> answers;
    for (const QByteArray& line : TestEnvironment::readFile(in).split('\n'))
        if (!line.isEmpty())
            answers.append(line.split('\t'));
    return answers;
}

} // namespace wine

TEST(Windows, TheWin32CoresPassTheirOwnTestsUnderWine)
{
    const wine::Run run = wine::run(QStringLiteral(ZELVANE_WIN32_TESTS_EXE), {});
    EXPECT_TRUE(run.exitCode == 0 && run.output.contains("[  PASSED  ]")) << run.output.toStdString();
}

// Files mixing the rules at random from a fixed seed: sections and keys from small pools in random
// letter case and spacing, values plain, quoted or long, with Windows-1252 bytes, comment and odd
// lines, random line ends; each queried with a handful of sizes.
void addGenerated(int count, const QTemporaryDir& folder, const std::function<void(const QString&, QByteArray, QByteArray, int)>& query)
{
    QRandomGenerator random(20260107);
    const auto pick = [&](const QByteArrayList& pool) { return pool[random.bounded(int(pool.size()))]; };
    const auto randomCase = [&](QByteArray name) {
        for (char& c : name)
            c = random.bounded(2) && c >= 'a' && c <= 'z' ? char(c - 32) : c;
        return name;
    };
    const QByteArrayList sections {"Console", "01", "02", "caf\xe9", "x"};
    const QByteArrayList keys {"01", "ext1", "romname", "emu1", "cl\xe9", "k"};
    const QByteArrayList blanks {"", " ", "\t", "  \t "};
    const QByteArrayList oddLines {"; comment", ";k=hidden", "noequals", "=nokey", "[broken", "   ", "#k=h"};
    for (int i = 0; i < count; ++i) {
        QByteArray bytes;
        const QByteArray end = pick({"\r\n", "\n", "\r"});
        for (int s = random.bounded(1, 4); s > 0; --s) {
            bytes += pick(blanks) + "[" + pick(blanks) + randomCase(pick(sections)) + pick(blanks) + "]" + end;
            for (int k = random.bounded(0, 7); k > 0; --k) {
                if (random.bounded(5) == 0) {
                    bytes += pick(oddLines) + end;
                    continue;
                }
                QByteArray value;
                for (int length = random.bounded(0, random.bounded(4) ? 20 : 200); length > 0; --length)
                    value += char(random.bounded(5) ? random.bounded(0x20, 0x7F) : random.bounded(0x80, 0x100));
                const QByteArray quote = pick({"", "", "\"", "'"});
                bytes += pick(blanks) + randomCase(pick(keys)) + pick(blanks) + "=" + pick(blanks) + quote
                    + value.trimmed() + (random.bounded(4) ? quote : QByteArray()) + pick(blanks) + end;
            }
        }
        const QString file = folder.filePath(QStringLiteral("generated-%1.ini").arg(i));
        TestEnvironment::writeFile(file, bytes);
        for (int q = 0; q < 8; ++q) {
            const QByteArray section = randomCase(pick(sections));
            const QByteArray key = randomCase(pick(keys));
            for (const int size : {1, 2, 3, 8, 21, 126, 127})
                query(file, section, key, size);
        }
    }
}

// The files of profile-corpus, one for each family of rules (quotes, comments, duplicates, blanks,
// line ends, Windows-1252, odd lines, NUL bytes, byte-order marks, an empty and a missing file),
// and one of long lines, each name of the queries file queried with every buffer size from 1 to
// 127; then the generated files.
TEST(Windows, OurIniReaderAgreesWithGetPrivateProfileStringA)
{
    const QTemporaryDir folder;
    QByteArray longLines = "[" + QByteArray(300, 'S') + "]\n" + QByteArray(300, 'K') + "=far\n[l]\n";
    for (const int length : {125, 126, 127, 128, 200, 1000, 5000, 70000})
        longLines += "v" + QByteArray::number(length) + "=" + QByteArray("0123456789").repeated(7000).left(length) + "\n";
    TestEnvironment::writeFile(folder.filePath(QStringLiteral("long-lines.ini")), longLines);
    // The queries to the Windows side and, for each query, where it is and our reader's answer.
    QList<wine::Record> requests;
    QList<std::tuple<QString, int, wine::Record>> ours; // "file [section] key", size, count and buffer
    const auto query = [&](const QString& file, const QByteArray& section, const QByteArray& key, int size) {
        requests.append({wine::hex(wine::windowsPath(file)), section.toHex(), key.toHex(), QByteArray::number(size)});
        QByteArray buffer(size + 1, '\x7f'); // a byte the lookup never writes: a missing NUL shows
        const int count = platform::GetPrivateProfileStringA(section, key, "", buffer.data(), size, file);
        ours.append({QFileInfo(file).baseName() + QStringLiteral(" [%1] %2").arg(QString::fromLatin1(section), QString::fromLatin1(key)),
                     size, {QByteArray::number(count), buffer.left(count < size ? count + 1 : 0).toHex()}});
    };
    for (const QByteArray& line : TestEnvironment::readFile(ZELVANE_PROFILE_CORPUS "/queries").split('\n')) {
        const QByteArrayList fields = line.split('\t');
        const QString name = QString::fromLatin1(fields[0]) + QStringLiteral(".ini");
        const QString file = QFile::exists(folder.filePath(name)) ? folder.filePath(name) : ZELVANE_PROFILE_CORPUS "/" + name;
        for (int size = 1; fields.size() == 3 && size <= 127; ++size)
            query(file, fields[1], fields[2], size);
    }
    addGenerated(300, folder, query);
    const QList<wine::Record> answers = wine::ask("profile", requests);
    ASSERT_EQ(answers.size(), ours.size());
    // "file [section] key" where our reader parts from Windows, each under its reason.
    QStringList listed = QString::fromLatin1(TestEnvironment::readFile(ZELVANE_PROFILE_CORPUS "/differences")).split('\n', Qt::SkipEmptyParts);
    listed.removeIf([](const QString& line) { return line.startsWith('#'); });
    QMap<QString, QString> differences; // where, and the first size at which they part
    for (qsizetype i = 0; i < answers.size(); ++i) {
        const auto& [where, size, answer] = ours[i];
        const wine::Record windows = answers[i].mid(0, 2);
        EXPECT_EQ(answers[i].mid(2), windows) << "Win32 core, " << where.toStdString() << " size " << size;
        if (answer != windows && !differences.contains(where))
            differences.insert(where, QStringLiteral("%1 size %2: ours %3, Windows %4").arg(where).arg(size).arg(answer.join(' '), windows.join(' ')));
    }
    listed.sort();
    EXPECT_EQ(differences.keys(), listed) << QStringList(differences.values()).join('\n').toStdString();
}

const QString kUserClasses = QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes");

// "path = data" (or "path" for a key without a default value) for the keys `paths` and every key
// below them, in name order as regedit lists them (our hive keeps the order they were made in).
QStringList keysOf(const registry::RegistryHive& hive, const QStringList& paths)
{
    QStringList keys;
    for (const QString& path : paths)
        keys += hive.hasKey(path) ? regtest::keysOf(hive, path) : QStringList();
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
    const QString text = regtest::textOf(TestEnvironment::readFile(file));
    const QRegularExpression classesRoot(QStringLiteral("^\\[(-?)HKEY_CLASSES_ROOT\\\\"), QRegularExpression::MultilineOption);
    TestEnvironment::writeFile(copy, regtest::utf16File(QString(text).replace(classesRoot, "[\\1" + root + '\\')));
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
    const std::unique_ptr<platform::ClassesRoot> root
        = platform::openClassesRoot(catalogue, [](const QStringList&) { return QList<platform::Failure>(); });
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
}

// Positions spread over the library, its last and the one past its end; the resource IDs of the
// groups at those positions, as negative indices, and one ID that no group has.
QList<int> indices(const icons::IconLibrary& library)
{
    const int count = library.groupCount();
    QList<int> indices {count};
    int unused = -1;
    for (int position = 0; position < count; ++position) {
        const int id = library.groups()[position].id;
        unused = std::min(unused, -id - 1);
        if (position % std::max(1, count / 40) == 0 || position == count - 1)
            indices << position << (id > 0 ? QList<int> {-id} : QList<int>());
    }
    return indices << unused;
}

// A picture as straight ARGB with fully transparent pixels as 0; `premultiplied`: once through
// premultiplied form. Our reader decodes 32-bit icons through Qt's .ico reader, which keeps them
// premultiplied: equal to Windows' picture rounded the same way is as equal as it can be.
QImage normalised(const QImage& image, bool premultiplied = false)
{
    QImage argb = image.convertToFormat(premultiplied ? QImage::Format_ARGB32_Premultiplied : QImage::Format_ARGB32)
                      .convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(argb.scanLine(y));
        std::replace_if(row, row + argb.width(), [](QRgb pixel) { return qAlpha(pixel) == 0; }, QRgb(0));
    }
    return argb;
}

// The picture the wine side dumped from field `first`: its width, height and ARGB pixels (32-bit
// little-endian numbers, as QImage holds them on this little-endian machine).
QImage windowsPicture(const wine::Record& answer, int first)
{
    const QByteArray bytes = QByteArray::fromHex(answer.value(first + 2));
    const int width = answer.value(first).toInt();
    const int height = answer.value(first + 1).toInt();
    return bytes.size() != width * height * 4 ? QImage()
        : normalised(QImage(reinterpret_cast<const uchar*>(bytes.constData()), width, height, QImage::Format_ARGB32), true);
}

TEST(Windows, OurIconReaderAgreesWithExtractIconExW)
{
    const QTemporaryDir folder;
    TestEnvironment::writeFile(folder.filePath(QStringLiteral("notes.txt")), "not an icon library\n");
    const QStringList files {QStringLiteral(ZELVANE_BIN_DIR "/Emul.icl"),
                             wine::thePrefix.folder.path() + QStringLiteral("/drive_c/windows/system32/shell32.dll"),
                             folder.filePath(QStringLiteral("notes.txt")), folder.filePath(QStringLiteral("missing.dll"))};
    QList<wine::Record> requests;
    QList<QList<int>> samples;
    for (const QString& file : files) {
        requests.append({wine::hex(wine::windowsPath(file))});
        samples.append(indices(icons::IconLibrary::open(file)));
        for (const int index : samples.last())
            requests.append({wine::hex(wine::windowsPath(file)), QByteArray::number(index)});
    }
    const QList<wine::Record> answers = wine::ask("icons", requests);
    ASSERT_EQ(answers.size(), requests.size());
    auto answer = answers.cbegin();
    for (qsizetype f = 0; f < files.size(); ++f) {
        const std::string name = files[f].toStdString();
        EXPECT_EQ(platform::ExtractIconExA(files[f], -1, nullptr, nullptr), int((answer++)->value(0).toUInt())) << name;
        for (const int index : samples[f]) {
            const wine::Record& windows = *answer++;
            platform::Icon large;
            platform::Icon small;
            const int result = platform::ExtractIconExA(files[f], index, &large, &small);
            // Whether an icon was extracted: wine counts the large and the small one of a single
            // extraction as two icons, our layer as one; the program asks only for at least one.
            const bool extracted = int(windows.value(0).toUInt()) >= 1;
            EXPECT_EQ(result >= 1, extracted) << name << " index " << index << ": ours " << result;
            // A listed difference: index -1 names the group whose resource ID is 1 (Microsoft's
            // documentation), but wine answers the icon count and extracts nothing.
            if (result < 1 || !extracted || index == -1)
                continue;
            EXPECT_TRUE(normalised(large.image) == windowsPicture(windows, 1) && normalised(small.image) == windowsPicture(windows, 4))
                << name << " index " << index << ": the 32 x 32 or the 16 x 16 picture differs";
        }
    }
}

} // namespace
