// The per-user classes hive and its .reg text.
#include "registry/RegistryHive.h"

#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <utility>
#include <vector>

namespace registry {
namespace {

const QString kHeader = QStringLiteral("Windows Registry Editor Version 5.00");
const QString kRoot = QStringLiteral("HKEY_CLASSES_ROOT");
constexpr qsizetype kMaxKeyNameLength = 255;
const QString kCrLf = QStringLiteral("\r\n");

// Registry names ignore letter case; folding the whole path compares every level that way.
QString folded(const QString& path)
{
    return path.toCaseFolded();
}

bool breaksLine(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))
        || text.contains(QChar(u'\0'));
}

QString escaped(const QString& data)
{
    QString text = data;
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return text;
}

// Version-5 exports are UTF-16LE with a byte-order mark; ours are UTF-8, with or without one.
std::optional<QString> decoded(const QByteArray& bytes)
{
    const bool utf16 = bytes.startsWith("\xFF\xFE");
    auto decoder = QStringDecoder(utf16 ? QStringConverter::Utf16LE : QStringConverter::Utf8,
                                  QStringConverter::Flag::Stateless);
    QString text = decoder(bytes.mid(utf16 ? 2 : bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0));
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// The key path of a key line "[HKEY_CLASSES_ROOT\...]" relative to the root, or nothing.
std::optional<QString> keyOfLine(const QString& line)
{
    if (!line.startsWith(QLatin1Char('[')) || !line.endsWith(QLatin1Char(']')))
        return std::nullopt;
    const QString full = line.mid(1, line.size() - 2);
    if (!full.startsWith(kRoot, Qt::CaseInsensitive))
        return std::nullopt;
    const QString rest = full.mid(kRoot.size());
    if (rest.isEmpty())
        return QString();
    if (!rest.startsWith(QLatin1Char('\\')))
        return std::nullopt;
    return rest.mid(1);
}

// The data of a default-value line `@="..."`, or nothing with `why` set.
std::optional<QString> dataOfLine(const QString& line, QString* why)
{
    if (!line.startsWith(QLatin1String("@=\""))) {
        *why = QStringLiteral("only string default values (@=\"...\") are kept");
        return std::nullopt;
    }
    QString data;
    for (qsizetype i = 3; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"')) {
            if (!line.mid(i + 1).trimmed().isEmpty()) {
                *why = QStringLiteral("text after the closing quote");
                return std::nullopt;
            }
            return data;
        }
        if (c == QLatin1Char('\\')) {
            if (i + 1 == line.size() || (line[i + 1] != QLatin1Char('\\') && line[i + 1] != QLatin1Char('"'))) {
                *why = QStringLiteral("a backslash must be written \\\\ and a quote \\\"");
                return std::nullopt;
            }
            ++i;
        }
        data += line[i];
    }
    *why = QStringLiteral("the string has no closing quote");
    return std::nullopt;
}

} // namespace

struct RegistryHive::Data {
    struct Key {
        QString path; // each level spelt as when it was first created
        std::optional<QString> value;
    };
    std::vector<Key> keys {Key {}}; // in order of creation; the first is the root
    QHash<QString, std::size_t> positions {{QString(), 0}}; // folded path -> index in keys

    const Key* find(const QString& path) const
    {
        const auto it = positions.constFind(folded(path));
        return it == positions.cend() ? nullptr : &keys[*it];
    }
};

RegistryHive::RegistryHive()
    : d(std::make_unique<Data>())
{
}

RegistryHive::~RegistryHive() = default;

RegistryHive::RegistryHive(const RegistryHive& other)
    : d(std::make_unique<Data>(*other.d))
{
}

RegistryHive& RegistryHive::operator=(const RegistryHive& other)
{
    if (this != &other)
        *d = *other.d;
    return *this;
}

RegistryHive::RegistryHive(RegistryHive&& other) noexcept
    : d(std::exchange(other.d, std::make_unique<Data>()))
{
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
    if (breaksLine(path))
        return false;
    const QStringList levels = path.split(QLatin1Char('\\'));
    return std::all_of(levels.cbegin(), levels.cend(), [](const QString& level) {
        return !level.isEmpty() && level.size() <= kMaxKeyNameLength;
    });
}

bool RegistryHive::isStorableData(const QString& data)
{
    return !breaksLine(data);
}

bool RegistryHive::createKey(const QString& path)
{
    if (!isValidKeyPath(path))
        return false;
    if (path.isEmpty())
        return true;
    QString storedPath; // the parent's path as first created
    qsizetype end = -1;
    do {
        const qsizetype start = end + 1;
        end = path.indexOf(QLatin1Char('\\'), start);
        const QString level = path.mid(start, end < 0 ? -1 : end - start);
        const QString key = folded(path.left(end < 0 ? path.size() : end));
        if (const auto it = d->positions.constFind(key); it != d->positions.cend()) {
            storedPath = d->keys[*it].path;
            continue;
        }
        storedPath = storedPath.isEmpty() ? level : storedPath + QLatin1Char('\\') + level;
        d->positions.insert(key, d->keys.size());
        d->keys.push_back({storedPath, std::nullopt});
    } while (end >= 0);
    return true;
}

bool RegistryHive::setDefaultValue(const QString& path, const QString& data)
{
    if (!isStorableData(data) || !createKey(path))
        return false;
    d->keys[d->positions.value(folded(path))].value = data;
    return true;
}

bool RegistryHive::hasKey(const QString& path) const
{
    return d->find(path) != nullptr;
}

std::optional<QString> RegistryHive::defaultValue(const QString& path) const
{
    const Data::Key* key = d->find(path);
    return key ? key->value : std::nullopt;
}

QStringList RegistryHive::subkeys(const QString& path) const
{
    if (!hasKey(path))
        return {};
    const QString prefix = path.isEmpty() ? QString() : folded(path) + QLatin1Char('\\');
    QStringList names;
    for (auto key = d->keys.cbegin() + 1; key != d->keys.cend(); ++key) {
        const QString candidate = folded(key->path);
        if (candidate.startsWith(prefix) && candidate.indexOf(QLatin1Char('\\'), prefix.size()) < 0)
            names.append(key->path.mid(prefix.size()));
    }
    return names;
}

QByteArray RegistryHive::serialize() const
{
    QString text = kHeader + kCrLf;
    for (const Data::Key& key : d->keys) {
        if (key.path.isEmpty() && !key.value)
            continue;
        text += kCrLf + QLatin1Char('[') + kRoot;
        if (!key.path.isEmpty())
            text += QLatin1Char('\\') + key.path;
        text += QLatin1Char(']') + kCrLf;
        if (key.value)
            text += QLatin1String("@=\"") + escaped(*key.value) + QLatin1Char('"') + kCrLf;
    }
    // The registry editor ends its exports with a blank line.
    return (text + kCrLf).toUtf8();
}

std::optional<RegistryHive> RegistryHive::parse(const QByteArray& bytes, QString* error)
{
    const auto fail = [error](qsizetype line, const QString& why) {
        if (error)
            *error = QStringLiteral("line %1: %2").arg(line).arg(why);
        return std::nullopt;
    };
    const std::optional<QString> text = decoded(bytes);
    if (!text) {
        if (error)
            *error = QStringLiteral("the file is neither UTF-8 nor UTF-16 text");
        return std::nullopt;
    }
    const QStringList lines = text->split(QLatin1Char('\n'));
    if (lines.first().trimmed() != kHeader)
        return fail(1, QStringLiteral("the first line is not \"%1\"").arg(kHeader));

    RegistryHive hive;
    std::optional<QString> current;
    for (qsizetype n = 1; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            current = keyOfLine(line);
            if (!current)
                return fail(n + 1, QStringLiteral("only keys under %1 are kept").arg(kRoot));
            if (!hive.createKey(*current))
                return fail(n + 1, QStringLiteral("the key path has an empty or too long name"));
            continue;
        }
        if (!current)
            return fail(n + 1, QStringLiteral("a value before the first key"));
        QString why;
        const std::optional<QString> data = dataOfLine(line, &why);
        if (!data)
            return fail(n + 1, why);
        if (!hive.setDefaultValue(*current, *data))
            return fail(n + 1, QStringLiteral("the value holds a line break"));
    }
    return hive;
}

} // namespace registry
