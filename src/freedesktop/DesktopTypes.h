// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The MIME types one class is published under: one per type the system gives its extensions.
#pragma once

#include "freedesktop/DesktopAssociation.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace registry {

class DesktopTypes {
public:
    struct Type {
        QString name;
        QString parent; // the system's type it is a subclass of; empty when none
        QStringList extensions; // the publishable ones, as the hive spells them
    };

    // The types of `association`: its extensions grouped by the type `systemTypes` (by extension,
    // lowered) gives them, so that a file manager offers for each extension the applications of
    // its own system type, and those of no other. The largest group (the first on a tie) keeps the
    // class's own type name, which earlier publications and backups hold; a class without
    // extensions has that one type alone.
    static std::vector<Type> of(const DesktopAssociation& association, const QHash<QString, QString>& systemTypes);
    // Whether `type` is one of the types of `className`.
    static bool belongsTo(const QString& type, const QString& className);
};

} // namespace registry
