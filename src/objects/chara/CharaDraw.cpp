// The drawing of a character every frame: its cell (with the extra animations and the animation
// set's offsets), the overlay icon, the HP and SP gauges and the drawing of a dying character.
// Reads the stepped state; advances only the animations, the gauges' countdown and the dying
// count, which belong to the drawn frames. Game thread.
#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/SurfaceCatalogue.h"
#include "objects/chara/CHARAGRAPHIC.h"
#include "objects/chara/CharaGraphic.h"
#include "objects/chara/cCharaBase.h"
#include "objects/effect/CharaEffectDraw.h"
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
constexpr int kLastEffectKind = 16;

// What the character effects read of this frame's cell: its sources, the colour pair and the
// work surfaces chosen at the stage's start.
CHARAGRAPHIC MakeCharaGraphic(const CHARADRAWPARAM& p)
{
    CHARAGRAPHIC g;
    g.lpPlain = p.plain;
    g.lpEffect = p.plain;
    g.lpStretch = p.stretch != nullptr ? p.stretch : p.plain;
    g.lpTurn = g.lpStretch;
    g.sx = p.sx;
    g.sy = p.sy;
    g.bColorPair = p.nColourOp != 0 ? 1 : 0;
    g.pair = p.colour;
    g.bOwnScale = p.bCustomCell != 0 ? 1 : 0;
    g.nOwnScale = p.bCustomCell != 0 ? p.nCellMul : 1;
    g.lpStretchWork = CharaDrawSettings.iconSheets[1];
    g.lpEffectWork = CharaDrawSettings.iconSheets[2];
    return g;
}

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
    if (charaEffect.nNumber != 0) {
        // A graphic without a sheet cell draws nothing, but its effect runs on in time.
        const CHARAGRAPHIC g = MakeCharaGraphic(p);
        DrawCharaEffect(*this, target, p.plain != nullptr ? &g : nullptr, paused, 1);
    } else {
        DrawCharaCellAt(target, screenLeft, screenTop, p);
    }

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
    if (charaEffect.nNumber == 0) {
        return 0;
    }
    return DrawCharaEffect(*this, nullptr, nullptr, paused, 0);
}

int cCharaBase::DrawDeathEffect(DDSURFACEDATA* target, int paused)
{
    // An effect of a kind that never advances, a run that does not move or a loop would keep
    // the death from ever ending.
    charaEffect.bEndsInTime = 1;
    const int kind = charaEffect.Kind();
    if (kind < 1 || kind > kLastEffectKind) {
        charaEffect.Clear();
        return 1;
    }
    CHARADRAWPARAM p;
    const int column = GetGraphicCell(p.nColourOp);
    if (p.nColourOp != 0) {
        p.colour = CharaDrawSettings.ColorFlashTable[p.nColourOp];
    }
    SetupCharaGraphic(p, CHARAGRAPHIC_CHARA, def.m_nGraphicSheet, pictureNumber, column, this, 0);
    const CHARAGRAPHIC g = MakeCharaGraphic(p);
    return DrawCharaEffect(*this, target, p.plain != nullptr ? &g : nullptr, paused, 1);
}

int cCharaBase::DrawDying(DDSURFACEDATA* target, int paused, int nTargetFps)
{
    // A computer-operated character may go when its death effect ends, a player-operated one
    // starts its second of waiting then.
    if (IsComputer()) {
        return charaEffect.nNumber == 0 ? 1 : DrawDeathEffect(target, paused);
    }
    if (charaEffect.nNumber != 0) {
        DrawDeathEffect(target, paused);
        return 0;
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
