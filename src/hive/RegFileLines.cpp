// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of a .reg file, told apart as the registry editor tells them.
#include "hive/RegFileLines.h"

namespace registry::RegFileLines {
namespace {

// Where the data of a value line `@=...` or `"name"=...` begins, after the '=' and its blanks;
// -1 for any other line.
qsizetype dataStart(const QString& line)
{
    qsizetype i = afterBlanks(line, 0);
    if (i < line.size() && line[i] == QLatin1Char('"')) {
        // To the closing quote, the first that no backslash escapes, or to the end.
        ++i;
        bool escaped = false;
        for (const QChar c : QStringView(line).sliced(i)) {
            if (!escaped && c == QLatin1Char('"'))
                break;
            escaped = !escaped && c == QLatin1Char('\\');
            ++i;
        }
    } else if (i == line.size() || line[i] != QLatin1Char('@')) {
        return -1;
    }
    i = afterBlanks(line, i + 1);
    return i < line.size() && line[i] == QLatin1Char('=') ? afterBlanks(line, i + 1) : -1;
}

} // namespace

qsizetype afterBlanks(const QString& line, qsizetype from)
{
    while (from < line.size() && (line[from] == QLatin1Char(' ') || line[from] == QLatin1Char('\t')))
        ++from;
    return from;
}

bool isBlankOrComment(QStringView rest)
{
    rest = rest.trimmed();
    return rest.isEmpty() || rest.startsWith(QLatin1Char(';'));
}

bool endsWithBackslash(const QString& line)
{
    return QStringView(line).trimmed().endsWith(QLatin1Char('\\'));
}

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

bool continuesOnNextLine(const QString& line)
{
    const qsizetype data = dataStart(line);
    return data >= 0 && QStringView(line).mid(data).startsWith(QLatin1String("hex"))
        && endsWithBackslash(line);
}

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

} // namespace registry::RegFileLines
