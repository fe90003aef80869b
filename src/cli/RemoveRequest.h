// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// --remove: takes one association, named by its console or one of its classes, out of the
// classes root.
#pragma once

#include "cli/CommandOutput.h"

#include <QString>

class RemoveRequest {
public:
    RemoveRequest(const CommandOutput& output, QString catalogueFile);

    int run(const QString& name) const;

private:
    const CommandOutput& m_output;
    QString m_catalogueFile;
};
