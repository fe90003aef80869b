// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a desktop entry's Exec value back to the program and arguments a launcher runs, by the
// Desktop Entry rules alone, and through the `/bin/sh -c` scripts the publisher writes.
#include "DesktopExecDecoder.h"

#include <QRegularExpression>
#include <algorithm>

namespace desktoptest {

namespace {

// The general string escapes of a desktop entry value; raw control characters are not allowed.
std::optional<QString> unescaped(const QString& value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const qsizetype escape = value[i] != u'\\' ? -2 : ++i == value.size() ? -1 : QStringLiteral("sntr\\").indexOf(value[i]);
        if (escape == -1 || value[i].unicode() < 0x20 || value[i].unicode() == 0x7f)
            return std::nullopt;
        text += escape == -2 ? value[i] : QStringLiteral(" \n\t\r\\")[escape];
    }
    return text;
}

struct Word { QString text; bool quoted = false; };

// Space-separated arguments: a quoted one is quoted whole, with \" \` \$ \\ inside; an unquoted
// one holds no reserved character.
std::optional<QList<Word>> wordsOf(const QString& line)
{
    static const QRegularExpression quoted(R"re("((?:[^"`$\\]|\\["`$\\])*)"(?= |\z))re"),
        unquoted(R"re([^ \t\n"'\\><~|&;$*?#()`]+(?= |\z))re"), escape(R"re(\\(.))re");
    QList<Word> words;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u' ')
            continue;
        const QRegularExpressionMatch word = (line[i] == u'"' ? quoted : unquoted)
            .match(line, i, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (!word.hasMatch())
            return std::nullopt;
        words << Word { line[i] == u'"' ? word.captured(1).replace(escape, QStringLiteral("\\1")) : word.captured(), line[i] == u'"' };
        i += word.capturedLength() - 1;
    }
    return words;
}

// One piece of a shell word at `*pos`, moving `*pos` past it.
std::optional<QString> shellPiece(const QString& script, qsizetype* pos, const QStringList& parameters)
{
    static const QRegularExpression pieces(R"re('([^']*)'|\\'|"\$1"|"\$\(printf '\\([0-7]{3})'\)")re");
    const QRegularExpressionMatch match = pieces.match(script, *pos, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
    const QString piece = match.captured();
    if (!match.hasMatch() || (piece == QStringLiteral("\"$1\"") && parameters.isEmpty()) || (match.hasCaptured(2) && match.captured(2).toUInt(nullptr, 8) == 0))
        return std::nullopt;
    *pos += piece.size();
    return match.hasCaptured(2) ? QString(QChar(match.captured(2).toUInt(nullptr, 8))) : match.hasCaptured(1) ? match.captured(1)
        : piece == QStringLiteral("\\'") ? QStringLiteral("'") : parameters.first();
}

// What `launched` finally runs: itself, or the words of a `/bin/sh -c SCRIPT NAME PARAMETERS...`.
std::optional<QStringList> shellArguments(const QStringList& launched)
{
    if (launched.value(0) != QStringLiteral("/bin/sh"))
        return launched;
    if (launched.size() < 4 || launched[1] != QStringLiteral("-c"))
        return std::nullopt;
    const QString& script = launched[2];
    const QStringList parameters = launched.mid(4);
    const bool exec = script.startsWith(QStringLiteral("exec "));
    QStringList words;
    // Each word leaves `pos` on the space after it, which the loop steps over; "$@" is a word alone.
    for (qsizetype pos = exec ? 5 : 0; pos < script.size(); ++pos) {
        const bool allParameters = script.mid(pos, 5) == QStringLiteral("\"$@\" ") || script.mid(pos) == QStringLiteral("\"$@\"");
        if (allParameters)
            words += parameters, pos += 4;
        if (allParameters || script[pos] == u' ')
            continue;
        QString word;
        while (pos < script.size() && script[pos] != u' ') {
            const std::optional<QString> piece = shellPiece(script, &pos, parameters);
            if (!piece)
                return std::nullopt;
            word += *piece;
        }
        words << word;
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
