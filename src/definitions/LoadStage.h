// LoadStage: the one way the rest of the program reads a stage file into Stage.
#pragma once

#include <string>

#include "definitions/cEdStage.h"

// Reads the stage file szName ('\' or '/' separators) into Stage and, when lpOut is not null, its
// header part into lpOut (the callers pass StageBackup; its palette and placed lists are
// emptied). With bNewest set, the newest numbered variant is read: the extension becomes "stg4"
// and "_999" down to "_000" are tried; with bNewest 0 the name is read as it is.
//
// The file is read on StageLoaderThread into a stage of its own while the calling thread serves
// its window messages; only a stage that was read completely and has a hero replaces Stage, so a
// refused file leaves Stage (and lpOut) as they were. On success Stage's m_strPath is the file
// read, in the game's own form ('\' separators, relative to the current folder when possible),
// m_bNewest is bNewest and the common palette's references into a stage palette are checked
// against the new stage.
//
// Returns 1 on success, 0 when:
//   - no numbered variant exists (silently; the caller decides);
//   - the file of version 174 or later does not end with the end code: "ステージファイル %s が
//     破損しています！", then the program closes as failed (CloseForFailure);
//   - the file cannot be opened or does not fit a stage: "ステージファイル %s の読み込みに失敗しま
//     した！";
//   - no hero is placed: "主人公が配置されていないのでプレイできません！", then the program
//     closes as failed;
// The texts of the two closing cases are written to the report log before their box shows.
//   - WM_QUIT arrives while the file is read: the loader is stopped and the WM_QUIT is posted
//     again to the calling thread (same exit code), so that its message loop still ends.
// Called by the world-map and world-select screens, the stage-clear chain and the start-up's
// direct play (bNewest 1), and by the "Load stage file" request and the free-mode reload
// (bNewest 0); on the game thread or the main thread.
int LoadStage(const char* szName, int bNewest, cEdStage* lpOut);

// The end-code test of a stage file, run before it is read: 1 when the file cannot be opened
// (the read that follows reports it), is older than version 174, or ends with the end code;
// otherwise the damage text ("ステージファイル %s が破損しています！") in the report log and its
// box, CloseForFailure and 0.
int CheckStageFileEnd(const char* szPath);

// Puts a stage that was read completely in place of Stage (its lists are exchanged with
// loaded's), records path and bNewest as the file read, checks the common palette's references
// against it, and gives lpOut (when not null and not Stage) the header part with empty palette
// and placed lists. The stage loader and the replay loader finish with it.
void AdoptStage(cEdStage& loaded, const std::string& path, int bNewest, cEdStage* lpOut);
