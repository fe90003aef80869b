// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Icon images and PE/NE libraries the icon tests read, their byte layout and pictures.
#pragma once

#include "IconFile.h"
#include "PeResourceWriter.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <vector>

namespace testicons {

using icontools::IconImage;
using Group = std::pair<icontools::ResourceName, std::vector<IconImage>>;

// A square of one colour as an image, a 32-bit DIB entry, a PNG entry, or a paletted DIB of 4 or 8 bits.
QImage square(int size, const QColor& colour);
IconImage solidDib(int size, const QColor& colour);
IconImage solidPng(int size, const QColor& colour);
IconImage paletteDib(int size, int bits, const QColor& colour);

// A PE library as zelvane-iclmake lays it out. An NE library (.icl) keeps the groups' order, its
// images become icons 1, 2... in order, resources start at multiples of 1 << shift.
QByteArray peLibrary(const std::vector<Group>& groups);
QByteArray neLibrary(const std::vector<Group>& groups, int shift = 4, bool groupsFirst = false);

// Writes a PE library of `count` groups numbered from 1; group i holds a 16 and a 32 pixel square of
// iconColour(firstColour + i), a colour no other icon has.
QColor iconColour(int n);
void writeLibrary(const QString& path, int count, int firstColour = 0);
// "icon n" when `picture` shows a `size`-pixel square of iconColour(n) at (1,1) on a background of
// another colour; otherwise "none" for no picture, "other" for another one.
QString shown(const QImage& picture, int size);

void put16(QByteArray& bytes, qsizetype offset, quint16 value);
void put32(QByteArray& bytes, qsizetype offset, quint32 value);
quint16 get16(const QByteArray& bytes, qsizetype offset);
quint32 get32(const QByteArray& bytes, qsizetype offset);

// File offsets in a PE library written by peLibrary: the PE header, the section header, the resource
// root and the RT_GROUP_ICON name table (the second type, after RT_ICON).
struct PeLayout {
    quint32 peHeader, section, root, groupTable;
};
PeLayout peLayout(const QByteArray& pe);

} // namespace testicons
