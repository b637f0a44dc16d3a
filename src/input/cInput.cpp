#include "input/cInput.h"

#include <climits>

#include "platform/win/Keyboard.h"

cVector<cInput> Input(1);

namespace {

constexpr DWORD kAxisLow = 10000;
constexpr DWORD kAxisHigh = 55535;
constexpr int kFixedButtonKeys[8] = {'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'};

bool KeyDown(int vk)
{
    return (GetAsyncKeyState(vk) & 0x8000) != 0;
}

std::int32_t Grow(std::int32_t n)
{
    return n < INT_MAX ? n + 1 : n;
}

KeyLog ReleasedLog()
{
    return KeyLog(kKeyLogRuns, KEYLOGRUN{0, 0});
}

}  // namespace

cInput::cInput() : dirLogs(kDirLogCount, ReleasedLog()), buttonLogs(kButtonLogCount, ReleasedLog())
{}

bool cInput::QueryJoystick(int j, int wait, JOYINFOEX& state)
{
    if (j < 0 || j >= kKeyConfigJoysticks) {
        return false;
    }
    if (!bJoyOk[j] && nJoyRetry[j] > 0) {
        --nJoyRetry[j];
        return false;
    }
    state = JOYINFOEX{};
    state.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS;
    if (joyGetPosEx(static_cast<UINT>(j), &state) != JOYERR_NOERROR) {
        bJoyOk[j] = 0;
        nJoyRetry[j] = 2 * wait;
        return false;
    }
    bJoyOk[j] = 1;
    return true;
}

int cInput::PollDefault(int j, int flags, int wait)
{
    if (KeyConfig.bUseKeyConfig) {
        return 0;
    }
    bool bJoyDir = false;
    bool bJoyButtons = false;
    JOYINFOEX state;
    if (QueryJoystick(j, wait, state) && (flags & POLL_JOYSTICK)) {
        nDirNum = 5;
        wDir = 0;
        if (state.dwXpos <= kAxisLow) {
            wDir = DIR_LEFT;
            nDirNum = 4;
        } else if (state.dwXpos >= kAxisHigh) {
            wDir = DIR_RIGHT;
            nDirNum = 6;
        }
        if (state.dwYpos <= kAxisLow) {
            wDir |= DIR_UP;
            nDirNum -= 3;
        } else if (state.dwYpos >= kAxisHigh) {
            wDir |= DIR_DOWN;
            nDirNum += 3;
        }
        bJoyDir = nDirNum != 5;
        wButton = 0;
        for (int i = 0; i < 8; ++i) {
            if (wJoyButton[i] & state.dwButtons) {
                wButton |= static_cast<SHORT>(1 << i);
            }
        }
        bJoyButtons = wButton != 0;
    }
    if (flags & POLL_KEYBOARD) {
        if (!bJoyDir) {
            nDirNum = 5;
            wDir = 0;
            if (KeyDown(VK_LEFT)) {
                wDir |= DIR_LEFT;
                nDirNum -= 1;
            }
            if (KeyDown(VK_RIGHT)) {
                wDir |= DIR_RIGHT;
                nDirNum += 1;
            }
            if (KeyDown(VK_UP)) {
                wDir |= DIR_UP;
                nDirNum -= 3;
            }
            if (KeyDown(VK_DOWN)) {
                wDir |= DIR_DOWN;
                nDirNum += 3;
            }
        }
        if (!bJoyButtons) {
            wButton = 0;
            for (int i = 0; i < 8; ++i) {
                if (KeyDown(kFixedButtonKeys[i])) {
                    wButton |= static_cast<SHORT>(1 << i);
                }
            }
        }
    }
    return 1;
}

bool cInput::EntryDown(const KEYCONFIGENTRY& entry, const JOYINFOEX* states, const bool* valid, bool bAxis) const
{
    if (entry.nDevice == kKeyConfigKeyboard) {
        return KeyDown(entry.wCode);
    }
    if (entry.nDevice < 0 || entry.nDevice >= kKeyConfigJoysticks || !valid[entry.nDevice]) {
        return false;
    }
    const JOYINFOEX& state = states[entry.nDevice];
    if (bAxis && CheckJoyAxis(state, entry.wCode)) {
        return true;
    }
    return (static_cast<WORD>(entry.wCode) & state.dwButtons) != 0;
}

int cInput::PollKeyConfig(int count, int wait)
{
    if (!KeyConfig.bUseKeyConfig) {
        return 0;
    }
    JOYINFOEX states[kKeyConfigJoysticks];
    bool valid[kKeyConfigJoysticks] = {};
    const int nJoys = KeyConfig.nJoyNum < kKeyConfigJoysticks ? KeyConfig.nJoyNum : kKeyConfigJoysticks;
    for (int j = 0; j < nJoys; ++j) {
        valid[j] = QueryJoystick(j, wait, states[j]);
    }
    const KEYCONFIGENTRY* e = KeyConfig.entries;
    for (int pass = 0; pass < count; ++pass) {
        nDirNum = 5;
        wDir = 0;
        wButton = 0;
        if (EntryDown(e[0], states, valid, true)) {
            wDir |= DIR_LEFT;
            nDirNum -= 1;
        } else if (EntryDown(e[1], states, valid, true)) {
            wDir |= DIR_RIGHT;
            nDirNum += 1;
        }
        if (EntryDown(e[2], states, valid, true)) {
            wDir |= DIR_UP;
            nDirNum -= 3;
        } else if (EntryDown(e[3], states, valid, true)) {
            wDir |= DIR_DOWN;
            nDirNum += 3;
        }
        const int nKeys = KeyConfig.nKeyNum < kKeyConfigEntries ? KeyConfig.nKeyNum : kKeyConfigEntries;
        for (int i = 4; i < nKeys; ++i) {
            if (EntryDown(e[i], states, valid, false)) {
                wButton |= static_cast<SHORT>(1 << (i - 4));
            }
        }
    }
    return 1;
}

int cInput::CheckJoyAxis(const JOYINFOEX& state, int code)
{
    switch (code) {
    case JOYAXIS_LEFT: return state.dwXpos <= kAxisLow;
    case JOYAXIS_RIGHT: return state.dwXpos >= kAxisHigh;
    case JOYAXIS_UP: return state.dwYpos <= kAxisLow;
    case JOYAXIS_DOWN: return state.dwYpos >= kAxisHigh;
    default: return 0;
    }
}

int cInput::GetDirNum()
{
    nDirNum = 5;
    if (wDir & DIR_LEFT) {
        nDirNum -= 1;
    } else if (wDir & DIR_RIGHT) {
        nDirNum += 1;
    }
    if (wDir & DIR_UP) {
        nDirNum -= 3;
    } else if (wDir & DIR_DOWN) {
        nDirNum += 3;
    }
    return nDirNum;
}

void cInput::Clear()
{
    wDir = 0;
    nDirNum = 5;
}

void cInput::ClearButton()
{
    wButton = 0;
}

void cInput::ClearHistory()
{
    for (auto& ring : history) {
        for (INPUTHISTSLOT& slot : ring) {
            slot = INPUTHISTSLOT{};
        }
    }
    nHistHead[0] = 0;
    nHistHead[1] = 0;
}

void cInput::PushHistory()
{
    const SHORT words[2] = {wDir, wButton};
    for (int k = 0; k < 2; ++k) {
        INPUTHISTSLOT& cur = history[k][nHistHead[k]];
        if (cur.value == words[k]) {
            cur.run = Grow(cur.run);
        } else {
            nHistHead[k] = (nHistHead[k] + 1) % kInputHistorySlots;
            history[k][nHistHead[k]] = INPUTHISTSLOT{words[k], 1};
        }
    }
}

SHORT cInput::GetHistory(int k, int n) const
{
    const int ring = k == 1 ? 1 : 0;
    int slot = nHistHead[ring];
    long long a = static_cast<long long>(n) + 1;
    for (int i = 0; i < kInputHistorySlots; ++i) {
        if (a > history[ring][slot].run) {
            a -= history[ring][slot].run;
            slot = (slot + kInputHistorySlots - 1) % kInputHistorySlots;
        }
    }
    return history[ring][slot].value;
}

void cInput::ResetKeyLog()
{
    for (KeyLog& log : dirLogs) {
        log = ReleasedLog();
    }
    for (KeyLog& log : buttonLogs) {
        log = ReleasedLog();
    }
}

void cInput::AddKeyLog(KeyLog& log, SHORT word, SHORT pattern, int bitTest)
{
    const bool bDown = bitTest ? (word & pattern) != 0 : static_cast<WORD>(word) == static_cast<WORD>(pattern);
    if (log.empty()) {
        log = ReleasedLog();
    }
    KEYLOGRUN& newest = log[0];
    if ((newest.pressed != 0) != bDown) {
        log.insert(log.begin(), KEYLOGRUN{bDown ? 1 : 0, 1});
        log.resize(kKeyLogRuns);
    } else {
        newest.length = Grow(newest.length);
    }
}

void cInput::UpdateKeyLog()
{
    static constexpr SHORT kDirPatterns[9] = {0, 1, 2, 4, 8, 5, 9, 6, 10};
    for (int i = 0; i < 9; ++i) {
        AddKeyLog(dirLogs[i], wDir, kDirPatterns[i], 0);
    }
    AddKeyLog(dirLogs[9], wDir, 15, 1);
    AddKeyLog(buttonLogs[0], wButton, 0, 0);
    for (int i = 1; i <= 8; ++i) {
        AddKeyLog(buttonLogs[i], wButton, static_cast<SHORT>(1 << (i - 1)), 1);
    }
}

void cInput::SetKeyRepeat(int delay, int interval)
{
    nRepeatDelay = delay;
    nRepeatInterval = interval;
}

void cInput::KeyRepeat()
{
    // After the shift, bits 4..7 hold the previous frame's word.
    const int previous = static_cast<WORD>(wRepeatHist) & 0xF;
    wRepeatHist = static_cast<SHORT>((static_cast<WORD>(wRepeatHist) << 4) | static_cast<WORD>(wDir));
    const int interval = nRepeatInterval > 0 ? nRepeatInterval : 1;
    const auto filter = [&](int pairMask, std::int32_t& count) {
        if ((wDir & pairMask) != (previous & pairMask)) {
            count = 0;
            return;
        }
        count = Grow(count);
        if (count < nRepeatDelay || count % interval != 0) {
            wDir = static_cast<SHORT>(wDir & ~pairMask);
        }
    };
    filter(DIR_LEFT | DIR_RIGHT, nRepeatCountH);
    filter(DIR_UP | DIR_DOWN, nRepeatCountV);
}

void cInput::TriggerButton(int mask)
{
    if (mask == 0) {
        mask = 0xFF;
    }
    const int entry = wButton;
    for (int i = 0; i < 8; ++i) {
        const int bit = 1 << i;
        if (!(mask & bit)) {
            continue;
        }
        if (bButtonLatch && (entry & bit)) {
            wButton = static_cast<SHORT>(wButton & ~bit);
        }
        if ((wButton & bit) && !bButtonLatch) {
            bButtonLatch = 1;
            return;
        }
    }
    if (!(entry & mask)) {
        bButtonLatch = 0;
    } else {
        wButton = static_cast<SHORT>(wButton & ~mask);
    }
}

void cInput::SetDefaultJoyButton()
{
    for (int i = 0; i < 8; ++i) {
        wJoyButton[i] = static_cast<WORD>(1 << i);
    }
}

cInput& InputFor(int)
{
    return Input[0];
}

void ResetInput()
{
    Input.assign(1, cInput());
    Input[0].SetDefaultJoyButton();
    Input[0].SetKeyRepeat(18, 6);
}
