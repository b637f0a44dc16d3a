// The heads-up display of the stage: the status bar (scores, HP and SP gauges, lives) and the
// time-limit counter with its warning sound. Reads the stepped state only.
#include <string>

#include "core/TextHelpers.h"
#include "definitions/cEdStage.h"
#include "graphics/Blit.h"
#include "graphics/DrawHelpers.h"
#include "graphics/FontTable.h"
#include "graphics/FrameTiming.h"
#include "graphics/SurfaceCatalogue.h"
#include "objects/StageObjects.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "sound/SoundEffects.h"
#include "stage/cSceneStage.h"
#include "stage/draw/StatusBarLayout.h"

namespace {

constexpr int kSlotStatusBar = 46;
constexpr int kSlotSystemSheet = 49;
constexpr int kSlotDigits = 51;
constexpr int kBarWidth = 640;
constexpr int kBarHeight = 20;
constexpr int kEntryY = 3;
constexpr int kIconSize = 16;
constexpr int kIconRowY = 32;
constexpr int kGaugeHeight = 16;
constexpr int kGaugeFrameY = 128;
constexpr int kGaugeFillY = 144;
constexpr int kGaugeWarnY = 160;
constexpr int kGaugeNumberY = 6;
constexpr int kLivesIconX = 64;
constexpr int kTimeX = 272;
constexpr int kTimeY = 24;
constexpr int kTimeDigit = 32;
constexpr int kTimeRowY = 160;

// Source x of the gauge's frame and fills: HP at 0, SP at 64.
int GaugeSourceX(int nItem)
{
    return nItem == HUD_HP ? 0 : 64;
}

void DrawIcon(DDSURFACEDATA* target, int x, int sx)
{
    DDBlt(target, x, kEntryY, kIconSize, kIconSize, &SDTable[kSlotSystemSheet], sx, kIconRowY, 1);
}

// The head of an entry (icon or label) and the x where its value starts.
int DrawHead(DDSURFACEDATA* target, const HUDSLOT& slot, const cHudItem& item)
{
    if (item.bIcon) {
        DrawIcon(target, slot.x, slot.nItem == HUD_LIVES ? kLivesIconX : kIconSize * slot.nItem);
        return slot.x + kIconSize;
    }
    FontTable[Font16].Printf(target, slot.x, kEntryY, "%s", item.strLabel.c_str());
    return slot.x + kIconSize * CountChars(item.strLabel.c_str());
}

void DrawGauge(DDSURFACEDATA* target, const HUDSLOT& slot, const cHudItem& item, int nValue, int nMax)
{
    const int x = DrawHead(target, slot, item);
    const int sx = GaugeSourceX(slot.nItem);
    DDSURFACEDATA* sheet = &SDTable[kSlotSystemSheet];
    DDBlt(target, x, kEntryY, kGaugeWidth, kGaugeHeight, sheet, sx, kGaugeFrameY, 1);
    const int nFill = GaugeFillWidth(nValue, nMax);
    const int sy = SystemData.CheckThreshold(slot.nItem, nValue, nMax) ? kGaugeWarnY : kGaugeFillY;
    if (nFill > 0) {
        DDBlt(target, x, kEntryY, nFill, kGaugeHeight, sheet, sx, sy, 1);
    }
    if (item.bShowValue) {
        FontTable[Font10].Printf(target, x, kGaugeNumberY, "%d", nValue);
    }
}

void DrawNumberEntry(DDSURFACEDATA* target, const HUDSLOT& slot, const cHudItem& item, int nValue)
{
    if (item.bIcon) {
        const int x = DrawHead(target, slot, item);
        FontTable[Font16].Printf(target, x, kEntryY, "%d", nValue);
        return;
    }
    FontTable[Font16].Printf(target, slot.x, kEntryY, "%s%d", item.strLabel.c_str(), nValue);
}

void DrawLives(DDSURFACEDATA* target, const HUDSLOT& slot, const cHudItem& item)
{
    const int nLives = SaveData.nLives;
    if (nLives != cSaveData::kUnlimitedLives) {
        DrawNumberEntry(target, slot, item, nLives);
        return;
    }
    if (item.bIcon) {
        const int x = DrawHead(target, slot, item);
        FontTable[Font16].Printf(target, x, kEntryY, "-");
        return;
    }
    FontTable[Font16].Printf(target, slot.x, kEntryY, "%s-", item.strLabel.c_str());
}

}  // namespace

void cSceneStage::DrawStatusBar(DDSURFACEDATA* target)
{
    if (!m_nStageFlag) {
        return;
    }
    const std::vector<HUDSLOT> slots = LayoutStatusBar(SystemData.HudItems);
    if (slots.empty()) {
        return;
    }
    DDBlt(target, 0, 0, kBarWidth, kBarHeight, &SDTable[kSlotStatusBar], 0, 0, 0);
    const cPlayer* hero = Player.empty() ? nullptr : &Player.data()[P1];
    for (const HUDSLOT& slot : slots) {
        const cHudItem& item = SystemData.HudItems[slot.nItem];
        switch (slot.nItem) {
        case HUD_TOTAL_SCORE: DrawNumberEntry(target, slot, item, SaveData.nRunScore); break;
        case HUD_SCORE: DrawNumberEntry(target, slot, item, SaveData.nTotalScore); break;
        case HUD_HP:
            if (hero != nullptr) DrawGauge(target, slot, item, hero->hp, hero->def.m_nMaxHp);
            break;
        case HUD_SP:
            if (hero != nullptr) DrawGauge(target, slot, item, hero->sp, hero->def.m_nMaxSp);
            break;
        default: DrawLives(target, slot, item); break;
        }
    }
}

void cSceneStage::DrawTimeLimit(DDSURFACEDATA* target, int bSound)
{
    if (m_bNoTimeLimit) {
        return;
    }
    // A time shorter than three digits is centred in the three-digit field.
    DDDrawNumber(target, kTimeX, kTimeY, kTimeDigit, kTimeDigit, &SDTable[kSlotDigits], 0, kTimeRowY, 1, m_nTime, 3,
                 TRUE, 0);
    if (bSound && m_nTime > 0 && m_nTime <= Stage.m_nTimeWarning && CheckOneSecond(2, SceneFlow().nTargetFps)) {
        PlaySE(SE_TIME_WARNING);
    }
}
