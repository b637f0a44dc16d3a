#include "core/cThread.h"

#include "core/ReportLog.h"
#include "platform/win/Messages.h"
#include "platform/win/Time.h"

namespace {

constexpr DWORD kCallFailed = static_cast<DWORD>(-1);
// A suspend count cannot exceed this on Windows; a bound for the resume loop.
constexpr int kMaxResumes = 128;

}  // namespace

cThread::~cThread()
{
    Exit();
}

void cThread::Release(HANDLE h)
{
    if (h != nullptr && m_hThread.compare_exchange_strong(h, nullptr)) {
        CloseHandle(h);
    }
}

int cThread::Start(THREAD_START lpStartAddress, void* lpParam)
{
    if (HANDLE previous = m_hThread.load()) {
        if (WaitForSingleObject(previous, 0) == WAIT_TIMEOUT) {
            return 0;
        }
        Release(previous);
    }
    DWORD id = 0;
    HANDLE h = BeginThread(lpStartAddress, lpParam, 0, &id);
    if (h == nullptr) {
        return 0;
    }
    m_dwThreadID.store(id);
    m_hThread.store(h);
    return 1;
}

void cThread::Wait()
{
    HANDLE h = nullptr;
    while ((h = m_hThread.load()) != nullptr && WaitForSingleObject(h, 0) == WAIT_TIMEOUT) {
        Sleep(1);
    }
    Release(h);
}

int cThread::Suspend()
{
    HANDLE h = m_hThread.load();
    return h == nullptr || SuspendThread(h) != kCallFailed ? 1 : 0;
}

int cThread::Resume()
{
    HANDLE h = m_hThread.load();
    return h == nullptr || ResumeThread(h) != kCallFailed ? 1 : 0;
}

void cThread::Exit()
{
    HANDLE h = m_hThread.load();
    if (h == nullptr) {
        return;
    }
    // Resume until the count is back at 0, so that a thread suspended several times runs again;
    // a failing call ends the loop.
    for (int i = 0; i < kMaxResumes; ++i) {
        DWORD previous = ResumeThread(h);
        if (previous == kCallFailed || previous <= 1) {
            break;
        }
    }
    DWORD id = m_dwThreadID.load();
    ECLogF("Exit A");
    PostThreadMessage(id, WM_QUIT, 0, 0);
    ECLogF("Exit B");
    ECLogF("Exit C");
    int polls = 0;
    while (WaitForSingleObject(h, 0) == WAIT_TIMEOUT) {
        if (polls >= kGiveUpPolls) {
            ReportLog("cThread::Exit : thread %u did not end", static_cast<unsigned>(id));
            break;
        }
        Sleep(1);
        PostThreadMessage(id, WM_QUIT, 0, 0);
        ++polls;
        if (polls >= kTerminatePolls) {
            TerminateThread(h, 0);
        }
    }
    ECLogF("Exit D");
    Release(h);
    ECLogF("Exit E");
}
