// Drawing and bookkeeping shared by the button and static controls: the
// font a control draws with, the colours its parent chooses, images drawn
// centred (greyed when disabled), and painting through WM_PAINT or
// WM_PRINTCLIENT with the same routine.
#pragma once

#include "Gdi.h"
#include "GdiObjects.h"
#include "PaintWindow.h"
#include "WinUser.h"

// The font set with WM_SETFONT, else the default GUI font.
HFONT ControlFontOr(HFONT hFont);

// Sends WM_CTLCOLOR... to the control's parent with the paint DC and returns
// the brush to use; the DC starts with the button face colours so that a
// parent that answers nothing still gets plain, readable drawing.
HBRUSH ControlColourBrush(HWND hControl, HDC hdc, UINT nMessage);

// The size of a bitmap, or {0, 0} when the handle is not a bitmap.
SIZE BitmapSize(HBITMAP hBitmap);

// Draws a bitmap centred in a rectangle (clipped to it). Greyed, its pixels
// become light greys of their own brightness, so the shape stays readable
// while clearly unavailable.
void DrawBitmapCentred(HDC hdc, HBITMAP hBitmap, const RECT& rc, bool bGreyed);

// Sends WM_DRAWITEM for an owner-drawn control to its parent.
void SendDrawItem(HWND hControl, HDC hdc, UINT nControlType, UINT nAction, UINT nState);
