// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Icon images and PE libraries the icon tests read, their byte layout and pictures.
#pragma once

#include "IconFile.h"
#include "PeResourceWriter.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QtEndian>
#include <vector>

namespace testicons {

using icontools::IconImage;
using Group = std::pair<icontools::ResourceName, std::vector<IconImage>>;

// A square of one colour as an image, a 32-bit DIB entry or a PNG entry.
QImage square(int size, const QColor& colour);
inline IconImage solidDib(int size, const QColor& colour) { return icontools::dibImage(square(size, colour)); }
inline IconImage solidPng(int size, const QColor& colour) { return icontools::pngImage(square(size, colour)); }

// A PE library as zelvane-iclmake lays it out.
QByteArray peLibrary(const std::vector<Group>& groups);

// Writes a PE library of `count` groups numbered from 1; group i holds a 16 and a 32 pixel square of
// iconColour(firstColour + i), a colour no other icon has.
inline QColor iconColour(int n) { return QColor(QColor::fromHsv((n * 47) % 360, 255, 255 - (n * 13) % 96).rgb()); }
void writeLibrary(const QString& path, int count, int firstColour = 0);
// "icon n" when `picture` shows a `size`-pixel square of iconColour(n) at (1,1) on a background of
// another colour; otherwise "none" for no picture, "other" for another one.
QString shown(const QImage& picture, int size);

inline void put16(QByteArray& bytes, qsizetype offset, quint16 value) { qToLittleEndian(value, bytes.data() + offset); }
inline void put32(QByteArray& bytes, qsizetype offset, quint32 value) { qToLittleEndian(value, bytes.data() + offset); }
inline quint16 get16(const QByteArray& bytes, qsizetype offset) { return qFromLittleEndian<quint16>(bytes.constData() + offset); }
inline quint32 get32(const QByteArray& bytes, qsizetype offset) { return qFromLittleEndian<quint32>(bytes.constData() + offset); }

} // namespace testicons
