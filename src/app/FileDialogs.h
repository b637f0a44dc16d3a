// The open and save file dialogs of the program, and the three file requests that use them:
// loading a stage, loading a replay and saving a replay. The texts (titles, filters, folders) are
// the program's; "English" in System.ini picks the English titles.
//
// The chooser is the program's own (see platform/win/CommonDialogs.h): it starts in the given
// folder relative to the game folder, lists the filter's files and the folders, and never changes
// the current folder. Main thread only.
#pragma once

#include <string>
#include <vector>

#include "platform/win/WinTypes.h"

// Clears the buffer, runs the open dialog and puts the chosen file's full path into the buffer
// (at most nBufferLength bytes with the NUL). With a result list the path is appended to it too.
// szFilter: description and patterns, NUL-separated, ended by two NULs. Returns 1 when a file was
// chosen, 0 on cancel (the buffer stays empty).
int OpenFileDialog(HWND hWndOwner, char* szBuffer, int nBufferLength, const char* szInitialFolder, const char* szTitle,
                   const char* szFilter, const char* szDefaultExt, int bMultiSelect,
                   std::vector<std::string>* pResults);
// As OpenFileDialog for a name to save under, in a MAX_PATH buffer: the buffer is cleared first,
// unless bKeepName is set (its name is then proposed). Asks before overwriting a file.
int SaveFileDialog(HWND hWndOwner, char* szBuffer, const char* szInitialFolder, const char* szTitle,
                   const char* szFilter, const char* szDefaultExt, int bKeepName);

// The stage to load for free play, from "data\stg4\": its full path, or false on cancel.
bool ChooseStageToLoad(HWND hWndOwner, std::string& path);
// The replay to load, from "user_data\rpl4": its full path, or false on cancel.
bool ChooseReplayToLoad(HWND hWndOwner, std::string& path);
// The name to save a replay under, in "user_data\rpl4\", starting from proposedName (a file name,
// "" for none): the chosen full path, or false on cancel.
bool ChooseReplayToSave(HWND hWndOwner, const std::string& proposedName, std::string& path);
