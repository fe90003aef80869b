// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped catalogue against the system's MIME database: no extension takes other programs' files.
#include "catalogue/ConsoleOffer.h"
#include "catalogue/Fileini.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QString kShippedCatalogue = QStringLiteral(ZELVANE_SOURCE_DIR "/assets/Zelvane.ini");
const QString kSystemGlobs = QStringLiteral("/usr/share/mime/globs2");

// Extensions of any program's files that the database names no type for.
const QStringList kGenericExtensions = {"bin", "dat", "img", "raw"};

struct Glob {
    QString type;
    QRegularExpression pattern;
};

// The file-name globs of the database: "weight:type:glob[:flags]" lines, "cs" for case-sensitive.
QList<Glob> systemGlobs()
{
    QFile file(kSystemGlobs);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Glob> globs;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(u':');
        if (line.startsWith(u'#') || fields.size() < 3)
            continue;
        const bool caseSensitive = fields.value(3).split(u',').contains(QStringLiteral("cs"));
        globs.append({fields[1], QRegularExpression::fromWildcard(fields[2], caseSensitive ? Qt::CaseSensitive
                                                                                           : Qt::CaseInsensitive)});
    }
    return globs;
}

QStringList typesOf(const QString& extension, const QList<Glob>& globs)
{
    QStringList types;
    for (const Glob& glob : globs) {
        if (glob.pattern.match(QStringLiteral("game.") + extension).hasMatch() && !types.contains(glob.type))
            types << glob.type;
    }
    return types;
}

bool isGameRomType(const QString& type)
{
    static const QRegularExpression rom(QStringLiteral("^application/(x-|vnd\\.)[a-z0-9.+-]*[.-]rom$"));
    return rom.match(type).hasMatch();
}

struct Kept {
    QString extension;
    QString type;
};

// The catalogue's commented list of extensions kept despite another type: ";   ext  type  why".
QList<Kept> keptExtensions()
{
    QFile file(kShippedCatalogue);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression line(QStringLiteral("^;\\s+([a-z0-9]+)\\s+([a-z]+/\\S+)\\s+\\S"));
    QList<Kept> kept;
    for (const QString& text : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QRegularExpressionMatch match = line.match(text);
        if (match.hasMatch())
            kept.append({match.captured(1), match.captured(2)});
    }
    return kept;
}

struct Extension {
    QString extension;
    QString console;
};

// Every ROM and save-state extension of every console, as the wizard's pages read them.
QList<Extension> shippedExtensions()
{
    QList<Extension> extensions;
    const std::array<QString, 15> names = registry::ConsoleOffer::consoleNames(kShippedCatalogue);
    for (const QString& console : names) {
        const std::optional<registry::ConsoleOffer> offer = registry::ConsoleOffer::read(console, names, kShippedCatalogue);
        if (!offer) {
            ADD_FAILURE() << "no section for " << console.toStdString();
            continue;
        }
        for (const auto* slots : {&offer->romExtensions, &offer->saveExtensions}) {
            for (const QString& extension : *slots) {
                if (!extension.isEmpty())
                    extensions.append({extension, console});
            }
        }
    }
    return extensions;
}

QString row(const QString& extension, const QString& console, const QString& why)
{
    return QStringLiteral("%1 %2 %3\n").arg(extension, -8).arg(console, -30).arg(why);
}

} // namespace

// Each extension has no type in the database, or a game ROM type, or is in the commented list.
TEST(ShippedCatalogue, TakesNoOtherProgramsFiles)
{
    const QList<Glob> globs = systemGlobs();
    ASSERT_FALSE(globs.isEmpty()) << "the system's MIME database cannot be read: " << kSystemGlobs.toStdString();
    QStringList kept;
    for (const Kept& entry : keptExtensions())
        kept << entry.extension;
    QString offenders;
    for (const Extension& entry : shippedExtensions()) {
        QStringList others;
        for (const QString& type : typesOf(entry.extension, globs)) {
            if (!isGameRomType(type))
                others << type;
        }
        if (kGenericExtensions.contains(entry.extension.toLower()))
            others << QStringLiteral("(any program's data)");
        if (!others.isEmpty() && !kept.contains(entry.extension))
            offenders += row(QLatin1Char('.') + entry.extension, entry.console, others.join(QStringLiteral(", ")));
    }
    EXPECT_TRUE(offenders.isEmpty()) << "Extensions of the shipped catalogue that name other programs' files:\n"
                                     << row("", "console", "other type").toStdString() << offenders.toStdString();
}

// The commented list says what the database says: each kept extension is shipped and has its type.
TEST(ShippedCatalogue, KeptExtensionsHaveTheirStatedType)
{
    const QList<Glob> globs = systemGlobs();
    const QList<Kept> kept = keptExtensions();
    ASSERT_FALSE(kept.isEmpty()) << "no commented list of kept extensions in " << kShippedCatalogue.toStdString();
    QStringList shipped;
    for (const Extension& entry : shippedExtensions())
        shipped << entry.extension;
    for (const Kept& entry : kept) {
        SCOPED_TRACE(entry.extension.toStdString());
        EXPECT_TRUE(shipped.contains(entry.extension)) << "kept but not in the catalogue";
        EXPECT_TRUE(typesOf(entry.extension, globs).contains(entry.type))
            << "the database gives it " << typesOf(entry.extension, globs).join(", ").toStdString();
    }
}

// A console's extensions fill its slots from the first: the pages show an empty slot as "*.".
TEST(ShippedCatalogue, ExtensionSlotsHaveNoGaps)
{
    const std::array<QString, 15> names = registry::ConsoleOffer::consoleNames(kShippedCatalogue);
    for (const QString& console : names) {
        SCOPED_TRACE(console.toStdString());
        ASSERT_NE(console, Fileini::IniEmpty());
        const std::optional<registry::ConsoleOffer> offer = registry::ConsoleOffer::read(console, names, kShippedCatalogue);
        ASSERT_TRUE(offer.has_value());
        for (const auto* slots : {&offer->romExtensions, &offer->saveExtensions}) {
            const auto firstEmpty = std::find(slots->begin(), slots->end(), QString());
            EXPECT_TRUE(std::all_of(firstEmpty, slots->end(), [](const QString& value) { return value.isEmpty(); }))
                << QStringList(slots->begin(), slots->end()).join(",").toStdString();
        }
    }
}
