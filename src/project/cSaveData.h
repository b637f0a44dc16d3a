// cSaveData: the progress of one run of the game: the map figure's place on the world map, the
// cleared stages, lives, the score of the stage and the totals of the run, the best score of
// every stage, the common variables, the hero's state carried from one stage to the next, the
// point a retry goes back to, and the user's story slot and ranking name.
//
// It is written whole into the story slot files "user_data\story\StoryNN.dat" (NN = slot + 1),
// into "user_data\challenge\Challenge.dat" and, as a snapshot, into replay files. The world-map,
// title and stage screens and the window procedure read and change SaveData directly.
//
// The file: int32 version; the base part (the raw members registered for that version, see
// RegisterMembers, 32 at 720; strings strStage, strName); then stTime (16 bytes), CarryFlag (only
// in files above version 500), CarryChara, StageBest, WorldRecord, StageClear, Var, each list an
// int32 count and its elements. Older files are upgraded after reading (Upgrade).
//
// Saving goes through a temporary file that replaces the old one only when everything was
// written: a failed save keeps the previous file. A refused file leaves the record unchanged.
//
// Threads: the game thread, and the main thread for the music request (nStageBgm).
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "definitions/cEdChara.h"
#include "definitions/cEdStage.h"
#include "project/SaveTime.h"
#include "project/cCharaCarryState.h"
#include "project/cIntPair.h"
#include "project/cSaveSlot.h"
#include "project/cStageBest.h"
#include "project/cWorldStage.h"

class cSaveData : public cDataRecord {
public:
    static constexpr int kCarryGroupCount = 25;
    static constexpr int kStageCount = 1000;  // cleared flags, by stage number
    static constexpr int kVarCount = 256;     // common variables
    static constexpr int kUnlimitedLives = 999999;
    static constexpr int kRankingGenreCount = 5;
    // Upper bound on the world count taken from the project settings (the worlds are numbered
    // with two digits in their file names).
    static constexpr int kMaxWorldCount = 1000;

    // Play kinds of the lives rule and the retry switch.
    static constexpr int kPlayStory = 0;
    static constexpr int kPlayChallenge = 1;
    static constexpr int kPlayFree = 2;
    static constexpr int kPlayReplay = 3;  // a replay playback (the scene manager's play kind only)

    std::int32_t bCarry = 0;               // 1 once a carried state was stored
    cVector<std::int32_t> CarryFlag;       // 25: 1 when carry group g has been stored
    cVector<cCharaCarryState> CarryChara;  // carried state per player character (0 = the hero)
    std::int32_t nMapX = 0;                // cell of the map figure (column, row)
    std::int32_t nMapY = 0;
    // The world-map entry of the stage entered from the map, for the stage end; null when the
    // stage was not entered from the map, and after every load (files store 0 in its place).
    const cWorldStage* nMapEntry = nullptr;
    cVector<std::int32_t> StageClear;  // 1000 cleared flags by stage number
    std::int32_t nLap = 0;             // laps completed
    cVector<std::int32_t> Var;         // 256 common variables
    std::string strStage;              // key of the current stage (SetStageFile)
    std::int32_t nStageNo = 0;         // current stage or world number
    std::int32_t nWorldStage = 0;      // position of the stage in its world, 1 = first
    std::int32_t nStartLives = 0;      // lives at the start or restart of a stage
    std::int32_t nLives = 0;           // remaining lives; 999999 = unlimited
    std::int32_t nTotalScore = 0;      // score of the current stage play, 0 to 999999
    std::int32_t nRunScore = 0;        // score of the run; first ranking value
    std::int32_t nBestTotal = 0;       // total of the best scores
    std::int32_t nRunValue1 = 0;       // remaining time of the cleared timed stages, summed
    std::int32_t nRunValue2 = 0;       // clear times in 1/100 s, summed
    std::int32_t nRunValue3 = 0;       // HP left at each clear, summed
    std::int32_t nRunValue4 = 0;       // SP left at each clear, summed
    std::int32_t bWorldRun = 0;        // the stage key came from a world's first stage
    std::int32_t nStageBgm = 0;        // Bgm index of the stage's music
    std::int32_t bStageBgmLoop = 0;    // that music loops
    std::int32_t nMapDir = 0;          // facing of the map figure
    std::int32_t bMapEntered = 0;      // a stage entered from the map is being played
    std::int32_t nMapEnterX = 0;       // figure cell when it was entered
    std::int32_t nMapEnterY = 0;
    cVector<cStageBest> StageBest;    // best score per stage key
    std::int32_t nWorldOpen = 0;      // worlds open, 1 to the world count
    cVector<cIntPair> WorldRecord;    // per world {cleared, best run score}
    cVector<std::int32_t> RetryVar;   // Var at the stage start; not stored
    std::int32_t nRetryLives = 0;     // nLives at the stage start; not stored
    std::int32_t nRetryRunScore = 0;  // nRunScore at the stage start; not stored
    std::int32_t nSlot = 0;           // story slot of the run, -1 = none
    std::int32_t bAutoSave = 0;       // save into nSlot when the world map is shown again
    SAVETIME stTime;                  // local time of the last SaveSlot
    std::string strName;              // ranking registration name
    std::int32_t bRankingShow = 0;    // the world screens show the ranking panel
    std::int32_t nRankingKind = 0;    // the ranking value it shows, 0 to 4
    std::int32_t bStartPos = 0;       // the next stage starts the hero at (nStartX, nStartY)
    std::int32_t nStartX = 0;
    std::int32_t nStartY = 0;
    std::int32_t nStartDir = 0;  // that start facing: 0 left, 1 right

    // Registers for nDataVersion, then Reset.
    cSaveData();
    cSaveData(const cSaveData&) = default;
    // Copies every member and list (the stage start's snapshots).
    cSaveData& operator=(const cSaveData&) = default;

    // The raw members and strings a file of version nVersion holds, in file order.
    void RegisterMembers(int nVersion) override;
    // Reads a file opened by OpenDatLoad: base part, own part, the upgrade of older files, then
    // Validate. 1, or 0 when the data do not fit the record (no upgrade then; the record holds
    // what was read and is still validated).
    int Load(FILE* fp) override;
    // Validate, then the current layout. 1, or 0 when a write failed.
    int Save(FILE* fp) override;

    // A new game: every stored member 0 and string empty, 25 carry flags 0, one default carry
    // record, 1000 cleared flags with entry 0 set, 256 variables 0, no bests and world records,
    // nWorldOpen 1, nSlot -1, strName "aaa".
    void Reset();
    // nRunScore and nRunValue1 to nRunValue4 become 0 (the set-up of a stage that begins a run).
    void ClearScore();
    // Before every save and after every load: a map position outside the world map (beyond it or
    // negative) moves to the map's start cell; WorldRecord is sized to the settings' world count
    // and nWorldOpen lowered to it; the fixed-length lists are padded to the lengths their users
    // index (25 carry flags, one carry record, 1000 cleared flags, 256 variables).
    void Validate();

    // Sets strStage to the stage key of szPath (null counts as empty) and bWorldRun: the last "-"
    // directly followed by "1" becomes "." and ends the key (bWorldRun 1); otherwise the path
    // up to and with its last "." ("data\A03-2.stg4" gives "data\A03-2."; no "." gives "").
    void SetStageFile(const char* szPath);
    // Keeps nValue as the best of key: a new key is added and nValue added to nBestTotal; a
    // higher value replaces the old one and nBestTotal grows by the difference.
    void SetHighScore(const std::string& key, int nValue);
    // The best of key; 0 when it has none.
    int GetHighScore(const std::string& key) const;
    // nBestTotal = the sum of the bests of the stages the world map lists.
    void CalcTotalScore();

    // At every stage start: RetryVar = Var, nRetryLives = nLives, nRetryRunScore = nRunScore.
    void SaveRetryPoint();
    // Back to the retry point. bForce restores Var and nLives; otherwise Var is restored when
    // the project's retry switch for the play says so (nPlayKind 0 story, 1 challenge, 2 free,
    // other kinds always; bDirectPlay: a stage given at start, its own switch). nRunScore is
    // restored in every case and is the result. The stage play passes its play kind and the
    // shell's direct-play flag.
    int LoadRetryPoint(bool bForce, int nPlayKind, bool bDirectPlay);

    // Stores the carried state of player character n (0 = the hero) from its definition def and
    // the values outside it, for every carry group the project settings switch on; sets bCarry
    // and the stored groups' CarryFlag.
    void StoreCharaStatus(int n, const cEdChara& def, int nHp, int nSp, int nEffect, int nEffectValue1,
                          int nEffectValue2, int nTime, int nLives, int nBgm);
    // Copies the stored groups (switched on and stored) back into def, the hero's definition
    // before the hero is made, into nLives, and into stage, the stage being set up: its time
    // limit (group 22) and its music (group 24). Nothing without bCarry.
    void RestoreCharaStatus(int n, cEdChara& def, cEdStage& stage);
    // The carried HP (group 11) into *pHp and SP (group 12) into *pSp, each only when its group is
    // switched on and stored. Nothing without bCarry.
    void GetCharaExtra(int n, int* pHp, int* pSp) const;
    // CarryFlag[g] = 0 for every group whose reset switch the project settings set.
    void ClearFlaggedValues();

    // The lap ends: nLap + 1, every cleared flag 0, the figure to the world map's start cell.
    void StartNextLap();
    // Moves nRankingKind over the ranking genres RankingRows[nKind] of the project settings
    // enables, with wrap-around: nStep > 0 forward nStep enabled genres, < 0 backward, 0 onto an
    // enabled genre (staying on one). Nothing when none is enabled.
    void StepSelection(int nKind, int nStep);

    // Writes the record, with stTime = now, into the file of story slot n (0 to 98) and marks
    // SaveSlotList[n] as existing with that time. 1; 0 when the file could not be written: the
    // old file, the slot list and stTime stay as they were, and the report log says so. A slot
    // outside the list is a bad index (reported, the program closes) and writes nothing.
    int SaveSlot(int n);
    // Reads the file of story slot n and applies the lives rule of story play. 1; 0 when the file
    // is missing or refused (the record is unchanged).
    int LoadSlot(int n);
    // Reads "user_data\challenge\Challenge.dat" and applies the lives rule of challenge play. 1;
    // 0 when the file is missing or refused (the record is unchanged).
    int LoadChallenge();
    // The lives a new play of nPlayKind (kPlayStory, kPlayChallenge, kPlayFree) starts with:
    // 999999 of both counts when the settings give the kind unlimited lives, else the kind's
    // starting lives for the stage and one fewer in stock. A kind outside the settings' tables
    // counts as 0 lives.
    void StartLivesOf(int nPlayKind);

private:
    int LoadOwnPart(FILE* fp);
    // Gives the members an older file lacks the values of the old behaviour.
    void Upgrade(int nFromVersion);
    void KeepListLengths();
    // Reads szPath into this record through a copy, so that a refused file changes nothing, then
    // applies the lives rule of nPlayKind. 1, or 0 when refused.
    int LoadAndApplyLives(const char* szPath, int nPlayKind);
    // Unlimited lives for the play kind make 999999 of both counts; otherwise a saved 999999
    // becomes the kind's starting lives.
    void ApplyLivesRule(int nPlayKind);

    std::int32_t nMapEntryStored = 0;  // the file's place of nMapEntry: written 0, read and dropped
};

// The file of story slot n: "user_data\story\Story" + n + 1 in two digits + ".dat".
void SaveSlotFileName(std::string& out, int n);

// Fills every entry n of list from the file of slot n: bExist 0 when it is missing or cannot be
// read, otherwise 1 with the file's time stamp.
void MakeSaveSlotList(cVector<cSaveSlot>& list);

// The progress being played.
extern cSaveData SaveData;
// Copies of SaveData taken at the start of this play and of the play before (replays).
extern cSaveData SaveDataAtStart;
extern cSaveData SaveDataAtStartPrev;
