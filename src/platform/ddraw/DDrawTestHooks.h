// Test and diagnosis hooks of the DirectDraw stand-in: failure injection, surface loss, the
// video-memory budget, the 16-bit format, and the visible image.
#pragma once

#include <cstddef>

#include "platform/ddraw/DDrawTypes.h"
#include "platform/hostapi/Host.h"

// Calls that can be made to fail. While a fault is on, the call returns DDERR_GENERIC (creation
// calls: DDERR_OUTOFVIDEOMEMORY for CreateOffscreenVideo, DDERR_INVALIDMODE for display modes).
enum class DDrawFault {
    CreateEx,  // DirectDrawCreateEx
    SetCooperativeLevel,
    SetDisplayModeWithRefresh,  // SetDisplayMode with a refresh rate other than 0
    SetDisplayMode,             // SetDisplayMode with refresh rate 0
    CreatePrimary,              // CreateSurface of a primary surface or flip chain
    GetAttachedSurface,
    CreateOffscreenVideo,   // CreateSurface of an off-screen surface in video memory
    CreateOffscreenSystem,  // CreateSurface of an off-screen surface in system memory
    CreatePalette,
    SetPalette,
    CreateClipper,
    SetHWnd,
    SetClipper,
    SetColorKey,
    Restore,
    Lock,
    FlipToGDISurface,
    Count
};

// The video memory of the stand-in unless a test sets another budget (bytes).
constexpr size_t kDefaultVideoMemoryBytes = 64u * 1024u * 1024u;

void DDrawSetFault(DDrawFault fault, bool bOn);
// Marks every live surface lost: IsLost, Lock, Blt, BltFast, GetDC and Flip then fail with
// DDERR_SURFACELOST until the surface is restored.
void DDrawLoseAllSurfaces();
// Total video memory; surfaces not in system memory take pitch x height bytes of it.
void DDrawSetVideoMemoryBudget(size_t bytes);
size_t DDrawVideoMemoryUsed();
// Display modes of 16 bits use X1R5G5B5 instead of R5G6B5 (for surfaces created afterwards).
void DDrawUse555(bool bOn);
// All faults off, default budget, R5G6B5; live objects and the visible image are kept.
void DDrawResetHooks();
// DirectDraw objects, surfaces, palettes and clippers alive.
size_t DDrawLiveObjectCount();

// The last visible image (see DirectDrawSurface.h), as the host keeps it (the host's newest
// frame), and how many have been made.
HostFrame DDrawLastVisibleImage();
unsigned DDrawVisibleImageCount();
// The raw value of pixel (x, y) of a surface, read without locking (0 outside the surface).
DWORD DDrawPeekPixel(IDirectDrawSurface7* lpSurface, int x, int y);
