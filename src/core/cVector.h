// cVector<T>: the standard vector with a checked subscript, used for every indexed access to the
// system's tables. A bad index is reported, the program is asked to close in order, and the
// access goes on with a harmless element so that the current frame can finish; it never throws
// and is never undefined behaviour.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "core/CheckedAccess.h"

template <class T>
class cVector : public std::vector<T> {
public:
    using std::vector<T>::vector;

    cVector() = default;
    cVector(const cVector&) = default;
    cVector(cVector&&) noexcept = default;
    cVector& operator=(cVector&&) noexcept = default;

    // Element nIndex, 0 <= nIndex < size. Any other index writes "err V[index] ( size ,
    // sizeof(T) )" to the logs, posts WM_CLOSE to hWndMain and yields element 0, or, when the
    // vector is empty, the shared fall-back element of T.
    T& operator[](int nIndex)
    {
        if (nIndex >= 0 && static_cast<std::size_t>(nIndex) < this->size()) [[likely]] {
            return this->data()[nIndex];
        }
        return BadIndex(nIndex);
    }
    const T& operator[](int nIndex) const { return const_cast<cVector*>(this)->operator[](nIndex); }

    // Assigns value to every element.
    void Fill(const T& value)
    {
        for (int i = 0; i < static_cast<int>(this->size()); ++i) {
            (*this)[i] = value;
        }
    }

    // Removes every element equal to value, keeping the others in order. 1 when at least one was
    // removed, else 0. Takes objects out of the stage's object lists.
    int Remove(const T& value) { return std::erase(*this, value) > 0 ? 1 : 0; }

    // Number of elements equal to value.
    int Count(const T& value) const { return static_cast<int>(std::count(this->begin(), this->end(), value)); }

    // Discards every element, then holds n copies of one default-constructed T.
    void Reset(unsigned n)
    {
        this->clear();
        this->resize(n, T());
    }

    // Resizes to the source's size (new elements are copies of one default-constructed T,
    // surplus ones are destroyed from the end), then assigns element by element with T's own
    // assignment. Elements are never copy-constructed from the source, so records keep
    // registrations that name their own members.
    cVector& operator=(const cVector& source)
    {
        if (this != &source) {
            this->resize(source.size(), T());
            for (std::size_t i = 0; i < source.size(); ++i) {
                this->data()[i] = source.data()[i];
            }
        }
        return *this;
    }

private:
    T& BadIndex(int nIndex)
    {
        ReportBadIndex('V', nIndex, this->size(), sizeof(T));
        if (!this->empty()) {
            return this->front();
        }
        return FallbackElement<T>();
    }
};
