// Safe names for the desktop, made from class names and extensions of the catalogue.
#include "registry/DesktopNames.h"

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

} // namespace
