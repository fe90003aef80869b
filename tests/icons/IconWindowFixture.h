// Icon libraries of solid, distinct colours for the icon window's tests, and checks on pictures.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

namespace iconwindow {

// The colour of icon `n`: every icon a test library holds has a colour of its own.
QColor iconColour(int n);

// Writes a PE icon library of `count` groups, numbered 1 to `count`; group i holds a 16 and a 32
// pixel image of iconColour(firstColour + i).
void writeLibrary(const QString& path, int count, int firstColour = 0);

// True when `picture` is a picture-box image with a `size`-pixel square of `colour` at (1,1)
// on a background of another colour.
bool showsIcon(const QImage& picture, int size, const QColor& colour);

} // namespace iconwindow
