// The INI lookup against a table of catalogue texts, compared with what Windows returns.
#include "TestEnvironment.h"
#include "platform/ProfileString.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

// Bytes of a literal, NUL bytes included.
template <std::size_t N>
QByteArray bytes(const char (&text)[N]) { return QByteArray(text, N - 1); }

// Text as Notepad saves it as "Unicode" (UTF-16 LE), or in UTF-16 BE, after a byte-order mark.
QByteArray utf16(const QString& text, bool bigEndian = false)
{
    return (bigEndian ? "\xFE\xFF" : "\xFF\xFE") + QStringEncoder(bigEndian ? QStringConverter::Utf16BE : QStringConverter::Utf16LE)(text);
}

const QByteArray kMark = "\xEF\xBB\xBF";
const QString kEAcute200(200, QChar(0xE9));

TEST(ProfileString, GivesTheCountAndBytesOfWindows)
{
    // Every lookup asks for S/a with the default "dflt  ", which comes back without its blanks:
    // a value found empty ("") and a value missing ("dflt") tell apart.
    const struct {
        const char* name;
        QByteArray text;
        QByteArray value;
        int size = 127;
    } rows[] = {
        {"plain", "[S]\r\na=NES\r\n", "NES"},
        {"names ignore case", "[s]\nA=nes\n", "nes"},
        {"blanks around names and value", "\t [ S ]  \n  a\t=  \tsmc \x1A\t\n", "smc"},
        {"blanks inside the value kept", "[S]\na= my emu \"%1\" \n", "my emu \"%1\""},
        {"double quotes", "[S]\na=\"quoted value\"\n", "quoted value"},
        {"mismatched quotes", "[S]\na=\"v'\n", "\"v'"},
        {"lone quote", "[S]\na=\"\n", "\""},
        {"no comment lines", "[S]\n;a=no\na=yes\n", "yes"},
        {"no inline comment", "[S]\na=x ; y\n", "x ; y"},
        {"CR alone ends lines", "[T]\ra=1\r[S]\ra=2\r", "2"},
        {"first key wins", "[S]\na=1\na=2\n", "1"},
        {"a later section is not searched", "[S]\nb=1\n[T]\n[S]\na=2\n", "dflt"},
        {"key before any section", "a=0\n[S]\na=1\n", "1"},
        {"empty value", "[S]\na=\n", ""},
        {"a key without equals hides the next", "[S]\n  A  \na=2\n", "dflt"},
        {"NUL ends the value", bytes("[S]\na=ab \0cd\n"), "ab "},
        {"NUL alone", bytes("[S]\na=\0\n"), ""},
        {"NUL before the closing quote", bytes("[S]\na=\"x\0\"\n"), "\"x"},
        {"NUL ends the key name", bytes("[S]\na\0x=5\n"), "5"},
        {"NUL ends the section name", bytes("[S\0x]\na=1\n"), "1"},
        {"missing section", "[T]\na=1\n", "dflt"},
        {"missing key", "[S]\nb=1\n", "dflt"},
        {"the default is cut too", "", "d", 2},
        {"equals in the value", "[S]\na=b=c\n", "b=c"},
        {"cut to size - 1", "[S]\na=" + QByteArray(200, 'a') + "\n", QByteArray(126, 'a')},
        // A quoted value whose inside is exactly size - 1 long loses one more character: the copy
        // held the closing quote.
        {"quoted at size 4", "[S]\na=\"abc\"\n", "ab", 4},
        {"quoted with blanks at size 3", "[S]\na= 'abc' \n", "ab", 3},
        {"quoted UTF-8 at size 4", kMark + "[S]\na=\"\xC3\xA9\xC3\xA9\xC3\xA9\"", "\xE9\xE9", 4},
        {"empty quotes at size 1", "[S]\na=\"\"\n", "", 1},
        // Unicode files give Windows-1252, one byte per character, cut at size - 1 characters.
        {"UTF-8 cut in characters", kMark + "[S]\na=" + kEAcute200.toUtf8(), QByteArray(126, '\xE9')},
        {"UTF-16 cut in characters", utf16("[S]\r\na=" + kEAcute200), QByteArray(126, '\xE9')},
        {"UTF-16 big-endian", utf16(QString::fromUtf8("[S]\na=\u20AC\u00A0\u00FF"), true), "\x80\xA0\xFF"},
        {"UTF-16 odd last byte", utf16("[S]\na=bc").chopped(1), "bc"},
        // Outside Windows-1252, UTF-8 cut between two characters.
        {"UTF-8 beyond Windows-1252", kMark + "[S]\na=a\xC4\x81\xC4\x81", "a\xC4\x81", 5},
        {"UTF-16 beyond Windows-1252", utf16(QString::fromUtf8("[S]\na=a\U0001F600")), "a", 4},
        {"UTF-16 cut inside a surrogate pair", utf16(QString::fromUtf8("[S]\na=a\U0001F600")), "a", 3},
        // Windows-1252 bytes that would read back as other text come as UTF-8.
        {"UTF-8 text like UTF-8 bytes", kMark + "[S]\na=\xC3\x83\xC2\xA9", "\xC3\x83\xC2\xA9"},
        // An 8-bit file that is UTF-8 is never cut inside a character; other bytes are cut as they are.
        {"UTF-8 without mark cut whole", "[S]\na=a\xC3\xA9", "a", 3},
        {"Windows-1252 cut as bytes", "[S]\na=a\xE9\xE9", "a\xE9", 3},
    };
    TestEnvironment env;
    const QString file = env.programDir() + "/Zelvane.ini";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TestEnvironment::writeFile(file, row.text);
        char buffer[128];
        std::fill(std::begin(buffer), std::end(buffer), 'x');
        const int count = platform::GetPrivateProfileStringA("S", "a", "dflt  ", buffer, row.size, file);
        EXPECT_EQ(QByteArray(buffer, count), row.value);
        EXPECT_EQ(buffer[count], '\0');
    }
}

} // namespace
