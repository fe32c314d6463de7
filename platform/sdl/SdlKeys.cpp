#include "SdlKeys.h"

#include "WinMessages.h"

#include <utility>

namespace
{

const std::pair<SDL_Keycode, UINT> kKeys[] = {
    {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_ESCAPE, VK_ESCAPE},
    {SDLK_BACKSPACE, VK_BACK},
    {SDLK_TAB, VK_TAB},
    {SDLK_SPACE, VK_SPACE},
    {SDLK_DELETE, VK_DELETE},
    {SDLK_INSERT, VK_INSERT},
    {SDLK_HOME, VK_HOME},
    {SDLK_END, VK_END},
    {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_LEFT, VK_LEFT},
    {SDLK_RIGHT, VK_RIGHT},
    {SDLK_UP, VK_UP},
    {SDLK_DOWN, VK_DOWN},
    {SDLK_LSHIFT, VK_SHIFT},
    {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},
    {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},
    {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_APPLICATION, VK_APPS},
    {SDLK_PAUSE, VK_PAUSE},
    {SDLK_PRINTSCREEN, VK_SNAPSHOT},
    {SDLK_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDLK_SCROLLLOCK, VK_SCROLL},
    {SDLK_SEMICOLON, VK_OEM_1},
    {SDLK_EQUALS, VK_OEM_PLUS},
    {SDLK_COMMA, VK_OEM_COMMA},
    {SDLK_MINUS, VK_OEM_MINUS},
    {SDLK_PERIOD, VK_OEM_PERIOD},
    {SDLK_SLASH, VK_OEM_2},
    {SDLK_BACKQUOTE, VK_OEM_3},
    {SDLK_LEFTBRACKET, VK_OEM_4},
    {SDLK_BACKSLASH, VK_OEM_5},
    {SDLK_RIGHTBRACKET, VK_OEM_6},
    {SDLK_QUOTE, VK_OEM_7},
    {SDLK_KP_MULTIPLY, VK_MULTIPLY},
    {SDLK_KP_PLUS, VK_ADD},
    {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_PERIOD, VK_DECIMAL},
    {SDLK_KP_DIVIDE, VK_DIVIDE},
};

} // namespace

UINT VirtualKeyFromSdl(SDL_Keycode nKey)
{
    if (nKey >= SDLK_a && nKey <= SDLK_z)
        return static_cast<UINT>('A' + (nKey - SDLK_a));
    if (nKey >= SDLK_0 && nKey <= SDLK_9)
        return static_cast<UINT>('0' + (nKey - SDLK_0));
    if (nKey >= SDLK_F1 && nKey <= SDLK_F12)
        return static_cast<UINT>(VK_F1 + (nKey - SDLK_F1));
    if (nKey >= SDLK_KP_1 && nKey <= SDLK_KP_9)
        return static_cast<UINT>(VK_NUMPAD1 + (nKey - SDLK_KP_1));
    if (nKey == SDLK_KP_0)
        return VK_NUMPAD0;
    for (const auto& [nSdl, nVirtual] : kKeys)
    {
        if (nSdl == nKey)
            return nVirtual;
    }
    return 0;
}

bool IsTranslatedCharacter(wchar_t ch)
{
    // Key translation covers the printable characters of a US keyboard.
    return ch >= L' ' && ch <= L'~';
}
