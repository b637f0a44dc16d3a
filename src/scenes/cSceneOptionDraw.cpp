// What the option screen shows: the window box with the title, the entry labels and their values
// drawn once into the screen surface, and the pointers drawn over it every frame.
#include "core/AppGlobals.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/FontTable.h"
#include "graphics/SurfaceCatalogue.h"
#include "project/cSystemData.h"
#include "scenes/cOptionData.h"
#include "scenes/cSceneOption.h"
#include "screenbase/cMenuCursor.h"

namespace {

constexpr int kSlotAccessory = 49;  // "bmp\Accessory.bmp": the 16 x 16 pointers at (64, 0) and (80, 0)
constexpr int kPointerSx = 64;
constexpr int kHeldPointerSx = 80;
constexpr int kTitleEntry = 5;  // the title menu's option entry names the screen
constexpr int kLabelX = 64;
constexpr int kValueX = 208;
constexpr int kValuePointerX = 192;
constexpr int kRowY = 96;
constexpr int kRowPitch = 16;
constexpr int kTitleY = 32;

void DrawPointer(int sx, int x, int y)
{
    DDBlt(&BackBuffer, x, y, 16, 16, &SDTable[kSlotAccessory], sx, 0, 1);
}

}  // namespace

std::string cSceneOption::ValueText(int nId)
{
    std::string text;
    switch (nId) {
    case OPTION_PALETTE: IntToStr(text, OptionData.nPaletteSet, 0, 0, 0); break;
    case OPTION_MUSIC: text = OptionData.bMusic == 1 ? "ON" : "OFF"; break;
    case OPTION_VOLUME: IntToStr(text, OptionData.nSoundVolume, 0, 0, 0); break;
    case OPTION_REGISTRATION: {
        const int nMode = OptionData.nRankingMode;
        if (nMode >= 0 && nMode < static_cast<int>(SystemData.RankingEntryModes.size())) {
            text = SystemData.RankingEntryModes[nMode];
        }
        break;
    }
    case OPTION_NAME: text = OptionData.strRankingName; break;
    default: break;
    }
    return text;
}

std::string cSceneOption::LabelText(int nId)
{
    if (nId < 0 || nId >= kOptionEntryCount) {
        return "";
    }
    const int nItem = OptionItemOfId(nId);
    if (nItem >= static_cast<int>(SystemData.OptionMenuItems.size())) {
        return "";
    }
    return SystemData.OptionMenuItems[nItem].strLabel;
}

void cSceneOption::DrawSurface(DDSURFACEDATA& surface)
{
    FontTable[Font32].DrawWindow(&surface, 1, 1, 638, 478);
    if (kTitleEntry < static_cast<int>(SystemData.TitleMenuItems.size())) {
        const std::string& title = SystemData.TitleMenuItems[kTitleEntry].strLabel;
        FontTable[Font32].Draw(&surface, 320 - CountChars(title.c_str()) * 16, kTitleY, title.c_str(), 0);
    }
    for (int i = 0; i < m_nItems; ++i) {
        const int nId = m_Items[i];
        const int y = kRowY + kRowPitch * i;
        const std::string label = LabelText(nId);
        if (!label.empty()) {
            FontTable[Font16].Draw(&surface, kLabelX, y, label.c_str(), 0);
        }
        const std::string value = ValueText(nId);
        if (!value.empty()) {
            FontTable[Font16].Draw(&surface, kValueX, y, value.c_str(), 0);
        }
    }
}

void cSceneOption::Redraw()
{
    if (DDSURFACEDATA* sd = Surface(); sd != nullptr && bDDReady.load()) {
        DrawSurface(*sd);
    }
}

void cSceneOption::DrawChoosing()
{
    Show();
    if (bDDReady.load()) {
        DrawPointer(kPointerSx, MenuCursor.m_pCur->x, MenuCursor.m_pCur->y);
    }
}

void cSceneOption::DrawEditing()
{
    Show();
    const CURSORPOS* entry = MenuCursor.m_pPrev;
    if (bDDReady.load() && entry != nullptr) {
        DrawPointer(kHeldPointerSx, entry->x, entry->y);
        DrawPointer(kPointerSx, kValuePointerX, entry->y);
    }
}
