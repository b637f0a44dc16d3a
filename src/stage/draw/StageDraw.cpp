// The picture of the running stage, composed once a frame in a fixed order: backgrounds behind
// the field, the block map behind the objects, the objects in their draw priorities, the map
// and backgrounds in front, the hero's view mask, the heads-up display and the message line.
// Reads the stepped state; only the end of a death animation, found while drawing it, moves the
// screen on.
#include "core/TextHelpers.h"
#include "definitions/cEdStage.h"
#include "graphics/BackEnd.h"
#include "graphics/FontTable.h"
#include "graphics/SpriteBatch.h"
#include "graphics/SurfaceCatalogue.h"
#include "objects/StageBitmaps.h"
#include "objects/StageObjects.h"
#include "objects/TextObjects.h"
#include "objects/chara/CharaGraphic.h"
#include "objects/chara/PlayerDraw.h"
#include "objects/effect/EffectObjectsDraw.h"
#include "objects/shot/ShotDraw.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "stage/StageShellFlags.h"
#include "stage/cSceneStage.h"
#include "stage/draw/ScrEffectDraw.h"
#include "stage/ranking/cRanking.h"

namespace {

constexpr int kSlotIconSheetLeft = 63;
constexpr int kSlotIconSheetRight = 64;
constexpr int kSlotViewMask = 65;
constexpr int kPriorities = 8;
constexpr int TEXT_TEST_PLAY_LINE = 25;
constexpr int TEXT_DIRECT_PLAY_LINE = 26;
constexpr int kMessageCentreX = 320;
constexpr int kMessageY = 456;
constexpr int kRankingX = 184;
constexpr int kRankingY = 64;
constexpr int kSlotItemIcons = 43;
// Items carry no display priority of their own: with priorities on they are drawn in the pass of
// the characters' default priority.
constexpr int kDefaultPriority = 3;

// The pictures of one layer; one whose time is over is removed.
void DrawPictures(cStageField& field, DDSURFACEDATA* target, int nLayer, int bFreeze)
{
    const double sx = field.m_ScrollX.dPos;
    const double sy = field.m_ScrollY.dPos;
    for (auto it = field.m_PictureList.begin(); it != field.m_PictureList.end();) {
        if (it->layer != nLayer) {
            ++it;
        } else if (DrawPictureObj(*it, target, sx, sy, bFreeze)) {
            it = field.m_PictureList.erase(it);
        } else {
            ++it;
        }
    }
}

// Entry index of the stage's effect surfaces, null when the cache has none there.
DDSURFACEDATA* EffectSurface(int nNumber, int bStretchCopy)
{
    const int i = EffectSurfaceIndex(nNumber, bStretchCopy);
    if (i < 0 || i >= static_cast<int>(StageBitmaps.Effect.size())) {
        return nullptr;
    }
    return &StageBitmaps.Effect[i];
}

// The effects in an unsorted batch; one that reports its end is removed.
void DrawEffects(cStageField& field, DDSURFACEDATA* target, int bFreeze)
{
    const double sx = field.m_ScrollX.dPos;
    const double sy = field.m_ScrollY.dPos;
    DDBeginBatch(0);
    for (auto it = field.m_EffectList.begin(); it != field.m_EffectList.end();) {
        if (DrawEffectObj(*it, target, EffectSurface(it->number, 0), EffectSurface(it->number, 1), sx, sy, bFreeze)) {
            it = field.m_EffectList.erase(it);
        } else {
            ++it;
        }
    }
    DDEndBatch();
}

// The items of one pass in a texture-sorted batch: those in view and not held by a character.
void DrawItems(DDSURFACEDATA* target, bool bThisPass, int bFreeze)
{
    if (!bThisPass) {
        return;
    }
    DDBeginBatch(1);
    DDBatchAddTexture(&SDTable[kSlotItemIcons]);
    for (cItem& item : ItemList) {
        if (item.inView && !item.bHeld) {
            item.CalcScreenRect();
            item.Draw(target, bFreeze);
        }
    }
    DDEndBatch();
}

// The shots and swords of one pass in an unsorted batch: those of drawing priority nPriority, or
// every one when nPriority is below 0 (the stage draws without priorities).
void DrawShots(cStageField& field, DDSURFACEDATA* target, int nPriority, int bFreeze)
{
    SHOTDRAWSOURCES sources;
    sources.swordSurfaces = &StageBitmaps.SwordType;
    sources.bVideoStretch = CharaDrawSettings.bVideoStretch;
    DDBeginBatch(0);
    for (cShot& shot : field.m_ShotList) {
        if ((nPriority < 0 || shot.def.m_nShotOptB == nPriority) && shot.IsInView()) {
            shot.CalcScreenRect();
            DrawShot(shot, target, bFreeze, sources);
        }
    }
    DDEndBatch();
}

}  // namespace

int cSceneStage::MessageLineText() const
{
    if (StageShell.bDirectPlay) {
        return TEXT_DIRECT_PLAY_LINE;
    }
    if (StageShell.bTestPlay) {
        return TEXT_TEST_PLAY_LINE;
    }
    return -1;
}

void cSceneStage::DrawMessageLine(DDSURFACEDATA* target)
{
    const int nText = MessageLineText();
    if (nText < 0 || nText >= static_cast<int>(SystemData.TextTable.size())) {
        return;
    }
    const std::string& text = SystemData.TextTable[nText];
    FontTable[Font16].Printf(target, kMessageCentreX - 8 * CountChars(text.c_str()), kMessageY, "%s", text.c_str());
}

void cSceneStage::LeaveVirtualBackBuffer()
{
    DDSetVirBackBuffer(FALSE);
}

void cSceneStage::Draw(const STAGEDRAWMODE& mode)
{
    const int bFromPlay = mode.bFromPlay;
    const int bFreeze = mode.bFreeze;
    const int bTimerSound = mode.bTimerSound;
    const int bMessage = mode.bMessage;
    DDSURFACEDATA* target = &BackBuffer;
    if (SDTable[kSlotIconSheetLeft].bLost || SDTable[kSlotIconSheetRight].bLost) {
        BuildIconSheets();
        SDTable[kSlotIconSheetLeft].bLost = 0;
        SDTable[kSlotIconSheetRight].bLost = 0;
    }
    if (m_ScrEffect.nNumber != 0) {
        DDSetVirBackBuffer(TRUE);
    }
    ScrollBackgrounds();
    DrawBackground(target, 0);
    if (!bFromPlay && m_nState == STAGESTATE_PAUSE && SystemData.bPauseHideField) {
        DrawBackground(target, 1);
        DrawScreenColor(bFreeze);
        return;
    }
    DrawPictures(*this, target, 0, bFreeze);
    DrawMap(target, 0);
    const bool bPriorities = Stage.m_bDrawByPriority != 0;
    for (int p = 0; p < (bPriorities ? kPriorities : 1); ++p) {
        DrawPass(p, bPriorities, bFreeze);
    }
    DrawMap(target, 1);
    DrawBackground(target, 1);
    if (!Player.empty()) {
        DrawViewMask(Player.data()[P1], target, &SDTable[kSlotViewMask]);
    }
    DrawPictures(*this, target, 1, bFreeze);
    DrawEffects(*this, target, bFreeze);
    UpdateDrawTextObjects(m_TextList, target, m_bDrawInWait, m_nFrame);
    DrawScrEffect(*this, bFreeze, [this, target] {
        DrawBackground(target, 0);
        DrawBackground(target, 1);
    });
    DrawStatusBar(target);
    DrawTimeLimit(target, bTimerSound);
    if (bMessage) {
        DrawMessageLine(target);
    }
    SceneFlow().CyclePalette();
    DrawScreenColor(bFreeze);
}

void cSceneStage::DrawPass(int nPriority, bool bPriorities, int bFreeze)
{
    if (!Player.empty() && (!bPriorities || Player.data()[P1].def.m_nZ == nPriority)) {
        DrawPlayer(bFreeze);
    }
    DrawItems(&BackBuffer, !bPriorities || nPriority == kDefaultPriority, bFreeze);
    for (auto it = CharaList.begin(); it != CharaList.end();) {
        if (bPriorities && it->def.m_nZ != nPriority) {
            ++it;
            continue;
        }
        if (DrawChara(*it, bFreeze)) {
            it = EraseChara(CharaList, it);
        } else {
            ++it;
        }
    }
    DrawShots(*this, &BackBuffer, bPriorities ? nPriority : -1, bFreeze);
}

void cSceneStage::DrawPlayer(int bFreeze)
{
    cPlayer& hero = Player.data()[P1];
    hero.CalcScreenRect();
    if (hero.dying) {
        if (hero.DrawDying(&BackBuffer, bFreeze, SceneFlow().nTargetFps)) {
            EndPlayerDeath();
        }
        return;
    }
    // The box display belongs to the hero's own picture: its gauges are drawn over it.
    hero.Draw(&BackBuffer, bFreeze);
    DrawBoxDisplay(hero, &BackBuffer);
    hero.DrawHpGauge(&BackBuffer);
    hero.DrawSpGauge(&BackBuffer);
}

int cSceneStage::DrawChara(cChara& chara, int bFreeze)
{
    DDSURFACEDATA* target = &BackBuffer;
    if (chara.dying) {
        chara.CalcScreenRect();
        return chara.DrawDying(target, bFreeze, SceneFlow().nTargetFps);
    }
    if (chara.inView) {
        chara.CalcScreenRect();
        if (chara.def.m_bTransparent) {
            // Animations and effects of an invisible character run on in frozen frames too.
            chara.UpdateAnimeList(0);
            chara.StepCharaEffect(0);
        } else {
            chara.Draw(target, bFreeze);
        }
        chara.DrawHpGauge(target);
        chara.DrawSpGauge(target);
        chara.DrawItemMark(target);
    } else if (chara.actsThisFrame) {
        chara.CalcScreenRect();
        chara.UpdateAnimeList(0);
        chara.StepCharaEffect(0);
    }
    return 0;
}

void cSceneStage::DrawRankingDisplay()
{
    Draw(kDrawFrozen);
    const int nGenre = SaveData.nRankingKind;
    const int nTables = static_cast<int>(Ranking.m_Tables.size());
    if (nGenre < 0 || nGenre >= nTables) {
        return;
    }
    const int nReached =
        nGenre < static_cast<int>(m_RankReached.size()) ? m_RankReached[static_cast<std::size_t>(nGenre)] : -1;
    Ranking.Draw(&BackBuffer, kRankingX, kRankingY, nGenre, nReached);
}
