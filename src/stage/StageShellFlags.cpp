#include "stage/StageShellFlags.h"

STAGESHELLFLAGS StageShell;

void STAGESHELLFLAGS::Reset()
{
    bAppActive = 1;
    bTestPlay = 0;
    bDirectPlay = 0;
    bEnglish = 0;
}
