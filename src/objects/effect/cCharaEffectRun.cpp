#include "objects/effect/cCharaEffectRun.h"

#include "project/DerivedTables.h"
#include "project/EffectParamTable.h"
#include "project/cDatabase.h"

namespace {

constexpr int kWaveH = 4;
constexpr int kWaveV = 5;
constexpr int kBlink = 6;
constexpr int kTranslucent = 14;
constexpr int kWavePhases = 360;

}  // namespace

void cCharaEffectRun::AssignWork(const CHARAEFFECTWORK& work)
{
    lpRecord = work.lpRecord;
    nStart = work.nStart;
    nEnd = work.nEnd;
    dValue = work.dValue;
    dStep = work.dStep;
    nCounter = work.nCounter;
    bShown = work.bShown;
    nSpare = 0;
    nFrames = 0;
}

void cCharaEffectRun::Start(int nNumber, int nMode, int bLoop)
{
    bEndsInTime = 0;
    bReversedNow = nMode == 1 ? 1 : 0;
    AssignWork(bReversedNow ? CharaEffectWorkRev[nNumber] : CharaEffectWork[nNumber]);
    // A number outside the table has been reported by the checked access; it runs nothing.
    const bool bValid = nNumber >= 0 && nNumber < static_cast<int>(CharaEffectWork.size());
    this->nNumber = static_cast<std::int16_t>(bValid ? nNumber : 0);
    this->nMode = nMode;
    this->bLoop = bLoop;
}

void cCharaEffectRun::Restart()
{
    if (nMode == 2) {
        bReversedNow = bReversedNow ? 0 : 1;
    }
    AssignWork(bReversedNow ? CharaEffectWorkRev[nNumber] : CharaEffectWork[nNumber]);
}

int cCharaEffectRun::RunFrames() const
{
    const int tenths = Param(0);
    return (tenths < 1 ? 1 : tenths) * 6;
}

int cCharaEffectRun::Step()
{
    ++nFrames;
    bool goesOn;
    if (nStart <= nEnd) {
        dValue += dStep;
        goesOn = dValue <= nEnd;
    } else {
        dValue -= dStep;
        goesOn = dValue >= nEnd;
    }
    // A death effect that does not move would never pass its end and keep its character from
    // going: it lasts its run time like a moving one.
    if (goesOn && bEndsInTime && dStep == 0.0 && nFrames > RunFrames()) {
        goesOn = false;
    }
    if (goesOn) {
        return 0;
    }
    if ((bLoop && !bEndsInTime) || (nMode == 2 && bReversedNow == 0)) {
        Restart();
        return 0;
    }
    return 1;
}

int cCharaEffectRun::Advance(int bPaused)
{
    const int kind = Kind();
    if (kind == kBlink || kind == kTranslucent) {
        if (nCounter >= Param(1)) {
            nCounter = 0;
            bShown = bShown ? 0 : 1;
        }
        if (bPaused) {
            return 0;
        }
        ++nCounter;
        return Step();
    }
    if (bPaused) {
        return 0;
    }
    if (kind == kWaveH || kind == kWaveV) {
        nCounter = nCounter + 1 >= kWavePhases ? 0 : nCounter + 1;
    }
    return Step();
}

int cCharaEffectRun::StepFrame(int bPaused)
{
    const int kind = Kind();
    if (nNumber == 0 || kind < 1 || kind >= kCharaEffectKinds) {
        return 0;
    }
    if (Advance(bPaused) != 1) {
        return 0;
    }
    Clear();
    return 1;
}

int cCharaEffectRun::Kind() const
{
    return lpRecord == nullptr ? 0 : lpRecord->nKind;
}

int cCharaEffectRun::Param(int i) const
{
    if (lpRecord == nullptr || i < 0 || i >= kEffectParamCount) {
        return 0;
    }
    return lpRecord->nParam[i];
}

void cCharaEffectRun::Clear()
{
    nNumber = 0;
}
