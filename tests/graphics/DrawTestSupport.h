// Shared by the tests of the blits, fills, batches and text: the graphics fixture with the test
// palette and its transparent colour loaded, small pictures given as rows of letters, canvases
// painted through the stand-ins directly (not through the code under test), and the raw pixel each
// letter becomes in a configuration.
//
// Letters: '.' palette index 0 (the transparent colour, magenta), R red 1, G green 2, B blue 3,
// W white 4, Y yellow 5, C index 6 (a mixed colour, used as a canvas background).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "GraphicsTestSupport.h"
#include "graphics/BoxBatch.h"
#include "graphics/LockSD.h"
#include "graphics/SpriteBatch.h"
#include "platform/d3d9/IDirect3DDevice9.h"

namespace gfxtest {

inline std::uint32_t IndexOf(char letter)
{
    switch (letter) {
    case 'R': return 1;
    case 'G': return 2;
    case 'B': return 3;
    case 'W': return 4;
    case 'Y': return 5;
    case 'C': return 6;
    default: return 0;
    }
}

inline std::uint32_t ColourOf(char letter)
{
    return TestPaletteColours()[IndexOf(letter)];
}

using Image = std::vector<std::string>;
using RawImage = std::vector<std::vector<DWORD>>;

class DrawTest : public GraphicsMatrixTest {
protected:
    void TearDown() override
    {
        DDEndBatch();
        DDEndBoxBatch();
        for (auto& sd : m_surfaces) DDReleaseSurface(sd.get());
        m_surfaces.clear();
        GraphicsMatrixTest::TearDown();
    }

    const Config& C() const { return GetParam(); }
    bool D3D() const { return GetParam().bDirect3D != 0; }

    // Opens the configuration and loads the test palette and its transparent colour (magenta) the
    // way the start-up does for a game that takes them from its palette bitmap.
    void OpenWithPalette()
    {
        ASSERT_TRUE(Open(C()));
        const char* path = "bmp\\plt\\Palette.bmp";
        Write(path, PaletteBmp());
        ASSERT_TRUE(DDLoadPaletteFromFile(Palette, path, C().nBpp));
        for (int i = 0; i < 256; ++i) PaletteBackup[i] = Palette[i];
        ASSERT_TRUE(SetTrans(path));
    }

    // A new record that the fixture releases before the back-end closes.
    DDSURFACEDATA* NewRecord()
    {
        m_surfaces.push_back(std::make_unique<DDSURFACEDATA>());
        return m_surfaces.back().get();
    }

    // A picture loaded from an 8-bit bitmap whose rows are the given letters.
    DDSURFACEDATA* Picture(const Image& rows, int bColorKey = 1, int nMemoryType = DTMEMORYTYPE_VIDEO_RT,
                           int nMirrorW = 0, int bShare = 0)
    {
        const std::string path = "bmp\\picture" + std::to_string(m_surfaces.size()) + ".bmp";
        Write(path, Bmp8(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
                         [&](int x, int y) { return IndexOf(rows[static_cast<size_t>(y)][static_cast<size_t>(x)]); }));
        DDSURFACEDATA* sd = NewRecord();
        const int bSystemMemory = nMemoryType == DTMEMORYTYPE_SYSTEM ? 1 : 0;
        EXPECT_EQ(DDCreateSurfaceFromFile(sd, path.c_str(), bColorKey, C().nBpp, bSystemMemory, nMemoryType, bShare, 0,
                                          nMirrorW, 0, 0),
                  0);
        return sd;
    }

    // An empty surface (a render target under Direct3D unless in system memory) painted with the
    // letter's colour.
    DDSURFACEDATA* Canvas(int nWidth, int nHeight, char background = 'C', int bColorKey = 1,
                          int nMemoryType = DTMEMORYTYPE_VIDEO_RT)
    {
        DDSURFACEDATA* sd = NewRecord();
        const int bSystemMemory = nMemoryType == DTMEMORYTYPE_SYSTEM ? 1 : 0;
        EXPECT_TRUE(DDCreateSurface(sd, nWidth, nHeight, bColorKey, bSystemMemory, nMemoryType, 0, 0));
        Paint(sd, background);
        return sd;
    }

    // Paints the whole surface with the letter's colour through the stand-ins: a device clear for a
    // Direct3D render target, raw texels through a lock otherwise, a colour fill under DirectDraw.
    void Paint(DDSURFACEDATA* sd, char letter)
    {
        if (D3D() && sd->lpDT->bRenderTarget) {
            ASSERT_EQ(lpDevice->SetRenderTarget(0, sd->lpDT->lpSurface), D3D_OK);
            ASSERT_EQ(lpDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u | ColourOf(letter), 1.0f, 0), D3D_OK);
            lpDevice->SetRenderTarget(0, lpDTCon->lpDefaultTarget->lpDT->lpSurface);
        } else if (D3D()) {
            cLockSD lock(sd, C().nBpp);
            ASSERT_TRUE(lock.IsLocked());
            for (int y = 0; y < sd->nHeight; ++y)
                for (int x = 0; x < sd->nWidth; ++x) lock.Write(x, y, Raw(letter));
        } else {
            DDBLTFX fx;
            fx.dwSize = sizeof(fx);
            fx.dwFillColor = Raw(letter);
            ASSERT_EQ(sd->lpDDS->lpDDSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
        }
    }

    // The raw pixel of an opaque letter on a target of the configuration: Direct3D A8R8G8B8 or
    // X8R8G8B8 (X written as ones) at 32 bits; at 16 bits A1R5G5B5 (channels truncated, alpha set),
    // or R5G6B5 on the full-screen back buffer; DirectDraw as loaded.
    DWORD Raw(char letter, bool bBackBuffer = false) const
    {
        const std::uint32_t colour = ColourOf(letter);
        const DWORD r = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
        if (D3D() && C().nBpp == 16 && bBackBuffer && !C().bWindowMode)
            return (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3);
        return LoadedRaw(C(), colour, IndexOf(letter)) & RawMask();
    }

    // DirectDraw at 32 bits gives the fourth byte no meaning.
    DWORD RawMask() const { return !D3D() && C().nBpp == 32 ? 0x00FFFFFFu : 0xFFFFFFFFu; }

    DWORD Pixel(DDSURFACEDATA* sd, int x, int y)
    {
        cLockSD lock(sd, C().nBpp);
        EXPECT_TRUE(lock.IsLocked());
        return lock.IsLocked() ? lock.Read(x, y) & RawMask() : 0xDEADBEEF;
    }

    RawImage Pixels(DDSURFACEDATA* sd)
    {
        RawImage image;
        cLockSD lock(sd, C().nBpp);
        EXPECT_TRUE(lock.IsLocked());
        if (!lock.IsLocked()) return image;
        for (int y = 0; y < sd->nHeight; ++y) {
            image.emplace_back();
            for (int x = 0; x < sd->nWidth; ++x) image.back().push_back(lock.Read(x, y) & RawMask());
        }
        return image;
    }
    // The pixels of the back buffer that differ from want, a picture of letters (one string per
    // row) whose letters are given the colours of the drawing letters in letters: at most five
    // are reported; the count, or -1 when the sizes differ.
    int CountBackBufferMismatches(const std::vector<std::string>& want, const char* letters)
    {
        const RawImage got = Pixels(&BackBuffer);
        if (got.size() != want.size()) {
            ADD_FAILURE() << "back buffer of " << got.size() << " rows";
            return -1;
        }
        DWORD raw[256] = {};
        for (const char* l = letters; *l != '\0'; ++l) raw[static_cast<unsigned char>(*l)] = Raw(*l, true);
        int mismatches = 0;
        for (std::size_t y = 0; y < want.size(); ++y) {
            for (std::size_t x = 0; x < want[y].size() && x < got[y].size(); ++x) {
                const DWORD expected = raw[static_cast<unsigned char>(want[y][x])];
                if (got[y][x] != expected && ++mismatches <= 5) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << "): 0x" << std::hex << got[y][x] << " instead of 0x"
                                  << expected << " ('" << want[y][x] << "')";
                }
            }
        }
        return mismatches;
    }

    // The expected raw image: each letter as Raw(letter); '-' keeps the pixel of before.
    RawImage Expect(const Image& rows, const RawImage& before, bool bBackBuffer = false) const
    {
        RawImage image = before;
        for (size_t y = 0; y < rows.size(); ++y)
            for (size_t x = 0; x < rows[y].size(); ++x)
                if (rows[y][x] != '-') image[y][x] = Raw(rows[y][x], bBackBuffer);
        return image;
    }

    std::vector<std::unique_ptr<DDSURFACEDATA>> m_surfaces;
};

// The Direct3D configurations alone (the sprite batch, the blend state).
inline const Config kDirect3DConfigs[] = {kConfigs[0], kConfigs[1], kConfigs[2]};

}  // namespace gfxtest
