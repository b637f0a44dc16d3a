// The SDL joystick source. SDL updates joysticks while the main thread pumps its events; queries
// from other threads hold SDL's joystick lock. Hats are not reported: a pad whose cross is a hat
// moves nothing, as with the interface the game was made for.
#include <SDL.h>

#include <array>
#include <mutex>

#include "platform/win/Joystick.h"

namespace {

class SdlJoysticks : public JoystickSource {
public:
    SdlJoysticks() { m_bReady = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0; }
    ~SdlJoysticks() override
    {
        if (!m_bReady) {
            return;
        }
        SDL_LockJoysticks();
        for (SDL_Joystick*& pad : m_pads) {
            if (pad != nullptr) {
                SDL_JoystickClose(pad);
                pad = nullptr;
            }
        }
        SDL_UnlockJoysticks();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }

    bool Query(UINT id, JoystickState& state) override
    {
        if (!m_bReady || id >= m_pads.size()) {
            return false;
        }
        std::lock_guard<std::mutex> guard(m_lock);
        SDL_LockJoysticks();
        SDL_Joystick* pad = Open(static_cast<int>(id));
        bool bOk = pad != nullptr;
        if (bOk) {
            state.x = static_cast<DWORD>(SDL_JoystickGetAxis(pad, 0) + 32768);
            state.y = static_cast<DWORD>(SDL_JoystickGetAxis(pad, 1) + 32768);
            state.buttons = 0;
            const int nButtons = SDL_JoystickNumButtons(pad);
            for (int i = 0; i < nButtons && i < 32; ++i) {
                if (SDL_JoystickGetButton(pad, i)) {
                    state.buttons |= DWORD{1} << i;
                }
            }
        }
        SDL_UnlockJoysticks();
        return bOk;
    }

private:
    // The open joystick of number id, opened again after it was unplugged; null when absent.
    SDL_Joystick* Open(int id)
    {
        SDL_Joystick*& pad = m_pads[static_cast<std::size_t>(id)];
        if (pad != nullptr && !SDL_JoystickGetAttached(pad)) {
            SDL_JoystickClose(pad);
            pad = nullptr;
        }
        if (pad == nullptr && id < SDL_NumJoysticks()) {
            pad = SDL_JoystickOpen(id);
        }
        return pad;
    }

    bool m_bReady = false;
    std::mutex m_lock;
    std::array<SDL_Joystick*, 16> m_pads{};
};

}  // namespace

std::unique_ptr<JoystickSource> CreateSdlJoystickSource()
{
    return std::make_unique<SdlJoysticks>();
}
