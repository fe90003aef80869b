// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the directory of a .ico file, and writes a .ico file from the images of a group.
#pragma once

#include "icons/IconLibraryParts.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace icons {

class BoundedReader;

// True when the file starts with the header of a .ico file.
bool isIcoFile(const BoundedReader& bytes);

// Lists the one group of a .ico file in `groups`. Returns why it holds none, empty when it does.
QString readIcoDirectory(const BoundedReader& bytes, GroupTable& groups);

// The images of a .ico file. Those lying outside the file are left out; the first reason goes to `problem`.
std::vector<ImageSlot> icoImages(const BoundedReader& bytes, QString* problem);

// `images` as a standalone .ico file, their data read from `bytes`.
QByteArray icoFile(const std::vector<ImageSlot>& images, const BoundedReader& bytes);

} // namespace icons
