// Lays out a DOS stub, an NE header, the resource table and the name tables, then the resources.
#include "NeLibraryWriter.h"

#include "IconLibraryTestFiles.h"

#include <QtEndian>

namespace {

constexpr quint32 NeHeader = 0x80;
constexpr quint32 NeHeaderSize = 0x40;
constexpr quint16 IntegerId = 0x8000;

void put16(QByteArray& out, quint16 value)
{
    char le[2];
    qToLittleEndian(value, le);
    out.append(le, 2);
}

// A length-prefixed name as the NE tables store them.
QByteArray pascal(const QByteArray& text)
{
    return char(text.size()) + text;
}

struct Resource {
    quint16 id;
    QByteArray data;
};

} // namespace

void NeLibraryWriter::addGroup(quint16 id, const std::vector<icontools::IconImage>& images)
{
    m_groups.push_back({id, QString(), images});
}

void NeLibraryWriter::addGroup(const QString& name, const std::vector<icontools::IconImage>& images)
{
    m_groups.push_back({0, name, images});
}

QByteArray NeLibraryWriter::build() const
{
    // Name strings follow the type blocks, addressed from the start of the resource table.
    std::vector<Resource> icons;
    std::vector<Resource> groups;
    QByteArray names;
    int iconCount = 0;
    for (const Group& group : m_groups)
        iconCount += int(group.images.size());
    const int blocksSize = 2 + 2 * 8 + 12 * (iconCount + int(m_groups.size())) + 2;
    quint16 nextIcon = 1;
    for (const Group& group : m_groups) {
        quint16 id = group.id | IntegerId;
        if (!group.name.isEmpty()) {
            id = quint16(blocksSize + names.size());
            names += pascal(group.name.toLatin1());
        }
        groups.push_back({id, icontools::writeGroupDirectory(group.images, nextIcon)});
        for (const icontools::IconImage& image : group.images)
            icons.push_back({quint16(nextIcon++ | IntegerId), image.data});
    }
    names += '\0';

    QByteArray file(qsizetype(NeHeader + NeHeaderSize), '\0');
    testfiles::put16(file, 0, 0x5A4D); // "MZ"
    testfiles::put16(file, 8, 4);
    testfiles::put16(file, 24, 0x40);
    testfiles::put32(file, 0x3C, NeHeader);

    const quint32 resourceTable = NeHeaderSize; // no segments, so the resource table comes first
    QByteArray table;
    put16(table, quint16(m_shift));
    // Offsets are patched once the data positions are known.
    std::vector<std::pair<qsizetype, const Resource*>> records;
    const auto block = [&](quint16 type, const std::vector<Resource>& resources) {
        put16(table, type | IntegerId);
        put16(table, quint16(resources.size()));
        table.append(4, '\0');
        for (const Resource& resource : resources) {
            records.emplace_back(table.size(), &resource);
            table.append(4, '\0');
            put16(table, 0x1030); // moveable, pure, discardable
            put16(table, resource.id);
            table.append(4, '\0');
        }
    };
    block(m_groupsFirst ? 14 : 3, m_groupsFirst ? groups : icons);
    block(m_groupsFirst ? 3 : 14, m_groupsFirst ? icons : groups);
    put16(table, 0);
    table += names;

    const quint32 residentNames = resourceTable + quint32(table.size());
    const QByteArray resident = pascal("ZELVTEST") + QByteArray(2, '\0') + '\0';
    const quint32 moduleRefs = residentNames + quint32(resident.size());
    const quint32 importedNames = moduleRefs;
    const quint32 entryTable = importedNames + 1;
    const quint32 nonResident = NeHeader + entryTable + 2;
    const QByteArray description = pascal("Zelvane test icons") + QByteArray(2, '\0') + '\0';

    QByteArray header(qsizetype(NeHeaderSize), '\0');
    header[0] = 'N';
    header[1] = 'E';
    header[2] = 5;
    header[3] = 10;
    testfiles::put16(header, 0x04, quint16(entryTable));
    testfiles::put16(header, 0x06, 2);
    testfiles::put16(header, 0x0C, 0x8000); // a library module
    testfiles::put16(header, 0x20, quint16(description.size()));
    testfiles::put16(header, 0x22, quint16(resourceTable));
    testfiles::put16(header, 0x24, quint16(resourceTable));
    testfiles::put16(header, 0x26, quint16(residentNames));
    testfiles::put16(header, 0x28, quint16(moduleRefs));
    testfiles::put16(header, 0x2A, quint16(importedNames));
    testfiles::put32(header, 0x2C, nonResident);
    testfiles::put16(header, 0x32, quint16(m_shift));
    testfiles::put16(header, 0x34, quint16(icons.size() + groups.size()));
    header[0x36] = 2; // Windows
    testfiles::put16(header, 0x3E, 0x030A);

    file.replace(NeHeader, NeHeaderSize, header);
    const qsizetype tableStart = file.size();
    file += table + resident + QByteArray(1, '\0') + QByteArray(2, '\0') + description;

    const qsizetype alignment = qsizetype(1) << m_shift;
    for (const auto& [record, resource] : records) {
        file.append((alignment - file.size() % alignment) % alignment, '\0');
        testfiles::put16(file, quint32(tableStart + record), quint16(file.size() >> m_shift));
        testfiles::put16(file, quint32(tableStart + record + 2),
              quint16((resource->data.size() + alignment - 1) >> m_shift));
        file += resource->data;
    }
    file.append((alignment - file.size() % alignment) % alignment, '\0');
    return file;
}
