// Opening and closing the drawing back-end over the six configurations, its failures, the
// start-up's choice and fall-back, and the display part of the machine report.
#include <cstring>
#include <string>
#include <vector>

#include "GraphicsTestSupport.h"
#include "core/MachineReport.h"
#include "graphics/GraphicsStartup.h"
#include "platform/d3d9/IDirect3DDevice9.h"

namespace gfxtest {
namespace {

bool SameChannels(const CHANNELINFO& a, const CHANNELINFO& b)
{
    return a.dwShiftR == b.dwShiftR && a.dwShiftG == b.dwShiftG && a.dwShiftB == b.dwShiftB && a.dwMaxR == b.dwMaxR &&
           a.dwMaxG == b.dwMaxG && a.dwMaxB == b.dwMaxB;
}

bool SameChannelsWithAlpha(const CHANNELINFO& a, const CHANNELINFO& b)
{
    return SameChannels(a, b) && a.dwShiftA == b.dwShiftA && a.dwMaxA == b.dwMaxA;
}

constexpr CHANNELINFO kR5G6B5{11, 5, 0, 16, 31, 63, 31, 0};
constexpr CHANNELINFO kA1R5G5B5{10, 5, 0, 15, 31, 31, 31, 1};
constexpr CHANNELINFO kA8R8G8B8{16, 8, 0, 24, 255, 255, 255, 255};
constexpr CHANNELINFO kX8R8G8B8{16, 8, 0, 0, 255, 255, 255, 0};

// What DDInit builds in each configuration.
struct Built {
    D3DFORMAT backBuffer;        // Direct3D
    D3DFORMAT texture;           // Direct3D
    const CHANNELINFO* screen;   // Direct3D 16 bpp
    const CHANNELINFO* surface;  // null: not checked (DirectDraw 8 bpp)
};

Built Expected(const Config& c)
{
    if (c.bDirect3D && c.nBpp == 32) return {D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, nullptr, &kA8R8G8B8};
    if (c.bDirect3D && c.bWindowMode) return {D3DFMT_A1R5G5B5, D3DFMT_A1R5G5B5, &kA1R5G5B5, &kA1R5G5B5};
    if (c.bDirect3D) return {D3DFMT_R5G6B5, D3DFMT_A1R5G5B5, &kR5G6B5, &kA1R5G5B5};
    if (c.nBpp == 16) return {D3DFMT_UNKNOWN, D3DFMT_UNKNOWN, nullptr, &kR5G6B5};
    if (c.nBpp == 32) return {D3DFMT_UNKNOWN, D3DFMT_UNKNOWN, nullptr, &kX8R8G8B8};
    return {D3DFMT_UNKNOWN, D3DFMT_UNKNOWN, nullptr, nullptr};
}

using OpenTest = GraphicsMatrixTest;

TEST_P(OpenTest, OpensTheBackEndWithItsFormatsAndClosesItWithoutLeaks)
{
    const Config& c = GetParam();
    ASSERT_TRUE(Open(c));
    EXPECT_EQ(bDDReady.load(), 1);
    EXPECT_EQ(lpDTCon != nullptr, c.bDirect3D != 0);
    EXPECT_EQ(lpDDCon != nullptr, c.bDirect3D == 0);
    EXPECT_EQ(nScreenBytes, c.nBpp / 8);
    EXPECT_EQ(BackBuffer.nWidth, 640);
    EXPECT_EQ(BackBuffer.nHeight, 480);
    EXPECT_EQ(BackBuffer.szSurfaceType, "BackBuffer");
    const Built e = Expected(c);
    if (e.surface != nullptr) {
        EXPECT_TRUE(SameChannels(SurfaceChannels, *e.surface));
    }
    EXPECT_TRUE(ReportHas("VSync : 0"));
    if (c.bDirect3D) {
        EXPECT_EQ(lpDTCon->BackBufferFormat, e.backBuffer);
        EXPECT_EQ(lpDTCon->TextureFormat, e.texture);
        EXPECT_TRUE(SameChannelsWithAlpha(SurfaceChannels, *e.surface));
        if (e.screen != nullptr) {
            EXPECT_TRUE(SameChannelsWithAlpha(ScreenChannels, *e.screen));
        }
        EXPECT_EQ(BackBuffer.lpDT->lpSurface->Format(), e.backBuffer);
        EXPECT_TRUE(BackBuffer.lpDT->bRenderTarget);
        EXPECT_EQ(VirBackBuffer.szSurfaceType, "VirBackBuffer");
        EXPECT_EQ(WorkSD.szSurfaceType, "WorkSD");
        EXPECT_NE(VirBackBuffer.lpDT->lpTexture, nullptr);
        EXPECT_NE(WorkSD.lpDT->lpTexture, nullptr);
        EXPECT_EQ(lpDTCon->lpDefaultTarget, &VirBackBuffer);
        EXPECT_EQ(lpDevice->CurrentRenderTarget(), VirBackBuffer.lpDT->lpSurface);
        EXPECT_EQ(lpDTCon->nSurfaceIndex, 3);  // back buffer 0, then VirBackBuffer 1 and WorkSD 2
        EXPECT_EQ(lpDTCon->dwAlphaOp, static_cast<DWORD>(D3DTOP_SELECTARG1));
        EXPECT_EQ(lpDTCon->dwColorOp, static_cast<DWORD>(D3DTOP_MODULATE));
        EXPECT_EQ(lpDTCon->dwDiffuse, 0xFFFFFFFFu);
        DWORD value = 0;
        lpDevice->GetRenderState(D3DRS_SRCBLEND, &value);
        EXPECT_EQ(value, static_cast<DWORD>(D3DBLEND_SRCALPHA));
        lpDevice->GetSamplerState(0, D3DSAMP_MAGFILTER, &value);
        EXPECT_EQ(value, static_cast<DWORD>(D3DTEXF_POINT));
        EXPECT_TRUE(ReportHas("Device HAL-HARD"));
        EXPECT_TRUE(ReportHas(c.nBpp == 32 ? "X8R8G8B8" : c.bWindowMode ? "A1R5G5B5" : "R5G6B5"));
    } else {
        ASSERT_TRUE(PrimarySD.lpDDS && BackBuffer.lpDDS && ScreenCopySD.lpDDS);
        EXPECT_NE(BackBuffer.lpDDS->lpDDSurface, nullptr);
        EXPECT_EQ(ScreenCopySD.bSystemMemory, 1);
        EXPECT_EQ(BackBuffer.bSystemMemory, 0);
        ASSERT_NE(lpDDPalette, nullptr);
        PALETTEENTRY entries[256];
        lpDDPalette->GetEntries(0, 0, 256, entries);
        if (c.bWindowMode) {
            EXPECT_NE(lpDDClipper, nullptr);
            // The client area of a 640 x 480 window at (0, 0) with caption (23) and sizing frame (4).
            EXPECT_EQ(rcClient.left, 4);
            EXPECT_EQ(rcClient.top, 27);
            EXPECT_EQ(rcClient.right, 644);
            EXPECT_EQ(rcClient.bottom, 507);
            EXPECT_EQ(entries[5].peRed, 5);
            EXPECT_EQ(entries[5].peGreen, 0);
            EXPECT_EQ(entries[5].peFlags, PC_EXPLICIT);
            EXPECT_EQ(entries[100].peGreen, 100);
            EXPECT_EQ(entries[100].peFlags, PC_RESERVED);
        } else {
            EXPECT_EQ(entries[0].peBlue, 255);
            EXPECT_EQ(entries[100].peRed, 100);
            EXPECT_EQ(entries[100].peGreen, 100);
            EXPECT_EQ(entries[100].peBlue, 0);
            EXPECT_EQ(entries[100].peFlags, PC_RESERVED);
            // The palette colours the screen only at 8 bits.
            IDirectDrawPalette* attached = nullptr;
            const bool bAttached = SUCCEEDED(PrimarySD.lpDDS->lpDDSurface->GetPalette(&attached));
            EXPECT_EQ(bAttached, c.nBpp == 8);
            if (attached != nullptr) attached->Release();
        }
    }
    DDRelease();
    EXPECT_EQ(lpDTCon, nullptr);
    EXPECT_EQ(lpDDCon, nullptr);
    EXPECT_EQ(lpDD, nullptr);
    EXPECT_EQ(lpDevice, nullptr);
    EXPECT_EQ(bDDReady.load(), 0);
    EXPECT_EQ(DDrawLiveObjectCount(), 0u);
    if (c.bDirect3D) {
        EXPECT_EQ(D3D9LeakedObjectsAtLastDeviceRelease(), 0u);
    }
}

TEST_P(OpenTest, WritesTheDisplayPartOfTheMachineReport)
{
    const Config& c = GetParam();
    ASSERT_TRUE(Open(c));
    ASSERT_EQ(WriteDisplayReport(1), 1);
    EXPECT_TRUE(ReportHas(c.bWindowMode ? "Mode : Window" : "Mode : Fullscreen"));
    EXPECT_TRUE(ReportHas("Bpp : " + std::to_string(c.nBpp)));
    if (!c.bDirect3D) {
        EXPECT_TRUE(ReportHas("VRAM Total : 64.000MB"));
        EXPECT_TRUE(ReportHas("RR : 60"));
        return;
    }
    EXPECT_FALSE(ReportHas("RR : 60"));
    EXPECT_TRUE(ReportHas(Sjis("---デバイス0")));
    EXPECT_TRUE(ReportHas("Driver : qbsoft.drv 6.14.0010.0001"));
    EXPECT_TRUE(ReportHas("TextureMaxSize : (4096,4096)"));
    EXPECT_TRUE(ReportHas("TextureMaxBlend : (8,8)"));
    EXPECT_TRUE(ReportHas("D3DCAPS3_ALPHA_FULLSCREEN_FLIP_OR_DISCARD"));
    EXPECT_TRUE(ReportHas("D3DCAPS2_DYNAMICTEXTURES"));
    EXPECT_FALSE(ReportHas("D3DPTEXTURECAPS_POW2"));
    EXPECT_TRUE(ReportHas(Sjis("RE-SU○ RE-TE○ ")));
    EXPECT_TRUE(ReportHas(Sjis("DE-SU× DE-TE× ")));
    EXPECT_TRUE(ReportHas(Sjis("WR-SU？ WR-TE？ ")));
    bool bTextureMem = false;
    for (const std::string& line : ReportLines()) bTextureMem |= line.rfind("TextureMem : ", 0) == 0;
    EXPECT_TRUE(bTextureMem);
}

INSTANTIATE_TEST_SUITE_P(Matrix, OpenTest, ::testing::ValuesIn(kConfigs), ConfigName);

using InitFailureTest = GraphicsTest;

TEST_F(InitFailureTest, Direct3DFailuresMakeDDInitFalseAndReleaseCleansUp)
{
    struct Case {
        const char* name;
        int nBpp;
        std::function<void()> arrange;
        BOOL bResult;
        const char* line;  // report line expected (UTF-8), or null
    };
    const Case cases[] = {
        {"24 bits are not a Direct3D depth", 24, [] {}, FALSE, nullptr},
        {"no Direct3D", 32, [] { D3D9Config().failDirect3DCreate = true; }, FALSE,
         "ビデオカードがDirectX9をサポートしていません！"},
        {"no device", 32, [] { D3D9Config().failCreateDevice = true; }, FALSE, nullptr},
        {"software vertex processing", 32, [] { D3D9Config().failHardwareVertexProcessing = true; }, TRUE,
         "Device HAL-SOFT"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        ResetD3D9Config();
        k.arrange();
        EXPECT_EQ(DDInit(1, m_hWnd, 640, 480, k.nBpp, 0, 1, 1, 60, 0, SDTable, SDInfoTable, kBuiltInSurfaceCount),
                  k.bResult);
        if (k.line != nullptr) {
            EXPECT_TRUE(ReportHas(Sjis(k.line)));
        }
        DDRelease();
        EXPECT_EQ(lpDTCon, nullptr);
        EXPECT_EQ(lpDevice, nullptr);
        EXPECT_EQ(lpD3D, nullptr);
    }
}

TEST_F(InitFailureTest, DirectDrawStepFailuresMakeDDInitFalseAndReleaseCleansUp)
{
    struct Case {
        DDrawFault fault;
        int nBpp;
        int bWindowMode;
        int bUseRefresh;
        BOOL bResult;
    };
    const Case cases[] = {
        {DDrawFault::CreateEx, 16, 0, 1, FALSE},
        {DDrawFault::SetCooperativeLevel, 16, 0, 1, FALSE},
        {DDrawFault::SetDisplayModeWithRefresh, 16, 0, 1, TRUE},  // then the mode without a rate is taken
        {DDrawFault::SetDisplayMode, 16, 0, 1, TRUE},             // the mode at 60 Hz is taken first
        {DDrawFault::SetDisplayMode, 16, 0, 0, FALSE},
        {DDrawFault::CreatePrimary, 16, 0, 1, FALSE},
        {DDrawFault::GetAttachedSurface, 16, 0, 1, FALSE},
        {DDrawFault::CreatePalette, 16, 0, 1, FALSE},
        {DDrawFault::SetPalette, 8, 0, 1, FALSE},
        {DDrawFault::SetPalette, 16, 0, 1, TRUE},  // the palette is attached only at 8 bits
        {DDrawFault::CreateClipper, 32, 1, 1, FALSE},
        {DDrawFault::SetHWnd, 32, 1, 1, FALSE},
        {DDrawFault::SetClipper, 32, 1, 1, FALSE},
        {DDrawFault::CreateOffscreenSystem, 32, 1, 1, FALSE},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(static_cast<int>(k.fault));
        DDrawResetHooks();
        DDrawSetFault(k.fault, true);
        EXPECT_EQ(DDInit(0, m_hWnd, 640, 480, k.nBpp, 0, k.bWindowMode, 1, 60, k.bUseRefresh, SDTable, SDInfoTable,
                         kBuiltInSurfaceCount),
                  k.bResult);
        DDrawResetHooks();
        DDRelease();
        EXPECT_EQ(lpDDCon, nullptr);
        EXPECT_EQ(DDrawLiveObjectCount(), 0u);
    }
}

TEST_F(InitFailureTest, AWindowModeOtherThanWindowOrFullScreenOpensNothingAndFails)
{
    EXPECT_FALSE(DDInit(0, m_hWnd, 640, 480, 32, 0, 2, 1, 60, 0, SDTable, SDInfoTable, kBuiltInSurfaceCount));
    EXPECT_EQ(lpDD, nullptr);
}

TEST_F(InitFailureTest, CheckInitResultNamesTheKnownFailures)
{
    const struct {
        int code;
        BOOL bResult;
    } cases[] = {{0, TRUE},  {1, FALSE}, {2, FALSE}, {3, FALSE},  {4, FALSE},  {5, FALSE},  {6, FALSE},
                 {7, FALSE}, {8, TRUE},  {9, TRUE},  {10, FALSE}, {11, FALSE}, {12, FALSE}, {13, TRUE}};
    for (const auto& k : cases) EXPECT_EQ(DDCheckInitResult(k.code), k.bResult) << k.code;
}

TEST_F(InitFailureTest, TheDDIVersionTextGivesTheNumberAtItsStart)
{
    EXPECT_EQ(ParseDDIVersion("9"), 9);
    EXPECT_EQ(ParseDDIVersion("12.1"), 12);
    EXPECT_EQ(ParseDDIVersion(""), 99999);
    EXPECT_EQ(ParseDDIVersion("Direct3D 9"), 99999);
    EXPECT_EQ(ParseDDIVersion("000"), 99999);
    EXPECT_EQ(ParseDDIVersion(nullptr), 99999);
    EXPECT_GE(GetDDIVersion(), 9);  // unknown on this platform: Direct3D is still tried
}

TEST_F(InitFailureTest, VSyncInAWindowNeedsADisplayAt60Hz)
{
    const struct {
        UINT refresh;
        int bVSyncAfter;
        UINT interval;
    } cases[] = {{60, 1, D3DPRESENT_INTERVAL_DEFAULT}, {75, 0, D3DPRESENT_INTERVAL_IMMEDIATE}};
    for (const auto& k : cases) {
        ResetD3D9Config();
        D3D9Config().displayMode.RefreshRate = k.refresh;
        ASSERT_TRUE(DDInit(1, m_hWnd, 640, 480, 32, 1, 1, 1, 60, 1, SDTable, SDInfoTable, kBuiltInSurfaceCount));
        EXPECT_EQ(bVSync, k.bVSyncAfter);
        EXPECT_EQ(lpDevice->PresentParameters().PresentationInterval, k.interval);
        EXPECT_TRUE(ReportHas("RefreshRate : " + std::to_string(k.refresh)));
        EXPECT_EQ(ReportHas(Sjis("リフレッシュレートの変更に失敗しました！垂直同期が無効になります！")),
                  k.bVSyncAfter == 0);
        DDRelease();
    }
}

TEST_F(InitFailureTest, FullScreenHidesTheCursorAndAWindowShowsIt)
{
    ASSERT_TRUE(DDInit(1, m_hWnd, 640, 480, 32, 0, 0, 1, 60, 0, SDTable, SDInfoTable, kBuiltInSurfaceCount));
    EXPECT_EQ(ShowCursor(TRUE), 0);  // was -1
    ShowCursor(FALSE);
    DDRelease();
    ASSERT_TRUE(DDInit(0, m_hWnd, 640, 480, 32, 0, 1, 1, 60, 0, SDTable, SDInfoTable, kBuiltInSurfaceCount));
    EXPECT_EQ(ShowCursor(FALSE), -1);  // was 0
}

// The start-up: colour depth, the fall-back from Direct3D to DirectDraw, what is loaded.
class StartupTest : public GraphicsTest {
protected:
    void SetUp() override
    {
        GraphicsTest::SetUp();
        Write("bmp\\plt\\Palette.bmp", PaletteBmp());
        Write("bmp\\Debug.bmp", Bmp8(128, 64, [](int x, int) { return static_cast<std::uint32_t>(x % 6); }));
    }
    GraphicsStartOptions Options(int bDirect3D) const
    {
        GraphicsStartOptions o;
        o.bDirect3D = bDirect3D;
        o.hWnd = m_hWnd;
        o.nBpp = 32;
        o.bWindowMode = 1;
        return o;
    }
};

TEST_F(StartupTest, ChoosesTheColourDepth)
{
    const struct {
        int nIniBpp, bWindow, bD3D, nD3DDepth, nDDDepth, bFullColour, expected;
    } cases[] = {
        {16, 0, 1, 0, 0, 0, 16},  // "Bpp" given
        {0, 1, 1, 1, 1, 0, 32},   // a window takes the desktop's depth
        {0, 0, 1, 1, 0, 0, 16},  {0, 0, 1, 0, 0, 0, 32}, {0, 0, 0, 0, 1, 0, 16}, {0, 0, 0, 0, 2, 0, 8},
        {0, 0, 0, 0, 2, 1, 32},  {0, 0, 0, 1, 0, 0, 32}, {0, 0, 0, 0, 0, 0, 32},
    };
    for (const auto& k : cases)
        EXPECT_EQ(ChooseColourDepth(k.nIniBpp, k.bWindow, k.bD3D, k.nD3DDepth, k.nDDDepth, k.bFullColour), k.expected)
            << k.nIniBpp << k.bWindow << k.bD3D << k.nD3DDepth << k.nDDDepth << k.bFullColour;
}

TEST_F(StartupTest, FallsBackToDirectDrawWhenDirect3DCannotOpen)
{
    D3D9Config().failCreateDevice = true;
    GraphicsStartOptions o = Options(1);
    bool bFontsMade = false;
    o.createFonts = [&] {
        bFontsMade = true;
        return TRUE;
    };
    ASSERT_TRUE(StartGraphics(o));
    EXPECT_EQ(o.bDirect3D, 0);
    EXPECT_NE(lpDDCon, nullptr);
    EXPECT_EQ(lpDTCon, nullptr);
    EXPECT_TRUE(ReportHas(Sjis("DDInit成功")));
    EXPECT_TRUE(bFontsMade);
    // Only the debug sheet is loaded at start-up; the palette was copied to the palette shown.
    EXPECT_TRUE(SDTable[1].lpDDS);
    EXPECT_FALSE(SDTable[2].lpDDS);
    EXPECT_EQ(std::memcmp(Palette, PaletteBackup, sizeof(Palette)), 0);
    EXPECT_EQ(PaletteBackup[1].peRed, 255);
}

// Before DirectDraw is tried in place of Direct3D the window is shown as the mode asks: with the
// show command in a window, maximised in full screen. The shell's step after the opening runs
// once, before the fonts are built.
TEST_F(StartupTest, TheFallBackShowsTheWindowAsItsModeAsksAndTheOpenedStepRunsBeforeTheFonts)
{
    const struct {
        const char* name;
        int bWindowMode;
        int nCmdShow;
        BOOL bZoomed;
    } cases[] = {
        {"window, shown normally", 1, SW_SHOWNORMAL, FALSE},
        {"window, shown maximised", 1, SW_SHOWMAXIMIZED, TRUE},
        {"full screen", 0, SW_SHOWNORMAL, TRUE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        D3D9Config().failCreateDevice = true;
        ShowWindow(m_hWnd, SW_RESTORE);
        GraphicsStartOptions o = Options(1);
        o.bWindowMode = c.bWindowMode;
        o.nCmdShow = c.nCmdShow;
        std::vector<std::string> steps;
        o.onOpened = [&] { steps.push_back(o.bDirect3D ? "opened Direct3D" : "opened DirectDraw"); };
        o.createFonts = [&] {
            steps.push_back("fonts");
            return TRUE;
        };
        ASSERT_TRUE(StartGraphics(o));
        EXPECT_EQ(IsZoomed(m_hWnd), c.bZoomed);
        EXPECT_EQ(steps, (std::vector<std::string>{"opened DirectDraw", "fonts"}));
        DDRelease();
    }
}

TEST_F(StartupTest, FailsWhenNeitherBackEndOpens)
{
    D3D9Config().failCreateDevice = true;
    DDrawSetFault(DDrawFault::CreateEx, true);
    GraphicsStartOptions o = Options(1);
    bool bOpened = false;
    o.onOpened = [&] { bOpened = true; };
    EXPECT_FALSE(StartGraphics(o));
    EXPECT_TRUE(ReportHas(Sjis("DDInit失敗")));
    EXPECT_FALSE(bOpened);
}

TEST_F(StartupTest, Direct3DSetsTheTextureErrorTextAndLinksTheSharedSlots)
{
    GraphicsStartOptions o = Options(1);
    ASSERT_TRUE(StartGraphics(o));
    ASSERT_NE(lpDTCon, nullptr);
    EXPECT_EQ(lpDTCon->strTextureError.rfind(Sjis("テクスチャの作成に失敗しました！\n"), 0), 0u);
    EXPECT_EQ(SDTable[7].lpShareSD, &SDTable[6]);
    EXPECT_EQ(SDTable[68].lpShareSD, &SDTable[67]);
    EXPECT_EQ(SDTable[2].lpShareSD, nullptr);
}

TEST_F(StartupTest, AMissingPaletteBitmapOrDebugSheetFailsTheStartUp)
{
    Remove("bmp\\plt\\Palette.bmp");
    GraphicsStartOptions o = Options(1);
    EXPECT_FALSE(StartGraphics(o));
    EXPECT_TRUE(ReportHas(Sjis("DDLoadPaletteFromFile失敗")));
    DDRelease();
    Write("bmp\\plt\\Palette.bmp", PaletteBmp());
    Remove("bmp\\Debug.bmp");
    o = Options(0);
    EXPECT_FALSE(StartGraphics(o));
    ASSERT_FALSE(RecordedMessageBoxes().empty());
    EXPECT_EQ(RecordedMessageBoxes().back().text, Sjis("bmp\\Debug.bmp の読み込みに失敗！"));
}

// A palette bitmap too small for the colour grid still starts, with the colour table's palette.
TEST_F(StartupTest, ASmallPaletteBitmapStartsWithItsColourTable)
{
    Write("bmp\\plt\\Palette.bmp", Bmp8(16, 8, [](int, int) { return 0u; }));
    for (int bDirect3D : {1, 0}) {
        SCOPED_TRACE(bDirect3D);
        GraphicsStartOptions o = Options(bDirect3D);
        ASSERT_TRUE(StartGraphics(o));
        EXPECT_FALSE(ReportHas(Sjis("DDLoadPaletteFromFile失敗")));
        if (bDirect3D) {
            EXPECT_EQ(Palette[1].peRed, 255);  // entry 1 of the table is red
            EXPECT_EQ(Palette[1].peGreen, 0);
        }
        DDRelease();
    }
}

TEST_F(StartupTest, AFontHookThatFailsFailsTheStartUp)
{
    GraphicsStartOptions o = Options(0);
    o.createFonts = [] { return FALSE; };
    EXPECT_FALSE(StartGraphics(o));
}

}  // namespace
}  // namespace gfxtest
