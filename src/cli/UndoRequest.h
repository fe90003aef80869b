// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// --undo: puts back what the latest backup holds, then lets that backup go.
#pragma once

#include "cli/CommandOutput.h"

#include <QString>

class UndoRequest {
public:
    UndoRequest(const CommandOutput& output, QString catalogueFile);

    int run() const;

private:
    const CommandOutput& m_output;
    QString m_catalogueFile;
};
