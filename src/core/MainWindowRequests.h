// The request numbers the game thread (and its workers) send to the main window with SendMessage,
// served by the main window's procedure on the main thread. Every layer that asks or answers, and
// the tests that stand in for the main window, take the numbers from here.
#pragma once

#include "platform/win/Messages.h"

constexpr UINT WM_NAMEDIALOG = WM_USER + 1;       // the ranking-name dialog
constexpr UINT WM_LOADSTAGEFILE = WM_USER + 2;    // "Load stage file", then the stage for free play
constexpr UINT WM_LOADREPLAYFILE = WM_USER + 3;   // "Load replay file", then the replay
constexpr UINT WM_SAVEREPLAYFILE = WM_USER + 4;   // save-replay dialog; wParam 0 this play, 1 the previous
constexpr UINT WM_PLAYSE = WM_USER + 5;           // sound-table slot wParam
constexpr UINT WM_PLAYBGM = WM_USER + 6;          // wParam a music slot (below), lParam the Bgm entry
constexpr UINT WM_RESTOREDEVICE = WM_USER + 100;  // Direct3D device restore

// Music slots of WM_PLAYBGM: 0..3 play a front-end screen's music from the project's music table,
// the stage slot plays the Bgm database entry given in lParam.
constexpr int BGM_SLOT_TITLE = 0;
constexpr int BGM_SLOT_WORLDMAP = 1;  // the world map and its menu
constexpr int BGM_SLOT_WORLDSELECT = 2;
constexpr int BGM_SLOT_OPTION = 3;
constexpr int BGM_SLOT_STAGE = 4;
constexpr int kScreenMusicSlots = 4;
