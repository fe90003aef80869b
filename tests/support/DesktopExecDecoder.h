// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a desktop entry's Exec value back to the program and arguments a launcher runs, by the
// Desktop Entry rules alone, and through the `/bin/sh -c` scripts the publisher writes.
#pragma once

#include <QStringList>
#include <optional>

namespace desktoptest {

// The argument vectors a launcher runs for the Exec value `value` (as written in the file,
// string escapes included) and `files` (at least one): one process per file for %f, one for
// all of them with %F; %% is one '%'. Empty when the value breaks the rules: a control
// character, an unknown escape, an unquoted reserved character, a quote that does not enclose
// a whole argument, '=' in the program, a field code other than %f %F %%, inside quotes or
// glued to other text, or not exactly one file field code.
std::optional<QList<QStringList>> launchedArguments(const QString& value, const QStringList& files);

// Each of those as it finally runs: itself, or for `/bin/sh -c SCRIPT NAME PARAMETERS...` the
// words of SCRIPT, which may hold only single-quoted text, \' outside quotes, "$1", "$@" alone and
// "$(printf '\NNN')", and may start with `exec ` (not before a program starting with '-', which
// bash's exec would take for an option). Empty when any breaks the rules.
std::optional<QList<QStringList>> execArguments(const QString& value, const QStringList& files);

} // namespace desktoptest
