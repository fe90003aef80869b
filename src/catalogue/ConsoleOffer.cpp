// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the catalogue offers for one console, read as the wizard's pages read it, and the class
// pairs of all its consoles.
#include "catalogue/ConsoleOffer.h"

#include "catalogue/AnsiText.h"
#include "catalogue/Fileini.h"

namespace registry {

namespace {

QString shown(const QString& section, const QString& key, const QString& catalogueFile)
{
    return AnsiText::untilNul(Fileini::GetIniString(section, key, catalogueFile));
}

template <std::size_t N>
void readSlots(std::array<QString, N>* values, const char* prefix, const QString& section,
               const QString& catalogueFile)
{
    for (std::size_t k = 0; k < N; ++k)
        (*values)[k] = shown(section, QLatin1String(prefix) + QString::number(k + 1), catalogueFile);
}

} // namespace

std::array<QString, 15> ConsoleOffer::consoleNames(const QString& catalogueFile)
{
    std::array<QString, 15> names;
    for (int n = 1; n <= 15; ++n)
        names[n - 1] = Fileini::GetIniString(QStringLiteral("Console"), Fileini::consoleNumber(n), catalogueFile);
    return names;
}

std::optional<ConsoleOffer> ConsoleOffer::read(const QString& console, const std::array<QString, 15>& consoleNames,
                                               const QString& catalogueFile)
{
    std::optional<ConsoleOffer> offer;
    for (int n = 1; n <= 15; ++n) {
        if (consoleNames[n - 1] != console)
            continue;
        const QString section = Fileini::consoleNumber(n);
        offer.emplace();
        readSlots(&offer->romExtensions, "ext", section, catalogueFile);
        readSlots(&offer->saveExtensions, "sav", section, catalogueFile);
        readSlots(&offer->emulators, "emu", section, catalogueFile);
        offer->romIcon = shown(section, QStringLiteral("cartico"), catalogueFile);
        offer->saveIcon = shown(section, QStringLiteral("saveico"), catalogueFile);
        offer->romClass = Fileini::GetIniString(section, QStringLiteral("romname"), catalogueFile);
        offer->saveClass = Fileini::GetIniString(section, QStringLiteral("savname"), catalogueFile);
    }
    return offer;
}

QList<ClassPair> catalogueClassPairs(const QString& catalogueFile)
{
    QList<ClassPair> pairs;
    for (int n = 1; n <= 15; ++n) {
        const QString section = Fileini::consoleNumber(n);
        pairs.append({shown(section, QStringLiteral("romname"), catalogueFile),
                      shown(section, QStringLiteral("savname"), catalogueFile)});
    }
    return pairs;
}

} // namespace registry
