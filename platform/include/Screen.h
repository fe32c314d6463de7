// The screen: the pixels of top-level windows, the desktop they are composed
// on, screenshots, and what an on-screen backend is told so it can show them.
//
// Each visible top-level window owns a 32-bit image surface (Cairo ARGB32:
// bytes blue, green, red, alpha) the size of its window rectangle; its
// children draw into it. GetDC(NULL) gives a device context on the virtual
// desktop, whose pixels are the visible top-level windows composed in
// Z-order over the desktop colour (COLOR_DESKTOP), each cut to its window
// region. The composition is brought up to date whenever the screen device
// context is read or drawn on after a window changed. Drawing on the screen
// device context lands on the composition and lasts until the windows
// beneath change, as drawing on a real screen does.
#pragma once

#include "Image.h"
#include "WinUser.h"

#include <cairo.h>

// The surface of a top-level window (borrowed; resized to the window first
// when its size changed), or null for a child, an empty or stale window.
cairo_surface_t* GetWindowSurface(HWND hTopLevel);

// The window as it is seen, non-client area and children included. A child
// is cut from its top-level window's surface; windows above it on the
// desktop do not hide it. FALSE for a stale window or when the file cannot
// be written (the last error says which).
BOOL WriteWindowPng(HWND hWnd, LPCWSTR pszPath);
// The desktop composition, or the part of it in pArea (screen coordinates,
// limited to the screen).
BOOL WriteScreenPng(LPCWSTR pszPath, const RECT* pArea = nullptr);
// The composition within rcArea (screen coordinates) as opaque pixels;
// whatever lies outside the screen is black. Empty for an empty area.
SImage CaptureScreen(const RECT& rcArea);

// What an on-screen backend hears: a top-level window was shown, hidden,
// moved, resized or reordered; it is going away; part of its surface
// (window coordinates) was drawn on.
struct IScreenListener
{
    virtual ~IScreenListener() = default;
    virtual void OnWindowChanged(HWND hTopLevel) = 0;
    virtual void OnWindowDestroyed(HWND hTopLevel) = 0;
    virtual void OnSurfaceDamaged(HWND hTopLevel, const RECT& rcDamage) = 0;
};
// One listener at a time; null stops the telling. Returns the previous one.
IScreenListener* SetScreenListener(IScreenListener* pListener);

// The system's dots per inch (GetDeviceCaps LOGPIXELSX and LOGPIXELSY);
// 96 unless a backend reports the display's.
void SetSystemDpi(int nDpi);
int GetSystemDpi();
