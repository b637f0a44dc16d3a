// cThread: holds one worker thread (the game thread, the nested-frame thread, the ranking display,
// the stage loader). Threads talk only through window and thread messages; the wrapper starts a
// thread, waits for it, suspends and resumes it around modal dialogs, and stops it by asking it
// to leave through its message queue.
//
// Stopping never kills: the stand-in's TerminateThread only asks the thread to leave at its next
// stand-in call, so a thread is never cut off in the middle of a write. Exit waits with a bound.
#pragma once

#include <atomic>

#include "platform/win/Threads.h"
#include "platform/win/WinTypes.h"

class cThread {
public:
    // Polls of Exit before it also asks the thread to terminate (one poll per millisecond).
    static constexpr int kTerminatePolls = 200;
    // Polls after which Exit stops waiting for a thread that will not leave: it is reported and
    // let go, and the close of the program goes on.
    static constexpr int kGiveUpPolls = 5000;

    cThread() = default;
    // Stops a running thread with Exit.
    ~cThread();
    cThread(const cThread&) = delete;
    cThread& operator=(const cThread&) = delete;

    // Starts lpStartAddress(lpParam) at once. 1, or 0 when the thread cannot be created or this
    // wrapper still holds a running thread (a thread that has ended is let go first). A caller
    // that needs the new thread's queue posts it 0x8000 (WM_APP) until the post succeeds.
    int Start(THREAD_START lpStartAddress, void* lpParam);
    // Blocks until the thread has ended (asking every millisecond), then closes its handle.
    // Returns at once without a thread, also when another thread stops it meanwhile.
    void Wait();
    // Suspends or resumes the thread (cooperatively, at its next stand-in call). 1 without a
    // thread or when the call succeeded, 0 when it failed. Called around modal dialogs.
    int Suspend();
    int Resume();
    // Stops the thread: resumes it fully, posts WM_QUIT every millisecond until it has ended,
    // asks it to terminate from the 200th poll on, and lets go of it (reported in the report log)
    // after kGiveUpPolls. Nothing without a thread. Called at window close and by the destructor.
    void Exit();

    // The thread's id, the target of its thread messages.
    std::atomic<DWORD> m_dwThreadID{0};
    // The thread's handle; nullptr when no thread runs, or after it was waited for or stopped.
    std::atomic<HANDLE> m_hThread{nullptr};

private:
    // Closes h and clears m_hThread when it still holds h; only one caller wins.
    void Release(HANDLE h);
};
