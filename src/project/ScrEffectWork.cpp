#include "project/ScrEffectWork.h"

#include <utility>

#include "project/EffectWorkTime.h"
#include "project/cDatabase.h"

namespace {

constexpr int kMove = 1;
constexpr int kShakeH = 2;
constexpr int kShakeV = 3;
constexpr int kWaveH = 6;
constexpr int kWaveV = 7;
constexpr int kBlink = 8;
constexpr int kLastKind = 13;

}  // namespace

void SCREFFECTWORK::Init(int nIndex, int bReversed)
{
    nNumber = static_cast<std::int16_t>(nIndex);
    lpRecord = bReversed ? &Database.ScrEffectRev[nIndex] : &Database.ScrEffect[nIndex];
    std::int32_t* p = lpRecord->nParam;
    const int kind = lpRecord->nKind;
    if (kind == kMove) {
        if (bReversed) {
            std::swap(p[1], p[3]);
            std::swap(p[2], p[4]);
        }
        dValue = 0.0;
        dStep = kTenthPerFrame;
        nA = p[1];
        nB = p[2];
    } else if (kind == kShakeH || kind == kShakeV) {
        dValue = 0.0;
        dOffset = 0.0;
        dStep = kTenthPerFrame;
        nA = 0;
    } else if (kind == kBlink) {
        dValue = 0.0;
        dStep = kTenthPerFrame;
        nA = 0;
        nB = 0;
    } else if (kind >= 4 && kind <= kLastKind) {
        if (bReversed) {
            std::swap(p[1], p[2]);
        }
        dValue = p[1];
        dStep = StepPerFrame(p[1], p[2], p[0]);
        if (kind == kWaveH || kind == kWaveV) {
            nA = 0;
        }
    }
}
