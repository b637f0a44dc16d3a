// The save-data record: its members, file layout, upgrade of older files and validation.
#include "project/cSaveData.h"

#include <algorithm>

#include "core/RecordList.h"
#include "project/SettingsLists.h"
#include "project/cSystemData.h"
#include "project/cWorldMap.h"

cSaveData SaveData;
cSaveData SaveDataAtStart;
cSaveData SaveDataAtStartPrev;

namespace {

// The versions from which the file holds a member or list, or changed its meaning.
constexpr int kStageBgmLoopVersion = 166;
constexpr int kAutoSaveVersion = 169;
constexpr int kRunValue34Version = 182;
constexpr int kMapEnteredVersion = 190;
constexpr int kMapEnterPosVersion = 191;
constexpr int kMapDirVersion = 194;
constexpr int kLastVersionWithoutCarryFlags = 500;
constexpr int kStartPosVersion = 678;
constexpr int kStartDirVersion = 679;

// Pads list with value up to n entries; longer lists stay.
template <class T>
void PadTo(cVector<T>& list, std::size_t n, const T& value = T())
{
    if (list.size() < n) {
        list.resize(n, value);
    }
}

}  // namespace

cSaveData::cSaveData()
{
    RegisterMembers(nDataVersion);
    Reset();
}

void cSaveData::RegisterMembers(int v)
{
    ClearMemberList();
    for (std::int32_t* member :
         {&bCarry, &nMapX, &nMapY, &nMapEntryStored, &nLap, &nStageNo, &nWorldStage, &nStartLives, &nLives,
          &nTotalScore, &nRunScore, &nBestTotal, &nRunValue1, &nRunValue2}) {
        AddDwordMember(member, 1);
    }
    if (v >= kRunValue34Version) {
        AddDwordMember(&nRunValue3, 1);
        AddDwordMember(&nRunValue4, 1);
    }
    AddDwordMember(&bWorldRun, 1);
    AddDwordMember(&nStageBgm, 1);
    if (v >= kStageBgmLoopVersion) AddDwordMember(&bStageBgmLoop, 1);
    if (v >= kMapEnteredVersion) {
        if (v >= kMapDirVersion) AddDwordMember(&nMapDir, 1);
        AddDwordMember(&bMapEntered, 1);
        if (v >= kMapEnterPosVersion) {
            AddDwordMember(&nMapEnterX, 1);
            AddDwordMember(&nMapEnterY, 1);
        }
    }
    AddDwordMember(&nWorldOpen, 1);
    AddDwordMember(&nSlot, 1);
    if (v >= kAutoSaveVersion) AddDwordMember(&bAutoSave, 1);
    AddDwordMember(&bRankingShow, 1);
    AddDwordMember(&nRankingKind, 1);
    if (v >= kStartPosVersion) {
        AddDwordMember(&bStartPos, 1);
        AddDwordMember(&nStartX, 1);
        AddDwordMember(&nStartY, 1);
    }
    if (v >= kStartDirVersion) AddDwordMember(&nStartDir, 1);
    AddStrMember(&strStage, 1);
    AddStrMember(&strName, 1);
}

int cSaveData::Load(FILE* fp)
{
    int ok = cDataRecord::Load(fp) && LoadOwnPart(fp);
    nMapEntry = nullptr;
    nMapEntryStored = 0;
    if (ok && nFileVersion < kCurrentDataVersion) {
        Upgrade(nFileVersion);
    }
    Validate();
    return ok;
}

int cSaveData::LoadOwnPart(FILE* fp)
{
    const int v = nFileVersion;
    return RecordBytesLeft(fp) >= static_cast<long>(sizeof(stTime)) &&
           std::fread(&stTime, 1, sizeof(stTime), fp) == sizeof(stTime) &&
           (v <= kLastVersionWithoutCarryFlags || LoadValueList(fp, CarryFlag)) && LoadRecordList(fp, CarryChara) &&
           LoadRecordList(fp, StageBest) && LoadRecordList(fp, WorldRecord) && LoadValueList(fp, StageClear) &&
           LoadValueList(fp, Var);
}

int cSaveData::Save(FILE* fp)
{
    Validate();
    nMapEntryStored = 0;
    int ok = cDataRecord::Save(fp);
    ok = std::fwrite(&stTime, 1, sizeof(stTime), fp) == sizeof(stTime) && ok;
    ok = SaveValueList(fp, CarryFlag) && ok;
    ok = SaveRecordList(fp, CarryChara) && ok;
    ok = SaveRecordList(fp, StageBest) && ok;
    ok = SaveRecordList(fp, WorldRecord) && ok;
    ok = SaveValueList(fp, StageClear) && ok;
    ok = SaveValueList(fp, Var) && ok;
    return ok;
}

void cSaveData::Upgrade(int c)
{
    if (c < kStageBgmLoopVersion) bStageBgmLoop = 1;
    if (c < kAutoSaveVersion) bAutoSave = 0;
    if (c < kRunValue34Version) {
        nRunValue3 = 0;
        nRunValue4 = 0;
    }
    if (c < kMapEnteredVersion) bMapEntered = 0;
    if (c < kMapEnterPosVersion) {
        nMapEnterX = 0;
        nMapEnterY = 0;
    }
    if (c < kMapDirVersion) nMapDir = 0;
    if (c <= kLastVersionWithoutCarryFlags) CarryFlag.assign(kCarryGroupCount, 1);
}

void cSaveData::Reset()
{
    Clear();
    nMapEntry = nullptr;
    CarryFlag.assign(kCarryGroupCount, 0);
    CarryChara.Reset(1);
    StageClear.assign(kStageCount, 0);
    StageClear[0] = 1;
    Var.assign(kVarCount, 0);
    StageBest.clear();
    WorldRecord.clear();
    nWorldOpen = 1;
    nSlot = -1;
    strName = "aaa";
}

void cSaveData::ClearScore()
{
    nRunScore = 0;
    nRunValue1 = 0;
    nRunValue2 = 0;
    nRunValue3 = 0;
    nRunValue4 = 0;
}

void cSaveData::Validate()
{
    if (nMapX < 0 || nMapX >= WorldMap.nWidth) nMapX = WorldMap.nStartX;
    if (nMapY < 0 || nMapY >= WorldMap.nHeight) nMapY = WorldMap.nStartY;
    const int worlds = std::clamp(SystemData.nWorldCount, 0, kMaxWorldCount);
    ResizeList(WorldRecord, worlds);
    nWorldOpen = std::min(nWorldOpen, worlds);
    KeepListLengths();
}

void cSaveData::KeepListLengths()
{
    PadTo(CarryFlag, kCarryGroupCount);
    PadTo(CarryChara, 1);
    PadTo(StageClear, kStageCount);
    PadTo(Var, kVarCount);
}
