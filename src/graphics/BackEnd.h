// The drawing back-end: Direct3D 9 or DirectDraw 7, chosen once at start-up, opened by DDInit
// and closed by DDRelease. All state is global. Every drawing function asks which back-end is
// open: lpDTCon set means Direct3D, lpDDCon set means DirectDraw; never both.
//
// Threads: DDInit and DDRelease run on the main thread before the game thread starts and after
// it has stopped. Scenes, render targets and presents run on the game thread; the Direct3D
// restore runs on the main thread while the game thread waits in its SendMessage.
#pragma once

#include <atomic>
#include <memory>

#include "core/cList.h"
#include "graphics/BackEndTypes.h"
#include "graphics/DDSurfaceData.h"
#include "platform/d3d9/D3D9.h"
#include "platform/ddraw/DirectDraw.h"

// Arguments of DDInit, kept for the whole run.
extern int bDirect3D;                 // nonzero: Direct3D 9
extern HWND hWndDD;                   // the window given to DDInit
extern int nScreenWidth;              // 640
extern int nScreenHeight;             // 480
extern int nScreenBpp;                // Direct3D 16 or 32; DirectDraw 8, 16 or 32
extern int nScreenBytes;              // nScreenBpp / 8
extern int bWindowMode;               // 0 full screen, 1 window
extern int nBackBufferMode;           // DirectDraw full screen: 1 one back buffer, else two
extern int bVSync;                    // wait for the vertical blank (cleared when 60 Hz cannot be had)
extern int nRefreshRate;              // DirectDraw full screen: 60
extern int bUseRefreshRate;           // DirectDraw full screen: try the mode with nRefreshRate first
extern DDSURFACEDATA* lpSDTable;      // the built-in surfaces (SDTable)
extern DDSURFACEINFO* lpSDInfoTable;  // their definitions (SDInfoTable)
extern int nSDCount;                  // 71
extern std::atomic<int> bDDReady;     // DDInit succeeded (the boxes read it from any thread)
extern BYTE bDDInitOnce;              // DDInit succeeded once: a later DDInit releases first

extern IDirectDraw7* lpDD;
extern IDirect3D9* lpD3D;
extern IDirect3DDevice9* lpDevice;
extern std::unique_ptr<DTCONTROL> lpDTCon;  // set while Direct3D is open
extern std::unique_ptr<DDCONTROL> lpDDCon;  // set while DirectDraw is open
extern IDirectDrawPalette* lpDDPalette;     // DirectDraw: the 256-entry palette
extern IDirectDrawClipper* lpDDClipper;     // DirectDraw window mode: the window's clipper
// DirectDraw window mode: the client area in screen coordinates, the target of the present. Set
// by DDInitWindow; the window procedure keeps it up to date on WM_MOVE.
extern RECT rcClient;
// The transparent colour as a raw pixel of the screen format (8 bpp: the palette index); the
// source colour key of DirectDraw surfaces. Direct3D 16 bpp: the opaque key texel; 32 bpp: 0.
extern DWORD dwColorKey;
extern CHANNELINFO ScreenChannels;   // Direct3D 16 bpp: the back buffer's format
extern CHANNELINFO SurfaceChannels;  // Direct3D: the textures' format; DirectDraw: the primary's

// Every surface created under Direct3D outside a restore, in creation order (the restore walks it).
extern cList<DDSURFACEDATA*> DTSurfaceList;

// The screen surfaces.
extern DDSURFACEDATA BackBuffer;     // the target of all drawing
extern DDSURFACEDATA VirBackBuffer;  // Direct3D: the virtual back buffer (a render-target texture)
extern DDSURFACEDATA WorkSD;         // Direct3D: a screen-sized work texture
extern DDSURFACEDATA PrimarySD;      // DirectDraw: the primary surface
extern DDSURFACEDATA ScreenCopySD;   // DirectDraw: a screen-sized copy in system memory

// Opens the back-end. Start-up passes (flag from "System.ini", main window, 640, 480, depth,
// vsync, window mode, 1, 60, vsync, SDTable, SDInfoTable, 71). Writes "VSync : %d" to the report
// log. TRUE on success (bDDReady and bDDInitOnce set); FALSE leaves partly built objects that the
// caller removes with DDRelease before trying the other back-end.
BOOL DDInit(int bD3D, HWND hWnd, int nWidth, int nHeight, int nBpp, int bVSyncFlag, int bWindow, int nBackMode,
            int nRefresh, int bUseRefresh, DDSURFACEDATA* lpSDArray, DDSURFACEINFO* lpSDInfoArray, int nCount);
// Direct3D part of DDInit: device, formats, fixed states, BackBuffer, VirBackBuffer, WorkSD.
BOOL DDInitD3D(HWND hWnd, int nWidth, int nHeight, int nBpp);
// DirectDraw parts of DDInit. Result: 0 success, else the number of the failed step (1 create,
// 2 cooperative level, 3 display mode, 4 surface, 5 attached surface, 6 palette, 7 set palette,
// 10 clipper, 11 clipper window, 12 set clipper).
int DDInitFullScreen(HWND hWnd, int nWidth, int nHeight, int nBpp, int nBackMode);
int DDInitWindow(HWND hWnd);
// TRUE for 0 and for unknown codes; the known failure codes write their name to the trace log.
BOOL DDCheckInitResult(int nResult);
// The fixed Direct3D render and sampler states; after device creation and after every reset.
void DDSetRenderStates();
// Releases everything DDInit built (either back-end); afterwards lpDTCon and lpDDCon are null.
void DDRelease();
// The same, under the name the shutdown uses.
void DDUnInit();

// Direct3D only. Switches the virtual back buffer (drawing aimed at BackBuffer goes to
// VirBackBuffer until DDPresent flushes it); switching off while on flushes first.
void DDSetVirBackBuffer(BOOL bOn);
// Under Direct3D with the virtual back buffer on, turns a pointer to BackBuffer into one to
// VirBackBuffer and returns TRUE; otherwise FALSE.
BOOL DDRedirectBackBuffer(DDSURFACEDATA** lplpSD);
// Direct3D only: draws source onto target (VirBackBuffer onto BackBuffer) without colour key.
void DDFlushVirBackBuffer(DDSURFACEDATA* lpTarget, DDSURFACEDATA* lpSource);
// Under Direct3D replaces a shared record by the record whose texture it uses.
void DDRedirectShare(DDSURFACEDATA** lplpSD);
// Direct3D end of frame: flush, pacing (without vsync, Sleep(1) steps until CheckFrameTimeD3D
// with the same arguments lets the frame through), EndScene, Present. FALSE when the device is lost (the
// frame loop then sends WM_RESTOREDEVICE so that the main thread restores). DirectDraw: TRUE.
BOOL DDPresent(int nFrameRate, int bShow, DDSURFACEDATA* lpSheet);
// Opens the frame's scene at the first draw (TRUE when one is open); FALSE without a device.
BOOL DDBeginScene();
// Closes the scene when one is open.
void DDEndScene();
// Makes the surface the device's render target 0 (the index is not used). FALSE when the
// surface is not a render target or the device refuses.
BOOL DDSetRenderTarget(int nIndex, DDSURFACEDATA* lpSD);
// Gives a record the back-end part of the open back-end when it has none.
void DDAllocSurfaceData(DDSURFACEDATA* lpSD);
// DirectDraw above 8 bpp: fills the red, green and blue shifts and maxima from the primary
// surface's pixel format. No effect under Direct3D.
void DDGetMaskShift(CHANNELINFO* lpChannels);
// TRUE when lpSD is BackBuffer in full screen (its 16-bit format then differs from the textures').
BOOL DDIsFullScreenBackBuffer(const DDSURFACEDATA* lpSD);

// The DDI version of display device 0 as a number (Direct3D needs at least 9); 99999 when the
// display device cannot be queried (so that Direct3D is still tried).
int GetDDIVersion();
// The number at the start of a DDI version text; 99999 for a missing text, one that does not
// start with a digit, and a value of 0.
int ParseDDIVersion(const char* szText);
