// Who gets input: hit-testing, mouse capture, keyboard focus, activation of
// top-level windows, and the cursor.
#include "Input.h"
#include "WindowManager.h"

#include <algorithm>
#include <iterator>

namespace
{

PFN_LOADCURSOR g_pfnCursorLoader = nullptr;

struct SStandardCursor
{
    WORD nID;
};

// The standard cursors are shared objects: one handle per kind for the life
// of the process, which is what LoadCursorW(nullptr, ...) gives on Windows.
SStandardCursor g_standardCursors[] = {{32512}, {32513}, {32514}, {32515}, {32516}, {32640},
                                       {32641}, {32642}, {32643}, {32644}, {32645}, {32646},
                                       {32648}, {32649}, {32650}, {32651}};

HCURSOR StandardCursor(WORD nID)
{
    for (SStandardCursor& cursor : g_standardCursors)
    {
        if (cursor.nID == nID)
            return reinterpret_cast<HCURSOR>(&cursor);
    }
    return nullptr;
}

bool IsStandardCursor(HCURSOR hCursor)
{
    const auto* p = reinterpret_cast<const SStandardCursor*>(hCursor);
    return p >= std::begin(g_standardCursors) && p < std::end(g_standardCursors);
}

bool PointInWindow(CWindowManager& manager, const SWindowRecord& record, POINT ptScreen)
{
    const RECT rc = manager.WindowRectOnScreen(record);
    if (!PtInRect(&rc, ptScreen))
        return false;
    return record.hRegion == nullptr || PtInRegion(record.hRegion, ptScreen.x - rc.left, ptScreen.y - rc.top);
}

bool PointInClient(CWindowManager& manager, const SWindowRecord& record, POINT ptScreen)
{
    const POINT origin = manager.ClientOriginOnScreen(record);
    const RECT rc{origin.x, origin.y, origin.x + record.rcClient.right - record.rcClient.left,
                  origin.y + record.rcClient.bottom - record.rcClient.top};
    return PtInRect(&rc, ptScreen) != FALSE;
}

enum class ESearch
{
    NotFound,
    Found,
    StopAtParent, // a disabled child covers the point: the parent takes it
};

// Children first and in Z-order, then the window itself; a window answering
// HTTRANSPARENT lets the search go on beneath it.
ESearch SearchChildren(CWindowManager& manager, const SWindowRecord& parent, POINT ptScreen, HWND& hFound,
                       int& nHitCode)
{
    if (!PointInClient(manager, parent, ptScreen))
        return ESearch::NotFound;
    for (HWND hChild : std::vector<HWND>(parent.children))
    {
        SWindowRecord* pChild = manager.FindQuiet(hChild);
        if (pChild == nullptr || (pChild->dwStyle & WS_VISIBLE) == 0 ||
            !PointInWindow(manager, *pChild, ptScreen))
            continue;
        if ((pChild->dwStyle & WS_DISABLED) != 0)
            return ESearch::StopAtParent;
        const ESearch eDeeper = SearchChildren(manager, *pChild, ptScreen, hFound, nHitCode);
        if (eDeeper == ESearch::Found)
            return eDeeper;
        const LRESULT nCode =
            SendMessageW(hChild, WM_NCHITTEST, 0,
                         MAKELPARAM(static_cast<WORD>(ptScreen.x), static_cast<WORD>(ptScreen.y)));
        if (nCode == HTTRANSPARENT)
            continue;
        hFound = hChild;
        nHitCode = static_cast<int>(nCode);
        return ESearch::Found;
    }
    return ESearch::NotFound;
}

void SetFocusWithoutActivation(HWND hWnd)
{
    CWindowManager& manager = CWindowManager::Get();
    const HWND hOld = manager.m_hFocus;
    if (hOld == hWnd)
        return;
    if (hOld != nullptr && manager.FindQuiet(hOld) != nullptr)
    {
        SendMessageW(hOld, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
        // The handler moved the focus itself; its choice stands.
        if (manager.m_hFocus != hOld)
            return;
    }
    manager.m_hFocus = hWnd;
    if (hWnd != nullptr)
        SendMessageW(hWnd, WM_SETFOCUS,
                     reinterpret_cast<WPARAM>(manager.FindQuiet(hOld) != nullptr ? hOld : nullptr), 0);
}

void RaiseWithOwnedWindows(CWindowManager& manager, HWND hTop)
{
    SWindowRecord* pTop = manager.FindQuiet(hTop);
    if (pTop == nullptr || pTop->hParent != nullptr)
        return;
    std::vector<HWND>& order = manager.Desktop().children;
    // Owned windows stay above their owner, in the order they had.
    std::vector<HWND> group{hTop};
    for (HWND hWnd : order)
    {
        SWindowRecord* pWnd = manager.FindQuiet(hWnd);
        if (pWnd != nullptr && pWnd->hOwner == hTop)
            group.insert(group.end() - 1, hWnd);
    }
    const bool bTopmost = (pTop->dwExStyle & WS_EX_TOPMOST) != 0;
    for (HWND hWnd : group)
        std::erase(order, hWnd);
    auto position = order.begin();
    if (!bTopmost)
    {
        position = std::find_if(order.begin(), order.end(),
                                [&](HWND hWnd)
                                {
                                    const SWindowRecord* pWnd = manager.FindQuiet(hWnd);
                                    return pWnd == nullptr || (pWnd->dwExStyle & WS_EX_TOPMOST) == 0;
                                });
    }
    order.insert(position, group.begin(), group.end());
}

} // namespace

HWND HitTestPoint(POINT ptScreen, int& nHitCode)
{
    CWindowManager& manager = CWindowManager::Get();
    nHitCode = HTNOWHERE;
    for (HWND hTop : std::vector<HWND>(manager.Desktop().children))
    {
        SWindowRecord* pTop = manager.FindQuiet(hTop);
        if (pTop == nullptr || (pTop->dwStyle & (WS_VISIBLE | WS_MINIMIZE)) != WS_VISIBLE ||
            !PointInWindow(manager, *pTop, ptScreen))
            continue;
        if ((pTop->dwStyle & WS_DISABLED) != 0)
        {
            nHitCode = HTERROR;
            return hTop;
        }
        HWND hFound = nullptr;
        if (SearchChildren(manager, *pTop, ptScreen, hFound, nHitCode) == ESearch::Found)
            return hFound;
        const LRESULT nCode = SendMessageW(
            hTop, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(ptScreen.x), static_cast<WORD>(ptScreen.y)));
        if (nCode == HTTRANSPARENT)
            continue;
        nHitCode = static_cast<int>(nCode);
        return hTop;
    }
    return nullptr;
}

HWND WindowFromPoint(POINT Point)
{
    int nHitCode = HTNOWHERE;
    const HWND hWnd = HitTestPoint(Point, nHitCode);
    return nHitCode == HTERROR ? nullptr : hWnd;
}

HWND ChildWindowFromPoint(HWND hWndParent, POINT Point)
{
    return ChildWindowFromPointEx(hWndParent, Point, CWP_ALL);
}

HWND ChildWindowFromPointEx(HWND hWndParent, POINT Point, UINT uFlags)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pParent = manager.Find(hWndParent);
    if (pParent == nullptr)
        return nullptr;
    POINT ptScreen = Point;
    ClientToScreen(hWndParent, &ptScreen);
    if (!PointInClient(manager, *pParent, ptScreen))
        return nullptr;
    for (HWND hChild : pParent->children)
    {
        SWindowRecord* pChild = manager.FindQuiet(hChild);
        if (pChild == nullptr || !PointInWindow(manager, *pChild, ptScreen))
            continue;
        const LONG lStyle = GetWindowLongW(hChild, GWL_STYLE);
        const LONG lExStyle = GetWindowLongW(hChild, GWL_EXSTYLE);
        if (((uFlags & CWP_SKIPINVISIBLE) != 0 && (lStyle & WS_VISIBLE) == 0) ||
            ((uFlags & CWP_SKIPDISABLED) != 0 && (lStyle & WS_DISABLED) != 0) ||
            ((uFlags & CWP_SKIPTRANSPARENT) != 0 && (lExStyle & WS_EX_TRANSPARENT) != 0))
            continue;
        return hChild;
    }
    return hWndParent;
}

HWND SetCapture(HWND hWnd)
{
    CWindowManager& manager = CWindowManager::Get();
    if (manager.Find(hWnd) == nullptr)
        return nullptr;
    const HWND hOld = manager.m_hCapture;
    if (hOld == hWnd)
        return hOld;
    manager.m_hCapture = hWnd;
    if (hOld != nullptr)
        SendMessageW(hOld, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    return manager.FindQuiet(hOld) != nullptr ? hOld : nullptr;
}

BOOL ReleaseCapture()
{
    CWindowManager& manager = CWindowManager::Get();
    const HWND hOld = manager.m_hCapture;
    if (hOld == nullptr)
        return TRUE;
    manager.m_hCapture = nullptr;
    SendMessageW(hOld, WM_CAPTURECHANGED, 0, 0);
    // The window under the pointer learns where the pointer is, as after any
    // capture change on Windows.
    QueueSyntheticMouseMove();
    return TRUE;
}

HWND GetCapture()
{
    return CWindowManager::Get().m_hCapture;
}

HWND SetFocus(HWND hWnd)
{
    CWindowManager& manager = CWindowManager::Get();
    const HWND hOld = manager.m_hFocus;
    if (hWnd != nullptr)
    {
        if (manager.Find(hWnd) == nullptr)
            return nullptr;
        const HWND hTop = manager.TopLevelOf(hWnd);
        if (hTop != manager.m_hActive)
            ActivateWindow(hTop, WA_ACTIVE);
        if (manager.FindQuiet(hWnd) == nullptr)
            return nullptr;
    }
    SetFocusWithoutActivation(hWnd);
    return manager.FindQuiet(hOld) != nullptr ? hOld : nullptr;
}

HWND GetFocus()
{
    return CWindowManager::Get().m_hFocus;
}

void ActivateWindow(HWND hWnd, int nState)
{
    CWindowManager& manager = CWindowManager::Get();
    if (hWnd != nullptr)
    {
        hWnd = manager.TopLevelOf(hWnd);
        if (hWnd == nullptr)
            return;
    }
    const HWND hOld = manager.m_hActive;
    if (hOld == hWnd)
    {
        RaiseWithOwnedWindows(manager, hWnd);
        return;
    }
    if (hOld != nullptr && manager.FindQuiet(hOld) != nullptr)
    {
        SendMessageW(hOld, WM_NCACTIVATE, FALSE, 0);
        SendMessageW(hOld, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(hOld) ? 1 : 0),
                     reinterpret_cast<LPARAM>(hWnd));
    }
    manager.m_hActive = hWnd;
    if (hWnd == nullptr)
    {
        SetFocusWithoutActivation(nullptr);
        return;
    }
    if (manager.FindQuiet(hWnd) == nullptr)
    {
        manager.m_hActive = nullptr;
        return;
    }
    RaiseWithOwnedWindows(manager, hWnd);
    // The focus belonged to the window losing activation; the new window's
    // WM_ACTIVATE handling chooses where it goes now.
    if (manager.m_hFocus != nullptr && manager.TopLevelOf(manager.m_hFocus) != hWnd)
        SetFocusWithoutActivation(nullptr);
    SendMessageW(hWnd, WM_NCACTIVATE, TRUE, 0);
    SendMessageW(hWnd, WM_ACTIVATE, MAKEWPARAM(nState, IsIconic(hWnd) ? 1 : 0),
                 reinterpret_cast<LPARAM>(manager.FindQuiet(hOld) != nullptr ? hOld : nullptr));
}

HWND NextWindowToActivate(HWND hLeaving)
{
    CWindowManager& manager = CWindowManager::Get();
    auto canActivate = [&](const SWindowRecord* pRecord)
    {
        return pRecord != nullptr && pRecord->hWnd != hLeaving && !pRecord->bDestroying &&
               (pRecord->dwStyle & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE &&
               (pRecord->dwExStyle & WS_EX_NOACTIVATE) == 0;
    };
    SWindowRecord* pLeaving = manager.FindQuiet(hLeaving);
    if (pLeaving != nullptr && pLeaving->hOwner != nullptr &&
        canActivate(manager.FindQuiet(pLeaving->hOwner)))
        return pLeaving->hOwner;
    for (HWND hCandidate : manager.Desktop().children)
    {
        if (canActivate(manager.FindQuiet(hCandidate)))
            return hCandidate;
    }
    return nullptr;
}

HWND SetActiveWindow(HWND hWnd)
{
    CWindowManager& manager = CWindowManager::Get();
    const HWND hOld = manager.m_hActive;
    if (hWnd != nullptr && manager.Find(hWnd) == nullptr)
        return nullptr;
    ActivateWindow(hWnd, WA_ACTIVE);
    return manager.FindQuiet(hOld) != nullptr ? hOld : nullptr;
}

HWND GetActiveWindow()
{
    return CWindowManager::Get().m_hActive;
}

BOOL SetForegroundWindow(HWND hWnd)
{
    if (CWindowManager::Get().Find(hWnd) == nullptr)
        return FALSE;
    ActivateWindow(hWnd, WA_ACTIVE);
    return TRUE;
}

HWND GetForegroundWindow()
{
    return CWindowManager::Get().m_hActive;
}

void ForgetInputWindow(HWND hWnd)
{
    CWindowManager& manager = CWindowManager::Get();
    if (manager.m_hCapture == hWnd)
        manager.m_hCapture = nullptr;
    if (manager.m_hFocus == hWnd)
        manager.m_hFocus = nullptr;
    if (manager.m_hActive == hWnd)
        manager.m_hActive = nullptr;
    if (manager.m_hLastMouseWindow == hWnd)
        manager.m_hLastMouseWindow = nullptr;
    if (manager.m_hTrackLeave == hWnd)
        manager.m_hTrackLeave = nullptr;
    if (manager.m_hTrackHover == hWnd)
        manager.m_hTrackHover = nullptr;
    if (manager.m_hLastClickWindow == hWnd)
        manager.m_hLastClickWindow = nullptr;
}

// ---------------------------------------------------------------------------
// The cursor

void SetCursorResourceLoader(PFN_LOADCURSOR pfnLoader)
{
    g_pfnCursorLoader = pfnLoader;
}

HCURSOR LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName)
{
    if (hInstance == nullptr)
    {
        HCURSOR hCursor = IS_INTRESOURCE(lpCursorName)
                              ? StandardCursor(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(lpCursorName)))
                              : nullptr;
        if (hCursor == nullptr)
            SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return hCursor;
    }
    if (g_pfnCursorLoader == nullptr)
    {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return g_pfnCursorLoader(hInstance, lpCursorName);
}

HCURSOR SetCursor(HCURSOR hCursor)
{
    CWindowManager& manager = CWindowManager::Get();
    const HCURSOR hOld = manager.m_hCursor;
    manager.m_hCursor = hCursor;
    return hOld;
}

HCURSOR GetCursor()
{
    return CWindowManager::Get().m_hCursor;
}

int ShowCursor(BOOL bShow)
{
    CWindowManager& manager = CWindowManager::Get();
    manager.m_nCursorShowCount += bShow ? 1 : -1;
    return manager.m_nCursorShowCount;
}

BOOL DestroyCursor(HCURSOR hCursor)
{
    // Standard cursors are shared and never destroyed; others belong to
    // whoever loaded them.
    return hCursor != nullptr && !IsStandardCursor(hCursor) ? TRUE : FALSE;
}

BOOL GetCursorPos(LPPOINT lpPoint)
{
    if (lpPoint == nullptr)
        return FALSE;
    *lpPoint = CWindowManager::Get().m_ptCursor;
    return TRUE;
}

BOOL SetCursorPos(int X, int Y)
{
    InjectMouseMove({X, Y});
    return TRUE;
}
