// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the command line prints, in the user's language, and the exit statuses that go with it.
#include "cli/CommandOutput.h"

#include "associations/ClassesRootChange.h"

CommandOutput::CommandOutput(bool french)
    : m_french(french)
{
}

void CommandOutput::print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

QString CommandOutput::inLanguage(const platform::Failure& failure) const
{
    return failure.inLanguage(m_french);
}

int CommandOutput::failed(const QList<platform::Failure>& failures) const
{
    for (const platform::Failure& failure : failures)
        print(stderr, QStringLiteral("zelvane: %1\n").arg(inLanguage(failure)));
    return kFailed;
}

int CommandOutput::mistaken(const QString& mistake) const
{
    print(stderr, QStringLiteral("zelvane: %1\n").arg(mistake));
    return kUsageError;
}

int CommandOutput::finished(const registry::ClassesRootChange& change, const QString& done) const
{
    // What was written but may not work is told whether the rest went well or not.
    for (const platform::Failure& warning : change.warnings())
        print(stderr, tr("zelvane: warning: %1\n").arg(inLanguage(warning)));
    if (!change.failures().isEmpty())
        return failed(change.failures());
    print(stdout, done + QLatin1Char('\n'));
    return 0;
}
