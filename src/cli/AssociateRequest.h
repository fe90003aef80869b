// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// --associate: the wizard's Finish for one console, with the choices given on the command line.
#pragma once

#include "cli/CommandLine.h"
#include "cli/CommandOutput.h"

#include <QString>
#include <QStringList>
#include <optional>

class AssociateRequest {
public:
    // `programDirectory` holds the shipped icon library.
    AssociateRequest(const CommandOutput& output, QString programDirectory, QString catalogueFile);

    int run(const CommandRequest& request) const;

private:
    std::optional<QString> installedIconLibrary() const;

    const CommandOutput& m_output;
    QString m_programDirectory;
    QString m_catalogueFile;
};
