// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The application's style: the platform's own, except for the pictures that it would read from
// image files at start-up, which load every image-format plugin.
#include "wizard/WizardStyle.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QPolygonF>
#include <QStyleOption>

void WizardStyle::install()
{
    QApplication::setStyle(new WizardStyle);
}

QIcon WizardStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                const QWidget* widget) const
{
    // Every menu bar asks for its overflow chevron when it is built; the platform's picture comes
    // from an image file, and reading the first image file loads every image-format plugin
    // (several milliseconds at each start-up). The chevron is painted instead.
    if (standardIcon != SP_ToolBarHorizontalExtensionButton && standardIcon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    QPixmap chevron(16, 16);
    chevron.fill(Qt::transparent);
    QPainter painter(&chevron);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QApplication::palette().color(QPalette::ButtonText), 1.5));
    for (const qreal x : {4.0, 8.0})
        painter.drawPolyline(QPolygonF({{x, 4}, {x + 4, 8}, {x, 12}}));
    painter.end();
    if (standardIcon == SP_ToolBarVerticalExtensionButton)
        chevron = chevron.transformed(QTransform().rotate(90));
    return QIcon(chevron);
}

void WizardStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const
{
    // Fusion draws group box frames and the arrows of drop-down lists from image files; the first
    // one painted would load every image-format plugin. The same shapes are painted instead.
    const bool fusion = baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
    if (fusion && element == PE_FrameGroupBox)
        drawGroupBoxFrame(option, painter, widget);
    else if (fusion && element == PE_IndicatorArrowDown)
        drawDownArrow(option, painter);
    else
        QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void WizardStyle::drawGroupBoxFrame(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    // As Fusion does: a titled box's frame starts below the title's line.
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    const int titleMargin = box && (box->isCheckable() || !box->title().isEmpty())
        ? qMax(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget), option->fontMetrics.height()) + 3
        : 0;
    const QRectF frame = QRectF(option->rect).adjusted(0.5, titleMargin + 0.5, -0.5, -0.5);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setBrush(QColor(0, 0, 0, 8));
    painter->setPen(option->palette.color(QPalette::Window).darker(140));
    painter->drawRoundedRect(frame, 2, 2);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QColor(255, 255, 255, 50));
    painter->drawRoundedRect(frame.adjusted(1, 1, -1, -1), 2, 2);
    painter->restore();
}

void WizardStyle::drawDownArrow(const QStyleOption* option, QPainter* painter)
{
    const QRectF box = option->rect;
    const qreal half = qMin(box.width(), box.height()) / 4.0;
    const QPointF centre = box.center();
    const auto group = option->state & State_Enabled ? QPalette::Active : QPalette::Disabled;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(option->palette.color(group, QPalette::ButtonText));
    painter->drawPolygon(QPolygonF({centre + QPointF(-half, -half / 2), centre + QPointF(half, -half / 2),
                                    centre + QPointF(0, half / 2)}));
    painter->restore();
}
