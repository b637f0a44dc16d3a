// Making what was written to a file durable: the stand-in for fflush followed by
// FlushFileBuffers.
#pragma once

#include <cstdio>

#include "platform/win/WinTypes.h"

// Writes what stdio holds of fp to the file and waits until the disk has it. The safe save calls
// it before its rename, so that a power cut after the rename cannot leave an empty file. FALSE
// when either step fails.
BOOL FlushFileToDisk(FILE* fp);
