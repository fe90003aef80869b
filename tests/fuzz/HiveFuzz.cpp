// Fuzz target of the classes hive: any file is read and written back with every line it does
// not use; keys and values set through the hive, on that file or on an empty hive, come back
// exactly once written and read again.
// Input: CHANGES NUL, then the file's bytes (empty: an empty hive). CHANGES are lines "PATH"
// (create the key) or "PATH<tab>DATA" (set its default value), in UTF-8.
#include "FuzzSupport.h"
#include "catalogue/AnsiText.h"
#include "registry/RegistryHive.h"

#include <QMap>
#include <QtEndian>
#include <algorithm>

using fuzz::check;
using registry::RegistryHive;

namespace {

bool storable(const QString& text)
{
    return !text.contains(u'\r') && !text.contains(u'\n') && !text.contains(QChar(u'\0')) && text.isValidUtf16();
}

bool validPath(const QString& path)
{
    const QStringList levels = path.split(u'\\');
    return path.isEmpty()
        || (storable(path) && std::all_of(levels.cbegin(), levels.cend(), [](const QString& level) {
               return !level.isEmpty() && level.size() <= 255;
           }));
}

// The lines of a .reg file as the registry editor splits them, the end of the last one left out.
QStringList linesOf(const QByteArray& file)
{
    QString text;
    if (file.startsWith("\xFF\xFE")) {
        for (qsizetype i = 2; i + 1 < file.size(); i += 2)
            text += QChar(qFromLittleEndian<quint16>(file.constData() + i));
    } else {
        text = AnsiText::decode(file.startsWith("\xEF\xBB\xBF") ? file.mid(3) : file);
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Every key below `path` with its default value, as the hive lists them.
void collect(const RegistryHive& hive, const QString& path, QMap<QString, std::optional<QString>>* keys)
{
    keys->insert(path, hive.defaultValue(path));
    for (const QString& name : hive.subkeys(path))
        collect(hive, path.isEmpty() ? name : path + u'\\' + name, keys);
}

void change(RegistryHive& hive, const QString& line)
{
    const qsizetype tab = line.indexOf(u'\t');
    const QString path = line.left(tab);
    const QString data = line.mid(tab + 1);
    const bool done = tab < 0 ? hive.createKey(path) : hive.setDefaultValue(path, data);
    check(done == (validPath(path) && (tab < 0 || storable(data))),
          "a key or value is refused exactly when the file cannot hold it", line);
    check(!done || hive.hasKey(path), "a key set is there");
    check(!done || tab < 0 || hive.defaultValue(path) == data, "a value set is there");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Fields fields(data, size);
    const QString changes = fuzz::text(fields.next());
    const QByteArray file = fields.rest();
    RegistryHive::ReadError error;
    std::optional<RegistryHive> read = RegistryHive::parse(file, &error);
    check(read || (!error.english.isEmpty() && !error.french.isEmpty()), "a file refused comes with its reason");
    if (read) {
        const QStringList lines = linesOf(file);
        const QStringList written = linesOf(read->serialize());
        check(written.first() == lines.first().trimmed() && written.mid(1) == lines.mid(1),
              "a file read is written back line for line");
    }
    RegistryHive hive = read ? *read : RegistryHive();
    for (const QString& line : changes.split(u'\n', Qt::SkipEmptyParts))
        change(hive, line);

    const QByteArray written = hive.serialize();
    const std::optional<RegistryHive> again = RegistryHive::parse(written, &error);
    check(again.has_value(), "a hive written can be read", error.english);
    check(again->serialize() == written, "a hive written, read and written again is the same file");
    QMap<QString, std::optional<QString>> keys;
    QMap<QString, std::optional<QString>> keysAgain;
    collect(hive, QString(), &keys);
    collect(*again, QString(), &keysAgain);
    check(keys == keysAgain, "every key and value comes back from the file");
    return 0;
}
