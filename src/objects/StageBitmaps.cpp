#include "objects/StageBitmaps.h"

STAGEBITMAPS StageBitmaps;
