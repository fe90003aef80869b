// Reads a desktop entry's Exec value back to the program and arguments a launcher runs, by the
// Desktop Entry rules alone, and through the `/bin/sh -c` scripts the publisher writes.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace desktoptest {

// The argument vector a launcher runs for the Exec value `value` (as written in the file, string
// escapes included) and `files`: %f is the first file (a launcher runs one process per file),
// %F all of them, %% one '%'. Empty when the value breaks the rules: a control character, an
// unknown escape, an unquoted reserved character, a quote that does not enclose a whole
// argument, '=' in the program, a field code other than %f %F %%, inside quotes or glued to
// other text, or not exactly one file field code.
std::optional<QStringList> launchedArguments(const QString& value, const QStringList& files);

// What `launched` finally runs: itself, or for `/bin/sh -c SCRIPT NAME PARAMETERS...` the words
// of SCRIPT, which may hold only single-quoted text, \' outside quotes, "$1", "$@" alone and
// "$(printf '\NNN')", and may start with `exec ` (not before a program starting with '-', which
// bash's exec would take for an option). Empty for any other script.
std::optional<QStringList> shellArguments(const QStringList& launched);

// Both in turn.
std::optional<QStringList> execArguments(const QString& value, const QStringList& files);

} // namespace desktoptest
