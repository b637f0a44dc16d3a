// The screens' own surface containers: a checked vector whose elements never move when more are
// added (a std::deque underneath), and the checked list. The Direct3D surface list and shared
// slots keep pointers to the records, so a growing std::vector could not hold them.
#pragma once

#include <cstddef>
#include <deque>

#include "core/CheckedAccess.h"
#include "core/cList.h"
#include "core/cVector.h"
#include "graphics/DDSurfaceData.h"

template <class T>
class cStableVector : public std::deque<T> {
public:
    using std::deque<T>::deque;

    // Element nIndex, 0 <= nIndex < size. Any other index is reported as by cVector ("err V[...]",
    // WM_CLOSE to hWndMain) and yields element 0, or the shared fall-back element when empty.
    T& operator[](int nIndex)
    {
        if (nIndex >= 0 && static_cast<std::size_t>(nIndex) < this->size()) [[likely]] {
            return std::deque<T>::operator[](static_cast<std::size_t>(nIndex));
        }
        ReportBadIndex('V', nIndex, this->size(), sizeof(T));
        return this->empty() ? FallbackElement<T>() : this->front();
    }
    const T& operator[](int nIndex) const { return const_cast<cStableVector*>(this)->operator[](nIndex); }
};

// A screen's surface vector and its definitions (DDAddSurfaceVec).
using DDSurfaceVec = cStableVector<DDSURFACEDATA>;
using DDSurfaceInfoVec = cVector<DDSURFACEINFO>;
// A screen's surface list and its definitions (DDAddSurfaceList).
using DDSurfaceList = cList<DDSURFACEDATA>;
using DDSurfaceInfoList = cList<DDSURFACEINFO>;
