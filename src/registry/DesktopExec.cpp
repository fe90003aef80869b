// Turns the open command of a class, a Windows command line, into a desktop entry's Exec value.
#include "registry/DesktopExec.h"

#include "registry/DesktopEntry.h"

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
                for (; i + 1 < command.size() && command[i + 1] == u'"'; ++i) {
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

bool hasReservedCharacter(const QString& text)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    for (const QChar c : text) {
        if (reserved.contains(c))
            return true;
    }
    return false;
}

// A literal argument in the Exec quoting: '%' doubled, and quoted when it holds a reserved
// character (or nothing) with '"', '`', '$' and '\' escaped inside the quotes.
QString quoted(const QString& literal)
{
    QString text = literal;
    text.replace(u'%', QStringLiteral("%%"));
    if (!literal.isEmpty() && !hasReservedCharacter(literal))
        return text;
    QString result = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            result += u'\\';
        result += c;
    }
    return result + u'"';
}

// One argument as the shell would expand it: literal text and at most the file placeholders.
struct ParsedArgument {
    QString literal; // the text with the placeholders taken out
    int filePlaceholders = 0;
    QString withCodes; // the text with %f in place of each file placeholder, '%' doubled
};

ParsedArgument parseArgument(const QString& argument)
{
    ParsedArgument parsed;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        const QChar c = argument[i];
        const QChar next = i + 1 < argument.size() ? argument[i + 1] : QChar();
        if (c == u'%' && isFilePlaceholder(next)) {
            ++parsed.filePlaceholders;
            parsed.withCodes += QStringLiteral("%f");
            ++i;
        } else if (c == u'%') {
            // "%%" is one '%' to the shell; any other '%' stays as it is.
            parsed.literal += c;
            parsed.withCodes += QStringLiteral("%%");
            if (next == u'%')
                ++i;
        } else {
            parsed.literal += c;
            parsed.withCodes += c;
        }
    }
    return parsed;
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
    const QStringList arguments = splitWindowsCommand(command);
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return { {}, Problem::EmptyCommand };
    const QString& program = arguments.first();
    if (parseArgument(program).filePlaceholders > 0 || program == QStringLiteral("%*"))
        return { {}, Problem::FileAsProgram };
    if (program.contains(u'='))
        return { {}, Problem::EqualsInProgram };

    QStringList parts;
    // GLib looks for the program under its name as written, "%%" and all, and drops an entry
    // whose program it cannot find; behind env the name reaches it unescaped.
    if (program.contains(u'%'))
        parts << QStringLiteral("env");
    int fileCodes = 0;
    for (const QString& argument : arguments) {
        if (argument == QStringLiteral("%*")) {
            ++fileCodes;
            parts << QStringLiteral("%F");
            continue;
        }
        const ParsedArgument parsed = parseArgument(argument);
        fileCodes += parsed.filePlaceholders;
        if (parsed.filePlaceholders == 0)
            parts << quoted(parsed.literal);
        else if (parsed.filePlaceholders == 1 && argument.size() == 2)
            parts << QStringLiteral("%f");
        else if (hasReservedCharacter(parsed.literal))
            // Field codes may not stand inside quotes, so such an argument cannot be written.
            return { {}, Problem::UnquotablePlaceholder };
        else
            parts << parsed.withCodes;
    }
    if (fileCodes > 1)
        return { {}, Problem::FileNamedTwice };
    if (fileCodes == 0)
        parts << QStringLiteral("%f");
    return { DesktopEntry::escaped(parts.join(u' ')), Problem::None }; // the general escape goes over the quoting
}

} // namespace registry
