// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One change of the classes root, made the same way by the wizard and the command line: what it
// is about to replace saved first as a backup, then its writes, then the desktop told, and what
// may keep the result from working found out.
#pragma once

#include "platform/ClassesRoot.h"
#include "associations/AssociationPlan.h"
#include "associations/ChangeBackup.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace registry {

class ClassesRootChange {
public:
    // `action` names the change in its backup's name: "finish", "associate", "remove".
    ClassesRootChange(platform::ClassesRoot& root, QString action);

    // Saves, in the backup folder, what setting the default values of `keys` and deleting the
    // trees `trees` will replace. False, with the failure recorded, when that cannot be done:
    // then nothing may be changed, and the sequence has been ended without a change.
    bool backUp(const QStringList& keys, const QStringList& trees, const QDateTime& now);
    // The backup saved by backUp.
    const QString& backupFile() const { return m_backupFile; }
    // The default value a key backed up as changed had before.
    std::optional<QString> previousValue(const QString& key) const { return m_backup.previousValue(key); }

    // Notes, after the backup and before the writes, which extensions `writes` take from another
    // class or from a type another program opens, to be told as warnings.
    void noteTakenExtensions(const QList<PlannedWrite>& writes);

    // The write primitive: creates the key and sets its default value.
    void write(const QString& key, const QString& data);
    // The same with a value of any type, its bytes as they are.
    void write(const QString& key, const platform::RegistryValue& value);
    // Creates a key with its missing levels.
    void create(const QString& key);
    // Deletes the key with everything below it, or only its default value; a key that does not
    // exist is no failure.
    void deleteTree(const QString& key);
    void deleteValue(const QString& key);
    // Keeps a key this change created before `next`, where the classes root keeps an order.
    void place(const QString& key, const QString& next, const std::optional<QStringList>& above)
    {
        m_root.placeKey(key, next, above);
    }

    // Ends the change: its writes are kept, the desktop hears of `classNames`, and what it makes
    // of them is told as warnings.
    void finish(const QStringList& classNames);

    // What went wrong, for the user.
    const QList<platform::Failure>& failures() const { return m_failures; }
    void fail(const platform::Failure& failure) { m_failures.append(failure); }
    // What was written but may not work as the user expects.
    const QList<platform::Failure>& warnings() const { return m_warnings; }

private:
    platform::ClassesRoot& m_root;
    QString m_action;
    ChangeBackup m_backup;
    QString m_backupFile;
    QList<platform::Failure> m_failures;
    QList<platform::Failure> m_warnings;
};

} // namespace registry
