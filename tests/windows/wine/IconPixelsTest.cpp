// The pixels read back from icon handles: alpha icons, icons with a mask, monochrome icons.
#include "platform/win32/IconExtraction.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A 32-bit bitmap of 2 x 2 pixels, rows from the top.
HBITMAP colourBitmap(const std::vector<std::uint32_t>& pixels)
{
    BITMAPINFO info {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
    return bitmap;
}

// A monochrome bitmap two pixels wide, one row a byte pair (rows are padded to 16 bits).
HBITMAP maskBitmap(const std::vector<unsigned short>& rows)
{
    return CreateBitmap(2, int(rows.size()), 1, 1, rows.data());
}

TEST(IconPixels, TransparencyComesFromTheAlphaChannelOrFromTheMask)
{
    const struct {
        const char* kind;
        std::vector<std::uint32_t> colour; // empty: a monochrome icon
        std::vector<unsigned short> mask;  // bit 7 of a row's first byte is its left pixel
        std::vector<std::uint32_t> expected;
    } icons[] = {
        {"alpha", {0x80FF0000, 0x00123456, 0xFF00FF00, 0x400000FF}, {0x00, 0x00},
         {0x80FF0000, 0x00000000, 0xFF00FF00, 0x400000FF}},
        {"mask", {0x00FF0000, 0x00123456, 0x0000FF00, 0x000000FF}, {0x40, 0x80},
         {0xFFFF0000, 0x00000000, 0x00000000, 0xFF0000FF}},
        {"monochrome", {}, {0x40, 0x00, 0x00, 0xC0},
         {0xFF000000, 0x00000000, 0xFFFFFFFF, 0xFFFFFFFF}},
    };
    for (const auto& icon : icons) {
        SCOPED_TRACE(icon.kind);
        ICONINFO info {TRUE, 0, 0, maskBitmap(icon.mask), icon.colour.empty() ? nullptr : colourBitmap(icon.colour)};
        HICON handle = CreateIconIndirect(&info);
        ASSERT_NE(handle, nullptr);
        const win32::IconPixels pixels = win32::iconPixels(handle);
        EXPECT_EQ(pixels.width, 2);
        EXPECT_EQ(pixels.height, 2);
        EXPECT_EQ(pixels.argb, icon.expected);
        DestroyIcon(handle);
        DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
    }
    EXPECT_TRUE(win32::iconPixels(nullptr).argb.empty());
}

} // namespace
