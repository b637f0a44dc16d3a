// The arithmetic that flow conditions and the status operation share: the comparison codes, the
// percentage of a value, the operations that change a stored value, and the random operand.
// Pure functions of their arguments (the random operand draws from the game thread's generator);
// game thread only.
//
// Every intermediate result is computed in 64 bits and only then clamped, so no product or sum
// wraps around: a multiplication that leaves the range ends at the nearer limit, whatever the
// size of the factors.
#pragma once

#include <cstdint>

// Comparison codes of conditions (left L, right R): 0 L = R, 1 L != R, 2 L >= R, 3 L <= R,
// 4 L > R, 5 L < R, 6 R = 0 or |L| divisible by R, 7 R != 0 and |L| not divisible by R; any
// other code never holds. 1 holds, 0 not. Values of narrower stored items are widened, never cut
// to their width, so a right side outside the item's width compares as the number it is.
int CompareByOp(std::int64_t nLeft, std::int64_t nRight, int nOp);

// nPercent % of nValue: the product times 0.01, rounded half away from zero ((150, 33) gives 50,
// (-150, 33) gives -50), limited to the int32 range.
std::int32_t PercentOf(std::int64_t nValue, std::int64_t nPercent);

// Limits nValue to nMin..nMax (nMin when below, nMax when above) and returns it.
std::int32_t ClampValue(std::int32_t& nValue, std::int32_t nMin, std::int32_t nMax);

// Operations of the status operation on a stored value t with operand v: 0 t = v, 1 t + v,
// 2 t - v, 3 t x v, 4 t / v (toward zero; nothing when v is 0), 5 remainder of t / v with the sign
// of t (nothing when v is 0), 6 PercentOf (t, v); any other code changes nothing. Then t is
// clamped into nMin..nMax, which must lie inside the range of T.
std::int64_t ApplyOperationWide(std::int64_t nTarget, std::int64_t nOperand, int nOperation);

template <class T>
void ApplyOperation(T& target, std::int64_t nOperand, int nOperation, std::int32_t nMin, std::int32_t nMax)
{
    std::int64_t nResult = ApplyOperationWide(target, nOperand, nOperation);
    if (nResult < nMin) nResult = nMin;
    if (nResult > nMax) nResult = nMax;
    target = static_cast<T>(nResult);
}

// A random number between the two bounds inclusive, given in either order: the smaller bound
// plus Rand() modulo the span, the span counted in 64 bits (so equal bounds give that bound and
// the widest bounds never divide by zero). Draws one number from the game thread's generator.
std::int32_t RandomBetween(std::int32_t nBound1, std::int32_t nBound2);
