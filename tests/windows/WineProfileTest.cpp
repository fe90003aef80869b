// The Windows test program's own tests, and our INI reader against GetPrivateProfileStringA.
#include "ProfileCorpus.h"
#include "TestEnvironment.h"
#include "Wine.h"

#include "platform/ProfileString.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <vector>

namespace {

TEST(Windows, TheWin32CoresPassTheirOwnTestsUnderWine)
{
    const wine::Run run = wine::run(QStringLiteral(ZELVANE_WIN32_TESTS_EXE), {});
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("[  PASSED  ]")) << run.output.toStdString();
}

// Where our reader and the Windows lookup part, and why the difference stays.
struct KnownDifference {
    QString file;
    QByteArray section;
    QByteArray key;
    const char* reason;
};

const char* const kEmptySection =
    "the empty section name: Windows reads the explicit [] section, wine the keys before the first "
    "section (a known deviation its own tests mark todo_wine)";
const char* const kUtf8Cut =
    "a value that is UTF-8 (a catalogue written in UTF-8, or bytes that happen to be) cut at the size: "
    "Windows cuts at size - 1 bytes, inside a character if need be; our reader cuts before that "
    "character, so that the text layer shows no broken character";
const char* const kOutsideCp1252 =
    "characters outside Windows-1252 in a file with a byte-order mark: Windows gives a '?' for each, "
    "our reader gives the value in UTF-8, so that the text is not lost";
const char* const kNonAsciiCase =
    "names that differ in the case of a letter outside ASCII: wine compares them as different, our "
    "reader folds their case as it does for ASCII letters";

const std::vector<KnownDifference> kKnownDifferences = {
    {"odd-lines", "", "before", kEmptySection}, {"odd-lines", "", "in", kEmptySection},
    {"utf8-plain", "u", "latin", kUtf8Cut}, {"utf8-plain", "u", "wide", kUtf8Cut},
    {"generated-58", "02", "01", kUtf8Cut}, {"generated-257", "02", "exT1", kUtf8Cut},
    {"utf8-bom", "u", "wide", kOutsideCp1252}, {"utf16le-bom", "u", "wide", kOutsideCp1252},
    {"utf16be-bom", "u", "wide", kOutsideCp1252}, {"cp1252", "S\xc9" "CTION", "CL\xc9", kNonAsciiCase},
};

// The count, then the bytes placed in the buffer up to and with its NUL, as the wine side answers.
wine::Record ourAnswer(const ProfileQuery& query, const QString& file)
{
    QByteArray buffer(query.size + 1, '\x7f');
    const int count = platform::GetPrivateProfileStringA(query.section, query.key, "", buffer.data(), query.size, file);
    const qsizetype shown = count >= 0 && count < query.size ? count + 1 : 0;
    return {QByteArray::number(count), buffer.left(shown).toHex()};
}

std::string describe(const CorpusFile& file, const ProfileQuery& query, const wine::Record& ours,
                     const wine::Record& windows)
{
    return QStringLiteral("%1 [%2] %3 size %4: ours %5 \"%6\", Windows %7 \"%8\"")
        .arg(file.name, QString::fromLatin1(query.section.toHex()), QString::fromLatin1(query.key.toHex()))
        .arg(query.size)
        .arg(QString::fromLatin1(ours.value(0)), QString::fromLatin1(ours.value(1)),
             QString::fromLatin1(windows.value(0)), QString::fromLatin1(windows.value(1)))
        .toStdString();
}

TEST(Windows, OurIniReaderAgreesWithGetPrivateProfileStringA)
{
    const QTemporaryDir folder;
    const QList<CorpusFile> corpus =
        profileCorpus(TestEnvironment::readFile(QStringLiteral(ZELVANE_BIN_DIR "/Zelvane.ini")));
    QList<wine::Record> requests;
    for (const CorpusFile& file : corpus) {
        const QString path = folder.filePath(file.name + QStringLiteral(".ini"));
        if (file.bytes)
            TestEnvironment::writeFile(path, *file.bytes);
        requests.append({"file", wine::hex(wine::windowsPath(path))});
        for (const ProfileQuery& query : file.queries)
            requests.append({query.section.toHex(), query.key.toHex(), QByteArray::number(query.size)});
    }
    const QList<wine::Record> answers = wine::ask("profile", requests);
    ASSERT_EQ(answers.size(), requests.size() - corpus.size() + 1);
    ASSERT_EQ(answers[0], wine::Record({"acp", "1252"}));

    int queries = 0;
    int agreeing = 0;
    int listed = 0;
    int coreAgreeing = 0;
    std::set<size_t> seen;
    for (const CorpusFile& file : corpus) {
        const QString path = folder.filePath(file.name + QStringLiteral(".ini"));
        for (const ProfileQuery& query : file.queries) {
            const wine::Record& answer = answers[++queries];
            const wine::Record windows = answer.mid(0, 2);
            const wine::Record ours = ourAnswer(query, path);
            if (answer.mid(2, 2) == windows)
                ++coreAgreeing;
            else
                ADD_FAILURE() << "Win32 core: " << describe(file, query, answer.mid(2, 2), windows);
            if (ours == windows) {
                ++agreeing;
                continue;
            }
            const auto known = std::find_if(kKnownDifferences.begin(), kKnownDifferences.end(), [&](const KnownDifference& d) {
                return file.name == d.file && d.section == query.section && d.key == query.key;
            });
            if (known == kKnownDifferences.end()) {
                ADD_FAILURE() << describe(file, query, ours, windows);
                continue;
            }
            ++listed;
            seen.insert(size_t(known - kKnownDifferences.begin()));
        }
    }
    for (size_t i = 0; i < kKnownDifferences.size(); ++i)
        EXPECT_TRUE(seen.count(i)) << "listed difference no longer seen: " << kKnownDifferences[i].reason;
    std::cout << "Profile corpus: " << corpus.size() << " files, " << queries << " queries; our reader agrees on "
              << agreeing << ", " << listed << " listed differences; the Win32 core agrees on " << coreAgreeing
              << "." << std::endl;
}

} // namespace
