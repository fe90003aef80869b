// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The folder of backups: .reg files named with the time of the change they undo, the last 20 kept.
#include "associations/BackupFolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTimeZone>

namespace registry {

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd'T'HH-mm-ss.zzz'Z'");
constexpr int kTimeLength = 24;

const QRegularExpression& backupName()
{
    static const QRegularExpression name(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d-\\d\\d-\\d\\d\\.\\d{3}Z-[a-z]+\\.reg$"));
    return name;
}

} // namespace

BackupFolder::BackupFolder(QString path)
    : m_path(std::move(path))
{
}

QStringList BackupFolder::backups() const
{
    // The names begin with the time in a fixed width: their order is the order of the changes.
    QStringList paths;
    const QStringList names = QDir(m_path).entryList({QStringLiteral("*.reg")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        if (backupName().match(name).hasMatch())
            paths << m_path + QLatin1Char('/') + name;
    }
    return paths;
}

QString BackupFolder::desktopRecordOf(const QString& backup)
{
    return backup.chopped(4) + QStringLiteral(".desktop.json");
}

QString BackupFolder::nextBackup(const QString& action, const QDateTime& now) const
{
    const QStringList existing = backups();
    // A clock set back must not put the newest backup before an older one.
    QDateTime time = now.toUTC();
    if (!existing.isEmpty()) {
        const QString newest = existing.last().section(QLatin1Char('/'), -1).left(kTimeLength);
        QDateTime last = QDateTime::fromString(newest, kTimeFormat);
        last.setTimeZone(QTimeZone::utc());
        if (last.isValid() && time <= last)
            time = last.addMSecs(1);
    }
    return m_path + QLatin1Char('/') + time.toString(kTimeFormat) + QLatin1Char('-') + action + QStringLiteral(".reg");
}

bool BackupFolder::save(const QString& path, const QByteArray& bytes, platform::Failure* failure) const
{
    QStringList existing = backups();
    QSaveFile file(path);
    const bool folderMade = QDir().mkpath(m_path);
    if (!folderMade || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        const QString why = folderMade ? file.errorString() : QStringLiteral("no folder %1").arg(m_path);
        *failure = platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "The backup of the associations could not be saved as %1 (%2): nothing "
                                   "was changed.")).arg(path, why);
        return false;
    }
    existing << path;
    // An old backup that stays is no loss: its removal is not reported.
    for (qsizetype i = 0; i + Kept < existing.size(); ++i) {
        QFile::remove(existing[i]);
        QFile::remove(desktopRecordOf(existing[i]));
    }
    return true;
}

} // namespace registry
