// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes drawn by Qt.
#include "platform/widgets/MessageBox.h"

#include <QMessageBox>

namespace platform::detail {

void showMessageBox(const QString& text, int style, const QString& title, QWidget* parent)
{
    const QMessageBox::Icon icon = style == MsgBoxCritical  ? QMessageBox::Critical
                                 : style == MsgBoxExclamation ? QMessageBox::Warning
                                                              : QMessageBox::NoIcon;
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace platform::detail
