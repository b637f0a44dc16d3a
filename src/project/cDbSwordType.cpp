#include "project/cDbSwordType.h"

#include "core/RecordList.h"
#include "project/DatabaseTable.h"

namespace {

// The version that added nReserved, and the first one whose stored value is kept.
constexpr int kReservedVersion = 151;
constexpr int kReservedKeptVersion = 153;

}  // namespace

cDbSwordType::cDbSwordType()
{
    SetDefault();
}

void cDbSwordType::RegisterMembers(int nVersion)
{
    ClearMemberList();
    AddStrMember(&strName, 1);
    if (nVersion >= kReservedVersion) {
        AddDwordMember(&nReserved, 1);
    }
    AddStrMember(&strFileName, 1);
    AddStrMember(&strFileNameLeft, 1);
}

int cDbSwordType::Load(FILE* fp)
{
    if (!cDataRecord::Load(fp) || !LoadEntryList(fp, FrameList)) {
        return 0;
    }
    if (nFileVersion < kReservedKeptVersion) {
        nReserved = 0;
    }
    return 1;
}

int cDbSwordType::Save(FILE* fp)
{
    int ok = cDataRecord::Save(fp);
    return SaveRecordList(fp, FrameList) && ok;
}

void cDbSwordType::SetDefault()
{
    Clear();
    FrameList.Reset(1);
    FrameList[0].nTime = 1;
}
