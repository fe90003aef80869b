// Our own reader of the INI layout, giving the count and bytes the Windows profile lookup gives:
// names compared without regard to case, blanks trimmed, one pair of matching quotes removed,
// `;` comment lines ignored, CRLF, LF and CR line ends, the first matching section and key win.
#include "platform/ProfileString.h"

#include <QByteArrayView>
#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>
#include <optional>

namespace platform {
namespace {

bool isBlank(char c)
{
    // The profile lookup's white space: tab to carriage return, space, and the DOS end-of-file byte.
    return (c >= 0x09 && c <= 0x0D) || c == ' ' || c == 0x1A;
}

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && qstrnicmp(a.data(), b.data(), a.size()) == 0;
}

// The file's text as 8-bit bytes: a UTF-8 mark is dropped, UTF-16 text is turned into UTF-8.
QByteArray fileText(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = in.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return bytes.mid(3);
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        auto decode = QStringDecoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                                  : QStringConverter::Utf16BE);
        return QString(decode(QByteArrayView(bytes).sliced(2))).toUtf8();
    }
    return bytes;
}

// The value of `key` in the first section named `section`, if that key has a value.
std::optional<QByteArray> lookUp(const QByteArray& text, QByteArrayView section, QByteArrayView key)
{
    bool inSection = false;
    bool sectionSeen = false;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        const QByteArrayView line = trimmed(QByteArrayView(text).sliced(pos, end - pos));
        pos = end + 1;
        if (line.isEmpty() || line.front() == ';')
            continue;
        const qsizetype close = line.lastIndexOf(']');
        if (line.front() == '[' && close > 0) {
            if (sectionSeen)
                return std::nullopt; // only the first section of that name is searched
            inSection = sameName(trimmed(line.sliced(1, close - 1)), section);
            sectionSeen = inSection;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inSection || equals < 0 || !sameName(trimmed(line.first(equals)), key))
            continue;
        return trimmed(line.sliced(equals + 1)).toByteArray();
    }
    return std::nullopt;
}

QByteArray withoutQuotes(const QByteArray& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

int GetPrivateProfileStringA(const QByteArray& section, const QByteArray& key,
                             const QByteArray& defaultValue, char* buffer, int size,
                             const QString& file)
{
    if (size <= 0)
        return 0;
    const auto found = lookUp(fileText(file), trimmed(section), trimmed(key));
    QByteArray value = found ? withoutQuotes(*found) : defaultValue;
    if (!found) {
        while (value.endsWith(' '))
            value.chop(1);
    }
    const int count = static_cast<int>(std::min<qsizetype>(value.size(), size - 1));
    std::memcpy(buffer, value.constData(), static_cast<size_t>(count));
    buffer[count] = '\0';
    return count;
}

} // namespace platform
