// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own pictures, painted at run time: flags, banner, window icon, hand pointer and
// the marks of found and missing programs.
#include "wizard/Artwork.h"

#include "icons/IconPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Artwork {
namespace {

QPixmap blank(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A mark of two strokes, drawn round and thick enough to read at 16 pixels.
QIcon mark(const QColor& colour, const QPolygonF& strokes)
{
    QPixmap pixmap = blank(16, 16);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLines(strokes);
    return QIcon(pixmap);
}

} // namespace

QIcon programFound()
{
    return mark(QColor(0, 140, 0), {QPointF(3, 8.5), QPointF(6.5, 12), QPointF(6.5, 12), QPointF(13, 4)});
}

QIcon programMissing()
{
    return mark(QColor(200, 0, 0), {QPointF(4, 4), QPointF(12, 12), QPointF(12, 4), QPointF(4, 12)});
}

QPixmap frenchFlag()
{
    QPixmap pixmap = blank(32, 22);
    QPainter painter(&pixmap);
    painter.fillRect(0, 0, 11, 22, QColor(0, 35, 149));
    painter.fillRect(11, 0, 10, 22, Qt::white);
    painter.fillRect(21, 0, 11, 22, QColor(237, 41, 57));
    painter.setPen(QColor(80, 80, 80));
    painter.drawRect(0, 0, 31, 21);
    return pixmap;
}

QPixmap englishFlag()
{
    QPixmap pixmap = blank(32, 22);
    QPainter painter(&pixmap);
    for (int stripe = 0; stripe < 11; ++stripe)
        painter.fillRect(0, stripe * 2, 32, 2, stripe % 2 ? Qt::white : QColor(178, 34, 52));
    painter.fillRect(0, 0, 14, 12, QColor(60, 59, 110));
    painter.setPen(Qt::white);
    for (int y = 2; y < 12; y += 3)
        for (int x = 2 + (y % 2); x < 14; x += 3)
            painter.drawPoint(x, y);
    painter.setPen(QColor(80, 80, 80));
    painter.drawRect(0, 0, 31, 21);
    return pixmap;
}

QPixmap banner()
{
    QPixmap pixmap = blank(185, 40);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 40);
    sky.setColorAt(0, QColor(30, 30, 60));
    sky.setColorAt(1, QColor(0, 0, 0));
    painter.fillRect(pixmap.rect(), sky);
    painter.translate(4, 4);
    icontools::IconPainter::paintApplication(painter, 32);
    painter.translate(-4, -4);
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(26);
    title.setBold(true);
    title.setItalic(true);
    painter.setFont(title);
    painter.setPen(QColor(255, 128, 0));
    painter.drawText(QRectF(40, 0, 145, 40), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Zelvane"));
    return pixmap;
}

QIcon windowIcon()
{
    // The program's icon, as the menu shows it; the larger images serve task bars and switchers.
    QIcon icon;
    for (const int size : {16, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(icontools::IconPainter::paintApplication(size)));
    return icon;
}

QCursor handCursor()
{
    QPixmap pixmap = blank(32, 32);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // A hand with the forefinger pointing up; its tip is the hot spot.
    QPainterPath hand;
    hand.addRoundedRect(QRectF(10, 3, 5, 16), 2.5, 2.5);   // forefinger
    hand.addRoundedRect(QRectF(15, 11, 4.5, 10), 2, 2);    // middle finger
    hand.addRoundedRect(QRectF(19.5, 12, 4.5, 9), 2, 2);   // ring finger
    hand.addRoundedRect(QRectF(24, 13.5, 4, 8), 2, 2);     // little finger
    hand.addRoundedRect(QRectF(10, 16, 18, 11), 4, 4);     // palm
    QPainterPath thumb;
    thumb.moveTo(10, 22);
    thumb.lineTo(5, 16);
    thumb.quadTo(3, 13.5, 6, 14);
    thumb.lineTo(11, 18);
    thumb.closeSubpath();
    hand = hand.united(thumb).simplified();
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(hand);
    painter.end();
    return QCursor(pixmap, 12, 5);
}

} // namespace Artwork
