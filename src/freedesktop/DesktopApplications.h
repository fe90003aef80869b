// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The applications installed on this desktop, as their desktop entries describe them.
#pragma once

#include "platform/ProgramPlaces.h"

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
    // The application entries of the `applications` folders of XDG_DATA_HOME, then of
    // XDG_DATA_DIRS: the first entry of an ID stands for it, and is left out when hidden or when
    // its TryExec program is not in `places`. Our own entries, which open only our types, are
    // left out too.
    static QList<DesktopApplication> installed(const platform::ProgramPlaces& places);

    // The icon of the first of `applications` whose Exec starts what `words` (a program and its
    // arguments) start; empty when none does.
    static QString iconOf(const QList<DesktopApplication>& applications, const QStringList& words,
                          const platform::ProgramPlaces& places);
};

} // namespace registry
