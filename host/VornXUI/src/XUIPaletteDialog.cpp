#include "XUIPaletteDialog.h"

#include "Dc.h"
#include "Resources.h"

#include <algorithm>
#include <map>

IMPLEMENT_DYNAMIC(CXUIPaletteDialog, CDialog)
IMPLEMENT_DYNAMIC(CXUIPaneCaption, CWnd)

BEGIN_MESSAGE_MAP(CXUIPaletteDialog, CDialog)
ON_WM_DESTROY()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CXUIPaneCaption, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

CXUIPaletteDialog::CXUIPaletteDialog() = default;

CXUIPaletteDialog::~CXUIPaletteDialog()
{
    // The window goes first, while this object still answers its messages.
    if (m_hWnd != nullptr && CWnd::FromHandlePermanent(m_hWnd) == this)
    {
        DestroyWindow();
    }
    if (m_pDockSite != nullptr)
    {
        m_pDockSite->UndockPane(this);
    }
}

BOOL CXUIPaletteDialog::Create(LPCWSTR lpszCaption, CWnd* pParentWnd, BOOL bHasGripper,
                               LPCWSTR lpszTemplateName, UINT nStyle, UINT nID, DWORD dwTabbedStyle,
                               DWORD dwControlBarStyle)
{
    if (m_hWnd != nullptr || pParentWnd == nullptr || pParentWnd->GetSafeHwnd() == nullptr ||
        lpszTemplateName == nullptr)
    {
        return FALSE;
    }
    const SDialogTemplate* pFound = FindDialogTemplate(nullptr, lpszTemplateName);
    if (pFound == nullptr)
    {
        return FALSE;
    }
    // The pane is a control-like child whatever the template says, and stays
    // hidden until it is docked or shown.
    m_pTemplate = std::make_unique<SDialogTemplate>(*pFound);
    const DWORD dwWindowStyle = static_cast<DWORD>(nStyle) & ~static_cast<DWORD>(CBRS_ALL);
    m_pTemplate->dwStyle = (dwWindowStyle & ~static_cast<DWORD>(WS_VISIBLE)) | WS_CHILD | DS_CONTROL |
                           (pFound->dwStyle & DS_SETFONT);
    m_strCaption = lpszCaption != nullptr ? lpszCaption : L"";
    m_bHasGripper = bHasGripper;
    m_dwBarStyle = static_cast<DWORD>(nStyle) & static_cast<DWORD>(CBRS_ALL);
    m_dwTabbedStyle = dwTabbedStyle;
    m_dwControlBarStyle = dwControlBarStyle;

    const HINSTANCE hInstance = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    if (!CreateIndirect(m_pTemplate.get(), pParentWnd, hInstance))
    {
        m_pTemplate.reset();
        return FALSE;
    }
    SetDlgCtrlID(static_cast<int>(nID));
    SetWindowText(m_strCaption);
    return TRUE;
}

bool CXUIPaletteDialog::CanDockAt(DWORD dwAlignment) const
{
    return dwAlignment != 0 && (dwAlignment & ~m_dwEnabledAlignment & CBRS_ALIGN_ANY) == 0;
}

void CXUIPaletteDialog::ShowPane(BOOL bShow, BOOL, BOOL bActivate)
{
    if (m_hWnd == nullptr)
    {
        return;
    }
    ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    if (m_pDockSite != nullptr)
    {
        if (CXUIPaneCaption* pCaption = m_pDockSite->GetCaption(this))
        {
            pCaption->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
        }
        m_pDockSite->RecalcLayout();
    }
    if (bShow && bActivate)
    {
        SetFocus();
    }
}

BOOL CXUIPaletteDialog::IsPaneVisible() const
{
    return m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0 ? TRUE : FALSE;
}

void CXUIPaletteDialog::OnDestroy()
{
    if (m_pDockSite != nullptr)
    {
        m_pDockSite->UndockPane(this);
    }
    CDialog::OnDestroy();
}

BOOL CXUIPaneCaption::Create(CWnd* pParent)
{
    const LPCWSTR lpszClass = AfxRegisterWndClass(0, LoadCursorW(nullptr, IDC_ARROW));
    return CreateEx(0, lpszClass, m_pPane->GetCaption(), WS_CHILD | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0),
                    pParent, 0);
}

void CXUIPaneCaption::OnPaint()
{
    CPaintDC dc(this);
    if (dc.GetSafeHdc() == nullptr)
    {
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, kBackground);
    int nTextLeft = 4;
    if (m_pPane->HasGripper())
    {
        // Two columns of dots, the usual grip of a movable bar.
        for (int y = rc.top + 4; y + 2 <= rc.bottom - 3; y += 4)
        {
            dc.FillSolidRect(4, y, 2, 2, kGripper);
            dc.FillSolidRect(8, y, 2, 2, kGripper);
        }
        nTextLeft = 14;
    }
    CRect rcText(rc.left + nTextLeft, rc.top, rc.right - 4, rc.bottom);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kText);
    const CString& strCaption = m_pPane->GetCaption();
    dc.DrawTextW(strCaption, strCaption.GetLength(), &rcText,
                 DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

namespace
{
// Frames with a docking site, so that the frame procedure finds its site.
std::map<HWND, CXUIDockSite*>& DockSites()
{
    static std::map<HWND, CXUIDockSite*> sites;
    return sites;
}
} // namespace

CXUIDockSite::CXUIDockSite(CWnd* pFrame)
    : m_pFrame(pFrame), m_hFrame(pFrame != nullptr ? pFrame->GetSafeHwnd() : nullptr)
{
    if (m_hFrame == nullptr || DockSites().count(m_hFrame) != 0)
    {
        m_hFrame = nullptr;
        return;
    }
    DockSites()[m_hFrame] = this;
    m_pfnFrameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(m_hFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CXUIDockSite::FrameProc)));
    RecalcLayout();
}

CXUIDockSite::~CXUIDockSite()
{
    for (SDockedPane& docked : m_arrPanes)
    {
        docked.pPane->m_pDockSite = nullptr;
    }
    m_arrPanes.clear();
    if (m_hFrame != nullptr)
    {
        // Give the frame its procedure back unless someone hooked in after us.
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hFrame, GWLP_WNDPROC)) == &CXUIDockSite::FrameProc)
        {
            SetWindowLongPtrW(m_hFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnFrameProc));
        }
        DockSites().erase(m_hFrame);
    }
}

LRESULT CALLBACK CXUIDockSite::FrameProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    auto found = DockSites().find(hWnd);
    if (found == DockSites().end())
    {
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
    CXUIDockSite* pSite = found->second;
    const WNDPROC pfnNext = pSite->m_pfnFrameProc;
    if (nMessage == WM_NCDESTROY)
    {
        // The frame goes: the site stays an object without a frame.
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnNext));
        DockSites().erase(found);
        pSite->m_hFrame = nullptr;
        return CallWindowProcW(pfnNext, hWnd, nMessage, wParam, lParam);
    }
    const LRESULT nResult = CallWindowProcW(pfnNext, hWnd, nMessage, wParam, lParam);
    if (nMessage == WM_SIZE)
    {
        auto again = DockSites().find(hWnd);
        if (again != DockSites().end())
        {
            again->second->RecalcLayout();
        }
    }
    return nResult;
}

CXUIDockSite::SDockedPane* CXUIDockSite::Find(const CXUIPaletteDialog* pPane)
{
    auto found = std::find_if(m_arrPanes.begin(), m_arrPanes.end(),
                              [pPane](const SDockedPane& docked) { return docked.pPane == pPane; });
    return found != m_arrPanes.end() ? &*found : nullptr;
}

const CXUIDockSite::SDockedPane* CXUIDockSite::Find(const CXUIPaletteDialog* pPane) const
{
    return const_cast<CXUIDockSite*>(this)->Find(pPane);
}

bool CXUIDockSite::DockPane(CXUIPaletteDialog* pPane, DWORD dwAlignment, int nWidth)
{
    if (m_hFrame == nullptr || pPane == nullptr || pPane->GetSafeHwnd() == nullptr || nWidth < 0 ||
        (dwAlignment != static_cast<DWORD>(CBRS_ALIGN_LEFT) &&
         dwAlignment != static_cast<DWORD>(CBRS_ALIGN_RIGHT)) ||
        !pPane->CanDockAt(dwAlignment) || ::GetParent(pPane->GetSafeHwnd()) != m_hFrame)
    {
        return false;
    }
    if (pPane->m_pDockSite != nullptr && pPane->m_pDockSite != this)
    {
        pPane->m_pDockSite->UndockPane(pPane);
    }
    SDockedPane* pDocked = Find(pPane);
    if (pDocked == nullptr)
    {
        m_arrPanes.push_back({pPane, dwAlignment, nWidth, nullptr});
        pDocked = &m_arrPanes.back();
        if (pPane->HasGripper())
        {
            auto pCaption = std::make_unique<CXUIPaneCaption>(pPane);
            if (pCaption->Create(m_pFrame))
            {
                pDocked->pCaption = std::move(pCaption);
            }
        }
    }
    pDocked->dwAlignment = dwAlignment;
    pPane->m_pDockSite = this;
    pPane->OnAfterDock();
    pDocked->nWidth = std::max(nWidth, static_cast<int>(pPane->GetMinSize().cx));
    pPane->ShowPane(TRUE, FALSE, FALSE);
    return true;
}

void CXUIDockSite::UndockPane(CXUIPaletteDialog* pPane)
{
    auto found = std::find_if(m_arrPanes.begin(), m_arrPanes.end(),
                              [pPane](const SDockedPane& docked) { return docked.pPane == pPane; });
    if (found == m_arrPanes.end())
    {
        return;
    }
    pPane->m_pDockSite = nullptr;
    m_arrPanes.erase(found);
    if (pPane->GetSafeHwnd() != nullptr && (pPane->GetStyle() & WS_VISIBLE) != 0)
    {
        pPane->ShowWindow(SW_HIDE);
    }
    RecalcLayout();
}

bool CXUIDockSite::IsDocked(const CXUIPaletteDialog* pPane) const
{
    return Find(pPane) != nullptr;
}

void CXUIDockSite::SetPaneWidth(CXUIPaletteDialog* pPane, int nWidth)
{
    if (pPane != nullptr && nWidth >= 0)
        nWidth = std::max(nWidth, static_cast<int>(pPane->GetMinSize().cx));
    if (SDockedPane* pDocked = Find(pPane); pDocked != nullptr && nWidth >= 0 && pDocked->nWidth != nWidth)
    {
        pDocked->nWidth = nWidth;
        RecalcLayout();
    }
}

CXUIPaneCaption* CXUIDockSite::GetCaption(const CXUIPaletteDialog* pPane) const
{
    const SDockedPane* pDocked = Find(pPane);
    return pDocked != nullptr ? pDocked->pCaption.get() : nullptr;
}

void CXUIDockSite::RecalcLayout()
{
    if (m_hFrame == nullptr)
    {
        m_rcFree.SetRectEmpty();
        return;
    }
    CRect rcFree;
    ::GetClientRect(m_hFrame, &rcFree);
    for (SDockedPane& docked : m_arrPanes)
    {
        if (!docked.pPane->IsPaneVisible())
        {
            continue;
        }
        // A pane never takes more than what is left.
        const int nWidth = std::min(docked.nWidth, rcFree.Width());
        CRect rcPane = rcFree;
        if (docked.dwAlignment == static_cast<DWORD>(CBRS_ALIGN_LEFT))
        {
            rcPane.right = rcPane.left + nWidth;
            rcFree.left = rcPane.right;
        }
        else
        {
            rcPane.left = rcPane.right - nWidth;
            rcFree.right = rcPane.left;
        }
        if (docked.pCaption != nullptr)
        {
            const int nCaptionBottom = std::min(rcPane.top + CXUIPaneCaption::kHeight, rcPane.bottom);
            docked.pCaption->MoveWindow(rcPane.left, rcPane.top, rcPane.Width(), nCaptionBottom - rcPane.top);
            if ((docked.pCaption->GetStyle() & WS_VISIBLE) == 0)
            {
                docked.pCaption->ShowWindow(SW_SHOW);
            }
            rcPane.top = nCaptionBottom;
        }
        docked.pPane->MoveWindow(&rcPane);
    }
    m_rcFree = rcFree;
    if (m_hFreeWindow != nullptr && ::IsWindow(m_hFreeWindow))
        ::MoveWindow(m_hFreeWindow, rcFree.left, rcFree.top, rcFree.Width(), rcFree.Height(), TRUE);
}
