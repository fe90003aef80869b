// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The shell's icon extraction and drawing, and the two system queries the icon window relies on.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QtGlobal>

namespace platform {

// The version record of GetVersionExA (OSVERSIONINFOA), field for field.
struct OsVersionInfoA {
    quint32 dwOSVersionInfoSize;
    quint32 dwMajorVersion;
    quint32 dwMinorVersion;
    quint32 dwBuildNumber;
    quint32 dwPlatformId;
    char szCSDVersion[128];
};
static_assert(sizeof(OsVersionInfoA) == 148);

inline constexpr quint32 VerPlatformWin32Nt = 2;

// Fills `info` when its size field is sizeof(OsVersionInfoA); nonzero on success, 0 with `info`
// untouched otherwise. Linux reports itself as the NT family: its shell functions take UTF-16.
int GetVersionExA(OsVersionInfoA& info);

// The tests of IsTextUnicode that the program asks for, and their sum.
inline constexpr int IsTextUnicodeAscii16 = 0x1;
inline constexpr int IsTextUnicodeStatistics = 0x2;
inline constexpr int IsTextUnicodeControls = 0x4;
inline constexpr int IsTextUnicodeSignature = 0x8;
inline constexpr int IsTextUnicodeUnicodeMask = 0xF;

// Runs the tests named in `*tests` (all of them when `tests` is null) on `bytes` read as
// UTF-16LE and writes back those that passed; true when any passed.
bool IsTextUnicode(const QByteArray& bytes, int* tests);

// An icon handed out by ExtractIconExA: its picture, at the size the shell delivers, until
// DestroyIcon releases it.
struct Icon {
    QImage image;
};

inline constexpr int LargeIconSize = 32;
inline constexpr int SmallIconSize = 16;

// ExtractIconExA for one icon. `file` is a path buffer: its text up to the first NUL names the
// file. `index` >= 0 is the position of an icon group, a negative index the group with that
// resource ID. Fills the out-places given with the large (32) and small (16) pictures and
// returns the number of icons extracted, 0 when there is no such icon. With index -1 and no
// out-place it returns the number of icons in the file. -1 (UINT_MAX as the program declares
// the result) when the file cannot be read.
int ExtractIconExA(const QString& file, int index, Icon* large, Icon* small);

// DrawIconEx with the icon's own transparency (DI_NORMAL): `icon` at (x, y) on `dc`, at its own
// size when width and height are 0. There is no frame or flicker-free brush: the icons drawn
// here are still pictures drawn straight onto an image.
bool DrawIconEx(QImage& dc, int x, int y, const Icon& icon, int width, int height);

// Releases the picture of `icon`.
bool DestroyIcon(Icon& icon);

} // namespace platform
