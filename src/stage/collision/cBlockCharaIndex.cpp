#include "stage/collision/cBlockCharaIndex.h"

cBlockCharaIndex::cHold::cHold(cBlockCharaIndex& index) : m_Index(index)
{
    m_Index.m_bHeld = true;
    m_Index.m_bKept = false;
}

cBlockCharaIndex::cHold::~cHold()
{
    m_Index.m_bHeld = false;
    m_Index.m_bKept = false;
}

const std::vector<cChara*>& cBlockCharaIndex::Of(std::list<cChara>& list, std::uint32_t nEdits)
{
    if (m_bKept && m_pList == &list && m_nEdits == nEdits && m_nSize == list.size()) {
        return m_Charas;
    }
    m_Charas.clear();
    for (cChara& c : list) {
        if (c.def.m_bFullCell != 0) {
            m_Charas.push_back(&c);
        }
    }
    m_pList = &list;
    m_nSize = list.size();
    m_nEdits = nEdits;
    m_bKept = m_bHeld;
    return m_Charas;
}
