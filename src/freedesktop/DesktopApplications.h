// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The applications installed on this desktop, as their desktop entries describe them.
#pragma once

#include "freedesktop/DesktopNames.h"
#include "platform/ProgramPlaces.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace registry {

struct DesktopApplication {
    QString desktopId; // the entry's path below its applications folder, '/' made '-'
    QString name;
    QString icon;
    QString exec; // as written in the entry
    QStringList mimeTypes;
};

class DesktopApplications {
public:
    struct Entry {
        QString desktopId;
        QHash<QString, QString> keys; // of the [Desktop Entry] group, as written
    };

    // The `applications` folders of XDG_DATA_HOME, then of XDG_DATA_DIRS.
    static QStringList folders();
    // The entries of those folders, each folder's in the order of their paths: the first entry of
    // an ID stands for it, even a deleted (Hidden) one.
    static DesktopApplications read();

    const QList<Entry>& entries() const { return m_entries; }
    // An entry of an application that is not deleted.
    static bool isApplication(const Entry& entry);

    // The applications, but for those whose TryExec program is not in `places` and our own
    // entries, which open only our types.
    QList<DesktopApplication> installed(const platform::ProgramPlaces& places) const;

    // The Name of the entry of `desktopId`, and its Name[fr] (the Name where it has none); the ID
    // itself where no entry has it.
    DesktopNames::Title titleOf(const QString& desktopId) const;

    // The icon of each program that `applications` with an icon start, the first one's where
    // several start the same. Each application's program is looked for once: a Finish asks for
    // the command of every class of the hive.
    static QHash<QString, QString> iconsByProgram(const QList<DesktopApplication>& applications,
                                                  const platform::ProgramPlaces& places);

private:
    QList<Entry> m_entries;
};

} // namespace registry
