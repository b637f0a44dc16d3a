#include "project/cHudItem.h"

namespace {

// The versions that added bShowValue and the two warning members.
constexpr int kShowValueVersion = 204;
constexpr int kWarningVersion = 587;

}  // namespace

cHudItem::cHudItem()
{
    RegisterMembers(nDataVersion);
}

void cHudItem::RegisterMembers(int nVersion)
{
    ClearMemberList();
    AddDwordMember(&bVisible, 1);
    AddDwordMember(&bIcon, 1);
    AddStrMember(&strLabel, 1);
    AddDwordMember(&nDigits, 1);
    if (nVersion >= kShowValueVersion) {
        AddDwordMember(&bShowValue, 1);
    }
    if (nVersion >= kWarningVersion) {
        AddDwordMember(&nWarnValue, 1);
        AddDwordMember(&bWarnPercent, 1);
    }
}

int cHudItem::Load(FILE* fp)
{
    if (!cDataRecord::Load(fp)) {
        return 0;
    }
    if (nFileVersion < kShowValueVersion) {
        bShowValue = 1;
    }
    return 1;
}
