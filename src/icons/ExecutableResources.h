// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The icon resources of an executable: what the PE and NE readers share.
#pragma once

#include "icons/IconLibraryParts.h"

#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace icons {

class BoundedReader;

// The icons of an executable indexed by ID, and the group directories that name them.
// Subclasses read one executable format; the reader outlives them.
class ExecutableResources {
public:
    explicit ExecutableResources(const BoundedReader& bytes) : m_bytes(bytes) {}
    virtual ~ExecutableResources() = default;
    ExecutableResources(const ExecutableResources&) = delete;
    ExecutableResources& operator=(const ExecutableResources&) = delete;

    // Reads the resource table the header at `header` points to: its icon groups go to `groups`,
    // its icons to the index. Returns why the table cannot be read, empty when it can.
    virtual QString read(quint64 header, GroupTable& groups) = 0;

    // The images the group directory at `directory` lists. Entries whose image is missing, empty
    // or cut off are left out; the first reason goes to `problem`.
    std::vector<ImageSlot> groupImages(const Location& directory, QString* problem) const;

protected:
    // Indexes `icons` (ID and offset of the format's own entry) by ID, the first of equal IDs
    // first: looking them up one by one would take the square of the count in time. A non-empty
    // `problem` says why the icons could not be read, for the lookups that then fail.
    void indexIcons(std::vector<std::pair<quint16, quint64>> icons, const QString& problem = QString());
    // The entry indexed for `key`; when there is none, `problem` names the icon as its group
    // does (`id`), or says why the icons could not be read.
    std::optional<quint64> indexedIcon(quint16 key, quint16 id, QString* problem) const;

    const BoundedReader& m_bytes;

private:
    // Where the image lies that the group directory entry at `groupEntry` names.
    virtual std::optional<Location> iconOf(quint64 groupEntry, QString* problem) const = 0;

    std::vector<std::pair<quint16, quint64>> m_icons;
    QString m_iconsProblem;
};

} // namespace icons
