// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Puts back what a backup recorded, through the primitives of a change of the classes root.
#pragma once

#include "associations/ClassesRootChange.h"
#include "hive/RegistryHive.h"

#include <QStringList>

namespace registry {

class BackupRestore {
public:
    // Deletes the keys the backup deletes, then gives every key it holds, in file order, its
    // recorded default value with its type and bytes (or none, for "@=-"), a key of a deleted
    // tree going back before the key it stood before; returns the names at the top of the
    // classes root that the backup touches, for the desktop to hear of those that are classes.
    static QStringList restore(const RegistryHive& backup, ClassesRootChange& change);
};

} // namespace registry
