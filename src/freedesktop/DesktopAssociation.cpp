// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the hive says about one class: description, open command, icon and extensions.
#include "freedesktop/DesktopAssociation.h"

#include "hive/RegistryHive.h"

namespace registry {

namespace {

QString valueOf(const RegistryHive& hive, const QString& path)
{
    return hive.defaultValue(path).value_or(QString());
}

bool isExtensionKey(const QString& key)
{
    return key.startsWith(u'.');
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The console key that names a ROM class: a key of its own, without subkeys, whose value is the
// class.
QString consoleOf(const RegistryHive& hive, const QString& className)
{
    for (const QString& key : hive.subkeys(QString())) {
        if (!isExtensionKey(key) && !sameName(key, className) && hive.subkeys(key).isEmpty()
            && sameName(valueOf(hive, key), className))
            return key;
    }
    return {};
}

} // namespace

DesktopAssociation DesktopAssociation::read(const RegistryHive& hive, const QString& className,
                                            const QList<ClassPair>& pairs)
{
    DesktopAssociation association;
    association.className = className;
    association.description = valueOf(hive, className);
    // As the shell does, a class without a default verb opens with "open".
    QString verb = valueOf(hive, className + QStringLiteral("\\shell"));
    if (verb.isEmpty())
        verb = QStringLiteral("open");
    const QString commandKey
        = className + QStringLiteral("\\shell\\") + verb + QStringLiteral("\\command");
    if (hive.hasKey(commandKey))
        association.command = valueOf(hive, commandKey);
    association.iconReference = valueOf(hive, className + QStringLiteral("\\DefaultIcon"));
    for (const QString& key : hive.subkeys(QString())) {
        if (isExtensionKey(key) && valueOf(hive, key).compare(className, Qt::CaseInsensitive) == 0)
            association.extensions << key.mid(1);
    }
    association.console = consoleOf(hive, className);
    for (const ClassPair& pair : pairs) {
        if (association.console.isEmpty() && !pair.romClass.isEmpty() && sameName(pair.saveClass, className)) {
            association.console = consoleOf(hive, pair.romClass);
            association.saveStates = !association.console.isEmpty();
        }
    }
    return association;
}

QStringList DesktopAssociation::classesOf(const RegistryHive& hive)
{
    const QStringList keys = hive.subkeys(QString());
    QStringList classes;
    const auto add = [&classes](const QString& name) {
        if (!name.isEmpty() && !classes.contains(name, Qt::CaseInsensitive))
            classes << name;
    };
    for (const QString& key : keys) {
        if (isExtensionKey(key))
            continue;
        if (hive.hasKey(key + QStringLiteral("\\shell"))
            || hive.hasKey(key + QStringLiteral("\\DefaultIcon")))
            add(key);
    }
    for (const QString& key : keys) {
        const QString named = valueOf(hive, key);
        if (isExtensionKey(key) && !isExtensionKey(named)
            && keys.contains(named, Qt::CaseInsensitive))
            add(named);
    }
    return classes;
}

} // namespace registry
