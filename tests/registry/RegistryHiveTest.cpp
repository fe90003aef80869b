// The classes hive: key paths, letter case, the .reg files of the registry editor read as it
// imports them, and every line the hive does not use written back as it was.
#include "registry/RegistryHive.h"

#include <QStringEncoder>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using registry::RegistryHive;

namespace {

std::string str(const QString& text)
{
    return text.toStdString();
}

RegistryHive parsed(const QByteArray& text)
{
    RegistryHive::ReadError error;
    std::optional<RegistryHive> hive = RegistryHive::parse(text, &error);
    EXPECT_TRUE(hive.has_value()) << "line " << error.line << ": " << str(error.english);
    return hive.value_or(RegistryHive());
}

// A .reg file as the registry editor writes it: UTF-16LE after a byte-order mark.
QByteArray utf16File(const QString& text)
{
    return QByteArray("\xFF\xFE") + QByteArray(QStringEncoder(QStringConverter::Utf16LE)(text));
}

QString withCrLf(const char* text)
{
    return QString::fromUtf8(text).replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

// The file the hive writes for `text`: CRLF line ends, the last line ended too.
QByteArray written(const char* text)
{
    const QString lines = withCrLf(text);
    return utf16File(lines.endsWith(QLatin1String("\r\n")) ? lines : lines + QLatin1String("\r\n"));
}

// Expected default values by key path; two markers stand for a key without one and no key.
const char* const kNoValue = "(no value)";
const char* const kNoKey = "(no key)";
using Values = std::vector<std::pair<const char*, const char*>>;

void expectValues(const RegistryHive& hive, const Values& values)
{
    for (const auto& [path, value] : values) {
        SCOPED_TRACE(path);
        const QString key = QString::fromUtf8(path);
        EXPECT_EQ(hive.hasKey(key), value != kNoKey);
        const bool hasValue = value != kNoKey && value != kNoValue;
        EXPECT_EQ(hive.defaultValue(key), hasValue ? std::optional(QString::fromUtf8(value)) : std::nullopt);
    }
}

} // namespace

TEST(RegistryHive, WritesTheRegistryEditorExportFormat)
{
    RegistryHive hive;
    ASSERT_TRUE(hive.setDefaultValue(QStringLiteral("Cart.Rom"), QStringLiteral("Cart.Rom")));
    ASSERT_TRUE(hive.setDefaultValue(QStringLiteral("Cart.Rom\\shell\\Jouer - Play\\command"),
                                     QStringLiteral("\"C:\\Emu\\emu.exe\" \"%1\"")));
    ASSERT_TRUE(hive.setDefaultValue(QStringLiteral(".smc"), QStringLiteral("Cart.Rom")));
    ASSERT_TRUE(hive.setDefaultValue(QStringLiteral("M\u00e9gabo\u00eete"), QStringLiteral("Cart.Rom")));

    // As the registry editor writes a version-5 file, so that it imports on Windows unchanged.
    EXPECT_EQ(hive.serialize(), written("Windows Registry Editor Version 5.00\n"
                                        "\n"
                                        "[HKEY_CLASSES_ROOT\\Cart.Rom]\n"
                                        "@=\"Cart.Rom\"\n"
                                        "\n"
                                        "[HKEY_CLASSES_ROOT\\Cart.Rom\\shell]\n"
                                        "\n"
                                        "[HKEY_CLASSES_ROOT\\Cart.Rom\\shell\\Jouer - Play]\n"
                                        "\n"
                                        "[HKEY_CLASSES_ROOT\\Cart.Rom\\shell\\Jouer - Play\\command]\n"
                                        "@=\"\\\"C:\\\\Emu\\\\emu.exe\\\" \\\"%1\\\"\"\n"
                                        "\n"
                                        "[HKEY_CLASSES_ROOT\\.smc]\n"
                                        "@=\"Cart.Rom\"\n"
                                        "\n"
                                        "[HKEY_CLASSES_ROOT\\M\u00e9gabo\u00eete]\n"
                                        "@=\"Cart.Rom\"\n"
                                        "\n"));
    EXPECT_TRUE(hive.serialize().contains(QByteArray("M\0\xE9\0g\0", 6)));
}

TEST(RegistryHive, ReadsBackWhatItWrote)
{
    const struct {
        const char* path;
        QString data;
    } values[] = {
        {"Quoted", QStringLiteral("say \"hi\" \\ \"\\\\server\\share\" \\")},
        {"Trailing\\Backslash", QStringLiteral("C:\\")},
        {"M\u00e9gadrive \u65e5\u672c \U0001F3AE", QStringLiteral("\u00e9\u00e8 \u65e5\u672c\u8a9e \U0001F3AE")},
        {"Empty", QString()},
        {"Spaces \\ inside ", QStringLiteral("  padded  ")},
        {"[Brackets]]", QStringLiteral("]")},
        {".", QStringLiteral("Cart.Rom")},
        {"", QStringLiteral("the root's own value")},
    };
    RegistryHive hive;
    ASSERT_TRUE(hive.createKey(QStringLiteral("NoValue\\Child")));
    for (const auto& value : values)
        ASSERT_TRUE(hive.setDefaultValue(QString::fromUtf8(value.path), value.data)) << value.path;

    const RegistryHive back = parsed(hive.serialize());
    for (const auto& value : values) {
        SCOPED_TRACE(value.path);
        EXPECT_EQ(back.defaultValue(QString::fromUtf8(value.path)), value.data);
    }
    EXPECT_TRUE(back.hasKey(QStringLiteral("NoValue\\Child")));
    EXPECT_FALSE(back.defaultValue(QStringLiteral("NoValue")).has_value());
    EXPECT_EQ(back.subkeys(QString()), hive.subkeys(QString()));
    EXPECT_EQ(back.serialize(), hive.serialize());
    RegistryHive copy;
    copy = back;
    EXPECT_EQ(copy.serialize(), hive.serialize());
}

TEST(RegistryHive, KeyNamesIgnoreLetterCaseAndKeepTheirFirstSpelling)
{
    RegistryHive hive;
    ASSERT_TRUE(hive.setDefaultValue(QStringLiteral("Cart.Rom\\DefaultIcon"), QStringLiteral("a,1")));
    ASSERT_TRUE(hive.setDefaultValue(QStringLiteral("CART.ROM\\defaulticon"), QStringLiteral("b,2")));
    ASSERT_TRUE(hive.createKey(QStringLiteral("cart.rom\\Shell")));
    ASSERT_TRUE(hive.setDefaultValue(QStringLiteral(".SMC"), QStringLiteral("Cart.Rom")));
    ASSERT_TRUE(hive.setDefaultValue(QStringLiteral(".smc"), QStringLiteral("Other")));

    EXPECT_EQ(hive.defaultValue(QStringLiteral("cart.ROM\\DEFAULTICON")), QStringLiteral("b,2"));
    EXPECT_EQ(hive.subkeys(QString()), QStringList({QStringLiteral("Cart.Rom"), QStringLiteral(".SMC")}));
    EXPECT_EQ(hive.subkeys(QStringLiteral("CART.rom")),
              QStringList({QStringLiteral("DefaultIcon"), QStringLiteral("Shell")}));
    EXPECT_EQ(hive.defaultValue(QStringLiteral(".Smc")), QStringLiteral("Other"));
    EXPECT_TRUE(hive.serialize().contains(utf16File(QStringLiteral("[HKEY_CLASSES_ROOT\\Cart.Rom\\Shell]\r\n")).mid(2)));
    EXPECT_FALSE(hive.hasKey(QStringLiteral("Cart")));
    EXPECT_TRUE(hive.subkeys(QStringLiteral("Missing")).isEmpty());
    // Beyond ASCII too: the writer looks up a console name such as this one.
    ASSERT_TRUE(hive.setDefaultValue(QStringLiteral("M\u00e9ga \"Console\""), QStringLiteral("Super.Rom")));
    EXPECT_EQ(hive.defaultValue(QStringLiteral("m\u00c9ga \"console\"")), QStringLiteral("Super.Rom"));
}

TEST(RegistryHive, RefusesWhatTheFileCannotHold)
{
    // Texts that would not come back the same: a line break, a NUL, half a surrogate pair.
    const QString texts[] = {
        QStringLiteral("Line\nBreak"),
        QStringLiteral("Carriage\rReturn"),
        QStringLiteral("Nul") + QChar(u'\0'),
        QStringLiteral("Cart") + QChar(0xD83C),
        QChar(0xDFAE) + QStringLiteral("Rom"),
        QString(QChar(0xDFAE)) + QChar(0xD83C),
    };
    const QString paths[] = {
        QStringLiteral("\\shell"),
        QStringLiteral("Cart.Rom\\"),
        QStringLiteral("Cart.Rom\\\\shell"),
        QString(256, QLatin1Char('k')),
    };
    RegistryHive hive;
    ASSERT_TRUE(hive.setDefaultValue(QStringLiteral("Cart.Rom"), QStringLiteral("kept")));
    for (const auto& list : {std::vector(std::begin(texts), std::end(texts)),
                             std::vector(std::begin(paths), std::end(paths))}) {
        for (const QString& path : list) {
            SCOPED_TRACE(str(path));
            EXPECT_FALSE(hive.createKey(path));
            EXPECT_FALSE(hive.setDefaultValue(path, QStringLiteral("x")));
        }
    }
    for (const QString& data : texts)
        EXPECT_FALSE(hive.setDefaultValue(QStringLiteral("Cart.Rom"), data)) << str(data);
    EXPECT_EQ(hive.subkeys(QString()), QStringList(QStringLiteral("Cart.Rom")));
    EXPECT_EQ(hive.defaultValue(QStringLiteral("Cart.Rom")), QStringLiteral("kept"));
    EXPECT_TRUE(hive.createKey(QString(255, QLatin1Char('k'))));

    // Read from a file, such a key is not taken in and such a line is written back unit for unit.
    const QByteArray file = utf16File(QStringLiteral("Windows Registry Editor Version 5.00\r\n[HKEY_CLASSES_ROOT\\")
                                      + texts[3] + QStringLiteral("]\r\n@=\"x\"\r\n[HKEY_CLASSES_ROOT\\A]\r\n@=\"")
                                      + texts[4] + QStringLiteral("\"\r\n\"Name\"=\"") + texts[5] + QStringLiteral("\"\r\n"));
    const RegistryHive read = parsed(file);
    EXPECT_EQ(read.subkeys(QString()), QStringList(QStringLiteral("A")));
    EXPECT_FALSE(read.defaultValue(QStringLiteral("A")).has_value());
    EXPECT_EQ(read.serialize(), file);
}

TEST(RegistryHive, ReadsEveryRegistryEditorFileAsItImportsIt)
{
    enum class Stored { Utf16, Utf8, Utf8WithMark, Windows1252 };
    const struct {
        const char* name;
        Stored stored;
        bool lf; // LF line ends in the file, else CRLF
        const char* text;
        Values values;
    } cases[] = {
        {"an export with named values, binary values on several lines, other roots and comments",
         Stored::Utf16, false,
         "Windows Registry Editor Version 5.00\n\n"
         "; kept by hand\n"
         "[HKEY_CURRENT_USER\\Software\\Zelvane]\n\"Langue\"=\"FR\"\n@=\"not ours\"\n\n"
         "[HKEY_CLASSES_ROOT\\Cart.Rom]\n@=\"Cart.Rom\"\n\"FriendlyTypeName\"=\"Cartouche\"\n"
         "\"EditFlags\"=dword:00010000\n\"Data\"=hex:01,02,03,\\\n  04,05\n"
         "\"Expand\"=hex(2):25,00,53,00,\\\n  79,00,00,00\n\"Old\"=-\n\n"
         "[-HKEY_CURRENT_USER\\Software\\Old]\n"
         "[HKEY_CLASSES_ROOT\\Cart.Rom\\DefaultIcon]\n@=\"C:\\\\Emu\\\\emul.dll,3\"\n"
         "[HKEY_CLASSES_ROOT]\n@=\"the root\"\n\n",
         {{"Cart.Rom", "Cart.Rom"}, {"Cart.Rom\\DefaultIcon", "C:\\Emu\\emul.dll,3"}, {"", "the root"},
          {"Software", kNoKey}}},
        {"REGEDIT4 in Windows-1252", Stored::Windows1252, true,
         "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\M\u00e9gabo\u00eete]\n@=\"Cart.Rom\"\n"
         "[HKEY_CLASSES_ROOT\\Cart.Rom\\shell\\Jouer - Play\\command]\n@=\"emu \\\"%1\\\" \u20ac\"\n",
         {{"M\u00e9gabo\u00eete", "Cart.Rom"}, {"Cart.Rom\\shell\\Jouer - Play\\command", "emu \"%1\" \u20ac"}}},
        {"REGEDIT4 in UTF-8", Stored::Utf8, true,
         "REGEDIT4\n[HKEY_CLASSES_ROOT\\\u20ac]\n@=\"\u00e9\"\n", {{"\u20ac", "\u00e9"}}},
        {"a hive of earlier versions, UTF-8 with a byte-order mark", Stored::Utf8WithMark, false,
         "Windows Registry Editor Version 5.00\n\n[HKEY_CLASSES_ROOT\\M\u00e9gabo\u00eete]\n@=\"\u65e5\u672c\"\n\n",
         {{"M\u00e9gabo\u00eete", "\u65e5\u672c"}}},
        {"a hive of earlier versions, UTF-8", Stored::Utf8, false,
         "Windows Registry Editor Version 5.00\n\n[HKEY_CLASSES_ROOT\\M\u00e9gabo\u00eete]\n@=\"\u00e9\"\n\n",
         {{"M\u00e9gabo\u00eete", "\u00e9"}}},
        {"deletions, applied where they stand", Stored::Utf16, false,
         "Windows Registry Editor Version 5.00\n"
         "[HKEY_CLASSES_ROOT\\A]\n@=\"1\"\n[HKEY_CLASSES_ROOT\\A\\B]\n@=\"2\"\n[-HKEY_CLASSES_ROOT\\A]\n"
         "[HKEY_CLASSES_ROOT\\a]\n[HKEY_CLASSES_ROOT\\C]\n@=\"3\"\n@=-\n"
         "[HKEY_CLASSES_ROOT\\D]\n@=\"4\"\n@=dword:00000001\n[HKEY_CLASSES_ROOT\\E]\n@=\"5\"\n@=dword:nothex\n"
         "[HKEY_CLASSES_ROOT\\F]\n@=\"6\"\n[-HKEY_CLASSES_ROOT]\n[-HKEY_CLASSES_ROOT\\F\\\\G]\n[-HKEY_CURRENT_USER\\F]\n",
         {{"A", kNoValue}, {"A\\B", kNoKey}, {"C", kNoValue}, {"D", kNoValue}, {"E", "5"}, {"F", "6"}}},
        {"lines the registry editor skips, and a UTF-16 file cut short", Stored::Utf16, false,
         "Windows Registry Editor Version 5.00\n@=\"before any key\"\n"
         "[HKEY_CLASSES_ROOT\\A]\n@=\"C:\\x\"\n[HKEY_CLASSES_ROOT\\B]\n@=\"b\" junk\n"
         "[HKEY_CLASSES_ROOT\\C] ; a comment\n  @ = \"spaced\" ; a comment\n"
         "[HKEY_CLASSES_ROOT\\D\\\\E]\n@=\"not read\"\n[ HKEY_CLASSES_ROOT\\F]\n@=\"not read\"\n"
         "[HKEY_CLASSES_ROOT\\G]\n@=\"1\"\n@=hex:01,\\\n  02\n[HKEY_CLASSES_ROOT\\H]\n"
         // A value continued by mistake takes the next line in, as the registry editor does.
         "\"a \\\"quoted\\\" name\"=hex:01,\\\n[HKEY_CLASSES_ROOT\\J]\nhex junk ending in \\\n"
         "[HKEY_CLASSES_ROOT\\I]\n@=\"cut sh",
         {{"", kNoValue}, {"A", kNoValue}, {"B", kNoValue}, {"C", "spaced"}, {"D", kNoKey}, {"F", kNoKey},
          {"G", kNoValue}, {"H", kNoValue}, {"I", kNoValue}, {"J", kNoKey}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = c.lf ? QString::fromUtf8(c.text) : withCrLf(c.text);
        QByteArray file = utf16File(text);
        if (c.stored == Stored::Windows1252)
            file = QStringEncoder("windows-1252")(text);
        else if (c.stored != Stored::Utf16)
            file = (c.stored == Stored::Utf8WithMark ? "\xEF\xBB\xBF" : "") + text.toUtf8();
        const RegistryHive hive = parsed(file);
        expectValues(hive, c.values);
        // Every line comes back as it was, in UTF-16 with CRLF line ends.
        EXPECT_EQ(hive.serialize(), written(c.text));
        EXPECT_EQ(parsed(hive.serialize()).serialize(), hive.serialize());
    }
}

TEST(RegistryHive, WritesItsValuesWhereTheFileAlreadyHasThem)
{
    const struct {
        const char* name;
        const char* before;
        Values writes;
        const char* after;
    } cases[] = {
        {"a value replaces the line that set it, or follows the line that opens its key",
         "Windows Registry Editor Version 5.00\n; mine\n[HKEY_CLASSES_ROOT\\Cart.Rom]\n\"Name\"=\"kept\"\n@=\"old\"\n"
         "[HKEY_CLASSES_ROOT\\Cart.Rom\\shell]\n\"x\"=dword:00000001\n"
         "[HKEY_CLASSES_ROOT\\Cart.Rom\\DefaultIcon]\n@=hex(2):25,00,\\\n  00,00\n; end",
         {{"Cart.Rom", "new"}, {"cart.rom\\SHELL", "Jouer - Play"}, {"Cart.Rom\\DefaultIcon", "icon,3"},
          {".smc", "Cart.Rom"}},
         "Windows Registry Editor Version 5.00\n; mine\n[HKEY_CLASSES_ROOT\\Cart.Rom]\n\"Name\"=\"kept\"\n@=\"new\"\n"
         "[HKEY_CLASSES_ROOT\\Cart.Rom\\shell]\n@=\"Jouer - Play\"\n\"x\"=dword:00000001\n"
         "[HKEY_CLASSES_ROOT\\Cart.Rom\\DefaultIcon]\n@=\"icon,3\"\n; end\n\n"
         "[HKEY_CLASSES_ROOT\\.smc]\n@=\"Cart.Rom\"\n\n"},
        {"a key created again goes below the deletion; a key without a line of its own gets one",
         "REGEDIT4\n[HKEY_CLASSES_ROOT\\A\\B]\n[HKEY_CLASSES_ROOT\\C]\n@=\"1\"\n[-HKEY_CLASSES_ROOT\\C]\n"
         "[HKEY_CLASSES_ROOT\\E]\n@=\"1\"\n[HKEY_CLASSES_ROOT\\F]\n[HKEY_CLASSES_ROOT\\e]\n\n",
         {{"A", "a"}, {"C\\D", "d"}, {"E", "2"}, {"A\\B", "b"}},
         "REGEDIT4\n[HKEY_CLASSES_ROOT\\A\\B]\n@=\"b\"\n[HKEY_CLASSES_ROOT\\C]\n@=\"1\"\n[-HKEY_CLASSES_ROOT\\C]\n"
         "[HKEY_CLASSES_ROOT\\E]\n@=\"2\"\n[HKEY_CLASSES_ROOT\\F]\n[HKEY_CLASSES_ROOT\\e]\n\n"
         "[HKEY_CLASSES_ROOT\\A]\n@=\"a\"\n\n[HKEY_CLASSES_ROOT\\C]\n\n[HKEY_CLASSES_ROOT\\C\\D]\n@=\"d\"\n\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RegistryHive hive = parsed(utf16File(withCrLf(c.before)));
        for (const auto& [path, data] : c.writes)
            ASSERT_TRUE(hive.setDefaultValue(QString::fromUtf8(path), QString::fromUtf8(data)));
        EXPECT_EQ(hive.serialize(), written(c.after));
        expectValues(parsed(hive.serialize()), c.writes);
    }
}

TEST(RegistryHive, NamesTheLineItCannotRead)
{
    const QByteArray header = utf16File(QStringLiteral("Windows Registry Editor Version 5.00\r\n"));
    const struct {
        QByteArray file;
        qsizetype line;
        const char* error;
    } cases[] = {
        {"", 1, "the first line is neither"},
        {"REGEDIT5\r\n[HKEY_CLASSES_ROOT\\a]\r\n", 1, "the first line is neither"},
        {"\r\nREGEDIT4\r\n", 1, "the first line is neither"},
        {header.mid(2), 1, "the first line is neither"}, // UTF-16 without its byte-order mark
        {"\xFE\xFF" + QStringEncoder(QStringConverter::Utf16BE)(QStringLiteral("REGEDIT4\r\n")), 1,
         "the first line is neither"},
        {header + "[", 2, "the file ends in the middle"},
        {header + utf16File(QStringLiteral("[HKEY_CLASSES_ROOT\\a]\r\n")).mid(2) + "@", 3,
         "the file ends in the middle"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toHex().toStdString());
        RegistryHive::ReadError error;
        EXPECT_FALSE(RegistryHive::parse(c.file, &error).has_value());
        EXPECT_EQ(error.line, c.line);
        EXPECT_TRUE(error.english.startsWith(QString::fromUtf8(c.error))) << str(error.english);
        EXPECT_FALSE(error.french.isEmpty());
        EXPECT_NE(error.french, error.english);
    }
}

TEST(RegistryHive, DeletesKeysAndValuesWithTheLinesThatHoldThem)
{
    const struct {
        const char* name;
        const char* before;
        std::vector<const char*> keys; // deleted with what is below them
        std::vector<const char*> values; // default values deleted
        const char* after;
    } cases[] = {
        {"a key, what is below it and their named values; other lines and deletions stay",
         "Windows Registry Editor Version 5.00\n; mine\n[HKEY_CLASSES_ROOT\\A]\n@=\"a\"\n\"N\"=\"n\"\n\n"
         "[HKEY_CLASSES_ROOT\\B]\n@=\"b\"\n[HKEY_CURRENT_USER\\X]\n@=\"x\"\n[HKEY_CLASSES_ROOT\\a\\C]\n@=\"c\"\n"
         "[-HKEY_CLASSES_ROOT\\A\\D]\n[HKEY_CLASSES_ROOT\\AB]\n",
         {"a"}, {},
         "Windows Registry Editor Version 5.00\n; mine\n[HKEY_CLASSES_ROOT\\B]\n@=\"b\"\n[HKEY_CURRENT_USER\\X]\n"
         "@=\"x\"\n[-HKEY_CLASSES_ROOT\\A\\D]\n[HKEY_CLASSES_ROOT\\AB]\n"},
        {"every line that set a value, the key kept",
         "REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\n@=\"1\"\n\"N\"=\"n\"\n[HKEY_CLASSES_ROOT\\B]\n@=\"b\"\n"
         "[HKEY_CLASSES_ROOT\\A]\n@=\"2\"\n",
         {}, {"A", "B"},
         "REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\n\"N\"=\"n\"\n[HKEY_CLASSES_ROOT\\B]\n[HKEY_CLASSES_ROOT\\A]\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RegistryHive hive = parsed(utf16File(withCrLf(c.before)));
        for (const char* key : c.keys)
            ASSERT_TRUE(hive.deleteKey(QString::fromUtf8(key)));
        for (const char* key : c.values)
            ASSERT_TRUE(hive.deleteDefaultValue(QString::fromUtf8(key)));
        EXPECT_EQ(hive.serialize(), written(c.after));
        for (const char* key : c.keys)
            EXPECT_FALSE(parsed(hive.serialize()).hasKey(QString::fromUtf8(key)));
        for (const char* key : c.values) {
            EXPECT_TRUE(parsed(hive.serialize()).hasKey(QString::fromUtf8(key)));
            EXPECT_FALSE(parsed(hive.serialize()).definesDefaultValue(QString::fromUtf8(key)));
        }
    }

    // What a Finish added and changed, taken back, leaves the file as it was, byte for byte.
    const QByteArray before = written("Windows Registry Editor Version 5.00\n\n[HKEY_CLASSES_ROOT\\.a]\n@=\"A\"\n\n"
                                      "[HKEY_CLASSES_ROOT\\.b]\n\n");
    RegistryHive hive = parsed(before);
    for (const char* key : {"B", ".a", ".b", "B\\shell\\x"})
        ASSERT_TRUE(hive.setDefaultValue(QString::fromUtf8(key), QStringLiteral("B")));
    hive = parsed(hive.serialize());
    ASSERT_TRUE(hive.deleteKey(QStringLiteral("B")));
    ASSERT_TRUE(hive.setDefaultValue(QStringLiteral(".a"), QStringLiteral("A")));
    ASSERT_TRUE(hive.deleteDefaultValue(QStringLiteral(".b")));
    EXPECT_EQ(hive.serialize(), before);
    EXPECT_FALSE(hive.deleteKey(QString()));
    EXPECT_FALSE(hive.deleteKey(QStringLiteral("B")));
    EXPECT_FALSE(hive.deleteDefaultValue(QStringLiteral("B")));
}

TEST(RegistryHive, ReadsABackupUnderAnotherRootWithItsDeletionsAndDeletedValues)
{
    const QString root = QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes");
    const RegistryHive backup = RegistryHive::parse(
        written("Windows Registry Editor Version 5.00\n\n[-HKEY_CURRENT_USER\\Software\\Classes\\B.Rom]\n\n"
                "[-HKEY_CLASSES_ROOT\\Other]\n\n[HKEY_CURRENT_USER\\Software\\Classes\\.a]\n@=\"A\"\n\n"
                "[HKEY_CURRENT_USER\\Software\\Classes\\.b]\n@=-\n\n[HKEY_CURRENT_USER\\Software\\Classes\\.c]\n"),
        nullptr, root).value();
    EXPECT_EQ(backup.deletedKeys(), QStringList(QStringLiteral("B.Rom")));
    EXPECT_EQ(backup.subkeys(QString()), QStringList({QStringLiteral(".a"), QStringLiteral(".b"), QStringLiteral(".c")}));
    EXPECT_EQ(backup.defaultValue(QStringLiteral(".a")), QStringLiteral("A"));
    EXPECT_TRUE(backup.definesDefaultValue(QStringLiteral(".b")));
    EXPECT_FALSE(backup.defaultValue(QStringLiteral(".b")).has_value());
    EXPECT_FALSE(backup.definesDefaultValue(QStringLiteral(".c")));
    EXPECT_EQ(RegistryHive::keyLine(root, QStringLiteral("B.Rom"), true),
              QStringLiteral("[-HKEY_CURRENT_USER\\Software\\Classes\\B.Rom]"));
    EXPECT_EQ(RegistryHive::valueLine(std::nullopt), QStringLiteral("@=-"));
}
