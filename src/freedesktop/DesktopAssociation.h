// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the hive says about one class: description, open command, icon and extensions.
#pragma once

#include "catalogue/ConsoleOffer.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace registry {

class RegistryHive;

struct DesktopAssociation {
    QString className;
    QString description; // the class key's default value
    std::optional<QString> command; // the default verb's command, when the class has one
    QString iconReference; // DefaultIcon: "file,index"
    QStringList extensions; // without their dot, as the hive spells them
    QString console; // the console the class belongs to; empty when none is known
    bool saveStates = false; // the class holds the console's save states, not its ROMs

    // The class as the hive describes it. Its console is the key that names it, as Finish
    // writes one for the ROM class; a save class belongs to the console of the ROM class
    // `pairs` (the catalogue's) pair it with.
    static DesktopAssociation read(const RegistryHive& hive, const QString& className,
                                   const QList<ClassPair>& pairs = {});
    // Every class of the hive: a root key with a verb or an icon, or named by an extension.
    static QStringList classesOf(const RegistryHive& hive);
};

} // namespace registry
