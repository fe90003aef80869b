// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Publishes the classes of the hive to the Linux desktop through the freedesktop.org standards.
#pragma once

#include "platform/ClassesRoot.h"
#include "catalogue/ConsoleOffer.h"

#include <QList>
#include <QStringList>

namespace registry {

class RegistryHive;

class DesktopPublisher {
public:
    // `pairs`, the catalogue's ROM and save classes, tell which console a save class belongs
    // to, for the names the desktop shows.
    explicit DesktopPublisher(QList<ClassPair> pairs = {});

    // Publishes every class of `hive` to the user's desktop: MIME type, icon, and (for a class
    // with an open command) a desktop entry, set as default handler for the classes of
    // `classNames` and, for the others, where the user's mimeapps.list names no other default. A
    // class whose command cannot run, or whose type did not reach the MIME database, keeps no
    // earlier entry or default; a name of `classNames` (the classes the change wrote) that the
    // hive does not hold as a class keeps no entry, default or icon. Returns one failure per thing
    // that went wrong (what and where), a class or extension that cannot be published included;
    // empty when all went well.
    QList<platform::Failure> publish(const RegistryHive& hive, const QStringList& classNames);

private:
    QList<ClassPair> m_pairs;
};

} // namespace registry
