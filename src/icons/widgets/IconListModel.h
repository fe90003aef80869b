// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The icons of one icon library as a list, each decoded the first time a view shows it.
#pragma once

#include "icons/IconLibrary.h"

#include <QAbstractListModel>
#include <QPixmap>
#include <optional>
#include <vector>

namespace icons {

class IconListModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit IconListModel(QObject* parent = nullptr);

    // Shows the groups of `library`, one row per group in extraction order.
    void setLibrary(IconLibrary library);
    const IconLibrary& library() const { return m_library; }

    // How many icons have been decoded since the library was set.
    int decodedCount() const { return m_decoded; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QPixmap picture(int row) const;

    IconLibrary m_library;
    mutable std::vector<std::optional<QPixmap>> m_pictures;
    mutable int m_decoded = 0;
};

} // namespace icons
