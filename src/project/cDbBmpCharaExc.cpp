#include "project/cDbBmpCharaExc.h"

#include <algorithm>

namespace {

// The versions that added nReserved and the large cells, and the first one whose stored
// nReserved is kept.
constexpr int kReservedVersion = 152;
constexpr int kLargeCellVersion = 172;
constexpr int kReservedKeptVersion = 153;

}  // namespace

cDbBmpCharaExc::cDbBmpCharaExc()
{
    RegisterMembers(nDataVersion);
}

void cDbBmpCharaExc::RegisterMembers(int nVersion)
{
    ClearMemberList();
    AddStrMember(&strName, 1);
    if (nVersion >= kReservedVersion) {
        AddDwordMember(&nReserved, 1);
    }
    AddStrMember(&strFileName, 1);
    if (nVersion >= kLargeCellVersion) {
        AddDwordMember(&bLargeCell, 1);
        AddDwordMember(&nCellSize, 1);
    }
}

int cDbBmpCharaExc::Load(FILE* fp)
{
    if (!cDataRecord::Load(fp)) {
        return 0;
    }
    if (nFileVersion < kReservedKeptVersion) {
        nReserved = 0;
    }
    // The sheet's cells per row are 16 div nCellSize: 0 would divide by zero, above 16 a row
    // would hold no cell.
    nCellSize = std::clamp(nCellSize, kMinCellSize, kMaxCellSize);
    return 1;
}
