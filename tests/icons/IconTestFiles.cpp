// Builds the icon images and libraries the icon tests read, and runs wrestool on them.
#include "IconTestFiles.h"

#include "IconLibraryWriter.h"
#include "TestEnvironment.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

namespace testicons {

IconImage solidDib(int size, const QColor& colour)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return icontools::dibImage(image);
}

IconImage solidPng(int size, const QColor& colour)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return icontools::pngImage(image);
}

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
    // Type blocks of 12-byte records, then the group names, addressed from the table's start.
    struct Resource {
        quint16 id;
        QByteArray data;
    };
    std::vector<Resource> icons, directories;
    int records = int(groups.size());
    for (const Group& group : groups)
        records += int(group.second.size());
    QByteArray names;
    quint16 nextIcon = 1;
    for (const auto& [name, images] : groups) {
        directories.push_back({quint16(name.isText() ? 20 + 12 * records + names.size() : name.id | 0x8000),
                               icontools::writeGroupDirectory(images, nextIcon)});
        if (name.isText())
            names += char(name.name.size()) + name.name.toLatin1();
        for (const IconImage& image : images)
            icons.push_back({quint16(nextIcon++ | 0x8000), image.data});
    }
    QByteArray table(2 + 16 + 12 * records + 2, '\0');
    put16(table, 0, quint16(shift));
    std::vector<std::pair<qsizetype, const Resource*>> placed;
    qsizetype at = 2;
    for (const auto& [type, block] : groupsFirst ? std::vector{std::pair(14, &directories), std::pair(3, &icons)}
                                                 : std::vector{std::pair(3, &icons), std::pair(14, &directories)}) {
        put16(table, at, quint16(type | 0x8000));
        put16(table, at + 2, quint16(block->size()));
        at += 8;
        for (const Resource& resource : *block) {
            placed.emplace_back(at, &resource);
            put16(table, at + 4, 0x1030); // moveable, pure, discardable
            put16(table, at + 6, resource.id);
            at += 12;
        }
    }
    table += names + '\0';

    // A DOS stub, the NE header at 0x80 and, with no segments, the resource table right after it.
    const quint32 residentNames = 0x40 + quint32(table.size());
    const QByteArray resident = QByteArray("\x08ZELVTEST\0\0\0", 12);
    const quint32 entryTable = residentNames + quint32(resident.size()) + 1;
    const QByteArray description = QByteArray("\x12Zelvane test icons\0\0\0", 22);
    QByteArray file(0xC0, '\0');
    put16(file, 0, 0x5A4D);
    put16(file, 8, 4);
    put16(file, 24, 0x40);
    put32(file, 0x3C, 0x80);
    file.replace(0x80, 4, "NE\x05\x0A");
    const quint32 moduleRefs = residentNames + quint32(resident.size());
    using Field = std::pair<int, quint32>; // 0x0C: a library module
    for (const auto& [offset, value] : std::initializer_list<Field>{
             {0x04, entryTable}, {0x06, 2}, {0x0C, 0x8000}, {0x20, quint32(description.size())}, {0x22, 0x40},
             {0x24, 0x40}, {0x26, residentNames}, {0x28, moduleRefs}, {0x2A, moduleRefs}, {0x32, quint32(shift)},
             {0x34, quint32(icons.size() + directories.size())}, {0x3E, 0x030A}})
        put16(file, 0x80 + offset, quint16(value));
    put32(file, 0x80 + 0x2C, 0x80 + entryTable + 2);
    file[0x80 + 0x36] = 2; // Windows
    const qsizetype tableStart = file.size();
    file += table + resident + QByteArray(3, '\0') + description;

    const qsizetype alignment = qsizetype(1) << shift;
    const auto align = [&] { file.append((alignment - file.size() % alignment) % alignment, '\0'); };
    for (const auto& [record, resource] : placed) {
        align();
        put16(file, tableStart + record, quint16(file.size() >> shift));
        put16(file, tableStart + record + 2, quint16((resource->data.size() + alignment - 1) >> shift));
        file += resource->data;
    }
    align();
    return file;
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

bool showsIcon(const QImage& picture, int size, const QColor& colour)
{
    if (picture.width() < size + 1 || picture.height() < size + 1)
        return false;
    for (int y = 1; y <= size; ++y)
        for (int x = 1; x <= size; ++x)
            if (picture.pixelColor(x, y) != colour)
                return false;
    return picture.pixelColor(0, 0) != colour;
}

void put16(QByteArray& bytes, qsizetype offset, quint16 value) { qToLittleEndian(value, bytes.data() + offset); }
void put32(QByteArray& bytes, qsizetype offset, quint32 value) { qToLittleEndian(value, bytes.data() + offset); }
quint16 get16(const QByteArray& bytes, qsizetype offset) { return qFromLittleEndian<quint16>(bytes.constData() + offset); }
quint32 get32(const QByteArray& bytes, qsizetype offset) { return qFromLittleEndian<quint32>(bytes.constData() + offset); }

PeLayout peLayout(const QByteArray& pe)
{
    PeLayout layout;
    layout.peHeader = get32(pe, 0x3C);
    layout.sectionHeader = layout.peHeader + 24 + get16(pe, layout.peHeader + 20);
    layout.root = get32(pe, layout.sectionHeader + 20);
    for (int i = 0; i < get16(pe, layout.root + 12) + get16(pe, layout.root + 14); ++i) {
        const quint32 entry = layout.root + 16 + 8 * quint32(i);
        const quint32 table = layout.root + (get32(pe, entry + 4) & 0x7FFFFFFF);
        (get32(pe, entry) == 3 ? layout.iconTable : layout.groupTable) = table;
    }
    return layout;
}

std::pair<quint32, quint32> peData(const QByteArray& pe, const PeLayout& layout, quint32 table, int index)
{
    const quint32 languages = layout.root + (get32(pe, table + 16 + 8 * quint32(index) + 4) & 0x7FFFFFFF);
    const quint32 entry = layout.root + get32(pe, languages + 16 + 4);
    return {entry, get32(pe, entry) - get32(pe, layout.sectionHeader + 12) + get32(pe, layout.sectionHeader + 20)};
}

bool hasWrestool()
{
    return !QStandardPaths::findExecutable(QStringLiteral("wrestool")).isEmpty();
}

QByteArray wrestool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("wrestool"), arguments);
    process.waitForFinished();
    return process.readAllStandardOutput();
}

} // namespace testicons
