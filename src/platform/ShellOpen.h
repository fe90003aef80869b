// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a web address or a mailto: link in the user's default program.
#pragma once

#include <QString>
#include <functional>

namespace platform {

// Hands `target` to the desktop's opener; failures are not reported.
void ShellExecuteOpen(const QString& target);

// While set, ShellExecuteOpen calls the hook instead of the desktop's opener.
using ShellOpenHook = std::function<void(const QString& target)>;
void setShellOpenHook(ShellOpenHook hook);

namespace detail {
// The platform's own opener, one implementation per platform.
void openWithShell(const QString& target);
} // namespace detail

} // namespace platform
