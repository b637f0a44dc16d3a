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
    std::int32_t nKeyNum = 0;        // entries in use: 0..12 (buttons are entries 4..nKeyNum-1)
    std::int32_t nJoyNum = 0;        // joysticks queried: 0..nJoyNum-1, at most 8
    std::int32_t bUseKeyConfig = 0;  // 0: the fixed layout; else this configuration
};

// The configuration in use.
extern KEYCONFIG KeyConfig;

// Arrow keys for the directions, Z X C V A S D F for buttons 1..8, 12 entries, one joystick, the
// fixed layout.
void SetDefaultKeyConfig(KEYCONFIG& config);

// Reads the file into config. 1 when the file was opened and its image is sound; 0 when it cannot
// be opened. The file is untrusted: a file shorter than 108 bytes, a device outside 0..8, a count
// of entries outside 0..12 or of joysticks outside 0..8 leaves config holding the defaults and
// writes a line to the report log (so a bad file never returns half a configuration). Bytes past
// the 108th are ignored.
int LoadKeyConfig(const char* szPath, KEYCONFIG& config);

// The checks and the little-endian decoding of LoadKeyConfig on bytes in memory: true and config
// filled when the image is sound, false (config unchanged) otherwise.
bool ParseKeyConfig(const unsigned char* pBytes, std::size_t nSize, KEYCONFIG& config);
