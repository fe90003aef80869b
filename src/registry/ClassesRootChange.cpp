// One change of the classes root, made the same way by the wizard and the command line: what it
// is about to replace saved first as a backup, then its writes, then the desktop told.
#include "registry/ClassesRootChange.h"

#include "registry/BackupFolder.h"
#include "registry/KeyWriter.h"

namespace registry {

ClassesRootChange::ClassesRootChange(platform::ClassesRoot& root, QString action)
    : m_root(root)
    , m_action(std::move(action))
    , m_backup(root)
{
}

bool ClassesRootChange::backUp(const QStringList& keys, const QStringList& trees, const QDateTime& now)
{
    platform::ClassesRootFailure failure;
    bool read = true;
    for (const QString& tree : trees)
        read = read && m_backup.addDeletedTree(tree, &failure);
    for (const QString& key : keys)
        read = read && m_backup.addChangedKey(key, &failure);
    if (read) {
        const QString time = now.toUTC().toString(Qt::ISODate);
        const QByteArray text = m_backup.text(
            {QStringLiteral("What Zelvane's %1 of %2 replaced: import this file to put it back.").arg(m_action, time),
             QStringLiteral("Ce que « %1 » de Zelvane a remplacé le %2 : importez ce fichier pour le remettre.")
                 .arg(m_action, time)});
        if (const auto saved = BackupFolder(platform::backupFolder()).save(text, m_action, now, &failure)) {
            m_backupFile = *saved;
            return true;
        }
    }
    // An unreadable classes root says why, which includes the failed read.
    const QList<platform::ClassesRootFailure> why = m_root.endReading();
    m_failures += why.isEmpty() ? QList<platform::ClassesRootFailure> {failure} : why;
    return false;
}

void ClassesRootChange::write(const QString& key, const QString& data)
{
    if (const auto failure = KeyWriter::write(m_root, key, data))
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

void ClassesRootChange::finish(const QStringList& classNames)
{
    m_failures += m_root.finishWrites(classNames);
}

} // namespace registry
