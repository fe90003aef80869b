// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user settings store (application, section, key -> text).
#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace platform {

// The stored text, or the empty text when the key is missing.
QString GetSetting(const QString& application, const QString& section, const QString& key);
// Stores at once; false when the store could not be written.
bool SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value);

namespace detail {
// The platform's store for `application`, one implementation per platform.
std::unique_ptr<QSettings> openSettingsStore(const QString& application);
} // namespace detail

} // namespace platform
