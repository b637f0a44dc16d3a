// Modal message boxes.
//
// MessageBoxA is modal for the calling thread, from any thread; the box itself is shown by the
// host on the main thread, and the waiting thread keeps running messages sent to it. Headless, the
// box is recorded and answered from a script (default: IDOK for MB_OK, IDYES for MB_YESNO).
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
constexpr UINT MB_TOPMOST = 0x00040000;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// szText and szCaption are Shift-JIS. Returns IDOK, IDCANCEL, IDYES or IDNO.
int MessageBoxA(HWND hWnd, const char* szText, const char* szCaption, UINT uType);

// Headless recording, for tests.
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
void ScriptMessageBoxAnswers(std::vector<int> answers);
