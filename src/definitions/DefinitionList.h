// Reading and writing the lists of definition records that other records own (conditions, key
// conditions, commands, flows): int32 element count, then the elements, each a whole record
// without a version of its own (the file's version applies to all of them).
#pragma once

#include <cstddef>
#include <cstdio>

#include "core/RecordFile.h"
#include "core/cVector.h"

// Reads int32 n, destroys the list's elements, makes the list n copies of prototype and lets each
// element load itself in order. n is checked first against the bytes left in the file, at
// nMinElementBytes per element (the smallest form the record can take), so that no list is
// sized from a count the file cannot hold. 1, or 0 for a refused count (the list keeps its
// elements) or at the first element that does not load (the elements read so far stay).
template <class T>
int LoadDefinitionList(FILE* fp, cVector<T>& list, const T& prototype, std::size_t nMinElementBytes)
{
    int count = 0;
    if (!ReadListCount(fp, count, nMinElementBytes)) {
        return 0;
    }
    list.clear();
    list.resize(static_cast<std::size_t>(count), prototype);
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
