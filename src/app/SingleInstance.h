// The single-instance rule: one running copy of a game per game folder.
//
// A second copy started in the same folder asks the user "既に起動しています。…Restart?" (caption
// "二重起動", Yes/No). No ends the new copy. Yes asks the running copy to close in order (it
// saves what it saves on any close) and waits for it to end; when it does not take the request
// or does not end in time, the new copy shows "プログラムの終了に失敗しました。" and ends, so
// that two copies never write the same user files. Copies in other folders never meet.
//
// Main thread, before the main window exists.
#pragma once

#include <functional>

#include "platform/win/InstanceLock.h"
#include "platform/win/WinTypes.h"

// The lock file, in the game's user data.
constexpr const char* kInstanceLockPath = "user_data\\Instance.lock";
// How long a new copy waits for the running one to take the close request, and to end.
constexpr DWORD kInstanceRequestMs = 2000;
constexpr DWORD kInstanceWaitMs = 10000;

enum class InstanceOutcome {
    Run,       // this copy holds the lock and starts
    Declined,  // the user chose not to restart: end without error
    Failed,    // the running copy did not end: end with an error
};

// Takes the lock at szLockPath (its folder is created when missing). onCloseRequest runs when a
// later copy asks this one to close (on the lock's thread; it should post WM_CLOSE and return).
// A lock file that cannot be made at all (a read-only game folder) does not stop the start: Run,
// with the lock not held. Writes no log: the report log is created after this check.
InstanceOutcome TakeSingleInstance(InstanceLock& lock, const char* szLockPath, std::function<void()> onCloseRequest,
                                   DWORD waitMs = kInstanceWaitMs);
