// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a change of the classes root is about to replace, read before the change, as a .reg file
// that puts it back when imported.
#include "associations/ChangeBackup.h"

#include "associations/KeyWriter.h"
#include "hive/RegistryHive.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace registry {

namespace {

const QString kBefore = QStringLiteral("before ");
const QString kAtTheEnd = QStringLiteral("at the end");

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
    *entry = Entry {.path = path};
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
            add({.path = level, .deletion = true});
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
    add({.path = path, .deletion = true, .inTree = true});
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
    entry.inTree = true;
    entry.above = m_root.readLinesAbove(path);
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

QString ChangeBackup::placeComment(const QString& next)
{
    return QStringLiteral("; ") + (next.isEmpty() ? kAtTheEnd : kBefore + next);
}

std::optional<QString> ChangeBackup::placeOf(const QStringList& linesAbove)
{
    const QString comment = linesAbove.isEmpty() ? QString() : linesAbove.last().trimmed();
    if (!comment.startsWith(QLatin1Char(';')))
        return std::nullopt;
    const QString text = comment.mid(1).trimmed();
    if (text == kAtTheEnd)
        return QString();
    return text.startsWith(kBefore) ? std::optional(text.mid(kBefore.size())) : std::nullopt;
}

QStringList ChangeBackup::handWrittenLines(const QStringList& linesAbove)
{
    return linesAbove.mid(0, linesAbove.size() - 1);
}

// The deletions of the trees, then their keys in the order the classes root keeps, each with the
// first key after it that stays; then the changed keys. Put back in that order, each before the
// key it stood before, the keys of a tree stand where they stood.
std::vector<ChangeBackup::Entry> ChangeBackup::inRestoreOrder() const
{
    const QStringList order = m_root.readKeyOrder();
    QHash<QString, qsizetype> positions;
    for (qsizetype i = 0; i < order.size(); ++i)
        positions.insert(order[i].toCaseFolded(), i);
    QSet<QString> deleted;
    std::vector<Entry> deletions, keys, changed;
    for (const Entry& entry : m_entries) {
        (!entry.inTree ? changed : entry.deletion ? deletions : keys).push_back(entry);
        if (entry.inTree && !entry.deletion)
            deleted.insert(entry.path.toCaseFolded());
    }
    // A level without a line of its own in the file goes with the first key after it, below it.
    std::vector<std::pair<qsizetype, Entry>> placed;
    qsizetype next = order.size();
    for (auto key = keys.crbegin(); key != keys.crend(); ++key) {
        next = positions.value(key->path.toCaseFolded(), next);
        placed.insert(placed.begin(), {next, *key});
    }
    std::ranges::stable_sort(placed, {}, &std::pair<qsizetype, Entry>::first);
    for (auto& [position, key] : placed) {
        const QStringList after = order.mid(position + 1);
        const auto kept = std::ranges::find_if(after, [&](const QString& path) { return !deleted.contains(path.toCaseFolded()); });
        if (kept != after.cend())
            key.before = *kept;
        deletions.push_back(key);
    }
    deletions.insert(deletions.end(), changed.cbegin(), changed.cend());
    return deletions;
}

QByteArray ChangeBackup::text(const QStringList& comments) const
{
    const QString root = platform::classesRootName();
    QStringList lines {QStringLiteral("Windows Registry Editor Version 5.00")};
    for (const QString& comment : comments)
        lines << QStringLiteral("; ") + comment;
    for (const Entry& entry : inRestoreOrder()) {
        // The lines a placed key had above it stand in for the blank line between sections; a
        // key that goes back at the end is placed there only when those are not that blank line.
        const bool placed = !entry.before.isEmpty() || (entry.above && *entry.above != QStringList {QString()});
        lines << (placed && entry.above ? *entry.above : QStringList {QString()});
        if (placed)
            lines << placeComment(entry.before);
        lines << RegistryHive::keyLine(root, entry.path, entry.deletion);
        // A key without a value gets one line that deletes any value the change gave it.
        if (!entry.deletion)
            lines << RegistryHive::valueLines(entry.stored);
    }
    return RegistryHive::fileBytes(lines << QString());
}

} // namespace registry
