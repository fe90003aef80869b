// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What went wrong, or what may not work, told to the user in either of the program's languages.
#pragma once

#include "platform/Language.h"

#include <QString>

namespace platform {

struct Failure {
    QString english;
    QString french;

    // `source` in English and in French, from the program's translation: each text is marked
    // QT_TRANSLATE_NOOP("Failure", ...) where it is written, so that the translation holds it.
    static Failure translated(const char* source)
    {
        return {QString::fromUtf8(source), frenchOf("Failure", source)};
    }

    // Both texts with their place markers filled, as QString::arg fills them; a Failure given
    // fills each text with its own in the same language.
    template <typename... Arguments>
    Failure arg(const Arguments&... arguments) const
    {
        return {english.arg(inLanguageOf(arguments, false)...), french.arg(inLanguageOf(arguments, true)...)};
    }

    const QString& inLanguage(bool inFrench) const { return inFrench ? french : english; }

    template <typename T>
    static const T& inLanguageOf(const T& value, bool) { return value; }
    static const QString& inLanguageOf(const Failure& value, bool inFrench) { return value.inLanguage(inFrench); }

    friend bool operator==(const Failure&, const Failure&) = default;
};

} // namespace platform
