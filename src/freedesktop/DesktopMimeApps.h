// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Edits a mimeapps.list so that our entries are the default handlers of our types, leaving
// every other line of the file as it was.
#pragma once

#include <QByteArray>
#include <QList>
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
    // The desktop file ID `text` names first for `type` under [Default Applications]; empty when
    // it names none.
    static QString defaultOf(const QByteArray& text, const QString& type);

    // The lines of some types under the three groups above, as a change found them: each with
    // the line it followed among the others (and how many lines of that text came before), so
    // that it can go back to its place in a file that others edited since.
    struct Line {
        QByteArray group;
        QByteArray text;
        QByteArray anchor;
        int anchorOccurrence = 0;
    };
    struct Lines {
        QList<QByteArray> types; // the types recorded, those without a line included
        QList<QByteArray> groups; // which of the three groups the file had
        std::vector<Line> lines;
    };

    // The lines of `types` and of every other type of ours that `text` holds.
    static Lines linesOf(const QByteArray& text, const QStringList& types);
    // `current` with the lines of the recorded types as `recorded` holds them, each in its former
    // place; a group the file did not have that holds no line now goes. Every other line stays.
    static QByteArray withLines(const QByteArray& current, const Lines& recorded);
    // Whether `text` holds nothing but group headers, comments and blank lines.
    static bool holdsNoLine(const QByteArray& text);
};

} // namespace registry
