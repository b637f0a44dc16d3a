#include "platform/hostapi/UsableDisplayArea.h"

#include <SDL.h>

bool QueryUsableDisplayArea(DisplayArea& area)
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        return false;
    }
    SDL_Rect bounds{};
    if (SDL_GetDisplayUsableBounds(0, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0) {
        return false;
    }
    area = DisplayArea{bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h};
    return true;
}
