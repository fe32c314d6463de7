// Pixels, fills, frames, inversions and the 3-D and focus frames: all
// written on the pixels directly, so they are exact.
#include "DeviceContext.h"
#include "LastError.h"

namespace
{

RECT NormalisedSurfaceRect(const SDeviceContext& dc, const RECT& rcLogical)
{
    RECT rc = dc.ToSurface(rcLogical);
    OrderPair(rc.left, rc.right);
    OrderPair(rc.top, rc.bottom);
    return rc;
}

void PatternFill(SDeviceContext& dc, const RECT& rcSurface, const SBrushPaint& brush, DWORD rop)
{
    ForEachClipPart(dc, rcSurface, true,
                    [&](const SPixelBuffer& buffer, const RECT& part)
                    { PatternRect(buffer, part, brush, Rop3Index(rop)); });
}

void SolidFill(SDeviceContext& dc, const RECT& rcSurface, COLORREF colour)
{
    SBrushPaint brush;
    brush.eKind = SBrushPaint::EKind::Solid;
    brush.pixel = PixelFromColour(colour);
    PatternFill(dc, rcSurface, brush, PATCOPY);
}

// The region's rectangles moved from logical to surface coordinates.
std::vector<RECT> SurfaceRegion(const SDeviceContext& dc, HRGN hrgn)
{
    std::vector<RECT> rects = GetRegionRects(hrgn);
    for (RECT& rc : rects)
        rc = dc.ToSurface(rc);
    return rects;
}

// Edges of a 3-D frame: which colour each side of each ring takes.
struct SRing
{
    int nTopLeft;
    int nBottomRight;
};

void DrawRing(SDeviceContext& dc, RECT& rc, COLORREF topLeft, COLORREF bottomRight, UINT grfFlags)
{
    const bool bLeft = (grfFlags & BF_LEFT) != 0;
    const bool bTop = (grfFlags & BF_TOP) != 0;
    const bool bRight = (grfFlags & BF_RIGHT) != 0;
    const bool bBottom = (grfFlags & BF_BOTTOM) != 0;
    // The bottom-right colour owns the top-right and bottom-left corners.
    if (bTop)
        SolidFill(dc, RECT{rc.left, rc.top, rc.right - (bRight ? 1 : 0), rc.top + 1}, topLeft);
    if (bLeft)
        SolidFill(dc, RECT{rc.left, rc.top, rc.left + 1, rc.bottom - (bBottom ? 1 : 0)}, topLeft);
    if (bRight)
        SolidFill(dc, RECT{rc.right - 1, rc.top, rc.right, rc.bottom}, bottomRight);
    if (bBottom)
        SolidFill(dc, RECT{rc.left, rc.bottom - 1, rc.right, rc.bottom}, bottomRight);
    rc.left += bLeft ? 1 : 0;
    rc.top += bTop ? 1 : 0;
    rc.right -= bRight ? 1 : 0;
    rc.bottom -= bBottom ? 1 : 0;
}

} // namespace

std::shared_ptr<SBrushRecord> ResolveBrush(HBRUSH hBrush)
{
    const auto value = reinterpret_cast<ULONG_PTR>(hBrush);
    if (value >= 1 && value <= COLOR_MENUBAR + 1)
        return GdiPeekAs<SBrushRecord>(GetSysColorBrush(static_cast<int>(value - 1)));
    std::shared_ptr<SBrushRecord> pBrush = GdiFindAs<SBrushRecord>(hBrush);
    if (pBrush == nullptr)
        SetLastError(ERROR_INVALID_HANDLE);
    return pBrush;
}

COLORREF GetPixel(HDC hdc, int x, int y)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return CLR_INVALID;
    const POINT pt = pDC->ToSurface(POINT{x, y});
    if (!ClipContains(pDC->SurfaceClip(), pt.x, pt.y))
        return CLR_INVALID;
    CDcPixels pixels(*pDC, RECT{pt.x, pt.y, pt.x + 1, pt.y + 1}, false);
    return ColourFromPixel(pixels.Buffer().Row(pt.y)[pt.x]);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return CLR_INVALID;
    const POINT pt = pDC->ToSurface(POINT{x, y});
    if (!ClipContains(pDC->SurfaceClip(), pt.x, pt.y))
        return CLR_INVALID;
    CDcPixels pixels(*pDC, RECT{pt.x, pt.y, pt.x + 1, pt.y + 1}, true);
    pixels.Buffer().Row(pt.y)[pt.x] = PixelFromColour(color);
    return color & 0x00FFFFFFu;
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color)
{
    return SetPixel(hdc, x, y, color) != CLR_INVALID ? TRUE : FALSE;
}

int FillRect(HDC hdc, const RECT* lprc, HBRUSH hbr)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    std::shared_ptr<SBrushRecord> pBrush = pDC != nullptr ? ResolveBrush(hbr) : nullptr;
    if (pBrush == nullptr || lprc == nullptr)
        return 0;
    // Unlike the shape calls, a fill with its edges the wrong way round
    // fills nothing.
    PatternFill(*pDC, pDC->ToSurface(*lprc), pDC->BrushPaint(pBrush.get()), PATCOPY);
    return 1;
}

int FrameRect(HDC hdc, const RECT* lprc, HBRUSH hbr)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    std::shared_ptr<SBrushRecord> pBrush = pDC != nullptr ? ResolveBrush(hbr) : nullptr;
    if (pBrush == nullptr || lprc == nullptr)
        return 0;
    const RECT rc = pDC->ToSurface(*lprc);
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return 1;
    const SBrushPaint brush = pDC->BrushPaint(pBrush.get());
    PatternFill(*pDC, RECT{rc.left, rc.top, rc.right, rc.top + 1}, brush, PATCOPY);
    if (rc.bottom - rc.top > 1)
        PatternFill(*pDC, RECT{rc.left, rc.bottom - 1, rc.right, rc.bottom}, brush, PATCOPY);
    PatternFill(*pDC, RECT{rc.left, rc.top + 1, rc.left + 1, rc.bottom - 1}, brush, PATCOPY);
    if (rc.right - rc.left > 1)
        PatternFill(*pDC, RECT{rc.right - 1, rc.top + 1, rc.right, rc.bottom - 1}, brush, PATCOPY);
    return 1;
}

BOOL InvertRect(HDC hdc, const RECT* lprc)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr || lprc == nullptr)
        return FALSE;
    PatternFill(*pDC, pDC->ToSurface(*lprc), SBrushPaint{}, DSTINVERT);
    return TRUE;
}

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    std::shared_ptr<SBrushRecord> pBrush = pDC != nullptr ? ResolveBrush(hbr) : nullptr;
    if (pBrush == nullptr || !IsRegionHandle(hrgn))
        return FALSE;
    const SBrushPaint brush = pDC->BrushPaint(pBrush.get());
    for (const RECT& rc : SurfaceRegion(*pDC, hrgn))
        PatternFill(*pDC, rc, brush, PATCOPY);
    return TRUE;
}

BOOL PaintRgn(HDC hdc, HRGN hrgn)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr || !IsRegionHandle(hrgn))
        return FALSE;
    const SBrushPaint brush = pDC->BrushPaint();
    for (const RECT& rc : SurfaceRegion(*pDC, hrgn))
        PatternFill(*pDC, rc, brush, PATCOPY);
    return TRUE;
}

BOOL InvertRgn(HDC hdc, HRGN hrgn)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr || !IsRegionHandle(hrgn))
        return FALSE;
    for (const RECT& rc : SurfaceRegion(*pDC, hrgn))
        PatternFill(*pDC, rc, SBrushPaint{}, DSTINVERT);
    return TRUE;
}

BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    std::shared_ptr<SBrushRecord> pBrush = pDC != nullptr ? ResolveBrush(hbr) : nullptr;
    if (pBrush == nullptr || !IsRegionHandle(hrgn) || w < 0 || h < 0)
        return FALSE;
    // The frame is what remains of the region after taking away every pixel
    // that lies at least w pixels across and h down inside it.
    const std::vector<RECT> region = SurfaceRegion(*pDC, hrgn);
    std::vector<RECT> inner = region;
    for (const POINT shift : {POINT{w, 0}, POINT{-w, 0}, POINT{0, h}, POINT{0, -h}})
    {
        std::vector<RECT> moved = region;
        for (RECT& rc : moved)
            ::OffsetRect(&rc, shift.x, shift.y);
        inner = CombineRectLists(inner, moved, RGN_AND);
    }
    const SBrushPaint brush = pDC->BrushPaint(pBrush.get());
    for (const RECT& rc : CombineRectLists(region, inner, RGN_DIFF))
        PatternFill(*pDC, rc, brush, PATCOPY);
    return TRUE;
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return FALSE;
    if (Rop3UsesSource(Rop3Index(rop)))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const RECT rc = NormalisedSurfaceRect(*pDC, RECT{x, y, x + w, y + h});
    PatternFill(*pDC, rc, pDC->BrushPaint(), rop);
    return TRUE;
}

BOOL DrawFocusRect(HDC hdc, const RECT* lprc)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr || lprc == nullptr)
        return FALSE;
    const RECT rc = pDC->ToSurface(*lprc);
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return TRUE;
    // Every other pixel of the one-pixel frame is inverted, each exactly
    // once, so a second call puts every pixel back.
    ForEachClipPart(*pDC, rc, true,
                    [&](const SPixelBuffer& buffer, const RECT& part)
                    {
                        for (LONG y = part.top; y < part.bottom; ++y)
                        {
                            const bool bEdgeRow = y == rc.top || y == rc.bottom - 1;
                            DWORD* pRow = buffer.Row(y);
                            for (LONG x = part.left; x < part.right; ++x)
                            {
                                if (!bEdgeRow && x != rc.left && x != rc.right - 1)
                                {
                                    if (x < rc.right - 1)
                                        x = std::max(x, rc.right - 2);
                                    continue;
                                }
                                if (((x + y) & 1) == 0)
                                    pRow[x] ^= kColourMask;
                            }
                        }
                    });
    return TRUE;
}

BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr || qrc == nullptr)
        return FALSE;
    if ((grfFlags & BF_DIAGONAL) != 0)
    {
        // Diagonal edges are not drawn by this layer.
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    SRing outer{-1, -1};
    SRing inner{-1, -1};
    if (edge & BDR_RAISEDOUTER)
        outer = {COLOR_3DLIGHT, COLOR_3DDKSHADOW};
    else if (edge & BDR_SUNKENOUTER)
        outer = {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    if (edge & BDR_RAISEDINNER)
        inner = {COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    else if (edge & BDR_SUNKENINNER)
        inner = {COLOR_3DDKSHADOW, COLOR_3DLIGHT};
    if ((grfFlags & BF_SOFT) != 0 && outer.nTopLeft >= 0 && inner.nTopLeft >= 0)
        std::swap(outer.nTopLeft, inner.nTopLeft);
    if ((grfFlags & BF_MONO) != 0)
    {
        outer = {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
        inner = inner.nTopLeft >= 0 ? SRing{COLOR_WINDOW, COLOR_WINDOW} : inner;
    }
    else if ((grfFlags & BF_FLAT) != 0)
    {
        outer = {COLOR_BTNSHADOW, COLOR_BTNSHADOW};
        inner = inner.nTopLeft >= 0 ? SRing{COLOR_BTNFACE, COLOR_BTNFACE} : inner;
    }
    // A single border takes the outer ring.
    if (outer.nTopLeft < 0)
        std::swap(outer, inner);

    RECT rc = pDC->ToSurface(*qrc);
    for (const SRing& ring : {outer, inner})
    {
        if (ring.nTopLeft >= 0 && rc.right > rc.left && rc.bottom > rc.top)
            DrawRing(*pDC, rc, GetSysColor(ring.nTopLeft), GetSysColor(ring.nBottomRight), grfFlags);
    }
    if ((grfFlags & BF_MIDDLE) != 0 && rc.right > rc.left && rc.bottom > rc.top)
        SolidFill(*pDC, rc, GetSysColor((grfFlags & BF_MONO) != 0 ? COLOR_WINDOW : COLOR_BTNFACE));
    if ((grfFlags & BF_ADJUST) != 0)
        *qrc = pDC->ToLogical(rc);
    return TRUE;
}
