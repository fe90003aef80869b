// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Turns icon images into a group directory and its RT_ICON resources.
#include "IconLibraryWriter.h"

namespace icontools {

bool IconLibraryWriter::addGroup(const ResourceName& name, quint16 language,
                                 const std::vector<IconImage>& images, QString* error)
{
    if (m_nextIconId + images.size() > 0x10000) {
        *error = QStringLiteral("more than 65535 icon images in one library");
        return false;
    }
    const auto firstId = quint16(m_nextIconId);
    for (const IconImage& image : images)
        m_resources.add(ResourceName::number(RtIcon), ResourceName::number(quint16(m_nextIconId++)),
                        language, image.data);
    m_resources.add(ResourceName::number(RtGroupIcon), name, language, writeGroupDirectory(images, firstId));
    return true;
}

} // namespace icontools
