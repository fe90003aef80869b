// The INI lookup against a table of catalogue texts, compared with what Windows returns.
#include "TestEnvironment.h"
#include "platform/ProfileString.h"

#include <gtest/gtest.h>

namespace {

struct LookupCase {
    const char* name;
    QByteArray text;
    const char* section;
    const char* key;
    int count;
    const char* value;
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
    const int count = platform::GetPrivateProfileStringA(c.section, c.key, "", buffer, 127, file);
    EXPECT_EQ(count, c.count);
    EXPECT_EQ(QByteArray(buffer, count), QByteArray(c.value));
    EXPECT_EQ(buffer[count], '\0');
}

const QByteArray kLong200 = QByteArray(200, 'a');

INSTANTIATE_TEST_SUITE_P(
    Catalogues, ProfileStringTest,
    ::testing::Values(
        LookupCase{"plain", "[Console]\r\n01=NES\r\n", "Console", "01", 3, "NES"},
        LookupCase{"case", "[console]\nEXT1=nes\n", "CONSOLE", "ext1", 3, "nes"},
        LookupCase{"blanks", "  [ 01 ]  \n  ext1  =   smc  \n", "01", "ext1", 3, "smc"},
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
        LookupCase{"missing section", "[a]\nk=1\n", "b", "k", 0, ""},
        LookupCase{"missing key", "[a]\nk=1\n", "a", "j", 0, ""},
        LookupCase{"one character", "[Console]\n01=X\n", "Console", "01", 1, "X"},
        LookupCase{"equals in value", "[a]\nk=b=c\n", "a", "k", 3, "b=c"},
        LookupCase{"200 characters cut to 126", "[a]\nk=" + kLong200 + "\n", "a", "k", 126,
                   "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
                   "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"},
        LookupCase{"utf-8 mark", "\xEF\xBB\xBF[a]\nk=1\n", "a", "k", 1, "1"},
        LookupCase{"key before any section", "k=0\n[a]\nk=1\n", "a", "k", 1, "1"}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

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
