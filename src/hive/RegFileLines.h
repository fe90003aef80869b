// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of a .reg file as the registry editor reads them: its header, key lines, value lines
// continued over several lines, comments and blanks.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace registry::RegFileLines {

// The first line of a file of each version of the registry editor.
inline const QString Header = QStringLiteral("Windows Registry Editor Version 5.00");
inline const QString OldHeader = QStringLiteral("REGEDIT4");

// Where the first character after the blanks from `from` on stands.
qsizetype afterBlanks(const QString& line, qsizetype from);

// Nothing but blanks or a comment.
bool isBlankOrComment(QStringView rest);

bool endsWithBackslash(const QString& line);

// A key line "[NAME]" or deletion line "[-NAME]". As the registry editor reads it, the name ends
// at the last ']' of the line and a blank right after '[' makes no key line.
struct KeyLine {
    bool deletion = false;
    QString name;
};

std::optional<KeyLine> keyLineOf(const QString& line);

// The path below `root` of a full key name; nothing for a key of another root.
std::optional<QString> pathBelow(const QString& root, const QString& name);

// A binary value goes on over the next lines while its lines end with '\'.
bool continuesOnNextLine(const QString& line);

// The data of a default-value line `@=...` with its continuation lines joined; nothing for any
// other line.
std::optional<QString> defaultData(const QStringList& entry);

} // namespace registry::RegFileLines
