#include "project/cDbSwordFrame.h"

namespace {

// The version that added the mirror flags.
constexpr int kMirrorVersion = 138;

}  // namespace

cDbSwordFrame::cDbSwordFrame()
{
    RegisterMembers(nDataVersion);
}

void cDbSwordFrame::RegisterMembers(int nVersion)
{
    ClearMemberList();
    AddDwordMember(&nOffsetX, 1);
    AddDwordMember(&nOffsetY, 1);
    if (nVersion >= kMirrorVersion) {
        AddDwordMember(&bMirrorX, 1);
        AddDwordMember(&bMirrorY, 1);
    }
    AddDwordMember(&nPlace, 1);
    AddDwordMember(&nSrcX, 1);
    AddDwordMember(&nSrcY, 1);
    AddDwordMember(&nWidth, 1);
    AddDwordMember(&nHeight, 1);
    AddDwordMember(&nTime, 1);
}
