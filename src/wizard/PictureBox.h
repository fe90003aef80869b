// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A picture box with a persistent image: what is drawn on it stays until it is cleared.
#pragma once

#include <QFrame>
#include <QImage>

namespace icons {

class PictureBox : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Clears the persistent image to the background colour.
    void Cls();
    // The persistent image, to draw on.
    QImage& hDC() { return m_image; }
    // Shows what has been drawn.
    void Refresh() { update(); }
    // A copy of the persistent image: the drawing, on the background colour.
    QImage Image() const { return m_image; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

} // namespace icons
