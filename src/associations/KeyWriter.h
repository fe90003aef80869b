// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The one way keys reach the classes root: each change is made, or told in both languages with
// the key and the status that stopped it.
#pragma once

#include "platform/ClassesRoot.h"

#include <QString>
#include <optional>

namespace registry {

class KeyWriter {
public:
    // Creates the key `path` with every missing level, sets its default value and closes it.
    static std::optional<platform::Failure> write(platform::ClassesRoot& root, const QString& path,
                                                             const QString& data);
    // The same with the value's type and bytes as they are.
    static std::optional<platform::Failure> write(platform::ClassesRoot& root, const QString& path,
                                                  const platform::RegistryValue& value);
    // Deletes the key `path` with everything below it; a key that does not exist is no failure.
    static std::optional<platform::Failure> deleteTree(platform::ClassesRoot& root,
                                                                  const QString& path);
    // Deletes the default value of the key `path`, which is created when missing.
    static std::optional<platform::Failure> deleteValue(platform::ClassesRoot& root,
                                                                   const QString& path);
    // Creates the key `path` with every missing level.
    static std::optional<platform::Failure> create(platform::ClassesRoot& root, const QString& path);

    // What the user is told when the key `path` could not be read.
    static platform::Failure readFailure(const QString& path, long status);
};

} // namespace registry
