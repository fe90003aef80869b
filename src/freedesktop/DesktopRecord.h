// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What publishing a change alters of the desktop beside the hive, kept beside the change's backup
// so that undoing the change gives the desktop back as it was.
#pragma once

#include "freedesktop/DesktopMimeApps.h"
#include "platform/ClassesRoot.h"

#include <QByteArray>
#include <QJsonObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace registry {

class RegistryHive;

class DesktopRecord {
public:
    // What the desktop holds before publishing `hive` after a change of `classNames`: the
    // mimeapps.list lines of the types of those classes and of every class of the hive, and
    // the files and folders of the MIME database, the desktop entries and the icons.
    static DesktopRecord before(const RegistryHive& hive, const QStringList& classNames);

    // The hive file and the folders beside it that the change created (the backups' folder):
    // they go with the change's undo when it leaves them empty.
    void noteCreatedBeside(const QStringList& paths) { m_createdBeside = paths; }
    static QStringList createdBesideOf(const QString& path);

    // After publishing: saves the record as `path`, with the files and folders publishing created.
    std::optional<platform::Failure> save(const QString& path) const;

    // Once the hive the change replaced is published again: puts the mimeapps.list lines the
    // record at `path` holds back in place, leaving every other line, and removes the files and
    // the emptied folders the change created, leaving what others created since. A change
    // recorded by no file (one older than records) leaves the desktop as published.
    static QList<platform::Failure> restore(const QString& path);

    // The record as it stands before publishing, and back: kept in the change's journal, so that
    // the change, killed while publishing, is completed with what the desktop held before it.
    QJsonObject toJson() const;
    static DesktopRecord fromJson(const QJsonObject& object);

private:
    DesktopMimeApps::Lines m_lines;
    bool m_mimeAppsExisted = false;
    QSet<QString> m_existing; // relative to the data folder
    QStringList m_createdBeside;
};

} // namespace registry
