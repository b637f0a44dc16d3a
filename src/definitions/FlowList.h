// The flow lists of character definitions and of the item command "フローの変更".
#pragma once

#include <cstdio>

#include "core/cVector.h"

class cEdFlow;

// Reads int32 n and replaces the list's contents by n flows read in order, each starting as a new
// flow (key gap 3, everything else 0). 1, or 0 when the count or a flow does not fit the file.
int LoadFlowList(cVector<cEdFlow>& list, FILE* fp);
// Removes every flow whose m_bTestPlayOnly is not 0; the others keep their order. The loaders
// call it only when DefinitionContext.RemovesTestPlayFlows() says so.
void RemoveTestPlayFlows(cVector<cEdFlow>& list);
