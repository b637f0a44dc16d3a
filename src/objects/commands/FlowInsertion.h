// Inserting flows into a character: the flow instances of a list of flow definitions, each
// command instance set up for the character (duration, movement values and the kind's own
// set-up with the character's facing). Used when a character or the hero is set up and when an
// item changes the hero's flows. Game thread only.
#pragma once

#include "core/cVector.h"
#include "definitions/cEdFlow.h"

class cCharaBase;

// cCharaBase::InsertFlows (flows, facing, append, at). Without bAppend the character's flows
// become copies of flows; with bAppend they are inserted at nAt when it names a flow (0 .. count
// - 1), otherwise appended, and a new flow that starts on edges only (its start-while-true option
// clear) first waits for its conditions to be false once. Every instance is then re-linked to the
// character's own copy of its definition. Returns the number of flows given. The new flows start with an
// empty extra-animation schedule (FLOWINSTANCE::animeStarts).
// Installs the action commands' handlers first (InstallActionCommands), so the command table is
// complete before any flow runs.
int InsertCharaFlows(cCharaBase& chara, const cVector<cEdFlow>& flows, int nFacing, int bAppend, int nAt);
