// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Edits a mimeapps.list so that our entries are the default handlers of our types, leaving
// every other line of the file as it was.
#include "freedesktop/DesktopMimeApps.h"

#include "freedesktop/DesktopNames.h"

#include <QList>
#include <algorithm>

namespace registry {

namespace {

const QByteArray kDefaults = "Default Applications";
const QByteArray kAdded = "Added Associations";
const QByteArray kRemoved = "Removed Associations";
const QList<QByteArray> kGroups {kDefaults, kAdded, kRemoved};

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
    const QList<QByteArray>& lines() const { return m_lines; }

    // Whether the line at `index` is one of `types` under one of the three groups.
    bool isTypeLine(qsizetype index, const QList<QByteArray>& groups, const QList<QByteArray>& types) const
    {
        return kGroups.contains(groups[index]) && types.contains(keyOf(m_lines[index]));
    }

    void removeTypes(const QList<QByteArray>& types)
    {
        const QList<QByteArray> groups = groupsOf(m_lines);
        qsizetype index = 0; // removeIf visits the lines once each, in order
        m_lines.removeIf([&](const QByteArray&) { return isTypeLine(index++, groups, types); });
    }

    // A group left without a line goes, with the blank line an added group gets before it.
    void removeEmptyGroup(const QByteArray& group)
    {
        const QList<QByteArray> groups = groupsOf(m_lines);
        const qsizetype header = groups.indexOf(group);
        if (header < 0)
            return;
        qsizetype end = header + 1;
        while (end < m_lines.size() && groups[end] == group) {
            if (!m_lines[end].trimmed().isEmpty())
                return;
            ++end;
        }
        const qsizetype start = header > 0 && m_lines[header - 1].trimmed().isEmpty() ? header - 1 : header;
        m_lines.remove(start, end - start);
    }

    // Puts `line` back after the `occurrence`th line of text `anchor` of its group, after the
    // lines put back there before; at the end of the group when the anchor is gone.
    void putBack(const DesktopMimeApps::Line& line, int alreadyThere)
    {
        const QList<QByteArray> groups = groupsOf(m_lines);
        int seen = 0;
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            if (m_lines[i] != line.anchor || seen++ < line.anchorOccurrence)
                continue;
            if (groups[i] == line.group) {
                m_lines.insert(i + 1 + alreadyThere, line.text);
                return;
            }
            break;
        }
        insert(endOfGroup(line.group), line.text, line.group);
    }

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

QString DesktopMimeApps::defaultOf(const QByteArray& text, const QString& type)
{
    const QList<QByteArray> lines = splitLines(text);
    const QList<QByteArray> groups = groupsOf(lines);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (groups[i] != kDefaults || keyOf(lines[i]) != type.toUtf8())
            continue;
        if (const QList<QByteArray> ids = idsOf(lines[i]); !ids.isEmpty())
            return QString::fromUtf8(ids.first().trimmed());
    }
    return {};
}

DesktopMimeApps::Lines DesktopMimeApps::linesOf(const QByteArray& text, const QStringList& types)
{
    Lines recorded;
    for (const QString& type : types)
        recorded.types << type.toUtf8();
    const Editor editor(text);
    const QList<QByteArray>& lines = editor.lines();
    const QList<QByteArray> groups = groupsOf(lines);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray key = keyOf(lines[i]);
        if (kGroups.contains(groups[i]) && DesktopNames::isOurType(QString::fromUtf8(key)) && !recorded.types.contains(key))
            recorded.types << key;
        if (kGroups.contains(groups[i]) && !recorded.groups.contains(groups[i]))
            recorded.groups << groups[i];
    }
    // Each line of ours follows the nearest line that is not.
    QByteArray anchor;
    int occurrence = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (editor.isTypeLine(i, groups, recorded.types)) {
            recorded.lines.push_back({groups[i], lines[i], anchor, occurrence});
            continue;
        }
        anchor = lines[i];
        occurrence = 0;
        for (qsizetype j = 0; j < i; ++j)
            occurrence += lines[j] == anchor && !editor.isTypeLine(j, groups, recorded.types) ? 1 : 0;
    }
    return recorded;
}

QByteArray DesktopMimeApps::withLines(const QByteArray& current, const Lines& recorded)
{
    Editor editor(current);
    editor.removeTypes(recorded.types);
    for (const QByteArray& group : kGroups) {
        if (!recorded.groups.contains(group))
            editor.removeEmptyGroup(group);
    }
    for (std::size_t i = 0; i < recorded.lines.size(); ++i) {
        int alreadyThere = 0;
        for (std::size_t j = i; j > 0 && recorded.lines[j - 1].anchor == recorded.lines[i].anchor
             && recorded.lines[j - 1].anchorOccurrence == recorded.lines[i].anchorOccurrence; --j)
            ++alreadyThere;
        editor.putBack(recorded.lines[i], alreadyThere);
    }
    return editor.text();
}

bool DesktopMimeApps::holdsNoLine(const QByteArray& text)
{
    const QList<QByteArray> lines = splitLines(text);
    QByteArray group;
    return std::all_of(lines.cbegin(), lines.cend(), [&group](const QByteArray& line) {
        return line.trimmed().isEmpty() || line.trimmed().startsWith('#') || isHeader(line, &group);
    });
}

} // namespace registry
