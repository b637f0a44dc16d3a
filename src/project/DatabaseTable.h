// Reading one database table: a record file holding an int32 entry count and that many entries
// of one record class, all under the file's version. One instance per element class. Also the
// lists inside the entries (an animation set's motions, the frames of animations, sword types
// and effects), read the same way.
//
// Entries and list elements are built once: a new one is a copy of the class default without the
// lists that its Load reads anew (ClearListsReadByLoad), so that no default list is built only to
// be thrown away by the read that follows.
#pragma once

#include <cstddef>
#include <cstdio>

#include "core/RecordFile.h"
#include "core/RecordList.h"
#include "core/cVector.h"
#include "project/cDbAnime.h"
#include "project/cDbAnimeSet.h"
#include "project/cDbEffect.h"
#include "project/cDbSwordType.h"

// Empties the lists that the entry's Load replaces whole; nothing for the classes without lists.
inline void ClearListsReadByLoad(cDbAnimeSet& entry)
{
    entry.MotionList.clear();
}
inline void ClearListsReadByLoad(cDbAnime& entry)
{
    entry.FrameList.clear();
}
inline void ClearListsReadByLoad(cDbSwordType& entry)
{
    entry.FrameList.clear();
}
inline void ClearListsReadByLoad(cDbEffect& entry)
{
    entry.FrameList.clear();
}
template <class T>
void ClearListsReadByLoad(T&)
{}

// The class default without the lists that Load reads, built once per class: what new entries
// and list elements are copies of. A new T never differs from another.
template <class T>
const T& BlankEntry()
{
    static const T blank = [] {
        T entry;
        ClearListsReadByLoad(entry);
        return entry;
    }();
    return blank;
}

// Appends entries to list until it holds count, each a copy of BlankEntry read by its Load right
// after it is appended. 1, or 0 at the first entry that does not load (it stays as far as it was
// read; no entry follows it).
template <class T>
int AppendEntries(cVector<T>& list, std::size_t count, FILE* fp)
{
    list.reserve(count);
    while (list.size() < count) {
        list.push_back(BlankEntry<T>());
        if (!list.back().Load(fp)) {
            return 0;
        }
    }
    return 1;
}

// Reads the entry count and the entries from an open table file. Entries already present stay
// and are read first (entries past the count are destroyed); appended ones start from the class
// defaults (AppendEntries). So a member that an older file lacks keeps its default. A table that
// holds no entry gets one default entry: entry 0 stands for "none" and its users rely on it. 1,
// or 0 when the count or an entry does not fit the file (reading stops there).
template <class T>
int LoadTable(cVector<T>& table, FILE* fp)
{
    int count = 0;
    if (!ReadListCount(fp, count, T::kMinFileBytes)) {
        return 0;
    }
    const auto n = static_cast<std::size_t>(count);
    if (table.size() > n) {
        table.erase(table.begin() + static_cast<std::ptrdiff_t>(n), table.end());
    }
    for (T& entry : table) {
        if (!entry.Load(fp)) {
            return 0;
        }
    }
    if (!AppendEntries(table, n, fp)) {
        return 0;
    }
    if (table.empty()) {
        table.emplace_back();
    }
    return 1;
}

// Reads a list inside an entry: int32 count (checked against the bytes left at kMinRecordBytes
// per element, so that no list is sized from a count the file cannot hold), then the elements.
// The old elements are dropped and the new ones built and read one by one (AppendEntries). 1, or
// 0 at a refused count (the list is then unchanged) or at the first element that does not load.
template <class T>
int LoadEntryList(FILE* fp, cVector<T>& list)
{
    int count = 0;
    if (!ReadListCount(fp, count, kMinRecordBytes)) {
        return 0;
    }
    list.clear();
    return AppendEntries(list, static_cast<std::size_t>(count), fp);
}

// Opens the table file at szPath, reads it with LoadTable, removes every carriage return from
// the entries' strings when bRemoveCR is set (Load does so for the strings that the file holds),
// and closes it. 1, or 0 when the file cannot be opened or does not hold a whole table.
template <class T>
int LoadTableFile(cVector<T>& table, const char* szPath)
{
    FILE* fp = OpenDatLoad(szPath);
    if (fp == nullptr) {
        return 0;
    }
    int ok = LoadTable(table, fp);
    // Each entry's Load has removed them from the strings its file version holds; only strings
    // that the current version adds to an older file still need it.
    if (ok && bRemoveCR && nFileVersion != nDataVersion) {
        for (T& entry : table) {
            entry.RemoveCR();
        }
    }
    CloseDat(fp);
    return ok;
}
