// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Icon extraction through the shell, with the pictures read back as plain pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace win32 {

// An icon's picture: `width` x `height` pixels, rows from the top, each 0xAARRGGBB with straight
// (not premultiplied) alpha. Fully transparent pixels are 0.
struct IconPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

// ExtractIconExW for one icon of `file`: `index` >= 0 is the position of an icon group, a negative
// index the group with that resource ID. Fills the out-places given with the large and small
// pictures, at the sizes the shell delivers, and releases the icon handles. Returns what the call
// returns: the number of icons extracted; with index -1 and no out-place, the number of icons in
// the file; UINT_MAX when the file cannot be read.
UINT extractIcons(const std::wstring& file, int index, IconPixels* large, IconPixels* small);

// The picture of an icon handle; empty when the handle holds none.
IconPixels iconPixels(HICON icon);

} // namespace win32
