// The index rule shared by every repair of a definition: an index into a table or a palette list
// is out of range when it is negative or not below the list's count, and is then set back to a
// fixed replacement. A replacement that is itself outside the list (1 in a list of fewer than two
// entries) becomes 0, so that a repaired index is always usable or names "none".
#pragma once

// 1 when nIndex is negative or not below nCount.
inline int IsIndexOutOfRange(int nIndex, int nCount)
{
    return nIndex < 0 || nIndex >= nCount ? 1 : 0;
}

// nIndex when it lies in 0..nCount-1; otherwise nReplacement, or 0 when nReplacement does not lie
// in that range either.
inline int RepairIndex(int nIndex, int nCount, int nReplacement)
{
    if (!IsIndexOutOfRange(nIndex, nCount)) {
        return nIndex;
    }
    return IsIndexOutOfRange(nReplacement, nCount) ? 0 : nReplacement;
}
