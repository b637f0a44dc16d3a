// The built-in surface catalogue loaded from bitmaps written by the test, mirrored frames, missing
// and unusable pictures, texture sizes, and the screens' own surface vectors and lists.
#include <algorithm>

#include "GraphicsTestSupport.h"
#include "graphics/LockSD.h"

namespace gfxtest {
namespace {

struct Picture {
    const char* path;  // UTF-8 game path
    int width;
    int height;
};

// Every bitmap of the catalogue, small.
const Picture kPictures[] = {
    {"bmp\\Debug.bmp", 128, 64},    {"bmp\\Block.bmp", 64, 32},         {"bmp\\Shot.bmp", 48, 16},
    {"bmp\\Item.bmp", 32, 32},      {"bmp\\Item_Mini.bmp", 16, 16},     {"bmp\\Mark.bmp", 32, 16},
    {"bmp\\Window.bmp", 64, 64},    {"bmp\\StatusWindow.bmp", 64, 32},  {"bmp\\Title.bmp", 640, 480},
    {"bmp\\GameMode.bmp", 32, 32},  {"bmp\\Accessory.bmp", 32, 32},     {"bmp\\Symbol.bmp", 32, 32},
    {"bmp\\Word.bmp", 32, 32},      {"bmp\\WorldMapChip.bmp", 160, 32}, {"bmp\\WorldEvent.bmp", 64, 64},
    {"bmp\\WorldBack.bmp", 64, 48},
};
constexpr int kCharacterWidth = 100;  // three whole frames of 32 and 4 columns more
constexpr int kCharacterHeight = 40;

// Columns coloured red, green, blue, white, yellow in turn (palette indices 1..5).
std::uint32_t StripeIndex(int x, int)
{
    return 1u + static_cast<std::uint32_t>(x % 5);
}

DWORD ReadPixel(DDSURFACEDATA* lpSD, int x, int y)
{
    cLockSD lock(lpSD, nScreenBpp);
    EXPECT_TRUE(lock.IsLocked());
    return lock.IsLocked() ? lock.Read(x, y) : 0xDEADBEEF;
}

class CatalogueTest : public GraphicsMatrixTest {
protected:
    void WriteCatalogue()
    {
        for (const Picture& p : kPictures) Write(p.path, Bmp8(p.width, p.height, StripeIndex));
        for (int n = 1; n <= 8; ++n) {
            Write("bmp\\Character" + std::to_string(n) + ".bmp", Bmp8(kCharacterWidth, kCharacterHeight, StripeIndex));
            Write("背景その" + std::to_string(n) + ".bmp", Bmp8(64, 48, StripeIndex));
        }
    }
    // Opens the back-end as the start-up does (shared slots linked under Direct3D).
    void OpenConfig()
    {
        ASSERT_TRUE(Open(GetParam()));
        LinkSharedSurfaces();
    }
    BOOL Load(std::initializer_list<int> slots)
    {
        const std::vector<int> list(slots);
        return DDLoadSurfaces(SDTable, list.data(), static_cast<int>(list.size()));
    }
};

TEST_P(CatalogueTest, LoadsAllSeventyBuiltInSurfaces)
{
    const Config& c = GetParam();
    WriteCatalogue();
    OpenConfig();
    std::vector<int> slots;
    for (int slot = 1; slot < kBuiltInSurfaceCount; ++slot) slots.push_back(slot);
    ASSERT_TRUE(DDLoadSurfaces(SDTable, slots.data(), static_cast<int>(slots.size())));
    EXPECT_TRUE(RecordedMessageBoxes().empty());

    int shares = 0;
    for (int slot = 1; slot < kBuiltInSurfaceCount; ++slot) {
        SCOPED_TRACE(slot);
        const DDSURFACEDATA& sd = SDTable[slot];
        const DDSURFACEINFO& info = SDInfoTable[slot];
        if (DDIsEmptyFileName(info.szFileName)) {
            EXPECT_EQ(sd.nWidth, info.nWidth);
            EXPECT_EQ(sd.nHeight, info.nHeight);
        } else {
            EXPECT_EQ(sd.szFileName, info.szFileName);
        }
        if (!c.bDirect3D) {
            ASSERT_TRUE(sd.lpDDS);
            EXPECT_NE(sd.lpDDS->lpDDSurface, nullptr);
            EXPECT_EQ(sd.bSystemMemory, info.bSystemMemory);
            continue;
        }
        ASSERT_TRUE(sd.lpDT);
        const int partner = SharedSlotOf(slot);
        if (partner >= 0) {
            ++shares;
            EXPECT_EQ(sd.lpShareSD, &SDTable[partner]);
            EXPECT_EQ(sd.lpDT->lpTexture, nullptr);
        } else {
            EXPECT_NE(sd.lpDT->lpTexture, nullptr);
        }
    }
    if (c.bDirect3D) {
        EXPECT_EQ(shares, 31);
        // The 39 slots with textures of their own and the two screen textures.
        EXPECT_EQ(DTSurfaceList.size(), 41u);
        EXPECT_EQ(SDTable[70].lpDT->nMemoryType, DTMEMORYTYPE_SYSTEM);
        EXPECT_EQ(SDTable[69].lpDT->nMemoryType, DTMEMORYTYPE_VIDEO_RT);
        EXPECT_TRUE(SDTable[69].lpDT->bRenderTarget);
    }
    EXPECT_EQ(SDTable[4].nWidth, kCharacterWidth);
    EXPECT_EQ(SDTable[47].nHeight, 480);
    for (int slot = 1; slot < kBuiltInSurfaceCount; ++slot) DDReleaseSurface(&SDTable[slot]);
    EXPECT_EQ(DTSurfaceList.size(), c.bDirect3D ? 2u : 0u);
}

TEST_P(CatalogueTest, AMirroredPictureHasEachWholeFrameReversedInPlace)
{
    const Config& c = GetParam();
    WriteCatalogue();
    OpenConfig();
    DDSURFACEDATA* lpSD = &SDTable[5];
    DDSURFACEDATA own;
    if (c.bDirect3D) {
        // The mirrored slot draws from slot 4's texture; a record of its own builds the frames.
        ASSERT_TRUE(Load({5}));
        EXPECT_EQ(SDTable[5].lpDT->lpTexture, nullptr);
        EXPECT_EQ(SDTable[5].nMirrorW, 32);
        ASSERT_EQ(
            DDCreateSurfaceFromFile(&own, "bmp\\Character1.bmp", 1, c.nBpp, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0, 32, 0, 0),
            DDSURFACE_OK);
        lpSD = &own;
    } else {
        ASSERT_TRUE(Load({5}));
    }
    const auto table = TestPaletteColours();
    for (int x = 0; x < kCharacterWidth; ++x) {
        SCOPED_TRACE(x);
        int source = x;
        if (x < 96) source = (x / 32) * 32 + 31 - x % 32;
        const std::uint32_t index = StripeIndex(source, 0);
        // The columns of the incomplete last frame: as loaded (Direct3D) or left as the new
        // surface was filled, with palette number 0 (DirectDraw; palette entry 0 is black here).
        const DWORD expected = (x >= 96 && !c.bDirect3D) ? 0u : LoadedRaw(c, table[index], index);
        EXPECT_EQ(ReadPixel(lpSD, x, 7), expected);
    }
}

TEST_P(CatalogueTest, AMissingOptionalPictureLeavesItsSlotEmptyAndAMissingOneFailsWithABox)
{
    WriteCatalogue();
    Remove("bmp\\Character2.bmp");
    Remove("bmp\\Block.bmp");
    OpenConfig();
    EXPECT_TRUE(Load({6, 7, 24}));
    EXPECT_FALSE(SDTable[6].lpDT || SDTable[6].lpDDS);
    EXPECT_TRUE(RecordedMessageBoxes().empty());
    EXPECT_FALSE(Load({1, 2, 4}));
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(RecordedMessageBoxes()[0].text, Sjis("bmp\\Block.bmp の読み込みに失敗！"));
    EXPECT_EQ(RecordedMessageBoxes()[0].caption, Sjis("エラー"));
    EXPECT_TRUE(SDTable[1].lpDT || SDTable[1].lpDDS);   // loaded before the failure
    EXPECT_FALSE(SDTable[4].lpDT || SDTable[4].lpDDS);  // not reached
}

TEST_P(CatalogueTest, APictureThatCannotBecomeASurfaceFailsItsLoad)
{
    const Config& c = GetParam();
    WriteCatalogue();
    // A valid bitmap far wider than any texture or surface can be.
    BmpSpec wide;
    wide.width = 20000;
    wide.height = 1;
    wide.bitCount = 1;
    wide.table = {0x000000, 0xFFFFFF};
    wide.rows = {std::vector<std::uint32_t>(20000, 1)};
    Write("bmp\\Block.bmp", MakeBmp(wide));
    OpenConfig();
    EXPECT_FALSE(Load({2}));
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(RecordedMessageBoxes()[0].text, Sjis("bmp\\Block.bmp の読み込みに失敗！"));
    if (c.bDirect3D) {
        EXPECT_TRUE(ReportHas(Sjis("テクスチャの作成に失敗。(bmp\\Block.bmp)")));
        EXPECT_TRUE(ReportHas(Sjis("このビデオカードでは横幅4096を超える画像はサポートされていません！")));
    }
    // An optional picture that cannot be made is left empty without a box.
    Write("bmp\\GameMode.bmp", MakeBmp(wide));
    EXPECT_TRUE(Load({48}));
    EXPECT_EQ(RecordedMessageBoxes().size(), 1u);
}

TEST_P(CatalogueTest, TextureSizesFollowTheDevicesRules)
{
    const Config& c = GetParam();
    const struct {
        DWORD caps;
        int texW, texH;    // of the 640 x 480 title picture
        int workW, workH;  // of the 256 x 960 work surface
    } cases[] = {
        {0, 640, 480, 256, 960},
        {D3DPTEXTURECAPS_POW2, 1024, 512, 256, 1024},
        {D3DPTEXTURECAPS_POW2 | D3DPTEXTURECAPS_SQUAREONLY, 1024, 1024, 1024, 1024},
    };
    WriteCatalogue();
    for (const auto& k : cases) {
        SCOPED_TRACE(k.caps);
        D3D9Config().caps.TextureCaps = k.caps;
        OpenConfig();
        ASSERT_TRUE(Load({47, 63}));
        EXPECT_EQ(SDTable[47].nWidth, 640);
        EXPECT_EQ(SDTable[47].nHeight, 480);
        EXPECT_EQ(SDTable[47].nTexWidth, c.bDirect3D ? k.texW : 640);
        EXPECT_EQ(SDTable[47].nTexHeight, c.bDirect3D ? k.texH : 480);
        EXPECT_EQ(SDTable[63].nTexWidth, c.bDirect3D ? k.workW : 256);
        EXPECT_EQ(SDTable[63].nTexHeight, c.bDirect3D ? k.workH : 960);
        DDRelease();
    }
}

TEST_P(CatalogueTest, ANewEmptySurfaceHoldsTheTransparentColour)
{
    const Config& c = GetParam();
    Write("bmp\\plt\\Palette.bmp", PaletteBmp());
    ASSERT_TRUE(Open(c));
    ASSERT_TRUE(DDLoadPaletteFromFile(Palette, "bmp\\plt\\Palette.bmp", c.nBpp));
    ASSERT_TRUE(SetTrans("bmp\\plt\\Palette.bmp"));
    ASSERT_TRUE(Load({66, 67}));  // 66 is not colour-keyed, 67 is
    const DWORD magenta = LoadedRaw(c, kMagenta, 0);
    if (c.bDirect3D) {
        // Opaque transparent colour without a key; transparent texels with one. At 16 bits the
        // colour is built from the channel values 31, 0, 31 taken as bytes (0xFF1F001F), which
        // the 16-bit texel keeps as 3, 0, 3.
        EXPECT_EQ(ReadPixel(&SDTable[66], 3, 3), c.nBpp == 16 ? 0x8000u | 3u << 10 | 3u : magenta);
        EXPECT_EQ(ReadPixel(&SDTable[67], 3, 3), 0u);
    } else {
        // Filled with palette number 0, the colour the key removes.
        EXPECT_EQ(ReadPixel(&SDTable[66], 3, 3), magenta);
        EXPECT_EQ(ReadPixel(&SDTable[67], 3, 3), dwColorKey);
        EXPECT_EQ(dwColorKey, magenta);
    }
}

TEST_P(CatalogueTest, ScreensOwnSurfacesNeverMoveWhileMoreAreAdded)
{
    const Config& c = GetParam();
    ASSERT_TRUE(Open(c));
    const std::size_t listed = DTSurfaceList.size();
    DDSurfaceVec vec;
    DDSurfaceInfoVec infos;
    ASSERT_TRUE(DDAddSurfaceVec(vec, infos, 8, 8, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0));
    DDSURFACEDATA* first = &vec[0];
    for (int i = 1; i < 100; ++i) ASSERT_TRUE(DDAddSurfaceVec(vec, infos, 8 + i, 8, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0));
    EXPECT_EQ(&vec[0], first);
    EXPECT_EQ(first->nWidth, 8);
    EXPECT_EQ(vec[99].nWidth, 107);
    EXPECT_EQ(infos.size(), 100u);
    EXPECT_TRUE(DDIsEmptyFileName(infos[0].szFileName));
    if (c.bDirect3D) {
        EXPECT_EQ(DTSurfaceList.size(), listed + 100);
        EXPECT_NE(std::find(DTSurfaceList.begin(), DTSurfaceList.end(), first), DTSurfaceList.end());
    }
    // A bad index is reported and closes the program in order; the access goes on with element 0.
    EXPECT_EQ(&vec[100], first);
    EXPECT_EQ(TakePosted(WM_CLOSE), 1);
    DDReleaseSurfaceVec(vec);
    EXPECT_EQ(DTSurfaceList.size(), listed);

    DDSurfaceList list;
    DDSurfaceInfoList listInfos;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(DDAddSurfaceList(list, listInfos, 16 + i, 16, 0, 1, DTMEMORYTYPE_SYSTEM, 0));
    DDSURFACEDATA* middle = &list[1];
    DDSURFACEDATA stranger;
    EXPECT_FALSE(DDRemoveSurfaceList(list, listInfos, &stranger));
    EXPECT_TRUE(DDRemoveSurfaceList(list, listInfos, middle));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(listInfos.size(), 2u);
    EXPECT_EQ(list[0].nWidth, 16);
    EXPECT_EQ(list[1].nWidth, 18);
    EXPECT_EQ(DTSurfaceList.size(), c.bDirect3D ? listed + 2 : 0u);
    DDReleaseSurfaceList(list);
    EXPECT_EQ(DTSurfaceList.size(), listed);
}

TEST_P(CatalogueTest, BitmapSizeCheckTellsDirectDrawWhetherAPictureIsLargerThanTheScreen)
{
    const Config& c = GetParam();
    Write("big.bmp", Bmp8(641, 10, StripeIndex));
    Write("fits.bmp", Bmp8(640, 480, StripeIndex));
    ASSERT_TRUE(Open(c));
    int bOver = 7;
    EXPECT_TRUE(DDCheckBitmapSize(&bOver, "big.bmp", 640, 480));
    EXPECT_EQ(bOver, c.bDirect3D ? 7 : 1);
    EXPECT_TRUE(DDCheckBitmapSize(&bOver, "fits.bmp", 640, 480));
    EXPECT_EQ(bOver, c.bDirect3D ? 7 : 0);
    bOver = 7;
    EXPECT_EQ(DDCheckBitmapSize(&bOver, "missing.bmp", 640, 480), c.bDirect3D ? TRUE : FALSE);
    EXPECT_EQ(bOver, c.bDirect3D ? 7 : 0);
}

INSTANTIATE_TEST_SUITE_P(Matrix, CatalogueTest, ::testing::ValuesIn(kConfigs), ConfigName);

using SixteenBitLoadTest = GraphicsTest;

TEST_F(SixteenBitLoadTest, ATrueColourPixelThatWouldTurnIntoTheKeyIsMovedOffIt)
{
    Write("bmp\\plt\\Palette.bmp", PaletteBmp());
    Write("colours.bmp", Bmp24(4, 1, [](int x, int) {
              const std::uint32_t colours[] = {0xFF00FF, 0xFF03FF, 0xFFFFFF, 0x646464};
              return colours[x];
          }));
    ASSERT_TRUE(Open(kConfigs[4]));  // DirectDraw 16 bits (R5G6B5)
    ASSERT_TRUE(SetTrans("bmp\\plt\\Palette.bmp"));
    EXPECT_EQ(dwColorKey, 0xF81Fu);
    DDSURFACEDATA sd;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sd, "colours.bmp", 1, 16, 0, 0, 0, 0, 0, 0, 0), DDSURFACE_OK);
    EXPECT_EQ(ReadPixel(&sd, 0, 0), 0xF81Fu);  // the transparent colour is the key
    EXPECT_EQ(ReadPixel(&sd, 1, 0), 0xF81Eu);  // converts to the key, blue at its maximum: minus one
    EXPECT_EQ(ReadPixel(&sd, 2, 0), 0xFFFFu);
    // 100 x 31 / 255 = 12, 100 x 63 / 255 = 24.
    EXPECT_EQ(ReadPixel(&sd, 3, 0), (12u << 11) | (24u << 5) | 12u);
}

}  // namespace
}  // namespace gfxtest
