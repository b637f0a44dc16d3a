// A small software Direct3D device for the tests of the Direct3D stand-in: a windowed back buffer
// of the given size and format, the headless host, and helpers that draw the engine's quads
// (four FVF 0x144 vertices, left/top/right/bottom edges minus 0.5, strip order (l,t) (l,b) (r,t)
// (r,b)) and fill textures with raw texel values written by the test itself.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/d3d9/D3D9.h"
#include "platform/d3d9/D3D9Config.h"
#include "platform/hostapi/Host.h"
#include "platform/win/Time.h"

class D3D9TestDevice {
public:
    explicit D3D9TestDevice(UINT width = 8, UINT height = 8, D3DFORMAT format = D3DFMT_X8R8G8B8,
                            UINT interval = D3DPRESENT_INTERVAL_IMMEDIATE)
    {
        d3d = Direct3DCreate9(D3D_SDK_VERSION);
        pp.BackBufferWidth = width;
        pp.BackBufferHeight = height;
        pp.BackBufferFormat = format;
        pp.BackBufferCount = 1;
        pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
        pp.Windowed = TRUE;
        pp.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
        pp.PresentationInterval = interval;
        if (d3d) d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp, &dev);
    }
    ~D3D9TestDevice()
    {
        if (dev) dev->Release();
        if (d3d) d3d->Release();
    }
    D3D9TestDevice(const D3D9TestDevice&) = delete;
    D3D9TestDevice& operator=(const D3D9TestDevice&) = delete;

    IDirect3DDevice9* operator->() const { return dev; }

    // The fixed states the engine sets after creating the device.
    void SetEngineStates() const
    {
        dev->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        dev->SetRenderState(D3DRS_ZENABLE, FALSE);
        dev->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        dev->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        dev->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        dev->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    }

    // Stage 0 operations with the engine's arguments (1 TEXTURE, 2 DIFFUSE).
    void SetOps(DWORD colorOp, DWORD alphaOp, DWORD arg1 = D3DTA_TEXTURE, DWORD arg2 = D3DTA_DIFFUSE) const
    {
        dev->SetTextureStageState(0, D3DTSS_COLOROP, colorOp);
        dev->SetTextureStageState(0, D3DTSS_COLORARG1, arg1);
        dev->SetTextureStageState(0, D3DTSS_COLORARG2, arg2);
        dev->SetTextureStageState(0, D3DTSS_ALPHAOP, alphaOp);
        dev->SetTextureStageState(0, D3DTSS_ALPHAARG1, arg1);
        dev->SetTextureStageState(0, D3DTSS_ALPHAARG2, arg2);
    }

    // A MANAGED (or SYSTEMMEM) texture whose texels are the given raw values, row by row.
    IDirect3DTexture9* MakeTexture(UINT width, UINT height, D3DFORMAT format, const std::vector<std::uint32_t>& raw,
                                   D3DPOOL pool = D3DPOOL_MANAGED) const
    {
        IDirect3DTexture9* texture = nullptr;
        EXPECT_EQ(D3D_OK, dev->CreateTexture(width, height, 1, 0, format, pool, &texture, nullptr));
        if (!texture) return nullptr;
        WriteTexels(texture->Level0(), raw);
        return texture;
    }

    // Writes raw values into a lockable surface through LockRect.
    static void WriteTexels(IDirect3DSurface9* surface, const std::vector<std::uint32_t>& raw)
    {
        D3DSURFACE_DESC desc;
        surface->GetDesc(&desc);
        const UINT bpp = (desc.Format == D3DFMT_A8R8G8B8 || desc.Format == D3DFMT_X8R8G8B8) ? 4 : 2;
        D3DLOCKED_RECT lr;
        ASSERT_EQ(D3D_OK, surface->LockRect(&lr, nullptr, 0));
        for (UINT y = 0; y < desc.Height; ++y)
            for (UINT x = 0; x < desc.Width; ++x) {
                const std::uint32_t v = raw[static_cast<size_t>(y) * desc.Width + x];
                BYTE* p = static_cast<BYTE*>(lr.pBits) + static_cast<size_t>(y) * lr.Pitch + x * bpp;
                if (bpp == 4) {
                    std::memcpy(p, &v, 4);
                } else {
                    const std::uint16_t w = static_cast<std::uint16_t>(v);
                    std::memcpy(p, &w, 2);
                }
            }
        surface->UnlockRect();
    }

    // The engine's quad for pixels x .. x + w - 1, y .. y + h - 1 with the given texture
    // coordinates, drawn in its own scene.
    HRESULT DrawQuad(float x, float y, float w, float h, float u0, float v0, float u1, float v1, D3DCOLOR diffuse) const
    {
        const float l = x - 0.5f, t = y - 0.5f, r = x + w - 0.5f, b = y + h - 0.5f;
        const D3D9TLVertex quad[4] = {{l, t, 0, 1, diffuse, u0, v0},
                                      {l, b, 0, 1, diffuse, u0, v1},
                                      {r, t, 0, 1, diffuse, u1, v0},
                                      {r, b, 0, 1, diffuse, u1, v1}};
        return DrawStrip(quad, 4);
    }

    HRESULT DrawStrip(const D3D9TLVertex* vertices, UINT count) const
    {
        dev->BeginScene();
        const HRESULT hr = dev->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, count - 2, vertices, sizeof(D3D9TLVertex));
        dev->EndScene();
        return hr;
    }

    IDirect3DSurface9* BackBuffer() const { return dev->BackBufferSurface(); }

    IDirect3D9* d3d = nullptr;
    IDirect3DDevice9* dev = nullptr;
    D3DPRESENT_PARAMETERS pp{};
};

// Every Direct3D test starts from the default settings and a fresh headless host.
class D3D9Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetD3D9Config();
        SetHost(CreateHeadlessHost());
        UseVirtualClock(true, 0);
    }
    void TearDown() override
    {
        UseVirtualClock(false);
        ResetD3D9Config();
    }
};
