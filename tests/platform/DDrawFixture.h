// Shared by the DirectDraw and GDI tests: a DirectDraw object opened in full screen at a chosen
// format on the virtual clock, and pixel access through the surfaces' own Lock (so that every
// read and write honours lPitch).
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/ddraw/DDrawTestHooks.h"
#include "platform/ddraw/DirectDraw.h"
#include "platform/win/Time.h"

// The display formats every surface test runs over.
enum class TestFormat { Index8, Rgb565, Rgb555, Xrgb32 };

inline const char* FormatName(TestFormat f)
{
    switch (f) {
    case TestFormat::Index8: return "8-bit";
    case TestFormat::Rgb565: return "565";
    case TestFormat::Rgb555: return "555";
    case TestFormat::Xrgb32: return "32-bit";
    }
    return "?";
}

inline int BitsOf(TestFormat f)
{
    return f == TestFormat::Index8 ? 8 : f == TestFormat::Xrgb32 ? 32 : 16;
}

using Rows = std::vector<std::vector<DWORD>>;

class DDrawFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        DDrawResetHooks();
        UseVirtualClock(true, 0);
    }

    void TearDown() override
    {
        for (auto it = m_surfaces.rbegin(); it != m_surfaces.rend(); ++it) (*it)->Release();
        m_surfaces.clear();
        if (m_primary != nullptr) m_primary->Release();
        m_primary = nullptr;
        if (m_dd != nullptr) {
            EXPECT_EQ(m_dd->Release(), 0u) << "something still holds the DirectDraw object";
        }
        m_dd = nullptr;
        EXPECT_EQ(DDrawLiveObjectCount(), 0u);
        DDrawResetHooks();
        UseVirtualClock(false);
    }

    // DirectDraw in exclusive full screen at 640 x 480 in the format; with backBuffers > 0 a flip
    // chain (m_primary, m_back), else a lone primary.
    void OpenFullScreen(TestFormat format, int backBuffers = 1)
    {
        DDrawUse555(format == TestFormat::Rgb555);
        ASSERT_EQ(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&m_dd), IID_IDirectDraw7, nullptr), DD_OK);
        ASSERT_EQ(m_dd->SetCooperativeLevel(kFakeWindow, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT),
                  DD_OK);
        ASSERT_EQ(m_dd->SetDisplayMode(640, 480, static_cast<DWORD>(BitsOf(format)), 60, 0), DD_OK);
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        if (backBuffers > 0) {
            desc.dwFlags |= DDSD_BACKBUFFERCOUNT;
            desc.ddsCaps.dwCaps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX;
            desc.dwBackBufferCount = static_cast<DWORD>(backBuffers);
        }
        ASSERT_EQ(m_dd->CreateSurface(&desc, &m_primary, nullptr), DD_OK);
        if (backBuffers > 0) {
            DDSCAPS2 caps{};
            caps.dwCaps = DDSCAPS_BACKBUFFER;
            ASSERT_EQ(m_primary->GetAttachedSurface(&caps, &m_back), DD_OK);
            m_surfaces.push_back(m_back);
        }
    }

    // An off-screen surface released by the fixture.
    IDirectDrawSurface7* MakeSurface(int width, int height, bool bSystemMemory = false)
    {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | (bSystemMemory ? DDSCAPS_SYSTEMMEMORY : 0);
        desc.dwWidth = static_cast<DWORD>(width);
        desc.dwHeight = static_cast<DWORD>(height);
        IDirectDrawSurface7* s = nullptr;
        EXPECT_EQ(m_dd->CreateSurface(&desc, &s, nullptr), DD_OK);
        if (s != nullptr) m_surfaces.push_back(s);
        return s;
    }

    // Writes raw pixel values row by row from (0, 0).
    static void Write(IDirectDrawSurface7* s, const Rows& rows)
    {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        ASSERT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
        for (size_t y = 0; y < rows.size(); ++y) {
            BYTE* row = static_cast<BYTE*>(desc.lpSurface) + static_cast<std::ptrdiff_t>(y) * desc.lPitch;
            for (size_t x = 0; x < rows[y].size(); ++x)
                std::memcpy(row + x * bytes, &rows[y][x], static_cast<size_t>(bytes));
        }
        s->Unlock(nullptr);
    }

    // Reads width x height raw pixel values from (0, 0).
    static Rows Read(IDirectDrawSurface7* s, int width, int height)
    {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        Rows rows;
        if (s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) {
            ADD_FAILURE() << "lock failed";
            return rows;
        }
        const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
        for (int y = 0; y < height; ++y) {
            rows.emplace_back();
            const BYTE* row = static_cast<const BYTE*>(desc.lpSurface) + static_cast<std::ptrdiff_t>(y) * desc.lPitch;
            for (int x = 0; x < width; ++x) {
                DWORD v = 0;
                std::memcpy(&v, row + x * bytes, static_cast<size_t>(bytes));
                rows.back().push_back(v);
            }
        }
        s->Unlock(nullptr);
        return rows;
    }

    // Fills the whole surface with a raw value.
    static HRESULT Fill(IDirectDrawSurface7* s, DWORD value, RECT* rect = nullptr)
    {
        DDBLTFX fx{};
        fx.dwSize = sizeof(fx);
        fx.dwFillColor = value;
        return s->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    }

    static HRESULT SetKey(IDirectDrawSurface7* s, DWORD key)
    {
        DDCOLORKEY k{key, key};
        return s->SetColorKey(DDCKEY_SRCBLT, &k);
    }

    static inline const HWND kFakeWindow = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x4242));

public:  // read by the case tables' lambdas
    IDirectDraw7* m_dd = nullptr;
    IDirectDrawSurface7* m_primary = nullptr;
    IDirectDrawSurface7* m_back = nullptr;
    std::vector<IDirectDrawSurface7*> m_surfaces;
};
