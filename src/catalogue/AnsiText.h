// The text layer between the catalogue's 8-bit text and the program's Unicode text.
#pragma once

#include <QByteArray>
#include <QString>

namespace AnsiText {

// Decodes catalogue bytes: UTF-8 when they are valid UTF-8, Windows-1252 otherwise (catalogues
// written on Windows). When `cutShort` is true the bytes are a value cut at the length limit, and
// a UTF-8 character cut in half at their end is dropped rather than shown as garbage.
QString decode(const QByteArray& bytes, bool cutShort = false);

// Text as a control or the registry receives it: it ends at its first NUL character.
QString untilNul(const QString& text);

} // namespace AnsiText
