// The INI lookup against a table of catalogue texts, compared with what Windows returns.
#include "TestEnvironment.h"
#include "platform/ProfileString.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

#include <array>

namespace {

// Bytes of a literal, NUL bytes included.
template <std::size_t N>
QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

// Text as Notepad saves it as "Unicode" (UTF-16 LE), or in UTF-16 BE, after a byte-order mark.
QByteArray unicodeFile(const QString& text, bool bigEndian = false)
{
    QStringEncoder encoder(bigEndian ? QStringConverter::Utf16BE : QStringConverter::Utf16LE);
    const QByteArray encoded = encoder(text);
    return (bigEndian ? "\xFE\xFF" : "\xFF\xFE") + encoded;
}

const QByteArray kUtf8Mark = "\xEF\xBB\xBF";
const QString kEAcute200(200, QChar(0xE9));
const QByteArray kEAcute126Ansi(126, '\xE9');

struct LookupCase {
    const char* name;
    QByteArray text;
    const char* section;
    const char* key;
    int count;
    QByteArray value;
    int size = 127;
};

void PrintTo(const LookupCase& c, std::ostream* out)
{
    *out << c.name;
}

class ProfileStringTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(ProfileStringTest, GivesTheCountAndBytesOfWindows)
{
    const LookupCase& c = GetParam();
    TestEnvironment env;
    const QString file = env.programDir() + "/Zelvane.ini";
    TestEnvironment::writeFile(file, c.text);
    char buffer[128];
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    const int count = platform::GetPrivateProfileStringA(c.section, c.key, "", buffer, c.size, file);
    EXPECT_EQ(count, c.count);
    EXPECT_EQ(QByteArray(buffer, count), c.value);
    EXPECT_EQ(buffer[count], '\0');
}

const QByteArray kLong200 = QByteArray(200, 'a');

INSTANTIATE_TEST_SUITE_P(
    Catalogues, ProfileStringTest,
    ::testing::Values(
        LookupCase{"plain", "[Console]\r\n01=NES\r\n", "Console", "01", 3, "NES"},
        LookupCase{"case", "[console]\nEXT1=nes\n", "CONSOLE", "ext1", 3, "nes"},
        LookupCase{"blanks", "\t [ 01 ]  \n  ext1\t=  \tsmc \t\n", "01", "ext1", 3, "smc"},
        LookupCase{"blanks in value kept", "[01]\nemu1= my emu \"%1\" \n", "01", "emu1", 11, "my emu \"%1\""},
        LookupCase{"double quotes", "[01]\nemu1=\"quoted value\"\n", "01", "emu1", 12, "quoted value"},
        LookupCase{"single quotes", "[01]\nk='v'\n", "01", "k", 1, "v"},
        LookupCase{"mismatched quotes", "[01]\nk=\"v'\n", "01", "k", 3, "\"v'"},
        LookupCase{"lone quote", "[01]\nk=\"\n", "01", "k", 1, "\""},
        LookupCase{"comment", "[01]\n;ext1=no\next1=yes\n", "01", "ext1", 3, "yes"},
        LookupCase{"commented key only", "[01]\n;ext1=no\n", "01", "ext1", 0, ""},
        LookupCase{"no inline comment", "[01]\next1=a ; b\n", "01", "ext1", 5, "a ; b"},
        LookupCase{"LF", "[a]\nk=1\n[b]\nk=2\n", "b", "k", 1, "2"},
        LookupCase{"CR alone", "[a]\rk=1\r[b]\rk=2\r", "b", "k", 1, "2"},
        LookupCase{"CRLF", "[a]\r\nk=1\r\n[b]\r\nk=2\r\n", "b", "k", 1, "2"},
        LookupCase{"first key wins", "[a]\nk=1\nk=2\n", "a", "k", 1, "1"},
        LookupCase{"first section wins", "[a]\nk=1\n[a]\nk=2\n", "a", "k", 1, "1"},
        LookupCase{"later section not searched", "[a]\nj=1\n[b]\n[a]\nk=2\n", "a", "k", 0, ""},
        LookupCase{"empty value", "[a]\nk=\n", "a", "k", 0, ""},
        LookupCase{"key without equals", "[a]\nk\n", "a", "k", 0, ""},
        LookupCase{"key without equals hides the next", "[S]\n  A  \na=2\n", "S", "a", 0, ""},
        LookupCase{"NUL ends the value", bytes("[S]\na=ab \0cd\n"), "S", "a", 3, "ab "},
        LookupCase{"NUL alone", bytes("[S]\na=\0\n"), "S", "a", 0, ""},
        LookupCase{"NUL before closing quote", bytes("[S]\na=\"x\0\"\n"), "S", "a", 2, "\"x"},
        LookupCase{"NUL ends the key name", bytes("[S]\na\0x=5\n"), "S", "a", 1, "5"},
        LookupCase{"NUL ends a key without equals", bytes("[S]\na\0\na=2\n"), "S", "a", 0, ""},
        LookupCase{"NUL ends the section name", bytes("[S\0x]\na=1\n"), "S", "a", 1, "1"},
        LookupCase{"missing section", "[a]\nk=1\n", "b", "k", 0, ""},
        LookupCase{"missing key", "[a]\nk=1\n", "a", "j", 0, ""},
        LookupCase{"one character", "[Console]\n01=X\n", "Console", "01", 1, "X"},
        LookupCase{"equals in value", "[a]\nk=b=c\n", "a", "k", 3, "b=c"},
        LookupCase{"200 characters cut to 126", "[a]\nk=" + kLong200 + "\n", "a", "k", 126,
                   "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
                   "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"},
        LookupCase{"utf-8 mark", "\xEF\xBB\xBF[a]\nk=1\n", "a", "k", 1, "1"},
        // Unicode files give Windows-1252, one byte per character, cut at size - 1 characters.
        LookupCase{"utf-8 cut in characters", kUtf8Mark + "[S]\na=" + kEAcute200.toUtf8(), "S", "a",
                   126, kEAcute126Ansi},
        LookupCase{"utf-16 cut in characters", unicodeFile("[S]\r\na=" + kEAcute200), "S", "a", 126,
                   kEAcute126Ansi},
        LookupCase{"utf-16 big-endian", unicodeFile(QString::fromUtf8("[S]\na=\u20AC\u00A0\u00FF"), true),
                   "S", "a", 3, "\x80\xA0\xFF"},
        LookupCase{"utf-16 odd last byte", unicodeFile("[S]\na=bc").chopped(1), "S", "a", 2, "bc"},
        // Outside Windows-1252, UTF-8 cut between two characters.
        LookupCase{"utf-8 beyond Windows-1252", kUtf8Mark + "[S]\na=a\xC4\x81\xC4\x81", "S", "a", 3,
                   "a\xC4\x81", 5},
        LookupCase{"utf-16 beyond Windows-1252", unicodeFile(QString::fromUtf8("[S]\na=a\U0001F600")),
                   "S", "a", 1, "a", 4},
        // Windows-1252 bytes that would read back as UTF-8 text come as UTF-8.
        LookupCase{"utf-8 text like UTF-8 bytes", kUtf8Mark + "[S]\na=\xC3\x83\xC2\xA9", "S", "a", 4,
                   "\xC3\x83\xC2\xA9"},
        // An 8-bit file that is UTF-8 is never cut inside a character; other bytes are cut as they are.
        LookupCase{"utf-8 without mark cut whole", "[S]\na=a\xC3\xA9", "S", "a", 1, "a", 3},
        LookupCase{"windows-1252 cut as bytes", "[S]\na=a\xE9\xE9", "S", "a", 2, "a\xE9", 3},
        LookupCase{"key before any section", "k=0\n[a]\nk=1\n", "a", "k", 1, "1"}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(ProfileString, CutsQuotedValuesAsWindows)
{
    // Counts for the sizes 1 to 6: a quoted value whose inside is exactly size - 1 long gives one
    // character fewer, as the closing quote was part of what the lookup copied.
    const struct {
        QByteArray text;
        QByteArray inside;
        std::array<int, 6> counts;
    } cases[] = {
        {"[S]\na=abc\n", "abc", {0, 1, 2, 3, 3, 3}},
        {"[S]\na=\"abc\"\n", "abc", {0, 1, 2, 2, 3, 3}},
        {"[S]\na= 'abc' \n", "abc", {0, 1, 2, 2, 3, 3}},
        {kUtf8Mark + "[S]\na=\"\xC3\xA9\xC3\xA9\xC3\xA9\"", "\xE9\xE9\xE9", {0, 1, 2, 2, 3, 3}},
        {"[S]\na=\"\"\n", "", {0, 0, 0, 0, 0, 0}},
    };
    TestEnvironment env;
    const QString file = env.programDir() + "/Zelvane.ini";
    for (const auto& c : cases) {
        TestEnvironment::writeFile(file, c.text);
        for (int size = 1; size <= 6; ++size) {
            char buffer[8];
            const int count = platform::GetPrivateProfileStringA("S", "a", "", buffer, size, file);
            EXPECT_EQ(count, c.counts[size - 1]) << c.text.constData() << " size " << size;
            EXPECT_EQ(QByteArray(buffer), c.inside.left(count)) << c.text.constData() << " size " << size;
        }
    }
}

TEST(ProfileString, MissingFileGivesTheDefault)
{
    char buffer[16];
    EXPECT_EQ(platform::GetPrivateProfileStringA("a", "k", "", buffer, 16, "/nonexistent/Zelvane.ini"), 0);
    EXPECT_EQ(buffer[0], '\0');
    // The default loses its trailing spaces, as on Windows.
    EXPECT_EQ(platform::GetPrivateProfileStringA("a", "k", "default  ", buffer, 16, "/nonexistent"), 7);
    EXPECT_STREQ(buffer, "default");
}

} // namespace
