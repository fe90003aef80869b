// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the open command of a class, a Windows command line, into a desktop entry's Exec value.
#include "freedesktop/DesktopExec.h"

#include "freedesktop/DesktopEntry.h"

#include <QList>
#include <algorithm>

namespace registry {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The program ends at the next quote when it starts with one, else at the first blank;
// backslashes and doubled quotes mean nothing there.
QString takeProgram(const QString& command, qsizetype* pos)
{
    qsizetype i = *pos;
    QString program;
    if (i < command.size() && command[i] == u'"') {
        for (++i; i < command.size() && command[i] != u'"'; ++i)
            program += command[i];
        if (i < command.size())
            ++i;
    } else {
        for (; i < command.size() && !isBlank(command[i]); ++i)
            program += command[i];
    }
    *pos = i;
    return program;
}

// The other arguments: 2n backslashes before a quote give n and the quote opens or closes a
// quoted part, 2n+1 give n and a literal quote; three quotes in a row give a literal one.
QStringList takeArguments(const QString& command, qsizetype pos)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    int quotes = 0; // quotes seen in the current quoted run: odd = inside quotes
    int backslashes = 0; // backslashes seen just before the current character
    for (qsizetype i = pos; i < command.size(); ++i) {
        const QChar c = command[i];
        if (isBlank(c) && quotes == 0) {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
            backslashes = 0;
            continue;
        }
        inArgument = true;
        if (c == u'\\') {
            current += c;
            ++backslashes;
        } else if (c == u'"') {
            current.chop(backslashes / 2 + backslashes % 2);
            if (backslashes % 2 == 1) {
                current += u'"';
            } else {
                ++quotes;
                for (; QStringView(command).sliced(i + 1).startsWith(u'"'); ++i) {
                    if (++quotes == 3) {
                        current += u'"';
                        quotes = 0;
                    }
                }
                if (quotes == 2)
                    quotes = 0;
            }
            backslashes = 0;
        } else {
            current += c;
            backslashes = 0;
        }
    }
    if (inArgument)
        arguments << current;
    return arguments;
}

bool isFilePlaceholder(QChar c)
{
    return c == u'1' || c == u'L' || c == u'l' || c == u'0';
}

// A control character that no desktop entry value may hold, not even escaped.
bool isUnwritable(QChar c)
{
    return (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c.unicode() == 0x7f;
}

bool hasUnwritable(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), isUnwritable);
}

bool needsExecQuotes(const QString& text)
{
    // The space and the control characters below it, then the shell's own.
    static const QString reserved = QStringLiteral("\"'\\><~|&;$*?#()`");
    return text.isEmpty() || std::any_of(text.cbegin(), text.cend(), [](QChar c) {
               return c.unicode() <= u' ' || reserved.contains(c);
           });
}

// A literal argument in the Exec quoting: '%' doubled, and quoted when it holds a reserved
// character (or nothing) with '"', '`', '$' and '\' escaped inside the quotes.
QString execQuoted(const QString& literal)
{
    QString text = literal;
    text.replace(u'%', QStringLiteral("%%"));
    if (!needsExecQuotes(literal))
        return text;
    QString result = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            result += u'\\';
        result += c;
    }
    return result + u'"';
}

// Literal text as one word of a POSIX shell: single quotes around runs of plain characters, \'
// for a quote, and the characters a desktop entry cannot carry made by printf from their code.
QString shellQuoted(const QString& literal)
{
    QString word;
    QString run;
    const auto flush = [&word, &run] {
        if (!run.isEmpty())
            word += u'\'' + run + u'\'';
        run.clear();
    };
    for (const QChar c : literal) {
        if (c == u'\'' || isUnwritable(c))
            flush();
        if (c == u'\'')
            word += QStringLiteral("\\'");
        else if (isUnwritable(c))
            word += QStringLiteral("\"$(printf '\\%1')\"").arg(c.unicode(), 3, 8, QChar(u'0'));
        else
            run += c;
    }
    flush();
    return word;
}

// One argument of the command as the shell expands it: literal text and where the file goes.
struct Piece {
    enum class Kind { Text, File, Files };
    Kind kind = Kind::Text;
    QString text;
};
using Argument = QList<Piece>;

// "%*" alone is the list of files; each file placeholder is the file; "%%" is one '%' and any
// other '%' is literal.
Argument parseArgument(const QString& text)
{
    if (text == QStringLiteral("%*"))
        return { { Piece::Kind::Files, {} } };
    Argument pieces;
    QString literal;
    bool percent = false;
    for (const QChar c : text) {
        if (!percent) {
            percent = c == u'%';
            if (!percent)
                literal += c;
        } else {
            percent = false;
            if (isFilePlaceholder(c)) {
                if (!literal.isEmpty())
                    pieces.append({ Piece::Kind::Text, literal });
                literal.clear();
                pieces.append({ Piece::Kind::File, {} });
            } else {
                literal += u'%';
                if (c != u'%')
                    literal += c; // "%%" is one '%'
            }
        }
    }
    // A '%' that ends the argument is literal.
    if (percent)
        literal += u'%';
    if (!literal.isEmpty() || pieces.isEmpty())
        pieces.append({ Piece::Kind::Text, literal });
    return pieces;
}

int fileCount(const QList<Argument>& arguments)
{
    int count = 0;
    for (const Argument& argument : arguments) {
        count += int(std::count_if(argument.cbegin(), argument.cend(), [](const Piece& piece) {
            return piece.kind != Piece::Kind::Text;
        }));
    }
    return count;
}

bool isLiteral(const Argument& argument)
{
    return argument.size() == 1 && argument.first().kind == Piece::Kind::Text;
}

// The Exec field codes can say it: one file code standing alone, a program the launchers take
// as written ('%' is not unescaped where they look the program up, '=' is forbidden there), and
// no character the file cannot carry.
bool fitsExecCodes(const QList<Argument>& arguments)
{
    const QString& program = arguments.first().first().text;
    if (fileCount(arguments) != 1 || program.contains(u'=') || program.contains(u'%'))
        return false;
    return std::all_of(arguments.cbegin(), arguments.cend(), [](const Argument& argument) {
        return argument.size() == 1
            && (argument.first().kind != Piece::Kind::Text || !hasUnwritable(argument.first().text));
    });
}

QString execCodesLine(const QList<Argument>& arguments)
{
    QStringList parts;
    for (const Argument& argument : arguments) {
        const Piece& piece = argument.first();
        if (piece.kind == Piece::Kind::File)
            parts << QStringLiteral("%f");
        else if (piece.kind == Piece::Kind::Files)
            parts << QStringLiteral("%F");
        else
            parts << execQuoted(piece.text);
    }
    return parts.join(u' ');
}

// `/bin/sh -c SCRIPT sh %f`: the file is the script's "$1" (the files "$@" with %F), and the
// script quotes everything else itself. bash's exec would take a program starting with '-' for
// an option, so such a program runs without it.
QString shellLine(const QList<Argument>& arguments)
{
    QStringList words;
    bool allFiles = false;
    for (const Argument& argument : arguments) {
        QString word;
        for (const Piece& piece : argument) {
            allFiles = allFiles || piece.kind == Piece::Kind::Files;
            if (piece.kind == Piece::Kind::Text)
                word += shellQuoted(piece.text);
            else
                word += piece.kind == Piece::Kind::File ? QStringLiteral("\"$1\"")
                                                        : QStringLiteral("\"$@\"");
        }
        words << (word.isEmpty() ? QStringLiteral("''") : word);
    }
    const bool exec = !arguments.first().first().text.startsWith(u'-');
    const QString script = (exec ? QStringLiteral("exec ") : QString()) + words.join(u' ');
    return QStringLiteral("/bin/sh -c %1 sh %2")
        .arg(execQuoted(script), allFiles ? QStringLiteral("%F") : QStringLiteral("%f"));
}

} // namespace

QStringList DesktopExec::splitWindowsCommand(const QString& command)
{
    qsizetype pos = 0;
    while (pos < command.size() && isBlank(command[pos]))
        ++pos;
    if (pos == command.size())
        return {};
    QStringList arguments { takeProgram(command, &pos) };
    arguments += takeArguments(command, pos);
    return arguments;
}

DesktopExec::Result DesktopExec::fromWindowsCommand(const QString& command)
{
    if (command.contains(QChar(0)) || !QStringView(command).isValidUtf16())
        return { {}, Problem::UnstorableCharacter };
    const QStringList split = splitWindowsCommand(command);
    if (split.isEmpty() || split.first().isEmpty())
        return { {}, Problem::EmptyCommand };
    QList<Argument> arguments;
    for (const QString& text : split)
        arguments << parseArgument(text);
    if (!isLiteral(arguments.first()))
        return { {}, Problem::FileAsProgram };
    if (fileCount(arguments) == 0)
        arguments.append({ { Piece::Kind::File, {} } });
    const QString line
        = fitsExecCodes(arguments) ? execCodesLine(arguments) : shellLine(arguments);
    return { DesktopEntry::escaped(line), Problem::None }; // the general escape goes over the quoting
}

} // namespace registry
