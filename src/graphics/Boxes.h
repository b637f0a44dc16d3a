// Message and error boxes, and the dialog-box mode that lets a box show over a full-screen game.
//
// Boxes are modal and block the calling thread; any thread may show one (boxes of other threads
// are shown by the main thread). Texts are Shift-JIS. All callers pass MB_OK.
#pragma once

#include "platform/win/MessageBox.h"
#include "platform/win/WinTypes.h"

// In full screen once DDInit has succeeded: DDMesBox (TRUE when shown). Otherwise a plain
// MessageBoxA on the active window and its answer.
int MesBox(const char* szText, const char* szCaption, UINT uType);
// MesBox with the caption "エラー".
void ErrorBox(const char* szText);
// ErrorBox of a printf-style text cut at 1023 bytes.
void ErrorBoxF(const char* szFormat, ...) __attribute__((format(printf, 1, 2)));
// ErrorBoxF, only while the trace log is on: the engine's internal assertions.
void DebugErrorBoxF(const char* szFormat, ...) __attribute__((format(printf, 1, 2)));
// "メモリが不足しています！", then WM_CLOSE to hWndMain: the program closes in order.
void OutOfMemory();
// The box in dialog-box mode (full screen). TRUE when the box was shown.
BOOL DDMesBox(const char* szText, const char* szCaption, UINT uType);
// Switches dialog-box mode on or off around a modal box or dialog; nothing to do in a window.
// The window procedure brackets its own dialogs with it. FALSE when the device refuses.
BOOL DDSetDialogMode(BOOL bOn);
