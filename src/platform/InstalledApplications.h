// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The applications installed on the desktop that open files of a console, as the system knows
// them, each with the open command the classes root would hold for it.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

struct InstalledApplication {
    QString desktopId; // "org.example.Emu.desktop"
    QString name;
    QString icon;
    // What its entry runs for a file, in the classes root's form; nothing when it opens no file.
    std::optional<QString> command;
    QStringList fileTypes; // the asked types it opens
};

struct FileTypeApplications {
    QStringList fileTypes; // the system's type of each extension asked; empty where it has none
    QList<InstalledApplication> applications; // in the desktop's order
};

// The types the system gives the `extensions` (without their dot) and the installed applications
// that open one of them; nothing where the system does not tell (Windows).
std::optional<FileTypeApplications> applicationsOpening(const QStringList& extensions);

// The installed application of `desktopId`; nothing when there is none.
std::optional<InstalledApplication> installedApplication(const QString& desktopId);

} // namespace platform
