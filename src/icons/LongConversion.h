// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The conversion of a text to a 32-bit integer that the icon routines apply to an index text.
#pragma once

#include <QString>
#include <QtGlobal>

namespace icons {

// The number `text` spells, rounded to the nearest integer (halves to even): surrounding blanks,
// a sign, a fraction and an exponent are allowed. Throws std::invalid_argument (type mismatch)
// when `text` is not a number and std::out_of_range (overflow) when it is outside 32 bits.
qint32 toLong(const QString& text);

} // namespace icons
