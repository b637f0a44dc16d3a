#include "objects/effect/cScrEffectRun.h"

#include "project/DerivedTables.h"
#include "project/EffectParamTable.h"
#include "project/cDatabase.h"

void cScrEffectRun::AssignWork(const SCREFFECTWORK& work)
{
    lpRecord = work.lpRecord;
    dValue = work.dValue;
    dOffset = work.dOffset;
    dStep = work.dStep;
    nA = work.nA;
    nB = work.nB;
    nSpare = 0;
}

void cScrEffectRun::Start(int nNumber, int nMode, int bLoop)
{
    bReversedNow = nMode == 1 ? 1 : 0;
    AssignWork(bReversedNow ? ScrEffectWorkRev[nNumber] : ScrEffectWork[nNumber]);
    // A number outside the table has been reported by the checked access; it runs nothing.
    const bool bValid = nNumber >= 0 && nNumber < static_cast<int>(ScrEffectWork.size());
    this->nNumber = static_cast<std::int16_t>(bValid ? nNumber : 0);
    this->nMode = nMode;
    this->bLoop = bLoop;
}

void cScrEffectRun::Restart()
{
    if (nMode == 2) {
        bReversedNow = bReversedNow ? 0 : 1;
    }
    AssignWork(bReversedNow ? ScrEffectWorkRev[nNumber] : ScrEffectWork[nNumber]);
}

int cScrEffectRun::RunTenths() const
{
    const int tenths = Param(0);
    return tenths < 1 ? 1 : tenths;
}

int cScrEffectRun::Step(int nStartValue, int nEndValue, double dStepValue)
{
    bool goesOn;
    if (nEndValue < nStartValue) {
        dValue -= dStepValue;
        goesOn = static_cast<int>(dValue) >= nEndValue;
    } else {
        dValue += dStepValue;
        goesOn = nEndValue >= static_cast<int>(dValue);
    }
    if (goesOn) {
        return 0;
    }
    if (bLoop || (nMode == 2 && bReversedNow == 0)) {
        Restart();
        return 0;
    }
    return 1;
}

int cScrEffectRun::Kind() const
{
    return lpRecord == nullptr ? 0 : lpRecord->nKind;
}

int cScrEffectRun::Param(int i) const
{
    if (lpRecord == nullptr || i < 0 || i >= kEffectParamCount) {
        return 0;
    }
    return lpRecord->nParam[i];
}

void cScrEffectRun::Clear()
{
    nNumber = 0;
}
