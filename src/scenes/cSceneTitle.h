// The title screen (screen id 0), where every play starts: the title picture and the game-mode
// menu built from the project's title entry list. A choice sets the play kind and the ranking
// switch, prepares the save data (new game, a story slot, the challenge record, a stage or replay
// file read by the main thread) and leaves for the world map, the world select, the stage play or
// the options; quit asks the main window to close. "Continue" opens the story slot list.
//
// Game thread.
#pragma once

#include <array>

#include "project/cSystemData.h"
#include "scenes/cSurfaceScene.h"

class cSceneTitle : public cSurfaceScene {
public:
    // The title entries' ids are the game modes (GAMEMODE_*, fixed; the project gives their labels,
    // switches and order).
    static constexpr int kItemCapacity = cSystemData::kTitleMenuCount;

    // States: 0 fade-in, 1 title menu, 2 save-slot list, 3 fade-out.
    static constexpr int kStateMenu = 1;
    static constexpr int kStateSlotList = 2;
    static constexpr int kStateFadeOut = 3;

    // Layout in pixels: the menu's top-left corner (the picture menu is centred on kPictureMenuCentre
    // instead), its row pitch, and the slot list's corner and row pitch.
    static constexpr int kMenuX = 192;
    static constexpr int kMenuY = 240;
    static constexpr int kPictureMenuCentre = 288;
    static constexpr int kRowPitch = 32;
    static constexpr int kSlotListX = 152;
    static constexpr int kSlotListY = 160;
    static constexpr int kSlotPitch = 16;
    static constexpr int kMaxVisibleSlots = 10;

    cSceneTitle();
    // Releases the title's pictures, then the screen surface.
    ~cSceneTitle() override;

    void Main() override;
    // The title music, the pictures, the enabled entries and the cursor on the mode chosen last.
    void Init() override;
    void FadeOut() override;

    // Number of enabled entries (1..kItemCapacity) and their ids in list order.
    int ItemCount() const { return m_nItems; }
    int ItemId(int row) const;
    // Left edge of the menu in pixels.
    int MenuX() const { return m_nMenuX; }
    // First visible row and visible rows (at most 10) of the slot list.
    int SlotTop() const { return m_nTop; }
    int VisibleSlots() const { return m_nVisible; }

protected:
    void DrawSurface(DDSURFACEDATA& surface) override;
    // The title picture over the whole back buffer, the menu surface with its colour key at the
    // menu position, one step of the colour cycling.
    void Show() override;

private:
    void StateFadeIn() { FadeIn(); }
    void StateMenu() { MainMenu(); }
    void StateSlotList() { SlotList(); }
    void StateFadeOut() { FadeOut(); }

    // State 1: the cursor, and the choice once button 1 is pressed.
    void MainMenu();
    // State 2: the story slots of "continue"; button 1 loads a saved one, button 2 goes back.
    void SlotList();
    // The action of title entry id (after the decide sound and the game mode are taken).
    void Decide(int id);
    void CollectItems();
    int MenuWidth() const;
    // Drawing of the two menu states (the hand cursor; the slot list with its pointer).
    void DrawMenuCursor();
    void DrawSlotList();

    int m_nItems = 1;                          // enabled entries, at least 1
    std::array<int, kItemCapacity> m_Items{};  // their ids in list order
    int m_nTop = 0;                            // first visible row of the slot list
    int m_nVisible = 0;                        // visible rows of the slot list
    int m_nMenuX = kMenuX;                     // left edge of the menu
};

// A new story game: the save data reset as for a new run, the map figure on the world map's
// start cell, lap 0, and the story's lives (999999 both when unlimited, else the starting lives
// and one fewer in stock).
void NewGame();

// The creator the scene manager uses for screen 0 (nullptr when the memory cannot be had).
cScene* CreateTitleScene();
