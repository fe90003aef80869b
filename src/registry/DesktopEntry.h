// The hidden desktop entry that opens the files of one class with its open command.
#pragma once

#include <QByteArray>
#include <QString>

namespace registry {

class DesktopEntry {
public:
    // `name` is shown in "Open with" lists; `exec` is already in the Exec quoting.
    static QByteArray text(const QString& name, const QString& mimeType, const QString& exec);
};

} // namespace registry
