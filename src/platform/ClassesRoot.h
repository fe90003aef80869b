// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The classes root of the registry (HKEY_CLASSES_ROOT), where the association writer puts its keys.
#pragma once

#include "platform/Failure.h"
#include "platform/RegistryValue.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <memory>
#include <optional>

namespace platform {

// Statuses of the classes root: the Win32 error codes, 0 for success.
inline constexpr long StatusSuccess = 0;
inline constexpr long StatusFileNotFound = 2;
inline constexpr long StatusInvalidHandle = 6;
inline constexpr long StatusInvalidParameter = 87;
inline constexpr long StatusBadPathName = 161;
inline constexpr long StatusRegistryCorrupt = 1015;

// The type the desktop gives an extension's files apart from the classes root, and what opens
// them: what writing the extension takes them from.
struct ExtensionClaim {
    QString type; // empty when no type but the classes root's own
    QStringList applications; // as the desktop names them to the user
    QStringList frenchApplications; // the same names in French
};

// What the desktop makes of one class of the classes root.
struct ClassCheck {
    QString className;
    bool typeKnown = false; // the desktop knows the class's file type
    std::optional<bool> opensWithCommand; // its files open with the class's command; nothing without one
    std::optional<bool> programFound; // the command's program can be found and run; nothing without one
    QList<Failure> problems; // what keeps the class from working, for the user
};

class ClassesRoot {
public:
    // An open key, as handed out by createKey until closeKey.
    using Key = quintptr;

    virtual ~ClassesRoot() = default;

    // Creates every missing level of `path` (key names separated by '\', relative to the classes
    // root; "" is the root itself) and opens the key. Returns StatusSuccess with `key` set, or the
    // status that kept the key from being had.
    virtual long createKey(const QString& path, Key* key) = 0;
    // Sets the default (unnamed) string value of an open key.
    virtual long setDefaultValue(Key key, const QString& data) = 0;
    // Sets the default value of an open key to `value`, type and bytes as they are.
    virtual long setStoredDefaultValue(Key key, const RegistryValue& value) = 0;
    virtual void closeKey(Key key) = 0;
    // Deletes the default value of an open key; StatusSuccess also when it had none.
    virtual long deleteDefaultValue(Key key) = 0;

    // The default string value of the key `path`: StatusSuccess with `value` set, or emptied
    // when the key has no string default value; StatusFileNotFound when there is no such key.
    virtual long readDefaultValue(const QString& path, std::optional<QString>* value) = 0;
    // The same value as the registry stores it, whatever its type: emptied when the key has none.
    virtual long readStoredDefaultValue(const QString& path, std::optional<RegistryValue>* value) = 0;
    // The names of the direct subkeys of `path` ("" = the root).
    virtual long readSubkeys(const QString& path, QStringList* names) = 0;
    // Deletes the key `path` and every key below it; StatusFileNotFound when there is no such
    // key. The root itself is never deleted: StatusInvalidParameter.
    virtual long deleteKey(const QString& path) = 0;

    // Ends one sequence of writes: makes the writes last and tells the desktop about
    // `classNames`, the classes the sequence wrote. The next write starts a new sequence.
    // Returns what went wrong since the sequence began (empty when all went well).
    virtual QList<Failure> finishWrites(const QStringList& classNames) = 0;
    // Where the next finishWrites keeps what publishing alters of the desktop beside the classes
    // root (on Linux the mimeapps.list lines of our types as they were, and the files and
    // folders it creates), for an undo of the change; nothing to keep elsewhere. Told before
    // `backupFile`, the change's backup, is saved: on Linux, a change killed before its hive is
    // saved loses its backup and record to the next sequence, one killed later is completed by it.
    virtual void recordDesktopIn(const QString& /*recordFile*/, const QString& /*backupFile*/) { }
    // That the next finishWrites undoes the change recorded in `recordFile`: once published, the
    // desktop gets the recorded lines back and loses what the change created.
    virtual void undoDesktopWith(const QString& /*recordFile*/) { }
    // The folders beside the classes root that the change recorded in `recordFile` created (on
    // Linux the backups' folder of the first change): its undo removes them once they are empty.
    virtual QStringList foldersCreatedBy(const QString& /*recordFile*/) { return {}; }
    // Ends a sequence that is not to be kept, one that only read or that gave up before its
    // first change: nothing is saved and the desktop is not told. Returns what went wrong since
    // the sequence began (on Linux, a hive file that could not be read, which reads answer with
    // StatusRegistryCorrupt).
    virtual QList<Failure> endReading() = 0;

    // The keys in the order the classes root keeps them, and a key created in this sequence kept
    // before `next` there: for a key put back to stand where it stood. The registry keeps no
    // order: it lists none and places nothing.
    virtual QStringList readKeyOrder() { return {}; }
    virtual void placeKey(const QString& /*path*/, const QString& /*next*/,
                          const std::optional<QStringList>& /*above*/) {}
    // The comment and blank lines written above a key, where the classes root keeps lines:
    // a key put back gets them back.
    virtual std::optional<QStringList> readLinesAbove(const QString& /*path*/) { return std::nullopt; }

    // What the desktop gives files of each of `extensions` (without their dot) now, apart from
    // the classes root's own classes, one claim for each extension in their order; asked before
    // the writes that take them.
    virtual QList<ExtensionClaim> claimsOf(const QStringList& extensions) = 0;
    // What the desktop makes of the classes of `classNames` that the classes root holds, asked
    // after finishWrites; those it does not hold are left out.
    virtual QList<ClassCheck> checkClasses(const QStringList& classNames) = 0;
};

// Stands in for the desktop: told the classes a sequence of writes wrote, returns its failures.
using DesktopNotifier = std::function<QList<Failure>(const QStringList& classNames)>;

// The classes root of this platform: on Windows the registry's per-user classes; on Linux the
// per-user hive file $XDG_DATA_HOME/zelvane/classes.reg, published to the desktop with the names
// of the consoles of `catalogueFile` (by default the catalogue the wizard reads beside the
// program).
// With a `notifier`, finishWrites hands the class names to it instead of telling the desktop
// (publishing on Linux, the shell's change notice on Windows), and the desktop is not asked
// either: claimsOf and checkClasses find nothing.
std::unique_ptr<ClassesRoot> openClassesRoot(const QString& catalogueFile = {}, DesktopNotifier notifier = {});

// The registry key the classes root stands for, as a .reg file names it: HKEY_CLASSES_ROOT for
// the hive on Linux, HKEY_CURRENT_USER\Software\Classes on Windows.
QString classesRootName();
// The per-user folder that keeps the backups of the classes root.
QString backupFolder();

} // namespace platform
