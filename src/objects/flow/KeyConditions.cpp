#include "objects/flow/KeyConditions.h"

#include <bit>

namespace {

constexpr int kKeyCount = cEdKeyCondition::kKeyCount;

// Flag of key nKey, 0 when the condition's vector is shorter.
int KeyFlag(const cEdKeyCondition& condition, int nKey)
{
    return nKey < static_cast<int>(condition.m_KeyFlag.size()) ? condition.m_KeyFlag[nKey] : 0;
}

// Rule shared by the step test and the held test: mode 1 needs a match, mode 2 exactly one,
// mode 0 no miss; any other mode holds.
int DecideByMode(int nMode, int nMatched, int nMissed)
{
    if (nMode == 1) return nMatched > 0 ? 1 : 0;
    if (nMode == 2) return nMatched == 1 ? 1 : 0;
    if (nMode == 0) return nMissed == 0 ? 1 : 0;
    return 1;
}

}  // namespace

cKeyCursors::cKeyCursors(const cKeyLogView& logs, std::uint32_t nUsedLogs) : m_nUsedLogs(nUsedLogs)
{
    for (std::uint32_t nLogs = m_nUsedLogs & kAllLogs; nLogs != 0; nLogs &= nLogs - 1) {
        const int nLog = std::countr_zero(nLogs);
        m_Runs[nLog] = logs.Runs(nLog);
        m_Cursor[nLog].nLength = m_Runs[nLog].empty() ? 0 : m_Runs[nLog][0].length;
    }
}

void cKeyCursors::Shift(int nFrames)
{
    for (std::uint32_t nLogs = m_nUsedLogs & kAllLogs; nLogs != 0; nLogs &= nLogs - 1) {
        const int nLog = std::countr_zero(nLogs);
        if (m_Runs[nLog].empty()) {
            continue;
        }
        if (nFrames <= 0) {
            ShiftBack(m_Cursor[nLog], m_Runs[nLog], nFrames);
        } else {
            ShiftForward(m_Cursor[nLog], m_Runs[nLog], nFrames);
        }
    }
}

void cKeyCursors::ShiftBack(KEYCURSOR& cursor, std::span<const KEYLOGRUN> runs, int nFrames)
{
    const int nCount = static_cast<int>(runs.size());
    cursor.nLength += nFrames;
    while (cursor.nLength < 0) {
        if (++cursor.nRun >= nCount) {
            // Older than the log: the cursor stays on the oldest run, where nothing matches.
            cursor.nRun = nCount - 1;
            break;
        }
        cursor.nLength += runs[static_cast<std::size_t>(cursor.nRun)].length;
    }
    // A cursor at the very start of a run lies at the end of the run before it.
    if (cursor.nLength == 0 && cursor.nRun + 1 < nCount) {
        ++cursor.nRun;
        cursor.nLength = runs[static_cast<std::size_t>(cursor.nRun)].length;
    }
}

void cKeyCursors::ShiftForward(KEYCURSOR& cursor, std::span<const KEYLOGRUN> runs, int nFrames)
{
    cursor.nLength += nFrames;
    while (cursor.nLength > runs[static_cast<std::size_t>(cursor.nRun)].length) {
        cursor.nLength -= runs[static_cast<std::size_t>(cursor.nRun)].length;
        if (--cursor.nRun < 0) {
            cursor.nRun = 0;
            break;
        }
    }
}

int KeyLogOfKey(int nKey, bool bSwapSides)
{
    if (bSwapSides) {
        switch (nKey) {
        case 1: return 2;
        case 2: return 1;
        case 5: return 7;
        case 7: return 5;
        case 6: return 8;
        case 8: return 6;
        default: break;
        }
    }
    return nKey;
}

int TestKeyRun(std::int32_t nPressed, int nLength, const cEdKeyCondition& condition, int nFlag)
{
    if (nFlag == 1) {
        if (nPressed == 0) return 0;
        if (condition.m_bAnyLength != 0 && nLength >= 1) return 1;
        return (condition.m_nMinFrames <= nLength && nLength <= condition.m_nMaxFrames) ? 1 : 0;
    }
    if (nFlag == 2) {
        return (nPressed == 0 && nLength >= 1) ? 1 : 0;
    }
    return 0;
}

int MatchKeyStep(const cEdKeyCondition& condition, const cKeyCursors& cursors, bool bOwnerFacesLeft, int& nMatched)
{
    const bool bSwap = bOwnerFacesLeft && condition.m_bFacingRelative != 0;
    int nMatches = 0;
    int nMisses = 0;
    int nLength = 0;
    for (int nKey = 0; nKey < kKeyCount; ++nKey) {
        const int nFlag = KeyFlag(condition, nKey);
        if (nFlag == 0) {
            continue;
        }
        const int nLog = KeyLogOfKey(nKey, bSwap);
        const KEYCURSOR& cursor = cursors[nLog];
        const std::span<const KEYLOGRUN> runs = cursors.Runs(nLog);
        const std::int32_t nPressed = runs.empty() ? 0 : runs[static_cast<std::size_t>(cursor.nRun)].pressed;
        if (!runs.empty() && TestKeyRun(nPressed, cursor.nLength, condition, nFlag)) {
            ++nMatches;
            const int L = cursor.nLength;
            if (condition.m_nKeyMode == 0) {
                if (nLength == 0 || L < nLength) nLength = L;
            } else if (condition.m_nKeyMode == 1) {
                if (nLength == 0 || L > nLength) nLength = L;
            } else {
                nLength = L;
            }
        } else {
            ++nMisses;
        }
    }
    nMatched = nLength;
    return DecideByMode(condition.m_nKeyMode, nMatches, nMisses);
}

namespace {

// The logs the steps of a sequence read (bit n for log n); the others need no cursor moves.
std::uint32_t UsedLogs(const cVector<cEdKeyCondition>& conditions, bool bOwnerFacesLeft)
{
    std::uint32_t nUsed = 0;
    for (const cEdKeyCondition& condition : conditions) {
        const bool bSwap = bOwnerFacesLeft && condition.m_bFacingRelative != 0;
        for (int nKey = 0; nKey < kKeyCount; ++nKey) {
            if (KeyFlag(condition, nKey) != 0) {
                nUsed |= 1u << KeyLogOfKey(nKey, bSwap);
            }
        }
    }
    return nUsed;
}

}  // namespace

int MatchKeySequence(const cVector<cEdKeyCondition>& conditions, std::int8_t nAllowance, const cKeyLogView& logs,
                     bool bOwnerFacesLeft, bool bKeyOverlap)
{
    const int nSteps = static_cast<int>(conditions.size());
    if (nSteps == 0) {
        return 0;
    }
    cKeyCursors cursors(logs, UsedLogs(conditions, bOwnerFacesLeft));
    int nMatched = 0;
    int i = nSteps - 1;
    if (!MatchKeyStep(conditions[i], cursors, bOwnerFacesLeft, nMatched)) {
        return 0;
    }
    for (;;) {
        // The step just found lies behind us: go back to the moment before its run began.
        if (i == 0) {
            return 1;
        }
        cursors.Shift(-nMatched);
        --i;
        if (MatchKeyStep(conditions[i], cursors, bOwnerFacesLeft, nMatched)) {
            continue;
        }
        if (nAllowance == 0) {
            return 0;
        }
        bool bFound = false;
        for (int nSearched = 0; nSearched < nAllowance; ++nSearched) {
            cursors.Shift(-1);
            if (MatchKeyStep(conditions[i], cursors, bOwnerFacesLeft, nMatched)) {
                bFound = true;
                break;
            }
        }
        if (bFound) {
            continue;
        }
        // Nothing within the allowance: one frame later than the step's expected moment.
        cursors.Shift(nAllowance > 0 ? nAllowance : 0);
        cursors.Shift(1);
        if (!MatchKeyStep(conditions[i], cursors, bOwnerFacesLeft, nMatched)) {
            return 0;
        }
        if (!bKeyOverlap) {
            int nDiscarded = 0;
            if (MatchKeyStep(conditions[i + 1], cursors, bOwnerFacesLeft, nDiscarded)) {
                // The two steps would be one and the same moment.
                return 0;
            }
        }
    }
}

int IsKeyConditionHeld(const cKeyLogView& logs, const cEdKeyCondition& condition)
{
    int nMatches = 0;
    int nMisses = 0;
    for (int nKey = 0; nKey < kKeyCount; ++nKey) {
        const int nFlag = KeyFlag(condition, nKey);
        if (nFlag == 0) {
            continue;
        }
        const std::int32_t nPressed = logs.RunCount(nKey) > 0 ? logs.RunPressed(nKey, 0) : -1;
        if ((nFlag == 1 && nPressed > 0) || (nFlag == 2 && nPressed == 0)) {
            ++nMatches;
            if (condition.m_nKeyMode == 1) {
                break;
            }
        } else {
            ++nMisses;
        }
    }
    return DecideByMode(condition.m_nKeyMode, nMatches, nMisses);
}

int GetInputDirClass(const cKeyLogView& logs)
{
    for (int nLog = 0; nLog <= 9; ++nLog) {
        if (logs.RunCount(nLog) > 0 && logs.RunPressed(nLog, 0) != 0) {
            return nLog;
        }
    }
    return 0;
}
