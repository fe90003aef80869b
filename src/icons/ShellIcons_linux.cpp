// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Icon extraction over the program's own icon-library reader, and the system queries on Linux.
#include "platform/ShellIcons.h"

#include "icons/IconLibrary.h"

#include <QFileInfo>
#include <QSysInfo>
#include <QVersionNumber>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

char16_t unitAt(const QByteArray& bytes, qsizetype unit)
{
    return char16_t(uchar(bytes[2 * unit]) | uchar(bytes[2 * unit + 1]) << 8);
}

bool isControlUnit(char16_t unit)
{
    return unit == u'\r' || unit == u'\n' || unit == u'\t' || unit == u' ' || unit == u'\x3000';
}

// Characters that real text holds: no unassigned or private code points, no controls but the
// line and tab ones. Lone surrogates are ruled out on the whole text beforehand.
bool isTextCharacter(QChar c)
{
    switch (c.category()) {
    case QChar::Other_NotAssigned:
    case QChar::Other_PrivateUse:
        return false;
    case QChar::Other_Control:
        return isControlUnit(c.unicode());
    default:
        return !c.isNonCharacter();
    }
}

// The picture of the group at `position` at the square size the shell delivers.
QImage iconPicture(const icons::IconLibrary& library, int position, int size)
{
    const QImage image = library.decode(position, size);
    // A picture already at the size comes back from scaled() as it is.
    return image.isNull() ? image : image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

int GetVersionExA(OsVersionInfoA& info)
{
    if (info.dwOSVersionInfoSize != sizeof(OsVersionInfoA))
        return 0;
    const QVersionNumber kernel = QVersionNumber::fromString(QSysInfo::kernelVersion());
    info.dwMajorVersion = quint32(kernel.majorVersion());
    info.dwMinorVersion = quint32(kernel.minorVersion());
    info.dwBuildNumber = quint32(kernel.microVersion());
    info.dwPlatformId = VerPlatformWin32Nt;
    std::memset(info.szCSDVersion, 0, sizeof(info.szCSDVersion));
    return 1;
}

// The tests look at the text before the first NUL unit: the NUL fill of a path buffer says
// nothing about the text in front of it. One-byte text followed by NUL fill has no NUL byte
// before its end, so a unit with a zero byte can only be its last one: a Latin-1 unit with more
// text after it proves UTF-16, whatever the other characters are (private use, noncharacters,
// lone surrogates). Every path but a bare name holds one: its separators.
bool IsTextUnicode(const QByteArray& bytes, int* tests)
{
    const int asked = tests ? *tests : IsTextUnicodeUnicodeMask;
    const qsizetype units = bytes.size() / 2;
    QString text;
    while (text.size() < units && unitAt(bytes, text.size()) != 0)
        text.append(QChar(unitAt(bytes, text.size())));

    int passed = 0;
    if (text.startsWith(QChar(0xFEFF)))
        passed |= IsTextUnicodeSignature;

    bool allLatin = !text.isEmpty();
    bool innerLatin = false;
    bool realText = text.size() > 1 && QStringView(text).isValidUtf16();
    int lowChange = 0;
    int highChange = 0;
    int previous = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int unit = text[i].unicode();
        const bool latin = (unit >> 8) == 0;
        const bool inner = i + 1 < text.size();
        allLatin = allLatin && latin;
        innerLatin = innerLatin || (latin && inner);
        if (inner && isControlUnit(char16_t(unit)))
            passed |= IsTextUnicodeControls;
        realText = realText && isTextCharacter(text[i]);
        lowChange += std::abs((unit & 0xFF) - (previous & 0xFF));
        highChange += std::abs((unit >> 8) - (previous >> 8));
        previous = unit;
    }
    if (allLatin)
        passed |= IsTextUnicodeAscii16;
    // Without such a unit, real text of one script shows itself by high bytes that move much
    // less than the low bytes.
    if (innerLatin || (realText && 3 * highChange < lowChange))
        passed |= IsTextUnicodeStatistics;

    passed &= asked;
    if (tests)
        *tests = passed;
    return passed != 0;
}

int ExtractIconExA(const QString& file, int index, Icon* large, Icon* small)
{
    const QString path = file.left(file.indexOf(QChar(0)));
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return -1;
    const icons::IconLibrary library = icons::IconLibrary::open(path);
    if (index == -1 && !large && !small)
        return library.groupCount();

    const int position = library.positionOf(index);
    if (position < 0)
        return 0;
    const QImage largeImage = large ? iconPicture(library, position, LargeIconSize) : QImage();
    const QImage smallImage = small ? iconPicture(library, position, SmallIconSize) : QImage();
    if ((large && largeImage.isNull()) || (small && smallImage.isNull()))
        return 0;
    if (large)
        large->image = largeImage;
    if (small)
        small->image = smallImage;
    return 1;
}

} // namespace platform
