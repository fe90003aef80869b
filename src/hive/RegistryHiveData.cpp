// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The classes hive's keys, kept in step with the lines of its file.
#include "hive/RegistryHiveData.h"

#include <algorithm>
#include <utility>

namespace registry {
namespace {

bool isCommentOrBlank(const QStringList& entry)
{
    return entry.size() == 1 && RegFileLines::isBlankOrComment(entry.first());
}

} // namespace

bool RegistryHive::Data::isAtOrBelow(const QString& foldedPath, const QString& foldedKey)
{
    return foldedPath == foldedKey || foldedPath.startsWith(foldedKey + QLatin1Char('\\'));
}

const RegistryHive::Data::Key* RegistryHive::Data::find(const QString& path) const
{
    const auto it = positions.constFind(folded(path));
    return it == positions.cend() ? nullptr : &keys[*it];
}

RegistryHive::Data::Key& RegistryHive::Data::create(const QString& path, bool isNew)
{
    std::size_t position = 0;
    for (qsizetype start = 0, end = 0; !path.isEmpty() && end >= 0; start = end + 1) {
        end = path.indexOf(QLatin1Char('\\'), start);
        const QString key = folded(path.left(end < 0 ? path.size() : end));
        if (const auto it = positions.constFind(key); it != positions.cend()) {
            position = *it;
            continue;
        }
        const QString parent = keys[position].path;
        const QString level = path.mid(start, end < 0 ? -1 : end - start);
        position = keys.size();
        positions.insert(key, position);
        keys.push_back({parent.isEmpty() ? level : parent + QLatin1Char('\\') + level, key,
                        {}, NoLine, NoLine, isNew, false, {}, {}});
    }
    return keys[position];
}

void RegistryHive::Data::remove(const QString& path)
{
    if (path.isEmpty())
        return;
    const QString key = folded(path);
    std::erase_if(keys, [&](const Key& k) { return isAtOrBelow(k.folded, key); });
    positions.clear();
    for (std::size_t i = 0; i < keys.size(); ++i)
        positions.insert(keys[i].folded, i);
}

std::optional<QString> RegistryHive::Data::pathOf(const RegFileLines::KeyLine& line) const
{
    const std::optional<QString> path = RegFileLines::pathBelow(root, line.name);
    return path && isValidKeyPath(*path) ? path : std::nullopt;
}

qsizetype RegistryHive::Data::linesAbove(qsizetype index) const
{
    qsizetype count = 0;
    while (index - count > 0 && isCommentOrBlank(lines[std::size_t(index - count - 1)]))
        ++count;
    return count;
}

std::vector<std::optional<QString>> RegistryHive::Data::sections() const
{
    std::vector<std::optional<QString>> result;
    std::optional<QString> current;
    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
        const std::optional<RegFileLines::KeyLine> line = RegFileLines::keyLineOf(lines[std::size_t(i)].first());
        if (line) {
            const std::optional<QString> path = pathOf(*line);
            current = path && !line->deletion ? std::optional(folded(*path)) : std::nullopt;
            std::fill(result.end() - linesAbove(i), result.end(), current);
        }
        result.push_back(current);
    }
    std::fill(result.end() - linesAbove(qsizetype(lines.size())), result.end(), std::nullopt);
    return result;
}

qsizetype RegistryHive::Data::placedAbove(const Key& key) const
{
    const Key* next = key.before.isEmpty() ? nullptr : find(key.before);
    return next && next->keyLine != NoLine ? next->keyLine - linesAbove(next->keyLine) : -1;
}

QStringList RegistryHive::Data::section(const Key& key) const
{
    QStringList result {keyLine(root, key.path)};
    if (const std::optional<platform::RegistryValue> value = key.value.stored())
        result += valueLines(value);
    return result;
}

void RegistryHive::Data::dropLines(const std::vector<bool>& drop)
{
    std::vector<qsizetype> moved(lines.size(), NoLine);
    std::vector<QStringList> kept;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (drop[i])
            continue;
        moved[i] = qsizetype(kept.size());
        kept.push_back(std::move(lines[i]));
    }
    lines = std::move(kept);
    for (Key& key : keys) {
        key.keyLine = key.keyLine == NoLine ? NoLine : moved[std::size_t(key.keyLine)];
        key.valueLine = key.valueLine == NoLine ? NoLine : moved[std::size_t(key.valueLine)];
    }
}

void RegistryHive::Data::read(qsizetype index, std::optional<QString>* section)
{
    const QStringList& entry = lines[std::size_t(index)];
    if (const std::optional<RegFileLines::KeyLine> line = RegFileLines::keyLineOf(entry.first())) {
        section->reset();
        const std::optional<QString> path = pathOf(*line);
        if (!path)
            return; // a key the registry cannot create: its values are not read either
        if (line->deletion) {
            remove(*path);
            deletions.append(*path);
            return;
        }
        create(*path, false).keyLine = index;
        *section = *path;
        return;
    }
    const std::optional<QString> data = RegFileLines::defaultData(entry);
    if (!*section || !data)
        return;
    if (const auto value = DefaultValue::read(*data)) {
        Key& key = keys[positions.value(folded(**section))];
        key.value = *value;
        key.valueLine = index;
    }
}

} // namespace registry
