// Shared by the project tests that draw text: the graphics fixture over the six back-end
// configurations with Font16 made from the test font (white ink, window boxes of green skin with
// a red frame), and the bounding box of the ink drawn in a region of a canvas.
#pragma once

#include <algorithm>
#include <ostream>
#include <vector>

#include "graphics/DrawTestSupport.h"
#include "graphics/FontTable.h"
#include "platform/TestFont.h"

namespace projecttest {

// A rectangle of pixels, right and bottom included; empty when right < left.
struct InkBox {
    int left = 0, top = 0, right = -1, bottom = -1;
    bool operator==(const InkBox&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const InkBox& b)
{
    return os << "(" << b.left << "," << b.top << ")-(" << b.right << "," << b.bottom << ")";
}

class FontDrawTest : public gfxtest::DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        ASSERT_TRUE(FontFilesUseOnlyForTest(TestFontPath()));
        OpenWithPalette();
        // The window skin comes from built-in slot 45: 400 x 100 of green.
        Picture(gfxtest::Image(100, std::string(400, 'G')), 0);
        ASSERT_EQ(DDCreateSurfaceFromFile(&SDTable[45], "bmp\\picture0.bmp", 0, C().nBpp, 0, 0, 0, 0, 0, 0, 0), 0);
        FONTINFO info;
        info.szFaceName = "Test";
        info.nHeight = 16;
        info.nCellWidth = 16;
        info.nCellHeight = 16;
        info.dwPalNum = 4;
        info.nSkinSlot = 45;
        info.nFrameThick = 1;
        info.dwFramePalNum = 1;
        ASSERT_TRUE(FontTable[Font16].Create(info));
    }
    void TearDown() override
    {
        ReleaseFontTable();
        DDReleaseSurface(&SDTable[45]);
        FontFilesUseSystemForTest();
        DrawTest::TearDown();
    }

    // The raw pixel of palette entry n on a canvas.
    DWORD PalRaw(int n) const
    {
        return gfxtest::LoadedRaw(C(), gfxtest::TestPaletteColours()[static_cast<std::size_t>(n)],
                                  static_cast<std::uint32_t>(n)) &
               RawMask();
    }

    // The smallest box holding every pixel of the raw value in x0..x1, y0..y1 (included).
    static InkBox BoxOf(const gfxtest::RawImage& image, DWORD raw, int x0, int y0, int x1, int y1)
    {
        InkBox box{x1 + 1, y1 + 1, -1, -1};
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                if (image[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] != raw) continue;
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
            }
        return box.right < 0 ? InkBox{} : box;
    }
};

}  // namespace projecttest
