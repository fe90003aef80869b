// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The name an application is shown under in "Open with" lists, read from its desktop entry.
#include "freedesktop/DesktopApplicationName.h"

#include <QFile>
#include <QStandardPaths>

namespace registry {

namespace {

// The entry's file: an ID's '-' may stand for a subfolder of applications/ ("kde-a.desktop" is
// also applications/kde/a.desktop).
QString entryFile(const QString& desktopFileId)
{
    QString relative = desktopFileId;
    QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, relative);
    for (qsizetype dash = relative.indexOf(u'-'); path.isEmpty() && dash >= 0; dash = relative.indexOf(u'-', dash)) {
        relative[dash] = u'/';
        path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, relative);
    }
    return path;
}

} // namespace

DesktopNames::Title DesktopApplicationName::of(const QString& desktopFileId)
{
    QFile file(entryFile(desktopFileId));
    if (!file.open(QIODevice::ReadOnly))
        return {desktopFileId, desktopFileId};
    QString name;
    QString french;
    bool mainGroup = false;
    // Only the main group's keys count: an action's group has a Name of its own.
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const QString key = line.section(u'=', 0, 0).trimmed();
        const QString value = line.section(u'=', 1).trimmed();
        if (line.startsWith(u'['))
            mainGroup = line == QStringLiteral("[Desktop Entry]");
        else if (mainGroup && key == QStringLiteral("Name") && name.isEmpty())
            name = value;
        else if (mainGroup && key == QStringLiteral("Name[fr]") && french.isEmpty())
            french = value;
    }
    if (name.isEmpty())
        name = desktopFileId;
    return {name, french.isEmpty() ? name : french};
}

} // namespace registry
