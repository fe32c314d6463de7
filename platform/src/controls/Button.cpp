// The "Button" class: push buttons, check boxes, radio buttons and group
// boxes, and the CButton wrapper.
#include "ButtonControls.h"
#include "controls/BuiltInControls.h"
#include "controls/ControlPaint.h"

#include <algorithm>

namespace
{

struct SButtonState : SControlState
{
    UINT nCheck = BST_UNCHECKED;
    bool bPushed = false;
    bool bFocused = false;
    bool bMouseDown = false; // pressed by the mouse, holding the capture
    bool bSpaceDown = false; // pressed by the space bar
    HFONT hFont = nullptr;
    HBITMAP hBitmap = nullptr;
    HICON hIcon = nullptr;
};

constexpr int kCheckBoxSize = 13;
constexpr int kRadioSize = 12;
constexpr int kTextGap = 4;

DWORD StyleOf(HWND hWnd)
{
    return static_cast<DWORD>(GetWindowLongPtrW(hWnd, GWL_STYLE));
}

DWORD TypeOf(DWORD dwStyle)
{
    return dwStyle & static_cast<DWORD>(BS_TYPEMASK);
}

bool IsCheckType(DWORD dwType)
{
    return dwType == BS_CHECKBOX || dwType == BS_AUTOCHECKBOX || dwType == BS_3STATE ||
           dwType == BS_AUTO3STATE;
}

bool IsRadioType(DWORD dwType)
{
    return dwType == BS_RADIOBUTTON || dwType == BS_AUTORADIOBUTTON;
}

bool IsThreeState(DWORD dwType)
{
    return dwType == BS_3STATE || dwType == BS_AUTO3STATE;
}

// Push buttons and their old variants; check boxes and radio buttons with
// BS_PUSHLIKE only look like them.
bool IsPushType(DWORD dwType)
{
    return dwType == BS_PUSHBUTTON || dwType == BS_DEFPUSHBUTTON || dwType == BS_USERBUTTON ||
           dwType == BS_PUSHBOX;
}

std::wstring TextOf(HWND hWnd)
{
    const int nLength = GetWindowTextLengthW(hWnd);
    std::wstring strText(static_cast<size_t>(nLength) + 1, L'\0');
    strText.resize(static_cast<size_t>(GetWindowTextW(hWnd, strText.data(), nLength + 1)));
    return strText;
}

void Notify(HWND hWnd, UINT nCode)
{
    const HWND hParent = GetParent(hWnd);
    if (hParent != nullptr)
        SendMessageW(hParent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hWnd), nCode),
                     reinterpret_cast<LPARAM>(hWnd));
}

// Unchecks the other auto radio buttons of the button's group: the siblings
// from the nearest WS_GROUP one at or before it up to the next WS_GROUP one.
void UncheckGroupSiblings(HWND hWnd)
{
    const HWND hParent = GetParent(hWnd);
    if (hParent == nullptr)
        return;
    std::vector<HWND> siblings;
    for (HWND h = GetWindow(hParent, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT))
        siblings.push_back(h);
    auto it = std::find(siblings.begin(), siblings.end(), hWnd);
    if (it == siblings.end())
        return;
    size_t nFirst = static_cast<size_t>(it - siblings.begin());
    while (nFirst > 0 && (StyleOf(siblings[nFirst]) & WS_GROUP) == 0)
        --nFirst;
    size_t nEnd = nFirst + 1;
    while (nEnd < siblings.size() && (StyleOf(siblings[nEnd]) & WS_GROUP) == 0)
        ++nEnd;
    for (size_t i = nFirst; i < nEnd; ++i)
    {
        const HWND hSibling = siblings[i];
        if (hSibling == hWnd || !IsWindow(hSibling) || TypeOf(StyleOf(hSibling)) != BS_AUTORADIOBUTTON)
            continue;
        if ((SendMessageW(hSibling, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0)
            SendMessageW(hSibling, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

// A click completed: the auto types change their check, then the parent
// hears BN_CLICKED.
void Clicked(HWND hWnd)
{
    const DWORD dwType = TypeOf(StyleOf(hWnd));
    const auto nCheck = static_cast<UINT>(SendMessageW(hWnd, BM_GETCHECK, 0, 0));
    if (dwType == BS_AUTOCHECKBOX)
        SendMessageW(hWnd, BM_SETCHECK, nCheck == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED, 0);
    else if (dwType == BS_AUTO3STATE)
        SendMessageW(hWnd, BM_SETCHECK, (nCheck + 1) % 3, 0);
    else if (dwType == BS_AUTORADIOBUTTON)
    {
        SendMessageW(hWnd, BM_SETCHECK, BST_CHECKED, 0);
        UncheckGroupSiblings(hWnd);
    }
    if (IsWindow(hWnd))
        Notify(hWnd, BN_CLICKED);
}

void SetPushed(HWND hWnd, bool bPushed)
{
    SendMessageW(hWnd, BM_SETSTATE, bPushed ? TRUE : FALSE, 0);
}

// ---------------------------------------------------------------------------
// Painting

UINT TextAlignment(DWORD dwStyle, UINT nDefaultHorizontal)
{
    UINT nFormat = DT_SINGLELINE;
    switch (dwStyle & BS_CENTER)
    {
        case BS_LEFT:
            nFormat |= DT_LEFT;
            break;
        case BS_RIGHT:
            nFormat |= DT_RIGHT;
            break;
        case BS_CENTER:
            nFormat |= DT_CENTER;
            break;
        default:
            nFormat |= nDefaultHorizontal;
            break;
    }
    switch (dwStyle & BS_VCENTER)
    {
        case BS_TOP:
            nFormat |= DT_TOP;
            break;
        case BS_BOTTOM:
            nFormat |= DT_BOTTOM;
            break;
        default:
            nFormat |= DT_VCENTER;
            break;
    }
    return nFormat;
}

// The label: the bitmap with BS_BITMAP when one is set, else the text.
// Returns the rectangle the text took (for the focus frame).
RECT DrawLabel(HWND hWnd, HDC hdc, const SButtonState& state, DWORD dwStyle, RECT rc, UINT nFormat,
               bool bEnabled)
{
    if ((dwStyle & BS_BITMAP) != 0 && state.hBitmap != nullptr)
    {
        DrawBitmapCentred(hdc, state.hBitmap, rc, !bEnabled);
        return rc;
    }
    const std::wstring strText = TextOf(hWnd);
    if (!bEnabled)
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(hdc, TRANSPARENT);
    RECT rcText = rc;
    DrawTextW(hdc, strText.c_str(), static_cast<int>(strText.size()), &rcText, nFormat | DT_CALCRECT);
    // Place the measured text as the format places it.
    const int nWidth = rcText.right - rcText.left;
    const int nHeight = rcText.bottom - rcText.top;
    if ((nFormat & DT_CENTER) != 0)
        rcText.left = rc.left + (rc.right - rc.left - nWidth) / 2;
    else if ((nFormat & DT_RIGHT) != 0)
        rcText.left = rc.right - nWidth;
    else
        rcText.left = rc.left;
    if ((nFormat & DT_VCENTER) != 0)
        rcText.top = rc.top + (rc.bottom - rc.top - nHeight) / 2;
    else if ((nFormat & DT_BOTTOM) != 0)
        rcText.top = rc.bottom - nHeight;
    else
        rcText.top = rc.top;
    rcText.right = rcText.left + nWidth;
    rcText.bottom = rcText.top + nHeight;
    DrawTextW(hdc, strText.c_str(), static_cast<int>(strText.size()), &rc, nFormat);
    return rcText;
}

void PaintPushButton(HWND hWnd, HDC hdc, const SButtonState& state, DWORD dwStyle, const RECT& rcClient,
                     bool bEnabled)
{
    // The parent's brush shows at the rounded-off corners.
    const HBRUSH hBrush = ControlColourBrush(hWnd, hdc, WM_CTLCOLORBTN);
    FillRect(hdc, &rcClient, hBrush);
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));

    const DWORD dwType = TypeOf(dwStyle);
    const bool bChecked = !IsPushType(dwType) && state.nCheck != BST_UNCHECKED;
    RECT rc = rcClient;
    if (dwType == BS_DEFPUSHBUTTON)
    {
        // The default button has a heavier, dark frame around it.
        FrameRect(hdc, &rc, GetSysColorBrush(COLOR_3DDKSHADOW));
        InflateRect(&rc, -1, -1);
    }
    const bool bSunken = state.bPushed || bChecked;
    FillRect(hdc, &rc, GetSysColorBrush(bChecked && !state.bPushed ? COLOR_3DLIGHT : COLOR_BTNFACE));
    if (state.bPushed)
        FrameRect(hdc, &rc, GetSysColorBrush(COLOR_BTNSHADOW));
    else
        DrawEdge(hdc, &rc, bSunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (dwType != BS_DEFPUSHBUTTON)
    {
        // Round the corners off by a pixel.
        for (const POINT& pt :
             {POINT{rcClient.left, rcClient.top}, POINT{rcClient.right - 1, rcClient.top},
              POINT{rcClient.left, rcClient.bottom - 1}, POINT{rcClient.right - 1, rcClient.bottom - 1}})
        {
            const RECT rcCorner{pt.x, pt.y, pt.x + 1, pt.y + 1};
            FillRect(hdc, &rcCorner, hBrush);
        }
    }

    RECT rcContent = rc;
    InflateRect(&rcContent, -2, -2);
    if (bSunken)
        OffsetRect(&rcContent, 1, 1);
    DrawLabel(hWnd, hdc, state, dwStyle, rcContent, TextAlignment(dwStyle, DT_CENTER), bEnabled);
    if (state.bFocused)
    {
        RECT rcFocus = rc;
        InflateRect(&rcFocus, -3, -3);
        DrawFocusRect(hdc, &rcFocus);
    }
}

// A tick in a 7 x 7 square: columns of three pixels, down then up.
void DrawCheckMark(HDC hdc, int x, int y, COLORREF colour)
{
    static const int s_anTop[7] = {2, 3, 4, 3, 2, 1, 0};
    HBRUSH hBrush = CreateSolidBrush(colour);
    for (int i = 0; i < 7; ++i)
    {
        const RECT rc{x + i, y + s_anTop[i], x + i + 1, y + s_anTop[i] + 3};
        FillRect(hdc, &rc, hBrush);
    }
    DeleteObject(hBrush);
}

void PaintCheckOrRadio(HWND hWnd, HDC hdc, const SButtonState& state, DWORD dwStyle, const RECT& rcClient,
                       bool bEnabled)
{
    const HBRUSH hBrush = ControlColourBrush(hWnd, hdc, WM_CTLCOLORSTATIC);
    FillRect(hdc, &rcClient, hBrush);

    const bool bRadio = IsRadioType(TypeOf(dwStyle));
    const int nBox = bRadio ? kRadioSize : kCheckBoxSize;
    const bool bBoxRight = (dwStyle & BS_LEFTTEXT) != 0;
    const int nTop = rcClient.top + (rcClient.bottom - rcClient.top - nBox) / 2;
    const int nLeft = bBoxRight ? rcClient.right - nBox : rcClient.left;
    RECT rcBox{nLeft, nTop, nLeft + nBox, nTop + nBox};
    const bool bQuiet = state.bPushed || !bEnabled;
    const COLORREF markColour = !bEnabled || state.nCheck == BST_INDETERMINATE
                                    ? GetSysColor(COLOR_BTNSHADOW)
                                    : GetSysColor(COLOR_WINDOWTEXT);

    if (bRadio)
    {
        HPEN hPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
        HGDIOBJ hOldPen = SelectObject(hdc, hPen);
        HGDIOBJ hOldBrush = SelectObject(hdc, GetSysColorBrush(bQuiet ? COLOR_BTNFACE : COLOR_WINDOW));
        Ellipse(hdc, rcBox.left, rcBox.top, rcBox.right, rcBox.bottom);
        if (state.nCheck != BST_UNCHECKED)
        {
            HBRUSH hDot = CreateSolidBrush(markColour);
            HPEN hDotPen = CreatePen(PS_SOLID, 1, markColour);
            SelectObject(hdc, hDot);
            SelectObject(hdc, hDotPen);
            const int cx = rcBox.left + nBox / 2;
            const int cy = rcBox.top + nBox / 2;
            Ellipse(hdc, cx - 2, cy - 2, cx + 2, cy + 2);
            SelectObject(hdc, hPen);
            DeleteObject(hDotPen);
            DeleteObject(hDot);
        }
        SelectObject(hdc, hOldBrush);
        SelectObject(hdc, hOldPen);
        DeleteObject(hPen);
    }
    else
    {
        RECT rcInside = rcBox;
        DrawEdge(hdc, &rcInside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        FillRect(hdc, &rcInside, GetSysColorBrush(bQuiet ? COLOR_BTNFACE : COLOR_WINDOW));
        if (state.nCheck != BST_UNCHECKED)
            DrawCheckMark(hdc, rcInside.left + 1, rcInside.top + 1, markColour);
    }

    RECT rcText = rcClient;
    if (bBoxRight)
        rcText.right = rcBox.left - kTextGap;
    else
        rcText.left = rcBox.right + kTextGap;
    const RECT rcUsed =
        DrawLabel(hWnd, hdc, state, dwStyle, rcText, TextAlignment(dwStyle, DT_LEFT), bEnabled);
    if (state.bFocused)
    {
        RECT rcFocus = rcUsed;
        InflateRect(&rcFocus, 1, 1);
        IntersectRect(&rcFocus, &rcFocus, &rcClient);
        DrawFocusRect(hdc, &rcFocus);
    }
}

void PaintGroupBox(HWND hWnd, HDC hdc, const RECT& rcClient, bool bEnabled)
{
    const HBRUSH hBrush = ControlColourBrush(hWnd, hdc, WM_CTLCOLORSTATIC);
    FillRect(hdc, &rcClient, hBrush);
    TEXTMETRICW tm{};
    GetTextMetricsW(hdc, &tm);
    RECT rcFrame = rcClient;
    rcFrame.top += tm.tmHeight / 2;
    DrawEdge(hdc, &rcFrame, EDGE_ETCHED, BF_RECT);

    const std::wstring strText = TextOf(hWnd);
    if (strText.empty())
        return;
    RECT rcText{rcClient.left + 8, rcClient.top, rcClient.right - 8, rcClient.top + tm.tmHeight};
    RECT rcMeasured = rcText;
    DrawTextW(hdc, strText.c_str(), static_cast<int>(strText.size()), &rcMeasured,
              DT_SINGLELINE | DT_CALCRECT);
    rcText.right = std::min(rcText.right, rcMeasured.right);
    // The caption interrupts the frame, with a little room either side.
    RECT rcGap{rcText.left - 2, rcText.top, rcText.right + 2, rcText.bottom};
    FillRect(hdc, &rcGap, hBrush);
    if (!bEnabled)
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(hdc, TRANSPARENT);
    DrawTextW(hdc, strText.c_str(), static_cast<int>(strText.size()), &rcText,
              DT_SINGLELINE | DT_LEFT | DT_END_ELLIPSIS);
}

void PaintButton(HWND hWnd, HDC hdc, const SButtonState& state)
{
    const DWORD dwStyle = StyleOf(hWnd);
    const DWORD dwType = TypeOf(dwStyle);
    const bool bEnabled = IsWindowEnabled(hWnd) != FALSE;
    RECT rcClient{};
    GetClientRect(hWnd, &rcClient);
    SelectObject(hdc, ControlFontOr(state.hFont));

    if (dwType == BS_OWNERDRAW)
    {
        UINT nState = 0;
        if (state.bPushed)
            nState |= ODS_SELECTED;
        if (state.bFocused)
            nState |= ODS_FOCUS;
        if (!bEnabled)
            nState |= ODS_DISABLED;
        SendDrawItem(hWnd, hdc, ODT_BUTTON, ODA_DRAWENTIRE, nState);
    }
    else if (dwType == BS_GROUPBOX)
        PaintGroupBox(hWnd, hdc, rcClient, bEnabled);
    else if ((IsCheckType(dwType) || IsRadioType(dwType)) && (dwStyle & BS_PUSHLIKE) == 0)
        PaintCheckOrRadio(hWnd, hdc, state, dwStyle, rcClient, bEnabled);
    else
        PaintPushButton(hWnd, hdc, state, dwStyle, rcClient, bEnabled);
}

// ---------------------------------------------------------------------------
// The class procedure

UINT DialogCode(DWORD dwType)
{
    switch (dwType)
    {
        case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_PUSHBUTTON:
        case BS_USERBUTTON:
        case BS_PUSHBOX:
        case BS_OWNERDRAW:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX:
            return DLGC_STATIC;
        default:
            return DLGC_BUTTON;
    }
}

void Redraw(HWND hWnd)
{
    InvalidateRect(hWnd, nullptr, FALSE);
}

LRESULT ButtonWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    auto* pState = ControlStateOf<SButtonState>(hWnd);
    if (pState == nullptr)
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    const DWORD dwStyle = StyleOf(hWnd);
    const DWORD dwType = TypeOf(dwStyle);
    const bool bGroupBox = dwType == BS_GROUPBOX;

    switch (nMessage)
    {
        case WM_GETDLGCODE:
            return DialogCode(dwType);
        case WM_NCHITTEST:
            // A group box lets the mouse through to what lies under it.
            if (bGroupBox)
                return HTTRANSPARENT;
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
        case WM_SETFONT:
            pState->hFont = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam) != 0)
                Redraw(hWnd);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(pState->hFont);
        case WM_SETTEXT:
        {
            const LRESULT lResult = DefWindowProcW(hWnd, nMessage, wParam, lParam);
            Redraw(hWnd);
            return lResult;
        }
        case WM_ENABLE:
            if (wParam == FALSE)
            {
                // A disabled button lets go of a press in progress.
                pState->bSpaceDown = false;
                if (pState->bMouseDown)
                {
                    pState->bMouseDown = false;
                    if (GetCapture() == hWnd)
                        ReleaseCapture();
                }
                pState->bPushed = false;
            }
            Redraw(hWnd);
            return 0;
        case WM_ERASEBKGND:
            // The paint routine covers the whole client area.
            return TRUE;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintWindow(hWnd, nMessage, wParam, [&](HDC hdc) { PaintButton(hWnd, hdc, *pState); });
            return 0;
        case WM_SETFOCUS:
            if (bGroupBox)
                return 0;
            pState->bFocused = true;
            Redraw(hWnd);
            if ((dwStyle & BS_NOTIFY) != 0)
                Notify(hWnd, BN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            pState->bFocused = false;
            if (pState->bMouseDown && GetCapture() == hWnd)
                ReleaseCapture();
            pState->bMouseDown = false;
            pState->bSpaceDown = false;
            if (pState->bPushed)
                SetPushed(hWnd, false);
            Redraw(hWnd);
            if (!bGroupBox && (dwStyle & BS_NOTIFY) != 0 && IsWindow(hWnd))
                Notify(hWnd, BN_KILLFOCUS);
            return 0;
        case WM_LBUTTONDBLCLK:
            // Radio and owner-drawn buttons, and any with BS_NOTIFY, report
            // the double click; the others take it as another press.
            if (!bGroupBox && ((dwStyle & BS_NOTIFY) != 0 || IsRadioType(dwType) || dwType == BS_OWNERDRAW))
            {
                Notify(hWnd, BN_DOUBLECLICKED);
                return 0;
            }
            [[fallthrough]];
        case WM_LBUTTONDOWN:
            if (bGroupBox)
                return 0;
            SetFocus(hWnd);
            if (!IsWindow(hWnd))
                return 0;
            SetCapture(hWnd);
            pState->bMouseDown = true;
            SetPushed(hWnd, true);
            return 0;
        case WM_MOUSEMOVE:
            if (pState->bMouseDown && GetCapture() == hWnd)
            {
                RECT rc{};
                GetClientRect(hWnd, &rc);
                const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                const bool bInside = PtInRect(&rc, pt) != FALSE;
                if (bInside != pState->bPushed)
                    SetPushed(hWnd, bInside);
            }
            return 0;
        case WM_LBUTTONUP:
        {
            if (!pState->bMouseDown)
                return 0;
            pState->bMouseDown = false;
            RECT rc{};
            GetClientRect(hWnd, &rc);
            const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            SetPushed(hWnd, false);
            if (GetCapture() == hWnd)
                ReleaseCapture();
            if (PtInRect(&rc, pt) && IsWindow(hWnd))
                Clicked(hWnd);
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (pState->bMouseDown)
            {
                // The capture went elsewhere: the press is abandoned.
                pState->bMouseDown = false;
                SetPushed(hWnd, false);
            }
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE && !bGroupBox && (lParam & 0x40000000) == 0 && !pState->bMouseDown)
            {
                pState->bSpaceDown = true;
                SetPushed(hWnd, true);
                return 0;
            }
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
        case WM_KEYUP:
            if (wParam == VK_SPACE && pState->bSpaceDown)
            {
                pState->bSpaceDown = false;
                SetPushed(hWnd, false);
                if (IsWindow(hWnd))
                    Clicked(hWnd);
                return 0;
            }
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
        case BM_GETCHECK:
            return IsCheckType(dwType) || IsRadioType(dwType) ? pState->nCheck : BST_UNCHECKED;
        case BM_SETCHECK:
        {
            if (!IsCheckType(dwType) && !IsRadioType(dwType))
                return 0;
            UINT nCheck = static_cast<UINT>(wParam);
            // Two-state buttons take anything set as checked.
            if (nCheck > BST_INDETERMINATE || (nCheck == BST_INDETERMINATE && !IsThreeState(dwType)))
                nCheck = BST_CHECKED;
            if (IsRadioType(dwType))
            {
                // The checked radio button of a group is its tab stop.
                const DWORD dwNewStyle =
                    nCheck != BST_UNCHECKED ? dwStyle | WS_TABSTOP : dwStyle & ~WS_TABSTOP;
                if (dwNewStyle != dwStyle)
                    SetWindowLongPtrW(hWnd, GWL_STYLE, static_cast<LONG_PTR>(dwNewStyle));
            }
            if (nCheck != pState->nCheck)
            {
                pState->nCheck = nCheck;
                Redraw(hWnd);
            }
            return 0;
        }
        case BM_GETSTATE:
        {
            UINT nState = IsCheckType(dwType) || IsRadioType(dwType) ? pState->nCheck : 0;
            if (pState->bPushed)
                nState |= BST_PUSHED;
            if (pState->bFocused)
                nState |= BST_FOCUS;
            return nState;
        }
        case BM_SETSTATE:
        {
            const bool bPushed = wParam != FALSE;
            if (bPushed != pState->bPushed)
            {
                pState->bPushed = bPushed;
                Redraw(hWnd);
            }
            return 0;
        }
        case BM_SETSTYLE:
        {
            // The type changes; the other style bits stay.
            const DWORD dwNewStyle = (dwStyle & ~static_cast<DWORD>(BS_TYPEMASK)) |
                                     (static_cast<DWORD>(wParam) & static_cast<DWORD>(BS_TYPEMASK));
            if (dwNewStyle != dwStyle)
                SetWindowLongPtrW(hWnd, GWL_STYLE, static_cast<LONG_PTR>(dwNewStyle));
            if (LOWORD(lParam) != 0)
                Redraw(hWnd);
            return 0;
        }
        case BM_CLICK:
            // As a press and release inside the button.
            if (!IsWindowEnabled(hWnd) || bGroupBox)
                return 0;
            SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            if (IsWindow(hWnd))
                SendMessageW(hWnd, WM_LBUTTONUP, 0, 0);
            return 0;
        case BM_GETIMAGE:
            if (wParam == IMAGE_BITMAP)
                return reinterpret_cast<LRESULT>(pState->hBitmap);
            if (wParam == IMAGE_ICON)
                return reinterpret_cast<LRESULT>(pState->hIcon);
            return 0;
        case BM_SETIMAGE:
        {
            LRESULT lPrevious = 0;
            if (wParam == IMAGE_BITMAP)
            {
                lPrevious = reinterpret_cast<LRESULT>(pState->hBitmap);
                pState->hBitmap = reinterpret_cast<HBITMAP>(lParam);
            }
            else if (wParam == IMAGE_ICON)
            {
                lPrevious = reinterpret_cast<LRESULT>(pState->hIcon);
                pState->hIcon = reinterpret_cast<HICON>(lParam);
            }
            else
                return 0;
            Redraw(hWnd);
            return lPrevious;
        }
        default:
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
}

void RegisterButtonClasses()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_PARENTDC;
    wc.lpfnWndProc = ButtonWndProc;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = WC_BUTTONW;
    RegisterClassExW(&wc);
}

const bool s_bRegistered = AddBuiltInClassRegistrar(&RegisterButtonClasses);

} // namespace

// ---------------------------------------------------------------------------
// CButton

IMPLEMENT_DYNAMIC(CButton, CWnd)

BOOL CButton::Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_BUTTONW, lpszCaption, dwStyle, rect, pParentWnd, nID);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT)
{
    PlatformLog(L"CButton::DrawItem: an owner-drawn button whose class does not draw it");
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    // A reflected-message handler in the map comes first.
    if (CWnd::OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}
