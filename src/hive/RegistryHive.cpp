// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user classes hive: its keys read from, changed in and written back to its .reg file.
#include "hive/RegistryHive.h"

#include "hive/RegFileText.h"
#include "hive/RegistryHiveData.h"
#include "platform/Failure.h"

#include <QHash>
#include <algorithm>
#include <utility>
#include <vector>

namespace registry {
namespace {

constexpr qsizetype kMaxKeyNameLength = 255;

// Whether a line sets or deletes the default value of the key whose section it is in.
bool setsDefaultValue(const QStringList& entry)
{
    const std::optional<QString> data = RegFileLines::defaultData(entry);
    return data && DefaultValue::read(*data).has_value();
}

} // namespace

RegistryHive::RegistryHive(const QString& root)
    : d(std::make_unique<Data>())
{
    d->root = root;
}

RegistryHive::~RegistryHive() = default;

RegistryHive::RegistryHive(const RegistryHive& other)
    : d(std::make_unique<Data>(*other.d))
{
}

RegistryHive& RegistryHive::operator=(const RegistryHive& other)
{
    *d = *other.d;
    return *this;
}

RegistryHive::RegistryHive(RegistryHive&& other) noexcept
    : d(std::exchange(other.d, std::make_unique<Data>()))
{
    other.d->root = d->root;
}

RegistryHive& RegistryHive::operator=(RegistryHive&& other) noexcept
{
    std::swap(d, other.d);
    return *this;
}

bool RegistryHive::isValidKeyPath(const QString& path)
{
    if (path.isEmpty())
        return true;
    if (!RegFileText::isStorableText(path))
        return false;
    const QStringList levels = path.split(QLatin1Char('\\'));
    return std::all_of(levels.cbegin(), levels.cend(), [](const QString& level) {
        return !level.isEmpty() && level.size() <= kMaxKeyNameLength;
    });
}

bool RegistryHive::isStorableData(const QString& data)
{
    return RegFileText::isStorableText(data);
}

bool RegistryHive::createKey(const QString& path)
{
    if (!isValidKeyPath(path))
        return false;
    d->create(path, true);
    return true;
}

bool RegistryHive::setDefaultValue(const QString& path, const QString& data)
{
    if (!isStorableData(data) || !isValidKeyPath(path))
        return false;
    Data::Key& key = d->create(path, true);
    key.value = {data, std::nullopt};
    key.valueChanged = true;
    return true;
}

bool RegistryHive::setStoredValue(const QString& path, const platform::RegistryValue& value)
{
    if (const std::optional<QString> text = DefaultValue::textOf(value))
        return setDefaultValue(path, *text);
    if (!isValidKeyPath(path))
        return false;
    Data::Key& key = d->create(path, true);
    key.value = {std::nullopt, value};
    key.valueChanged = true;
    return true;
}

bool RegistryHive::deleteKey(const QString& path)
{
    if (path.isEmpty() || !d->find(path))
        return false;
    const QString key = Data::folded(path);
    const std::vector<std::optional<QString>> sections = d->sections();
    std::vector<bool> drop(sections.size());
    for (std::size_t i = 0; i < sections.size(); ++i)
        drop[i] = sections[i] && Data::isAtOrBelow(*sections[i], key);
    d->dropLines(drop);
    d->remove(path);
    return true;
}

bool RegistryHive::deleteDefaultValue(const QString& path)
{
    const Data::Key* found = d->find(path);
    if (!found)
        return false;
    // Every line that sets the value goes: one left in an earlier section would bring it back.
    const QString key = Data::folded(path);
    const std::vector<std::optional<QString>> sections = d->sections();
    std::vector<bool> drop(sections.size());
    for (std::size_t i = 0; i < sections.size(); ++i)
        drop[i] = sections[i] == key && setsDefaultValue(d->lines[i]);
    d->dropLines(drop);
    Data::Key& changed = d->keys[d->positions.value(key)];
    changed.value = {};
    changed.valueChanged = false;
    return true;
}

bool RegistryHive::hasKey(const QString& path) const
{
    return d->find(path) != nullptr;
}

bool RegistryHive::holdsNothing() const
{
    const auto blank = [](const QStringList& entry) { return entry.size() == 1 && entry.first().trimmed().isEmpty(); };
    return d->keys.size() == 1 && !d->keys.front().value.stored() && d->header == RegFileLines::Header
        && std::ranges::all_of(d->lines, blank);
}

bool RegistryHive::definesDefaultValue(const QString& path) const
{
    const Data::Key* key = d->find(path);
    return key && (key->valueLine != Data::NoLine || key->valueChanged);
}

QStringList RegistryHive::deletedKeys() const
{
    return d->deletions;
}

QStringList RegistryHive::keysInFileOrder() const
{
    std::vector<const Data::Key*> inFile;
    QStringList created;
    for (const Data::Key& key : d->keys) {
        if (key.keyLine != Data::NoLine)
            inFile.push_back(&key);
        else if (key.isNew || key.valueChanged)
            created.append(key.path);
    }
    std::ranges::sort(inFile, {}, &Data::Key::keyLine);
    QStringList paths;
    for (const Data::Key* key : inFile)
        paths.append(key->path);
    return paths + created;
}

std::optional<QStringList> RegistryHive::linesAbove(const QString& path) const
{
    const Data::Key* key = d->find(path);
    if (!key || key->keyLine == Data::NoLine)
        return std::nullopt;
    QStringList lines;
    for (qsizetype i = key->keyLine - d->linesAbove(key->keyLine); i < key->keyLine; ++i)
        lines.append(d->lines[std::size_t(i)].first());
    return lines;
}

void RegistryHive::placeBefore(const QString& path, const QString& next, const std::optional<QStringList>& above)
{
    const Data::Key* anchor = d->find(next);
    const auto it = d->positions.constFind(Data::folded(path));
    if ((!next.isEmpty() && (!anchor || anchor->keyLine == Data::NoLine)) || it == d->positions.cend()
        || d->keys[*it].keyLine != Data::NoLine || !d->keys[*it].isNew)
        return;
    d->keys[*it].before = next.isEmpty() ? QString() : anchor->folded;
    d->keys[*it].above = above;
}

std::optional<QString> RegistryHive::defaultValue(const QString& path) const
{
    const Data::Key* key = d->find(path);
    return key ? key->value.text : std::nullopt;
}

std::optional<platform::RegistryValue> RegistryHive::storedValue(const QString& path) const
{
    const Data::Key* key = d->find(path);
    return key ? key->value.stored() : std::nullopt;
}

QStringList RegistryHive::subkeys(const QString& path) const
{
    if (!hasKey(path))
        return {};
    const QString prefix = path.isEmpty() ? QString() : Data::folded(path) + QLatin1Char('\\');
    QStringList names;
    for (auto key = d->keys.cbegin() + 1; key != d->keys.cend(); ++key) {
        if (key->folded.startsWith(prefix) && !QStringView(key->folded).sliced(prefix.size()).contains(QLatin1Char('\\')))
            names.append(key->path.mid(prefix.size()));
    }
    return names;
}

QByteArray RegistryHive::serialize() const
{
    // A value written since the file was read replaces the line that set it, or follows the line
    // that opens its key.
    QHash<qsizetype, const Data::Key*> replacing;
    QHash<qsizetype, const Data::Key*> following;
    QHash<qsizetype, QList<const Data::Key*>> placed; // by the entry they are written above
    for (const Data::Key& key : d->keys) {
        if (key.valueChanged && key.valueLine != Data::NoLine)
            replacing.insert(key.valueLine, &key);
        else if (key.valueChanged && key.keyLine != Data::NoLine)
            following.insert(key.keyLine, &key);
        else if (const qsizetype above = d->placedAbove(key); above >= 0)
            placed[above].append(&key);
    }
    // The comment and blank lines that end the file stay at its end, below the keys written
    // later, so that deleting those keys gives the file back as it was.
    const qsizetype end = qsizetype(d->lines.size()) - d->linesAbove(qsizetype(d->lines.size()));
    QStringList lines {d->header};
    for (qsizetype i = 0; i < end; ++i) {
        for (const Data::Key* key : placed.value(i))
            lines << key->above.value_or(QStringList {QString()}) << d->section(*key);
        if (const Data::Key* key = replacing.value(i))
            lines += valueLines(key->value.stored());
        else
            lines += d->lines[std::size_t(i)];
        if (const Data::Key* key = following.value(i))
            lines += valueLines(key->value.stored());
    }
    // Other new keys and values go to sections of their own, each after a blank line as the
    // registry editor writes them, or after the lines a key put back had above it.
    for (const Data::Key& key : d->keys) {
        if (key.keyLine != Data::NoLine || !(key.isNew || key.valueChanged) || d->placedAbove(key) >= 0)
            continue;
        lines << key.above.value_or(QStringList {QString()}) << d->section(key);
    }
    for (qsizetype i = end; i < qsizetype(d->lines.size()); ++i)
        lines += d->lines[std::size_t(i)];
    return RegFileText::fileBytes(lines, d->endsWithLineBreak);
}

QString RegistryHive::keyLine(const QString& root, const QString& path, bool deletion)
{
    return QLatin1String(deletion ? "[-" : "[") + root
        + (path.isEmpty() ? QString() : QLatin1Char('\\') + path) + QLatin1Char(']');
}

QStringList RegistryHive::valueLines(const std::optional<platform::RegistryValue>& value)
{
    return DefaultValue::lines(value);
}

QByteArray RegistryHive::fileBytes(const QStringList& lines)
{
    return RegFileText::fileBytes(lines);
}

std::optional<RegistryHive> RegistryHive::parse(const QByteArray& bytes, ReadError* error,
                                                const QString& root)
{
    const auto fail = [error](qsizetype line, const platform::Failure& why) {
        if (error)
            *error = {line, why.english, why.french};
        return std::nullopt;
    };
    bool cut = false;
    QStringList lines = RegFileText::linesOf(RegFileText::decoded(bytes, &cut));
    const QString header = lines.first().trimmed();
    if (header != RegFileLines::Header && header != RegFileLines::OldHeader)
        return fail(1, platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "the first line is neither \"%1\" nor \"%2\""))
                           .arg(RegFileLines::Header, RegFileLines::OldHeader));
    if (cut)
        return fail(lines.size(), platform::Failure::translated(
                                      QT_TRANSLATE_NOOP("Failure", "the file ends in the middle of a UTF-16 character")));
    // The header is a line of its own, so an empty last line is the end of the one before.
    const bool endsWithLineBreak = lines.last().isEmpty();
    if (endsWithLineBreak)
        lines.removeLast();

    RegistryHive hive(root);
    Data& data = *hive.d;
    data.header = header;
    data.endsWithLineBreak = endsWithLineBreak;
    data.lines.clear();
    std::optional<QString> section;
    for (qsizetype n = 1; n < lines.size(); ++n) {
        QStringList entry {lines[n]};
        if (RegFileLines::continuesOnNextLine(lines[n])) {
            while (n + 1 < lines.size() && RegFileLines::endsWithBackslash(entry.last()))
                entry += lines[++n];
        }
        data.lines.push_back(std::move(entry));
        data.read(qsizetype(data.lines.size()) - 1, &section);
    }
    return hive;
}

} // namespace registry
