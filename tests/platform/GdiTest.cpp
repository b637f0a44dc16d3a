// GDI bitmaps: BMP files as DIB sections, memory DCs, and BitBlt/StretchBlt into DirectDraw
// surface DCs with GDI's colour conversion, clipping and mirroring.
#include <gtest/gtest.h>

#include <functional>

#include "BmpBytes.h"
#include "DDrawFixture.h"
#include "ScratchFolder.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiHandles.h"
#include "platform/win/SystemInfo.h"

namespace {

class GdiTest : public DDrawFixture {
protected:
    void TearDown() override
    {
        for (HDC dc : m_dcs) DeleteDC(dc);
        for (HBITMAP b : m_bitmaps) EXPECT_TRUE(DeleteObject(b));
        m_dcs.clear();
        m_bitmaps.clear();
        DDrawFixture::TearDown();
    }

    // Writes the file into the scratch folder and loads it as a DIB section.
    HBITMAP Load(const std::string& name, const BmpSpec& spec)
    {
        ScratchFolder::Write(m_folder.Path() + "/bmp/" + name, MakeBmp(spec));
        const std::string gamePath = "bmp\\" + name;
        auto h = static_cast<HBITMAP>(
            LoadImageA(nullptr, gamePath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        if (h != nullptr) m_bitmaps.push_back(h);
        return h;
    }

    // A memory DC with the bitmap selected.
    HDC Select(HBITMAP h)
    {
        HDC dc = CreateCompatibleDC(nullptr);
        m_dcs.push_back(dc);
        EXPECT_NE(SelectObject(dc, h), nullptr);
        return dc;
    }

    // Runs draw with the surface's DC, then releases it.
    static void WithDc(IDirectDrawSurface7* s, const std::function<void(HDC)>& draw)
    {
        HDC dc = nullptr;
        ASSERT_EQ(s->GetDC(&dc), DD_OK);
        draw(dc);
        ASSERT_EQ(s->ReleaseDC(dc), DD_OK);
    }

    ScratchFolder m_folder;
    std::vector<HBITMAP> m_bitmaps;
    std::vector<HDC> m_dcs;
};

BmpSpec Indexed8(int width, int height, std::vector<std::uint32_t> table, std::vector<std::vector<std::uint32_t>> rows)
{
    BmpSpec s;
    s.width = width;
    s.height = height;
    s.bitCount = 8;
    s.table = std::move(table);
    s.rows = std::move(rows);
    return s;
}

BmpSpec True24(int width, int height, std::vector<std::vector<std::uint32_t>> rows)
{
    BmpSpec s;
    s.width = width;
    s.height = height;
    s.bitCount = 24;
    s.rows = std::move(rows);
    return s;
}

TEST_F(GdiTest, LoadsADibSectionThatKeepsTheFilesRowsAndTable)
{
    HBITMAP up = Load("up.bmp", Indexed8(3, 2, {0x000000, 0x112233, 0x445566, 0x778899}, {{1, 2, 3}, {3, 0, 1}}));
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(GetObjectA(up, 0, nullptr), static_cast<int>(sizeof(DIBSECTION)));
    BITMAP bm{};
    ASSERT_EQ(GetObjectA(up, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
    EXPECT_EQ(bm.bmWidth, 3);
    EXPECT_EQ(bm.bmHeight, 2);
    EXPECT_EQ(bm.bmWidthBytes, 4);
    EXPECT_EQ(bm.bmBitsPixel, 8);
    const BYTE* bits = static_cast<const BYTE*>(bm.bmBits);
    EXPECT_EQ(bits[0], 3);  // the bottom row is stored first
    EXPECT_EQ(bits[4], 1);

    HBITMAP down = Load("down.bmp", Indexed8(3, -2, {0x000000, 0x112233}, {{1, 0, 1}, {0, 0, 0}}));
    ASSERT_NE(down, nullptr);
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectA(down, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
    EXPECT_EQ(ds.dsBmih.biHeight, -2);
    EXPECT_EQ(ds.dsBm.bmHeight, 2);
    EXPECT_EQ(static_cast<const BYTE*>(ds.dsBm.bmBits)[0], 1);  // top row first

    ScratchFolder::Write(m_folder.Path() + "/bmp/bad.bmp", "BM not really a bitmap");
    EXPECT_EQ(LoadImageA(nullptr, "bmp\\bad.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION), nullptr);
    EXPECT_EQ(LoadImageA(nullptr, "bmp\\none.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION), nullptr);
    EXPECT_EQ(LoadImageA(nullptr, "bmp\\up.bmp", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), nullptr);
}

TEST_F(GdiTest, ColourTablesAreReadThroughAMemoryDc)
{
    HBITMAP h = Load("pal.bmp", Indexed8(2, 1, {0x102030, 0x405060, 0x708090}, {{0, 1}}));
    ASSERT_NE(h, nullptr);
    HDC dc = Select(h);
    RGBQUAD table[256];
    for (RGBQUAD& q : table) q = RGBQUAD{1, 1, 1, 1};
    ASSERT_EQ(GetDIBColorTable(dc, 0, 256, table), 256u);
    EXPECT_EQ(table[0].rgbRed, 0x10);
    EXPECT_EQ(table[0].rgbGreen, 0x20);
    EXPECT_EQ(table[0].rgbBlue, 0x30);
    EXPECT_EQ(table[2].rgbRed, 0x70);
    EXPECT_EQ(table[3].rgbRed, 0);  // a short table is padded with black
    EXPECT_EQ(table[255].rgbBlue, 0);
    EXPECT_EQ(GetDIBColorTable(dc, 250, 10, table), 6u);

    HBITMAP rgb = Load("rgb.bmp", True24(1, 1, {{0x123456}}));
    HDC rgbDc = Select(rgb);
    EXPECT_EQ(GetDIBColorTable(rgbDc, 0, 256, table), 0u);
}

TEST_F(GdiTest, ABitmapLivesInOneDcAndIsDeletedOnlyWhenFree)
{
    const size_t before = GdiLiveObjectCount();
    HBITMAP h = Load("one.bmp", True24(1, 1, {{0x123456}}));
    m_bitmaps.clear();  // deleted by hand below
    HDC a = CreateCompatibleDC(nullptr);
    HDC b = CreateCompatibleDC(nullptr);
    HGDIOBJ stock = SelectObject(a, h);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(SelectObject(b, h), nullptr);
    EXPECT_FALSE(DeleteObject(h));
    EXPECT_EQ(SelectObject(a, stock), h);
    EXPECT_TRUE(DeleteObject(h));
    EXPECT_FALSE(DeleteObject(h));  // a stale handle is refused, not followed
    EXPECT_EQ(GetObjectA(h, sizeof(BITMAP), nullptr), 0);
    EXPECT_TRUE(DeleteDC(a));
    EXPECT_TRUE(DeleteDC(b));
    EXPECT_FALSE(DeleteDC(a));
    EXPECT_LE(GdiLiveObjectCount(), before + 1);  // at most the stock bitmap made on first use
}

// Colours A = (0x88, 0x44, 0xFF), B = (0x10, 0xF0, 0xA0) and C = (0x12, 0xEE, 0xA0) reach each
// surface format by truncation (565: r >> 3, g >> 2, b >> 3); at 8 bits through the nearest entry
// of the primary's palette, where A is at 3 and 7 (the lower wins) and B at 9 (nearest for C).
struct ConversionCase {
    TestFormat format;
    DWORD a, b, c;
};
const ConversionCase kConversions[] = {
    {TestFormat::Index8, 3, 9, 9},
    {TestFormat::Rgb565, 0x8A3F, 0x1794, 0x1774},
    {TestFormat::Rgb555, 0x451F, 0x0BD4, 0x0BB4},
    {TestFormat::Xrgb32, 0x008844FF, 0x0010F0A0, 0x0012EEA0},
};

TEST_F(GdiTest, BitBltConvertsColoursIntoEachSurfaceFormat)
{
    for (const ConversionCase& c : kConversions) {
        SCOPED_TRACE(FormatName(c.format));
        OpenFullScreen(c.format);
        if (c.format == TestFormat::Index8) {
            PALETTEENTRY entries[256] = {};
            entries[3] = entries[7] = PALETTEENTRY{0x88, 0x44, 0xFF, 0};
            entries[9] = PALETTEENTRY{0x10, 0xF0, 0xA0, 0};
            IDirectDrawPalette* palette = nullptr;
            ASSERT_EQ(m_dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr), DD_OK);
            ASSERT_EQ(m_primary->SetPalette(palette), DD_OK);
            palette->Release();
        }
        HBITMAP indexed = Load("i.bmp", Indexed8(3, 1, {0x8844FF, 0x10F0A0, 0x12EEA0}, {{0, 1, 2}}));
        HBITMAP rgb = Load("t.bmp", True24(3, 1, {{0x8844FF, 0x10F0A0, 0x12EEA0}}));
        for (HBITMAP source : {indexed, rgb}) {
            IDirectDrawSurface7* s = MakeSurface(5, 1);
            ASSERT_EQ(Fill(s, 0), DD_OK);
            HDC src = Select(source);
            WithDc(s, [&](HDC dc) { EXPECT_TRUE(BitBlt(dc, 1, 0, 3, 1, src, 0, 0, SRCCOPY)); });
            EXPECT_EQ(Read(s, 5, 1), (Rows{{0, c.a, c.b, c.c, 0}}));
        }
        TearDown();
        SetUp();
    }
}

TEST_F(GdiTest, BitBltClipsToBothPictures)
{
    OpenFullScreen(TestFormat::Xrgb32);
    HDC src = Select(Load("c.bmp", True24(4, 2, {{1, 2, 3, 4}, {5, 6, 7, 8}})));
    IDirectDrawSurface7* s = MakeSurface(3, 3);
    ASSERT_EQ(Fill(s, 0), DD_OK);
    WithDc(s, [&](HDC dc) {
        EXPECT_TRUE(BitBlt(dc, -1, 2, 4, 2, src, 0, 0, SRCCOPY));  // hangs off the left and the bottom
        EXPECT_TRUE(BitBlt(dc, 0, 0, 4, 1, src, 2, 1, SRCCOPY));   // reads past the source's right edge
    });
    EXPECT_EQ(Read(s, 3, 3), (Rows{{7, 8, 0}, {0, 0, 0}, {2, 3, 4}}));
}

TEST_F(GdiTest, StretchBltMirrorsByNegativeExtentsAndSamplesNearest)
{
    OpenFullScreen(TestFormat::Xrgb32);
    HDC src = Select(Load("m.bmp", True24(6, 2, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}})));
    IDirectDrawSurface7* s = MakeSurface(6, 2);

    struct Case {
        const char* name;
        std::function<void(HDC)> draw;
        Rows expected;
    };
    const Case cases[] = {
        {"each 3-wide frame reversed in place",
         [&](HDC dc) {
             EXPECT_TRUE(StretchBlt(dc, 3, 0, -3, 2, src, 0, 0, 3, 2, SRCCOPY));
             EXPECT_TRUE(StretchBlt(dc, 6, 0, -3, 2, src, 3, 0, 3, 2, SRCCOPY));
         },
         {{3, 2, 1, 6, 5, 4}, {9, 8, 7, 12, 11, 10}}},
        {"upside down",
         [&](HDC dc) { EXPECT_TRUE(StretchBlt(dc, 0, 2, 6, -2, src, 0, 0, 6, 2, SRCCOPY)); },
         {{7, 8, 9, 10, 11, 12}, {1, 2, 3, 4, 5, 6}}},
        {"a negative source extent mirrors too",
         [&](HDC dc) { EXPECT_TRUE(StretchBlt(dc, 0, 0, 6, 1, src, 6, 0, -6, 1, SRCCOPY)); },
         {{6, 5, 4, 3, 2, 1}, {0, 0, 0, 0, 0, 0}}},
        {"2 -> 5 takes floor(k x 2 / 5): 0 0 0 1 1",
         [&](HDC dc) { EXPECT_TRUE(StretchBlt(dc, 1, 0, 5, 1, src, 2, 1, 2, 1, SRCCOPY)); },
         {{0, 9, 9, 9, 10, 10}, {0, 0, 0, 0, 0, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(Fill(s, 0), DD_OK);
        WithDc(s, c.draw);
        EXPECT_EQ(Read(s, 6, 2), c.expected);
    }
}

TEST_F(GdiTest, ASurfaceDcKeepsTheSurfaceBusyUntilReleased)
{
    OpenFullScreen(TestFormat::Rgb565);
    IDirectDrawSurface7* s = MakeSurface(4, 4);
    HDC dc = nullptr;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 16);
    HDC second = nullptr;
    EXPECT_EQ(s->GetDC(&second), DDERR_DCALREADYCREATED);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    EXPECT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(s->ReleaseDC(reinterpret_cast<HDC>(0x1234)), DDERR_NODC);
    ASSERT_EQ(s->ReleaseDC(dc), DD_OK);
    HDC src = Select(Load("x.bmp", True24(1, 1, {{0xFFFFFF}})));
    EXPECT_FALSE(BitBlt(dc, 0, 0, 1, 1, src, 0, 0, SRCCOPY));  // the released DC is gone

    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), GetSystemFacts().desktopBitsPerPixel);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
}

}  // namespace
