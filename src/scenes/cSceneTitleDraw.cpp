// The title screen's drawing: the menu surface (a strip of "bmp\GameMode.bmp" per entry, or the
// labels with Font32 in a window box), the title picture under it, the hand cursor and the slot
// list of "continue".
#include <algorithm>

#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/DrawHelpers.h"
#include "graphics/Fill.h"
#include "graphics/FontTable.h"
#include "graphics/SurfaceCatalogue.h"
#include "graphics/Surfaces.h"
#include "project/cSaveSlot.h"
#include "scenes/cSceneTitle.h"
#include "screenbase/cMenuCursor.h"

namespace {

constexpr int kSlotWindow = 45;
constexpr int kSlotTitle = 47;
constexpr int kSlotGameMode = 48;
constexpr int kSlotAccessory = 49;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
// The cursor column left of the entries, and the window box's frame.
constexpr int kCursorColumn = 32;
constexpr int kTextMenuMargin = 34;
constexpr DWORD kFrameColour = 240;
constexpr int kHandSize = 32;
constexpr int kPointerSize = 16;
constexpr int kPointerX = 64;

const cMenuItem* TitleEntry(int id)
{
    const cVector<cMenuItem>& list = SystemData.TitleMenuItems;
    return id >= 0 && static_cast<std::size_t>(id) < list.size() ? &list.data()[id] : nullptr;
}

const char* Label(int id)
{
    const cMenuItem* entry = TitleEntry(id);
    return entry != nullptr ? entry->strLabel.c_str() : "";
}

}  // namespace

int cSceneTitle::MenuWidth() const
{
    if (SystemData.bTitleMenuPicture != 0) {
        return SDTable[kSlotGameMode].nWidth + kCursorColumn;
    }
    int nLongest = 0;
    for (int row = 0; row < m_nItems; ++row) {
        nLongest = std::max(nLongest, CountChars(Label(ItemId(row))));
    }
    return nLongest * kRowPitch + kTextMenuMargin;
}

void cSceneTitle::DrawSurface(DDSURFACEDATA& surface)
{
    if (SystemData.bTitleMenuPicture != 0) {
        DDFillSurfacePal(&surface, 0);
        DDSURFACEDATA* lpPicture = &SDTable[kSlotGameMode];
        for (int row = 0; row < m_nItems; ++row) {
            DDBlt(&surface, kCursorColumn, row * kRowPitch, lpPicture->nWidth, kRowPitch, lpPicture, 0,
                  ItemId(row) * kRowPitch, 0);
        }
        return;
    }
    DDDrawFrameBox(&surface, 1, 1, surface.nWidth - 2, surface.nHeight - 2, &SDTable[kSlotWindow], 1, kFrameColour);
    for (int row = 0; row < m_nItems; ++row) {
        FontTable[Font32].Draw(&surface, kCursorColumn, row * kRowPitch, Label(ItemId(row)), 0);
    }
}

void cSceneTitle::Show()
{
    if (!bDDReady.load()) {
        return;
    }
    DDBlt(&BackBuffer, 0, 0, kScreenWidth, kScreenHeight, &SDTable[kSlotTitle], 0, 0, 0);
    CopySurface(m_nMenuX, kMenuY, 1);
    SceneFlow().CyclePalette();
}

void cSceneTitle::DrawMenuCursor()
{
    if (!bDDReady.load()) {
        return;
    }
    DDBlt(&BackBuffer, MenuCursor.m_pCur->x, MenuCursor.m_pCur->y, kHandSize, kHandSize, &SDTable[kSlotAccessory], 0, 0,
          1);
}

void cSceneTitle::DrawSlotList()
{
    if (!bDDReady.load()) {
        return;
    }
    DDBlt(&BackBuffer, 0, 0, kScreenWidth, kScreenHeight, &SDTable[kSlotTitle], 0, 0, 0);
    SceneFlow().CyclePalette();
    DrawSaveSlotList(&BackBuffer, kSlotListX, kSlotListY, SaveSlotList, m_nTop, m_nVisible);
    DDBlt(&BackBuffer, MenuCursor.m_pCur->x, MenuCursor.m_pCur->y, kPointerSize, kPointerSize, &SDTable[kSlotAccessory],
          kPointerX, 0, 1);
}
