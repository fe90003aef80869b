// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes: the test hook, then the platform's box.
#include "platform/widgets/MessageBox.h"

namespace platform {
namespace {
MessageBoxHook& hook()
{
    static MessageBoxHook instance;
    return instance;
}
} // namespace

void MsgBox(const QString& text, int style, const QString& title, QWidget* parent)
{
    if (hook())
        hook()(text, style, title);
    else
        detail::showMessageBox(text, style, title, parent);
}

void setMessageBoxHook(MessageBoxHook newHook)
{
    hook() = std::move(newHook);
}

} // namespace platform
