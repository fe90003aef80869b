// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store on Windows: the registry key of Visual Basic program settings,
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>.
#include "platform/Settings.h"

#include <QSettings>

namespace platform::detail {

std::unique_ptr<QSettings> openSettingsStore(const QString& application)
{
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + application,
        QSettings::NativeFormat);
}

} // namespace platform::detail
