// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped catalogue against the system's MIME database: no extension takes other programs' files.
#include "catalogue/ConsoleOffer.h"
#include "catalogue/Fileini.h"

#include "TestEnvironment.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QString kShippedCatalogue = QStringLiteral(ZELVANE_SOURCE_DIR "/assets/Zelvane.ini");
const QString kSystemGlobs = QStringLiteral("/usr/share/mime/globs2");

// Extensions of any program's files that the database names no type for.
const QStringList kGenericExtensions = {"bin", "dat", "img", "raw"};

const QRegularExpression kGameRomType(QStringLiteral("^application/(x-|vnd\\.)[a-z0-9.+-]*[.-]rom$"));

struct Glob { QString type; QRegularExpression pattern; };

QStringList linesOf(const QString& path) { return QString::fromUtf8(TestEnvironment::readFile(path)).split(u'\n'); }

// The file-name globs of the database: "weight:type:glob[:flags]" lines, "cs" for case-sensitive.
QList<Glob> systemGlobs()
{
    QList<Glob> globs;
    for (const QString& line : linesOf(kSystemGlobs)) {
        const QStringList fields = line.split(u':');
        if (line.startsWith(u'#') || fields.size() < 3)
            continue;
        const bool caseSensitive = fields.value(3).split(u',').contains(QStringLiteral("cs"));
        globs.append({fields[1], QRegularExpression::fromWildcard(fields[2], caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive)});
    }
    return globs;
}

QStringList typesOf(const QString& extension, const QList<Glob>& globs)
{
    QStringList types;
    for (const Glob& glob : globs) {
        if (glob.pattern.match(QStringLiteral("game.") + extension).hasMatch())
            types << glob.type;
    }
    types.removeDuplicates();
    return types;
}

// The catalogue's commented list of extensions kept despite another type: ";   ext  type  why".
QMultiMap<QString, QString> keptExtensions()
{
    static const QRegularExpression kept(QStringLiteral("^;\\s+([a-z0-9]+)\\s+([a-z]+/\\S+)\\s+\\S"));
    QMultiMap<QString, QString> types;
    for (const QString& line : linesOf(kShippedCatalogue)) {
        if (const QRegularExpressionMatch match = kept.match(line); match.hasMatch())
            types.insert(match.captured(1), match.captured(2));
    }
    return types;
}

// What the catalogue offers for each of its consoles, as the wizard's pages read it.
QList<std::pair<QString, registry::ConsoleOffer>> shippedOffers()
{
    QList<std::pair<QString, registry::ConsoleOffer>> offers;
    const std::array<QString, 15> names = registry::ConsoleOffer::consoleNames(kShippedCatalogue);
    for (const QString& console : names) {
        if (const std::optional<registry::ConsoleOffer> offer = registry::ConsoleOffer::read(console, names, kShippedCatalogue))
            offers.append({console, *offer});
        else
            ADD_FAILURE() << "no section for " << console.toStdString();
    }
    return offers;
}

QString row(const QString& extension, const QString& console, const QString& why)
{
    return QStringLiteral("%1 %2 %3\n").arg(extension, -8).arg(console, -30).arg(why);
}

} // namespace

// Each extension has no type in the database, or a game ROM type, or is in the commented list;
// and that list says what the database says: each kept extension is shipped and has its type.
TEST(ShippedCatalogue, TakesNoOtherProgramsFiles)
{
    const QList<Glob> globs = systemGlobs();
    ASSERT_FALSE(globs.isEmpty()) << "the system's MIME database cannot be read: " << kSystemGlobs.toStdString();
    const QMultiMap<QString, QString> kept = keptExtensions();
    ASSERT_FALSE(kept.isEmpty()) << "no commented list of kept extensions in " << kShippedCatalogue.toStdString();
    QStringList shipped;
    QString offenders;
    for (const auto& [console, offer] : shippedOffers()) {
        for (const auto* slots : {&offer.romExtensions, &offer.saveExtensions}) {
            for (const QString& extension : *slots) {
                shipped << extension;
                QStringList others = typesOf(extension, globs);
                others.removeIf([](const QString& type) { return kGameRomType.match(type).hasMatch(); });
                if (kGenericExtensions.contains(extension.toLower()))
                    others << QStringLiteral("(any program's data)");
                if (!extension.isEmpty() && !others.isEmpty() && !kept.contains(extension))
                    offenders += row(QLatin1Char('.') + extension, console, others.join(QStringLiteral(", ")));
            }
        }
    }
    EXPECT_TRUE(offenders.isEmpty()) << "Extensions of the shipped catalogue that name other programs' files:\n"
                                     << row("", "console", "other type").toStdString() << offenders.toStdString();
    for (const auto& [extension, type] : kept.asKeyValueRange()) {
        SCOPED_TRACE(extension.toStdString());
        EXPECT_TRUE(shipped.contains(extension)) << "kept but not in the catalogue";
        EXPECT_TRUE(typesOf(extension, globs).contains(type)) << "the database gives it " << typesOf(extension, globs).join(", ").toStdString();
    }
}

// A console's extensions fill its slots from the first: the pages show an empty slot as "*.".
TEST(ShippedCatalogue, ExtensionSlotsHaveNoGaps)
{
    for (const auto& [console, offer] : shippedOffers()) {
        SCOPED_TRACE(console.toStdString());
        ASSERT_NE(console, Fileini::IniEmpty());
        for (const auto* slots : {&offer.romExtensions, &offer.saveExtensions}) {
            const auto firstEmpty = std::find(slots->begin(), slots->end(), QString());
            EXPECT_TRUE(std::all_of(firstEmpty, slots->end(), [](const QString& value) { return value.isEmpty(); }))
                << QStringList(slots->begin(), slots->end()).join(",").toStdString();
        }
    }
}
