// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target of the classes hive: any file is read and written back with every line it does
// not use; keys and values set through the hive, on that file or on an empty hive, come back
// exactly once written and read again.
// Input: CHANGES NUL, then the file's bytes (empty: an empty hive). CHANGES are lines "PATH"
// (create the key) or "PATH<tab>DATA" (set its default value), in UTF-8.
#include "FuzzSupport.h"
#include "catalogue/AnsiText.h"
#include "hive/RegistryHive.h"

#include <QMap>
#include <QtEndian>
#include <algorithm>

using registry::RegistryHive;

// Whether the file can hold `text` as a value, or (`path`) as a key's path: no line break, NUL or
// unpaired surrogate, and each level of a path 1 to 255 characters long.
static bool storable(const QString& text, bool path = false)
{
    const QStringList levels = text.split(u'\\');
    const auto fits = [](const QString& level) { return !level.isEmpty() && level.size() <= 255; };
    return (path && text.isEmpty()) || (!text.contains(u'\r') && !text.contains(u'\n') && !text.contains(QChar(u'\0'))
        && text.isValidUtf16() && (!path || std::all_of(levels.cbegin(), levels.cend(), fits)));
}

// The lines of a .reg file as the registry editor splits them, the end of the last one left out.
static QStringList linesOf(const QByteArray& file)
{
    const bool utf16 = file.startsWith("\xFF\xFE");
    QString text = utf16 ? QString() : AnsiText::decode(file.startsWith("\xEF\xBB\xBF") ? file.mid(3) : file);
    for (qsizetype i = 2; utf16 && i + 1 < file.size(); i += 2)
        text += QChar(qFromLittleEndian<quint16>(file.constData() + i));
    const QStringList lines = text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n').split(u'\n');
    return lines.size() > 1 && lines.last().isEmpty() ? lines.first(lines.size() - 1) : lines;
}

// Every key below `path` with its default value, as the hive lists them.
static QMap<QString, std::optional<QString>> keysOf(const RegistryHive& hive, const QString& path = {})
{
    QMap<QString, std::optional<QString>> keys{{path, hive.defaultValue(path)}};
    for (const QString& name : hive.subkeys(path))
        keys.insert(keysOf(hive, path.isEmpty() ? name : path + u'\\' + name));
    return keys;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayList in = fuzz::fields(data, size, 1);
    RegistryHive::ReadError error;
    const std::optional<RegistryHive> read = RegistryHive::parse(in[1], &error);
    check(read || (!error.english.isEmpty() && !error.french.isEmpty()), "a file refused comes with its reason");
    const QStringList lines = read ? linesOf(in[1]) : QStringList(), written = read ? linesOf(read->serialize()) : lines;
    check(!read || (written.first() == lines.first().trimmed() && written.mid(1) == lines.mid(1)),
          "a file read is written back line for line");
    RegistryHive hive = read ? *read : RegistryHive();
    for (const QString& line : fuzz::text(in[0]).split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype tab = line.indexOf(u'\t');
        const QString path = line.left(tab), value = line.mid(tab + 1);
        const bool done = tab < 0 ? hive.createKey(path) : hive.setDefaultValue(path, value);
        check(done == (storable(path, true) && (tab < 0 || storable(value))),
              "a key or value is refused exactly when the file cannot hold it", line);
        check(!done || (hive.hasKey(path) && (tab < 0 || hive.defaultValue(path) == value)), "what is set is there", line);
    }
    const QByteArray file = hive.serialize();
    const std::optional<RegistryHive> again = RegistryHive::parse(file, &error);
    check(again.has_value(), "a hive written can be read", error.english);
    check(again->serialize() == file, "a hive written, read and written again is the same file");
    check(keysOf(hive) == keysOf(*again), "every key and value comes back from the file");
    return 0;
}
