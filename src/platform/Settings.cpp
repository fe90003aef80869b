// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user settings store: one group per section in the platform's store.
#include "platform/Settings.h"

#include <QSettings>

namespace platform {

QString GetSetting(const QString& application, const QString& section, const QString& key)
{
    const auto store = detail::openSettingsStore(application);
    return store->value(section + QLatin1Char('/') + key).toString();
}

bool SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value)
{
    const auto store = detail::openSettingsStore(application);
    const QString path = section + QLatin1Char('/') + key;
    // Storing what is already stored changes nothing; skipping it spares a file write at start-up.
    if (store->contains(path) && store->value(path).toString() == value)
        return true;
    store->setValue(path, value);
    store->sync();
    return store->status() == QSettings::NoError;
}

} // namespace platform
