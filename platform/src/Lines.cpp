// Lines, polylines and rectangles.
#include "LastError.h"
#include "ShapeRaster.h"

#include <algorithm>
#include <cmath>

namespace
{

// Dash lengths of styled one-pixel pens, on and off in turn.
struct SDashPattern
{
    const BYTE* pLengths;
    int nCount;
};

SDashPattern DashPatternOf(UINT nStyle)
{
    static const BYTE kDash[] = {18, 6};
    static const BYTE kDot[] = {3, 3};
    static const BYTE kDashDot[] = {9, 6, 3, 6};
    static const BYTE kDashDotDot[] = {9, 3, 3, 3, 3, 3};
    static const BYTE kAlternate[] = {1, 1};
    switch (nStyle & PS_STYLE_MASK)
    {
        case PS_DASH:
            return {kDash, 2};
        case PS_DOT:
            return {kDot, 2};
        case PS_DASHDOT:
            return {kDashDot, 4};
        case PS_DASHDOTDOT:
            return {kDashDotDot, 6};
        case PS_ALTERNATE:
            return {kAlternate, 2};
        default:
            return {nullptr, 0};
    }
}

// Where a styled line is in its pattern; kept from segment to segment.
struct SDashState
{
    SDashPattern pattern;
    int nIndex = 0;
    int nLeft = 0;

    explicit SDashState(UINT nStyle) : pattern(DashPatternOf(nStyle))
    {
        nLeft = pattern.nCount > 0 ? pattern.pLengths[0] : 0;
    }
    // Whether the next pixel is on; moves along the pattern.
    bool Next()
    {
        if (pattern.nCount == 0)
            return true;
        const bool bOn = (nIndex % 2) == 0;
        if (--nLeft == 0)
        {
            nIndex = (nIndex + 1) % pattern.nCount;
            nLeft = pattern.pLengths[nIndex];
        }
        return bOn;
    }
};

// Calls plot(x, y) for each pixel of the line from a to b, b left out.
// Halfway cases stay on the row (or column) the line started on.
template <class F> void Bresenham(POINT a, POINT b, F&& plot)
{
    const LONG dx = std::abs(b.x - a.x);
    const LONG dy = std::abs(b.y - a.y);
    const LONG sx = b.x >= a.x ? 1 : -1;
    const LONG sy = b.y >= a.y ? 1 : -1;
    LONG x = a.x;
    LONG y = a.y;
    if (dx >= dy)
    {
        LONG error = 2 * dy - dx;
        for (LONG i = 0; i < dx; ++i)
        {
            plot(x, y);
            if (error > 0)
            {
                y += sy;
                error -= 2 * dx;
            }
            error += 2 * dy;
            x += sx;
        }
    }
    else
    {
        LONG error = 2 * dx - dy;
        for (LONG i = 0; i < dy; ++i)
        {
            plot(x, y);
            if (error > 0)
            {
                x += sx;
                error -= 2 * dy;
            }
            error += 2 * dx;
            y += sy;
        }
    }
}

BOOL DrawLines(HDC hdc, const std::vector<POINT>& logicalPoints)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return FALSE;
    if (!PenDraws(pDC->state.pPen.get()) || logicalPoints.size() < 2)
        return TRUE;
    std::vector<POINT> points;
    points.reserve(logicalPoints.size());
    for (const POINT& pt : logicalPoints)
        points.push_back(pDC->ToSurface(pt));
    const SPenRecord& pen = *pDC->state.pPen;
    if (IsCosmeticPen(pen))
    {
        CosmeticPolyline(*pDC, points);
        return TRUE;
    }
    RECT bounds{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const POINT& pt : points)
    {
        bounds.left = std::min(bounds.left, pt.x);
        bounds.top = std::min(bounds.top, pt.y);
        bounds.right = std::max(bounds.right, pt.x);
        bounds.bottom = std::max(bounds.bottom, pt.y);
    }
    ::InflateRect(&bounds, pen.nWidth + 1, pen.nWidth + 1);
    RasterShape(
        *pDC, bounds,
        [&](cairo_t* pCairo)
        {
            cairo_move_to(pCairo, points[0].x + 0.5, points[0].y + 0.5);
            for (std::size_t i = 1; i < points.size(); ++i)
                cairo_line_to(pCairo, points[i].x + 0.5, points[i].y + 0.5);
        },
        false, CAIRO_FILL_RULE_WINDING, true);
    return TRUE;
}

} // namespace

bool PenDraws(const SPenRecord* pPen)
{
    return pPen != nullptr && (pPen->nStyle & PS_STYLE_MASK) != PS_NULL;
}

bool IsCosmeticPen(const SPenRecord& pen)
{
    return pen.nWidth <= 1;
}

void CosmeticPolyline(SDeviceContext& dc, const std::vector<POINT>& points)
{
    if (points.size() < 2 || !PenDraws(dc.state.pPen.get()))
        return;
    RECT bounds{points[0].x, points[0].y, points[0].x + 1, points[0].y + 1};
    for (const POINT& pt : points)
    {
        bounds.left = std::min(bounds.left, pt.x);
        bounds.top = std::min(bounds.top, pt.y);
        bounds.right = std::max(bounds.right, pt.x + 1);
        bounds.bottom = std::max(bounds.bottom, pt.y + 1);
    }
    const RECT clipBox = dc.SurfaceClipBox();
    RECT area;
    if (!::IntersectRect(&area, &bounds, &clipBox))
        return;
    const std::vector<RECT>& clip = dc.SurfaceClip();
    CDcPixels pixels(dc, area, true);
    const SPixelBuffer& buffer = pixels.Buffer();
    if (buffer.pData == nullptr)
        return;
    const DWORD penPixel = PixelFromColour(dc.PenColour());
    const DWORD gapPixel = PixelFromColour(dc.state.backgroundColour);
    const bool bOpaqueGaps = dc.state.nBackgroundMode == OPAQUE;
    const int nRop2 = dc.state.nRop2;
    SDashState dash(dc.state.pPen->nStyle);
    for (std::size_t i = 1; i < points.size(); ++i)
    {
        Bresenham(points[i - 1], points[i],
                  [&](LONG x, LONG y)
                  {
                      const bool bOn = dash.Next();
                      if ((!bOn && !bOpaqueGaps) || x < area.left || x >= area.right || y < area.top ||
                          y >= area.bottom || !ClipContains(clip, x, y))
                          return;
                      DWORD& pixel = buffer.Row(y)[x];
                      pixel = Rop2Pixel(nRop2, bOn ? penPixel : gapPixel, pixel);
                  });
    }
}

BOOL LineTo(HDC hdc, int x, int y)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return FALSE;
    const POINT from = pDC->state.ptCurrent;
    pDC->state.ptCurrent = POINT{x, y};
    return DrawLines(hdc, {from, POINT{x, y}});
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt)
{
    if (apt == nullptr || cpt < 2)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return DrawLines(hdc, std::vector<POINT>(apt, apt + cpt));
}

BOOL PolylineTo(HDC hdc, const POINT* apt, int cpt)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr || apt == nullptr || cpt < 1)
        return FALSE;
    std::vector<POINT> points{pDC->state.ptCurrent};
    points.insert(points.end(), apt, apt + cpt);
    pDC->state.ptCurrent = apt[cpt - 1];
    return DrawLines(hdc, points);
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return FALSE;
    RECT rc = pDC->ToSurface(RECT{left, top, right, bottom});
    OrderPair(rc.left, rc.right);
    OrderPair(rc.top, rc.bottom);
    const SPenRecord* pPen = pDC->state.pPen.get();
    const bool bPen = PenDraws(pPen);
    if (bPen && !IsCosmeticPen(*pPen))
    {
        // Wide pens straddle the edge, or lie inside it with PS_INSIDEFRAME.
        const double width = pPen->nWidth;
        const double inset = (pPen->nStyle & PS_STYLE_MASK) == PS_INSIDEFRAME ? width / 2 : 0.5;
        RECT bounds = rc;
        ::InflateRect(&bounds, pPen->nWidth + 1, pPen->nWidth + 1);
        RasterShape(
            *pDC, bounds,
            [&](cairo_t* pCairo)
            {
                cairo_rectangle(pCairo, rc.left + inset, rc.top + inset, rc.right - rc.left - 2 * inset,
                                rc.bottom - rc.top - 2 * inset);
            },
            true, CAIRO_FILL_RULE_WINDING, true);
        return TRUE;
    }
    // The inside: without a pen the rectangle is one pixel smaller, as in GDI.
    RECT inside = bPen ? RECT{rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1}
                       : RECT{rc.left, rc.top, rc.right - 1, rc.bottom - 1};
    const SBrushPaint brush = pDC->BrushPaint();
    const int nRop2 = pDC->state.nRop2;
    if (brush.eKind != SBrushPaint::EKind::Null && inside.right > inside.left && inside.bottom > inside.top)
    {
        ForEachClipPart(*pDC, inside, true,
                        [&](const SPixelBuffer& buffer, const RECT& part)
                        {
                            for (LONG y = part.top; y < part.bottom; ++y)
                            {
                                DWORD* pRow = buffer.Row(y);
                                for (LONG x = part.left; x < part.right; ++x)
                                {
                                    DWORD pattern;
                                    if (brush.At(x, y, pattern))
                                        pRow[x] = Rop2Pixel(nRop2, pattern, pRow[x]);
                                }
                            }
                        });
    }
    if (!bPen || rc.right <= rc.left || rc.bottom <= rc.top)
        return TRUE;
    if (rc.right - rc.left <= 2 || rc.bottom - rc.top <= 2)
    {
        // Too small for a ring: every pixel is outline, each painted once.
        const DWORD penPixel = PixelFromColour(pDC->PenColour());
        ForEachClipPart(*pDC, rc, true,
                        [&](const SPixelBuffer& buffer, const RECT& part)
                        {
                            for (LONG y = part.top; y < part.bottom; ++y)
                                PenSpan(buffer, y, part.left, part.right, penPixel, nRop2);
                        });
        return TRUE;
    }
    CosmeticPolyline(*pDC,
                     {POINT{rc.left, rc.top}, POINT{rc.right - 1, rc.top}, POINT{rc.right - 1, rc.bottom - 1},
                      POINT{rc.left, rc.bottom - 1}, POINT{rc.left, rc.top}});
    return TRUE;
}
