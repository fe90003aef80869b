// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A clickable label the keyboard reaches too: Tab stops on it, a frame shows it has the focus,
// and Space or Return click it.
#pragma once

#include "wizard/ClickableLabel.h"

class FocusableLabel : public ClickableLabel {
    Q_OBJECT
public:
    explicit FocusableLabel(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
