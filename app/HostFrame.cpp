#include "HostFrame.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CHostFrame, CWnd)

BEGIN_MESSAGE_MAP(CHostFrame, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_CLOSE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
// The canvas never gets narrower than this while a pane is docked.
constexpr int kMinCanvasWidth = 80;
} // namespace

CHostFrame::CHostFrame(CHostMaterials& materials) : m_canvas(materials) {}

CHostFrame::~CHostFrame()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CHostFrame::Create(const RECT& rect)
{
    LPCWSTR pszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
    return CWnd::CreateEx(0, pszClass, L"Materials", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rect.left,
                          rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr);
}

int CHostFrame::OnCreate(LPCREATESTRUCT)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    return m_canvas.Create(this, rcClient, kCanvasId) ? 0 : -1;
}

void CHostFrame::DockRight(CWnd* pPane, int nWidth)
{
    m_pPane = pPane;
    m_nPaneWidth = std::max(nWidth, 0);
    RecalcLayout();
}

void CHostFrame::RecalcLayout()
{
    if (m_hWnd == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    int nPaneWidth = 0;
    if (m_pPane != nullptr && ::IsWindow(m_pPane->m_hWnd))
    {
        nPaneWidth = std::clamp(m_nPaneWidth, 0, std::max(rcClient.Width() - kMinCanvasWidth, 0));
        m_pPane->SetWindowPos(nullptr, rcClient.right - nPaneWidth, 0, nPaneWidth, rcClient.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (m_canvas.m_hWnd != nullptr)
        m_canvas.SetWindowPos(nullptr, 0, 0, rcClient.Width() - nPaneWidth, rcClient.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHostFrame::OnSize(UINT, int, int)
{
    RecalcLayout();
}

BOOL CHostFrame::OnEraseBkgnd(CDC*)
{
    // The children cover the client area.
    return TRUE;
}

void CHostFrame::OnClose()
{
    DestroyWindow();
}

void CHostFrame::OnDestroy()
{
    m_pPane = nullptr;
    ::PostQuitMessage(0);
}
