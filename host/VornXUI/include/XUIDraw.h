// Drawing shared by the skinned controls: one paint routine for WM_PAINT and
// WM_PRINTCLIENT, solid fills and frames in a colour, and 32-bit images
// blended centred or stretched, greyed when disabled.
#pragma once

#include "Gdi.h"
#include "GdiObjects.h"
#include "PaintWindow.h"
#include "WinUser.h"

void XUIFillSolid(HDC hdc, const RECT& rc, COLORREF clr);
// A one-pixel frame just inside the rectangle.
void XUIFrame(HDC hdc, const RECT& rc, COLORREF clr);

// The size of a bitmap, {0, 0} when the handle is not one.
SIZE XUIBitmapSize(HBITMAP hBitmap);

// Blends a bitmap (pre-multiplied alpha; a bitmap whose alpha is all zero
// counts as opaque) centred in the rectangle at its own size, or stretched
// to fill it. Greyed, each pixel becomes a light grey of its own brightness
// so the shape stays readable while clearly unavailable.
void XUIDrawBitmapCentred(HDC hdc, HBITMAP hBitmap, const RECT& rc, bool bGreyed);
void XUIDrawBitmapStretched(HDC hdc, HBITMAP hBitmap, const RECT& rc, bool bGreyed);

// A bitmap whose light grey (0xC0C0C0) pixels become one colour and black
// ones another, as buttons drawn for a grey face are fitted to a theme.
// Owned by the caller; null for a bad handle.
HBITMAP XUIMapBitmapColors(HBITMAP hBitmap, COLORREF clrForGrey, COLORREF clrForBlack);

// The font a skinned control draws with: the one set with WM_SETFONT, else
// the default GUI font.
HFONT XUIControlFont(HFONT hFont);
