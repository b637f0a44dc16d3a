// Posting, sending and reading messages. Windows themselves live in WindowTable.cpp; the per-thread
// records and the wait that serves sent messages in ThreadState.cpp.
#include "platform/win/Messages.h"

#include <algorithm>

#include "platform/hostapi/Host.h"
#include "platform/win/HostLink.h"
#include "platform/win/ThreadState.h"
#include "platform/win/Threads.h"
#include "platform/win/Time.h"
#include "platform/win/WindowTable.h"

using namespace standin;

namespace {

// The main thread blocks in the host; this bounds one such block in case a wake-up went astray.
constexpr DWORD kHostWaitMs = 50;

MSG MakeMsg(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    MSG msg;
    msg.hwnd = hWnd;
    msg.message = uMsg;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = timeGetTime();
    return msg;
}

// Lock held. Appends to the target's queue; true when the host must be woken after unlocking.
bool QueueLocked(ThreadState& target, const MSG& msg)
{
    target.posted.push_back(msg);
    ++target.postSerial;
    return WakeThreadLocked(target);
}

bool Matches(const MSG& msg, HWND hWnd, UINT filterMin, UINT filterMax)
{
    if (hWnd != nullptr && msg.hwnd != hWnd && msg.message != WM_QUIT) {
        return false;
    }
    if (filterMin == 0 && filterMax == 0) {
        return true;
    }
    return msg.message >= filterMin && msg.message <= filterMax;
}

// Lock held. The oldest matching posted message, removed when `remove`.
bool TakeLocked(ThreadState& self, MSG* out, HWND hWnd, UINT filterMin, UINT filterMax, bool remove)
{
    auto it = std::find_if(self.posted.begin(), self.posted.end(),
                           [&](const MSG& m) { return Matches(m, hWnd, filterMin, filterMax); });
    if (it == self.posted.end()) {
        return false;
    }
    if (out != nullptr) {
        *out = *it;
    }
    if (remove) {
        self.posted.erase(it);
    }
    return true;
}

// Lock held. On the main thread, lets the host turn its events into messages (lock released).
void PumpIfMainLocked(std::unique_lock<std::mutex>& lock, ThreadState& self)
{
    if (self.isMain) {
        lock.unlock();
        LinkedHost().Pump();
        lock.lock();
    }
}

// Lock held. Blocks until a post, a send or a request may have arrived for this thread.
void WaitForArrivalLocked(std::unique_lock<std::mutex>& lock, ThreadState& self)
{
    if (self.isMain) {
        lock.unlock();
        LinkedHost().WaitForEvents(kHostWaitMs);
        lock.lock();
    } else {
        self.wake.wait(lock);
    }
}

// Runs the procedure of a window that may have been destroyed since the message was sent.
LRESULT CallProcIfAlive(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC proc = nullptr;
    {
        std::lock_guard<std::mutex> lock(StandInMutex());
        if (Window* w = FindLiveWindowLocked(hWnd)) {
            proc = w->proc;
        }
    }
    return proc != nullptr ? proc(hWnd, uMsg, wParam, lParam) : 0;
}

}  // namespace

BOOL PostMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    const MSG msg = MakeMsg(hWnd, uMsg, wParam, lParam);
    std::shared_ptr<ThreadState> target;
    if (hWnd == nullptr) {
        target = CurrentThread();
    }
    std::unique_lock<std::mutex> lock(StandInMutex());
    if (hWnd != nullptr) {
        Window* w = FindLiveWindowLocked(hWnd);
        if (w == nullptr) {
            return FALSE;
        }
        target = w->owner;
    } else {
        target->hasQueue = true;
    }
    const bool wakeHost = QueueLocked(*target, msg);
    lock.unlock();
    if (wakeHost) {
        WakeHost();
    }
    return TRUE;
}

BOOL PostThreadMessage(DWORD idThread, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    const MSG msg = MakeMsg(nullptr, uMsg, wParam, lParam);
    std::unique_lock<std::mutex> lock(StandInMutex());
    ThreadState* target = FindThreadLocked(idThread);
    if (target == nullptr || !target->hasQueue || target->ended) {
        return FALSE;
    }
    const bool wakeHost = QueueLocked(*target, msg);
    lock.unlock();
    if (wakeHost) {
        WakeHost();
    }
    return TRUE;
}

LRESULT SendMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<ThreadState> self = CurrentThread();
    std::shared_ptr<ThreadState> owner;
    WNDPROC proc = nullptr;
    {
        std::lock_guard<std::mutex> lock(StandInMutex());
        Window* w = FindLiveWindowLocked(hWnd);
        if (w == nullptr) {
            return 0;
        }
        owner = w->owner;
        proc = w->proc;
    }
    if (owner == self) {
        ThreadSafePoint();
        return proc(hWnd, uMsg, wParam, lParam);
    }
    return CallOnThread(owner, [=] { return CallProcIfAlive(hWnd, uMsg, wParam, lParam); });
}

BOOL PeekMessage(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    std::shared_ptr<ThreadState> self = CurrentThread();
    std::unique_lock<std::mutex> lock(StandInMutex());
    self->hasQueue = true;
    SafePointLocked(lock, *self);
    PumpIfMainLocked(lock, *self);
    ServeSentCallsLocked(lock, *self);
    self->seenSerial = self->postSerial;
    return TakeLocked(*self, lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL GetMessage(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    if (lpMsg == nullptr || (hWnd != nullptr && !IsWindow(hWnd))) {
        return -1;
    }
    std::shared_ptr<ThreadState> self = CurrentThread();
    std::unique_lock<std::mutex> lock(StandInMutex());
    self->hasQueue = true;
    for (;;) {
        SafePointLocked(lock, *self);
        PumpIfMainLocked(lock, *self);
        ServeSentCallsLocked(lock, *self);
        self->seenSerial = self->postSerial;
        if (TakeLocked(*self, lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true)) {
            return lpMsg->message == WM_QUIT ? FALSE : TRUE;
        }
        if (self->inbox.empty()) {
            WaitForArrivalLocked(lock, *self);
        }
    }
}

BOOL WaitMessage()
{
    std::shared_ptr<ThreadState> self = CurrentThread();
    std::unique_lock<std::mutex> lock(StandInMutex());
    self->hasQueue = true;
    for (;;) {
        SafePointLocked(lock, *self);
        PumpIfMainLocked(lock, *self);
        const bool served = ServeSentCallsLocked(lock, *self);
        if (served || self->postSerial != self->seenSerial) {
            self->seenSerial = self->postSerial;
            return TRUE;
        }
        WaitForArrivalLocked(lock, *self);
    }
}

BOOL TranslateMessage(const MSG* lpMsg)
{
    if (lpMsg == nullptr) {
        return FALSE;
    }
    switch (lpMsg->message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: return TRUE;
    default: return FALSE;
    }
}

LRESULT DispatchMessage(const MSG* lpMsg)
{
    if (lpMsg == nullptr || lpMsg->hwnd == nullptr) {
        return 0;
    }
    std::shared_ptr<ThreadState> self = CurrentThread();
    WNDPROC proc = nullptr;
    {
        std::lock_guard<std::mutex> lock(StandInMutex());
        Window* w = FindLiveWindowLocked(lpMsg->hwnd);
        if (w == nullptr || w->owner != self) {
            return 0;
        }
        proc = w->proc;
    }
    return proc(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

void PostQuitMessage(int nExitCode)
{
    PostMessage(nullptr, WM_QUIT, static_cast<WPARAM>(static_cast<unsigned>(nExitCode)), 0);
}

DWORD GetCurrentThreadId()
{
    return CurrentThread()->id;
}

unsigned PendingSentMessages(DWORD idThread)
{
    std::lock_guard<std::mutex> lock(StandInMutex());
    ThreadState* state = FindThreadLocked(idThread);
    return state != nullptr ? static_cast<unsigned>(state->inbox.size()) : 0;
}

std::vector<MSG> QueuedMessages(DWORD idThread)
{
    std::lock_guard<std::mutex> lock(StandInMutex());
    ThreadState* state = FindThreadLocked(idThread);
    if (state == nullptr) {
        return {};
    }
    return std::vector<MSG>(state->posted.begin(), state->posted.end());
}
