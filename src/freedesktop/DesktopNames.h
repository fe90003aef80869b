// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Names the desktop sees for a class of the hive: safe file, MIME and icon names.
#pragma once

#include "freedesktop/DesktopAssociation.h"

#include <QString>

namespace registry {

class DesktopNames {
public:
    struct Title {
        QString english;
        QString french;
    };

    // The description of the class's file type after its console ("NES ROM", "NES save
    // state"); the class's own description when its console is unknown.
    static Title typeComment(const DesktopAssociation& association);
    // The name of the class's entry in "Open with" lists: its emulator program's name with the
    // console ("fceux — NES").
    static Title entryName(const DesktopAssociation& association);

    // The class name reduced to [a-z0-9-]. A name that needed more than lowering its ASCII
    // letters gets "_" and a hash of its case-folded text, so that two classes the hive tells
    // apart never share a safe name, and class names that differ only in case (one key of the
    // hive) share one.
    static QString safeName(const QString& className);

    static QString mimeType(const QString& className); // application/x-zelvane-<safe>
    static bool isOurType(const QString& mimeType);
    static QString iconName(const QString& className); // application-x-zelvane-<safe>
    static QString desktopFileName(const QString& className); // zelvane-<safe>.desktop

    // A registered extension (without its dot) usable as the file pattern "*.<extension>":
    // not empty, and free of pattern metacharacters, path and field separators and controls.
    static bool isPublishableExtension(const QString& extension);
    // A class name that names a class key of its own: not empty, not beginning with '.' (an
    // extension's key) and without '\' (which makes it a key below another one).
    static bool isPublishableClass(const QString& className);
};

} // namespace registry
