// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a request of the command line without a window: lists, associates, removes, undoes.
#pragma once

#include "cli/CommandLine.h"
#include "cli/CommandOutput.h"

#include <QString>

class CommandLineRunner {
public:
    // `programDirectory` holds the shipped catalogue and icon library; `french` chooses the
    // language of what is printed.
    CommandLineRunner(QString programDirectory, bool french);

    // Runs `request`: results on the standard output, what went wrong on the standard error.
    // Returns the exit status: 0 done, 1 failed, 2 a console, emulator, extension, icon or
    // association the catalogue or the classes root does not know.
    int run(const CommandRequest& request);

private:
    QString m_programDirectory;
    QString m_catalogueFile;
    CommandOutput m_output;
};
