// System queries for the machine report and the screen-mode checks, answered from Linux.
// Tests can replace the answers with fixed values.
#pragma once

#include <string>

#include "platform/win/WinTypes.h"

// Texts are Shift-JIS, as everything the game writes to its logs.
struct SystemFacts {
    std::string osName;  // e.g. "Linux 6.1.0 x86_64 (Debian GNU/Linux 12)"
    DWORD osMajor = 6;   // version reported to the game's version checks
    DWORD osMinor = 0;
    std::string cpuName;  // processor brand string, as /proc/cpuinfo gives it
    DWORD cpuCount = 1;   // logical processors
    ULONGLONG cpuHz = 0;  // nominal clock in Hz, 0 when unknown
    ULONGLONG totalPhysBytes = 0;
    ULONGLONG availPhysBytes = 0;
    int desktopBitsPerPixel = 32;  // never 24: a 24-bit desktop is reported as 32
    int desktopWidth = 1920;
    int desktopHeight = 1080;
    int refreshRate = 60;  // Hz; 0 when unknown
};

// The live answers (read once, then cached), or the ones set by SetSystemFactsForTest.
const SystemFacts& GetSystemFacts();
void SetSystemFactsForTest(const SystemFacts& facts);
// Drops the test answers: the next GetSystemFacts reads the machine again (display facts given
// by SetDisplayFacts stay).
void ResetSystemFacts();
// The display host's desktop mode, called on the main thread before the game thread starts.
// A 24-bit depth is stored as 32; a size <= 0 keeps 1920 x 1080; a refresh <= 0 means unknown (0).
void SetDisplayFacts(int width, int height, int bitsPerPixel, int refreshRate);

// Windows-style version test used by the shell: true when the reported version >= major.minor.
bool IsOSVersionAtLeast(DWORD dwMajor, DWORD dwMinor);
