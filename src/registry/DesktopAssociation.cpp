// What the hive says about one class: description, open command, icon and extensions.
#include "registry/DesktopAssociation.h"

#include "registry/RegistryHive.h"

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

} // namespace

DesktopAssociation DesktopAssociation::read(const RegistryHive& hive, const QString& className)
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
