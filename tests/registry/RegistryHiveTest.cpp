// The classes hive: key paths, letter case, and the .reg text read back as it was written.
#include "registry/RegistryHive.h"

#include <QStringConverter>
#include <gtest/gtest.h>

using registry::RegistryHive;

namespace {

std::string str(const QString& text)
{
    return text.toStdString();
}

RegistryHive parsed(const QByteArray& text)
{
    QString error;
    std::optional<RegistryHive> hive = RegistryHive::parse(text, &error);
    EXPECT_TRUE(hive.has_value()) << str(error);
    return hive.value_or(RegistryHive());
}

} // namespace

TEST(RegistryHive, WritesTheRegistryEditorExportFormat)
{
    RegistryHive hive;
    ASSERT_TRUE(hive.setDefaultValue(QStringLiteral("Cart.Rom"), QStringLiteral("Cart.Rom")));
    ASSERT_TRUE(hive.setDefaultValue(QStringLiteral("Cart.Rom\\shell\\Jouer - Play\\command"),
                                     QStringLiteral("\"C:\\Emu\\emu.exe\" \"%1\"")));
    ASSERT_TRUE(hive.setDefaultValue(QStringLiteral(".smc"), QStringLiteral("Cart.Rom")));

    EXPECT_EQ(hive.serialize().toStdString(),
              "Windows Registry Editor Version 5.00\r\n"
              "\r\n"
              "[HKEY_CLASSES_ROOT\\Cart.Rom]\r\n"
              "@=\"Cart.Rom\"\r\n"
              "\r\n"
              "[HKEY_CLASSES_ROOT\\Cart.Rom\\shell]\r\n"
              "\r\n"
              "[HKEY_CLASSES_ROOT\\Cart.Rom\\shell\\Jouer - Play]\r\n"
              "\r\n"
              "[HKEY_CLASSES_ROOT\\Cart.Rom\\shell\\Jouer - Play\\command]\r\n"
              "@=\"\\\"C:\\\\Emu\\\\emu.exe\\\" \\\"%1\\\"\"\r\n"
              "\r\n"
              "[HKEY_CLASSES_ROOT\\.smc]\r\n"
              "@=\"Cart.Rom\"\r\n"
              "\r\n");
}

TEST(RegistryHive, ReadsBackWhatItWrote)
{
    const struct {
        const char* path;
        QString data;
    } values[] = {
        {"Quoted", QStringLiteral("say \"hi\" \\ \"\\\\server\\share\" \\")},
        {"Trailing\\Backslash", QStringLiteral("C:\\")},
        {"M\u00e9gadrive \u65e5\u672c", QStringLiteral("\u00e9\u00e8 \u65e5\u672c\u8a9e \U0001F3AE")},
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
    EXPECT_TRUE(hive.serialize().contains("[HKEY_CLASSES_ROOT\\Cart.Rom\\Shell]\r\n"));
    EXPECT_FALSE(hive.hasKey(QStringLiteral("Cart")));
    EXPECT_TRUE(hive.subkeys(QStringLiteral("Missing")).isEmpty());
    // Beyond ASCII too: the writer looks up a console name such as this one.
    ASSERT_TRUE(hive.setDefaultValue(QStringLiteral("M\u00e9ga \"Console\""), QStringLiteral("Super.Rom")));
    EXPECT_EQ(hive.defaultValue(QStringLiteral("m\u00c9ga \"console\"")), QStringLiteral("Super.Rom"));
}

TEST(RegistryHive, RefusesWhatTheFileCannotHold)
{
    const QString paths[] = {
        QStringLiteral("\\shell"),
        QStringLiteral("Cart.Rom\\"),
        QStringLiteral("Cart.Rom\\\\shell"),
        QStringLiteral("Line\nBreak"),
        QStringLiteral("Carriage\rReturn"),
        QString(256, QLatin1Char('k')),
    };
    RegistryHive hive;
    for (const QString& path : paths) {
        SCOPED_TRACE(str(path));
        EXPECT_FALSE(hive.createKey(path));
        EXPECT_FALSE(hive.setDefaultValue(path, QStringLiteral("x")));
    }
    EXPECT_FALSE(hive.setDefaultValue(QStringLiteral("Cart.Rom"), QStringLiteral("two\nlines")));
    EXPECT_TRUE(hive.subkeys(QString()).isEmpty());
    EXPECT_TRUE(hive.createKey(QString(255, QLatin1Char('k'))));
}

TEST(RegistryHive, ReadsWhatOtherEditorsWrite)
{
    // A Windows export (UTF-16LE with a byte-order mark), LF-only line ends, comments, a key
    // repeated further down, a root name in another letter case.
    const QString text = QStringLiteral("Windows Registry Editor Version 5.00\n\n"
                                        "; written by hand\n"
                                        "[HKEY_CLASSES_ROOT\\Cart.Rom]\n@=\"first\"\n\n"
                                        "[hkey_classes_root\\.smc]\n  @=\"Cart.Rom\"  \n"
                                        "[HKEY_CLASSES_ROOT\\cart.rom]\n@=\"M\u00e9ga\"\n");
    auto toUtf16 = QStringEncoder(QStringConverter::Utf16LE);
    const QByteArray inputs[] = {
        text.toUtf8(),
        QByteArray("\xEF\xBB\xBF") + text.toUtf8(),
        QByteArray("\xFF\xFE") + QByteArray(toUtf16(text)),
    };
    for (const QByteArray& input : inputs) {
        const RegistryHive hive = parsed(input);
        EXPECT_EQ(hive.defaultValue(QStringLiteral("Cart.Rom")), QStringLiteral("M\u00e9ga"));
        EXPECT_EQ(hive.defaultValue(QStringLiteral(".smc")), QStringLiteral("Cart.Rom"));
        EXPECT_EQ(hive.subkeys(QString()).size(), 2);
    }
}

TEST(RegistryHive, NamesTheLineItCannotRead)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"REGEDIT4\r\n", "line 1: the first line is not"},
        {"", "line 1:"},
        {"Windows Registry Editor Version 5.00\r\n@=\"x\"\r\n", "line 2: a value before the first key"},
        {"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n", "line 3: only keys under"},
        {"Windows Registry Editor Version 5.00\r\n[-HKEY_CLASSES_ROOT\\a]\r\n", "line 2: only keys under"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_CLASSES_ROOTX]\r\n", "line 2: only keys under"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_CLASSES_ROOT\\a\\\\b]\r\n", "line 2: the key path"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_CLASSES_ROOT\\a]\r\n\"Name\"=\"x\"\r\n", "line 3: only string default values"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_CLASSES_ROOT\\a]\r\n@=dword:00000001\r\n", "line 3: only string default values"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_CLASSES_ROOT\\a]\r\n@=\"C:\\x\"\r\n", "line 3: a backslash"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_CLASSES_ROOT\\a]\r\n@=\"open\r\n", "line 3: the string has no closing quote"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_CLASSES_ROOT\\a]\r\n@=\"x\" y\r\n", "line 3: text after the closing quote"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_CLASSES_ROOT\\a]\r\n@=\"x\ry\"\r\n", "line 3: the value holds a line break"},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_CLASSES_ROOT\\a]\r\n@=\"\xC3\x28\"\r\n", "neither UTF-8 nor UTF-16"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        QString error;
        EXPECT_FALSE(RegistryHive::parse(QByteArray(c.text), &error).has_value());
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.error))) << str(error);
    }
}
