#include "project/cDbCharaEffect.h"

namespace {

// The kinds whose coarseness parameter came later, and that parameter (0 = p1).
constexpr int kWaveH = 4;
constexpr int kWaveV = 5;
constexpr int kCircle = 10;
constexpr int kWaveCoarseness = 4;
constexpr int kCircleCoarseness = 3;

}  // namespace

int cDbCharaEffect::Load(FILE* fp)
{
    if (!cDataRecord::Load(fp)) {
        return 0;
    }
    if (nFileVersion <= kLastVersionWithoutCoarseness) {
        if (nKind == kWaveH || nKind == kWaveV) {
            nParam[kWaveCoarseness] = CharaEffectParamDefault(nKind, kWaveCoarseness);
        } else if (nKind == kCircle) {
            nParam[kCircleCoarseness] = CharaEffectParamDefault(nKind, kCircleCoarseness);
        }
    }
    return 1;
}
