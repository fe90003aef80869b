// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening links through the Windows shell.
#include "platform/ShellOpen.h"

#include <windows.h>
#include <shellapi.h>

namespace platform::detail {

void openWithShell(const QString& target)
{
    ShellExecuteW(nullptr, nullptr, reinterpret_cast<const wchar_t*>(target.utf16()), L"", nullptr,
                  SW_SHOWNORMAL);
}

} // namespace platform::detail
