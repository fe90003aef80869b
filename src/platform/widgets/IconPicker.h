// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The shell's icon chooser (PickIconDlg, shell32 ordinal 62), with a hook for tests.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace platform {

// Lets the user choose an icon; nonzero when a choice was accepted.
// `iconPath` is the path buffer as the program holds it: its characters are the bytes the shell
// receives, followed by a terminator; the chooser reads and writes them as UTF-16LE text.
// `cchIconPath` is the buffer's capacity in UTF-16 characters, terminator included: the chooser
// never writes past it, and a choice whose path does not fit is not accepted. `iconIndex` is the
// icon selected at the start and, when accepted, the position of the chosen icon.
int PickIconDlg(QWidget* owner, QString& iconPath, int cchIconPath, int& iconIndex);

// While set, PickIconDlg calls the hook instead of showing the chooser. The hook gets the path
// and index read from the buffer, may change both, and returns nonzero to accept.
using IconPickerHook = std::function<int(QString& path, int& index)>;
void setIconPickerHook(IconPickerHook hook);

namespace detail {
// The platform's chooser on a plain path of at most `maxLength` characters.
int showIconPicker(QWidget* owner, QString& path, int maxLength, int& index);
} // namespace detail

} // namespace platform
