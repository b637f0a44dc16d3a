#include "scenes/ColourCycling.h"

#include <algorithm>

#include "graphics/BackEnd.h"
#include "graphics/Palette.h"
#include "graphics/PaletteEffects.h"
#include "objects/chara/CharaGraphic.h"
#include "project/cSystemData.h"

COLOURCYCLE ColourCycle;

namespace {

// Direct3D texture colour operations: add and subtract.
constexpr DWORD kOpAdd = 7;
constexpr DWORD kOpSubtract = 10;
constexpr int kLevels = 9;
// 8-bit palette rotation: every sixth call, eight groups of four entries from entry 208.
constexpr int kPaletteCalls = 6;
constexpr int kFirstCycled = 208;
constexpr int kGroupEntries = 4;
constexpr int kGroups = 8;

// A level pushed out of 0..255 by a stored step outside its range still gives a colour.
D3DCOLOR Argb(int r, int g, int b)
{
    r = std::clamp(r, 0, 255);
    g = std::clamp(g, 0, 255);
    b = std::clamp(b, 0, 255);
    return 0xFF000000u | static_cast<D3DCOLOR>(r) << 16 | static_cast<D3DCOLOR>(g) << 8 | static_cast<D3DCOLOR>(b);
}

// The colour of entry n (1..9) at level value v; entry 9 by the rotating mode.
D3DCOLOR FlashColour(int n, int v, int nMode)
{
    switch (n) {
    case 1:
    case 2: return Argb(v, v, v);
    case 3: return Argb(v, 0, 0);
    case 4: return Argb(0, v, 0);
    case 5: return Argb(0, 0, v);
    case 6: return Argb(v, v, 0);
    case 7: return Argb(v, 0, v / 4);
    case 8: return Argb(v / 4, 0, v);
    default: break;
    }
    switch (nMode) {
    case 1: return Argb(0, v, 0);
    case 2: return Argb(0, 0, v);
    case 3: return Argb(v, v, 0);
    default: return Argb(v, 0, 0);
    }
}

void RotatePaletteGroups(COLOURCYCLE& cycle)
{
    if (SystemData.bPaletteCycle == 0 || nScreenBpp != 8) {
        return;
    }
    if (++cycle.nPaletteCount < kPaletteCalls) {
        return;
    }
    cycle.nPaletteCount = 0;
    for (int i = 0; i < kGroups; ++i) {
        const int first = kFirstCycled + kGroupEntries * i;
        DDRotatePalette(PaletteBackup, first, first + kGroupEntries - 1, 1, 1, PaletteBackup);
    }
    if (lpDDPalette != nullptr) {
        lpDDPalette->SetEntries(0, kFirstCycled, kGroups * kGroupEntries, &PaletteBackup[kFirstCycled]);
    }
}

}  // namespace

int PingPongStep(int* pLevel, int* pFalling, int nStep, int nMin, int nMax)
{
    if (*pFalling == 0) {
        *pLevel += nStep;
        if (*pLevel >= nMax) {
            *pLevel -= nStep;
            *pFalling = 1;
        }
        return 0;
    }
    *pLevel -= nStep;
    if (*pLevel > nMin) {
        return 0;
    }
    *pLevel += nStep;
    *pFalling = 0;
    return 1;
}

void StepColourFlash(COLOURCYCLE& cycle, int nStep, BLENDSTATE* table)
{
    for (int i = 0; i < kLevels; ++i) {
        const int v = cycle.nLevel[i];
        const int nMode = cycle.nMode;
        const int bTurned = PingPongStep(&cycle.nLevel[i], &cycle.bFalling[i], nStep, 0, 255);
        const int n = i + 1;
        table[n].dwDiffuse = FlashColour(n, v, nMode);
        table[n].dwColorOp = n == 2 ? kOpSubtract : kOpAdd;
        if (n == kLevels && bTurned != 0) {
            cycle.nMode = (cycle.nMode + 1) % 4;
        }
    }
}

void CyclePalette()
{
    if (lpDTCon != nullptr) {
        StepColourFlash(ColourCycle, SystemData.nCycleStep, CharaDrawSettings.ColorFlashTable);
    } else if (lpDDCon != nullptr) {
        RotatePaletteGroups(ColourCycle);
    }
}
