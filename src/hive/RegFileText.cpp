// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The text of a .reg file, decoded and encoded.
#include "hive/RegFileText.h"

#include "catalogue/AnsiText.h"

#include <QtEndian>

namespace registry::RegFileText {

bool isStorableText(const QString& text)
{
    return !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QChar(u'\0')) && text.isValidUtf16();
}

QString utf16Text(QByteArrayView bytes)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(qFromLittleEndian<quint16>(bytes.data() + 2 * i));
    return text;
}

QByteArray utf16Bytes(const QString& text)
{
    QByteArray bytes(2 * text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<quint16>(text[i].unicode(), bytes.data() + 2 * i);
    return bytes;
}

QString decoded(const QByteArray& bytes, bool* cut)
{
    if (!bytes.startsWith("\xFF\xFE"))
        return AnsiText::decode(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
    *cut = bytes.size() % 2 != 0;
    return utf16Text(QByteArrayView(bytes).sliced(2));
}

// Split by plain replacement: a regular expression would refuse text that holds half a surrogate pair.
QStringList linesOf(const QString& text)
{
    return QString(text)
        .replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'))
        .split(QLatin1Char('\n'));
}

QByteArray fileBytes(const QStringList& lines, bool lastLineEnded)
{
    const QString crLf = QStringLiteral("\r\n");
    return "\xFF\xFE" + utf16Bytes(lines.join(crLf) + (lastLineEnded ? crLf : QString()));
}

} // namespace registry::RegFileText
