// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the icon-library readers share; internal to the icon library, included by no other folder.
#pragma once

#include "icons/IconLibrary.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace icons {

inline constexpr quint16 RtIcon = 3;
inline constexpr quint16 RtGroupIcon = 14;
// The header of a .ico file, which a group directory starts with too.
inline constexpr quint64 IcoHeaderSize = 6;

// Offsets in messages, as a hex viewer shows them.
inline QString hex(quint64 value)
{
    return QStringLiteral("0x%1").arg(value, 0, 16);
}

// Where a piece of data lies in the file.
struct Location {
    quint64 offset = 0;
    quint64 size = 0;
};

// One image of a group as found in the file: its directory fields (first 8 bytes kept verbatim) and data.
struct ImageSlot {
    IconImageInfo info;
    QByteArray entry;
    Location data;
};

// The icon groups of a library in file order, each with its directory in the file or why it
// cannot be read.
struct GroupTable {
    std::vector<IconGroup> groups;
    std::vector<Location> directories;
    std::vector<QString> problems;

    void add(const IconGroup& group, const Location& directory, const QString& problem)
    {
        groups.push_back(group);
        directories.push_back(directory);
        problems.push_back(problem);
    }
};

} // namespace icons
