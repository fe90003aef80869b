// The per-user classes hive: keys under HKEY_CLASSES_ROOT with their default string values, kept
// as a registry-editor (.reg) file that keeps every line it does not use.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace registry {

class RegistryHive {
public:
    // Why a .reg file cannot be read, in the program's two languages; `line` is 0 when the
    // failure is not on one line.
    struct ReadError {
        qsizetype line = 0;
        QString english;
        QString french;
    };

    RegistryHive();
    ~RegistryHive();
    RegistryHive(const RegistryHive&);
    RegistryHive& operator=(const RegistryHive&);
    RegistryHive(RegistryHive&&) noexcept;
    RegistryHive& operator=(RegistryHive&&) noexcept;

    // Reads a .reg file as the registry editor imports it: a "Windows Registry Editor Version
    // 5.00" or "REGEDIT4" header, then key lines, values and comments in UTF-16LE with a
    // byte-order mark, in UTF-8 (with or without one) or else in Windows-1252. Only the default
    // values of keys under HKEY_CLASSES_ROOT are read; every other line is kept as it is. Nothing,
    // with `error` set, when the header is missing or the UTF-16 text ends in half a character.
    static std::optional<RegistryHive> parse(const QByteArray& bytes, ReadError* error);
    // The .reg file as the registry editor writes it (UTF-16LE with a byte-order mark, CRLF line
    // ends): the lines read, the values written since in place of the ones they replace, and new
    // keys at the end in the order they were first created.
    QByteArray serialize() const;

    // Key paths are relative to HKEY_CLASSES_ROOT, levels separated by '\', compared without
    // regard to case. Creating a key creates every missing level.
    // Both return false, changing nothing, when the path or the data cannot be kept in the file:
    // an empty level (a path starting or ending with '\' or holding "\\"), a level longer than
    // 255 characters, a line break or NUL character, or half of a UTF-16 surrogate pair.
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
