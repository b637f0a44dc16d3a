#include "core/ReportLog.h"

#include <cstdarg>
#include <cstring>
#include <string>

#include "core/TextHelpers.h"
#include "platform/win/Files.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"
#include "platform/win/ThreadLock.h"

std::atomic<int> bECLogEnable{0};

namespace {

// One lock for both logs and their paths. Recursive, because a writer given to
// AppendToReportLog may itself reach ReportLog (a checked access inside it, for example).
RecursiveThreadLock logMutex;
char szReportLogPath[MAX_PATH] = "";
char szECLogPath[MAX_PATH] = "";
bool bECLogWritten = false;
std::atomic<ErrorBoxHook> errorBoxHook{nullptr};

bool CopyPath(char (&dst)[MAX_PATH], const char* szPath)
{
    if (szPath == nullptr || std::strlen(szPath) >= sizeof(dst)) {
        return false;
    }
    std::strcpy(dst, szPath);
    return true;
}

// Opens the report log for appending; nullptr when it cannot be opened. Caller holds logMutex.
FILE* OpenReportLogLocked()
{
    if (szReportLogPath[0] == '\0') {
        return nullptr;
    }
    FILE* fp = FOpen(szReportLogPath, "rt+");
    if (fp != nullptr) {
        std::fseek(fp, 0, SEEK_END);
    }
    return fp;
}

// Writes one finished line to the trace log. Caller holds logMutex.
int ECLogLineLocked(const char* szText)
{
    if (bECLogEnable.load() == 0) {
        return 0;
    }
    FILE* fp = nullptr;
    if (!bECLogWritten) {
        bECLogWritten = true;
        fp = FOpen(szECLogPath, "wt");
    } else {
        fp = FOpen(szECLogPath, "rt+");
        if (fp != nullptr) {
            std::fseek(fp, 0, SEEK_END);
        }
    }
    if (fp == nullptr) {
        return 0;
    }
    std::fputs(szText, fp);
    std::fputs("\n", fp);
    std::fclose(fp);
    return 1;
}

// The body of ReportLogEC: report line and trace line under one lock.
int ReportLogECLine(const std::string& text)
{
    ThreadLockHolder lock(logMutex);
    FILE* fp = OpenReportLogLocked();
    if (fp == nullptr) {
        return 0;
    }
    std::fputs(text.c_str(), fp);
    std::fputs("\n", fp);
    std::fclose(fp);
    ECLogLineLocked(text.c_str());
    return 1;
}

void ShowErrorBox(const char* szText)
{
    if (ErrorBoxHook hook = errorBoxHook.load()) {
        hook(szText);
        return;
    }
    static const std::string kCaption = Sjis("エラー");
    MessageBoxA(GetActiveWindow(), szText, kCaption.c_str(), MB_OK);
}

}  // namespace

int CreateReportLog(const char* szPath)
{
    ThreadLockHolder lock(logMutex);
    if (szPath == nullptr || std::strlen(szPath) >= MAX_PATH) {
        return 0;
    }
    FILE* fp = FOpen(szPath, "wt");
    if (fp == nullptr) {
        return 0;
    }
    std::fclose(fp);
    CopyPath(szReportLogPath, szPath);
    return 1;
}

int ReportLog(const char* szFormat, ...)
{
    ThreadLockHolder lock(logMutex);
    FILE* fp = OpenReportLogLocked();
    if (fp == nullptr) {
        return 0;
    }
    va_list args;
    va_start(args, szFormat);
    std::vfprintf(fp, szFormat, args);
    va_end(args);
    std::fputs("\n", fp);
    std::fclose(fp);
    return 1;
}

int ReportLogEC(const char* szFormat, ...)
{
    va_list args;
    va_start(args, szFormat);
    std::string text = FormatBounded(kLogLineBufferSize, szFormat, args);
    va_end(args);
    return ReportLogECLine(text);
}

int ReportLogECBox(const char* szFormat, ...)
{
    va_list args;
    va_start(args, szFormat);
    std::string text = FormatBounded(kLogLineBufferSize, szFormat, args);
    va_end(args);
    if (ReportLogECLine(text) == 0) {
        return 0;
    }
    // The line is written and its file closed: the box may wait as long as the user likes.
    ShowErrorBox(text.c_str());
    return 1;
}

void SetECLog(int bEnable, const char* szPath)
{
    ThreadLockHolder lock(logMutex);
    bECLogEnable.store(bEnable);
    if (!CopyPath(szECLogPath, szPath)) {
        szECLogPath[0] = '\0';
    }
}

int ECLog(const char* szText)
{
    if (bECLogEnable.load() == 0) {
        return 0;
    }
    ThreadLockHolder lock(logMutex);
    return ECLogLineLocked(szText);
}

int ECLogText(const char* szText)
{
    return ECLog(szText);
}

int ECLogF(const char* szFormat, ...)
{
    if (bECLogEnable.load() == 0) {
        return 0;
    }
    va_list args;
    va_start(args, szFormat);
    std::string text = FormatBounded(kFormatBufferSize, szFormat, args);
    va_end(args);
    ThreadLockHolder lock(logMutex);
    return ECLogLineLocked(text.c_str());
}

void ECLogClose(HWND hWnd, const char* szFormat, ...)
{
    if (bECLogEnable.load() != 0) {
        va_list args;
        va_start(args, szFormat);
        std::string text = FormatBounded(kFormatBufferSize, szFormat, args);
        va_end(args);
        ThreadLockHolder lock(logMutex);
        ECLogLineLocked(text.c_str());
    }
    PostMessage(hWnd, WM_CLOSE, 0, 0);
}

int AppendToReportLog(ReportLogWriter writer, void* context)
{
    ThreadLockHolder lock(logMutex);
    FILE* fp = OpenReportLogLocked();
    if (fp == nullptr) {
        return 0;
    }
    writer(fp, context);
    std::fclose(fp);
    return 1;
}

void SetErrorBoxHook(ErrorBoxHook hook)
{
    errorBoxHook.store(hook);
}
