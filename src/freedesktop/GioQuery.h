// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Asks GIO what the desktop makes of file names and types, as a file manager asks it.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace registry {

class GioQuery {
public:
    // The content type GIO gives a small file of each extension (without its dot), by its name:
    // the file holds nothing that its content could be recognised by. An empty text where it
    // cannot tell; nothing when gio cannot be run.
    static std::optional<QStringList> contentTypes(const QStringList& extensions);

    struct Handlers {
        QString defaultApplication; // a desktop file ID; empty when none
        QStringList applications; // every registered one
    };
    // The applications GIO opens files of `mimeType` with; nothing when gio cannot be run.
    static std::optional<Handlers> handlers(const QString& mimeType);
};

} // namespace registry
