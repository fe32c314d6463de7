// Metrics of the virtual screen and of window frames. The frame sizes are
// those of a classic Windows desktop at 96 dots per inch, so layouts computed
// from them match what the original code was written against.
#include "Headless.h"
#include "WindowManager.h"

namespace
{

const HMONITOR kPrimaryMonitor = reinterpret_cast<HMONITOR>(static_cast<ULONG_PTR>(0x10001));

} // namespace

int GetSystemMetrics(int nIndex)
{
    const CWindowManager& manager = CWindowManager::Get();
    switch (nIndex)
    {
        case SM_CXSCREEN:
        case SM_CXVIRTUALSCREEN:
        case SM_CXMAXIMIZED:
            return manager.m_screenSize.cx;
        case SM_CYSCREEN:
        case SM_CYVIRTUALSCREEN:
        case SM_CYMAXIMIZED:
            return manager.m_screenSize.cy;
        case SM_CXFULLSCREEN:
            return manager.m_rcWorkArea.right - manager.m_rcWorkArea.left;
        case SM_CYFULLSCREEN:
            return manager.m_rcWorkArea.bottom - manager.m_rcWorkArea.top - 23;
        case SM_XVIRTUALSCREEN:
        case SM_YVIRTUALSCREEN:
        case SM_SWAPBUTTON:
            return 0;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL:
            return 17;
        case SM_CYCAPTION:
            return 23;
        case SM_CXBORDER:
        case SM_CYBORDER:
        case SM_CXFOCUSBORDER:
        case SM_CYFOCUSBORDER:
            return 1;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return 3;
        case SM_CXFRAME:
        case SM_CYFRAME:
            return 4;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return 2;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return 32;
        case SM_CXSMICON:
        case SM_CYSMICON:
            return 16;
        case SM_CYMENU:
            return 20;
        case SM_CXMIN:
        case SM_CXMINTRACK:
            return 136;
        case SM_CYMIN:
        case SM_CYMINTRACK:
            return 39;
        case SM_CXMAXTRACK:
            return manager.m_screenSize.cx + 24;
        case SM_CYMAXTRACK:
            return manager.m_screenSize.cy + 24;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
        case SM_CXDRAG:
        case SM_CYDRAG:
            return 4;
        case SM_MOUSEWHEELPRESENT:
        case SM_CMONITORS:
            return 1;
        default:
            return 0;
    }
}

BOOL SystemParametersInfoW(UINT uiAction, UINT, PVOID pvParam, UINT)
{
    if (uiAction == SPI_GETWORKAREA && pvParam != nullptr)
    {
        *static_cast<RECT*>(pvParam) = CWindowManager::Get().m_rcWorkArea;
        return TRUE;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags)
{
    const CWindowManager& manager = CWindowManager::Get();
    const RECT rcScreen{0, 0, manager.m_screenSize.cx, manager.m_screenSize.cy};
    if (!PtInRect(&rcScreen, pt) && dwFlags == MONITOR_DEFAULTTONULL)
        return nullptr;
    return kPrimaryMonitor;
}

HMONITOR MonitorFromRect(LPCRECT lprc, DWORD dwFlags)
{
    if (lprc == nullptr)
        return nullptr;
    const CWindowManager& manager = CWindowManager::Get();
    const RECT rcScreen{0, 0, manager.m_screenSize.cx, manager.m_screenSize.cy};
    RECT overlap;
    if (!IntersectRect(&overlap, &rcScreen, lprc) && dwFlags == MONITOR_DEFAULTTONULL)
        return nullptr;
    return kPrimaryMonitor;
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD dwFlags)
{
    RECT rc;
    if (!GetWindowRect(hwnd, &rc))
        return dwFlags == MONITOR_DEFAULTTONULL ? nullptr : kPrimaryMonitor;
    return MonitorFromRect(&rc, dwFlags);
}

BOOL GetMonitorInfoW(HMONITOR hMonitor, LPMONITORINFO lpmi)
{
    if (hMonitor != kPrimaryMonitor || lpmi == nullptr || lpmi->cbSize < sizeof(MONITORINFO))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const CWindowManager& manager = CWindowManager::Get();
    lpmi->rcMonitor = {0, 0, manager.m_screenSize.cx, manager.m_screenSize.cy};
    lpmi->rcWork = manager.m_rcWorkArea;
    lpmi->dwFlags = MONITORINFOF_PRIMARY;
    return TRUE;
}

// There is no speaker headless; on screen the backend may sound one.
void MessageBeep(UINT) {}

void SetHeadlessScreen(SIZE screenSize, RECT rcWorkArea)
{
    CWindowManager& manager = CWindowManager::Get();
    if (screenSize.cx <= 0 || screenSize.cy <= 0)
    {
        PlatformLog(L"SetHeadlessScreen: a screen needs a positive size; the call was ignored");
        return;
    }
    const RECT rcScreen{0, 0, screenSize.cx, screenSize.cy};
    RECT rcWork;
    if (!IntersectRect(&rcWork, &rcWorkArea, &rcScreen))
        rcWork = rcScreen;
    manager.m_screenSize = screenSize;
    manager.m_rcWorkArea = rcWork;
    manager.Desktop().rcWindow = rcScreen;
    manager.Desktop().rcClient = rcScreen;
}
