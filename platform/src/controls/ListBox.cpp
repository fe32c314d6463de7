// The LISTBOX class and the drop-down list of combo boxes ("ComboLBox"):
// items with data, the three selection modes, keyboard and mouse, owner draw,
// and a scroll bar drawn inside the client area.
#include "Dc.h"
#include "Gdi.h"
#include "controls/ListCore.h"

#include <algorithm>
#include <cwctype>

namespace
{

constexpr UINT_PTR kBarRepeatTimer = 1;
constexpr UINT kBarFirstDelay = 400;
constexpr UINT kBarRepeatDelay = 50;
constexpr int kTextMargin = 2;
constexpr int kMinThumb = 8;

enum class ESelMode
{
    Single,
    Multiple,
    Extended,
    None,
};

DWORD StyleOf(HWND hWnd)
{
    return static_cast<DWORD>(GetWindowLongPtrW(hWnd, GWL_STYLE));
}

ESelMode SelModeOf(DWORD dwStyle)
{
    if ((dwStyle & LBS_NOSEL) != 0)
        return ESelMode::None;
    if ((dwStyle & LBS_EXTENDEDSEL) != 0)
        return ESelMode::Extended;
    if ((dwStyle & LBS_MULTIPLESEL) != 0)
        return ESelMode::Multiple;
    return ESelMode::Single;
}

bool IsMultiSel(ESelMode eMode)
{
    return eMode == ESelMode::Multiple || eMode == ESelMode::Extended;
}

bool IsOwnerDraw(DWORD dwStyle)
{
    return (dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}

bool HasStrings(DWORD dwStyle)
{
    return !IsOwnerDraw(dwStyle) || (dwStyle & LBS_HASSTRINGS) != 0;
}

int Count(const SListBoxState& state)
{
    return static_cast<int>(state.items.size());
}

bool ValidIndex(const SListBoxState& state, WPARAM wParam)
{
    const auto nIndex = static_cast<INT_PTR>(wParam);
    return nIndex >= 0 && nIndex < Count(state);
}

// Who hears about the list: its parent, or for a drop-down list the combo
// box's parent, which knows the combo box as the control.
struct SOwner
{
    HWND hOwner;
    UINT nID;
    HWND hControl;
    UINT nType;
};

SOwner OwnerOf(HWND hWnd, const SListBoxState& state)
{
    const HWND hControl = state.hCombo != nullptr ? state.hCombo : hWnd;
    return {GetParent(hControl), static_cast<UINT>(GetDlgCtrlID(hControl)), hControl,
            state.hCombo != nullptr ? static_cast<UINT>(ODT_COMBOBOX) : static_cast<UINT>(ODT_LISTBOX)};
}

void Notify(HWND hWnd, const SListBoxState& state, int nCode)
{
    if (state.hCombo != nullptr)
        return; // the combo box reports for its list
    const bool bAlways = nCode == LBN_SETFOCUS || nCode == LBN_KILLFOCUS;
    if (!bAlways && (StyleOf(hWnd) & LBS_NOTIFY) == 0)
        return;
    const SOwner owner = OwnerOf(hWnd, state);
    if (owner.hOwner != nullptr)
        SendMessageW(owner.hOwner, WM_COMMAND, MAKEWPARAM(owner.nID, static_cast<WORD>(nCode)),
                     reinterpret_cast<LPARAM>(hWnd));
}

void Redraw(HWND hWnd)
{
    if ((StyleOf(hWnd) & LBS_NOREDRAW) == 0)
        InvalidateRect(hWnd, nullptr, TRUE);
}

// Where things are in the client area.
struct SLayout
{
    RECT rcInner{}; // inside the drop-down list's frame
    RECT rcItems{}; // where items are drawn
    RECT rcBar{};   // the scroll bar, when shown
    bool bBar = false;
    int nVisible = 1; // items that fit whole
    int nMaxTop = 0;
};

SLayout LayoutOf(HWND hWnd, const SListBoxState& state)
{
    SLayout layout;
    RECT rcClient{};
    GetClientRect(hWnd, &rcClient);
    const int nInset = state.hCombo != nullptr ? 1 : 0;
    layout.rcInner = {rcClient.left + nInset, rcClient.top + nInset, rcClient.right - nInset,
                      rcClient.bottom - nInset};
    const int nHeight = std::max(0, static_cast<int>(layout.rcInner.bottom - layout.rcInner.top));
    layout.nVisible = std::max(1, nHeight / std::max(1, state.nItemHeight));
    const DWORD dwStyle = StyleOf(hWnd);
    layout.bBar = (dwStyle & WS_VSCROLL) != 0 &&
                  (Count(state) > layout.nVisible || (dwStyle & LBS_DISABLENOSCROLL) != 0);
    layout.rcItems = layout.rcInner;
    if (layout.bBar)
    {
        const int nBarWidth = GetSystemMetrics(SM_CXVSCROLL);
        layout.rcBar = {std::max(layout.rcInner.left, layout.rcInner.right - nBarWidth), layout.rcInner.top,
                        layout.rcInner.right, layout.rcInner.bottom};
        layout.rcItems.right = layout.rcBar.left;
    }
    layout.nMaxTop = std::max(0, Count(state) - layout.nVisible);
    return layout;
}

// The parts of the drawn scroll bar.
struct SBarParts
{
    RECT rcUp{};
    RECT rcDown{};
    RECT rcTrack{};
    RECT rcThumb{};
};

SBarParts BarPartsOf(const SLayout& layout, const SListBoxState& state)
{
    SBarParts parts;
    const RECT& rcBar = layout.rcBar;
    const int nHeight = rcBar.bottom - rcBar.top;
    const int nArrow = std::min(static_cast<int>(rcBar.right - rcBar.left), nHeight / 2);
    parts.rcUp = {rcBar.left, rcBar.top, rcBar.right, rcBar.top + nArrow};
    parts.rcDown = {rcBar.left, rcBar.bottom - nArrow, rcBar.right, rcBar.bottom};
    parts.rcTrack = {rcBar.left, parts.rcUp.bottom, rcBar.right, parts.rcDown.top};
    const int nTrack = parts.rcTrack.bottom - parts.rcTrack.top;
    const int nCount = std::max(1, Count(state));
    int nThumb = std::max(kMinThumb, nTrack * std::min(layout.nVisible, nCount) / nCount);
    nThumb = std::min(nThumb, nTrack);
    const int nOffset = layout.nMaxTop > 0 ? (nTrack - nThumb) * state.nTop / layout.nMaxTop : 0;
    parts.rcThumb = {rcBar.left, parts.rcTrack.top + nOffset, rcBar.right,
                     parts.rcTrack.top + nOffset + nThumb};
    return parts;
}

RECT ItemRectOf(const SLayout& layout, const SListBoxState& state, int nIndex)
{
    const int nTop = layout.rcItems.top + (nIndex - state.nTop) * state.nItemHeight;
    return {layout.rcItems.left, nTop, layout.rcItems.right, nTop + state.nItemHeight};
}

// The item under a client point, or -1.
int ItemAt(const SLayout& layout, const SListBoxState& state, POINT pt)
{
    if (!PtInRect(&layout.rcItems, pt))
        return -1;
    const int nIndex = state.nTop + (pt.y - layout.rcItems.top) / std::max(1, state.nItemHeight);
    return nIndex < Count(state) ? nIndex : -1;
}

void SetTop(HWND hWnd, SListBoxState& state, int nTop)
{
    const SLayout layout = LayoutOf(hWnd, state);
    nTop = std::clamp(nTop, 0, layout.nMaxTop);
    if (nTop != state.nTop)
    {
        state.nTop = nTop;
        Redraw(hWnd);
    }
}

void EnsureVisible(HWND hWnd, SListBoxState& state, int nIndex)
{
    if (nIndex < 0 || nIndex >= Count(state))
        return;
    const SLayout layout = LayoutOf(hWnd, state);
    if (nIndex < state.nTop)
        SetTop(hWnd, state, nIndex);
    else if (nIndex >= state.nTop + layout.nVisible)
        SetTop(hWnd, state, nIndex - layout.nVisible + 1);
}

bool IsSelected(const SListBoxState& state, ESelMode eMode, int nIndex)
{
    if (nIndex < 0 || nIndex >= Count(state))
        return false;
    if (IsMultiSel(eMode))
        return state.items[static_cast<size_t>(nIndex)].bSelected;
    return nIndex == state.nSelected;
}

std::vector<bool> SelectionFlags(const SListBoxState& state)
{
    std::vector<bool> flags;
    flags.reserve(state.items.size());
    for (const SListItem& item : state.items)
        flags.push_back(item.bSelected);
    return flags;
}

// Lays the range from the anchor to nIndex over the drag base; returns
// whether any item changed.
bool ApplyRange(SListBoxState& state, int nIndex)
{
    const int nFrom = std::min(state.nAnchor, nIndex);
    const int nTo = std::max(state.nAnchor, nIndex);
    bool bChanged = false;
    for (int i = 0; i < Count(state); ++i)
    {
        const bool bBase =
            static_cast<size_t>(i) < state.dragBase.size() && state.dragBase[static_cast<size_t>(i)];
        const bool bWant = i >= nFrom && i <= nTo ? state.bRangeState : bBase;
        SListItem& item = state.items[static_cast<size_t>(i)];
        if (item.bSelected != bWant)
        {
            item.bSelected = bWant;
            bChanged = true;
        }
    }
    return bChanged;
}

bool SetAllSelected(SListBoxState& state, bool bSelect)
{
    bool bChanged = false;
    for (SListItem& item : state.items)
    {
        bChanged = bChanged || item.bSelected != bSelect;
        item.bSelected = bSelect;
    }
    return bChanged;
}

// Moves the caret as a navigation key does, selecting as the mode says.
// Returns whether the selection changed.
bool MoveCaretTo(HWND hWnd, SListBoxState& state, int nTarget, bool bShift, bool bControl)
{
    if (state.items.empty())
        return false;
    nTarget = std::clamp(nTarget, 0, Count(state) - 1);
    const ESelMode eMode = state.hCombo != nullptr ? ESelMode::Single : SelModeOf(StyleOf(hWnd));
    bool bChanged = false;
    switch (eMode)
    {
        case ESelMode::Single:
            bChanged = state.nSelected != nTarget;
            state.nSelected = nTarget;
            break;
        case ESelMode::Extended:
            if (bShift)
            {
                if (state.nAnchor < 0 || state.nAnchor >= Count(state))
                    state.nAnchor = state.nCaret;
                state.dragBase =
                    bControl ? SelectionFlags(state) : std::vector<bool>(state.items.size(), false);
                state.bRangeState = true;
                bChanged = ApplyRange(state, nTarget);
            }
            else if (!bControl)
            {
                state.nAnchor = nTarget;
                state.dragBase.assign(state.items.size(), false);
                state.bRangeState = true;
                bChanged = ApplyRange(state, nTarget);
            }
            break;
        case ESelMode::Multiple:
        case ESelMode::None:
            break;
    }
    state.nCaret = nTarget;
    EnsureVisible(hWnd, state, nTarget);
    Redraw(hWnd);
    return bChanged;
}

// The target of a navigation key from the caret (not yet clamped to the
// items); false for other keys.
bool KeyTarget(HWND hWnd, const SListBoxState& state, UINT nKey, int& nTarget)
{
    const SLayout layout = LayoutOf(hWnd, state);
    const int nPage = std::max(1, layout.nVisible - 1);
    const int nCaret = std::clamp(state.nCaret, 0, std::max(0, Count(state) - 1));
    switch (nKey)
    {
        case VK_UP:
        case VK_LEFT:
            nTarget = nCaret - 1;
            return true;
        case VK_DOWN:
        case VK_RIGHT:
            nTarget = nCaret + 1;
            return true;
        case VK_PRIOR:
            nTarget = nCaret - nPage;
            return true;
        case VK_NEXT:
            nTarget = nCaret + nPage;
            return true;
        case VK_HOME:
            nTarget = 0;
            return true;
        case VK_END:
            nTarget = Count(state) - 1;
            return true;
        default:
            return false;
    }
}

int FindByCharacter(const SListBoxState& state, wchar_t chTyped)
{
    const int nCount = Count(state);
    const wchar_t chLower = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(chTyped)));
    for (int nStep = 1; nStep <= nCount; ++nStep)
    {
        const int nIndex = (state.nCaret + nStep) % nCount;
        const std::wstring& strText = state.items[static_cast<size_t>(nIndex)].strText;
        if (!strText.empty() &&
            static_cast<wchar_t>(std::towlower(static_cast<wint_t>(strText[0]))) == chLower)
            return nIndex;
    }
    return -1;
}

int CompareNoCase(const std::wstring& a, const std::wstring& b)
{
    const size_t nLength = std::min(a.size(), b.size());
    for (size_t i = 0; i < nLength; ++i)
    {
        const auto ca = std::towlower(static_cast<wint_t>(a[i]));
        const auto cb = std::towlower(static_cast<wint_t>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return 0;
}

// Where a new item goes in a sorted list: after the items that do not come
// after it, so equal items keep the order they were added in.
int SortedPosition(HWND hWnd, const SListBoxState& state, const SListItem& item, bool bHasStrings)
{
    const SOwner owner = OwnerOf(hWnd, state);
    int nLow = 0;
    int nHigh = Count(state);
    while (nLow < nHigh)
    {
        const int nMiddle = (nLow + nHigh) / 2;
        const SListItem& other = state.items[static_cast<size_t>(nMiddle)];
        int nOrder = 0;
        if (bHasStrings)
            nOrder = CompareNoCase(item.strText, other.strText);
        else
        {
            COMPAREITEMSTRUCT compare{owner.nType,           owner.nID,  owner.hControl,
                                      static_cast<UINT>(-1), item.nData, static_cast<UINT>(nMiddle),
                                      other.nData,           0};
            nOrder = static_cast<int>(
                SendMessageW(owner.hOwner, WM_COMPAREITEM, owner.nID, reinterpret_cast<LPARAM>(&compare)));
        }
        if (nOrder < 0)
            nHigh = nMiddle;
        else
            nLow = nMiddle + 1;
    }
    return nLow;
}

LRESULT InsertItem(HWND hWnd, SListBoxState& state, int nIndex, LPARAM lParam, bool bSorted)
{
    const DWORD dwStyle = StyleOf(hWnd);
    const bool bHasStrings = HasStrings(dwStyle);
    SListItem item;
    if (bHasStrings)
    {
        const auto* pszText = reinterpret_cast<LPCWSTR>(lParam);
        item.strText = pszText != nullptr ? pszText : L"";
    }
    else
        item.nData = static_cast<ULONG_PTR>(lParam);
    if (bSorted)
    {
        nIndex = SortedPosition(hWnd, state, item, bHasStrings);
        // The owner that compared may have done anything to the list.
        if (ListStateOf(hWnd) == nullptr)
            return LB_ERR;
    }
    else if (nIndex == -1)
        nIndex = Count(state);
    if (nIndex < 0 || nIndex > Count(state))
        return LB_ERR;
    state.items.insert(state.items.begin() + nIndex, item);
    if (state.nSelected >= nIndex)
        ++state.nSelected;
    if (state.nAnchor >= nIndex)
        ++state.nAnchor;
    if (state.nCaret >= nIndex && Count(state) > 1)
        ++state.nCaret;
    Redraw(hWnd);
    return nIndex;
}

// Tells the owner that an item with data is going, so that it can free what
// the data stands for. False when the list went away meanwhile.
bool SendDeleteItem(HWND hWnd, const SListBoxState& state, int nIndex)
{
    const ULONG_PTR nData = state.items[static_cast<size_t>(nIndex)].nData;
    if (nData == 0)
        return true;
    const SOwner owner = OwnerOf(hWnd, state);
    DELETEITEMSTRUCT deleted{owner.nType, owner.nID, static_cast<UINT>(nIndex), owner.hControl, nData};
    SendMessageW(owner.hOwner, WM_DELETEITEM, owner.nID, reinterpret_cast<LPARAM>(&deleted));
    return ListStateOf(hWnd) != nullptr;
}

void SendDeleteAll(HWND hWnd, SListBoxState& state)
{
    for (int i = 0; i < Count(state); ++i)
    {
        if (!SendDeleteItem(hWnd, state, i))
            return;
    }
}

LRESULT DeleteItem(HWND hWnd, SListBoxState& state, WPARAM wParam)
{
    if (!ValidIndex(state, wParam))
        return LB_ERR;
    const auto nIndex = static_cast<int>(wParam);
    if (!SendDeleteItem(hWnd, state, nIndex) || !ValidIndex(state, wParam))
        return LB_ERR;
    state.items.erase(state.items.begin() + nIndex);
    if (state.nSelected == nIndex)
        state.nSelected = -1;
    else if (state.nSelected > nIndex)
        --state.nSelected;
    if (state.nAnchor == nIndex)
        state.nAnchor = -1;
    else if (state.nAnchor > nIndex)
        --state.nAnchor;
    if (state.nCaret > nIndex || state.nCaret >= Count(state))
        state.nCaret = std::max(0, state.nCaret - 1);
    SetTop(hWnd, state, state.nTop);
    Redraw(hWnd);
    return Count(state);
}

void ResetItems(HWND hWnd, SListBoxState& state)
{
    SendDeleteAll(hWnd, state);
    if (ListStateOf(hWnd) == nullptr)
        return;
    state.items.clear();
    state.nSelected = -1;
    state.nCaret = 0;
    state.nAnchor = -1;
    state.nTop = 0;
    state.bTracking = false;
    Redraw(hWnd);
}

LRESULT CopyItemText(HWND hWnd, const SListBoxState& state, WPARAM wParam, LPARAM lParam)
{
    if (!ValidIndex(state, wParam))
        return LB_ERR;
    const SListItem& item = state.items[wParam];
    if (!HasStrings(StyleOf(hWnd)))
    {
        // Without strings the "text" is the item's data.
        if (lParam != 0)
            *reinterpret_cast<ULONG_PTR*>(lParam) = item.nData;
        return sizeof(ULONG_PTR);
    }
    auto* pszBuffer = reinterpret_cast<LPWSTR>(lParam);
    if (pszBuffer == nullptr)
        return LB_ERR;
    std::copy(item.strText.begin(), item.strText.end(), pszBuffer);
    pszBuffer[item.strText.size()] = L'\0';
    return static_cast<LRESULT>(item.strText.size());
}

// Sets the selection of a single-selection list; returns what LB_SETCURSEL
// answers.
LRESULT SetCurrentSelection(HWND hWnd, SListBoxState& state, WPARAM wParam)
{
    if (state.hCombo == nullptr && IsMultiSel(SelModeOf(StyleOf(hWnd))))
        return LB_ERR;
    const auto nIndex = static_cast<INT_PTR>(wParam);
    if (nIndex == -1 || static_cast<int>(nIndex) == -1)
    {
        state.nSelected = -1;
        Redraw(hWnd);
        return LB_ERR;
    }
    if (!ValidIndex(state, wParam))
        return LB_ERR;
    state.nSelected = static_cast<int>(nIndex);
    state.nCaret = state.nSelected;
    EnsureVisible(hWnd, state, state.nSelected);
    Redraw(hWnd);
    return state.nSelected;
}

LRESULT SelectRange(HWND hWnd, SListBoxState& state, bool bSelect, int nFirst, int nLast)
{
    if (!IsMultiSel(SelModeOf(StyleOf(hWnd))))
        return LB_ERR;
    if (nFirst > nLast)
        std::swap(nFirst, nLast);
    nFirst = std::max(0, nFirst);
    nLast = std::min(nLast, Count(state) - 1);
    for (int i = nFirst; i <= nLast; ++i)
        state.items[static_cast<size_t>(i)].bSelected = bSelect;
    Redraw(hWnd);
    return LB_OKAY;
}

void MeasureItemHeight(HWND hWnd, SListBoxState& state)
{
    state.nItemHeight = FontLineHeight(state.hFont);
    if (!IsOwnerDraw(StyleOf(hWnd)) || state.hCombo != nullptr)
        return;
    const SOwner owner = OwnerOf(hWnd, state);
    RECT rcClient{};
    GetClientRect(hWnd, &rcClient);
    MEASUREITEMSTRUCT measure{owner.nType,
                              owner.nID,
                              0,
                              static_cast<UINT>(rcClient.right - rcClient.left),
                              static_cast<UINT>(state.nItemHeight),
                              0};
    SendMessageW(owner.hOwner, WM_MEASUREITEM, owner.nID, reinterpret_cast<LPARAM>(&measure));
    if (measure.itemHeight > 0 && ListStateOf(hWnd) != nullptr)
        state.nItemHeight = static_cast<int>(std::min<UINT>(measure.itemHeight, 255));
}

// Without LBS_NOINTEGRALHEIGHT a list box shows no partial item: its height
// is cut down to a whole number of items.
void FitIntegralHeight(HWND hWnd, const SListBoxState& state)
{
    const DWORD dwStyle = StyleOf(hWnd);
    if ((dwStyle & LBS_NOINTEGRALHEIGHT) != 0 || state.hCombo != nullptr || state.nItemHeight <= 0)
        return;
    RECT rcClient{};
    GetClientRect(hWnd, &rcClient);
    const int nClient = rcClient.bottom - rcClient.top;
    const int nWhole = nClient / state.nItemHeight * state.nItemHeight;
    if (nWhole <= 0 || nWhole == nClient)
        return;
    RECT rcWindow{};
    GetWindowRect(hWnd, &rcWindow);
    SetWindowPos(hWnd, nullptr, 0, 0, rcWindow.right - rcWindow.left,
                 rcWindow.bottom - rcWindow.top - (nClient - nWhole),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Drawing ---------------------------------------------------------------------

void DrawArrow(HDC hdc, const RECT& rc, bool bUp, COLORREF colour)
{
    const int nCenterX = (rc.left + rc.right) / 2;
    const int nCenterY = (rc.top + rc.bottom) / 2;
    const int nHalf = std::max(2, static_cast<int>(std::min(rc.right - rc.left, rc.bottom - rc.top)) / 4);
    const int nTip = bUp ? nCenterY - nHalf / 2 : nCenterY + nHalf / 2;
    const int nBase = bUp ? nCenterY + nHalf / 2 : nCenterY - nHalf / 2;
    const POINT points[3] = {{nCenterX - nHalf, nBase}, {nCenterX + nHalf, nBase}, {nCenterX, nTip}};
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

void DrawBar(HDC hdc, const SLayout& layout, const SListBoxState& state, bool bEnabled)
{
    const SBarParts parts = BarPartsOf(layout, state);
    FillRect(hdc, &layout.rcBar, GetSysColorBrush(COLOR_SCROLLBAR));
    const COLORREF arrowColour = GetSysColor(bEnabled && layout.nMaxTop > 0 ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (const RECT* pButton : {&parts.rcUp, &parts.rcDown})
    {
        RECT rc = *pButton;
        FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(hdc, &rc, EDGE_RAISED, BF_RECT);
        DrawArrow(hdc, *pButton, pButton == &parts.rcUp, arrowColour);
    }
    if (layout.nMaxTop > 0 && parts.rcThumb.bottom > parts.rcThumb.top)
    {
        RECT rc = parts.rcThumb;
        FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(hdc, &rc, EDGE_RAISED, BF_RECT);
    }
}

void DrawItem(HWND hWnd, HDC hdc, const SListBoxState& state, const SLayout& layout, int nIndex,
              bool bEnabled, HBRUSH hBackground)
{
    const DWORD dwStyle = StyleOf(hWnd);
    const ESelMode eMode = state.hCombo != nullptr ? ESelMode::Single : SelModeOf(dwStyle);
    const SListItem& item = state.items[static_cast<size_t>(nIndex)];
    const bool bSelected = IsSelected(state, eMode, nIndex);
    // A drop-down list shows no focus rectangle: its highlight is the caret.
    const bool bFocus = state.bFocused && state.hCombo == nullptr && nIndex == state.nCaret;
    RECT rcItem = ItemRectOf(layout, state, nIndex);
    if (IsOwnerDraw(dwStyle))
    {
        const SOwner owner = OwnerOf(hWnd, state);
        UINT nState = 0;
        if (bSelected)
            nState |= ODS_SELECTED;
        if (bFocus)
            nState |= ODS_FOCUS;
        if (!bEnabled)
            nState |= ODS_DISABLED;
        DRAWITEMSTRUCT draw{
            owner.nType, owner.nID, static_cast<UINT>(nIndex), ODA_DRAWENTIRE, nState, owner.hControl, hdc,
            rcItem,      item.nData};
        SaveDC(hdc);
        IntersectClipRect(hdc, layout.rcItems.left, layout.rcItems.top, layout.rcItems.right,
                          layout.rcItems.bottom);
        SendMessageW(owner.hOwner, WM_DRAWITEM, owner.nID, reinterpret_cast<LPARAM>(&draw));
        RestoreDC(hdc, -1);
        return;
    }
    const COLORREF oldText = GetTextColor(hdc);
    if (bSelected)
    {
        FillRect(hdc, &rcItem, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    else
    {
        FillRect(hdc, &rcItem, hBackground);
        if (!bEnabled)
            SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    }
    RECT rcText = rcItem;
    rcText.left += kTextMargin;
    DrawTextW(hdc, item.strText.c_str(), static_cast<int>(item.strText.size()), &rcText,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(hdc, oldText);
    if (bFocus)
        DrawFocusRect(hdc, &rcItem);
}

void PaintList(HWND hWnd, HDC hdc)
{
    SListBoxState* pState = ListStateOf(hWnd);
    if (hdc == nullptr || pState == nullptr)
        return;
    SListBoxState& state = *pState;
    const bool bEnabled = IsWindowEnabled(state.hCombo != nullptr ? state.hCombo : hWnd) != FALSE;
    const SOwner owner = OwnerOf(hWnd, state);
    SaveDC(hdc);
    SelectObject(hdc, FontOrDefault(state.hFont));
    SetTextColor(hdc, GetSysColor(bEnabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkColor(hdc, GetSysColor(COLOR_WINDOW));
    auto hBrush = reinterpret_cast<HBRUSH>(SendMessageW(
        owner.hOwner, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hWnd)));
    if (hBrush == nullptr)
        hBrush = GetSysColorBrush(COLOR_WINDOW);
    pState = ListStateOf(hWnd); // the parent may have done anything
    if (pState == nullptr)
    {
        RestoreDC(hdc, -1);
        return;
    }
    SetBkMode(hdc, TRANSPARENT);
    RECT rcClient{};
    GetClientRect(hWnd, &rcClient);
    FillRect(hdc, &rcClient, hBrush);
    const SLayout layout = LayoutOf(hWnd, state);
    if (state.hCombo != nullptr)
        FrameRect(hdc, &rcClient, GetSysColorBrush(COLOR_WINDOWFRAME));
    const int nLast = std::min(Count(state), state.nTop + layout.nVisible + 1);
    for (int i = state.nTop; i < nLast; ++i)
    {
        // An owner drawing an item may change the list under us.
        if (ListStateOf(hWnd) == nullptr || i >= Count(state))
            break;
        DrawItem(hWnd, hdc, state, layout, i, bEnabled, hBrush);
    }
    if (ListStateOf(hWnd) == nullptr)
    {
        RestoreDC(hdc, -1);
        return;
    }
    // An empty focused list still shows where the caret is.
    if (state.items.empty() && state.bFocused && state.hCombo == nullptr)
    {
        const RECT rcCaret = ItemRectOf(layout, state, 0);
        DrawFocusRect(hdc, &rcCaret);
    }
    if (layout.bBar)
        DrawBar(hdc, layout, state, bEnabled);
    RestoreDC(hdc, -1);
}

// The scroll bar -----------------------------------------------------------------

void ScrollBy(HWND hWnd, SListBoxState& state, UINT nCode, int nThumbTop = 0)
{
    const SLayout layout = LayoutOf(hWnd, state);
    const int nPage = std::max(1, layout.nVisible - 1);
    switch (nCode)
    {
        case SB_LINEUP:
            SetTop(hWnd, state, state.nTop - 1);
            break;
        case SB_LINEDOWN:
            SetTop(hWnd, state, state.nTop + 1);
            break;
        case SB_PAGEUP:
            SetTop(hWnd, state, state.nTop - nPage);
            break;
        case SB_PAGEDOWN:
            SetTop(hWnd, state, state.nTop + nPage);
            break;
        case SB_TOP:
            SetTop(hWnd, state, 0);
            break;
        case SB_BOTTOM:
            SetTop(hWnd, state, layout.nMaxTop);
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            SetTop(hWnd, state, nThumbTop);
            break;
        default:
            break;
    }
}

EListBarPart BarPartAt(const SLayout& layout, const SListBoxState& state, POINT pt)
{
    if (!layout.bBar || !PtInRect(&layout.rcBar, pt))
        return EListBarPart::None;
    const SBarParts parts = BarPartsOf(layout, state);
    if (PtInRect(&parts.rcUp, pt))
        return EListBarPart::LineUp;
    if (PtInRect(&parts.rcDown, pt))
        return EListBarPart::LineDown;
    if (layout.nMaxTop == 0)
        return EListBarPart::None;
    if (pt.y < parts.rcThumb.top)
        return EListBarPart::PageUp;
    if (pt.y >= parts.rcThumb.bottom)
        return EListBarPart::PageDown;
    return EListBarPart::Thumb;
}

void ApplyBarPart(HWND hWnd, SListBoxState& state, EListBarPart ePart)
{
    switch (ePart)
    {
        case EListBarPart::LineUp:
            ScrollBy(hWnd, state, SB_LINEUP);
            break;
        case EListBarPart::LineDown:
            ScrollBy(hWnd, state, SB_LINEDOWN);
            break;
        case EListBarPart::PageUp:
            ScrollBy(hWnd, state, SB_PAGEUP);
            break;
        case EListBarPart::PageDown:
            ScrollBy(hWnd, state, SB_PAGEDOWN);
            break;
        default:
            break;
    }
}

// The top index the thumb stands for when its top is at a client y.
int TopForThumb(HWND hWnd, const SListBoxState& state, int nThumbTop)
{
    const SLayout layout = LayoutOf(hWnd, state);
    const SBarParts parts = BarPartsOf(layout, state);
    const int nRange =
        (parts.rcTrack.bottom - parts.rcTrack.top) - (parts.rcThumb.bottom - parts.rcThumb.top);
    if (nRange <= 0 || layout.nMaxTop == 0)
        return 0;
    const int nOffset = std::clamp(nThumbTop - static_cast<int>(parts.rcTrack.top), 0, nRange);
    return (nOffset * layout.nMaxTop + nRange / 2) / nRange;
}

void PressBar(HWND hWnd, SListBoxState& state, const SLayout& layout, EListBarPart ePart, POINT pt)
{
    state.eBarPart = ePart;
    if (ePart == EListBarPart::Thumb)
        state.nThumbGrab = pt.y - BarPartsOf(layout, state).rcThumb.top;
    else
    {
        ApplyBarPart(hWnd, state, ePart);
        SetTimer(hWnd, kBarRepeatTimer, kBarFirstDelay, nullptr);
    }
    if (state.hCombo == nullptr)
        SetCapture(hWnd);
}

void ReleaseBar(HWND hWnd, SListBoxState& state)
{
    state.eBarPart = EListBarPart::None;
    KillTimer(hWnd, kBarRepeatTimer);
    if (state.hCombo == nullptr && GetCapture() == hWnd)
        ReleaseCapture();
}

// Mouse ----------------------------------------------------------------------------

// The item a selecting drag points at: the item under the pointer, or past
// the top or bottom edge the one beyond the visible items (which scrolls).
int DragTarget(const SLayout& layout, const SListBoxState& state, POINT pt)
{
    if (pt.y < layout.rcItems.top)
        return std::max(0, state.nTop - 1);
    if (pt.y >= layout.rcItems.bottom)
        return std::min(Count(state) - 1, state.nTop + layout.nVisible);
    const int nIndex = state.nTop + (pt.y - layout.rcItems.top) / std::max(1, state.nItemHeight);
    return std::min(nIndex, Count(state) - 1);
}

void TrackTo(HWND hWnd, SListBoxState& state, int nIndex)
{
    if (nIndex < 0)
        return;
    switch (SelModeOf(StyleOf(hWnd)))
    {
        case ESelMode::Single:
            state.nSelected = nIndex;
            break;
        case ESelMode::Extended:
            ApplyRange(state, nIndex);
            break;
        default:
            break;
    }
    state.nCaret = nIndex;
    EnsureVisible(hWnd, state, nIndex);
    Redraw(hWnd);
}

void OnButtonDown(HWND hWnd, UINT nMessage, WPARAM wParam, POINT pt)
{
    SListBoxState* pState = ListStateOf(hWnd);
    if (pState == nullptr)
        return;
    if (GetFocus() != hWnd)
    {
        SetFocus(hWnd);
        pState = ListStateOf(hWnd);
        if (pState == nullptr)
            return;
    }
    SListBoxState& state = *pState;
    const SLayout layout = LayoutOf(hWnd, state);
    const EListBarPart ePart = BarPartAt(layout, state, pt);
    if (ePart != EListBarPart::None)
    {
        PressBar(hWnd, state, layout, ePart, pt);
        return;
    }
    const int nIndex = ItemAt(layout, state, pt);
    if (nIndex < 0)
        return;
    if (nMessage == WM_LBUTTONDBLCLK)
    {
        Notify(hWnd, state, LBN_DBLCLK);
        return;
    }
    const bool bShift = (wParam & MK_SHIFT) != 0;
    const bool bControl = (wParam & MK_CONTROL) != 0;
    switch (SelModeOf(StyleOf(hWnd)))
    {
        case ESelMode::Single:
            state.nSelected = nIndex;
            break;
        case ESelMode::Multiple:
            state.items[static_cast<size_t>(nIndex)].bSelected =
                !state.items[static_cast<size_t>(nIndex)].bSelected;
            state.nAnchor = nIndex;
            break;
        case ESelMode::Extended:
            if (bShift)
            {
                if (state.nAnchor < 0 || state.nAnchor >= Count(state))
                    state.nAnchor = state.nCaret;
                state.dragBase =
                    bControl ? SelectionFlags(state) : std::vector<bool>(state.items.size(), false);
                state.bRangeState = true;
            }
            else if (bControl)
            {
                state.dragBase = SelectionFlags(state);
                state.nAnchor = nIndex;
                state.bRangeState = !state.items[static_cast<size_t>(nIndex)].bSelected;
            }
            else
            {
                state.dragBase.assign(state.items.size(), false);
                state.nAnchor = nIndex;
                state.bRangeState = true;
            }
            ApplyRange(state, nIndex);
            break;
        case ESelMode::None:
            break;
    }
    state.nCaret = nIndex;
    state.bTracking = true;
    EnsureVisible(hWnd, state, nIndex);
    Redraw(hWnd);
    SetCapture(hWnd);
}

void OnMouseMove(HWND hWnd, SListBoxState& state, POINT pt)
{
    const SLayout layout = LayoutOf(hWnd, state);
    if (state.eBarPart == EListBarPart::Thumb)
    {
        SetTop(hWnd, state, TopForThumb(hWnd, state, pt.y - state.nThumbGrab));
        return;
    }
    if (state.hCombo != nullptr && ComboIsDropped(state.hCombo))
    {
        // The highlight follows the pointer over the items.
        const int nIndex = ItemAt(layout, state, pt);
        if (nIndex >= 0 && nIndex != state.nSelected)
        {
            state.nSelected = nIndex;
            state.nCaret = nIndex;
            Redraw(hWnd);
        }
        return;
    }
    if (state.bTracking && !state.items.empty())
        TrackTo(hWnd, state, DragTarget(layout, state, pt));
}

void OnButtonUp(HWND hWnd, SListBoxState& state)
{
    if (state.eBarPart != EListBarPart::None)
    {
        ReleaseBar(hWnd, state);
        return;
    }
    if (!state.bTracking)
        return;
    state.bTracking = false;
    if (GetCapture() == hWnd)
        ReleaseCapture();
    if (ListStateOf(hWnd) != nullptr && SelModeOf(StyleOf(hWnd)) != ESelMode::None)
        Notify(hWnd, state, LBN_SELCHANGE);
}

// The drop-down list of a combo box holds the capture while it is shown: a
// press outside it abandons the choice, a release on an item chooses it.
void OnComboButtonDown(HWND hWnd, SListBoxState& state, POINT pt)
{
    const SLayout layout = LayoutOf(hWnd, state);
    RECT rcClient{};
    GetClientRect(hWnd, &rcClient);
    if (!PtInRect(&rcClient, pt))
    {
        ComboCloseUpFromList(state.hCombo, false);
        return;
    }
    const EListBarPart ePart = BarPartAt(layout, state, pt);
    if (ePart != EListBarPart::None)
    {
        PressBar(hWnd, state, layout, ePart, pt);
        return;
    }
    const int nIndex = ItemAt(layout, state, pt);
    if (nIndex >= 0)
    {
        state.nSelected = nIndex;
        state.nCaret = nIndex;
        Redraw(hWnd);
    }
    state.bComboPressHeld = true;
}

void OnComboButtonUp(HWND hWnd, SListBoxState& state, POINT pt)
{
    if (state.eBarPart != EListBarPart::None)
    {
        ReleaseBar(hWnd, state);
        return;
    }
    const bool bHeld = state.bComboPressHeld;
    state.bComboPressHeld = false;
    const int nIndex = ItemAt(LayoutOf(hWnd, state), state, pt);
    if (bHeld && nIndex >= 0)
    {
        state.nSelected = nIndex;
        state.nCaret = nIndex;
        ComboCloseUpFromList(state.hCombo, true);
    }
}

// Keyboard ---------------------------------------------------------------------------

void OnKeyDown(HWND hWnd, SListBoxState& state, UINT nKey)
{
    const DWORD dwStyle = StyleOf(hWnd);
    if ((dwStyle & LBS_WANTKEYBOARDINPUT) != 0)
    {
        const SOwner owner = OwnerOf(hWnd, state);
        const LRESULT nAnswer = SendMessageW(
            owner.hOwner, WM_VKEYTOITEM, MAKEWPARAM(static_cast<WORD>(nKey), static_cast<WORD>(state.nCaret)),
            reinterpret_cast<LPARAM>(hWnd));
        SListBoxState* pState = ListStateOf(hWnd);
        if (pState == nullptr || nAnswer == -2)
            return;
        if (nAnswer >= 0)
        {
            if (MoveCaretTo(hWnd, *pState, static_cast<int>(nAnswer), false, false))
                Notify(hWnd, *pState, LBN_SELCHANGE);
            return;
        }
    }
    const bool bShift = GetKeyState(VK_SHIFT) < 0;
    const bool bControl = GetKeyState(VK_CONTROL) < 0;
    const ESelMode eMode = SelModeOf(dwStyle);
    if (nKey == VK_SPACE && !state.items.empty() && IsMultiSel(eMode))
    {
        const int nCaret = std::clamp(state.nCaret, 0, Count(state) - 1);
        SListItem& item = state.items[static_cast<size_t>(nCaret)];
        if (eMode == ESelMode::Multiple || bControl)
            item.bSelected = !item.bSelected;
        else
        {
            SetAllSelected(state, false);
            item.bSelected = true;
        }
        state.nAnchor = nCaret;
        Redraw(hWnd);
        Notify(hWnd, state, LBN_SELCHANGE);
        return;
    }
    int nTarget = 0;
    if (!KeyTarget(hWnd, state, nKey, nTarget))
        return;
    // In a list with nothing selected yet the arrows first select the caret item.
    const bool bArrow = nKey == VK_UP || nKey == VK_DOWN || nKey == VK_LEFT || nKey == VK_RIGHT;
    if (eMode == ESelMode::Single && state.nSelected < 0 && bArrow)
        nTarget = state.nCaret;
    if (MoveCaretTo(hWnd, state, nTarget, bShift, bControl))
        Notify(hWnd, state, LBN_SELCHANGE);
}

void OnChar(HWND hWnd, SListBoxState& state, wchar_t chTyped)
{
    if (chTyped < L' ' || state.items.empty())
        return;
    const DWORD dwStyle = StyleOf(hWnd);
    if ((dwStyle & LBS_WANTKEYBOARDINPUT) != 0 && !HasStrings(dwStyle))
    {
        const SOwner owner = OwnerOf(hWnd, state);
        const LRESULT nAnswer =
            SendMessageW(owner.hOwner, WM_CHARTOITEM,
                         MAKEWPARAM(static_cast<WORD>(chTyped), static_cast<WORD>(state.nCaret)),
                         reinterpret_cast<LPARAM>(hWnd));
        SListBoxState* pState = ListStateOf(hWnd);
        if (pState != nullptr && nAnswer >= 0 &&
            MoveCaretTo(hWnd, *pState, static_cast<int>(nAnswer), false, false))
            Notify(hWnd, *pState, LBN_SELCHANGE);
        return;
    }
    if (!HasStrings(dwStyle))
        return;
    const int nFound = FindByCharacter(state, chTyped);
    if (nFound >= 0 && MoveCaretTo(hWnd, state, nFound, false, false))
        Notify(hWnd, state, LBN_SELCHANGE);
}

// The list messages ---------------------------------------------------------------------

LRESULT HandleListMessage(HWND hWnd, SListBoxState& state, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    const DWORD dwStyle = StyleOf(hWnd);
    const ESelMode eMode = state.hCombo != nullptr ? ESelMode::Single : SelModeOf(dwStyle);
    switch (nMessage)
    {
        case LB_ADDSTRING:
            return InsertItem(hWnd, state, -1, lParam, (dwStyle & LBS_SORT) != 0);
        case LB_INSERTSTRING:
            return InsertItem(hWnd, state, static_cast<int>(static_cast<INT_PTR>(wParam)), lParam, false);
        case LB_DELETESTRING:
            return DeleteItem(hWnd, state, wParam);
        case LB_RESETCONTENT:
            ResetItems(hWnd, state);
            return LB_OKAY;
        case LB_GETCOUNT:
            return Count(state);
        case LB_GETTEXT:
            return CopyItemText(hWnd, state, wParam, lParam);
        case LB_GETTEXTLEN:
            if (!ValidIndex(state, wParam))
                return LB_ERR;
            return HasStrings(dwStyle) ? static_cast<LRESULT>(state.items[wParam].strText.size())
                                       : static_cast<LRESULT>(sizeof(ULONG_PTR));
        case LB_FINDSTRING:
        case LB_FINDSTRINGEXACT:
            return ListFind(state, HasStrings(dwStyle), static_cast<int>(static_cast<INT_PTR>(wParam)),
                            lParam, nMessage == LB_FINDSTRINGEXACT);
        case LB_SELECTSTRING:
        {
            const int nFound = ListFind(state, HasStrings(dwStyle),
                                        static_cast<int>(static_cast<INT_PTR>(wParam)), lParam, false);
            if (nFound < 0)
                return LB_ERR;
            if (IsMultiSel(eMode))
            {
                state.nCaret = nFound;
                EnsureVisible(hWnd, state, nFound);
                Redraw(hWnd);
                return nFound;
            }
            return SetCurrentSelection(hWnd, state, static_cast<WPARAM>(nFound));
        }
        case LB_SETCURSEL:
            return SetCurrentSelection(hWnd, state, wParam);
        case LB_GETCURSEL:
            if (IsMultiSel(eMode))
                return state.items.empty() ? LB_ERR : state.nCaret;
            return state.nSelected >= 0 ? state.nSelected : LB_ERR;
        case LB_SETSEL:
        {
            if (!IsMultiSel(eMode))
                return LB_ERR;
            const auto nIndex = static_cast<int>(lParam);
            if (nIndex == -1)
            {
                SetAllSelected(state, wParam != 0);
                Redraw(hWnd);
                return LB_OKAY;
            }
            if (nIndex < 0 || nIndex >= Count(state))
                return LB_ERR;
            state.items[static_cast<size_t>(nIndex)].bSelected = wParam != 0;
            state.nCaret = nIndex;
            EnsureVisible(hWnd, state, nIndex);
            Redraw(hWnd);
            return LB_OKAY;
        }
        case LB_GETSEL:
            if (!ValidIndex(state, wParam))
                return LB_ERR;
            return IsSelected(state, eMode, static_cast<int>(wParam)) ? 1 : 0;
        case LB_GETSELCOUNT:
            if (!IsMultiSel(eMode))
                return LB_ERR;
            return std::count_if(state.items.begin(), state.items.end(),
                                 [](const SListItem& item) { return item.bSelected; });
        case LB_GETSELITEMS:
        {
            if (!IsMultiSel(eMode))
                return LB_ERR;
            auto* pIndexes = reinterpret_cast<int*>(lParam);
            if (pIndexes == nullptr)
                return LB_ERR;
            int nStored = 0;
            for (int i = 0; i < Count(state) && nStored < static_cast<int>(wParam); ++i)
            {
                if (state.items[static_cast<size_t>(i)].bSelected)
                    pIndexes[nStored++] = i;
            }
            return nStored;
        }
        case LB_SELITEMRANGE:
            return SelectRange(hWnd, state, wParam != 0, LOWORD(static_cast<ULONG_PTR>(lParam)),
                               HIWORD(static_cast<ULONG_PTR>(lParam)));
        case LB_SELITEMRANGEEX:
        {
            // First after last means deselecting the range.
            const auto nFirst = static_cast<int>(static_cast<INT_PTR>(wParam));
            const auto nLast = static_cast<int>(lParam);
            return SelectRange(hWnd, state, nFirst <= nLast, nFirst, nLast);
        }
        case LB_SETANCHORINDEX:
            if (!ValidIndex(state, wParam))
                return LB_ERR;
            state.nAnchor = static_cast<int>(wParam);
            return LB_OKAY;
        case LB_GETANCHORINDEX:
            return state.nAnchor;
        case LB_SETCARETINDEX:
            if (!ValidIndex(state, wParam))
                return LB_ERR;
            state.nCaret = static_cast<int>(wParam);
            EnsureVisible(hWnd, state, state.nCaret);
            Redraw(hWnd);
            return LB_OKAY;
        case LB_GETCARETINDEX:
            return state.nCaret;
        case LB_SETITEMDATA:
            if (!ValidIndex(state, wParam))
                return LB_ERR;
            state.items[wParam].nData = static_cast<ULONG_PTR>(lParam);
            return TRUE;
        case LB_GETITEMDATA:
            if (!ValidIndex(state, wParam))
                return LB_ERR;
            return static_cast<LRESULT>(state.items[wParam].nData);
        case LB_GETITEMRECT:
        {
            auto* pRect = reinterpret_cast<RECT*>(lParam);
            if (pRect == nullptr || !(ValidIndex(state, wParam) || (wParam == 0 && state.items.empty())))
                return LB_ERR;
            const SLayout layout = LayoutOf(hWnd, state);
            *pRect = ItemRectOf(layout, state, static_cast<int>(wParam));
            return pRect->bottom > layout.rcItems.top && pRect->top < layout.rcItems.bottom ? 1 : 0;
        }
        case LB_ITEMFROMPOINT:
        {
            // LOWORD the nearest item, HIWORD 1 when the point is outside the
            // client area or past the last item.
            const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (state.items.empty())
                return MAKELRESULT(0, 1);
            const SLayout layout = LayoutOf(hWnd, state);
            int nIndex = state.nTop + (pt.y - layout.rcItems.top) / std::max(1, state.nItemHeight);
            if (pt.y < layout.rcItems.top)
                nIndex = state.nTop - 1;
            bool bOutside = !PtInRect(&layout.rcItems, pt);
            if (nIndex >= Count(state))
                bOutside = true;
            nIndex = std::clamp(nIndex, 0, Count(state) - 1);
            return MAKELRESULT(static_cast<WORD>(nIndex), bOutside ? 1 : 0);
        }
        case LB_SETTOPINDEX:
            if (!ValidIndex(state, wParam))
                return LB_ERR;
            SetTop(hWnd, state, static_cast<int>(wParam));
            return LB_OKAY;
        case LB_GETTOPINDEX:
            return state.nTop;
        case LB_SETITEMHEIGHT:
        {
            const auto nHeight = static_cast<int>(lParam);
            if (nHeight <= 0 || nHeight > 255)
                return LB_ERR;
            state.nItemHeight = nHeight;
            SetTop(hWnd, state, state.nTop);
            Redraw(hWnd);
            return LB_OKAY;
        }
        case LB_GETITEMHEIGHT:
            return state.nItemHeight;
        case LB_INITSTORAGE:
            state.items.reserve(state.items.size() + wParam);
            return static_cast<LRESULT>(state.items.capacity());
        default:
            // Directory listings, columns, tab stops and lists without data
            // are not offered.
            return LB_ERR;
    }
}

LRESULT ListBoxProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    SListBoxState* pState = ListStateOf(hWnd);
    if (pState == nullptr)
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    SListBoxState& state = *pState;
    if (nMessage >= LB_ADDSTRING && nMessage <= LB_ITEMFROMPOINT)
        return HandleListMessage(hWnd, state, nMessage, wParam, lParam);
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (nMessage)
    {
        case WM_CREATE:
        {
            // A combo box makes its drop-down list with itself as the
            // creation parameter.
            const auto* pCreate = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            if ((StyleOf(hWnd) & LBS_COMBOBOX) != 0 && pCreate != nullptr)
            {
                const auto hCombo = static_cast<HWND>(pCreate->lpCreateParams);
                state.hCombo = IsWindow(hCombo) ? hCombo : nullptr;
            }
            MeasureItemHeight(hWnd, state);
            FitIntegralHeight(hWnd, state);
            return 0;
        }
        case WM_NCCALCSIZE:
        {
            // The scroll bar is drawn inside the client area.
            const LRESULT nResult = DefWindowProcW(hWnd, nMessage, wParam, lParam);
            if (lParam != 0 && (StyleOf(hWnd) & WS_VSCROLL) != 0)
                reinterpret_cast<RECT*>(lParam)->right += GetSystemMetrics(SM_CXVSCROLL);
            return nResult;
        }
        case WM_NCHITTEST:
        {
            const LRESULT nHit = DefWindowProcW(hWnd, nMessage, wParam, lParam);
            return nHit == HTVSCROLL ? HTCLIENT : nHit;
        }
        case WM_PAINT:
        {
            PAINTSTRUCT ps{};
            HDC hdc = BeginPaint(hWnd, &ps);
            PaintList(hWnd, hdc);
            EndPaint(hWnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintList(hWnd, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ERASEBKGND:
            return TRUE; // painting fills the whole client area
        case WM_SETFONT:
            state.hFont = reinterpret_cast<HFONT>(wParam);
            if (!IsOwnerDraw(StyleOf(hWnd)))
            {
                state.nItemHeight = FontLineHeight(state.hFont);
                FitIntegralHeight(hWnd, state);
            }
            if (lParam != 0)
                InvalidateRect(hWnd, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state.hFont);
        case WM_SIZE:
            SetTop(hWnd, state, state.nTop);
            InvalidateRect(hWnd, nullptr, TRUE);
            return 0;
        case WM_ENABLE:
        case WM_SETTEXT:
        {
            const LRESULT nResult = DefWindowProcW(hWnd, nMessage, wParam, lParam);
            InvalidateRect(hWnd, nullptr, TRUE);
            return nResult;
        }
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
            state.bFocused = true;
            Redraw(hWnd);
            Notify(hWnd, state, LBN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            state.bFocused = false;
            // A mouse selection cut short ends with LBN_SELCANCEL (sent when
            // the capture goes).
            if (state.bTracking && GetCapture() == hWnd)
                ReleaseCapture();
            state.bTracking = false;
            Redraw(hWnd);
            if (ListStateOf(hWnd) != nullptr)
                Notify(hWnd, state, LBN_KILLFOCUS);
            return 0;
        case WM_MOUSEACTIVATE:
            if (state.hCombo != nullptr)
                return MA_NOACTIVATE;
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (state.hCombo != nullptr)
                OnComboButtonDown(hWnd, state, pt);
            else
                OnButtonDown(hWnd, nMessage, wParam, pt);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(hWnd, state, pt);
            return 0;
        case WM_LBUTTONUP:
            if (state.hCombo != nullptr)
                OnComboButtonUp(hWnd, state, pt);
            else
                OnButtonUp(hWnd, state);
            return 0;
        case WM_CAPTURECHANGED:
            if (state.eBarPart != EListBarPart::None && state.hCombo == nullptr)
            {
                state.eBarPart = EListBarPart::None;
                KillTimer(hWnd, kBarRepeatTimer);
            }
            if (state.bTracking)
            {
                // The selecting drag ends without the button coming up.
                state.bTracking = false;
                Notify(hWnd, state, LBN_SELCANCEL);
                if (ListStateOf(hWnd) == nullptr)
                    return 0;
            }
            // Losing the capture while dropped down (another window took it)
            // abandons the choice.
            if (state.hCombo != nullptr && reinterpret_cast<HWND>(lParam) != hWnd &&
                ComboIsDropped(state.hCombo))
                ComboCloseUpFromList(state.hCombo, false);
            return 0;
        case WM_TIMER:
        {
            if (wParam != kBarRepeatTimer)
                return 0;
            const EListBarPart ePart = state.eBarPart;
            if (ePart == EListBarPart::None || ePart == EListBarPart::Thumb)
            {
                KillTimer(hWnd, kBarRepeatTimer);
                return 0;
            }
            SetTimer(hWnd, kBarRepeatTimer, kBarRepeatDelay, nullptr);
            // Repeats while the pointer stays on the part pressed.
            POINT ptCursor{};
            GetCursorPos(&ptCursor);
            ScreenToClient(hWnd, &ptCursor);
            if (BarPartAt(LayoutOf(hWnd, state), state, ptCursor) == ePart)
                ApplyBarPart(hWnd, state, ePart);
            return 0;
        }
        case WM_MOUSEWHEEL:
        {
            const auto nDelta = static_cast<SHORT>(HIWORD(static_cast<ULONG_PTR>(wParam)));
            // Three lines a notch, as Windows scrolls by default.
            SetTop(hWnd, state, state.nTop - nDelta * 3 / WHEEL_DELTA);
            return 0;
        }
        case WM_VSCROLL:
            ScrollBy(hWnd, state, LOWORD(static_cast<ULONG_PTR>(wParam)),
                     static_cast<SHORT>(HIWORD(static_cast<ULONG_PTR>(wParam))));
            return 0;
        case WM_KEYDOWN:
            if (state.hCombo == nullptr)
                OnKeyDown(hWnd, state, static_cast<UINT>(wParam));
            return 0;
        case WM_CHAR:
            if (state.hCombo == nullptr)
                OnChar(hWnd, state, static_cast<wchar_t>(wParam));
            return 0;
        case WM_DESTROY:
            KillTimer(hWnd, kBarRepeatTimer);
            SendDeleteAll(hWnd, state);
            if (SListBoxState* pNow = ListStateOf(hWnd))
                pNow->items.clear();
            return 0;
        default:
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
}

void RegisterListClasses()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_PARENTDC;
    wc.lpfnWndProc = ListBoxProc;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = WC_LISTBOXW;
    RegisterClassExW(&wc);
    // The drop-down list takes no double clicks: each press is a press.
    wc.style = CS_GLOBALCLASS | CS_SAVEBITS;
    wc.lpszClassName = WC_COMBOLBOXW;
    RegisterClassExW(&wc);
}

const bool s_bRegistered = AddBuiltInClassRegistrar(&RegisterListClasses);

} // namespace

SListBoxState* ListStateOf(HWND hList)
{
    return ControlStateOf<SListBoxState>(hList);
}

HFONT FontOrDefault(HFONT hFont)
{
    return hFont != nullptr ? hFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int FontLineHeight(HFONT hFont)
{
    HDC hdc = CreateCompatibleDC(nullptr);
    if (hdc == nullptr)
        return 16;
    HGDIOBJ hOld = SelectObject(hdc, FontOrDefault(hFont));
    TEXTMETRICW metrics{};
    const bool bMeasured = GetTextMetricsW(hdc, &metrics) != FALSE && metrics.tmHeight > 0;
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    return bMeasured ? static_cast<int>(metrics.tmHeight) : 16;
}

int ListFind(const SListBoxState& state, bool bHasStrings, int nStart, LPARAM lParam, bool bExact)
{
    const int nCount = Count(state);
    if (nCount == 0)
        return LB_ERR;
    // From -1 (or past the end) the whole list is searched from the top.
    if (nStart < 0 || nStart >= nCount)
        nStart = nCount - 1;
    std::wstring strWanted;
    if (bHasStrings)
    {
        const auto* pszText = reinterpret_cast<LPCWSTR>(lParam);
        if (pszText == nullptr)
            return LB_ERR;
        strWanted = pszText;
    }
    for (int nStep = 1; nStep <= nCount; ++nStep)
    {
        const int nIndex = (nStart + nStep) % nCount;
        const SListItem& item = state.items[static_cast<size_t>(nIndex)];
        if (!bHasStrings)
        {
            if (item.nData == static_cast<ULONG_PTR>(lParam))
                return nIndex;
            continue;
        }
        if (bExact ? CompareNoCase(item.strText, strWanted) == 0
                   : item.strText.size() >= strWanted.size() &&
                         CompareNoCase(item.strText.substr(0, strWanted.size()), strWanted) == 0)
            return nIndex;
    }
    return LB_ERR;
}

bool ListMoveHighlightByKey(HWND hList, UINT nKey)
{
    SListBoxState* pState = ListStateOf(hList);
    if (pState == nullptr || pState->items.empty())
        return false;
    int nTarget = 0;
    if (!KeyTarget(hList, *pState, nKey, nTarget))
        return false;
    // With nothing highlighted every key but End starts at the first item.
    if (pState->nSelected < 0 && nKey != VK_END)
        nTarget = 0;
    MoveCaretTo(hList, *pState, nTarget, false, false);
    return true;
}

void ListHighlightByCharacter(HWND hList, wchar_t chTyped)
{
    SListBoxState* pState = ListStateOf(hList);
    if (pState == nullptr || pState->items.empty() || chTyped < L' ')
        return;
    pState->nCaret = pState->nSelected >= 0 ? pState->nSelected : Count(*pState) - 1;
    const int nFound = FindByCharacter(*pState, chTyped);
    if (nFound >= 0)
        MoveCaretTo(hList, *pState, nFound, false, false);
}

void ListSetHighlight(HWND hList, int nIndex)
{
    SListBoxState* pState = ListStateOf(hList);
    if (pState == nullptr)
        return;
    pState->nSelected = nIndex >= 0 && nIndex < Count(*pState) ? nIndex : -1;
    if (pState->nSelected >= 0)
    {
        pState->nCaret = pState->nSelected;
        EnsureVisible(hList, *pState, pState->nSelected);
    }
    Redraw(hList);
}

int ListHeightForItems(const SListBoxState& state, int nItems)
{
    return std::max(1, nItems) * state.nItemHeight + 2;
}

IMPLEMENT_DYNAMIC(CListBox, CWnd)

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_LISTBOXW, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    const int nLength = GetTextLen(nIndex);
    if (nLength == LB_ERR)
    {
        rString.Empty();
        return;
    }
    std::wstring strBuffer(static_cast<size_t>(nLength) + 1, L'\0');
    GetText(nIndex, strBuffer.data());
    rString = strBuffer.c_str();
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    const auto nResult = static_cast<ULONG_PTR>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)));
    bOutside = HIWORD(nResult) != 0;
    return LOWORD(nResult);
}
