// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One change of the classes root, made the same way by the wizard and the command line: what it
// is about to replace saved first as a backup, then its writes, then the desktop told.
#include "associations/ClassesRootChange.h"

#include "associations/BackupFolder.h"
#include "associations/KeyWriter.h"

namespace registry {

ClassesRootChange::ClassesRootChange(platform::ClassesRoot& root, QString action)
    : m_root(root)
    , m_action(std::move(action))
    , m_backup(root)
{
}

bool ClassesRootChange::backUp(const QStringList& keys, const QStringList& trees, const QDateTime& now)
{
    platform::Failure failure;
    bool read = true;
    for (const QString& tree : trees)
        read = read && m_backup.addDeletedTree(tree, &failure);
    for (const QString& key : keys)
        read = read && m_backup.addChangedKey(key, &failure);
    if (read) {
        const QString time = now.toUTC().toString(Qt::ISODate);
        // The backup's comment speaks both languages, whoever imports it.
        const platform::Failure comment = platform::Failure::translated(
            QT_TRANSLATE_NOOP("Failure", "What Zelvane's %1 of %2 replaced: import this file to put it back."))
                                              .arg(m_action, time);
        const QByteArray text = m_backup.text({comment.english, comment.french});
        const BackupFolder folder(platform::backupFolder());
        const QString path = folder.nextBackup(m_action, now);
        m_root.recordDesktopIn(BackupFolder::desktopRecordOf(path), path);
        if (folder.save(path, text, &failure)) {
            m_backupFile = path;
            return true;
        }
    }
    // An unreadable classes root says why, which includes the failed read.
    const QList<platform::Failure> why = m_root.endReading();
    m_failures += why.isEmpty() ? QList<platform::Failure> {failure} : why;
    return false;
}

void ClassesRootChange::write(const QString& key, const QString& data)
{
    if (const auto failure = KeyWriter::write(m_root, key, data))
        m_failures.append(*failure);
}

void ClassesRootChange::write(const QString& key, const platform::RegistryValue& value)
{
    if (const auto failure = KeyWriter::write(m_root, key, value))
        m_failures.append(*failure);
}

void ClassesRootChange::create(const QString& key)
{
    if (const auto failure = KeyWriter::create(m_root, key))
        m_failures.append(*failure);
}

void ClassesRootChange::deleteTree(const QString& key)
{
    if (const auto failure = KeyWriter::deleteTree(m_root, key))
        m_failures.append(*failure);
}

void ClassesRootChange::deleteValue(const QString& key)
{
    if (const auto failure = KeyWriter::deleteValue(m_root, key))
        m_failures.append(*failure);
}

void ClassesRootChange::noteTakenExtensions(const QList<PlannedWrite>& writes)
{
    const auto warn = [this](const platform::Failure& warning) {
        if (!m_warnings.contains(warning))
            m_warnings.append(warning);
    };
    QStringList extensions;
    QStringList classes;
    for (const PlannedWrite& write : writes) {
        const std::optional<QString> before = previousValue(write.key);
        if (!write.key.startsWith(QLatin1Char('.')) || write.data.isEmpty()
            || (before && before->compare(write.data, Qt::CaseInsensitive) == 0))
            continue;
        if (before && !before->isEmpty()) {
            warn(platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "The extension \"%1\" was taken from the class \"%2\": its files now belong to "
                                 "the class \"%3\".")).arg(write.key, *before, write.data));
            continue;
        }
        extensions << write.key.mid(1);
        classes << write.data;
    }
    const QList<platform::ExtensionClaim> claims = m_root.claimsOf(extensions);
    for (qsizetype i = 0; i < claims.size(); ++i) { // one claim for each extension
        if (claims[i].type.isEmpty())
            continue;
        // The desktop still offers the applications of the type: only the default changes.
        const QString separator = QStringLiteral(", ");
        const platform::Failure applications {claims[i].applications.join(separator),
                                              claims[i].frenchApplications.join(separator)};
        warn(platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "The extension \".%1\" now opens by default with the "
                                                                        "class \"%2\" instead of %3 (type %4), which \"Open "
                                                                        "With\" still offers."))
                 .arg(extensions[i], classes[i], applications, claims[i].type));
    }
}

void ClassesRootChange::finish(const QStringList& classNames)
{
    m_failures += m_root.finishWrites(classNames);
    for (const platform::ClassCheck& check : m_root.checkClasses(classNames))
        m_warnings += check.problems;
}

} // namespace registry
