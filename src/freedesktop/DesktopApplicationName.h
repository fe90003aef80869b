// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The name an application is shown under in "Open with" lists, read from its desktop entry.
#pragma once

#include "freedesktop/DesktopNames.h"

#include <QString>

namespace registry {

class DesktopApplicationName {
public:
    // The Name of the desktop entry whose desktop file ID is `desktopFileId`, and its Name[fr]
    // (the Name where it has none); the ID itself where no entry of the data folders has it.
    static DesktopNames::Title of(const QString& desktopFileId);
};

} // namespace registry
