// Paints the icons of our icon library: console cartridges, discs and cards, then save pictograms.
#pragma once

#include <QImage>
#include <QString>

namespace icontools {

class IconPainter {
public:
    // Number of icons; their order is the group order of the library.
    static int count();
    // A short file-name key of icon `index` ("nes", "floppy"...).
    static QString key(int index);
    // Icon `index` painted on a transparent square of `size` pixels.
    static QImage paint(int index, int size);
};

} // namespace icontools
