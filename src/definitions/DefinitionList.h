// Reading and writing the lists of definition records that other records own (conditions, key
// conditions, commands, flows): int32 element count, then the elements, each a whole record
// without a version of its own (the file's version applies to all of them).
#pragma once

#include <cstddef>
#include <cstdio>

#include "core/RecordFile.h"
#include "core/cVector.h"

// A new T (its class defaults), built once per class: the element that lists are filled with.
// Copying it costs far less than building each element (a record's constructor registers it and
// resets every member; a copy only copies the values). A new T never differs from another.
template <class T>
const T& DefaultElement()
{
    static const T element;
    return element;
}

// Replaces the list's elements by n copies of DefaultElement.
template <class T>
void MakeDefaultElements(cVector<T>& list, std::size_t n)
{
    list.clear();
    list.resize(n, DefaultElement<T>());
}

// Reads int32 n, replaces the list's elements by n default elements (MakeDefaultElements) and
// lets each element load itself in order. The list has all n elements before the first one
// loads, so that references between entries of a list being read see its final size. n is
// checked first against the bytes left in the file, at nMinElementBytes per element (the smallest
// form the record can take), so that no list is sized from a count the file cannot hold. 1, or 0
// for a refused count (the list keeps its elements) or at the first element that does not load
// (the elements read so far stay).
template <class T>
int LoadDefinitionList(FILE* fp, cVector<T>& list, std::size_t nMinElementBytes)
{
    int count = 0;
    if (!ReadListCount(fp, count, nMinElementBytes)) {
        return 0;
    }
    MakeDefaultElements(list, static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (!list[i].Load(fp)) {
            return 0;
        }
    }
    return 1;
}

// Writes the count and each element's Save. 1, or 0 when a write failed.
template <class T>
int SaveDefinitionList(FILE* fp, cVector<T>& list)
{
    int ok = WriteInt32(fp, static_cast<std::int32_t>(list.size())) ? 1 : 0;
    for (int i = 0; i < static_cast<int>(list.size()); ++i) {
        ok = list[i].Save(fp) && ok;
    }
    return ok;
}
