// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The folder of backups: .reg files named with the time of the change they undo, the last 20 kept.
#pragma once

#include "platform/ClassesRoot.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace registry {

class BackupFolder {
public:
    static constexpr int Kept = 20;

    explicit BackupFolder(QString path);

    const QString& path() const { return m_path; }

    // Saves `bytes` as the newest backup, named after the time and `action`
    // ("2026-05-01T14-03-27.123Z-finish.reg", in UTC), and removes all but the last 20. Returns
    // the file's path, or nothing with `failure` set.
    std::optional<QString> save(const QByteArray& bytes, const QString& action, const QDateTime& now,
                                platform::Failure* failure) const;
    // The backups' paths, oldest first; other files of the folder are left out.
    QStringList backups() const;
    // The file beside a backup that keeps what its change altered of the desktop; it goes with
    // the backup.
    static QString desktopRecordOf(const QString& backup);

private:
    QString m_path;
};

} // namespace registry
