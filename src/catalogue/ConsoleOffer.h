// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the catalogue offers for one console, read as the wizard's pages read it, and the class
// pairs of all its consoles.
#pragma once

#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace registry {

struct ConsoleOffer {
    // Texts as the pages show them: "" where the catalogue gives no value.
    std::array<QString, 4> romExtensions;
    std::array<QString, 4> saveExtensions;
    std::array<QString, 6> emulators;
    QString romIcon; // the icon numbers in the icon library
    QString saveIcon;
    // As read: the catalogue's marker of an absent value when it gives none.
    QString romClass;
    QString saveClass;

    // The fifteen console names of the catalogue, entry n - 1 for console n.
    static std::array<QString, 15> consoleNames(const QString& catalogueFile);
    // When two numbers carry the name, the later number's values show, as on the pages; nothing
    // when no number does.
    static std::optional<ConsoleOffer> read(const QString& console, const std::array<QString, 15>& consoleNames,
                                            const QString& catalogueFile);
};

// The classes the catalogue registers a console's ROM and save files under.
struct ClassPair {
    QString romClass;
    QString saveClass;
};

// The pairs of the catalogue's consoles in number order, absent names empty.
QList<ClassPair> catalogueClassPairs(const QString& catalogueFile);

} // namespace registry
