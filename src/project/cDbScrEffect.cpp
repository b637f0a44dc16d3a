#include "project/cDbScrEffect.h"

namespace {

// The kinds whose coarseness parameter came later, and that parameter (0 = p1).
constexpr int kWaveH = 6;
constexpr int kWaveV = 7;
constexpr int kCircle = 10;
constexpr int kWaveCoarseness = 4;
constexpr int kCircleCoarseness = 3;

}  // namespace

int cDbScrEffect::Load(FILE* fp)
{
    if (!cDataRecord::Load(fp)) {
        return 0;
    }
    if (nFileVersion <= kLastVersionWithoutCoarseness) {
        if (nKind == kWaveH || nKind == kWaveV) {
            nParam[kWaveCoarseness] = ScrEffectParamDefault(nKind, kWaveCoarseness);
        } else if (nKind == kCircle) {
            nParam[kCircleCoarseness] = ScrEffectParamDefault(nKind, kCircleCoarseness);
        }
    }
    return 1;
}
