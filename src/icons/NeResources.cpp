// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the icon groups and icons of an NE (16-bit) executable's resource table.
#include "icons/NeResources.h"

#include "icons/BoundedReader.h"

#include <QCoreApplication>
#include <algorithm>

namespace icons {

namespace {
constexpr quint16 IntegerId = 0x8000;
constexpr quint64 RecordSize = 12;
} // namespace

QString NeResources::read(quint64 header, GroupTable& groups)
{
    if (!m_bytes.has(header, 0x40))
        return QCoreApplication::translate("IconLibrary", "NE header at offset %1 is cut off").arg(hex(header));
    const int resourceTable = m_bytes.u16(header + 0x24);
    const int residentNames = m_bytes.u16(header + 0x26);
    if (residentNames - resourceTable <= 8)
        return QCoreApplication::translate("IconLibrary", "no resources (NE header at offset %1)").arg(hex(header));
    m_table = header + quint64(resourceTable);
    if (!m_bytes.has(m_table, 2))
        return QCoreApplication::translate("IconLibrary", "resource table at offset %1 lies past the end of the file").arg(hex(m_table));
    m_alignShift = m_bytes.u16(m_table);
    if (m_alignShift > 24)
        return QCoreApplication::translate("IconLibrary", "resource alignment shift %1 at offset %2 is out of range")
            .arg(m_alignShift).arg(hex(m_table));
    bool groupsSeen = false;
    bool iconsSeen = false;
    quint64 block = m_table + 2;
    for (;;) {
        if (!m_bytes.has(block, 2))
            return QCoreApplication::translate("IconLibrary", "resource table runs past the end of the file at offset %1").arg(hex(block));
        const quint16 type = m_bytes.u16(block);
        if (type == 0)
            return QString();
        if (!m_bytes.has(block, 8))
            return QCoreApplication::translate("IconLibrary", "resource type block at offset %1 is cut off").arg(hex(block));
        const quint32 count = m_bytes.u16(block + 2);
        const quint64 records = block + 8;
        if (!m_bytes.has(records, RecordSize * count))
            return QCoreApplication::translate("IconLibrary", "resource type block at offset %1 lists %2 resources, more than the file holds")
                .arg(hex(block)).arg(count);
        if (type == (IntegerId | RtGroupIcon) && !groupsSeen) {
            groupsSeen = true;
            readGroups(records, count, groups);
        } else if (type == (IntegerId | RtIcon) && !iconsSeen) {
            iconsSeen = true;
            readIcons(records, count);
        }
        block = records + RecordSize * count;
    }
}

QString NeResources::resourceName(quint16 id, QString* problem) const
{
    const quint64 offset = m_table + id;
    if (!m_bytes.has(offset, 1) || !m_bytes.has(offset + 1, m_bytes.u8(offset))) {
        *problem = QCoreApplication::translate("IconLibrary", "resource name at offset %1 lies past the end of the file").arg(hex(offset));
        return QString();
    }
    return QString::fromLatin1(m_bytes.copy(offset + 1, m_bytes.u8(offset)));
}

void NeResources::readGroups(quint64 records, quint32 count, GroupTable& groups) const
{
    for (quint32 i = 0; i < count; ++i) {
        const quint64 record = records + RecordSize * i;
        const quint16 id = m_bytes.u16(record + 6);
        QString problem;
        IconGroup group;
        if (id & IntegerId)
            group.id = id & ~IntegerId;
        else
            group.name = resourceName(id, &problem);
        // The stored length may include alignment padding past the end of the file: keep what exists.
        const quint64 offset = quint64(m_bytes.u16(record)) << m_alignShift;
        const quint64 length = quint64(m_bytes.u16(record + 2)) << m_alignShift;
        const quint64 existing = m_bytes.size() - std::min(offset, m_bytes.size());
        groups.add(group, Location{offset, std::min(length, existing)}, problem);
    }
}

void NeResources::readIcons(quint64 records, quint32 count)
{
    std::vector<std::pair<quint16, quint64>> found;
    for (quint32 i = 0; i < count; ++i) {
        const quint64 record = records + RecordSize * i;
        const quint16 id = m_bytes.u16(record + 6);
        if (id & IntegerId)
            found.emplace_back(quint16(id & ~IntegerId), record);
    }
    indexIcons(std::move(found));
}

std::optional<Location> NeResources::iconOf(quint64 groupEntry, QString* problem) const
{
    // Records hold 15-bit IDs: a group naming a larger one finds what the platform finds.
    const quint16 id = m_bytes.u16(groupEntry + 12);
    const std::optional<quint64> record = indexedIcon(quint16(id & ~IntegerId), id, problem);
    if (!record)
        return std::nullopt;
    Location data{quint64(m_bytes.u16(*record)) << m_alignShift, quint64(m_bytes.u16(*record + 2)) << m_alignShift};
    // Lengths are rounded up to the alignment: the group entry holds the exact size.
    data.size = std::min<quint64>(data.size, m_bytes.u32(groupEntry + 8));
    return data;
}

} // namespace icons
