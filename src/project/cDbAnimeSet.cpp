#include "project/cDbAnimeSet.h"

#include "core/RecordList.h"
#include "core/TextHelpers.h"
#include "project/DatabaseTable.h"

namespace {

// The versions that added nCellOffsetC and the flight motions.
constexpr int kOffsetCVersion = 119;
constexpr int kFlightMotionsVersion = 128;

// The default motion names, Shift-JIS.
const std::string& MotionName(int nMotion)
{
    static const std::string kNames[cDbAnimeSet::kMotionCount] = {
        Sjis("立ち"),
        Sjis("立ち移動"),
        Sjis("飛行"),
        Sjis("飛行移動"),
    };
    return kNames[nMotion];
}

}  // namespace

cDbAnimeSet::cDbAnimeSet()
{
    SetDefault();
}

void cDbAnimeSet::RegisterMembers(int nVersion)
{
    ClearMemberList();
    AddStrMember(&strName, 1);
    AddDwordMember(&nCellOffsetA, 1);
    AddDwordMember(&nCellOffsetB, 1);
    if (nVersion >= kOffsetCVersion) {
        AddDwordMember(&nCellOffsetC, 1);
    }
}

int cDbAnimeSet::Load(FILE* fp)
{
    if (!cDataRecord::Load(fp) || !LoadEntryList(fp, MotionList)) {
        return 0;
    }
    if (nFileVersion < kOffsetCVersion) {
        ResizeMotions(kMotionCount);
    }
    if (nFileVersion < kFlightMotionsVersion) {
        ResizeMotions(kMotionCount);
        MotionList[2].strName = MotionName(2);
        MotionList[3].strName = MotionName(3);
    }
    // A newer set may store fewer motions than the characters play: the missing ones are
    // appended as reset animations with their default names.
    for (int i = static_cast<int>(MotionList.size()); i < kMotionCount; ++i) {
        MotionList.emplace_back();
        MotionList[i].strName = MotionName(i);
    }
    return 1;
}

int cDbAnimeSet::Save(FILE* fp)
{
    int ok = cDataRecord::Save(fp);
    return SaveRecordList(fp, MotionList) && ok;
}

void cDbAnimeSet::SetDefault()
{
    Clear();
    nCellOffsetA = 4;
    nCellOffsetB = 8;
    nCellOffsetC = 0;
    ResizeMotions(kMotionCount);
    for (int i = 0; i < kMotionCount; ++i) {
        MotionList[i].strName = MotionName(i);
    }
}

void cDbAnimeSet::ResizeMotions(int nCount)
{
    MotionList.resize(static_cast<std::size_t>(nCount));
}
