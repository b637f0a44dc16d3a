#include "platform/win/Joystick.h"

#include <mutex>

#include "platform/hostapi/Host.h"

namespace {

constexpr UINT kMaxJoystickId = 15;

// Answers no joystick: the program without a screen.
class NoJoysticks : public JoystickSource {
public:
    bool Query(UINT, JoystickState&) override { return false; }
};

std::mutex g_sourceLock;
std::unique_ptr<JoystickSource> g_source;

JoystickSource& Source()
{
    std::lock_guard<std::mutex> guard(g_sourceLock);
    if (!g_source) {
        if (GetHost().IsHeadless()) {
            g_source = std::make_unique<NoJoysticks>();
        } else {
            g_source = CreateSdlJoystickSource();
        }
    }
    return *g_source;
}

}  // namespace

UINT joyGetPosEx(UINT uJoyID, JOYINFOEX* pji)
{
    if (pji == nullptr || uJoyID > kMaxJoystickId) {
        return JOYERR_PARMS;
    }
    JoystickState state;
    if (!Source().Query(uJoyID, state)) {
        return JOYERR_UNPLUGGED;
    }
    if (pji->dwFlags & JOY_RETURNX) {
        pji->dwXpos = state.x;
    }
    if (pji->dwFlags & JOY_RETURNY) {
        pji->dwYpos = state.y;
    }
    if (pji->dwFlags & JOY_RETURNBUTTONS) {
        pji->dwButtons = state.buttons;
    }
    return JOYERR_NOERROR;
}

void SetJoystickSource(std::unique_ptr<JoystickSource> source)
{
    std::lock_guard<std::mutex> guard(g_sourceLock);
    g_source = std::move(source);
}
