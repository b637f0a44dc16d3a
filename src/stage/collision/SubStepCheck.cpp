#include "stage/collision/SubStepCheck.h"

#include <algorithm>

std::vector<int> BuildSubStepCheck(int nSubSteps, int nChecks)
{
    const int b = std::max(nSubSteps, 1);
    if (nChecks <= 0) {
        return std::vector<int>(static_cast<std::size_t>(b), 1);
    }
    std::vector<int> check(static_cast<std::size_t>(b), 0);
    const double step = static_cast<double>(b) / nChecks;
    double position = 0.0;
    int passes = 0;
    do {
        check[static_cast<std::size_t>(position)] = 1;
        position += step;
        ++passes;
    } while (static_cast<int>(position) < b);
    if (passes < nChecks) {
        check.back() = 1;
    }
    return check;
}
