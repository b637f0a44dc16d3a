#include "objects/flow/FlowOperands.h"

#include <limits>

#include "platform/win/Random.h"

namespace {

std::int64_t Abs64(std::int64_t n)
{
    return n < 0 ? -n : n;
}

std::int32_t SaturateToInt32(std::int64_t n)
{
    if (n < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    if (n > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(n);
}

// Values reach here from int32 storage and constants, so sums and products of two of them fit
// in 64 bits; operands are limited to that width first all the same.
std::int64_t ToOperand(std::int64_t n)
{
    return SaturateToInt32(n);
}

}  // namespace

int CompareByOp(std::int64_t nLeft, std::int64_t nRight, int nOp)
{
    switch (nOp) {
    case 0: return nLeft == nRight ? 1 : 0;
    case 1: return nLeft != nRight ? 1 : 0;
    case 2: return nLeft >= nRight ? 1 : 0;
    case 3: return nLeft <= nRight ? 1 : 0;
    case 4: return nLeft > nRight ? 1 : 0;
    case 5: return nLeft < nRight ? 1 : 0;
    case 6: return (nRight == 0 || Abs64(ToOperand(nLeft)) % ToOperand(nRight) == 0) ? 1 : 0;
    case 7: return (nRight != 0 && Abs64(ToOperand(nLeft)) % ToOperand(nRight) != 0) ? 1 : 0;
    default: return 0;
    }
}

std::int32_t PercentOf(std::int64_t nValue, std::int64_t nPercent)
{
    double x = static_cast<double>(ToOperand(nValue) * ToOperand(nPercent)) * 0.01;
    x = x >= 0.0 ? x + 0.5 : x - 0.5;
    if (x <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (x >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(x);
}

std::int32_t ClampValue(std::int32_t& nValue, std::int32_t nMin, std::int32_t nMax)
{
    if (nValue < nMin) nValue = nMin;
    if (nValue > nMax) nValue = nMax;
    return nValue;
}

std::int64_t ApplyOperationWide(std::int64_t nTarget, std::int64_t nOperand, int nOperation)
{
    const std::int64_t t = ToOperand(nTarget);
    const std::int64_t v = ToOperand(nOperand);
    switch (nOperation) {
    case 0: return v;
    case 1: return t + v;
    case 2: return t - v;
    case 3: return t * v;
    case 4: return v == 0 ? t : t / v;
    case 5: return v == 0 ? t : t % v;
    case 6: return PercentOf(t, v);
    default: return t;
    }
}

std::int32_t RandomBetween(std::int32_t nBound1, std::int32_t nBound2)
{
    const std::int64_t nLow = nBound1 < nBound2 ? nBound1 : nBound2;
    const std::int64_t nHigh = nBound1 < nBound2 ? nBound2 : nBound1;
    const std::int64_t nSpan = nHigh - nLow + 1;
    return static_cast<std::int32_t>(nLow + static_cast<std::int64_t>(Rand()) % nSpan);
}
