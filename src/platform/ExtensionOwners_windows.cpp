// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Extension owners on Windows: none found yet (HKEY_CLASSES_ROOT could tell them).
#include "platform/ExtensionOwners.h"

namespace platform {

namespace {

class NoExtensionOwners final : public ExtensionOwners {
public:
    std::optional<ExtensionOwner> ownerOf(const QString& /*extension*/, bool /*french*/) override { return std::nullopt; }
};

} // namespace

std::unique_ptr<ExtensionOwners> openExtensionOwners()
{
    return std::make_unique<NoExtensionOwners>();
}

} // namespace platform
