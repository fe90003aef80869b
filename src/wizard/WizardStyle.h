// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The application's style: the platform's own, except for the pictures that it would read from
// image files at start-up, which load every image-format plugin.
#pragma once

#include <QProxyStyle>

class WizardStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Puts the style over the application's current one; call once the QApplication exists.
    static void install();

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                       const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

private:
    void drawGroupBoxFrame(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    static void drawDownArrow(const QStyleOption* option, QPainter* painter);
};
