#include "definitions/cEdMove.h"

#include "core/RecordFile.h"

namespace {

constexpr int kMirrorAngleVersion = 158;
constexpr int kDistUnitVersion = 159;
constexpr int kKeepVersion = 162;

}  // namespace

cEdMove::cEdMove()
{
    SetDefault();
}

void cEdMove::RegisterMembers(int nVersion)
{
    ClearMemberList();
    AddByteMember(&m_nMoveMode, 1);
    AddByteMember(&m_nDirection, 1);
    AddWordMember(&m_nAngle, 1);
    AddWordMember(&m_nAngleStep, 1);
    if (nVersion >= kMirrorAngleVersion) {
        AddByteMember(&m_bMirrorAngle, 1);
    }
    AddByteMember(&m_bUseX, 1);
    AddByteMember(&m_bUseY, 1);
    AddWordMember(&m_nTargetX, 1);
    AddWordMember(&m_nTargetY, 1);
    AddWordMember(&m_nTargetDotX, 1);
    AddWordMember(&m_nTargetDotY, 1);
    AddByteMember(&m_nCoordKind, 1);
    AddByteMember(&m_bArriveEnds, 1);
    AddByteMember(&m_bFreezeX, 1);
    AddByteMember(&m_bFreezeY, 1);
    AddByteMember(&m_bMirrorX, 1);
    AddByteMember(&m_bMirrorY, 1);
    AddByteMember(&m_bFollowFacing, 1);
    AddByteMember(&m_bStopOnArrival, 1);
    if (nVersion >= kKeepVersion) {
        AddByteMember(&m_bKeepFacing, 1);
    }
    AddByteMember(&m_nTimeMode, 1);
    AddWordMember(&m_nSpeed, 1);
    AddWordMember(&m_nSpeedStep, 1);
    AddWordMember(&m_nDistance, 1);
    AddWordMember(&m_nDistanceStep, 1);
    if (nVersion >= kDistUnitVersion) {
        AddByteMember(&m_nDistUnit, 1);
    }
    AddWordMember(&m_nRadius, 1);
    AddWordMember(&m_nRadiusStep, 1);
    AddByteMember(&m_bInertia, 1);
    AddWordMember(&m_nMaxSpeed, 1);
    AddQwordMember(&m_fBrake, 1);
    if (nVersion >= kKeepVersion) {
        AddByteMember(&m_bKeepAnime, 1);
    }
}

void cEdMove::SetDefault()
{
    Clear();
    m_nSpeed = 10;
    m_fBrake = 1.0;
    m_bMirrorAngle = 1;
    m_bUseX = 1;
    m_bUseY = 1;
    m_bArriveEnds = 1;
    m_bMirrorX = 1;
    m_bFollowFacing = 1;
}

int cEdMove::Load(FILE* fp)
{
    int ok = cDataRecord::Load(fp);
    int v = nFileVersion;
    if (ok && v < kCurrentDataVersion) {
        if (v < kMirrorAngleVersion) {
            m_bMirrorAngle = 0;
        }
        if (v < kDistUnitVersion) {
            m_nDistUnit = 0;
        }
        if (v < kKeepVersion) {
            m_bKeepFacing = 0;
            m_bKeepAnime = 0;
        }
    }
    return ok;
}
