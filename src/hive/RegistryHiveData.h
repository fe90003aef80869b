// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The classes hive's key model: its keys and their default values, and the lines of the file
// they were read from; internal to the hive, included by no other folder.
#pragma once

#include "hive/DefaultValue.h"
#include "hive/RegFileLines.h"
#include "hive/RegistryHive.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace registry {

struct RegistryHive::Data {
    static constexpr qsizetype NoLine = -1; // a key or value with no line of its own in the file

    struct Key {
        QString path; // each level spelt as when it was first created
        QString folded;
        DefaultValue value;
        // Entries of `lines`: the last line that opens the key and the last line that sets or
        // deletes its default value since then.
        qsizetype keyLine = NoLine;
        qsizetype valueLine = NoLine;
        bool isNew = false; // created since the file was read
        bool valueChanged = false;
        QString before; // for a new key, the folded key whose lines it is written above
        std::optional<QStringList> above {}; // the comment and blank lines written above it
    };

    // The root whose keys the hive holds, as written in key lines.
    QString root;
    // The header the file was read with: a REGEDIT4 file keeps it, since the binary string values
    // it may hold are ANSI bytes under that header and UTF-16 under the other.
    QString header = RegFileLines::Header;
    // A file whose last line has no line end is written back without one.
    bool endsWithLineBreak = true;
    // The lines after the header as read; a value continued over several lines is one entry. A
    // hive made from nothing ends with a blank line, as the registry editor's exports do.
    std::vector<QStringList> lines {QStringList {QString()}};
    std::vector<Key> keys {Key {}}; // in order of creation; the first is the root
    QHash<QString, std::size_t> positions {{QString(), 0}}; // folded path -> index in keys
    QStringList deletions; // the keys of the file's deletion lines, in file order

    // Registry names ignore letter case; folding the whole path compares every level that way.
    static QString folded(const QString& path) { return path.toCaseFolded(); }
    static bool isAtOrBelow(const QString& foldedPath, const QString& foldedKey);

    const Key* find(const QString& path) const;
    // Creates every missing level of a valid path; returns the key.
    Key& create(const QString& path, bool isNew);
    // Removes the key and every key below it; a root cannot be removed.
    void remove(const QString& path);

    // The key a key line names below the root, when the registry can create it.
    std::optional<QString> pathOf(const RegFileLines::KeyLine& line) const;
    // The number of comment and blank lines right above entry `index`: a user writes them about
    // the key below, not the one above.
    qsizetype linesAbove(qsizetype index) const;
    // For each entry of `lines`, the folded key whose section it is in, the comments and blank
    // lines above its key line included; nothing outside the sections of the root's keys, nor
    // for those that end the file, below the last section and the keys written later.
    std::vector<std::optional<QString>> sections() const;
    // The entry a new key placed before another is written above; -1 when it is not placed, or
    // when that key has no line in the file.
    qsizetype placedAbove(const Key& key) const;
    // The lines of a section of its own for a key: its key line and its value.
    QStringList section(const Key& key) const;

    // Takes out the entries `drop` marks; the keys' line numbers go on naming the same lines.
    void dropLines(const std::vector<bool>& drop);
    // Takes in entry `index` of `lines`; `section` is the key whose values the lines below set.
    // A deletion `[-HKEY_CLASSES_ROOT\...]` is applied where it stands, as an import applies it,
    // and its line is kept: the file goes on deleting the key when imported on Windows, and a key
    // written again goes to a new section at the end, below the deletion that would undo it.
    void read(qsizetype index, std::optional<QString>* section);
};

} // namespace registry
