// The application's style: the platform's own, except for the one picture that would make every
// start-up load the image-format plugins.
#include "app/WizardStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPolygonF>

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
