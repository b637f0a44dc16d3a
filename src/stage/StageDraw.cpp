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
#include "objects/PlayerDraw.h"
#include "objects/StageObjects.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "stage/StageShellFlags.h"
#include "stage/cRanking.h"
#include "stage/cSceneStage.h"

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

void cSceneStage::Draw(int bFromPlay, int bFreeze, int bTimerSound, int bMessage)
{
    DDSURFACEDATA* target = &BackBuffer;
    if (SDTable[kSlotIconSheetLeft].bLost || SDTable[kSlotIconSheetRight].bLost) {
        BuildIconSheets();
        SDTable[kSlotIconSheetLeft].bLost = 0;
        SDTable[kSlotIconSheetRight].bLost = 0;
    }
    // With a screen effect running, drawing goes to the virtual back buffer here once screen
    // effects exist.
    ScrollBackgrounds();
    DrawBackground(target, 0);
    if (!bFromPlay && m_nState == STAGESTATE_PAUSE && SystemData.bPauseHideField) {
        DrawBackground(target, 1);
        DrawScreenColor(bFreeze);
        return;
    }
    // The pictures of layer 0 are drawn here once picture objects exist.
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
    // The pictures of layer 1, the effects, the text objects and the screen effect are drawn here
    // once they exist.
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
    // The items of this priority are drawn here, in a texture-sorted batch, once items exist.
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
    // The shots and swords of this priority are drawn here, in an unsorted batch, once shots
    // exist.
}

void cSceneStage::DrawPlayer(int bFreeze)
{
    (void)bFreeze;
    cPlayer& hero = Player.data()[P1];
    hero.CalcScreenRect();
    if (hero.dying) {
        // The death animation is drawn here once the character drawing exists; when it reports
        // its end, EndPlayerDeath follows.
        return;
    }
    // The hero's sprite and its HP and SP gauges are drawn here once the character drawing
    // exists.
    DrawBoxDisplay(hero, &BackBuffer);
}

int cSceneStage::DrawChara(cChara& chara, int bFreeze)
{
    (void)bFreeze;
    if (chara.dying) {
        chara.CalcScreenRect();
        // The death animation is drawn here once the character drawing exists; its end (result 1)
        // erases the character.
        return 0;
    }
    if (chara.inView || chara.actsThisFrame) {
        chara.CalcScreenRect();
        // In view, the character, its gauges and its item mark are drawn here (an invisible one
        // only advances its animations and character effect); out of view, an acting character
        // advances them. Both once the character drawing exists.
    }
    return 0;
}

void cSceneStage::DrawRankingDisplay()
{
    Draw(0, 1, 0, 1);
    const int nGenre = SaveData.nRankingKind;
    const int nTables = static_cast<int>(Ranking.m_Tables.size());
    if (nGenre < 0 || nGenre >= nTables) {
        return;
    }
    const int nReached =
        nGenre < static_cast<int>(m_RankReached.size()) ? m_RankReached[static_cast<std::size_t>(nGenre)] : -1;
    Ranking.Draw(&BackBuffer, kRankingX, kRankingY, nGenre, nReached);
}
