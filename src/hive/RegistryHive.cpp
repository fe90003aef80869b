// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user classes hive and its .reg file.
#include "hive/RegistryHive.h"

#include "catalogue/AnsiText.h"

#include <QHash>
#include <QRegularExpression>
#include <QtEndian>
#include <algorithm>
#include <utility>
#include <vector>

namespace registry {
namespace {

const QString kHeader = QStringLiteral("Windows Registry Editor Version 5.00");
const QString kOldHeader = QStringLiteral("REGEDIT4");
const QString kCrLf = QStringLiteral("\r\n");
constexpr qsizetype kMaxKeyNameLength = 255;
// The registry editor continues a line of hex data once it is this long.
constexpr qsizetype kHexLineLength = 77;

// Registry names ignore letter case; folding the whole path compares every level that way.
QString folded(const QString& path)
{
    return path.toCaseFolded();
}

// Text a line of the file can hold and that stays the same text through UTF-16 and UTF-8.
bool isStorableText(const QString& text)
{
    return !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QChar(u'\0')) && text.isValidUtf16();
}

// UTF-16LE read and written unit by unit, so that nothing in it changes, half a surrogate pair
// included; a last byte without its pair is left out.
QString utf16Text(QByteArrayView bytes)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(qFromLittleEndian<quint16>(bytes.data() + 2 * i));
    return text;
}

QByteArray utf16Bytes(const QString& text)
{
    QByteArray bytes(2 * text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<quint16>(text[i].unicode(), bytes.data() + 2 * i);
    return bytes;
}

// Version-5 files as the registry editor writes them are UTF-16LE with a byte-order mark; the
// hives of earlier versions of this program are UTF-8, and REGEDIT4 files are ANSI. `cut` tells
// a UTF-16 text whose last unit is cut in half.
QString decoded(const QByteArray& bytes, bool* cut)
{
    if (!bytes.startsWith("\xFF\xFE"))
        return AnsiText::decode(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
    *cut = bytes.size() % 2 != 0;
    return utf16Text(QByteArrayView(bytes).sliced(2));
}

// The lines of a text, split at CRLF, LF or a lone CR as the registry editor splits them; the
// text after the last line end is one more line. (A regular expression would refuse text that
// holds half a surrogate pair.)
QStringList linesOf(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n'))
            continue;
        lines += text.mid(start, i - start);
        if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    return lines << text.mid(start);
}

qsizetype afterBlanks(const QString& line, qsizetype from)
{
    while (from < line.size() && (line[from] == QLatin1Char(' ') || line[from] == QLatin1Char('\t')))
        ++from;
    return from;
}

// Nothing but blanks or a comment.
bool isBlankOrComment(QStringView rest)
{
    rest = rest.trimmed();
    return rest.isEmpty() || rest.startsWith(QLatin1Char(';'));
}

bool endsWithBackslash(const QString& line)
{
    return QStringView(line).trimmed().endsWith(QLatin1Char('\\'));
}

// A key line "[NAME]" or deletion line "[-NAME]". As the registry editor reads it, the name ends
// at the last ']' of the line and a blank right after '[' makes no key line.
struct KeyLine {
    bool deletion = false;
    QString name;
};

std::optional<KeyLine> keyLineOf(const QString& line)
{
    const qsizetype open = afterBlanks(line, 0);
    const qsizetype close = line.lastIndexOf(QLatin1Char(']'));
    if (open == line.size() || line[open] != QLatin1Char('[') || close < open
        || afterBlanks(line, open + 1) != open + 1)
        return std::nullopt;
    const bool deletion = line[open + 1] == QLatin1Char('-');
    const qsizetype start = open + 1 + (deletion ? 1 : 0);
    return KeyLine {deletion, line.mid(start, close - start)};
}

// The path below `root` of a full key name; nothing for a key of another root.
std::optional<QString> pathBelow(const QString& root, const QString& name)
{
    if (!name.startsWith(root, Qt::CaseInsensitive))
        return std::nullopt;
    if (name.size() == root.size())
        return QString();
    if (name[root.size()] != QLatin1Char('\\'))
        return std::nullopt;
    return name.mid(root.size() + 1);
}

// Where the data of a value line `@=...` or `"name"=...` begins, after the '=' and its blanks;
// -1 for any other line.
qsizetype dataStart(const QString& line)
{
    qsizetype i = afterBlanks(line, 0);
    if (i < line.size() && line[i] == QLatin1Char('"')) {
        for (++i; i < line.size() && line[i] != QLatin1Char('"'); ++i) {
            if (line[i] == QLatin1Char('\\'))
                ++i;
        }
    } else if (i == line.size() || line[i] != QLatin1Char('@')) {
        return -1;
    }
    i = afterBlanks(line, i + 1);
    return i < line.size() && line[i] == QLatin1Char('=') ? afterBlanks(line, i + 1) : -1;
}

// A binary value goes on over the next lines while its lines end with '\'.
bool continuesOnNextLine(const QString& line)
{
    const qsizetype data = dataStart(line);
    return data >= 0 && QStringView(line).mid(data).startsWith(QLatin1String("hex"))
        && endsWithBackslash(line);
}

// The data of a default-value line `@=...` with its continuation lines joined; nothing for any
// other line.
std::optional<QString> defaultData(const QStringList& entry)
{
    const QString& line = entry.first();
    const qsizetype start = dataStart(line);
    if (start < 0 || line[afterBlanks(line, 0)] != QLatin1Char('@'))
        return std::nullopt;
    QString data = line.mid(start);
    for (qsizetype i = 1; i < entry.size(); ++i) {
        data = data.trimmed();
        data.chop(1); // the '\' that continues the line
        data += entry[i].trimmed();
    }
    return data;
}

// The text of a quoted string: `\\` stands for a backslash and `\"` for a quote; only blanks or a
// comment may follow it.
std::optional<QString> unquoted(const QString& data)
{
    QString text;
    for (qsizetype i = 1; i < data.size(); ++i) {
        if (data[i] == QLatin1Char('"')) {
            if (!isBlankOrComment(QStringView(data).mid(i + 1)) || !isStorableText(text))
                return std::nullopt;
            return text;
        }
        if (data[i] == QLatin1Char('\\')
            && (++i == data.size() || (data[i] != QLatin1Char('\\') && data[i] != QLatin1Char('"'))))
            return std::nullopt;
        text += data[i];
    }
    return std::nullopt;
}

// The default value of a key: a string, or a value of another type (or a string the file wrote
// in hex) as its type and bytes; neither when there is none.
struct DefaultValue {
    std::optional<QString> text;
    std::optional<platform::RegistryValue> other;

    // A string as the registry stores it: its text in UTF-16LE ended by a NUL.
    std::optional<platform::RegistryValue> stored() const
    {
        if (!text)
            return other;
        return platform::RegistryValue {platform::TypeString, utf16Bytes(*text) + QByteArray(2, '\0')};
    }
};

// The text of a string value that a quoted string of the file can hold: its bytes are one text
// ended by its only NUL.
std::optional<QString> textOf(const platform::RegistryValue& value)
{
    const QByteArray& data = value.data;
    if (value.type != platform::TypeString || data.size() % 2 != 0 || !data.endsWith(QByteArray(2, '\0')))
        return std::nullopt;
    const QString text = utf16Text(QByteArrayView(data).chopped(2));
    return isStorableText(text) ? std::optional(text) : std::nullopt;
}

// What the data of a default-value line leaves in its key: a string, a value of another type
// (`dword:`, `hex:` and `hex(N):`), or none (`-` deletes it). Nothing when the registry editor
// would skip the line.
std::optional<DefaultValue> defaultValueOf(const QString& data)
{
    static const QRegularExpression notAString(QStringLiteral(
        "^(?:(?<deleted>-)|dword:(?<dword>[0-9A-Fa-f]{1,8})"
        "|hex(?:\\((?<type>[0-9A-Fa-f]{1,8})\\))?:\\s*(?<bytes>(?:[0-9A-Fa-f]{1,2}\\s*(?:,\\s*[0-9A-Fa-f]{1,2}\\s*)*,?)?))"
        "\\s*(;.*)?$"));
    if (data.startsWith(QLatin1Char('"'))) {
        if (std::optional<QString> text = unquoted(data))
            return DefaultValue {std::move(text), std::nullopt};
        return std::nullopt;
    }
    const QRegularExpressionMatch match = notAString.match(data);
    if (!match.hasMatch())
        return std::nullopt;
    if (match.hasCaptured(u"deleted"))
        return DefaultValue {};
    if (match.hasCaptured(u"dword")) {
        QByteArray bytes(4, '\0');
        qToLittleEndian<quint32>(match.captured(u"dword").toUInt(nullptr, 16), bytes.data());
        return DefaultValue {std::nullopt, platform::RegistryValue {platform::TypeDword, bytes}};
    }
    QByteArray bytes;
    for (const QString& byte : match.captured(u"bytes").split(QLatin1Char(','), Qt::SkipEmptyParts))
        bytes += char(byte.trimmed().toUInt(nullptr, 16));
    const quint32 type = match.hasCaptured(u"type") ? match.captured(u"type").toUInt(nullptr, 16) : platform::TypeBinary;
    return DefaultValue {std::nullopt, platform::RegistryValue {type, bytes}};
}

// A value in hex notation as the registry editor exports it, "hex:" for binary data and
// "hex(N):" for any other type, continued with '\' on the next line once a line is long enough.
QStringList hexLines(const platform::RegistryValue& value)
{
    QStringList lines {value.type == platform::TypeBinary ? QStringLiteral("@=hex:")
                                                          : QStringLiteral("@=hex(%1):").arg(value.type, 0, 16)};
    for (qsizetype i = 0; i < value.data.size(); ++i) {
        if (i > 0 && lines.last().size() >= kHexLineLength) {
            lines.last() += QLatin1Char('\\');
            lines += QStringLiteral("  ");
        }
        lines.last() += QStringLiteral("%1").arg(quint8(value.data[i]), 2, 16, QLatin1Char('0'));
        if (i + 1 < value.data.size())
            lines.last() += QLatin1Char(',');
    }
    return lines;
}

// Whether a line sets or deletes the default value of the key whose section it is in.
bool setsDefaultValue(const QStringList& entry)
{
    const std::optional<QString> data = defaultData(entry);
    return data && defaultValueOf(*data).has_value();
}

QString escaped(const QString& data)
{
    QString text = data;
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return text;
}

} // namespace

struct RegistryHive::Data {
    struct Key {
        QString path; // each level spelt as when it was first created
        QString folded;
        DefaultValue value;
        // Entries of `lines`: the last line that opens the key and the last line that sets or
        // deletes its default value since then; -1 when there is none.
        qsizetype keyLine = -1;
        qsizetype valueLine = -1;
        bool isNew = false; // created since the file was read
        bool valueChanged = false;
        QString before; // for a new key, the folded key whose lines it is written above
    };

    // The root whose keys the hive holds, as written in key lines.
    QString root;
    // The header the file was read with: a REGEDIT4 file keeps it, since the binary string values
    // it may hold are ANSI bytes under that header and UTF-16 under the other.
    QString header = kHeader;
    // The lines after the header as read; a value continued over several lines is one entry.
    std::vector<QStringList> lines;
    std::vector<Key> keys {Key {}}; // in order of creation; the first is the root
    QHash<QString, std::size_t> positions {{QString(), 0}}; // folded path -> index in keys
    QStringList deletions; // the keys of the file's deletion lines, in file order

    const Key* find(const QString& path) const
    {
        const auto it = positions.constFind(folded(path));
        return it == positions.cend() ? nullptr : &keys[*it];
    }

    // Creates every missing level of a valid path; returns the key.
    Key& create(const QString& path, bool isNew)
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
                            {}, -1, -1, isNew, false, {}});
        }
        return keys[position];
    }

    static bool isAtOrBelow(const QString& foldedPath, const QString& foldedKey)
    {
        return foldedPath == foldedKey || foldedPath.startsWith(foldedKey + QLatin1Char('\\'));
    }

    // Removes the key and every key below it; a root cannot be removed.
    void remove(const QString& path)
    {
        if (path.isEmpty())
            return;
        const QString key = folded(path);
        std::erase_if(keys, [&](const Key& k) { return isAtOrBelow(k.folded, key); });
        positions.clear();
        for (std::size_t i = 0; i < keys.size(); ++i)
            positions.insert(keys[i].folded, i);
    }

    // The key a key line names below the root, when the registry can create it.
    std::optional<QString> pathOf(const KeyLine& line) const
    {
        const std::optional<QString> path = pathBelow(root, line.name);
        return path && isValidKeyPath(*path) ? path : std::nullopt;
    }

    // The number of comment and blank lines right above entry `index`: a user writes them about
    // the key below, not the one above.
    qsizetype linesAbove(qsizetype index) const
    {
        qsizetype count = 0;
        while (index - count > 0 && isCommentOrBlank(lines[std::size_t(index - count - 1)]))
            ++count;
        return count;
    }

    static bool isCommentOrBlank(const QStringList& entry)
    {
        return entry.size() == 1 && isBlankOrComment(entry.first());
    }

    // For each entry of `lines`, the folded key whose section it is in, the comments and blank
    // lines above its key line included; nothing outside the sections of the root's keys, nor
    // for those that end the file, below the last section, where keys written later go.
    std::vector<std::optional<QString>> sections() const
    {
        std::vector<std::optional<QString>> result;
        std::optional<QString> current;
        for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
            if (const std::optional<KeyLine> line = keyLineOf(lines[std::size_t(i)].first())) {
                const std::optional<QString> path = pathOf(*line);
                current = path && !line->deletion ? std::optional(folded(*path)) : std::nullopt;
                std::fill(result.end() - linesAbove(i), result.end(), current);
            }
            result.push_back(current);
        }
        std::fill(result.end() - linesAbove(qsizetype(lines.size())), result.end(), std::nullopt);
        return result;
    }

    // The entry a new key placed before another is written above; -1 when it is not placed, or
    // when that key has no line in the file.
    qsizetype placedAbove(const Key& key) const
    {
        const Key* next = key.before.isEmpty() ? nullptr : find(key.before);
        return next && next->keyLine >= 0 ? next->keyLine - linesAbove(next->keyLine) : -1;
    }

    // The lines of a section of its own for a key: its key line and its value.
    QStringList section(const Key& key) const
    {
        QStringList result {keyLine(root, key.path)};
        if (const std::optional<platform::RegistryValue> value = key.value.stored())
            result += valueLines(value);
        return result;
    }

    // Takes out the entries `drop` marks; the keys' line numbers go on naming the same lines.
    void dropLines(const std::vector<bool>& drop)
    {
        std::vector<qsizetype> moved(lines.size(), -1);
        std::vector<QStringList> kept;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (drop[i])
                continue;
            moved[i] = qsizetype(kept.size());
            kept.push_back(std::move(lines[i]));
        }
        lines = std::move(kept);
        for (Key& key : keys) {
            key.keyLine = key.keyLine < 0 ? -1 : moved[std::size_t(key.keyLine)];
            key.valueLine = key.valueLine < 0 ? -1 : moved[std::size_t(key.valueLine)];
        }
    }

    // Takes in entry `index` of `lines`; `section` is the key whose values the lines below set.
    // A deletion `[-HKEY_CLASSES_ROOT\...]` is applied where it stands, as an import applies it,
    // and its line is kept: the file goes on deleting the key when imported on Windows, and a key
    // written again goes to a new section at the end, below the deletion that would undo it.
    void read(qsizetype index, std::optional<QString>* section)
    {
        const QStringList& entry = lines[std::size_t(index)];
        if (const std::optional<KeyLine> line = keyLineOf(entry.first())) {
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
        const std::optional<QString> data = defaultData(entry);
        if (!*section || !data)
            return;
        if (const auto value = defaultValueOf(*data)) {
            Key& key = keys[positions.value(folded(**section))];
            key.value = *value;
            key.valueLine = index;
        }
    }
};

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
    if (!isStorableText(path))
        return false;
    const QStringList levels = path.split(QLatin1Char('\\'));
    return std::all_of(levels.cbegin(), levels.cend(), [](const QString& level) {
        return !level.isEmpty() && level.size() <= kMaxKeyNameLength;
    });
}

bool RegistryHive::isStorableData(const QString& data)
{
    return isStorableText(data);
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
    if (const std::optional<QString> text = textOf(value))
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
    const QString key = folded(path);
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
    const QString key = folded(path);
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

bool RegistryHive::definesDefaultValue(const QString& path) const
{
    const Data::Key* key = d->find(path);
    return key && (key->valueLine >= 0 || key->valueChanged);
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
        if (key.keyLine >= 0)
            inFile.push_back(&key);
        else if (key.isNew || key.valueChanged)
            created.append(key.path);
    }
    std::sort(inFile.begin(), inFile.end(), [](const Data::Key* a, const Data::Key* b) { return a->keyLine < b->keyLine; });
    QStringList paths;
    for (const Data::Key* key : inFile)
        paths.append(key->path);
    return paths + created;
}

QStringList RegistryHive::commentsAbove(const QString& path) const
{
    const Data::Key* key = d->find(path);
    QStringList comments;
    if (!key || key->keyLine < 0)
        return comments;
    for (qsizetype i = key->keyLine - d->linesAbove(key->keyLine); i < key->keyLine; ++i) {
        const QString& line = d->lines[std::size_t(i)].first();
        if (const qsizetype semicolon = line.indexOf(QLatin1Char(';')); semicolon >= 0)
            comments.append(line.mid(afterBlanks(line, semicolon + 1)));
    }
    return comments;
}

bool RegistryHive::placeBefore(const QString& path, const QString& next)
{
    const Data::Key* anchor = d->find(next);
    const auto it = d->positions.constFind(folded(path));
    if (!anchor || anchor->keyLine < 0 || it == d->positions.cend() || d->keys[*it].keyLine >= 0
        || !d->keys[*it].isNew)
        return false;
    d->keys[*it].before = anchor->folded;
    return true;
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
    const QString prefix = path.isEmpty() ? QString() : folded(path) + QLatin1Char('\\');
    QStringList names;
    for (auto key = d->keys.cbegin() + 1; key != d->keys.cend(); ++key) {
        if (key->folded.startsWith(prefix) && key->folded.indexOf(QLatin1Char('\\'), prefix.size()) < 0)
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
        if (key.valueChanged && key.valueLine >= 0)
            replacing.insert(key.valueLine, &key);
        else if (key.valueChanged && key.keyLine >= 0)
            following.insert(key.keyLine, &key);
        else if (const qsizetype above = d->placedAbove(key); above >= 0)
            placed[above].append(&key);
    }
    QStringList lines {d->header};
    for (qsizetype i = 0; i < qsizetype(d->lines.size()); ++i) {
        for (const Data::Key* key : placed.value(i))
            lines << QString() << d->section(*key);
        if (const Data::Key* key = replacing.value(i))
            lines += valueLines(key->value.stored());
        else
            lines += d->lines[std::size_t(i)];
        if (const Data::Key* key = following.value(i))
            lines += valueLines(key->value.stored());
    }
    // Other new keys and values go to sections of their own, each after a blank line as the
    // registry editor writes them, and the file ends with a blank line as its exports do.
    for (const Data::Key& key : d->keys) {
        if (key.keyLine >= 0 || !(key.isNew || key.valueChanged) || d->placedAbove(key) >= 0)
            continue;
        if (!lines.last().isEmpty())
            lines += QString();
        lines << d->section(key) << QString();
    }
    return fileBytes(lines);
}

QString RegistryHive::keyLine(const QString& root, const QString& path, bool deletion)
{
    return QLatin1String(deletion ? "[-" : "[") + root
        + (path.isEmpty() ? QString() : QLatin1Char('\\') + path) + QLatin1Char(']');
}

QStringList RegistryHive::valueLines(const std::optional<platform::RegistryValue>& value)
{
    if (!value)
        return {QStringLiteral("@=-")};
    if (const std::optional<QString> text = textOf(*value))
        return {QLatin1String("@=\"") + escaped(*text) + QLatin1Char('"')};
    if (value->type == platform::TypeDword && value->data.size() == 4) {
        const quint32 number = qFromLittleEndian<quint32>(value->data.constData());
        return {QStringLiteral("@=dword:%1").arg(number, 8, 16, QLatin1Char('0'))};
    }
    return hexLines(*value);
}

QByteArray RegistryHive::fileBytes(const QStringList& lines)
{
    return "\xFF\xFE" + utf16Bytes(lines.join(kCrLf) + kCrLf);
}

std::optional<RegistryHive> RegistryHive::parse(const QByteArray& bytes, ReadError* error,
                                                const QString& root)
{
    const auto fail = [error](qsizetype line, const QString& english, const QString& french) {
        if (error)
            *error = {line, english, french};
        return std::nullopt;
    };
    bool cut = false;
    QStringList lines = linesOf(decoded(bytes, &cut));
    const QString header = lines.first().trimmed();
    if (header != kHeader && header != kOldHeader)
        return fail(1, QStringLiteral("the first line is neither \"%1\" nor \"%2\"").arg(kHeader, kOldHeader),
                    QStringLiteral("la première ligne n'est ni « %1 » ni « %2 »").arg(kHeader, kOldHeader));
    if (cut)
        return fail(lines.size(), QStringLiteral("the file ends in the middle of a UTF-16 character"),
                    QStringLiteral("le fichier se termine au milieu d'un caractère UTF-16"));
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast(); // the end of the last line

    RegistryHive hive(root);
    Data& data = *hive.d;
    data.header = header;
    std::optional<QString> section;
    for (qsizetype n = 1; n < lines.size(); ++n) {
        QStringList entry {lines[n]};
        if (continuesOnNextLine(lines[n])) {
            while (n + 1 < lines.size() && endsWithBackslash(entry.last()))
                entry += lines[++n];
        }
        data.lines.push_back(std::move(entry));
        data.read(qsizetype(data.lines.size()) - 1, &section);
    }
    return hive;
}

} // namespace registry
