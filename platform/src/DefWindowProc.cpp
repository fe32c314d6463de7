// The default handling of window messages.
#include "Headless.h"
#include "WindowManager.h"

#include <algorithm>

namespace
{

constexpr WPARAM kSysCommandClose = 0xF060;

LRESULT HitTestFrame(const SWindowRecord& record, POINT ptScreen)
{
    CWindowManager& manager = CWindowManager::Get();
    const RECT rcWindow = manager.WindowRectOnScreen(record);
    if (!PtInRect(&rcWindow, ptScreen))
        return HTNOWHERE;
    const POINT origin = manager.ClientOriginOnScreen(record);
    const RECT rcClient{origin.x, origin.y, origin.x + record.rcClient.right - record.rcClient.left,
                        origin.y + record.rcClient.bottom - record.rcClient.top};
    if (PtInRect(&rcClient, ptScreen))
        return HTCLIENT;
    if ((record.dwStyle & WS_VSCROLL) != 0 && ptScreen.x >= rcClient.right && ptScreen.y >= rcClient.top &&
        ptScreen.y < rcClient.bottom)
        return HTVSCROLL;
    if ((record.dwStyle & WS_HSCROLL) != 0 && ptScreen.y >= rcClient.bottom && ptScreen.x >= rcClient.left &&
        ptScreen.x < rcClient.right)
        return HTHSCROLL;
    const RECT insets =
        FrameInsets(record.dwStyle & ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL), record.dwExStyle);
    const int nFrame = insets.left;
    if ((record.dwStyle & WS_THICKFRAME) != 0)
    {
        const bool bLeft = ptScreen.x < rcWindow.left + nFrame;
        const bool bRight = ptScreen.x >= rcWindow.right - nFrame;
        const bool bTop = ptScreen.y < rcWindow.top + nFrame;
        const bool bBottom = ptScreen.y >= rcWindow.bottom - nFrame;
        if (bTop)
            return bLeft ? HTTOPLEFT : bRight ? HTTOPRIGHT : HTTOP;
        if (bBottom)
            return bLeft ? HTBOTTOMLEFT : bRight ? HTBOTTOMRIGHT : HTBOTTOM;
        if (bLeft)
            return HTLEFT;
        if (bRight)
            return HTRIGHT;
    }
    if ((record.dwStyle & WS_CAPTION) == WS_CAPTION && ptScreen.y < rcClient.top &&
        ptScreen.y >= rcWindow.top + nFrame)
        return HTCAPTION;
    return HTBORDER;
}

LRESULT CopyText(const std::wstring& strText, WPARAM nMaxCount, LPARAM lParam)
{
    auto* pszBuffer = reinterpret_cast<LPWSTR>(lParam);
    if (pszBuffer == nullptr || nMaxCount == 0)
        return 0;
    const size_t nCopied = std::min(strText.size(), static_cast<size_t>(nMaxCount) - 1);
    std::copy_n(strText.begin(), nCopied, pszBuffer);
    pszBuffer[nCopied] = L'\0';
    return static_cast<LRESULT>(nCopied);
}

} // namespace

LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    CWindowManager& manager = CWindowManager::Get();
    SWindowRecord* pRecord = manager.Find(hWnd);
    if (pRecord == nullptr)
        return 0;
    switch (Msg)
    {
        case WM_NCCREATE:
            return TRUE;
        case WM_NCCALCSIZE:
        {
            if (lParam == 0)
                return 0;
            // With wParam TRUE lParam is NCCALCSIZE_PARAMS, whose first member
            // is the rectangle; with FALSE it is the rectangle itself.
            auto* pRect = reinterpret_cast<RECT*>(lParam);
            const RECT insets = FrameInsets(pRecord->dwStyle, pRecord->dwExStyle);
            pRect->left += insets.left;
            pRect->top += insets.top;
            pRect->right -= insets.right;
            pRect->bottom -= insets.bottom;
            return 0;
        }
        case WM_NCHITTEST:
            return HitTestFrame(*pRecord, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        case WM_SETTEXT:
            pRecord->strText = lParam != 0 ? reinterpret_cast<LPCWSTR>(lParam) : L"";
            return TRUE;
        case WM_GETTEXT:
            return CopyText(pRecord->strText, wParam, lParam);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(pRecord->strText.size());
        case WM_CLOSE:
            DestroyWindow(hWnd);
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == kSysCommandClose)
                SendMessageW(hWnd, WM_CLOSE, 0, 0);
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4 && (GetKeyState(VK_MENU) & 0x8000) != 0)
                PostMessageW(manager.TopLevelOf(hWnd), WM_SYSCOMMAND, kSysCommandClose, 0);
            return 0;
        case WM_SETCURSOR:
        {
            // A parent may decide the cursor for its children.
            if (pRecord->hParent != nullptr && (pRecord->dwStyle & WS_CHILD) != 0 &&
                SendMessageW(pRecord->hParent, WM_SETCURSOR, wParam, lParam))
                return TRUE;
            pRecord = manager.FindQuiet(hWnd);
            if (pRecord == nullptr)
                return FALSE;
            const auto nHitCode = static_cast<SHORT>(LOWORD(static_cast<ULONG_PTR>(lParam)));
            if (nHitCode == HTCLIENT)
            {
                if (pRecord->pClass->hCursor != nullptr)
                    SetCursor(pRecord->pClass->hCursor);
            }
            else
                SetCursor(LoadCursorW(nullptr, IDC_ARROW));
            return FALSE;
        }
        case WM_MOUSEACTIVATE:
            if (pRecord->hParent != nullptr && (pRecord->dwStyle & WS_CHILD) != 0)
            {
                const LRESULT nAnswer = SendMessageW(pRecord->hParent, WM_MOUSEACTIVATE, wParam, lParam);
                if (nAnswer != 0)
                    return nAnswer;
            }
            return MA_ACTIVATE;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0)
                SetFocus(hWnd);
            return 0;
        case WM_NCACTIVATE:
        {
            // The caption changes colour at once.
            const SPaintHooks& hooks = GetPaintHooks();
            if (hooks.pfnPaintFrame != nullptr && (pRecord->dwStyle & WS_CAPTION) == WS_CAPTION &&
                manager.IsVisibleOnScreen(*pRecord))
                hooks.pfnPaintFrame(hWnd, wParam != FALSE ? TRUE : FALSE);
            return TRUE;
        }
        case WM_NCPAINT:
        {
            const SPaintHooks& hooks = GetPaintHooks();
            if (hooks.pfnPaintFrame != nullptr)
                hooks.pfnPaintFrame(hWnd, manager.m_hActive == hWnd ? TRUE : FALSE);
            return 0;
        }
        case WM_CANCELMODE:
            if (manager.m_hCapture == hWnd)
                ReleaseCapture();
            return 0;
        case WM_ERASEBKGND:
        {
            const HBRUSH hBrush = pRecord->pClass->hBackground;
            if (hBrush == nullptr)
                return FALSE;
            const SPaintHooks& hooks = GetPaintHooks();
            if (hooks.pfnFillBackground != nullptr)
                hooks.pfnFillBackground(hWnd, reinterpret_cast<HDC>(wParam), hBrush);
            return TRUE;
        }
        case WM_PAINT:
        {
            PAINTSTRUCT ps;
            BeginPaint(hWnd, &ps);
            EndPaint(hWnd, &ps);
            return 0;
        }
        case WM_SETREDRAW:
            pRecord->bRedrawDisabled = wParam == FALSE;
            return 0;
        case WM_WINDOWPOSCHANGED:
            if (lParam != 0)
                SendSizeAndMoveAfterChange(hWnd, *reinterpret_cast<const WINDOWPOS*>(lParam));
            return 0;
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
        case WM_CONTEXTMENU:
            // Unhandled, these travel up to the parent.
            if (pRecord->hParent != nullptr && (pRecord->dwStyle & WS_CHILD) != 0)
                return SendMessageW(pRecord->hParent, Msg, wParam, lParam);
            return 0;
        case WM_RBUTTONUP:
        {
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(hWnd, &pt);
            SendMessageW(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd),
                         MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
            return 0;
        }
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        {
            const SPaintHooks& hooks = GetPaintHooks();
            if (hooks.pfnDefaultControlBrush == nullptr)
                return 0;
            return reinterpret_cast<LRESULT>(
                hooks.pfnDefaultControlBrush(Msg, reinterpret_cast<HDC>(wParam)));
        }
        default:
            return 0;
    }
}
