// cSystemData: the project settings of a game, read from "data\System.dat" into the one global
// SystemData at start-up and only read afterwards. They hold the game's title, the front-end
// menus and fixed texts, the status-bar items, lives and ranking rules per play kind (0 story,
// 1 challenge, 2 free play, 3 replay playback), carry-over and reset flags of the save data, the
// music of the front-end screens, the 17 system sound files, colour mode and transparent colour,
// the font face, the key names and defaults of "System.ini", and behaviour switches that keep
// games made with older editor versions playing as they were made.
//
// The editor writes the file; the player never does. The file: int32 version; the raw members
// registered for that version (see RegisterMembers; 44 at 720) and the title; then fifteen lists
// in the order of the list members below, each int32 count and the elements. Files of every
// version from 113 on are read; older layouts are upgraded while they are read.
//
// Threads: written only during start-up on the main thread, before the other threads start;
// read by every thread afterwards without locks.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "project/cHudItem.h"
#include "project/cIniSetting.h"
#include "project/cMenuItem.h"
#include "project/cRankingRow.h"

struct DDSURFACEDATA;

class cSystemData : public cDataRecord {
public:
    std::string strTitle;  // the game's title (window caption, start-up dialog)

    cVector<std::uint8_t> CarryOverFlags;       // 25: group k of the character state carried between stages
    cVector<std::uint8_t> ResetFlags;           // 25: group k's carry flag cleared after a miss
    std::int32_t bExtraLifeByScore = 0;         // a life for each nExtraLifeScore of total score
    std::int32_t nExtraLifeScore = 0;           // score step of the extra lives; 0 = none
    std::int32_t bPauseHideField = 0;           // while paused only backgrounds and screen effect are drawn
    std::int32_t bFontAlphabet = 0;             // Font16 draws lower-case latin letters
    std::int32_t nFontFace = 0;                 // index into the font face table (0 to 122); checked by its user
    std::int32_t bFontCentreGlyphs = 0;         // Font16 centres each glyph in its cell
    std::int32_t bReplayEnabled = 0;            // plays are recorded and replays can be saved
    std::int32_t bKeepTestPlayFlows = 0;        // test-play-only flows are kept outside test play
    cVector<cHudItem> HudItems;                 // 5: total score, stage score, HP gauge, SP gauge, lives
    std::int32_t bTitleMenuPicture = 0;         // title menu from "bmp\GameMode.bmp" instead of labels
    cVector<cMenuItem> TitleMenuItems;          // 7: new game, continue, challenge, free, replay, options, quit
    cVector<cMenuItem> MapMenuItems;            // 4: save, autosave, back, to the title
    cVector<cMenuItem> OptionMenuItems;         // 6: the options screen's rows
    cVector<std::string> RankingEntryModes;     // 4: names of the ranking-entry modes
    std::int32_t bCarryLives = 0;               // story stages entered from the map keep the lives
    std::int32_t bStoryMissMenu = 0;            // a story miss with lives left opens the after-miss menu
    std::int32_t bMapShowLives = 0;             // the world map shows the lives
    std::int32_t nWorldCount = 0;               // worlds listed when bFixedWorldCount is set
    std::int32_t bFixedWorldCount = 0;          // the world select lists nWorldCount worlds
    cVector<std::int32_t> LivesTable;           // 4: lives at the start of a play, by play kind
    cVector<std::int32_t> UnlimitedLivesTable;  // 4: non-zero = unlimited lives (999999), by play kind
    cVector<cRankingRow> RankingRows;           // 4: ranking rule by play kind
    std::int32_t bMapShowScore = 0;             // the world map shows the selected stage's score
    std::int32_t bMenuShowTotalScore = 0;       // the world-map menu shows the total score
    std::int32_t bRetryRestoreStory = 0;        // a story retry restores the retry point's variables
    std::int32_t bPauseRetryStory = 0;          // the story pause menu offers retry on cleared stages
    std::int32_t bSelectShowHighScore = 0;      // the world select shows the high scores
    std::int32_t bSelectShowTotalScore = 0;     // the world select shows the total score
    std::int32_t bRetryRestoreChallenge = 0;
    std::int32_t bPauseRetryChallenge = 0;
    std::int32_t bRetryRestoreFree = 0;
    std::int32_t bRetryRestoreDirect = 0;  // for a stage played directly at start
    std::int32_t bFullColour = 0;          // 0: 256 colours with a palette; 1: full colour
    std::uint8_t byTransRed = 0;           // transparent colour of a full-colour game
    std::uint8_t byTransGreen = 0;
    std::uint8_t byTransBlue = 0;
    cVector<std::string> SystemSoundNames;  // 17: file names of system sounds 0 to 16
    cVector<std::int32_t> MusicTable;       // 4: Bgm index per screen (title, map, world select,
                                            // options); 0 = none; always a valid index after a load
    cVector<std::uint8_t> MusicLoopFlags;   // 4: non-zero plays the screen's music in a loop
    cVector<std::string> TextTable;         // 28: fixed texts of the front-end and stage screens
    cVector<cIniSetting> IniSettings;       // 10: keys and defaults of "System.ini" by position
    // Behaviour switches; each selects between the old and the current behaviour of the part of
    // the game that reads it (stage play, game objects, drawing).
    std::int32_t bScrollSyncVariant = 0;
    std::int32_t bResizeVariant = 0;
    std::int32_t bDefeatVariant = 0;
    std::int32_t bD3DColourVariant = 0;
    std::int32_t nCycleStep = 0;     // Direct3D colour cycling: level change per frame
    std::int32_t bPaletteCycle = 0;  // 8-bit palette cycling of entries 208 to 239
    std::int32_t bTriggerRepeat = 0;
    std::int32_t bPlacementVariant = 0;
    std::int32_t bSummonVariant = 0;
    std::int32_t bKeyMatchVariant = 0;
    std::int32_t bLandWhileRising = 0;
    std::int32_t bKeepNegativeTime = 0;
    std::int32_t bReservedSwitch = 0;  // stored and upgraded, read by nothing
    std::int32_t bStageStartVariant = 0;
    std::int32_t nD3DDepth = 0;  // Direct3D full screen at "Bpp" 0: 0 = 32 bits, 1 = 16
    std::int32_t nDDDepth = 0;   // DirectDraw full screen at "Bpp" 0: 0 = 32, 1 = 16, 2 = 8

    // Lengths that every consumer may index after a load (the lists are padded to them).
    static constexpr int kCarryGroupCount = 25;
    static constexpr int kHudItemCount = 5;
    static constexpr int kPlayKindCount = 4;
    static constexpr int kTitleMenuCount = 7;
    static constexpr int kMapMenuCount = 4;
    static constexpr int kOptionMenuCount = 6;
    static constexpr int kRankingEntryModeCount = 4;
    static constexpr int kTextCount = 28;
    static constexpr int kSystemSoundCount = 17;
    static constexpr int kMusicScreenCount = 4;
    static constexpr int kIniSettingCount = 10;

    // Registers for nDataVersion and applies the defaults (SetDefaults).
    cSystemData();
    cSystemData(const cSystemData&) = delete;
    cSystemData& operator=(const cSystemData&) = delete;

    // strTitle, then the raw members that a file of version nVersion holds, in file order.
    void RegisterMembers(int nVersion) override;
    // Reads a file opened by OpenDatLoad (nFileVersion set): the raw members and the title as
    // registered for nFileVersion (members the file lacks keep their values), the lists the
    // version holds, the upgrade of files older than 720 (Upgrade), then every list is padded to
    // the length its consumers index (PadLists) and the music indices are clamped. 1, or 0 when
    // the data do not fit the record (a count or length beyond the end of the file, more members
    // than the version registers): no upgrade then, but the lists are padded all the same.
    int Load(FILE* fp) override;
    // ClampMusicIndices, then the 720 layout: base part and the fifteen lists. The player never
    // saves the settings; this writer defines the format. 1, or 0 when a write failed.
    int Save(FILE* fp) override;

    // The contents of a new project: every raw member, the texts, menus, tables and the
    // "System.ini" keys with their defaults. Called by the constructor.
    void SetDefaults();

    // Every MusicTable entry that is not a valid index of the Bgm database (compared unsigned,
    // so negative ones too) becomes 0 (no music). Needs the databases loaded.
    void ClampMusicIndices();

    // Gives the settings read from a file of version nFromVersion (below 720) what an older game
    // needs to play as it was made: switches added later take the value of the old behaviour,
    // list entries and texts added later are inserted at their places. Each step applies when
    // nFromVersion is below the version that introduced it, in ascending order.
    void Upgrade(int nFromVersion);

    // Pads every list shorter than a new project's (the length its consumers index) with inert
    // entries: 0 values, empty texts, menu entries and ranking rows not offered, status-bar
    // items not shown, System.ini keys without name and value 0; and every ranking row's genre
    // flags to five with 0 (genre not enabled). Longer lists are kept as they are.
    void PadLists();

    // The menu operations of the screens (game thread).

    // Number of enabled ranking genres of play kind nRow: 0 when the row is not enabled, else the
    // count of non-zero genre flags. The screens offer the genre switch when it is 2 or more.
    int CountMenuItem(int nRow) const;
    // Left edge, in pixels, of a menu made of texts nFirst to nFirst + nCount - 1 of TextTable,
    // centred on x: x - (L x 16) / 2, L being the longest text in characters, plus one column for
    // the cursor when bCursor is non-zero.
    int GetMenuCenterX(int x, int nFirst, int nCount, int bCursor) const;
    // The text block of such a menu: each text followed by a line feed, each line after a blank
    // when bCursor is non-zero; nWidth and nHeight get the window box size in pixels (L x 16 and
    // nCount x 16). Empty block and zero size when nCount is not positive.
    void BuildMenuText(int nFirst, int nCount, int bCursor, std::string& block, int& nWidth, int& nHeight) const;
    // Draws that menu as one text block with Font16 in a window box at (x, y) of surface (the
    // screens pass BackBuffer), the box nWidth x nHeight of BuildMenuText. Nothing when nCount is
    // not positive. Game thread, with the fonts made.
    void DrawMenuText(DDSURFACEDATA& surface, int x, int y, int nFirst, int nCount, int bCursor) const;
    // Low-value test of gauge item nItem of HudItems for nValue out of nMax: with bWarnPercent,
    // 1 when nWarnValue >= nValue x 100 / nMax (a maximum of 0: 1 only for a negative value);
    // otherwise 1 when nValue <= nWarnValue.
    int CheckThreshold(int nItem, int nValue, int nMax) const;

private:
    int LoadLists(FILE* fp);
    // Hands a finished menu block to the 16-pixel font's window-box printer on surface.
    void PrintMenuWindow(DDSURFACEDATA& surface, int x, int y, const std::string& block, int nWidth, int nHeight) const;

    // Files of versions 221 to 259 hold one more int32 after bScrollSyncVariant; it is read here
    // and never used.
    std::int32_t nDiscardedValue = 0;
};

// The project settings of the running game.
extern cSystemData SystemData;
