// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Values the three windows share: the console names, the chosen classes, the icon choices.
#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

struct SharedValues {
    // Console names of the catalogue's "Console" section; entry n - 1 belongs to console n.
    std::array<QString, 15> ConsoleNames;
    QString SystemDir;
    QString RomTypeName;
    QString SaveTypeName;
    QString CartIconIndex;
    QString SaveIconIndex;
    // 1 = the icon window was opened by a click on an icon image, 2 = by the icons page, 0 = never set.
    int IconWindowMode = 0;
    // 1 = the ROM icon (Img), 2 = the save icon (Img2).
    qint16 IconTarget = 0;
    QString CartIconRef;
    QString SaveIconRef;
};
