#include "project/cDbEffect.h"

#include "core/RecordList.h"
#include "project/DatabaseTable.h"

namespace {

// The version that added nReserved, and the first one whose stored value is kept.
constexpr int kReservedVersion = 151;
constexpr int kReservedKeptVersion = 153;

}  // namespace

cDbEffect::cDbEffect()
{
    SetDefault();
}

void cDbEffect::RegisterMembers(int nVersion)
{
    ClearMemberList();
    AddStrMember(&strName, 1);
    if (nVersion >= kReservedVersion) {
        AddDwordMember(&nReserved, 1);
    }
    AddStrMember(&strFileName, 1);
    AddDwordMember(&nCellWidth, 1);
    AddDwordMember(&nCellHeight, 1);
    AddDwordMember(&bScalable, 1);
}

int cDbEffect::Load(FILE* fp)
{
    if (!cDataRecord::Load(fp) || !LoadEntryList(fp, FrameList)) {
        return 0;
    }
    if (nFileVersion < kReservedKeptVersion) {
        nReserved = 0;
    }
    return 1;
}

int cDbEffect::Save(FILE* fp)
{
    int ok = cDataRecord::Save(fp);
    return SaveRecordList(fp, FrameList) && ok;
}

void cDbEffect::SetDefault()
{
    Clear();
    nCellWidth = 32;
    nCellHeight = 32;
    bScalable = 0;
}
