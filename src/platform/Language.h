// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's language: the one the user chose, else the system's, and its translation.
#pragma once

#include <QString>

namespace platform {

// Whether the program speaks French: the language stored by the wizard (`Langue=FR`), else,
// until one is stored, the system's.
bool speaksFrench();

// Puts the program's French translation in force for the texts made from now on, or takes it
// away for English (the texts as written in the source). Needs the application object.
void translateInto(bool french);

// The French of `source` (marked with QT_TRANSLATE_NOOP in `context`), whatever language is in
// force: for what is told in either language later, and for files that hold both.
QString frenchOf(const char* context, const char* source);

} // namespace platform
