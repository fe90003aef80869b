// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// --list: the associations of the classes root and whether the desktop follows them, as text or
// as JSON.
#pragma once

#include "cli/CommandOutput.h"
#include "platform/ClassesRoot.h"
#include "associations/AssociationList.h"

#include <QString>
#include <optional>

class ListRequest {
public:
    ListRequest(const CommandOutput& output, QString catalogueFile);

    int run(bool json) const;

    // The associations of `root`, which stays open for a change; nothing, with the reason
    // printed, when it cannot be read.
    static std::optional<registry::AssociationList> read(platform::ClassesRoot& root, const QString& catalogueFile,
                                                         const CommandOutput& output);

private:
    const CommandOutput& m_output;
    QString m_catalogueFile;
};
