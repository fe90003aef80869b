// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes icon groups as PE icon resources: one RT_GROUP_ICON per group, one RT_ICON per image.
#pragma once

#include "IconFile.h"
#include "PeResourceWriter.h"

namespace icontools {

class IconLibraryWriter {
public:
    static constexpr quint16 RtIcon = 3;
    static constexpr quint16 RtGroupIcon = 14;

    // Adds a group whose images take the next free icon IDs, counting from 1.
    // False with `error` set when the 65535 icon IDs are used up.
    bool addGroup(const ResourceName& name, quint16 language, const std::vector<IconImage>& images,
                  QString* error);
    QByteArray build() const { return m_resources.build(); }

private:
    PeResourceWriter m_resources;
    quint32 m_nextIconId = 1;
};

} // namespace icontools
