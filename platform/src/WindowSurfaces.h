// Window surfaces: the pixels of each top-level window, which its children
// share, and what part of them each window may draw on. Private to the
// platform library; the public face is Screen.h and the GetDC family.
#pragma once

#include "WindowManager.h"

#include <cairo.h>

#include <vector>

// The part of a window that drawing can reach, in its top-level window's
// coordinates (the window rectangle's top-left corner is 0, 0).
struct SDrawableArea
{
    HWND hTopLevel = nullptr;
    POINT ptOrigin{}; // device (0, 0) of the window's client area or whole window
    std::vector<RECT> rects;
};

struct SDrawableOptions
{
    bool bWholeWindow = false;  // the window rectangle rather than the client area
    bool bClipChildren = false; // leave out visible children
    bool bClipSiblings = false; // leave out overlapping siblings above the window
    bool bParentClip = false;   // the parent's drawable area instead of the window's own
};

// Null top-level window when the handle is stale or names the desktop.
SDrawableArea DrawableArea(HWND hWnd, const SDrawableOptions& options);

// The surface of a top-level window, made or resized to its window rectangle
// (what overlaps is kept, the rest invalidated); null for an empty window or
// a child.
cairo_surface_t* EnsureWindowSurface(HWND hTopLevel);

// Told by the window device contexts when they are done: the part of a
// top-level window's surface that may have changed.
void NoteSurfaceDamage(HWND hTopLevel, const RECT& rcDamage);
// A device context on the screen's composition, and how GetDCEx tells
// ReleaseDC of one.
HDC CreateScreenDC();
void RegisterScreenDC(HDC hdc);
// Whether a window device context is still out (the screen composes again
// while one is, since it may be drawing).
bool AnyWindowDCOpen();
