// Reads a desktop entry's Exec value back to the program and arguments a launcher runs, by the
// Desktop Entry rules alone, and through the `/bin/sh -c` scripts the publisher writes.
#include "DesktopExecDecoder.h"

#include <algorithm>

namespace desktoptest {

namespace {

// The general string escapes of a desktop entry value; raw control characters are not allowed.
std::optional<QString> unescaped(const QString& value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return std::nullopt;
        if (c != u'\\') {
            text += c;
            continue;
        }
        if (++i == value.size())
            return std::nullopt;
        switch (value[i].unicode()) {
        case 's': text += u' '; break;
        case 'n': text += u'\n'; break;
        case 't': text += u'\t'; break;
        case 'r': text += u'\r'; break;
        case '\\': text += u'\\'; break;
        default: return std::nullopt;
        }
    }
    return text;
}

struct Word {
    QString text;
    bool quoted = false;
};

// Space-separated arguments; a quoted one is quoted whole, with \" \` \$ \\ inside.
std::optional<QList<Word>> wordsOf(const QString& line)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    static const QString escapable = QStringLiteral("\"`$\\");
    QList<Word> words;
    qsizetype i = 0;
    while (i < line.size()) {
        if (line[i] == u' ') {
            ++i;
            continue;
        }
        Word word;
        if (line[i] == u'"') {
            word.quoted = true;
            for (++i; i < line.size() && line[i] != u'"'; ++i) {
                if (line[i] == u'`' || line[i] == u'$')
                    return std::nullopt;
                if (line[i] == u'\\' && (++i == line.size() || !escapable.contains(line[i])))
                    return std::nullopt;
                word.text += line[i];
            }
            if (i++ == line.size() || (i < line.size() && line[i] != u' '))
                return std::nullopt;
        } else {
            for (; i < line.size() && line[i] != u' '; ++i) {
                if (reserved.contains(line[i]))
                    return std::nullopt;
                word.text += line[i];
            }
        }
        words << word;
    }
    return words;
}

// One argument with its field codes expanded; counts the file codes in `fileCodes`.
std::optional<QStringList> expanded(const Word& word, const QStringList& files, int* fileCodes)
{
    if (word.text == QStringLiteral("%f") || word.text == QStringLiteral("%F")) {
        if (word.quoted)
            return std::nullopt;
        ++*fileCodes;
        return files;
    }
    QString text;
    for (qsizetype i = 0; i < word.text.size(); ++i) {
        if (word.text[i] == u'%' && (++i == word.text.size() || word.text[i] != u'%'))
            return std::nullopt;
        text += word.text[i];
    }
    return QStringList { text };
}

// One piece of a shell word at `*pos`: its text, or every parameter for "$@".
struct ShellPiece {
    QString text;
    bool allParameters = false;
};

std::optional<ShellPiece> shellPiece(const QString& script, qsizetype* pos,
                                     const QStringList& parameters)
{
    const QStringView rest = QStringView(script).mid(*pos);
    const QString printfStart = QStringLiteral("\"$(printf '\\");
    const QString printfEnd = QStringLiteral("')\"");
    if (rest.startsWith(u'\'')) {
        const qsizetype end = script.indexOf(u'\'', *pos + 1);
        if (end < 0)
            return std::nullopt;
        ShellPiece piece { script.mid(*pos + 1, end - *pos - 1) };
        *pos = end + 1;
        return piece;
    }
    if (rest.startsWith(QStringLiteral("\\'"))) {
        *pos += 2;
        return ShellPiece { QStringLiteral("'") };
    }
    if (rest.startsWith(QStringLiteral("\"$1\"")) && !parameters.isEmpty()) {
        *pos += 4;
        return ShellPiece { parameters.first() };
    }
    if (rest.startsWith(QStringLiteral("\"$@\""))) {
        *pos += 4;
        return ShellPiece { {}, true };
    }
    if (rest.startsWith(printfStart) && rest.mid(printfStart.size() + 3).startsWith(printfEnd)) {
        uint code = 0;
        for (const QChar digit : rest.mid(printfStart.size(), 3)) {
            if (digit < u'0' || digit > u'7')
                return std::nullopt;
            code = code * 8 + (digit.unicode() - u'0');
        }
        if (code == 0)
            return std::nullopt;
        *pos += printfStart.size() + 3 + printfEnd.size();
        return ShellPiece { QString(QChar(code)) };
    }
    return std::nullopt;
}

} // namespace

std::optional<QList<QStringList>> launchedArguments(const QString& value,
                                                    const QStringList& files)
{
    const std::optional<QString> line = unescaped(value);
    const std::optional<QList<Word>> words = line ? wordsOf(*line) : std::nullopt;
    if (files.isEmpty() || !words || words->isEmpty() || words->first().text.contains(u'='))
        return std::nullopt;
    const bool allFiles = std::any_of(words->cbegin(), words->cend(), [](const Word& word) {
        return word.text == QStringLiteral("%F");
    });
    QList<QStringList> filesPerProcess;
    if (allFiles)
        filesPerProcess << files;
    for (qsizetype i = 0; !allFiles && i < files.size(); ++i)
        filesPerProcess << QStringList { files[i] };
    QList<QStringList> processes;
    for (const QStringList& filesOfProcess : filesPerProcess) {
        QStringList arguments;
        int fileCodes = 0;
        for (const Word& word : *words) {
            const std::optional<QStringList> parts = expanded(word, filesOfProcess, &fileCodes);
            if (!parts || fileCodes > (arguments.isEmpty() ? 0 : 1))
                return std::nullopt;
            arguments += *parts;
        }
        if (fileCodes != 1)
            return std::nullopt;
        processes << arguments;
    }
    return processes;
}

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
    qsizetype pos = exec ? 5 : 0;
    while (pos < script.size()) {
        if (script[pos] == u' ') {
            ++pos;
            continue;
        }
        QString word;
        int pieces = 0;
        bool allParameters = false;
        for (; pos < script.size() && script[pos] != u' '; ++pieces) {
            const std::optional<ShellPiece> piece = shellPiece(script, &pos, parameters);
            if (!piece)
                return std::nullopt;
            word += piece->text;
            allParameters = allParameters || piece->allParameters;
        }
        if (allParameters && pieces > 1)
            return std::nullopt;
        words += allParameters ? parameters : QStringList { word };
    }
    if (words.isEmpty() || (exec && words.first().startsWith(u'-')))
        return std::nullopt;
    return words;
}

std::optional<QList<QStringList>> execArguments(const QString& value, const QStringList& files)
{
    const std::optional<QList<QStringList>> launched = launchedArguments(value, files);
    if (!launched)
        return std::nullopt;
    QList<QStringList> processes;
    for (const QStringList& arguments : *launched) {
        const std::optional<QStringList> run = shellArguments(arguments);
        if (!run)
            return std::nullopt;
        processes << *run;
    }
    return processes;
}

} // namespace desktoptest
