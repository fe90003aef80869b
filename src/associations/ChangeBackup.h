// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a change of the classes root is about to replace, read before the change, as a .reg file
// that puts it back when imported: a key that does not exist yet as a deletion, a key about to
// change with its default value of whatever type ("@=-" for none), a tree about to go with every
// key in it.
#pragma once

#include "platform/ClassesRoot.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace registry {

class ChangeBackup {
public:
    explicit ChangeBackup(platform::ClassesRoot& root);

    // Each records what the change will replace; false, with `failure` set, when a key cannot be
    // read. A key whose default value will be set or deleted (its missing levels are created):
    bool addChangedKey(const QString& path, platform::Failure* failure);
    // A key that will be deleted with everything below it:
    bool addDeletedTree(const QString& path, platform::Failure* failure);

    // The default string value `path` had, when it is a changed key that existed with one.
    std::optional<QString> previousValue(const QString& path) const;

    // The .reg file, its first lines commenting on it. The keys of the deleted trees follow the
    // deletions, in the order the classes root keeps, each under a comment naming the key it
    // stood before (placeComment).
    QByteArray text(const QStringList& comments) const;

    // The comment that tells the key a key of a deleted tree stood before, written right above
    // its key line after the comment and blank lines it had above it in the classes root ("" for
    // the end of the file); that key back from the lines above a key line, and the lines it had.
    static QString placeComment(const QString& next);
    static std::optional<QString> placeOf(const QStringList& linesAbove);
    static QStringList handWrittenLines(const QStringList& linesAbove);

private:
    struct Entry {
        QString path;
        bool deletion = false;
        std::optional<QString> value {}; // the string value, as the association writer reads it
        std::optional<platform::RegistryValue> stored {}; // the value as stored, to put back
        bool inTree = false; // of a tree that will be deleted
        QString before {}; // the key it stands before, for a key of such a tree
        std::optional<QStringList> above {}; // its comment and blank lines, where kept
    };

    // Whether the key exists, with its default value in `entry`.
    std::optional<bool> read(const QString& path, Entry* entry, platform::Failure* failure) const;
    bool addTreeKeys(const QString& path, platform::Failure* failure);
    void add(Entry entry);
    std::vector<Entry> inRestoreOrder() const;

    platform::ClassesRoot& m_root;
    std::vector<Entry> m_entries;
};

} // namespace registry
