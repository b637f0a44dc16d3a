#include "project/CharaEffectWork.h"

#include <utility>

#include "project/EffectWorkTime.h"
#include "project/cDatabase.h"

namespace {

constexpr int kBlink = 6;
constexpr int kTranslucent = 14;
constexpr int kLastKind = 16;

}  // namespace

void CHARAEFFECTWORK::Init(int nIndex, int bReversed)
{
    nNumber = static_cast<std::int16_t>(nIndex);
    lpRecord = bReversed ? &Database.CharaEffectRev[nIndex] : &Database.CharaEffect[nIndex];
    std::int32_t* p = lpRecord->nParam;
    const int kind = lpRecord->nKind;
    if (kind == kBlink || kind == kTranslucent) {
        nStart = 0;
        nEnd = p[0];
        dValue = 0.0;
        dStep = kTenthPerFrame;
        nCounter = 0;
        bShown = 0;
    } else if (kind >= 1 && kind <= kLastKind) {
        if (bReversed) {
            std::swap(p[1], p[2]);
        }
        nStart = p[1];
        nEnd = p[2];
        dValue = p[1];
        dStep = StepPerFrame(p[1], p[2], p[0]);
        nCounter = 0;
    }
}
