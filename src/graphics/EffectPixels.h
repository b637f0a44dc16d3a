// Pixel access shared by the effect blitters (tint, translucency, colour veil and the others):
// the Direct3D effect quad, the locked pair of destination and source, the transparency test of
// a source pixel and the 16-bit channel arithmetic. Internal to the drawing library; game thread
// (the palette and blend-table reading also run on the main thread at start-up).
#pragma once

#include <memory>

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
// target or the draw fails (nothing drawn), TRUE otherwise.
BOOL DDDrawEffectQuad(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc,
                      const EffectSource& src, D3DCOLOR dwColour, EffectStageFn fnStages, DWORD dwParam);

// The same with four vertices already made (strip order top-left, bottom-left, top-right,
// bottom-right), for effects that place the corners themselves.
BOOL DDDrawEffectVertices(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, const D3D9TLVertex* pQuad,
                          EffectStageFn fnStages, DWORD dwParam);

// The destination and the source locked for one effect call: destination first, then source;
// released in the reverse order. When lpSrc is lpDst only one lock is taken.
class cEffectLocks {
public:
    cEffectLocks(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc);
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
    std::unique_ptr<cLockSD> m_src;  // null when the source is the destination
};

// TRUE when a raw source pixel is the transparent colour: Direct3D 16 bits alpha bit clear,
// 32 bits alpha byte 0; DirectDraw equal to dwColorKey (8 bits: the low byte; 32 bits: the three
// colour bytes).
bool DDEffectIsTransparent(DWORD dwPixel, int nBpp);

// Channel c of a 16-bit pixel: (p >> shift) & maximum.
inline DWORD DDChannel(DWORD dwPixel, DWORD dwShift, DWORD dwMax) { return (dwPixel >> dwShift) & dwMax; }

// A 16-bit pixel from channel values in SurfaceChannels units: at the SurfaceChannels shifts
// with the alpha bit under Direct3D, nothing added under DirectDraw; into the full-screen back
// buffer at the ScreenChannels shifts with green doubled (5 to 6 bits) and no alpha.
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

// Cuts the rectangle sx, sy, nWidth x nHeight of an effect to the source picture (nSrcWidth x
// nSrcHeight), moving x and y along. FALSE when nothing is left.
bool DDClipToSource(int* x, int* y, int* nWidth, int* nHeight, int* sx, int* sy, int nSrcWidth, int nSrcHeight);
