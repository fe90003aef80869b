// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own folders and the copy of the icon library into the per-user system folder.
#pragma once

#include <QString>

namespace platform {

// The folder of the running executable, without a trailing separator.
QString programDirectory();

// The folder that receives the icon library, created when missing: a per-user folder that an
// ordinary user can write, %LOCALAPPDATA%\Zelvane on Windows and $XDG_DATA_HOME/zelvane on Linux.
// (The Windows System folder, where the library once went, needs administrator rights.)
// Empty, with `error` set, when it cannot be had.
QString systemDirectory(QString* error);

// Copies `source` over `systemDir`/Emul.dll without ever leaving a half-written file, and makes
// `systemDir`/emul.dll name the same file. A copy that already holds the same bytes is left as it
// is, so a copy that another program holds open is no failure. False, with `error` set, when it
// cannot.
bool installIconLibrary(const QString& source, const QString& systemDir, QString* error);

// Joins a folder and a file name with the platform's separator.
QString joinPath(const QString& folder, const QString& name);

} // namespace platform
