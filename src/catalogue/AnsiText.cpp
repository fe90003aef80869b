// The text layer between the catalogue's 8-bit text and the program's Unicode text.
#include "catalogue/AnsiText.h"

#include <QStringDecoder>
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
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = (byte >= 0x80 && byte < 0xA0) ? QChar(kCp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

std::optional<QString> decodeUtf8(const QByteArray& bytes)
{
    auto decoder = QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// Length of `bytes` without a UTF-8 sequence left incomplete at its end.
qsizetype withoutCutCharacter(const QByteArray& bytes)
{
    qsizetype start = bytes.size();
    for (int back = 1; back <= 3 && start > 0; ++back) {
        const auto byte = static_cast<unsigned char>(bytes[--start]);
        if ((byte & 0xC0) != 0x80) {
            const int needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
            return needed > back ? start : bytes.size();
        }
    }
    return bytes.size();
}

} // namespace

QString decode(const QByteArray& bytes, bool cutShort)
{
    if (const auto text = decodeUtf8(bytes))
        return *text;
    if (cutShort) {
        if (const auto text = decodeUtf8(bytes.left(withoutCutCharacter(bytes))))
            return *text;
    }
    return decodeCp1252(bytes);
}

QString untilNul(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

} // namespace AnsiText
