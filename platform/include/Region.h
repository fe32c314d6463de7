// Regions made of rectangles: window regions (SetWindowRgn), update regions
// and, for the drawing code, clip regions. A region is kept in a canonical
// banded form, so two regions covering the same pixels compare equal.
#pragma once

#include "Geometry.h"
#include "WinDef.h"

#include <vector>

// Results of the region calls. Windows names the failure value ERROR; that name
// is too easily taken elsewhere, so the failure is spelled RGN_ERROR here.
#define RGN_ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3

// Combination modes of CombineRgn.
#define RGN_AND 1
#define RGN_OR 2
#define RGN_XOR 3
#define RGN_DIFF 4
#define RGN_COPY 5

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* lprc);
// Frees a region made by the calls above. (DeleteObject of the drawing layer
// hands regions here: see IsRegionHandle.)
BOOL DeleteRgn(HRGN hrgn);
// Whether the handle names a live region, so a general object deletion can
// tell regions from the drawing layer's own objects.
bool IsRegionHandle(HGDIOBJ handle);

int CombineRgn(HRGN hrgnDest, HRGN hrgnSrc1, HRGN hrgnSrc2, int mode);
BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom);
int OffsetRgn(HRGN hrgn, int x, int y);
int GetRgnBox(HRGN hrgn, LPRECT lprc);
BOOL PtInRegion(HRGN hrgn, int x, int y);
BOOL RectInRegion(HRGN hrgn, const RECT* lprc);
BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2);

// The rectangles of a region, top to bottom and left to right, none
// overlapping; empty for an empty or invalid region.
std::vector<RECT> GetRegionRects(HRGN hrgn);

// The same operations on plain rectangle lists, for code that keeps a region
// without a handle (update regions of windows). Results are canonical.
std::vector<RECT> CombineRectLists(const std::vector<RECT>& a, const std::vector<RECT>& b, int mode);
RECT BoundingRect(const std::vector<RECT>& rects);
