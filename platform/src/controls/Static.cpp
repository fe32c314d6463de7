// The "Static" class: labels, rectangles and frames, bitmaps and
// owner-drawn statics, and the CStatic wrapper.
#include "ButtonControls.h"
#include "controls/BuiltInControls.h"
#include "controls/ControlPaint.h"

#include <cwchar>
#include <string>

namespace
{

struct SStaticState : SControlState
{
    HFONT hFont = nullptr;
    HBITMAP hBitmap = nullptr;
    HICON hIcon = nullptr;
    bool bOwnsBitmap = false; // loaded from the window text at creation
};

DWORD StyleOf(HWND hWnd)
{
    return static_cast<DWORD>(GetWindowLongPtrW(hWnd, GWL_STYLE));
}

DWORD TypeOf(DWORD dwStyle)
{
    return dwStyle & static_cast<DWORD>(SS_TYPEMASK);
}

bool IsTextType(DWORD dwType)
{
    return dwType == SS_LEFT || dwType == SS_CENTER || dwType == SS_RIGHT || dwType == SS_SIMPLE ||
           dwType == SS_LEFTNOWORDWRAP;
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

// The DrawText format of a text static.
UINT TextFormat(DWORD dwStyle)
{
    UINT nFormat = 0;
    switch (TypeOf(dwStyle))
    {
        case SS_CENTER:
            nFormat = DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK;
            break;
        case SS_RIGHT:
            nFormat = DT_RIGHT | DT_EXPANDTABS | DT_WORDBREAK;
            break;
        case SS_SIMPLE:
            nFormat = DT_LEFT | DT_SINGLELINE;
            break;
        case SS_LEFTNOWORDWRAP:
            nFormat = DT_LEFT | DT_EXPANDTABS;
            break;
        default:
            nFormat = DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK;
            break;
    }
    if ((dwStyle & SS_NOPREFIX) != 0)
        nFormat |= DT_NOPREFIX;
    if (TypeOf(dwStyle) != SS_SIMPLE)
    {
        // Centred vertically and shortened with an ellipsis, the text is one
        // line.
        if ((dwStyle & SS_CENTERIMAGE) != 0)
            nFormat = (nFormat & ~static_cast<UINT>(DT_WORDBREAK)) | DT_SINGLELINE | DT_VCENTER;
        if ((dwStyle & SS_ELLIPSISMASK) == SS_ENDELLIPSIS)
            nFormat = (nFormat & ~static_cast<UINT>(DT_WORDBREAK)) | DT_SINGLELINE | DT_END_ELLIPSIS;
        if ((dwStyle & SS_EDITCONTROL) != 0)
            nFormat |= DT_EDITCONTROL;
    }
    return nFormat;
}

void FillWithSysColour(HDC hdc, const RECT& rc, int nColour)
{
    FillRect(hdc, &rc, GetSysColorBrush(nColour));
}

void FrameWithSysColour(HDC hdc, const RECT& rc, int nColour)
{
    FrameRect(hdc, &rc, GetSysColorBrush(nColour));
}

void PaintStatic(HWND hWnd, HDC hdc, const SStaticState& state)
{
    const DWORD dwStyle = StyleOf(hWnd);
    const DWORD dwType = TypeOf(dwStyle);
    const bool bEnabled = IsWindowEnabled(hWnd) != FALSE;
    RECT rc{};
    GetClientRect(hWnd, &rc);
    SelectObject(hdc, ControlFontOr(state.hFont));

    switch (dwType)
    {
        case SS_OWNERDRAW:
            SendDrawItem(hWnd, hdc, ODT_STATIC, ODA_DRAWENTIRE, bEnabled ? 0 : ODS_DISABLED);
            return;
        case SS_BLACKRECT:
            FillWithSysColour(hdc, rc, COLOR_3DDKSHADOW);
            return;
        case SS_GRAYRECT:
            FillWithSysColour(hdc, rc, COLOR_BTNSHADOW);
            return;
        case SS_WHITERECT:
            FillWithSysColour(hdc, rc, COLOR_BTNHIGHLIGHT);
            return;
        default:
            break;
    }

    const HBRUSH hBrush = ControlColourBrush(hWnd, hdc, WM_CTLCOLORSTATIC);
    FillRect(hdc, &rc, hBrush);
    if ((dwStyle & SS_SUNKEN) != 0)
        DrawEdge(hdc, &rc, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);

    switch (dwType)
    {
        case SS_BLACKFRAME:
            FrameWithSysColour(hdc, rc, COLOR_3DDKSHADOW);
            return;
        case SS_GRAYFRAME:
            FrameWithSysColour(hdc, rc, COLOR_BTNSHADOW);
            return;
        case SS_WHITEFRAME:
            FrameWithSysColour(hdc, rc, COLOR_BTNHIGHLIGHT);
            return;
        case SS_ETCHEDFRAME:
            DrawEdge(hdc, &rc, EDGE_ETCHED, BF_RECT);
            return;
        case SS_ETCHEDHORZ:
            DrawEdge(hdc, &rc, EDGE_ETCHED, BF_TOP);
            return;
        case SS_ETCHEDVERT:
            DrawEdge(hdc, &rc, EDGE_ETCHED, BF_LEFT);
            return;
        case SS_BITMAP:
        {
            const SIZE size = BitmapSize(state.hBitmap);
            if (size.cx <= 0)
                return;
            if ((dwStyle & SS_CENTERIMAGE) != 0)
            {
                // The space around a centred bitmap takes its top-left colour.
                HDC hdcSource = CreateCompatibleDC(hdc);
                HGDIOBJ hOld = SelectObject(hdcSource, state.hBitmap);
                const COLORREF corner = GetPixel(hdcSource, 0, 0);
                SelectObject(hdcSource, hOld);
                DeleteDC(hdcSource);
                HBRUSH hCorner = CreateSolidBrush(corner);
                FillRect(hdc, &rc, hCorner);
                DeleteObject(hCorner);
                DrawBitmapCentred(hdc, state.hBitmap, rc, false);
            }
            else
            {
                const RECT rcImage{rc.left, rc.top, rc.left + size.cx, rc.top + size.cy};
                DrawBitmapCentred(hdc, state.hBitmap, rcImage, false);
            }
            return;
        }
        default:
            break;
    }
    if (!IsTextType(dwType))
        return;
    const std::wstring strText = TextOf(hWnd);
    if (!bEnabled)
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(hdc, strText.c_str(), static_cast<int>(strText.size()), &rc, TextFormat(dwStyle));
}

// A bitmap static without SS_CENTERIMAGE or SS_REALSIZECONTROL takes the
// bitmap's size (and its sunken edge's).
void FitToBitmap(HWND hWnd, HBITMAP hBitmap)
{
    const DWORD dwStyle = StyleOf(hWnd);
    if ((dwStyle & (SS_CENTERIMAGE | SS_REALSIZECONTROL)) != 0)
        return;
    SIZE size = BitmapSize(hBitmap);
    if (size.cx <= 0)
        return;
    if ((dwStyle & SS_SUNKEN) != 0)
    {
        size.cx += 2;
        size.cy += 2;
    }
    SetWindowPos(hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT SetImage(HWND hWnd, SStaticState& state, WPARAM nType, LPARAM lImage)
{
    LRESULT lPrevious = 0;
    if (nType == IMAGE_BITMAP)
    {
        lPrevious = reinterpret_cast<LRESULT>(state.hBitmap);
        if (state.bOwnsBitmap && state.hBitmap != nullptr &&
            state.hBitmap != reinterpret_cast<HBITMAP>(lImage))
        {
            // The control's own bitmap goes; the caller never had it.
            DeleteObject(state.hBitmap);
            lPrevious = 0;
        }
        state.bOwnsBitmap = false;
        state.hBitmap = reinterpret_cast<HBITMAP>(lImage);
        if (TypeOf(StyleOf(hWnd)) == SS_BITMAP)
            FitToBitmap(hWnd, state.hBitmap);
    }
    else if (nType == IMAGE_ICON || nType == IMAGE_CURSOR)
    {
        lPrevious = reinterpret_cast<LRESULT>(state.hIcon);
        state.hIcon = reinterpret_cast<HICON>(lImage);
    }
    else
        return 0;
    InvalidateRect(hWnd, nullptr, FALSE);
    return lPrevious;
}

LRESULT StaticWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    auto* pState = ControlStateOf<SStaticState>(hWnd);
    if (pState == nullptr)
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    const DWORD dwStyle = StyleOf(hWnd);
    const bool bNotify = (dwStyle & SS_NOTIFY) != 0;

    switch (nMessage)
    {
        case WM_CREATE:
        {
            // A bitmap static's text names the bitmap resource to show.
            const auto* pCreate = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            if (TypeOf(dwStyle) == SS_BITMAP && pCreate != nullptr && pCreate->lpszName != nullptr &&
                pCreate->lpszName[0] != L'\0')
            {
                const std::wstring strName = pCreate->lpszName;
                LPCWSTR pszResource = strName.c_str();
                if (strName[0] == L'#')
                    pszResource =
                        MAKEINTRESOURCEW(static_cast<WORD>(std::wcstoul(strName.c_str() + 1, nullptr, 10)));
                HBITMAP hBitmap = LoadBitmapW(pCreate->hInstance, pszResource);
                if (hBitmap != nullptr)
                {
                    SetImage(hWnd, *pState, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap));
                    pState->bOwnsBitmap = true;
                }
                else
                    PlatformLog(L"Static: no bitmap resource \"" + strName + L"\" to show");
            }
            return 0;
        }
        case WM_NCDESTROY:
            if (pState->bOwnsBitmap && pState->hBitmap != nullptr)
                DeleteObject(pState->hBitmap);
            pState->hBitmap = nullptr;
            pState->bOwnsBitmap = false;
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        case WM_NCHITTEST:
            // Only a static that reports clicks takes the mouse.
            if (!bNotify)
                return HTTRANSPARENT;
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
        case WM_LBUTTONDOWN:
            if (bNotify)
                Notify(hWnd, STN_CLICKED);
            return 0;
        case WM_LBUTTONDBLCLK:
            if (bNotify)
                Notify(hWnd, STN_DBLCLK);
            return 0;
        case WM_SETFONT:
            pState->hFont = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam) != 0)
                InvalidateRect(hWnd, nullptr, FALSE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(pState->hFont);
        case WM_SETTEXT:
        {
            const LRESULT lResult = DefWindowProcW(hWnd, nMessage, wParam, lParam);
            InvalidateRect(hWnd, nullptr, FALSE);
            return lResult;
        }
        case WM_ENABLE:
            InvalidateRect(hWnd, nullptr, FALSE);
            if (bNotify)
                Notify(hWnd, wParam != FALSE ? STN_ENABLE : STN_DISABLE);
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintWindow(hWnd, nMessage, wParam, [&](HDC hdc) { PaintStatic(hWnd, hdc, *pState); });
            return 0;
        case STM_SETIMAGE:
            return SetImage(hWnd, *pState, wParam, lParam);
        case STM_GETIMAGE:
            if (wParam == IMAGE_BITMAP)
                return reinterpret_cast<LRESULT>(pState->hBitmap);
            if (wParam == IMAGE_ICON || wParam == IMAGE_CURSOR)
                return reinterpret_cast<LRESULT>(pState->hIcon);
            return 0;
        case STM_SETICON:
            return SetImage(hWnd, *pState, IMAGE_ICON, static_cast<LPARAM>(wParam));
        case STM_GETICON:
            return reinterpret_cast<LRESULT>(pState->hIcon);
        default:
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
}

void RegisterStaticClasses()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_PARENTDC;
    wc.lpfnWndProc = StaticWndProc;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = WC_STATICW;
    RegisterClassExW(&wc);
}

const bool s_bRegistered = AddBuiltInClassRegistrar(&RegisterStaticClasses);

} // namespace

// ---------------------------------------------------------------------------
// CStatic

IMPLEMENT_DYNAMIC(CStatic, CWnd)

BOOL CStatic::Create(LPCWSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_STATICW, lpszText, dwStyle, rect, pParentWnd, nID);
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT)
{
    PlatformLog(L"CStatic::DrawItem: an owner-drawn static whose class does not draw it");
}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    if (CWnd::OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}
