// cList<T>: the standard doubly linked list with a checked positional subscript.
#pragma once

#include <cstddef>
#include <iterator>
#include <list>

#include "core/CheckedAccess.h"

template <class T>
class cList : public std::list<T> {
public:
    using std::list<T>::list;

    // The element at position nIndex from the front (0 is the first); walks nIndex links. Any
    // other index writes "err L[index] ( size , sizeof(T) )" to the logs, posts WM_CLOSE to
    // hWndMain and yields the shared fall-back element of T, as it was left by earlier callers.
    T& operator[](int nIndex)
    {
        if (nIndex >= 0 && static_cast<std::size_t>(nIndex) < this->size()) {
            return *std::next(this->begin(), nIndex);
        }
        ReportBadIndex('L', nIndex, this->size(), sizeof(T));
        return FallbackElement<T>();
    }
    const T& operator[](int nIndex) const { return const_cast<cList*>(this)->operator[](nIndex); }
};
