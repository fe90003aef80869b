// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Values of our desktop entries, escaped as the format reads them back.
#include "freedesktop/DesktopEntry.h"

#include <gtest/gtest.h>

using registry::DesktopEntry;

TEST(DesktopEntry, EscapesWhatAValueCannotHoldAndKeepsTheRest)
{
    const struct { QString value, escaped; } cases[] = {
        {"Super Nintendo", "Super Nintendo"},
        {"C:\\Emu", "C:\\\\Emu"},
        {"a\nb\tc\rd", "a\\nb\\tc\\rd"},
        {" leading blank", "\\sleading blank"},
        {QString("x") + QChar(0x01) + "y" + QChar(0x1f) + "z", "x y z"},
        // Characters above DEL are text the format carries, as an argument of Exec may need them.
        {QString("del") + QChar(0x7f) + "c1" + QChar(0x85) + QChar(0x9f) + "end", QString("del c1") + QChar(0x85) + QChar(0x9f) + "end"},
        {"Émulateur 日本 \u00a0nbsp", "Émulateur 日本 \u00a0nbsp"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DesktopEntry::escaped(c.value), c.escaped) << c.value.toStdString();
    for (const QString& value : {QString("a\\b"), QString("a\nb\tc\rd"), QString(" x")})
        EXPECT_EQ(DesktopEntry::unescaped(DesktopEntry::escaped(value)), value) << value.toStdString();
}
