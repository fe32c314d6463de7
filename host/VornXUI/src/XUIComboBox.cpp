#include "XUIComboBox.h"

#include "XUIDPI.h"
#include "XUIDraw.h"
#include "XUIVisualManager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CXUIComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CXUIComboBox, CComboBox)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

namespace
{
// The face's border takes this much of the height the combo box sizes its
// field to.
constexpr int kFaceBorders = 6;

void FillTriangle(HDC hdc, const POINT (&points)[3], COLORREF clr)
{
    HBRUSH hBrush = CreateSolidBrush(clr);
    HPEN hPen = CreatePen(PS_SOLID, 1, clr);
    HGDIOBJ hOldBrush = SelectObject(hdc, hBrush);
    HGDIOBJ hOldPen = SelectObject(hdc, hPen);
    Polygon(hdc, points, 3);
    SelectObject(hdc, hOldBrush);
    SelectObject(hdc, hOldPen);
    DeleteObject(hBrush);
    DeleteObject(hPen);
}
} // namespace

BOOL CXUIComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle = (dwStyle & ~static_cast<DWORD>(CBS_DROPDOWNLIST)) | CBS_DROPDOWNLIST;
    return CComboBox::Create(dwStyle | WS_CHILD | WS_VSCROLL, rect, pParentWnd, nID);
}

void CXUIComboBox::SetFaceHeight(int nHeight)
{
    if (m_hWnd == nullptr)
        return;
    SetItemHeight(-1, static_cast<UINT>(std::clamp(nHeight, 8, 255 + kFaceBorders) - kFaceBorders));
}

int CXUIComboBox::GetFaceHeight() const
{
    if (m_hWnd == nullptr)
        return 0;
    CRect rc;
    GetWindowRect(&rc);
    return rc.Height();
}

int CXUIComboBox::AddItems(const LPCWSTR* ppszItems, int nCount)
{
    if (m_hWnd == nullptr || ppszItems == nullptr)
        return 0;
    int nAdded = 0;
    for (int i = 0; i < nCount; ++i)
    {
        if (ppszItems[i] != nullptr && AddString(ppszItems[i]) >= 0)
            ++nAdded;
    }
    return nAdded;
}

CString CXUIComboBox::GetSelectedText() const
{
    CString strText;
    if (m_hWnd == nullptr)
        return strText;
    const int nSelected = GetCurSel();
    if (nSelected >= 0)
        GetLBText(nSelected, strText);
    return strText;
}

CRect CXUIComboBox::GetButtonRect() const
{
    if (m_hWnd == nullptr)
        return CRect();
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nWidth = std::min(XUIScale(16), rcClient.Width());
    return CRect(rcClient.right - nWidth, rcClient.top, rcClient.right, rcClient.bottom);
}

void CXUIComboBox::Paint(HDC hdc)
{
    const CXUIVisualManager& manager = CXUIVisualManager::GetInstance();
    CRect rcClient;
    GetClientRect(&rcClient);
    const bool bEnabled = IsWindowEnabled() != FALSE;
    const bool bOpen = GetDroppedState() != FALSE;
    int nFace = XUI_COLOR_PANE_BACKGROUND;
    if (bEnabled)
        nFace = bOpen ? XUI_COLOR_TAB_CHECKED : (m_bHot ? XUI_COLOR_TAB_HOT : XUI_COLOR_TAB_NORMAL);
    XUIFillSolid(hdc, rcClient, manager.GetThemeColor(nFace));
    XUIFrame(hdc, rcClient, manager.GetThemeColor(XUI_COLOR_TAB_BORDER));

    // The arrow: a triangle pointing down, centred in the button.
    const CRect rcButton = GetButtonRect();
    const int nHalf = std::max(2, std::min(rcButton.Width(), rcButton.Height()) / 4);
    const CPoint ptCentre = rcButton.CenterPoint();
    const POINT arrow[3] = {{ptCentre.x - nHalf, ptCentre.y - nHalf / 2},
                            {ptCentre.x + nHalf, ptCentre.y - nHalf / 2},
                            {ptCentre.x, ptCentre.y + nHalf / 2}};
    const COLORREF clrInk = manager.GetThemeColor(bEnabled ? XUI_COLOR_GLYPH : XUI_COLOR_TAB_TEXT_DISABLED);
    FillTriangle(hdc, arrow, clrInk);

    CRect rcText(rcClient.left + XUIScale(4), rcClient.top + 1, rcButton.left - 1, rcClient.bottom - 1);
    const CString strText = GetSelectedText();
    if (!strText.IsEmpty() && !rcText.IsRectEmpty())
    {
        SelectObject(hdc, XUIControlFont(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT))));
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, manager.GetThemeColor(bEnabled ? XUI_COLOR_TAB_TEXT : XUI_COLOR_TAB_TEXT_DISABLED));
        DrawTextW(hdc, strText, strText.GetLength(), &rcText,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (::GetFocus() == m_hWnd && !bOpen)
    {
        CRect rcFocus(rcClient.left + 2, rcClient.top + 2, rcButton.left - 1, rcClient.bottom - 2);
        if (!rcFocus.IsRectEmpty())
            DrawFocusRect(hdc, &rcFocus);
    }
}

void CXUIComboBox::OnPaint()
{
    PaintWindow(m_hWnd, WM_PAINT, 0, [this](HDC hdc) { Paint(hdc); });
}

LRESULT CXUIComboBox::OnPrintClient(WPARAM wParam, LPARAM)
{
    PaintWindow(m_hWnd, WM_PRINTCLIENT, wParam, [this](HDC hdc) { Paint(hdc); });
    return 0;
}

BOOL CXUIComboBox::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXUIComboBox::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bHot)
    {
        m_bHot = true;
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        _TrackMouseEvent(&tme);
        Invalidate(FALSE);
    }
    CComboBox::OnMouseMove(nFlags, point);
}

void CXUIComboBox::OnMouseLeave()
{
    if (m_bHot)
    {
        m_bHot = false;
        Invalidate(FALSE);
    }
    CComboBox::OnMouseLeave();
}
