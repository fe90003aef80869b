// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A key's default value in the registry editor's notation: `@="..."`, `@=-`, `dword:`, `hex:` and
// `hex(N):` with continuation lines, read into and written from its type and bytes.
#pragma once

#include "platform/RegistryValue.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace registry {

// The default value of a key: a string, or a value of another type (or a string the file wrote
// in hex) as its type and bytes; neither when there is none.
struct DefaultValue {
    std::optional<QString> text;
    std::optional<platform::RegistryValue> other;

    // A string as the registry stores it: its text in UTF-16LE ended by a NUL.
    std::optional<platform::RegistryValue> stored() const;

    // What the data of a default-value line leaves in its key: a string, a value of another type
    // (`dword:`, `hex:` and `hex(N):`), or none (`-` deletes it). Nothing when the registry editor
    // would skip the line.
    static std::optional<DefaultValue> read(const QString& data);
    // The lines the registry editor writes for a default value: `@=-` for none, a quoted string,
    // dword data, or hex data on several lines.
    static QStringList lines(const std::optional<platform::RegistryValue>& value);
    // The text of a string value that a quoted string of the file can hold: its bytes are one
    // text ended by its only NUL.
    static std::optional<QString> textOf(const platform::RegistryValue& value);
};

} // namespace registry
