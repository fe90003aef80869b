// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The associations the classes root holds, found as Finish writes them: a console key naming a
// class whose default verb is the wizard's, with that class's save class by the catalogue's
// pairing, their extensions, open command and icons; then every other class that extensions
// name or that has an open command, without a console.
#pragma once

#include "platform/ClassesRoot.h"
#include "catalogue/ConsoleOffer.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace registry {

struct Association {
    QString console; // empty for a class no console key names: it is in romClass, alone
    QString romClass;
    QString saveClass; // empty when the catalogue pairs the ROM class with none the root holds
    QStringList romExtensions; // without their dot, as the keys spell them
    QStringList saveExtensions;
    std::optional<QString> command;
    QString romIcon;
    QString saveIcon;
};

// One key at the top of the classes root.
struct TopKey {
    QString name;
    std::optional<QString> value;
    QStringList subkeys;
};

class AssociationList {
public:
    // Reads the top of the classes root; nothing, with `failure` set, when it cannot be read.
    static std::optional<AssociationList> read(platform::ClassesRoot& root, const QList<ClassPair>& pairs,
                                               platform::Failure* failure);

    const QList<Association>& associations() const { return m_associations; }
    const QList<TopKey>& topKeys() const { return m_topKeys; }

    // The extension keys (with their dot) whose default value names `className`, and their
    // extensions (without it).
    QStringList extensionKeysOf(const QString& className) const;
    QStringList extensionsOf(const QString& className) const;
    // The console keys that name `className`: keys without subkeys whose value is that class.
    QStringList consoleKeysOf(const QString& className) const;
    const TopKey* topKey(const QString& name) const;

private:
    bool holds(const QString& className) const;

    QList<TopKey> m_topKeys;
    QList<Association> m_associations;
};

} // namespace registry
