// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store on Linux: $XDG_CONFIG_HOME/<application>/<application>.conf, what QSettings
// gives for organisation and application of that name, looked up anew on every call.
#include "platform/Settings.h"

#include <QDir>
#include <QSettings>

namespace platform::detail {

std::unique_ptr<QSettings> openSettingsStore(const QString& application)
{
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || !QDir::isAbsolutePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return std::make_unique<QSettings>(QStringLiteral("%1/%2/%2.conf").arg(configHome, application),
                                       QSettings::IniFormat);
}

} // namespace platform::detail
