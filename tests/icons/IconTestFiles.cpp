// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the icon images and libraries the icon tests read.
#include "IconTestFiles.h"

#include "IconLibraryWriter.h"
#include "TestEnvironment.h"

#include <QtEndian>

namespace testicons {

QImage square(int size, const QColor& colour)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

IconImage solidDib(int size, const QColor& colour) { return icontools::dibImage(square(size, colour)); }
IconImage solidPng(int size, const QColor& colour) { return icontools::pngImage(square(size, colour)); }

IconImage paletteDib(int size, int bits, const QColor& colour)
{
    const int colours = 1 << bits;
    const int stride = (size * bits + 31) / 32 * 4;
    QByteArray data(40 + 4 * colours + (stride + (size + 31) / 32 * 4) * size, '\0');
    put32(data, 0, 40);
    put32(data, 4, quint32(size));
    put32(data, 8, quint32(2 * size));
    put16(data, 12, 1);
    put16(data, 14, quint16(bits));
    put32(data, 32, quint32(colours));
    // Every pixel uses palette entry 0 and the AND mask is clear, so the whole square shows.
    put32(data, 40, colour.rgb() & 0xFFFFFF);
    return {quint8(size), quint8(size), quint8(colours == 256 ? 0 : colours), 1, quint16(bits), data};
}

QByteArray peLibrary(const std::vector<Group>& groups)
{
    icontools::IconLibraryWriter writer;
    QString error;
    for (const auto& [name, images] : groups)
        writer.addGroup(name, 0, images, &error);
    return writer.build();
}

QByteArray neLibrary(const std::vector<Group>& groups, int shift, bool groupsFirst)
{
    // The NE header at 0x80, its resource table at 0xC0: the alignment shift, the type blocks of 12-byte
    // records, the group names (addressed from the table's start), then the data at multiples of 1 << shift.
    qsizetype records = 0;
    QByteArray names;
    for (const auto& [name, images] : groups) {
        records += 1 + qsizetype(images.size());
        names += name.isText() ? char(name.name.size()) + name.name.toLatin1() : QByteArray();
    }
    const qsizetype unit = qsizetype(1) << shift, namesStart = 2 + 16 + 12 * records + 2;
    const auto aligned = [unit](qsizetype size) { return (size + unit - 1) / unit * unit; };
    const qsizetype tableEnd = 0xC0 + namesStart + names.size() + 1;
    QByteArray blocks[2], data; // RT_ICON, RT_GROUP_ICON
    const auto add = [&](int block, quint32 id, const QByteArray& bytes) {
        QByteArray record(12, '\0');
        put16(record, 0, quint16((aligned(tableEnd) + data.size()) >> shift));
        put16(record, 2, quint16(aligned(bytes.size()) >> shift));
        put16(record, 4, 0x1030); // moveable, pure, discardable
        put16(record, 6, quint16(id));
        blocks[block] += record;
        data += bytes.leftJustified(aligned(bytes.size()), '\0');
    };
    quint16 nextIcon = 1;
    for (qsizetype nameAt = namesStart; const auto& [name, images] : groups) {
        add(1, name.isText() ? nameAt : name.id | 0x8000u, icontools::writeGroupDirectory(images, nextIcon));
        nameAt += name.isText() ? 1 + name.name.size() : 0;
        for (const IconImage& image : images)
            add(0, nextIcon++ | 0x8000u, image.data);
    }
    QByteArray file = QByteArray("MZ").leftJustified(0xC2, '\0');
    put32(file, 0x3C, 0x80);
    file.replace(0x80, 2, "NE");
    put16(file, 0x80 + 0x24, 0x40);                     // the resource table
    put16(file, 0x80 + 0x26, quint16(tableEnd - 0x80)); // the resident names would follow
    put16(file, 0xC0, quint16(shift));
    for (const int block : {int(groupsFirst), int(!groupsFirst)}) {
        file += QByteArray(8, '\0') + blocks[block];
        put16(file, file.size() - blocks[block].size() - 8, block ? 0x800E : 0x8003);
        put16(file, file.size() - blocks[block].size() - 6, quint16(blocks[block].size() / 12));
    }
    return (file + QByteArray(2, '\0') + names + '\0').leftJustified(aligned(tableEnd), '\0') + data;
}

QColor iconColour(int n)
{
    return QColor(QColor::fromHsv((n * 47) % 360, 255, 255 - (n * 13) % 96).rgb());
}

void writeLibrary(const QString& path, int count, int firstColour)
{
    std::vector<Group> groups;
    for (int i = 0; i < count; ++i)
        groups.push_back({icontools::ResourceName::number(quint16(i + 1)),
                          {solidDib(16, iconColour(firstColour + i)), solidDib(32, iconColour(firstColour + i))}});
    TestEnvironment::writeFile(path, peLibrary(groups));
}

QString shown(const QImage& picture, int size)
{
    const auto shows = [&](const QColor& colour) {
        for (int y = 1; y <= size; ++y)
            for (int x = 1; x <= size; ++x)
                if (picture.pixelColor(x, y) != colour)
                    return false;
        return picture.pixelColor(0, 0) != colour;
    };
    for (int n = 0; n < 40 && picture.width() > size && picture.height() > size; ++n)
        if (shows(iconColour(n)))
            return QString("icon %1").arg(n);
    return picture.isNull() ? "none" : "other";
}

void put16(QByteArray& bytes, qsizetype offset, quint16 value) { qToLittleEndian(value, bytes.data() + offset); }
void put32(QByteArray& bytes, qsizetype offset, quint32 value) { qToLittleEndian(value, bytes.data() + offset); }
quint16 get16(const QByteArray& bytes, qsizetype offset) { return qFromLittleEndian<quint16>(bytes.constData() + offset); }
quint32 get32(const QByteArray& bytes, qsizetype offset) { return qFromLittleEndian<quint32>(bytes.constData() + offset); }

PeLayout peLayout(const QByteArray& pe)
{
    const quint32 peHeader = get32(pe, 0x3C), section = peHeader + 24 + get16(pe, peHeader + 20);
    const quint32 root = get32(pe, section + 20);
    return {peHeader, section, root, root + (get32(pe, root + 16 + 8 + 4) & 0x7FFFFFFF)};
}

} // namespace testicons
