// A close because something failed (a damaged stage file, a bad index from the game's data): the
// program still closes in order through WM_CLOSE to the main window, but its exit code then says
// that the run failed.
#pragma once

#include <atomic>

struct FAILURECLOSE {
    std::atomic<bool> bRequested{false};  // set by any thread, read by the shell at the end
};
extern FAILURECLOSE FailureClose;

// Marks the run as failed and posts WM_CLOSE (0, 0) to hWndMain when it is set (without a main
// window there is nothing to close: a start-up then fails by its own result). Any thread. The
// caller writes the reason to the report log first.
void CloseForFailure();
