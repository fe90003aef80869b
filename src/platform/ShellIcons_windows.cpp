// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Icon extraction and the system queries through the Win32 calls themselves.
#include "platform/ShellIcons.h"

#include "platform/win32/IconExtraction.h"

#include <algorithm>

namespace platform {
namespace {

static_assert(sizeof(OSVERSIONINFOA) == sizeof(OsVersionInfoA));

QImage picture(const win32::IconPixels& pixels)
{
    if (pixels.argb.empty())
        return {};
    QImage image(pixels.width, pixels.height, QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint32_t* row = pixels.argb.data() + size_t(y) * size_t(pixels.width);
        std::copy(row, row + pixels.width, reinterpret_cast<QRgb*>(image.scanLine(y)));
    }
    return image;
}

} // namespace

int GetVersionExA(OsVersionInfoA& info)
{
    return ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
}

bool IsTextUnicode(const QByteArray& bytes, int* tests)
{
    return ::IsTextUnicode(bytes.constData(), int(bytes.size()), tests) != FALSE;
}

// The wide form of the call, so that a path outside the ANSI code page still names its file.
int ExtractIconExA(const QString& file, int index, Icon* large, Icon* small)
{
    win32::IconPixels largePixels;
    win32::IconPixels smallPixels;
    const UINT count = win32::extractIcons(file.left(file.indexOf(QChar(0))).toStdWString(), index,
                                           large ? &largePixels : nullptr, small ? &smallPixels : nullptr);
    if (large)
        large->image = picture(largePixels);
    if (small)
        small->image = picture(smallPixels);
    // The program reads the result as a signed 32-bit count: UINT_MAX (failure) becomes -1.
    return static_cast<int>(count);
}

} // namespace platform
