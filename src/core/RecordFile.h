// The record file frame: every record file begins with the int32 data version, followed by one
// or several records. All integers are little-endian.
//
// Record files come from game folders and user folders and are untrusted: the readers check every
// count and length against the bytes left in the file and never read past its end.
//
// A file opened by OpenDatLoad is normally read into memory at once and read from there; record
// classes that read blocks of their own use RecordReader (RecordReader.h) rather than fread, which
// works on such a file too but goes through stdio a byte at a time.
//
// Writing is safe against a failure half way: OpenDatSave writes into "<path>.tmp", and CloseDat
// renames it over the old file only when every write succeeded; otherwise the old file stays, the
// temporary one is removed and the failure is written to the report log.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// The data version of this release, written at the head of every saved file. The start-up sets
// it to 720 before any record file is read or written.
extern int nDataVersion;
// The version read from the head of the file opened last by OpenDatLoad; record classes compare
// it with their thresholds while loading. Loads run one at a time.
extern int nFileVersion;
// When non-zero, loading removes every carriage return from the strings; the start-up sets it.
extern int bRemoveCR;

// The current data version.
constexpr int kCurrentDataVersion = 720;

// Opens a record file for reading ("err" when the path is null or empty) and reads its version
// into nFileVersion. nullptr when it cannot be opened, the path is longer than 259 bytes, or the
// file is too short to hold a version.
FILE* OpenDatLoad(const char* szPath);
// Opens a record file for writing (through its temporary file) and writes nDataVersion.
// nullptr when it cannot be created.
FILE* OpenDatSave(const char* szPath);
// Closes a file of OpenDatLoad or OpenDatSave; nullptr is ignored. For a file being saved,
// 1 when everything was written and the file replaced the old one, else 0 (old file kept).
// 1 for a file being read.
int CloseDat(FILE* fp);
// Closes a file of OpenDatSave without putting it in place: the temporary file is removed and an
// old file of that name stays. For a save that found one of its parts refused. Any other file is
// closed as CloseDat closes it. nullptr is ignored.
void AbandonDat(FILE* fp);

// Bytes between the read position and the end of a file being read; 0 when unknown.
long RecordBytesLeft(FILE* fp);
// Reads or writes one int32; false at the end of the data or on a write failure.
bool ReadInt32(FILE* fp, std::int32_t& value);
bool WriteInt32(FILE* fp, std::int32_t value);
// Reads a list's element count and checks that count elements of at least nMinElementBytes each
// can still follow (a record needs at least 8 bytes: its two counts). False for a negative count
// or one that the file cannot hold, so that no list is sized from a bad count.
bool ReadListCount(FILE* fp, int& count, std::size_t nMinElementBytes);
