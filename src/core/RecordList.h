// Lists of records inside a record: an int32 element count followed by the elements, each a
// complete record (base part and own part) without a version of its own; the file's version
// applies to every element. For the Load and Save of record classes that own lists.
#pragma once

#include "core/RecordFile.h"
#include "core/cDataRecord.h"
#include "core/cVector.h"

// Smallest number of bytes one record takes in a file: its raw-member and string counts.
constexpr std::size_t kMinRecordBytes = 8;

// Reads a list into list: the count is checked against the bytes left before the list is sized
// (each element default-constructed), then each element loads itself. 1, or 0 at the first count
// or element that does not fit the file (the elements read so far stay).
template <class T>
int LoadRecordList(FILE* fp, cVector<T>& list)
{
    int count = 0;
    if (!ReadListCount(fp, count, kMinRecordBytes)) {
        return 0;
    }
    list.Reset(static_cast<unsigned>(count));
    for (int i = 0; i < count; ++i) {
        if (!list[i].Load(fp)) {
            return 0;
        }
    }
    return 1;
}

// Writes the count and every element. 1, or 0 when a write failed.
template <class T>
int SaveRecordList(FILE* fp, cVector<T>& list)
{
    int ok = WriteInt32(fp, static_cast<std::int32_t>(list.size())) ? 1 : 0;
    for (int i = 0; i < static_cast<int>(list.size()); ++i) {
        ok = list[i].Save(fp) && ok;
    }
    return ok;
}
