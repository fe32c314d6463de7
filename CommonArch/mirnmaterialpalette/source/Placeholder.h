// The pane and the dialogs mark where a window of the palette goes with a
// placeholder item of their template; the window takes its place.
#pragma once

#include "AfxWin.h"

struct SPlaceholderSpot
{
    CRect rect;             // in the parent's client coordinates
    HWND hBefore = nullptr; // the window before it in the tab order, or null for the first
    bool bFound = false;
};

// Finds the parent's item, notes where it was, and destroys it so that the
// window made in its place can take its identifier.
inline SPlaceholderSpot TakePlaceholder(CWnd* pParent, UINT nItem)
{
    SPlaceholderSpot spot;
    if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr)
        return spot;
    HWND hItem = ::GetDlgItem(pParent->GetSafeHwnd(), static_cast<int>(nItem));
    if (hItem == nullptr)
        return spot;
    ::GetWindowRect(hItem, &spot.rect);
    pParent->ScreenToClient(&spot.rect);
    spot.hBefore = ::GetWindow(hItem, GW_HWNDPREV);
    spot.bFound = true;
    ::DestroyWindow(hItem);
    return spot;
}

// Puts a window back into the placeholder's place in the tab order.
inline void RestoreTabOrder(HWND hWnd, const SPlaceholderSpot& spot)
{
    ::SetWindowPos(hWnd, spot.hBefore != nullptr ? spot.hBefore : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
