#include "graphics/Boxes.h"

#include <cstdarg>
#include <string>

#include "core/AppGlobals.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "platform/win/Messages.h"

namespace {

const std::string& ErrorCaption()
{
    static const std::string kCaption = Sjis("エラー");
    return kCaption;
}

}  // namespace

int MesBox(const char* szText, const char* szCaption, UINT uType)
{
    if (bDDReady.load() && bWindowMode == 0) return DDMesBox(szText, szCaption, uType);
    return MessageBoxA(GetActiveWindow(), szText, szCaption, uType);
}

void ErrorBox(const char* szText)
{
    MesBox(szText, ErrorCaption().c_str(), MB_OK);
}

void ErrorBoxF(const char* szFormat, ...)
{
    va_list args;
    va_start(args, szFormat);
    const std::string text = FormatBounded(kLogLineBufferSize, szFormat, args);
    va_end(args);
    ErrorBox(text.c_str());
}

void DebugErrorBoxF(const char* szFormat, ...)
{
    if (bECLogEnable.load() == 0) return;
    va_list args;
    va_start(args, szFormat);
    const std::string text = FormatBounded(kLogLineBufferSize, szFormat, args);
    va_end(args);
    ErrorBox(text.c_str());
}

void OutOfMemory()
{
    static const std::string kText = Sjis("メモリが不足しています！");
    ErrorBox(kText.c_str());
    if (HWND hWnd = hWndMain.load()) PostMessage(hWnd, WM_CLOSE, 0, 0);
}

BOOL DDMesBox(const char* szText, const char* szCaption, UINT uType)
{
    if (!DDSetDialogMode(TRUE)) {
        static const std::string kFailed = Sjis("DDMesBox 失敗! %s, %s");
        ECLogF(kFailed.c_str(), szText, szCaption);
        // An error the user must see is shown even without dialog-box mode.
        MessageBoxA(hWndDD, szText, szCaption, uType);
        return TRUE;
    }
    MessageBoxA(hWndDD, szText, szCaption, uType);
    DDSetDialogMode(FALSE);
    return TRUE;
}

BOOL DDSetDialogMode(BOOL bOn)
{
    if (bWindowMode) return TRUE;
    if (lpDTCon) {
        if (lpDevice == nullptr) return FALSE;
        if (bOn) {
            DDEndScene();
            if (FAILED(lpDevice->SetDialogBoxMode(TRUE))) {
                ECLog("D3D_OK != lpDevice->SetDialogBoxMode(TRUE)");
                return FALSE;
            }
            ShowCursor(TRUE);
            return TRUE;
        }
        while (ShowCursor(FALSE) >= 0) {
        }
        return SUCCEEDED(lpDevice->SetDialogBoxMode(FALSE)) ? TRUE : FALSE;
    }
    if (lpDDCon) {
        if (bOn) {
            if (lpDD == nullptr || FAILED(lpDD->FlipToGDISurface())) return FALSE;
            ShowCursor(TRUE);
            return TRUE;
        }
        while (ShowCursor(FALSE) >= 0) {
        }
    }
    return TRUE;
}
