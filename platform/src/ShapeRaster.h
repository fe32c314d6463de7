// Shapes through Cairo without antialiasing: a path becomes a coverage mask
// for its outline and one for its inside, and the masks are applied to the
// pixels with the pen, the brush and the binary raster operation, so that
// exclusive-or shapes and the clip behave as they do for every other call.
// Private to the drawing layer.
#pragma once

#include "DeviceContext.h"

#include <functional>

struct SStrokeStyle
{
    double width = 1;
    cairo_line_cap_t cap = CAIRO_LINE_CAP_ROUND;
    cairo_line_join_t join = CAIRO_LINE_JOIN_ROUND;
    std::vector<double> dashes;
};

// Builds a path in surface coordinates (a pixel's centre is at +0.5).
using FPathBuilder = std::function<void(cairo_t*)>;

// The pen's stroke as Cairo draws it, and whether the pen draws at all.
SStrokeStyle StrokeStyleOf(const SPenRecord& pen);
bool PenDraws(const SPenRecord* pPen);
// One-pixel pens take the exact line code; wider pens go through Cairo.
bool IsCosmeticPen(const SPenRecord& pen);

// Paints the path: its outline with the selected pen (when bStroke) and its
// inside with the selected brush (when bFill), touching nothing outside
// rcBounds (surface coordinates) and the clip.
void RasterShape(SDeviceContext& dc, const RECT& rcBounds, const FPathBuilder& buildPath, bool bFill,
                 cairo_fill_rule_t fillRule, bool bStroke);

// One-pixel lines from point to point (surface coordinates), each segment
// without its last point; the pen style runs on from segment to segment.
void CosmeticPolyline(SDeviceContext& dc, const std::vector<POINT>& points);
