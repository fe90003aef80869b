// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the tests that read associations back: the desktop's own tools and what they run.
#pragma once

#include "hive/RegistryHive.h"

#include <QMap>
#include <QProcessEnvironment>
#include <QStringList>
#include <optional>
#include <ostream>

namespace desktoptest {

// How a tool ended, and its standard output and error together.
struct Run { int exitCode = -1; QString output; };

// Runs `program` in `environment`, by default the test's (XDG folders of TestEnvironment) with the
// system data folders known to GIO and no desktop session services; exitCode -1 when it cannot
// start or runs longer than `timeoutMs`.
Run run(const QString& program, const QStringList& arguments, const std::optional<QProcessEnvironment>& environment = {},
        int timeoutMs = 30'000);

// `gio info` of `path`: its content type and the icon names, best first.
QString contentType(const QString& path);
QStringList iconNames(const QString& path);
// The default application `gio mime` names for `mimeType`.
QString defaultApplication(const QString& mimeType);

// A shell script that writes its arguments, one per line, to `outputPath`.
QByteArray recorderScript(const QString& outputPath);
// Waits up to a few seconds for `path` to be written, then returns its lines.
QStringList waitForLines(const QString& path);

// The hive a .reg file holds, read through the hive reader; a file it cannot read fails the test.
registry::RegistryHive readHive(const QString& path);

// Every file below `folder`, with its path.
QStringList filesBelow(const QString& folder);
// Every file below `folder` with its bytes (none for what is not a regular file, such as a FIFO).
QMap<QString, QByteArray> contentsBelow(const QString& folder);

} // namespace desktoptest

// Lets GoogleTest print texts in its failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
