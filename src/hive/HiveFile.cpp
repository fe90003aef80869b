// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The hive file on disk: read when a sequence of writes begins, replaced when it ends, and held
// by one sequence at a time.
#include "hive/HiveFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace registry {

namespace {

// How long a change waits for another one to end before it gives up.
constexpr int kWaitForOtherChangeMs = 5000;
constexpr qint64 kUnnamedLockAgeMs = 1000;

} // namespace

HiveFile::HiveFile(QString path)
    : m_path(std::move(path))
{
}

std::optional<RegistryHive> HiveFile::load()
{
    m_failures.clear();
    m_mayReplace = false;
    if (!hold())
        return std::nullopt;
    RegistryHive::ReadError error;
    std::optional<RegistryHive> hive = read(&error);
    m_mayReplace = hive.has_value();
    if (hive)
        return hive;
    const platform::Failure reason {error.english, error.french};
    const platform::Failure where = error.line > 0
        ? platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "line %1: %2")).arg(QString::number(error.line), reason)
        : reason;
    fail(platform::Failure::translated(QT_TRANSLATE_NOOP("Failure",
                                                         "The associations file %1 could not be read (%2). Nothing was "
                                                         "written: the file was left as it is and the desktop was not "
                                                         "changed. Correct the file or move it away, then finish the "
                                                         "wizard again."))
             .arg(m_path, where));
    return std::nullopt;
}

// A change killed between making its lock file and writing its process into it leaves a lock that
// names no process, which no process would ever free. A live change writes its process at once:
// one that has named none for a while is nobody's.
bool HiveFile::takeOverUnnamedLock(QLockFile& lock) const
{
    qint64 pid = 0;
    QString host, application;
    const QFileInfo file(m_path + QStringLiteral(".lock"));
    return lock.error() == QLockFile::LockFailedError && !lock.getLockInfo(&pid, &host, &application) && file.isFile()
        && file.lastModified().msecsTo(QDateTime::currentDateTime()) > kUnnamedLockAgeMs && lock.removeStaleLockFile();
}

// Each process loads the whole file, changes it and replaces it: two sequences at once would
// each replace the other's changes, so a sequence holds the file from its load to its end.
bool HiveFile::hold()
{
    if (m_lock)
        return true;
    // Where no folder can be made, no change can replace the file: save() tells why.
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return true;
    auto lock = std::make_unique<QLockFile>(m_path + QStringLiteral(".lock"));
    // Only a lock whose process is gone is stale: a change may run longer than any fixed time.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0) || (takeOverUnnamedLock(*lock) && lock->tryLock(0))
        || lock->tryLock(kWaitForOtherChangeMs) || (takeOverUnnamedLock(*lock) && lock->tryLock(0))) {
        m_lock = std::move(lock);
        return true;
    }
    qint64 pid = 0;
    QString host, application;
    if (lock->error() == QLockFile::LockFailedError && lock->getLockInfo(&pid, &host, &application)) {
        fail(platform::Failure::translated(QT_TRANSLATE_NOOP("Failure",
                                                             "Another change of the associations (process %1) holds "
                                                             "%2: nothing was changed. Try again when it has ended."))
                 .arg(QString::number(pid), m_path));
    } else {
        fail(platform::Failure::translated(QT_TRANSLATE_NOOP("Failure",
                                                             "The associations file %1 could not be locked: its lock "
                                                             "file %1.lock cannot be written. Nothing was changed."))
                 .arg(m_path));
    }
    return false;
}

std::optional<RegistryHive> HiveFile::read(RegistryHive::ReadError* error) const
{
    const QFileInfo info(m_path);
    if (!info.exists())
        return RegistryHive();
    // Reading a FIFO or a device could wait forever.
    if (!info.isFile()) {
        const platform::Failure why = platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "it is not a regular file"));
        *error = {0, why.english, why.french};
        return std::nullopt;
    }
    QFile file(m_path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        if (file.error() == QFileDevice::NoError)
            return RegistryHive::parse(bytes, error);
    }
    *error = {0, file.errorString(), file.errorString()};
    return std::nullopt;
}

void HiveFile::save(const RegistryHive& hive)
{
    if (!m_mayReplace)
        return;
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder)) {
        fail(platform::Failure::translated(QT_TRANSLATE_NOOP("Failure",
                                                             "The associations could not be saved: the folder %1 "
                                                             "cannot be created."))
                 .arg(folder));
        return;
    }
    QSaveFile file(m_path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(hive.serialize()); // a write that fails makes the commit fail
        if (file.commit())
            return;
    }
    fail(platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "The associations could not be saved in %1 (%2)."))
             .arg(m_path, file.errorString()));
}

void HiveFile::remove()
{
    QFile file(m_path);
    if (!m_mayReplace || !file.exists() || file.remove())
        return;
    fail(platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "The associations could not be saved in %1 (%2)."))
             .arg(m_path, file.errorString()));
}

void HiveFile::fail(const platform::Failure& failure)
{
    m_failures.append(failure);
}

} // namespace registry
