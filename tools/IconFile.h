// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Icon images as .ico files and icon resources hold them: 32-bit DIB or PNG, with their directory fields.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

class QImage;

namespace icontools {

// One image of an icon: the directory fields (0 in width/height means 256) and its data,
// a DIB (BITMAPINFOHEADER, colour bits, AND mask) or a complete PNG file.
struct IconImage {
    quint8 width = 0;
    quint8 height = 0;
    quint8 colorCount = 0;
    quint16 planes = 1;
    quint16 bitCount = 32;
    QByteArray data;
};

// The images of a .ico file; empty with `error` set when the file is not a readable icon.
std::vector<IconImage> readIcoFile(const QByteArray& bytes, QString* error);
// A .ico file holding `images` in order.
QByteArray writeIcoFile(const std::vector<IconImage>& images);
// The group directory (GRPICONDIR) of an icon resource whose images are the icons firstId, firstId + 1...
QByteArray writeGroupDirectory(const std::vector<IconImage>& images, quint16 firstId);

// A PNG file as one icon image (sizes up to 256); empty data with `error` set when it is no PNG.
IconImage pngFileImage(const QByteArray& png, QString* error);
// `image` (at most 256 pixels square) as a 32-bit DIB with its AND mask.
IconImage dibImage(const QImage& image);
// `image` (at most 256 pixels square) as a 32-bit PNG entry; empty data when encoding fails.
IconImage pngImage(const QImage& image);

} // namespace icontools
