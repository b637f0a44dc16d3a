// The condition and key-condition lists that definitions and flows own.
#pragma once

#include <cstdio>

#include "core/cVector.h"
#include "definitions/cEdCondition.h"
#include "definitions/cEdKeyCondition.h"

// Reads int32 n and replaces the list's contents by n conditions read in order, each starting
// cleared. 1, or 0 when the count or a condition does not fit the file.
int LoadConditionList(cVector<cEdCondition>& list, FILE* fp);
// The same for key conditions, each starting as a new key condition (19 entries "--").
int LoadKeyConditionList(cVector<cEdKeyCondition>& list, FILE* fp);
// Gives destination the source's element count (new elements start cleared, surplus ones are
// destroyed) and copies every member of every element. Returns destination. Safe when both are
// the same list. Used wherever a definition or a running object copies a condition list.
cVector<cEdCondition>& AssignConditionList(cVector<cEdCondition>& destination, const cVector<cEdCondition>& source);
