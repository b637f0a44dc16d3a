// The plain lists of the project settings and of their sub-records: reading and writing lists of
// bytes, ints and texts, and the two list operations the settings upgrade uses (resize, and
// insertion that keeps the size).
//
// A value list in a file is int32 n followed by n values of the element's width; a text list is
// int32 n followed by n texts, each int32 L (length + 1) and, unless L is 1, L bytes ending in a
// NUL. Texts in these lists keep their carriage returns. Counts and lengths are checked against
// what is left of the file before anything is sized from them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <type_traits>

#include "core/RecordFile.h"
#include "core/RecordReader.h"
#include "core/cVector.h"

// Reads int32 n, makes list hold exactly n entries (the first entries are kept, new ones are 0),
// then reads the n values over them. 1, or 0 when the count is negative or the file cannot hold
// the values; a refused count leaves the list as it was.
template <class T>
int LoadValueList(FILE* fp, cVector<T>& list)
{
    static_assert(std::is_trivially_copyable_v<T>, "values are read as bytes");
    int count = 0;
    if (!ReadListCount(fp, count, sizeof(T))) {
        return 0;
    }
    list.resize(static_cast<std::size_t>(count), T{});
    return RecordReader(fp).Read(list.data(), list.size() * sizeof(T)) ? 1 : 0;
}

// Writes the count and the values. 1, or 0 when a write failed.
template <class T>
int SaveValueList(FILE* fp, const cVector<T>& list)
{
    static_assert(std::is_trivially_copyable_v<T>, "values are written as bytes");
    bool ok = WriteInt32(fp, static_cast<std::int32_t>(list.size()));
    std::size_t bytes = list.size() * sizeof(T);
    return ok && (bytes == 0 || std::fwrite(list.data(), 1, bytes, fp) == bytes) ? 1 : 0;
}

// Reads int32 n, empties list and refills it with n texts read in order (each cut at its first
// NUL). 1, or 0 at the first count or length that the file cannot hold or that is below 1 (the
// texts read so far stay).
int LoadStringList(FILE* fp, cVector<std::string>& list);

// Writes the count and the texts; each text is saved up to its first NUL and at most 5119 bytes,
// cut at a character boundary. 1, or 0 when a write failed.
int SaveStringList(FILE* fp, const cVector<std::string>& list);

// Keeps the first n entries of list, or appends copies of fill until it holds n (n < 0 counts
// as 0). For records, fill is a freshly constructed element.
template <class T>
void ResizeList(cVector<T>& list, int n, const T& fill = T())
{
    list.resize(static_cast<std::size_t>(n > 0 ? n : 0), fill);
}

// Opens place k without changing the size: entries k to size - 2 move one place up (through the
// checked access, by assignment), the last entry's content is lost, and entry k keeps its content
// until the caller overwrites it. Nothing moves when k >= size - 1.
template <class T>
void InsertAt(cVector<T>& list, int k)
{
    for (int i = static_cast<int>(list.size()) - 1; i > k; --i) {
        list[i] = list[i - 1];
    }
}
