// One paint routine for both ways a window is asked to paint its client
// area: WM_PAINT (between BeginPaint and EndPaint; a null DC paints nothing)
// and WM_PRINTCLIENT (wParam is the DC). The DC's state is restored after
// the routine.
#pragma once

#include "Gdi.h"
#include "WinUser.h"

template <class F> void PaintWindow(HWND hWnd, UINT nMessage, WPARAM wParam, F&& paint)
{
    if (nMessage == WM_PRINTCLIENT)
    {
        auto hdc = reinterpret_cast<HDC>(wParam);
        if (hdc != nullptr)
        {
            const int nSaved = SaveDC(hdc);
            paint(hdc);
            RestoreDC(hdc, nSaved);
        }
        return;
    }
    PAINTSTRUCT ps{};
    HDC hdc = BeginPaint(hWnd, &ps);
    if (hdc != nullptr)
    {
        const int nSaved = SaveDC(hdc);
        paint(hdc);
        RestoreDC(hdc, nSaved);
    }
    EndPaint(hWnd, &ps);
}
