// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Safe names for the desktop, made from class names and extensions of the catalogue.
#include "freedesktop/DesktopNames.h"

#include "RegistryTestSupport.h"

#include <QRegularExpression>
#include <QSet>

using registry::DesktopNames;

TEST(DesktopNamesTest, KeepsPlainNamesReadableMakesHostileNamesSafeAndApartAndRefusesWideningExtensions)
{
    EXPECT_EQ(QStringList({DesktopNames::safeName("Zelvane-Zip-Rom09"), DesktopNames::mimeType("SnesRom"), DesktopNames::iconName("SnesRom"),
                           DesktopNames::desktopFileName("SnesRom")}),
              QStringList({"zelvane-zip-rom09", "application/x-zelvane-snesrom", "application-x-zelvane-snesrom", "zelvane-snesrom.desktop"}));
    const QStringList names = {"../../x", "..\\..\\x", "x", "X", "x_", "a b", "a-b", "a_b", "a/b", "a.b", "", "-", ".", "..",
                               "/", "$HOME", "%f", "'\"`", "Snes Rom", "snes-rom", "Émulateur", "émulateur", "ÉMULATEUR",
                               "日本", "a\nb", "a;b", "x_1234abcd", QString(200, u'a'), QString(200, u'a') + u'b'};
    const QRegularExpression safeForm("^[a-z0-9-]+$|^[a-z0-9-]*_[0-9a-f]{8}$");
    QSet<QString> safeNames, foldedNames;
    for (const QString& name : names) {
        const QString safe = DesktopNames::safeName(name);
        EXPECT_TRUE(safeForm.match(safe).hasMatch() && safe.size() <= 60) << safe.toStdString();
        // Names the hive tells apart (it ignores case) never share a safe name.
        EXPECT_FALSE(!foldedNames.contains(name.toCaseFolded()) && safeNames.contains(safe)) << name.toStdString();
        foldedNames.insert(name.toCaseFolded());
        safeNames.insert(safe);
    }
    EXPECT_EQ(DesktopNames::safeName("ÉMULATEUR"), DesktopNames::safeName("émulateur"));
    EXPECT_TRUE(DesktopNames::safeName("../../x").startsWith("x_") && DesktopNames::safeName("a  b").startsWith("a-b_"));
    // Extensions that would widen the pattern are refused.
    for (const QString extension : {"smc", "SFC", "tar.gz", "a b", "é", "1"})
        EXPECT_TRUE(DesktopNames::isPublishableExtension(extension)) << extension.toStdString();
    for (const QString extension : {"", "*", "s?c", "[sS]mc", "a]", "a\\b", "a/b", "a:b", "a\nb", "a\tb"})
        EXPECT_FALSE(DesktopNames::isPublishableExtension(extension)) << extension.toStdString();
}

// The names a user sees: after the console that the hive's console key (or, for a save class, the
// catalogue's pairing) tells, and the emulator's program; the class's own name when neither can.
TEST(DesktopNamesTest, NamesTypesAndEntriesAfterTheConsoleAndTheEmulator)
{
    const registry::RegistryHive hive = regtest::withValues({
        {"Nes.Rom\\shell\\Jouer - Play\\command", "\"C:\\Emu\\fceux 2.EXE\" \"%1\""}, {"Nes.Rom\\shell", "Jouer - Play"},
        {"Lone.Rom\\shell", "Jouer - Play"}, {"Nes.Rom", "Nes.Rom"}, {"NES", "Nes.Rom"}, {"Nes.Save", "Nes.Save"}, {".nes", "Nes.Rom"},
        {"Lone.Rom\\shell\\Jouer - Play\\command", "/usr/bin/mednafen %1"}, {"Lone.Rom", "Lone Described"}, {"Tree\\sub", "x"}, {"Tree", "Lone.Rom"}});
    // Per class: the type comment and the entry name, in English then French.
    const std::pair<const char*, QStringList> cases[] = {
        {"Nes.Rom", {"NES ROM", "ROM NES", "fceux 2 \u2014 NES", "fceux 2 \u2014 NES"}},
        {"Nes.Save", {"NES save state", "Sauvegarde d'\u00e9tat NES", "NES save state", "Sauvegarde d'\u00e9tat NES"}},
        // A key with subkeys of its own names no console.
        {"Lone.Rom", {"Lone Described", "Lone Described", "mednafen \u2014 Lone Described", "mednafen \u2014 Lone Described"}},
    };
    for (const auto& [className, names] : cases) {
        const auto association = registry::DesktopAssociation::read(hive, className, {{"Other.Rom", "Nes.Save"}, {"Nes.Rom", "Nes.Save"}});
        const DesktopNames::Title type = DesktopNames::typeComment(association), entry = DesktopNames::entryName(association);
        EXPECT_EQ(QStringList({type.english, type.french, entry.english, entry.french}), names) << className;
    }
}
