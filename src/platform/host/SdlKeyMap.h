// Physical keys (SDL scancodes) to Windows virtual-key codes, by the US layout.
#pragma once

#include <SDL_scancode.h>

// The virtual-key code of a physical key, 0 for keys the game cannot see. Shift, Ctrl and Alt map
// to their left/right codes (VK_LSHIFT ...); numpad digits map to VK_NUMPAD0..9 whatever the Num
// Lock state. Called by the SDL host for every key event.
int SdlScancodeToVk(SDL_Scancode scancode);

// VK_SHIFT, VK_CONTROL or VK_MENU for a left/right modifier code; any other code unchanged.
int GenericVk(int vk);
// The other side of a left/right modifier (VK_LSHIFT <-> VK_RSHIFT ...); 0 for other codes.
int OtherSideVk(int vk);
