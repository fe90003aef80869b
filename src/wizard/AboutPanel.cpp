// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The About panel of the main window: shown and hidden, and its two links lit under the pointer.
#include "wizard/AboutPanel.h"

#include "wizard/Artwork.h"
#include "wizard/ClickableLabel.h"
#include "wizard/Zelvane15Controls.h"

#include <QAction>

namespace AboutPanel {

namespace {

// Link colours, as packed red-green-blue values 33023 and 16711680.
const QColor kLinkOrange(255, 128, 0);
const QColor kLinkBlue(0, 0, 255);

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

void toggle(const Zelvane15Controls& c)
{
    if (c.P2->isHidden()) {
        if (c.I1->pixmap().isNull())
            c.I1->setPixmap(Artwork::banner());
        c.P2->show();
        c.lng->setEnabled(false);
    } else {
        hide(c);
    }
}

void hide(const Zelvane15Controls& c)
{
    c.P2->hide();
    c.lng->setEnabled(true);
}

void light(const Zelvane15Controls& c, const QWidget* link)
{
    setTextColour(c.Lad, link == c.Lad ? kLinkBlue : kLinkOrange);
    setTextColour(c.Lma, link == c.Lma ? kLinkBlue : kLinkOrange);
}

} // namespace AboutPanel
