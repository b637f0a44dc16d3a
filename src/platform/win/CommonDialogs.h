// The common open and save file dialogs, shown as the program's own file chooser (FileChooser.h).
//
// The filter is a list of (description, patterns) pairs, NUL-separated and ended by two NULs;
// patterns are separated by ';'. The first pair is the one shown. A default extension with '*',
// '?' or ';' in it is no extension and is not added. OFN_NOCHANGEDIR is always in
// effect: the current folder never changes. Multiple selection returns one file, as its full
// path. The network button and the hook have nothing to act on here.
//
// Main thread only.
#pragma once

#include <cstdint>

#include "platform/win/WinTypes.h"

constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_ENABLEHOOK = 0x00000020;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_NONETWORKBUTTON = 0x00020000;
constexpr DWORD OFN_EXPLORER = 0x00080000;

using LPOFNHOOKPROC = std::uintptr_t (*)(HWND, UINT, WPARAM, LPARAM);

struct OPENFILENAMEA {
    DWORD lStructSize = 76;
    HWND hwndOwner = nullptr;
    HINSTANCE hInstance = nullptr;
    const char* lpstrFilter = nullptr;
    char* lpstrCustomFilter = nullptr;
    DWORD nMaxCustFilter = 0;
    DWORD nFilterIndex = 0;
    char* lpstrFile = nullptr;  // in: the proposed name; out: the chosen file's full path
    DWORD nMaxFile = 0;
    char* lpstrFileTitle = nullptr;
    DWORD nMaxFileTitle = 0;
    const char* lpstrInitialDir = nullptr;
    const char* lpstrTitle = nullptr;
    DWORD Flags = 0;
    WORD nFileOffset = 0;
    WORD nFileExtension = 0;
    const char* lpstrDefExt = nullptr;
    LPARAM lCustData = 0;
    LPOFNHOOKPROC lpfnHook = nullptr;
    const char* lpTemplateName = nullptr;
};

// TRUE when a file was chosen (its full path, NUL-ended, in lpstrFile); FALSE on cancel, or when
// the path does not fit in nMaxFile bytes (lpstrFile is left empty then).
BOOL GetOpenFileNameA(OPENFILENAMEA* lpofn);
BOOL GetSaveFileNameA(OPENFILENAMEA* lpofn);
