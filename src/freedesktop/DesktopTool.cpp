// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Runs one of the desktop's database tools and tells how it went.
#include "freedesktop/DesktopTool.h"

namespace registry {

namespace {

// The tools finish in well under a second; a tool still running after this is stuck.
constexpr int kTimeLimitMs = 60'000;

} // namespace

DesktopTool::DesktopTool(const QString& program, const QStringList& arguments)
    : m_commandLine((QStringList { program } + arguments).join(u' '))
{
    m_process.setProgram(program);
    m_process.setArguments(arguments);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start();
}

std::optional<platform::Failure> DesktopTool::finish()
{
    if (!m_process.waitForFinished(kTimeLimitMs) && m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
        const QString seconds = QString::number(kTimeLimitMs / 1000);
        return platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "%1 did not finish within %2 seconds")).arg(m_commandLine, seconds);
    }
    if (m_process.error() == QProcess::FailedToStart) {
        return platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "Could not run %1: %2")).arg(m_commandLine, m_process.errorString());
    }
    const QString output = QString::fromLocal8Bit(m_process.readAllStandardError()).trimmed();
    if (m_process.exitStatus() == QProcess::CrashExit) {
        return platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "%1 stopped abnormally: %2")).arg(m_commandLine, output);
    }
    if (m_process.exitCode() != 0) {
        const QString code = QString::number(m_process.exitCode());
        return platform::Failure::translated(QT_TRANSLATE_NOOP("Failure", "%1 failed (exit code %2): %3")).arg(m_commandLine, code, output);
    }
    return std::nullopt;
}

} // namespace registry
