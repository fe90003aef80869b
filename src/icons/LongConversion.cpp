// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The conversion of a text to a 32-bit integer that the icon routines apply to an index text.
#include "icons/LongConversion.h"

#include <QLocale>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace icons {

qint32 toLong(const QString& text)
{
    bool ok; // toDouble() always sets it
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        throw std::invalid_argument("type mismatch: \"" + text.toStdString()
                                    + "\" is not a number");
    // nearbyint rounds halves to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    using Limits = std::numeric_limits<qint32>;
    if (rounded < Limits::min() || rounded > Limits::max())
        throw std::out_of_range("overflow: " + text.toStdString() + " does not fit in 32 bits");
    return qint32(rounded);
}

} // namespace icons
