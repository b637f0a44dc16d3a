// The key configuration: which keyboard key or joystick axis or button drives each of the four
// directions and eight buttons. Read at start-up from "user_data\KeyConfig.dat" (never written by
// the player). Owned by the main thread at start-up, read by the game thread afterwards.
#pragma once

#include <cstddef>
#include <cstdint>

// Number of entries: left, right, up, down, then buttons 1..8.
constexpr int kKeyConfigEntries = 12;
// Joysticks a configuration may name (devices 0..7).
constexpr int kKeyConfigJoysticks = 8;
// The device number of the keyboard.
constexpr int kKeyConfigKeyboard = 8;
// Size of the file: the exact image of KEYCONFIG.
constexpr std::size_t kKeyConfigFileSize = 108;

// Joystick axis codes of an entry (X and Y positions 0..65535).
constexpr int JOYAXIS_LEFT = 256;   // X at or below 10000
constexpr int JOYAXIS_RIGHT = 512;  // X at or above 55535
constexpr int JOYAXIS_UP = 1024;    // Y at or below 10000
constexpr int JOYAXIS_DOWN = 2048;  // Y at or above 55535

struct KEYCONFIGENTRY {
    std::int32_t nDevice = 0;  // 0..7 a joystick, 8 the keyboard
    std::int16_t wCode = 0;    // keyboard: virtual-key code; joystick: axis code or button mask
};

struct KEYCONFIG {
    KEYCONFIGENTRY entries[kKeyConfigEntries];
    std::int32_t nKeyNum = 0;        // entries in use (buttons are entries 4..nKeyNum-1); at most 12 count
    std::int32_t nJoyNum = 0;        // joysticks queried: 0..nJoyNum-1; at most 8 are
    std::int32_t bUseKeyConfig = 0;  // 0: the fixed layout; else this configuration
};

// The configuration in use.
extern KEYCONFIG KeyConfig;

// Arrow keys for the directions, Z X C V A S D F for buttons 1..8, 12 entries, one joystick, the
// fixed layout.
void SetDefaultKeyConfig(KEYCONFIG& config);

// Reads the file into config: 1 when the file was opened, 0 (config unchanged) when it cannot be.
// The file is untrusted and taken as far as it goes: each field that its bytes hold whole is
// taken and the later ones keep their values; an entry naming a device outside 0..8 keeps its
// value; the counts are taken as stored (the poll queries at most 12 entries and 8 joysticks).
// Anything left out writes a line to the report log. Bytes past the 108th are ignored.
int LoadKeyConfig(const char* szPath, KEYCONFIG& config);

// The decoding of LoadKeyConfig on bytes in memory: fills config as LoadKeyConfig does; true
// when the image was whole and every field was taken.
bool ParseKeyConfig(const unsigned char* pBytes, std::size_t nSize, KEYCONFIG& config);
