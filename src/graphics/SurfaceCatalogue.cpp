// The catalogue of the 71 built-in surfaces and their loading.
#include "graphics/SurfaceCatalogue.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/CheckedAccess.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/Boxes.h"
#include "graphics/Surfaces.h"

namespace {

constexpr int kNoShare = -1;

// The slot whose texture each slot draws from under Direct3D.
constexpr std::array<int, kBuiltInSurfaceCount> kSharedSlot = [] {
    std::array<int, kBuiltInSurfaceCount> share{};
    share.fill(kNoShare);
    share[3] = 2;
    share[5] = 4;
    for (int slot = 7; slot <= 19; slot += 2) share[slot] = slot - 1;  // mirrored Character2..8
    share[21] = 20;
    share[22] = 4;
    share[23] = 4;
    for (int slot = 24; slot <= 36; slot += 2) {  // system-memory twins of Character2..8
        share[slot] = slot - 18;
        share[slot + 1] = slot - 18;
    }
    share[38] = 20;
    share[39] = 20;
    share[41] = 40;
    share[44] = 43;
    share[68] = 67;
    return share;
}();

DDSURFACEINFO File(const std::string& name, int bColorKey, int bSystemMemory, int bOptional = 0, int nMirrorW = 0)
{
    DDSURFACEINFO info;
    info.szFileName = name;
    info.bColorKey = bColorKey;
    info.bSystemMemory = bSystemMemory;
    info.bOptional = bOptional;
    info.nMirrorW = nMirrorW;
    return info;
}

DDSURFACEINFO Work(int nWidth, int nHeight, int bColorKey, int bSystemMemory, int nMemoryType = DTMEMORYTYPE_VIDEO_RT)
{
    DDSURFACEINFO info;
    info.bColorKey = bColorKey;
    info.bSystemMemory = bSystemMemory;
    info.nMemoryType = nMemoryType;
    info.nWidth = nWidth;
    info.nHeight = nHeight;
    return info;
}

std::string Character(int n)
{
    return "bmp\\Character" + std::to_string(n) + ".bmp";
}

// "背景その<n>.bmp" in Shift-JIS (built from bytes: the table is made during static construction).
std::string Background(int n)
{
    return std::string("\x94\x77\x8C\x69\x82\xBB\x82\xCC") + std::to_string(n) + ".bmp";
}

std::array<DDSURFACEINFO, kBuiltInSurfaceCount> MakeCatalogue()
{
    std::array<DDSURFACEINFO, kBuiltInSurfaceCount> t;
    t[0] = File("bmp\\plt\\Palette.bmp", 0, 1);
    t[1] = File("bmp\\Debug.bmp", 1, 0);
    t[2] = File("bmp\\Block.bmp", 1, 0);
    t[3] = File("bmp\\Block.bmp", 1, 1);
    t[4] = File(Character(1), 1, 0);
    t[5] = File(Character(1), 1, 0, 0, 32);
    for (int n = 2; n <= 8; ++n) {
        t[2 * n + 2] = File(Character(n), 1, 0, 1);
        t[2 * n + 3] = File(Character(n), 1, 0, 1, 32);
        t[2 * n + 20] = File(Character(n), 1, 1, 1);
        t[2 * n + 21] = File(Character(n), 1, 1, 1, 32);
    }
    t[20] = File("bmp\\Shot.bmp", 1, 0);
    t[21] = File("bmp\\Shot.bmp", 1, 0, 0, 16);
    t[22] = File(Character(1), 1, 1);
    t[23] = File(Character(1), 1, 1, 0, 32);
    t[38] = File("bmp\\Shot.bmp", 1, 1);
    t[39] = File("bmp\\Shot.bmp", 1, 1, 0, 16);
    t[40] = File("bmp\\Item.bmp", 1, 0);
    t[41] = File("bmp\\Item.bmp", 1, 1);
    t[42] = File("bmp\\Item_Mini.bmp", 1, 0);
    t[43] = File("bmp\\Mark.bmp", 1, 0);
    t[44] = File("bmp\\Mark.bmp", 1, 1);
    t[45] = File("bmp\\Window.bmp", 0, 0);
    t[46] = File("bmp\\StatusWindow.bmp", 1, 0);
    t[47] = File("bmp\\Title.bmp", 0, 0);
    t[48] = File("bmp\\GameMode.bmp", 1, 0, 1);
    t[49] = File("bmp\\Accessory.bmp", 1, 0);
    t[50] = File("bmp\\Symbol.bmp", 1, 0);
    t[51] = File("bmp\\Word.bmp", 1, 0);
    t[52] = File("bmp\\WorldMapChip.bmp", 1, 0);
    t[53] = File("bmp\\WorldEvent.bmp", 1, 1);
    t[54] = File("bmp\\WorldBack.bmp", 0, 1, 1);
    for (int n = 1; n <= 8; ++n) t[54 + n] = File(Background(n), 1, 0, 1);
    t[63] = Work(256, 960, 1, 1);
    t[64] = Work(256, 960, 1, 1);
    t[65] = Work(640, 480, 1, 1);
    t[66] = Work(640, 480, 0, 1);
    t[67] = Work(640, 480, 1, 0);
    t[68] = Work(640, 480, 1, 1);
    t[69] = Work(1024, 1024, 1, 0, DTMEMORYTYPE_VIDEO_NORT);
    t[70] = Work(1024, 1024, 1, 1, DTMEMORYTYPE_SYSTEM);
    for (int slot = 0; slot < kBuiltInSurfaceCount; ++slot) t[slot].bShare = kSharedSlot[slot] != kNoShare ? 1 : 0;
    return t;
}

BOOL LoadSlot(DDSURFACEDATA* lpSD, const DDSURFACEINFO& info)
{
    DDReleaseSurface(lpSD);
    if (DDIsEmptyFileName(info.szFileName)) {
        if (DDCreateSurface(lpSD, info.nWidth, info.nHeight, info.bColorKey, info.bSystemMemory, info.nMemoryType,
                            info.bShare, 0))
            return TRUE;
        DDReleaseSurface(lpSD);
        if (info.bOptional) return TRUE;
        OutOfMemory();
        return FALSE;
    }
    const int result =
        DDCreateSurfaceFromFile(lpSD, info.szFileName.c_str(), info.bColorKey, nScreenBpp, info.bSystemMemory,
                                info.nMemoryType, info.bShare, info.bIndexMap, info.nMirrorW, info.nMirrorH, 0);
    if (result == DDSURFACE_OK) return TRUE;
    DDCheckSurfaceResult(result);
    DDReleaseSurface(lpSD);  // an optional picture that is missing leaves the slot empty
    if (info.bOptional) return TRUE;
    // Any failure of a picture the game needs fails the load, also a texture that could not be made.
    static const std::string kText = Sjis("%s の読み込みに失敗！");
    ErrorBoxF(kText.c_str(), info.szFileName.c_str());
    return FALSE;
}

}  // namespace

DDSURFACEINFO SDInfoTable[kBuiltInSurfaceCount];

namespace {
// Fills SDInfoTable during static construction (SDTable itself lives with the back-end's globals).
[[maybe_unused]] const bool kCatalogueBuilt = [] {
    const auto table = MakeCatalogue();
    for (int slot = 0; slot < kBuiltInSurfaceCount; ++slot) SDInfoTable[slot] = table[slot];
    return true;
}();
}  // namespace

BOOL DDCheckSurfaceResult(int nResult)
{
    switch (nResult) {
    case DDSURFACE_CREATESURFACE_ERR: ECLog("CREATESURFACE_ERR"); return FALSE;
    case DDSURFACE_LOADIMAGE_ERR: ECLog("LOADIMAGE_ERR"); return FALSE;
    case DDSURFACE_SETCOLORKEY_ERR: ECLog("SETCOLORKEY_ERR"); return FALSE;
    default: return TRUE;
    }
}

BOOL DDLoadSurfaces(DDSURFACEDATA* lpSDArray, const int* pSlots, int nCount)
{
    if (lpSDArray == nullptr || lpSDInfoTable == nullptr || (pSlots == nullptr && nCount > 0)) return FALSE;
    for (int i = 0; i < nCount; ++i) {
        const int slot = pSlots[i];
        if (slot < 0 || slot >= nSDCount) {
            ReportBadIndex('V', slot, static_cast<std::size_t>(nSDCount), sizeof(DDSURFACEINFO));
            return FALSE;
        }
        if (!LoadSlot(&lpSDArray[slot], lpSDInfoTable[slot])) return FALSE;
    }
    return TRUE;
}

void LinkSharedSurfaces()
{
    if (!lpDTCon) return;
    DDSURFACEDATA* table = lpSDTable != nullptr ? lpSDTable : SDTable;
    const int count = lpSDTable != nullptr ? std::min(nSDCount, kBuiltInSurfaceCount) : kBuiltInSurfaceCount;
    for (int slot = 0; slot < count; ++slot) {
        if (kSharedSlot[slot] != kNoShare) table[slot].lpShareSD = &table[kSharedSlot[slot]];
    }
}

int SharedSlotOf(int nSlot)
{
    if (nSlot < 0 || nSlot >= kBuiltInSurfaceCount) return kNoShare;
    return kSharedSlot[nSlot];
}
