// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The hidden desktop entry that opens the files of one class with its open command.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace registry {

class DesktopEntry {
public:
    // `name` and `frenchName` are shown in "Open with" lists, with `icon`; `exec` is already in
    // the Exec quoting.
    static QByteArray text(const QString& name, const QString& frenchName, const QString& icon,
                           const QStringList& mimeTypes, const QString& exec);
    // A value in the format's string escapes (\\ \n \t \r, a leading blank as \s); other
    // control characters (DEL included), which no value may hold, become blanks.
    static QString escaped(const QString& value);
    // A value as it reads once the string escapes are undone; a backslash before another
    // character stays.
    static QString unescaped(const QString& value);
};

} // namespace registry
