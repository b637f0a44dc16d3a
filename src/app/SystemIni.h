// "System.ini": the user's optional text file of drawing and display settings in the game folder.
//
// The keys, their order and their defaults are not fixed here: they come from the project
// settings' list (cSystemData::IniSettings), one entry per setting, by position: 0 "Direct3D",
// 1 "WindowMode", 2 "Bpp", 3 "VSync", 4 "D3D_FontCache", 5 "DD_FontCache", 6 "DD_VideoStretch",
// 7 "ShowFps", 8 "FreeStage" (a text), 9 "English".
//
// The file's grammar is its own and existing games' files rely on it as it is: every line is
// "key=value"; blanks, tabs and carriage returns vanish from keys; a value ends at the first
// blank, tab, "/", line feed or NUL (a carriage return stays in it, and what follows the end is
// read as a line of its own); the file must end with a line "Exit" (or a NUL byte), otherwise
// it counts as unreadable. Keys compare case-sensitively.
//
// Owned by the main thread: read once by the start-up, before the drawing back-end exists, and
// only read afterwards.
#pragma once

#include <string>

#include "core/cVector.h"
#include "project/cIniSetting.h"

struct SYSTEMINI {
    int Direct3D = 0;         // 0 DirectDraw, 1 Direct3D 9, 2 or more: ask at start-up
    int WindowMode = 0;       // 0 full screen, 1 window, 2 window that can be resized (Direct3D)
    int Bpp = 0;              // colour depth 8, 16 or 32; 0 lets the start-up choose
    int VSync = 0;            // 0 off, 1 on, 2 or more: decided by back-end and system
    int D3D_FontCache = 0;    // glyph-cache setting of fonts whose own setting is 2, Direct3D
    int DD_FontCache = 0;     // the same under DirectDraw
    int DD_VideoStretch = 0;  // switch read by the objects' drawing under DirectDraw
    int ShowFps = 0;          // 0 no frame-rate display, else its place
    int English = 0;          // not 0: dialogs and file-dialog titles in English
    std::string FreeStage;    // stage file played at once instead of the title; at most 259 bytes
};

// The settings of this run (main thread).
extern SYSTEMINI SystemIni;

// Longest "FreeStage" text kept (the format's 260-byte buffer with its NUL).
constexpr std::size_t kFreeStageMaxLength = 259;
// Longest key or value text kept; longer ones are cut (the format's 2048-byte buffers).
constexpr std::size_t kSystemIniTextMax = 2047;
// Lines read at most; after that many the file counts as read.
constexpr int kSystemIniMaxLines = 10000;

// The first eight integers take the integer defaults of entries 0 to 7, "FreeStage" the text
// default of entry 8, and "English" 0 whatever the list says. Entries missing from a short list
// leave their settings as they are.
void SetSystemIniDefault(SYSTEMINI& settings, const cVector<cIniSetting>& keys);

// Reads the file at szPath (a game path) over the settings. 1 when it was read up to its "Exit"
// line, a NUL byte or its 10000th line; 0 when it is missing or ends without one. What was read
// before the end stays in the settings either way.
int ReadSystemIni(const char* szPath, SYSTEMINI& settings, const cVector<cIniSetting>& keys);

// The start-up's step: the defaults, then the file; a file that cannot be read is reported to
// the report log and in the error box "System.ini の読み込みに失敗しました！", and every setting
// goes back to its default. Returns what ReadSystemIni returned; start-up goes on either way.
int LoadSystemIni(const char* szPath, SYSTEMINI& settings, const cVector<cIniSetting>& keys);
