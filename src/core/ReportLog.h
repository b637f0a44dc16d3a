// The report log "Report_Game.txt" and the trace log "EC_Game.txt".
//
// Both are written one line at a time: open, seek to the end, write, close, with the text-mode
// line end (CR LF). Every thread writes them; one lock inside these functions keeps whole lines
// from being lost or mixed when several threads append at once. Lines are Shift-JIS bytes.
#pragma once

#include <atomic>
#include <cstdio>

#include "platform/win/WinTypes.h"

// Size of the line buffer of ReportLogEC, ReportLogECBox and the error box: texts of at most
// 1023 bytes.
constexpr std::size_t kLogLineBufferSize = 1024;

// The trace log's enable flag; 0 in normal operation. Read by the debug boxes of the graphics
// engine, which show only while it is set.
extern std::atomic<int> bECLogEnable;

// Creates or truncates the report log (text mode) and remembers its path (at most 259 bytes; the
// start-up passes an absolute one so that later changes of the current folder do not move it).
// 0 when the file cannot be created or the path is too long; nothing is stored then.
int CreateReportLog(const char* szPath);

// Appends the printf-style text and a line end to the report log. 1, or 0 when the log cannot be
// opened (the line is lost). No length limit.
int ReportLog(const char* szFormat, ...) __attribute__((format(printf, 1, 2)));

// Formats into 1023 bytes at most, appends the text to the report log and passes it to ECLog.
// 0 when the report log cannot be opened (then nothing is written anywhere).
int ReportLogEC(const char* szFormat, ...) __attribute__((format(printf, 1, 2)));

// As ReportLogEC, then shows the finished text (as text, not as a format) in the error box,
// which waits for the user. The log line is complete and closed before the box opens.
int ReportLogECBox(const char* szFormat, ...) __attribute__((format(printf, 1, 2)));

// Stores the trace log's enable flag and path (at most 259 bytes; relative paths are taken from
// the current folder at each write). The start-up calls SetECLog(0, "EC_Game.txt") first of all.
void SetECLog(int bEnable, const char* szPath);

// Appends the text as it is and a line end to the trace log; 0 at once while it is off. The first
// line of the run truncates the file, later ones append. 1 when the line was written.
int ECLog(const char* szText);
int ECLogText(const char* szText);
// The printf-style form of ECLog.
int ECLogF(const char* szFormat, ...) __attribute__((format(printf, 1, 2)));
// ECLogF, then posts WM_CLOSE (0, 0) to hWnd, also while the trace log is off. The screens' fatal
// paths use it.
void ECLogClose(HWND hWnd, const char* szFormat, ...) __attribute__((format(printf, 2, 3)));

// Opens the report log for appending, hands the open file to writer (which writes whole lines
// with their own "\n"), and closes it, all under the logs' lock. 0 when the log cannot be opened,
// else 1. For the machine report's blocks of lines; writer must not block.
using ReportLogWriter = void (*)(FILE* fp, void* context);
int AppendToReportLog(ReportLogWriter writer, void* context);

// How ReportLogECBox shows its text: the graphics engine installs its box here once the drawing
// back-end is up (in full screen a plain box would be hidden). Until then, and with nullptr, a
// MessageBoxA on the active window with the caption "エラー" and an OK button.
using ErrorBoxHook = void (*)(const char* szText);
void SetErrorBoxHook(ErrorBoxHook hook);
