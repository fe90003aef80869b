// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The shared-mime-info package that declares the MIME types of the classes of the hive.
#pragma once

#include "freedesktop/DesktopAssociation.h"

#include <QByteArray>
#include <QHash>
#include <vector>

namespace registry {

class DesktopMimePackage {
public:
    // The package text: per type of a class (DesktopTypes, after `systemTypes`) its name, the
    // class's description as comment, its icon name when the class has an icon, the system's type
    // it is a subclass of, and one case-insensitive pattern per publishable extension.
    static QByteArray text(const std::vector<DesktopAssociation>& associations,
                           const QHash<QString, QString>& systemTypes);
};

} // namespace registry
