// The option screen (screen id 5): edits the user's options in OptionData - the palette set of
// the 8-bit DirectDraw mode, music on or off, the sound-effect volume, the ranking registration
// mode and the fixed ranking name. The palette set and the volume take effect while they are being
// changed; the music switch is applied and "user_data\Option.dat" written when the screen is
// left, by decision or by cancel. Reached from the title, returns to it.
//
// States: 0 fade-in, 1 the option list (sub-state 1 choosing an entry, 2 editing its value),
// 2 fade-out. Game thread.
#pragma once

#include <string>

#include "scenes/cSurfaceScene.h"

// What each entry of the option screen does. The project's option entry list (OptionMenuItems)
// gives the rows by item number: item 0 music, 1 sound volume, 2 ranking registration, 3 ranking
// name, 4 back, 5 palette set, as the kit's own list names them ("BGM", "SE", "ランキング登録",
// "ランキング登録名", "もどる", and the palette set, only of use in the 8-bit mode, unnamed).
enum : int {
    OPTION_PALETTE = 0,       // palette set 0..23
    OPTION_MUSIC = 1,         // music 0 off, 1 on
    OPTION_VOLUME = 2,        // sound-effect volume step 0..10
    OPTION_REGISTRATION = 3,  // ranking registration mode 0..3
    OPTION_NAME = 4,          // the fixed ranking name (ranking-name dialog)
    OPTION_BACK = 5,          // back to the title
    kOptionEntryCount = 6,
};

// The entry id of item nItem (0..5) of the option entry list, and the item of entry id nId (0..5).
constexpr int OptionIdOfItem(int nItem)
{
    return (nItem + 1) % kOptionEntryCount;
}
constexpr int OptionItemOfId(int nId)
{
    return (nId + kOptionEntryCount - 1) % kOptionEntryCount;
}

class cSceneOption : public cSurfaceScene {
public:
    cSceneOption();
    // A new option screen for the scene manager; nullptr when the memory cannot be had.
    static cScene* Create();
    // Releases the two built-in pictures, then (base) the screen surface.
    ~cSceneOption() override;

    // One frame: menu key repeat and one-shot buttons 1 and 2, then the state.
    void Main() override;
    // Music request 3, the pictures "bmp\Accessory.bmp" and "bmp\Window.bmp", the cursor reset,
    // the enabled entries and the screen surface.
    void Init() override;
    // One step of the fade-out; when it ends the music switch is applied, the options written and
    // the title (the chosen next screen) made current.
    void FadeOut() override;

    // Brings the music manager in line with the music option: released when music is off, made
    // anew (1 player, the default name tables, 5 slots) when it is on and the manager is not up.
    // m_nBgm becomes 0 when the manager was switched, so that the next screen asks for its music
    // again. Game thread (the main thread does not use the manager meanwhile).
    static void ApplyBgm();

    // The value text shown for entry id: numbers in decimal, "ON"/"OFF", the registration text of
    // the project, the ranking name; empty for the back entry and unknown ids.
    static std::string ValueText(int nId);
    // The label shown for entry id: the label of its item in the project's option entry list; ""
    // when the list is shorter.
    static std::string LabelText(int nId);

    int m_nItems = 0;                      // enabled entries, 1..6
    int m_Items[kOptionEntryCount] = {0};  // their ids in list order (OptionIdOfItem)
    int m_nSelected = 0;                   // id of the entry being edited or chosen last
    int m_nSaved = 0;                      // the value when editing began (restored by cancel)
    int* m_pValue = nullptr;               // the OptionData value being edited, or null
    int m_nMin = 0;                        // its range
    int m_nMax = 0;

protected:
    // Window box, title, labels and values onto the screen surface.
    void DrawSurface(DDSURFACEDATA& surface) override;

private:
    void StateFadeIn() { FadeIn(); }
    void OptionList();
    void StateFadeOut() { FadeOut(); }

    // Sub-state 1: moves the list cursor and acts on a decision or cancel.
    void ChooseEntry();
    // Sub-state 2: changes the value with up and down, keeps it on decision, restores it on cancel.
    void EditValue();
    // The decision on an entry of the list.
    void DecideEntry(int nId);
    // The live effect of the edited value (palette set, sound volume); nothing for other entries.
    void ApplyEffect() const;
    // Draws the screen surface again after a value changed (only with a back-end).
    void Redraw();
    // Leaves for the title by the fade-out.
    void Leave();

    // The surface with the pointer at the list cursor (choosing).
    void DrawChoosing();
    // The surface with the pointers at the entry and at its value (editing).
    void DrawEditing();
};
