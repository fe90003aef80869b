// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Text handed to and taken back from the shell's icon chooser: padding, widening, trimming.
#include "icons/StringUtils.h"

#include "platform/ShellIcons.h"

#include <QByteArray>
#include <stdexcept>

namespace mStringUtils {

namespace {
// The form the shell's ANSI functions receive: one byte per character. The buffers that cross
// this way are widened ones, whose characters are bytes already.
QByteArray ansiForm(const QString& s)
{
    return s.toLatin1();
}
} // namespace

bool IsWinNT()
{
    platform::OsVersionInfoA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    // A failed call leaves the platform field 0, which reads as "not NT".
    platform::GetVersionExA(info);
    return info.dwPlatformId == platform::VerPlatformWin32Nt;
}

QString PadToMaxPath(const QString& s)
{
    if (s.size() > MaxPath)
        throw std::invalid_argument("PadToMaxPath: the text has " + std::to_string(s.size())
                                    + " characters, more than the " + std::to_string(MaxPath)
                                    + " of a path buffer");
    return s + QString(MaxPath - s.size(), QChar(0));
}

QString Widen(const QString& buffer)
{
    QString wide;
    wide.reserve(buffer.size() * 2);
    for (const QChar c : buffer) {
        wide.append(QChar(c.unicode() & 0xFF));
        wide.append(QChar(c.unicode() >> 8));
    }
    return wide;
}

int BufferCapacity(const QString& buffer, bool widened)
{
    const qsizetype characters = widened ? buffer.size() / 2 : buffer.size();
    return int(characters) + 1;
}

bool IsUnicodeText(const QString& s)
{
    const QByteArray bytes = ansiForm(s);
    int tests = platform::IsTextUnicodeUnicodeMask;
    return platform::IsTextUnicode(bytes, &tests);
}

QString TrimNull(QString& s)
{
    if (IsUnicodeText(s)) {
        const QByteArray bytes = ansiForm(s);
        QString narrow(bytes.size() / 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < narrow.size(); ++i)
            narrow[i] = QChar(char16_t(uchar(bytes[2 * i]) | uchar(bytes[2 * i + 1]) << 8));
        s = narrow;
    }
    return s.left(s.indexOf(QChar(0))); // the whole text when it holds no NUL
}

} // namespace mStringUtils
