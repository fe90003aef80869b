// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Puts back what a backup recorded, through the primitives of a change of the classes root.
#include "associations/BackupRestore.h"

#include "associations/ChangeBackup.h"

namespace registry {

namespace {

void restoreKey(const RegistryHive& backup, const QString& path, ClassesRootChange& change)
{
    if (!backup.definesDefaultValue(path))
        change.create(path);
    else if (const std::optional<platform::RegistryValue> value = backup.storedValue(path))
        change.write(path, *value);
    else
        change.deleteValue(path);
    const QStringList above = backup.linesAbove(path).value_or(QStringList());
    if (const std::optional<QString> next = ChangeBackup::placeOf(above))
        change.place(path, *next, ChangeBackup::handWrittenLines(above));
}

} // namespace

QStringList BackupRestore::restore(const RegistryHive& backup, ClassesRootChange& change)
{
    // As the parse applied the deletions where they stood, deleting first then setting what the
    // backup holds leaves what importing the file line by line leaves.
    QStringList touched;
    for (const QString& path : backup.deletedKeys()) {
        change.deleteTree(path);
        touched << path.section(QLatin1Char('\\'), 0, 0);
    }
    // In file order, a key of a deleted tree goes before the key it stood before, after those
    // of its tree put back before it.
    for (const QString& path : backup.keysInFileOrder()) {
        restoreKey(backup, path, change);
        touched << path.section(QLatin1Char('\\'), 0, 0);
    }
    touched.removeDuplicates();
    return touched;
}

} // namespace registry
