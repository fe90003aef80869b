// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the open command of a class, a Windows command line, into a desktop entry's Exec value.
#pragma once

#include <QString>
#include <QStringList>

namespace registry {

class DesktopExec {
public:
    enum class Problem {
        None,
        EmptyCommand, // no program to run
        FileAsProgram, // the file placeholder stands where the program belongs
        UnstorableCharacter, // a NUL or an unpaired surrogate, which no argument can carry
    };

    struct Result {
        QString exec; // the Exec value as written in the file, both escape layers applied
        Problem problem = Problem::None;
    };

    // Splits `command` into arguments as CommandLineToArgvW does: the program ends at the next
    // quote when it starts with one, else at the first blank; the other arguments follow the
    // C runtime's rules for quotes and backslashes.
    static QStringList splitWindowsCommand(const QString& command);

    // The Exec value that runs exactly the argument vector the shell runs for `command`: its
    // split arguments with the file in place of each placeholder ("%1", "%L", "%l", "%0"), the
    // files in place of an argument "%*", "%%" as one '%' and every other '%' literal, and the
    // file appended to a command without placeholder. Written with the field codes where they
    // can say it (one %f or %F alone, quoted literals), else as `/bin/sh -c SCRIPT sh %f` (or
    // %F) with the file as the script's first parameter. The value holds no control character
    // but the escaped \t, \n and \r.
    static Result fromWindowsCommand(const QString& command);
};

} // namespace registry
