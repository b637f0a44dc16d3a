// Reading one database table: a record file holding an int32 entry count and that many entries
// of one record class, all under the file's version. One instance per element class.
#pragma once

#include <cstdio>

#include "core/RecordFile.h"
#include "core/cVector.h"

// Reads the entry count and the entries from an open table file. The table is resized to the
// count (entries already present stay, appended ones are default entries) and every entry
// loads itself, so a member that an older file lacks keeps its default. A table that holds no
// entry gets one default entry: entry 0 stands for "none" and its users rely on it. 1, or 0 when
// the count or an entry does not fit the file (reading stops there).
template <class T>
int LoadTable(cVector<T>& table, FILE* fp)
{
    int count = 0;
    if (!ReadListCount(fp, count, T::kMinFileBytes)) {
        return 0;
    }
    const T defaultEntry;
    table.resize(static_cast<std::size_t>(count), defaultEntry);
    for (int i = 0; i < count; ++i) {
        if (!table[i].Load(fp)) {
            return 0;
        }
    }
    if (table.empty()) {
        table.push_back(defaultEntry);
    }
    return 1;
}

// Opens the table file at szPath, reads it with LoadTable, removes every carriage return from
// the entries' strings when bRemoveCR is set, and closes it. 1, or 0 when the file cannot be
// opened or does not hold a whole table.
template <class T>
int LoadTableFile(cVector<T>& table, const char* szPath)
{
    FILE* fp = OpenDatLoad(szPath);
    if (fp == nullptr) {
        return 0;
    }
    int ok = LoadTable(table, fp);
    if (ok && bRemoveCR) {
        for (T& entry : table) {
            entry.RemoveCR();
        }
    }
    CloseDat(fp);
    return ok;
}
