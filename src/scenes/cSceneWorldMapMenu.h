// The world-map menu (screen id 2), opened from the world map with the cancel button: it saves
// the story into one of the save slots, switches the autosave on or off, goes back to the map or
// back to the title. It draws straight onto the back buffer over a plain background (palette
// entry 16) and has no screen surface of its own.
//
// Game thread.
#pragma once

#include "screenbase/cScene.h"

// The states of the menu.
constexpr int MAPMENU_FADEIN = 0;
constexpr int MAPMENU_MENU = 1;
constexpr int MAPMENU_SAVE = 2;
constexpr int MAPMENU_AUTOSAVE = 3;
constexpr int MAPMENU_TO_MAP = 4;
constexpr int MAPMENU_TO_TITLE = 5;
constexpr int MAPMENU_FADEOUT = 6;

// The entry ids of the menu (the places of the project's world-map menu list). Choosing entry id
// k enters state k + 2.
constexpr int MAPMENU_ITEM_SAVE = 0;
constexpr int MAPMENU_ITEM_AUTOSAVE = 1;
constexpr int MAPMENU_ITEM_BACK = 2;
constexpr int MAPMENU_ITEM_TITLE = 3;
constexpr int kMapMenuItemCount = 4;

class cSceneWorldMapMenu : public cScene {
public:
    // The state table; sub-state 0.
    cSceneWorldMapMenu();
    // Releases the menu's pictures.
    ~cSceneWorldMapMenu() override;

    // One frame: buttons 1 and 2 one-shot, Init on the first frame, then the state.
    void Main() override;
    // The world map's music goes on; the pictures; the enabled entries; the cursor reset.
    void Init() override;
    // The menu with its pointer at the top entry while the palette fades in; state 1 at its end.
    void FadeIn() override;
    // The palette fades out; at its end the chosen screen becomes current (the cursor is kept for
    // the next screen's Init to reset) and the state goes back to -1.
    void FadeOut() override;

    int m_nItems = 1;                     // enabled entries, 1..4
    int m_Items[kMapMenuItemCount] = {};  // their ids in list order (entries 0..m_nItems-1 valid)
    int m_nTop = 0;                       // first slot row shown by the slot list
    int m_nVisible = 0;                   // slot rows shown, at most 10

private:
    void StateFadeIn() { FadeIn(); }
    void StateMenu();
    void StateSave();
    void StateAutoSave();
    void StateToMap();
    void StateToTitle();
    void StateFadeOut() { FadeOut(); }

    // The slot list: choosing a slot, then the confirmation.
    void ChooseSlot();
    void ConfirmSave();
    // The autosave menu, and the message shown while no slot is known.
    void AutoSaveMenu();
    void NoSlotMessage();
    // Back to the menu from a sub-menu: the sub-menu's cursor is closed.
    void BackToMenu();

    // The frame's drawing: the menu, and the sub-menus over the plain background.
    void Show();
    void ShowSlotList();
    void ShowSubMenu(int y, int nFirst, int nCount, int bCursor);
};
