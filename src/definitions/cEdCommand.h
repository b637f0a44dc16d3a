// cEdCommand: one step of a flow -- its kind, the integer parameters whose count the kind fixes,
// a text, timing and sound settings, and depending on the kind a movement record, a shot record
// and a list of flows. Action commands (m_bItemCommand 0) are named by CommandInfo, item commands
// (run when the player takes an item) by ItemCommandInfo.
//
// A command owns its movement and shot records: every copy gets records of its own, so two
// commands never share one. After every load and before every save the command repairs itself
// (Repair): its database indices are in range, its parameter vector holds exactly the count of
// its kind, and a charge-move, shot or sword command has the record it needs.
//
// In a file: the base part (raw members m_bItemCommand, m_nKind, m_nTime, m_nTimeStep,
// m_bWithNext, m_nSound, m_bSoundOnScreen, m_nAnime; the string m_strText); int32 0 or 1 and, when
// not 0, the cEdMove; the same for the cEdShot; the flow list (int32 n, n cEdFlow); the
// parameter vector (int32 n, n int32).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "definitions/cEdMove.h"
#include "definitions/cEdShot.h"

class cEdFlow;
struct PALETTECOUNTS;

class cEdCommand : public cDataRecord {
public:
    // Commands nested inside the flows of commands deeper than this are refused by Load.
    static constexpr int kMaxNesting = 16;

    std::int8_t m_bItemCommand = 0;     // 0 action command, otherwise item command
    std::int8_t m_nKind = 0;            // kind in its family's table
    std::int16_t m_nTime = 0;           // duration, tenths of a second (6 frames each)
    std::int16_t m_nTimeStep = 0;       // added per step of the character's multiplier
    std::int8_t m_bWithNext = 0;        // 1: the flow goes on to the next command in the same frame
    std::int16_t m_nSound = 0;          // Sound database entry played at the start (0 none)
    std::int8_t m_bSoundOnScreen = 0;   // 1: that sound plays only while the character is on screen
    std::int16_t m_nAnime = 0;          // Anime database entry shown while it runs (0 none)
    std::string m_strText;              // message text, program of "コードの実行" (Shift-JIS)
    std::shared_ptr<cEdMove> m_lpMove;  // the movement settings, or none
    std::shared_ptr<cEdShot> m_lpShot;  // the shot settings, or none
    cVector<cEdFlow> m_Flow;            // flows of the item command "フローの変更"
    cVector<std::int32_t> m_Param;      // parameters, CMDINFO::nParam of the kind after a repair

    // A new command: Reset.
    cEdCommand();
    // Deep copies: see operator=.
    cEdCommand(const cEdCommand& source);
    // Copies every member, the parameters, the text and the flows (with their commands, deeply);
    // the movement and shot records are copied into new records of this command (or dropped when
    // the source has none). Self-assignment changes nothing.
    cEdCommand& operator=(const cEdCommand& source);
    ~cEdCommand() override;

    // m_bItemCommand, m_nKind, the text, then the other six raw members; the same in every
    // version.
    void RegisterMembers(int nVersion) override;
    // Raw members and text cleared, no movement or shot record, no flows, no parameters,
    // m_bSoundOnScreen 1.
    void Reset();
    // Reads the command as laid out above, then for files older than 720 Upgrade, then, unless
    // test play or the keep setting says otherwise (DefinitionContext), removes the test-play-only
    // flows it owns, then Repair (also after a failed read). 1, or 0 when the command does not fit
    // the file or nests deeper than kMaxNesting.
    int Load(FILE* fp) override;
    // Repair, then writes the command as laid out above. 1, or 0 when a write failed.
    int Save(FILE* fp) override;

    // A new movement record with its defaults, replacing the one held before.
    void NewMove();
    // A new shot record with its defaults, replacing the one held before.
    void NewShot();

    // Renumbers and completes the parameters and records of a command read from a file of
    // version nFromVersion (below 720) so that it runs as it did in the editor that saved it.
    void Upgrade(int nFromVersion);
    // Brings the command into the shape the running side relies on: a charge-move command gets a
    // default movement record and a shot or sword command a default shot record when they have
    // none; Anime and Sound indices outside their tables become 0; the parameter vector gets the
    // count of the kind's table entry (a kind outside its table is a checked-access error); p[0]
    // of the commands that name a database entry is set back when out of range; a sword's type is
    // set back to 0 when out of range and its time becomes the run time of the sword type, at
    // most 9999; then every flow it owns is repaired. Database sizes come from
    // DefinitionContext.
    void Repair();
    // Sets back palette references out of range of the lists in counts: the item a shot or sword
    // leaves, the palette entry a summon names, the item "アイテムの取得" gives; then the same for
    // the commands of its flows.
    void CheckPaletteRefs(const PALETTECOUNTS& counts);

    // 1 when this is action command nAction, or item command nItem (nItem < 0: no item command).
    int IsKind(int nAction, int nItem) const;

    // Resizes the parameter vector to n (new entries 0, surplus cut off; n < 0 counts as 0).
    void ResizeParam(int n);
    // Resizes to n, then inserts x at position k: entries k .. n-2 move up by one place (the last
    // one is lost). Nothing is inserted when k is not below n.
    void InsertParam(int n, int k, std::int32_t x);

private:
    int LoadRecords(FILE* fp);
    int LoadParams(FILE* fp);
    // Parameter i, 0 when the vector is shorter.
    std::int32_t Param(int i) const;
    // Sets parameter i when the vector holds it.
    void SetParam(int i, std::int32_t value);
    // The status renumbering of "ステータスの操作" for statuses inserted before nFrom.
    void ShiftStatusParams(int nFrom);
    // The upgrade rules of "メッセージ" and "ピクチャーの表示" (versions below 556).
    void UpgradeMessageParams(int nFromVersion);
    // Repair without the flows it owns.
    void RepairOwnPart();
    void RepairParamIndex();
    void RepairSword();
};

// Makes target a record of its own with source's contents, or empties it when source is empty.
// The copies of commands and of command lists use them, so no two commands share a record.
void AssignMoveHolder(std::shared_ptr<cEdMove>& target, const std::shared_ptr<cEdMove>& source);
void AssignShotHolder(std::shared_ptr<cEdShot>& target, const std::shared_ptr<cEdShot>& source);
