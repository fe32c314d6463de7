// The COMBOBOX class as a drop-down list: a selection field with a button,
// and a "ComboLBox" popup list that holds the items and drops down below the
// field (above it when the work area has no room below).
#include "Dc.h"
#include "Gdi.h"
#include "controls/ListCore.h"

#include <algorithm>

namespace
{

constexpr int kFaceBorder = 3; // the sunken edge and a pixel of space, each side
constexpr int kTextMargin = 2;

struct SComboState : SControlState
{
    HWND hList = nullptr;
    bool bDropped = false;
    int nSelected = -1;
    int nFieldHeight = 15; // the selection field, CB_GETITEMHEIGHT(-1)
    int nDropHeight = 0;   // what the created height leaves below the face for the list
    int nDroppedWidth = 0;
    HFONT hFont = nullptr;
    bool bFocused = false;
    bool bExtendedUI = false;
};

SComboState* ComboStateOf(HWND hWnd)
{
    return ControlStateOf<SComboState>(hWnd);
}

DWORD StyleOf(HWND hWnd)
{
    return static_cast<DWORD>(GetWindowLongPtrW(hWnd, GWL_STYLE));
}

bool IsOwnerDraw(DWORD dwStyle)
{
    return (dwStyle & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
}

bool HasStrings(DWORD dwStyle)
{
    return !IsOwnerDraw(dwStyle) || (dwStyle & CBS_HASSTRINGS) != 0;
}

int FaceHeight(const SComboState& state)
{
    return state.nFieldHeight + 2 * kFaceBorder;
}

void Notify(HWND hWnd, int nCode)
{
    const HWND hParent = GetParent(hWnd);
    if (hParent != nullptr)
        SendMessageW(hParent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hWnd), static_cast<WORD>(nCode)),
                     reinterpret_cast<LPARAM>(hWnd));
}

LRESULT ToList(const SComboState& state, UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return state.hList != nullptr ? SendMessageW(state.hList, nMessage, wParam, lParam) : LB_ERR;
}

int ItemCount(const SComboState& state)
{
    return static_cast<int>(std::max<LRESULT>(0, ToList(state, LB_GETCOUNT)));
}

// Puts the combo box back to its face height.
void FitFace(HWND hWnd, const SComboState& state)
{
    RECT rcWindow{};
    GetWindowRect(hWnd, &rcWindow);
    if (rcWindow.bottom - rcWindow.top != FaceHeight(state))
        SetWindowPos(hWnd, nullptr, 0, 0, rcWindow.right - rcWindow.left, FaceHeight(state),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The item heights: the font's line for the list, two pixels more for the
// field; an owner-draw combo box is asked for both.
void MeasureHeights(HWND hWnd, SComboState& state)
{
    int nItemHeight = FontLineHeight(state.hFont);
    state.nFieldHeight = nItemHeight + 2;
    if (IsOwnerDraw(StyleOf(hWnd)))
    {
        const HWND hParent = GetParent(hWnd);
        const auto nID = static_cast<UINT>(GetDlgCtrlID(hWnd));
        RECT rcClient{};
        GetClientRect(hWnd, &rcClient);
        MEASUREITEMSTRUCT field{ODT_COMBOBOX,
                                nID,
                                static_cast<UINT>(-1),
                                static_cast<UINT>(rcClient.right),
                                static_cast<UINT>(state.nFieldHeight),
                                0};
        SendMessageW(hParent, WM_MEASUREITEM, nID, reinterpret_cast<LPARAM>(&field));
        MEASUREITEMSTRUCT item{
            ODT_COMBOBOX, nID, 0, static_cast<UINT>(rcClient.right), static_cast<UINT>(nItemHeight), 0};
        SendMessageW(hParent, WM_MEASUREITEM, nID, reinterpret_cast<LPARAM>(&item));
        if (field.itemHeight > 0)
            state.nFieldHeight = static_cast<int>(std::min<UINT>(field.itemHeight, 255));
        if (item.itemHeight > 0)
            nItemHeight = static_cast<int>(std::min<UINT>(item.itemHeight, 255));
    }
    ToList(state, LB_SETITEMHEIGHT, 0, nItemHeight);
}

void RedrawFace(HWND hWnd)
{
    InvalidateRect(hWnd, nullptr, TRUE);
}

// Face geometry.
struct SFace
{
    RECT rcClient{};
    RECT rcButton{};
    RECT rcField{};
};

SFace FaceOf(HWND hWnd)
{
    SFace face;
    GetClientRect(hWnd, &face.rcClient);
    const RECT rcInner{face.rcClient.left + 2, face.rcClient.top + 2, face.rcClient.right - 2,
                       face.rcClient.bottom - 2};
    const int nButton =
        std::min(GetSystemMetrics(SM_CXVSCROLL), static_cast<int>(rcInner.right - rcInner.left));
    face.rcButton = {rcInner.right - nButton, rcInner.top, rcInner.right, rcInner.bottom};
    face.rcField = {rcInner.left + 1, rcInner.top + 1, face.rcButton.left - 1, rcInner.bottom - 1};
    return face;
}

void DrawDownArrow(HDC hdc, const RECT& rc, COLORREF colour)
{
    const int nCenterX = (rc.left + rc.right) / 2;
    const int nCenterY = (rc.top + rc.bottom) / 2;
    const int nHalf = std::max(2, static_cast<int>(std::min(rc.right - rc.left, rc.bottom - rc.top)) / 4);
    const POINT points[3] = {{nCenterX - nHalf, nCenterY - nHalf / 2},
                             {nCenterX + nHalf, nCenterY - nHalf / 2},
                             {nCenterX, nCenterY + nHalf / 2}};
    HBRUSH hBrush = CreateSolidBrush(colour);
    HPEN hPen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ hOldBrush = SelectObject(hdc, hBrush);
    HGDIOBJ hOldPen = SelectObject(hdc, hPen);
    Polygon(hdc, points, 3);
    SelectObject(hdc, hOldBrush);
    SelectObject(hdc, hOldPen);
    DeleteObject(hBrush);
    DeleteObject(hPen);
}

void PaintCombo(HWND hWnd, HDC hdc)
{
    SComboState* pState = ComboStateOf(hWnd);
    if (hdc == nullptr || pState == nullptr)
        return;
    const bool bEnabled = IsWindowEnabled(hWnd) != FALSE;
    const DWORD dwStyle = StyleOf(hWnd);
    SaveDC(hdc);
    SelectObject(hdc, FontOrDefault(pState->hFont));
    SetTextColor(hdc, GetSysColor(bEnabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkColor(hdc, GetSysColor(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE));
    auto hBrush =
        reinterpret_cast<HBRUSH>(SendMessageW(GetParent(hWnd), bEnabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC,
                                              reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hWnd)));
    pState = ComboStateOf(hWnd);
    if (pState == nullptr)
    {
        RestoreDC(hdc, -1);
        return;
    }
    const SComboState& state = *pState;
    if (hBrush == nullptr)
        hBrush = GetSysColorBrush(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE);
    SetBkMode(hdc, TRANSPARENT);
    SFace face = FaceOf(hWnd);
    FillRect(hdc, &face.rcClient, hBrush);
    RECT rcEdge = face.rcClient;
    DrawEdge(hdc, &rcEdge, EDGE_SUNKEN, BF_RECT);

    RECT rcButton = face.rcButton;
    FillRect(hdc, &rcButton, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(hdc, &rcButton, state.bDropped ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    DrawDownArrow(hdc, face.rcButton, GetSysColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));

    // The field shows the selection highlighted while the combo box has the
    // focus and its list is closed.
    const bool bHighlight = state.bFocused && !state.bDropped;
    if (IsOwnerDraw(dwStyle))
    {
        UINT nState = ODS_COMBOBOXEDIT;
        if (bHighlight)
            nState |= ODS_SELECTED | ODS_FOCUS;
        if (!bEnabled)
            nState |= ODS_DISABLED;
        const auto nData =
            state.nSelected >= 0
                ? static_cast<ULONG_PTR>(ToList(state, LB_GETITEMDATA, static_cast<WPARAM>(state.nSelected)))
                : 0;
        const auto nID = static_cast<UINT>(GetDlgCtrlID(hWnd));
        DRAWITEMSTRUCT draw{
            ODT_COMBOBOX, nID,  static_cast<UINT>(state.nSelected), ODA_DRAWENTIRE, nState, hWnd, hdc,
            face.rcField, nData};
        SaveDC(hdc);
        IntersectClipRect(hdc, face.rcField.left, face.rcField.top, face.rcField.right, face.rcField.bottom);
        SendMessageW(GetParent(hWnd), WM_DRAWITEM, nID, reinterpret_cast<LPARAM>(&draw));
        RestoreDC(hdc, -1);
        RestoreDC(hdc, -1);
        return;
    }
    if (bHighlight)
    {
        FillRect(hdc, &face.rcField, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    if (state.nSelected >= 0 && HasStrings(dwStyle))
    {
        const LRESULT nLength = ToList(state, LB_GETTEXTLEN, static_cast<WPARAM>(state.nSelected));
        if (nLength >= 0)
        {
            std::wstring strText(static_cast<size_t>(nLength) + 1, L'\0');
            ToList(state, LB_GETTEXT, static_cast<WPARAM>(state.nSelected),
                   reinterpret_cast<LPARAM>(strText.data()));
            strText.resize(static_cast<size_t>(nLength));
            RECT rcText = face.rcField;
            rcText.left += kTextMargin;
            DrawTextW(hdc, strText.c_str(), static_cast<int>(strText.size()), &rcText,
                      DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    if (bHighlight)
        DrawFocusRect(hdc, &face.rcField);
    RestoreDC(hdc, -1);
}

void DropDown(HWND hWnd)
{
    SComboState* pState = ComboStateOf(hWnd);
    if (pState == nullptr || pState->bDropped || pState->hList == nullptr || !IsWindowEnabled(hWnd))
        return;
    // The owner may fill the list when it hears it is about to open.
    Notify(hWnd, CBN_DROPDOWN);
    pState = ComboStateOf(hWnd);
    if (pState == nullptr || pState->bDropped)
        return;
    SComboState& state = *pState;
    const SListBoxState* pList = ListStateOf(state.hList);
    if (pList == nullptr)
        return;

    // As many whole items as the created height leaves room for, no more
    // than there are, and at least one.
    const int nItemHeight = std::max(1, pList->nItemHeight);
    const int nFit = std::max(1, (state.nDropHeight - 2) / nItemHeight);
    const int nShown = std::clamp(ItemCount(state), 1, nFit);
    const int nHeight = ListHeightForItems(*pList, nShown);

    RECT rcCombo{};
    GetWindowRect(hWnd, &rcCombo);
    RECT rcWork{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    const int nWidth = std::max(state.nDroppedWidth, static_cast<int>(rcCombo.right - rcCombo.left));
    int nTop = rcCombo.bottom;
    if (nTop + nHeight > rcWork.bottom && rcCombo.top - nHeight >= rcWork.top)
        nTop = rcCombo.top - nHeight;
    int nLeft = rcCombo.left;
    if (nLeft + nWidth > rcWork.right)
        nLeft = std::max(static_cast<int>(rcWork.left), static_cast<int>(rcWork.right) - nWidth);

    state.bDropped = true;
    const HWND hList = state.hList;
    SetWindowPos(hList, nullptr, nLeft, nTop, nWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    ListSetHighlight(hList, state.nSelected);
    SetWindowPos(hList, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetCapture(hList);
    RedrawFace(hWnd);
}

void CloseUp(HWND hWnd, bool bChosen)
{
    SComboState* pState = ComboStateOf(hWnd);
    if (pState == nullptr || !pState->bDropped)
        return;
    SComboState& state = *pState;
    state.bDropped = false;
    const HWND hList = state.hList;
    const SListBoxState* pList = ListStateOf(hList);
    const int nChoice = pList != nullptr ? pList->nSelected : -1;
    if (GetCapture() == hList)
        ReleaseCapture();
    SetWindowPos(hList, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    RedrawFace(hWnd);
    if (bChosen && nChoice >= 0)
    {
        const bool bChanged = nChoice != state.nSelected;
        state.nSelected = nChoice;
        if (bChanged)
            Notify(hWnd, CBN_SELCHANGE);
        Notify(hWnd, CBN_SELENDOK);
    }
    else
        Notify(hWnd, CBN_SELENDCANCEL);
    if (IsWindow(hWnd))
        Notify(hWnd, CBN_CLOSEUP);
}

// Selects an item of the closed combo box as the user's choice.
void ChooseClosed(HWND hWnd, SComboState& state, int nIndex)
{
    const int nCount = ItemCount(state);
    if (nCount == 0)
        return;
    nIndex = std::clamp(nIndex, 0, nCount - 1);
    if (nIndex == state.nSelected)
        return;
    state.nSelected = nIndex;
    RedrawFace(hWnd);
    Notify(hWnd, CBN_SELCHANGE);
}

int PageSize(const SComboState& state)
{
    const SListBoxState* pList = ListStateOf(state.hList);
    const int nItemHeight = pList != nullptr ? std::max(1, pList->nItemHeight) : 1;
    return std::max(1, (state.nDropHeight - 2) / nItemHeight - 1);
}

void OnKeyDown(HWND hWnd, SComboState& state, UINT nKey)
{
    if (nKey == VK_F4 && !state.bExtendedUI)
    {
        if (state.bDropped)
            CloseUp(hWnd, true);
        else
            DropDown(hWnd);
        return;
    }
    if (state.bDropped)
    {
        if (nKey == VK_RETURN)
            CloseUp(hWnd, true);
        else if (nKey == VK_ESCAPE)
            CloseUp(hWnd, false);
        else
            ListMoveHighlightByKey(state.hList, nKey);
        return;
    }
    const int nCurrent = state.nSelected;
    switch (nKey)
    {
        case VK_UP:
        case VK_LEFT:
            ChooseClosed(hWnd, state, nCurrent < 0 ? 0 : nCurrent - 1);
            break;
        case VK_DOWN:
            if (state.bExtendedUI)
            {
                DropDown(hWnd);
                break;
            }
            ChooseClosed(hWnd, state, nCurrent + 1);
            break;
        case VK_RIGHT:
            ChooseClosed(hWnd, state, nCurrent + 1);
            break;
        case VK_PRIOR:
            ChooseClosed(hWnd, state, std::max(0, nCurrent) - PageSize(state));
            break;
        case VK_NEXT:
            ChooseClosed(hWnd, state, nCurrent + PageSize(state));
            break;
        case VK_HOME:
            ChooseClosed(hWnd, state, 0);
            break;
        case VK_END:
            ChooseClosed(hWnd, state, ItemCount(state) - 1);
            break;
        default:
            break;
    }
}

void OnChar(HWND hWnd, SComboState& state, wchar_t chTyped)
{
    if (chTyped < L' ' || !HasStrings(StyleOf(hWnd)))
        return;
    if (state.bDropped)
    {
        ListHighlightByCharacter(state.hList, chTyped);
        return;
    }
    const wchar_t szPrefix[2] = {chTyped, L'\0'};
    const LRESULT nFound = ToList(state, LB_FINDSTRING, static_cast<WPARAM>(state.nSelected),
                                  reinterpret_cast<LPARAM>(szPrefix));
    if (nFound >= 0)
        ChooseClosed(hWnd, state, static_cast<int>(nFound));
}

LRESULT SetSelection(HWND hWnd, SComboState& state, int nIndex)
{
    if (nIndex < 0 || nIndex >= ItemCount(state))
        nIndex = -1;
    state.nSelected = nIndex;
    if (state.bDropped)
        ListSetHighlight(state.hList, nIndex);
    RedrawFace(hWnd);
    return nIndex >= 0 ? nIndex : CB_ERR;
}

LRESULT CopySelectedText(HWND hWnd, const SComboState& state, WPARAM nMaxCount, LPARAM lParam,
                         bool bLengthOnly)
{
    std::wstring strText;
    if (state.nSelected >= 0 && HasStrings(StyleOf(hWnd)))
    {
        const LRESULT nLength = ToList(state, LB_GETTEXTLEN, static_cast<WPARAM>(state.nSelected));
        if (nLength > 0)
        {
            strText.assign(static_cast<size_t>(nLength) + 1, L'\0');
            ToList(state, LB_GETTEXT, static_cast<WPARAM>(state.nSelected),
                   reinterpret_cast<LPARAM>(strText.data()));
            strText.resize(static_cast<size_t>(nLength));
        }
    }
    if (bLengthOnly)
        return static_cast<LRESULT>(strText.size());
    auto* pszBuffer = reinterpret_cast<LPWSTR>(lParam);
    if (pszBuffer == nullptr || nMaxCount == 0)
        return 0;
    const size_t nCopied = std::min(strText.size(), static_cast<size_t>(nMaxCount) - 1);
    std::copy_n(strText.begin(), nCopied, pszBuffer);
    pszBuffer[nCopied] = L'\0';
    return static_cast<LRESULT>(nCopied);
}

LRESULT HandleComboMessage(HWND hWnd, SComboState& state, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    switch (nMessage)
    {
        case CB_ADDSTRING:
        case CB_INSERTSTRING:
        {
            const LRESULT nIndex = nMessage == CB_ADDSTRING ? ToList(state, LB_ADDSTRING, 0, lParam)
                                                            : ToList(state, LB_INSERTSTRING, wParam, lParam);
            if (nIndex >= 0 && state.nSelected >= nIndex)
                ++state.nSelected;
            return nIndex;
        }
        case CB_DELETESTRING:
        {
            const LRESULT nResult = ToList(state, LB_DELETESTRING, wParam);
            if (nResult == LB_ERR)
                return CB_ERR;
            const auto nIndex = static_cast<int>(wParam);
            if (state.nSelected == nIndex)
                state.nSelected = -1;
            else if (state.nSelected > nIndex)
                --state.nSelected;
            RedrawFace(hWnd);
            return nResult;
        }
        case CB_RESETCONTENT:
            ToList(state, LB_RESETCONTENT);
            state.nSelected = -1;
            RedrawFace(hWnd);
            return CB_OKAY;
        case CB_GETCOUNT:
            return ToList(state, LB_GETCOUNT);
        case CB_GETLBTEXT:
            return ToList(state, LB_GETTEXT, wParam, lParam);
        case CB_GETLBTEXTLEN:
            return ToList(state, LB_GETTEXTLEN, wParam);
        case CB_FINDSTRING:
            return ToList(state, LB_FINDSTRING, wParam, lParam);
        case CB_FINDSTRINGEXACT:
            return ToList(state, LB_FINDSTRINGEXACT, wParam, lParam);
        case CB_SELECTSTRING:
        {
            const LRESULT nFound = ToList(state, LB_FINDSTRING, wParam, lParam);
            if (nFound < 0)
                return CB_ERR;
            return SetSelection(hWnd, state, static_cast<int>(nFound));
        }
        case CB_SETCURSEL:
            // -1 or an index past the end clears the selection.
            return SetSelection(hWnd, state, static_cast<int>(static_cast<INT_PTR>(wParam)));
        case CB_GETCURSEL:
            return state.nSelected >= 0 ? state.nSelected : CB_ERR;
        case CB_SETITEMDATA:
            return ToList(state, LB_SETITEMDATA, wParam, lParam);
        case CB_GETITEMDATA:
            return ToList(state, LB_GETITEMDATA, wParam);
        case CB_SETITEMHEIGHT:
        {
            const auto nHeight = static_cast<int>(lParam);
            if (nHeight <= 0 || nHeight > 255)
                return CB_ERR;
            if (static_cast<int>(static_cast<INT_PTR>(wParam)) == -1)
            {
                state.nFieldHeight = nHeight;
                FitFace(hWnd, state);
                RedrawFace(hWnd);
                return CB_OKAY;
            }
            return ToList(state, LB_SETITEMHEIGHT, 0, nHeight);
        }
        case CB_GETITEMHEIGHT:
            if (static_cast<int>(static_cast<INT_PTR>(wParam)) == -1)
                return state.nFieldHeight;
            return ToList(state, LB_GETITEMHEIGHT);
        case CB_SHOWDROPDOWN:
            if (wParam != 0)
                DropDown(hWnd);
            else
                CloseUp(hWnd, false);
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return state.bDropped ? TRUE : FALSE;
        case CB_SETDROPPEDWIDTH:
        case CB_GETDROPPEDWIDTH:
        {
            if (nMessage == CB_SETDROPPEDWIDTH)
                state.nDroppedWidth = static_cast<int>(wParam);
            RECT rcCombo{};
            GetWindowRect(hWnd, &rcCombo);
            return std::max(state.nDroppedWidth, static_cast<int>(rcCombo.right - rcCombo.left));
        }
        case CB_GETDROPPEDCONTROLRECT:
        {
            // The combo box with its list dropped, on the screen.
            auto* pRect = reinterpret_cast<RECT*>(lParam);
            if (pRect == nullptr)
                return CB_ERR;
            GetWindowRect(hWnd, pRect);
            pRect->right =
                pRect->left + std::max(state.nDroppedWidth, static_cast<int>(pRect->right - pRect->left));
            pRect->bottom = pRect->top + FaceHeight(state) + state.nDropHeight;
            return TRUE;
        }
        case CB_GETTOPINDEX:
            return ToList(state, LB_GETTOPINDEX);
        case CB_SETTOPINDEX:
            return ToList(state, LB_SETTOPINDEX, wParam);
        case CB_SETEXTENDEDUI:
            state.bExtendedUI = wParam != 0;
            return CB_OKAY;
        case CB_GETEXTENDEDUI:
            return state.bExtendedUI ? TRUE : FALSE;
        case CB_INITSTORAGE:
            return ToList(state, LB_INITSTORAGE, wParam, lParam);
        default:
            // A drop-down list has no edit: the edit messages, directory
            // listings and locales fail.
            return CB_ERR;
    }
}

LRESULT ComboBoxProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    SComboState* pState = ComboStateOf(hWnd);
    if (pState == nullptr)
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    SComboState& state = *pState;
    if (nMessage >= CB_GETEDITSEL && nMessage <= CB_INITSTORAGE)
        return HandleComboMessage(hWnd, state, nMessage, wParam, lParam);
    switch (nMessage)
    {
        case WM_NCCREATE:
            // Scroll bar styles are for the drop-down list; the face has no
            // scroll bars of its own.
            SetWindowLongW(hWnd, GWL_STYLE,
                           static_cast<LONG>(StyleOf(hWnd) & ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL)));
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
        case WM_CREATE:
        {
            const auto* pCreate = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            const DWORD dwStyle = StyleOf(hWnd);
            DWORD dwListStyle = WS_POPUP | WS_VSCROLL | LBS_COMBOBOX | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
            dwListStyle |= dwStyle & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE);
            if ((dwStyle & CBS_SORT) != 0)
                dwListStyle |= LBS_SORT;
            if ((dwStyle & CBS_HASSTRINGS) != 0)
                dwListStyle |= LBS_HASSTRINGS;
            const HWND hList = CreateWindowExW(
                WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, WC_COMBOLBOXW, nullptr, dwListStyle, 0,
                0, 10, 10, hWnd, nullptr, pCreate != nullptr ? pCreate->hInstance : nullptr, hWnd);
            SComboState* pAfter = ComboStateOf(hWnd);
            if (hList == nullptr || pAfter == nullptr)
                return -1;
            pAfter->hList = hList;
            MeasureHeights(hWnd, *pAfter);
            const int nCreatedHeight = pCreate != nullptr ? pCreate->cy : FaceHeight(*pAfter);
            pAfter->nDropHeight = std::max(0, nCreatedHeight - FaceHeight(*pAfter));
            FitFace(hWnd, *pAfter);
            return 0;
        }
        case WM_WINDOWPOSCHANGING:
        {
            // A height given to the combo box is its height with the list
            // dropped: the list keeps what is left below the face.
            auto* pPosition = reinterpret_cast<WINDOWPOS*>(lParam);
            if (pPosition != nullptr && (pPosition->flags & SWP_NOSIZE) == 0 &&
                pPosition->cy != FaceHeight(state))
            {
                if (pPosition->cy > FaceHeight(state))
                    state.nDropHeight = pPosition->cy - FaceHeight(state);
                pPosition->cy = FaceHeight(state);
            }
            return 0;
        }
        case WM_DESTROY:
            if (state.hList != nullptr)
            {
                const HWND hList = state.hList;
                state.bDropped = false;
                state.hList = nullptr;
                DestroyWindow(hList);
            }
            return 0;
        case WM_PAINT:
        {
            PAINTSTRUCT ps{};
            HDC hdc = BeginPaint(hWnd, &ps);
            PaintCombo(hWnd, hdc);
            EndPaint(hWnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintCombo(hWnd, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_SETFONT:
            state.hFont = reinterpret_cast<HFONT>(wParam);
            ToList(state, WM_SETFONT, wParam, FALSE);
            if (ComboStateOf(hWnd) == nullptr)
                return 0;
            if (!IsOwnerDraw(StyleOf(hWnd)))
            {
                MeasureHeights(hWnd, state);
                FitFace(hWnd, state);
            }
            if (lParam != 0)
                RedrawFace(hWnd);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state.hFont);
        case WM_GETTEXT:
            return CopySelectedText(hWnd, state, wParam, lParam, false);
        case WM_GETTEXTLENGTH:
            return CopySelectedText(hWnd, state, 0, 0, true);
        case WM_SETTEXT:
        {
            // Without an edit, text can only choose an item.
            const LRESULT nFound =
                lParam != 0 ? ToList(state, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), lParam) : LB_ERR;
            if (nFound < 0)
                return CB_ERR;
            SetSelection(hWnd, state, static_cast<int>(nFound));
            return TRUE;
        }
        case WM_ENABLE:
            if (wParam == 0)
                CloseUp(hWnd, false);
            RedrawFace(hWnd);
            return 0;
        case WM_SIZE:
            RedrawFace(hWnd);
            return 0;
        case WM_GETDLGCODE:
        {
            LRESULT nCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
            // While the list is open Enter and Escape close it rather than
            // pressing the dialog's buttons.
            const auto* pMsg = reinterpret_cast<const MSG*>(lParam);
            if (state.bDropped && pMsg != nullptr &&
                (pMsg->message == WM_KEYDOWN || pMsg->message == WM_CHAR) &&
                (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
                nCode |= DLGC_WANTMESSAGE;
            return nCode;
        }
        case WM_SETFOCUS:
            state.bFocused = true;
            RedrawFace(hWnd);
            Notify(hWnd, CBN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            CloseUp(hWnd, false);
            if (SComboState* pNow = ComboStateOf(hWnd))
            {
                pNow->bFocused = false;
                RedrawFace(hWnd);
                Notify(hWnd, CBN_KILLFOCUS);
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        {
            if (GetFocus() != hWnd)
            {
                SetFocus(hWnd);
                if (ComboStateOf(hWnd) == nullptr || GetFocus() != hWnd)
                    return 0;
            }
            if (state.bDropped)
            {
                CloseUp(hWnd, false);
                return 0;
            }
            DropDown(hWnd);
            SComboState* pNow = ComboStateOf(hWnd);
            if (pNow != nullptr && pNow->bDropped)
            {
                // The press goes on in the list: releasing it over an item chooses.
                if (SListBoxState* pList = ListStateOf(pNow->hList))
                    pList->bComboPressHeld = true;
            }
            return 0;
        }
        case WM_KEYDOWN:
            OnKeyDown(hWnd, state, static_cast<UINT>(wParam));
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_DOWN || wParam == VK_UP)
            {
                if (state.bDropped)
                    CloseUp(hWnd, true);
                else
                    DropDown(hWnd);
                return 0;
            }
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
        case WM_CHAR:
            OnChar(hWnd, state, static_cast<wchar_t>(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            if (!state.bDropped)
            {
                const auto nDelta = static_cast<SHORT>(HIWORD(static_cast<ULONG_PTR>(wParam)));
                if (nDelta != 0)
                    ChooseClosed(hWnd, state, state.nSelected + (nDelta > 0 ? -1 : 1));
            }
            return 0;
        default:
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
}

void RegisterComboClass()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_PARENTDC | CS_DBLCLKS;
    wc.lpfnWndProc = ComboBoxProc;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = WC_COMBOBOXW;
    RegisterClassExW(&wc);
}

const bool s_bRegistered = AddBuiltInClassRegistrar(&RegisterComboClass);

} // namespace

void ComboCloseUpFromList(HWND hCombo, bool bChosen)
{
    CloseUp(hCombo, bChosen);
}

bool ComboIsDropped(HWND hCombo)
{
    const SComboState* pState = ComboStateOf(hCombo);
    return pState != nullptr && pState->bDropped;
}

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_COMBOBOXW, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    const int nLength = GetLBTextLen(nIndex);
    if (nLength == CB_ERR)
    {
        rString.Empty();
        return;
    }
    std::wstring strBuffer(static_cast<size_t>(nLength) + 1, L'\0');
    GetLBText(nIndex, strBuffer.data());
    rString = strBuffer.c_str();
}
