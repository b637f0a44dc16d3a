#include "project/cDbAnime.h"

#include "core/RecordList.h"
#include "project/DatabaseTable.h"

namespace {

// The version that added the three options.
constexpr int kOptionsVersion = 55;

}  // namespace

cDbAnime::cDbAnime()
{
    Reset();
}

void cDbAnime::RegisterMembers(int nVersion)
{
    ClearMemberList();
    AddStrMember(&strName, 1);
    if (nVersion >= kOptionsVersion) {
        AddWordMember(&nOptionA, 1);
        AddByteMember(&bOptionB, 1);
        AddWordMember(&nOptionC, 1);
    }
}

int cDbAnime::Load(FILE* fp)
{
    return cDataRecord::Load(fp) && LoadEntryList(fp, FrameList);
}

int cDbAnime::Save(FILE* fp)
{
    int ok = cDataRecord::Save(fp);
    return SaveRecordList(fp, FrameList) && ok;
}

void cDbAnime::Reset()
{
    Clear();
    FrameList.Reset(1);
    bOptionB = 1;
}
