// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The hidden desktop entry that opens the files of one class with its open command.
#include "freedesktop/DesktopEntry.h"

namespace registry {

QString DesktopEntry::escaped(const QString& value)
{
    QString result;
    for (const QChar c : value) {
        if (c == u'\\')
            result += QStringLiteral("\\\\");
        else if (c == u'\n')
            result += QStringLiteral("\\n");
        else if (c == u'\t')
            result += QStringLiteral("\\t");
        else if (c == u'\r')
            result += QStringLiteral("\\r");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            result += u' ';
        else
            result += c;
    }
    // A leading blank would be taken for the space around '='.
    if (result.startsWith(u' '))
        result.replace(0, 1, QStringLiteral("\\s"));
    return result;
}

QString DesktopEntry::unescaped(const QString& value)
{
    static const QString codes = QStringLiteral("sntr\\");
    static const QString meanings = QStringLiteral(" \n\t\r\\");
    QString text;
    bool escaping = false; // the character before was a backslash that escapes nothing yet
    for (const QChar c : value) {
        const qsizetype escape = escaping ? codes.indexOf(c) : -1;
        if (escaping && escape < 0)
            text += u'\\'; // an unknown escape keeps its backslash
        escaping = escape < 0 && c == u'\\';
        if (escape >= 0)
            text += meanings[escape];
        else if (!escaping)
            text += c;
    }
    return escaping ? text + u'\\' : text;
}

QByteArray DesktopEntry::text(const QString& name, const QString& frenchName, const QString& icon,
                              const QStringList& mimeTypes, const QString& exec)
{
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Version=1.0\n"
                                        "Name=%1\n"
                                        "Name[fr]=%2\n"
                                        "Icon=%3\n"
                                        "NoDisplay=true\n"
                                        "MimeType=%4;\n"
                                        "Exec=%5\n")
                             .arg(escaped(name), escaped(frenchName), escaped(icon), mimeTypes.join(u';'), exec);
    return text.toUtf8();
}

} // namespace registry
