#include "definitions/cEdBackground.h"

cEdBackground::cEdBackground()
{
    Reset();
}

void cEdBackground::RegisterMembers(int nVersion)
{
    ClearMemberList();
    AddStrMember(&m_strPicture, 1);
    if (nVersion >= 62) {
        AddDwordMember(&m_bVisible, 1);
    }
    AddDwordMember(&m_bFill, 1);
    AddDwordMember(&m_nFillColor, 1);
    AddDwordMember(&m_nLayer, 1);
    if (nVersion >= 61) {
        AddQwordMember(&m_dSpeedX, 1);
        AddQwordMember(&m_dSpeedY, 1);
        AddDwordMember(&m_bAutoScrollX, 1);
        AddDwordMember(&m_bAutoScrollY, 1);
    }
    if (nVersion >= 62) {
        AddQwordMember(&m_dOffsetX, 1);
        AddQwordMember(&m_dOffsetY, 1);
    } else {
        AddDwordMember(&m_nDropped, 1);
        AddDwordMember(&m_nDropped, 1);
    }
}

void cEdBackground::Reset()
{
    Clear();
    m_bVisible = 1;
    m_nFillColor = 16;
    m_dSpeedX = 0.1;
    m_dSpeedY = 0.1;
}
