// Ellipses, rounded rectangles, polygons, arcs, pies and chords, and the
// mask rasteriser behind them.
#include "LastError.h"
#include "ShapeRaster.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace
{

// An 8-bit coverage mask the size of the area being drawn.
class CMask
{
public:
    CMask(const RECT& area) : m_area(area)
    {
        m_pSurface =
            cairo_image_surface_create(CAIRO_FORMAT_A8, area.right - area.left, area.bottom - area.top);
    }
    ~CMask() { cairo_surface_destroy(m_pSurface); }
    CMask(const CMask&) = delete;
    CMask& operator=(const CMask&) = delete;

    bool Valid() const { return cairo_surface_status(m_pSurface) == CAIRO_STATUS_SUCCESS; }

    // A context whose user space is surface coordinates, without antialiasing.
    cairo_t* Begin()
    {
        cairo_t* pCairo = cairo_create(m_pSurface);
        cairo_set_antialias(pCairo, CAIRO_ANTIALIAS_NONE);
        cairo_translate(pCairo, -m_area.left, -m_area.top);
        return pCairo;
    }
    void End(cairo_t* pCairo)
    {
        cairo_destroy(pCairo);
        cairo_surface_flush(m_pSurface);
        m_pData = cairo_image_surface_get_data(m_pSurface);
        m_nStride = cairo_image_surface_get_stride(m_pSurface);
    }
    bool Covered(LONG x, LONG y) const
    {
        return m_pData != nullptr && m_pData[(y - m_area.top) * m_nStride + (x - m_area.left)] != 0;
    }

private:
    RECT m_area;
    cairo_surface_t* m_pSurface = nullptr;
    const BYTE* m_pData = nullptr;
    int m_nStride = 0;
};

double AngleOf(double x, double y, double cx, double cy, double rx, double ry)
{
    return std::atan2((y - cy) / std::max(ry, 1e-9), (x - cx) / std::max(rx, 1e-9));
}

enum class EArcKind
{
    Arc,
    Pie,
    Chord,
};

BOOL DrawArcShape(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, EArcKind eKind)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return FALSE;
    RECT rc = pDC->ToSurface(RECT{x1, y1, x2, y2});
    OrderPair(rc.left, rc.right);
    OrderPair(rc.top, rc.bottom);
    const POINT start = pDC->ToSurface(POINT{x3, y3});
    const POINT end = pDC->ToSurface(POINT{x4, y4});
    // The curve runs through the centres of the bounding box's edge pixels.
    const double cx = (rc.left + rc.right) / 2.0;
    const double cy = (rc.top + rc.bottom) / 2.0;
    const double rx = std::max(0.0, (rc.right - rc.left - 1) / 2.0);
    const double ry = std::max(0.0, (rc.bottom - rc.top - 1) / 2.0);
    const double a1 = AngleOf(start.x + 0.5, start.y + 0.5, cx, cy, rx, ry);
    double a2 = AngleOf(end.x + 0.5, end.y + 0.5, cx, cy, rx, ry);
    const bool bCounterClockwise = pDC->state.nArcDirection == AD_COUNTERCLOCKWISE;
    // The same start and end make a whole ellipse.
    if (std::abs(a2 - a1) < 1e-9)
        a2 = bCounterClockwise ? a1 - 2 * std::numbers::pi : a1 + 2 * std::numbers::pi;
    const LONG nPenWidth = pDC->state.pPen != nullptr ? pDC->state.pPen->nWidth : 1;
    RECT bounds = rc;
    ::InflateRect(&bounds, nPenWidth + 1, nPenWidth + 1);
    RasterShape(
        *pDC, bounds,
        [&](cairo_t* pCairo)
        {
            if (eKind == EArcKind::Pie)
                cairo_move_to(pCairo, cx, cy);
            cairo_save(pCairo);
            cairo_translate(pCairo, cx, cy);
            cairo_scale(pCairo, std::max(rx, 1e-3), std::max(ry, 1e-3));
            // Counter-clockwise on the screen is decreasing angle when y
            // grows downwards.
            if (bCounterClockwise)
                cairo_arc_negative(pCairo, 0, 0, 1, a1, a2);
            else
                cairo_arc(pCairo, 0, 0, 1, a1, a2);
            cairo_restore(pCairo);
            if (eKind != EArcKind::Arc)
                cairo_close_path(pCairo);
        },
        eKind != EArcKind::Arc, CAIRO_FILL_RULE_WINDING, true);
    return TRUE;
}

void RoundRectPath(cairo_t* pCairo, double left, double top, double right, double bottom, double rx,
                   double ry)
{
    rx = std::min(rx, (right - left) / 2);
    ry = std::min(ry, (bottom - top) / 2);
    if (rx <= 0 || ry <= 0)
    {
        cairo_rectangle(pCairo, left, top, right - left, bottom - top);
        return;
    }
    const double pi = std::numbers::pi;
    auto corner = [&](double cx, double cy, double from, double to)
    {
        cairo_save(pCairo);
        cairo_translate(pCairo, cx, cy);
        cairo_scale(pCairo, rx, ry);
        cairo_arc(pCairo, 0, 0, 1, from, to);
        cairo_restore(pCairo);
    };
    cairo_new_sub_path(pCairo);
    corner(right - rx, top + ry, -pi / 2, 0);
    corner(right - rx, bottom - ry, 0, pi / 2);
    corner(left + rx, bottom - ry, pi / 2, pi);
    corner(left + rx, top + ry, pi, 3 * pi / 2);
    cairo_close_path(pCairo);
}

BOOL DrawPolygons(HDC hdc, const POINT* apt, const INT* asz, int csz)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return FALSE;
    if (apt == nullptr || asz == nullptr || csz < 1)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<std::vector<POINT>> polygons;
    const POINT* pNext = apt;
    RECT bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int i = 0; i < csz; ++i)
    {
        if (asz[i] < 2)
        {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        std::vector<POINT>& polygon = polygons.emplace_back();
        for (int k = 0; k < asz[i]; ++k)
        {
            const POINT pt = pDC->ToSurface(*pNext++);
            polygon.push_back(pt);
            bounds.left = std::min(bounds.left, pt.x);
            bounds.top = std::min(bounds.top, pt.y);
            bounds.right = std::max(bounds.right, pt.x + 1);
            bounds.bottom = std::max(bounds.bottom, pt.y + 1);
        }
    }
    const LONG nPenWidth = pDC->state.pPen != nullptr ? pDC->state.pPen->nWidth : 1;
    ::InflateRect(&bounds, nPenWidth + 1, nPenWidth + 1);
    const cairo_fill_rule_t rule =
        pDC->state.nPolyFillMode == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD;
    RasterShape(
        *pDC, bounds,
        [&](cairo_t* pCairo)
        {
            for (const std::vector<POINT>& polygon : polygons)
            {
                cairo_move_to(pCairo, polygon[0].x + 0.5, polygon[0].y + 0.5);
                for (std::size_t k = 1; k < polygon.size(); ++k)
                    cairo_line_to(pCairo, polygon[k].x + 0.5, polygon[k].y + 0.5);
                cairo_close_path(pCairo);
            }
        },
        true, rule, true);
    return TRUE;
}

} // namespace

SStrokeStyle StrokeStyleOf(const SPenRecord& pen)
{
    SStrokeStyle style;
    style.width = std::max<LONG>(1, pen.nWidth);
    switch (pen.nStyle & PS_ENDCAP_MASK)
    {
        case PS_ENDCAP_SQUARE:
            style.cap = CAIRO_LINE_CAP_SQUARE;
            break;
        case PS_ENDCAP_FLAT:
            style.cap = CAIRO_LINE_CAP_BUTT;
            break;
        default:
            style.cap = CAIRO_LINE_CAP_ROUND;
            break;
    }
    switch (pen.nStyle & PS_JOIN_MASK)
    {
        case PS_JOIN_BEVEL:
            style.join = CAIRO_LINE_JOIN_BEVEL;
            break;
        case PS_JOIN_MITER:
            style.join = CAIRO_LINE_JOIN_MITER;
            break;
        default:
            style.join = CAIRO_LINE_JOIN_ROUND;
            break;
    }
    // Dashes scale with the width, as geometric pens' do.
    const double w = style.width;
    switch (pen.nStyle & PS_STYLE_MASK)
    {
        case PS_DASH:
            style.dashes = {w <= 1 ? 18 : 3 * w, w <= 1 ? 6 : w};
            break;
        case PS_DOT:
            style.dashes = {w <= 1 ? 3 : w, w <= 1 ? 3 : w};
            break;
        case PS_DASHDOT:
            style.dashes = {w <= 1 ? 9 : 3 * w, w <= 1 ? 6 : w, w <= 1 ? 3 : w, w <= 1 ? 6 : w};
            break;
        case PS_DASHDOTDOT:
            style.dashes = {w <= 1 ? 9 : 3 * w, w, w, w, w, w};
            break;
        case PS_ALTERNATE:
            style.dashes = {1, 1};
            break;
        default:
            break;
    }
    if (style.width <= 1)
    {
        // One-pixel outlines keep the pixel-exact look of cosmetic pens.
        style.cap = CAIRO_LINE_CAP_SQUARE;
        style.join = CAIRO_LINE_JOIN_MITER;
    }
    return style;
}

void RasterShape(SDeviceContext& dc, const RECT& rcBounds, const FPathBuilder& buildPath, bool bFill,
                 cairo_fill_rule_t fillRule, bool bStroke)
{
    const RECT clipBox = dc.SurfaceClipBox();
    RECT area;
    if (!::IntersectRect(&area, &rcBounds, &clipBox))
        return;
    const SPenRecord* pPen = dc.state.pPen.get();
    const SBrushPaint brush = dc.BrushPaint();
    bStroke = bStroke && PenDraws(pPen);
    bFill = bFill && brush.eKind != SBrushPaint::EKind::Null;
    if (!bStroke && !bFill)
        return;

    CMask fillMask(area);
    CMask strokeMask(area);
    if (!fillMask.Valid() || !strokeMask.Valid())
        return;
    if (bFill)
    {
        cairo_t* pCairo = fillMask.Begin();
        buildPath(pCairo);
        cairo_set_fill_rule(pCairo, fillRule);
        cairo_fill(pCairo);
        fillMask.End(pCairo);
    }
    if (bStroke)
    {
        const SStrokeStyle style = StrokeStyleOf(*pPen);
        cairo_t* pCairo = strokeMask.Begin();
        buildPath(pCairo);
        cairo_set_line_width(pCairo, style.width);
        cairo_set_line_cap(pCairo, style.cap);
        cairo_set_line_join(pCairo, style.join);
        if (!style.dashes.empty())
            cairo_set_dash(pCairo, style.dashes.data(), static_cast<int>(style.dashes.size()), 0);
        cairo_stroke(pCairo);
        strokeMask.End(pCairo);
    }

    const DWORD penPixel = PixelFromColour(dc.PenColour());
    const int nRop2 = dc.state.nRop2;
    ForEachClipPart(dc, area, true,
                    [&](const SPixelBuffer& buffer, const RECT& part)
                    {
                        for (LONG y = part.top; y < part.bottom; ++y)
                        {
                            DWORD* pRow = buffer.Row(y);
                            for (LONG x = part.left; x < part.right; ++x)
                            {
                                DWORD pattern;
                                if (bStroke && strokeMask.Covered(x, y))
                                    pRow[x] = Rop2Pixel(nRop2, penPixel, pRow[x]);
                                else if (bFill && fillMask.Covered(x, y) && brush.At(x, y, pattern))
                                    pRow[x] = Rop2Pixel(nRop2, pattern, pRow[x]);
                            }
                        }
                    });
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return FALSE;
    RECT rc = pDC->ToSurface(RECT{left, top, right, bottom});
    OrderPair(rc.left, rc.right);
    OrderPair(rc.top, rc.bottom);
    if (rc.right - rc.left < 1 || rc.bottom - rc.top < 1)
        return TRUE;
    const bool bPen = PenDraws(pDC->state.pPen.get());
    const LONG nPenWidth = bPen ? pDC->state.pPen->nWidth : 1;
    // With a pen the outline runs through the centres of the edge pixels;
    // without one the inside ends a pixel short on the right and bottom, as
    // for Rectangle.
    const double cx = (rc.left + rc.right - (bPen ? 0.0 : 1.0)) / 2.0;
    const double cy = (rc.top + rc.bottom - (bPen ? 0.0 : 1.0)) / 2.0;
    const double rx = std::max(0.25, (rc.right - rc.left - 1) / 2.0);
    const double ry = std::max(0.25, (rc.bottom - rc.top - 1) / 2.0);
    RECT bounds = rc;
    ::InflateRect(&bounds, nPenWidth + 1, nPenWidth + 1);
    RasterShape(
        *pDC, bounds,
        [&](cairo_t* pCairo)
        {
            cairo_save(pCairo);
            cairo_translate(pCairo, cx, cy);
            cairo_scale(pCairo, rx, ry);
            cairo_new_sub_path(pCairo);
            cairo_arc(pCairo, 0, 0, 1, 0, 2 * std::numbers::pi);
            cairo_close_path(pCairo);
            cairo_restore(pCairo);
        },
        true, CAIRO_FILL_RULE_WINDING, true);
    return TRUE;
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return FALSE;
    RECT rc = pDC->ToSurface(RECT{left, top, right, bottom});
    OrderPair(rc.left, rc.right);
    OrderPair(rc.top, rc.bottom);
    if (rc.right - rc.left < 1 || rc.bottom - rc.top < 1)
        return TRUE;
    const LONG nPenWidth = pDC->state.pPen != nullptr ? pDC->state.pPen->nWidth : 1;
    RECT bounds = rc;
    ::InflateRect(&bounds, nPenWidth + 1, nPenWidth + 1);
    RasterShape(
        *pDC, bounds,
        [&](cairo_t* pCairo)
        {
            RoundRectPath(pCairo, rc.left + 0.5, rc.top + 0.5, rc.right - 0.5, rc.bottom - 0.5,
                          std::abs(width) / 2.0, std::abs(height) / 2.0);
        },
        true, CAIRO_FILL_RULE_WINDING, true);
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* apt, int cpt)
{
    const INT nCount = cpt;
    return DrawPolygons(hdc, apt, &nCount, 1);
}

BOOL PolyPolygon(HDC hdc, const POINT* apt, const INT* asz, int csz)
{
    return DrawPolygons(hdc, apt, asz, csz);
}

BOOL Arc(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return DrawArcShape(hdc, x1, y1, x2, y2, x3, y3, x4, y4, EArcKind::Arc);
}

BOOL Pie(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return DrawArcShape(hdc, x1, y1, x2, y2, x3, y3, x4, y4, EArcKind::Pie);
}

BOOL Chord(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return DrawArcShape(hdc, x1, y1, x2, y2, x3, y3, x4, y4, EArcKind::Chord);
}
