// The Windows test program's own tests, and our INI reader against GetPrivateProfileStringA over
// a corpus of hand-written and generated files.
#include "TestEnvironment.h"
#include "Wine.h"

#include "platform/ProfileString.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <iostream>
#include <optional>
#include <set>

namespace {

TEST(Windows, TheWin32CoresPassTheirOwnTestsUnderWine)
{
    const wine::Run run = wine::run(QStringLiteral(ZELVANE_WIN32_TESTS_EXE), {});
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("[  PASSED  ]")) << run.output.toStdString();
}

struct Query {
    QByteArray section;
    QByteArray key;
    int size;
};
using Names = QList<std::pair<QByteArray, QByteArray>>;
struct CorpusFile {
    QString name;
    std::optional<QByteArray> bytes; // none: the file does not exist
    QList<Query> queries;
};

QByteArray repeated(const char* pattern, int length)
{
    QByteArray text;
    while (text.size() < length)
        text += pattern;
    return text.left(length);
}

// One file for each family of rules, each name queried with every buffer size from 1 to 127; then
// every value the program reads from the catalogue it ships, at the size it uses.
QList<CorpusFile> handWritten(const QByteArray& shippedCatalogue)
{
    QByteArray longLines = "[" + repeated("S", 300) + "]\n" + repeated("K", 300) + "=far\n[l]\n";
    Names longNames {{repeated("S", 300), repeated("K", 300)}};
    for (const int length : {125, 126, 127, 128, 200, 1000, 5000, 70000}) {
        longLines += "v" + QByteArray::number(length) + "=" + repeated("0123456789", length) + "\n";
        longNames.append({"l", "v" + QByteArray::number(length)});
    }
    QByteArray high;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        high += char(byte);
    static const char nulBytes[] = "[n]\nk=ab\0cd\nj\0x=1\nafter=2\n[m\0n]\nz=3\n";
    const QString unicode = QStringLiteral("[u]\nlatin=café €\nwide=ゲーム Ωμέγα\n");
    QByteArray utf16le("\xff\xfe");
    QByteArray utf16be("\xfe\xff");
    for (const QChar c : unicode) {
        utf16le += char(c.unicode() & 0xFF) + QByteArray(1, char(c.unicode() >> 8));
        utf16be += char(c.unicode() >> 8) + QByteArray(1, char(c.unicode() & 0xFF));
    }
    const Names unicodeNames {{"u", "latin"}, {"u", "wide"}};
    QList<std::tuple<QString, std::optional<QByteArray>, Names>> files {
        {"quotes", "[q]\ndouble=\"val2\"\nsingle='val2'\nmixed=\"abc'\nlone=\"\nempty=\"\"\nopen=\"abc\n"
                   "spaced=  \"  in  \"  \ninner=\"\"/opt/My Emu/emu\" \"%1\"\"\nlong=\"" + repeated("quoted ", 140)
                       + "\"\nfits=\"" + repeated("x", 126) + "\"\n",
         {{"q", "double"}, {"q", "single"}, {"q", "mixed"}, {"q", "lone"}, {"q", "empty"}, {"q", "open"},
          {"q", "spaced"}, {"q", "inner"}, {"q", "long"}, {"q", "fits"}}},
        {"comments", "; a comment line\n[c]\n;hidden=1\n  ;indented=2\n#hash=3\nplain=4 ; not a comment\n[;c]\nkey=5\n",
         {{"c", ";hidden"}, {"c", "hidden"}, {"c", ";indented"}, {"c", "#hash"}, {"c", "plain"}, {";c", "key"},
          {"c", "key"}}},
        {"duplicates", "[d]\nk=first\nk=second\n[D]\nk=third\nj=fourth\n[d]\nm=fifth\n",
         {{"d", "k"}, {"d", "K"}, {"D", "j"}, {"d", "m"}}},
        {"blanks", "  [ b ]  \n\t key \t=\t value \t\n\x0b\x0ckey2\x1a=\x1avalue2\x1a\n\n   \nk e y = v a l \n",
         {{"b", "key"}, {" b ", " key "}, {"b", "key2"}, {"b", "k e y"}, {"b", "k  e y"}}},
        {"long-lines", longLines, longNames},
        {"cp1252", "[S\xe9" "ction]\ncl\xe9=caf\xe9 \x80 \x9c\x9f\nall=" + high.left(64) + "\nrest=" + high.mid(64) + "\n",
         {{"S\xe9" "ction", "cl\xe9"}, {"S\xc9" "CTION", "CL\xc9"}, {"s\xe9" "ction", "all"}, {"S\xe9" "ction", "rest"}}},
        {"odd-lines", "before=first\n[o]\nnoequals\n=nokey\nempty=\nk==v\na=b=c\n[]\nin=empty name\n"
                      "[open\nafter=open\n[a]b]c\nx=1\n[s] trailing\ny=2\n[[z]]\nw=3\n",
         {{"", "before"}, {"o", "noequals"}, {"o", ""}, {"o", "empty"}, {"o", "k"}, {"o", "a"}, {"", "in"},
          {"o", "[open"}, {"o", "after"}, {"a]b", "x"}, {"a", "x"}, {"s", "y"}, {"[z]", "w"}, {"missing", "k"}}},
        {"nul-bytes", QByteArray(nulBytes, sizeof nulBytes - 1), {{"n", "k"}, {"n", "j"}, {"n", "after"}, {"m", "z"}}},
        {"utf8-bom", "\xef\xbb\xbf" + unicode.toUtf8(), unicodeNames},
        {"utf8-plain", unicode.toUtf8(), unicodeNames},
        {"utf16le-bom", utf16le, unicodeNames},
        {"utf16be-bom", utf16be, unicodeNames},
        {"empty", QByteArray(), {{"a", "b"}}},
        {"missing", std::nullopt, {{"Console", "01"}}},
    };
    for (const auto& [name, end] : {std::pair {"crlf", "\r\n"}, std::pair {"lf", "\n"}, std::pair {"cr", "\r"},
                                    std::pair {"cr-cr-lf", "\r\r\n"}, std::pair {"lf-cr", "\n\r"}})
        files.append({QStringLiteral("line-ends-%1").arg(QLatin1String(name)),
                      QByteArray("[e]\n01=one\n02=two\n\n03=three").replace("\n", end), {{"e", "01"}, {"e", "02"}, {"e", "03"}}});
    QList<CorpusFile> corpus;
    for (const auto& [name, bytes, names] : files) {
        corpus.append({name, bytes, {}});
        for (const auto& [section, key] : names) {
            for (int size = 1; size <= 127; ++size)
                corpus.last().queries.append({section, key, size});
        }
    }
    CorpusFile shipped {"shipped-catalogue", shippedCatalogue, {}};
    for (int n = 1; n <= 16; ++n) {
        const QByteArray number = QByteArray::number(n).rightJustified(2, '0');
        shipped.queries.append({"Console", number, 127});
        for (const char* key : {"ext1", "ext2", "ext3", "ext4", "romname", "savname", "emu1", "emu2", "emu3", "emu4",
                                "emu5", "emu6", "sav1", "sav2", "sav3", "sav4", "cartico", "saveico"})
            shipped.queries.append({number, key, 127});
    }
    return corpus << shipped;
}

// Files mixing the rules at random from a fixed seed: sections and keys from small pools in random
// letter case and spacing, values plain, quoted or long, with Windows-1252 bytes, comment and odd
// lines, random line ends; each queried with a handful of sizes.
QList<CorpusFile> generated(int count)
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
    QList<CorpusFile> files;
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
        files.append({QStringLiteral("generated-%1").arg(i), bytes, {}});
        for (int q = 0; q < 8; ++q) {
            const QByteArray section = randomCase(pick(sections));
            const QByteArray key = randomCase(pick(keys));
            for (const int size : {1, 2, 3, 8, 21, 126, 127})
                files.last().queries.append({section, key, size});
        }
    }
    return files;
}

// Where our reader and the Windows lookup part, and why the difference stays.
const char* const kEmptySection = "the empty section name: Windows reads the explicit [] section, wine the keys "
                                  "before the first section (a deviation its own tests mark todo_wine)";
const char* const kUtf8Cut = "a UTF-8 value cut at the size: Windows cuts at size - 1 bytes, inside a character if "
                             "need be; our reader cuts before it, so that the text layer shows no broken character";
const char* const kOutsideCp1252 = "characters outside Windows-1252 in a file with a byte-order mark: Windows gives "
                                   "a '?' for each, our reader the value in UTF-8, so that the text is not lost";
const char* const kNonAsciiCase = "names that differ in the case of a letter outside ASCII: wine compares them as "
                                  "different, our reader folds their case as it does for ASCII letters";
const struct KnownDifference {
    QString file;
    QByteArray section;
    QByteArray key;
    const char* reason;
} kKnownDifferences[] = {
    {"odd-lines", "", "before", kEmptySection}, {"odd-lines", "", "in", kEmptySection},
    {"utf8-plain", "u", "latin", kUtf8Cut}, {"utf8-plain", "u", "wide", kUtf8Cut},
    {"generated-58", "02", "01", kUtf8Cut}, {"generated-257", "02", "exT1", kUtf8Cut},
    {"utf8-bom", "u", "wide", kOutsideCp1252}, {"utf16le-bom", "u", "wide", kOutsideCp1252},
    {"utf16be-bom", "u", "wide", kOutsideCp1252}, {"cp1252", "S\xc9" "CTION", "CL\xc9", kNonAsciiCase},
};

TEST(Windows, OurIniReaderAgreesWithGetPrivateProfileStringA)
{
    const QTemporaryDir folder;
    const QList<CorpusFile> corpus =
        handWritten(TestEnvironment::readFile(QStringLiteral(ZELVANE_BIN_DIR "/Zelvane.ini"))) + generated(300);
    QList<wine::Record> requests;
    for (const CorpusFile& file : corpus) {
        if (file.bytes)
            TestEnvironment::writeFile(folder.filePath(file.name), *file.bytes);
        requests.append({"file", wine::hex(wine::windowsPath(folder.filePath(file.name)))});
        for (const Query& query : file.queries)
            requests.append({query.section.toHex(), query.key.toHex(), QByteArray::number(query.size)});
    }
    // Answers: the ANSI code page, then for each query the count and the buffer up to and with its
    // NUL, of Windows and of the Win32 core.
    const QList<wine::Record> answers = wine::ask("profile", requests);
    ASSERT_EQ(answers.size(), requests.size() - corpus.size() + 1);
    ASSERT_EQ(answers[0], wine::Record({"acp", "1252"}));
    int queries = 0;
    int listed = 0;
    std::set<const KnownDifference*> seen;
    for (const CorpusFile& file : corpus) {
        for (const Query& query : file.queries) {
            QByteArray buffer(query.size + 1, '\x7f'); // a byte the lookup never writes: a missing NUL shows
            const int count = platform::GetPrivateProfileStringA(query.section, query.key, "", buffer.data(), query.size,
                                                                 folder.filePath(file.name));
            const wine::Record ours {QByteArray::number(count), buffer.left(count < query.size ? count + 1 : 0).toHex()};
            const wine::Record& answer = answers[++queries];
            const auto describe = [&](const wine::Record& theirs, const char* who) {
                return QStringLiteral("%1 [%2] %3 size %4: %5 %6 \"%7\", Windows %8 \"%9\"")
                    .arg(file.name, QString::fromLatin1(query.section.toHex()), QString::fromLatin1(query.key.toHex()))
                    .arg(query.size)
                    .arg(QLatin1String(who), QString::fromLatin1(theirs.value(0)), QString::fromLatin1(theirs.value(1)),
                         QString::fromLatin1(answer.value(0)), QString::fromLatin1(answer.value(1)))
                    .toStdString();
            };
            EXPECT_EQ(answer.mid(2, 2), answer.mid(0, 2)) << describe(answer.mid(2, 2), "Win32 core");
            const auto known = std::find_if(std::begin(kKnownDifferences), std::end(kKnownDifferences), [&](auto& d) {
                return file.name == d.file && d.section == query.section && d.key == query.key;
            });
            if (ours == answer.mid(0, 2))
                continue;
            EXPECT_NE(known, std::end(kKnownDifferences)) << describe(ours, "ours");
            listed += known != std::end(kKnownDifferences);
            seen.insert(known);
        }
    }
    for (const KnownDifference& difference : kKnownDifferences)
        EXPECT_TRUE(seen.count(&difference)) << "listed difference no longer seen: " << difference.reason;
    std::cout << "Profile corpus: " << corpus.size() << " files, " << queries << " queries; our reader agrees on "
              << queries - listed << ", " << listed << " listed differences." << std::endl;
}

} // namespace
