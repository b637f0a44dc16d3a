// Surfaces of the DirectDraw stand-in: blits with and without source keys at every depth,
// stretching, refused rectangles, fills, pitch, locks, loss and restore.
#include <gtest/gtest.h>

#include <ostream>

#include "DDrawFixture.h"

namespace {

// Raw values per format: the key, two ordinary colours, a background, and a pixel that equals
// the key in its colour bits (32 bits: a different fourth byte) and must be keyed out too.
struct FormatValues {
    TestFormat format;
    DWORD key, a, b, background, keyVariant;
};

const FormatValues kFormats[] = {
    {TestFormat::Index8, 5, 1, 200, 9, 5},
    {TestFormat::Rgb565, 0xF81F, 0x07E0, 0x001F, 0x1234, 0xF81F},
    {TestFormat::Rgb555, 0x7C1F, 0x03E0, 0x001F, 0x1234, 0x7C1F},
    {TestFormat::Xrgb32, 0x00FF00FF, 0x0000FF00, 0x00123456, 0x00ABCDEF, 0xFFFF00FF},
};

// Test names show the format, not the bytes of the case.
void PrintTo(const FormatValues& v, std::ostream* os)
{
    *os << FormatName(v.format);
}

class DirectDrawSurfaceTest : public DDrawFixture, public ::testing::WithParamInterface<FormatValues> {};

INSTANTIATE_TEST_SUITE_P(Formats, DirectDrawSurfaceTest, ::testing::ValuesIn(kFormats),
                         [](const ::testing::TestParamInfo<FormatValues>& info) {
                             switch (info.param.format) {
                             case TestFormat::Index8: return std::string("Index8");
                             case TestFormat::Rgb565: return std::string("Rgb565");
                             case TestFormat::Rgb555: return std::string("Rgb555");
                             case TestFormat::Xrgb32: return std::string("Xrgb32");
                             }
                             return std::string("Unknown");
                         });

TEST_P(DirectDrawSurfaceTest, CopiesOneToOneWithAndWithoutTheSourceKey)
{
    const FormatValues v = GetParam();
    OpenFullScreen(v.format);
    IDirectDrawSurface7* src = MakeSurface(4, 2);
    Write(src, {{v.key, v.a, v.keyVariant, v.b}, {v.b, v.key, v.a, v.a}});
    ASSERT_EQ(SetKey(src, v.key), DD_OK);
    const DWORD g = v.background;

    struct Case {
        const char* name;
        bool keyed;
        bool fast;
        Rows expected;
    };
    const Case cases[] = {
        {"BltFast keyed",
         true,
         true,
         {{g, g, g, g, g, g}, {g, g, v.a, g, v.b, g}, {g, v.b, g, v.a, v.a, g}, {g, g, g, g, g, g}}},
        {"BltFast opaque",
         false,
         true,
         {{g, g, g, g, g, g}, {g, v.key, v.a, v.keyVariant, v.b, g}, {g, v.b, v.key, v.a, v.a, g}, {g, g, g, g, g, g}}},
        {"Blt keyed",
         true,
         false,
         {{g, g, g, g, g, g}, {g, g, v.a, g, v.b, g}, {g, v.b, g, v.a, v.a, g}, {g, g, g, g, g, g}}},
        {"Blt opaque",
         false,
         false,
         {{g, g, g, g, g, g}, {g, v.key, v.a, v.keyVariant, v.b, g}, {g, v.b, v.key, v.a, v.a, g}, {g, g, g, g, g, g}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IDirectDrawSurface7* dst = MakeSurface(6, 4);
        ASSERT_EQ(Fill(dst, g), DD_OK);
        if (c.fast) {
            ASSERT_EQ(dst->BltFast(1, 1, src, nullptr,
                                   DDBLTFAST_WAIT | (c.keyed ? DDBLTFAST_SRCCOLORKEY : DDBLTFAST_NOCOLORKEY)),
                      DD_OK);
        } else {
            RECT to{1, 1, 5, 3};
            ASSERT_EQ(dst->Blt(&to, src, nullptr, DDBLT_WAIT | (c.keyed ? DDBLT_KEYSRC : 0), nullptr), DD_OK);
        }
        EXPECT_EQ(Read(dst, 6, 4), c.expected);
    }
}

TEST_P(DirectDrawSurfaceTest, StretchesByNearestNeighbour)
{
    const FormatValues v = GetParam();
    OpenFullScreen(v.format);
    // Enlarging 3 x 2 to 7 x 5: column i takes floor(i x 3 / 7) = 0 0 0 1 1 2 2, row j takes
    // floor(j x 2 / 5) = 0 0 0 1 1.
    IDirectDrawSurface7* small = MakeSurface(3, 2);
    Write(small, {{1, 2, 3}, {4, 5, 6}});
    IDirectDrawSurface7* big = MakeSurface(7, 5);
    RECT to{0, 0, 7, 5};
    ASSERT_EQ(big->Blt(&to, small, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    const Rows expectedBig = {{1, 1, 1, 2, 2, 3, 3},
                              {1, 1, 1, 2, 2, 3, 3},
                              {1, 1, 1, 2, 2, 3, 3},
                              {4, 4, 4, 5, 5, 6, 6},
                              {4, 4, 4, 5, 5, 6, 6}};
    EXPECT_EQ(Read(big, 7, 5), expectedBig);

    // Shrinking 4 x 4 to 2 x 2 takes columns and rows 0 and 2; the keyed pixel keeps the target.
    IDirectDrawSurface7* four = MakeSurface(4, 4);
    Write(four, {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, v.key, 11, 12}, {13, 14, 15, 16}});
    ASSERT_EQ(SetKey(four, v.key), DD_OK);
    IDirectDrawSurface7* two = MakeSurface(2, 2);
    ASSERT_EQ(Fill(two, v.background), DD_OK);
    RECT half{0, 0, 2, 2};
    ASSERT_EQ(two->Blt(&half, four, nullptr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr), DD_OK);
    EXPECT_EQ(Read(two, 2, 2), (Rows{{1, 3}, {9, 11}}));

    // A source rectangle inside the picture: columns 1..2 of row 1 stretched to 4 x 1.
    RECT from{1, 1, 3, 2};
    RECT wide{0, 0, 4, 1};
    IDirectDrawSurface7* line = MakeSurface(4, 1);
    ASSERT_EQ(line->Blt(&wide, four, &from, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Read(line, 4, 1), (Rows{{6, 6, 7, 7}}));
}

TEST_P(DirectDrawSurfaceTest, FillsWithTheRawValue)
{
    const FormatValues v = GetParam();
    OpenFullScreen(v.format);
    IDirectDrawSurface7* s = MakeSurface(4, 3);
    ASSERT_EQ(Fill(s, v.background), DD_OK);
    RECT r{1, 1, 3, 2};
    ASSERT_EQ(Fill(s, v.keyVariant, &r), DD_OK);
    const DWORD g = v.background;
    EXPECT_EQ(Read(s, 4, 3), (Rows{{g, g, g, g}, {g, v.keyVariant, v.keyVariant, g}, {g, g, g, g}}));
}

TEST_P(DirectDrawSurfaceTest, RowsArePitchApartAndPitchIsWiderThanTheRow)
{
    const FormatValues v = GetParam();
    OpenFullScreen(v.format);
    IDirectDrawSurface7* s = MakeSurface(5, 3);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(s->GetSurfaceDesc(&desc), DD_OK);
    const LONG rowBytes = 5 * BitsOf(v.format) / 8;
    EXPECT_GT(desc.lPitch, rowBytes);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, static_cast<DWORD>(BitsOf(v.format)));

    // A locked rectangle starts at top x pitch + left x bytes of the surface.
    ASSERT_EQ(Fill(s, 0), DD_OK);
    RECT part{2, 1, 4, 3};
    DDSURFACEDESC2 locked{};
    locked.dwSize = sizeof(locked);
    ASSERT_EQ(s->Lock(&part, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(locked.lPitch, desc.lPitch);
    std::memcpy(locked.lpSurface, &v.a, static_cast<size_t>(BitsOf(v.format) / 8));
    std::memcpy(static_cast<BYTE*>(locked.lpSurface) + locked.lPitch, &v.b, static_cast<size_t>(BitsOf(v.format) / 8));
    ASSERT_EQ(s->Unlock(&part), DD_OK);
    EXPECT_EQ(Read(s, 5, 3), (Rows{{0, 0, 0, 0, 0}, {0, 0, v.a, 0, 0}, {0, 0, v.b, 0, 0}}));
    EXPECT_EQ(DDrawPeekPixel(s, 2, 2), v.b);
}

// The rectangle rules, at 32 bits: a refused call draws nothing.
class DirectDrawRectTest : public DDrawFixture {};

TEST_F(DirectDrawRectTest, RefusesRectanglesOutsideInvertedOrEmpty)
{
    OpenFullScreen(TestFormat::Xrgb32);
    IDirectDrawSurface7* src = MakeSurface(4, 2);
    Write(src, {{1, 2, 3, 4}, {5, 6, 7, 8}});
    IDirectDrawSurface7* dst = MakeSurface(8, 4);

    struct Case {
        const char* name;
        RECT dst;
        bool useSrcRect;
        RECT src;
    };
    const Case blts[] = {
        {"destination left of the surface", {-1, 0, 3, 2}, false, {}},
        {"destination past the right edge", {5, 0, 9, 2}, false, {}},
        {"destination past the bottom", {0, 3, 4, 5}, false, {}},
        {"inverted destination", {3, 0, 1, 2}, false, {}},
        {"empty destination", {2, 0, 2, 2}, false, {}},
        {"inverted (mirrored) source", {0, 0, 2, 2}, true, {2, 0, 0, 2}},
        {"source past its surface", {0, 0, 5, 2}, true, {0, 0, 5, 2}},
        {"source above its surface", {0, 0, 4, 2}, true, {0, -1, 4, 1}},
        {"empty source", {0, 0, 4, 2}, true, {1, 0, 1, 2}},
    };
    for (const Case& c : blts) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(Fill(dst, 0x99), DD_OK);
        RECT d = c.dst;
        RECT s = c.src;
        EXPECT_EQ(dst->Blt(&d, src, c.useSrcRect ? &s : nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);
        EXPECT_EQ(Read(dst, 8, 4), Rows(4, std::vector<DWORD>(8, 0x99)));
    }

    struct FastCase {
        const char* name;
        DWORD x, y;
        bool useSrcRect;
        RECT src;
    };
    const FastCase fasts[] = {
        {"past the right edge", 5, 0, false, {}},
        {"past the bottom", 0, 3, false, {}},
        {"negative x", static_cast<DWORD>(-1), 0, false, {}},
        {"source past its surface", 0, 0, true, {2, 0, 6, 2}},
        {"inverted source", 0, 0, true, {3, 0, 1, 2}},
    };
    for (const FastCase& c : fasts) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(Fill(dst, 0x99), DD_OK);
        RECT s = c.src;
        EXPECT_EQ(dst->BltFast(c.x, c.y, src, c.useSrcRect ? &s : nullptr, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
        EXPECT_EQ(Read(dst, 8, 4), Rows(4, std::vector<DWORD>(8, 0x99)));
    }

    RECT outside{6, 2, 9, 4};
    EXPECT_EQ(Fill(dst, 0x11, &outside), DDERR_INVALIDRECT);
    EXPECT_EQ(Read(dst, 8, 4), Rows(4, std::vector<DWORD>(8, 0x99)));
}

TEST_F(DirectDrawRectTest, AClipperClipsTheDestinationAndTheSourceFollows)
{
    OpenFullScreen(TestFormat::Xrgb32);
    IDirectDrawSurface7* src = MakeSurface(4, 1);
    Write(src, {{1, 2, 3, 4}});
    IDirectDrawSurface7* dst = MakeSurface(4, 1);
    ASSERT_EQ(Fill(dst, 0), DD_OK);
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(m_dd->CreateClipper(0, &clipper, nullptr), DD_OK);
    ASSERT_EQ(dst->SetClipper(clipper), DD_OK);
    clipper->Release();  // the surface keeps it

    RECT hangingLeft{-2, 0, 2, 1};
    ASSERT_EQ(dst->Blt(&hangingLeft, src, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Read(dst, 4, 1), (Rows{{3, 4, 0, 0}}));
    // Stretched 4 -> 8 at x = -4: destination column i takes source floor(i / 2), so the visible
    // columns 4..7 show source columns 2 2 3 3.
    RECT stretched{-4, 0, 4, 1};
    ASSERT_EQ(dst->Blt(&stretched, src, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Read(dst, 4, 1), (Rows{{3, 3, 4, 4}}));
}

TEST_F(DirectDrawRectTest, ABlitOntoItselfReadsTheSourceAsItWas)
{
    OpenFullScreen(TestFormat::Rgb565);
    IDirectDrawSurface7* s = MakeSurface(5, 1);
    Write(s, {{1, 2, 3, 4, 5}});
    RECT first4{0, 0, 4, 1};
    ASSERT_EQ(s->BltFast(1, 0, s, &first4, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(Read(s, 5, 1), (Rows{{1, 1, 2, 3, 4}}));
}

class DirectDrawLockTest : public DDrawFixture {};

TEST_F(DirectDrawLockTest, ALockedSurfaceIsBusyUntilUnlocked)
{
    OpenFullScreen(TestFormat::Xrgb32);
    IDirectDrawSurface7* s = MakeSurface(4, 4);
    IDirectDrawSurface7* other = MakeSurface(4, 4);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    DDSURFACEDESC2 again{};
    again.dwSize = sizeof(again);
    EXPECT_EQ(s->Lock(nullptr, &again, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(other->BltFast(0, 0, s, nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
    HDC dc = nullptr;
    EXPECT_EQ(s->GetDC(&dc), DDERR_SURFACEBUSY);
    EXPECT_EQ(s->Unlock(nullptr), DD_OK);
    EXPECT_EQ(s->Unlock(nullptr), DDERR_NOTLOCKED);
    EXPECT_EQ(other->BltFast(0, 0, s, nullptr, DDBLTFAST_WAIT), DD_OK);

    DDSURFACEDESC2 wrongSize{};
    wrongSize.dwSize = 100;
    EXPECT_EQ(s->Lock(nullptr, &wrongSize, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
    RECT outside{2, 2, 5, 3};
    EXPECT_EQ(s->Lock(&outside, &desc, DDLOCK_WAIT, nullptr), DDERR_INVALIDRECT);
}

TEST_F(DirectDrawLockTest, LostSurfacesRefuseWorkUntilRestored)
{
    OpenFullScreen(TestFormat::Rgb565);
    IDirectDrawSurface7* s = MakeSurface(3, 2);
    IDirectDrawSurface7* other = MakeSurface(3, 2);
    Write(s, {{1, 2, 3}, {4, 5, 6}});
    EXPECT_EQ(s->IsLost(), DD_OK);
    DDrawLoseAllSurfaces();
    EXPECT_EQ(s->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(m_primary->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(m_back->IsLost(), DDERR_SURFACELOST);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    EXPECT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(other->Restore(), DD_OK);
    EXPECT_EQ(other->BltFast(0, 0, s, nullptr, DDBLTFAST_WAIT), DDERR_SURFACELOST);
    EXPECT_EQ(Fill(s, 7), DDERR_SURFACELOST);
    HDC dc = nullptr;
    EXPECT_EQ(s->GetDC(&dc), DDERR_SURFACELOST);
    EXPECT_EQ(m_primary->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACELOST);

    DDrawSetFault(DDrawFault::Restore, true);
    EXPECT_EQ(s->Restore(), DDERR_GENERIC);
    DDrawSetFault(DDrawFault::Restore, false);
    EXPECT_EQ(s->Restore(), DD_OK);
    EXPECT_EQ(s->IsLost(), DD_OK);
    EXPECT_EQ(Read(s, 3, 2), (Rows{{0xA5A5, 0xA5A5, 0xA5A5}, {0xA5A5, 0xA5A5, 0xA5A5}}));
    // Restoring the primary brings its back buffer back too.
    EXPECT_EQ(m_primary->Restore(), DD_OK);
    EXPECT_EQ(m_back->IsLost(), DD_OK);
}

}  // namespace
