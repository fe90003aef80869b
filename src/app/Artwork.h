// The program's own pictures, painted at run time: flags, banner, window icon and hand pointer.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace Artwork {

QPixmap frenchFlag();   // 32 x 22
QPixmap englishFlag();  // 32 x 22
QPixmap banner();       // 185 x 40
QIcon windowIcon();     // 16 x 16 and 32 x 32
QCursor handCursor();   // 32 x 32, hot spot (12, 5)

} // namespace Artwork
