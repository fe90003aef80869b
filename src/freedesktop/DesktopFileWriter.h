// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads, writes and removes the files of the desktop publisher, whole or not at all.
#pragma once

#include "platform/ClassesRoot.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace registry {

class DesktopFileWriter {
public:
    // Creates the file's folder when missing, then replaces the file atomically (a link is
    // followed, so a linked configuration file stays linked).
    static std::optional<platform::Failure> write(const QString& path,
                                                             const QByteArray& data);
    // The whole content of a file that is to be edited, empty when it does not exist. Anything
    // but a regular file (or a link to one) that reads to its end is a failure, so that an
    // edit never replaces a file with what a failed read left of it.
    static std::optional<platform::Failure> read(const QString& path, QByteArray* data);
    // Removes the file; one that does not exist is not a failure. Sets `*removed`, when given,
    // to whether a file was removed.
    static std::optional<platform::Failure> remove(const QString& path, bool* removed = nullptr);
};

} // namespace registry
