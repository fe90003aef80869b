// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The folder of backups: .reg files named with the time of the change they undo, the last 20 kept.
#pragma once

#include "platform/ClassesRoot.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace registry {

class BackupFolder {
public:
    static constexpr int Kept = 20;

    explicit BackupFolder(QString path);

    const QString& path() const { return m_path; }

    // The path of the next backup, named after the time and `action`
    // ("2026-05-01T14-03-27.123Z-finish.reg", in UTC), after every backup of the folder.
    QString nextBackup(const QString& action, const QDateTime& now) const;
    // Saves `bytes` as the backup `path`, and removes all but the last 20. False, with `failure`
    // set, when it cannot.
    bool save(const QString& path, const QByteArray& bytes, platform::Failure* failure) const;
    // The backups' paths, oldest first; other files of the folder are left out.
    QStringList backups() const;
    // The file beside a backup that keeps what its change altered of the desktop; it goes with
    // the backup.
    static QString desktopRecordOf(const QString& backup);

private:
    QString m_path;
};

} // namespace registry
