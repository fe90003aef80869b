// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The applications of this desktop and the MIME types they open, read once from their desktop
// entries and mimeapps.list files, for questions that must not wait on gio.
#pragma once

#include <QByteArrayList>
#include <QHash>
#include <QString>
#include <optional>

namespace registry {

class TypeOpeners {
public:
    struct Application {
        QString id; // the desktop file ID
        QString name;
        QString frenchName; // the name when the entry has no French one
    };

    // The entries of the applications folders of the XDG data folders, the user's first.
    static TypeOpeners read();

    // The application that opens `mimeType`: the default a mimeapps.list names when it is
    // installed, else the first entry that lists the type; nothing when none does.
    std::optional<Application> opening(const QString& mimeType) const;

private:
    QHash<QString, Application> m_byId;
    QHash<QString, QString> m_firstByType; // type -> desktop file ID
    QByteArrayList m_mimeApps; // the mimeapps.list files, the one that wins first
};

} // namespace registry
