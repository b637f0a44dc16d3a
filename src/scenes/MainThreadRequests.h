// The front-end screens' requests to the main thread, which owns the dialogs and the file
// loaders. Each is a SendMessage to the main window: it returns when the main thread has served
// it, with the answer (never an unbounded wait; a program that is closing answers 0 at once).
//
// Game thread.
#pragma once

// "Load stage file": the file dialog, then the chosen stage read for free play. 1 when a stage
// was read; 0 when the dialog was cancelled, the file failed (the main thread says so) or the
// program is closing.
int RequestLoadStageFile();
// "Load replay file": the file dialog, then the chosen replay read for playback. 1 when a replay
// was read; 0 when cancelled, refused or closing.
int RequestLoadReplay();
// The ranking-name dialog on the options' ranking name. Returns when the dialog has closed.
void RequestNameDialog();
