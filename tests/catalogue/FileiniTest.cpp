// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// GetIniString: values, the IniEmpty marker, the decoding of 8-bit catalogue text, and which
// catalogue is read.
#include "TestEnvironment.h"
#include "catalogue/AnsiText.h"
#include "catalogue/Fileini.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(GetIniString, ReadsTheValueOrTheMarker)
{
    const QString marker(128, QChar(u'\0'));
    // expected null: the IniEmpty marker
    const struct { const char* name; QByteArray text; QString expected; } rows[] = {
        {"empty value", "[S]\na=\n", {}},
        {"cut to 126", "[S]\na=" + QByteArray(200, 'z') + "\n", QString(126, 'z')},
        {"UTF-8", "[S]\na=Sega Mega Drive \xE2\x80\x93 Genesis\n", QString::fromUtf8("Sega Mega Drive \u2013 Genesis")},
        {"Windows-1252", "[S]\na=Consoles \x96 \x80 \xE9t\xE9\n", QString::fromUtf8("Consoles \u2013 \u20AC \u00E9t\u00E9")},
        // Windows-1252 is cut as bytes: the last one is a character of its own.
        {"Windows-1252 cut", "[S]\na=" + QByteArray(125, 'a') + "\xE9zz\n", QString(125, 'a') + QChar(0xE9)},
        // A value may begin with U+FEFF, also in a file that starts with it as its mark; a value
        // of that character alone is a value, not the empty text.
        {"U+FEFF alone", "[S]\na=\xEF\xBB\xBF\n", QString(QChar(0xFEFF))},
        {"UTF-8 mark then U+FEFF", "\xEF\xBB\xBF[S]\na=\xEF\xBB\xBFNES\n", QChar(0xFEFF) + QStringLiteral("NES")},
    };
    ASSERT_EQ(Fileini::IniEmpty(), marker);
    TestEnvironment env;
    const QString file = Fileini::cataloguePath(env.programDir());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TestEnvironment::writeFile(file, row.text);
        EXPECT_EQ(Fileini::GetIniString("S", "a", file), row.expected.isNull() ? marker : row.expected);
    }
    // Controls see text up to its first NUL: the marker shows as the empty text.
    EXPECT_EQ(QStringList({AnsiText::untilNul(marker), AnsiText::untilNul("*." + marker), AnsiText::untilNul("ab")}),
              QStringList({"", "*.", "ab"}));
    // Windows-1252 holds no character from U+0080 to U+009F but its own.
    EXPECT_EQ(QList({AnsiText::encodeCp1252(u"\u20AC\u00FF"), AnsiText::encodeCp1252(u"\u0080")}), QList<std::optional<QByteArray>>({"\x80\xFF", std::nullopt}));
}

// The user's own catalogue (in their configuration folder, ~/.config when XDG_CONFIG_HOME is
// relative) wins over the one shipped beside the program.
TEST(CataloguePath, TheUsersOwnCatalogueWinsOverTheShippedOne)
{
    // configHome: as it is (relative) or the test's own; userFile: written under the root, as a
    // file or (ending in '/') a folder; expected: under the root.
    const struct { const char *name, *configHome, *userFile, *expected; } rows[] = {
        {"no user catalogue", nullptr, nullptr, "program/Zelvane.ini"},
        {"user catalogue", nullptr, "config/Zelvane/Zelvane.ini", "config/Zelvane/Zelvane.ini"},
        {"a folder of that name", nullptr, "config/Zelvane/Zelvane.ini/", "program/Zelvane.ini"},
        {"relative config home means ~/.config", "rel", "home/.config/Zelvane/Zelvane.ini", "home/.config/Zelvane/Zelvane.ini"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TestEnvironment env;
        const QString root = env.root() + "/";
        qputenv("HOME", (root + "home").toLocal8Bit());
        if (row.configHome)
            qputenv("XDG_CONFIG_HOME", row.configHome);
        if (row.userFile)
            QByteArray(row.userFile).endsWith('/') ? void(QDir().mkpath(root + row.userFile))
                                                   : TestEnvironment::writeFile(root + row.userFile, "[Console]\n01=Mine\n");
        EXPECT_EQ(Fileini::cataloguePath(env.programDir()), root + row.expected);
    }
}
