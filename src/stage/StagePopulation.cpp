// The field of a stage start: the object lists emptied, the camera axes, the block map, the
// player, the placed characters and the faction groups; and the per-sub-step flag pass.
#include <new>

#include "core/AppGlobals.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "definitions/StageBounds.h"
#include "definitions/cEdStage.h"
#include "graphics/Boxes.h"
#include "objects/StageObjects.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/shot/ShotStep.h"
#include "objects/shot/cShot.h"
#include "platform/win/Messages.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "stage/StageGeometry.h"
#include "stage/cSceneStage.h"

namespace {

constexpr int kPatternStand = 0;
constexpr int kPatternFly = 2;

void AddGroupOffset(cCharaBase& chara, const cEdChara& def, int nMember)
{
    const double dx = def.GetGroupOffsetX(nMember, def.m_nDirection);
    const double dy = def.GetGroupOffsetY(nMember, def.m_nDirection);
    chara.x += dx;
    chara.right += dx;
    chara.y += dy;
    chara.bottom += dy;
}

// The empty cell: no block (graphic 0), passable, not protected.
void EmptyCell(MAPCELL& cell)
{
    cell.m_nGraphic = 0;
    cell.m_nHitKind = 0;
    cell.m_bNoOverwrite = 0;
    cell.nValue = 0;
}

}  // namespace

void cSceneStage::ClearObjects()
{
    m_ShotLayer.resize(kFactionCount);
    for (std::size_t i = 0; i < m_ShotLayer.size(); ++i) {
        m_ShotLayer.data()[i].clear();
    }
    m_ShotList.clear();
    m_CharaLayer.resize(kFactionCount);
    for (std::size_t i = 0; i < m_CharaLayer.size(); ++i) {
        m_CharaLayer.data()[i].clear();
    }
    CharaList.clear();
    ++m_nCharaListEdits;
    ItemList.clear();
}

void cSceneStage::ResetCamera()
{
    m_ScrollX.dPos = 0.0;
    m_ScrollY.dPos = 0.0;
}

void cSceneStage::SetupCamera()
{
    const MAPLAYOUT layout = MAPLAYOUT::ForStage(Stage.m_nWidth, Stage.m_nHeight);
    m_ScrollX.Setup(0, Stage.m_nWidth, layout.nPitch, layout.nPitchShift);
    // The field's far bounds (object clamping, the off-screen test) come from the pixel sizes the
    // stage stores, not from its tiles.
    m_ScrollX.SetFieldPixels(Stage.m_nFieldWidthPx);
    m_ScrollX.SetAutoScroll(Stage.m_bAutoScrollX, Stage.m_nAutoScrollSpeedX);
    m_ScrollX.SetLimit(Stage.m_nLimitLeft, Stage.m_nLimitRight, Stage.m_bLimitLeft, Stage.m_bLimitRight);
    m_ScrollY.Setup(1, Stage.m_nHeight, layout.nRows, 0);
    m_ScrollY.SetFieldPixels(Stage.m_nFieldHeightPx);
    m_ScrollY.SetAutoScroll(Stage.m_bAutoScrollY, Stage.m_nAutoScrollSpeedY);
    m_ScrollY.SetLimit(Stage.m_nLimitTop, Stage.m_nLimitBottom, Stage.m_bLimitTop, Stage.m_bLimitBottom);
}

bool cSceneStage::BuildMap()
{
    const MAPLAYOUT layout = MAPLAYOUT::ForStage(Stage.m_nWidth, Stage.m_nHeight);
    // The loaders refuse other sizes; a stage that still has one gets no map of that size.
    if (!IsPlayableStageSize(Stage.m_nWidth, Stage.m_nHeight)) {
        static const std::string kBroken = Sjis("ステージファイル %s が破損しています！");
        ReportLog("Stage size out of range : %d x %d", Stage.m_nWidth, Stage.m_nHeight);
        StageMap.clear();
        ErrorBoxF(kBroken.c_str(), Stage.m_strPath.c_str());
        PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
        return false;
    }
    try {
        StageMap.clear();
        StageMap.resize(static_cast<std::size_t>(layout.CellCount()));
    } catch (const std::bad_alloc&) {
        static const std::string kNoMemory = Sjis("メモリ不足により、ステージの初期設定に失敗しました！");
        StageMap.clear();
        ErrorBox(kNoMemory.c_str());
        PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
        return false;
    }
    for (std::size_t i = 0; i < StageMap.size(); ++i) {
        EmptyCell(StageMap.data()[i]);
    }
    for (std::size_t i = 0; i < Stage.m_PlacedBlock.size(); ++i) {
        const cEdBlock& block = Stage.m_PlacedBlock.data()[i];
        const int column = block.m_nX + kFieldMargin;
        const int row = block.m_nY + kFieldMargin;
        // A block placed outside the stage's size has no cell; it is left out.
        if (!layout.Contains(column, row)) {
            continue;
        }
        MAPCELL& cell = StageMap.data()[layout.Cell(column, row)];
        static_cast<cEdBlock&>(cell) = block;
        cell.nValue = 0;
    }
    return true;
}

bool cSceneStage::SpawnPlayer()
{
    m_nPlayerCount = 1;
    Player.resize(1);
    const int hero = Stage.FindHero();
    if (hero < 0) {
        // The stage loader refuses such stages; a stage without a hero cannot be played.
        ECLog("SetStage: no hero");
        PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
        return false;
    }
    cEdChara& def = Stage.m_PlacedChara.data()[hero];
    if (SaveData.bStartPos) {
        def.m_nDirection = static_cast<std::int8_t>(SaveData.nStartDir);
    }
    cPlayer& player = Player.data()[P1];
    player = cPlayer();
    player.InitFromTemplate(m_nCharaId++, def, TileCentre(def.m_nX), TileCentre(def.m_nY));
    if (SaveData.bStartPos) {
        def.m_nX = static_cast<std::uint16_t>(SaveData.nStartX);
        def.m_nY = static_cast<std::uint16_t>(SaveData.nStartY);
    }
    player.SetGridPos(def.m_nX, def.m_nY);
    AddGroupOffset(player, def, 0);
    if (Stage.m_bTakeOverHero != 0) {
        SaveData.GetCharaExtra(0, &player.hp, &player.sp);
    }
    StartPlayerAnimation();

    m_ScrollX.dPos = player.x - 320 + player.hitWidth / 2;
    m_ScrollX.Clamp();
    m_ScrollY.dPos = player.y - 240 + player.hitHeight / 2;
    m_ScrollY.Clamp();
    player.CalcScreenRect();
    if (!CreateHeroViewMask()) {
        return false;
    }
    return true;
}

void cSceneStage::StartPlayerAnimation()
{
    if (Player.empty()) {
        return;
    }
    cPlayer& player = Player.data()[P1];
    player.anime.SetPattern(player.noGravity ? kPatternFly : kPatternStand, 1);
}

int cSceneStage::SpawnPlacedChara(std::list<cChara>& list, int nColumn, int nRow, int& nCounter, const cEdChara& def,
                                  const cItem* held)
{
    cEdChara copy;
    copy = def;
    const int members = copy.m_nGroupCount < 0 ? 1 : copy.m_nGroupCount + 1;
    int made = 0;
    for (int i = 0; i < members; ++i) {
        // Built in place: the faction groups point at list nodes, which never move.
        cChara& chara = list.emplace_back();
        ++m_nCharaListEdits;
        chara.InitFromTemplate(nCounter, copy, held, TileCentre(nColumn), TileCentre(nRow), i);
        chara.SetGridPos(nColumn, nRow);
        AddGroupOffset(chara, copy, i);
        if (!chara.IsInsideStage(1)) {
            list.pop_back();
            ++m_nCharaListEdits;
            continue;
        }
        chara.AdjustPosX();
        chara.AdjustPosY();
        chara.CalcScreenRect();
        ++nCounter;
        ++made;
    }
    return made;
}

void cSceneStage::SpawnPlacedObjects()
{
    const std::size_t itemCount = Stage.m_PlacedItem.size();
    std::vector<std::uint8_t> heldByChara(itemCount, 0);
    for (std::size_t i = 0; i < Stage.m_PlacedChara.size(); ++i) {
        const cEdChara& def = Stage.m_PlacedChara.data()[i];
        // Kind 1: a computer character; the hero's placement makes the player instead.
        if (def.m_nController != 1) {
            continue;
        }
        // The placed item it holds (an index into the placed items; others hold none).
        const std::int32_t held = def.m_nPlaceValue;
        if (held < 0 || static_cast<std::size_t>(held) >= itemCount) {
            SpawnPlacedChara(CharaList, def.m_nX, def.m_nY, m_nCharaId, def);
            continue;
        }
        cEdItem copy;
        copy = Stage.m_PlacedItem.data()[held];
        cItem item;
        item.InitFromDef(m_nItemId++, copy, 1);
        heldByChara[static_cast<std::size_t>(held)] = 1;
        SpawnPlacedChara(CharaList, def.m_nX, def.m_nY, m_nCharaId, def, &item);
    }
    for (std::size_t i = 0; i < itemCount; ++i) {
        if (heldByChara[i] == 0) {
            const cEdItem& def = Stage.m_PlacedItem.data()[i];
            SpawnPlacedItem(ItemList, def.m_nX, def.m_nY, m_nItemId, def);
        }
    }
}

void cSceneStage::BuildFactionGroups()
{
    auto join = [this](cCharaBase& chara) {
        if (chara.faction >= 0 && chara.faction < kFactionCount) {
            m_CharaLayer.data()[chara.faction].push_back(&chara);
        }
    };
    join(Player.data()[P1]);
    for (cChara& chara : CharaList) {
        join(chara);
    }
}

bool cSceneStage::BuildField()
{
    SetupCamera();
    if (!BuildMap() || !SpawnPlayer()) {
        return false;
    }
    m_StageVar.assign(kStageVarCount, 0);
    SpawnPlacedObjects();
    BuildFactionGroups();
    return true;
}

void cSceneStage::FireStartTrigger()
{
    // The project chooses whether every character or only the characters that exist now (their
    // condition lists hold) get trigger 18.
    const bool bEveryone = SystemData.bStageStartVariant != 0;
    if (!bEveryone) {
        UpdateObjectFlags();
    }
    FireCharaTrigger(Player.data()[P1], TRIGGER_STAGE_START);
    for (auto it = CharaList.begin(); it != CharaList.end();) {
        cChara& chara = *it;
        if (!bEveryone && !chara.active) {
            ++it;
            continue;
        }
        FireCharaTrigger(chara, TRIGGER_STAGE_START);
        if (chara.vanished) {
            it = EraseChara(CharaList, it);
            continue;
        }
        if (chara.hp <= 0) {
            // The death handling (score, a dropped item, a stage end) runs before it goes; a stage
            // end it causes goes through EnterClearState, which keeps the clear until SetStage's
            // caller has chosen its state.
            KillChara(chara, CharaList);
            it = EraseChara(CharaList, it);
            continue;
        }
        ++it;
    }
}

void cSceneStage::UpdateObjectFlags()
{
    if (!Player.empty()) {
        Player.data()[P1].active = 1;
        Player.data()[P1].inView = 1;
    }
    m_LinkFlag.assign(kLinkFlagCount, 0);
    for (cChara& chara : CharaList) {
        if (!CheckCharaCond(chara)) {
            chara.active = 0;
            chara.inView = 0;
            continue;
        }
        chara.active = 1;
        chara.inView = chara.IsInView() ? 1 : 0;
        chara.CheckAppearance(m_LinkFlag);
    }
    for (cChara& chara : CharaList) {
        chara.actsThisFrame = chara.active && chara.CheckStartAction(m_LinkFlag) ? 1 : 0;
    }
    UpdateItemFlags();
    UpdateShotFlags(m_ShotList);
}
