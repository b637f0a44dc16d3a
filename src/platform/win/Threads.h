// Threads, handles and waits.
//
// Threads are never frozen or killed from outside. SuspendThread is cooperative: the target stops
// at its next stand-in call (queue calls, Sleep, SendMessage, waits, a present) until resumed; a
// suspended thread runs nothing meanwhile, not even messages sent to it.
// TerminateThread records a request and the target leaves at its next stand-in call (also when
// it is blocked in one, suspended or not): a private exception unwinds its stack to the thread
// entry, so its locals are destroyed; code that catches (...) and goes on is stopped again at
// its next stand-in call. A thread stuck in pure computation is never killed. The handle then
// reports the thread as ended, with the exit code given to TerminateThread.
//
// Every thread is a std::thread, joined when its handle is closed after it ended (or later, once
// it ended). At process end the threads still running are asked to terminate and joined; one that
// does not leave within two seconds is abandoned.
#pragma once

#include "platform/win/WinTypes.h"

using THREAD_START = unsigned (*)(void*);

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
constexpr DWORD WAIT_TIMEOUT = 0x00000102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD STILL_ACTIVE = 0x00000103;
constexpr int CREATE_SUSPENDED = 0x00000004;

// Starts lpStartAddress(lpParam) on a new thread. Returns the thread handle and stores its id in
// *lpThreadId; returns nullptr on failure. The handle stays valid until CloseHandle.
HANDLE BeginThread(THREAD_START lpStartAddress, void* lpParam, unsigned dwCreationFlags, DWORD* lpThreadId);
// WAIT_OBJECT_0 once the thread procedure returned (or the thread left on a terminate request),
// WAIT_TIMEOUT while it still runs, WAIT_FAILED for a null or closed handle. With a time-out of
// 0 it only looks; while it waits longer (real milliseconds, or INFINITE), the calling thread
// keeps running messages sent to it.
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
BOOL CloseHandle(HANDLE hObject);
BOOL GetExitCodeThread(HANDLE hThread, DWORD* lpExitCode);
// Cooperative suspension with a count; both return the previous count, or (DWORD)-1 on failure.
DWORD SuspendThread(HANDLE hThread);
DWORD ResumeThread(HANDLE hThread);
// Asks the thread to leave at its next stand-in call; returns TRUE when the request was recorded.
BOOL TerminateThread(HANDLE hThread, DWORD dwExitCode);
// A safe point: honours suspension and terminate requests for the calling thread. Every blocking
// stand-in call passes through it; long loops of the stand-in itself may call it too.
void ThreadSafePoint();

// Test hooks.
// True while the thread is stopped at a safe point by a suspension.
bool IsThreadHeldAtSafePoint(HANDLE hThread);
// Number of TerminateThread calls recorded for the thread (0 for an unknown handle).
unsigned TerminateRequestCount(HANDLE hThread);
// While on, BeginThread fails (returns nullptr) without starting anything.
void FailThreadStartsForTest(bool bFail);
// While on, a thread started by BeginThread waits before its procedure runs, as if created
// suspended; switching it off lets every thread so held go on. For tests that need a thread to be
// late for its first call into the stand-in.
void HoldThreadStartsForTest(bool bHold);
