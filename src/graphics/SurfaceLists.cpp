// The screens' own surfaces: vectors and lists of records that never move once added.
#include <iterator>

#include "graphics/Surfaces.h"

namespace {

DDSURFACEINFO EmptyInfo(int bColorKey, int bSystemMemory, int nMemoryType, int bShare)
{
    DDSURFACEINFO info;
    info.szFileName.clear();
    info.bColorKey = bColorKey;
    info.bSystemMemory = bSystemMemory;
    info.nMemoryType = nMemoryType;
    info.bShare = bShare;
    return info;
}

}  // namespace

BOOL DDAddSurfaceVec(DDSurfaceVec& vec, DDSurfaceInfoVec& infos, int nWidth, int nHeight, int bColorKey,
                     int bSystemMemory, int nMemoryType, int bShare)
{
    vec.emplace_back();
    infos.push_back(EmptyInfo(bColorKey, bSystemMemory, nMemoryType, bShare));
    return DDCreateSurface(&vec.back(), nWidth, nHeight, bColorKey, bSystemMemory, nMemoryType, bShare, 0);
}

BOOL DDAddSurfaceList(DDSurfaceList& list, DDSurfaceInfoList& infos, int nWidth, int nHeight, int bColorKey,
                      int bSystemMemory, int nMemoryType, int bShare)
{
    list.emplace_back();
    infos.push_back(EmptyInfo(bColorKey, bSystemMemory, nMemoryType, bShare));
    return DDCreateSurface(&list.back(), nWidth, nHeight, bColorKey, bSystemMemory, nMemoryType, bShare, 0);
}

BOOL DDRemoveSurfaceList(DDSurfaceList& list, DDSurfaceInfoList& infos, DDSURFACEDATA* lpSD)
{
    auto node = list.begin();
    std::size_t position = 0;
    while (node != list.end() && &*node != lpSD) {
        ++node;
        ++position;
    }
    if (node == list.end()) return FALSE;
    DDReleaseSurface(lpSD);
    list.erase(node);
    if (position < infos.size()) infos.erase(std::next(infos.begin(), static_cast<std::ptrdiff_t>(position)));
    return TRUE;
}

void DDReleaseSurfaceVec(DDSurfaceVec& vec)
{
    for (DDSURFACEDATA& sd : vec) DDReleaseSurface(&sd);
}

void DDReleaseSurfaceList(DDSurfaceList& list)
{
    for (DDSURFACEDATA& sd : list) DDReleaseSurface(&sd);
}
