// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a desktop entry's Exec value back to the program and arguments a launcher runs, by the
// Desktop Entry rules alone, and through the `/bin/sh -c` scripts the publisher writes.
#include "DesktopExecDecoder.h"

#include <QRegularExpression>
#include <algorithm>
#include <utility>

namespace desktoptest {

namespace {

// The general string escapes of a desktop entry value; raw control characters are not allowed.
std::optional<QString> unescaped(const QString& value)
{
    static const QRegularExpression valid(R"re(\A(?:[^\\\x00-\x1f\x7f]|\\[sntr\\])*\z)re");
    if (!valid.match(value).hasMatch())
        return std::nullopt;
    QString text = value;
    // Each escape becomes one character; the search goes on after it, so that "\\s" is '\' and 's'.
    for (qsizetype i = text.indexOf(u'\\'); i >= 0; i = text.indexOf(u'\\', i + 1))
        text.replace(i, 2, QStringLiteral(" \n\t\r\\")[QStringLiteral("sntr\\").indexOf(text[i + 1])]);
    return text;
}

struct Word { QString text; bool quoted = false; };

// Space-separated arguments: a quoted one is quoted whole, with \" \` \$ \\ inside; an unquoted
// one holds no reserved character.
std::optional<QList<Word>> wordsOf(const QString& line)
{
    static const QRegularExpression word(R"re("((?:[^"`$\\]|\\["`$\\])*)"(?= |\z)|[^ \t\n"'\\><~|&;$*?#()`]+(?= |\z))re"), escape(R"re(\\(.))re");
    QList<Word> words;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u' ')
            continue;
        const QRegularExpressionMatch match = word.match(line, i, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (!match.hasMatch())
            return std::nullopt;
        const bool quoted = line[i] == u'"';
        words << Word {quoted ? match.captured(1).replace(escape, QStringLiteral("\\1")) : match.captured(), quoted};
        i += match.capturedLength() - 1;
    }
    return words;
}

// What `launched` finally runs: itself, or the words of a `/bin/sh -c SCRIPT NAME PARAMETERS...`.
std::optional<QStringList> shellArguments(const QStringList& launched)
{
    if (launched.value(0) != QStringLiteral("/bin/sh"))
        return launched;
    if (launched.size() < 4 || launched[1] != QStringLiteral("-c"))
        return std::nullopt;
    // Blanks part the words; a word is pieces of 'text', \', "$1" and "$(printf '\NNN')", or "$@" alone.
    static const QRegularExpression piece(R"re( +|(?<![^ ])"\$@"(?= |\z)|'([^']*)'|\\'|"\$1"|"\$\(printf '\\([0-7]{3})'\)")re");
    const QString& script = launched[2];
    const QStringList parameters = launched.mid(4);
    const bool exec = script.startsWith(QStringLiteral("exec "));
    QStringList words;
    bool inWord = false;
    for (qsizetype pos = exec ? 5 : 0; pos < script.size();) {
        const QRegularExpressionMatch match = piece.match(script, pos, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        const QString text = match.captured();
        const uint octal = match.captured(2).toUInt(nullptr, 8);
        if (!match.hasMatch() || (text == QStringLiteral("\"$1\"") && parameters.isEmpty()) || (match.hasCaptured(2) && octal == 0))
            return std::nullopt;
        pos += text.size();
        if (text.startsWith(u' ') || text == QStringLiteral("\"$@\"")) {
            words += text.startsWith(u' ') ? QStringList() : parameters;
            inWord = false;
            continue;
        }
        if (!std::exchange(inWord, true))
            words << QString();
        words.last() += match.hasCaptured(2) ? QString(QChar(octal)) : match.hasCaptured(1) ? match.captured(1)
            : text == QStringLiteral("\\'") ? QStringLiteral("'") : parameters.first();
    }
    if (words.isEmpty() || (exec && words.first().startsWith(u'-')))
        return std::nullopt;
    return words;
}

} // namespace

std::optional<QList<QStringList>> launchedArguments(const QString& value, const QStringList& files)
{
    const std::optional<QString> line = unescaped(value);
    const std::optional<QList<Word>> words = line ? wordsOf(*line) : std::nullopt;
    if (files.isEmpty() || !words || words->isEmpty() || words->first().text.contains(u'='))
        return std::nullopt;
    const bool allFiles = std::any_of(words->cbegin(), words->cend(), [](const Word& word) { return word.text == QStringLiteral("%F"); });
    QList<QStringList> processes;
    for (qsizetype process = 0; process < (allFiles ? 1 : files.size()); ++process) {
        QStringList arguments;
        int fileCodes = 0;
        for (const Word& word : *words) {
            // A file code is a whole unquoted argument after the program; every other '%' is doubled.
            const bool fileCode = word.text == QStringLiteral("%f") || word.text == QStringLiteral("%F");
            static const QRegularExpression doubled(QStringLiteral("\\A(?:[^%]|%%)*\\z"));
            if (fileCode ? word.quoted || arguments.isEmpty() || ++fileCodes > 1 : !doubled.match(word.text).hasMatch())
                return std::nullopt;
            arguments += fileCode ? (allFiles ? files : files.mid(process, 1)) : QStringList { QString(word.text).replace(QStringLiteral("%%"), QStringLiteral("%")) };
        }
        if (fileCodes != 1)
            return std::nullopt;
        processes << arguments;
    }
    return processes;
}

std::optional<QList<QStringList>> execArguments(const QString& value, const QStringList& files)
{
    std::optional<QList<QStringList>> processes = launchedArguments(value, files);
    for (qsizetype i = 0; processes && i < processes->size(); ++i) {
        const std::optional<QStringList> run = shellArguments(processes->at(i));
        if (!run)
            return std::nullopt;
        (*processes)[i] = *run;
    }
    return processes;
}

} // namespace desktoptest
