// The software Direct3D 9 device: adapter answers, device creation, presents to the host,
// reference counts, locks and surface copies, the texture-memory budget, render targets, scenes,
// clears, indexed draws, the call log, and device loss with the Reset rule.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "D3D9TestDevice.h"
#include "platform/win/Messages.h"

namespace {

using D3D9DeviceTest = D3D9Test;

TEST_F(D3D9DeviceTest, Direct3DCreate9NeedsTheSdkVersionAndCanBeMadeToFail)
{
    EXPECT_EQ(nullptr, Direct3DCreate9(31));
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(nullptr, d3d);
    EXPECT_EQ(2u, d3d->AddRef());
    EXPECT_EQ(1u, d3d->Release());
    EXPECT_EQ(0u, d3d->Release());
    D3D9Config().failDirect3DCreate = true;
    EXPECT_EQ(nullptr, Direct3DCreate9(D3D_SDK_VERSION));
}

TEST_F(D3D9DeviceTest, AdapterAnswersComeFromTheSettings)
{
    D3D9Config().displayMode = {800, 600, 60, D3DFMT_X8R8G8B8};
    D3D9Config().caps.TextureCaps = D3DPTEXTURECAPS_POW2 | D3DPTEXTURECAPS_SQUAREONLY;
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    D3DDISPLAYMODE mode;
    ASSERT_EQ(D3D_OK, d3d->GetAdapterDisplayMode(0, &mode));
    EXPECT_EQ(800u, mode.Width);
    EXPECT_EQ(60u, mode.RefreshRate);
    EXPECT_EQ(D3DERR_INVALIDCALL, d3d->GetAdapterDisplayMode(1, &mode));
    D3DCAPS9 caps;
    ASSERT_EQ(D3D_OK, d3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps));
    EXPECT_EQ(D3DPTEXTURECAPS_POW2 | D3DPTEXTURECAPS_SQUAREONLY, caps.TextureCaps);
    EXPECT_TRUE(caps.Caps2 & D3DCAPS2_DYNAMICTEXTURES);
    EXPECT_TRUE(caps.Caps3 & D3DCAPS3_ALPHA_FULLSCREEN_FLIP_OR_DISCARD);
    D3DADAPTER_IDENTIFIER9 id;
    ASSERT_EQ(D3D_OK, d3d->GetAdapterIdentifier(0, 0, &id));
    EXPECT_STREQ(D3D9Config().driver.c_str(), id.Driver);
    d3d->Release();
}

struct FormatCase {
    DWORD usage;
    D3DRESOURCETYPE type;
    HRESULT expected;
};

class D3D9CheckDeviceFormatTest : public D3D9Test, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(D3D9CheckDeviceFormatTest, AnswersByUsage)
{
    const FormatCase& c = GetParam();
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    EXPECT_EQ(c.expected, d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, c.usage, c.type, D3DFMT_X8R8G8B8));
    d3d->Release();
}

INSTANTIATE_TEST_SUITE_P(Usages, D3D9CheckDeviceFormatTest,
                         ::testing::Values(FormatCase{D3DUSAGE_RENDERTARGET, D3DRTYPE_TEXTURE, D3D_OK},
                                           FormatCase{D3DUSAGE_DYNAMIC, D3DRTYPE_SURFACE, D3D_OK},
                                           FormatCase{D3DUSAGE_AUTOGENMIPMAP, D3DRTYPE_TEXTURE, D3DERR_NOTAVAILABLE},
                                           FormatCase{D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DERR_NOTAVAILABLE},
                                           FormatCase{D3DUSAGE_WRITEONLY, D3DRTYPE_TEXTURE, D3DERR_INVALIDCALL},
                                           FormatCase{D3DUSAGE_SOFTWAREPROCESSING, D3DRTYPE_SURFACE,
                                                      D3DERR_INVALIDCALL}));

TEST_F(D3D9DeviceTest, CheckDeviceFormatAnswersCanBeReplaced)
{
    D3D9Config().checkDeviceFormat = [](DWORD, D3DRESOURCETYPE, D3DFORMAT) { return D3DERR_NOTAVAILABLE; };
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    EXPECT_EQ(D3DERR_NOTAVAILABLE,
              d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE, D3DFMT_A8R8G8B8));
    d3d->Release();
}

TEST_F(D3D9DeviceTest, WindowedDeviceTakesTheClientSizeAndTheDisplayFormat)
{
    RegisterClassA("D3D9DeviceTestWindow", DefWindowProcA);
    HWND hWnd = CreateWindowExA(0, "D3D9DeviceTestWindow", "", WS_OVERLAPPEDWINDOW, 0, 0, 320, 200, nullptr);
    ASSERT_NE(nullptr, hWnd);
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS pp{};
    pp.Windowed = TRUE;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    IDirect3DDevice9* dev = nullptr;
    ASSERT_EQ(D3D_OK, d3d->CreateDevice(0, D3DDEVTYPE_HAL, hWnd, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &dev));
    EXPECT_EQ(320u, pp.BackBufferWidth);
    EXPECT_EQ(200u, pp.BackBufferHeight);
    EXPECT_EQ(D3D9AdapterDisplayMode().Format, pp.BackBufferFormat);
    EXPECT_EQ(320u, dev->BackBufferSurface()->Width());
    dev->Release();
    d3d->Release();
    DestroyWindow(hWnd);
}

TEST_F(D3D9DeviceTest, CreateDeviceChecksItsParametersAndInjectedFailures)
{
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS pp{};
    pp.Windowed = FALSE;
    pp.BackBufferWidth = 640;
    pp.BackBufferHeight = 480;
    pp.BackBufferFormat = D3DFMT_R5G6B5;
    pp.FullScreen_RefreshRateInHz = 60;
    IDirect3DDevice9* dev = nullptr;
    D3D9Config().failHardwareVertexProcessing = true;
    EXPECT_EQ(D3DERR_NOTAVAILABLE,
              d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp, &dev));
    EXPECT_EQ(nullptr, dev);
    EXPECT_EQ(D3DERR_INVALIDCALL,
              d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr,
                                D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &dev));
    D3DPRESENT_PARAMETERS wrongRate = pp;
    wrongRate.FullScreen_RefreshRateInHz = 75;
    EXPECT_EQ(D3DERR_INVALIDCALL,
              d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &wrongRate, &dev));
    ASSERT_EQ(D3D_OK, d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &dev));
    EXPECT_EQ(D3DFMT_R5G6B5, dev->BackBufferSurface()->Format());
    dev->Release();
    d3d->Release();
}

TEST_F(D3D9DeviceTest, PresentHandsTheBackBufferToTheHost)
{
    D3D9TestDevice d(4, 2, D3DFMT_R5G6B5);
    ASSERT_EQ(D3D_OK, d->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FFu, 1.0f, 0));
    const D3DRECT one{1, 0, 2, 1};
    ASSERT_EQ(D3D_OK, d->Clear(1, &one, D3DCLEAR_TARGET, 0xFF808080u, 1.0f, 0));
    ASSERT_EQ(D3D_OK, d->Present(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(1u, d->PresentCount());
    const HostFrame frame = GetHost().LastFrame();
    ASSERT_EQ(4, frame.width);
    ASSERT_EQ(2, frame.height);
    EXPECT_EQ(0x000000FFu, frame.At(0, 0));
    // 0x80 -> 16 of 31 (and 32 of 63) -> expanded again: 0x84, 0x82, 0x84.
    EXPECT_EQ(0x00848284u, frame.At(1, 0));
}

TEST_F(D3D9DeviceTest, PresentWithVerticalSyncWaitsForTheNextBlank)
{
    D3D9TestDevice d(2, 2, D3DFMT_X8R8G8B8, D3DPRESENT_INTERVAL_DEFAULT);
    // Blanks every 1000 / 60 ms: 16.7, 33.3, 50 ... (virtual clock from 0).
    d->Present(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(17u, timeGetTime());
    d->Present(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(34u, timeGetTime());
    d->Present(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(50u, timeGetTime());
}

TEST_F(D3D9DeviceTest, LevelSurfacesCountOnTheirTexture)
{
    D3D9TestDevice d;
    IDirect3DTexture9* tex = d.MakeTexture(1, 1, D3DFMT_A8R8G8B8, {0x11223344u});
    IDirect3DSurface9* level = nullptr;
    ASSERT_EQ(D3D_OK, tex->GetSurfaceLevel(0, &level));
    EXPECT_EQ(3u, tex->AddRef());
    EXPECT_EQ(2u, tex->Release());
    EXPECT_EQ(1u, tex->Release());  // the surface still holds the texture
    EXPECT_EQ(0x11223344u, level->ReadRaw(0, 0));
    EXPECT_EQ(0u, level->Release());
}

TEST_F(D3D9DeviceTest, ReleasingTheDeviceReportsObjectsStillReferenced)
{
    IDirect3DTexture9* tex = nullptr;
    {
        D3D9TestDevice d;
        ASSERT_EQ(D3D_OK, d->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &tex, nullptr));
    }
    EXPECT_EQ(1u, D3D9LeakedObjectsAtLastDeviceRelease());
    // The texture outlives its device safely.
    D3DLOCKED_RECT lr;
    EXPECT_EQ(D3D_OK, tex->LockRect(0, &lr, nullptr, 0));
    EXPECT_EQ(D3D_OK, tex->UnlockRect(0));
    EXPECT_EQ(0u, tex->Release());
    {
        D3D9TestDevice d;
    }
    EXPECT_EQ(0u, D3D9LeakedObjectsAtLastDeviceRelease());
}

struct LockCase {
    const char* name;
    DWORD usage;
    D3DPOOL pool;
    HRESULT expected;
};

class D3D9LockTest : public D3D9Test, public ::testing::WithParamInterface<LockCase> {};

TEST_P(D3D9LockTest, LockRectFollowsThePool)
{
    const LockCase& c = GetParam();
    D3D9TestDevice d;
    IDirect3DTexture9* tex = nullptr;
    ASSERT_EQ(D3D_OK, d->CreateTexture(3, 2, 1, c.usage, D3DFMT_A8R8G8B8, c.pool, &tex, nullptr));
    D3DLOCKED_RECT lr;
    EXPECT_EQ(c.expected, tex->LockRect(0, &lr, nullptr, 0)) << c.name;
    if (c.expected == D3D_OK) {
        EXPECT_EQ(16, lr.Pitch);  // rows padded to 16 bytes
        EXPECT_EQ(D3DERR_INVALIDCALL, tex->LockRect(0, &lr, nullptr, 0)) << "second lock";
        EXPECT_EQ(D3D_OK, tex->UnlockRect(0));
    }
    EXPECT_EQ(D3DERR_INVALIDCALL, tex->UnlockRect(0));
    tex->Release();
}

INSTANTIATE_TEST_SUITE_P(Pools, D3D9LockTest,
                         ::testing::Values(LockCase{"managed", 0, D3DPOOL_MANAGED, D3D_OK},
                                           LockCase{"system memory", D3DUSAGE_DYNAMIC, D3DPOOL_SYSTEMMEM, D3D_OK},
                                           LockCase{"default dynamic", D3DUSAGE_DYNAMIC, D3DPOOL_DEFAULT, D3D_OK},
                                           LockCase{"render target", D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT,
                                                    D3DERR_INVALIDCALL}));

TEST_F(D3D9DeviceTest, LockRectOfAPartAndOfTheBackBuffer)
{
    D3D9TestDevice d(4, 4);
    IDirect3DTexture9* tex = d.MakeTexture(2, 2, D3DFMT_A8R8G8B8, {1, 2, 3, 4});
    D3DLOCKED_RECT lr;
    const RECT part{1, 1, 2, 2};
    ASSERT_EQ(D3D_OK, tex->LockRect(0, &lr, &part, 0));
    EXPECT_EQ(4u, *static_cast<std::uint32_t*>(lr.pBits));
    tex->UnlockRect(0);
    const RECT outside{1, 1, 3, 2};
    EXPECT_EQ(D3DERR_INVALIDCALL, tex->LockRect(0, &lr, &outside, 0));
    tex->Release();

    EXPECT_EQ(D3D_OK, d.BackBuffer()->LockRect(&lr, nullptr, 0));
    d.BackBuffer()->UnlockRect();
    D3D9TestDevice unlockable;
    unlockable.dev->Release();
    unlockable.dev = nullptr;
    unlockable.pp.Flags = 0;
    ASSERT_EQ(D3D_OK, unlockable.d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                                   &unlockable.pp, &unlockable.dev));
    EXPECT_EQ(D3DERR_INVALIDCALL, unlockable.BackBuffer()->LockRect(&lr, nullptr, 0));
    EXPECT_EQ(D3DERR_INVALIDCALL, unlockable->SetDialogBoxMode(TRUE));
    EXPECT_EQ(D3D_OK, d->SetDialogBoxMode(TRUE));
    EXPECT_TRUE(d->DialogBoxMode());
}

TEST_F(D3D9DeviceTest, RenderTargetReadBackAndWriteBack)
{
    D3D9TestDevice d(4, 4);
    IDirect3DTexture9* rt = nullptr;
    ASSERT_EQ(D3D_OK, d->CreateTexture(2, 2, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A1R5G5B5, D3DPOOL_DEFAULT, &rt, nullptr));
    IDirect3DSurface9* copy = nullptr;
    ASSERT_EQ(D3D_OK, d->CreateOffscreenPlainSurface(2, 2, D3DFMT_A1R5G5B5, D3DPOOL_SYSTEMMEM, &copy, nullptr));
    d->SetRenderTarget(0, rt->Level0());
    d->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFF0000u, 1.0f, 0);
    ASSERT_EQ(D3D_OK, d->GetRenderTargetData(rt->Level0(), copy));
    D3DLOCKED_RECT lr;
    ASSERT_EQ(D3D_OK, copy->LockRect(&lr, nullptr, 0));
    EXPECT_EQ(0xFC00u, *static_cast<std::uint16_t*>(lr.pBits));
    *static_cast<std::uint16_t*>(lr.pBits) = 0x801Fu;
    copy->UnlockRect();
    ASSERT_EQ(D3D_OK, d->UpdateSurface(copy, nullptr, rt->Level0(), nullptr));
    EXPECT_EQ(0x801Fu, rt->Level0()->ReadRaw(0, 0));
    EXPECT_EQ(0xFC00u, rt->Level0()->ReadRaw(1, 1));

    IDirect3DSurface9* small = nullptr;
    ASSERT_EQ(D3D_OK, d->CreateOffscreenPlainSurface(1, 2, D3DFMT_A1R5G5B5, D3DPOOL_SYSTEMMEM, &small, nullptr));
    EXPECT_EQ(D3DERR_INVALIDCALL, d->GetRenderTargetData(rt->Level0(), small));
    const POINT past{1, 1};
    EXPECT_EQ(D3DERR_INVALIDCALL, d->UpdateSurface(copy, nullptr, rt->Level0(), &past));
    EXPECT_EQ(D3DERR_INVALIDCALL, d->UpdateSurface(rt->Level0(), nullptr, copy, nullptr));
    IDirect3DSurface9* inDefaultPool = nullptr;
    EXPECT_EQ(D3DERR_INVALIDCALL,
              d->CreateOffscreenPlainSurface(2, 2, D3DFMT_A1R5G5B5, D3DPOOL_DEFAULT, &inDefaultPool, nullptr));
    small->Release();
    copy->Release();
    d->SetRenderTarget(0, d.BackBuffer());
    rt->Release();
}

TEST_F(D3D9DeviceTest, TextureMemoryBudget)
{
    D3D9Config().textureMemoryBytes = 64 * 64 * 4;
    D3D9TestDevice d;
    EXPECT_EQ(64u * 64 * 4, d->GetAvailableTextureMem());
    IDirect3DTexture9* rt = nullptr;
    ASSERT_EQ(D3D_OK,
              d->CreateTexture(64, 64, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &rt, nullptr));
    EXPECT_EQ(0u, d->GetAvailableTextureMem());
    IDirect3DTexture9* other = nullptr;
    EXPECT_EQ(D3DERR_OUTOFVIDEOMEMORY, d->CreateTexture(1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &other, nullptr));
    EXPECT_EQ(nullptr, other);
    ASSERT_EQ(D3D_OK,
              d->CreateTexture(64, 64, 1, D3DUSAGE_DYNAMIC, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, &other, nullptr));
    other->Release();
    rt->Release();
    EXPECT_EQ(64u * 64 * 4, d->GetAvailableTextureMem());
}

TEST_F(D3D9DeviceTest, TextureCreationFollowsTheCaps)
{
    D3D9Config().caps.TextureCaps = D3DPTEXTURECAPS_POW2 | D3DPTEXTURECAPS_SQUAREONLY;
    D3D9Config().caps.MaxTextureWidth = 256;
    D3D9TestDevice d;
    IDirect3DTexture9* tex = nullptr;
    EXPECT_EQ(D3DERR_INVALIDCALL, d->CreateTexture(48, 48, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &tex, nullptr));
    EXPECT_EQ(D3DERR_INVALIDCALL, d->CreateTexture(64, 32, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &tex, nullptr));
    EXPECT_EQ(D3DERR_INVALIDCALL, d->CreateTexture(512, 512, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &tex, nullptr));
    EXPECT_EQ(D3DERR_INVALIDCALL,
              d->CreateTexture(64, 64, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &tex, nullptr));
    ASSERT_EQ(D3D_OK, d->CreateTexture(64, 64, 1, 0, D3DFMT_A1R5G5B5, D3DPOOL_MANAGED, &tex, nullptr));
    D3DSURFACE_DESC desc;
    tex->GetLevelDesc(0, &desc);
    EXPECT_EQ(D3DFMT_A1R5G5B5, desc.Format);
    EXPECT_EQ(D3DPOOL_MANAGED, desc.Pool);
    EXPECT_EQ(64u, desc.Width);
    tex->Release();
}

TEST_F(D3D9DeviceTest, RenderTargetsAreTheBackBufferOrRenderTargetTextures)
{
    D3D9TestDevice d(4, 4);
    d.SetEngineStates();
    IDirect3DTexture9* managed = d.MakeTexture(2, 2, D3DFMT_A8R8G8B8, {0, 0, 0, 0});
    EXPECT_EQ(D3DERR_INVALIDCALL, d->SetRenderTarget(0, managed->Level0()));
    IDirect3DTexture9* rt = nullptr;
    ASSERT_EQ(D3D_OK, d->CreateTexture(2, 2, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &rt, nullptr));
    EXPECT_EQ(D3DERR_INVALIDCALL, d->SetRenderTarget(1, rt->Level0()));

    // Draw into the texture, then the texture onto the back buffer.
    ASSERT_EQ(D3D_OK, d->SetRenderTarget(0, rt->Level0()));
    IDirect3DSurface9* current = nullptr;
    ASSERT_EQ(D3D_OK, d->GetRenderTarget(0, &current));
    EXPECT_EQ(rt->Level0(), current);
    EXPECT_EQ(1u, rt->Release());  // GetRenderTarget added one; `current` keeps it
    d->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00u, 1.0f, 0);
    d->SetRenderTarget(0, d.BackBuffer());
    d->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    d->SetTexture(0, rt);
    d.SetOps(D3DTOP_SELECTARG1, D3DTOP_SELECTARG1);
    ASSERT_EQ(D3D_OK, d.DrawQuad(1, 1, 2, 2, 0, 0, 1, 1, 0xFFFFFFFFu));
    EXPECT_EQ(0xFF00FF00u, d.BackBuffer()->ReadRaw(1, 1));
    EXPECT_EQ(0xFF000000u, d.BackBuffer()->ReadRaw(0, 0));
    d->SetTexture(0, nullptr);
    current->Release();
    managed->Release();
}

TEST_F(D3D9DeviceTest, ScenesAndClearsAreChecked)
{
    D3D9TestDevice d(4, 4);
    d.SetEngineStates();
    const D3D9TLVertex v[4] = {};
    EXPECT_EQ(D3DERR_INVALIDCALL, d->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(D3D9TLVertex)));
    EXPECT_EQ(D3DERR_INVALIDCALL, d->EndScene());
    EXPECT_EQ(D3D_OK, d->BeginScene());
    EXPECT_EQ(D3DERR_INVALIDCALL, d->BeginScene());
    d->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE);
    EXPECT_EQ(D3DERR_INVALIDCALL, d->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(D3D9TLVertex)));
    EXPECT_EQ(D3D_OK, d->EndScene());

    EXPECT_EQ(D3DERR_INVALIDCALL, d->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0));
    const D3DRECT r{-3, 2, 2, 9};  // clipped to x 0..1, y 2..3
    EXPECT_EQ(D3DERR_INVALIDCALL, d->Clear(0, &r, D3DCLEAR_TARGET, 0, 1.0f, 0));
    d->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    ASSERT_EQ(D3D_OK, d->Clear(1, &r, D3DCLEAR_TARGET, 0xFFFFFFFFu, 1.0f, 0));
    EXPECT_EQ(0xFFFFFFFFu, d.BackBuffer()->ReadRaw(1, 3));
    EXPECT_EQ(0xFF000000u, d.BackBuffer()->ReadRaw(2, 3));
    EXPECT_EQ(0xFF000000u, d.BackBuffer()->ReadRaw(1, 1));
}

// The engine's batch: one vertex buffer of n quads, indices 0 .. 4n - 1, one draw per quad.
TEST_F(D3D9DeviceTest, IndexedStripsDrawTheQuadsTheirIndicesName)
{
    D3D9TestDevice d(8, 2);
    d.SetEngineStates();
    d.SetOps(D3DTOP_SELECTARG2, D3DTOP_SELECTARG2);
    d->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    IDirect3DVertexBuffer9* vb = nullptr;
    IDirect3DIndexBuffer9* ib = nullptr;
    ASSERT_EQ(D3D_OK, d->CreateVertexBuffer(2 * 112, D3DUSAGE_WRITEONLY, 0x144, D3DPOOL_MANAGED, &vb, nullptr));
    ASSERT_EQ(D3D_OK, d->CreateIndexBuffer(8 * 2, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED, &ib, nullptr));
    D3D9TLVertex* v = nullptr;
    ASSERT_EQ(D3D_OK, vb->Lock(0, 0, reinterpret_cast<void**>(&v), 0));
    for (int q = 0; q < 2; ++q) {
        const float l = q * 4 - 0.5f, r = q * 4 + 2 - 0.5f;
        const D3DCOLOR c = q == 0 ? 0xFFFF0000u : 0xFF0000FFu;
        v[q * 4 + 0] = {l, -0.5f, 0, 1, c, 0, 0};
        v[q * 4 + 1] = {l, 1.5f, 0, 1, c, 0, 0};
        v[q * 4 + 2] = {r, -0.5f, 0, 1, c, 0, 0};
        v[q * 4 + 3] = {r, 1.5f, 0, 1, c, 0, 0};
    }
    vb->Unlock();
    std::uint16_t* idx = nullptr;
    ASSERT_EQ(D3D_OK, ib->Lock(0, 0, reinterpret_cast<void**>(&idx), 0));
    for (std::uint16_t i = 0; i < 8; ++i) idx[i] = i;
    ib->Unlock();
    void* p = nullptr;
    EXPECT_EQ(D3DERR_INVALIDCALL, vb->Lock(200, 32, &p, 0));

    d->CallLog().Enable(true);
    d->SetStreamSource(0, vb, 0, 28);
    d->SetIndices(ib);
    d->SetTexture(0, nullptr);
    d->BeginScene();
    EXPECT_EQ(D3D_OK, d->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 4, 4, 4, 2));
    EXPECT_EQ(D3DERR_INVALIDCALL, d->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 4, 4, 6, 2));  // past the indices
    EXPECT_EQ(D3DERR_INVALIDCALL, d->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 4, 4, 4, 4, 2));  // past the vertices
    EXPECT_EQ(D3DERR_INVALIDCALL, d->DrawPrimitive(D3DPT_TRIANGLESTRIP, 6, 2));
    d->EndScene();
    EXPECT_EQ(0xFF000000u, d.BackBuffer()->ReadRaw(1, 0));  // the first quad was not asked for
    EXPECT_EQ(0xFF0000FFu, d.BackBuffer()->ReadRaw(4, 1));
    EXPECT_EQ(0xFF0000FFu, d.BackBuffer()->ReadRaw(5, 0));
    EXPECT_EQ(0xFF000000u, d.BackBuffer()->ReadRaw(6, 0));
    ASSERT_EQ(1u, d->CallLog().Count(D3D9CallRecord::Kind::DrawIndexedPrimitive));
    const D3D9CallRecord& draw = d->CallLog().Records().back();
    EXPECT_EQ(4u, draw.startIndex);
    EXPECT_EQ(nullptr, draw.texture);
    EXPECT_EQ(d.BackBuffer(), draw.target);
    vb->Release();
    ib->Release();
}

TEST_F(D3D9DeviceTest, SystemMemoryTexturesCannotBeBound)
{
    D3D9TestDevice d;
    IDirect3DTexture9* tex = d.MakeTexture(1, 1, D3DFMT_A8R8G8B8, {0}, D3DPOOL_SYSTEMMEM);
    EXPECT_EQ(D3DERR_INVALIDCALL, d->SetTexture(0, tex));
    tex->Release();
}

class D3D9DeviceLossTest : public D3D9Test {
protected:
    void SetUp() override
    {
        D3D9Test::SetUp();
        d = std::make_unique<D3D9TestDevice>(4, 4);
    }
    void TearDown() override
    {
        d.reset();
        D3D9Test::TearDown();
    }
    std::unique_ptr<D3D9TestDevice> d;
};

TEST_F(D3D9DeviceLossTest, LostDeviceRefusesPresentAndResetUntilResettable)
{
    IDirect3DDevice9* dev = d->dev;
    dev->SimulateDeviceLoss();
    EXPECT_EQ(D3DERR_DEVICELOST, dev->Present(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(D3DERR_DEVICELOST, dev->TestCooperativeLevel());
    D3DPRESENT_PARAMETERS pp = d->pp;
    EXPECT_EQ(D3DERR_DEVICELOST, dev->Reset(&pp));
    EXPECT_EQ(0u, dev->PresentCount());
    // Clears and draws do nothing while lost.
    dev->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFFFFFFu, 1.0f, 0);
    EXPECT_EQ(0xFF000000u, d->BackBuffer()->ReadRaw(0, 0));  // still the new buffer's black

    dev->MakeDeviceResettable();
    EXPECT_EQ(D3DERR_DEVICENOTRESET, dev->TestCooperativeLevel());
    EXPECT_EQ(D3D_OK, dev->Reset(&pp));
    EXPECT_EQ(D3D_OK, dev->TestCooperativeLevel());
    EXPECT_EQ(D3D_OK, dev->Present(nullptr, nullptr, nullptr, nullptr));
}

TEST_F(D3D9DeviceLossTest, ResetIsRefusedWhileDefaultPoolObjectsAreReferenced)
{
    IDirect3DDevice9* dev = d->dev;
    IDirect3DTexture9* rt = nullptr;
    ASSERT_EQ(D3D_OK,
              dev->CreateTexture(2, 2, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &rt, nullptr));
    IDirect3DSurface9* backBuffer = nullptr;
    ASSERT_EQ(D3D_OK, dev->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer));
    IDirect3DVertexBuffer9* defaultVb = nullptr;
    ASSERT_EQ(D3D_OK, dev->CreateVertexBuffer(112, 0, 0x144, D3DPOOL_DEFAULT, &defaultVb, nullptr));
    IDirect3DTexture9* managed = d->MakeTexture(1, 1, D3DFMT_A8R8G8B8, {0x12345678u});
    IDirect3DTexture9* system = d->MakeTexture(1, 1, D3DFMT_A8R8G8B8, {0x9ABCDEF0u}, D3DPOOL_SYSTEMMEM);
    dev->SetRenderTarget(0, rt->Level0());

    dev->SimulateDeviceLoss();
    dev->MakeDeviceResettable();
    D3DPRESENT_PARAMETERS pp = d->pp;
    for (D3D9Object* held : std::initializer_list<D3D9Object*>{rt, backBuffer, defaultVb}) {
        EXPECT_EQ(D3DERR_INVALIDCALL, dev->Reset(&pp));
        EXPECT_EQ(D3DERR_DEVICENOTRESET, dev->TestCooperativeLevel());
        held->Release();
    }
    // Every DEFAULT-pool object is gone (the render target was only held by the device).
    ASSERT_EQ(D3D_OK, dev->Reset(&pp));
    EXPECT_EQ(dev->BackBufferSurface(), dev->CurrentRenderTarget());
    EXPECT_EQ(0x12345678u, managed->Level0()->ReadRaw(0, 0));
    EXPECT_EQ(0x9ABCDEF0u, system->Level0()->ReadRaw(0, 0));
    DWORD value = 0;
    dev->GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ(static_cast<DWORD>(D3DCULL_CCW), value);  // states are back to their initial values
    managed->Release();
    system->Release();
}

}  // namespace
