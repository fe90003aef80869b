// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Text handed to and taken back from the shell's icon chooser: padding, widening, trimming.
#pragma once

#include <QString>

namespace mStringUtils {

// The length of a path buffer (MAX_PATH).
inline constexpr int MaxPath = 260;

// True on the Windows NT family and on Linux, whose chooser takes UTF-16 text.
bool IsWinNT();

// `s` followed by NUL characters up to MaxPath characters. Throws std::invalid_argument when `s`
// is longer than MaxPath: the text cannot be handed to the shell at all.
QString PadToMaxPath(const QString& s);

// Widens a buffer for a shell function that takes UTF-16: each character of the result is one
// byte of the UTF-16LE form of `buffer`, low byte first.
QString Widen(const QString& buffer);

// Characters a shell function may write into `buffer` as handed over, terminator included:
// half as many as the buffer holds when it is `widened` (on the NT family, see IsWinNT()),
// plus the terminator added on the way.
int BufferCapacity(const QString& buffer, bool widened);

// True when the characters of `s`, taken as bytes, look like UTF-16LE text.
bool IsUnicodeText(const QString& s);

// The text before the first NUL of `s`, or `s` whole. When `s` holds a widened buffer it is
// first narrowed back in place, so the caller's variable holds the plain text afterwards.
QString TrimNull(QString& s);

} // namespace mStringUtils
