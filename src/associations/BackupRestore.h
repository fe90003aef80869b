// Puts back what a backup recorded, through the primitives of a change of the classes root.
#pragma once

#include "associations/ClassesRootChange.h"
#include "hive/RegistryHive.h"

#include <QStringList>

namespace registry {

class BackupRestore {
public:
    // Deletes the keys the backup deletes, then gives every key it holds its recorded default
    // value, with its type and bytes (or none, for "@=-"); returns the names at the top of the
    // classes root that the backup touches, for the desktop to hear of those that are classes.
    static QStringList restore(const RegistryHive& backup, ClassesRootChange& change);
};

} // namespace registry
