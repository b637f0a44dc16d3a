#include "project/cDbMediaEntry.h"

namespace {

// The version that added nReserved, and the first one whose stored value is kept.
constexpr int kReservedVersion = 151;
constexpr int kReservedKeptVersion = 153;

}  // namespace

cDbMediaEntry::cDbMediaEntry()
{
    RegisterMembers(nDataVersion);
}

void cDbMediaEntry::RegisterMembers(int nVersion)
{
    ClearMemberList();
    AddStrMember(&strName, 1);
    if (nVersion >= kReservedVersion) {
        AddDwordMember(&nReserved, 1);
    }
    AddStrMember(&strFileName, 1);
}

int cDbMediaEntry::Load(FILE* fp)
{
    if (!cDataRecord::Load(fp)) {
        return 0;
    }
    if (nFileVersion < kReservedKeptVersion) {
        nReserved = 0;
    }
    return 1;
}
