// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The shared-mime-info package that declares one MIME type per class of the hive.
#pragma once

#include "freedesktop/DesktopAssociation.h"

#include <QByteArray>
#include <vector>

namespace registry {

class DesktopMimePackage {
public:
    // The package text: per class its type, its description as comment, its icon name when
    // the class has an icon, and one case-insensitive pattern per publishable extension.
    static QByteArray text(const std::vector<DesktopAssociation>& associations);
};

} // namespace registry
