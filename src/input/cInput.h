// An input controller: the keyboard and the joysticks turned into a direction word and a button
// word per frame, with what the game reads of them over time (the numeric-keypad direction, two
// run-length histories, the press logs of the key-input conditions, the menu key repeat and the
// one-frame button latch).
//
// There is one controller, Input[0], polled once a frame by the scene manager. Everything here
// runs on the game thread (or on the nested-frame threads while the game thread waits for them).
#pragma once

#include <cstdint>

#include "core/cVector.h"
#include "input/KeyConfig.h"
#include "input/KeyLogRun.h"
#include "platform/win/Joystick.h"
#include "platform/win/WinTypes.h"

// Direction bits of wDir.
constexpr SHORT DIR_LEFT = 1;
constexpr SHORT DIR_RIGHT = 2;
constexpr SHORT DIR_UP = 4;
constexpr SHORT DIR_DOWN = 8;
constexpr SHORT DIR_ANY = DIR_LEFT | DIR_RIGHT | DIR_UP | DIR_DOWN;

// Button bits of wButton: buttons 1..8 are bits 0..7. The menus decide on button 1 and cancel on
// button 2; buttons 3 and 4 open the ranking panel and change its genre where a screen has one.
constexpr SHORT BUTTON_1 = 1;
constexpr SHORT BUTTON_2 = 2;
constexpr SHORT BUTTON_3 = 4;
constexpr SHORT BUTTON_4 = 8;
constexpr SHORT BUTTON_DECIDE = BUTTON_1;
constexpr SHORT BUTTON_CANCEL = BUTTON_2;

// Frames of one history ring and runs of one press log.
constexpr int kInputHistorySlots = 32;
constexpr int kKeyLogRuns = 32;
constexpr int kDirLogCount = 10;
constexpr int kButtonLogCount = 9;

// Flags of PollDefault.
constexpr int POLL_JOYSTICK = 1;
constexpr int POLL_KEYBOARD = 2;

// One slot of a history ring: a word and the frames it was held.
struct INPUTHISTSLOT {
    SHORT value = 0;
    std::int32_t run = 0;
};

// Newest run first, always kKeyLogRuns runs.
using KeyLog = cVector<KEYLOGRUN>;

class cInput {
public:
    // Histories and logs empty, nDirNum 5, every joystick queried on the first poll.
    cInput();

    // The fixed layout: joystick j (when flags has POLL_JOYSTICK) and the arrows and Z X C V A S D
    // F (when flags has POLL_KEYBOARD). A joystick direction replaces the arrows and joystick
    // buttons replace the keyboard's. A joystick that does not answer is asked again only after
    // 2 x wait frames. 0 at once when the key configuration is in use, else 1.
    int PollDefault(int j, int flags, int wait);
    // The key configuration: count passes over KeyConfig (always 1), joysticks 0..nJoyNum-1 with
    // the same retry rule. Left wins over right and up over down. 0 at once when the
    // configuration is not in use, else 1.
    int PollKeyConfig(int count, int wait);
    // True when the joystick state meets the axis code (JOYAXIS_*); false for any other code.
    static int CheckJoyAxis(const JOYINFOEX& state, int code);

    // nDirNum from wDir (1..9, 5 without a direction; left before right, up before down).
    int GetDirNum();
    // wDir = 0 and nDirNum = 5.
    void Clear();
    // wButton = 0.
    void ClearButton();

    // Both rings zeroed, heads at slot 0.
    void ClearHistory();
    // Adds this frame's two words to the rings.
    void PushHistory();
    // Word k (0 direction, 1 buttons; other k read the direction ring) n frames ago; n 0 is now.
    SHORT GetHistory(int k, int n) const;

    // Every press log back to 32 released runs of length 0.
    void ResetKeyLog();
    // Adds this frame to every press log.
    void UpdateKeyLog();
    // Adds one frame to log: down when bitTest and (word & pattern), or when !bitTest and
    // word == pattern.
    static void AddKeyLog(KeyLog& log, SHORT word, SHORT pattern, int bitTest);

    // Menu auto-repeat: delay and interval in frames (18 and 6 from start-up); an interval of 0
    // or less repeats every frame after the delay.
    void SetKeyRepeat(int delay, int interval);
    // Removes held directions from wDir except on their first frame, delay frames later and every
    // interval frames after that.
    void KeyRepeat();
    // Makes the buttons of mask (0: all eight) one-frame presses: the first frame any of them is
    // down passes, then they are removed until none of them is down. One latch serves all masks.
    void TriggerButton(int mask);
    // Joystick button i (0..7) of the fixed layout is mask 1 << i.
    void SetDefaultJoyButton();

    SHORT wDir = 0;                                // direction bits DIR_*
    SHORT wButton = 0;                             // bits 0..7: buttons 1..8
    SHORT wRepeatHist = 0;                         // direction words of the last frames, 4 bits each
    INPUTHISTSLOT history[2][kInputHistorySlots];  // ring 0 wDir, ring 1 wButton
    std::int32_t nHistHead[2] = {0, 0};
    cVector<KeyLog> dirLogs;     // 0 none, 1..4 L R U D alone, 5 UL, 6 DL, 7 UR, 8 DR, 9 any
    cVector<KeyLog> buttonLogs;  // 0 none, 1..8 buttons 1..8
    std::int32_t nDirNum = 5;
    std::int32_t nRepeatCountH = 0;
    std::int32_t nRepeatCountV = 0;
    std::int32_t nRepeatDelay = 18;
    std::int32_t nRepeatInterval = 6;
    std::int32_t bButtonLatch = 0;
    WORD wJoyButton[8] = {};
    // Per joystick: its last query answered, and frames left before a failed one is asked again.
    // (Each joystick keeps its own, so an absent pad never holds back a working one.)
    std::int32_t bJoyOk[kKeyConfigJoysticks] = {};
    std::int32_t nJoyRetry[kKeyConfigJoysticks] = {};

private:
    // Queries joystick j when it is due under the retry rule; true with its state when it answered.
    bool QueryJoystick(int j, int wait, JOYINFOEX& state);
    bool EntryDown(const KEYCONFIGENTRY& entry, const JOYINFOEX* states, const bool* valid, bool bAxis) const;
};

// The controllers: exactly one.
extern cVector<cInput> Input;

// The controller a character with controller number n reads. There is only controller 0: every
// number reads it, so a definition naming another controller still plays (instead of closing the
// program through a bad index).
cInput& InputFor(int n);

// Start-up: Input holds one controller with the default joystick buttons and the key repeat
// 18 / 6. Also the reset for tests.
void ResetInput();
