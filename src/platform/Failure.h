// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What went wrong, or what may not work, told to the user in either of the program's languages.
#pragma once

#include <QString>

namespace platform {

struct Failure {
    QString english;
    QString french;

    const QString& inLanguage(bool inFrench) const { return inFrench ? french : english; }

    friend bool operator==(const Failure&, const Failure&) = default;
};

} // namespace platform
