// cEdFlow: one behaviour of a character -- a trigger that may start it, a condition list and a
// key sequence that must hold when it starts, and the commands it then runs in order. A character
// definition owns a list of flows; the item command "フローの変更" owns one too. The running side
// relies on these members as described beside them; the names of the values are in
// FlowVocabulary.h.
//
// Copying a flow copies everything, the commands deeply (new movement and shot records); the
// implicit copy operations do exactly that through the lists' element assignment.
//
// In a file: the base part (the eight raw members; from version 676 the memo as its one string),
// then the condition list, the key-condition list and the command list, each int32 count and the
// elements.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "definitions/cEdCommand.h"
#include "definitions/cEdCondition.h"
#include "definitions/cEdKeyCondition.h"

struct PALETTECOUNTS;

class cEdFlow : public cDataRecord {
public:
    // Key gap of a new flow.
    static constexpr int kDefaultKeyGap = 3;

    std::string m_strMemo;                    // the editor's comment; emptied by every load
    std::int8_t m_nFlowID = 0;                // 0 none, 1-26 "A"-"Z": selects the flow for "フローの操作"
    std::int8_t m_nFlowGroup = 0;             // 0 none, 1-26 "a"-"z": exclusion group of trigger-0 flows
    std::int8_t m_bTestPlayOnly = 0;          // 1: the flow exists only in test play
    std::int8_t m_nCondMode = 0;              // condition list: 0 all hold, 1 at least one holds
    std::int8_t m_bCondOnce = 0;              // 1: once the conditions held they hold for good
    std::int8_t m_nTrigger = 0;               // trigger 0-19
    std::int8_t m_nKeyGap = 0;                // frames tolerated between two steps of the key sequence
    std::int8_t m_bKeyRepeat = 0;             // 1: may start on every frame the key sequence holds
    cVector<cEdCondition> m_Condition;        // start conditions
    cVector<cEdKeyCondition> m_KeyCondition;  // key sequence, oldest step first
    cVector<cEdCommand> m_Command;            // the commands, run in order

    // A new flow: every member 0 but m_nKeyGap kDefaultKeyGap; no conditions or commands.
    cEdFlow();

    // From version 676 the memo, then the eight raw members.
    void RegisterMembers(int nVersion) override;
    // Base part and the three lists, then Upgrade for files older than 720, then the memo is
    // emptied and the flow repaired (both also after a failed read). 1, or 0 when the flow does
    // not fit the file.
    int Load(FILE* fp) override;
    // Repair, then the base part and the three lists. 1, or 0 when a write failed.
    int Save(FILE* fp) override;

    // Renumbers the triggers and groups of a flow read from a file of version nFromVersion.
    void Upgrade(int nFromVersion);
    // Repairs every command (cEdCommand::Repair).
    void Repair();
    // Checks the palette references of every command (cEdCommand::CheckPaletteRefs).
    void CheckPaletteRefs(const PALETTECOUNTS& counts);
};
