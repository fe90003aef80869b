// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Which other file type of the desktop an extension names, and what opens it: asked by the wizard
// for each extension box, so it answers without starting a program.
#pragma once

#include <QString>
#include <memory>
#include <optional>

namespace platform {

// A type the desktop gives an extension's files apart from Zelvane's own, and an application of
// this desktop that opens it.
struct ExtensionOwner {
    QString typeDescription; // in French or English when the desktop has it so, else as it has it
    QString application; // the application's name as its menu entry shows it
};

class ExtensionOwners {
public:
    virtual ~ExtensionOwners() = default;
    // The owner of files named *.<extension> (without the dot); nothing when no application opens
    // their type, since taking such files loses nothing. Each extension is looked up once.
    virtual std::optional<ExtensionOwner> ownerOf(const QString& extension, bool french) = 0;
};

// On Linux the freedesktop.org MIME database and desktop entries, as they are when first asked.
// On Windows no owner is found yet: the wizard's warning is Linux's only.
std::unique_ptr<ExtensionOwners> openExtensionOwners();

} // namespace platform
