// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Ending the program at once: no further handler of any window runs.
#pragma once

#include <functional>

namespace platform {

// Ends the process at once. When a hook is set (tests) the hook runs instead and the call
// returns; callers return from their handler straight after it.
void EndProgram();

using EndProgramHook = std::function<void()>;
void setEndProgramHook(EndProgramHook hook);

} // namespace platform
