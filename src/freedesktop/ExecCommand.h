// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Turns an installed application's Exec value back into an open command of the classes root.
#pragma once

#include "platform/ProgramPlaces.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace registry {

class ExecCommand {
public:
    // The arguments of `exec`, the value as written in the entry, by the Desktop Entry rules: the
    // string escapes first, then blanks part the arguments and double quotes hold one, with \" \`
    // \$ and \\ inside; field codes are left as they are. Nothing when a quote is left open.
    static std::optional<QStringList> arguments(const QString& exec);

    // The open command that runs what `exec` runs for one file: the program by its absolute path
    // (as found in `places`, else as written) in quotes, %f %F %u %U as "%1" and the other field
    // codes dropped, the other arguments kept, quoted where CommandLineToArgvW would part them, and
    // '%' doubled in them. Nothing when the entry opens no file or cannot be read.
    static std::optional<QString> toCommand(const QString& exec, const platform::ProgramPlaces& places);
};

} // namespace registry
