#include "definitions/cEdOffScreenLimit.h"

namespace {

constexpr int kTile = 32;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

}  // namespace

cEdOffScreenLimit::cEdOffScreenLimit()
{
    Clear();
}

void cEdOffScreenLimit::RegisterMembers(int nVersion)
{
    ClearMemberList();
    if (nVersion >= 125) {
        AddDwordMember(&m_bLeft, 1);
        AddDwordMember(&m_bRight, 1);
        AddDwordMember(&m_bTop, 1);
        AddDwordMember(&m_bBottom, 1);
    } else {
        AddDwordMember(&m_bLeft, 1);
    }
    AddDwordMember(&m_nLeft, 1);
    AddDwordMember(&m_nRight, 1);
    AddDwordMember(&m_nTop, 1);
    AddDwordMember(&m_nBottom, 1);
}

void cEdOffScreenLimit::Set(int bLeft, int bRight, int bTop, int bBottom, int nLeft, int nRight, int nTop, int nBottom)
{
    m_bLeft = bLeft;
    m_bRight = bRight;
    m_bTop = bTop;
    m_bBottom = bBottom;
    m_nLeft = nLeft;
    m_nRight = nRight;
    m_nTop = nTop;
    m_nBottom = nBottom;
}

int cEdOffScreenLimit::IsOutside(int left, int top, int right, int bottom, int cx, int cy, int nFieldRight,
                                 int nFieldBottom) const
{
    // In 64 bits: margins come from the file and may be large.
    const long long x = cx;
    const long long y = cy;
    if (m_bLeft && x - static_cast<long long>(kTile) * m_nLeft >= right) {
        return 1;
    }
    if (m_bRight && x + static_cast<long long>(kTile) * m_nRight + kScreenWidth <= left) {
        return 1;
    }
    if (m_bBottom && y + static_cast<long long>(kTile) * m_nBottom + kScreenHeight <= top) {
        return 1;
    }
    if (m_bTop && y - static_cast<long long>(kTile) * m_nTop >= bottom) {
        return 1;
    }
    return left <= 0 || right >= static_cast<long long>(nFieldRight) - 1 || top <= 0 ||
                   bottom >= static_cast<long long>(nFieldBottom) - 1
               ? 1
               : 0;
}
