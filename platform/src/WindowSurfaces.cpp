// Window surfaces: each visible top-level window owns a 32-bit image surface
// the size of its window rectangle, and its children draw into it, clipped
// to what of them can be seen. This is where the window manager's painting
// bookkeeping meets the device contexts of the drawing layer.
#include "WindowSurfaces.h"

#include "Dc.h"
#include "Gdi.h"
#include "Headless.h"
#include "LastError.h"
#include "Region.h"
#include "Wnd.h"

#include <algorithm>
#include <map>

namespace
{

// A device context handed out on a window, with where it draws.
struct SWindowDC
{
    HWND hTopLevel = nullptr; // null for the screen's
    RECT rcReach{};           // what it can touch, in top-level window coordinates
};

std::map<HDC, SWindowDC>& WindowDCs()
{
    static std::map<HDC, SWindowDC> s_dcs;
    return s_dcs;
}

SIZE WindowSize(const SWindowRecord& record)
{
    return {record.rcWindow.right - record.rcWindow.left, record.rcWindow.bottom - record.rcWindow.top};
}

std::vector<RECT> Offset(std::vector<RECT> rects, LONG dx, LONG dy)
{
    for (RECT& rc : rects)
        OffsetRect(&rc, dx, dy);
    return rects;
}

// A window's own shape (its rectangle, cut by its window region) with its
// top-left corner at ptWindow.
std::vector<RECT> WindowShape(const SWindowRecord& record, POINT ptWindow)
{
    const SIZE size = WindowSize(record);
    std::vector<RECT> shape{RECT{0, 0, size.cx, size.cy}};
    if (record.hRegion != nullptr)
        shape = CombineRectLists(shape, GetRegionRects(record.hRegion), RGN_AND);
    return Offset(std::move(shape), ptWindow.x, ptWindow.y);
}

RECT ClientInWindow(const SWindowRecord& record, POINT ptWindow)
{
    RECT rc = record.rcClient;
    OffsetRect(&rc, ptWindow.x, ptWindow.y);
    return rc;
}

// The top-left corner of a window in its top-level window's coordinates.
bool WindowPositionInTopLevel(CWindowManager& manager, const SWindowRecord& record, POINT& ptWindow,
                              HWND& hTopLevel)
{
    ptWindow = {0, 0};
    const SWindowRecord* pCurrent = &record;
    while (pCurrent->hParent != nullptr)
    {
        const SWindowRecord* pParent = manager.FindQuiet(pCurrent->hParent);
        if (pParent == nullptr)
            return false;
        ptWindow.x += pCurrent->rcWindow.left + pParent->rcClient.left;
        ptWindow.y += pCurrent->rcWindow.top + pParent->rcClient.top;
        pCurrent = pParent;
    }
    hTopLevel = pCurrent->hWnd;
    return true;
}

// Takes away the visible children of a window whose corner is at ptWindow.
void ExcludeChildren(CWindowManager& manager, const SWindowRecord& record, POINT ptWindow,
                     std::vector<RECT>& rects)
{
    const POINT ptClient{ptWindow.x + record.rcClient.left, ptWindow.y + record.rcClient.top};
    for (HWND hChild : record.children)
    {
        const SWindowRecord* pChild = manager.FindQuiet(hChild);
        if (pChild == nullptr || (pChild->dwStyle & WS_VISIBLE) == 0)
            continue;
        const POINT ptChild{ptClient.x + pChild->rcWindow.left, ptClient.y + pChild->rcWindow.top};
        rects = CombineRectLists(rects, WindowShape(*pChild, ptChild), RGN_DIFF);
    }
}

void FillFrameArea(HDC hdc, const RECT& rcOuter, const RECT& rcInner, int nColour)
{
    HBRUSH hBrush = GetSysColorBrush(nColour);
    const RECT parts[] = {
        {rcOuter.left, rcOuter.top, rcOuter.right, rcInner.top},
        {rcOuter.left, rcInner.bottom, rcOuter.right, rcOuter.bottom},
        {rcOuter.left, rcInner.top, rcInner.left, rcInner.bottom},
        {rcInner.right, rcInner.top, rcOuter.right, rcInner.bottom},
    };
    for (const RECT& rc : parts)
    {
        if (!IsRectEmpty(&rc))
            FillRect(hdc, &rc, hBrush);
    }
}

void DrawCloseBox(HDC hdc, const RECT& rcBox)
{
    RECT rc = rcBox;
    FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(hdc, &rc, EDGE_RAISED, BF_RECT);
    // A cross four pixels in from the edges, two pixels thick.
    HPEN hPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ hOldPen = SelectObject(hdc, hPen);
    const int nInset = 4;
    const int x0 = rcBox.left + nInset;
    const int y0 = rcBox.top + nInset;
    const int nSpan = std::min(rcBox.right - rcBox.left, rcBox.bottom - rcBox.top) - 2 * nInset;
    for (int nShift = 0; nShift < 2 && nSpan > 0; ++nShift)
    {
        MoveToEx(hdc, x0 + nShift, y0, nullptr);
        LineTo(hdc, x0 + nShift + nSpan, y0 + nSpan);
        MoveToEx(hdc, x0 + nShift, y0 + nSpan - 1, nullptr);
        LineTo(hdc, x0 + nShift + nSpan, y0 - 1);
    }
    SelectObject(hdc, hOldPen);
    DeleteObject(hPen);
}

HDC BeginPaintHook(HWND hWnd, const RECT&, const RECT* pUpdateRects, UINT nUpdateRects)
{
    SWindowRecord* pRecord = CWindowManager::Get().FindQuiet(hWnd);
    if (pRecord == nullptr)
        return nullptr;
    const std::vector<RECT> update(pUpdateRects, pUpdateRects + nUpdateRects);
    const DWORD dwFlags = ((pRecord->dwStyle & WS_CLIPCHILDREN) != 0 ? DCX_CLIPCHILDREN : 0u) |
                          ((pRecord->dwStyle & WS_CLIPSIBLINGS) != 0 ? DCX_CLIPSIBLINGS : 0u) | DCX_CACHE;
    HRGN hUpdate = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& rc : update)
    {
        HRGN hPart = CreateRectRgnIndirect(&rc);
        CombineRgn(hUpdate, hUpdate, hPart, RGN_OR);
        DeleteRgn(hPart);
    }
    HDC hdc = GetDCEx(hWnd, hUpdate, dwFlags | DCX_INTERSECTRGN);
    DeleteRgn(hUpdate);
    return hdc;
}

void EndPaintHook(HWND hWnd, HDC hdc)
{
    ReleaseDC(hWnd, hdc);
}

void PaintFrameHook(HWND hWnd, BOOL bActive)
{
    CWindowManager& manager = CWindowManager::Get();
    const SWindowRecord* pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return;
    const DWORD dwStyle = pRecord->dwStyle;
    const DWORD dwExStyle = pRecord->dwExStyle;
    const SIZE size = WindowSize(*pRecord);
    const RECT rcClient = pRecord->rcClient;
    const std::wstring strText = pRecord->strText;
    HDC hdc = GetDCEx(hWnd, nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS);
    if (hdc == nullptr)
        return;
    // The frame never reaches into the client area.
    ExcludeClipRect(hdc, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);

    RECT rc{0, 0, size.cx, size.cy};
    const int nBorderColour = bActive ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER;
    if ((dwStyle & WS_THICKFRAME) != 0)
    {
        DrawEdge(hdc, &rc, EDGE_RAISED, BF_RECT | BF_ADJUST);
        const int nRest = GetSystemMetrics(SM_CXFRAME) - 2;
        RECT rcInner{rc.left + nRest, rc.top + nRest, rc.right - nRest, rc.bottom - nRest};
        FillFrameArea(hdc, rc, rcInner, nBorderColour);
        rc = rcInner;
    }
    else if ((dwStyle & WS_DLGFRAME) != 0 || (dwExStyle & WS_EX_DLGMODALFRAME) != 0)
    {
        DrawEdge(hdc, &rc, EDGE_RAISED, BF_RECT | BF_ADJUST);
        const int nRest = GetSystemMetrics(SM_CXDLGFRAME) - 2;
        RECT rcInner{rc.left + nRest, rc.top + nRest, rc.right - nRest, rc.bottom - nRest};
        FillFrameArea(hdc, rc, rcInner, COLOR_BTNFACE);
        rc = rcInner;
    }
    else if ((dwStyle & WS_BORDER) != 0)
    {
        FrameRect(hdc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&rc, -1, -1);
    }

    if ((dwStyle & WS_CAPTION) == WS_CAPTION)
    {
        const int nCaption = GetSystemMetrics(SM_CYCAPTION);
        RECT rcCaption{rc.left, rc.top, rc.right, rc.top + nCaption};
        FillRect(hdc, &rcCaption, GetSysColorBrush(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        const int nBox = nCaption - 4;
        RECT rcClose{rcCaption.right - 2 - nBox, rcCaption.top + 2, rcCaption.right - 2,
                     rcCaption.top + 2 + nBox};
        if ((dwStyle & WS_SYSMENU) != 0 && rcClose.left > rcCaption.left)
            DrawCloseBox(hdc, rcClose);
        RECT rcText{rcCaption.left + 4, rcCaption.top,
                    (dwStyle & WS_SYSMENU) != 0 ? rcClose.left - 2 : rc.right - 4, rcCaption.bottom};
        HGDIOBJ hOldFont = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, GetSysColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        DrawTextW(hdc, strText.c_str(), static_cast<int>(strText.size()), &rcText,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
        SelectObject(hdc, hOldFont);
        rc.top = rcCaption.bottom;
    }

    // The client edges sit right around the client area, inside the
    // scroll bars.
    RECT rcEdges = rcClient;
    if ((dwStyle & WS_VSCROLL) != 0)
        rcEdges.right += GetSystemMetrics(SM_CXVSCROLL);
    if ((dwStyle & WS_HSCROLL) != 0)
        rcEdges.bottom += GetSystemMetrics(SM_CYHSCROLL);
    if ((dwStyle & WS_VSCROLL) != 0)
    {
        const RECT rcBar{rcClient.right, rcClient.top, rcEdges.right, rcClient.bottom};
        FillRect(hdc, &rcBar, GetSysColorBrush(COLOR_SCROLLBAR));
    }
    if ((dwStyle & WS_HSCROLL) != 0)
    {
        const RECT rcBar{rcClient.left, rcClient.bottom, rcEdges.right, rcEdges.bottom};
        FillRect(hdc, &rcBar, GetSysColorBrush(COLOR_SCROLLBAR));
    }
    int nEdges = 0;
    if ((dwExStyle & WS_EX_CLIENTEDGE) != 0)
        nEdges += GetSystemMetrics(SM_CXEDGE);
    if ((dwExStyle & WS_EX_STATICEDGE) != 0)
        nEdges += GetSystemMetrics(SM_CXBORDER);
    InflateRect(&rcEdges, nEdges, nEdges);
    if ((dwExStyle & WS_EX_STATICEDGE) != 0)
        DrawEdge(hdc, &rcEdges, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if ((dwExStyle & WS_EX_CLIENTEDGE) != 0)
        DrawEdge(hdc, &rcEdges, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    ReleaseDC(hWnd, hdc);
}

} // namespace

SDrawableArea DrawableArea(HWND hWnd, const SDrawableOptions& options)
{
    SDrawableArea area;
    CWindowManager& manager = CWindowManager::Get();
    const SWindowRecord* pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr || hWnd == manager.DesktopHandle())
        return area;
    POINT ptWindow{};
    if (!WindowPositionInTopLevel(manager, *pRecord, ptWindow, area.hTopLevel))
    {
        area.hTopLevel = nullptr;
        return area;
    }
    const RECT rcClient = ClientInWindow(*pRecord, ptWindow);
    area.ptOrigin = options.bWholeWindow ? ptWindow : POINT{rcClient.left, rcClient.top};
    if (!manager.IsVisibleOnScreen(*pRecord) || (pRecord->dwStyle & WS_MINIMIZE) != 0)
        return area;
    if (options.bParentClip && pRecord->hParent != nullptr)
    {
        const SWindowRecord* pParent = manager.FindQuiet(pRecord->hParent);
        SDrawableOptions parentOptions;
        parentOptions.bClipSiblings = pParent != nullptr && (pParent->dwStyle & WS_CLIPSIBLINGS) != 0;
        area.rects = DrawableArea(pRecord->hParent, parentOptions).rects;
        return area;
    }

    area.rects = WindowShape(*pRecord, ptWindow);
    if (!options.bWholeWindow)
        area.rects = CombineRectLists(area.rects, {rcClient}, RGN_AND);
    if (options.bClipChildren)
        ExcludeChildren(manager, *pRecord, ptWindow, area.rects);

    // Up the chain: each ancestor's client area and region bound its
    // children; siblings above a clip-siblings window hide it.
    const SWindowRecord* pCurrent = pRecord;
    POINT ptCurrent = ptWindow;
    bool bClipSiblings = options.bClipSiblings;
    while (pCurrent->hParent != nullptr && !area.rects.empty())
    {
        const SWindowRecord* pParent = manager.FindQuiet(pCurrent->hParent);
        if (pParent == nullptr)
        {
            area.rects.clear();
            break;
        }
        const POINT ptParent{ptCurrent.x - pCurrent->rcWindow.left - pParent->rcClient.left,
                             ptCurrent.y - pCurrent->rcWindow.top - pParent->rcClient.top};
        const POINT ptParentClient{ptParent.x + pParent->rcClient.left, ptParent.y + pParent->rcClient.top};
        if (bClipSiblings)
        {
            for (HWND hSibling : pParent->children)
            {
                if (hSibling == pCurrent->hWnd)
                    break; // the rest lie below
                const SWindowRecord* pSibling = manager.FindQuiet(hSibling);
                if (pSibling == nullptr || (pSibling->dwStyle & WS_VISIBLE) == 0)
                    continue;
                const POINT ptSibling{ptParentClient.x + pSibling->rcWindow.left,
                                      ptParentClient.y + pSibling->rcWindow.top};
                area.rects = CombineRectLists(area.rects, WindowShape(*pSibling, ptSibling), RGN_DIFF);
            }
        }
        area.rects = CombineRectLists(area.rects, {ClientInWindow(*pParent, ptParent)}, RGN_AND);
        if (pParent->hRegion != nullptr)
            area.rects = CombineRectLists(area.rects, WindowShape(*pParent, ptParent), RGN_AND);
        pCurrent = pParent;
        ptCurrent = ptParent;
        bClipSiblings = (pCurrent->dwStyle & WS_CLIPSIBLINGS) != 0;
    }
    return area;
}

cairo_surface_t* EnsureWindowSurface(HWND hTopLevel)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.FindQuiet(hTopLevel);
    if (pRecord == nullptr || pRecord->hParent != nullptr || hTopLevel == manager.DesktopHandle())
        return nullptr;
    const SIZE size = WindowSize(*pRecord);
    if (size.cx <= 0 || size.cy <= 0 || size.cx > kMaxImageSide || size.cy > kMaxImageSide)
        return nullptr;
    cairo_surface_t* pOld = pRecord->pSurface.get();
    if (pOld != nullptr && cairo_image_surface_get_width(pOld) == size.cx &&
        cairo_image_surface_get_height(pOld) == size.cy)
        return pOld;

    cairo_surface_t* pNew = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.cx, size.cy);
    if (cairo_surface_status(pNew) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(pNew);
        return nullptr;
    }
    RECT rcKept{0, 0, 0, 0};
    if (pOld != nullptr)
    {
        // What overlaps keeps its pixels; the rest is painted afresh.
        cairo_t* pCairo = cairo_create(pNew);
        cairo_set_operator(pCairo, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(pCairo, pOld, 0, 0);
        cairo_paint(pCairo);
        cairo_destroy(pCairo);
        rcKept = {0, 0, std::min(size.cx, cairo_image_surface_get_width(pOld)),
                  std::min(size.cy, cairo_image_surface_get_height(pOld))};
    }
    pRecord->pSurface = std::shared_ptr<cairo_surface_t>(pNew, cairo_surface_destroy);
    const std::vector<RECT> exposed = CombineRectLists({RECT{0, 0, size.cx, size.cy}}, {rcKept}, RGN_DIFF);
    if (pOld != nullptr && !exposed.empty())
    {
        HRGN hExposed = CreateRectRgn(0, 0, 0, 0);
        for (const RECT& rc : Offset(exposed, -pRecord->rcClient.left, -pRecord->rcClient.top))
        {
            HRGN hPart = CreateRectRgnIndirect(&rc);
            CombineRgn(hExposed, hExposed, hPart, RGN_OR);
            DeleteRgn(hPart);
        }
        RedrawWindow(hTopLevel, nullptr, hExposed, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        DeleteRgn(hExposed);
    }
    return pNew;
}

HDC GetDCEx(HWND hWnd, HRGN hrgnClip, DWORD flags)
{
    CWindowManager& manager = CWindowManager::Get();
    if (hWnd == nullptr || hWnd == manager.DesktopHandle())
        return CreateScreenDC();
    const SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr)
        return nullptr;
    if (hrgnClip != nullptr && !IsRegionHandle(hrgnClip))
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    // Without DCX_CACHE the window's own clip styles count too.
    if ((flags & DCX_CACHE) == 0)
    {
        if ((pRecord->dwStyle & WS_CLIPCHILDREN) != 0)
            flags |= DCX_CLIPCHILDREN;
        if ((pRecord->dwStyle & WS_CLIPSIBLINGS) != 0)
            flags |= DCX_CLIPSIBLINGS;
    }
    SDrawableOptions options;
    options.bWholeWindow = (flags & DCX_WINDOW) != 0;
    options.bClipChildren = (flags & DCX_CLIPCHILDREN) != 0;
    options.bClipSiblings = (flags & DCX_CLIPSIBLINGS) != 0;
    options.bParentClip = (flags & DCX_PARENTCLIP) != 0;
    SDrawableArea area = DrawableArea(hWnd, options);
    cairo_surface_t* pSurface = EnsureWindowSurface(area.hTopLevel);
    if (pSurface == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::vector<RECT> clip = Offset(std::move(area.rects), -area.ptOrigin.x, -area.ptOrigin.y);
    if (hrgnClip != nullptr && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) != 0)
        clip = CombineRectLists(clip, GetRegionRects(hrgnClip),
                                (flags & DCX_INTERSECTRGN) != 0 ? RGN_AND : RGN_DIFF);
    HDC hdc = CreateSurfaceDC(pSurface, area.ptOrigin, &clip);
    if (hdc == nullptr)
        return nullptr;
    RECT rcReach = BoundingRect(clip);
    OffsetRect(&rcReach, area.ptOrigin.x, area.ptOrigin.y);
    WindowDCs()[hdc] = SWindowDC{area.hTopLevel, rcReach};
    return hdc;
}

HDC GetDC(HWND hWnd)
{
    return GetDCEx(hWnd, nullptr, 0);
}

HDC GetWindowDC(HWND hWnd)
{
    return GetDCEx(hWnd, nullptr, DCX_WINDOW);
}

int ReleaseDC(HWND, HDC hDC)
{
    auto it = WindowDCs().find(hDC);
    if (it == WindowDCs().end())
        return 0;
    const SWindowDC released = it->second;
    WindowDCs().erase(it);
    DeleteDC(hDC);
    if (released.hTopLevel != nullptr && !IsRectEmpty(&released.rcReach))
        NoteSurfaceDamage(released.hTopLevel, released.rcReach);
    return 1;
}

bool AnyWindowDCOpen()
{
    return std::any_of(WindowDCs().begin(), WindowDCs().end(),
                       [](const auto& entry) { return entry.second.hTopLevel != nullptr; });
}

void RegisterScreenDC(HDC hdc)
{
    WindowDCs()[hdc] = SWindowDC{};
}

int ScrollWindowEx(HWND hWnd, int dx, int dy, const RECT* prcScroll, const RECT* prcClip, HRGN hrgnUpdate,
                   LPRECT prcUpdate, UINT flags)
{
    CWindowManager& manager = CWindowManager::Get();
    const SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr || (hrgnUpdate != nullptr && !IsRegionHandle(hrgnUpdate)))
        return RGN_ERROR;
    const RECT rcClient{0, 0, pRecord->rcClient.right - pRecord->rcClient.left,
                        pRecord->rcClient.bottom - pRecord->rcClient.top};
    RECT rcScroll = rcClient;
    RECT rcClip = rcClient;
    if (prcScroll != nullptr && !IntersectRect(&rcScroll, &rcClient, prcScroll))
        rcScroll = {};
    if (prcClip != nullptr && !IntersectRect(&rcClip, &rcClient, prcClip))
        rcClip = {};

    SDrawableOptions options;
    options.bClipChildren = (pRecord->dwStyle & WS_CLIPCHILDREN) != 0;
    options.bClipSiblings = (pRecord->dwStyle & WS_CLIPSIBLINGS) != 0;
    const SDrawableArea area = DrawableArea(hWnd, options);
    const std::vector<RECT> visible = Offset(area.rects, -area.ptOrigin.x, -area.ptOrigin.y);
    // Pixels move only where both their old and their new place can be seen.
    const std::vector<RECT> sources = CombineRectLists(visible, {rcScroll}, RGN_AND);
    std::vector<RECT> moved = CombineRectLists(Offset(sources, dx, dy), visible, RGN_AND);
    moved = CombineRectLists(moved, {rcClip}, RGN_AND);
    if (!moved.empty() && (dx != 0 || dy != 0))
    {
        HDC hdc = GetDCEx(hWnd, nullptr, DCX_CACHE);
        if (hdc != nullptr)
        {
            HRGN hMoved = CreateRectRgn(0, 0, 0, 0);
            for (const RECT& rc : moved)
            {
                HRGN hPart = CreateRectRgnIndirect(&rc);
                CombineRgn(hMoved, hMoved, hPart, RGN_OR);
                DeleteRgn(hPart);
            }
            SelectClipRgn(hdc, hMoved);
            DeleteRgn(hMoved);
            const RECT rcBounds = BoundingRect(moved);
            BitBlt(hdc, rcBounds.left, rcBounds.top, rcBounds.right - rcBounds.left,
                   rcBounds.bottom - rcBounds.top, hdc, rcBounds.left - dx, rcBounds.top - dy, SRCCOPY);
            ReleaseDC(hWnd, hdc);
        }
    }
    const std::vector<RECT> update =
        CombineRectLists(CombineRectLists({rcScroll}, {rcClip}, RGN_AND), moved, RGN_DIFF);

    if ((flags & SW_SCROLLCHILDREN) != 0)
    {
        for (HWND hChild : std::vector<HWND>(pRecord->children))
        {
            const SWindowRecord* pChild = manager.FindQuiet(hChild);
            RECT rcOverlap;
            if (pChild == nullptr || !IntersectRect(&rcOverlap, &pChild->rcWindow, &rcScroll))
                continue;
            SetWindowPos(hChild, nullptr, pChild->rcWindow.left + dx, pChild->rcWindow.top + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
            RedrawWindow(hChild, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
    }
    HRGN hUpdate = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& rc : update)
    {
        HRGN hPart = CreateRectRgnIndirect(&rc);
        CombineRgn(hUpdate, hUpdate, hPart, RGN_OR);
        DeleteRgn(hPart);
    }
    if ((flags & SW_INVALIDATE) != 0 && !update.empty())
        RedrawWindow(hWnd, nullptr, hUpdate,
                     RDW_INVALIDATE | RDW_ALLCHILDREN | ((flags & SW_ERASE) != 0 ? RDW_ERASE : 0u));
    if (hrgnUpdate != nullptr)
        CombineRgn(hrgnUpdate, hUpdate, nullptr, RGN_COPY);
    DeleteRgn(hUpdate);
    if (prcUpdate != nullptr)
        *prcUpdate = BoundingRect(update);
    return update.empty() ? NULLREGION : update.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL ScrollWindow(HWND hWnd, int XAmount, int YAmount, const RECT* lpRect, const RECT* lpClipRect)
{
    const UINT flags = SW_INVALIDATE | SW_ERASE | (lpRect == nullptr ? SW_SCROLLCHILDREN : 0u);
    return ScrollWindowEx(hWnd, XAmount, YAmount, lpRect, lpClipRect, nullptr, nullptr, flags) != RGN_ERROR
               ? TRUE
               : FALSE;
}

IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr)
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}

// The drawing layer joins the window manager as soon as the library is
// loaded, so every program paints real pixels without asking for it.
void InstallWindowSurfaces()
{
    InstallDrawingHooks();
    SPaintHooks hooks;
    hooks.pfnBeginPaint = &BeginPaintHook;
    hooks.pfnEndPaint = &EndPaintHook;
    hooks.pfnFillBackground = &FillPaintBackground;
    hooks.pfnDefaultControlBrush = &DefaultControlBrush;
    hooks.pfnPaintFrame = &PaintFrameHook;
    SetPaintHooks(hooks);
}

namespace
{

const bool g_bSurfacesInstalled = []
{
    InstallWindowSurfaces();
    return true;
}();

} // namespace
