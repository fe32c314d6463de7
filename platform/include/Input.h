// Input as the platform receives it: mouse and keyboard events at screen
// coordinates. Tests and the headless script host inject them; the on-screen
// backend injects what the display reports. Injected events wait in the input
// queue and become window messages when the loop takes them (after posted
// messages), where they are hit-tested and update the key and cursor state.
#pragma once

#include "WinUser.h"

enum class EMouseButton
{
    Left,
    Right,
    Middle,
};

void InjectMouseMove(POINT ptScreen);
// A second press of the same button within the double-click time (by the
// clock) and distance becomes a double click on windows whose class has
// CS_DBLCLKS; advance the clock between clicks that must stay single.
void InjectMouseButton(EMouseButton eButton, bool bDown, POINT ptScreen);
// nDelta in multiples of WHEEL_DELTA; positive turns away from the user (or
// to the right when horizontal).
void InjectMouseWheel(int nDelta, POINT ptScreen, bool bHorizontal = false);
// A key going down or up. Holding VK_SHIFT, VK_CONTROL or VK_MENU (or their
// left and right variants) changes what later keys mean, as on Windows.
void InjectKey(UINT nVirtualKey, bool bDown);
// A character as typed (WM_CHAR to the focus window) without key events.
void InjectChar(wchar_t chCharacter);

// Conveniences built on the above.
void InjectClick(POINT ptScreen, EMouseButton eButton = EMouseButton::Left);
void InjectKeyPress(UINT nVirtualKey);
void InjectText(const wchar_t* pszText);
// Press at the start, move in even steps, release at the end.
void InjectDrag(POINT ptFrom, POINT ptTo, int nSteps = 4, EMouseButton eButton = EMouseButton::Left);

// Loading cursors other than the standard ones (resource cursors of a
// module) goes through this loader, which the resource layer installs.
using PFN_LOADCURSOR = HCURSOR (*)(HINSTANCE hInstance, LPCWSTR lpCursorName);
void SetCursorResourceLoader(PFN_LOADCURSOR pfnLoader);
