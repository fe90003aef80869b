// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the command line prints, in the user's language, and the exit statuses that go with it.
#pragma once

#include "platform/Failure.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <cstdio>

namespace registry {
class ClassesRootChange;
}

class CommandOutput {
    Q_DECLARE_TR_FUNCTIONS(CommandOutput)

public:
    // The exit statuses besides 0, done: a request that failed, and one the catalogue or the
    // classes root does not know.
    static constexpr int kFailed = 1;
    static constexpr int kUsageError = 2;

    explicit CommandOutput(bool french);

    static void print(std::FILE* stream, const QString& text);
    QString inLanguage(const platform::Failure& failure) const;

    // Prints the failures on the standard error; returns kFailed.
    int failed(const QList<platform::Failure>& failures) const;
    // Prints the user's mistake on the standard error; returns kUsageError.
    int mistaken(const QString& mistake) const;
    // Tells the change's warnings and failures, or `done` when it went well.
    int finished(const registry::ClassesRootChange& change, const QString& done) const;

private:
    bool m_french;
};
