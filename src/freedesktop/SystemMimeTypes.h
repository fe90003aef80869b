// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The system's MIME database, without the user's: the types files had before our associations.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace registry {

class SystemMimeTypes {
public:
    // The database in the `mime` folders of XDG_DATA_DIRS; the user's own, in XDG_DATA_HOME, holds
    // our types.
    static SystemMimeTypes ofSystem(const QStringList& extensions);
    // The database in the `mimeFolders`, the first one winning where two say otherwise. Only the
    // patterns of the `extensions` are kept: a change asks about a few of the database's
    // thousand, and reading it is part of every Finish.
    SystemMimeTypes(const QStringList& mimeFolders, const QStringList& extensions);

    // The type given to files named *.`extension` by a pattern of that very form, the heaviest
    // first; empty when none or when `extension` was not asked about.
    QString typeOf(const QString& extension) const;
    // The type `type` is an alias of, else `type` itself.
    QString canonical(const QString& type) const;

private:
    struct Glob {
        int weight = 0;
        QString type;
    };
    QHash<QString, Glob> m_caseFolded; // "*.nes" as written with case folded, unless case-sensitive
    QHash<QString, Glob> m_caseSensitive;
    QHash<QString, QString> m_aliases;
};

} // namespace registry
