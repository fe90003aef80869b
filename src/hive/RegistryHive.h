// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user classes hive: keys under HKEY_CLASSES_ROOT with their default values, kept
// as a registry-editor (.reg) file that keeps every line it does not use.
#pragma once

#include "platform/RegistryValue.h"

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

    // The root the hive's keys are read under and written with.
    static inline const QString ClassesRootName = QStringLiteral("HKEY_CLASSES_ROOT");

    explicit RegistryHive(const QString& root = ClassesRootName);
    ~RegistryHive();
    RegistryHive(const RegistryHive&);
    RegistryHive& operator=(const RegistryHive&);
    RegistryHive(RegistryHive&&) noexcept;
    RegistryHive& operator=(RegistryHive&&) noexcept;

    // Reads a .reg file as the registry editor imports it: a "Windows Registry Editor Version
    // 5.00" or "REGEDIT4" header, then key lines, values and comments in UTF-16LE with a
    // byte-order mark, in UTF-8 (with or without one) or else in Windows-1252. Only the default
    // values of keys under `root` are read; every other line is kept as it is. Nothing, with
    // `error` set, when the header is missing or the UTF-16 text ends in half a character.
    static std::optional<RegistryHive> parse(const QByteArray& bytes, ReadError* error,
                                             const QString& root = ClassesRootName);
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
    // Sets the default value whatever its type: a string that a quoted string can hold is
    // written as one, any other value as the registry editor writes it (dword or hex data).
    bool setStoredValue(const QString& path, const platform::RegistryValue& value);

    // Removes the key, every key below it and the lines of their sections, named values and the
    // comment and blank lines right above their key lines included (those below the last value
    // are the next key's, or the end of the file's); false, changing nothing, for the root or a
    // key that does not exist.
    bool deleteKey(const QString& path);
    // Removes the key's default value and every line that set it; false when there is no key.
    bool deleteDefaultValue(const QString& path);

    bool hasKey(const QString& path) const;
    // Whether the hive holds what an absent file holds: no key, no value, no line but blanks.
    bool holdsNothing() const;
    // The key's default string value; nothing for a value of another type.
    std::optional<QString> defaultValue(const QString& path) const;
    // The key's default value as the registry stores it, whatever its type (a string as UTF-16LE
    // ended by a NUL).
    std::optional<platform::RegistryValue> storedValue(const QString& path) const;
    // Whether a line of the file or a write since sets or deletes the key's default value: a key
    // line alone leaves a value as it was when the file is imported, "@=-" deletes it.
    bool definesDefaultValue(const QString& path) const;
    // Names of the direct subkeys of `path` ("" = the root), as first written.
    QStringList subkeys(const QString& path) const;
    // The keys below the root that the file's deletion lines "[-...]" name, in file order.
    QStringList deletedKeys() const;
    // The keys of the file's key lines in the order of their last key lines, then the keys
    // created since, in the order they are written.
    QStringList keysInFileOrder() const;
    // The comment and blank lines right above the key's last key line, as they are written;
    // nothing for a key without a key line.
    std::optional<QStringList> linesAbove(const QString& path) const;

    // Writes `path`, a key created since the file was read, in a section of its own right above
    // `next` and the comment and blank lines above it (at the end of the file, above the lines
    // that end it, when `next` is ""), where a key deleted from there stood, with the lines
    // `above` it had (one blank line when not known); nothing changes when `path` is not such a
    // key or `next` has no key line.
    void placeBefore(const QString& path, const QString& next, const std::optional<QStringList>& above = std::nullopt);

    static bool isValidKeyPath(const QString& path);
    static bool isStorableData(const QString& data);

    // Lines as the registry editor writes them: a key of `root` ("[-...]" when `deletion`), a
    // default value (`@=-` for none; hex data on several lines), and a whole file in UTF-16LE
    // with CRLF line ends.
    static QString keyLine(const QString& root, const QString& path, bool deletion = false);
    static QStringList valueLines(const std::optional<platform::RegistryValue>& value);
    static QByteArray fileBytes(const QStringList& lines);

private:
    struct Data;
    std::unique_ptr<Data> d;
};

} // namespace registry
