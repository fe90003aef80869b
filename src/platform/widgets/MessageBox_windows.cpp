// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes of the Windows user interface.
#include "platform/widgets/MessageBox.h"

#include <QWidget>
#include <windows.h>

namespace platform::detail {

void showMessageBox(const QString& text, int style, const QString& title, QWidget* parent)
{
    const auto owner = parent ? reinterpret_cast<HWND>(parent->winId()) : nullptr;
    MessageBoxW(owner, reinterpret_cast<const wchar_t*>(text.utf16()),
                reinterpret_cast<const wchar_t*>(title.utf16()), static_cast<UINT>(style));
}

} // namespace platform::detail
