// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Modal message boxes, with a hook through which tests answer them.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace platform {

inline constexpr int MsgBoxOk = 0;           // OK button, no icon
inline constexpr int MsgBoxCritical = 16;    // critical-stop icon, OK button
inline constexpr int MsgBoxExclamation = 48; // exclamation-point icon, OK button

// Shows a modal box with `text`, `style` (0, 16 or 48) and `title`; returns when it is dismissed.
void MsgBox(const QString& text, int style, const QString& title, QWidget* parent = nullptr);

// While set, MsgBox calls the hook instead of showing a box.
using MessageBoxHook = std::function<void(const QString& text, int style, const QString& title)>;
void setMessageBoxHook(MessageBoxHook hook);

namespace detail {
// The platform's own modal box, one implementation per platform.
void showMessageBox(const QString& text, int style, const QString& title, QWidget* parent);
} // namespace detail

} // namespace platform
