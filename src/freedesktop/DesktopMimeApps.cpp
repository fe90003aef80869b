// Edits a mimeapps.list so that our entries are the default handlers of our types, leaving
// every other line of the file as it was.
#include "freedesktop/DesktopMimeApps.h"

#include <QList>
#include <algorithm>

namespace registry {

namespace {

const QByteArray kDefaults = "Default Applications";
const QByteArray kAdded = "Added Associations";
const QByteArray kRemoved = "Removed Associations";

// Lines keep their own line end, so that untouched lines are written back byte for byte.
QList<QByteArray> splitLines(const QByteArray& text)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype end = text.indexOf('\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        lines << text.mid(start, next - start);
        start = next;
    }
    return lines;
}

bool isHeader(const QByteArray& line, QByteArray* group)
{
    const QByteArray trimmed = line.trimmed();
    if (!trimmed.startsWith('[') || !trimmed.endsWith(']'))
        return false;
    *group = trimmed.mid(1, trimmed.size() - 2);
    return true;
}

QByteArray keyOf(const QByteArray& line)
{
    const QByteArray trimmed = line.trimmed();
    const qsizetype equals = trimmed.indexOf('=');
    if (trimmed.startsWith('#') || equals < 0)
        return {};
    return trimmed.left(equals).trimmed();
}

// The group each line belongs to ("" before the first header).
QList<QByteArray> groupsOf(const QList<QByteArray>& lines)
{
    QList<QByteArray> groups;
    QByteArray current;
    for (const QByteArray& line : lines) {
        isHeader(line, &current);
        groups << current;
    }
    return groups;
}

// The desktop IDs of a "type=a;b;" line, empty items left out.
QList<QByteArray> idsOf(const QByteArray& line)
{
    QList<QByteArray> ids = line.mid(line.indexOf('=') + 1).trimmed().split(';');
    ids.removeIf([](const QByteArray& id) { return id.trimmed().isEmpty(); });
    return ids;
}

bool containsId(const QList<QByteArray>& ids, const QByteArray& id)
{
    return std::any_of(ids.cbegin(), ids.cend(),
                       [&id](const QByteArray& other) { return other.trimmed() == id.trimmed(); });
}

// The line end of the file: that of its first line. A first line without one (the file's only
// line) counts as ended by the line end it gets when a line is added after it, so that a second
// edit guesses what the first one wrote.
QByteArray lineEndOf(const QList<QByteArray>& lines)
{
    const QByteArray first = lines.isEmpty() ? QByteArray() : lines.first();
    const bool crlf = first.endsWith('\n') ? first.endsWith("\r\n") : first.endsWith('\r');
    return crlf ? "\r\n" : "\n";
}

class Editor {
public:
    explicit Editor(const QByteArray& original)
        : m_lines(splitLines(original))
        , m_eol(lineEndOf(m_lines))
    {
    }

    // Our ID first on the type's line, every other ID kept after it in its order; several
    // lines of the type become one, where the first stood.
    void putFirst(const QByteArray& group, const QByteArray& type, const QByteArray& id)
    {
        const QList<qsizetype> existing = linesOf(group, type);
        QList<QByteArray> ids { id };
        for (const qsizetype index : existing) {
            for (const QByteArray& other : idsOf(m_lines[index])) {
                if (!containsId(ids, other))
                    ids << other;
            }
        }
        const QByteArray line = type + '=' + ids.join(';') + ';' + m_eol;
        if (existing.isEmpty()) {
            insert(endOfGroup(group), line, group);
            return;
        }
        m_lines[existing.first()] = line;
        for (qsizetype i = existing.size() - 1; i > 0; --i)
            m_lines.removeAt(existing[i]);
    }

    // Takes the ID out of the type's lines; a line left without any is removed.
    void removeHandler(const QByteArray& group, const QByteArray& type, const QByteArray& id)
    {
        const QList<qsizetype> existing = linesOf(group, type);
        for (qsizetype i = existing.size() - 1; i >= 0; --i) {
            const qsizetype index = existing[i];
            QList<QByteArray> ids = idsOf(m_lines[index]);
            if (!containsId(ids, id))
                continue;
            ids.removeIf([&id](const QByteArray& other) { return other.trimmed() == id; });
            if (ids.isEmpty())
                m_lines.removeAt(index);
            else
                m_lines[index] = type + '=' + ids.join(';') + ';' + m_eol;
        }
    }

    QByteArray text() const { return m_lines.join(); }

private:
    QList<qsizetype> linesOf(const QByteArray& group, const QByteArray& type) const
    {
        const QList<QByteArray> groups = groupsOf(m_lines);
        QList<qsizetype> found;
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            if (groups[i] == group && keyOf(m_lines[i]) == type)
                found << i;
        }
        return found;
    }

    // After the last non-blank line of the group's first occurrence; -1 when there is none.
    qsizetype endOfGroup(const QByteArray& group) const
    {
        const QList<QByteArray> groups = groupsOf(m_lines);
        qsizetype end = -1;
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            if (groups[i] != group) {
                if (end >= 0)
                    break;
                continue;
            }
            if (end < 0 || !m_lines[i].trimmed().isEmpty())
                end = i + 1;
        }
        return end;
    }

    void insert(qsizetype at, const QByteArray& line, const QByteArray& group)
    {
        QList<QByteArray> block { line };
        if (at < 0) {
            at = m_lines.size();
            block.prepend('[' + group + ']' + m_eol);
            if (at > 0 && !m_lines.last().trimmed().isEmpty())
                block.prepend(m_eol);
        }
        // A line ended by a bare CR is completed to CRLF, as lineEndOf() counted it.
        if (at > 0 && !m_lines[at - 1].endsWith('\n'))
            m_lines[at - 1] += m_lines[at - 1].endsWith('\r') ? QByteArray("\n") : m_eol;
        for (const QByteArray& added : block)
            m_lines.insert(at++, added);
    }

    QList<QByteArray> m_lines;
    QByteArray m_eol;
};

} // namespace

QByteArray DesktopMimeApps::withHandlers(const QByteArray& original, const Handlers& handlers,
                                         const Handlers& withdrawn)
{
    Editor editor(original);
    for (const auto& [type, id] : handlers) {
        const QByteArray typeBytes = type.toUtf8();
        const QByteArray idBytes = id.toUtf8();
        editor.putFirst(kDefaults, typeBytes, idBytes);
        editor.putFirst(kAdded, typeBytes, idBytes);
        editor.removeHandler(kRemoved, typeBytes, idBytes);
    }
    for (const auto& [type, id] : withdrawn) {
        for (const QByteArray& group : { kDefaults, kAdded })
            editor.removeHandler(group, type.toUtf8(), id.toUtf8());
    }
    return editor.text();
}

} // namespace registry
