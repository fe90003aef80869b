// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A clickable label the keyboard reaches too: Tab stops on it, a frame shows it has the focus,
// and Space or Return click it.
#include "wizard/FocusableLabel.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

constexpr int kFrameWidth = 2;

} // namespace

FocusableLabel::FocusableLabel(QWidget* parent)
    : ClickableLabel(parent)
{
    // Tab and the program give the focus, a click does not: what a mouse user sees stays as it was.
    setFocusPolicy(Qt::TabFocus);
}

void FocusableLabel::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool activates = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!activates || (event->modifiers() & ~Qt::KeypadModifier)) {
        ClickableLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    Q_EMIT clicked();
}

// The frame is drawn over the picture's edge, in the selection colour, thick enough to be seen on
// the flags, the grey icons page and the black About panel alike.
void FocusableLabel::paintEvent(QPaintEvent* event)
{
    ClickableLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Active, QPalette::Highlight), kFrameWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal inset = kFrameWidth / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}
