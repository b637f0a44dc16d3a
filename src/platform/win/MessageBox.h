// Modal message boxes.
//
// MessageBoxA is modal for the calling thread, from any thread. While a main window exists, a box
// asked for by another thread is shown by the main thread (handed over like a SendMessage); the
// waiting threads keep running messages sent to them meanwhile. On a screen the program draws it
// as one of its own dialogs through the installed dialog driver (MessageBoxDialog.h), on the main
// thread; the host's own box is only the fall-back when no driver is installed or it cannot open
// a window. Headless, the box is recorded, its caption and text are written to standard error in
// UTF-8 (one "caption: text" entry, so that scripts see why a run ended), and it is answered by the
// open hook, else from the script, else by its default button (the first one: IDOK for MB_OK and
// MB_OKCANCEL, IDYES for MB_YESNO; the second one with MB_DEFBUTTON2).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win/WinTypes.h"

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_ICONERROR = 0x00000010;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONWARNING = 0x00000030;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONINFORMATION = 0x00000040;
constexpr UINT MB_DEFBUTTON1 = 0x00000000;
constexpr UINT MB_DEFBUTTON2 = 0x00000100;
constexpr UINT MB_TOPMOST = 0x00040000;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// szText and szCaption are Shift-JIS. Returns IDOK, IDCANCEL, IDYES or IDNO; 0 when the box
// would have to wait for the main thread after the close sequence began (see BeginCloseSequence).
int MessageBoxA(HWND hWnd, const char* szText, const char* szCaption, UINT uType);

// Recording, for tests (on a screen too).
struct MessageBoxRecord {
    DWORD threadId = 0;
    HWND owner = nullptr;
    std::string text;     // Shift-JIS, as given
    std::string caption;  // Shift-JIS, as given
    UINT type = 0;
};
// Every box shown since the last clear.
std::vector<MessageBoxRecord> RecordedMessageBoxes();
void ClearRecordedMessageBoxes();
// Answers the next boxes in order; when the script is empty the default answer is used.
// Replaces any earlier script.
void ScriptMessageBoxAnswers(std::vector<int> answers);
// Headless: while set, every box stays open until the hook answers. The hook runs on the thread
// that shows the box, again and again (about every millisecond, and after each sent message that
// thread ran) until it returns an answer instead of 0. Tests use it to act while a box is open.
using MessageBoxOpenHook = std::function<int(const MessageBoxRecord&)>;
void SetMessageBoxOpenHook(MessageBoxOpenHook hook);
