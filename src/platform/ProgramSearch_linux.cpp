// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the program of a command line is found where this Linux session would look for it.
#include "platform/ProgramSearch.h"

#include "platform/CommandProgram.h"
#include "platform/ProgramPlaces.h"

namespace platform {

bool commandProgramIsFound(const QString& commandLine)
{
    return !ProgramPlaces::ofThisSession().startedProgram(commandWords(commandLine)).isEmpty();
}

} // namespace platform
