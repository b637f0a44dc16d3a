// The world-map screen (screen id 1), the hub of the story: the hero walks cell by cell over the
// world map, stages sit on its nodes, and stepping on or choosing a stage asks whether to play it.
// It shows the stage's name, its best score and, on request, its ranking; switches the ranking
// genre; opens the world-map menu; autosaves after a stage; and starts a stage without asking when
// the hero stands on an uncleared stage that blocks the way.
//
// The view is 20 x 15 cells of 32 pixels with the hero always drawn at the screen centre
// (288, 224); the map is drawn into a 640 x 480 work surface whenever the view scrolls and copied
// to the back buffer every frame. The stepping (this file's .cpp) reads and writes SaveData and
// the menu cursor; the drawing lives in WorldMapDraw.cpp. Without a drawing back-end nothing is
// drawn and the states run all the same.
//
// Game thread.
#pragma once

#include "project/cWorldNode.h"
#include "project/cWorldStage.h"
#include "screenbase/cMenuCursor.h"
#include "screenbase/cScene.h"

class cSceneWorldMap : public cScene {
public:
    // States, in table order.
    static constexpr int kStateFadeIn = 0;
    static constexpr int kStateMap = 1;
    static constexpr int kStateConfirm = 2;
    static constexpr int kStateFadeOut = 3;

    // Screen position of the hero (pixels) and the view's offset from it (cells).
    static constexpr int kHeroX = 288;
    static constexpr int kHeroY = 224;
    static constexpr int kViewColsBefore = 9;
    static constexpr int kViewRowsBefore = 7;

    cSceneWorldMap();
    // Releases the screen's pictures and the ranking panel.
    ~cSceneWorldMap() override;

    void Main() override;
    void Init() override;
    void FadeIn() override;
    void FadeOut() override;

    // The first stage entry of node whose conditions hold with the save data (required flag,
    // variable comparison, minimum total score); null for no node or when none holds.
    static const cWorldStage* GetActiveStage(const cWorldNode* node);
    // The entry's clear flag is set in the save data (false for null).
    static bool IsCleared(const cWorldStage* entry);
    // The hero may walk past the entry: its pass switch is set or it is cleared (false for null).
    static bool IsPassable(const cWorldStage* entry);

    // What the tests read of the screen.
    const cWorldNode* Node() const { return m_pNode; }
    const cWorldStage* ActiveStage() const { return m_pStage; }
    int Dir() const { return m_nDir; }
    int ScrollX() const { return m_nScrollX; }
    int ScrollY() const { return m_nScrollY; }
    int HighScore() const { return m_nHighScore; }

private:
    void StateFadeIn() { FadeIn(); }
    void StateFadeOut() { FadeOut(); }
    // State 1: walking, the stage information, decide, the genre buttons and cancel.
    void MapMain();
    // State 2: the stage-entry confirmation.
    void Confirm();

    // One step of the hero by the pad word (one direction, left before right before up before
    // down); a refused step puts the cursor back.
    void Move(CURSORPOS& cursor, SHORT wPad);
    // m_pNode and m_pStage for the cursor cell.
    void FindNodeAtCursor();
    // The stage name's best score, and its ranking when rankings are kept.
    void LoadStageInfo();
    // The save data for the stage just loaded by LoadStage.
    void StartStage();
    // Opens the confirmation (state 2) with the map position saved.
    void OpenConfirm();
    // Leaves the confirmation back to the map; the hero steps back off an uncleared stage.
    void EndConfirm();
    // Buttons 3 (the ranking panel on or off) and 4 (the next ranking genre).
    void GenreButtons(SHORT wButton);
    // The automatic entry at the end of the fade-in of an uncleared stage that blocks the way.
    void EnterStageAtOnce();
    // The view follows the cursor (cursor column - 9, row - 7).
    void ScrollToCursor();
    bool HasStageOfKind0() const;

    // Drawing (WorldMapDraw.cpp).
    // Makes the ranking panel in ScenePictures; WM_CLOSE when it cannot be made.
    void CreateSurface();
    // The map surface: background colour or picture, chips, stage icons of the view.
    void DrawMap();
    // The ranking table of the chosen genre onto the panel, when the panel exists.
    void DrawRanking();
    // The hero at the screen centre, with its two-frame walking animation (its phase is kept in
    // the scene flow, so a new visit goes on where the last one stopped).
    void DrawHero();
    // The frame: the map, the hero, the lives box, and with bInfo the stage information.
    void Show(bool bInfo);
    // The confirmation menu and its pointer over Show.
    void ShowConfirm(int nMenuX);

    int m_nScrollX = 0;                     // map cell at the top-left of the view: cursor column - 9
    int m_nScrollY = 0;                     // cursor row - 7
    const cWorldNode* m_pNode = nullptr;    // the node at the cursor
    const cWorldStage* m_pStage = nullptr;  // its active stage
    int m_nDir = 0;                         // facing: 0 down, 1 up, 2 left, 3 right
    CURSORPOS m_SavedPos;                   // the cursor before the last move
    CURSORPOS m_InfoPos;                    // the cursor the stage information was loaded for
    int m_nHighScore = 0;                   // best score of that stage
    int m_bStageLoaded = 0;                 // the confirmation's LoadStage succeeded
    int m_nDrawnScrollX = -1;               // the scroll the map surface was last drawn with
    int m_nDrawnScrollY = -1;
};

// The creator the scene manager installs for screen id 1.
cScene* CreateSceneWorldMap();
