// Edits a mimeapps.list so that our entries are the default handlers of our types, leaving
// every other line of the file as it was.
#include "registry/DesktopMimeApps.h"

#include <QList>

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

class Editor {
public:
    explicit Editor(const QByteArray& original)
        : m_lines(splitLines(original))
        , m_eol(m_lines.isEmpty() || !m_lines.first().endsWith("\r\n") ? "\n" : "\r\n")
    {
    }

    void setOnlyHandler(const QByteArray& group, const QByteArray& type, const QByteArray& id)
    {
        const QByteArray line = type + '=' + id + ';' + m_eol;
        const QList<qsizetype> existing = linesOf(group, type);
        if (!existing.isEmpty()) {
            m_lines[existing.first()] = line;
            for (qsizetype i = existing.size() - 1; i > 0; --i)
                m_lines.removeAt(existing[i]);
            return;
        }
        insert(endOfGroup(group), line, group);
    }

    void removeHandler(const QByteArray& group, const QByteArray& type, const QByteArray& id)
    {
        const QList<qsizetype> existing = linesOf(group, type);
        for (qsizetype i = existing.size() - 1; i >= 0; --i) {
            const qsizetype index = existing[i];
            const QByteArray& line = m_lines[index];
            QList<QByteArray> ids = line.mid(line.indexOf('=') + 1).trimmed().split(';');
            if (ids.removeAll(id) == 0)
                continue;
            ids.removeAll(QByteArray());
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
        if (at > 0 && !m_lines[at - 1].endsWith('\n'))
            m_lines[at - 1] += m_eol;
        for (const QByteArray& added : block)
            m_lines.insert(at++, added);
    }

    QList<QByteArray> m_lines;
    QByteArray m_eol;
};

} // namespace

QByteArray DesktopMimeApps::withHandlers(const QByteArray& original, const Handlers& handlers)
{
    Editor editor(original);
    for (const auto& [type, id] : handlers) {
        const QByteArray typeBytes = type.toUtf8();
        const QByteArray idBytes = id.toUtf8();
        editor.setOnlyHandler(kDefaults, typeBytes, idBytes);
        editor.setOnlyHandler(kAdded, typeBytes, idBytes);
        editor.removeHandler(kRemoved, typeBytes, idBytes);
    }
    return editor.text();
}

} // namespace registry
