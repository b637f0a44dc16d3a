// The command lists of flows and item definitions.
#pragma once

#include <cstdio>

#include "core/cVector.h"
#include "definitions/cEdCommand.h"

// Reads int32 n and replaces the list's contents by n commands read in order, each starting as a
// new command (cEdCommand::Reset). 1, or 0 when the count or a command does not fit the file.
int LoadCommandList(cVector<cEdCommand>& list, FILE* fp);
