// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The applications that open a console's files: Windows keeps no desktop entries to read them from.
#include "platform/InstalledApplications.h"

namespace platform {

std::optional<FileTypeApplications> applicationsOpening(const QStringList&)
{
    return std::nullopt;
}

std::optional<InstalledApplication> installedApplication(const QString&)
{
    return std::nullopt;
}

} // namespace platform
