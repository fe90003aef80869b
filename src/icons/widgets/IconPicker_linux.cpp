// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The icon chooser on Linux: the program's own dialog over its icon-library reader.
#include "platform/widgets/IconPicker.h"

#include "icons/widgets/IconChooserDialog.h"

#include <QWidget>

namespace platform::detail {

int showIconPicker(QWidget* owner, QString& path, int maxLength, int& index)
{
    // A dialog is centred over its parent; a hidden or off-screen owner would take it out of
    // the user's sight, so then it stands alone, in the middle of the screen.
    QWidget* parent = owner && owner->isVisible() && !owner->testAttribute(Qt::WA_DontShowOnScreen)
        ? owner->window()
        : nullptr;
    icons::IconChooserDialog dialog(path, index, parent);
    dialog.setMaxPathLength(maxLength);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    path = dialog.path();
    index = dialog.index();
    return 1;
}

} // namespace platform::detail
