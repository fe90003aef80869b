// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program a command line of the classes root starts, read from its words.
#include "platform/CommandProgram.h"

#include <QRegularExpression>

namespace platform {

QStringList commandWords(const QString& commandLine)
{
    // Made once: a Finish reads the command of every class of the hive.
    static const QRegularExpression space(QStringLiteral("\\s")), spaces(QStringLiteral("\\s+"));
    const QString line = commandLine.trimmed();
    // As the shell reads the program: up to the closing quote when it starts with one.
    const bool quoted = line.startsWith(u'"');
    qsizetype end = quoted ? line.indexOf(u'"', 1) : line.indexOf(space);
    if (end < 0)
        end = line.size();
    QStringList words {line.mid(quoted ? 1 : 0, end - (quoted ? 1 : 0))};
    words += line.mid(end + 1).split(spaces, Qt::SkipEmptyParts);
    return words;
}

QString flatpakApplication(const QStringList& words)
{
    static const QRegularExpression separator(QStringLiteral("[/\\\\]"));
    const QString program = words.value(0).section(separator, -1);
    if (program != QLatin1String("flatpak") || words.value(1) != QLatin1String("run"))
        return {};
    for (const QString& word : words.mid(2)) {
        if (!word.startsWith(u'-'))
            return word;
    }
    return {};
}

QString commandProgramName(const QString& commandLine)
{
    const QStringList words = commandWords(commandLine);
    const QString application = flatpakApplication(words);
    return application.isEmpty() ? words.first() : application;
}

} // namespace platform
