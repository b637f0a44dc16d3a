#include "project/cMenuItem.h"

cMenuItem::cMenuItem()
{
    Clear();
    bEnabled = 1;
}

void cMenuItem::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&bEnabled, 1);
    AddStrMember(&strLabel, 1);
}
