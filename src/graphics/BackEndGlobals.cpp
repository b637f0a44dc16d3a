// The back-end's global state, and the surface records that must outlive nothing they point into.
//
// Defined in one file on purpose: the surface list is constructed before the records (and thus
// destroyed after them), so a record released at exit can still take itself out of the list.
#include "graphics/BackEnd.h"
#include "graphics/SurfaceCatalogue.h"

int bDirect3D = 0;
HWND hWndDD = nullptr;
int nScreenWidth = 0;
int nScreenHeight = 0;
int nScreenBpp = 0;
int nScreenBytes = 0;
int bWindowMode = 0;
int nBackBufferMode = 0;
int bVSync = 0;
int nRefreshRate = 0;
int bUseRefreshRate = 0;
DDSURFACEDATA* lpSDTable = nullptr;
DDSURFACEINFO* lpSDInfoTable = nullptr;
int nSDCount = 0;
std::atomic<int> bDDReady{0};
BYTE bDDInitOnce = 0;

IDirectDraw7* lpDD = nullptr;
IDirect3D9* lpD3D = nullptr;
IDirect3DDevice9* lpDevice = nullptr;
std::unique_ptr<DTCONTROL> lpDTCon;
std::unique_ptr<DDCONTROL> lpDDCon;
IDirectDrawPalette* lpDDPalette = nullptr;
IDirectDrawClipper* lpDDClipper = nullptr;
RECT rcClient;
DWORD dwColorKey = 0;
CHANNELINFO ScreenChannels;
CHANNELINFO SurfaceChannels;

cList<DDSURFACEDATA*> DTSurfaceList;

DDSURFACEDATA BackBuffer;
DDSURFACEDATA VirBackBuffer;
DDSURFACEDATA WorkSD;
DDSURFACEDATA PrimarySD;
DDSURFACEDATA ScreenCopySD;
DDSURFACEDATA SDTable[kBuiltInSurfaceCount];
