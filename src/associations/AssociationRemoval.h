// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What removing a console's association or one class takes away from the classes root: the
// classes, the extension keys that still name them and the console keys that name them.
#pragma once

#include "associations/AssociationList.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace registry {

struct AssociationRemoval {
    QStringList classes; // the classes removed, as the desktop is to hear of them
    QStringList trees; // keys deleted with everything below them
    QStringList values; // extension keys that have subkeys of their own: only their value goes
    QStringList leftAlone; // class keys whose value is no longer the one Finish writes

    // `name` is a console of the list (all its classes go) or a class; nothing when it names
    // neither. Names are compared without regard to case, as the registry compares them.
    static std::optional<AssociationRemoval> of(const AssociationList& list, const QString& name);
};

} // namespace registry
