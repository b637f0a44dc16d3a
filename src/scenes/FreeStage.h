// The common way into a free play: a stage file read for play outside the story, used by the
// start-up for a stage given at start, by the main window's "Load stage file" request and by the
// end of a free play that starts the same stage again.
//
// Main thread (start-up, requests) or game thread (the end of a free play), never both at once.
#pragma once

// Resets the save data as a new game does, reads szName with LoadStage (bNewest as given; the
// loader reports its own failures) and, once read, starts the save data at world and stage 1
// with the free play's lives (unlimited for a stage given at start or when the settings say so)
// and the name given (either separator; kept with '\') relative to the current folder as its
// stage file. 1 when the stage was read, else 0.
int LoadFreeStage(const char* szName, int bNewest);
