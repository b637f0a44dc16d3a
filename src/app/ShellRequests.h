// The requests the game thread (and its workers) send to the main window with SendMessage, and
// the main thread's window procedure that serves them together with the window's own messages
// and the close sequence.
//
// Every request answers: the file requests 1 when the file was loaded or written and 0 when
// the dialog was cancelled, the file failed (an error box says so and the program goes on) or the
// program is closing (a send during the close returns 0 at once). They also set bRequestDone
// (and bNameDialogDone) for requesters that poll. A close that arrives while a request or a
// load runs on the main thread waits until it has finished.
//
// Main thread.
#pragma once

#include "core/MainWindowRequests.h"
#include "platform/win/Messages.h"

// The procedure's handling of one message after the window framework's step (cMainWindow calls
// it); every message the procedure does not handle goes to DefWindowProcA.
LRESULT MainWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// Suspends thGame, thPause, RankingThread and StageLoaderThread in that order (cooperatively;
// a wrapper without a thread is skipped), and resumes them in the same order.
void SuspendThreads();
void ResumeThreads();

// True while a request or a load runs on the main thread (a close waits for it).
bool MainThreadBusy();
// Tests: forgets a deferred close.
void ResetMainWindowProcForTest();
