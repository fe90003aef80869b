// The pixels read back from icon handles: alpha icons, icons with a mask, monochrome icons.
#include "platform/win32/IconExtraction.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

TEST(IconPixels, TransparencyComesFromTheAlphaChannelOrFromTheMask)
{
    const struct {
        const char* kind;
        std::vector<std::uint32_t> colour; // empty: a monochrome icon
        std::vector<unsigned short> mask;  // bit 7 of a row's first byte is its left pixel
        std::vector<std::uint32_t> expected;
    } icons[] = {
        {"alpha", {0x80FF0000, 0x00123456, 0xFF00FF00, 0x400000FF}, {0x00, 0x00}, {0x80FF0000, 0x00000000, 0xFF00FF00, 0x400000FF}},
        {"mask", {0x00FF0000, 0x00123456, 0x0000FF00, 0x000000FF}, {0x40, 0x80}, {0xFFFF0000, 0x00000000, 0x00000000, 0xFF0000FF}},
        {"monochrome", {}, {0x40, 0x00, 0x00, 0xC0}, {0xFF000000, 0x00000000, 0xFFFFFFFF, 0xFFFFFFFF}},
    };
    for (const auto& icon : icons) {
        SCOPED_TRACE(icon.kind);
        // The mask two pixels wide, a row padded to 16 bits; the colour 32-bit, rows from the top.
        ICONINFO info {TRUE, 0, 0, CreateBitmap(2, int(icon.mask.size()), 1, 1, icon.mask.data()), nullptr};
        const BITMAPINFO colour {{sizeof(BITMAPINFOHEADER), 2, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        void* bits = nullptr;
        if (!icon.colour.empty()) {
            info.hbmColor = CreateDIBSection(nullptr, &colour, DIB_RGB_COLORS, &bits, nullptr, 0);
            std::copy(icon.colour.begin(), icon.colour.end(), static_cast<std::uint32_t*>(bits));
        }
        HICON handle = CreateIconIndirect(&info);
        const win32::IconPixels pixels = win32::iconPixels(handle);
        EXPECT_EQ(std::tuple(pixels.width, pixels.height, pixels.argb), std::tuple(2, 2, icon.expected));
        DestroyIcon(handle);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
    }
    EXPECT_TRUE(win32::iconPixels(nullptr).argb.empty());
}

} // namespace
