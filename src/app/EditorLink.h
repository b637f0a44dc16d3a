// The link to the kit's editor during a test play: the program tells the editor's main window
// (class "Quillborn4_Editor", title "クイルボーン4") that it has started and that it has ended,
// with two WM_COPYDATA messages carrying one int32 each:
//   start: dwData 1, the value 1;
//   end:   dwData 0, the value 1 after a normal end, 0 when start-up failed.
// wParam is the program's main window. No editor, or an editor with another title, loses the
// message without error; an editor that does not answer within the time-out is given up, so
// that a hung editor never hangs the program.
//
// Main thread. Whether the run is a test play is the caller's decision.
#pragma once

#include "platform/win/WinTypes.h"

// The editor's window class and the longest wait for each step of one message.
constexpr const char* kEditorWindowClass = "Quillborn4_Editor";
constexpr DWORD kEditorLinkTimeoutMs = 1000;

// The start message. 1 when the editor took it.
int SendEditorStart(HWND hWndMain, DWORD timeoutMs = kEditorLinkTimeoutMs);
// The end message with nCode (1 normal end, 0 failed start-up). 1 when the editor took it.
int SendEditorEnd(HWND hWndMain, int nCode, DWORD timeoutMs = kEditorLinkTimeoutMs);
