// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Default values read from and written to the lines of a .reg file.
#include "hive/DefaultValue.h"

#include "hive/RegFileLines.h"
#include "hive/RegFileText.h"

#include <QRegularExpression>
#include <QtEndian>
#include <utility>

namespace registry {
namespace {

// The registry editor continues a line of hex data once it is this long.
constexpr qsizetype kHexLineLength = 77;

// The text of a quoted string: `\\` stands for a backslash and `\"` for a quote; only blanks or a
// comment may follow it.
std::optional<QString> unquoted(const QString& data)
{
    QString text;
    for (qsizetype i = 1; i < data.size(); ++i) {
        if (data[i] == QLatin1Char('"')) {
            if (!RegFileLines::isBlankOrComment(QStringView(data).mid(i + 1))
                || !RegFileText::isStorableText(text))
                return std::nullopt;
            return text;
        }
        if (data[i] == QLatin1Char('\\')
            && (++i == data.size() || (data[i] != QLatin1Char('\\') && data[i] != QLatin1Char('"'))))
            return std::nullopt;
        text += data[i];
    }
    return std::nullopt;
}

QString escaped(const QString& data)
{
    QString text = data;
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return text;
}

// A value in hex notation as the registry editor exports it, "hex:" for binary data and
// "hex(N):" for any other type, continued with '\' on the next line once a line is long enough.
QStringList hexLines(const platform::RegistryValue& value)
{
    QStringList lines {value.type == platform::TypeBinary ? QStringLiteral("@=hex:")
                                                          : QStringLiteral("@=hex(%1):").arg(value.type, 0, 16)};
    for (qsizetype i = 0; i < value.data.size(); ++i) {
        if (lines.last().size() >= kHexLineLength) {
            lines.last() += QLatin1Char('\\');
            lines += QStringLiteral("  ");
        }
        lines.last() += QStringLiteral("%1").arg(quint8(value.data[i]), 2, 16, QLatin1Char('0'));
        if (i + 1 < value.data.size())
            lines.last() += QLatin1Char(',');
    }
    return lines;
}

} // namespace

std::optional<platform::RegistryValue> DefaultValue::stored() const
{
    if (!text)
        return other;
    return platform::RegistryValue {platform::TypeString,
                                    RegFileText::utf16Bytes(*text) + QByteArray(2, '\0')};
}

std::optional<DefaultValue> DefaultValue::read(const QString& data)
{
    static const QRegularExpression notAString(QStringLiteral(
        "^(?:(?<deleted>-)|dword:(?<dword>[0-9A-Fa-f]{1,8})"
        "|hex(?:\\((?<type>[0-9A-Fa-f]{1,8})\\))?:\\s*(?<bytes>(?:[0-9A-Fa-f]{1,2}\\s*(?:,\\s*[0-9A-Fa-f]{1,2}\\s*)*,?)?))"
        "\\s*(;.*)?$"));
    if (data.startsWith(QLatin1Char('"'))) {
        if (std::optional<QString> text = unquoted(data))
            return DefaultValue {std::move(text), std::nullopt};
        return std::nullopt;
    }
    const QRegularExpressionMatch match = notAString.match(data);
    if (!match.hasMatch())
        return std::nullopt;
    if (match.hasCaptured(u"deleted"))
        return DefaultValue {};
    if (match.hasCaptured(u"dword")) {
        QByteArray bytes(4, '\0');
        qToLittleEndian<quint32>(match.captured(u"dword").toUInt(nullptr, 16), bytes.data());
        return DefaultValue {std::nullopt, platform::RegistryValue {platform::TypeDword, bytes}};
    }
    QByteArray bytes;
    for (const QString& byte : match.captured(u"bytes").split(QLatin1Char(','), Qt::SkipEmptyParts))
        bytes += char(byte.trimmed().toUInt(nullptr, 16));
    const quint32 type = match.hasCaptured(u"type") ? match.captured(u"type").toUInt(nullptr, 16) : platform::TypeBinary;
    return DefaultValue {std::nullopt, platform::RegistryValue {type, bytes}};
}

QStringList DefaultValue::lines(const std::optional<platform::RegistryValue>& value)
{
    if (!value)
        return {QStringLiteral("@=-")};
    if (const std::optional<QString> text = textOf(*value))
        return {QLatin1String("@=\"") + escaped(*text) + QLatin1Char('"')};
    if (value->type == platform::TypeDword && value->data.size() == 4) {
        const quint32 number = qFromLittleEndian<quint32>(value->data.constData());
        return {QStringLiteral("@=dword:%1").arg(number, 8, 16, QLatin1Char('0'))};
    }
    return hexLines(*value);
}

std::optional<QString> DefaultValue::textOf(const platform::RegistryValue& value)
{
    const QByteArray& data = value.data;
    if (value.type != platform::TypeString || data.size() % 2 != 0 || !data.endsWith(QByteArray(2, '\0')))
        return std::nullopt;
    const QString text = RegFileText::utf16Text(QByteArrayView(data).chopped(2));
    return RegFileText::isStorableText(text) ? std::optional(text) : std::nullopt;
}

} // namespace registry
