// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing and releasing icons, the same on every platform: the pictures are plain images here.
#include "platform/ShellIcons.h"

#include <QPainter>

namespace platform {

bool DrawIconEx(QImage& dc, int x, int y, const Icon& icon, int width, int height)
{
    if (icon.image.isNull() || dc.isNull())
        return false;
    const QSize size(width == 0 ? icon.image.width() : width,
                     height == 0 ? icon.image.height() : height);
    QPainter painter(&dc);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(x, y), size), icon.image);
    return true;
}

bool DestroyIcon(Icon& icon)
{
    if (icon.image.isNull())
        return false;
    icon.image = QImage();
    return true;
}

} // namespace platform
