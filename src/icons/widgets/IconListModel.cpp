// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The icons of one icon library as a list, each decoded the first time a view shows it.
#include "icons/widgets/IconListModel.h"

#include "platform/ShellIcons.h"

namespace icons {

IconListModel::IconListModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void IconListModel::setLibrary(IconLibrary library)
{
    beginResetModel();
    m_library = std::move(library);
    m_pictures.assign(size_t(m_library.groupCount()), std::nullopt);
    m_decoded = 0;
    endResetModel();
}

int IconListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_library.groupCount();
}

QVariant IconListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DecorationRole:
        return picture(index.row());
    case Qt::ToolTipRole: {
        const IconGroup& group = m_library.groups()[size_t(index.row())];
        return group.id < 0 ? tr("Icon %1 (%2)").arg(index.row()).arg(group.name)
                            : tr("Icon %1 (ID %2)").arg(index.row()).arg(group.id);
    }
    default:
        return {};
    }
}

// An icon that cannot be decoded shows as an empty cell; the others keep their places.
QPixmap IconListModel::picture(int row) const
{
    std::optional<QPixmap>& cached = m_pictures[size_t(row)];
    if (!cached) {
        const int size = platform::LargeIconSize;
        const QImage image = m_library.decode(row, size);
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        if (!image.isNull())
            pixmap = QPixmap::fromImage(image.size() == QSize(size, size)
                                            ? image
                                            : image.scaled(size, size, Qt::KeepAspectRatio,
                                                           Qt::SmoothTransformation));
        cached = pixmap;
        ++m_decoded;
    }
    return *cached;
}

} // namespace icons
