// Temporary entry point until the application shell exists: opens the main window, shows a moving
// test picture drawn by a game thread, and ends in order on Esc or the close button. Without a
// display (QB_HEADLESS=1) it ends by itself after a fixed number of frames.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/MachineReport.h"
#include "core/RecordFile.h"
#include "core/ReportLog.h"
#include "platform/hostapi/Host.h"
#include "platform/win/Files.h"
#include "platform/win/Keyboard.h"
#include "platform/win/Messages.h"
#include "platform/win/Threads.h"
#include "platform/win/Time.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kBox = 64;
constexpr unsigned kHeadlessFrames = 120;
constexpr DWORD kStopBoundMs = 2000;

std::atomic<HWND> g_hWndMain{nullptr};
HANDLE g_hGame = nullptr;
DWORD g_gameThreadId = 0;

// Eight colour bars with a box bouncing across them.
void DrawTestPicture(std::vector<std::uint32_t>& px, unsigned frame)
{
    static const std::uint32_t kBars[8] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00,
                                           0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            px[y * kWidth + x] = kBars[x * 8 / kWidth];
        }
    }
    const int range = kWidth - kBox;
    const int t = static_cast<int>(frame * 4 % (2 * range));
    const int left = t < range ? t : 2 * range - t;
    const int top = (kHeight - kBox) / 2;
    for (int y = top; y < top + kBox; ++y) {
        for (int x = left; x < left + kBox; ++x) {
            px[y * kWidth + x] = 0xFF8000;
        }
    }
}

unsigned GameThread(void*)
{
    const bool headless = GetHost().IsHeadless();
    std::vector<std::uint32_t> px(kWidth * kHeight);
    unsigned frame = 0;
    MSG msg;
    for (;;) {
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                return 0;
            }
        }
        DrawTestPicture(px, frame);
        GetHost().SubmitFrame(px.data(), kWidth, kHeight, kWidth);
        if (++frame == kHeadlessFrames && headless) {
            PostMessage(g_hWndMain.load(), WM_CLOSE, 0, 0);
        }
        Sleep(16);
    }
}

// Posts WM_QUIT to the game thread (its queue exists from its first PeekMessage, so the post is
// retried until taken) and waits for it with a bound.
void StopGameThread()
{
    if (g_hGame == nullptr) {
        return;
    }
    for (DWORD waited = 0; waited < kStopBoundMs; ++waited) {
        if (PostThreadMessage(g_gameThreadId, WM_QUIT, 0, 0) || WaitForSingleObject(g_hGame, 0) == WAIT_OBJECT_0) {
            break;
        }
        Sleep(1);
    }
    if (WaitForSingleObject(g_hGame, kStopBoundMs) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "The game thread did not stop.\n");
    }
    CloseHandle(g_hGame);
    g_hGame = nullptr;
}

LRESULT MainWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            PostMessage(hWnd, WM_CLOSE, 0, 0);
        }
        return 0;
    case WM_CLOSE:
        StopGameThread();
        DestroyWindow(hWnd);
        return 0;
    case WM_DESTROY:
        g_hWndMain = nullptr;
        PostQuitMessage(0);
        return 0;
    default: return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    }
}

}  // namespace

// The report log comes first, so that every later failure can be read there.
static void StartReportLog()
{
    char szPath[MAX_PATH] = {};
    if (GetFullPathNameA("Report_Game.txt", MAX_PATH, szPath, nullptr) == 0 || !CreateReportLog(szPath)) {
        return;
    }
    ReportLog("App : ver %d", kCurrentDataVersion);
    WriteSystemReport();
}

int main()
{
    StartReportLog();
    GetHost();  // SDL starts on the main thread
    if (!RegisterClassA("Quillborn4", MainWndProc)) {
        std::fprintf(stderr, "The window class could not be registered.\n");
        return 1;
    }
    // "Quillborn4 テスト" in Shift-JIS.
    const char* title = "Quillborn4 \x83\x65\x83\x58\x83\x67";
    HWND hWnd = CreateWindowExA(0, "Quillborn4", title, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 100,
                                100, kWidth, kHeight, nullptr);
    if (hWnd == nullptr) {
        std::fprintf(stderr, "The main window could not be created.\n");
        return 1;
    }
    g_hWndMain = hWnd;
    ShowWindow(hWnd, SW_SHOWNORMAL);
    g_hGame = BeginThread(GameThread, nullptr, 0, &g_gameThreadId);
    if (g_hGame == nullptr) {
        std::fprintf(stderr, "The game thread could not be started.\n");
        DestroyWindow(hWnd);
        return 1;
    }
    MSG msg;
    for (;;) {
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                return static_cast<int>(msg.wParam);
            }
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        Sleep(1);
    }
}
