#include "definitions/cEdStage.h"

#include <algorithm>
#include <utility>

#include "core/RecordReader.h"
#include "definitions/DefinitionContext.h"
#include "definitions/DefinitionList.h"
#include "definitions/IndexRepair.h"
#include "definitions/cEdCommonPalette.h"

cEdStage Stage;
cEdStage StageBackup;

namespace {

// Smallest file forms: a background or a text is a record of two counts; a placed object has an
// int32 in front of its record.
constexpr std::size_t kMinPlainRecordBytes = 8;
constexpr std::size_t kPlacedPrefixBytes = 4;

// A screen is 20 x 15 tiles.
constexpr int kScreenTilesX = 20;
constexpr int kScreenTilesY = 15;

// Reads a placed list: int32 n, then per element an ignored int32 and the record.
template <class T>
int LoadPlacedList(cVector<T>& list, FILE* fp)
{
    int count = 0;
    if (!ReadListCount(fp, count, T::kMinFileBytes + kPlacedPrefixBytes)) {
        return 0;
    }
    MakeDefaultElements(list, static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::int32_t ignored = 0;
        // The element's Load leaves it registered for the current version.
        if (!ReadInt32(fp, ignored) || !list[i].Load(fp)) {
            return 0;
        }
    }
    return 1;
}

template <class T>
int SavePlacedList(cVector<T>& list, FILE* fp)
{
    int ok = WriteInt32(fp, static_cast<std::int32_t>(list.size())) ? 1 : 0;
    for (T& element : list) {
        ok = WriteInt32(fp, 0) && ok;
        ok = element.Save(fp) && ok;
    }
    return ok;
}

// Entry 0 of a stage palette list back to its type's defaults (its lists stay); an empty list
// gets its default entry.
template <class T>
void ResetEntryZero(cVector<T>& list)
{
    if (list.empty()) {
        list.resize(1, T());
    } else {
        list[0].Reset();
    }
}

template <class T>
void FillUpToTwo(cVector<T>& list)
{
    if (list.size() < 2) {
        list.resize(2, T());
    }
}

int ClampInt(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

}  // namespace

int LoadBackgroundList(cVector<cEdBackground>& list, FILE* fp)
{
    return LoadDefinitionList(fp, list, kMinPlainRecordBytes);
}

int LoadStageStringList(cVector<cEdStageString>& list, FILE* fp)
{
    return LoadDefinitionList(fp, list, kMinPlainRecordBytes);
}

cEdStage::cEdStage()
{
    RegisterMembers(nDataVersion);
    Reset();
}

PALETTELISTS cEdStage::PaletteLists()
{
    return {&m_PaletteBlock, &m_PaletteChara, &m_PaletteItem};
}

int cEdStage::Load(FILE* fp)
{
    // Kind 2 references resolve against the palette of the stage being read.
    cPaletteScope scope({ActivePalettes().Common, PaletteLists()});
    if (!cDataRecord::Load(fp) || !LoadRanking(fp)) {
        return 0;
    }
    for (cEdOffScreenLimit& limit : m_OffScreen) {
        if (!limit.Load(fp)) {
            return 0;
        }
    }
    if (!LoadBlockList(m_PaletteBlock, fp) || !LoadCharaList(m_PaletteChara, fp) || !LoadItemList(m_PaletteItem, fp)) {
        return 0;
    }
    ResetEntryZero(m_PaletteBlock);
    ResetEntryZero(m_PaletteChara);
    ResetEntryZero(m_PaletteItem);
    if (!LoadPlaced(fp) || !LoadTail(fp)) {
        return 0;
    }
    if (nFileVersion < kCurrentDataVersion) {
        Upgrade(nFileVersion);
    }
    Normalize();
    return 1;
}

int cEdStage::LoadRanking(FILE* fp)
{
    int count = 0;
    if (!ReadListCount(fp, count, sizeof(std::int32_t))) {
        return 0;
    }
    cVector<std::int32_t> ranking(static_cast<std::size_t>(count), 0);
    if (count > 0 && !RecordReader(fp).Read(ranking.data(), ranking.size() * sizeof(std::int32_t))) {
        return 0;
    }
    m_Ranking = std::move(ranking);
    return 1;
}

int cEdStage::LoadPlaced(FILE* fp)
{
    return LoadPlacedList(m_PlacedBlock, fp) && LoadPlacedList(m_PlacedChara, fp) && LoadPlacedList(m_PlacedItem, fp);
}

int cEdStage::LoadTail(FILE* fp)
{
    if (!LoadBackgroundList(m_Background, fp) || !LoadStageStringList(m_StageString, fp)) {
        return 0;
    }
    if (nFileVersion >= kStageEndCodeVersion) {
        std::int32_t endCode = 0;
        if (!ReadInt32(fp, endCode)) {
            return 0;
        }
        // From this version on the code closes every file; anything else there means the parts
        // before it were not what they seemed.
        if (nFileVersion >= kStageEndCheckVersion && endCode != kStageEndCode) {
            return 0;
        }
    }
    return 1;
}

void cEdStage::Upgrade(int nFromVersion)
{
    if (nFromVersion < 155) {
        m_nHeroCharaRangeFlyW = m_nHeroCharaRangeW;
        m_nHeroCharaRangeFlyH = m_nHeroCharaRangeH;
        m_nCharaCharaRangeFlyW = m_nCharaCharaRangeW;
        m_nCharaCharaRangeFlyH = m_nCharaCharaRangeH;
        m_nHeroCharaRangeAlign = 0;
        m_nHeroCharaRangeFlyAlign = 0;
        m_nCharaCharaRangeAlign = 0;
        m_nCharaCharaRangeFlyAlign = 0;
    }
    if (nFromVersion < 166) {
        m_bBgmLoop = 1;
    }
    if (nFromVersion < 181) {
        m_Ranking.resize(kRankingCount, 0);
        m_Ranking[3] = 0;
        m_Ranking[4] = 0;
    }
    if (nFromVersion < 183) {
        m_bShowHud = 1;
    }
    if (nFromVersion < 184) {
        m_bSkipResults = 0;
    }
    if (nFromVersion < 199) {
        m_bBgmKeep = 0;
    }
    if (nFromVersion < 200) {
        m_nHeroBodyW = 16;
        m_nHeroBodyH = 24;
        m_nHeroBodyFlyW = 16;
        m_nHeroBodyFlyH = 16;
        m_nHeroBodyAlign = 1;
        m_nHeroBodyFlyAlign = 0;
        m_nHeroShow0 = 0;
        m_nHeroColor0 = 5;
        m_nCharaBodyW = 16;
        m_nCharaBodyH = 30;
        m_nCharaBodyFlyW = 16;
        m_nCharaBodyFlyH = 30;
        m_nCharaBodyAlign = 1;
        m_nCharaBodyFlyAlign = 1;
    }
    if (nFromVersion < 225) {
        m_bReadyBanner = 0;
    }
}

int cEdStage::Normalize()
{
    cPaletteScope scope({ActivePalettes().Common, PaletteLists()});
    // Upper bounds only: a stage smaller than a screen keeps limits below 0 (10 x 8 tiles with a
    // left limit of 5 gives -10), and the camera of such stages depends on them.
    m_nLimitLeft = std::min(m_nLimitLeft, m_nWidth - kScreenTilesX);
    m_nLimitRight = std::min(m_nLimitRight, m_nWidth - 1);
    m_nLimitTop = std::min(m_nLimitTop, m_nHeight - kScreenTilesY);
    m_nLimitBottom = std::min(m_nLimitBottom, m_nHeight - 1);
    SetSpeedLevel(m_nSpeedLevel);
    m_nBgm = RepairIndex(m_nBgm, DefinitionContext.Count(DB_BGM), 0);
    m_Ranking.resize(kRankingCount, 0);
    FillUpToTwo(m_PaletteBlock);
    FillUpToTwo(m_PaletteChara);
    FillUpToTwo(m_PaletteItem);
    RepairReferences();
    return 1;
}

void cEdStage::RepairReferences()
{
    auto repairBlock = [](cEdBlock& block) {
        block.CheckPaletteRef();
        block.CheckItemRef();
    };
    auto repairChara = [](cEdChara& chara) {
        chara.CheckRefs();
        chara.CheckFlows();
    };
    auto repairItem = [](cEdItem& item) {
        item.CheckRefs();
        item.CheckCommands();
    };
    std::for_each(m_PaletteBlock.begin(), m_PaletteBlock.end(), repairBlock);
    std::for_each(m_PaletteChara.begin(), m_PaletteChara.end(), repairChara);
    std::for_each(m_PaletteItem.begin(), m_PaletteItem.end(), repairItem);
    std::for_each(m_PlacedBlock.begin(), m_PlacedBlock.end(), repairBlock);
    std::for_each(m_PlacedChara.begin(), m_PlacedChara.end(), repairChara);
    std::for_each(m_PlacedItem.begin(), m_PlacedItem.end(), repairItem);
}

void cEdStage::SetSpeedLevel(int nLevel)
{
    // A level of 0 or below would give no sub-steps and divisions by zero.
    const int a = ClampInt(nLevel, kMinSpeedLevel, kMaxSpeedLevel);
    m_nSpeedLevel = a;
    const bool fastLevel = a >= 11 && a <= 19;
    const int b = fastLevel ? a - 10 : a;
    m_nSubSteps = b;
    m_dSubSteps = b;
    m_nTenthSteps = 6 * b;
    m_dSubSteps2 = static_cast<double>(b) * b;
    m_dMaxSpeed = fastLevel ? 60.0 : 6.0 * b;
    m_nSubSteps8 = 8 * b;
    m_dSubMaxSpeed = m_dMaxSpeed / b;
    m_dSubGravity = m_dGravity / (static_cast<double>(b) * b);
}

int cEdStage::FindHero() const
{
    for (std::size_t i = 0; i < m_PlacedChara.size(); ++i) {
        const cEdChara& chara = m_PlacedChara.data()[i];
        if (chara.m_nController == 0 && chara.m_nGraphic != 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int cEdStage::HasHero() const
{
    return FindHero() != -1 ? 1 : 0;
}

int cEdStage::Save(FILE* fp)
{
    Normalize();
    return SaveParts(fp, *this);
}

int cEdStage::SaveForReplay(FILE* fp, cEdStage& header)
{
    Normalize();
    return SaveParts(fp, header);
}

int cEdStage::SaveParts(FILE* fp, cEdStage& header)
{
    cPaletteScope scope({ActivePalettes().Common, PaletteLists()});
    int ok = header.cDataRecord::Save(fp);
    ok = WriteInt32(fp, static_cast<std::int32_t>(header.m_Ranking.size())) && ok;
    for (std::int32_t value : header.m_Ranking) {
        ok = WriteInt32(fp, value) && ok;
    }
    for (cEdOffScreenLimit& limit : header.m_OffScreen) {
        ok = limit.Save(fp) && ok;
    }
    ok = SaveDefinitionList(fp, m_PaletteBlock) && ok;
    ok = SaveDefinitionList(fp, m_PaletteChara) && ok;
    ok = SaveDefinitionList(fp, m_PaletteItem) && ok;
    ok = SavePlacedList(m_PlacedBlock, fp) && ok;
    ok = SavePlacedList(m_PlacedChara, fp) && ok;
    ok = SavePlacedList(m_PlacedItem, fp) && ok;
    ok = SaveDefinitionList(fp, header.m_Background) && ok;
    ok = SaveDefinitionList(fp, header.m_StageString) && ok;
    return WriteInt32(fp, kStageEndCode) && ok;
}

void cEdStage::CopyHeader(cEdStage& source)
{
    if (&source == this) {
        return;
    }
    CopyMembers(source);
    m_Background = source.m_Background;
    m_StageString = source.m_StageString;
    for (int i = 0; i < OFFSCREEN_COUNT; ++i) {
        m_OffScreen[i].CopyMembers(source.m_OffScreen[i]);
    }
    m_Ranking = source.m_Ranking;
}

void cEdStage::TakeContents(cEdStage& loaded)
{
    if (&loaded == this) {
        return;
    }
    CopyMembers(loaded);
    for (int i = 0; i < OFFSCREEN_COUNT; ++i) {
        m_OffScreen[i].CopyMembers(loaded.m_OffScreen[i]);
    }
    // The elements stay where they are, so their member tables stay valid.
    m_PlacedBlock.swap(loaded.m_PlacedBlock);
    m_PlacedChara.swap(loaded.m_PlacedChara);
    m_PlacedItem.swap(loaded.m_PlacedItem);
    m_PaletteBlock.swap(loaded.m_PaletteBlock);
    m_PaletteChara.swap(loaded.m_PaletteChara);
    m_PaletteItem.swap(loaded.m_PaletteItem);
    m_Background.swap(loaded.m_Background);
    m_StageString.swap(loaded.m_StageString);
    m_Ranking.swap(loaded.m_Ranking);
    m_nTenthSteps = loaded.m_nTenthSteps;
}
