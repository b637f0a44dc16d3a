// Reading the user's own files (options, window place, drawing mode, save slots, challenge
// records, rankings, replays). They are written by this program but live on the user's disk,
// where a crash, a full disk or a hand edit can damage them: a damaged one is logged, set aside
// under a name that says so, and treated as absent, and it never closes the program.
#pragma once

#include "core/cDataRecord.h"

// What ReadUserFile found.
enum class UserFileRead {
    kAbsent,   // no file of that name: the record is unchanged
    kRead,     // the file was read whole into the record
    kDamaged,  // the file exists but cannot be read or does not fit its record: the record may
               // hold part of it, so callers read into a scratch record
};

// Whether ReadUserFile moves a damaged file aside at once.
enum class DamagedFile {
    kSetAside,  // renamed to "<path>.damaged" now: the next save writes a fresh file
    kLeave,     // left where it is (a save slot, listed as unreadable until a save replaces it)
};

// Reads szPath into record with the record's own Load inside a FileReadScope. A damaged file is
// written to the report log ("User file damaged : <path>") and, with kSetAside, set aside.
UserFileRead ReadUserFile(cDataRecord& record, const char* szPath, DamagedFile keep = DamagedFile::kSetAside);

// Renames szPath to "<szPath>.damaged" (an older file of that name is replaced) and logs where
// it went. False when there was nothing to move or it could not be moved.
bool SetDamagedFileAside(const char* szPath);
