// Writes one file of the desktop publisher whole or not at all.
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
    static std::optional<platform::ClassesRootFailure> write(const QString& path,
                                                             const QByteArray& data);
};

} // namespace registry
