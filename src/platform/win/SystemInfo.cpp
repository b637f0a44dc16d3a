#include "platform/win/SystemInfo.h"

#include <mutex>
#include <optional>

#include "platform/win/LinuxSystemFacts.h"

namespace {

struct DisplayFacts {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int refreshRate = 0;
};

struct FactsState {
    std::mutex mutex;
    bool loaded = false;
    SystemFacts facts;
    std::optional<DisplayFacts> display;  // what the host reported, kept across ResetSystemFacts
};

FactsState& State()
{
    static FactsState state;
    return state;
}

void ApplyDisplay(const DisplayFacts& display, SystemFacts& facts)
{
    facts.desktopWidth = display.width;
    facts.desktopHeight = display.height;
    facts.desktopBitsPerPixel = display.bitsPerPixel;
    facts.refreshRate = display.refreshRate;
}

}  // namespace

const SystemFacts& GetSystemFacts()
{
    FactsState& state = State();
    std::lock_guard lock(state.mutex);
    if (!state.loaded) {
        state.facts = ReadLinuxSystemFacts();
        if (state.display) {
            ApplyDisplay(*state.display, state.facts);
        }
        state.loaded = true;
    }
    return state.facts;
}

void SetSystemFactsForTest(const SystemFacts& facts)
{
    FactsState& state = State();
    std::lock_guard lock(state.mutex);
    state.facts = facts;
    state.loaded = true;
}

void ResetSystemFacts()
{
    FactsState& state = State();
    std::lock_guard lock(state.mutex);
    state.loaded = false;
}

void SetDisplayFacts(int width, int height, int bitsPerPixel, int refreshRate)
{
    const SystemFacts defaults;
    DisplayFacts display;
    display.width = width > 0 ? width : defaults.desktopWidth;
    display.height = height > 0 ? height : defaults.desktopHeight;
    // X11 and Wayland desktops report 24 bits for 32-bit pixels; the screen-mode rules need 32.
    display.bitsPerPixel = (bitsPerPixel <= 0 || bitsPerPixel == 24) ? 32 : bitsPerPixel;
    display.refreshRate = refreshRate > 0 ? refreshRate : 0;

    FactsState& state = State();
    std::lock_guard lock(state.mutex);
    state.display = display;
    if (state.loaded) {
        ApplyDisplay(display, state.facts);
    }
}

bool IsOSVersionAtLeast(DWORD dwMajor, DWORD dwMinor)
{
    const SystemFacts& facts = GetSystemFacts();
    return facts.osMajor > dwMajor || (facts.osMajor == dwMajor && facts.osMinor >= dwMinor);
}
