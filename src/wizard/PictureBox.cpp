// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A picture box with a persistent image: what is drawn on it stays until it is cleared.
#include "wizard/PictureBox.h"

#include <QPainter>

namespace icons {

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    Cls();
}

void PictureBox::Cls()
{
    m_image = QImage(contentsRect().size(), QImage::Format_ARGB32_Premultiplied);
    m_image.fill(palette().color(QPalette::Button));
}

// The image always covers the inside of the frame; a new size starts a blank image.
void PictureBox::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (m_image.size() != contentsRect().size())
        Cls();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), m_image);
}

} // namespace icons
