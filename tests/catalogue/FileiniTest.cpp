// GetIniString: values, the IniEmpty marker, and the decoding of 8-bit catalogue text.
#include "TestEnvironment.h"
#include "catalogue/AnsiText.h"
#include "catalogue/Fileini.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const QString kMarker(128, QChar(u'\0'));

struct ReadCase {
    const char* name;
    QByteArray text;
    const char* section;
    const char* key;
    QString expected; // a null QString stands for IniEmpty
};

void PrintTo(const ReadCase& c, std::ostream* out)
{
    *out << c.name;
}

class GetIniStringTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(GetIniStringTest, ReadsTheValueOrTheMarker)
{
    const ReadCase& c = GetParam();
    TestEnvironment env;
    const QString file = Fileini::cataloguePath(env.programDir());
    TestEnvironment::writeFile(file, c.text);
    const QString value = Fileini::GetIniString(c.section, c.key, file);
    EXPECT_EQ(Fileini::IniEmpty, kMarker);
    if (c.expected.isNull())
        EXPECT_EQ(value, kMarker);
    else
        EXPECT_EQ(value, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogues, GetIniStringTest,
    ::testing::Values(
        ReadCase{"name", "[Console]\n01=Game Boy\n", "Console", "01", "Game Boy"},
        ReadCase{"one_character", "[Console]\n03=X\n", "Console", "03", "X"},
        ReadCase{"empty_value", "[01]\next4=\n", "01", "ext4", {}},
        ReadCase{"nul_value", QByteArray("[01]\next4=\0\n", 12), "01", "ext4", {}},
        ReadCase{"missing_key", "[01]\next1=nes\n", "01", "ext2", {}},
        ReadCase{"missing_section", "[Console]\n03=Lynx\n", "03", "ext1", {}},
        ReadCase{"cut_to_126", "[a]\nk=" + QByteArray(200, 'z') + "\n", "a", "k", QString(126, 'z')},
        ReadCase{"utf8", "[Console]\n01=Sega Mega Drive \xE2\x80\x93 Genesis\n", "Console", "01",
                 QString::fromUtf8("Sega Mega Drive \u2013 Genesis")},
        ReadCase{"windows_1252", "[Console]\n01=Consoles \x96 \x80 \xE9t\xE9\n", "Console", "01",
                 QString::fromUtf8("Consoles \u2013 \u20AC \u00E9t\u00E9")},
        // 125 ASCII bytes then a two-byte character: the cut at 126 must not leave half of it.
        ReadCase{"utf8_cut_whole", "[a]\nk=" + QByteArray(125, 'a') + "\xC3\xA9zz\n", "a", "k",
                 QString(125, 'a')},
        // Windows-1252 is cut as bytes: the last one is a character of its own.
        ReadCase{"windows_1252_cut", "[a]\nk=" + QByteArray(125, 'a') + "\xE9zz\n", "a", "k",
                 QString(125, 'a') + QChar(0xE9)},
        // A value may begin with U+FEFF, also in a file that starts with it as its mark; a value
        // of that character alone is a value, not the empty text.
        ReadCase{"zero_width_no_break_space", "[Console]\n01=\xEF\xBB\xBF\n", "Console", "01", QString(QChar(0xFEFF))},
        ReadCase{"utf8_mark_then_value_mark", "\xEF\xBB\xBF[Console]\n01=\xEF\xBB\xBFNES\n", "Console", "01",
                 QChar(0xFEFF) + QStringLiteral("NES")},
        // A Unicode file is cut at 126 characters, whatever their UTF-8 length.
        ReadCase{"utf8_mark_cut", "\xEF\xBB\xBF[a]\nk=" + QString(200, QChar(0xE9)).toUtf8(), "a", "k",
                 QString(126, QChar(0xE9))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GetIniString, MissingFileGivesTheMarkerEveryTime)
{
    EXPECT_TRUE(Fileini::IniEmpty.isEmpty() || Fileini::IniEmpty == kMarker);
    for (int n = 1; n <= 15; ++n) {
        EXPECT_EQ(Fileini::GetIniString("Console", Fileini::consoleNumber(n), "/nonexistent/Zelvane.ini"), kMarker);
        EXPECT_EQ(Fileini::IniEmpty, kMarker);
    }
    EXPECT_EQ(Fileini::consoleNumber(1), "01");
    EXPECT_EQ(Fileini::consoleNumber(15), "15");
}

TEST(CataloguePath, TheUsersOwnCatalogueWinsOverTheShippedOne)
{
    struct Case {
        const char* name;
        const char* configHome;   // relative to the test's root; "rel" stays relative
        const char* userFile;     // written relative to the root, as a file or ("dir") a folder
        const char* expected;     // relative to the root
    };
    const Case cases[] = {
        {"no user catalogue", "config", nullptr, "program/Zelvane.ini"},
        {"user catalogue", "config", "config/Zelvane/Zelvane.ini", "config/Zelvane/Zelvane.ini"},
        {"a folder of that name", "config", "dir", "program/Zelvane.ini"},
        {"relative config home means ~/.config", "rel", "home/.config/Zelvane/Zelvane.ini",
         "home/.config/Zelvane/Zelvane.ini"},
    };
    const QByteArray oldHome = qgetenv("HOME");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnvironment env;
        const QString root = env.root() + "/";
        qputenv("HOME", (root + "home").toLocal8Bit());
        if (QByteArray(c.configHome) == "rel")
            qputenv("XDG_CONFIG_HOME", "rel");
        if (QByteArray(c.userFile) == "dir")
            QDir().mkpath(root + "config/Zelvane/Zelvane.ini");
        else if (c.userFile)
            TestEnvironment::writeFile(root + c.userFile, "[Console]\n01=Mine\n");
        EXPECT_EQ(Fileini::cataloguePath(env.programDir()), root + c.expected);
    }
    qputenv("HOME", oldHome);
}

TEST(AnsiText, ControlsSeeTextUpToTheFirstNul)
{
    EXPECT_EQ(AnsiText::untilNul(kMarker), QString());
    EXPECT_EQ(AnsiText::untilNul("*." + kMarker), "*.");
    EXPECT_EQ(AnsiText::untilNul("plain"), "plain");
}

} // namespace
