// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the Linux desktop makes of the hive's classes: whether their types are known and given to
// their extensions, whether their files open with their emulators, and whether those can run.
#pragma once

#include "platform/ClassesRoot.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace registry {

class RegistryHive;

class DesktopCheck {
public:
    // What the desktop gives files of each extension now, apart from our own types; a type no
    // application opens is no claim (taking it away loses nothing).
    static QList<platform::ExtensionClaim> claimsOf(const QStringList& extensions);

    // The classes of `classNames` that `hive` holds, as the desktop sees them once published;
    // `mimeDatabase` is the folder of the user's MIME database.
    static QList<platform::ClassCheck> check(const RegistryHive& hive, const QStringList& classNames,
                                             const QString& mimeDatabase);

    // Why the desktop cannot start the program of `command`, the open command of `className`:
    // not found, not a program, or a Windows program; nothing when it can.
    static std::optional<platform::Failure> programProblem(const QString& className,
                                                                      const QString& command);
};

} // namespace registry
