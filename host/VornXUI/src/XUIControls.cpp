#include "XUIControls.h"

#include "XUIDPI.h"
#include "XUIDraw.h"
#include "XUIVisualManager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CXUIRectTabCtrl, CTabCtrl)
IMPLEMENT_DYNAMIC(CXUICheckBoxButton, CButton)
IMPLEMENT_DYNAMIC(CXMFCButton, CButton)

namespace
{
void DrawLabel(HDC hdc, HWND hWnd, const CString& strText, RECT rc, COLORREF clrText, UINT nFormat)
{
    if (strText.IsEmpty())
        return;
    const auto hFont = reinterpret_cast<HFONT>(SendMessageW(hWnd, WM_GETFONT, 0, 0));
    SelectObject(hdc, XUIControlFont(hFont));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, clrText);
    DrawTextW(hdc, strText, strText.GetLength(), &rc, nFormat);
}

void TrackLeave(HWND hWnd)
{
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = hWnd;
    _TrackMouseEvent(&tme);
}
} // namespace

// ---------------------------------------------------------------------------
// CXUIRectTabCtrl

BEGIN_MESSAGE_MAP(CXUIRectTabCtrl, CTabCtrl)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_SIZE()
ON_MESSAGE(TCM_SETCURSEL, OnSetCurSelMessage)
ON_MESSAGE(TCM_SETITEMW, OnSetItemMessage)
END_MESSAGE_MAP()

BOOL CXUIRectTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CTabCtrl::Create(dwStyle | WS_CHILD | WS_CLIPSIBLINGS, rect, pParentWnd, nID);
}

int CXUIRectTabCtrl::AddTab(LPCWSTR pszLabel, int nImage, LPCWSTR pszToolTip, CWnd* pPage)
{
    if (m_hWnd == nullptr)
        return -1;
    STab tab;
    tab.strLabel = pszLabel != nullptr ? pszLabel : L"";
    tab.strToolTip = pszToolTip != nullptr ? CString(pszToolTip) : tab.strLabel;
    tab.pPage = pPage;
    const int nIndex = GetItemCount();
    if (InsertItem(TCIF_TEXT | TCIF_IMAGE, nIndex, tab.strLabel, nImage, 0) != nIndex)
        return -1;
    m_tabs.insert(m_tabs.begin() + std::min<size_t>(static_cast<size_t>(nIndex), m_tabs.size()), tab);

    if (m_wndToolTip.m_hWnd == nullptr)
        m_wndToolTip.Create(this);
    if (m_wndToolTip.m_hWnd != nullptr && !tab.strToolTip.IsEmpty())
    {
        CRect rc;
        GetItemRect(nIndex, &rc);
        m_wndToolTip.AddTool(this, tab.strToolTip, &rc, static_cast<UINT_PTR>(nIndex) + 1);
    }
    UpdateToolRects();
    SyncPages();
    Invalidate();
    return nIndex;
}

CString CXUIRectTabCtrl::GetTabToolTip(int nTab) const
{
    if (nTab < 0 || static_cast<size_t>(nTab) >= m_tabs.size())
        return CString();
    return m_tabs[static_cast<size_t>(nTab)].strToolTip;
}

void CXUIRectTabCtrl::SetTabToolTip(int nTab, LPCWSTR pszToolTip)
{
    if (nTab < 0 || static_cast<size_t>(nTab) >= m_tabs.size() || m_wndToolTip.m_hWnd == nullptr)
        return;
    STab& tab = m_tabs[static_cast<size_t>(nTab)];
    const CString strNew = pszToolTip != nullptr ? pszToolTip : L"";
    if (strNew == tab.strToolTip)
        return;
    const bool bHadTool = !tab.strToolTip.IsEmpty();
    tab.strToolTip = strNew;
    const UINT_PTR nTool = static_cast<UINT_PTR>(nTab) + 1;
    if (strNew.IsEmpty())
    {
        m_wndToolTip.DelTool(this, nTool);
    }
    else if (bHadTool)
    {
        m_wndToolTip.UpdateTipText(strNew, this, nTool);
    }
    else
    {
        CRect rc;
        GetItemRect(nTab, &rc);
        m_wndToolTip.AddTool(this, strNew, &rc, nTool);
    }
}

CWnd* CXUIRectTabCtrl::GetTabPage(int nTab) const
{
    if (nTab < 0 || static_cast<size_t>(nTab) >= m_tabs.size())
        return nullptr;
    return m_tabs[static_cast<size_t>(nTab)].pPage;
}

bool CXUIRectTabCtrl::SetActiveTab(int nTab)
{
    if (m_hWnd == nullptr || nTab < 0 || nTab >= GetItemCount())
        return false;
    SetCurSel(nTab);
    return true;
}

int CXUIRectTabCtrl::HitTestTab(CPoint pt) const
{
    TCHITTESTINFO info{};
    info.pt = pt;
    return HitTest(&info);
}

void CXUIRectTabCtrl::SyncPages()
{
    const int nSelected = GetCurSel();
    for (size_t i = 0; i < m_tabs.size(); ++i)
    {
        CWnd* pPage = m_tabs[i].pPage;
        if (pPage == nullptr || pPage->GetSafeHwnd() == nullptr)
            continue;
        // The selected page last, so a page shared by two tabs stays shown.
        if (static_cast<int>(i) != nSelected)
            pPage->ShowWindow(SW_HIDE);
    }
    if (CWnd* pPage = GetTabPage(nSelected); pPage != nullptr && pPage->GetSafeHwnd() != nullptr)
        pPage->ShowWindow(SW_SHOW);
}

void CXUIRectTabCtrl::UpdateToolRects()
{
    if (m_wndToolTip.m_hWnd == nullptr)
        return;
    for (size_t i = 0; i < m_tabs.size(); ++i)
    {
        if (m_tabs[i].strToolTip.IsEmpty())
            continue;
        CRect rc;
        GetItemRect(static_cast<int>(i), &rc);
        m_wndToolTip.SetToolRect(this, i + 1, &rc);
    }
}

void CXUIRectTabCtrl::Paint(HDC hdc)
{
    CXUIVisualManager& manager = CXUIVisualManager::GetInstance();
    CRect rcClient;
    GetClientRect(&rcClient);
    XUIFillSolid(hdc, rcClient, manager.GetThemeColor(XUI_COLOR_PANE_BACKGROUND));

    const int nCount = GetItemCount();
    const int nSelected = GetCurSel();
    const bool bEnabled = IsWindowEnabled() != FALSE;
    int nRowBottom = 0;
    for (int i = 0; i < nCount; ++i)
    {
        CRect rc;
        if (GetItemRect(i, &rc))
            nRowBottom = std::max(nRowBottom, static_cast<int>(rc.bottom));
    }
    // The body under the row of tabs.
    const COLORREF clrBorder = manager.GetThemeColor(XUI_COLOR_TAB_BORDER);
    if (nCount > 0 && nRowBottom < rcClient.bottom)
    {
        XUIFrame(hdc, CRect(rcClient.left, nRowBottom - 1, rcClient.right, rcClient.bottom), clrBorder);
    }

    CImageList* pImages = GetImageList();
    for (int i = 0; i < nCount; ++i)
    {
        CRect rc;
        if (!GetItemRect(i, &rc))
            continue;
        const bool bSelected = i == nSelected;
        int nFill = XUI_COLOR_TAB_NORMAL;
        if (bSelected)
            nFill = XUI_COLOR_TAB_CHECKED;
        else if (i == m_nHotTab && bEnabled)
            nFill = XUI_COLOR_TAB_HOT;
        XUIFillSolid(hdc, rc, manager.GetThemeColor(nFill));
        XUIFrame(hdc, rc, clrBorder);
        if (bSelected)
        {
            // The selected tab opens into the body.
            XUIFillSolid(hdc, CRect(rc.left + 1, rc.bottom - 1, rc.right - 1, rc.bottom),
                         manager.GetThemeColor(XUI_COLOR_TAB_CHECKED));
        }

        TCITEMW item{};
        item.mask = TCIF_IMAGE;
        GetItem(i, &item);
        CRect rcContent = rc;
        rcContent.DeflateRect(3, 2);
        const CString strLabel =
            static_cast<size_t>(i) < m_tabs.size() ? m_tabs[static_cast<size_t>(i)].strLabel : CString();
        if (pImages != nullptr && item.iImage >= 0 && item.iImage < pImages->GetImageCount())
        {
            int cx = 0;
            int cy = 0;
            ImageList_GetIconSize(pImages->GetSafeHandle(), &cx, &cy);
            const int x = strLabel.IsEmpty() ? rcContent.left + (rcContent.Width() - cx) / 2 : rcContent.left;
            const int y = rcContent.top + (rcContent.Height() - cy) / 2;
            ImageList_Draw(pImages->GetSafeHandle(), item.iImage, hdc, x, y, ILD_TRANSPARENT);
            rcContent.left = x + cx + 3;
        }
        int nText = bSelected ? XUI_COLOR_TAB_TEXT_CHECKED : XUI_COLOR_TAB_TEXT;
        if (!bEnabled)
            nText = XUI_COLOR_TAB_TEXT_DISABLED;
        DrawLabel(hdc, m_hWnd, strLabel, rcContent, manager.GetThemeColor(nText),
                  DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        if (bSelected && ::GetFocus() == m_hWnd)
        {
            CRect rcFocus = rc;
            rcFocus.DeflateRect(2, 2);
            DrawFocusRect(hdc, &rcFocus);
        }
    }
}

void CXUIRectTabCtrl::OnPaint()
{
    PaintWindow(m_hWnd, WM_PAINT, 0, [this](HDC hdc) { Paint(hdc); });
}

LRESULT CXUIRectTabCtrl::OnPrintClient(WPARAM wParam, LPARAM)
{
    PaintWindow(m_hWnd, WM_PRINTCLIENT, wParam, [this](HDC hdc) { Paint(hdc); });
    return 0;
}

BOOL CXUIRectTabCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE; // the paint routine covers everything
}

void CXUIRectTabCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CTabCtrl::OnLButtonDown(nFlags, point);
    SyncPages();
}

void CXUIRectTabCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CTabCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
    SyncPages();
}

void CXUIRectTabCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    const int nHot = HitTestTab(point);
    if (nHot != m_nHotTab)
    {
        m_nHotTab = nHot;
        Invalidate(FALSE);
    }
    if (!m_bTracking)
    {
        TrackLeave(m_hWnd);
        m_bTracking = true;
    }
    CTabCtrl::OnMouseMove(nFlags, point);
}

void CXUIRectTabCtrl::OnMouseLeave()
{
    m_bTracking = false;
    if (m_nHotTab != -1)
    {
        m_nHotTab = -1;
        Invalidate(FALSE);
    }
    CTabCtrl::OnMouseLeave();
}

void CXUIRectTabCtrl::OnSize(UINT nType, int cx, int cy)
{
    CTabCtrl::OnSize(nType, cx, cy);
    UpdateToolRects();
}

LRESULT CXUIRectTabCtrl::OnSetCurSelMessage(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    SyncPages();
    UpdateToolRects();
    return lResult;
}

LRESULT CXUIRectTabCtrl::OnSetItemMessage(WPARAM wParam, LPARAM lParam)
{
    // A label changed through the tab control itself is the tab's label too.
    const LRESULT lResult = Default();
    const auto* pItem = reinterpret_cast<const TCITEMW*>(lParam);
    const auto nTab = static_cast<size_t>(wParam);
    if (lResult != 0 && pItem != nullptr && (pItem->mask & TCIF_TEXT) != 0 && nTab < m_tabs.size())
        m_tabs[nTab].strLabel = pItem->pszText != nullptr ? pItem->pszText : L"";
    UpdateToolRects();
    return lResult;
}

BOOL CXUIRectTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The parent hears TCN_SELCHANGE after the new page is up.
    if (message == WM_NOTIFY && lParam != 0 && reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE)
        SyncPages();
    return CTabCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------------------
// CXUICheckBoxButton

BEGIN_MESSAGE_MAP(CXUICheckBoxButton, CButton)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CXUICheckBoxButton::Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                                UINT nID)
{
    const DWORD dwType = dwStyle & BS_TYPEMASK;
    const bool bCheckType =
        dwType == BS_CHECKBOX || dwType == BS_AUTOCHECKBOX || dwType == BS_3STATE || dwType == BS_AUTO3STATE;
    if (!bCheckType)
        dwStyle = (dwStyle & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_AUTOCHECKBOX;
    return CButton::Create(lpszCaption, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

int CXUICheckBoxButton::BoxSize()
{
    return XUIScale(13);
}

CRect CXUICheckBoxButton::GetBoxRect() const
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nBox = BoxSize();
    const int nTop = rcClient.top + (rcClient.Height() - nBox) / 2;
    return CRect(rcClient.left, nTop, rcClient.left + nBox, nTop + nBox);
}

void CXUICheckBoxButton::Paint(HDC hdc)
{
    CXUIVisualManager& manager = CXUIVisualManager::GetInstance();
    CRect rcClient;
    GetClientRect(&rcClient);
    XUIFillSolid(hdc, rcClient, manager.GetThemeColor(XUI_COLOR_PANE_BACKGROUND));

    const bool bEnabled = IsWindowEnabled() != FALSE;
    const COLORREF clrInk =
        manager.GetThemeColor(bEnabled ? XUI_COLOR_PANE_TEXT : XUI_COLOR_TAB_TEXT_DISABLED);
    const CRect rcBox = GetBoxRect();
    const bool bPushed = (GetState() & BST_PUSHED) != 0;
    XUIFillSolid(hdc, rcBox, manager.GetThemeColor(bPushed ? XUI_COLOR_TAB_HOT : XUI_COLOR_TAB_CHECKED));
    XUIFrame(hdc, rcBox, manager.GetThemeColor(XUI_COLOR_TAB_BORDER));

    const int nCheck = GetCheck();
    if (nCheck == BST_CHECKED)
    {
        // A tick through three points of the box, two pixels thick.
        const int w = rcBox.Width();
        const POINT points[] = {
            {rcBox.left + w * 3 / 13, rcBox.top + w * 6 / 13},
            {rcBox.left + w * 5 / 13, rcBox.top + w * 9 / 13},
            {rcBox.left + w * 10 / 13, rcBox.top + w * 3 / 13},
        };
        HPEN hPen = CreatePen(PS_SOLID, std::max(2, XUIScale(2)), clrInk);
        HGDIOBJ hOld = SelectObject(hdc, hPen);
        Polyline(hdc, points, 3);
        SelectObject(hdc, hOld);
        DeleteObject(hPen);
    }
    else if (nCheck == BST_INDETERMINATE)
    {
        CRect rcMark = rcBox;
        rcMark.DeflateRect(rcBox.Width() / 4, rcBox.Height() / 4);
        XUIFillSolid(hdc, rcMark, clrInk);
    }

    CString strText;
    GetWindowText(strText);
    CRect rcText = rcClient;
    rcText.left = rcBox.right + XUIScale(5);
    DrawLabel(hdc, m_hWnd, strText, rcText, clrInk, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
    if (::GetFocus() == m_hWnd)
    {
        CRect rcFocus = rcClient;
        rcFocus.left = rcBox.right + XUIScale(3);
        DrawFocusRect(hdc, &rcFocus);
    }
}

void CXUICheckBoxButton::OnPaint()
{
    PaintWindow(m_hWnd, WM_PAINT, 0, [this](HDC hdc) { Paint(hdc); });
}

LRESULT CXUICheckBoxButton::OnPrintClient(WPARAM wParam, LPARAM)
{
    PaintWindow(m_hWnd, WM_PRINTCLIENT, wParam, [this](HDC hdc) { Paint(hdc); });
    return 0;
}

BOOL CXUICheckBoxButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// ---------------------------------------------------------------------------
// CXMFCButton

BEGIN_MESSAGE_MAP(CXMFCButton, CButton)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CXMFCButton::~CXMFCButton()
{
    if (m_hImage != nullptr)
        DeleteObject(m_hImage);
}

BOOL CXMFCButton::Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle = (dwStyle & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_PUSHBUTTON;
    return CButton::Create(lpszCaption, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

bool CXMFCButton::SetImagePath(LPCWSTR pszPath)
{
    HBITMAP hImage = XUILoadDPIMatchedBitmap(pszPath);
    if (m_hImage != nullptr)
        DeleteObject(m_hImage);
    m_hImage = hImage;
    m_strImagePath = hImage != nullptr && pszPath != nullptr ? pszPath : L"";
    if (m_hWnd != nullptr)
        Invalidate();
    return hImage != nullptr;
}

CSize CXMFCButton::IconSize() const
{
    if (m_nIconDimension > 0)
        return CSize(XUIScale(m_nIconDimension), XUIScale(m_nIconDimension));
    const SIZE size = XUIBitmapSize(m_hImage);
    return CSize(size.cx, size.cy);
}

void CXMFCButton::SetIconDimension(int nDimension)
{
    nDimension = std::max(nDimension, 0);
    if (nDimension == m_nIconDimension)
        return;
    m_nIconDimension = nDimension;
    if (m_hWnd != nullptr)
    {
        SizeToContent();
        Invalidate();
    }
}

CRect CXMFCButton::GetIconRect() const
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const CSize size = IconSize();
    const int x = rcClient.left + (rcClient.Width() - size.cx) / 2;
    const int y = rcClient.top + (rcClient.Height() - size.cy) / 2;
    return CRect(x, y, x + size.cx, y + size.cy);
}

void CXMFCButton::SizeToContent()
{
    if (m_hWnd == nullptr)
        return;
    const CSize size = IconSize();
    const int nMargin = XUIScale(kMargin);
    SetWindowPos(nullptr, 0, 0, size.cx + 2 * nMargin, size.cy + 2 * nMargin,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CXMFCButton::SetTooltip(LPCWSTR pszText)
{
    const CString strNew = pszText != nullptr ? pszText : L"";
    if (m_hWnd == nullptr || strNew == m_strTooltip)
        return;
    if (m_wndToolTip.m_hWnd == nullptr)
        m_wndToolTip.Create(this);
    if (m_wndToolTip.m_hWnd == nullptr)
        return;
    if (m_strTooltip.IsEmpty())
        m_wndToolTip.AddTool(this, strNew);
    else if (strNew.IsEmpty())
        m_wndToolTip.DelTool(this);
    else
        m_wndToolTip.UpdateTipText(strNew, this);
    m_strTooltip = strNew;
}

void CXMFCButton::Paint(HDC hdc)
{
    CXUIVisualManager& manager = CXUIVisualManager::GetInstance();
    CRect rcClient;
    GetClientRect(&rcClient);
    const bool bEnabled = IsWindowEnabled() != FALSE;
    const bool bPushed = (GetState() & BST_PUSHED) != 0;
    int nFill = XUI_COLOR_PANE_BACKGROUND;
    if (bEnabled && bPushed)
        nFill = XUI_COLOR_TAB_CHECKED;
    else if (bEnabled && m_bHot)
        nFill = XUI_COLOR_TAB_HOT;
    XUIFillSolid(hdc, rcClient, manager.GetThemeColor(nFill));
    if (nFill != XUI_COLOR_PANE_BACKGROUND)
        XUIFrame(hdc, rcClient, manager.GetThemeColor(XUI_COLOR_TAB_BORDER));

    if (m_hImage != nullptr)
    {
        XUIDrawBitmapStretched(hdc, m_hImage, GetIconRect(), !bEnabled);
    }
    else
    {
        CString strText;
        GetWindowText(strText);
        DrawLabel(hdc, m_hWnd, strText, rcClient,
                  manager.GetThemeColor(bEnabled ? XUI_COLOR_PANE_TEXT : XUI_COLOR_TAB_TEXT_DISABLED),
                  DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS);
    }
    if (::GetFocus() == m_hWnd)
    {
        CRect rcFocus = rcClient;
        rcFocus.DeflateRect(1, 1);
        DrawFocusRect(hdc, &rcFocus);
    }
}

void CXMFCButton::OnPaint()
{
    PaintWindow(m_hWnd, WM_PAINT, 0, [this](HDC hdc) { Paint(hdc); });
}

LRESULT CXMFCButton::OnPrintClient(WPARAM wParam, LPARAM)
{
    PaintWindow(m_hWnd, WM_PRINTCLIENT, wParam, [this](HDC hdc) { Paint(hdc); });
    return 0;
}

BOOL CXMFCButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXMFCButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bHot)
    {
        m_bHot = true;
        TrackLeave(m_hWnd);
        Invalidate(FALSE);
    }
    CButton::OnMouseMove(nFlags, point);
}

void CXMFCButton::OnMouseLeave()
{
    if (m_bHot)
    {
        m_bHot = false;
        Invalidate(FALSE);
    }
    CButton::OnMouseLeave();
}
