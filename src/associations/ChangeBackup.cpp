// What a change of the classes root is about to replace, read before the change, as a .reg file
// that puts it back when imported.
#include "associations/ChangeBackup.h"

#include "associations/KeyWriter.h"
#include "hive/RegistryHive.h"

namespace registry {

namespace {

QString joined(const QString& parent, const QString& name)
{
    return parent.isEmpty() ? name : parent + QLatin1Char('\\') + name;
}

} // namespace

ChangeBackup::ChangeBackup(platform::ClassesRoot& root)
    : m_root(root)
{
}

std::optional<bool> ChangeBackup::read(const QString& path, Entry* entry, platform::Failure* failure) const
{
    *entry = {path, false, std::nullopt, std::nullopt};
    long status = m_root.readDefaultValue(path, &entry->value);
    if (status == platform::StatusSuccess)
        status = m_root.readStoredDefaultValue(path, &entry->stored);
    if (status == platform::StatusFileNotFound)
        return false;
    if (status == platform::StatusSuccess)
        return true;
    *failure = KeyWriter::readFailure(path, status);
    return std::nullopt;
}

void ChangeBackup::add(Entry entry)
{
    for (const Entry& other : m_entries) {
        if (other.deletion == entry.deletion && other.path.compare(entry.path, Qt::CaseInsensitive) == 0)
            return;
    }
    m_entries.push_back(std::move(entry));
}

bool ChangeBackup::addChangedKey(const QString& path, platform::Failure* failure)
{
    // The first level that does not exist goes on undo, with everything the change creates below.
    const QStringList levels = path.split(QLatin1Char('\\'));
    QString level;
    for (const QString& name : levels) {
        level = joined(level, name);
        Entry entry;
        const std::optional<bool> exists = read(level, &entry, failure);
        if (!exists)
            return false;
        if (!*exists) {
            add({level, true, std::nullopt, std::nullopt});
            return true;
        }
        if (level == path)
            add(entry);
    }
    return true;
}

bool ChangeBackup::addDeletedTree(const QString& path, platform::Failure* failure)
{
    Entry entry;
    const std::optional<bool> exists = read(path, &entry, failure);
    if (!exists)
        return false;
    if (!*exists)
        return true;
    // Deleted first, the tree comes back as it was, whatever was put there since.
    add({path, true, std::nullopt, std::nullopt});
    return addTreeKeys(path, failure);
}

bool ChangeBackup::addTreeKeys(const QString& path, platform::Failure* failure)
{
    Entry entry;
    QStringList names;
    if (!read(path, &entry, failure))
        return false;
    if (const long status = m_root.readSubkeys(path, &names); status != platform::StatusSuccess) {
        *failure = KeyWriter::readFailure(path, status);
        return false;
    }
    add(entry);
    for (const QString& name : names) {
        if (!addTreeKeys(joined(path, name), failure))
            return false;
    }
    return true;
}

std::optional<QString> ChangeBackup::previousValue(const QString& path) const
{
    for (const Entry& entry : m_entries) {
        if (!entry.deletion && entry.path.compare(path, Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    return std::nullopt;
}

QByteArray ChangeBackup::text(const QStringList& comments) const
{
    const QString root = platform::classesRootName();
    QStringList lines {QStringLiteral("Windows Registry Editor Version 5.00")};
    for (const QString& comment : comments)
        lines << QStringLiteral("; ") + comment;
    for (const Entry& entry : m_entries) {
        lines << QString() << RegistryHive::keyLine(root, entry.path, entry.deletion);
        // A key without a value gets one line that deletes any value the change gave it.
        if (!entry.deletion)
            lines << RegistryHive::valueLines(entry.stored);
    }
    return RegistryHive::fileBytes(lines << QString());
}

} // namespace registry
