// Pixel access shared by the effect blitters (tint, translucency, colour veil and the others):
// the Direct3D effect quad, the locked pair of destination and source, the transparency test of
// a source pixel and the 16-bit channel arithmetic. Internal to the drawing library; game thread
// (the palette and blend-table reading also run on the main thread at start-up).
#pragma once

#include <cstddef>
#include <cstring>
#include <optional>

#include "graphics/DDSurfaceData.h"
#include "graphics/LockSD.h"
#include "platform/d3d9/D3D9Types.h"

// The source of an effect after mirroring: origin and signed size. A negative width (or height)
// means a pre-mirrored frame: sx (sy) is then the exclusive right (bottom) edge and the picture
// is read from right to left (bottom to top).
struct EffectSource {
    int sx = 0;
    int sy = 0;
    int nWidth = 0;
    int nHeight = 0;
    // Source column and row of destination offset (i, j); 0 <= i < |nWidth|, 0 <= j < |nHeight|.
    int Column(int i) const { return nWidth < 0 ? sx - 1 - i : sx + i; }
    int Row(int j) const { return nHeight < 0 ? sy - 1 - j : sy + j; }
};

// Mirrors the source rectangle of an nWidth x nHeight effect (Direct3D shared sources with
// pre-mirrored frames); otherwise returns it unchanged.
EffectSource DDEffectSource(DDSURFACEDATA* lpSrc, int sx, int sy, int nWidth, int nHeight);

// Direct3D: redirects both records (shared texture, virtual back buffer) and tells whether the
// effect quad applies: the destination is a render target and the source not in system memory.
// FALSE under DirectDraw or when a record has no Direct3D part.
BOOL DDEffectQuadApplies(DDSURFACEDATA** lplpDst, DDSURFACEDATA** lplpSrc);

// Texture-stage settings of one effect, applied on stage 0 right before the quad is drawn.
using EffectStageFn = void (*)(DWORD dwParam);

// Draws the effect quad x, y, nWidth x nHeight on lpDst from the source rectangle src of lpSrc
// with the vertex colour dwColour; fnStages(dwParam) sets the stage states. Both records must be
// redirected already (DDEffectQuadApplies). FALSE when the vertex buffer, the scene, a render
// target or the draw fails (nothing drawn; a failed draw writes a trace line, see
// DDDrawEffectStrip), TRUE otherwise. A source without texture draws nothing, unless
// bTextureOptional: the quad then samples opaque white and shows its vertex colour (the colour
// veil, whose source is the back buffer).
BOOL DDDrawEffectQuad(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc,
                      const EffectSource& src, D3DCOLOR dwColour, EffectStageFn fnStages, DWORD dwParam,
                      bool bTextureOptional = false);

// The same with four vertices already made (strip order top-left, bottom-left, top-right,
// bottom-right), for effects that place the corners themselves.
BOOL DDDrawEffectVertices(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, const D3D9TLVertex* pQuad, EffectStageFn fnStages,
                          DWORD dwParam, bool bTextureOptional = false);

// With the render target, the stage states and the texture already set: draws the four vertices in
// lpBuffer (stream 0, stride 28, FVF 0x144, DrawPrimitive(TRIANGLESTRIP, 0, 2)). A failed draw
// writes "DrawPrimitive Err <result in hex>" to the trace log. Returns the draw's result.
HRESULT DDDrawEffectStrip(IDirect3DVertexBuffer9* lpBuffer);

// The destination and the source locked for one effect call: destination first, then source
// (read-only: effects never write their source); released in the reverse order. When lpSrc is
// lpDst only one lock is taken, for reading and writing. lpDstArea, when given, holds every
// destination pixel the effect writes (see cLockSD).
class cEffectLocks {
public:
    cEffectLocks(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, const RECT* lpDstArea = nullptr);
    cEffectLocks(const cEffectLocks&) = delete;
    cEffectLocks& operator=(const cEffectLocks&) = delete;

    // Both locks held (when the destination fails, the source is not tried).
    bool IsLocked() const { return m_dst.IsLocked() && Src().IsLocked(); }
    const cLockSD& Dst() const { return m_dst; }
    const cLockSD& Src() const { return m_src ? *m_src : m_dst; }
    // Pixel inside the locked pictures (the records after redirection).
    bool DstInside(int x, int y) const { return Inside(m_dst, x, y); }
    bool SrcInside(int x, int y) const { return Inside(Src(), x, y); }

private:
    static bool Inside(const cLockSD& lock, int x, int y);
    cLockSD m_dst;
    std::optional<cLockSD> m_src;  // empty when the source is the destination
};

// The rectangle x, y, nWidth x nHeight as the written area of a lock (held to the range of RECT;
// empty for a size of 0 or less).
RECT DDEffectArea(long long x, long long y, long long nWidth, long long nHeight);

// Row access for loops over many pixels of a locked picture: the first byte of row y
// (0 <= y < height of the locked record), and pixel x of a row as T (BYTE, WORD or DWORD for 8, 16
// and 32 bpp; 0 <= x < width), the same bytes cLockSD::Read and Write use.
inline BYTE* DDEffectRow(const cLockSD& lock, long long y)
{
    return lock.Bits() + static_cast<std::ptrdiff_t>(y) * lock.Pitch() * lock.BytesPerPixel();
}
template <typename T>
DWORD DDLoadPixel(const BYTE* row, long long x)
{
    T v;
    std::memcpy(&v, row + static_cast<std::ptrdiff_t>(x) * static_cast<std::ptrdiff_t>(sizeof(T)), sizeof(T));
    return v;
}
template <typename T>
void DDStorePixel(BYTE* row, long long x, DWORD value)
{
    const T v = static_cast<T>(value);
    std::memcpy(row + static_cast<std::ptrdiff_t>(x) * static_cast<std::ptrdiff_t>(sizeof(T)), &v, sizeof(T));
}

// TRUE when a raw source pixel is the transparent colour: Direct3D 16 bits alpha bit clear,
// 32 bits alpha byte 0; DirectDraw equal to dwColorKey (8 bits: the low byte; 32 bits: the three
// colour bytes).
bool DDEffectIsTransparent(DWORD dwPixel, int nBpp);

// The same test with the back-end and the colour key read once, for loops over many pixels: a
// pixel is transparent when (pixel & dwMask) == dwValue.
struct EffectKey {
    DWORD dwMask = 0;
    DWORD dwValue = 0;
    bool IsTransparent(DWORD dwPixel) const { return (dwPixel & dwMask) == dwValue; }
};
// The key of the current back-end and colour key at depth nBpp (game thread, back-end open).
EffectKey DDEffectKey(int nBpp);

// Channel c of a 16-bit pixel: (p >> shift) & maximum.
inline DWORD DDChannel(DWORD dwPixel, DWORD dwShift, DWORD dwMax)
{
    return (dwPixel >> dwShift) & dwMax;
}

// A 16-bit pixel from channel values in SurfaceChannels units: at the SurfaceChannels shifts
// with the alpha bit under Direct3D, nothing added under DirectDraw; into the Direct3D full-screen
// back buffer at the ScreenChannels shifts with green doubled (5 to 6 bits) and no alpha (under
// DirectDraw the back buffer has the format of every other surface).
DWORD DDCompose16(DWORD r, DWORD g, DWORD b, bool bFullScreenBackBuffer);

// A pixel's three colour channels: bytes at 32 bpp, SurfaceChannels values at 16 bpp.
struct EffectRgb {
    DWORD r = 0;
    DWORD g = 0;
    DWORD b = 0;
};
// Splits a raw source pixel of the screen depth (16 or 32 bpp).
EffectRgb DDEffectSplit(DWORD dwPixel);
// A raw pixel from channels of the screen depth: Direct3D 32 bpp with alpha 255, DirectDraw
// 32 bpp keeping the fourth byte of dwOld, 16 bpp as DDCompose16.
DWORD DDEffectJoin(const EffectRgb& rgb, DWORD dwOld, bool bFullScreenBackBuffer);

// DDEffectSplit and DDEffectJoin with the screen depth, the back-end and the channel layouts read
// once, for loops over many pixels (the effects make one per call, on the game thread).
class cEffectChannels {
public:
    // bFullScreenBackBuffer: the pixels joined go into the full-screen back buffer (converted
    // under Direct3D only).
    explicit cEffectChannels(bool bFullScreenBackBuffer);

    EffectRgb Split(DWORD dwPixel) const
    {
        if (m_b32) return {(dwPixel >> 16) & 0xFF, (dwPixel >> 8) & 0xFF, dwPixel & 0xFF};
        return {(dwPixel >> m_splitShift[0]) & m_splitMax[0], (dwPixel >> m_splitShift[1]) & m_splitMax[1],
                (dwPixel >> m_splitShift[2]) & m_splitMax[2]};
    }
    DWORD Join(const EffectRgb& rgb, DWORD dwOld) const
    {
        if (m_b32) return (dwOld & m_keepOld) | m_fixedBits | rgb.r << 16 | rgb.g << 8 | rgb.b;
        return rgb.r << m_joinShift[0] | (rgb.g * m_greenFactor) << m_joinShift[1] | rgb.b << m_joinShift[2] |
               m_fixedBits;
    }

private:
    bool m_b32;
    DWORD m_splitShift[3];
    DWORD m_splitMax[3];
    DWORD m_joinShift[3];
    DWORD m_greenFactor;  // 2 into the full-screen 16-bit back buffer (5 to 6 bits), else 1
    DWORD m_keepOld;      // bits of the old pixel kept (the fourth byte under DirectDraw 32 bpp)
    DWORD m_fixedBits;    // bits always set (alpha)
};

// Cuts the rectangle sx, sy, nWidth x nHeight of an effect to the source picture (nSrcWidth x
// nSrcHeight), moving x and y along. FALSE when nothing is left.
bool DDClipToSource(int* x, int* y, int* nWidth, int* nHeight, int* sx, int* sy, int nSrcWidth, int nSrcHeight);
