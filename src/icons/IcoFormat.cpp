// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the directory of a .ico file, and writes a .ico file from the images of a group.
#include "icons/IcoFormat.h"

#include "icons/BoundedReader.h"

#include <QCoreApplication>
#include <QtEndian>

namespace icons {

namespace {

constexpr quint64 IcoEntrySize = 16;

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

} // namespace

bool isIcoFile(const BoundedReader& bytes)
{
    return bytes.has(0, IcoHeaderSize) && bytes.u16(0) == 0 && bytes.u16(2) == 1;
}

QString readIcoDirectory(const BoundedReader& bytes, GroupTable& groups)
{
    const quint32 count = bytes.u16(4);
    if (count == 0)
        return QCoreApplication::translate("IconLibrary", "icon file lists 0 images");
    if (!bytes.has(IcoHeaderSize, IcoEntrySize * count))
        return QCoreApplication::translate("IconLibrary", "icon file lists %1 images but holds only %2 bytes").arg(count).arg(bytes.size());
    groups.add(IconGroup(), Location{0, bytes.size()}, QString());
    return QString();
}

std::vector<ImageSlot> icoImages(const BoundedReader& bytes, QString* problem)
{
    std::vector<ImageSlot> images;
    const quint32 count = bytes.u16(4);
    for (quint32 i = 0; i < count; ++i) {
        const quint64 entry = IcoHeaderSize + IcoEntrySize * i;
        const Location data{bytes.u32(entry + 12), bytes.u32(entry + 8)};
        if (data.size == 0 || !bytes.has(data.offset, data.size)) {
            if (problem->isEmpty())
                *problem = QCoreApplication::translate("IconLibrary", "image %1 at offset %2 (%3 bytes) lies outside the file")
                               .arg(i).arg(hex(data.offset)).arg(data.size);
            continue;
        }
        images.push_back({{}, bytes.copy(entry, 8), data});
    }
    return images;
}

QByteArray icoFile(const std::vector<ImageSlot>& images, const BoundedReader& bytes)
{
    QByteArray out;
    append16(out, 0);
    append16(out, 1);
    append16(out, quint16(images.size()));
    quint64 offset = IcoHeaderSize + IcoEntrySize * images.size();
    for (const ImageSlot& image : images) {
        out.append(image.entry);
        append32(out, quint32(image.data.size));
        append32(out, quint32(offset));
        offset += image.data.size;
    }
    for (const ImageSlot& image : images)
        out.append(bytes.copy(image.data.offset, image.data.size));
    return out;
}

} // namespace icons
