// The game folder's fixed paths and the helpers that take paths and file names apart.
//
// A game is a folder: the player runs with it as its current folder and reaches every file by a
// fixed relative path. Paths are Windows style (Shift-JIS bytes, '\' separators, folder paths end
// with '\'); the char* helpers work in place on buffers of MAX_PATH (260) bytes, texts of at most
// 259 bytes, and leave the path as it was where they fail.
#pragma once

#include <string>

#include "platform/win/WinTypes.h"

// The fixed relative paths, indexed as the loaders expect (0 "data\", 1 "default\", 7 the common
// palette, 13 the world map, 15..33 odd the ten databases, 35 "data\System.dat", 37 the stage
// prefix of the world map, 38..40 the ranking folders by play kind, 41 the story slot prefix,
// 42 the challenge record, 43 options, 45 key configuration, 46 drawing-mode choice, 47 window
// placement). Built at static construction: not for other static constructors.
constexpr int kPathTableSize = 48;
extern const std::string PathTable[kPathTableSize];
// The fixed extensions, without the dot: 0 "cplt4", 1 "stg4", 2 "plt4", 3 "rkg".
constexpr int kExtTableSize = 4;
extern const std::string ExtTable[kExtTableSize];

// An absolute path becomes relative to the current folder; a relative one stays. 0 when the
// current folder cannot be read or no relative path exists (path unchanged), else 1.
int MakeRelativePath(char* szPath);
int MakeRelativePathStr(std::string& path);
// A relative path becomes absolute against the current folder; an absolute one stays. 0 when the
// current folder cannot be read or the result does not fit (path unchanged), else 1.
int MakeFullPath(char* szPath);

// The game's own form of a path given with '/' (a command line, a settings file): every '/'
// becomes '\'. '/' is never the trail byte of a double-byte character, so bytes are changed alone.
void ToGameSeparators(std::string& path);

// Keeps the part after the last '\' (not counting a '\' that is the trail byte of a Shift-JIS
// character); a path without '\' stays.
void StripDirectory(char* szPath);
// szDst = szSrc with the extension of its file name (the text after the last '.' of the last
// path component) replaced by szExt, or, when szExt is null, with the '.' and the extension
// removed. 0 when the file name has no '.' (szDst is then the plain copy), else 1.
int ChangeExtension(char* szDst, const char* szSrc, const char* szExt);
// Removes the file name's last '.' and what follows; 0 without one.
int StripExtension(char* szPath);
int StripExtensionStr(std::string& path);
// szDst = the file name's extension (after its last '.'); 0 without one (szDst untouched).
int GetExtension(char* szDst, const char* szPath);
// szDst = szSrc with "_", the digit d1 and the digit d2 (each 0..9) inserted before the file
// name's last '.': "play.rpl4_720" with 0, 3 gives "play_03.rpl4_720". 0 when there is no
// extension, a digit is out of range or the result would not fit (szDst = szSrc then). Used by
// the replay save dialog.
int InsertFileNumber(char* szDst, const char* szSrc, int d1, int d2);
// The newest numbered generation of a file: the extension of szSrc is replaced by szExt (a name
// without extension is used as it is) and "_999" down to "_000" are appended in turn; the first
// name that exists goes to szDst with the result 1; 0 when none exists.
int FindNewestNumberedFile(char* szDst, const char* szSrc, const char* szExt);
int FindNewestNumberedFileStr(std::string& dst, const std::string& src, const char* szExt);

// At the first start, makes "data\" from "default\": 1 at once when "data\" is a folder; 0 when
// "default\" is not; otherwise asks the user (Yes/No box owned by hWndOwner) and copies the
// default folder as the new data folder. 0 on No and on a failed copy, which leaves nothing of
// its own behind. Called by the start-up right after the data version is set.
int CreateDefaultData(HWND hWndOwner);
