// Safe names for the desktop, made from class names and extensions of the catalogue.
#include "registry/DesktopNames.h"

#include "registry/RegistryHive.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using registry::DesktopNames;

namespace {

const QRegularExpression kKept(QStringLiteral("^[a-z0-9-]+$"));
const QRegularExpression kHashed(QStringLiteral("^[a-z0-9-]*_[0-9a-f]{8}$"));

TEST(DesktopNamesTest, KeepsPlainNamesReadable)
{
    EXPECT_EQ(DesktopNames::safeName(QStringLiteral("snesrom")), QStringLiteral("snesrom"));
    EXPECT_EQ(DesktopNames::safeName(QStringLiteral("SNES-Rom2")), QStringLiteral("snes-rom2"));
    EXPECT_EQ(DesktopNames::safeName(QStringLiteral("Zelvane-az09")), QStringLiteral("zelvane-az09"));
    EXPECT_EQ(DesktopNames::mimeType(QStringLiteral("SnesRom")),
              QStringLiteral("application/x-zelvane-snesrom"));
    EXPECT_EQ(DesktopNames::iconName(QStringLiteral("SnesRom")),
              QStringLiteral("application-x-zelvane-snesrom"));
    EXPECT_EQ(DesktopNames::desktopFileName(QStringLiteral("SnesRom")),
              QStringLiteral("zelvane-snesrom.desktop"));
}

TEST(DesktopNamesTest, MakesHostileNamesSafeAndKeepsThemApart)
{
    const QStringList names = {
        "../../x",
        "..\\..\\x",
        "x",
        "X",
        "x_",
        "a b",
        "a-b",
        "a_b",
        "a/b",
        "a.b",
        "",
        "-",
        ".",
        "..",
        "/",
        "$HOME",
        "%f",
        "'\"`",
        "Snes Rom",
        "snes-rom",
        "Émulateur",
        "émulateur",
        "ÉMULATEUR",
        "日本",
        "a\nb",
        "a;b",
        "x_1234abcd",
        QString(200, u'a'),
        QString(200, u'a') + u'b',
    };
    QSet<QString> safeNames;
    QSet<QString> foldedNames;
    for (const QString& name : names) {
        const QString safe = DesktopNames::safeName(name);
        EXPECT_TRUE(kKept.match(safe).hasMatch() || kHashed.match(safe).hasMatch())
            << safe.toStdString();
        EXPECT_LE(safe.size(), 60) << name.toStdString();
        // Names the hive tells apart (it ignores case) never share a safe name.
        if (!foldedNames.contains(name.toCaseFolded())) {
            EXPECT_FALSE(safeNames.contains(safe)) << name.toStdString();
        }
        foldedNames.insert(name.toCaseFolded());
        safeNames.insert(safe);
    }
    EXPECT_EQ(DesktopNames::safeName(QStringLiteral("ÉMULATEUR")),
              DesktopNames::safeName(QStringLiteral("émulateur")));
    EXPECT_TRUE(DesktopNames::safeName(QStringLiteral("../../x")).startsWith(QStringLiteral("x_")));
}

TEST(DesktopNamesTest, RefusesExtensionsThatWouldWidenThePattern)
{
    for (const QString& extension : QStringList { "smc", "SFC", "tar.gz", "a b", "é", "1" })
        EXPECT_TRUE(DesktopNames::isPublishableExtension(extension)) << extension.toStdString();
    for (const QString& extension :
         QStringList { "", "*", "s?c", "[sS]mc", "a]", "a\\b", "a/b", "a:b", "a\nb", "a\tb" })
        EXPECT_FALSE(DesktopNames::isPublishableExtension(extension)) << extension.toStdString();
}

// The names a user sees: after the console that the hive's console key (or, for a save class, the
// catalogue's pairing) tells, and the emulator's program; the class's own name when neither can.
TEST(DesktopNamesTest, NamesTypesAndEntriesAfterTheConsoleAndTheEmulator)
{
    registry::RegistryHive hive;
    for (const auto& [key, value] : std::initializer_list<std::pair<const char*, const char*>> {
             {"Nes.Rom\\shell\\Jouer - Play\\command", "\"C:\\Emu\\fceux 2.EXE\" \"%1\""},
             {"Nes.Rom\\shell", "Jouer - Play"}, {"Lone.Rom\\shell", "Jouer - Play"},
             {"Nes.Rom", "Nes.Rom"}, {"NES", "Nes.Rom"}, {"Nes.Save", "Nes.Save"}, {".nes", "Nes.Rom"},
             {"Lone.Rom\\shell\\Jouer - Play\\command", "/usr/bin/mednafen %1"}, {"Lone.Rom", "Lone Described"},
             {"Tree\\sub", "x"}, {"Tree", "Lone.Rom"}})
        ASSERT_TRUE(hive.setDefaultValue(QString::fromUtf8(key), QString::fromUtf8(value)));
    const QList<registry::ClassPair> pairs = {{"Other.Rom", "Nes.Save"}, {"Nes.Rom", "Nes.Save"}};
    const struct {
        const char* className;
        DesktopNames::Title type;
        DesktopNames::Title entry;
    } cases[] = {
        {"Nes.Rom", {"NES ROM", "ROM NES"}, {"fceux 2 \u2014 NES", "fceux 2 \u2014 NES"}},
        {"Nes.Save", {"NES save state", "Sauvegarde d'\u00e9tat NES"}, {"NES save state", "Sauvegarde d'\u00e9tat NES"}},
        // A key with subkeys of its own names no console.
        {"Lone.Rom", {"Lone Described", "Lone Described"}, {"mednafen \u2014 Lone Described", "mednafen \u2014 Lone Described"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.className);
        const registry::DesktopAssociation association
            = registry::DesktopAssociation::read(hive, QString::fromUtf8(c.className), pairs);
        EXPECT_EQ(DesktopNames::typeComment(association).english.toStdString(), c.type.english.toStdString());
        EXPECT_EQ(DesktopNames::typeComment(association).french.toStdString(), c.type.french.toStdString());
        EXPECT_EQ(DesktopNames::entryName(association).english.toStdString(), c.entry.english.toStdString());
        EXPECT_EQ(DesktopNames::entryName(association).french.toStdString(), c.entry.french.toStdString());
    }
}

} // namespace
