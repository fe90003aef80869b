// Writes 16-bit NE icon libraries (.icl files) for the tests: icon groups and their icons only.
#pragma once

#include "IconFile.h"

#include <QByteArray>
#include <QString>
#include <vector>

class NeLibraryWriter {
public:
    // Adds a group with an integer ID (below 0x8000) or, when `name` is set, a named group.
    // Groups keep the order they are added in; their images become icons 1, 2, ... in order.
    void addGroup(quint16 id, const std::vector<icontools::IconImage>& images);
    void addGroup(const QString& name, const std::vector<icontools::IconImage>& images);
    // Resources start at multiples of 1 << shift (4 unless set).
    void setAlignShift(int shift) { m_shift = shift; }
    // Puts the group block before the icon block in the resource table.
    void setGroupsFirst(bool first) { m_groupsFirst = first; }

    QByteArray build() const;

private:
    struct Group {
        quint16 id = 0;
        QString name;
        std::vector<icontools::IconImage> images;
    };
    std::vector<Group> m_groups;
    int m_shift = 4;
    bool m_groupsFirst = false;
};
