// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The text layer between the catalogue's 8-bit text and the program's Unicode text.
#include "catalogue/AnsiText.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>

namespace AnsiText {
namespace {

// Windows-1252 differs from Latin-1 in 0x80-0x9F; its five unused bytes keep their Latin-1 value.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeCp1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += (byte >= 0x80 && byte < 0xA0) ? QChar(kCp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

std::optional<QString> decodeUtf8(const QByteArray& bytes)
{
    // A U+FEFF that begins a value is text like any other: the decoder would drop it as a mark.
    auto decoder = QStringDecoder(QStringConverter::Utf8,
                                  QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<char> cp1252Byte(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    const auto high = std::find(kCp1252High.begin(), kCp1252High.end(), u);
    if (high == kCp1252High.end())
        return std::nullopt;
    return static_cast<char>(0x80 + (high - kCp1252High.begin()));
}

} // namespace

QString decode(const QByteArray& bytes)
{
    if (const auto text = decodeUtf8(bytes))
        return *text;
    return decodeCp1252(bytes);
}

bool isUtf8(const QByteArray& bytes)
{
    return decodeUtf8(bytes).has_value();
}

std::optional<QByteArray> encodeCp1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto byte = cp1252Byte(text[i]);
        if (!byte)
            return std::nullopt;
        bytes[i] = *byte;
    }
    return bytes;
}

QString untilNul(const QString& text)
{
    return text.left(text.indexOf(QChar(u'\0'))); // no NUL: left(-1) is the whole text
}

} // namespace AnsiText
