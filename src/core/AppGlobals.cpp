#include "core/AppGlobals.h"

std::atomic<HWND> hWndMain{nullptr};

cThread thGame;
cThread thPause;
cThread RankingThread;
cThread StageLoaderThread;
