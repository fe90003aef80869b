// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The text of a .reg file: its bytes decoded into lines and its lines encoded as the registry
// editor writes them.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace registry::RegFileText {

// Text a line of the file can hold and that stays the same text through UTF-16 and UTF-8.
bool isStorableText(const QString& text);

// UTF-16LE read and written unit by unit, so that nothing in it changes, half a surrogate pair
// included; a last byte without its pair is left out.
QString utf16Text(QByteArrayView bytes);
QByteArray utf16Bytes(const QString& text);

// Version-5 files as the registry editor writes them are UTF-16LE with a byte-order mark; the
// hives of earlier versions of this program are UTF-8, and REGEDIT4 files are ANSI. `cut` tells
// a UTF-16 text whose last unit is cut in half.
QString decoded(const QByteArray& bytes, bool* cut);

// The lines of a text, split at CRLF, LF or a lone CR as the registry editor splits them; the
// text after the last line end is one more line.
QStringList linesOf(const QString& text);

// A whole file in UTF-16LE with a byte-order mark and CRLF line ends, the last line's included
// unless `lastLineEnded` is false.
QByteArray fileBytes(const QStringList& lines, bool lastLineEnded = true);

} // namespace registry::RegFileText
