// Pop-up menus shown as windows of class "#32768", run by a nested loop:
// the menu layer's way of asking a person on screen (and tests that ask for
// it headless).
#pragma once

#include "Menu.h"

// The bitmap of an MF_BITMAP item at a position, or null.
HBITMAP MenuItemBitmap(HMENU hMenu, UINT nPosition);

// Shows the menu at the point for the owner, runs the menu loop until an
// item is chosen or the menu dismissed, and returns the chosen command (0
// when dismissed). With bNotify the owner hears WM_INITMENUPOPUP for each
// submenu that opens, WM_MENUSELECT as items are highlighted and
// WM_UNINITMENUPOPUP as submenus close. The caller has already sent
// WM_ENTERMENULOOP and the top menu's WM_INITMENUPOPUP.
UINT RunPopupMenuWindow(HMENU hMenu, UINT uFlags, POINT pt, HWND hOwner, const RECT* prcExclude,
                        bool bNotify);

// Whether a pop-up menu window's loop is running now.
bool IsPopupMenuWindowOpen();
