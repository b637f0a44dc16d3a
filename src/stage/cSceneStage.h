// cSceneStage: the stage-play screen (scene id 4). It plays one stage from the fade-in to the
// stage end as eight states: fade-in, start banners, play, pause menu, stage clear, miss menu,
// game over and fade-out. The scene manager creates it when the stage becomes the current screen
// and deletes it when another screen does; while it exists, lpSceneStage points to it.
//
// Two kinds of work leave the game thread's frame loop: the blocking commands and the extra-life
// popup run WaitLoop on thPause, and the ranking display runs RankingLoop on RankingThread. The
// game thread starts the worker and waits for it, so the stage has one user at a time and no lock
// is taken. A close during either loop ends it through its message queue (WM_QUIT), never by
// killing the thread.
//
// Threads: the game thread; WaitLoop and RankingLoop on their workers while the game thread waits.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include <list>

#include "definitions/cEdBlock.h"
#include "objects/IFlowStage.h"
#include "objects/IStageCommands.h"
#include "objects/ISummonStage.h"
#include "objects/cStageField.h"
#include "objects/chara/cChara.h"
#include "screenbase/cScene.h"
#include "sound/SoundEffects.h"
#include "stage/StageSummons.h"
#include "stage/WAITINFO.h"
#include "stage/cReplayKeys.h"
#include "stage/collision/GroupGrids.h"
#include "stage/collision/cBlockCharaIndex.h"
#include "stage/draw/SCREENCOLOR.h"

class cEdItem;
class cItem;
class cPlayer;
class cSaveData;
struct DDSURFACEDATA;

// One block-map cell to draw: its StageMap index and its top-left on the screen.
struct MAPCELLDRAW {
    int nCell = 0;
    int x = 0;
    int y = 0;
};

// States of the screen (m_nState).
constexpr int STAGESTATE_FADEIN = 0;
constexpr int STAGESTATE_START = 1;
constexpr int STAGESTATE_PLAY = 2;
constexpr int STAGESTATE_PAUSE = 3;
constexpr int STAGESTATE_CLEAR = 4;
constexpr int STAGESTATE_MISS = 5;
constexpr int STAGESTATE_GAMEOVER = 6;
constexpr int STAGESTATE_FADEOUT = 7;
constexpr int kStageStateCount = 8;

// Frames a start banner is shown (the frame it reaches 80 shows the next one).
constexpr int kBannerFrames = 80;
// Banner count of the stage-clear display at which a key (or auto advance) may leave it, and the
// count added per frame while the clear caption slides in.
constexpr int kClearDisplayEnd = 200;
constexpr int kClearCaptionStep = 4;
// Entries of the ranking tables a play can reach a place in.
constexpr int kRankTables = 5;

// Results of the collision passes against the map, the screen and the block characters.
constexpr int COLLIDE_ON = 0;     // the object goes on
constexpr int COLLIDE_KILLS = 2;  // the object is killed (crushed, pushed out, touched)

// How one picture of the stage is drawn (cSceneStage::Draw).
struct STAGEDRAWMODE {
    int bFromPlay;    // called by the play step (the pause's hide-the-field rule applies only without)
    int bFreeze;      // objects drawn without advancing their animations
    int bTimerSound;  // the time counter may play its warning
    int bMessage;     // the direct-play or test-play line is drawn
};
// The play frame's picture, and the frozen picture under the other states' banners and menus.
constexpr STAGEDRAWMODE kDrawPlaying{1, 0, 1, 1};
constexpr STAGEDRAWMODE kDrawFrozen{0, 1, 0, 1};
// The frozen picture with the direct-play or test-play line only where bMessage (0 or 1) asks.
constexpr STAGEDRAWMODE FrozenDrawMode(int bMessage)
{
    STAGEDRAWMODE mode = kDrawFrozen;
    mode.bMessage = bMessage;
    return mode;
}

// Entries of the project text table used by the menus.
constexpr int TEXT_PAUSE_FIRST = 19;  // quit, continue, retry
constexpr int TEXT_MISS_FIRST = 22;   // retry, back to the map
constexpr int kMenuY = 272;
constexpr int kMenuPitch = 16;

class cSceneStage : public cScene, public cStageField, public IFlowStage, public ISummonStage, public IStageCommands {
public:
    // Empty containers, the state table, the reserved wait field 0, m_bQuit 0, the stage music
    // of the save data 0, state -1. The play seed is taken from the millisecond clock here, so
    // each entry into the screen starts from a defined seed (see SetStage for when it changes).
    cSceneStage();
    // Clears lpSceneStage and the objects' lpStageField when they point here.
    ~cSceneStage() override;

    // One frame: Init on the first one (a thrown text is traced and closes the program; the
    // screen starts all the same), then the current state's function.
    void Main() override;
    // Entering the screen: ranking vectors sized, ResetStage on a first entry, SetStage, cursor
    // reset, sub-state 0.
    void Init() override;
    // State 0 and state 7.
    void FadeIn() override;
    void FadeOut() override;

    // The states 1 .. 6.
    void Start();
    void Play();
    void Pause();
    void Clear();
    void Miss();
    void GameOver();

    // First entry into stage play from another screen: lives, totals, counters and replays reset.
    void ResetStage();
    // Puts the stage into its starting condition (see SetStage.cpp). bRestart: a retry or a
    // restart after a stage end; bMusic: the stage music may be requested again.
    void SetStage(int bRestart, int bMusic);

    // Space down (high bit of GetAsyncKeyState): sound 4, the state and sub-state saved, 1. The
    // caller then enters the pause menu. Else 0.
    int CheckPauseKey();
    // The replay save keys (F1 this play, F2 the previous one): 1 when a save request was served
    // and the caller ends its frame, else 0.
    int CheckReplayKey();
    // The end of the fade-out: the screen goes to the next scene (a replay playback that leaves
    // the stage gives the player's save data back).
    void LeaveForNextScene();
    // The pause menu's entries: 3 when retrying is allowed in this play kind, else 2.
    int PauseMenuEntries() const;

    // Fills m_Wait (see WAITINFO::Set).
    void SetWaitMode(int mode, int waitKey, int count, int noDelay);
    // Runs m_Wait as a nested frame loop on thPause and waits for it. bHandshake: the message
    // command and the extra-life popup also post 0x8000 until the thread takes it, and after the
    // wait either close the program (m_bQuit set) or wait for the application to be active.
    void RunWait(bool bHandshake);
    // Runs the ranking display on RankingThread and waits for it.
    void RunRanking();
    // Thread procedures (argument: the screen). Both return 1; WaitLoop returns 0 at once when
    // m_bQuit is already set.
    static unsigned WaitLoop(void* lpParam);
    static unsigned RankingLoop(void* lpParam);

    // True while the set-up of the stage failed: no play state runs until the close arrives.
    bool IsFailed() const { return m_bFailed; }
    // Enters the stage-clear state (the end of a cleared stage calls it). During SetStage (a
    // character killed by trigger 18 can clear the stage) the state is only noted and entered
    // once SetStage's caller has chosen its own state, so the clear is not lost.
    void EnterClearState();
    // The state a (re)start enters after SetStage: nState, or the stage clear noted during it.
    void EnterStateAfterSetUp(int nState);

    int m_nSavedState = 0;  // state and sub-state the pause menu returns to
    int m_nSavedSubState = 0;
    WAITINFO m_Wait;              // the nested wait being run
    std::atomic<int> m_bQuit{0};  // close request while a nested loop runs (main thread sets it)
    int m_nPlayerCount = 1;
    std::vector<int> m_SubStepCheck;  // per sub-step: 1 when shots are tested against characters
    int m_nTime = 0;                  // seconds left (0..999)
    int m_bNoTimeLimit = 0;
    int m_nPlayFrames = 0;     // frames of play
    int m_nPlayTime = 0;       // play time in hundredths of a second
    int m_nBannerCount = 0;    // start banners
    int m_nBannerCount2 = 0;   // second start banner; the stage-clear display uses m_nBannerCount
    unsigned int m_nSeed = 0;  // random seed of this play
    int m_bButtonLatch = 0;    // buttons are discarded in play until all are released
    int m_nFps = 0;            // frames per second, copied in by the scene manager
    int m_nFrame = 0;          // play frames since set-up
    int m_nNextStage = 0;      // next stage of a numbered world set by the stage-clear command
    int m_bNewRank = 0;
    std::vector<int> m_RankReached;  // place reached per ranking table, -1 none
    std::vector<int> m_RankValue;
    int m_bRankEntered = 0;
    std::string m_RankName;
    int m_nStageFlag = 0;   // the stage's HUD flag, copied at the end of SetStage
    int m_nMenuX = 0;       // left edge of the pause or miss menu
    int m_bEraseChara = 0;  // off-screen erasing of characters, block characters and items
    int m_bEraseBlockChara = 0;
    int m_bEraseItem = 0;
    int m_bDrawInWait = 0;     // 1 while a nested wait draws the frame (text objects count apart)
    cReplayKeys m_ReplayKeys;  // F1/F2 save requests of this screen entry

    // Set-up of the field (StagePopulation.cpp).

    // The group of one placed character: each member built in place at the tile's centre plus
    // its group offset; members outside the field are dropped and use no object number. Returns
    // the members made.
    int SpawnPlacedChara(std::list<cChara>& list, int nColumn, int nRow, int& nCounter, const cEdChara& def,
                         const cItem* held = nullptr);
    // The per-sub-step flag pass: the player active and in view, the link flags cleared, each
    // character's existence, view, appearance and acting flags.
    void UpdateObjectFlags();
    // Summons (StageSummons.cpp), called by the summon command.

    // A block at world position (x, y): its cell is the one under (x + 16.5, y + 16.5). Refused
    // (0) for a cell outside the field and for a protected cell. Erasing empties the cell; a
    // toggle empties a cell holding a block and fills an empty one, each cell at most once per
    // launch (m_SummonedCells); placing writes the block and returns CheckSummonedBlockOverlap
    // (with a cancel flag set, a placing it cancels is undone). The value nUnused is not used.
    int SummonBlock(double x, double y, int nUnused, const BLOCKSUMMONPARAMS& params, const cEdBlock& block);
    // After a block was written into cell (column, row of the field): every player it covers
    // and for whom it is solid is spared the crush tests for two flow runs; 1 when a player (with
    // bCancelOnPlayer) or an active character (with bCancelOnChara) is covered.
    int CheckSummonedBlockOverlap(int nCell, int nColumn, int nRow, const BLOCKSUMMONPARAMS& params);
    // Once per sub-step while the player lives: summoned characters and items with a limited
    // lifetime lose one sub-step; those whose lifetime fell below 0 are erased.
    void CountDownLifetimes();
    // A character group summoned at (x, y) in pixels of the stage (the field adds 320): placed
    // like a placed group, with the given faction and direction, no held item, its score 0 when
    // bNoScore; a member whose place is blocked is removed again, the others live nLifetime
    // sub-steps (kUnlimitedLife: for ever) and join their faction group. Returns the members
    // made. The summon command passes CharaList and m_nCharaId.
    int SummonChara(std::list<cChara>& list, double x, double y, int nFaction, int nDirection, int bNoScore,
                    const cEdChara& def, int& nCounter, std::int32_t nLifetime = kUnlimitedLife);
    std::vector<int> m_SummonedCells;  // cells toggled by the current launch of a toggle summon
    // The summon commands' requests (ISummonStage, StageSummonLaunch.cpp).
    void BeginBlockSummon() override;
    void SummonBlockAt(double x, double y, int nOwnerFacing, const cEdShot& def, const cEdBlock& block) override;
    void SummonCharaAt(double x, double y, int nFaction, int nFacing, int nOwnerFacing, const cEdShot& def,
                       const cEdChara& chara) override;

    // The block-map cell's condition list (see cStageField).
    int CheckBlockCond(MAPCELL& cell) override;
    // What the flows ask of the stage (see IFlowStage): m_nTime and m_bNoTimeLimit.
    int FlowTimeLeft() const override { return m_nTime; }
    int FlowHasNoTimeLimit() const override { return m_bNoTimeLimit; }
    void SetFlowTimeLeft(int nSeconds) override { m_nTime = nSeconds; }

    // Collision with the block map (MapCollision.cpp). Each takes the player or a stage
    // character; results are COLLIDE_ON or COLLIDE_KILLS (the map kills the object). An object that flies
    // through blocks is never touched. Game thread.
    // Horizontal pass after the x move: the side the speed points to first.
    int CollideMapX(cCharaBase& obj);
    // Vertical pass after the y move: clears the floor cell, the floor first when falling.
    int CollideMapY(cCharaBase& obj);
    // The squeeze checks after the block characters: right then left; floor then ceiling.
    int CollideMapXBoth(cCharaBase& obj);
    int CollideMapYBoth(cCharaBase& obj);
    int CollideLeft(cCharaBase& obj);
    int CollideRight(cCharaBase& obj);
    int CollideFloor(cCharaBase& obj);
    int CollideCeiling(cCharaBase& obj);
    // The map cell index of the most solid point along a vertical (x1 == x2) or horizontal
    // (y1 == y2) edge in world pixels, scale + 1 points; cCharaBase::kNoCell outside the map.
    int FindEdgeCell(const cCharaBase& obj, int x1, int y1, int x2, int y2);
    // The player's floor probe: an odd number of points, the one nearest the middle wins a tie.
    int FindFloorCellCentred(const cCharaBase& obj);
    // The most solid of the four corner cells of a cell rectangle (columns and rows).
    int FindCornerCell(int nLeft, int nTop, int nRight, int nBottom, int nFaction);
    // Keep the player on the screen while that camera axis auto-scrolls or the player flies;
    // the vertical one gives COLLIDE_KILLS when a walking player is pushed off the bottom.
    void ClampPlayerToScreenX(cPlayer& player);
    int ClampPlayerToScreenY(cPlayer& player);
    // 1 when a summoned or warped character's box meets a solid cell or a block character.
    int IsPlaceBlocked(cCharaBase& chara);
    // 1 when the box meets an active, living block character other than itself.
    int OverlapsBlockChara(const cCharaBase& chara, std::list<cChara>& list);

    // The block characters against a walking or flying object (BlockCharaCollision.cpp): the
    // object lands on one (its foothold), is kept under one, is pushed out sideways; 2 when it is
    // crushed or, killed by blocks, touches one (COLLIDE_KILLS, else COLLIDE_ON). Block characters are told apart from
    // the object by object number. Game thread.
    int CollideBlockCharas(cCharaBase& obj, std::list<cChara>& list);
    // Carries a walking object along with the foothold's move since the last sub-step; 0.
    int RideFoothold(cCharaBase& obj, std::list<cChara>& list);
    // Resolves the overlaps with block characters along one axis (bVertical 1: up and down).
    void PushOutOfBlockCharas(cCharaBase& obj, std::list<cChara>& list, int bVertical);
    // 1 when the foothold lies within 5 pixels under the object's feet.
    int IsOnFoothold(const cCharaBase& obj);
    // The first block character within 5 pixels under the feet, or null (not kept).
    cChara* FindFootholdBelow(const cCharaBase& obj);
    // 1 when each corner of the box (now or as it was: x, y, right, bottom) lies in a block
    // character other than the object.
    int IsEnclosedByBlockCharas(const cCharaBase& obj, const double earlier[4]);
    // 1 when a block character other than the object and the one numbered nKey overlaps it.
    int OverlapsOtherBlockChara(const cCharaBase& obj, std::list<cChara>& list, int nKey);

    // Condition lists and floor blocks (ConditionLists.cpp). Game thread.

    // A stage character exists while its condition list holds (an empty list holds; with the
    // once option a list that held once holds for good). 1 holds.
    int CheckCharaCond(cChara& chara);
    // An item lies in the stage while its condition list holds, tested on the player.
    int CheckItemCond(cItem& item);
    // The item a solid floor block carries, given to a player standing on it at most once per 60
    // frames while it stays on the same block; 0, 1 or 2.
    int TakeFloorBlockItem(cPlayer& player);
    // Every item: active and in view while its conditions hold, else neither.
    void UpdateItemFlags();
    // A placed item: set up free on its tile plus its pixel offsets, kept when inside the stage.
    void SpawnPlacedItem(std::list<cItem>& list, int nColumn, int nRow, int& nCounter, const cEdItem& def);
    // The movement effect of the block the player stands on: jump pad, no jumping, speed factor
    // or conveyor, re-armed every frame while the player stays on it. Always 0.
    int ApplyFloorBlockEffect(cPlayer& player);

    // Collision between factions and deaths (GroupCollision.cpp, StageDeaths.cpp). Outcomes: 0
    // play goes on, 1 the stage is cleared, 2 the player has died.
    // Once per sub-step: shots against characters, characters against characters, shots against
    // shots, each pair of different factions. Deaths only mark the characters dying; nothing is
    // erased from the lists it walks.
    int CollideGroups(std::list<cChara>& list);
    // Shots against characters runs in this sub-step (its m_SubStepCheck entry is 1).
    bool ShotCheckThisSubStep() const;
    // First phase: every shot against the characters of the other factions, group by group;
    // 0, 1 or 2.
    int CollideShotsWithCharas();
    // Second phase: the characters of every two factions touching each other; 0, 1 or 2.
    int CollideCharasWithCharas();
    // The touching pairs of groups i and j (i < j) in the walk's order, each met with
    // CharasMeet; 0, 1 or 2.
    int MeetContactPairs(int i, int j);
    // Two characters of different factions meeting: touch triggers, the body blows both ways,
    // then the deaths; 0, 1 or 2.
    int CharasMeet(cCharaBase& n, cCharaBase& p);
    // One shot meeting one character: trigger, damage, death, piercing and the carried item;
    // usedUp is set when a non-piercing shot spent itself on the character.
    int ShotMeetsChara(cShot& shot, cCharaBase& chara, bool& usedUp);
    // Last phase: shots of different factions that may shoot each other down.
    void CollideShotsWithShots();
    // Every shot of groupJ against every shot of groupK (kCanClash: groupK holds a shot that can
    // be shot down or shoot down).
    void ClashGroups(SHOTGROUP& groupJ, SHOTGROUP& groupK, bool kCanClash);
    // The player against the items lying in the stage; 0, 1 or 2.
    int CheckItemContacts(cPlayer& player);
    // A character whose HP fell to 0: the hero gives 2; a character already dying 0; any other
    // dies (Die's result: 1 when the stage has ended).
    int ResolveDeath(cCharaBase& chara);
    // ResolveDeath, then the stage end (1) or the player's death (2); its outcome.
    int KillChara(cCharaBase& chara, std::list<cChara>& list);
    // The death check after commands changed HP: the player's death, then the vanished and the
    // defeated characters. 1 when the play step must stop.
    int CheckDeaths();
    // Entering the stage-clear state: sound 14, the totals, the ranking places reached.
    void EndStage();

    // What the flow, stage and message commands reach (StageCommandHost.cpp).
    void SetNextStage(int nStage) override { m_nNextStage = nStage; }
    int PlayFrameCount() const override { return m_nFrame; }
    int IsQuitting() const override { return m_bQuit.load(); }
    void RunCommandWait(int nMode, int bWaitKey, int nCount, int bNoDelay, bool bHandshake) override;
    void ViewRangeChanged() override { CreateHeroViewMask(); }

    // The stage end (StageEnd.cpp).

    // Once per play frame: m_nPlayFrames + 1 and m_nPlayTime = frames x 100 / 60 hundredths,
    // both stopping at 599999 (99:59.99).
    void CountPlayTime();
    // With a time limit, once every 60 play frames: m_nTime += nStep, at most 999; 1 when it
    // reached 0 (kept at 0), else 0.
    int CountTimeLimit(int nStep);
    // A life is used: 1 when play goes on (direct play and unlimited lives use none; a death
    // with 1 life left goes on with 0), 0 for game over.
    int ConsumeLife(cSaveData& save);
    // At the stage end: the stage score, time left (with a limit), play time and the hero's HP
    // and SP are added to the run's totals; each multiple of the extra-life score step that the
    // run score passed gives a life (at most 99; never with unlimited lives) with sound 15 and a
    // 30-frame wait. Returns the lives announced.
    int AddStageTotals();
    // The file of stage nNumber of the numbered world being played ("base-N.stg4", newest
    // numbered variant): 1 when it exists; out empty and 0 otherwise, also outside a numbered
    // world and when no next stage was set.
    int MakeNextStageFileName(std::string& out, int nNumber);
    // 1 when stage nNumber of the world does not exist.
    int IsLastStage(int nNumber);
    // After the stage-end display: carries the hero's state when the stage says so and chooses
    // the next screen by game mode (SCENE_TITLE, SCENE_WORLDMAP, SCENE_WORLDSELECT or
    // SCENE_STAGE), loading the next stage of a numbered world into StageBackup.
    int FinishStage();
    // The end of the player's death animation: replay restarts; otherwise a life is used (game
    // over without one), the retry point is restored and the miss menu or a retry follows.
    void EndPlayerDeath();
    // The stage drawing (StageDraw.cpp, StageBackdrop.cpp, StageHud.cpp, StageResources.cpp).

    // One picture of the stage into the back buffer, as mode says (kDrawPlaying, kDrawFrozen).
    void Draw(const STAGEDRAWMODE& mode);
    // One priority pass: the player, items, characters, shots of priority nPriority (of all
    // priorities without bPriorities).
    void DrawPass(int nPriority, bool bPriorities, int bFreeze);
    void DrawPlayer(int bFreeze);
    // 1 when the character's death animation has ended and it must be erased.
    int DrawChara(cChara& chara, int bFreeze);
    // The message flag of the frozen drawing of the states other than play: 0 for a stage-clear
    // display waiting for a manual ranking entry, else 1.
    int FrozenMessageLine() const;
    // The banners, menus and captions of the states around play, over the frozen stage, from the
    // counters the state's step left (StageStateDraw.cpp).
    void DrawStateOverlay();
    // The frozen stage with its message line, then the state's overlay: what a state around play
    // draws on a frame that its step did not end early.
    void DrawFrozenState();
    void DrawStartBanner();
    void DrawClearDisplay();
    // The text table entry of the message line: 26 in direct play, 25 in test play, else -1.
    int MessageLineText() const;
    void DrawMessageLine(DDSURFACEDATA* target);
    // One frame of the ranking display: the frozen stage and the selected genre's table at
    // (184, 64) with the place this play reached in it.
    void DrawRankingDisplay();
    // The auto-scrolling backgrounds move on by one frame (x offset -= speed, wrapped into the
    // picture's width; y likewise). A background without a picture does not move.
    void ScrollBackgrounds();
    // The backgrounds of layer nLayer (0 behind the field, 1 in front), tiled from the camera's
    // position; layer 0 without any visible background, or with nothing drawn, is filled with
    // palette entry 16. A background whose picture failed to load is skipped.
    void DrawBackground(DDSURFACEDATA* target, int nLayer);
    // The cells of layer nLayer in the 21 x 16 cells under the camera that are inside the field,
    // have a graphic, are not hidden and whose condition list holds, with their screen positions.
    std::vector<MAPCELLDRAW> VisibleMapCells(int nLayer);
    void DrawMap(DDSURFACEDATA* target, int nLayer);
    // The status bar of the shown HUD entries (only with the stage's HUD flag).
    void DrawStatusBar(DDSURFACEDATA* target);
    // The 3-digit time counter at (272, 24); with bSound, sound 13 at each new second while 1 to
    // the stage's warning seconds are left. Nothing without a time limit.
    void DrawTimeLimit(DDSURFACEDATA* target, int bSound);
    // The 32-pixel icon sheets (slots 63 and 64) rebuilt from the 16-pixel shot sheets (slots 20
    // and 21): every 16 x 16 cell centred in a 32 x 32 cell.
    void BuildIconSheets();
    // The stage's pictures: the background slots 55 + i named after the stage's picture
    // backgrounds (emptied for the others); with a drawing back-end, the built-in slots loaded
    // (only the backgrounds for bRestart, else every slot a stage uses, then the icon sheets and
    // the three bitmap caches). false, with WM_CLOSE posted, when a needed picture failed.
    bool LoadStagePictures(bool bRestart);
    // The bitmap caches of Bmp_CharaExc, SwordType and Effect (see objects/StageBitmaps.h): the
    // old surfaces released, then every entry's surfaces; a bitmap that fails writes one trace
    // line and stays empty.
    // The hero's view mask (slot 65) and view shape (slot 66), made again: a
    // (1280 + 2r) x (960 + 2r) mask of palette entry 16 with a transparent hole in its centre,
    // a disc of radius r for the shapes 1 and 2, a 2r-square for the others; r is the hero's
    // view range kept within 0..kMaxViewMaskRadius, so that game data cannot ask for a surface
    // of any size. false, after the out-of-memory box (which closes the program), when a surface
    // could not be made.
    bool CreateViewMask(DDSURFACEDATA* mask, DDSURFACEDATA* shape);
    // CreateViewMask of slots 65 and 66 for a hero with a limited view (shapes 1..4), when a
    // drawing back-end is open; true otherwise.
    bool CreateHeroViewMask();
    // Drawing goes straight to the back buffer again (the virtual back buffer off, its picture
    // flushed first), as at the end of a screen effect: the end of the stage set-up, so that an
    // effect cut short by a restart does not keep it on.
    void LeaveVirtualBackBuffer();
    void LoadStageBmp();
    // Releases and empties the three bitmap caches (the screen's destructor).
    static void ReleaseStageBitmaps();
    void LoadSwordBmp();
    void LoadEffectBmp();

    // The screen-colour command (StageScreenColor.cpp): starts a tint, a flash or the way back
    // (see SCREENCOLOR::Start). 0 when a restore finds nothing tinted.
    int SetScreenColor(const int p[8]);
    // Applies the tint to this frame's picture; with bDrawOnly (frozen states) without moving it
    // on and, under DirectDraw, without touching the palette.
    void DrawScreenColor(int bDrawOnly);
    SCREENCOLOR m_ScreenColor;  // reset by every set-up

    // The ranking entry (RankingEntry.cpp). Nothing (0) when rankings are off for the play, no
    // place was reached or the entry was made already. Otherwise the name (the option's fixed
    // name, or the one entered last, offered in the shell's dialog and kept), sound 16, the
    // results inserted into every table with a place reached, the ranking file saved once, the
    // ranking display run; 1.
    int EntryRanking();
    // The shell's registration option, 0..3 (0 without a shell).
    int RankingMode() const;
    // A place was reached in at least one table.
    bool RankReached() const;
    // The set-up's music request: the stage's music when it differs from the stage music playing;
    // with bMusic also when it is the same, unless the stage keeps it (music 0 is sent again
    // either way).
    void RequestStageMusic(bool bMusic);
    // Stores nFlag as the stage music's loop flag and asks the main window (synchronously) to
    // play Bgm entry nBgm in the stage music slot.
    void PlayBgm(int nBgm, int nFlag);

private:
    // The menu of the pause state: entries from TEXT_PAUSE_FIRST. 1 when a button decided or
    // cancelled (the frame ends without drawing), else 0.
    int RunPauseMenu(int nEntries);
    // The menu of the miss state; 1 when a button decided (the frame ends without drawing).
    int RunMissMenu();
    // The logic of the start banners (state 1), between the frozen stage and the banner.
    void StartStep();
    // The logic of the stage-clear display; 1 when the frame ends without drawing (the pause
    // menu opened, a replay key acted, or the display advanced to the next screen).
    int ClearStep();
    // The end of a wait on the game thread, after RunWait's thread has ended.
    void AfterWait(bool bHandshake);
    // The play kind's retry rule of the pause menu.
    bool RetryAllowed() const;
    // SetStage's parts.
    void ClearObjects();
    void TakeSeed();
    void ResetCamera();
    void SetupCamera();
    bool BuildMap();
    bool SpawnPlayer();
    void SpawnPlacedObjects();
    void BuildFactionGroups();
    bool BuildField();
    void FireStartTrigger();
    void ResetCounters();
    void StartPlayerAnimation();
    // The play frame's parts (PlayFrame.cpp). Each returns false when the frame ends.
    bool ReadPlayInput();
    bool RunSubStep(int k);
    bool StepCharas(bool bBlockCharas);
    bool StepPlayer();
    // The block characters and the squeeze checks of the player's sub-step.
    bool StepPlayerSqueeze(cPlayer& player);
    void EraseOffScreen();
    // The player dies: the label (if any) to the trace log, sound 8, the death (a death after
    // the stage was cleared ends the stage).
    void PlayerDies(const char* szLabel);
    // A character of the list that died in its flows or was killed (not vanished): KillChara,
    // then, with the keep-defeated setting on, sound 9 and it stays dying unless the stage ended;
    // with it off it is erased. pos moves past an erased character. The outcome.
    int DefeatChara(std::list<cChara>::iterator& pos);
    // Carries out an outcome of the collisions: 1 the stage end, 2 the player's death. false
    // when the sub-step ends.
    bool ApplyOutcome(int nOutcome);

    bool m_bFailed = false;            // SetStage could not build the stage
    bool m_bInSetUp = false;           // SetStage is running
    bool m_bClearDuringSetUp = false;  // the stage was cleared while SetStage ran
    // CharaList's block characters for the collision walks, kept through a play sub-step.
    cBlockCharaIndex m_BlockCharaIndex;
    // The faction groups gathered for the walk of shots against characters, kept for their storage.
    GROUPGRIDS m_GroupGrids;
    // Every faction group gathered for the walk of characters against characters, kept for its
    // storage.
    CONTACTPAIRS m_ContactPairs;
    // FinishStage's parts.
    bool LoadNextStage();
    void StoreCarriedState();
    int FinishStory(int nSavedStage);
    int FinishChallenge(int nSavedStage);
};

// The largest view-mask hole radius, in pixels: a hole wider than the screen shows all of it.
constexpr int kMaxViewMaskRadius = 640;
// A view range in pixels brought into 0..kMaxViewMaskRadius.
int ViewMaskRadius(int nViewRange);

// The running stage-play screen; null while none exists.
extern cSceneStage* lpSceneStage;
