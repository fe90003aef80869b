// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A registry value as the registry stores it, whatever its type: what a backup must put back.
#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace platform {

// The registry's own type numbers (REG_SZ, REG_BINARY, REG_DWORD) of the types a .reg file
// writes in their own notation; any other number is kept as it is.
inline constexpr quint32 TypeString = 1; // UTF-16LE text ended by a NUL
inline constexpr quint32 TypeBinary = 3;
inline constexpr quint32 TypeDword = 4; // four bytes, little-endian

struct RegistryValue {
    quint32 type = TypeString;
    QByteArray data;

    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

} // namespace platform
