#include "platform/win/Keyboard.h"

#include <array>
#include <atomic>

namespace {

// One entry per virtual-key code: true while down. Written by the host's thread, read anywhere.
std::array<std::atomic<bool>, 256> g_down{};

bool InRange(int vKey)
{
    return vKey >= 0 && vKey < static_cast<int>(g_down.size());
}

}  // namespace

SHORT GetAsyncKeyState(int vKey)
{
    if (!InRange(vKey) || !g_down[static_cast<std::size_t>(vKey)].load(std::memory_order_relaxed)) {
        return 0;
    }
    return static_cast<SHORT>(0x8000);
}

BOOL GetKeyboardState(BYTE* lpKeyState)
{
    if (lpKeyState == nullptr) {
        return FALSE;
    }
    for (std::size_t i = 0; i < g_down.size(); ++i) {
        lpKeyState[i] = g_down[i].load(std::memory_order_relaxed) ? 0x80 : 0x00;
    }
    return TRUE;
}

void SetKeyState(int vKey, bool bDown)
{
    if (InRange(vKey)) {
        g_down[static_cast<std::size_t>(vKey)].store(bDown, std::memory_order_relaxed);
    }
}

void ReleaseAllKeys()
{
    for (std::atomic<bool>& key : g_down) {
        key.store(false, std::memory_order_relaxed);
    }
}
