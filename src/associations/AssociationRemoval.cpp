// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What removing a console's association or one class takes away from the classes root.
#include "associations/AssociationRemoval.h"

namespace registry {

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The classes `name` stands for: a console's, or a class of an association, or a class key as
// Finish writes one (described by its own name, with a verb or an icon).
QStringList classesNamed(const AssociationList& list, const QString& name)
{
    for (const Association& association : list.associations()) {
        if (sameName(association.console, name))
            return association.saveClass.isEmpty() ? QStringList {association.romClass}
                                                   : QStringList {association.romClass, association.saveClass};
    }
    for (const Association& association : list.associations()) {
        for (const QString& className : {association.romClass, association.saveClass}) {
            if (!className.isEmpty() && sameName(className, name))
                return {className};
        }
    }
    const TopKey* key = list.topKey(name);
    if (key && key->value && sameName(*key->value, key->name)
        && (key->subkeys.contains(QStringLiteral("shell"), Qt::CaseInsensitive)
            || key->subkeys.contains(QStringLiteral("DefaultIcon"), Qt::CaseInsensitive)))
        return {key->name};
    return {};
}

} // namespace

std::optional<AssociationRemoval> AssociationRemoval::of(const AssociationList& list, const QString& name)
{
    AssociationRemoval removal;
    removal.classes = classesNamed(list, name);
    if (removal.classes.isEmpty())
        return std::nullopt;
    for (const QString& className : removal.classes) {
        // A class key another program has given its own description since is not ours to delete.
        const TopKey* classKey = list.topKey(className);
        if (classKey->value && sameName(*classKey->value, className))
            removal.trees << classKey->name;
        else
            removal.leftAlone << classKey->name;
        for (const QString& extension : list.extensionKeysOf(className))
            (list.topKey(extension)->subkeys.isEmpty() ? removal.trees : removal.values) << extension;
        removal.trees << list.consoleKeysOf(className);
    }
    return removal;
}

} // namespace registry
