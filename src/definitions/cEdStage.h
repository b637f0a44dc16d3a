// cEdStage: one playable level as the editor saves it -- a header of settings, the stage palette
// (the stage's own block, character and item templates), the objects placed at tile positions,
// the backgrounds, texts, five off-screen limits and five ranking switches. A stage file holds
// exactly one. The player keeps two: Stage, the stage being played, and StageBackup, the header
// of the loaded stage, which stage play copies back into Stage at every start of a play.
//
// Stage file, after the int32 version:
//   1. the base part: the raw members below in their order, as far as the version holds them
//      (98 at version 720), then m_strText;
//   2. m_Ranking: int32 count and the values;
//   3. the five off-screen limits, each a whole record, no count;
//   4. the stage palette: int32 count and the block records; the same for characters and items;
//   5. the placed objects: int32 count, then per block an int32 (written 0, ignored) and the
//      record; the same for characters and items;
//   6. int32 count and the backgrounds; 7. int32 count and the stage texts;
//   8. from version 173 the end code 123456789, the file's last four bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "definitions/PaletteRef.h"
#include "definitions/cEdBackground.h"
#include "definitions/cEdBlock.h"
#include "definitions/cEdChara.h"
#include "definitions/cEdItem.h"
#include "definitions/cEdOffScreenLimit.h"
#include "definitions/cEdStageString.h"

// The last int32 of every stage file from version 173 on (bytes 15 CD 5B 07).
constexpr std::int32_t kStageEndCode = 123456789;
// Files from this version on must end with the end code; older ones are not tested.
constexpr int kStageEndCheckVersion = 174;
// Files from this version on hold the end code.
constexpr int kStageEndCodeVersion = 173;

// The five off-screen limits, by what they apply to.
enum OFFSCREENLIMIT {
    OFFSCREEN_CHARA = 0,       // characters whose definition has m_bFullCell 0
    OFFSCREEN_CHARA_FULL = 1,  // characters whose definition has it set
    OFFSCREEN_ITEM = 2,
    OFFSCREEN_HERO_SHOT = 3,   // shots of the player's side (controller 0)
    OFFSCREEN_CHARA_SHOT = 4,  // shots of the computer's side
    OFFSCREEN_COUNT = 5
};

class cEdStage : public cDataRecord {
public:
    // Ranking tables a stage switches on or off.
    static constexpr int kRankingCount = 5;
    // The speed levels a stage may have: 1..10 give that many sub-steps, 11..19 the level - 10
    // with the fast speed limit, and levels above 19 that many sub-steps again, up to
    // kMaxSpeedLevel (a damaged level must neither freeze the play nor overflow the derived counts).
    static constexpr int kMinSpeedLevel = 1;
    static constexpr int kMaxSpeedLevel = 1000;

    std::string m_strText;             // kept and copied, not interpreted
    cVector<cEdBlock> m_PlacedBlock;   // blocks placed in the field (position m_nX, m_nY)
    cVector<cEdChara> m_PlacedChara;   // characters placed, the hero among them
    cVector<cEdItem> m_PlacedItem;     // items placed
    cVector<cEdBlock> m_PaletteBlock;  // the stage palette; entry 0 is the fixed default entry
    cVector<cEdChara> m_PaletteChara;
    cVector<cEdItem> m_PaletteItem;
    cVector<cEdBackground> m_Background;
    cVector<cEdStageString> m_StageString;  // kept and copied, not interpreted

    // Header, in file order (the version from which a file holds a member in brackets).
    std::int32_t m_nWidth = 0;       // field width in 32-pixel tiles
    std::int32_t m_nReserved0 = 0;   // kept, not interpreted
    std::int32_t m_nReserved1 = 0;   // kept, not interpreted
    std::int32_t m_nHeight = 0;      // field height in tiles
    std::int32_t m_bLimitLeft = 0;   // the camera's edges are limited to the columns and
    std::int32_t m_bLimitRight = 0;  // rows below (right and bottom inclusive)
    std::int32_t m_bLimitTop = 0;
    std::int32_t m_bLimitBottom = 0;
    std::int32_t m_nLimitLeft = 0;
    std::int32_t m_nLimitRight = 0;
    std::int32_t m_nLimitTop = 0;
    std::int32_t m_nLimitBottom = 0;
    std::int32_t m_nFps = 60;          // frames per second of the play
    std::int32_t m_bTimeLimit = 0;     // the play has a time limit
    std::int32_t m_nTimeLimit = 200;   // seconds
    std::int32_t m_nTimeWarning = 20;  // system sound 13 each second while at most this is left
    std::int32_t m_bAutoScrollX = 0;   // 0 the camera follows the hero, 1 it scrolls by itself
    std::int32_t m_bAutoScrollY = 0;
    std::int32_t m_nAutoScrollSpeedX = 0;  // tenths of a pixel per frame
    std::int32_t m_nAutoScrollSpeedY = 0;
    double m_dGravity = 0.4;              // pixels per frame squared
    std::int32_t m_nSpeedLevel = 10;      // 1..kMaxSpeedLevel (SetSpeedLevel)
    std::int32_t m_nContactLevel = 0;     // contact checks in 0 every sub-step, 1..5 that many
    std::int32_t m_nBgm = 0;              // Bgm database entry; 0 stops the music
    std::int32_t m_bBgmLoop = 0;          // the music loops (166)
    std::int32_t m_bBgmKeep = 0;          // the same music already playing keeps running (199)
    std::int32_t m_bDrawByPriority = 1;   // objects drawn in eight passes by display priority
    std::int32_t m_bTakeOverHero = 0;     // the hero takes over the carried state at the start
    std::int32_t m_bHandOverHero = 0;     // the hero's state is stored at the clear
    std::int32_t m_bShowHud = 1;          // the heads-up display is drawn (183)
    std::int32_t m_bSkipResults = 0;      // no results or ranking at the clear (184)
    std::int32_t m_bStartBanner = 0;      // the stage-number banner at the start
    std::int32_t m_bReadyBanner = 1;      // the second banner at the start (225)
    std::int32_t m_bClearCaption = 1;     // the stage-clear caption
    std::int32_t m_bGameOverCaption = 1;  // the game-over caption

    // Rectangle settings, pixels inside the 32-pixel cell; alignments 0 centred, 1 bottom.
    std::int32_t m_nHeroBodyW = 16, m_nHeroBodyH = 24;        // (200)
    std::int32_t m_nHeroBodyFlyW = 16, m_nHeroBodyFlyH = 16;  // (200)
    std::int32_t m_nHeroCharaRangeW = 16, m_nHeroCharaRangeH = 24;
    std::int32_t m_nHeroCharaRangeFlyW = 16, m_nHeroCharaRangeFlyH = 16;  // (155)
    std::int32_t m_nHeroShotRangeW = 12, m_nHeroShotRangeH = 8;
    std::int32_t m_nHeroRect4W = 16, m_nHeroRect4H = 16;
    std::int32_t m_nHeroBodyAlign = 1, m_nHeroBodyFlyAlign = 0;              // (200)
    std::int32_t m_nHeroCharaRangeAlign = 1, m_nHeroCharaRangeFlyAlign = 0;  // (155)
    std::int32_t m_nHeroShow0 = 0;                                           // (200) 0 hidden, 1 shown, 2 frame
    std::int32_t m_nHeroShow1 = 0, m_nHeroShow2 = 0, m_nHeroShow3 = 0;
    std::int32_t m_nHeroColor0 = 0;  // (200) colours 0..7
    std::int32_t m_nHeroColor1 = 0, m_nHeroColor2 = 0, m_nHeroColor3 = 0;
    std::int32_t m_nCharaBodyW = 16, m_nCharaBodyH = 24;        // (200)
    std::int32_t m_nCharaBodyFlyW = 16, m_nCharaBodyFlyH = 16;  // (200)
    std::int32_t m_nCharaCharaRangeW = 12, m_nCharaCharaRangeH = 24;
    std::int32_t m_nCharaCharaRangeFlyW = 12, m_nCharaCharaRangeFlyH = 16;  // (155)
    std::int32_t m_nCharaShotRangeW = 30, m_nCharaShotRangeH = 30;
    std::int32_t m_nCharaBodyAlign = 1, m_nCharaBodyFlyAlign = 0;              // (200)
    std::int32_t m_nCharaCharaRangeAlign = 1, m_nCharaCharaRangeFlyAlign = 0;  // (155)
    std::int32_t m_nItemW = 28, m_nItemH = 28;
    std::int32_t m_nHeroShotW = 16, m_nHeroShotH = 16;            // shot-versus-character range
    std::int32_t m_nHeroShotParam0 = 16, m_nHeroShotParam1 = 16;  // kept, not interpreted
    std::int32_t m_nCharaShotW = 16, m_nCharaShotH = 16;
    std::int32_t m_nCharaShotParam0 = 16, m_nCharaShotParam1 = 16;  // kept, not interpreted
    std::int32_t m_nRectFlag = 1;                                   // kept, not interpreted

    // Stage play adds 640 to each for the field bounds of the off-screen test.
    std::int32_t m_nFieldWidthPx = 0;
    std::int32_t m_nFieldHeightPx = 0;
    // Derived from the speed level by SetSpeedLevel; stored, but recomputed before every use.
    std::int32_t m_nSubSteps = 0;       // sub-steps b of a frame
    double m_dSubSteps = 0.0;           // b
    double m_dSubSteps2 = 0.0;          // b x b
    double m_dMaxSpeed = 0.0;           // speed limit, pixels per frame
    double m_dSubGravity = 0.0;         // gravity per sub-step squared
    double m_dSubMaxSpeed = 0.0;        // speed limit per sub-step
    std::int32_t m_nSubSteps8 = 0;      // 8b
    std::int32_t m_nContactFlag = 1;    // switch of the contact checks and the nearest search
    std::int32_t m_nHeroInvSame = 30;   // invincibility frames: against the same attacker,
    std::int32_t m_nHeroInv = 0;        // after any hit; for the hero, then for the computer's
    std::int32_t m_nCharaInvSame = 30;  // characters (multiplied by m_nSubSteps in play)
    std::int32_t m_nCharaInv = 0;

    cVector<std::int32_t> m_Ranking;                 // per ranking table: 1 on, 0 off
    cEdOffScreenLimit m_OffScreen[OFFSCREEN_COUNT];  // by OFFSCREENLIMIT

    // Not stored.
    std::int32_t m_nTenthSteps = 0;  // 6b: sub-steps in a tenth of a second
    std::string m_strPath;           // the file LoadStage read last (or the replay's)
    std::int32_t m_bNewest = 0;      // bNewest of the last LoadStage
    std::int32_t m_bLoaded = 0;      // 1 once the loader read the file

    // Registered for the current data version and Reset.
    cEdStage();
    cEdStage(const cEdStage&) = delete;
    cEdStage& operator=(const cEdStage&) = delete;

    // The text, then the raw members a file of version nVersion holds, in file order.
    void RegisterMembers(int nVersion) override;
    // A new stage: header defaults, no placed objects, one default entry per palette list, one
    // background filling the screen with palette colour 16, five ranking switches on, the
    // off-screen limits of a new stage.
    void Reset();
    // Reads the parts after the version (see above), upgrades older files and Normalizes. Every
    // count and read is checked: 1, or 0 when the file does not fit a stage (truncated, a count
    // the file cannot hold, a wrong end code from version 174). A stage refused this way is left
    // half read: callers read into a scratch stage (LoadStage).
    int Load(FILE* fp) override;
    // Normalize, then writes the stage file parts. 1, or 0 when a write failed.
    int Save(FILE* fp) override;
    // The stage part of a replay: this stage's palette and placed objects with the header,
    // limits, ranking switches, backgrounds and texts of header (StageBackup), after Normalize
    // on this stage. 1, or 0 when a write failed.
    int SaveForReplay(FILE* fp, cEdStage& header);

    // The repair after every load and before every save: the speed level within 1..19 and the
    // derived constants; camera limits at most size - 20 (- 15 vertically) and size - 1;
    // the music index within the Bgm table; exactly five ranking switches; each palette list at
    // least two entries; every palette entry's and placed object's references against this
    // stage's palette and the common palette. Returns 1.
    int Normalize();
    // Stores the level and derives the sub-steps and speed limits from it (see the .cpp). Stage
    // play calls it at every set-up.
    void SetSpeedLevel(int nLevel);

    // Index in m_PlacedChara of the first character controlled by the player (m_nController 0)
    // with a graphic (m_nGraphic not 0); -1 when there is none.
    int FindHero() const;
    // 1 when FindHero finds one.
    int HasHero() const;

    // Copies the header part of source: the raw members and the text, the backgrounds, texts,
    // off-screen limits and ranking switches. The placed objects and the palette stay.
    void CopyHeader(cEdStage& source);
    // Takes everything stored, and m_nTenthSteps, from loaded: the header is copied, the lists are
    // exchanged (loaded then holds this stage's old lists, to be destroyed with it). LoadStage
    // uses it to put a fully read stage in place.
    void TakeContents(cEdStage& loaded);

    // This stage's palette lists, for palette scopes.
    PALETTELISTS PaletteLists();

private:
    int LoadRanking(FILE* fp);
    int LoadPlaced(FILE* fp);
    int LoadTail(FILE* fp);
    void Upgrade(int nFromVersion);
    // Parts 1-8 with the header parts taken from header.
    int SaveParts(FILE* fp, cEdStage& header);
    void RepairReferences();
};

// The stage being played, and the header part of the stage LoadStage read last.
extern cEdStage Stage;
extern cEdStage StageBackup;

// The background and stage text readers: int32 n (checked against the bytes left), then n new
// elements (a background as cEdBackground::Reset makes it), each read by the base Load. 1, or 0
// when the count or an element does not fit the file.
int LoadBackgroundList(cVector<cEdBackground>& list, FILE* fp);
int LoadStageStringList(cVector<cEdStageString>& list, FILE* fp);
