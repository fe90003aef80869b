// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target of the mimeapps.list editor: on any file, our handlers come first on one line of
// their type in each group, the other handlers stay, every other line is kept byte for byte and in
// order, and a second edit changes nothing.
// Input: CLASSES NUL, then the file's bytes. CLASSES are lines naming a class whose handler is set,
// or withdrawn after a '-'; its type and desktop file are the names the publisher gives them.
#include "FuzzSupport.h"
#include "freedesktop/DesktopMimeApps.h"
#include "freedesktop/DesktopNames.h"

#include <QSet>

static const QByteArray kDefaults = "Default Applications", kAdded = "Added Associations", kRemoved = "Removed Associations";

// A line with its line end, the group it is in, the key it sets and its value.
struct Line { QByteArray bytes, group, key, value; };

static QList<Line> linesOf(const QByteArray& text)
{
    QList<Line> lines;
    QByteArray group;
    for (qsizetype start = 0; start < text.size(); start += lines.last().bytes.size()) {
        const qsizetype end = text.indexOf('\n', start);
        const QByteArray bytes = text.mid(start, end < 0 ? -1 : end + 1 - start), trimmed = bytes.trimmed();
        if (trimmed.startsWith('[') && trimmed.endsWith(']'))
            group = trimmed.mid(1, trimmed.size() - 2);
        const qsizetype equals = trimmed.startsWith('#') ? -1 : trimmed.indexOf('=');
        lines.append({bytes, group, equals < 0 ? QByteArray() : trimmed.left(equals).trimmed(), trimmed.mid(equals + 1)});
    }
    return lines;
}

// The handlers named on the lines setting `type` in one of `groups`.
static QSet<QByteArray> idsOn(const QList<Line>& lines, const QByteArrayList& groups, const QByteArray& type)
{
    QSet<QByteArray> ids;
    for (const Line& line : lines)
        if (groups.contains(line.group) && line.key == type)
            for (const QByteArray& id : line.value.split(';'))
                ids << id.trimmed();
    ids.remove(QByteArray());
    return ids;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayList in = fuzz::fields(data, size, 1);
    registry::DesktopMimeApps::Handlers handlers[2]; // set, withdrawn
    QSet<QByteArray> types[2];
    for (const QString& name : QString::fromUtf8(in[0]).split(u'\n', Qt::SkipEmptyParts)) {
        const bool withdraw = name.startsWith(u'-');
        const QString className = name.mid(withdraw ? 1 : 0), type = registry::DesktopNames::mimeType(className);
        handlers[withdraw].emplace_back(type, registry::DesktopNames::desktopFileName(className));
        types[withdraw] << type.toUtf8();
    }
    const QByteArray edited = registry::DesktopMimeApps::withHandlers(in[1], handlers[0], handlers[1]);
    check(registry::DesktopMimeApps::withHandlers(edited, handlers[0], handlers[1]) == edited, "a second edit changes nothing");
    const QList<Line> before = linesOf(in[1]), after = linesOf(edited);
    const auto ours = [ourTypes = types[0] + types[1]](const Line& line) {
        return ourTypes.contains(line.key) && QByteArrayList{kDefaults, kAdded, kRemoved}.contains(line.group);
    };
    QList<Line> others = before;
    others.removeIf(ours);
    qsizetype next = 0;
    for (const Line& line : after) {
        const QByteArray kept = others.value(next).bytes, added = line.bytes.trimmed();
        // The file's last line, when unended, is ended as its lines are; after a bare CR, by LF.
        const bool ended = !kept.endsWith('\n')
            && (line.bytes == kept + '\n' || (!kept.endsWith('\r') && line.bytes == kept + "\r\n"));
        if (!ours(line) && next < others.size() && (line.bytes == kept || ended))
            ++next;
        else if (!ours(line))
            check(added.isEmpty() || added == '[' + kDefaults + ']' || added == '[' + kAdded + ']',
                  "only blank lines and our groups' headers are added", QString::fromLatin1(line.bytes));
    }
    check(next == others.size(), "every other line is kept byte for byte and in order");
    for (const auto& [type16, id16] : handlers[0]) {
        const QByteArray type = type16.toUtf8(), id = id16.toUtf8();
        if (types[1].contains(type))
            continue;
        for (const QByteArray& group : {kDefaults, kAdded}) {
            QList<Line> lines = after;
            lines.removeIf([&](const Line& line) { return line.group != group || line.key != type; });
            check(lines.size() == 1 && lines.first().bytes.startsWith(type + '=' + id + ';'),
                  "our handler comes first on the one line of its type", type16);
            check(idsOn(after, {group}, type).contains(idsOn(before, {group}, type)), "the other handlers stay");
        }
        check(!idsOn(after, {kRemoved}, type).contains(id), "our handler is no longer removed");
    }
    for (const auto& [type, id] : handlers[1])
        check(types[0].contains(type.toUtf8()) || !idsOn(after, {kDefaults, kAdded}, type.toUtf8()).contains(id.toUtf8()),
              "a withdrawn handler is gone");
    return 0;
}
