#include "objects/cScroll.h"

#include <algorithm>
#include <cstdint>

#include "objects/StageSpeed.h"

namespace {

// Longest axis, in tiles, that Setup takes as it is; longer ones count as this, so that the
// field's pixel sizes fit an int.
constexpr std::int64_t kMaxScrollTiles = (std::int64_t{1} << 25) - cScroll::kMargin;

}  // namespace

void cScroll::Setup(int nAxisKind, int nTiles, int nRowPitch, int nRowPitchShift)
{
    // Computed in 64 bits and capped, so that no size overflows an int; the stage loader keeps
    // play's stages far below the cap.
    const std::int64_t tiles = std::clamp<std::int64_t>(nTiles, 0, kMaxScrollTiles);
    nAxis = nAxisKind;
    nView = nAxisKind == 0 ? 640 : 480;
    nMargin = kMargin;
    nFieldSize = static_cast<int>(tiles * 32 + 2 * kMargin * 32);
    nCells = static_cast<int>(tiles + 2 * kMargin);
    nPitch = nRowPitch;
    nPitchShift = nRowPitchShift;
    nStageMin = kMargin * 32;
    nStageMax = static_cast<int>((tiles + kMargin) * 32);
}

void cScroll::SetFieldPixels(int nStagePixels)
{
    const std::int64_t pixels = std::clamp<std::int64_t>(nStagePixels, 0, kMaxScrollTiles * 32);
    nFieldSize = static_cast<int>(pixels + 2 * kMargin * 32);
}

void cScroll::Clamp(int)
{
    if (nMin > dPos) {
        dPos = nMin;
        bAtLimit = 1;
    } else if (dPos + nView >= nMax) {
        dPos = nMax - nView;
        if (dPos < nMin) {
            dPos = nMin;
        }
        bAtLimit = 1;
    } else {
        bAtLimit = 0;
    }
}

void cScroll::Move()
{
    dPos += dSpeed;
    Clamp();
}

int cScroll::SetAutoScroll(int bOn, int nSpeed)
{
    if (bOn) {
        dSpeed = nSpeed * 0.1 / ScrollUnit();
        bAuto = 1;
    } else {
        dSpeed = 0.0;
        bAuto = 0;
    }
    return 0;
}

namespace {

// Farthest edge a limit gives, in world pixels: room for the view arithmetic of Clamp.
constexpr long long kFarthestEdge = 1LL << 30;

// nStageMin + nTile x 32, held within +-kFarthestEdge (limits from stage files may be any int).
int TileEdge(int nStageMin, long long nTile)
{
    return static_cast<int>(std::clamp<long long>(nStageMin + nTile * 32, -kFarthestEdge, kFarthestEdge));
}

}  // namespace

void cScroll::SetLimit(int nMinTile, int nMaxTile, int bMin, int bMax)
{
    nMin = bMin ? TileEdge(nStageMin, nMinTile) : nStageMin;
    if (bMax) {
        nMax = TileEdge(nStageMin, static_cast<long long>(nMaxTile) + 1);
        if (nMax < nMin) {
            nMax = nMin;
        }
    } else {
        nMax = nStageMax;
    }
}
