#include "definitions/InputDirection.h"

int InputDirToDirection(int nInputDir, int nFacing)
{
    static constexpr int kDirection[] = {2, 3, 6, 7, 8, 9, 10, 11};
    if (nInputDir >= 1 && nInputDir <= 8) {
        return kDirection[nInputDir - 1];
    }
    return nFacing != 0 ? 3 : 2;
}
