// Clip regions of device contexts.
#include "DeviceContext.h"
#include "LastError.h"

namespace
{

int RegionType(const std::vector<RECT>& rects)
{
    return rects.empty() ? NULLREGION : rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// The clip the device context has in device coordinates; without a selected
// region, all that it can reach.
std::vector<RECT> CurrentDeviceClip(SDeviceContext& dc)
{
    if (dc.state.bHasClip)
        return dc.state.clip;
    std::vector<RECT> reach = dc.SurfaceClip();
    for (RECT& rc : reach)
        ::OffsetRect(&rc, -dc.ptOrigin.x, -dc.ptOrigin.y);
    return reach;
}

int SetDeviceClip(SDeviceContext& dc, std::vector<RECT> rects)
{
    dc.state.bHasClip = true;
    dc.state.clip = std::move(rects);
    dc.ClipChanged();
    return RegionType(dc.SurfaceClip());
}

RECT LogicalToDevice(const SDeviceContext& dc, int left, int top, int right, int bottom)
{
    const LONG dx = dc.state.ptViewportOrigin.x - dc.state.ptWindowOrigin.x;
    const LONG dy = dc.state.ptViewportOrigin.y - dc.state.ptWindowOrigin.y;
    RECT rc{left + dx, top + dy, right + dx, bottom + dy};
    OrderPair(rc.left, rc.right);
    OrderPair(rc.top, rc.bottom);
    return rc;
}

} // namespace

int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return RGN_ERROR;
    if (hrgn == nullptr)
    {
        if (mode != RGN_COPY)
        {
            SetLastError(ERROR_INVALID_PARAMETER);
            return RGN_ERROR;
        }
        pDC->state.bHasClip = false;
        pDC->state.clip.clear();
        pDC->ClipChanged();
        return RegionType(pDC->SurfaceClip());
    }
    if (!IsRegionHandle(hrgn) || mode < RGN_AND || mode > RGN_COPY)
    {
        SetLastError(IsRegionHandle(hrgn) ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return RGN_ERROR;
    }
    std::vector<RECT> region = GetRegionRects(hrgn);
    if (mode == RGN_COPY)
        return SetDeviceClip(*pDC, std::move(region));
    return SetDeviceClip(*pDC, CombineRectLists(CurrentDeviceClip(*pDC), region, mode));
}

int SelectClipRgn(HDC hdc, HRGN hrgn)
{
    return ExtSelectClipRgn(hdc, hrgn, RGN_COPY);
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return RGN_ERROR;
    const RECT rc = LogicalToDevice(*pDC, left, top, right, bottom);
    return SetDeviceClip(*pDC, CombineRectLists(CurrentDeviceClip(*pDC), {rc}, RGN_AND));
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return RGN_ERROR;
    const RECT rc = LogicalToDevice(*pDC, left, top, right, bottom);
    return SetDeviceClip(*pDC, CombineRectLists(CurrentDeviceClip(*pDC), {rc}, RGN_DIFF));
}

int OffsetClipRgn(HDC hdc, int x, int y)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return RGN_ERROR;
    if (!pDC->state.bHasClip)
        return RegionType(pDC->SurfaceClip());
    std::vector<RECT> moved = pDC->state.clip;
    for (RECT& rc : moved)
        ::OffsetRect(&rc, x, y);
    return SetDeviceClip(*pDC, std::move(moved));
}

int GetClipBox(HDC hdc, LPRECT lprect)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr || lprect == nullptr)
        return RGN_ERROR;
    const std::vector<RECT>& clip = pDC->SurfaceClip();
    *lprect = clip.empty() ? RECT{0, 0, 0, 0} : pDC->ToLogical(BoundingRect(clip));
    return RegionType(clip);
}

int GetClipRgn(HDC hdc, HRGN hrgn)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr || !IsRegionHandle(hrgn))
        return -1;
    if (!pDC->state.bHasClip)
        return 0;
    SetRectRgn(hrgn, 0, 0, 0, 0);
    for (const RECT& rc : pDC->state.clip)
    {
        HRGN hPart = CreateRectRgnIndirect(&rc);
        CombineRgn(hrgn, hrgn, hPart, RGN_OR);
        DeleteRgn(hPart);
    }
    return 1;
}

BOOL PtVisible(HDC hdc, int x, int y)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr)
        return FALSE;
    const POINT pt = pDC->ToSurface(POINT{x, y});
    return ClipContains(pDC->SurfaceClip(), pt.x, pt.y) ? TRUE : FALSE;
}

BOOL RectVisible(HDC hdc, const RECT* lprect)
{
    std::shared_ptr<SDeviceContext> pDC = FindDC(hdc);
    if (pDC == nullptr || lprect == nullptr)
        return FALSE;
    RECT rc = pDC->ToSurface(*lprect);
    OrderPair(rc.left, rc.right);
    OrderPair(rc.top, rc.bottom);
    bool bVisible = false;
    ForEachClipped(pDC->SurfaceClip(), rc, [&](const RECT&) { bVisible = true; });
    return bVisible ? TRUE : FALSE;
}
