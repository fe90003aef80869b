// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The classes hive: key paths, letter case, the .reg files of the registry editor read as it
// imports them, and every line the hive does not use written back as it was.

#include "RegistryTestSupport.h"
#include "hive/HiveFile.h"

#include <numeric>

using registry::RegistryHive;
using regtest::keysOf;
using regtest::utf16File;

namespace {

RegistryHive parsed(const QByteArray& text)
{
    RegistryHive::ReadError error;
    std::optional<RegistryHive> hive = RegistryHive::parse(text, &error);
    EXPECT_TRUE(hive.has_value()) << "line " << error.line << ": " << error.english.toStdString();
    return hive.value_or(RegistryHive());
}

QString withCrLf(const char* text) { return QString::fromUtf8(text).replace('\n', "\r\n"); }

// The file the hive writes for `text`, with CRLF line ends.
QByteArray written(const char* text) { return utf16File(withCrLf(text)); }

} // namespace

TEST(RegistryHive, KeyNamesIgnoreLetterCaseAndKeepTheirFirstSpelling)
{
    RegistryHive hive = regtest::withValues({{"Cart.Rom\\DefaultIcon", "a,1"}, {"CART.ROM\\defaulticon", "b,2"}, {".SMC", "Cart.Rom"},
                                             {".smc", "Other"}, {"M\u00e9ga \"Console\"", "Super.Rom"}});
    ASSERT_TRUE(hive.createKey("cart.rom\\Shell"));
    EXPECT_EQ(keysOf(hive), QStringList({"Cart.Rom", "Cart.Rom\\DefaultIcon = b,2", "Cart.Rom\\Shell", ".SMC = Other",
                                         "M\u00e9ga \"Console\" = Super.Rom"}));
    EXPECT_EQ(QStringList({hive.defaultValue("cart.ROM\\DEFAULTICON").value_or(""), hive.subkeys("CART.rom").join(' '),
                           hive.defaultValue("m\u00c9ga \"console\"").value_or("")}), QStringList({"b,2", "DefaultIcon Shell", "Super.Rom"}));
    EXPECT_TRUE(!hive.hasKey("Cart") && hive.subkeys("Missing").isEmpty() && !hive.deleteDefaultValue("Missing") && !hive.deleteKey("Missing"));
}

// Paths too long or with empty levels, data with a carriage return or half a surrogate pair: the
// hive corpus replay tries those; a line break or a NUL cannot be in its lines of changes.
TEST(RegistryHive, RefusesWhatTheFileCannotHold)
{
    RegistryHive hive = regtest::withValues({{"Cart.Rom", "kept"}});
    for (const QString& text : {QStringLiteral("Line\nBreak"), QStringLiteral("Nul") + QChar(u'\0')})
        EXPECT_FALSE(hive.createKey(text) || hive.setDefaultValue(text, "x") || hive.setDefaultValue("Cart.Rom", text)
                     || hive.setStoredValue(text, {platform::TypeDword, QByteArray("\x01\0\0\0", 4)}))
            << text.toStdString();
    EXPECT_EQ(keysOf(hive), QStringList("Cart.Rom = kept"));
    // Read from a file, such a key is not taken in (its lines come back unit for unit: the replay's check).
    const QString cart = QStringLiteral("Cart") + QChar(0xD83C), rom = QChar(0xDFAE) + QStringLiteral("Rom");
    EXPECT_EQ(keysOf(parsed(utf16File("REGEDIT4\r\n[HKEY_CLASSES_ROOT\\" + cart + "]\r\n@=\"x\"\r\n[HKEY_CLASSES_ROOT\\A]\r\n@=\"" + rom + "\"\r\n"))),
              QStringList("A"));
}

TEST(RegistryHive, ReadsEveryRegistryEditorFileAsItImportsIt)
{
    const struct { const char* name; const char* text; QStringList keys; } cases[] = {
        {"an export with named values, binary values on several lines, other roots and comments",
         "Windows Registry Editor Version 5.00\n\n; kept by hand\n[HKEY_CURRENT_USER\\Software\\Zelvane]\n\"Langue\"=\"FR\"\n"
         "@=\"not ours\"\n\n[HKEY_CLASSES_ROOT\\Cart.Rom]\n@=\"Cart.Rom\"\n\"FriendlyTypeName\"=\"Cartouche\"\n"
         "\"EditFlags\"=dword:00010000\n\"Data\"=hex:01,02,03,\\\n  04,05\n\"Expand\"=hex(2):25,00,53,00,\\\n  79,00,00,00\n"
         "\"Old\"=-\n\n[-HKEY_CURRENT_USER\\Software\\Old]\n[HKEY_CLASSES_ROOT\\Cart.Rom\\DefaultIcon]\n"
         "@=\"C:\\\\Emu\\\\emul.dll,3\"\n[HKEY_CLASSES_ROOT]\n@=\"the root\"\n\n",
         {"@ = the root", "Cart.Rom = Cart.Rom", "Cart.Rom\\DefaultIcon = C:\\Emu\\emul.dll,3"}},
        {"deletions, applied where they stand",
         "Windows Registry Editor Version 5.00\n[HKEY_CLASSES_ROOT\\A]\n@=\"1\"\n[HKEY_CLASSES_ROOT\\A\\B]\n@=\"2\"\n"
         "[-HKEY_CLASSES_ROOT\\A]\n[HKEY_CLASSES_ROOT\\a]\n[HKEY_CLASSES_ROOT\\C]\n@=\"3\"\n@=-\n[HKEY_CLASSES_ROOT\\D]\n@=\"4\"\n"
         "@=dword:00000001\n[HKEY_CLASSES_ROOT\\E]\n@=\"5\"\n@=dword:nothex\n[HKEY_CLASSES_ROOT\\F]\n@=\"6\"\n[-HKEY_CLASSES_ROOT]\n"
         "[-HKEY_CLASSES_ROOT\\F\\\\G]\n[-HKEY_CURRENT_USER\\F]\n",
         {"a", "C", "D", "E = 5", "F = 6"}},
        {"lines the registry editor skips, and a UTF-16 file cut short",
         "Windows Registry Editor Version 5.00\n@=\"before any key\"\n[HKEY_CLASSES_ROOT\\A]\n@=\"C:\\x\"\n"
         "[HKEY_CLASSES_ROOT\\B]\n@=\"b\" junk\n[HKEY_CLASSES_ROOT\\C] ; a comment\n  @ = \"spaced\" ; a comment\n"
         "[HKEY_CLASSES_ROOT\\D\\\\E]\n@=\"not read\"\n[HKEY_CLASSES_ROOT\\F]\n[ HKEY_CLASSES_ROOT\\F\\x]\n[HKEY_CLASSES_ROOT\\F\\y\n@=\"f\"\n"
         "[HKEY_CLASSES_ROOT\\G]\n@=\"1\"\n@=hex:01,\\\n  02\n[HKEY_CLASSES_ROOT\\H]\n"
         // A value continued by mistake takes the next line in, as the registry editor does.
         "\"a \\\"quoted\\\" name\"=hex:01,\\\n[HKEY_CLASSES_ROOT\\J]\nx=hex:01,\\\n[HKEY_CLASSES_ROOT\\I]\n@=\"cut sh",
         {"A", "B", "C = spaced", "F = f", "G", "H", "I"}},
    };
    // Each line coming back as it was is the hive corpus replay's check, on these files too.
    for (const auto& c : cases)
        EXPECT_EQ(keysOf(parsed(utf16File(withCrLf(c.text)))), c.keys) << c.name;
}

// Values set, keys and values deleted: in place in the file, every other line kept.
TEST(RegistryHive, ChangesTheFileWhereItHoldsTheKeys)
{
    // A write of "-" deletes the key, one of nullptr its default value.
    const struct { const char* name; const char* before; std::vector<std::pair<const char*, const char*>> writes; const char* after; } cases[] = {
        // As the registry editor writes a version-5 file, so that it imports on Windows unchanged.
        {"new keys in a file without any", "Windows Registry Editor Version 5.00\n\n",
         {{"Cart.Rom", "Cart.Rom"}, {"Cart.Rom\\shell\\Jouer - Play\\command", "\"C:\\Emu\\emu.exe\" \"%1\""}, {".smc", "Cart.Rom"}, {"M\u00e9gabo\u00eete", "Cart.Rom"}},
         "Windows Registry Editor Version 5.00\n\n[HKEY_CLASSES_ROOT\\Cart.Rom]\n@=\"Cart.Rom\"\n\n[HKEY_CLASSES_ROOT\\Cart.Rom\\shell]\n\n"
         "[HKEY_CLASSES_ROOT\\Cart.Rom\\shell\\Jouer - Play]\n\n[HKEY_CLASSES_ROOT\\Cart.Rom\\shell\\Jouer - Play\\command]\n"
         "@=\"\\\"C:\\\\Emu\\\\emu.exe\\\" \\\"%1\\\"\"\n\n[HKEY_CLASSES_ROOT\\.smc]\n@=\"Cart.Rom\"\n\n[HKEY_CLASSES_ROOT\\M\u00e9gabo\u00eete]\n@=\"Cart.Rom\"\n\n"},
        {"a value replaces the line that set it, or follows the line that opens its key",
         "Windows Registry Editor Version 5.00\n; mine\n[HKEY_CLASSES_ROOT\\Cart.Rom]\n\"Name\"=\"kept\"\n@=\"old\"\n"
         "[HKEY_CLASSES_ROOT\\Cart.Rom\\shell]\n\"x\"=dword:00000001\n"
         "[HKEY_CLASSES_ROOT\\Cart.Rom\\DefaultIcon]\n@=hex(2):25,00,\\\n  00,00\n; end",
         {{"Cart.Rom", "new"}, {"cart.rom\\SHELL", "Jouer - Play"}, {"Cart.Rom\\DefaultIcon", "icon,3"}, {".smc", "Cart.Rom"}},
         "Windows Registry Editor Version 5.00\n; mine\n[HKEY_CLASSES_ROOT\\Cart.Rom]\n\"Name\"=\"kept\"\n@=\"new\"\n"
         "[HKEY_CLASSES_ROOT\\Cart.Rom\\shell]\n@=\"Jouer - Play\"\n\"x\"=dword:00000001\n"
         "[HKEY_CLASSES_ROOT\\Cart.Rom\\DefaultIcon]\n@=\"icon,3\"\n\n[HKEY_CLASSES_ROOT\\.smc]\n@=\"Cart.Rom\"\n; end"},
        {"a key created again goes below the deletion; a key without a line of its own gets one",
         "REGEDIT4\n[HKEY_CLASSES_ROOT\\A\\B]\n[HKEY_CLASSES_ROOT\\C]\n@=\"1\"\n[-HKEY_CLASSES_ROOT\\C]\n"
         "[HKEY_CLASSES_ROOT\\E]\n@=\"1\"\n[HKEY_CLASSES_ROOT\\F]\n[HKEY_CLASSES_ROOT\\e]\n\n",
         {{"A", "a"}, {"C\\D", "d"}, {"E", "2"}, {"A\\B", "b"}},
         "REGEDIT4\n[HKEY_CLASSES_ROOT\\A\\B]\n@=\"b\"\n[HKEY_CLASSES_ROOT\\C]\n@=\"1\"\n[-HKEY_CLASSES_ROOT\\C]\n"
         "[HKEY_CLASSES_ROOT\\E]\n@=\"2\"\n[HKEY_CLASSES_ROOT\\F]\n[HKEY_CLASSES_ROOT\\e]\n\n"
         "[HKEY_CLASSES_ROOT\\A]\n@=\"a\"\n\n[HKEY_CLASSES_ROOT\\C]\n\n[HKEY_CLASSES_ROOT\\C\\D]\n@=\"d\"\n\n"},
        {"a key deleted with what is below it, their named values and the comments above them; other lines and deletions stay",
         "Windows Registry Editor Version 5.00\n; about A\n[HKEY_CLASSES_ROOT\\A]\n@=\"a\"\n\"N\"=\"n\"\n\n; about B\n"
         "[HKEY_CLASSES_ROOT\\B]\n@=\"b\"\n[HKEY_CURRENT_USER\\X]\n@=\"x\"\n\n[HKEY_CLASSES_ROOT\\a\\C]\n@=\"c\"\n"
         "[-HKEY_CLASSES_ROOT\\A\\D]\n[HKEY_CLASSES_ROOT\\AB]\n",
         {{"a", "-"}},
         "Windows Registry Editor Version 5.00\n\n; about B\n[HKEY_CLASSES_ROOT\\B]\n@=\"b\"\n[HKEY_CURRENT_USER\\X]\n"
         "@=\"x\"\n[-HKEY_CLASSES_ROOT\\A\\D]\n[HKEY_CLASSES_ROOT\\AB]\n"},
        {"a default value deleted: every line that set it, the key kept",
         "REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\n@=\"1\"\n\"N\"=\"n\"\n[HKEY_CLASSES_ROOT\\B]\n@=\"b\"\n[HKEY_CLASSES_ROOT\\A]\n@=\"2\"\n",
         {{"A", nullptr}, {"B", nullptr}}, "REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\n\"N\"=\"n\"\n[HKEY_CLASSES_ROOT\\B]\n[HKEY_CLASSES_ROOT\\A]\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RegistryHive hive = parsed(utf16File(withCrLf(c.before)));
        for (const auto& [path, data] : c.writes)
            ASSERT_TRUE(!data ? hive.deleteDefaultValue(path) : QByteArray(data) == "-" ? hive.deleteKey(path) : hive.setDefaultValue(path, data));
        EXPECT_EQ(hive.serialize(), written(c.after));
        EXPECT_EQ(keysOf(parsed(hive.serialize())), keysOf(hive));
    }
}

// Default values of every type: read as the registry stores them, and written as the registry
// editor exports them, as a quoted string only when the bytes are one text ended by its NUL.
TEST(RegistryHive, KeepsDefaultValuesOfEveryTypeAsTheirBytes)
{
    QByteArray counting(50, 0);
    std::iota(counting.begin(), counting.end(), 0);
    const struct { const char* line; quint32 type; QByteArray bytes; const char* written; } cases[] = {
        {"@=\"A\\\\b\"", 1, QByteArray("A\0\\\0b\0\0\0", 8), nullptr},
        {"@=hex(1):41,00", 1, QByteArray("A\0", 2), nullptr}, // no NUL
        {"@=hex(2):25,00,00,00", 2, QByteArray("%\0\0\0", 4), nullptr},
        {"@=hex:", 3, {}, nullptr},
        {"@=dword:2A ; a comment", 4, QByteArray("*\0\0\0", 4), "@=dword:0000002a"},
        {"@=hex(4):01,02", 4, "\x01\x02", nullptr},
        {"@=hex(7):41,00,00,00,00,00", 7, QByteArray("A\0\0\0\0\0", 6), nullptr},
        {"@=hex(b):ff, 0,\\\n  1", 11, QByteArray("\xff\0\x01", 3), "@=hex(b):ff,00,01"},
        // 24 bytes after "hex:", then 25 a line, as the registry editor wraps them.
        {"@=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,\\\n  18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,2f,30,\\\n  31", 3, counting, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const platform::RegistryValue value {c.type, c.bytes};
        const RegistryHive hive = parsed(utf16File(withCrLf((std::string("REGEDIT4\n[HKEY_CLASSES_ROOT\\K]\n") + c.line).c_str())));
        EXPECT_EQ(hive.storedValue("K"), value);
        EXPECT_EQ(hive.defaultValue("K").has_value(), c.line[2] == '"');
        RegistryHive set;
        // Set below a key not there yet, which comes into the file too.
        ASSERT_TRUE(set.setStoredValue("K\\V", value));
        EXPECT_EQ(set.serialize(), written((std::string("Windows Registry Editor Version 5.00\n\n[HKEY_CLASSES_ROOT\\K]\n\n[HKEY_CLASSES_ROOT\\K\\V]\n")
                                            + (c.written ? c.written : c.line) + "\n\n").c_str()));
    }
}

TEST(RegistryHive, NamesTheLineItCannotRead)
{
    const QByteArray header = utf16File("Windows Registry Editor Version 5.00\r\n");
    const char *const notRegistry = "the first line is neither", *const cut = "the file ends in the middle";
    const struct { QByteArray file; qsizetype line; const char* error; } cases[] = {
        {"", 1, notRegistry}, {"REGEDIT5\r\n[HKEY_CLASSES_ROOT\\a]\r\n", 1, notRegistry}, {"\r\nREGEDIT4\r\n", 1, notRegistry},
        {header.mid(2), 1, notRegistry}, // UTF-16 without its byte-order mark
        {"\xFE\xFF" + QStringEncoder(QStringConverter::Utf16BE)(QStringLiteral("REGEDIT4\r\n")), 1, notRegistry},
        {header + "[", 2, cut}, {header + utf16File("[HKEY_CLASSES_ROOT\\a]\r\n").mid(2) + "@", 3, cut},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toHex().toStdString());
        RegistryHive::ReadError error;
        EXPECT_FALSE(RegistryHive::parse(c.file, &error).has_value());
        EXPECT_EQ(error.line, c.line);
        EXPECT_TRUE(error.english.startsWith(c.error)) << error.english.toStdString();
        EXPECT_FALSE(error.french.isEmpty() || error.french == error.english);
    }
}

// A lock file that names no process and is not new is taken over: the sequence then really
// holds the file. Removing the file gives what an empty hive holds, and a file that could not be
// read is never removed.
TEST(HiveFile, HoldsTheFileOverALockNobodyHoldsAndRemovesOnlyWhatItRead)
{
    TestEnvironment env;
    QFile unnamed(env.hiveFile() + ".lock");
    ASSERT_TRUE(QDir().mkpath(env.dataHome() + "/zelvane") && unnamed.open(QIODevice::WriteOnly)
                && unnamed.setFileTime(QDateTime::currentDateTime().addSecs(-10), QFileDevice::FileModificationTime));
    unnamed.close();
    {
        registry::HiveFile file(env.hiveFile());
        ASSERT_TRUE(file.load().has_value());
        EXPECT_FALSE(QLockFile(env.hiveFile() + ".lock").tryLock(0));
        file.remove(); // there is no file yet
        EXPECT_EQ(file.failures().size(), 0);
    }
    for (const QByteArray& text : {utf16File("Windows Registry Editor Version 5.00\r\n"), QByteArray("not a hive")}) {
        TestEnvironment::writeFile(env.hiveFile(), text);
        registry::HiveFile file(env.hiveFile());
        const bool readable = file.load().has_value();
        file.remove();
        EXPECT_EQ(QFile::exists(env.hiveFile()), !readable);
        EXPECT_EQ(file.failures().size(), readable ? 0 : 1);
    }
}
