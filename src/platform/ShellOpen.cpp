// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening links: the test hook, then the platform's opener.
#include "platform/ShellOpen.h"

namespace platform {
namespace {
ShellOpenHook& hook()
{
    static ShellOpenHook instance;
    return instance;
}
} // namespace

void ShellExecuteOpen(const QString& target)
{
    if (hook())
        hook()(target);
    else
        detail::openWithShell(target);
}

void setShellOpenHook(ShellOpenHook newHook)
{
    hook() = std::move(newHook);
}

} // namespace platform
