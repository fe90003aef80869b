// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Ending the program at once, the same on every platform.
#include "platform/ProgramEnd.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {
EndProgramHook& hook()
{
    static EndProgramHook instance;
    return instance;
}
} // namespace

void EndProgram()
{
    if (hook()) {
        hook()();
        return;
    }
    // Every preference is stored the moment it changes, so nothing is lost by skipping the
    // destructors; skipping them is what keeps every other window's handlers from running.
    std::fflush(nullptr);
    std::_Exit(0);
}

void setEndProgramHook(EndProgramHook newHook)
{
    hook() = std::move(newHook);
}

} // namespace platform
