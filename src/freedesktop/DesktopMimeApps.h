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

    // `original` with each handler's ID first on its type's line under [Default Applications]
    // and [Added Associations] (the line is added, with its group when missing; other IDs on it
    // stay after ours) and taken out of its type's [Removed Associations] line; each withdrawn
    // ID taken out of its type's lines under the first two groups. Every other line stays as
    // it was, and editing the result again with the same handlers changes nothing.
    static QByteArray withHandlers(const QByteArray& original, const Handlers& handlers,
                                   const Handlers& withdrawn = {});
};

} // namespace registry
