// Where windows are, how big, in which order, and whether they show: the
// placement calls with the messages Windows sends for them.
#include "WindowManager.h"

#include <algorithm>

namespace
{

// Flags Windows adds to WM_WINDOWPOSCHANGED to say the client area kept its
// size or place; DefWindowProc reads them to decide on WM_SIZE and WM_MOVE.
constexpr UINT kNoClientSize = 0x0800;
constexpr UINT kNoClientMove = 0x1000;

void Reorder(CWindowManager& manager, SWindowRecord& record, HWND hInsertAfter)
{
    std::vector<HWND>& siblings = manager.SiblingList(record);
    std::erase(siblings, record.hWnd);
    const bool bTopLevel = record.hParent == nullptr;
    auto firstOrdinary = [&]()
    {
        return std::find_if(siblings.begin(), siblings.end(),
                            [&](HWND hSibling)
                            {
                                const SWindowRecord* pSibling = manager.FindQuiet(hSibling);
                                return pSibling == nullptr || (pSibling->dwExStyle & WS_EX_TOPMOST) == 0;
                            });
    };
    if (hInsertAfter == HWND_TOPMOST && bTopLevel)
    {
        record.dwExStyle |= WS_EX_TOPMOST;
        siblings.insert(siblings.begin(), record.hWnd);
    }
    else if (hInsertAfter == HWND_NOTOPMOST && bTopLevel)
    {
        record.dwExStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
        siblings.insert(firstOrdinary(), record.hWnd);
    }
    else if (hInsertAfter == HWND_BOTTOM)
        siblings.push_back(record.hWnd);
    else if (hInsertAfter == HWND_TOP || hInsertAfter == HWND_TOPMOST || hInsertAfter == HWND_NOTOPMOST)
    {
        const bool bTopmost = bTopLevel && (record.dwExStyle & WS_EX_TOPMOST) != 0;
        siblings.insert(bTopLevel && !bTopmost ? firstOrdinary() : siblings.begin(), record.hWnd);
    }
    else
    {
        auto it = std::find(siblings.begin(), siblings.end(), hInsertAfter);
        siblings.insert(it == siblings.end() ? siblings.begin() : it + 1, record.hWnd);
    }
}

bool IsActivatingShow(int nCmdShow)
{
    return nCmdShow == SW_SHOWNORMAL || nCmdShow == SW_SHOW || nCmdShow == SW_SHOWMAXIMIZED ||
           nCmdShow == SW_RESTORE || nCmdShow == SW_SHOWDEFAULT || nCmdShow == SW_SHOWMINIMIZED;
}

} // namespace

RECT FrameInsets(DWORD dwStyle, DWORD dwExStyle)
{
    int nFrame = 0;
    if ((dwStyle & WS_THICKFRAME) != 0)
        nFrame = GetSystemMetrics(SM_CXFRAME);
    else if ((dwStyle & WS_DLGFRAME) != 0 || (dwExStyle & WS_EX_DLGMODALFRAME) != 0)
        nFrame = GetSystemMetrics(SM_CXDLGFRAME);
    else if ((dwStyle & WS_BORDER) != 0)
        nFrame = GetSystemMetrics(SM_CXBORDER);
    if ((dwExStyle & WS_EX_CLIENTEDGE) != 0)
        nFrame += GetSystemMetrics(SM_CXEDGE);
    if ((dwExStyle & WS_EX_STATICEDGE) != 0)
        nFrame += GetSystemMetrics(SM_CXBORDER);
    RECT insets{nFrame, nFrame, nFrame, nFrame};
    if ((dwStyle & WS_CAPTION) == WS_CAPTION)
        insets.top += GetSystemMetrics(SM_CYCAPTION);
    if ((dwStyle & WS_VSCROLL) != 0)
        insets.right += GetSystemMetrics(SM_CXVSCROLL);
    if ((dwStyle & WS_HSCROLL) != 0)
        insets.bottom += GetSystemMetrics(SM_CYHSCROLL);
    return insets;
}

void RecalculateClient(HWND hWnd)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return;
    WINDOWPOS position{hWnd,
                       nullptr,
                       pRecord->rcWindow.left,
                       pRecord->rcWindow.top,
                       pRecord->rcWindow.right - pRecord->rcWindow.left,
                       pRecord->rcWindow.bottom - pRecord->rcWindow.top,
                       0};
    NCCALCSIZE_PARAMS params{{pRecord->rcWindow, pRecord->rcWindow, pRecord->rcWindow}, &position};
    SendMessageW(hWnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return;
    // Whatever a handler answered, the client area stays inside the window.
    const RECT& rcWindow = pRecord->rcWindow;
    RECT rcClient = params.rgrc[0];
    rcClient.left = std::clamp(rcClient.left, rcWindow.left, rcWindow.right);
    rcClient.top = std::clamp(rcClient.top, rcWindow.top, rcWindow.bottom);
    rcClient.right = std::clamp(rcClient.right, rcClient.left, rcWindow.right);
    rcClient.bottom = std::clamp(rcClient.bottom, rcClient.top, rcWindow.bottom);
    OffsetRect(&rcClient, -rcWindow.left, -rcWindow.top);
    pRecord->rcClient = rcClient;
}

BOOL IsWindowVisible(HWND hWnd)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.FindQuiet(hWnd);
    return pRecord != nullptr && manager.IsVisibleOnScreen(*pRecord) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hWnd)
{
    SWindowRecord* pRecord = CWindowManager::Get().FindQuiet(hWnd);
    return pRecord != nullptr && (pRecord->dwStyle & WS_DISABLED) == 0 ? TRUE : FALSE;
}

BOOL IsIconic(HWND hWnd)
{
    SWindowRecord* pRecord = CWindowManager::Get().FindQuiet(hWnd);
    return pRecord != nullptr && (pRecord->dwStyle & WS_MINIMIZE) != 0 ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hWnd)
{
    SWindowRecord* pRecord = CWindowManager::Get().FindQuiet(hWnd);
    return pRecord != nullptr && (pRecord->dwStyle & WS_MAXIMIZE) != 0 ? TRUE : FALSE;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr || hWnd == manager.DesktopHandle())
        return FALSE;
    const BOOL bWasVisible = (pRecord->dwStyle & WS_VISIBLE) != 0 ? TRUE : FALSE;

    if (nCmdShow == SW_HIDE)
    {
        if (!bWasVisible)
            return FALSE;
        SendMessageW(hWnd, WM_SHOWWINDOW, FALSE, 0);
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (manager.m_hActive == hWnd)
            ActivateWindow(NextWindowToActivate(hWnd), WA_ACTIVE);
        return bWasVisible;
    }

    const DWORD dwOldPlacement = pRecord->dwStyle & (WS_MINIMIZE | WS_MAXIMIZE);
    DWORD dwPlacement = dwOldPlacement;
    switch (nCmdShow)
    {
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
        case SW_FORCEMINIMIZE:
            dwPlacement = WS_MINIMIZE;
            break;
        case SW_SHOWMAXIMIZED:
            dwPlacement = WS_MAXIMIZE;
            break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
        case SW_SHOWDEFAULT:
            dwPlacement = 0;
            break;
        default:
            break;
    }

    if (!bWasVisible)
    {
        SendMessageW(hWnd, WM_SHOWWINDOW, TRUE, 0);
        pRecord = manager.FindQuiet(hWnd);
        if (pRecord == nullptr)
            return bWasVisible;
    }
    if (dwPlacement != dwOldPlacement)
    {
        if (dwOldPlacement == 0)
            pRecord->rcNormal = pRecord->rcWindow;
        pRecord->dwStyle = (pRecord->dwStyle & ~static_cast<DWORD>(WS_MINIMIZE | WS_MAXIMIZE)) | dwPlacement;
        RECT rcTarget = pRecord->rcNormal;
        if (dwPlacement == WS_MAXIMIZE)
        {
            if (pRecord->hParent == nullptr)
                SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcTarget, 0);
            else
                GetClientRect(pRecord->hParent, &rcTarget);
        }
        if (dwPlacement == WS_MINIMIZE)
            SendMessageW(hWnd, WM_SIZE, SIZE_MINIMIZED, 0);
        else
            SetWindowPos(hWnd, nullptr, rcTarget.left, rcTarget.top, rcTarget.right - rcTarget.left,
                         rcTarget.bottom - rcTarget.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (!bWasVisible)
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pRecord = manager.FindQuiet(hWnd);
    if (pRecord != nullptr && pRecord->hParent == nullptr && IsActivatingShow(nCmdShow) &&
        (pRecord->dwExStyle & WS_EX_NOACTIVATE) == 0)
        ActivateWindow(hWnd, WA_ACTIVE);
    return bWasVisible;
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr)
        return FALSE;
    const BOOL bWasDisabled = (pRecord->dwStyle & WS_DISABLED) != 0 ? TRUE : FALSE;
    if ((bEnable != FALSE) == (bWasDisabled == FALSE))
        return bWasDisabled;
    if (!bEnable)
    {
        SendMessageW(hWnd, WM_CANCELMODE, 0, 0);
        pRecord = manager.FindQuiet(hWnd);
        if (pRecord == nullptr)
            return bWasDisabled;
        pRecord->dwStyle |= WS_DISABLED;
        // A disabled window cannot keep the keyboard focus.
        if (manager.m_hFocus != nullptr && (manager.m_hFocus == hWnd || IsChild(hWnd, manager.m_hFocus)))
            SetFocus(nullptr);
    }
    else
        pRecord->dwStyle &= ~static_cast<DWORD>(WS_DISABLED);
    SendMessageW(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return bWasDisabled;
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr || hWnd == manager.DesktopHandle())
        return FALSE;
    WINDOWPOS position{hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags};
    if ((uFlags & SWP_NOMOVE) != 0)
    {
        position.x = pRecord->rcWindow.left;
        position.y = pRecord->rcWindow.top;
    }
    if ((uFlags & SWP_NOSIZE) != 0)
    {
        position.cx = pRecord->rcWindow.right - pRecord->rcWindow.left;
        position.cy = pRecord->rcWindow.bottom - pRecord->rcWindow.top;
    }
    if ((uFlags & SWP_NOSENDCHANGING) == 0)
    {
        SendMessageW(hWnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
        pRecord = manager.FindQuiet(hWnd);
        if (pRecord == nullptr)
            return FALSE;
    }
    const UINT nFlags = position.flags;
    const RECT rcOld = pRecord->rcWindow;
    const RECT rcOldClient = pRecord->rcClient;
    const bool bWasVisible = (pRecord->dwStyle & WS_VISIBLE) != 0;

    RECT rcNew = rcOld;
    if ((nFlags & SWP_NOMOVE) == 0)
        OffsetRect(&rcNew, position.x - rcOld.left, position.y - rcOld.top);
    if ((nFlags & SWP_NOSIZE) == 0)
    {
        rcNew.right = rcNew.left + std::max(position.cx, 0);
        rcNew.bottom = rcNew.top + std::max(position.cy, 0);
    }
    const bool bMoved = rcNew.left != rcOld.left || rcNew.top != rcOld.top;
    const bool bSized = (rcNew.right - rcNew.left) != (rcOld.right - rcOld.left) ||
                        (rcNew.bottom - rcNew.top) != (rcOld.bottom - rcOld.top);
    pRecord->rcWindow = rcNew;
    if (bSized || (nFlags & SWP_FRAMECHANGED) != 0)
    {
        RecalculateClient(hWnd);
        pRecord = manager.FindQuiet(hWnd);
        if (pRecord == nullptr)
            return FALSE;
    }
    if ((nFlags & SWP_NOZORDER) == 0)
        Reorder(manager, *pRecord, position.hwndInsertAfter);
    if ((nFlags & SWP_SHOWWINDOW) != 0)
        pRecord->dwStyle |= WS_VISIBLE;
    else if ((nFlags & SWP_HIDEWINDOW) != 0)
        pRecord->dwStyle &= ~static_cast<DWORD>(WS_VISIBLE);
    const bool bVisible = (pRecord->dwStyle & WS_VISIBLE) != 0;
    const bool bChanged = bMoved || bSized || bVisible != bWasVisible || (nFlags & SWP_FRAMECHANGED) != 0 ||
                          (nFlags & SWP_NOZORDER) == 0;

    if ((nFlags & SWP_NOREDRAW) == 0 && bChanged)
    {
        if (bWasVisible && pRecord->hParent != nullptr)
            InvalidateParentArea(pRecord->hParent, rcOld);
        if (bVisible)
            InvalidateWholeWindow(hWnd, true);
    }
    if (bVisible && pRecord->hParent == nullptr && (nFlags & SWP_NOACTIVATE) == 0 &&
        (pRecord->dwExStyle & WS_EX_NOACTIVATE) == 0)
        ActivateWindow(hWnd, WA_ACTIVE);

    pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return TRUE;
    if (pRecord->hParent == nullptr && bChanged)
        ScreenWindowChanged(hWnd);
    const RECT& rcClient = pRecord->rcClient;
    WINDOWPOS changed{hWnd,
                      position.hwndInsertAfter,
                      pRecord->rcWindow.left,
                      pRecord->rcWindow.top,
                      pRecord->rcWindow.right - pRecord->rcWindow.left,
                      pRecord->rcWindow.bottom - pRecord->rcWindow.top,
                      nFlags};
    if (!bMoved)
        changed.flags |= SWP_NOMOVE;
    if (!bSized)
        changed.flags |= SWP_NOSIZE;
    if (rcClient.right - rcClient.left == rcOldClient.right - rcOldClient.left &&
        rcClient.bottom - rcClient.top == rcOldClient.bottom - rcOldClient.top)
        changed.flags |= kNoClientSize;
    if (!bMoved && rcClient.left == rcOldClient.left && rcClient.top == rcOldClient.top)
        changed.flags |= kNoClientMove;
    SendMessageW(hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&changed));
    return TRUE;
}

// What DefWindowProc does with WM_WINDOWPOSCHANGED.
void SendSizeAndMoveAfterChange(HWND hWnd, const WINDOWPOS& position)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.FindQuiet(hWnd);
    if (pRecord == nullptr)
        return;
    if ((position.flags & kNoClientMove) == 0)
    {
        const POINT origin{pRecord->rcWindow.left + pRecord->rcClient.left,
                           pRecord->rcWindow.top + pRecord->rcClient.top};
        SendMessageW(hWnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(origin.x), static_cast<WORD>(origin.y)));
        pRecord = manager.FindQuiet(hWnd);
        if (pRecord == nullptr)
            return;
    }
    if ((position.flags & kNoClientSize) == 0)
    {
        WPARAM nType = SIZE_RESTORED;
        if ((pRecord->dwStyle & WS_MAXIMIZE) != 0)
            nType = SIZE_MAXIMIZED;
        else if ((pRecord->dwStyle & WS_MINIMIZE) != 0)
            nType = SIZE_MINIMIZED;
        SendMessageW(hWnd, WM_SIZE, nType,
                     MAKELPARAM(pRecord->rcClient.right - pRecord->rcClient.left,
                                pRecord->rcClient.bottom - pRecord->rcClient.top));
    }
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint)
{
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0u : static_cast<UINT>(SWP_NOREDRAW)));
}

BOOL BringWindowToTop(HWND hWnd)
{
    return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr || lpRect == nullptr)
        return FALSE;
    *lpRect = manager.WindowRectOnScreen(*pRecord);
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hWnd);
    if (pRecord == nullptr || lpRect == nullptr)
        return FALSE;
    *lpRect = {0, 0, pRecord->rcClient.right - pRecord->rcClient.left,
               pRecord->rcClient.bottom - pRecord->rcClient.top};
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr || lpPoint == nullptr)
        return FALSE;
    const POINT origin = manager.ClientOriginOnScreen(*pRecord);
    lpPoint->x += origin.x;
    lpPoint->y += origin.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr || lpPoint == nullptr)
        return FALSE;
    const POINT origin = manager.ClientOriginOnScreen(*pRecord);
    lpPoint->x -= origin.x;
    lpPoint->y -= origin.y;
    return TRUE;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints)
{
    CWindowManager& manager = CWindowManager::Get();
    POINT fromOrigin{0, 0};
    POINT toOrigin{0, 0};
    if (hWndFrom != nullptr && hWndFrom != manager.DesktopHandle())
    {
        SWindowRecord* pFrom = manager.Find(hWndFrom);
        if (pFrom == nullptr)
            return 0;
        fromOrigin = manager.ClientOriginOnScreen(*pFrom);
    }
    if (hWndTo != nullptr && hWndTo != manager.DesktopHandle())
    {
        SWindowRecord* pTo = manager.Find(hWndTo);
        if (pTo == nullptr)
            return 0;
        toOrigin = manager.ClientOriginOnScreen(*pTo);
    }
    const LONG dx = fromOrigin.x - toOrigin.x;
    const LONG dy = fromOrigin.y - toOrigin.y;
    for (UINT i = 0; lpPoints != nullptr && i < cPoints; ++i)
    {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle)
{
    if (lpRect == nullptr)
        return FALSE;
    const RECT insets = FrameInsets(dwStyle & ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL), dwExStyle);
    lpRect->left -= insets.left;
    lpRect->top -= insets.top + (bMenu ? GetSystemMetrics(SM_CYMENU) : 0);
    lpRect->right += insets.right;
    lpRect->bottom += insets.bottom;
    return TRUE;
}

int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr)
        return 0;
    if (hRgn != nullptr && !IsRegionHandle(hRgn))
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    // The window owns the region from now on and frees the one it had.
    if (pRecord->hRegion != nullptr && pRecord->hRegion != hRgn)
        DeleteRgn(pRecord->hRegion);
    pRecord->hRegion = hRgn;
    if (bRedraw && (pRecord->dwStyle & WS_VISIBLE) != 0)
    {
        if (pRecord->hParent != nullptr)
            InvalidateParentArea(pRecord->hParent, pRecord->rcWindow);
        InvalidateWholeWindow(hWnd, true);
    }
    return 1;
}

int GetWindowRgn(HWND hWnd, HRGN hRgn)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hWnd);
    if (pRecord == nullptr || pRecord->hRegion == nullptr || !IsRegionHandle(hRgn))
        return RGN_ERROR;
    return CombineRgn(hRgn, pRecord->hRegion, nullptr, RGN_COPY);
}
