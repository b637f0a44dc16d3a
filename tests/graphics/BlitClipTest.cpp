// DDClipBltRect: the rectangles a blit is left with, with the numbers of the blits the engine's
// callers make (a sprite half off the screen, a stretched picture, a source starting outside its
// picture, which is cut to the picture without moving the target), on Direct3D (the target of a stretched blit is left
// to the rasteriser) and DirectDraw.
#include "DrawTestSupport.h"
#include "graphics/Blit.h"

namespace gfxtest {
namespace {

struct Rects {
    int x, y, nWidth, nHeight, sx, sy, nSrcWidth, nSrcHeight;
    bool operator==(const Rects&) const = default;
};

void PrintTo(const Rects& r, std::ostream* os)
{
    *os << "{" << r.x << "," << r.y << " " << r.nWidth << "x" << r.nHeight << " from " << r.sx << "," << r.sy << " "
        << r.nSrcWidth << "x" << r.nSrcHeight << "}";
}

constexpr Rects kNothing{0, 0, 0, 0, 0, 0, 0, 0};

// Blits onto the 640 x 480 back buffer from a 700 x 64 picture. kNothing: nothing left to draw.
struct ClipCase {
    const char* name;
    Rects given;
    Rects direct3D;
    Rects directDraw;
};

const ClipCase kClipCases[] = {
    {"a 32-pixel sprite at x -10 shows its columns 10..31 at 0",
     {-10, 5, 32, 32, 0, 0, 32, 32},
     {0, 5, 22, 32, 10, 0, 22, 32},
     {0, 5, 22, 32, 10, 0, 22, 32}},
    {"a source starting at column -4 is cut to 0 without moving the target",
     {100, 5, 32, 32, -4, 0, 32, 32},
     {100, 5, 28, 32, 0, 0, 28, 32},
     {100, 5, 28, 32, 0, 0, 28, 32}},
    {"a source starting at row -3 is cut to 0 without moving the target",
     {2, 20, 16, 32, 0, -3, 16, 32},
     {2, 20, 16, 29, 0, 0, 16, 29},
     {2, 20, 16, 29, 0, 0, 16, 29}},
    {"out on both sides of the target",
     {-10, 470, 700, 20, 0, 0, 700, 20},
     {0, 470, 640, 10, 10, 0, 640, 10},
     {0, 470, 640, 10, 10, 0, 640, 10}},
    {"stretched 64 to 128 at x -32",
     {-32, 0, 128, 64, 0, 0, 64, 32},
     {-32, 0, 128, 64, 0, 0, 64, 32},
     {0, 0, 96, 64, 16, 0, 48, 32}},
    {"stretched beyond the right edge",
     {600, 0, 128, 64, 0, 0, 64, 32},
     {600, 0, 128, 64, 0, 0, 64, 32},
     {600, 0, 40, 64, 0, 0, 20, 32}},
    {"stretched from a source starting at -8: the target shrinks in proportion where it stands",
     {0, 0, 128, 64, -8, 0, 64, 32},
     {0, 0, 112, 64, 0, 0, 56, 32},
     {0, 0, 112, 64, 0, 0, 56, 32}},
    {"mirrored from beyond the source's right edge (Direct3D only)",
     {0, 0, 64, 32, 704, 0, -8, 32},
     {0, 0, 32, 32, 700, 0, -4, 32},
     kNothing},
    {"mirrored (Direct3D only)", {0, 0, 32, 32, 32, 0, -32, 32}, {0, 0, 32, 32, 32, 0, -32, 32}, kNothing},
    {"right of the target", {640, 0, 32, 32, 0, 0, 32, 32}, kNothing, kNothing},
    {"empty source", {0, 0, 32, 32, 0, 0, 0, 32}, kNothing, kNothing},
};

using BlitClipTest = DrawTest;

TEST_P(BlitClipTest, LeavesTheRectanglesThatStayInsideBothPictures)
{
    ASSERT_TRUE(Open(C()));
    DDSURFACEDATA* source = NewRecord();
    ASSERT_TRUE(DDCreateSurface(source, 700, 64, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    for (const ClipCase& t : kClipCases) {
        SCOPED_TRACE(t.name);
        Rects r = t.given;
        const BOOL bLeft = DDClipBltRect(&BackBuffer, &r.x, &r.y, &r.nWidth, &r.nHeight, source, &r.sx, &r.sy,
                                         &r.nSrcWidth, &r.nSrcHeight);
        const Rects& expected = D3D() ? t.direct3D : t.directDraw;
        EXPECT_EQ(bLeft != FALSE, !(expected == kNothing));
        if (bLeft) {
            EXPECT_EQ(r, expected);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BackEnds, BlitClipTest, ::testing::Values(kConfigs[2], kConfigs[5]), ConfigName);

}  // namespace
}  // namespace gfxtest
