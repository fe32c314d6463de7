// The tab control class "SysTabControl32": items, the one-row layout with
// scroll arrows when the row is wider than the control, selection by mouse
// and keyboard with its notifications, painting, and the CTabCtrl wrapper.
#include "TabControl.h"

#include "Gdi.h"
#include "controls/BuiltInControls.h"

#include <algorithm>
#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

namespace
{

// The row starts 2 pixels in from the left and 2 down from the top, so that
// the selected tab can stand out by 2 on each side and above.
constexpr int kRowLeft = 2;
constexpr int kRowTop = 2;
constexpr int kSelectedGrowth = 2;
constexpr int kImageGap = 3;      // between an image and the text after it
constexpr int kDisplayMargin = 4; // from the outside of the body frame to the display area
constexpr int kArrowSize = 16;
constexpr int kButtonGap = 3; // between tabs drawn as buttons
constexpr int kDefaultFixedWidth = 96;

struct STabItem
{
    std::wstring strText;
    int nImage = -1;
    LPARAM lParam = 0;
    DWORD dwState = 0;
};

struct STabState : SControlState
{
    std::vector<STabItem> items;
    int nCurSel = -1;
    HIMAGELIST hImageList = nullptr;
    HFONT hFont = nullptr;
    SIZE fixedSize{kDefaultFixedWidth, 0}; // cy 0: from the font and images
    SIZE padding{6, 3};
    int nFirstVisible = 0;
};

STabState* StateOf(HWND hWnd)
{
    return ControlStateOf<STabState>(hWnd);
}

DWORD StyleOf(HWND hWnd)
{
    return static_cast<DWORD>(GetWindowLongPtrW(hWnd, GWL_STYLE));
}

HFONT FontOf(const STabState& state)
{
    return state.hFont != nullptr ? state.hFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// Measures text in the control's font on a device context of its own.
class CMeasure
{
public:
    explicit CMeasure(const STabState& state) : m_hdc(CreateCompatibleDC(nullptr))
    {
        m_hOld = SelectObject(m_hdc, FontOf(state));
    }
    ~CMeasure()
    {
        SelectObject(m_hdc, m_hOld);
        DeleteDC(m_hdc);
    }
    CMeasure(const CMeasure&) = delete;
    CMeasure& operator=(const CMeasure&) = delete;

    int TextHeight() const
    {
        TEXTMETRICW tm{};
        GetTextMetricsW(m_hdc, &tm);
        return tm.tmHeight;
    }
    int TextWidth(const std::wstring& strText) const
    {
        SIZE size{};
        if (!strText.empty())
            GetTextExtentPoint32W(m_hdc, strText.c_str(), static_cast<int>(strText.size()), &size);
        return size.cx;
    }

private:
    HDC m_hdc;
    HGDIOBJ m_hOld = nullptr;
};

SIZE ImageSize(const STabState& state)
{
    SIZE size{0, 0};
    if (state.hImageList != nullptr)
    {
        int cx = 0;
        int cy = 0;
        if (ImageList_GetIconSize(state.hImageList, &cx, &cy))
            size = SIZE{cx, cy};
    }
    return size;
}

bool HasImage(const STabState& state, const STabItem& item)
{
    return state.hImageList != nullptr && item.nImage >= 0 &&
           item.nImage < ImageList_GetImageCount(state.hImageList);
}

bool IsValidIndex(const std::vector<int>& widths, int nItem)
{
    return nItem >= 0 && nItem < static_cast<int>(widths.size());
}

struct STabLayout
{
    int nRowHeight = 0;
    int nRows = 1;
    std::vector<RECT> items; // as they stand after scrolling, unselected size
    bool bArrows = false;
    RECT rcLeftArrow{};
    RECT rcRightArrow{};
    int nClipRight = 0; // tabs are cut off here (the arrows' left edge, or the width)
    RECT rcBody{};
};

int RowHeight(const STabState& state)
{
    if (state.fixedSize.cy > 0)
        return state.fixedSize.cy;
    const CMeasure measure(state);
    return std::max(measure.TextHeight(), static_cast<int>(ImageSize(state).cy)) + 2 * state.padding.cy;
}

int ItemWidth(HWND hWnd, const STabState& state, const STabItem& item, const CMeasure& measure)
{
    if ((StyleOf(hWnd) & TCS_FIXEDWIDTH) != 0 && state.fixedSize.cx > 0)
        return state.fixedSize.cx;
    int nWidth = 2 * state.padding.cx + measure.TextWidth(item.strText);
    if (HasImage(state, item))
        nWidth += ImageSize(state).cx + (item.strText.empty() ? 0 : kImageGap);
    return nWidth;
}

// Several rows (TCS_MULTILINE): tabs fill rows as wide as the control; the
// row holding the selection stands next to the body and the others follow it
// upward in turn. Unless TCS_RAGGEDRIGHT, the tabs of each row are widened
// to fill it when there is more than one row.
void LayOutRows(HWND hWnd, const STabState& state, STabLayout& layout, const std::vector<int>& widths,
                int nAvailable)
{
    std::vector<int> rowOf(widths.size(), 0);
    int nRow = 0;
    int x = 0;
    for (size_t i = 0; i < widths.size(); ++i)
    {
        if (x > 0 && x + widths[i] > nAvailable)
        {
            ++nRow;
            x = 0;
        }
        rowOf[i] = nRow;
        x += widths[i];
    }
    layout.nRows = nRow + 1;
    const int nSelectedRow =
        IsValidIndex(widths, state.nCurSel) ? rowOf[static_cast<size_t>(state.nCurSel)] : 0;
    const bool bJustify = layout.nRows > 1 && (StyleOf(hWnd) & TCS_RAGGEDRIGHT) == 0;
    const int nBodyTop = kRowTop + layout.nRows * layout.nRowHeight;
    size_t nFirst = 0;
    while (nFirst < widths.size())
    {
        size_t nEnd = nFirst;
        int nUsed = 0;
        while (nEnd < widths.size() && rowOf[nEnd] == rowOf[nFirst])
            nUsed += widths[nEnd++];
        const int nCount = static_cast<int>(nEnd - nFirst);
        const int nExtra = bJustify ? std::max(nAvailable - nUsed, 0) : 0;
        const int nPlace = (rowOf[nFirst] - nSelectedRow + layout.nRows) % layout.nRows; // 0 next to the body
        const int nTop = nBodyTop - (nPlace + 1) * layout.nRowHeight;
        int xItem = kRowLeft;
        for (size_t i = nFirst; i < nEnd; ++i)
        {
            const int nIndex = static_cast<int>(i - nFirst);
            const int nWidth = widths[i] + nExtra / nCount + (nIndex < nExtra % nCount ? 1 : 0);
            layout.items[i] = RECT{xItem, nTop, xItem + nWidth, nTop + layout.nRowHeight};
            xItem += nWidth;
        }
        nFirst = nEnd;
    }
}

STabLayout Layout(HWND hWnd, const STabState& state)
{
    STabLayout layout;
    RECT rcClient;
    GetClientRect(hWnd, &rcClient);
    const DWORD dwStyle = StyleOf(hWnd);
    const bool bButtons = (dwStyle & TCS_BUTTONS) != 0;
    layout.nRowHeight = RowHeight(state);
    const CMeasure measure(state);
    std::vector<int> widths;
    int x = kRowLeft;
    for (const STabItem& item : state.items)
    {
        const int nWidth = ItemWidth(hWnd, state, item, measure);
        widths.push_back(nWidth);
        layout.items.push_back(RECT{x, kRowTop, x + nWidth, kRowTop + layout.nRowHeight});
        x += nWidth + (bButtons ? kButtonGap : 0);
    }
    layout.nClipRight = rcClient.right;
    const int nRowRight = layout.items.empty() ? 0 : static_cast<int>(layout.items.back().right);
    if ((dwStyle & TCS_MULTILINE) != 0 && !bButtons)
    {
        LayOutRows(hWnd, state, layout, widths, rcClient.right - 2 * kRowLeft);
    }
    else if (nRowRight + kSelectedGrowth > rcClient.right && layout.items.size() > 1)
    {
        layout.bArrows = true;
        const int nTop = kRowTop + std::max((layout.nRowHeight - kArrowSize) / 2, 0);
        layout.rcRightArrow = RECT{rcClient.right - kArrowSize, nTop, rcClient.right, nTop + kArrowSize};
        layout.rcLeftArrow =
            RECT{rcClient.right - 2 * kArrowSize, nTop, rcClient.right - kArrowSize, nTop + kArrowSize};
        layout.nClipRight = layout.rcLeftArrow.left;
        const int nFirst = std::clamp(state.nFirstVisible, 0, static_cast<int>(layout.items.size()) - 1);
        const int nShift = layout.items[static_cast<size_t>(nFirst)].left - kRowLeft;
        for (RECT& rc : layout.items)
            OffsetRect(&rc, -nShift, 0);
    }
    layout.rcBody = RECT{0, kRowTop + layout.nRows * layout.nRowHeight, rcClient.right, rcClient.bottom};
    return layout;
}

bool IsValidItem(const STabState& state, int nItem)
{
    return nItem >= 0 && nItem < static_cast<int>(state.items.size());
}

// The item under a client point, with what part of it the point is over.
int HitTest(HWND hWnd, const STabState& state, POINT pt, UINT* pnFlags)
{
    const STabLayout layout = Layout(hWnd, state);
    if (pnFlags != nullptr)
        *pnFlags = TCHT_NOWHERE;
    if (pt.x >= layout.nClipRight || pt.x < 0)
        return -1;
    for (size_t i = 0; i < layout.items.size(); ++i)
    {
        if (!PtInRect(&layout.items[i], pt))
            continue;
        if (pnFlags != nullptr)
        {
            *pnFlags = TCHT_ONITEM;
            const STabItem& item = state.items[i];
            const int nContentLeft = layout.items[i].left + state.padding.cx;
            const int nImageWidth = HasImage(state, item) ? ImageSize(state).cx : 0;
            if (nImageWidth > 0 && pt.x >= nContentLeft && pt.x < nContentLeft + nImageWidth)
                *pnFlags = TCHT_ONITEMICON;
            else if (!item.strText.empty() && pt.x >= nContentLeft + nImageWidth &&
                     pt.x < layout.items[i].right - state.padding.cx)
                *pnFlags = TCHT_ONITEMLABEL;
        }
        return static_cast<int>(i);
    }
    return -1;
}

LRESULT SendNotify(HWND hWnd, UINT nCode)
{
    HWND hParent = GetParent(hWnd);
    if (hParent == nullptr)
        return 0;
    NMHDR header{hWnd, static_cast<UINT_PTR>(GetDlgCtrlID(hWnd)), nCode};
    return SendMessageW(hParent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

// Scrolls the row so that an item is wholly visible.
void EnsureVisible(HWND hWnd, STabState& state, int nItem)
{
    if (!IsValidItem(state, nItem))
        return;
    if (nItem < state.nFirstVisible)
    {
        state.nFirstVisible = nItem;
        return;
    }
    while (state.nFirstVisible < nItem)
    {
        const STabLayout layout = Layout(hWnd, state);
        if (!layout.bArrows || layout.items[static_cast<size_t>(nItem)].right <= layout.nClipRight)
            break;
        ++state.nFirstVisible;
    }
}

// Moves the selection as the user asked, if the parent lets it.
void ChangeSelection(HWND hWnd, int nItem)
{
    STabState* pState = StateOf(hWnd);
    if (pState == nullptr || !IsValidItem(*pState, nItem) || nItem == pState->nCurSel)
        return;
    if (SendNotify(hWnd, TCN_SELCHANGING) != 0)
        return;
    pState = StateOf(hWnd);
    if (pState == nullptr || !IsValidItem(*pState, nItem))
        return;
    pState->nCurSel = nItem;
    EnsureVisible(hWnd, *pState, nItem);
    InvalidateRect(hWnd, nullptr, TRUE);
    SendNotify(hWnd, TCN_SELCHANGE);
}

void DrawArrow(HDC hdc, const RECT& rcButton, bool bLeft, bool bEnabled)
{
    RECT rc = rcButton;
    FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(hdc, &rc, EDGE_RAISED, BF_RECT);
    // A triangle four pixels deep, drawn column by column.
    HBRUSH hBrush = GetSysColorBrush(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    const int nCentreY = (rcButton.top + rcButton.bottom) / 2;
    const int nCentreX = (rcButton.left + rcButton.right) / 2;
    for (int i = 0; i < 4; ++i)
    {
        const int x = bLeft ? nCentreX - 2 + i : nCentreX + 1 - i;
        const RECT rcColumn{x, nCentreY - i, x + 1, nCentreY + i + 1};
        FillRect(hdc, &rcColumn, hBrush);
    }
}

void DrawItemContent(HWND hWnd, HDC hdc, const STabState& state, const STabItem& item, const RECT& rcItem)
{
    const bool bEnabled = IsWindowEnabled(hWnd) != FALSE;
    const CMeasure measure(state);
    const bool bImage = HasImage(state, item);
    const SIZE imageSize = ImageSize(state);
    int nContentWidth = measure.TextWidth(item.strText);
    if (bImage)
        nContentWidth += imageSize.cx + (item.strText.empty() ? 0 : kImageGap);
    int x = rcItem.left +
            std::max((rcItem.right - rcItem.left - nContentWidth) / 2, static_cast<LONG>(state.padding.cx));
    if (bImage)
    {
        const int y = rcItem.top + (rcItem.bottom - rcItem.top - imageSize.cy) / 2;
        ImageList_Draw(state.hImageList, item.nImage, hdc, x, y, ILD_TRANSPARENT);
        x += imageSize.cx + kImageGap;
    }
    if (!item.strText.empty())
    {
        RECT rcText{x, rcItem.top, rcItem.right - state.padding.cx / 2, rcItem.bottom};
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, GetSysColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        HGDIOBJ hOldFont = SelectObject(hdc, FontOf(state));
        DrawTextW(hdc, item.strText.c_str(), static_cast<int>(item.strText.size()), &rcText,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(hdc, hOldFont);
    }
}

void PaintTabs(HWND hWnd, HDC hdc)
{
    STabState* pState = StateOf(hWnd);
    if (hdc == nullptr || pState == nullptr)
        return;
    const STabState& state = *pState;
    const int nSaved = SaveDC(hdc);
    RECT rcClient;
    GetClientRect(hWnd, &rcClient);
    FillRect(hdc, &rcClient, GetSysColorBrush(COLOR_BTNFACE));
    const STabLayout layout = Layout(hWnd, state);
    const DWORD dwStyle = StyleOf(hWnd);
    const bool bButtons = (dwStyle & TCS_BUTTONS) != 0;
    const bool bFocused = GetFocus() == hWnd && (dwStyle & TCS_FOCUSNEVER) == 0;

    if (!bButtons)
    {
        RECT rcBody = layout.rcBody;
        DrawEdge(hdc, &rcBody, EDGE_RAISED, BF_RECT);
    }

    SaveDC(hdc);
    IntersectClipRect(hdc, 0, 0, layout.nClipRight, rcClient.bottom);
    // The selected tab last, so that it stands over its neighbours.
    std::vector<size_t> order;
    for (size_t i = 0; i < layout.items.size(); ++i)
    {
        if (static_cast<int>(i) != state.nCurSel)
            order.push_back(i);
    }
    if (IsValidItem(state, state.nCurSel))
        order.push_back(static_cast<size_t>(state.nCurSel));
    for (size_t i : order)
    {
        const bool bSelected = static_cast<int>(i) == state.nCurSel;
        RECT rc = layout.items[i];
        if (rc.right <= 0 || rc.left >= layout.nClipRight)
            continue;
        if (bButtons)
        {
            DrawEdge(hdc, &rc, bSelected ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        }
        else
        {
            if (bSelected)
            {
                // Raised and wider, standing on the body with no line between.
                rc = RECT{rc.left - kSelectedGrowth, rc.top - kSelectedGrowth, rc.right + kSelectedGrowth,
                          rc.bottom + 2};
                FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
            }
            RECT rcEdge = rc;
            DrawEdge(hdc, &rcEdge, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
        }
        DrawItemContent(hWnd, hdc, state, state.items[i], layout.items[i]);
        if (bSelected && bFocused)
        {
            RECT rcFocus = layout.items[i];
            InflateRect(&rcFocus, -2, -2);
            DrawFocusRect(hdc, &rcFocus);
        }
    }
    RestoreDC(hdc, -1);

    if (layout.bArrows)
    {
        const bool bEnabled = IsWindowEnabled(hWnd) != FALSE;
        DrawArrow(hdc, layout.rcLeftArrow, true, bEnabled && state.nFirstVisible > 0);
        const bool bMoreRight = layout.items.back().right > layout.nClipRight;
        DrawArrow(hdc, layout.rcRightArrow, false, bEnabled && bMoreRight);
    }
    RestoreDC(hdc, nSaved);
}

int KeyTarget(const STabState& state, UINT nKey)
{
    const int nCount = static_cast<int>(state.items.size());
    if (nCount == 0)
        return -1;
    const int nCur = state.nCurSel;
    switch (nKey)
    {
        case VK_LEFT:
            return nCur > 0 ? nCur - 1 : -1;
        case VK_RIGHT:
            return nCur < nCount - 1 ? nCur + 1 : -1;
        case VK_TAB:
            if ((GetKeyState(VK_CONTROL) & 0x8000) == 0)
                return -1;
            if ((GetKeyState(VK_SHIFT) & 0x8000) != 0)
                return nCur <= 0 ? nCount - 1 : nCur - 1;
            return nCur < 0 || nCur >= nCount - 1 ? 0 : nCur + 1;
        default:
            return -1;
    }
}

void OnKeyDown(HWND hWnd, UINT nKey, LPARAM lParam)
{
    HWND hParent = GetParent(hWnd);
    if (hParent != nullptr)
    {
        NMTCKEYDOWN keyDown{};
        keyDown.hdr = NMHDR{hWnd, static_cast<UINT_PTR>(GetDlgCtrlID(hWnd)), TCN_KEYDOWN};
        keyDown.wVKey = static_cast<WORD>(nKey);
        keyDown.flags = static_cast<UINT>(lParam);
        SendMessageW(hParent, WM_NOTIFY, keyDown.hdr.idFrom, reinterpret_cast<LPARAM>(&keyDown));
    }
    STabState* pState = StateOf(hWnd);
    if (pState == nullptr)
        return;
    const int nTarget = KeyTarget(*pState, nKey);
    if (nTarget >= 0)
        ChangeSelection(hWnd, nTarget);
}

void OnButtonDown(HWND hWnd, POINT pt)
{
    STabState* pState = StateOf(hWnd);
    if (pState == nullptr)
        return;
    const STabLayout layout = Layout(hWnd, *pState);
    if (layout.bArrows)
    {
        if (PtInRect(&layout.rcLeftArrow, pt))
        {
            if (pState->nFirstVisible > 0)
                --pState->nFirstVisible;
            InvalidateRect(hWnd, nullptr, TRUE);
            return;
        }
        if (PtInRect(&layout.rcRightArrow, pt))
        {
            if (layout.items.back().right > layout.nClipRight)
                ++pState->nFirstVisible;
            InvalidateRect(hWnd, nullptr, TRUE);
            return;
        }
    }
    const int nItem = HitTest(hWnd, *pState, pt, nullptr);
    if (nItem < 0)
        return;
    if ((StyleOf(hWnd) & TCS_FOCUSNEVER) == 0 && GetFocus() != hWnd)
        SetFocus(hWnd);
    ChangeSelection(hWnd, nItem);
}

void CopyItemText(const std::wstring& strText, TCITEMW& item)
{
    if (item.pszText == nullptr || item.cchTextMax <= 0)
        return;
    const size_t nCopy = std::min(strText.size(), static_cast<size_t>(item.cchTextMax - 1));
    std::copy_n(strText.begin(), nCopy, item.pszText);
    item.pszText[nCopy] = L'\0';
}

void ApplyItem(STabItem& target, const TCITEMW& source)
{
    if ((source.mask & TCIF_TEXT) != 0)
        target.strText = source.pszText != nullptr ? source.pszText : L"";
    if ((source.mask & TCIF_IMAGE) != 0)
        target.nImage = source.iImage;
    if ((source.mask & TCIF_PARAM) != 0)
        target.lParam = source.lParam;
    if ((source.mask & TCIF_STATE) != 0)
        target.dwState = (target.dwState & ~source.dwStateMask) | (source.dwState & source.dwStateMask);
}

LRESULT TabProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    STabState* pState = StateOf(hWnd);
    if (pState == nullptr)
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    STabState& state = *pState;
    const int nItem = static_cast<int>(wParam);
    switch (nMessage)
    {
        case TCM_GETITEMCOUNT:
            return static_cast<LRESULT>(state.items.size());
        case TCM_INSERTITEMW:
        {
            if (lParam == 0 || nItem < 0)
                return -1;
            const int nAt = std::min(nItem, static_cast<int>(state.items.size()));
            STabItem item;
            ApplyItem(item, *reinterpret_cast<const TCITEMW*>(lParam));
            state.items.insert(state.items.begin() + nAt, item);
            // The first tab becomes the selection; later ones keep it on the
            // same tab.
            if (state.nCurSel < 0)
                state.nCurSel = 0;
            else if (nAt <= state.nCurSel)
                ++state.nCurSel;
            InvalidateRect(hWnd, nullptr, TRUE);
            return nAt;
        }
        case TCM_DELETEITEM:
            if (!IsValidItem(state, nItem))
                return FALSE;
            state.items.erase(state.items.begin() + nItem);
            if (nItem == state.nCurSel)
                state.nCurSel = -1;
            else if (nItem < state.nCurSel)
                --state.nCurSel;
            state.nFirstVisible =
                std::clamp(state.nFirstVisible, 0, std::max(static_cast<int>(state.items.size()) - 1, 0));
            InvalidateRect(hWnd, nullptr, TRUE);
            return TRUE;
        case TCM_DELETEALLITEMS:
            state.items.clear();
            state.nCurSel = -1;
            state.nFirstVisible = 0;
            InvalidateRect(hWnd, nullptr, TRUE);
            return TRUE;
        case TCM_GETITEMW:
        {
            if (!IsValidItem(state, nItem) || lParam == 0)
                return FALSE;
            auto& out = *reinterpret_cast<TCITEMW*>(lParam);
            const STabItem& item = state.items[static_cast<size_t>(nItem)];
            if ((out.mask & TCIF_TEXT) != 0)
                CopyItemText(item.strText, out);
            if ((out.mask & TCIF_IMAGE) != 0)
                out.iImage = item.nImage;
            if ((out.mask & TCIF_PARAM) != 0)
                out.lParam = item.lParam;
            if ((out.mask & TCIF_STATE) != 0)
                out.dwState = item.dwState & out.dwStateMask;
            return TRUE;
        }
        case TCM_SETITEMW:
            if (!IsValidItem(state, nItem) || lParam == 0)
                return FALSE;
            ApplyItem(state.items[static_cast<size_t>(nItem)], *reinterpret_cast<const TCITEMW*>(lParam));
            InvalidateRect(hWnd, nullptr, TRUE);
            return TRUE;
        case TCM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(state.hImageList);
        case TCM_SETIMAGELIST:
        {
            const HIMAGELIST hOld = state.hImageList;
            state.hImageList = reinterpret_cast<HIMAGELIST>(lParam);
            InvalidateRect(hWnd, nullptr, TRUE);
            return reinterpret_cast<LRESULT>(hOld);
        }
        case TCM_GETCURSEL:
            return state.nCurSel;
        case TCM_SETCURSEL:
        {
            if (!IsValidItem(state, nItem))
                return -1;
            const int nOld = state.nCurSel;
            state.nCurSel = nItem;
            EnsureVisible(hWnd, state, nItem);
            InvalidateRect(hWnd, nullptr, TRUE);
            return nOld;
        }
        case TCM_GETCURFOCUS:
            return state.nCurSel;
        case TCM_SETCURFOCUS:
            ChangeSelection(hWnd, nItem);
            return 0;
        case TCM_GETITEMRECT:
        {
            if (!IsValidItem(state, nItem) || lParam == 0)
                return FALSE;
            *reinterpret_cast<RECT*>(lParam) = Layout(hWnd, state).items[static_cast<size_t>(nItem)];
            return TRUE;
        }
        case TCM_HITTEST:
        {
            if (lParam == 0)
                return -1;
            auto& info = *reinterpret_cast<TCHITTESTINFO*>(lParam);
            return HitTest(hWnd, state, info.pt, &info.flags);
        }
        case TCM_ADJUSTRECT:
        {
            if (lParam == 0)
                return 0;
            auto& rc = *reinterpret_cast<RECT*>(lParam);
            const STabLayout layout = Layout(hWnd, state);
            const int nTop = kRowTop + layout.nRows * layout.nRowHeight + kDisplayMargin;
            const int nSign = wParam != 0 ? -1 : 1;
            rc.left += nSign * kDisplayMargin;
            rc.top += nSign * nTop;
            rc.right -= nSign * kDisplayMargin;
            rc.bottom -= nSign * kDisplayMargin;
            return 0;
        }
        case TCM_SETITEMSIZE:
        {
            const LRESULT nOld =
                MAKELPARAM(static_cast<WORD>(state.fixedSize.cx), static_cast<WORD>(RowHeight(state)));
            state.fixedSize.cx = static_cast<SHORT>(LOWORD(static_cast<ULONG_PTR>(lParam)));
            state.fixedSize.cy = static_cast<SHORT>(HIWORD(static_cast<ULONG_PTR>(lParam)));
            InvalidateRect(hWnd, nullptr, TRUE);
            return nOld;
        }
        case TCM_SETPADDING:
            state.padding.cx = static_cast<SHORT>(LOWORD(static_cast<ULONG_PTR>(lParam)));
            state.padding.cy = static_cast<SHORT>(HIWORD(static_cast<ULONG_PTR>(lParam)));
            InvalidateRect(hWnd, nullptr, TRUE);
            return 0;
        case TCM_GETROWCOUNT:
            return state.items.empty() ? 0 : Layout(hWnd, state).nRows;
        case WM_GETDLGCODE:
        {
            LRESULT nCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
            const auto* pMsg = reinterpret_cast<const MSG*>(lParam);
            if (pMsg != nullptr && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB &&
                (GetKeyState(VK_CONTROL) & 0x8000) != 0)
                nCode |= DLGC_WANTTAB;
            return nCode;
        }
        case WM_SETFONT:
            state.hFont = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(static_cast<ULONG_PTR>(lParam)) != 0)
                InvalidateRect(hWnd, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state.hFont);
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT:
        {
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(hWnd, &ps);
            PaintTabs(hWnd, hdc);
            EndPaint(hWnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintTabs(hWnd, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SIZE:
        case WM_STYLECHANGED:
            InvalidateRect(hWnd, nullptr, TRUE);
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnButtonDown(hWnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_LBUTTONUP:
            SendNotify(hWnd, static_cast<UINT>(NM_CLICK));
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(hWnd, static_cast<UINT>(wParam), lParam);
            return 0;
        default:
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
}

void RegisterTabClasses()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = TabProc;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = WC_TABCONTROLW;
    RegisterClassExW(&wc);
}

[[maybe_unused]] const bool s_bRegistered = AddBuiltInClassRegistrar(&RegisterTabClasses);

} // namespace

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_TABCONTROLW, nullptr, dwStyle, rect, pParentWnd, nID);
}

LONG CTabCtrl::InsertItem(int nItem, LPCWSTR lpszItem)
{
    return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0);
}

LONG CTabCtrl::InsertItem(int nItem, LPCWSTR lpszItem, int nImage)
{
    return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0);
}

LONG CTabCtrl::InsertItem(UINT nMask, int nItem, LPCWSTR lpszItem, int nImage, LPARAM lParam)
{
    TCITEMW item{};
    item.mask = nMask;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(nItem, &item);
}

CSize CTabCtrl::SetItemSize(CSize size)
{
    const auto nOld = static_cast<ULONG_PTR>(
        SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(static_cast<WORD>(size.cx), static_cast<WORD>(size.cy))));
    return CSize(LOWORD(nOld), HIWORD(nOld));
}
