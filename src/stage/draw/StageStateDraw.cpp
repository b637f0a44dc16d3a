// What the states around play show over the frozen stage: the start banners, the pause and miss
// menus with their cursor, the stage-clear caption sliding in with the result panel, and the
// game-over caption. Drawn after the state's step, from the counters it left.
#include "core/TextHelpers.h"
#include "definitions/cEdStage.h"
#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/BlitEffects.h"
#include "graphics/DrawHelpers.h"
#include "graphics/FontTable.h"
#include "graphics/SurfaceCatalogue.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "screenbase/cMenuCursor.h"
#include "stage/StageShellFlags.h"
#include "stage/cSceneStage.h"
#include "stage/ranking/RankingDraw.h"

namespace {

constexpr int kSlotAccessory = 49;
constexpr int kSlotWords = 51;
constexpr int TEXT_ENTRY_HINT = 27;
constexpr int kClearCaptionStill = 100;

void Word(int x, int y, int sx, int sy, int w)
{
    DDBlt(&BackBuffer, x, y, w, 32, &SDTable[kSlotWords], sx, sy, 1);
}

void DrawMenu(int nFirst, int nEntries, int nMenuX)
{
    SystemData.DrawMenuText(BackBuffer, nMenuX, kMenuY, nFirst, nEntries, 1);
    if (MenuCursor.m_pCur != nullptr) {
        DDBlt(&BackBuffer, MenuCursor.m_pCur->x, MenuCursor.m_pCur->y, 16, 16, &SDTable[kSlotAccessory], 64, 0, 1);
    }
}

}  // namespace

void cSceneStage::DrawFrozenState()
{
    Draw(FrozenDrawMode(FrozenMessageLine()));
    DrawStateOverlay();
}

void cSceneStage::DrawStateOverlay()
{
    switch (m_nState) {
    case STAGESTATE_START: DrawStartBanner(); break;
    case STAGESTATE_PAUSE:
        if (m_nSubState == 1) DrawMenu(TEXT_PAUSE_FIRST, PauseMenuEntries(), m_nMenuX);
        break;
    case STAGESTATE_CLEAR: DrawClearDisplay(); break;
    case STAGESTATE_MISS:
        if (m_nSubState == 1) DrawMenu(TEXT_MISS_FIRST, 2, m_nMenuX);
        break;
    case STAGESTATE_GAMEOVER:
        if (Stage.m_bGameOverCaption) Word(248, 224, 0, 96, 144);
        break;
    default: break;
    }
}

void cSceneStage::DrawStartBanner()
{
    if (StageShell.bTestPlay && StageShell.bDirectPlay) {
        return;
    }
    if (SceneFlow().m_nGameMode == GAMEMODE_REPLAY) {
        if (m_nBannerCount > 0 && m_nBannerCount < kBannerFrames) Word(256, 224, 0, 32, 128);
        return;
    }
    if (Stage.m_bStartBanner != 0 && m_nBannerCount > 0 && m_nBannerCount < kBannerFrames) {
        Word(256, 224, 0, 0, 128);
        DDDrawNumber(&BackBuffer, 384, 224, 32, 32, &SDTable[kSlotWords], 0, 128, 1, SaveData.nWorldStage, 1, FALSE, 0);
        return;
    }
    if (Stage.m_bReadyBanner != 0 && m_nBannerCount2 > 0 && m_nBannerCount2 < kBannerFrames) {
        Word(280, 224, 160, 0, 80);
    }
}

void cSceneStage::DrawClearDisplay()
{
    if (FrozenMessageLine() == 0 && TEXT_ENTRY_HINT < static_cast<int>(SystemData.TextTable.size())) {
        const std::string& text = SystemData.TextTable[TEXT_ENTRY_HINT];
        FontTable[Font16].Printf(&BackBuffer, 320 - 8 * CountChars(text.c_str()), 456, "%s", text.c_str());
    }
    if (m_nSubState != 1) {
        return;
    }
    if (Stage.m_bClearCaption != 0) {
        if (m_nBannerCount < kClearCaptionStill) {
            DDBltSplit(&BackBuffer, 256, 192, 128, 32, 4, kClearCaptionStill - m_nBannerCount, &SDTable[kSlotWords], 0,
                       64, 1, FALSE);
        } else {
            Word(256, 192, 0, 64, 128);
        }
    }
    if (m_nBannerCount >= kClearDisplayEnd && SceneFlow().m_bRanking && Stage.m_bSkipResults == 0) {
        DrawResult(&BackBuffer, 336, 224, m_RankReached);
    }
}
