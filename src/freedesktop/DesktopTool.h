// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Runs one of the desktop's database tools and tells how it went.
#pragma once

#include "platform/ClassesRoot.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <optional>

namespace registry {

class DesktopTool {
public:
    // Starts `program` (looked up in PATH) at once; several tools may run side by side.
    DesktopTool(const QString& program, const QStringList& arguments);
    DesktopTool(const DesktopTool&) = delete;
    DesktopTool& operator=(const DesktopTool&) = delete;

    // Waits for the tool; a tool that cannot be started, crashes, exits with another code than
    // 0 or outlasts the time limit is a failure, with what it printed on its error output.
    std::optional<platform::Failure> finish();

private:
    QString m_commandLine;
    QProcess m_process;
};

} // namespace registry
