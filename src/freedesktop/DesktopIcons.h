// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Turns a class's DefaultIcon into the PNG files of the user's hicolor icon theme.
#pragma once

#include "platform/ClassesRoot.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>
#include <vector>

namespace registry {

class DesktopIcons {
public:
    // Writes <hicolorDir>/<N>x<N>/mimetypes/<iconName>.png for every square size of the icon
    // that `reference` ("file,index", as the shell reads it) names, and removes the files of
    // `iconName` in every other size folder, so that only the icon the class names shows (none
    // for an empty reference). Returns the failures and adds the number of files written or
    // removed to `*changed`.
    static std::vector<platform::Failure>
    install(const QString& className, const QString& reference, const QString& iconName,
            const QString& hicolorDir, int* changed);

    // The image as a PNG file; empty when it cannot be encoded.
    static std::optional<QByteArray> encodedPng(const QImage& image);
};

} // namespace registry
