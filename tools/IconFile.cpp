// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads and writes .ico files and encodes icon images as 32-bit DIB or PNG entries.
#include "IconFile.h"

#include <QBuffer>
#include <QImage>
#include <QtEndian>

namespace icontools {

namespace {

constexpr int IcoHeaderSize = 6;
constexpr int IcoEntrySize = 16;
constexpr int DibHeaderSize = 40;
const QByteArray PngSignature("\x89PNG\r\n\x1a\n", 8);

quint16 get16(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

quint32 get32(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

void append16(QByteArray& out, quint16 value)
{
    char le[2];
    qToLittleEndian(value, le);
    out.append(le, 2);
}

void append32(QByteArray& out, quint32 value)
{
    char le[4];
    qToLittleEndian(value, le);
    out.append(le, 4);
}

QByteArray directoryHeader(size_t count)
{
    QByteArray out;
    append16(out, 0);
    append16(out, 1); // icons, not cursors
    append16(out, quint16(count));
    return out;
}

// The fields an .ico entry and a group entry share: size, colours, planes, bits, bytes.
void appendEntry(QByteArray& out, const IconImage& image)
{
    out.append(char(image.width)).append(char(image.height)).append(char(image.colorCount)).append('\0');
    append16(out, image.planes);
    append16(out, image.bitCount);
    append32(out, quint32(image.data.size()));
}

// The size as a directory entry stores it: 256 becomes 0.
quint8 entrySize(int pixels)
{
    return pixels >= 256 ? 0 : quint8(pixels);
}

} // namespace

std::vector<IconImage> readIcoFile(const QByteArray& bytes, QString* error)
{
    if (bytes.size() < IcoHeaderSize || get16(bytes, 0) != 0 || get16(bytes, 2) != 1) {
        *error = QStringLiteral("not an icon file (no icon header)");
        return {};
    }
    const int count = get16(bytes, 4);
    if (count == 0 || bytes.size() < IcoHeaderSize + qsizetype(count) * IcoEntrySize) {
        *error = QStringLiteral("icon header lists %1 images but the file holds %2 bytes")
                     .arg(count).arg(bytes.size());
        return {};
    }
    std::vector<IconImage> images;
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = IcoHeaderSize + qsizetype(i) * IcoEntrySize;
        const quint32 size = get32(bytes, entry + 8);
        const quint32 offset = get32(bytes, entry + 12);
        if (size == 0 || offset > quint64(bytes.size()) || size > quint64(bytes.size()) - offset) {
            *error = QStringLiteral("image %1 (offset %2, %3 bytes) lies outside the file of %4 bytes")
                         .arg(i).arg(offset).arg(size).arg(bytes.size());
            return {};
        }
        IconImage image;
        image.width = quint8(bytes[entry]);
        image.height = quint8(bytes[entry + 1]);
        image.colorCount = quint8(bytes[entry + 2]);
        image.planes = get16(bytes, entry + 4);
        image.bitCount = get16(bytes, entry + 6);
        image.data = bytes.mid(offset, size);
        images.push_back(image);
    }
    return images;
}

QByteArray writeIcoFile(const std::vector<IconImage>& images)
{
    QByteArray out = directoryHeader(images.size());
    quint32 offset = IcoHeaderSize + IcoEntrySize * quint32(images.size());
    for (const IconImage& image : images) {
        appendEntry(out, image);
        append32(out, offset);
        offset += quint32(image.data.size());
    }
    for (const IconImage& image : images)
        out.append(image.data);
    return out;
}

QByteArray writeGroupDirectory(const std::vector<IconImage>& images, quint16 firstId)
{
    QByteArray out = directoryHeader(images.size());
    quint16 id = firstId;
    for (const IconImage& image : images) {
        appendEntry(out, image);
        append16(out, id++);
    }
    return out;
}

IconImage pngFileImage(const QByteArray& png, QString* error)
{
    // Signature, then the IHDR chunk: length, "IHDR", width, height, bit depth, colour type.
    if (png.size() < 26 || !png.startsWith(PngSignature) || png.mid(12, 4) != "IHDR") {
        *error = QStringLiteral("not a PNG file");
        return {};
    }
    const quint32 width = qFromBigEndian<quint32>(png.constData() + 16);
    const quint32 height = qFromBigEndian<quint32>(png.constData() + 20);
    if (width == 0 || height == 0 || width > 256 || height > 256) {
        *error = QStringLiteral("PNG of %1 x %2 pixels: icons are 1 to 256 pixels wide and high")
                     .arg(width).arg(height);
        return {};
    }
    const int depth = quint8(png[24]);
    const int colourType = quint8(png[25]);
    const int channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
    IconImage image;
    image.width = entrySize(int(width));
    image.height = entrySize(int(height));
    image.bitCount = quint16(depth * channels);
    image.data = png;
    return image;
}

IconImage dibImage(const QImage& source)
{
    const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
    const int width = argb.width();
    const int height = argb.height();
    const int maskStride = ((width + 31) / 32) * 4;
    QByteArray data;
    append32(data, DibHeaderSize);
    append32(data, quint32(width));
    append32(data, quint32(height * 2)); // colour bits and AND mask, stacked
    append16(data, 1);
    append16(data, 32);
    append32(data, 0); // BI_RGB
    append32(data, quint32(width * height * 4 + maskStride * height));
    for (int i = 0; i < 4; ++i)
        append32(data, 0);
    // Rows run bottom-up; each pixel is B, G, R, A, not premultiplied.
    for (int y = height - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < width; ++x)
            append32(data, line[x]);
    }
    for (int y = height - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        QByteArray maskRow(maskStride, '\0');
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) == 0)
                maskRow[x / 8] = char(maskRow[x / 8] | (0x80 >> (x % 8)));
        }
        data.append(maskRow);
    }
    IconImage image;
    image.width = entrySize(width);
    image.height = entrySize(height);
    image.data = data;
    return image;
}

IconImage pngImage(const QImage& source)
{
    IconImage image;
    image.width = entrySize(source.width());
    image.height = entrySize(source.height());
    QBuffer buffer(&image.data);
    buffer.open(QIODevice::WriteOnly);
    source.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG");
    return image;
}

} // namespace icontools
