// The drawing of the world-map screen: the map surface, the hero, the lives box, the stage
// information, the ranking panel and the confirmation menu. Nothing is drawn without a back-end.
#include <string>

#include "core/AppGlobals.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/Fill.h"
#include "graphics/FontTable.h"
#include "graphics/SpriteBatch.h"
#include "graphics/SurfaceCatalogue.h"
#include "graphics/Surfaces.h"
#include "platform/win/Messages.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "project/cWorldMap.h"
#include "scenes/ScenePictures.h"
#include "scenes/WorldMapLayout.h"
#include "scenes/WorldMapRules.h"
#include "scenes/cSceneWorldMap.h"
#include "stage/ranking/cRanking.h"

namespace {

constexpr int kCell = 32;
constexpr int kViewCols = 20;
constexpr int kViewRows = 15;
constexpr int kChipsPerRow = 5;

constexpr int kPanelX = 367;
constexpr int kPanelY = 64;
constexpr int kPanelWidth = 272;
constexpr int kPanelHeight = 352;

// Lives box: right-aligned to end at x 621 (605 + the icon's 16), at y 17; icon and number at y 19.
constexpr int kLivesRight = 605;
constexpr int kLivesBoxY = 17;
constexpr int kLivesTextY = 19;

// Stage information, centred on x 304.
constexpr int kInfoCentreX = 304;
constexpr int kInfoY = 204;
constexpr int kInfoYWithScore = 184;

// Hero animation: 80 calls a cycle, the second picture on the last 40.
constexpr int kHeroCycle = 80;
constexpr int kHeroHalf = 40;

bool Drawing()
{
    return bDDReady.load() != 0;
}

int Digits(int nValue)
{
    return static_cast<int>(std::to_string(nValue).size());
}

}  // namespace

void cSceneWorldMap::CreateSurface()
{
    DDReleaseSurfaceVec(ScenePictures);
    ScenePictures.clear();
    ScenePictureInfo.clear();
    if (!Drawing()) {
        return;
    }
    if (!DDAddSurfaceVec(ScenePictures, ScenePictureInfo, kPanelWidth, kPanelHeight, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0)) {
        PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
        return;
    }
    DrawRanking();
}

void cSceneWorldMap::DrawRanking()
{
    if (!Drawing() || ScenePictures.empty()) {
        return;
    }
    // The genre comes from the save file: one outside the five tables shows the first.
    int nTable = SaveData.nRankingKind;
    if (nTable < 0 || nTable >= RANKING_KIND_COUNT) {
        nTable = RANKING_SCORE;
    }
    Ranking.Draw(&ScenePictures[0], 0, 0, nTable, -1);
}

void cSceneWorldMap::DrawMap()
{
    m_nDrawnScrollX = m_nScrollX;
    m_nDrawnScrollY = m_nScrollY;
    if (!Drawing()) {
        return;
    }
    DDSURFACEDATA* map = &SDTable[kSlotMapSurface];
    DDFillSurfacePal(map, static_cast<DWORD>(WorldMap.nBackColor));
    if (WorldMap.bBackBitmap != 0) {
        const int dx = m_nScrollX < 0 ? -m_nScrollX * kCell : 0;
        const int dy = m_nScrollY < 0 ? -m_nScrollY * kCell : 0;
        const int sx = m_nScrollX >= 0 ? m_nScrollX * kCell : 0;
        const int sy = m_nScrollY >= 0 ? m_nScrollY * kCell : 0;
        DDBlt(map, dx, dy, nScreenWidth, nScreenHeight, &SDTable[kSlotWorldBack], sx, sy, 0);
    }

    DDBeginBatch(0);
    for (int i = 0; i < kViewRows; ++i) {
        const int row = i + m_nScrollY;
        for (int j = 0; j < kViewCols; ++j) {
            const int col = j + m_nScrollX;
            if (col < 0 || col >= WorldMap.nWidth || row < 0 || row >= WorldMap.nHeight) {
                continue;
            }
            const cWorldChip* chip = WorldCellChip(WorldMap, col, row);
            if (chip == nullptr || chip->nImage < 0) {
                continue;
            }
            const int c = chip->nImage;
            DDBlt(map, j * kCell, i * kCell, kCell, kCell, &SDTable[kSlotWorldMapChip], (c % kChipsPerRow) * kCell,
                  (c / kChipsPerRow) * kCell, 1);
        }
    }
    DDEndBatch();

    DDBeginBatch(0);
    for (const cWorldNode& node : WorldMap.Node) {
        const cWorldStage* stage = GetActiveStage(&node);
        if (stage == nullptr) {
            continue;
        }
        DDBlt(map, (node.nX - m_nScrollX) * kCell, (node.nY - m_nScrollY) * kCell, kCell, kCell,
              &SDTable[kSlotWorldEvent], IsCleared(stage) ? kCell : 0, stage->nIcon * kCell, 1);
    }
    DDEndBatch();
}

void cSceneWorldMap::DrawHero()
{
    // Source of the picture by facing: down, up, left, right; an unknown facing looks down.
    static constexpr int kSource[4][2] = {{0, 64}, {64, 64}, {64, 96}, {0, 96}};
    const int nFace = m_nDir >= 0 && m_nDir < 4 ? m_nDir : 0;
    int& nCount = SceneFlow().nMapHeroCount;
    const int nStep = nCount >= 0 && nCount < kHeroCycle ? nCount : 0;
    nCount = (nStep + 1) % kHeroCycle;
    const int sx = kSource[nFace][0] + (nStep >= kHeroHalf ? kCell : 0);
    DDBlt(&BackBuffer, kHeroX, kHeroY, kCell, kCell, &SDTable[kSlotAccessory], sx, kSource[nFace][1], 1);
}

void cSceneWorldMap::Show(bool bInfo)
{
    if (!Drawing()) {
        return;
    }
    DDSURFACEDATA* map = &SDTable[kSlotMapSurface];
    if (map->bLost) {
        DrawMap();
        map->bLost = 0;
    }
    DDBlt(&BackBuffer, 0, 0, nScreenWidth, nScreenHeight, map, 0, 0, 0);
    DrawHero();

    Font& font = FontTable[Font16];
    if (SystemData.bMapShowLives != 0) {
        const int nLives = SaveData.nLives;
        const bool bUnlimited = nLives == cSaveData::kUnlimitedLives;
        const int n = bUnlimited ? 1 : Digits(nLives);
        const int x = kLivesRight - n * 16;
        font.DrawWindow(&BackBuffer, x, kLivesBoxY, (n + 1) * 16, 20);
        DDBlt(&BackBuffer, x, kLivesTextY, 16, 16, &SDTable[kSlotAccessory], 0, 48, 1);
        if (bUnlimited) {
            static const std::string kInfinity = Sjis("∞");
            font.Printf(&BackBuffer, x + 16, kLivesTextY, "%s", kInfinity.c_str());
        } else {
            font.Printf(&BackBuffer, x + 16, kLivesTextY, "%d", nLives);
        }
    }

    if (bInfo && m_pStage != nullptr && m_pStage->nKind == cWorldStage::kKindStage) {
        if (SystemData.RankingRows[0].bEnabled != 0 && SaveData.bRankingShow != 0 && !ScenePictures.empty()) {
            DDSURFACEDATA& panel = ScenePictures[0];
            if (panel.bLost) {
                DrawRanking();
                panel.bLost = 0;
            }
            DDBlt(&BackBuffer, kPanelX, kPanelY, kPanelWidth, kPanelHeight, &panel, 0, 0, 0);
        }
        const bool bScore = SystemData.bMapShowScore != 0 && m_nHighScore > 0;
        const int y = bScore ? kInfoYWithScore : kInfoY;
        if (!m_pStage->strTitle.empty()) {
            const int n = CountChars(m_pStage->strTitle.c_str());
            font.PrintfWindowText(&BackBuffer, kInfoCentreX - n * 8, y, n * 16, 16, "%s", m_pStage->strTitle.c_str());
        }
        if (bScore) {
            const std::string& label = SystemData.TextTable[kTextScore];
            const int nWidth = (CountChars(label.c_str()) + Digits(m_nHighScore)) * 16;
            font.PrintfWindowText(&BackBuffer, kInfoCentreX - nWidth / 2, y + 20, nWidth, 16, "%s%d", label.c_str(),
                                  m_nHighScore);
        }
    }
    // The map leaves the colour cycling alone: its colours stand still while the hero walks.
}

void cSceneWorldMap::ShowConfirm(int nMenuX)
{
    Show(true);
    if (!Drawing()) {
        return;
    }
    SystemData.DrawMenuText(BackBuffer, nMenuX, kConfirmMenuY, kTextConfirmFirst, 2, 1);
    const CURSORPOS& cursor = *MenuCursor.m_pCur;
    DDBlt(&BackBuffer, cursor.x, cursor.y, 16, 16, &SDTable[kSlotAccessory], 64, 0, 1);
}
