// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own pictures, painted at run time: flags, banner, window icon, hand pointer and
// the marks of found and missing programs.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace Artwork {

QPixmap frenchFlag();   // 32 x 22
QPixmap englishFlag();  // 32 x 22
QPixmap banner();       // 185 x 40
QIcon windowIcon();     // the program's icon: 16, 32, 48 and 64 pixels
QCursor handCursor();   // 32 x 32, hot spot (12, 5)
QIcon programFound();   // 16 x 16: a green tick
QIcon programMissing(); // 16 x 16: a red cross

} // namespace Artwork
