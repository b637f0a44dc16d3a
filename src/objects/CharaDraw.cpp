// The drawing of a character every frame: its cell (with the extra animations and the animation
// set's offsets), the overlay icon, the HP and SP gauges and the drawing of a dying character.
// Reads the stepped state; advances only the animations, the gauges' countdown and the dying
// count, which belong to the drawn frames. Game thread.
#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/SurfaceCatalogue.h"
#include "objects/CharaGraphic.h"
#include "objects/cCharaBase.h"
#include "project/cDatabase.h"
#include "project/cSystemData.h"

namespace {

constexpr int kIconSlot = 43;
constexpr int kAccessorySlot = 49;
constexpr int kIconCount = 120;
constexpr int kIconRows = 15;
constexpr int kCell = 32;
constexpr int kGaugeWidth = 50;
constexpr int kGaugeShrinkFrames = 60;
constexpr int kHudHp = 2;
constexpr int kHudSp = 3;

}  // namespace

int cCharaBase::GetGraphicCell(int& nColourOp) const
{
    nColourOp = 0;
    int column = def.m_nCell;
    const int nSet = def.m_nAnimeSet;
    const cDbAnimeSet* set = nSet >= 0 && static_cast<std::size_t>(nSet) < Database.AnimeSet.size()
                                 ? &Database.AnimeSet.data()[nSet]
                                 : nullptr;
    if (set == nullptr) {
        return column;
    }
    if (def.m_nFlying != 0) {
        column += set->nCellOffsetC;
    }
    if (def.m_bFullCell != 0) {
        column += set->nCellOffsetB;
    }
    if (def.m_nInvincible != 0) {
        column += set->nCellOffsetA;
        const int k = def.m_nInvincibleColor;
        if (lpDTCon != nullptr && SystemData.bD3DColourVariant != 0 && k > 0 && k < kColorFlashCount) {
            nColourOp = k;
        }
    }
    return column;
}

void cCharaBase::Draw(DDSURFACEDATA* target, int paused)
{
    const int frame = UpdateAnimeList(paused);
    if (hiddenThisFrame || def.m_bTransparent) {
        StepCharaEffect(paused);
        return;
    }
    cGameObject::CalcScreenRect();
    if (fixedScreenX) {
        screenLeft = fixedScreenPosX;
        screenRight = screenLeft + gfxWidth - 1;
    }
    if (fixedScreenY) {
        screenTop = fixedScreenPosY;
        screenBottom = screenTop + gfxHeight - 1;
    }
    CHARADRAWPARAM p;
    const int column = GetGraphicCell(p.nColourOp);
    if (p.nColourOp != 0) {
        p.colour = CharaDrawSettings.ColorFlashTable[p.nColourOp];
    }
    SetupCharaGraphic(p, CHARAGRAPHIC_CHARA, def.m_nGraphicSheet, pictureNumber, column, this, frame);
    // A running character effect's handler draws the character here, and its end sets the
    // effect number to 0, once character effects exist; with none running it is drawn plainly.
    DrawCharaCellAt(target, screenLeft, screenTop, p);

    const int m = def.m_nBadge;
    if (def.m_nBadgeShow == 1 && m >= 0 && m < kIconCount && target != nullptr) {
        const int sx = (m / kIconRows) * kCell;
        const int sy = (m % kIconRows) * kCell;
        if (gfxWidth > baseGfxWidth && CharaDrawSettings.iconSheets[0] != nullptr) {
            DDStretchBlt(target, screenLeft, screenTop, gfxWidth, gfxHeight, CharaDrawSettings.iconSheets[0], sx, sy,
                         kCell, kCell, 1);
        } else {
            DDBlt(target, screenLeft, screenTop, kCell, kCell, &SDTable[kIconSlot], sx, sy, 1);
        }
    }
}

int cCharaBase::StepCharaEffect(int paused)
{
    // The running character effect's handler advances without drawing here once character
    // effects exist (its end gives 1 and sets the effect number to 0).
    (void)paused;
    return 0;
}

int cCharaBase::DrawDying(DDSURFACEDATA* target, int paused, int nTargetFps)
{
    (void)target;
    // The graphic is set up with frame 0 and a running death effect's handler draws it here
    // once character effects exist: a computer-operated character may go when the effect ends,
    // a player-operated one starts its second of waiting then. A death effect whose start equals
    // its end is ended after its run time, so that the death always completes.
    if (IsComputer()) {
        return 1;
    }
    if (paused) {
        return 0;
    }
    ++dyingFrames;
    return dyingFrames > nTargetFps ? 1 : 0;
}

void cCharaBase::DrawHpGauge(DDSURFACEDATA* target)
{
    DrawGauge(target, hpGauge, 0);
}

void cCharaBase::DrawSpGauge(DDSURFACEDATA* target)
{
    DrawGauge(target, spGauge, 1);
}

void cCharaBase::DrawGauge(DDSURFACEDATA* target, GAUGE& gauge, int isSp)
{
    if (gauge.framesLeft <= 0 || dying) {
        return;
    }
    const int x = screenLeft + gfxWidth / 2 - kGaugeWidth / 2;
    const int y = screenTop - (isSp ? 7 : 3);
    const int sx = isSp ? 64 : 0;
    DDSURFACEDATA* sheet = &SDTable[kAccessorySlot];
    const bool tall = sheet->nHeight > 208;
    const int f = tall ? 208 : 128;
    const int r = tall ? 2 : 16;
    const bool low = isSp ? SystemData.CheckThreshold(kHudSp, sp, def.m_nMaxSp) != 0
                          : SystemData.CheckThreshold(kHudHp, hp, def.m_nMaxHp) != 0;
    if (target != nullptr) {
        DDBlt(target, x, y, kGaugeWidth, 2, sheet, sx, f, 1);
        DDBlt(target, x, y, gauge.barLength, 2, sheet, sx, low ? f + 2 * r : f + r, 1);
        if (gauge.shrinking >= 0.0) {
            const int n = static_cast<int>(gauge.shrinking);
            DDBlt(target, x + gauge.barLength - n, y, n, 2, sheet, sx, f + 4 * r, 1);
        } else {
            const int n = static_cast<int>(-gauge.shrinking);
            DDBlt(target, x + gauge.barLength, y, n, 2, sheet, sx, f + 3 * r, 1);
        }
    }
    --gauge.framesLeft;
    if (gauge.framesLeft < kGaugeShrinkFrames) {
        gauge.shrinking = 0.0;
    } else {
        gauge.shrinking -= gauge.shrinkStep;
    }
}
