// SPDX-FileCopyrightText: 2026 The Zelvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Icon extraction through the shell, with the pictures read back as plain pixels.
#include "platform/win32/IconExtraction.h"

#include <shellapi.h>

#include <algorithm>

namespace win32 {
namespace {

// The bitmap's pixels as 32-bit BGRA rows from the top; empty when they cannot be had.
std::vector<std::uint32_t> bitmapPixels(HDC dc, HBITMAP bitmap, int width, int height)
{
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(size_t(width) * size_t(height));
    if (GetDIBits(dc, bitmap, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS) != height)
        return {};
    return pixels;
}

// Colour and transparency of an icon whose mask decides transparency: a set mask bit leaves the
// background showing through.
void applyMask(std::vector<std::uint32_t>& colour, const std::vector<std::uint32_t>& mask)
{
    for (size_t i = 0; i < colour.size(); ++i)
        colour[i] = (mask[i] & 0xFFFFFF) != 0 ? 0 : (colour[i] | 0xFF000000u);
}

} // namespace

IconPixels iconPixels(HICON icon)
{
    ICONINFO info {};
    if (!icon || !GetIconInfo(icon, &info))
        return {};
    BITMAP mask {};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    // A monochrome icon has no colour bitmap: its mask is twice as high, AND half above XOR half.
    const bool monochrome = info.hbmColor == nullptr;
    const int width = mask.bmWidth;
    const int height = monochrome ? mask.bmHeight / 2 : mask.bmHeight;

    IconPixels picture;
    HDC dc = CreateCompatibleDC(nullptr);
    const std::vector<std::uint32_t> maskRows = bitmapPixels(dc, info.hbmMask, width, mask.bmHeight);
    std::vector<std::uint32_t> colour = monochrome
        ? std::vector<std::uint32_t>(maskRows.begin() + std::min<ptrdiff_t>(maskRows.size(), ptrdiff_t(width) * height),
                                     maskRows.end())
        : bitmapPixels(dc, info.hbmColor, width, height);
    DeleteDC(dc);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    if (colour.size() != size_t(width) * size_t(height) || maskRows.size() < colour.size())
        return {};

    // Icons with an alpha channel carry their transparency in it; the others in the mask.
    const bool hasAlpha = std::any_of(colour.begin(), colour.end(),
                                      [](std::uint32_t pixel) { return (pixel >> 24) != 0; });
    if (hasAlpha) {
        for (std::uint32_t& pixel : colour) {
            if ((pixel >> 24) == 0)
                pixel = 0;
        }
    } else {
        applyMask(colour, maskRows);
    }
    picture.width = width;
    picture.height = height;
    picture.argb = std::move(colour);
    return picture;
}

UINT extractIcons(const std::wstring& file, int index, IconPixels* large, IconPixels* small)
{
    HICON largeHandle = nullptr;
    HICON smallHandle = nullptr;
    const UINT count = ExtractIconExW(file.c_str(), index, large ? &largeHandle : nullptr,
                                      small ? &smallHandle : nullptr, large || small ? 1 : 0);
    if (large)
        *large = iconPixels(largeHandle);
    if (small)
        *small = iconPixels(smallHandle);
    if (largeHandle)
        DestroyIcon(largeHandle);
    if (smallHandle)
        DestroyIcon(smallHandle);
    return count;
}

} // namespace win32
