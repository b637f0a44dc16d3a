#include "app/EditorLink.h"

#include <cstdint>
#include <string>

#include "core/TextHelpers.h"
#include "platform/win/RemoteWindow.h"

namespace {

constexpr std::uint64_t kStartData = 1;
constexpr std::uint64_t kEndData = 0;

int SendToEditor(HWND hWndMain, std::uint64_t dwData, std::int32_t nValue, DWORD timeoutMs)
{
    static const std::string kTitle = Sjis("クイルボーン4");
    COPYDATASTRUCT data;
    data.dwData = dwData;
    data.cbData = sizeof nValue;
    data.lpData = &nValue;
    // What the editor answers is its own affair; that it answered is what counts.
    BOOL answered = FALSE;
    SendCopyDataToWindow(kEditorWindowClass, kTitle.c_str(), hWndMain, data, timeoutMs, &answered);
    return answered ? 1 : 0;
}

}  // namespace

int SendEditorStart(HWND hWndMain, DWORD timeoutMs)
{
    return SendToEditor(hWndMain, kStartData, 1, timeoutMs);
}

int SendEditorEnd(HWND hWndMain, int nCode, DWORD timeoutMs)
{
    return SendToEditor(hWndMain, kEndData, nCode, timeoutMs);
}
