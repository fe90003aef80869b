// What the hive says about one class: description, open command, icon and extensions.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace registry {

class RegistryHive;

struct DesktopAssociation {
    QString className;
    QString description; // the class key's default value
    std::optional<QString> command; // the default verb's command, when the class has one
    QString iconReference; // DefaultIcon: "file,index"
    QStringList extensions; // without their dot, as the hive spells them

    // The class as the hive describes it.
    static DesktopAssociation read(const RegistryHive& hive, const QString& className);
    // Every class of the hive: a root key with a verb or an icon, or named by an extension.
    static QStringList classesOf(const RegistryHive& hive);
};

} // namespace registry
