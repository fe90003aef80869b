// Fuzz target of the mimeapps.list editor: on any file, our handlers come first on one line of
// their type in each group, the other handlers stay, every other line is kept byte for byte and in
// order, and a second edit changes nothing.
// Input: CLASSES NUL, then the file's bytes. CLASSES are lines naming a class whose handler is set,
// or withdrawn after a '-'; its type and desktop file are the names the publisher gives them.
#include "FuzzSupport.h"
#include "registry/DesktopMimeApps.h"
#include "registry/DesktopNames.h"

#include <QList>
#include <QSet>

using fuzz::check;
using registry::DesktopMimeApps;
using registry::DesktopNames;

namespace {

const QByteArray kDefaults = "Default Applications";
const QByteArray kAdded = "Added Associations";
const QByteArray kRemoved = "Removed Associations";

struct Line {
    QByteArray bytes; // with its line end
    QByteArray group;
    QByteArray key;
};

QList<Line> linesOf(const QByteArray& text)
{
    QList<Line> lines;
    QByteArray group;
    for (qsizetype start = 0; start < text.size();) {
        const qsizetype end = text.indexOf('\n', start);
        const QByteArray bytes = text.mid(start, end < 0 ? -1 : end + 1 - start);
        start += bytes.size();
        const QByteArray trimmed = bytes.trimmed();
        if (trimmed.startsWith('[') && trimmed.endsWith(']'))
            group = trimmed.mid(1, trimmed.size() - 2);
        const qsizetype equals = trimmed.startsWith('#') ? -1 : trimmed.indexOf('=');
        lines.append({bytes, group, equals < 0 ? QByteArray() : trimmed.left(equals).trimmed()});
    }
    return lines;
}

QSet<QByteArray> idsOn(const QList<Line>& lines, const QByteArray& group, const QByteArray& type)
{
    QSet<QByteArray> ids;
    for (const Line& line : lines) {
        if (line.group == group && line.key == type) {
            for (const QByteArray& id : line.bytes.mid(line.bytes.indexOf('=') + 1).split(';'))
                ids << id.trimmed();
        }
    }
    ids.remove(QByteArray());
    return ids;
}

void checkOtherLinesKept(const QList<Line>& before, const QList<Line>& after, const QSet<QByteArray>& ourTypes)
{
    const auto ours = [&ourTypes](const Line& line) {
        return ourTypes.contains(line.key) && (line.group == kDefaults || line.group == kAdded || line.group == kRemoved);
    };
    qsizetype next = 0;
    for (const Line& line : after) {
        while (next < before.size() && ours(before[next]))
            ++next;
        if (ours(line))
            continue;
        const QByteArray kept = next < before.size() ? before[next].bytes : QByteArray();
        // The last line, when unended, is ended as the file's lines are; after a bare CR, by LF.
        const bool unended = next == before.size() - 1 && !kept.endsWith('\n');
        const bool ended = line.bytes == kept + '\n' || (!kept.endsWith('\r') && line.bytes == kept + "\r\n");
        if (next < before.size() && (line.bytes == kept || (unended && ended))) {
            ++next;
            continue;
        }
        const QByteArray added = line.bytes.trimmed();
        check(added.isEmpty() || added == '[' + kDefaults + ']' || added == '[' + kAdded + ']',
              "only blank lines and our groups' headers are added", QString::fromLatin1(line.bytes));
    }
    while (next < before.size() && ours(before[next]))
        ++next;
    check(next == before.size(), "every other line is kept byte for byte and in order");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Fields fields(data, size);
    DesktopMimeApps::Handlers handlers;
    DesktopMimeApps::Handlers withdrawn;
    QSet<QByteArray> types[2];
    for (const QString& name : QString::fromUtf8(fields.next()).split(u'\n', Qt::SkipEmptyParts)) {
        const bool withdraw = name.startsWith(u'-');
        const QString className = name.mid(withdraw ? 1 : 0);
        (withdraw ? withdrawn : handlers)
            .emplace_back(DesktopNames::mimeType(className), DesktopNames::desktopFileName(className));
        types[withdraw] << DesktopNames::mimeType(className).toUtf8();
    }
    const QByteArray original = fields.rest();
    const QByteArray edited = DesktopMimeApps::withHandlers(original, handlers, withdrawn);
    check(DesktopMimeApps::withHandlers(edited, handlers, withdrawn) == edited, "a second edit changes nothing");

    const QList<Line> before = linesOf(original);
    const QList<Line> after = linesOf(edited);
    checkOtherLinesKept(before, after, types[0] + types[1]);
    for (const auto& [type16, id16] : handlers) {
        const QByteArray type = type16.toUtf8();
        const QByteArray id = id16.toUtf8();
        if (types[1].contains(type))
            continue;
        for (const QByteArray& group : {kDefaults, kAdded}) {
            QList<Line> lines;
            for (const Line& line : after) {
                if (line.group == group && line.key == type)
                    lines << line;
            }
            check(lines.size() == 1 && lines.first().bytes.startsWith(type + '=' + id + ';'),
                  "our handler comes first on the one line of its type", QString::fromUtf8(type));
            check(idsOn(after, group, type).contains(idsOn(before, group, type)), "the other handlers stay");
        }
        check(!idsOn(after, kRemoved, type).contains(id), "our handler is no longer removed");
    }
    for (const auto& [type, id] : withdrawn) {
        const bool gone = !idsOn(after, kDefaults, type.toUtf8()).contains(id.toUtf8())
            && !idsOn(after, kAdded, type.toUtf8()).contains(id.toUtf8());
        check(types[0].contains(type.toUtf8()) || gone, "a withdrawn handler is gone");
    }
    return 0;
}
