// Painting bookkeeping: update regions, erase flags and the WM_PAINT and
// WM_ERASEBKGND traffic. The pixels are the drawing layer's (SPaintHooks).
#include "Headless.h"
#include "WindowManager.h"

namespace
{

SPaintHooks g_paintHooks;

bool CanPaint(CWindowManager& manager, const SWindowRecord& record)
{
    return !record.bRedrawDisabled && (record.dwStyle & WS_MINIMIZE) == 0 &&
           manager.IsVisibleOnScreen(record);
}

RECT ClientBounds(const SWindowRecord& record)
{
    return {0, 0, record.rcClient.right - record.rcClient.left, record.rcClient.bottom - record.rcClient.top};
}

// The whole window in its client coordinates.
RECT WindowBoundsInClient(const SWindowRecord& record)
{
    return {-record.rcClient.left, -record.rcClient.top,
            record.rcWindow.right - record.rcWindow.left - record.rcClient.left,
            record.rcWindow.bottom - record.rcWindow.top - record.rcClient.top};
}

bool HasNonClientArea(const SWindowRecord& record)
{
    return record.rcClient.left != 0 || record.rcClient.top != 0 ||
           record.rcClient.right != record.rcWindow.right - record.rcWindow.left ||
           record.rcClient.bottom != record.rcWindow.bottom - record.rcWindow.top;
}

// Sends WM_NCPAINT when the frame awaits painting. Windows without a frame
// have nothing to paint there and are not troubled with the message.
void PaintFrameNow(HWND hWnd)
{
    SWindowRecord* pRecord = CWindowManager::Get().FindQuiet(hWnd);
    if (pRecord == nullptr || !pRecord->bFrameNeeded)
        return;
    pRecord->bFrameNeeded = false;
    SendMessageW(hWnd, WM_NCPAINT, 1, 0);
}

bool IncludesChildren(const SWindowRecord& record, UINT nFlags)
{
    if ((nFlags & RDW_ALLCHILDREN) != 0)
        return true;
    if ((nFlags & RDW_NOCHILDREN) != 0)
        return false;
    // Without WS_CLIPCHILDREN a parent paints over its children, so they are
    // invalidated with it and paint after it.
    return (record.dwStyle & WS_CLIPCHILDREN) == 0;
}

void SendEraseNow(HWND hWnd)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr || !pRecord->bEraseNeeded)
        return;
    pRecord->bEraseNeeded = false;
    const std::vector<RECT> updateRects = pRecord->updateRects;
    const RECT rcBounds = BoundingRect(updateRects);
    HDC hdc = g_paintHooks.pfnBeginPaint != nullptr
                  ? g_paintHooks.pfnBeginPaint(hWnd, rcBounds, updateRects.data(),
                                               static_cast<UINT>(updateRects.size()))
                  : nullptr;
    SendMessageW(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    if (hdc != nullptr && g_paintHooks.pfnEndPaint != nullptr)
        g_paintHooks.pfnEndPaint(hWnd, hdc);
}

// Applies one RedrawWindow to a window and, as the flags say, its children.
// The rectangles are in the window's client coordinates.
void ApplyRedraw(HWND hWnd, const std::vector<RECT>& rects, UINT nFlags, bool bTopCall)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return;
    const RECT rcClient = ClientBounds(*pRecord);
    std::vector<RECT> clipped = CombineRectLists(rects, {rcClient}, RGN_AND);
    const bool bCanPaint = CanPaint(manager, *pRecord);
    if ((nFlags & RDW_INVALIDATE) != 0 && bCanPaint && !clipped.empty())
    {
        pRecord->updateRects = CombineRectLists(pRecord->updateRects, clipped, RGN_OR);
        if ((nFlags & RDW_ERASE) != 0)
            pRecord->bEraseNeeded = true;
    }
    if ((nFlags & RDW_INTERNALPAINT) != 0 && bCanPaint)
        pRecord->bInternalPaint = true;
    if ((nFlags & RDW_INVALIDATE) != 0 && (nFlags & RDW_FRAME) != 0 && bCanPaint &&
        HasNonClientArea(*pRecord))
    {
        const std::vector<RECT> inWindow = CombineRectLists(rects, {WindowBoundsInClient(*pRecord)}, RGN_AND);
        if (!CombineRectLists(inWindow, {rcClient}, RGN_DIFF).empty())
            pRecord->bFrameNeeded = true;
    }
    if ((nFlags & RDW_VALIDATE) != 0)
    {
        pRecord->updateRects = CombineRectLists(pRecord->updateRects, clipped, RGN_DIFF);
        if ((nFlags & RDW_NOERASE) != 0 || pRecord->updateRects.empty())
            pRecord->bEraseNeeded = false;
        if ((nFlags & RDW_NOINTERNALPAINT) != 0)
            pRecord->bInternalPaint = false;
        if ((nFlags & RDW_NOFRAME) != 0)
            pRecord->bFrameNeeded = false;
    }
    if (!IncludesChildren(*pRecord, bTopCall ? nFlags : (nFlags & ~static_cast<UINT>(RDW_NOCHILDREN))))
        return;
    for (HWND hChild : std::vector<HWND>(pRecord->children))
    {
        SWindowRecord* pChild = manager.FindQuiet(hChild);
        if (pChild == nullptr || (pChild->dwStyle & WS_VISIBLE) == 0)
            continue;
        std::vector<RECT> childRects = CombineRectLists(clipped, {pChild->rcWindow}, RGN_AND);
        if (childRects.empty())
            continue;
        for (RECT& r : childRects)
            OffsetRect(&r, -(pChild->rcWindow.left + pChild->rcClient.left),
                       -(pChild->rcWindow.top + pChild->rcClient.top));
        ApplyRedraw(hChild, childRects, nFlags, false);
        pRecord = manager.FindQuiet(hWnd);
        if (pRecord == nullptr)
            return;
    }
}

void PaintNow(HWND hWnd, bool bChildren, bool bEraseOnly)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr || !CanPaint(manager, *pRecord))
        return;
    PaintFrameNow(hWnd);
    pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return;
    if (bEraseOnly)
        SendEraseNow(hWnd);
    else if (HasPendingPaint(*pRecord))
    {
        const MSG msg{hWnd, WM_PAINT, 0, 0, GetTickCount(), manager.m_ptCursor};
        DispatchMessageW(&msg);
    }
    pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr || !bChildren)
        return;
    for (HWND hChild : std::vector<HWND>(pRecord->children))
        PaintNow(hChild, true, bEraseOnly);
}

bool FindPaintInTree(CWindowManager& manager, HWND hWnd, HWND hFilter, HWND& hFound)
{
    SWindowRecord* pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr || (pRecord->dwStyle & WS_VISIBLE) == 0 || (pRecord->dwStyle & WS_MINIMIZE) != 0 ||
        pRecord->bRedrawDisabled)
        return false;
    if (pRecord->bFrameNeeded)
    {
        // The frame is painted at once, as the loop comes by; it never
        // makes a WM_PAINT of its own.
        PaintFrameNow(hWnd);
        pRecord = manager.FindQuiet(hWnd);
        if (pRecord == nullptr || (pRecord->dwStyle & WS_VISIBLE) == 0)
            return false;
    }
    if (HasPendingPaint(*pRecord) && (hFilter == nullptr || hFilter == hWnd || IsChild(hFilter, hWnd)))
    {
        hFound = hWnd;
        return true;
    }
    for (HWND hChild : std::vector<HWND>(pRecord->children))
    {
        if (FindPaintInTree(manager, hChild, hFilter, hFound))
            return true;
    }
    return false;
}

} // namespace

void SetPaintHooks(const SPaintHooks& hooks)
{
    g_paintHooks = hooks;
}

const SPaintHooks& GetPaintHooks()
{
    return g_paintHooks;
}

bool HasPendingPaint(const SWindowRecord& record)
{
    return !record.updateRects.empty() || record.bInternalPaint;
}

void DiscardPendingPaint(SWindowRecord& record)
{
    record.updateRects.clear();
    record.bEraseNeeded = false;
    record.bInternalPaint = false;
    record.bFrameNeeded = false;
}

bool FindPaintMessage(HWND hFilter, MSG& msg)
{
    if (hFilter == reinterpret_cast<HWND>(-1))
        return false;
    CWindowManager& manager = CWindowManager::Get();
    // Parents before children, top-level windows in Z-order.
    for (HWND hTop : manager.Desktop().children)
    {
        HWND hFound = nullptr;
        if (FindPaintInTree(manager, hTop, hFilter, hFound))
        {
            msg = MSG{hFound, WM_PAINT, 0, 0, GetTickCount(), manager.m_ptCursor};
            return true;
        }
    }
    return false;
}

BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags)
{
    CWindowManager& manager = CWindowManager::Get();
    if (hWnd == nullptr || hWnd == manager.DesktopHandle())
    {
        for (HWND hTop : std::vector<HWND>(manager.Desktop().children))
            RedrawWindow(hTop, nullptr, nullptr, flags | RDW_ALLCHILDREN);
        return TRUE;
    }
    SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr)
        return FALSE;
    std::vector<RECT> rects;
    if (hrgnUpdate != nullptr && IsRegionHandle(hrgnUpdate))
        rects = GetRegionRects(hrgnUpdate);
    else if (lprcUpdate != nullptr)
        rects.push_back(*lprcUpdate);
    else if ((flags & RDW_FRAME) != 0)
        rects.push_back(WindowBoundsInClient(*pRecord));
    else
        rects.push_back(ClientBounds(*pRecord));
    ApplyRedraw(hWnd, rects, flags, true);
    const bool bChildren = IncludesChildren(*pRecord, flags);
    if ((flags & RDW_UPDATENOW) != 0)
        PaintNow(hWnd, bChildren, false);
    else if ((flags & RDW_ERASENOW) != 0)
        PaintNow(hWnd, bChildren, true);
    return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase)
{
    return RedrawWindow(hWnd, lpRect, nullptr, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0u));
}

BOOL InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase)
{
    return RedrawWindow(hWnd, nullptr, hRgn, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0u));
}

BOOL ValidateRect(HWND hWnd, const RECT* lpRect)
{
    return RedrawWindow(hWnd, lpRect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND hWnd, HRGN hRgn)
{
    return RedrawWindow(hWnd, nullptr, hRgn, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hWnd);
    if (pRecord == nullptr)
        return FALSE;
    const RECT rcBounds = BoundingRect(pRecord->updateRects);
    if (lpRect != nullptr)
        *lpRect = rcBounds;
    const bool bPending = !pRecord->updateRects.empty();
    if (bErase && bPending)
        SendEraseNow(hWnd);
    return bPending ? TRUE : FALSE;
}

int GetUpdateRgn(HWND hWnd, HRGN hRgn, BOOL bErase)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hWnd);
    if (pRecord == nullptr || !IsRegionHandle(hRgn))
        return RGN_ERROR;
    const std::vector<RECT> rects = pRecord->updateRects;
    SetRectRgn(hRgn, 0, 0, 0, 0);
    for (const RECT& r : rects)
    {
        HRGN hPart = CreateRectRgnIndirect(&r);
        CombineRgn(hRgn, hRgn, hPart, RGN_OR);
        DeleteRgn(hPart);
    }
    if (bErase && !rects.empty())
        SendEraseNow(hWnd);
    return rects.empty() ? NULLREGION : rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL UpdateWindow(HWND hWnd)
{
    if (CWindowManager::Get().Find(hWnd) == nullptr)
        return FALSE;
    PaintNow(hWnd, true, false);
    return TRUE;
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hWnd);
    if (pRecord == nullptr || lpPaint == nullptr)
        return nullptr;
    *lpPaint = PAINTSTRUCT{};
    if (pRecord->bFrameNeeded)
    {
        PaintFrameNow(hWnd);
        pRecord = CWindowManager::Get().Find(hWnd);
        if (pRecord == nullptr)
            return nullptr;
    }
    const std::vector<RECT> updateRects = pRecord->updateRects;
    lpPaint->rcPaint = BoundingRect(updateRects);
    const bool bErase = pRecord->bEraseNeeded;
    DiscardPendingPaint(*pRecord);
    HDC hdc = g_paintHooks.pfnBeginPaint != nullptr
                  ? g_paintHooks.pfnBeginPaint(hWnd, lpPaint->rcPaint, updateRects.data(),
                                               static_cast<UINT>(updateRects.size()))
                  : nullptr;
    lpPaint->hdc = hdc;
    if (bErase)
    {
        // fErase tells the painter the background is still to be erased:
        // WM_ERASEBKGND answered zero.
        const LRESULT bErased = SendMessageW(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
        lpPaint->fErase = bErased ? FALSE : TRUE;
    }
    return hdc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint)
{
    if (lpPaint == nullptr)
        return FALSE;
    if (lpPaint->hdc != nullptr && g_paintHooks.pfnEndPaint != nullptr)
        g_paintHooks.pfnEndPaint(hWnd, lpPaint->hdc);
    return TRUE;
}

void InvalidateWholeWindow(HWND hWnd, bool bErase)
{
    RedrawWindow(hWnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | (bErase ? RDW_ERASE : 0u));
}

void InvalidateParentArea(HWND hParent, const RECT& rcInParentClient)
{
    RedrawWindow(hParent, &rcInParentClient, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}
