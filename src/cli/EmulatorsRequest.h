// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// --emulators: what a console's files can open with here, the catalogue's commands whose programs
// are found and the installed applications that open them, as text or as JSON.
#pragma once

#include "cli/CommandLine.h"
#include "cli/CommandOutput.h"
#include "platform/InstalledApplications.h"
#include "catalogue/ConsoleOffer.h"

#include <QString>

class EmulatorsRequest {
public:
    EmulatorsRequest(const CommandOutput& output, QString catalogueFile);

    int run(const CommandRequest& request) const;

private:
    QString emulatorLines(const registry::ConsoleOffer& offer) const;
    QString fileTypeLine(const QStringList& extensions, const platform::FileTypeApplications& found) const;
    QString applicationLines(const platform::FileTypeApplications& found) const;

    const CommandOutput& m_output;
    QString m_catalogueFile;
};
