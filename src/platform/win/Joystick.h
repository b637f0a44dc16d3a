// Joystick positions and buttons by joystick number, the stand-in for joyGetPosEx.
//
// A joystick source answers the queries: by default the SDL joystick interface when the program
// has a screen, none (every joystick unplugged) without one; tests install a scripted source.
// Queries may come from any thread (the game thread and the nested frame loops); the source is
// swapped only while no query runs (start-up, tests).
#pragma once

#include <memory>

#include "platform/win/WinTypes.h"

constexpr UINT JOYERR_NOERROR = 0;
constexpr UINT JOYERR_PARMS = 165;
constexpr UINT JOYERR_UNPLUGGED = 167;

constexpr DWORD JOY_RETURNX = 0x00000001;
constexpr DWORD JOY_RETURNY = 0x00000002;
constexpr DWORD JOY_RETURNBUTTONS = 0x00000080;

struct JOYINFOEX {
    DWORD dwSize = sizeof(JOYINFOEX);
    DWORD dwFlags = 0;
    DWORD dwXpos = 0;  // 0..65535, centre 32768, left at 0
    DWORD dwYpos = 0;  // 0..65535, centre 32768, up at 0
    DWORD dwZpos = 0;
    DWORD dwRpos = 0;
    DWORD dwUpos = 0;
    DWORD dwVpos = 0;
    DWORD dwButtons = 0;  // bit i set while button i + 1 is down (buttons 1..32)
    DWORD dwButtonNumber = 0;
    DWORD dwPOV = 0;
    DWORD dwReserved1 = 0;
    DWORD dwReserved2 = 0;
};

// The state of one joystick as a source reports it.
struct JoystickState {
    DWORD x = 32768;
    DWORD y = 32768;
    DWORD buttons = 0;
};

class JoystickSource {
public:
    virtual ~JoystickSource() = default;
    // Joystick number id (0..15): true with its state when it is plugged in and answers.
    virtual bool Query(UINT id, JoystickState& state) = 0;
};

// Fills the fields dwFlags asks for (JOY_RETURNX, JOY_RETURNY, JOY_RETURNBUTTONS; hats and the
// other axes are never reported). JOYERR_NOERROR, JOYERR_UNPLUGGED for an absent joystick,
// JOYERR_PARMS for a null record or a number above 15.
UINT joyGetPosEx(UINT uJoyID, JOYINFOEX* pji);

// Replaces the joystick source; nullptr goes back to the default one.
void SetJoystickSource(std::unique_ptr<JoystickSource> source);
// The SDL joystick interface (joystick n is SDL's device n; axis 0 is X, axis 1 is Y).
std::unique_ptr<JoystickSource> CreateSdlJoystickSource();
