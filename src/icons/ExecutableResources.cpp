// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The icon resources of an executable: what the PE and NE readers share.
#include "icons/ExecutableResources.h"

#include "icons/BoundedReader.h"

#include <QCoreApplication>
#include <algorithm>

namespace icons {

namespace {
constexpr quint64 GroupEntrySize = 14;
} // namespace

std::vector<ImageSlot> ExecutableResources::groupImages(const Location& directory, QString* problem) const
{
    if (directory.size < IcoHeaderSize) {
        *problem = QCoreApplication::translate("IconLibrary", "group directory at offset %1 is cut off").arg(hex(directory.offset));
        return {};
    }
    const quint32 count = m_bytes.u16(directory.offset + 4);
    if (IcoHeaderSize + GroupEntrySize * count > directory.size) {
        *problem = QCoreApplication::translate("IconLibrary", "group directory at offset %1 lists %2 images, more than its %3 bytes hold")
                       .arg(hex(directory.offset)).arg(count).arg(directory.size);
        return {};
    }
    std::vector<ImageSlot> images;
    for (quint32 i = 0; i < count; ++i) {
        const quint64 entry = directory.offset + IcoHeaderSize + GroupEntrySize * i;
        QString reason;
        std::optional<Location> data = iconOf(entry, &reason);
        if (data && (data->size == 0 || !m_bytes.has(data->offset, data->size))) {
            reason = QCoreApplication::translate("IconLibrary", "icon %1 at offset %2 (%3 bytes) is empty or cut off")
                         .arg(m_bytes.u16(entry + 12)).arg(hex(data->offset)).arg(data->size);
            data.reset();
        }
        if (!data) {
            if (problem->isEmpty())
                *problem = reason;
            continue;
        }
        images.push_back({{}, m_bytes.copy(entry, 8), *data});
    }
    return images;
}

void ExecutableResources::indexIcons(std::vector<std::pair<quint16, quint64>> icons, const QString& problem)
{
    std::ranges::stable_sort(icons, {}, &std::pair<quint16, quint64>::first);
    m_icons = std::move(icons);
    m_iconsProblem = problem;
}

std::optional<quint64> ExecutableResources::indexedIcon(quint16 key, quint16 id, QString* problem) const
{
    const auto found = std::lower_bound(m_icons.begin(), m_icons.end(), key,
                                        [](const auto& icon, quint16 wanted) { return icon.first < wanted; });
    if (found == m_icons.end() || found->first != key) {
        *problem = m_iconsProblem.isEmpty() ? QCoreApplication::translate("IconLibrary", "icon %1 is missing").arg(id) : m_iconsProblem;
        return std::nullopt;
    }
    return found->second;
}

} // namespace icons
