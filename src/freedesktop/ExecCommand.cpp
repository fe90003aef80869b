// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Turns an installed application's Exec value back into an open command of the classes root.
#include "freedesktop/ExecCommand.h"

#include "freedesktop/DesktopEntry.h"

namespace registry {
namespace {

// One argument of the classes root's command: the file codes as "%1", any other '%' doubled, so
// that the publisher reads it back as it was.
struct Argument {
    QString text;
    bool holdsFile = false;
};

// The argument without its field codes; nothing left of an argument of codes alone.
std::optional<Argument> withoutFieldCodes(const QString& word)
{
    Argument argument;
    bool dropped = false;
    bool percent = false;
    for (const QChar c : word) {
        if (!percent) {
            percent = c == u'%';
            if (!percent)
                argument.text += c;
        } else {
            percent = false;
            if (c == u'%') {
                argument.text += QStringLiteral("%%");
            } else if (QStringLiteral("fFuU").contains(c)) {
                argument.text += QStringLiteral("%1");
                argument.holdsFile = true;
            } else {
                dropped = true;
            }
        }
    }
    // A '%' that ends the word is literal.
    if (percent)
        argument.text += QStringLiteral("%%");
    if (dropped && argument.text.isEmpty())
        return std::nullopt;
    return argument;
}

// In quotes when it holds the file, a blank or a quote, or nothing: 2n backslashes before a
// quote, and at the end, read back as n.
QString quoted(const Argument& argument)
{
    const QString& text = argument.text;
    if (!argument.holdsFile && !text.isEmpty() && !text.contains(u' ') && !text.contains(u'\t') && !text.contains(u'"'))
        return text;
    QString result = QStringLiteral("\"");
    int backslashes = 0;
    for (const QChar c : text) {
        if (c == u'"')
            result += QString(backslashes + 1, u'\\');
        backslashes = c == u'\\' ? backslashes + 1 : 0;
        result += c;
    }
    return result + QString(backslashes, u'\\') + u'"';
}

} // namespace

std::optional<QStringList> ExecCommand::arguments(const QString& exec)
{
    const QString line = DesktopEntry::unescaped(exec);
    QStringList words;
    QString word;
    bool inWord = false;
    bool inQuotes = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (inQuotes && c == u'\\' && i + 1 < line.size() && QStringLiteral("\"`$\\").contains(line[i + 1])) {
            word += line[++i];
        } else if (c == u'"') {
            inQuotes = !inQuotes;
            inWord = true;
        } else if (!inQuotes && (c == u' ' || c == u'\t' || c == u'\n')) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inQuotes)
        return std::nullopt;
    if (inWord)
        words << word;
    return words;
}

std::optional<QString> ExecCommand::toCommand(const QString& exec, const platform::ProgramPlaces& places)
{
    const std::optional<QStringList> words = arguments(exec);
    if (!words || words->isEmpty() || words->first().contains(u'"'))
        return std::nullopt;
    const QString path = places.programPath(words->first());
    QStringList parts {u'"' + QString(path.isEmpty() ? words->first() : path).replace(u'%', QStringLiteral("%%")) + u'"'};
    bool opensFile = false;
    for (const QString& word : words->mid(1)) {
        if (const std::optional<Argument> argument = withoutFieldCodes(word)) {
            opensFile = opensFile || argument->holdsFile;
            parts << quoted(*argument);
        }
    }
    if (!opensFile)
        return std::nullopt;
    return parts.join(u' ');
}

} // namespace registry
