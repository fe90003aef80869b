// The program's own folders and the copy of the icon library into the system folder.
#pragma once

#include <QString>

namespace platform {

// The folder of the running executable, without a trailing separator.
QString programDirectory();

// The folder that receives the icon library: the Windows System folder, or on Linux
// $XDG_DATA_HOME/zelvane, created when missing. Empty, with `error` set, when it cannot be had.
QString systemDirectory(QString* error);

// Copies `source` over `systemDir`/Emul.dll without ever leaving a half-written file, and makes
// `systemDir`/emul.dll name the same file. False, with `error` set, when it cannot.
bool installIconLibrary(const QString& source, const QString& systemDir, QString* error);

// Joins a folder and a file name with the platform's separator.
QString joinPath(const QString& folder, const QString& name);

} // namespace platform
