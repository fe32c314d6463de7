// The track bar class "msctls_trackbar32": range and position, the layout of
// channel, thumb and ticks, mouse and keyboard operation, custom draw, buddy
// windows, and the CSliderCtrl wrapper.
#include "TrackbarControl.h"

#include "Gdi.h"
#include "controls/BuiltInControls.h"

#include <algorithm>
#include <set>
#include <vector>

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

namespace
{

// Room kept free round the parts for the focus rectangle.
constexpr int kInset = 2;
// Ticks are 3 pixels long, one pixel away from the thumb.
constexpr int kTickLength = 3;
constexpr int kTickSpace = kTickLength + 1;
constexpr int kChannelThickness = 4;
constexpr int kDefaultThumbLength = 20;
// Holding the mouse in the channel pages once at once, again after the first
// delay and then at the repeat interval.
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatDelay = 400;
constexpr UINT kRepeatInterval = 100;

enum class ETrackMode
{
    None,
    Dragging,
    Paging,
};

struct STrackbarState : SControlState
{
    int nMin = 0;
    int nMax = 100;
    int nPos = 0;
    int nPageSize = 20;
    bool bPageSizeSet = false; // until set, the page is a fifth of the range
    int nLineSize = 1;
    int nFixedThumbLength = kDefaultThumbLength;
    int nTicFrequency = 1;
    std::set<int> tics;          // set with TBM_SETTIC
    HWND hBuddyBefore = nullptr; // left, or above when vertical
    HWND hBuddyAfter = nullptr;
    HFONT hFont = nullptr;
    ETrackMode eMode = ETrackMode::None;
    int nGrabOffset = 0; // from the thumb's centre to the point that grabbed it
    POINT ptPageTarget{};
    bool bFirstRepeat = true;
};

STrackbarState* StateOf(HWND hWnd)
{
    return ControlStateOf<STrackbarState>(hWnd);
}

DWORD StyleOf(HWND hWnd)
{
    return static_cast<DWORD>(GetWindowLongPtrW(hWnd, GWL_STYLE));
}

// Where the parts lie. "Along" is the axis the thumb moves on (x for a
// horizontal track bar), "across" the other one.
struct SGeometry
{
    bool bVertical = false;
    RECT rcClient{};
    RECT rcChannel{};
    RECT rcThumb{};
    int nThumbLength = 0; // across
    int nThumbWidth = 0;  // along
    bool bTicksBefore = false;
    bool bTicksAfter = false;
    int nAcrossThumbStart = 0;
};

RECT MakeRect(bool bVertical, int nAlongStart, int nAlongEnd, int nAcrossStart, int nAcrossEnd)
{
    if (bVertical)
        return RECT{nAcrossStart, nAlongStart, nAcrossEnd, nAlongEnd};
    return RECT{nAlongStart, nAcrossStart, nAlongEnd, nAcrossEnd};
}

int AlongOf(bool bVertical, POINT pt)
{
    return bVertical ? pt.y : pt.x;
}

int RangeOf(const STrackbarState& state)
{
    return std::max(state.nMax - state.nMin, 0);
}

// The along coordinate of a value's place on the channel: the channel's first
// column for the minimum, its last for the maximum.
int AlongOfValue(const SGeometry& g, const STrackbarState& state, int nValue)
{
    const int nStart = g.bVertical ? g.rcChannel.top : g.rcChannel.left;
    const int nEnd = g.bVertical ? g.rcChannel.bottom : g.rcChannel.right;
    const int nRange = RangeOf(state);
    if (nRange == 0 || nEnd - nStart <= 1)
        return nStart;
    const long long nOffset = static_cast<long long>(nValue - state.nMin) * (nEnd - nStart - 1);
    // Rounded to the nearest pixel.
    return nStart + static_cast<int>((2 * nOffset + nRange) / (2 * nRange));
}

int ValueOfAlong(const SGeometry& g, const STrackbarState& state, int nAlong)
{
    const int nStart = g.bVertical ? g.rcChannel.top : g.rcChannel.left;
    const int nEnd = g.bVertical ? g.rcChannel.bottom : g.rcChannel.right;
    const int nRange = RangeOf(state);
    if (nRange == 0 || nEnd - nStart <= 1)
        return state.nMin;
    const int nPixels = std::clamp(nAlong - nStart, 0, nEnd - nStart - 1);
    const long long nScaled = static_cast<long long>(nPixels) * nRange;
    const int nSpan = nEnd - nStart - 1;
    return state.nMin + static_cast<int>((2 * nScaled + nSpan) / (2 * nSpan));
}

int ClampPosition(const STrackbarState& state, int nPos)
{
    if (state.nMax < state.nMin)
        return state.nMin;
    return std::clamp(nPos, state.nMin, state.nMax);
}

SGeometry Layout(HWND hWnd, const STrackbarState& state)
{
    SGeometry g;
    const DWORD dwStyle = StyleOf(hWnd);
    g.bVertical = (dwStyle & TBS_VERT) != 0;
    GetClientRect(hWnd, &g.rcClient);
    const int nAlongExtent = g.bVertical ? g.rcClient.bottom : g.rcClient.right;
    const int nAcrossExtent = g.bVertical ? g.rcClient.right : g.rcClient.bottom;

    const bool bTicks = (dwStyle & TBS_NOTICKS) == 0;
    g.bTicksBefore = bTicks && (dwStyle & (TBS_BOTH | TBS_TOP)) != 0;
    g.bTicksAfter = bTicks && ((dwStyle & TBS_BOTH) != 0 || (dwStyle & TBS_TOP) == 0);
    const int nTickRoom = (g.bTicksBefore ? kTickSpace : 0) + (g.bTicksAfter ? kTickSpace : 0);

    if ((dwStyle & TBS_FIXEDLENGTH) != 0)
        g.nThumbLength = state.nFixedThumbLength;
    else
        g.nThumbLength = std::min(kDefaultThumbLength, std::max(nAcrossExtent - nTickRoom, 4));
    g.nThumbWidth = g.nThumbLength / 2 + 1;

    // The thumb and its ticks are centred across the control.
    const int nBlock = g.nThumbLength + nTickRoom;
    const int nBlockStart = std::max((nAcrossExtent - nBlock) / 2, 0);
    g.nAcrossThumbStart = nBlockStart + (g.bTicksBefore ? kTickSpace : 0);
    const int nCentreAcross = g.nAcrossThumbStart + g.nThumbLength / 2;

    const int nHalfThumb = g.nThumbWidth / 2;
    const int nChannelStart = kInset + nHalfThumb;
    const int nChannelEnd = std::max(nAlongExtent - kInset - nHalfThumb, nChannelStart + 1);
    g.rcChannel = MakeRect(g.bVertical, nChannelStart, nChannelEnd, nCentreAcross - kChannelThickness / 2,
                           nCentreAcross - kChannelThickness / 2 + kChannelThickness);

    const int nThumbCentre = AlongOfValue(g, state, state.nPos);
    g.rcThumb = MakeRect(g.bVertical, nThumbCentre - nHalfThumb, nThumbCentre - nHalfThumb + g.nThumbWidth,
                         g.nAcrossThumbStart, g.nAcrossThumbStart + g.nThumbLength);
    return g;
}

// Every value that gets a tick: the two ends, the automatic ones and those set.
std::vector<int> TickValues(HWND hWnd, const STrackbarState& state)
{
    const DWORD dwStyle = StyleOf(hWnd);
    std::set<int> values;
    if ((dwStyle & TBS_NOTICKS) != 0)
        return {};
    values.insert(state.nMin);
    values.insert(std::max(state.nMax, state.nMin));
    if ((dwStyle & TBS_AUTOTICKS) != 0 && state.nTicFrequency > 0)
    {
        for (long long v = state.nMin; v < state.nMax; v += state.nTicFrequency)
            values.insert(static_cast<int>(v));
    }
    for (int nTic : state.tics)
    {
        if (nTic > state.nMin && nTic < state.nMax)
            values.insert(nTic);
    }
    return {values.begin(), values.end()};
}

RECT TicsRect(const SGeometry& g)
{
    const int nAlongStart = g.bVertical ? g.rcChannel.top : g.rcChannel.left;
    const int nAlongEnd = g.bVertical ? g.rcChannel.bottom : g.rcChannel.right;
    const int nStart =
        g.bTicksBefore ? g.nAcrossThumbStart - kTickSpace : g.nAcrossThumbStart + g.nThumbLength;
    const int nEnd = g.bTicksAfter ? g.nAcrossThumbStart + g.nThumbLength + kTickSpace : g.nAcrossThumbStart;
    if (!g.bTicksBefore && !g.bTicksAfter)
        return RECT{0, 0, 0, 0};
    return MakeRect(g.bVertical, nAlongStart, nAlongEnd, nStart, std::max(nEnd, nStart));
}

void DrawTics(HWND hWnd, HDC hdc, const SGeometry& g, const STrackbarState& state)
{
    const bool bEnabled = IsWindowEnabled(hWnd) != FALSE;
    HBRUSH hBrush = GetSysColorBrush(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (int nValue : TickValues(hWnd, state))
    {
        const int nAlong = AlongOfValue(g, state, nValue);
        if (g.bTicksBefore)
        {
            const int nEnd = g.nAcrossThumbStart - 1;
            const RECT rc = MakeRect(g.bVertical, nAlong, nAlong + 1, nEnd - kTickLength, nEnd);
            FillRect(hdc, &rc, hBrush);
        }
        if (g.bTicksAfter)
        {
            const int nStart = g.nAcrossThumbStart + g.nThumbLength + 1;
            const RECT rc = MakeRect(g.bVertical, nAlong, nAlong + 1, nStart, nStart + kTickLength);
            FillRect(hdc, &rc, hBrush);
        }
    }
}

void DrawChannel(HDC hdc, const SGeometry& g)
{
    RECT rc = g.rcChannel;
    DrawEdge(hdc, &rc, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
}

void DrawThumb(HWND hWnd, HDC hdc, const SGeometry& g, const STrackbarState& state)
{
    // A flat thumb: the highlight colour while it can be used, pressed in a
    // darker shade while dragged, grey when the control is disabled.
    int nColour = COLOR_HIGHLIGHT;
    if (!IsWindowEnabled(hWnd))
        nColour = COLOR_BTNSHADOW;
    else if (state.eMode == ETrackMode::Dragging)
        nColour = COLOR_HOTLIGHT;
    FillRect(hdc, &g.rcThumb, GetSysColorBrush(nColour));
}

UINT ItemStateOf(HWND hWnd)
{
    UINT nState = 0;
    if (GetFocus() == hWnd)
        nState |= CDIS_FOCUS;
    if (!IsWindowEnabled(hWnd))
        nState |= CDIS_DISABLED;
    return nState;
}

// Sends one custom-draw notice to the parent; 0 (CDRF_DODEFAULT) when there
// is no parent to ask.
LRESULT SendCustomDraw(HWND hWnd, HDC hdc, DWORD dwStage, const RECT& rc, DWORD_PTR dwItem, UINT nItemState)
{
    HWND hParent = GetParent(hWnd);
    if (hParent == nullptr)
        return CDRF_DODEFAULT;
    NMCUSTOMDRAW cd{};
    cd.hdr.hwndFrom = hWnd;
    cd.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hWnd));
    cd.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    cd.dwDrawStage = dwStage;
    cd.hdc = hdc;
    cd.rc = rc;
    cd.dwItemSpec = dwItem;
    cd.uItemState = nItemState;
    return SendMessageW(hParent, WM_NOTIFY, cd.hdr.idFrom, reinterpret_cast<LPARAM>(&cd));
}

HBRUSH BackgroundBrush(HWND hWnd, HDC hdc)
{
    HWND hParent = GetParent(hWnd);
    HBRUSH hBrush = nullptr;
    if (hParent != nullptr)
    {
        hBrush = reinterpret_cast<HBRUSH>(SendMessageW(
            hParent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hWnd)));
    }
    return hBrush != nullptr ? hBrush : GetSysColorBrush(COLOR_BTNFACE);
}

void PaintTrackbar(HWND hWnd, HDC hdc)
{
    if (hdc == nullptr || StateOf(hWnd) == nullptr)
        return;
    RECT rcClient;
    GetClientRect(hWnd, &rcClient);
    const UINT nItemState = ItemStateOf(hWnd);
    const LRESULT nAnswer = SendCustomDraw(hWnd, hdc, CDDS_PREPAINT, rcClient, 0, nItemState);
    // The parent may have destroyed the control while it was asked.
    if (!IsWindow(hWnd) || (nAnswer & CDRF_SKIPDEFAULT) != 0)
        return;
    const int nSaved = SaveDC(hdc);
    FillRect(hdc, &rcClient, BackgroundBrush(hWnd, hdc));

    const DWORD dwStyle = StyleOf(hWnd);
    const DWORD_PTR parts[] = {TBCD_TICS, TBCD_CHANNEL, TBCD_THUMB};
    for (DWORD_PTR nPart : parts)
    {
        STrackbarState* pState = StateOf(hWnd);
        if (pState == nullptr)
            break;
        if (nPart == TBCD_THUMB && (dwStyle & TBS_NOTHUMB) != 0)
            continue;
        const SGeometry g = Layout(hWnd, *pState);
        const RECT rcPart = nPart == TBCD_TICS      ? TicsRect(g)
                            : nPart == TBCD_CHANNEL ? g.rcChannel
                                                    : g.rcThumb;
        UINT nPartState = nItemState;
        if (nPart == TBCD_THUMB && pState->eMode == ETrackMode::Dragging)
            nPartState |= CDIS_SELECTED;
        LRESULT nItemAnswer = CDRF_DODEFAULT;
        if ((nAnswer & CDRF_NOTIFYITEMDRAW) != 0)
        {
            nItemAnswer = SendCustomDraw(hWnd, hdc, CDDS_ITEMPREPAINT, rcPart, nPart, nPartState);
            pState = StateOf(hWnd);
            if (!IsWindow(hWnd) || pState == nullptr)
                break;
        }
        if ((nItemAnswer & CDRF_SKIPDEFAULT) == 0)
        {
            if (nPart == TBCD_TICS)
                DrawTics(hWnd, hdc, g, *pState);
            else if (nPart == TBCD_CHANNEL)
                DrawChannel(hdc, g);
            else
                DrawThumb(hWnd, hdc, g, *pState);
        }
        if ((nItemAnswer & CDRF_NOTIFYPOSTPAINT) != 0)
            SendCustomDraw(hWnd, hdc, CDDS_ITEMPOSTPAINT, rcPart, nPart, nPartState);
    }
    if (IsWindow(hWnd) && GetFocus() == hWnd)
        DrawFocusRect(hdc, &rcClient);
    RestoreDC(hdc, nSaved);
    if (IsWindow(hWnd) && (nAnswer & CDRF_NOTIFYPOSTPAINT) != 0)
        SendCustomDraw(hWnd, hdc, CDDS_POSTPAINT, rcClient, 0, nItemState);
}

void Notify(HWND hWnd, int nCode, int nPos)
{
    HWND hParent = GetParent(hWnd);
    if (hParent == nullptr)
        return;
    const bool bVertical = (StyleOf(hWnd) & TBS_VERT) != 0;
    const bool bCarriesPos = nCode == TB_THUMBTRACK || nCode == TB_THUMBPOSITION;
    SendMessageW(hParent, bVertical ? WM_VSCROLL : WM_HSCROLL,
                 MAKEWPARAM(static_cast<WORD>(nCode), bCarriesPos ? static_cast<WORD>(nPos) : 0),
                 reinterpret_cast<LPARAM>(hWnd));
}

void Redraw(HWND hWnd)
{
    InvalidateRect(hWnd, nullptr, FALSE);
}

void SetPosition(HWND hWnd, STrackbarState& state, int nPos, bool bRedraw)
{
    const int nNew = ClampPosition(state, nPos);
    if (nNew == state.nPos)
        return;
    state.nPos = nNew;
    if (bRedraw)
        Redraw(hWnd);
}

void RangeChanged(HWND hWnd, STrackbarState& state, bool bRedraw)
{
    if (!state.bPageSizeSet)
        state.nPageSize = std::max(RangeOf(state) / 5, 1);
    state.nPos = ClampPosition(state, state.nPos);
    if (bRedraw)
        Redraw(hWnd);
}

// Puts a buddy window beside the track bar, centred on it: left of (above)
// it for the first buddy, right of (below) it for the second.
void PlaceBuddy(HWND hWnd, HWND hBuddy, bool bBefore)
{
    if (hBuddy == nullptr || !IsWindow(hBuddy))
        return;
    const bool bVertical = (StyleOf(hWnd) & TBS_VERT) != 0;
    RECT rcTrack;
    RECT rcBuddy;
    GetWindowRect(hWnd, &rcTrack);
    GetWindowRect(hBuddy, &rcBuddy);
    const int nWidth = rcBuddy.right - rcBuddy.left;
    const int nHeight = rcBuddy.bottom - rcBuddy.top;
    POINT pt;
    if (bVertical)
    {
        pt.x = rcTrack.left + (rcTrack.right - rcTrack.left - nWidth) / 2;
        pt.y = bBefore ? rcTrack.top - nHeight : rcTrack.bottom;
    }
    else
    {
        pt.x = bBefore ? rcTrack.left - nWidth : rcTrack.right;
        pt.y = rcTrack.top + (rcTrack.bottom - rcTrack.top - nHeight) / 2;
    }
    HWND hBuddyParent = GetParent(hBuddy);
    if (hBuddyParent != nullptr && (GetWindowLongPtrW(hBuddy, GWL_STYLE) & WS_CHILD) != 0)
        ScreenToClient(hBuddyParent, &pt);
    SetWindowPos(hBuddy, nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceBuddies(HWND hWnd)
{
    STrackbarState* pState = StateOf(hWnd);
    if (pState == nullptr)
        return;
    const HWND hBefore = pState->hBuddyBefore;
    const HWND hAfter = pState->hBuddyAfter;
    PlaceBuddy(hWnd, hBefore, true);
    PlaceBuddy(hWnd, hAfter, false);
}

// One page toward the point held in the channel, unless the thumb is there.
void PageTowardTarget(HWND hWnd)
{
    STrackbarState* pState = StateOf(hWnd);
    if (pState == nullptr || pState->eMode != ETrackMode::Paging)
        return;
    const SGeometry g = Layout(hWnd, *pState);
    const int nTarget = AlongOf(g.bVertical, pState->ptPageTarget);
    const int nThumbStart = g.bVertical ? g.rcThumb.top : g.rcThumb.left;
    const int nThumbEnd = g.bVertical ? g.rcThumb.bottom : g.rcThumb.right;
    if (nTarget < nThumbStart)
    {
        SetPosition(hWnd, *pState, pState->nPos - pState->nPageSize, true);
        Notify(hWnd, TB_PAGEUP, 0);
    }
    else if (nTarget >= nThumbEnd)
    {
        SetPosition(hWnd, *pState, pState->nPos + pState->nPageSize, true);
        Notify(hWnd, TB_PAGEDOWN, 0);
    }
}

// Ends a drag or a paging run, releasing the capture when the button came up
// (rather than the capture being taken away).
void EndTracking(HWND hWnd, bool bReleaseCapture)
{
    STrackbarState* pState = StateOf(hWnd);
    if (pState == nullptr || pState->eMode == ETrackMode::None)
        return;
    const ETrackMode eMode = pState->eMode;
    pState->eMode = ETrackMode::None;
    KillTimer(hWnd, kRepeatTimer);
    if (bReleaseCapture && GetCapture() == hWnd)
        ReleaseCapture();
    Redraw(hWnd);
    pState = StateOf(hWnd);
    if (pState == nullptr)
        return;
    if (eMode == ETrackMode::Dragging)
        Notify(hWnd, TB_THUMBPOSITION, pState->nPos);
    if (IsWindow(hWnd))
        Notify(hWnd, TB_ENDTRACK, 0);
}

void OnButtonDown(HWND hWnd, POINT pt)
{
    if (GetFocus() != hWnd)
        SetFocus(hWnd);
    STrackbarState* pState = StateOf(hWnd);
    if (pState == nullptr || pState->eMode != ETrackMode::None)
        return;
    const SGeometry g = Layout(hWnd, *pState);
    if ((StyleOf(hWnd) & TBS_NOTHUMB) == 0 && PtInRect(&g.rcThumb, pt))
    {
        pState->eMode = ETrackMode::Dragging;
        pState->nGrabOffset = AlongOf(g.bVertical, pt) - AlongOfValue(g, *pState, pState->nPos);
        SetCapture(hWnd);
        Redraw(hWnd);
        return;
    }
    pState->eMode = ETrackMode::Paging;
    pState->ptPageTarget = pt;
    pState->bFirstRepeat = true;
    SetCapture(hWnd);
    SetTimer(hWnd, kRepeatTimer, kFirstRepeatDelay, nullptr);
    PageTowardTarget(hWnd);
}

void OnMouseMove(HWND hWnd, POINT pt)
{
    STrackbarState* pState = StateOf(hWnd);
    if (pState == nullptr)
        return;
    if (pState->eMode == ETrackMode::Paging)
    {
        pState->ptPageTarget = pt;
        return;
    }
    if (pState->eMode != ETrackMode::Dragging)
        return;
    const SGeometry g = Layout(hWnd, *pState);
    const int nPos =
        ClampPosition(*pState, ValueOfAlong(g, *pState, AlongOf(g.bVertical, pt) - pState->nGrabOffset));
    if (nPos == pState->nPos)
        return;
    SetPosition(hWnd, *pState, nPos, true);
    Notify(hWnd, TB_THUMBTRACK, nPos);
}

bool OnKeyDown(HWND hWnd, UINT nKey)
{
    STrackbarState* pState = StateOf(hWnd);
    if (pState == nullptr)
        return false;
    const DWORD dwStyle = StyleOf(hWnd);
    const bool bDownIsLeft = (dwStyle & TBS_DOWNISLEFT) != 0 && (dwStyle & TBS_VERT) == 0;
    int nCode = -1;
    int nPos = pState->nPos;
    switch (nKey)
    {
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
        {
            bool bDecrease = nKey == VK_LEFT || nKey == VK_UP;
            if (bDownIsLeft && (nKey == VK_UP || nKey == VK_DOWN))
                bDecrease = !bDecrease;
            nCode = bDecrease ? TB_LINEUP : TB_LINEDOWN;
            nPos += bDecrease ? -pState->nLineSize : pState->nLineSize;
            break;
        }
        case VK_PRIOR:
            nCode = TB_PAGEUP;
            nPos -= pState->nPageSize;
            break;
        case VK_NEXT:
            nCode = TB_PAGEDOWN;
            nPos += pState->nPageSize;
            break;
        case VK_HOME:
            nCode = TB_TOP;
            nPos = pState->nMin;
            break;
        case VK_END:
            nCode = TB_BOTTOM;
            nPos = pState->nMax;
            break;
        default:
            return false;
    }
    SetPosition(hWnd, *pState, nPos, true);
    Notify(hWnd, nCode, 0);
    return true;
}

// The wheel moves a line per notch: turned away from the user toward the
// minimum, toward the user toward the maximum.
void OnMouseWheel(HWND hWnd, int nDelta)
{
    STrackbarState* pState = StateOf(hWnd);
    if (pState == nullptr)
        return;
    const int nNotches = nDelta / WHEEL_DELTA;
    if (nNotches == 0)
        return;
    SetPosition(hWnd, *pState, pState->nPos - nNotches * pState->nLineSize, true);
    Notify(hWnd, nNotches > 0 ? TB_LINEUP : TB_LINEDOWN, 0);
    if (IsWindow(hWnd))
        Notify(hWnd, TB_ENDTRACK, 0);
}

bool IsMovingKey(UINT nKey)
{
    switch (nKey)
    {
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
            return true;
        default:
            return false;
    }
}

POINT PointOf(LPARAM lParam)
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

LRESULT TrackbarProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    STrackbarState* pState = StateOf(hWnd);
    if (pState == nullptr)
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    switch (nMessage)
    {
        case TBM_GETPOS:
            return pState->nPos;
        case TBM_GETRANGEMIN:
            return pState->nMin;
        case TBM_GETRANGEMAX:
            return pState->nMax;
        case TBM_SETPOS:
            SetPosition(hWnd, *pState, static_cast<int>(lParam), wParam != 0);
            return 0;
        case TBM_SETRANGE:
            pState->nMin = static_cast<SHORT>(LOWORD(static_cast<ULONG_PTR>(lParam)));
            pState->nMax = static_cast<SHORT>(HIWORD(static_cast<ULONG_PTR>(lParam)));
            RangeChanged(hWnd, *pState, wParam != 0);
            return 0;
        case TBM_SETRANGEMIN:
            pState->nMin = static_cast<int>(lParam);
            RangeChanged(hWnd, *pState, wParam != 0);
            return 0;
        case TBM_SETRANGEMAX:
            pState->nMax = static_cast<int>(lParam);
            RangeChanged(hWnd, *pState, wParam != 0);
            return 0;
        case TBM_SETPAGESIZE:
        {
            const int nOld = pState->nPageSize;
            pState->nPageSize = static_cast<int>(lParam);
            pState->bPageSizeSet = true;
            return nOld;
        }
        case TBM_GETPAGESIZE:
            return pState->nPageSize;
        case TBM_SETLINESIZE:
        {
            const int nOld = pState->nLineSize;
            pState->nLineSize = static_cast<int>(lParam);
            return nOld;
        }
        case TBM_GETLINESIZE:
            return pState->nLineSize;
        case TBM_SETTHUMBLENGTH:
            // Only a track bar with a fixed-length thumb takes a length.
            if ((StyleOf(hWnd) & TBS_FIXEDLENGTH) != 0 && static_cast<int>(wParam) > 0)
            {
                pState->nFixedThumbLength = static_cast<int>(wParam);
                Redraw(hWnd);
            }
            return 0;
        case TBM_GETTHUMBLENGTH:
            return Layout(hWnd, *pState).nThumbLength;
        case TBM_GETCHANNELRECT:
            if (lParam == 0)
                return 0;
            *reinterpret_cast<RECT*>(lParam) = Layout(hWnd, *pState).rcChannel;
            return 0;
        case TBM_GETTHUMBRECT:
            if (lParam == 0)
                return 0;
            *reinterpret_cast<RECT*>(lParam) = Layout(hWnd, *pState).rcThumb;
            return 0;
        case TBM_SETBUDDY:
        {
            HWND hBuddy = reinterpret_cast<HWND>(lParam);
            if (hBuddy != nullptr && !IsWindow(hBuddy))
                return 0;
            HWND& hSlot = wParam != 0 ? pState->hBuddyBefore : pState->hBuddyAfter;
            const HWND hOld = hSlot;
            hSlot = hBuddy;
            PlaceBuddy(hWnd, hBuddy, wParam != 0);
            return reinterpret_cast<LRESULT>(hOld != nullptr && IsWindow(hOld) ? hOld : nullptr);
        }
        case TBM_GETBUDDY:
        {
            const HWND hBuddy = wParam != 0 ? pState->hBuddyBefore : pState->hBuddyAfter;
            return reinterpret_cast<LRESULT>(hBuddy != nullptr && IsWindow(hBuddy) ? hBuddy : nullptr);
        }
        case TBM_SETTIC:
            if (static_cast<int>(lParam) < pState->nMin || static_cast<int>(lParam) > pState->nMax)
                return FALSE;
            pState->tics.insert(static_cast<int>(lParam));
            Redraw(hWnd);
            return TRUE;
        case TBM_CLEARTICS:
            pState->tics.clear();
            if (wParam != 0)
                Redraw(hWnd);
            return 0;
        case TBM_GETNUMTICS:
            return static_cast<LRESULT>(TickValues(hWnd, *pState).size());
        case TBM_SETTICFREQ:
            pState->nTicFrequency = static_cast<int>(wParam);
            Redraw(hWnd);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_SETFONT:
            pState->hFont = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(static_cast<ULONG_PTR>(lParam)) != 0)
                Redraw(hWnd);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(pState->hFont);
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT:
        {
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(hWnd, &ps);
            PaintTrackbar(hWnd, hdc);
            EndPaint(hWnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintTrackbar(hWnd, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SIZE:
        case WM_STYLECHANGED:
            Redraw(hWnd);
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
        case WM_WINDOWPOSCHANGED:
        {
            const LRESULT nResult = DefWindowProcW(hWnd, nMessage, wParam, lParam);
            const auto* pPos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (pPos != nullptr && (pPos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
                PlaceBuddies(hWnd);
            return nResult;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnButtonDown(hWnd, PointOf(lParam));
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(hWnd, PointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
            if (pState->eMode != ETrackMode::None)
            {
                OnMouseMove(hWnd, PointOf(lParam));
                EndTracking(hWnd, true);
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hWnd)
                EndTracking(hWnd, false);
            return 0;
        case WM_TIMER:
            if (wParam == kRepeatTimer)
            {
                if (pState->eMode != ETrackMode::Paging)
                {
                    KillTimer(hWnd, kRepeatTimer);
                    return 0;
                }
                if (pState->bFirstRepeat)
                {
                    pState->bFirstRepeat = false;
                    SetTimer(hWnd, kRepeatTimer, kRepeatInterval, nullptr);
                }
                PageTowardTarget(hWnd);
                return 0;
            }
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
        case WM_KEYDOWN:
            if (OnKeyDown(hWnd, static_cast<UINT>(wParam)))
                return 0;
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
        case WM_MOUSEWHEEL:
            OnMouseWheel(hWnd, static_cast<SHORT>(HIWORD(wParam)));
            return 0;
        case WM_KEYUP:
            if (IsMovingKey(static_cast<UINT>(wParam)))
            {
                Notify(hWnd, TB_ENDTRACK, 0);
                return 0;
            }
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
        default:
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
}

void RegisterTrackbarClasses()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = TrackbarProc;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = TRACKBAR_CLASSW;
    RegisterClassExW(&wc);
}

[[maybe_unused]] const bool s_bRegistered = AddBuiltInClassRegistrar(&RegisterTrackbarClasses);

} // namespace

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(TRACKBAR_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CSliderCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::CreateEx(dwExStyle, TRACKBAR_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
}
