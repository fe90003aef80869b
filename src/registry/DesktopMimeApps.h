// Edits a mimeapps.list so that our entries are the default handlers of our types, leaving
// every other line of the file as it was.
#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace registry {

class DesktopMimeApps {
public:
    // (MIME type, desktop file ID) pairs.
    using Handlers = std::vector<std::pair<QString, QString>>;

    // `original` with "type=id;" as the only line of each type under [Default Applications]
    // and [Added Associations] (a group is added when missing; an existing line of the type is
    // replaced where it stands) and the ID taken out of the type's [Removed Associations] line.
    static QByteArray withHandlers(const QByteArray& original, const Handlers& handlers);
};

} // namespace registry
