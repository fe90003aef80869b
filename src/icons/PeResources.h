// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the icon groups and icons of a PE executable's resource tree.
#pragma once

#include "icons/ExecutableResources.h"

namespace icons {

// The resource tree (types, names, languages, data entries), found through the section table.
class PeResources : public ExecutableResources {
public:
    using ExecutableResources::ExecutableResources;

    // `header` is the offset of the PE signature.
    QString read(quint64 header, GroupTable& groups) override;

private:
    // Through the icon's name entry and its first language down to its data.
    std::optional<Location> iconOf(quint64 groupEntry, QString* problem) const override;

    struct Section {
        quint32 virtualAddress = 0;
        quint32 rawSize = 0;
        quint32 rawOffset = 0;
    };

    // A resource directory: the file offset of its entries, its named run and its whole count.
    struct Directory {
        quint64 entries = 0;
        quint32 named = 0;
        quint32 count = 0;
    };

    QString readSections(quint64 table, quint32 count, quint32 resourceRva);
    std::optional<quint64> rvaToOffset(quint32 rva) const;
    std::optional<Directory> resourceDirectory(quint64 offset, QString* problem) const;
    std::optional<quint64> resourceSubdirectory(const Directory& directory, quint16 id) const;
    std::optional<Location> resourceData(quint32 dataField, QString* problem) const;
    QString resourceName(quint32 nameField, QString* problem) const;
    QString readGroups(quint64 table, GroupTable& groups) const;
    void readIcons(quint64 table);

    std::vector<Section> m_sections;
    quint64 m_resourceRoot = 0;
};

} // namespace icons
