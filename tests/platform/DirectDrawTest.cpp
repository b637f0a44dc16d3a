// The DirectDraw object: cooperative levels and display modes, flip chains and the visible image,
// the vertical blank on the virtual clock, palettes, window mode with a clipper, the video-memory
// budget, reference counts and failure injection.
#include <gtest/gtest.h>

#include <functional>

#include "DDrawFixture.h"
#include "platform/win/Messages.h"
#include "platform/win/SystemInfo.h"

namespace {

class DirectDrawTest : public DDrawFixture {};

DWORD VisibleAt(int x, int y)
{
    const HostFrame f = DDrawLastVisibleImage();
    return f.At(x, y);
}

TEST_F(DirectDrawTest, ReportsTheFormatOfEachDisplayDepth)
{
    struct Case {
        TestFormat format;
        DWORD flags, bits, r, g, b;
    };
    const Case cases[] = {
        {TestFormat::Index8, DDPF_RGB | DDPF_PALETTEINDEXED8, 8, 0, 0, 0},
        {TestFormat::Rgb565, DDPF_RGB, 16, 0xF800, 0x07E0, 0x001F},
        {TestFormat::Rgb555, DDPF_RGB, 16, 0x7C00, 0x03E0, 0x001F},
        {TestFormat::Xrgb32, DDPF_RGB, 32, 0xFF0000, 0x00FF00, 0x0000FF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(FormatName(c.format));
        OpenFullScreen(c.format);
        DDPIXELFORMAT pf{};
        pf.dwSize = sizeof(pf);
        ASSERT_EQ(m_primary->GetPixelFormat(&pf), DD_OK);
        EXPECT_EQ(pf.dwFlags, c.flags);
        EXPECT_EQ(pf.dwRGBBitCount, c.bits);
        EXPECT_EQ(pf.dwRBitMask, c.r);
        EXPECT_EQ(pf.dwGBitMask, c.g);
        EXPECT_EQ(pf.dwBBitMask, c.b);
        IDirectDrawSurface7* off = MakeSurface(2, 2, true);
        ASSERT_EQ(off->GetPixelFormat(&pf), DD_OK);
        EXPECT_EQ(pf.dwGBitMask, c.g);
        TearDown();
        SetUp();
    }
}

TEST_F(DirectDrawTest, RefusesWrongLevelsAndModes)
{
    ASSERT_EQ(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&m_dd), IID_IDirectDraw7, nullptr), DD_OK);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface7* s = nullptr;
    EXPECT_EQ(m_dd->CreateSurface(&desc, &s, nullptr), DDERR_NOCOOPERATIVELEVELSET);
    EXPECT_EQ(m_dd->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DDERR_INVALIDPARAMS);
    EXPECT_EQ(m_dd->SetCooperativeLevel(kFakeWindow, DDSCL_EXCLUSIVE), DDERR_INVALIDPARAMS);
    ASSERT_EQ(m_dd->SetCooperativeLevel(kFakeWindow, DDSCL_NORMAL), DD_OK);
    EXPECT_EQ(m_dd->SetDisplayMode(640, 480, 16, 0, 0), DDERR_NOEXCLUSIVEMODE);
    desc.dwFlags |= DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = 1;
    EXPECT_EQ(m_dd->CreateSurface(&desc, &s, nullptr), DDERR_NOEXCLUSIVEMODE);

    ASSERT_EQ(m_dd->SetCooperativeLevel(kFakeWindow, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT), DD_OK);
    EXPECT_EQ(m_dd->SetDisplayMode(640, 480, 24, 0, 0), DDERR_INVALIDMODE);
    EXPECT_EQ(m_dd->SetDisplayMode(641, 480, 16, 0, 0), DDERR_INVALIDMODE);
    EXPECT_EQ(m_dd->SetDisplayMode(640, 480, 16, 75, 0), DDERR_INVALIDMODE);
    EXPECT_EQ(m_dd->SetDisplayMode(640, 480, 16, 60, 0), DD_OK);
    ASSERT_EQ(m_dd->CreateSurface(&desc, &m_primary, nullptr), DD_OK);
    EXPECT_EQ(m_dd->CreateSurface(&desc, &s, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);
    DDSURFACEDESC2 got{};
    got.dwSize = sizeof(got);
    ASSERT_EQ(m_primary->GetSurfaceDesc(&got), DD_OK);
    EXPECT_EQ(got.dwWidth, 640u);
    EXPECT_EQ(got.dwHeight, 480u);
    EXPECT_EQ(got.dwBackBufferCount, 1u);
}

TEST_F(DirectDrawTest, FlipMovesTheBuffersAlongTheChain)
{
    OpenFullScreen(TestFormat::Xrgb32, 2);
    DDSCAPS2 caps{};
    caps.dwCaps = DDSCAPS_FLIP;
    IDirectDrawSurface7* back2 = nullptr;
    ASSERT_EQ(m_back->GetAttachedSurface(&caps, &back2), DD_OK);
    m_surfaces.push_back(back2);
    ASSERT_EQ(Fill(m_primary, 0xF0), DD_OK);
    ASSERT_EQ(Fill(m_back, 0xB1), DD_OK);
    ASSERT_EQ(Fill(back2, 0xB2), DD_OK);

    ASSERT_EQ(m_primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(VisibleAt(0, 0), 0xB1u);
    EXPECT_EQ(DDrawPeekPixel(m_back, 0, 0), 0xB2u);
    EXPECT_EQ(DDrawPeekPixel(back2, 0, 0), 0xF0u);
    ASSERT_EQ(m_primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(VisibleAt(639, 479), 0xB2u);
    EXPECT_EQ(DDrawPeekPixel(m_back, 0, 0), 0xF0u);
    EXPECT_EQ(DDrawPeekPixel(back2, 0, 0), 0xB1u);
    EXPECT_EQ(m_back->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);

    // The buffer that was visible at creation comes back for a message box.
    ASSERT_EQ(m_dd->FlipToGDISurface(), DD_OK);
    EXPECT_EQ(VisibleAt(0, 0), 0xF0u);
    const unsigned shown = DDrawVisibleImageCount();
    ASSERT_EQ(m_dd->FlipToGDISurface(), DD_OK);
    EXPECT_EQ(DDrawVisibleImageCount(), shown);
}

TEST_F(DirectDrawTest, FlipAndWaitForVerticalBlankFollowTheSixtyHertzClock)
{
    OpenFullScreen(TestFormat::Rgb565);
    // Blanks fall at floor(k x 1000 / 60) ms: 16, 33, 50, 66 ...
    ASSERT_EQ(m_primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(timeGetTime(), 16u);
    ASSERT_EQ(m_primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(timeGetTime(), 33u);
    ASSERT_EQ(m_primary->Flip(nullptr, DDFLIP_WAIT | DDFLIP_NOVSYNC), DD_OK);
    EXPECT_EQ(timeGetTime(), 33u);
    ASSERT_EQ(m_dd->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr), DD_OK);
    EXPECT_EQ(timeGetTime(), 50u);
    AdvanceVirtualClock(10);
    ASSERT_EQ(m_dd->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr), DD_OK);
    EXPECT_EQ(timeGetTime(), 66u);
    DWORD hz = 0;
    ASSERT_EQ(m_dd->GetMonitorFrequency(&hz), DD_OK);
    EXPECT_EQ(hz, 60u);
}

TEST_F(DirectDrawTest, AtEightBitsTheVisibleImageGoesThroughThePalette)
{
    OpenFullScreen(TestFormat::Index8);
    PALETTEENTRY entries[256];
    for (int i = 0; i < 256; ++i)
        entries[i] = PALETTEENTRY{static_cast<BYTE>(i), static_cast<BYTE>(255 - i), 0, PC_RESERVED};
    IDirectDrawPalette* palette = nullptr;
    ASSERT_EQ(m_dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr), DD_OK);
    ASSERT_EQ(m_primary->SetPalette(palette), DD_OK);
    palette->Release();  // the primary keeps it

    ASSERT_EQ(Fill(m_back, 3), DD_OK);
    Write(m_back, {{3, 200}});
    ASSERT_EQ(m_primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(VisibleAt(0, 0), 0x03FC00u);
    EXPECT_EQ(VisibleAt(1, 0), 0xC83700u);

    IDirectDrawPalette* attached = nullptr;
    ASSERT_EQ(m_primary->GetPalette(&attached), DD_OK);
    const PALETTEENTRY changed{10, 20, 30, 0};
    ASSERT_EQ(attached->SetEntries(0, 3, 1, &changed), DD_OK);
    PALETTEENTRY back[2];
    ASSERT_EQ(attached->GetEntries(0, 2, 2, back), DD_OK);
    EXPECT_EQ(back[1].peBlue, 30);
    EXPECT_EQ(attached->SetEntries(0, 255, 2, entries), DDERR_INVALIDPARAMS);
    attached->Release();
    ASSERT_EQ(Fill(m_back, 3), DD_OK);
    ASSERT_EQ(m_primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(VisibleAt(5, 5), 0x0A141Eu);
}

TEST_F(DirectDrawTest, SixteenBitVisiblePixelsScaleTheirChannels)
{
    struct Case {
        TestFormat format;
        DWORD raw, xrgb;
    };
    // 565: green 32 of 63 -> 130, blue 16 of 31 -> 132 (v x 255 / max, rounded); 555: 16 -> 132.
    const Case cases[] = {
        {TestFormat::Rgb565, 0x0410, 0x008284},     {TestFormat::Rgb565, 0xF800, 0xFF0000},
        {TestFormat::Rgb555, 0x4210, 0x848484},     {TestFormat::Rgb555, 0x7FFF, 0xFFFFFF},
        {TestFormat::Xrgb32, 0xAB123456, 0x123456},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.raw);
        OpenFullScreen(c.format, 0);
        ASSERT_EQ(Fill(m_primary, c.raw), DD_OK);  // a fill of the primary shows at once
        EXPECT_EQ(VisibleAt(10, 10), c.xrgb);
        TearDown();
        SetUp();
    }
}

LRESULT PlainWindowProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    return DefWindowProcA(h, m, w, l);
}

TEST_F(DirectDrawTest, InAWindowTheClipperShowsTheClientArea)
{
    SystemFacts facts = GetSystemFacts();
    facts.desktopWidth = 1024;
    facts.desktopHeight = 768;
    facts.desktopBitsPerPixel = 32;
    SetSystemFactsForTest(facts);
    RegisterClassA("DirectDrawTestWindow", &PlainWindowProc);
    HWND hWnd = CreateWindowExA(0, "DirectDrawTestWindow", "dd", WS_OVERLAPPEDWINDOW, 100, 100, 640, 480, nullptr);
    ASSERT_NE(hWnd, nullptr);

    ASSERT_EQ(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&m_dd), IID_IDirectDraw7, nullptr), DD_OK);
    ASSERT_EQ(m_dd->SetCooperativeLevel(hWnd, DDSCL_NORMAL), DD_OK);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    ASSERT_EQ(m_dd->CreateSurface(&desc, &m_primary, nullptr), DD_OK);
    ASSERT_EQ(m_primary->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_EQ(desc.dwWidth, 1024u);  // the primary is the desktop
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 32u);

    IDirectDrawSurface7* back = MakeSurface(640, 480);
    ASSERT_EQ(Fill(back, 0x222222), DD_OK);
    Write(back, {{0x00AA00, 0x0000BB}});
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(m_dd->CreateClipper(0, &clipper, nullptr), DD_OK);
    ASSERT_EQ(clipper->SetHWnd(0, hWnd), DD_OK);
    ASSERT_EQ(m_primary->SetClipper(clipper), DD_OK);
    clipper->Release();

    auto clientOnScreen = [hWnd] {
        RECT rc{};
        GetClientRect(hWnd, &rc);
        POINT origin{0, 0};
        ClientToScreen(hWnd, &origin);
        return RECT{origin.x, origin.y, origin.x + rc.right, origin.y + rc.bottom};
    };
    RECT rcClient = clientOnScreen();
    const unsigned before = DDrawVisibleImageCount();
    ASSERT_EQ(m_primary->Blt(&rcClient, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(DDrawVisibleImageCount(), before + 1);
    HostFrame shown = DDrawLastVisibleImage();
    EXPECT_EQ(shown.width, 640);
    EXPECT_EQ(shown.height, 480);
    EXPECT_EQ(shown.At(0, 0), 0x00AA00u);
    EXPECT_EQ(shown.At(1, 0), 0x0000BBu);
    EXPECT_EQ(shown.At(639, 479), 0x222222u);

    // Half off the desktop: the blit is clipped to it and the picture's left part shows.
    ASSERT_TRUE(MoveWindow(hWnd, 700, 100, 640, 480, TRUE));
    rcClient = clientOnScreen();
    ASSERT_EQ(m_primary->Blt(&rcClient, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    shown = DDrawLastVisibleImage();
    EXPECT_EQ(shown.width, 1024 - rcClient.left);
    EXPECT_EQ(shown.At(0, 0), 0x00AA00u);

    m_primary->Release();
    m_primary = nullptr;
    DestroyWindow(hWnd);
    ResetSystemFacts();
}

TEST_F(DirectDrawTest, VideoMemoryRunsOutAtTheBudget)
{
    DDrawSetVideoMemoryBudget(3u * 1024u * 1024u);
    OpenFullScreen(TestFormat::Xrgb32, 1);
    DWORD total = 0, freeBytes = 0;
    DDSCAPS2 caps{};
    caps.dwCaps = DDSCAPS_VIDEOMEMORY;
    ASSERT_EQ(m_dd->GetAvailableVidMem(&caps, &total, &freeBytes), DD_OK);
    EXPECT_EQ(total, 3u * 1024u * 1024u);
    // The chain is two 640 x 480 buffers of pitch 2576 bytes.
    EXPECT_EQ(freeBytes, total - 2u * 2576u * 480u);

    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = 640;
    desc.dwHeight = 480;
    IDirectDrawSurface7* s = nullptr;
    EXPECT_EQ(m_dd->CreateSurface(&desc, &s, nullptr), DDERR_OUTOFVIDEOMEMORY);
    desc.ddsCaps.dwCaps |= DDSCAPS_SYSTEMMEMORY;
    ASSERT_EQ(m_dd->CreateSurface(&desc, &s, nullptr), DD_OK);
    s->Release();

    IDirectDrawSurface7* small = MakeSurface(100, 100);
    ASSERT_NE(small, nullptr);
    DWORD afterSmall = 0;
    m_dd->GetAvailableVidMem(&caps, nullptr, &afterSmall);
    EXPECT_LT(afterSmall, freeBytes);
    m_surfaces.pop_back();
    small->Release();
    m_dd->GetAvailableVidMem(&caps, nullptr, &afterSmall);
    EXPECT_EQ(afterSmall, freeBytes);
}

TEST_F(DirectDrawTest, ChildrenHoldTheObjectSoALeakShowsInItsCount)
{
    ASSERT_EQ(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&m_dd), IID_IDirectDraw7, nullptr), DD_OK);
    ASSERT_EQ(m_dd->SetCooperativeLevel(kFakeWindow, DDSCL_NORMAL), DD_OK);
    IDirectDrawSurface7* s = MakeSurface(8, 8);
    m_surfaces.clear();
    PALETTEENTRY entries[256] = {};
    IDirectDrawPalette* palette = nullptr;
    ASSERT_EQ(m_dd->CreatePalette(DDPCAPS_8BIT, entries, &palette, nullptr), DD_OK);
    EXPECT_EQ(palette->AddRef(), 2u);
    EXPECT_EQ(palette->Release(), 1u);
    EXPECT_EQ(palette->Release(), 0u);

    // The surface still holds the object: its release count is not 0 and the surface works.
    EXPECT_GT(m_dd->Release(), 0u);
    EXPECT_EQ(Fill(s, 1), DD_OK);
    EXPECT_EQ(s->Release(), 0u);
    EXPECT_EQ(DDrawLiveObjectCount(), 0u);
    m_dd = nullptr;
}

TEST_F(DirectDrawTest, InjectedFaultsFailTheirCalls)
{
    struct Case {
        DDrawFault fault;
        const char* name;
        std::function<HRESULT(DirectDrawTest&)> call;
        HRESULT expected;
    };
    auto offscreen = [](DirectDrawTest& t, DWORD memory) {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | memory;
        desc.dwWidth = desc.dwHeight = 4;
        IDirectDrawSurface7* s = nullptr;
        const HRESULT hr = t.m_dd->CreateSurface(&desc, &s, nullptr);
        if (s != nullptr) s->Release();
        return hr;
    };
    const Case cases[] = {
        {DDrawFault::SetDisplayModeWithRefresh, "display mode with refresh",
         [](DirectDrawTest& t) { return t.m_dd->SetDisplayMode(640, 480, 16, 60, 0); }, DDERR_INVALIDMODE},
        {DDrawFault::SetDisplayMode, "display mode without refresh",
         [](DirectDrawTest& t) { return t.m_dd->SetDisplayMode(640, 480, 16, 0, 0); }, DDERR_INVALIDMODE},
        {DDrawFault::SetCooperativeLevel, "cooperative level",
         [](DirectDrawTest& t) { return t.m_dd->SetCooperativeLevel(kFakeWindow, DDSCL_NORMAL); }, DDERR_GENERIC},
        {DDrawFault::CreateOffscreenVideo, "video surface", [&](DirectDrawTest& t) { return offscreen(t, 0); },
         DDERR_OUTOFVIDEOMEMORY},
        {DDrawFault::CreateOffscreenSystem, "system surface",
         [&](DirectDrawTest& t) { return offscreen(t, DDSCAPS_SYSTEMMEMORY); }, DDERR_GENERIC},
        {DDrawFault::GetAttachedSurface, "attached surface",
         [](DirectDrawTest& t) {
             DDSCAPS2 caps{};
             caps.dwCaps = DDSCAPS_BACKBUFFER;
             IDirectDrawSurface7* b = nullptr;
             const HRESULT hr = t.m_primary->GetAttachedSurface(&caps, &b);
             if (b != nullptr) b->Release();
             return hr;
         },
         DDERR_GENERIC},
        {DDrawFault::CreatePalette, "palette",
         [](DirectDrawTest& t) {
             PALETTEENTRY e[256] = {};
             IDirectDrawPalette* p = nullptr;
             const HRESULT hr = t.m_dd->CreatePalette(DDPCAPS_8BIT, e, &p, nullptr);
             if (p != nullptr) p->Release();
             return hr;
         },
         DDERR_GENERIC},
        {DDrawFault::CreateClipper, "clipper",
         [](DirectDrawTest& t) {
             IDirectDrawClipper* c = nullptr;
             const HRESULT hr = t.m_dd->CreateClipper(0, &c, nullptr);
             if (c != nullptr) c->Release();
             return hr;
         },
         DDERR_GENERIC},
        {DDrawFault::SetColorKey, "colour key", [](DirectDrawTest& t) { return SetKey(t.m_back, 1); }, DDERR_GENERIC},
        {DDrawFault::Lock, "lock",
         [](DirectDrawTest& t) {
             DDSURFACEDESC2 d{};
             d.dwSize = sizeof(d);
             const HRESULT hr = t.m_back->Lock(nullptr, &d, DDLOCK_WAIT, nullptr);
             if (SUCCEEDED(hr)) t.m_back->Unlock(nullptr);
             return hr;
         },
         DDERR_GENERIC},
        {DDrawFault::SetClipper, "set clipper", [](DirectDrawTest& t) { return t.m_primary->SetClipper(nullptr); },
         DDERR_GENERIC},
        {DDrawFault::SetPalette, "set palette", [](DirectDrawTest& t) { return t.m_primary->SetPalette(nullptr); },
         DDERR_GENERIC},
        {DDrawFault::FlipToGDISurface, "flip to GDI", [](DirectDrawTest& t) { return t.m_dd->FlipToGDISurface(); },
         DDERR_GENERIC},
    };
    OpenFullScreen(TestFormat::Rgb565);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DDrawSetFault(c.fault, true);
        EXPECT_EQ(c.call(*this), c.expected);
        DDrawSetFault(c.fault, false);
        EXPECT_TRUE(SUCCEEDED(c.call(*this)));
    }
    DDrawSetFault(DDrawFault::CreateEx, true);
    IDirectDraw7* other = nullptr;
    EXPECT_EQ(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&other), IID_IDirectDraw7, nullptr), DDERR_GENERIC);
    EXPECT_EQ(other, nullptr);
}

}  // namespace
