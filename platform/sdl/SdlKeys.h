// SDL's key codes as virtual keys.
#pragma once

#include "WinDef.h"

#include <SDL.h>

// The virtual key of an SDL key, or 0 for one the platform does not know.
UINT VirtualKeyFromSdl(SDL_Keycode nKey);
// Whether the platform makes this character itself when it translates key
// presses (so a text-input event for it would type it twice).
bool IsTranslatedCharacter(wchar_t ch);
