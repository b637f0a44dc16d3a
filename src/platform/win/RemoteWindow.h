// Windows of other programs, reached as FindWindowA with a class and a title followed by
// SendMessage(WM_COPYDATA) would reach them.
//
// A program that owns such a window listens on a local socket named after the window class, in
// the user's runtime folder ($XDG_RUNTIME_DIR, else /tmp): "<folder>/<class name>". The exchange
// (integers little-endian):
//   1. the window's side, on accepting: uint32 title length (at most 1024), the title's bytes
//      (Shift-JIS, no NUL);
//   2. the sender, when the title is the one it looks for: uint32 message (WM_COPYDATA), uint64
//      wParam, uint64 dwData, uint32 cbData (at most 65536), the cbData bytes;
//   3. the window's side, once it has handled the message: int64 result.
// Every wait is bounded by the time-out, so a hung or absent peer costs at most that long.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/win/WinTypes.h"

struct COPYDATASTRUCT {
    std::uint64_t dwData = 0;
    DWORD cbData = 0;
    const void* lpData = nullptr;
};

// Longest title and data accepted in the exchange.
constexpr std::uint32_t kRemoteTitleMax = 1024;
constexpr std::uint32_t kRemoteDataMax = 65536;

// What the window's side said in step 1, read from the bytes received so far. The other program
// decides those bytes: any content and any size is read safely.
struct RemoteTitle {
    enum class State {
        Short,    // more bytes are needed: `size` in all
        Whole,    // the title is complete in the first `size` bytes (later bytes are not read)
        Refused,  // the length is over kRemoteTitleMax: the exchange ends
    };
    State state = State::Short;
    std::size_t size = 4;  // bytes that step 1 takes (Short: needed so far, at least the length's 4)
    std::string title;     // Whole: the title's bytes
};
RemoteTitle ReadRemoteTitle(const unsigned char* bytes, std::size_t size);
// Step 3: the window's result from its first 8 bytes into *pResult; false (nothing written) when
// fewer came.
bool ReadRemoteResult(const unsigned char* bytes, std::size_t size, LRESULT* pResult);

// The socket of the windows of a class (a host path).
std::string RemoteWindowSocketName(const char* szClassName);
// Tests: the folder of the sockets instead of the runtime folder ("" goes back to it).
void SetRemoteWindowFolder(const std::string& folder);

// Sends WM_COPYDATA with hWndFrom as wParam to the window of another program of that class whose
// title is exactly szTitle, and returns its result. 0 at once when no such window listens, and 0
// when its title differs (nothing is sent then) or it does not take part in time: each of the
// three steps may take at most timeoutMs. *lpAnswered (when not null) tells whether the window
// answered. Any thread.
LRESULT SendCopyDataToWindow(const char* szClassName, const char* szTitle, HWND hWndFrom, const COPYDATASTRUCT& data,
                             DWORD timeoutMs, BOOL* lpAnswered = nullptr);
