// cEdCondition: one stored test of a condition list -- a variable, a status, a flag, a state or a
// distance compared with a value. Lists of them, with a combination mode kept by their owner,
// decide whether a placed block, character or item is in play and whether a flow may start. The
// game objects evaluate them; the meanings of the members are those of the vocabularies in
// ConditionVocabulary.h.
//
// Evaluation reads the record and never writes into it: the right operand worked out at a test
// (a random number, a percentage of a maximum) is not stored back into m_nValue, so a percentage
// condition compares with the same value at every test.
//
// In a file: the raw members below in their order (files older than version 110 hold only kind,
// value, two 16-bit values that are dropped, compare, the percent flag from version 43, and the
// distance measure), no strings, no lists.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/cDataRecord.h"

class cEdCondition : public cDataRecord {
public:
    std::int8_t m_nKind = 0;      // 0 none (false), 1 common variable, 2 stage variable,
                                  // 3 character variable, 4 status, 5 flag, 6 state, 7 distance
    std::int32_t m_nValue = 0;    // constant of kinds 1-4; distance in half-blocks of kind 7
    std::int32_t m_nRandMin = 0;  // kind 4: bounds of a random right operand (inclusive)
    std::int32_t m_nRandMax = 0;
    std::int8_t m_nSubject = 0;      // kinds 4-6: 0 itself, 1 its target, 2 system; kind 7: 0 hero, 1 target
    std::int8_t m_nItem = 0;         // status (kind 4), flag (kind 5) or state (kind 6) number
    std::int8_t m_nLeftSource = 0;   // kind 4: 0 status, 1 variable
    std::int8_t m_nLeftVarKind = 0;  // kind 4 variable: 0 common, 1 stage
    std::int16_t m_nIndex = 0;       // variable index (kinds 1-4); the constant of kind 5
    std::int8_t m_nRightSource = 0;  // kind 4: 0 constant, 1 random, 2 status, 3 variable
    std::int8_t m_nRightSubject = 0;
    std::int8_t m_nRightItem = 0;
    std::int8_t m_nRightVarKind = 0;
    std::int16_t m_nRightIndex = 0;  // kind 4: right variable index; kind 7: dots added to the distance
    std::int8_t m_nCompare = 0;      // comparison code 0-7 (kinds 1-5); 0 is / 1 is not (6);
                                     // 0 within / 1 outside (7)
    std::int8_t m_bPercent = 0;      // kind 4: the right operand is a percentage of a maximum
    std::int8_t m_nDistDir = 0;      // kind 7: how the distance is measured (0-6)

    // All members 0, registered for nDataVersion: the element every condition list starts from.
    cEdCondition();

    // The members a file of version nVersion holds, in file order.
    void RegisterMembers(int nVersion) override;
    // Base part for nFileVersion, then Upgrade (nFileVersion) when the read succeeded. 1, or 0
    // when the record does not fit the file (members not read keep their values).
    int Load(FILE* fp) override;

    // Renumbers what older editors stored (kinds, state and status numbers, the subject of
    // distance conditions) for a record read from a file of version nFromVersion; nothing at 720.
    void Upgrade(int nFromVersion);

private:
    // Raises the left and right status numbers from nFrom up (status operands of kind 4 only).
    void ShiftStatusOperands(int nFrom);

    // Two 16-bit values that files older than version 110 hold after the value; read and dropped.
    std::int16_t m_nDropped[2] = {0, 0};
};
