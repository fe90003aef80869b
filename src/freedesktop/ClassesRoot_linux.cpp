// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The classes root on Linux: a per-user hive file in the registry-export format, published to the
// desktop through the freedesktop.org standards after each sequence of writes.
#include "platform/ClassesRoot.h"

#include "catalogue/Fileini.h"
#include "platform/ProgramFiles.h"
#include "freedesktop/ChangeJournal.h"
#include "freedesktop/DesktopCheck.h"
#include "freedesktop/DesktopPublisher.h"
#include "freedesktop/DesktopRecord.h"
#include "hive/HiveFile.h"
#include "hive/RegistryHive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

    void placeKey(const QString& path, const QString& next, const std::optional<QStringList>& above) override
    {
        openSession().hive.placeBefore(path, next, above);
    }

    std::optional<QStringList> readLinesAbove(const QString& path) override
    {
        const Session& session = openSession();
        return session.readable ? session.hive.linesAbove(path) : std::nullopt;
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
            // The hive file an undone change created goes when the undo leaves it nothing to hold.
            const bool removed = !m_undoneRecord.isEmpty() && session.hive.holdsNothing()
                && registry::DesktopRecord::createdBesideOf(m_undoneRecord).contains(hivePath());
            const QByteArray hash = removed ? ChangeJournal::AbsentFile : ChangeJournal::hashOf(session.hive.serialize());
            ChangeJournal::Entry change {m_backups, hash, classNames, m_recordFile, std::nullopt, m_undoneRecord, m_created};
            if (!m_notifier && !m_recordFile.isEmpty()) {
                change.record = registry::DesktopRecord::before(session.hive, classNames);
                change.record->noteCreatedBeside(m_created);
            }
            if (session.file.held())
                ChangeJournal(hivePath()).write(change);
            removed ? session.file.remove() : session.file.save(session.hive);
            failures = session.file.failures();
            // The desktop is told even when the file could not be saved: the associations of
            // this run still work, and the user has been told why they were not kept.
            failures += tell(session.hive, change);
        }
        endSession();
        return failures;
    }

    void recordDesktopIn(const QString& recordFile, const QString& backupFile) override
    {
        m_recordFile = recordFile;
        m_backups = {backupFile, recordFile};
        for (const QString& path : {hivePath(), QFileInfo(backupFile).absolutePath()}) {
            if (!QFileInfo::exists(path))
                m_created << path;
        }
        // Written before the backup, so that no backup is left of a change killed before its hive.
        if (openSession().file.held())
            ChangeJournal(hivePath()).write({m_backups, {}, {}, {}, std::nullopt, {}, m_created});
    }
    void undoDesktopWith(const QString& recordFile) override { m_undoneRecord = recordFile; }
    QStringList foldersCreatedBy(const QString& recordFile) override
    {
        QStringList folders = registry::DesktopRecord::createdBesideOf(recordFile);
        folders.removeAll(hivePath());
        return folders;
    }

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
        endSession();
        return failures;
    }

private:
    using ChangeJournal = registry::ChangeJournal;

    // One sequence of writes: the hive as the file held it when the sequence began. When the
    // file cannot be read, the writes still go to an empty hive, to answer them with their
    // statuses, but that hive is never saved.
    struct Session {
        explicit Session(const QString& path)
            : file(path)
        {
            std::optional<registry::RegistryHive> stored = file.load();
            if (stored) {
                readable = true;
                hive = std::move(*stored);
            }
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

    // Tells the desktop of the change's classes: publishes, keeping what it alters of the desktop
    // when asked to, or giving back what the undone change altered.
    QList<Failure> tell(const registry::RegistryHive& hive, const ChangeJournal::Entry& change)
    {
        if (m_notifier)
            return m_notifier(change.classNames);
        QList<Failure> failures = publish(hive, change.classNames, m_catalogueFile);
        if (change.record) {
            if (const auto failure = change.record->save(change.recordFile))
                failures << *failure;
        }
        if (!change.undoneRecord.isEmpty())
            failures += registry::DesktopRecord::restore(change.undoneRecord);
        return failures;
    }

    Session& openSession()
    {
        if (!m_session) {
            m_session.emplace(hivePath());
            if (m_session->file.held())
                completeKilledChange(*m_session);
        }
        return *m_session;
    }

    // A change that left its journal was killed: when the hive holds what it saved, the change
    // happened and its publishing is done again; otherwise it did not, and its backup goes.
    // What goes wrong is not told: the user asked for something else, and publishing again
    // meets what the killed change would have met.
    void completeKilledChange(const Session& session)
    {
        const ChangeJournal journal(hivePath());
        const std::optional<ChangeJournal::Entry> change = journal.read();
        if (!change)
            return;
        const bool saved = session.readable && !change->hiveHash.isEmpty() && journal.hashOfHive() == change->hiveHash;
        if (saved) {
            removeToolLeftovers();
            tell(session.hive, *change);
        } else {
            for (const QString& backup : change->backups)
                QFile::remove(backup);
            // The hive file a change created is only saved with it: what is left is its folder.
            for (const QString& folder : change->created)
                QDir().rmdir(folder);
        }
        journal.remove();
    }

    // update-desktop-database killed with the change leaves its temporary file under a name no
    // later run reuses; the other tools' temporary files are taken up by their next run.
    static void removeToolLeftovers()
    {
        const QString applications
            = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/applications");
        const QStringList names
            = QDir(applications).entryList({QStringLiteral(".mimeinfo.cache.??????")}, QDir::Files | QDir::Hidden);
        for (const QString& name : names)
            QFile::remove(applications + QLatin1Char('/') + name);
    }

    // Ends the sequence, which leaves no change under way, and lets the hive go.
    void endSession()
    {
        if (m_session && m_session->file.held())
            ChangeJournal(hivePath()).remove();
        m_session.reset();
        m_recordFile.clear();
        m_undoneRecord.clear();
        m_backups.clear();
        m_created.clear();
    }

    const QString m_catalogueFile;
    const DesktopNotifier m_notifier;
    std::optional<Session> m_session;
    QString m_recordFile;
    QString m_undoneRecord;
    QStringList m_backups;
    QStringList m_created; // what the change creates beside the hive: the file, the backups' folder
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
