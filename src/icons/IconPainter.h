// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Paints the icons of our icon library (console cartridges, discs and cards, then save pictograms)
// and the program's own icon.
#pragma once

#include <QImage>
#include <QString>

class QPainter;

namespace icontools {

class IconPainter {
public:
    // Number of icons; their order is the group order of the library.
    static int count();
    // A short file-name key of icon `index` ("nes", "floppy"...).
    static QString key(int index);
    // Icon `index` painted on a transparent square of `size` pixels.
    static QImage paint(int index, int size);

    // The program's own icon, an orange cartridge labelled Z, painted on `painter` over the square
    // (0, 0, size, size); from 16 pixels down it is drawn pixel by pixel to stay sharp.
    static void paintApplication(QPainter& painter, int size);
    static QImage paintApplication(int size);
};

} // namespace icontools
