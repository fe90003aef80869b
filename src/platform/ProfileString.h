// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading one value of an INI file, as the platform's profile lookup does it.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Looks up `key` in `section` of `file` and copies the value (or `defaultValue`) into `buffer`
// as the ANSI call does: in the ANSI code page, cut to `size` - 1 characters and NUL-terminated.
// Returns the number of bytes copied, without the NUL; never more than `size` - 1. Our own reader
// gives a value holding characters outside Windows-1252 as UTF-8 (Windows gives "?" for them),
// cut to `size` - 1 bytes between two characters.
int GetPrivateProfileStringA(const QByteArray& section, const QByteArray& key,
                             const QByteArray& defaultValue, char* buffer, int size,
                             const QString& file);

} // namespace platform
