// Fills by palette number and by device colour over the six configurations: clipping on every
// side, the transparent palette number, a bad palette number, render targets and system-memory
// surfaces under Direct3D, and blending of a translucent colour.
#include "graphics/Fill.h"
#include "DrawTestSupport.h"

namespace gfxtest {
namespace {

// Fills of palette colours onto an 8 x 3 canvas ('-' keeps the canvas).
struct FillCase {
    const char* name;
    int x, y, nWidth, nHeight;
    char letter;
    Image expected;
};

const FillCase kFillCases[] = {
    {"inside", 2, 1, 3, 1, 'R', {"--------", "--RRR---", "--------"}},
    // A rectangle starting left of or above the surface keeps its right and bottom edges.
    {"left of the surface", -2, 0, 4, 1, 'G', {"GG------", "--------", "--------"}},
    {"above the surface", 1, -2, 1, 3, 'B', {"-B------", "--------", "--------"}},
    {"beyond the right and bottom edges", 6, 2, 5, 5, 'W', {"--------", "--------", "------WW"}},
    {"over every edge", -1, -1, 20, 20, 'Y', {"YYYYYYYY", "YYYYYYYY", "YYYYYYYY"}},
    {"empty", 2, 1, 0, 1, 'R', {"--------", "--------", "--------"}},
    {"outside", 8, 0, 2, 1, 'R', {"--------", "--------", "--------"}},
};

class FillTest : public DrawTest {
protected:
    // A canvas of each kind the configuration draws into differently: a render target and, under
    // Direct3D, a system-memory texture (filled through a lock).
    std::vector<int> MemoryTypes() const
    {
        if (D3D()) return {DTMEMORYTYPE_VIDEO_RT, DTMEMORYTYPE_SYSTEM};
        return {DTMEMORYTYPE_VIDEO_RT};
    }
};

TEST_P(FillTest, FillsRectanglesWithPaletteColoursClippedToTheSurface)
{
    OpenWithPalette();
    for (const int memoryType : MemoryTypes()) {
        DDSURFACEDATA* canvas = Canvas(8, 3, 'C', 1, memoryType);
        for (const FillCase& t : kFillCases) {
            SCOPED_TRACE(std::string(t.name) + (memoryType == DTMEMORYTYPE_SYSTEM ? " (system memory)" : ""));
            Paint(canvas, 'C');
            const RawImage before = Pixels(canvas);
            EXPECT_TRUE(DDFillRectPal(canvas, t.x, t.y, t.nWidth, t.nHeight, IndexOf(t.letter)));
            EXPECT_EQ(Pixels(canvas), Expect(t.expected, before));
        }
    }
}

TEST_P(FillTest, FillsWholeSurfaces)
{
    OpenWithPalette();
    DDSURFACEDATA* canvas = Canvas(3, 2);
    EXPECT_TRUE(DDFillSurfacePal(canvas, IndexOf('B')));
    EXPECT_EQ(Pixels(canvas), RawImage(2, std::vector<DWORD>(3, Raw('B'))));
    const DWORD device = D3D() ? 0xFF000000u | ColourOf('Y') : Raw('Y');
    EXPECT_TRUE(DDFillSurfaceColor(canvas, device));
    EXPECT_EQ(Pixels(canvas), RawImage(2, std::vector<DWORD>(3, Raw('Y'))));
}

// Palette number 0 is the transparent colour: Direct3D clears a colour-keyed texture to
// transparent texels and leaves the back buffer as it was (a colour of alpha 0 blends to
// nothing); DirectDraw writes the key colour. A number above 255 fills with colour 0.
TEST_P(FillTest, FillsWithTheTransparentColourAndWithColourZeroForABadNumber)
{
    OpenWithPalette();
    DDSURFACEDATA* canvas = Canvas(2, 1);
    EXPECT_TRUE(DDFillRectPal(canvas, 0, 0, 1, 1, 0));
    EXPECT_TRUE(DDFillRectPal(canvas, 1, 0, 1, 1, 300));
    const DWORD transparent = D3D() ? 0u : Raw('.');
    EXPECT_EQ(Pixel(canvas, 0, 0), transparent);
    EXPECT_EQ(Pixel(canvas, 1, 0), 0u);  // Direct3D: colour 0 is transparent too; DirectDraw: raw 0

    const DWORD back = Pixel(&BackBuffer, 5, 5);
    EXPECT_TRUE(DDFillRectPal(&BackBuffer, 5, 5, 1, 1, 0));
    EXPECT_EQ(Pixel(&BackBuffer, 5, 5), D3D() ? back : Raw('.', true));
}

INSTANTIATE_TEST_SUITE_P(Configs, FillTest, ::testing::ValuesIn(kConfigs), ConfigName);

// Direct3D: a translucent colour is blended over the target with its alpha (rounding (x + 127) /
// 255 on the whole sum); on a system-memory texture the colour is written as it is (at 16 bits the
// alpha bit set from 128).
using FillBlendTest = DrawTest;

TEST_P(FillBlendTest, BlendsATranslucentColourOverARenderTarget)
{
    OpenWithPalette();
    DDSURFACEDATA* canvas = Canvas(1, 1, 'B');
    EXPECT_TRUE(DDFillRectColor(canvas, 0, 0, 1, 1, 0x80FF0000));
    // red 255 x 128 + 0 x 127 -> 128; blue 0 x 128 + 255 x 127 -> 127; alpha 128 x 128 + 255 x 127 -> 191
    if (C().nBpp == 32) {
        EXPECT_EQ(Pixel(canvas, 0, 0), 0xBF80007Fu);
    } else {
        EXPECT_EQ(Pixel(canvas, 0, 0), 0x8000u | (128u >> 3) << 10 | (127u >> 3));
    }

    DDSURFACEDATA* system = Canvas(2, 1, 'B', 1, DTMEMORYTYPE_SYSTEM);
    EXPECT_TRUE(DDFillRectColor(system, 0, 0, 1, 1, 0x80FF0000));
    EXPECT_TRUE(DDFillRectColor(system, 1, 0, 1, 1, 0x7FFF0000));
    if (C().nBpp == 32) {
        EXPECT_EQ(Pixel(system, 0, 0), 0x80FF0000u);
        EXPECT_EQ(Pixel(system, 1, 0), 0x7FFF0000u);
    } else {
        EXPECT_EQ(Pixel(system, 0, 0), 0xFC00u);
        EXPECT_EQ(Pixel(system, 1, 0), 0x7C00u);
    }
}

INSTANTIATE_TEST_SUITE_P(Direct3D, FillBlendTest, ::testing::ValuesIn(kDirect3DConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
