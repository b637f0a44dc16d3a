// The one reset of the game's globals for the tests: what loading a game folder, a start-up or a
// play fills, put back as a fresh program has it, so that no fixture inherits the data of the
// one before. Fixtures that build a game (the play harness, the start-up tests) call it before
// and after; fixtures that set a global themselves still put back what they set.
//
// Main thread of the test, with no game thread running.
#pragma once

namespace testsupport {

// The databases and the tables derived from them, the project settings, the world map, the
// definition context, the stage and its backup, the sound table and its file list, the three
// save data, the stage's shell flags, the controllers and the key configuration, the menu cursor,
// the stage's objects, the scene manager's state, and the shell's settings (System.ini, the
// options, Boot.dat, Window.dat, the shell's flags).
void ResetGameGlobals();

}  // namespace testsupport
