// The tooltip class "tooltips_class32": tools, relayed mouse messages and the
// timers that show and hide the tip, text callbacks and string resources,
// tracking tips, placement on the work area, painting, and CToolTipCtrl.
#include "TooltipControl.h"

#include "Gdi.h"
#include "controls/BuiltInControls.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace
{

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
// Inside the frame the text keeps this much room on each side.
constexpr int kFrame = 1;
constexpr int kPaddingX = 4;
constexpr int kPaddingY = 2;
// A tip stands this far below the pointer, under the arrow cursor.
constexpr int kCursorOffset = 20;
// What a tool's text may hold when it is handed back through TOOLINFOW.
constexpr size_t kToolTextLimit = 80;

enum class ETextKind
{
    Text,
    Callback,
    Resource,
};

struct STool
{
    UINT uFlags = 0;
    HWND hWnd = nullptr;
    UINT_PTR uId = 0;
    RECT rect{};
    HINSTANCE hInst = nullptr;
    ETextKind eKind = ETextKind::Text;
    std::wstring strText;
    UINT nResourceId = 0;
    LPARAM lParam = 0;
};

enum class EPhase
{
    Idle,    // no tool under the pointer
    Waiting, // a tool under the pointer, the show timer running
    Showing,
    Popped, // shown and gone again; nothing more until the pointer leaves the tool
};

struct STooltipState : SControlState
{
    std::vector<STool> tools;
    bool bActive = true;
    // -1: follows the double-click time.
    int nInitial = -1;
    int nReshow = -1;
    int nAutoPop = -1;
    bool bCustomBack = false;
    bool bCustomText = false;
    COLORREF crBack = 0;
    COLORREF crText = 0;
    int nMaxWidth = -1;
    RECT rcMargin{}; // extra room round the text inside the padding
    HFONT hFont = nullptr;

    EPhase ePhase = EPhase::Idle;
    HWND hCurrentWnd = nullptr; // the tool under the pointer, by its key
    UINT_PTR nCurrentId = 0;
    bool bHasCurrent = false;
    POINT ptCursor{}; // screen
    bool bTracking = false;
    HWND hTrackWnd = nullptr;
    UINT_PTR nTrackId = 0;
    POINT ptTrack{};
};

STooltipState* StateOf(HWND hWnd)
{
    return ControlStateOf<STooltipState>(hWnd);
}

int DelayOf(const STooltipState& state, int nWhich)
{
    const int nBase = static_cast<int>(GetDoubleClickTime());
    switch (nWhich)
    {
        case TTDT_RESHOW:
            return state.nReshow >= 0 ? state.nReshow : nBase / 5;
        case TTDT_AUTOPOP:
            return state.nAutoPop >= 0 ? state.nAutoPop : nBase * 10;
        default:
            return state.nInitial >= 0 ? state.nInitial : nBase;
    }
}

STool* FindTool(STooltipState& state, HWND hWnd, UINT_PTR uId)
{
    for (STool& tool : state.tools)
    {
        if (tool.hWnd == hWnd && tool.uId == uId)
            return &tool;
    }
    return nullptr;
}

STool* FindTool(STooltipState& state, const TOOLINFOW* pInfo)
{
    if (pInfo == nullptr || pInfo->cbSize < TTTOOLINFOW_V1_SIZE)
        return nullptr;
    return FindTool(state, pInfo->hwnd, pInfo->uId);
}

// The window whose mouse messages belong to a tool.
HWND WatchedWindow(const STool& tool)
{
    return (tool.uFlags & TTF_IDISHWND) != 0 ? reinterpret_cast<HWND>(tool.uId) : tool.hWnd;
}

// The tool under a point of a window's client area, ignoring tracking tools.
STool* ToolAtPoint(STooltipState& state, HWND hWnd, POINT pt)
{
    for (STool& tool : state.tools)
    {
        if ((tool.uFlags & TTF_TRACK) != 0)
            continue;
        if ((tool.uFlags & TTF_IDISHWND) != 0)
        {
            if (reinterpret_cast<HWND>(tool.uId) == hWnd)
                return &tool;
        }
        else if (tool.hWnd == hWnd && PtInRect(&tool.rect, pt))
            return &tool;
    }
    return nullptr;
}

RECT ToolRectOnScreen(const STool& tool)
{
    RECT rc{};
    if ((tool.uFlags & TTF_IDISHWND) != 0)
    {
        GetWindowRect(reinterpret_cast<HWND>(tool.uId), &rc);
        return rc;
    }
    rc = tool.rect;
    MapWindowPoints(tool.hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The window told about a tool: the one named in the tool, else the owner.
HWND NotifyTarget(HWND hTip, const STool& tool)
{
    if (tool.hWnd != nullptr && IsWindow(tool.hWnd))
        return tool.hWnd;
    return GetWindow(hTip, GW_OWNER);
}

LRESULT SendToolNotify(HWND hTip, const STool& tool, UINT nCode)
{
    HWND hTarget = NotifyTarget(hTip, tool);
    if (hTarget == nullptr)
        return 0;
    NMHDR header{hTip, tool.uId, nCode};
    return SendMessageW(hTarget, WM_NOTIFY, tool.uId, reinterpret_cast<LPARAM>(&header));
}

std::wstring LoadResourceText(HINSTANCE hInst, UINT nId)
{
    LPCWSTR pText = nullptr;
    const int nLength = LoadStringW(hInst, nId, reinterpret_cast<LPWSTR>(&pText), 0);
    if (nLength <= 0 || pText == nullptr)
        return {};
    return std::wstring(pText, static_cast<size_t>(nLength));
}

// Sets a tool's text from what a caller gave: a string, a resource number
// with its module, or the callback marker.
void SetToolText(STool& tool, LPCWSTR pszText, HINSTANCE hInst)
{
    tool.hInst = hInst;
    tool.strText.clear();
    tool.nResourceId = 0;
    if (pszText == LPSTR_TEXTCALLBACKW)
        tool.eKind = ETextKind::Callback;
    else if (pszText != nullptr && IS_INTRESOURCE(pszText))
    {
        tool.eKind = ETextKind::Resource;
        tool.nResourceId = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(pszText));
    }
    else
    {
        tool.eKind = ETextKind::Text;
        tool.strText = pszText != nullptr ? pszText : L"";
    }
}

// The text to show for a tool now, asking for it when it is a callback.
std::wstring ResolveText(HWND hTip, STool tool)
{
    if (tool.eKind == ETextKind::Text)
        return tool.strText;
    if (tool.eKind == ETextKind::Resource)
        return LoadResourceText(tool.hInst, tool.nResourceId);
    HWND hTarget = NotifyTarget(hTip, tool);
    if (hTarget == nullptr)
        return {};
    NMTTDISPINFOW info{};
    info.hdr = NMHDR{hTip, tool.uId, TTN_GETDISPINFOW};
    info.lpszText = info.szText;
    info.hinst = tool.hInst;
    info.uFlags = tool.uFlags;
    info.lParam = tool.lParam;
    SendMessageW(hTarget, WM_NOTIFY, tool.uId, reinterpret_cast<LPARAM>(&info));
    std::wstring strText;
    if (info.lpszText == nullptr || info.lpszText == LPSTR_TEXTCALLBACKW)
        strText.clear();
    else if (IS_INTRESOURCE(info.lpszText))
        strText = LoadResourceText(info.hinst, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(info.lpszText)));
    else if (info.lpszText == info.szText)
        strText.assign(info.szText, std::find(std::begin(info.szText), std::end(info.szText), L'\0'));
    else
        strText = info.lpszText;
    if ((info.uFlags & TTF_DI_SETITEM) != 0)
    {
        if (STooltipState* pState = StateOf(hTip))
        {
            if (STool* pTool = FindTool(*pState, tool.hWnd, tool.uId))
            {
                pTool->eKind = ETextKind::Text;
                pTool->strText = strText;
            }
        }
    }
    return strText;
}

HFONT FontOf(const STooltipState& state)
{
    return state.hFont != nullptr ? state.hFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

UINT TextFormat(HWND hTip, const STooltipState& state)
{
    UINT nFormat = state.nMaxWidth >= 0 ? DT_WORDBREAK : DT_SINGLELINE;
    if ((GetWindowLongPtrW(hTip, GWL_STYLE) & TTS_NOPREFIX) != 0)
        nFormat |= DT_NOPREFIX;
    return nFormat;
}

// The tip's size for a text: the text, wrapped at the maximum width when one
// is set, with padding and frame round it.
SIZE TipSize(HWND hTip, const STooltipState& state, const std::wstring& strText)
{
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, FontOf(state));
    RECT rc{0, 0, std::max(state.nMaxWidth, 0), 0};
    DrawTextW(hdc, strText.c_str(), static_cast<int>(strText.size()), &rc,
              TextFormat(hTip, state) | DT_CALCRECT);
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    return SIZE{rc.right - rc.left + 2 * (kFrame + kPaddingX) + state.rcMargin.left + state.rcMargin.right,
                rc.bottom - rc.top + 2 * (kFrame + kPaddingY) + state.rcMargin.top + state.rcMargin.bottom};
}

// What lies between the tip's edge and its text on each side.
RECT TextInsets(const STooltipState& state)
{
    return RECT{kFrame + kPaddingX + state.rcMargin.left, kFrame + kPaddingY + state.rcMargin.top,
                kFrame + kPaddingX + state.rcMargin.right, kFrame + kPaddingY + state.rcMargin.bottom};
}

RECT WorkArea()
{
    RECT rc{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

// Moves a tip at (x, y) of the given size onto the work area; when it would
// run off the bottom it goes above yAbove instead.
POINT KeepOnWorkArea(POINT pt, SIZE size, int yAbove)
{
    const RECT rcWork = WorkArea();
    if (pt.x + size.cx > rcWork.right)
        pt.x = rcWork.right - size.cx;
    if (pt.y + size.cy > rcWork.bottom)
        pt.y = yAbove - size.cy;
    pt.x = std::max(pt.x, rcWork.left);
    pt.y = std::max(pt.y, rcWork.top);
    return pt;
}

void KillTimers(HWND hTip)
{
    KillTimer(hTip, kShowTimer);
    KillTimer(hTip, kPopTimer);
}

// Hides the tip, telling the tool's window when one was showing.
void HideTip(HWND hTip, STooltipState& state, const STool* pTool)
{
    KillTimers(hTip);
    if (!IsWindowVisible(hTip))
        return;
    ShowWindow(hTip, SW_HIDE);
    if (pTool != nullptr)
    {
        const STool tool = *pTool;
        SendToolNotify(hTip, tool, TTN_POP);
    }
    (void)state;
}

STool* CurrentTool(STooltipState& state)
{
    if (state.bTracking)
        return FindTool(state, state.hTrackWnd, state.nTrackId);
    if (!state.bHasCurrent)
        return nullptr;
    return FindTool(state, state.hCurrentWnd, state.nCurrentId);
}

// Shows the tip for a tool at a place worked out from the point: the
// pointer's position for relayed tools, the track position for tracking
// ones. False when the tool has no text (no tip is shown then).
bool ShowTip(HWND hTip, const STool& toolIn, POINT pt, bool bTrack)
{
    const STool tool = toolIn;
    const std::wstring strText = ResolveText(hTip, tool);
    STooltipState* pState = StateOf(hTip);
    if (pState == nullptr || strText.empty())
        return false;
    SetWindowTextW(hTip, strText.c_str());
    const SIZE size = TipSize(hTip, *pState, strText);
    POINT ptTip{};
    if (bTrack)
    {
        ptTip = (tool.uFlags & TTF_ABSOLUTE) != 0 ? pt : KeepOnWorkArea(pt, size, pt.y);
    }
    else if ((tool.uFlags & TTF_CENTERTIP) != 0)
    {
        const RECT rcTool = ToolRectOnScreen(tool);
        ptTip = POINT{(rcTool.left + rcTool.right) / 2 - size.cx / 2, rcTool.bottom};
        ptTip = KeepOnWorkArea(ptTip, size, rcTool.top);
    }
    else
    {
        ptTip = KeepOnWorkArea(POINT{pt.x, pt.y + kCursorOffset}, size, pt.y);
    }
    SetWindowPos(hTip, HWND_TOPMOST, ptTip.x, ptTip.y, size.cx, size.cy, SWP_NOACTIVATE);
    // A TRUE answer means the tool's window placed the tip itself.
    SendToolNotify(hTip, tool, TTN_SHOW);
    if (!IsWindow(hTip))
        return false;
    SetWindowPos(hTip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hTip, nullptr, TRUE);
    return true;
}

void ShowCurrent(HWND hTip)
{
    STooltipState* pState = StateOf(hTip);
    if (pState == nullptr)
        return;
    KillTimer(hTip, kShowTimer);
    STool* pTool = CurrentTool(*pState);
    if (pTool == nullptr)
    {
        pState->ePhase = EPhase::Idle;
        return;
    }
    const bool bShown = ShowTip(hTip, *pTool, pState->ptCursor, false);
    pState = StateOf(hTip);
    if (pState == nullptr)
        return;
    pState->ePhase = bShown ? EPhase::Showing : EPhase::Popped;
    if (bShown)
        SetTimer(hTip, kPopTimer, static_cast<UINT>(DelayOf(*pState, TTDT_AUTOPOP)), nullptr);
}

bool IsButtonMessage(UINT nMessage)
{
    switch (nMessage)
    {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
            return true;
        default:
            return false;
    }
}

bool IsWatchedBy(HWND hTip, HWND hWnd);

void Relay(HWND hTip, const MSG& msg)
{
    STooltipState* pState = StateOf(hTip);
    if (pState == nullptr || !pState->bActive || pState->bTracking)
        return;
    if (IsButtonMessage(msg.message))
    {
        // A click puts the tip away until the pointer leaves the tool.
        HideTip(hTip, *pState, CurrentTool(*pState));
        if (StateOf(hTip) != nullptr && pState->bHasCurrent)
            pState->ePhase = EPhase::Popped;
        return;
    }
    if (msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE && msg.message != WM_MOUSELEAVE)
        return;

    if (msg.message == WM_MOUSELEAVE)
    {
        // Only leaving the window of the tool in hand matters.
        const STool* pCurrent = CurrentTool(*pState);
        if (pCurrent == nullptr || WatchedWindow(*pCurrent) != msg.hwnd)
            return;
    }
    STool* pTool = nullptr;
    if (msg.message == WM_MOUSEMOVE && IsWindow(msg.hwnd))
    {
        POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        pTool = ToolAtPoint(*pState, msg.hwnd, pt);
        ClientToScreen(msg.hwnd, &pt);
        pState->ptCursor = pt;
        // A window the tooltip watches itself reports the pointer leaving it,
        // which its owner would otherwise have to relay.
        if (pTool != nullptr && IsWatchedBy(hTip, msg.hwnd))
        {
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, msg.hwnd, 0};
            TrackMouseEvent(&track);
        }
    }
    if (pTool == nullptr)
    {
        HideTip(hTip, *pState, CurrentTool(*pState));
        if ((pState = StateOf(hTip)) == nullptr)
            return;
        pState->bHasCurrent = false;
        pState->ePhase = EPhase::Idle;
        return;
    }
    if (pState->bHasCurrent && pTool->hWnd == pState->hCurrentWnd && pTool->uId == pState->nCurrentId)
        return;
    // Another tool: straight from a showing tip it comes after the reshow
    // delay, otherwise after the initial one.
    const bool bWasShowing = pState->ePhase == EPhase::Showing;
    const HWND hNewWnd = pTool->hWnd;
    const UINT_PTR nNewId = pTool->uId;
    HideTip(hTip, *pState, CurrentTool(*pState));
    if ((pState = StateOf(hTip)) == nullptr)
        return;
    pState->bHasCurrent = true;
    pState->hCurrentWnd = hNewWnd;
    pState->nCurrentId = nNewId;
    pState->ePhase = EPhase::Waiting;
    SetTimer(hTip, kShowTimer, static_cast<UINT>(DelayOf(*pState, bWasShowing ? TTDT_RESHOW : TTDT_INITIAL)),
             nullptr);
}

// Windows whose mouse messages the tooltips relay themselves (TTF_SUBCLASS):
// the procedure they had and the tooltips that watch them.
struct SWatched
{
    WNDPROC pfnOld = nullptr;
    std::vector<HWND> tips;
};

std::map<HWND, SWatched>& WatchedWindows()
{
    static std::map<HWND, SWatched> s_watched;
    return s_watched;
}

bool IsWatchedBy(HWND hTip, HWND hWnd)
{
    auto it = WatchedWindows().find(hWnd);
    return it != WatchedWindows().end() &&
           std::find(it->second.tips.begin(), it->second.tips.end(), hTip) != it->second.tips.end();
}

LRESULT WatchProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    auto it = WatchedWindows().find(hWnd);
    if (it == WatchedWindows().end())
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    const WNDPROC pfnOld = it->second.pfnOld;
    if ((nMessage >= WM_MOUSEFIRST && nMessage <= WM_MOUSELAST) || nMessage == WM_MOUSELEAVE ||
        nMessage == WM_NCMOUSEMOVE)
    {
        MSG msg{hWnd, nMessage, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        GetCursorPos(&msg.pt);
        const std::vector<HWND> tips = it->second.tips;
        for (HWND hTip : tips)
        {
            if (IsWindow(hTip))
                Relay(hTip, msg);
        }
    }
    if (nMessage == WM_NCDESTROY)
    {
        WatchedWindows().erase(hWnd);
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnOld));
    }
    return CallWindowProcW(pfnOld, hWnd, nMessage, wParam, lParam);
}

void Watch(HWND hTip, HWND hWnd)
{
    if (hWnd == nullptr || !IsWindow(hWnd))
        return;
    auto it = WatchedWindows().find(hWnd);
    if (it == WatchedWindows().end())
    {
        SWatched watched;
        watched.pfnOld = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
        it = WatchedWindows().emplace(hWnd, watched).first;
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchProc));
    }
    if (std::find(it->second.tips.begin(), it->second.tips.end(), hTip) == it->second.tips.end())
        it->second.tips.push_back(hTip);
}

// Stops relaying a window's messages for a tooltip once none of its tools
// needs them; the window gets its procedure back when nobody subclassed it
// after us.
void Unwatch(HWND hTip, HWND hWnd, const STooltipState* pState)
{
    auto it = WatchedWindows().find(hWnd);
    if (it == WatchedWindows().end())
        return;
    if (pState != nullptr)
    {
        for (const STool& tool : pState->tools)
        {
            if ((tool.uFlags & TTF_SUBCLASS) != 0 && WatchedWindow(tool) == hWnd)
                return;
        }
    }
    auto& tips = it->second.tips;
    tips.erase(std::remove(tips.begin(), tips.end(), hTip), tips.end());
    if (tips.empty() && GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&WatchProc))
    {
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.pfnOld));
        WatchedWindows().erase(it);
    }
}

void UnwatchAll(HWND hTip)
{
    std::vector<HWND> windows;
    for (const auto& entry : WatchedWindows())
        windows.push_back(entry.first);
    for (HWND hWnd : windows)
        Unwatch(hTip, hWnd, nullptr);
}

// Copies what TOOLINFOW carries about a tool into a caller's structure; the
// text goes into the caller's buffer, which must hold 80 characters.
void FillToolInfo(const STool& tool, TOOLINFOW& info)
{
    info.uFlags = tool.uFlags;
    info.hwnd = tool.hWnd;
    info.uId = tool.uId;
    info.rect = tool.rect;
    info.hinst = tool.hInst;
    if (tool.eKind == ETextKind::Callback)
        info.lpszText = LPSTR_TEXTCALLBACKW;
    else if (tool.eKind == ETextKind::Resource)
        info.lpszText = MAKEINTRESOURCEW(tool.nResourceId);
    else if (info.lpszText != nullptr && !IS_INTRESOURCE(info.lpszText) &&
             info.lpszText != LPSTR_TEXTCALLBACKW)
    {
        const size_t nCopy = std::min(tool.strText.size(), kToolTextLimit - 1);
        std::copy_n(tool.strText.begin(), nCopy, info.lpszText);
        info.lpszText[nCopy] = L'\0';
    }
    if (info.cbSize >= offsetof(TOOLINFOW, lpReserved))
        info.lParam = tool.lParam;
}

void PaintTip(HWND hTip, HDC hdc)
{
    STooltipState* pState = StateOf(hTip);
    if (hdc == nullptr || pState == nullptr)
        return;
    RECT rc;
    GetClientRect(hTip, &rc);
    const COLORREF crBack = pState->bCustomBack ? pState->crBack : GetSysColor(COLOR_INFOBK);
    const COLORREF crText = pState->bCustomText ? pState->crText : GetSysColor(COLOR_INFOTEXT);
    const int nSaved = SaveDC(hdc);
    HBRUSH hBack = CreateSolidBrush(crBack);
    FillRect(hdc, &rc, hBack);
    DeleteObject(hBack);
    FrameRect(hdc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
    std::wstring strText(static_cast<size_t>(GetWindowTextLengthW(hTip)) + 1, L'\0');
    strText.resize(
        static_cast<size_t>(GetWindowTextW(hTip, strText.data(), static_cast<int>(strText.size()))));
    const RECT insets = TextInsets(*pState);
    RECT rcText{rc.left + insets.left, rc.top + insets.top, rc.right - insets.right,
                rc.bottom - insets.bottom};
    SelectObject(hdc, FontOf(*pState));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, crText);
    DrawTextW(hdc, strText.c_str(), static_cast<int>(strText.size()), &rcText, TextFormat(hTip, *pState));
    RestoreDC(hdc, nSaved);
}

void SetDelay(STooltipState& state, WPARAM nWhich, LPARAM lParam)
{
    const int nTime = static_cast<SHORT>(LOWORD(static_cast<ULONG_PTR>(lParam)));
    switch (nWhich)
    {
        case TTDT_AUTOMATIC:
            if (nTime < 0)
            {
                state.nInitial = state.nReshow = state.nAutoPop = -1;
            }
            else
            {
                state.nInitial = nTime;
                state.nReshow = nTime / 5;
                state.nAutoPop = nTime * 10;
            }
            break;
        case TTDT_RESHOW:
            state.nReshow = nTime;
            break;
        case TTDT_AUTOPOP:
            state.nAutoPop = nTime;
            break;
        case TTDT_INITIAL:
            state.nInitial = nTime;
            break;
        default:
            break;
    }
}

// Shows a tracking tip, or moves it to the track position.
void ShowTracking(HWND hTip)
{
    STooltipState* pState = StateOf(hTip);
    if (pState == nullptr || !pState->bTracking)
        return;
    if (STool* pTool = FindTool(*pState, pState->hTrackWnd, pState->nTrackId))
        ShowTip(hTip, *pTool, pState->ptTrack, true);
}

LRESULT OnToolMessage(HWND hTip, STooltipState& state, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    auto* pInfo = reinterpret_cast<TOOLINFOW*>(lParam);
    switch (nMessage)
    {
        case TTM_ADDTOOLW:
        {
            if (pInfo == nullptr || pInfo->cbSize < TTTOOLINFOW_V1_SIZE)
                return FALSE;
            STool tool;
            tool.uFlags = pInfo->uFlags;
            tool.hWnd = pInfo->hwnd;
            tool.uId = pInfo->uId;
            tool.rect = pInfo->rect;
            SetToolText(tool, pInfo->lpszText, pInfo->hinst);
            if (pInfo->cbSize >= offsetof(TOOLINFOW, lpReserved))
                tool.lParam = pInfo->lParam;
            if (STool* pExisting = FindTool(state, tool.hWnd, tool.uId))
                *pExisting = tool;
            else
                state.tools.push_back(tool);
            if ((tool.uFlags & TTF_SUBCLASS) != 0)
                Watch(hTip, WatchedWindow(tool));
            return TRUE;
        }
        case TTM_DELTOOLW:
        {
            STool* pTool = FindTool(state, pInfo);
            if (pTool == nullptr)
                return 0;
            if (pTool == CurrentTool(state))
            {
                HideTip(hTip, state, pTool);
                state.bHasCurrent = false;
                state.bTracking = false;
                state.ePhase = EPhase::Idle;
            }
            const HWND hWatched = WatchedWindow(*pTool);
            const bool bSubclassed = (pTool->uFlags & TTF_SUBCLASS) != 0;
            state.tools.erase(state.tools.begin() + (pTool - state.tools.data()));
            if (bSubclassed)
                Unwatch(hTip, hWatched, &state);
            return 0;
        }
        case TTM_NEWTOOLRECTW:
            if (STool* pTool = FindTool(state, pInfo))
                pTool->rect = pInfo->rect;
            return 0;
        case TTM_GETTOOLINFOW:
        {
            const STool* pTool = FindTool(state, pInfo);
            if (pTool == nullptr)
                return FALSE;
            FillToolInfo(*pTool, *pInfo);
            return TRUE;
        }
        case TTM_SETTOOLINFOW:
        {
            STool* pTool = FindTool(state, pInfo);
            if (pTool == nullptr)
                return 0;
            pTool->uFlags = pInfo->uFlags;
            pTool->rect = pInfo->rect;
            SetToolText(*pTool, pInfo->lpszText, pInfo->hinst);
            if (pInfo->cbSize >= offsetof(TOOLINFOW, lpReserved))
                pTool->lParam = pInfo->lParam;
            return 0;
        }
        case TTM_UPDATETIPTEXTW:
        {
            STool* pTool = FindTool(state, pInfo);
            if (pTool == nullptr)
                return 0;
            SetToolText(*pTool, pInfo->lpszText, pInfo->hinst);
            if (pTool == CurrentTool(state) && IsWindowVisible(hTip))
            {
                // The tip showing this tool takes the new text where it stands.
                RECT rcTip;
                GetWindowRect(hTip, &rcTip);
                const std::wstring strText = ResolveText(hTip, *pTool);
                SetWindowTextW(hTip, strText.c_str());
                if (STooltipState* pState = StateOf(hTip))
                {
                    const SIZE size = TipSize(hTip, *pState, strText);
                    SetWindowPos(hTip, nullptr, 0, 0, size.cx, size.cy,
                                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                    InvalidateRect(hTip, nullptr, TRUE);
                }
            }
            return 0;
        }
        case TTM_GETTEXTW:
        {
            const STool* pTool = FindTool(state, pInfo);
            if (pTool == nullptr || pInfo->lpszText == nullptr || IS_INTRESOURCE(pInfo->lpszText) ||
                pInfo->lpszText == LPSTR_TEXTCALLBACKW)
                return 0;
            std::wstring strText;
            if (pTool->eKind == ETextKind::Text)
                strText = pTool->strText;
            else if (pTool->eKind == ETextKind::Resource)
                strText = LoadResourceText(pTool->hInst, pTool->nResourceId);
            const size_t nBuffer = wParam != 0 ? static_cast<size_t>(wParam) : kToolTextLimit;
            const size_t nCopy = std::min(strText.size(), nBuffer - 1);
            std::copy_n(strText.begin(), nCopy, pInfo->lpszText);
            pInfo->lpszText[nCopy] = L'\0';
            return static_cast<LRESULT>(nCopy);
        }
        case TTM_HITTESTW:
        {
            auto* pHit = reinterpret_cast<TTHITTESTINFOW*>(lParam);
            if (pHit == nullptr)
                return FALSE;
            const STool* pTool = ToolAtPoint(state, pHit->hwnd, pHit->pt);
            if (pTool == nullptr)
                return FALSE;
            if (pHit->ti.cbSize >= TTTOOLINFOW_V1_SIZE)
                FillToolInfo(*pTool, pHit->ti);
            return TRUE;
        }
        case TTM_TRACKACTIVATE:
        {
            if (wParam == 0)
            {
                HideTip(hTip, state, CurrentTool(state));
                if (STooltipState* pState = StateOf(hTip))
                    pState->bTracking = false;
                return 0;
            }
            const STool* pTool = FindTool(state, pInfo);
            if (pTool == nullptr)
                return 0;
            HideTip(hTip, state, CurrentTool(state));
            state.bTracking = true;
            state.hTrackWnd = pTool->hWnd;
            state.nTrackId = pTool->uId;
            ShowTracking(hTip);
            return 0;
        }
        default:
            return 0;
    }
}

LRESULT TooltipProc(HWND hTip, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    STooltipState* pState = StateOf(hTip);
    if (pState == nullptr)
        return DefWindowProcW(hTip, nMessage, wParam, lParam);
    STooltipState& state = *pState;
    switch (nMessage)
    {
        case WM_NCCREATE:
        {
            // Always a popup that stays on top and never takes the activation.
            const auto dwStyle = static_cast<DWORD>(GetWindowLongPtrW(hTip, GWL_STYLE));
            SetWindowLongPtrW(
                hTip, GWL_STYLE,
                static_cast<LONG_PTR>((dwStyle & ~static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_CAPTION |
                                                                     WS_THICKFRAME | WS_SYSMENU)) |
                                      WS_POPUP));
            const auto dwExStyle = static_cast<DWORD>(GetWindowLongPtrW(hTip, GWL_EXSTYLE));
            SetWindowLongPtrW(
                hTip, GWL_EXSTYLE,
                static_cast<LONG_PTR>(dwExStyle | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE));
            return DefWindowProcW(hTip, nMessage, wParam, lParam);
        }
        case TTM_ADDTOOLW:
        case TTM_DELTOOLW:
        case TTM_NEWTOOLRECTW:
        case TTM_GETTOOLINFOW:
        case TTM_SETTOOLINFOW:
        case TTM_UPDATETIPTEXTW:
        case TTM_GETTEXTW:
        case TTM_HITTESTW:
        case TTM_TRACKACTIVATE:
            return OnToolMessage(hTip, state, nMessage, wParam, lParam);
        case TTM_RELAYEVENT:
            if (lParam != 0)
                Relay(hTip, *reinterpret_cast<const MSG*>(lParam));
            return 0;
        case TTM_ACTIVATE:
            state.bActive = wParam != 0;
            if (!state.bActive)
            {
                HideTip(hTip, state, CurrentTool(state));
                if (STooltipState* pAfter = StateOf(hTip))
                {
                    pAfter->bHasCurrent = false;
                    pAfter->ePhase = EPhase::Idle;
                }
            }
            return 0;
        case TTM_SETDELAYTIME:
            SetDelay(state, wParam, lParam);
            return 0;
        case TTM_GETDELAYTIME:
            return DelayOf(state, static_cast<int>(wParam));
        case TTM_GETTOOLCOUNT:
            return static_cast<LRESULT>(state.tools.size());
        case TTM_WINDOWFROMPOINT:
            return lParam != 0
                       ? reinterpret_cast<LRESULT>(WindowFromPoint(*reinterpret_cast<const POINT*>(lParam)))
                       : 0;
        case TTM_TRACKPOSITION:
            state.ptTrack = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (state.bTracking && IsWindowVisible(hTip))
                ShowTracking(hTip);
            return 0;
        case TTM_SETTIPBKCOLOR:
            state.crBack = static_cast<COLORREF>(wParam);
            state.bCustomBack = true;
            InvalidateRect(hTip, nullptr, TRUE);
            return 0;
        case TTM_SETTIPTEXTCOLOR:
            state.crText = static_cast<COLORREF>(wParam);
            state.bCustomText = true;
            InvalidateRect(hTip, nullptr, TRUE);
            return 0;
        case TTM_GETTIPBKCOLOR:
            return state.bCustomBack ? state.crBack : GetSysColor(COLOR_INFOBK);
        case TTM_GETTIPTEXTCOLOR:
            return state.bCustomText ? state.crText : GetSysColor(COLOR_INFOTEXT);
        case TTM_SETMAXTIPWIDTH:
        {
            const int nOld = state.nMaxWidth;
            state.nMaxWidth = static_cast<int>(lParam);
            return nOld;
        }
        case TTM_GETMAXTIPWIDTH:
            return state.nMaxWidth;
        case TTM_SETMARGIN:
            if (lParam != 0)
                state.rcMargin = *reinterpret_cast<const RECT*>(lParam);
            return 0;
        case TTM_GETMARGIN:
            if (lParam != 0)
                *reinterpret_cast<RECT*>(lParam) = state.rcMargin;
            return 0;
        case TTM_ADJUSTRECT:
        {
            if (lParam == 0)
                return FALSE;
            auto& rc = *reinterpret_cast<RECT*>(lParam);
            const RECT insets = TextInsets(state);
            const int nSign = wParam != 0 ? 1 : -1;
            rc.left -= nSign * insets.left;
            rc.top -= nSign * insets.top;
            rc.right += nSign * insets.right;
            rc.bottom += nSign * insets.bottom;
            return TRUE;
        }
        case TTM_GETBUBBLESIZE:
        {
            STool* pTool = FindTool(state, reinterpret_cast<const TOOLINFOW*>(lParam));
            if (pTool == nullptr)
                return 0;
            const STool tool = *pTool;
            const std::wstring strText = ResolveText(hTip, tool);
            STooltipState* pAfter = StateOf(hTip);
            if (pAfter == nullptr)
                return 0;
            const SIZE size = TipSize(hTip, *pAfter, strText);
            return MAKELPARAM(static_cast<WORD>(size.cx), static_cast<WORD>(size.cy));
        }
        case TTM_POP:
            HideTip(hTip, state, CurrentTool(state));
            if (STooltipState* pAfter = StateOf(hTip); pAfter != nullptr && pAfter->bHasCurrent)
                pAfter->ePhase = EPhase::Popped;
            return 0;
        case TTM_POPUP:
        {
            // The tip of the tool under the pointer, at once.
            POINT ptCursor;
            GetCursorPos(&ptCursor);
            HWND hUnder = WindowFromPoint(ptCursor);
            POINT ptClient = ptCursor;
            ScreenToClient(hUnder, &ptClient);
            STool* pTool = hUnder != nullptr ? ToolAtPoint(state, hUnder, ptClient) : nullptr;
            if (pTool == nullptr || !state.bActive)
                return 0;
            state.bHasCurrent = true;
            state.hCurrentWnd = pTool->hWnd;
            state.nCurrentId = pTool->uId;
            state.ptCursor = ptCursor;
            ShowCurrent(hTip);
            return 0;
        }
        case TTM_UPDATE:
            if (IsWindowVisible(hTip) && !state.bTracking)
                ShowCurrent(hTip);
            else if (IsWindowVisible(hTip))
                ShowTracking(hTip);
            return 0;
        case WM_TIMER:
            if (wParam == kShowTimer)
            {
                if (state.ePhase == EPhase::Waiting)
                    ShowCurrent(hTip);
                else
                    KillTimer(hTip, kShowTimer);
                return 0;
            }
            if (wParam == kPopTimer)
            {
                HideTip(hTip, state, CurrentTool(state));
                if (STooltipState* pAfter = StateOf(hTip); pAfter != nullptr && pAfter->bHasCurrent)
                    pAfter->ePhase = EPhase::Popped;
                return 0;
            }
            return DefWindowProcW(hTip, nMessage, wParam, lParam);
        case WM_NCCALCSIZE:
            // The frame is painted inside the client area: no non-client part.
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_SETFONT:
            state.hFont = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(static_cast<ULONG_PTR>(lParam)) != 0)
                InvalidateRect(hTip, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state.hFont);
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT:
        {
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(hTip, &ps);
            PaintTip(hTip, hdc);
            EndPaint(hTip, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintTip(hTip, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_DESTROY:
            KillTimers(hTip);
            UnwatchAll(hTip);
            return DefWindowProcW(hTip, nMessage, wParam, lParam);
        default:
            return DefWindowProcW(hTip, nMessage, wParam, lParam);
    }
}

void RegisterTooltipClasses()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_SAVEBITS | CS_DROPSHADOW;
    wc.lpfnWndProc = TooltipProc;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = TOOLTIPS_CLASSW;
    RegisterClassExW(&wc);
}

[[maybe_unused]] const bool s_bRegistered = AddBuiltInClassRegistrar(&RegisterTooltipClasses);

} // namespace

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    HWND hOwner = pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr;
    return CWnd::CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hOwner, nullptr);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFOW& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    ti = TOOLINFOW{};
    ti.cbSize = sizeof(ti);
    HWND hWnd = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
    if (nIDTool == 0)
    {
        ti.hwnd = ::GetParent(hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(hWnd);
    }
    else
    {
        ti.hwnd = hWnd;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCWSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (pWnd == nullptr)
        return FALSE;
    TOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.uFlags |= TTF_SUBCLASS;
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    ti.lpszText = const_cast<LPWSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (pWnd == nullptr)
        return FALSE;
    TOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.uFlags |= TTF_SUBCLASS;
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    ti.hinst = AfxFindStringResourceHandle(nIDText);
    ti.lpszText = MAKEINTRESOURCEW(nIDText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = const_cast<LPWSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.hinst = AfxFindStringResourceHandle(nIDText);
    ti.lpszText = MAKEINTRESOURCEW(nIDText);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    if (lpRect == nullptr)
        return;
    TOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFOW& toolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    FillInToolInfo(toolInfo, pWnd, nIDTool);
    toolInfo.lpszText = nullptr;
    return static_cast<BOOL>(SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&toolInfo)));
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    TOOLINFOW ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    wchar_t szText[256] = {};
    ti.lpszText = szText;
    SendMessage(TTM_GETTEXTW, static_cast<WPARAM>(std::size(szText)), reinterpret_cast<LPARAM>(&ti));
    str = szText;
}

BOOL CToolTipCtrl::HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFOW lpToolInfo) const
{
    if (pWnd == nullptr || lpToolInfo == nullptr)
        return FALSE;
    TTHITTESTINFOW hit{};
    hit.hwnd = pWnd->GetSafeHwnd();
    hit.pt = pt;
    hit.ti.cbSize = sizeof(TOOLINFOW);
    hit.ti.lpszText = lpToolInfo->lpszText;
    if (!SendMessage(TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit)))
        return FALSE;
    *lpToolInfo = hit.ti;
    return TRUE;
}
