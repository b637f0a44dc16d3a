// DDBlt and DDStretchBlt over the six configurations: colour keys, opaque copies, clipping at
// every edge of the target and of the source, stretching, mirroring by a negative source width and
// through the pre-mirrored slots, the software path of Direct3D, and the back buffer.
#include "graphics/Blit.h"
#include "DrawTestSupport.h"

namespace gfxtest {
namespace {

// A 4 x 2 picture with one transparent pixel.
const Image kSource = {"RGBW", "Y.RG"};

// Expected images on an 8 x 3 canvas: '-' keeps the canvas, 'k' is the transparent pixel copied
// opaquely (Direct3D: a transparent texel; DirectDraw: the key colour). The Direct3D software
// path (a source in system memory) maps pixel by pixel without clipping the rectangles first;
// where that draws otherwise, software holds its image.
struct BltCase {
    const char* name;
    int x, y, nWidth, nHeight, sx, sy, nFlags;
    Image expected;
    Image software = {};
};

const BltCase kBltCases[] = {
    {"keyed", 1, 0, 4, 2, 0, 0, 1, {"-RGBW---", "-Y-RG---", "--------"}},
    {"opaque", 1, 0, 4, 2, 0, 0, 0, {"-RGBW---", "-YkRG---", "--------"}},
    {"left of the target", -2, 1, 4, 2, 0, 0, 1, {"--------", "BW------", "RG------"}},
    {"right of the target", 6, 0, 4, 2, 0, 0, 1, {"------RG", "------Y-", "--------"}},
    {"above the target", 1, -1, 4, 2, 0, 0, 1, {"-Y-RG---", "--------", "--------"}},
    {"below the target", 1, 2, 4, 2, 0, 0, 1, {"--------", "--------", "-RGBW---"}},
    // A source rectangle that starts outside its picture is cut to start at its first column or
    // row, which lands at the target position itself; the software path keeps pixels in place.
    {"source left of its picture",
     1,
     0,
     4,
     1,
     -1,
     0,
     1,
     {"-RGB----", "--------", "--------"},
     {"--RGB---", "--------", "--------"}},
    {"source above its picture",
     1,
     1,
     4,
     2,
     0,
     -1,
     1,
     {"--------", "-RGBW---", "--------"},
     {"--------", "--------", "-RGBW---"}},
    {"source beyond its right edge", 0, 0, 4, 1, 2, 0, 1, {"BW------", "--------", "--------"}},
    {"outside the target", 8, 0, 4, 1, 0, 0, 1, {"--------", "--------", "--------"}},
};

// Stretched blits onto the 8 x 3 canvas, keyed. Direct3D quads sample at pixel centres; the
// DirectDraw Blt and the Direct3D software path take source step floor(i x source size / size).
// DirectDraw draws nothing for a negative source size. Where the Direct3D software path, which
// does not clip the rectangles first, draws otherwise than DirectDraw, software holds its image.
struct StretchCase {
    const char* name;
    int x, y, nWidth, nHeight, sx, sy, nSrcWidth, nSrcHeight;
    Image quad;
    Image floor;
    bool bMirrored;
    Image software = {};
};

const StretchCase kStretchCases[] = {
    {"doubled",
     0,
     0,
     8,
     2,
     0,
     0,
     4,
     1,
     {"RRGGBBWW", "RRGGBBWW", "--------"},
     {"RRGGBBWW", "RRGGBBWW", "--------"},
     false},
    {"halved",
     0,
     0,
     2,
     1,
     0,
     0,
     4,
     1,
     {"GW------", "--------", "--------"},
     {"RB------", "--------", "--------"},
     false},
    {"taller",
     0,
     0,
     1,
     3,
     0,
     0,
     1,
     2,
     {"R-------", "Y-------", "Y-------"},
     {"R-------", "R-------", "Y-------"},
     false},
    {"left of the target",
     -4,
     0,
     8,
     1,
     0,
     0,
     4,
     1,
     {"BBWW----", "--------", "--------"},
     {"BBWW----", "--------", "--------"},
     false},
    {"right of the target",
     4,
     0,
     8,
     1,
     0,
     0,
     4,
     1,
     {"----RRGG", "--------", "--------"},
     {"----RRGG", "--------", "--------"},
     false},
    {"source left of its picture",
     0,
     0,
     8,
     1,
     -1,
     0,
     4,
     1,
     {"RRGGBB--", "--------", "--------"},
     {"RRGGBB--", "--------", "--------"},
     false,
     {"--RRGGBB", "--------", "--------"}},
    {"mirrored",
     0,
     0,
     4,
     1,
     4,
     0,
     -4,
     1,
     {"WBGR----", "--------", "--------"},
     {"WBGR----", "--------", "--------"},
     true},
    {"mirrored, source beyond its picture",
     0,
     0,
     8,
     1,
     5,
     0,
     -4,
     1,
     {"WWBBGG--", "--------", "--------"},
     {"--------", "--------", "--------"},
     true,
     {"--WWBBGG", "--------", "--------"}},
};

class BlitTest : public DrawTest {
protected:
    RawImage ExpectOnCanvas(const Image& rows, const RawImage& before)
    {
        Image letters = rows;
        RawImage image = Expect(letters, before);
        for (size_t y = 0; y < rows.size(); ++y)
            for (size_t x = 0; x < rows[y].size(); ++x)
                if (rows[y][x] == 'k') image[y][x] = D3D() ? 0u : Raw('.');
        return image;
    }
};

TEST_P(BlitTest, DrawsSameSizeBlitsFromVideoAndSystemMemory)
{
    OpenWithPalette();
    DDSURFACEDATA* canvas = Canvas(8, 3);
    for (const int memoryType : {DTMEMORYTYPE_VIDEO_RT, DTMEMORYTYPE_SYSTEM}) {
        DDSURFACEDATA* source = Picture(kSource, 1, memoryType);
        for (const BltCase& t : kBltCases) {
            SCOPED_TRACE(std::string(t.name) + (memoryType == DTMEMORYTYPE_SYSTEM ? " (system memory)" : ""));
            Paint(canvas, 'C');
            const RawImage before = Pixels(canvas);
            EXPECT_TRUE(DDBlt(canvas, t.x, t.y, t.nWidth, t.nHeight, source, t.sx, t.sy, t.nFlags));
            const bool bSoftware = D3D() && memoryType == DTMEMORYTYPE_SYSTEM && !t.software.empty();
            EXPECT_EQ(Pixels(canvas), ExpectOnCanvas(bSoftware ? t.software : t.expected, before));
        }
    }
}

TEST_P(BlitTest, DrawsStretchedBlitsFromVideoAndSystemMemory)
{
    OpenWithPalette();
    DDSURFACEDATA* canvas = Canvas(8, 3);
    for (const int memoryType : {DTMEMORYTYPE_VIDEO_RT, DTMEMORYTYPE_SYSTEM}) {
        DDSURFACEDATA* source = Picture(kSource, 1, memoryType);
        const bool bQuad = D3D() && memoryType != DTMEMORYTYPE_SYSTEM;
        for (const StretchCase& t : kStretchCases) {
            SCOPED_TRACE(std::string(t.name) + (memoryType == DTMEMORYTYPE_SYSTEM ? " (system memory)" : ""));
            Paint(canvas, 'C');
            const RawImage before = Pixels(canvas);
            DDStretchBlt(canvas, t.x, t.y, t.nWidth, t.nHeight, source, t.sx, t.sy, t.nSrcWidth, t.nSrcHeight, 1);
            const bool bSoftware = D3D() && !bQuad && !t.software.empty();
            const Image& rows = bQuad ? t.quad : (bSoftware ? t.software : t.floor);
            const RawImage expected = !D3D() && t.bMirrored ? before : ExpectOnCanvas(rows, before);
            EXPECT_EQ(Pixels(canvas), expected);
        }
    }
}

// The mirrored twin of a picture with 4-pixel frames: under DirectDraw a copy with every frame
// reversed, under Direct3D a record drawing from the plain picture's texture.
TEST_P(BlitTest, DrawsFramesOfAPreMirroredSlotReversed)
{
    OpenWithPalette();
    const Image frames = {"RGBWYRGB"};  // frame 0 RGBW, frame 1 YRGB
    DDSURFACEDATA* plain = Picture(frames);
    DDSURFACEDATA* mirrored = Picture(frames, 1, DTMEMORYTYPE_VIDEO_RT, 4, D3D() ? 1 : 0);
    if (D3D()) mirrored->lpShareSD = plain;
    DDSURFACEDATA* canvas = Canvas(8, 1);
    const RawImage before = Pixels(canvas);

    DDBlt(canvas, 0, 0, 4, 1, mirrored, 4, 0, 1);  // the whole frame 1
    DDBlt(canvas, 4, 0, 2, 1, mirrored, 5, 0, 1);  // columns 1 and 2 of the mirrored frame 1
    DDBlt(canvas, 6, 0, 2, 1, mirrored, 0, 0, 1);  // columns 0 and 1 of the mirrored frame 0
    EXPECT_EQ(Pixels(canvas), Expect({"BGRYGRWB"}, before));
}

// An opaque copy of a keyed picture shows the transparent colour on the back buffer.
TEST_P(BlitTest, OpaqueCopyOntoTheBackBufferShowsTheKeyColour)
{
    OpenWithPalette();
    DDSURFACEDATA* source = Picture(kSource);
    EXPECT_TRUE(DDBlt(&BackBuffer, 10, 20, 4, 2, source, 0, 0, 0));
    EXPECT_EQ(Pixel(&BackBuffer, 10, 20), Raw('R', true));
    EXPECT_EQ(Pixel(&BackBuffer, 11, 21), Raw('.', true));
    EXPECT_EQ(Pixel(&BackBuffer, 13, 21), Raw('G', true));
}

TEST_P(BlitTest, MissingSurfacesDrawNothing)
{
    OpenWithPalette();
    DDSURFACEDATA* canvas = Canvas(8, 3);
    DDSURFACEDATA empty;  // never created
    const RawImage before = Pixels(canvas);
    EXPECT_FALSE(DDBlt(canvas, 0, 0, 4, 2, nullptr, 0, 0, 1));
    EXPECT_FALSE(DDBlt(nullptr, 0, 0, 4, 2, canvas, 0, 0, 1));
    EXPECT_FALSE(DDStretchBlt(canvas, 0, 0, 4, 2, &empty, 0, 0, 2, 1, 1));
    EXPECT_EQ(Pixels(canvas), before);
}

INSTANTIATE_TEST_SUITE_P(Configs, BlitTest, ::testing::ValuesIn(kConfigs), ConfigName);

// The Direct3D software path at 16 bits: the full-screen back buffer (R5G6B5) receives texture
// texels (A1R5G5B5) with each channel moved to its place and green doubled; a texel is
// transparent only when both its alpha bit (15) and bit 13 are clear.
using SoftwareBlit16Test = DrawTest;

TEST_P(SoftwareBlit16Test, ConvertsTexelsForTheFullScreenBackBufferAndKeysByBits15And13)
{
    OpenWithPalette();
    DDSURFACEDATA* source = Picture({"GW.RR"}, 1, DTMEMORYTYPE_SYSTEM);
    {
        cLockSD lock(source, 16);
        ASSERT_TRUE(lock.IsLocked());
        lock.Write(3, 0, 0x2000);  // alpha clear, bit 13 set: drawn
        lock.Write(4, 0, 0x5FFF);  // alpha and bit 13 clear, every other bit set: transparent
    }
    DDSURFACEDATA* canvas = Canvas(5, 1);
    const RawImage before = Pixels(canvas);
    DDBlt(canvas, 0, 0, 5, 1, source, 0, 0, 1);
    RawImage expected = Expect({"GW---"}, before);
    expected[0][3] = 0x2000;
    EXPECT_EQ(Pixels(canvas), expected);

    DDBlt(&BackBuffer, 0, 0, 2, 1, source, 0, 0, 1);
    if (C().bWindowMode) {
        EXPECT_EQ(Pixel(&BackBuffer, 0, 0), 0x83E0u);  // A1R5G5B5 green, copied as it is
        EXPECT_EQ(Pixel(&BackBuffer, 1, 0), 0xFFFFu);
    } else {
        EXPECT_EQ(Pixel(&BackBuffer, 0, 0), 62u << 5);  // green 31 doubled
        EXPECT_EQ(Pixel(&BackBuffer, 1, 0), 31u << 11 | 62u << 5 | 31u);
    }
}

INSTANTIATE_TEST_SUITE_P(Direct3D16, SoftwareBlit16Test, ::testing::Values(kConfigs[0], kConfigs[1]), ConfigName);

}  // namespace
}  // namespace gfxtest
