// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The one way the program reads the catalogue: one value per call, looked up in the file anew.
#pragma once

#include <QString>

namespace Fileini {

// The marker for a key without a value: 128 NUL characters. It never equals a value (which has no
// NUL and at most 126 characters) and shows as the empty text.
QString IniEmpty();

// The value of `Key` in `Section` of the catalogue `File` (1 to 126 characters), or IniEmpty() when
// the file, the section, the key or the value is missing.
QString GetIniString(const QString& Section, const QString& Key, const QString& File);

// The catalogue every reader uses: the user's own Zelvane/Zelvane.ini in the per-user configuration
// folder ($XDG_CONFIG_HOME on Linux) when it exists, else the one beside the program,
// `programDirectory` + "Zelvane.ini".
QString cataloguePath(const QString& programDirectory);

// The console number n (1 to 15) as the catalogue writes it: "01" to "15".
QString consoleNumber(int n);

} // namespace Fileini
