// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Our own reader of the INI layout, giving the count and bytes the Windows profile lookup gives:
// names compared without regard to case, blanks trimmed, one pair of matching quotes removed,
// CRLF, LF and CR line ends, a NUL ending each name and value, the first matching section and key
// winning (a key line without "=" too: the key then reads as missing), files with a UTF-8 or UTF-16
// byte-order mark read as Unicode and given back in Windows-1252. No line is a comment as such:
// "; note" is an entry whose name no lookup of ours asks for.
#include "platform/ProfileString.h"

#include "catalogue/AnsiText.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <optional>

namespace platform {
namespace {

struct FileText {
    QString text;
    bool unicode = false; // false: each character is one byte of the file, given back unchanged
};

bool isBlank(QChar c)
{
    // The profile lookup's white space: tab to carriage return, space, and the DOS end-of-file byte.
    const char16_t u = c.unicode();
    return (u >= 0x09 && u <= 0x0D) || u == u' ' || u == 0x1A;
}

QStringView trimmed(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// The lookup keeps a line's names and value as C strings: each ends at its first NUL.
QStringView untilNul(QStringView text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.first(nul);
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// UTF-16 code units as they are, unpaired surrogates included; an odd last byte is kept as the
// character of that code.
QString utf16(QByteArrayView bytes, bool bigEndian)
{
    QString text;
    text.reserve(bytes.size() / 2 + 1);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<uchar>(bytes[i]);
        const auto second = static_cast<uchar>(bytes[i + 1]);
        text += bigEndian ? QChar(second, first) : QChar(first, second);
    }
    if (bytes.size() % 2 != 0)
        text += QChar(static_cast<uchar>(bytes.back()), 0);
    return text;
}

FileText fileText(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = in.readAll();
    const QByteArrayView view(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return {QString::fromUtf8(view.sliced(3)), true};
    if (bytes.startsWith("\xFF\xFE"))
        return {utf16(view.sliced(2), false), true};
    if (bytes.startsWith("\xFE\xFF"))
        return {utf16(view.sliced(2), true), true};
    return {QString::fromLatin1(bytes), false};
}

// The value of `key` in the first section named `section`, if that key has a value.
std::optional<QStringView> lookUp(QStringView text, QStringView section, QStringView key)
{
    bool inSection = false;
    bool sectionSeen = false;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView line = trimmed(text.sliced(pos, end - pos));
        pos = end + 1;
        if (line.isEmpty())
            continue;
        const qsizetype close = line.lastIndexOf(u']');
        if (line.front() == u'[' && close > 0) {
            if (sectionSeen)
                return std::nullopt; // only the first section of that name is searched
            inSection = sameName(untilNul(trimmed(line.sliced(1, close - 1))), section);
            sectionSeen = inSection;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        const QStringView name = equals < 0 ? line : trimmed(line.first(equals));
        if (!inSection || !sameName(untilNul(name), key))
            continue;
        if (equals < 0)
            return std::nullopt; // the first line of the key has no value, and hides the later ones
        return untilNul(trimmed(line.sliced(equals + 1)));
    }
    return std::nullopt;
}

struct Unquoted {
    QStringView inside;
    bool quoted = false;
};

// The value without one pair of matching quotes around it.
Unquoted unquoted(QStringView value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
        && value.back() == value.front())
        return {value.sliced(1, value.size() - 2), true};
    return {value, false};
}

// What the lookup copies into `size` characters: size - 1 of them, and a quoted value whose inside
// is exactly size - 1 long loses its last character too (the copy held the closing quote, and
// removing that quote removes the copy's last character).
QStringView copied(const Unquoted& value, int size)
{
    const bool quoteCopied = value.quoted && value.inside.size() == size - 1;
    return value.inside.first(std::clamp<qsizetype>(size - 1 - (quoteCopied ? 1 : 0), 0, value.inside.size()));
}

// The longest start of `utf8` within `maxBytes` that ends between two characters.
QByteArray wholeCharacters(const QByteArray& utf8, qsizetype maxBytes)
{
    qsizetype length = std::min(utf8.size(), maxBytes);
    while (length > 0 && length < utf8.size() && (utf8[length] & 0xC0) == 0x80)
        --length;
    return utf8.first(length);
}

// A value cut from an 8-bit file: its bytes as they are, but a value that is UTF-8 is never cut
// inside a character.
QByteArray fromAnsiFile(QStringView inside, QStringView cut)
{
    const QByteArray whole = inside.toLatin1();
    if (!AnsiText::isUtf8(whole))
        return cut.toLatin1();
    return wholeCharacters(whole, cut.size());
}

// A value cut from a Unicode file in the ANSI code page, as the ANSI call converts it: one byte per
// character. A character outside Windows-1252 (which Windows gives as "?") makes it UTF-8 instead,
// cut to size - 1 bytes between two characters; so does text whose Windows-1252 bytes would read
// back as other text.
QByteArray fromUnicodeFile(QStringView cut, int size)
{
    if (const auto ansi = AnsiText::encodeCp1252(cut); ansi && AnsiText::decode(*ansi) == cut)
        return *ansi;
    if (!cut.isEmpty() && cut.back().isHighSurrogate())
        cut.chop(1); // the cut fell inside a surrogate pair
    return wholeCharacters(cut.toUtf8(), size - 1);
}

} // namespace

int GetPrivateProfileStringA(const QByteArray& section, const QByteArray& key,
                             const QByteArray& defaultValue, char* buffer, int size,
                             const QString& file)
{
    if (size <= 0)
        return 0;
    const FileText file16 = fileText(file);
    const auto name = [&](const QByteArray& bytes) {
        return file16.unicode ? AnsiText::decode(bytes) : QString::fromLatin1(bytes);
    };
    const QString section16 = name(section);
    const QString key16 = name(key);
    const auto found = lookUp(file16.text, trimmed(section16), trimmed(key16));
    QByteArray value;
    if (found) {
        const Unquoted whole = unquoted(*found);
        const QStringView cut = copied(whole, size);
        value = file16.unicode ? fromUnicodeFile(cut, size) : fromAnsiFile(whole.inside, cut);
    } else {
        value = defaultValue;
        while (value.endsWith(' '))
            value.chop(1);
        value.truncate(size - 1);
    }
    const int count = static_cast<int>(value.size());
    std::memcpy(buffer, value.constData(), static_cast<size_t>(count));
    buffer[count] = '\0';
    return count;
}

} // namespace platform
