// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The associations the classes root holds, found as Finish writes them.
#include "associations/AssociationList.h"

#include "associations/KeyWriter.h"

#include <algorithm>

namespace registry {

namespace {

const QString kVerb = QStringLiteral("Jouer - Play");

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isExtensionKey(const QString& name)
{
    return name.startsWith(QLatin1Char('.'));
}

// Reads keys, keeping the first failure other than a missing key.
class Reader {
public:
    explicit Reader(platform::ClassesRoot& root)
        : m_root(root)
    {
    }

    std::optional<QString> value(const QString& path)
    {
        std::optional<QString> value;
        note(path, m_root.readDefaultValue(path, &value));
        return value;
    }

    QStringList subkeys(const QString& path)
    {
        QStringList names;
        note(path, m_root.readSubkeys(path, &names));
        return names;
    }

    const std::optional<platform::Failure>& failure() const { return m_failure; }

    // The command of the class's default verb, or else of its first verb that has one.
    std::optional<QString> openCommand(const QString& className)
    {
        const QString shell = className + QStringLiteral("\\shell");
        QStringList verbs = subkeys(shell);
        if (const std::optional<QString> verb = value(shell); verb && verbs.contains(*verb, Qt::CaseInsensitive))
            verbs.prepend(*verb);
        for (const QString& verb : verbs) {
            if (std::optional<QString> command = value(shell + QLatin1Char('\\') + verb + QStringLiteral("\\command")))
                return command;
        }
        return std::nullopt;
    }

private:
    void note(const QString& path, long status)
    {
        if (status != platform::StatusSuccess && status != platform::StatusFileNotFound && !m_failure)
            m_failure = KeyWriter::readFailure(path, status);
    }

    platform::ClassesRoot& m_root;
    std::optional<platform::Failure> m_failure;
};

} // namespace

std::optional<AssociationList> AssociationList::read(platform::ClassesRoot& root, const QList<ClassPair>& pairs,
                                                     platform::Failure* failure)
{
    Reader reader(root);
    AssociationList list;
    for (const QString& name : reader.subkeys(QString()))
        list.m_topKeys.append({name, reader.value(name), reader.subkeys(name)});
    for (const TopKey& key : list.m_topKeys) {
        // A console key names a class whose default verb is the wizard's.
        const TopKey* romClass = key.value && !isExtensionKey(key.name) ? list.topKey(*key.value) : nullptr;
        if (!romClass || !key.subkeys.isEmpty() || sameName(romClass->name, key.name)
            || reader.value(romClass->name + QStringLiteral("\\shell")) != kVerb)
            continue;
        Association association;
        association.console = key.name;
        association.romClass = romClass->name;
        for (const ClassPair& pair : pairs) {
            const TopKey* saveClass = list.topKey(pair.saveClass);
            if (association.saveClass.isEmpty() && saveClass && sameName(pair.romClass, romClass->name))
                association.saveClass = saveClass->name;
        }
        association.command = reader.value(romClass->name + QStringLiteral("\\shell\\") + kVerb
                                           + QStringLiteral("\\command"));
        association.romExtensions = list.extensionsOf(association.romClass);
        association.romIcon = reader.value(romClass->name + QStringLiteral("\\DefaultIcon")).value_or(QString());
        if (!association.saveClass.isEmpty()) {
            association.saveExtensions = list.extensionsOf(association.saveClass);
            association.saveIcon
                = reader.value(association.saveClass + QStringLiteral("\\DefaultIcon")).value_or(QString());
        }
        list.m_associations.append(association);
    }
    // A class left without its console (its ROM class removed, say) is still the command line's
    // to list and remove.
    for (const TopKey& key : list.m_topKeys) {
        if (isExtensionKey(key.name) || list.holds(key.name))
            continue;
        Association loose;
        loose.romClass = key.name;
        loose.romExtensions = list.extensionsOf(key.name);
        loose.command = reader.openCommand(key.name);
        loose.romIcon = reader.value(key.name + QStringLiteral("\\DefaultIcon")).value_or(QString());
        if (loose.command || !loose.romExtensions.isEmpty())
            list.m_associations.append(loose);
    }
    if (reader.failure()) {
        *failure = *reader.failure();
        return std::nullopt;
    }
    return list;
}

bool AssociationList::holds(const QString& className) const
{
    return std::any_of(m_associations.cbegin(), m_associations.cend(), [&](const Association& association) {
        return sameName(association.romClass, className) || sameName(association.saveClass, className);
    });
}

const TopKey* AssociationList::topKey(const QString& name) const
{
    for (const TopKey& key : m_topKeys) {
        if (sameName(key.name, name))
            return &key;
    }
    return nullptr;
}

QStringList AssociationList::extensionKeysOf(const QString& className) const
{
    QStringList keys;
    for (const TopKey& key : m_topKeys) {
        if (isExtensionKey(key.name) && key.value && sameName(*key.value, className))
            keys << key.name;
    }
    return keys;
}

QStringList AssociationList::extensionsOf(const QString& className) const
{
    QStringList extensions;
    for (const QString& key : extensionKeysOf(className))
        extensions << key.mid(1);
    return extensions;
}

QStringList AssociationList::consoleKeysOf(const QString& className) const
{
    QStringList keys;
    for (const TopKey& key : m_topKeys) {
        if (!isExtensionKey(key.name) && key.subkeys.isEmpty() && key.value && sameName(*key.value, className)
            && !sameName(key.name, className))
            keys << key.name;
    }
    return keys;
}

} // namespace registry
