// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The text layer between the catalogue's 8-bit text and the program's Unicode text.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace AnsiText {

// Decodes catalogue bytes: UTF-8 when they are valid UTF-8, Windows-1252 otherwise (catalogues
// written on Windows).
QString decode(const QByteArray& bytes);

bool isUtf8(const QByteArray& bytes);

// The Windows-1252 bytes of `text`, or nothing when a character has none.
std::optional<QByteArray> encodeCp1252(QStringView text);

// Text as a control or the registry receives it: it ends at its first NUL character.
QString untilNul(const QString& text);

} // namespace AnsiText
