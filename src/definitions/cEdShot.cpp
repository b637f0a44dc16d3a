#include "definitions/cEdShot.h"

#include <algorithm>

#include "core/RecordFile.h"
#include "definitions/DefinitionContext.h"
#include "definitions/IndexRepair.h"

namespace {

constexpr int kMirrorAngleVersion = 158;
constexpr int kShotOptGVersion = 197;
constexpr int kScrollSyncVersion = 211;
constexpr int kScrollSyncRuleVersion = 212;
constexpr int kAccelVersion = 213;
constexpr int kPierce2Version = 636;
constexpr int kOriginVersion = 671;

double Offset(int k, int nStep, int nBase, int nFacing, int bMirror)
{
    double offset = static_cast<double>(k) * nStep + nBase;
    return nFacing == 1 && bMirror ? -offset : offset;
}

}  // namespace

cEdShot::cEdShot()
{
    SetDefault();
}

void cEdShot::RegisterMembers(int nVersion)
{
    ClearMemberList();
    AddByteMember(&m_nCount, 1);
    AddByteMember(&m_nShotKind, 1);
    AddWordMember(m_nKindParam, 3);
    if (nVersion >= kOriginVersion) {
        AddByteMember(&m_nOrigin, 1);
    }
    AddByteMember(&m_nDirection, 1);
    AddByteMember(&m_bAim, 1);
    AddWordMember(&m_nAngle, 1);
    AddWordMember(&m_nAngleStep, 1);
    if (nVersion >= kMirrorAngleVersion) {
        AddByteMember(&m_bMirrorAngle, 1);
    }
    AddWordMember(&m_nAngleRandom, 1);
    AddByteMember(&m_nShotOptA, 1);
    AddByteMember(&m_nRepeat, 1);
    AddWordMember(&m_nOffsetX, 1);
    AddWordMember(&m_nOffsetXStep, 1);
    AddWordMember(&m_nOffsetY, 1);
    AddWordMember(&m_nOffsetYStep, 1);
    AddByteMember(&m_bMirrorOffsetX, 1);
    AddByteMember(&m_bMirrorOffsetY, 1);
    AddWordMember(&m_nShotGraphic, 1);
    AddByteMember(&m_nShotOptB, 1);
    AddByteMember(&m_bInvisible, 1);
    AddByteMember(&m_bOwnerFaction, 1);
    AddByteMember(&m_nFaction, 1);
    AddByteMember(&m_nShotOptC, 1);
    AddByteMember(&m_nSize, 1);
    AddByteMember(&m_nShotOptD, 1);
    AddByteMember(&m_nAimKind, 1);
    AddWordMember(m_nAimParam, 3);
    if (nVersion >= kScrollSyncVersion) {
        AddByteMember(&m_bScrollSync, 1);
    }
    AddWordMember(&m_nSpeed, 1);
    AddWordMember(&m_nSpeedStep, 1);
    if (nVersion >= kAccelVersion) {
        AddByteMember(&m_bAccel, 1);
        AddWordMember(&m_nAccel, 1);
        AddWordMember(&m_nAccelStep, 1);
    }
    AddWordMember(&m_nRange, 1);
    AddByteMember(&m_bLimitRange, 1);
    AddWordMember(&m_nRangeStep, 1);
    AddByteMember(&m_bStopAtRange, 1);
    AddByteMember(&m_bLimitTime, 1);
    AddWordMember(&m_nLifeTime, 1);
    AddWordMember(&m_nLifeTimeStep, 1);
    AddByteMember(&m_nBlockMode, 1);
    AddByteMember(&m_bPierce, 1);
    if (nVersion >= kPierce2Version) {
        AddByteMember(&m_bPierce2, 1);
    }
    AddByteMember(&m_bClash, 1);
    AddByteMember(&m_nClashPower, 1);
    AddDwordMember(&m_nPower, 1);
    AddWordMember(&m_nShotOptE, 1);
    AddByteMember(&m_nImpact, 1);
    AddWordMember(&m_nHitEffect, 1);
    AddByteMember(&m_nItemKind, 1);
    AddWordMember(&m_nItemIndex, 1);
    AddByteMember(&m_nBlockSummon, 1);
    AddByteMember(&m_nShotOptF, 1);
    if (nVersion >= kShotOptGVersion) {
        AddByteMember(&m_nShotOptG, 1);
    }
    AddByteMember(&m_nSummonPalette, 1);
    AddWordMember(&m_nSummonIndex, 1);
    AddByteMember(&m_nSummonFaction, 1);
    AddByteMember(&m_nShotOptH, 1);
    AddByteMember(&m_bSummonReverse, 1);
}

void cEdShot::SetDefault()
{
    Clear();
    m_bMirrorAngle = 1;
    m_bMirrorOffsetX = 1;
    m_bOwnerFaction = 1;
    m_nSize = 1;
}

int cEdShot::Load(FILE* fp)
{
    int ok = cDataRecord::Load(fp);
    int v = nFileVersion;
    if (ok && v < kCurrentDataVersion) {
        if (v < kMirrorAngleVersion) {
            m_bMirrorAngle = 0;
        }
        if (v < kShotOptGVersion) {
            m_nShotOptG = m_nShotOptF;
        }
        // Homing shots used to move with the scrolling; the stored value of version 211 files
        // is replaced as well.
        if (v < kScrollSyncRuleVersion) {
            m_bScrollSync = m_nAimKind >= 4 && m_nAimKind <= 7 ? 1 : 0;
        }
        if (v < kAccelVersion) {
            m_bAccel = 0;
            m_nAccel = 0;
            m_nAccelStep = 0;
        }
        if (v < kPierce2Version) {
            m_bPierce2 = m_bPierce;
        }
        if (v < kOriginVersion) {
            m_nOrigin = 0;
        }
    }
    Repair();
    return ok;
}

int cEdShot::Save(FILE* fp)
{
    Repair();
    return cDataRecord::Save(fp);
}

void cEdShot::Repair()
{
    if (m_nSize <= 0) {
        m_nSize = 1;
    }
    if (IsIndexOutOfRange(m_nHitEffect, DefinitionContext.Count(DB_EFFECT))) {
        m_nHitEffect = 0;
    }
}

double cEdShot::GetOffsetX(int k, int nFacing) const
{
    return Offset(k, m_nOffsetXStep, m_nOffsetX, nFacing, m_bMirrorOffsetX);
}

double cEdShot::GetOffsetY(int k, int nFacing) const
{
    return Offset(k, m_nOffsetYStep, m_nOffsetY, nFacing, m_bMirrorOffsetY);
}
