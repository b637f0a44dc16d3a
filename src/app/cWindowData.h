// cWindowData: "user_data\Window.dat", the placement of the main window in window mode, saved
// when the window closes and applied at the next start.
//
// Stored form (every version): raw x, y, nWidth, nHeight, bMaximized; no strings.
//
// The file is the user's and untrusted, and the desktop may have changed since it was written
// (a smaller screen, a monitor gone): reading keeps the window on the usable area of the
// desktop, so that at least its top-left corner and title bar can always be reached.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/cDataRecord.h"

class cWindowData : public cDataRecord {
public:
    std::int32_t x = 0;           // screen x of the window's outer top-left corner
    std::int32_t y = 0;           // screen y of that corner
    std::int32_t nWidth = 0;      // client width in pixels (0: not known)
    std::int32_t nHeight = 0;     // client height in pixels (0: not known)
    std::int32_t bMaximized = 0;  // 1 when the window was maximised

    // Smallest client size kept (the main window's minimum tracking size).
    static constexpr int kMinClient = 100;

    // Registers for nDataVersion with the defaults above.
    cWindowData();
    cWindowData(const cWindowData&) = default;
    cWindowData& operator=(const cWindowData&) = default;

    // The same five members for every version.
    void RegisterMembers(int nVersion) override;
    // The base Load, then KeepOnWorkArea.
    int Load(FILE* fp) override;

    // Clamps the values to the desktop's usable area (SPI_GETWORKAREA): the client size to
    // kMinClient..the area's size (0 stays 0: not known), the maximised flag to 0..1, and the
    // corner so that the main window's outer rectangle (the client size, or 640 x 480 when not
    // known, with the frame of a captioned window) lies inside the area, or, when it is larger,
    // starts at the area's top-left corner.
    void KeepOnWorkArea();
};

// The main window's placement record (main thread).
extern cWindowData WindowData;
