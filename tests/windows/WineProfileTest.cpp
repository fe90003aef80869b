// The Windows test program's own tests, and our INI reader against GetPrivateProfileStringA over
// a corpus of hand-written and generated files.
#include "DesktopTestSupport.h"
#include "TestEnvironment.h"
#include "Wine.h"

#include "platform/ProfileString.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <iostream>

namespace {

TEST(Windows, TheWin32CoresPassTheirOwnTestsUnderWine)
{
    const wine::Run run = wine::run(QStringLiteral(ZELVANE_WIN32_TESTS_EXE), {});
    EXPECT_TRUE(run.exitCode == 0 && run.output.contains("[  PASSED  ]")) << run.output.toStdString();
}

// The queries to the Windows side and, for each query, where it is and our reader's answer.
struct Corpus {
    QList<wine::Record> requests;
    QList<std::tuple<QString, int, wine::Record>> ours; // "file [section] key", size, count and buffer
    QString file;
    void query(const QByteArray& section, const QByteArray& key, int size)
    {
        requests.append({wine::hex(wine::windowsPath(file)), section.toHex(), key.toHex(), QByteArray::number(size)});
        QByteArray buffer(size + 1, '\x7f'); // a byte the lookup never writes: a missing NUL shows
        const int count = platform::GetPrivateProfileStringA(section, key, "", buffer.data(), size, file);
        ours.append({QFileInfo(file).baseName() + QStringLiteral(" [%1] %2").arg(QString::fromLatin1(section), QString::fromLatin1(key)),
                     size, {QByteArray::number(count), buffer.left(count < size ? count + 1 : 0).toHex()}});
    }
};

// The files of profile-corpus, one for each family of rules (quotes, comments, duplicates, blanks,
// line ends, Windows-1252, odd lines, NUL bytes, byte-order marks, an empty and a missing file),
// and one of long lines written into `folder`, each name of the queries file queried with every
// buffer size from 1 to 127;
// then every value the program reads from the catalogue it ships, at the size it uses.
void addHandWritten(Corpus& corpus, const QTemporaryDir& folder)
{
    QByteArray longLines = "[" + QByteArray(300, 'S') + "]\n" + QByteArray(300, 'K') + "=far\n[l]\n";
    for (const int length : {125, 126, 127, 128, 200, 1000, 5000, 70000})
        longLines += "v" + QByteArray::number(length) + "=" + QByteArray("0123456789").repeated(7000).left(length) + "\n";
    TestEnvironment::writeFile(folder.filePath(QStringLiteral("long-lines.ini")), longLines);
    for (const QByteArray& line : TestEnvironment::readFile(ZELVANE_PROFILE_CORPUS "/queries").split('\n')) {
        const QByteArrayList fields = line.split('\t');
        const QString name = QString::fromLatin1(fields[0]) + QStringLiteral(".ini");
        corpus.file = QFile::exists(folder.filePath(name)) ? folder.filePath(name) : ZELVANE_PROFILE_CORPUS "/" + name;
        for (int size = 1; fields.size() == 3 && size <= 127; ++size)
            corpus.query(fields[1], fields[2], size);
    }
    corpus.file = QStringLiteral(ZELVANE_BIN_DIR "/Zelvane.ini");
    for (int n = 1; n <= 16; ++n) {
        const QByteArray number = QByteArray::number(n).rightJustified(2, '0');
        corpus.query("Console", number, 127);
        for (const QByteArray& key : QByteArray("ext1 ext2 ext3 ext4 romname savname emu1 emu2 emu3 emu4 emu5 emu6 "
                                                "sav1 sav2 sav3 sav4 cartico saveico").split(' '))
            corpus.query(number, key, 127);
    }
}

// Files mixing the rules at random from a fixed seed: sections and keys from small pools in random
// letter case and spacing, values plain, quoted or long, with Windows-1252 bytes, comment and odd
// lines, random line ends; each queried with a handful of sizes.
void addGenerated(Corpus& corpus, int count, const QTemporaryDir& folder)
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
        TestEnvironment::writeFile(corpus.file = folder.filePath(QStringLiteral("generated-%1.ini").arg(i)), bytes);
        for (int q = 0; q < 8; ++q) {
            const QByteArray section = randomCase(pick(sections));
            const QByteArray key = randomCase(pick(keys));
            for (const int size : {1, 2, 3, 8, 21, 126, 127})
                corpus.query(section, key, size);
        }
    }
}

TEST(Windows, OurIniReaderAgreesWithGetPrivateProfileStringA)
{
    const QTemporaryDir folder;
    Corpus corpus;
    addHandWritten(corpus, folder);
    addGenerated(corpus, 300, folder);
    const QList<wine::Record> answers = wine::ask("profile", corpus.requests);
    ASSERT_EQ(answers.size(), corpus.ours.size());
    QSet<QString> listed; // "file [section] key" where our reader parts from Windows, with the reason
    for (const QString& line : QString::fromLatin1(TestEnvironment::readFile(ZELVANE_PROFILE_CORPUS "/differences")).split('\n'))
        if (!line.isEmpty() && !line.startsWith('#'))
            listed.insert(line);
    QStringList unexpected;
    QSet<QString> differences;
    for (qsizetype i = 0; i < answers.size(); ++i) {
        const auto& [where, size, ours] = corpus.ours[i];
        const wine::Record windows = answers[i].mid(0, 2);
        const QString sized = QStringLiteral("%1 size %2: Windows %3, ").arg(where).arg(size).arg(windows.join(' '));
        if (answers[i].mid(2) != windows)
            unexpected << sized + "Win32 core " + answers[i].mid(2).join(' ');
        if (ours != windows && !listed.contains(where))
            unexpected << sized + "ours " + ours.join(' ');
        if (ours != windows)
            differences.insert(where);
    }
    EXPECT_EQ(unexpected, QStringList());
    EXPECT_EQ(differences, listed);
    std::cout << "Profile corpus: " << answers.size() << " queries, " << differences.size() << " listed differences." << std::endl;
}

} // namespace
