// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the icon groups and icons of a PE executable's resource tree.
#include "icons/PeResources.h"

#include "icons/BoundedReader.h"

#include <QCoreApplication>

namespace icons {

namespace {
constexpr quint32 HighBit = 0x80000000;
constexpr quint64 ResourceDirectorySize = 16;
constexpr quint64 ResourceEntrySize = 8;
constexpr quint64 SectionHeaderSize = 40;
} // namespace

QString PeResources::read(quint64 header, GroupTable& groups)
{
    const quint64 coff = header + 4;
    if (!m_bytes.has(coff, 20))
        return QCoreApplication::translate("IconLibrary", "PE file header at offset %1 is cut off").arg(hex(coff));
    const quint32 sectionCount = m_bytes.u16(coff + 2);
    const quint32 optionalSize = m_bytes.u16(coff + 16);
    const quint64 optional = coff + 20;
    if (!m_bytes.has(optional, 2))
        return QCoreApplication::translate("IconLibrary", "PE optional header at offset %1 is cut off").arg(hex(optional));
    const quint16 magic = m_bytes.u16(optional);
    if (magic != 0x10B && magic != 0x20B)
        return QCoreApplication::translate("IconLibrary", "unknown PE optional header magic %1 at offset %2").arg(hex(magic), hex(optional));
    // The data directories follow the fixed fields; the resource table is entry 2.
    const quint64 directories = magic == 0x10B ? 96 : 112;
    const quint64 resourceEntry = directories + 2 * 8;
    if (optionalSize < resourceEntry + 8 || !m_bytes.has(optional, resourceEntry + 8)
        || m_bytes.u32(optional + directories - 4) < 3)
        return QCoreApplication::translate("IconLibrary", "no resource table (PE header at offset %1)").arg(hex(header));
    const quint32 resourceRva = m_bytes.u32(optional + resourceEntry);
    if (resourceRva == 0)
        return QCoreApplication::translate("IconLibrary", "no resources (PE header at offset %1)").arg(hex(header));
    QString problem = readSections(optional + optionalSize, sectionCount, resourceRva);
    if (!problem.isEmpty())
        return problem;
    const std::optional<Directory> types = resourceDirectory(m_resourceRoot, &problem);
    if (!types)
        return problem;
    if (const std::optional<quint64> iconTable = resourceSubdirectory(*types, RtIcon))
        readIcons(*iconTable);
    if (const std::optional<quint64> groupTable = resourceSubdirectory(*types, RtGroupIcon))
        return readGroups(*groupTable, groups);
    return QString();
}

// The section table, and through it where the resource tree starts in the file.
QString PeResources::readSections(quint64 table, quint32 count, quint32 resourceRva)
{
    if (!m_bytes.has(table, SectionHeaderSize * count))
        return QCoreApplication::translate("IconLibrary", "section table at offset %1 with %2 sections runs past the end of the file")
            .arg(hex(table)).arg(count);
    for (quint32 i = 0; i < count; ++i) {
        const quint64 entry = table + SectionHeaderSize * i;
        m_sections.push_back({m_bytes.u32(entry + 12), m_bytes.u32(entry + 16), m_bytes.u32(entry + 20)});
    }
    const std::optional<quint64> root = rvaToOffset(resourceRva);
    if (!root)
        return QCoreApplication::translate("IconLibrary", "resource table address %1 lies in no section").arg(hex(resourceRva));
    m_resourceRoot = *root;
    return QString();
}

std::optional<quint64> PeResources::rvaToOffset(quint32 rva) const
{
    for (const Section& section : m_sections) {
        if (rva >= section.virtualAddress && rva - section.virtualAddress < section.rawSize)
            return quint64(section.rawOffset) + (rva - section.virtualAddress);
    }
    return std::nullopt;
}

std::optional<PeResources::Directory> PeResources::resourceDirectory(quint64 offset, QString* problem) const
{
    if (!m_bytes.has(offset, ResourceDirectorySize)) {
        *problem = QCoreApplication::translate("IconLibrary", "resource directory at offset %1 lies past the end of the file").arg(hex(offset));
        return std::nullopt;
    }
    const quint32 named = m_bytes.u16(offset + 12);
    const quint32 count = named + m_bytes.u16(offset + 14);
    if (!m_bytes.has(offset + ResourceDirectorySize, ResourceEntrySize * count)) {
        *problem = QCoreApplication::translate("IconLibrary", "resource directory at offset %1 lists %2 entries, more than the file holds")
                       .arg(hex(offset)).arg(count);
        return std::nullopt;
    }
    return Directory{offset + ResourceDirectorySize, named, count};
}

// The subdirectory of the first integer entry `id`, as the platform's extraction finds it.
std::optional<quint64> PeResources::resourceSubdirectory(const Directory& directory, quint16 id) const
{
    for (quint32 i = directory.named; i < directory.count; ++i) {
        const quint64 entry = directory.entries + ResourceEntrySize * i;
        const quint32 data = m_bytes.u32(entry + 4);
        if (quint16(m_bytes.u32(entry)) == id && (data & HighBit))
            return m_resourceRoot + (data & ~HighBit);
    }
    return std::nullopt;
}

// From a name entry's data field down through the language level (its first entry) to the data.
std::optional<Location> PeResources::resourceData(quint32 dataField, QString* problem) const
{
    if (!(dataField & HighBit)) {
        *problem = QCoreApplication::translate("IconLibrary", "resource name entry points at data, not at a language table");
        return std::nullopt;
    }
    const std::optional<Directory> languages = resourceDirectory(m_resourceRoot + (dataField & ~HighBit), problem);
    if (!languages)
        return std::nullopt;
    if (languages->count == 0) {
        *problem = QCoreApplication::translate("IconLibrary", "language table at offset %1 is empty").arg(hex(languages->entries - 16));
        return std::nullopt;
    }
    const quint32 leaf = m_bytes.u32(languages->entries + 4);
    if (leaf & HighBit) {
        *problem = QCoreApplication::translate("IconLibrary", "language table at offset %1 leads to another table (a loop in the resource tree?)")
                       .arg(hex(languages->entries - 16));
        return std::nullopt;
    }
    const quint64 entry = m_resourceRoot + leaf;
    if (!m_bytes.has(entry, 16)) {
        *problem = QCoreApplication::translate("IconLibrary", "resource data entry at offset %1 lies past the end of the file").arg(hex(entry));
        return std::nullopt;
    }
    const quint32 rva = m_bytes.u32(entry);
    const quint32 size = m_bytes.u32(entry + 4);
    const std::optional<quint64> offset = rvaToOffset(rva);
    if (!offset || !m_bytes.has(*offset, size)) {
        *problem = QCoreApplication::translate("IconLibrary", "resource data at address %1 (%2 bytes) lies outside the file")
                       .arg(hex(rva)).arg(size);
        return std::nullopt;
    }
    return Location{*offset, size};
}

QString PeResources::resourceName(quint32 nameField, QString* problem) const
{
    const quint64 offset = m_resourceRoot + (nameField & ~HighBit);
    if (!m_bytes.has(offset, 2) || !m_bytes.has(offset + 2, 2ULL * m_bytes.u16(offset))) {
        *problem = QCoreApplication::translate("IconLibrary", "resource name at offset %1 lies past the end of the file").arg(hex(offset));
        return QString();
    }
    QString name(m_bytes.u16(offset), Qt::Uninitialized);
    for (int i = 0; i < name.size(); ++i)
        name[i] = QChar(m_bytes.u16(offset + 2 + 2ULL * i));
    return name;
}

QString PeResources::readGroups(quint64 table, GroupTable& groups) const
{
    QString problem;
    const std::optional<Directory> names = resourceDirectory(table, &problem);
    if (!names)
        return problem;
    for (quint32 i = 0; i < names->count; ++i) {
        const quint64 entry = names->entries + ResourceEntrySize * i;
        const quint32 nameField = m_bytes.u32(entry);
        problem.clear();
        IconGroup group;
        if (nameField & HighBit)
            group.name = resourceName(nameField, &problem);
        else
            group.id = quint16(nameField);
        std::optional<Location> data;
        if (problem.isEmpty())
            data = resourceData(m_bytes.u32(entry + 4), &problem);
        groups.add(group, data.value_or(Location()), problem);
    }
    return QString();
}

void PeResources::readIcons(quint64 table)
{
    QString problem;
    const std::optional<Directory> icons = resourceDirectory(table, &problem);
    if (!icons)
        return indexIcons({}, problem);
    std::vector<std::pair<quint16, quint64>> found;
    for (quint32 i = icons->named; i < icons->count; ++i) {
        const quint64 entry = icons->entries + ResourceEntrySize * i;
        const quint32 nameField = m_bytes.u32(entry);
        if (!(nameField & HighBit))
            found.emplace_back(quint16(nameField), entry);
    }
    indexIcons(std::move(found));
}

std::optional<Location> PeResources::iconOf(quint64 groupEntry, QString* problem) const
{
    const quint16 id = m_bytes.u16(groupEntry + 12);
    const std::optional<quint64> entry = indexedIcon(id, id, problem);
    if (!entry)
        return std::nullopt;
    return resourceData(m_bytes.u32(*entry + 4), problem);
}

} // namespace icons
