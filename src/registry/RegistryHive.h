// The per-user classes hive: keys under HKEY_CLASSES_ROOT with their default string values,
// kept as a Windows registry-export (.reg) text file.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace registry {

class RegistryHive {
public:
    RegistryHive();
    ~RegistryHive();
    RegistryHive(const RegistryHive&);
    RegistryHive& operator=(const RegistryHive&);
    RegistryHive(RegistryHive&&) noexcept;
    RegistryHive& operator=(RegistryHive&&) noexcept;

    // Reads the text of a .reg file ("Windows Registry Editor Version 5.00", keys under
    // HKEY_CLASSES_ROOT, `@="..."` default values). Empty with `error` naming the line when
    // the text cannot be read.
    static std::optional<RegistryHive> parse(const QByteArray& text, QString* error);
    // The .reg text: UTF-8, CRLF line ends, keys in the order they were first created.
    QByteArray serialize() const;

    // Key paths are relative to HKEY_CLASSES_ROOT, levels separated by '\', compared without
    // regard to case. Creating a key creates every missing level.
    // Both return false, changing nothing, when the path or the data cannot be kept in the file:
    // an empty level (a path starting or ending with '\' or holding "\\"), a level longer than
    // 255 characters, or a line break or NUL character in a name or in the data.
    // "" is the root itself: it always exists, and it is written to the file only with a value.
    bool createKey(const QString& path);
    bool setDefaultValue(const QString& path, const QString& data);

    bool hasKey(const QString& path) const;
    std::optional<QString> defaultValue(const QString& path) const;
    // Names of the direct subkeys of `path` ("" = the root), as first written.
    QStringList subkeys(const QString& path) const;

    static bool isValidKeyPath(const QString& path);
    static bool isStorableData(const QString& data);

private:
    struct Data;
    std::unique_ptr<Data> d;
};

} // namespace registry
