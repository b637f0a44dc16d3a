// Device loss and surface restore.
//
// Direct3D: DDPresent notices the loss; the frame loop sends WM_RESTOREDEVICE and the main window's
// procedure calls DDRestoreSurface on the main thread while the game thread waits. A restore that
// is not yet possible returns FALSE and is tried again after the next failed present.
// DirectDraw: the frame loop calls DDRestore at the start of every frame when the primary surface
// is lost, and reloads the screens' own surfaces itself (DDReloadSurface).
#pragma once

#include "platform/win/WinTypes.h"

// A font that holds device objects (the fonts register themselves while they exist, in creation
// order). The restore has them let go of their device objects before the reset and make them
// again afterwards.
class cDeviceFont {
public:
    virtual ~cDeviceFont() = default;
    // Direct3D: OnLostDevice of the font's D3DX font and sprite; the first failure, else D3D_OK.
    virtual HRESULT OnLostDevice() = 0;
    // After the reset (Direct3D) or after lost surfaces were restored (DirectDraw): the font's
    // device objects and caches again.
    virtual void Restore() = 0;
};
void DDRegisterFont(cDeviceFont* lpFont);
void DDUnregisterFont(cDeviceFont* lpFont);

// Direct3D: resets the device and rebuilds every surface of DTSurfaceList from its record (empty
// ones get bLost = 1), then the fonts. Asks whether the device can be reset before it releases
// anything: FALSE with nothing released while it cannot; FALSE also when Reset fails. Under
// DirectDraw: a trace line and TRUE.
BOOL DDRestoreSurface();
// DirectDraw, only when the primary surface is lost: restores the primary, the back buffer and the
// built-in slots (file slots are reloaded, empty video-memory slots get bLost = 1), the 8-bit
// palette and the fonts. TRUE (also when nothing was lost). Under Direct3D: a trace line and TRUE.
BOOL DDRestore();
