// Helpers of the tests that read associations back: the desktop's own tools, a test icon file.
#pragma once

#include "registry/RegistryHive.h"

#include <QStringList>
#include <ostream>
#include <vector>

namespace desktoptest {

// How a tool ended, and its standard output and error together.
struct Run { int exitCode = -1; QString output; };

// Runs `program` in the test's environment (XDG folders of TestEnvironment) with the system
// data folders known to GIO and no desktop session services; exitCode -1 when it cannot start.
Run run(const QString& program, const QStringList& arguments);

// `gio info` of `path`: its content type and the icon names, best first.
QString contentType(const QString& path);
QStringList iconNames(const QString& path);
// The default application `gio mime` names for `mimeType`.
QString defaultApplication(const QString& mimeType);

// An .ico file holding one PNG image of each size, each filled with `colour`.
QByteArray icoFile(const std::vector<int>& sizes, unsigned int colour);

// A shell script that writes its arguments, one per line, to `outputPath`.
QByteArray recorderScript(const QString& outputPath);
// Waits up to a few seconds for `path` to be written, then returns its lines.
QStringList waitForLines(const QString& path);

// The hive a .reg file holds, read through the hive reader; a file it cannot read fails the test.
registry::RegistryHive readHive(const QString& path);

// Every file below `folder`, with its path.
QStringList filesBelow(const QString& folder);

} // namespace desktoptest

// Lets GoogleTest print texts in its failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
