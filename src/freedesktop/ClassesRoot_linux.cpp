// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The classes root on Linux: a per-user hive file in the registry-export format, published to the
// desktop through the freedesktop.org standards after each sequence of writes.
#include "platform/ClassesRoot.h"

#include "catalogue/Fileini.h"
#include "platform/ProgramFiles.h"
#include "freedesktop/DesktopCheck.h"
#include "freedesktop/DesktopPublisher.h"
#include "freedesktop/DesktopRecord.h"
#include "hive/HiveFile.h"
#include "hive/RegistryHive.h"

#include <QDir>
#include <QHash>
#include <QStandardPaths>
#include <optional>

namespace platform {
namespace {

QString zelvaneDataFolder()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty() || !QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(dataHome + QStringLiteral("/zelvane"));
}

QString hivePath()
{
    return zelvaneDataFolder() + QStringLiteral("/classes.reg");
}

QList<Failure> publish(const registry::RegistryHive& hive, const QStringList& classNames,
                                  const QString& catalogueFile)
{
    return registry::DesktopPublisher(registry::catalogueClassPairs(catalogueFile)).publish(hive, classNames);
}

class HiveClassesRoot final : public ClassesRoot {
public:
    HiveClassesRoot(QString catalogueFile, DesktopNotifier notifier)
        : m_catalogueFile(std::move(catalogueFile))
        , m_notifier(std::move(notifier))
    {
    }

    long createKey(const QString& path, Key* key) override
    {
        Session& session = openSession();
        if (!session.hive.createKey(path))
            return StatusBadPathName;
        *key = ++session.lastKey;
        session.openKeys.insert(*key, path);
        return StatusSuccess;
    }

    long setDefaultValue(Key key, const QString& data) override
    {
        return setValue(key, [&](const QString& path) { return openSession().hive.setDefaultValue(path, data); });
    }

    long setStoredDefaultValue(Key key, const RegistryValue& value) override
    {
        return setValue(key, [&](const QString& path) { return openSession().hive.setStoredValue(path, value); });
    }

    void closeKey(Key key) override
    {
        openSession().openKeys.remove(key);
    }

    long deleteDefaultValue(Key key) override
    {
        Session& session = openSession();
        const auto it = session.openKeys.constFind(key);
        if (it == session.openKeys.cend() || !session.hive.deleteDefaultValue(*it))
            return StatusInvalidHandle;
        return StatusSuccess;
    }

    long readDefaultValue(const QString& path, std::optional<QString>* value) override
    {
        const long status = statusOfKey(path);
        if (status == StatusSuccess)
            *value = m_session->hive.defaultValue(path);
        return status;
    }

    long readStoredDefaultValue(const QString& path, std::optional<RegistryValue>* value) override
    {
        const long status = statusOfKey(path);
        if (status == StatusSuccess)
            *value = m_session->hive.storedValue(path);
        return status;
    }

    long readSubkeys(const QString& path, QStringList* names) override
    {
        const long status = statusOfKey(path);
        if (status == StatusSuccess)
            *names = m_session->hive.subkeys(path);
        return status;
    }

    long deleteKey(const QString& path) override
    {
        if (path.isEmpty())
            return StatusInvalidParameter;
        return openSession().hive.deleteKey(path) ? StatusSuccess : StatusFileNotFound;
    }

    QStringList readKeyOrder() override
    {
        const Session& session = openSession();
        return session.readable ? session.hive.keysInFileOrder() : QStringList();
    }

    void placeKey(const QString& path, const QString& next) override
    {
        openSession().hive.placeBefore(path, next);
    }

    QList<Failure> finishWrites(const QStringList& classNames) override
    {
        Session& session = openSession();
        QList<Failure> failures;
        // A file that cannot be read keeps what it holds, and the desktop keeps what it was told
        // from it: publishing from a hive that lacks the file's keys would take them off the
        // desktop. Nothing of this sequence is written.
        if (!session.readable) {
            failures = session.file.failures();
        } else {
            session.file.save(session.hive);
            failures = session.file.failures();
            // The desktop is told even when the file could not be saved: the associations of
            // this run still work, and the user has been told why they were not kept.
            failures += m_notifier ? m_notifier(classNames) : publishRecorded(session.hive, classNames);
        }
        m_session.reset();
        m_recordFile.clear();
        m_undoneRecord.clear();
        return failures;
    }

    void recordDesktopIn(const QString& recordFile) override { m_recordFile = recordFile; }
    void undoDesktopWith(const QString& recordFile) override { m_undoneRecord = recordFile; }

    QList<ExtensionClaim> claimsOf(const QStringList& extensions) override
    {
        if (m_notifier)
            return QList<ExtensionClaim>(extensions.size());
        return registry::DesktopCheck::claimsOf(extensions);
    }

    QList<ClassCheck> checkClasses(const QStringList& classNames) override
    {
        if (m_notifier)
            return {};
        const Session& session = openSession();
        if (!session.readable)
            return {};
        return registry::DesktopCheck::check(
            session.hive, classNames,
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/mime"));
    }

    QList<Failure> endReading() override
    {
        const QList<Failure> failures = m_session ? m_session->file.failures()
                                                             : QList<Failure>();
        m_session.reset();
        return failures;
    }

private:
    // One sequence of writes: the hive as the file held it when the sequence began. When the
    // file cannot be read, the writes still go to an empty hive, to answer them with their
    // statuses, but that hive is never saved.
    struct Session {
        explicit Session(const QString& path)
            : file(path)
        {
            std::optional<registry::RegistryHive> stored = file.load();
            readable = stored.has_value();
            if (stored)
                hive = std::move(*stored);
        }
        registry::HiveFile file;
        bool readable = false;
        registry::RegistryHive hive;
        QHash<Key, QString> openKeys;
        Key lastKey = 0;
    };

    // Sets a value of the open key `key` through `set`, which says whether the hive could hold it.
    template <typename Set>
    long setValue(Key key, Set set)
    {
        Session& session = openSession();
        const auto it = session.openKeys.constFind(key);
        if (it == session.openKeys.cend())
            return StatusInvalidHandle;
        return set(*it) ? StatusSuccess : StatusInvalidParameter;
    }

    // Whether the key `path` can be read.
    long statusOfKey(const QString& path)
    {
        const Session& session = openSession();
        if (!session.readable)
            return StatusRegistryCorrupt;
        return session.hive.hasKey(path) ? StatusSuccess : StatusFileNotFound;
    }

    // Publishes, keeping what it alters of the desktop when asked to, or giving back what the
    // undone change altered.
    QList<Failure> publishRecorded(const registry::RegistryHive& hive, const QStringList& classNames)
    {
        std::optional<registry::DesktopRecord> record;
        if (!m_recordFile.isEmpty())
            record = registry::DesktopRecord::before(hive, classNames);
        QList<Failure> failures = publish(hive, classNames, m_catalogueFile);
        if (record) {
            if (const auto failure = record->save(m_recordFile))
                failures << *failure;
        }
        if (!m_undoneRecord.isEmpty())
            failures += registry::DesktopRecord::restore(m_undoneRecord);
        return failures;
    }

    Session& openSession()
    {
        if (!m_session)
            m_session.emplace(hivePath());
        return *m_session;
    }

    const QString m_catalogueFile;
    const DesktopNotifier m_notifier;
    std::optional<Session> m_session;
    QString m_recordFile;
    QString m_undoneRecord;
};

} // namespace

std::unique_ptr<ClassesRoot> openClassesRoot(const QString& catalogueFile, DesktopNotifier notifier)
{
    return std::make_unique<HiveClassesRoot>(
        catalogueFile.isEmpty() ? Fileini::cataloguePath(programDirectory()) : catalogueFile, std::move(notifier));
}

QString classesRootName()
{
    return registry::RegistryHive::ClassesRootName;
}

QString backupFolder()
{
    return zelvaneDataFolder() + QStringLiteral("/backups");
}

} // namespace platform
