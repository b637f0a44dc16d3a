// cRanking: the ranking set of one stage and play kind: five tables of the 20 best results
// (score, remaining time, clear time, remaining HP, remaining SP), kept in the user's file
// "user_data\<story|challenge|free>\<stage file name>rkg".
//
// File: int32 version; the set's base part (no member, no string); int32 T and T tables. A
// ranking file is the user's and may be damaged: every count is checked against the bytes left,
// a file that does not read completely counts as missing (empty tables). A file of version 181 or
// later is kept as stored (its table and place counts and orders), except that missing tables of
// the five are added empty. Saving goes through a temporary file that replaces the old one only
// when everything was written.
//
// Threads: the game thread, and the ranking display's thread while the game thread waits.
#pragma once

#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "stage/ranking/cRankingTable.h"

struct DDSURFACEDATA;

// The five tables, by result kind.
enum RANKINGKIND {
    RANKING_SCORE = 0,       // higher first
    RANKING_TIME_LEFT = 1,   // higher first
    RANKING_CLEAR_TIME = 2,  // hundredths of a second, lower first
    RANKING_HP_LEFT = 3,     // higher first
    RANKING_SP_LEFT = 4,     // higher first
    RANKING_KIND_COUNT = 5
};

class cRanking : public cDataRecord {
public:
    cVector<cRankingTable> m_Tables;  // at least RANKING_KIND_COUNT tables, by RANKINGKIND

    // Five tables of 20 empty places with their orders.
    cRanking();
    cRanking(const cRanking&) = default;
    cRanking& operator=(const cRanking&) = default;

    void RegisterMembers(int nVersion) override;
    // The base part, the table count (checked against the bytes left) and the tables, as stored.
    // Files of version 180 and older are then brought to five tables, and tables 3 and 4 take
    // the order "higher first"; newer files only gain the tables missing of the five (empty, with
    // their kinds' orders). 1, or 0 when the data do not fit the file.
    int Load(FILE* fp) override;
    // The base part, the table count, each table. 1, or 0 when a write failed.
    int Save(FILE* fp) override;

    // Five tables of 20 empty places (no result, empty name, value 0), orders 1, 1, 0, 1, 1.
    void Reset();
    // Adds the tables missing of the five: 20 empty places each, with their kinds' orders.
    void AddMissingTables();

    // Reads the file of the play kind (0 story, 1 challenge, 2 free) and stage file name: 1 when
    // it was read; 0, with the set reset, when there is no path, no file or a damaged one.
    int LoadFile(int nPlayKind, const char* szStageName);
    // Writes the set to the file of the play kind and stage: 1 when written; 0 when there is no
    // path or the write failed (an old file is then kept).
    int SaveFile(int nPlayKind, const char* szStageName);
    // The window of table nTable at (x, y) of target with the mark beside place nHighlight (-1
    // none); a table number outside the set is a checked-access error (table 0 is drawn). Drawn
    // in RankingDraw.cpp.
    void Draw(DDSURFACEDATA* target, int x, int y, int nTable, int nHighlight) const;
};

// The order flag of each table (1 higher first, 0 lower first).
int RankingHigherBetter(int nKind);

// The ranking file of a play kind (0, 1, 2) and stage file: the kind's folder, the stage file's
// name without its folder but with its extension, and "rkg" with no dot ("data\stg4\c01-1.stg4"
// in the challenge gives "user_data\challenge\c01-1.stg4rkg"). 1, or 0 with out unchanged for
// any other play kind (the replay kind 3 among them).
// szStageName may use either separator.
int MakeRankingPath(std::string& out, int nPlayKind, const char* szStageName);

// The name a stage's rankings are kept under: the stage's own file name, the one the world map,
// the world select and a start file give, whichever numbered variant of it was read. The
// extension of stageFile becomes "stg4" ("data\stg4\c01-1.stg4_003" and "data\stg4\c01-1.stg4"
// both give "data\stg4\c01-1.stg4"); '/' becomes '\'; a name without extension stays.
std::string RankingStageName(const std::string& stageFile);

// The text of a time in hundredths of a second: minutes (at least two digits), seconds and
// hundredths (two digits each), "mm:ss.hh"; a negative part gets "-" before its digits.
// 12345 gives "02:03.45".
void TimeToStr(std::string& out, int nHundredths);

// The ranking set of the stage currently chosen.
extern cRanking Ranking;
