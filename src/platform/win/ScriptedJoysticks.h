// A joystick source for tests: joysticks are plugged in, moved, pressed and unplugged by the
// test; every query is counted per joystick. Thread-safe.
#pragma once

#include <array>
#include <mutex>

#include "platform/win/Joystick.h"

class ScriptedJoysticks : public JoystickSource {
public:
    static constexpr int kCount = 16;

    // Plugs joystick id in (when it is not) and sets its axes (0..65535) and buttons.
    void Set(UINT id, DWORD x, DWORD y, DWORD buttons);
    // Unplugs joystick id: its queries fail until it is set again.
    void Unplug(UINT id);
    // Queries of joystick id so far, answered or not.
    int QueryCount(UINT id) const;

    bool Query(UINT id, JoystickState& state) override;

private:
    struct Pad {
        bool plugged = false;
        JoystickState state;
        int queries = 0;
    };
    mutable std::mutex m_lock;
    std::array<Pad, kCount> m_pads{};
};
