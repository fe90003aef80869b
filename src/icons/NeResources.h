// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the icon groups and icons of an NE (16-bit) executable's resource table.
#pragma once

#include "icons/ExecutableResources.h"

namespace icons {

// The resource table: blocks of records by type, offsets and lengths in alignment units.
class NeResources : public ExecutableResources {
public:
    using ExecutableResources::ExecutableResources;

    // `header` is the offset of the NE signature; only the first icon and group blocks count.
    QString read(quint64 header, GroupTable& groups) override;

private:
    // The icon's record, its rounded-up length cut to the exact size its group entry gives.
    std::optional<Location> iconOf(quint64 groupEntry, QString* problem) const override;

    QString resourceName(quint16 id, QString* problem) const;
    void readGroups(quint64 records, quint32 count, GroupTable& groups) const;
    void readIcons(quint64 records, quint32 count);

    // The resource table and the alignment shift its offsets and lengths are given in.
    quint64 m_table = 0;
    int m_alignShift = 0;
};

} // namespace icons
