#include "MirnBitmapButton.h"

#include "Menu.h"
#include "Resources.h"
#include "XUIDPI.h"
#include "XUIDraw.h"
#include "XUIVisualManager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CMirnBitmapButton, CButton)
IMPLEMENT_DYNAMIC(CFlyoutBitmapButton, CMirnBitmapButton)

// ---------------------------------------------------------------------------
// CMirnBitmapButton

BEGIN_MESSAGE_MAP(CMirnBitmapButton, CButton)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CMirnBitmapButton::~CMirnBitmapButton()
{
    if (m_hWnd != nullptr && CWnd::FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    SetImage(nullptr);
}

BOOL CMirnBitmapButton::Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                               UINT nID)
{
    return CButton::Create(lpszCaption, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void CMirnBitmapButton::SetImage(HBITMAP hBitmap, bool bOwn)
{
    if (m_hImage != nullptr && m_bOwnImage && m_hImage != hBitmap)
        DeleteObject(m_hImage);
    m_hImage = hBitmap;
    m_bOwnImage = bOwn && hBitmap != nullptr;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

bool CMirnBitmapButton::SetImagePath(LPCWSTR pszPath)
{
    HBITMAP hBitmap = XUILoadDPIMatchedBitmap(pszPath);
    if (hBitmap == nullptr)
        return false;
    SetImage(hBitmap, true);
    return true;
}

bool CMirnBitmapButton::SetBitmapResource(UINT nBitmapId)
{
    const LPCWSTR pszName = MAKEINTRESOURCEW(nBitmapId);
    HBITMAP hBitmap = LoadBitmapW(AfxFindResourceHandle(pszName, RT_BITMAP), pszName);
    if (hBitmap == nullptr)
        return false;
    SetImage(hBitmap, true);
    return true;
}

void CMirnBitmapButton::SetBackgroundColor(COLORREF clrBackground)
{
    m_bCustomBackground = true;
    m_clrBackground = clrBackground;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CMirnBitmapButton::ClearBackgroundColor()
{
    m_bCustomBackground = false;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

COLORREF CMirnBitmapButton::GetBackgroundColor() const
{
    return m_bCustomBackground ? m_clrBackground : XUIGetThemeColor(XUI_COLOR_MATERIAL_BUTTON);
}

void CMirnBitmapButton::Paint(HDC hdc)
{
    CXUIVisualManager& manager = CXUIVisualManager::GetInstance();
    CRect rcClient;
    GetClientRect(&rcClient);
    const bool bEnabled = IsWindowEnabled() != FALSE;
    const UINT nState = GetState();
    const bool bLit = (nState & BST_PUSHED) != 0 || GetCheck() == BST_CHECKED;
    if (bLit && bEnabled)
    {
        XUIFillSolid(hdc, rcClient, manager.GetThemeColor(XUI_COLOR_MATERIAL_HIGHLIGHT));
        XUIFrame(hdc, rcClient, manager.GetThemeColor(XUI_COLOR_TAB_BORDER));
    }
    else
    {
        XUIFillSolid(hdc, rcClient, GetBackgroundColor());
    }
    if (m_hImage != nullptr)
    {
        XUIDrawBitmapCentred(hdc, m_hImage, rcClient, !bEnabled);
    }
    else
    {
        CString strText;
        GetWindowText(strText);
        if (!strText.IsEmpty())
        {
            const auto hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
            SelectObject(hdc, XUIControlFont(hFont));
            SetBkMode(hdc, TRANSPARENT);
            SetTextColor(hdc,
                         manager.GetThemeColor(bEnabled ? XUI_COLOR_PANE_TEXT : XUI_COLOR_TAB_TEXT_DISABLED));
            CRect rcText = rcClient;
            DrawTextW(hdc, strText, strText.GetLength(), &rcText, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        }
    }
    if (::GetFocus() == m_hWnd)
    {
        CRect rcFocus = rcClient;
        rcFocus.DeflateRect(1, 1);
        DrawFocusRect(hdc, &rcFocus);
    }
}

void CMirnBitmapButton::OnPaint()
{
    PaintWindow(m_hWnd, WM_PAINT, 0, [this](HDC hdc) { Paint(hdc); });
}

LRESULT CMirnBitmapButton::OnPrintClient(WPARAM wParam, LPARAM)
{
    PaintWindow(m_hWnd, WM_PRINTCLIENT, wParam, [this](HDC hdc) { Paint(hdc); });
    return 0;
}

BOOL CMirnBitmapButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// ---------------------------------------------------------------------------
// CFlyoutBitmapButton

BEGIN_MESSAGE_MAP(CFlyoutBitmapButton, CMirnBitmapButton)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CFlyoutBitmapButton::~CFlyoutBitmapButton()
{
    if (m_hWnd != nullptr && CWnd::FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    RemoveAllItems();
}

bool CFlyoutBitmapButton::AddItem(HBITMAP hBitmap, int nKind, LPCWSTR pszToolTip)
{
    if (nKind <= 0 || FindItem(nKind) != nullptr)
    {
        if (hBitmap != nullptr)
            DeleteObject(hBitmap);
        return false;
    }
    SItem item;
    item.hBitmap = hBitmap;
    item.nKind = nKind;
    item.strToolTip = pszToolTip != nullptr ? pszToolTip : L"";
    m_items.push_back(item);
    return true;
}

bool CFlyoutBitmapButton::AddItem(LPCWSTR pszImagePath, int nKind, LPCWSTR pszToolTip)
{
    HBITMAP hBitmap = XUILoadDPIMatchedBitmap(pszImagePath);
    if (hBitmap == nullptr)
        return false;
    return AddItem(hBitmap, nKind, pszToolTip);
}

void CFlyoutBitmapButton::RemoveAllItems()
{
    // The button may be showing one of these bitmaps.
    for (const SItem& item : m_items)
    {
        if (item.hBitmap != nullptr && item.hBitmap == GetImage())
            SetImage(nullptr);
    }
    for (SItem& item : m_items)
    {
        if (item.hBitmap != nullptr)
            DeleteObject(item.hBitmap);
    }
    m_items.clear();
    m_nSelectedKind = -1;
}

int CFlyoutBitmapButton::GetItemKind(int nIndex) const
{
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_items.size())
        return -1;
    return m_items[static_cast<size_t>(nIndex)].nKind;
}

CString CFlyoutBitmapButton::GetItemToolTip(int nKind) const
{
    const SItem* pItem = FindItem(nKind);
    return pItem != nullptr ? pItem->strToolTip : CString();
}

void CFlyoutBitmapButton::EnableItem(int nKind, bool bEnable)
{
    if (SItem* pItem = FindItem(nKind))
        pItem->bEnabled = bEnable;
}

bool CFlyoutBitmapButton::IsItemEnabled(int nKind) const
{
    const SItem* pItem = FindItem(nKind);
    return pItem != nullptr && pItem->bEnabled;
}

bool CFlyoutBitmapButton::SelectItem(int nKind)
{
    const SItem* pItem = FindItem(nKind);
    if (pItem == nullptr)
        return false;
    m_nSelectedKind = nKind;
    SetImage(pItem->hBitmap, false);
    return true;
}

int CFlyoutBitmapButton::ShowMenu()
{
    if (m_hWnd == nullptr || m_items.empty() || !IsWindowEnabled())
        return 0;
    HMENU hMenu = CreatePopupMenu();
    for (const SItem& item : m_items)
    {
        UINT nFlags = item.hBitmap != nullptr ? MF_BITMAP : MF_STRING;
        if (item.nKind == m_nSelectedKind)
            nFlags |= MF_CHECKED;
        if (!item.bEnabled)
            nFlags |= MF_GRAYED;
        const LPCWSTR pszContent = item.hBitmap != nullptr ? reinterpret_cast<LPCWSTR>(item.hBitmap)
                                                           : static_cast<LPCWSTR>(item.strToolTip);
        AppendMenuW(hMenu, nFlags, static_cast<UINT_PTR>(item.nKind), pszContent);
    }
    // Below the button, never over it.
    CRect rcButton;
    GetWindowRect(&rcButton);
    TPMPARAMS params{};
    params.cbSize = sizeof(params);
    params.rcExclude = rcButton;
    const int nChosen = static_cast<int>(TrackPopupMenuEx(
        hMenu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_LEFTBUTTON,
        rcButton.left, rcButton.bottom, m_hWnd, &params));
    DestroyMenu(hMenu);
    // The menu's loop may have outlived the window.
    if (nChosen <= 0 || m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return 0;
    if (nChosen == m_nSelectedKind || FindItem(nChosen) == nullptr)
        return nChosen;
    SelectItem(nChosen);
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent != nullptr)
    {
        ::SendMessageW(hParent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID()), BN_CLICKED),
                       reinterpret_cast<LPARAM>(m_hWnd));
    }
    return nChosen;
}

void CFlyoutBitmapButton::Paint(HDC hdc)
{
    CMirnBitmapButton::Paint(hdc);
    if (m_items.size() < 2)
        return;
    // The flyout mark: a small right-angled triangle in the bottom-right corner.
    CRect rcClient;
    GetClientRect(&rcClient);
    const COLORREF clrMark =
        XUIGetThemeColor(IsWindowEnabled() ? XUI_COLOR_GLYPH : XUI_COLOR_TAB_TEXT_DISABLED);
    const int nRight = rcClient.right - 2;
    const int nBottom = rcClient.bottom - 2;
    for (int k = 0; k < 4; ++k)
        XUIFillSolid(hdc, CRect(nRight - (3 - k), nBottom - k, nRight + 1, nBottom - k + 1), clrMark);
}

void CFlyoutBitmapButton::OnLButtonDown(UINT, CPoint)
{
    ShowMenu();
}

void CFlyoutBitmapButton::OnLButtonDblClk(UINT, CPoint)
{
    ShowMenu();
}

void CFlyoutBitmapButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE || nChar == VK_DOWN)
    {
        ShowMenu();
        return;
    }
    CMirnBitmapButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

CFlyoutBitmapButton::SItem* CFlyoutBitmapButton::FindItem(int nKind)
{
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [nKind](const SItem& item) { return item.nKind == nKind; });
    return it != m_items.end() ? &*it : nullptr;
}

const CFlyoutBitmapButton::SItem* CFlyoutBitmapButton::FindItem(int nKind) const
{
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [nKind](const SItem& item) { return item.nKind == nKind; });
    return it != m_items.end() ? &*it : nullptr;
}
