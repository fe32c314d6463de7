#include "HostFrame.h"

IMPLEMENT_DYNAMIC(CHostFrame, CWnd)

BEGIN_MESSAGE_MAP(CHostFrame, CWnd)
ON_WM_CREATE()
ON_WM_ERASEBKGND()
ON_WM_CLOSE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

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
    if (!m_canvas.Create(this, rcClient, kCanvasId))
        return -1;
    m_pDockSite = std::make_unique<CXUIDockSite>(this);
    m_pDockSite->SetFreeAreaWindow(m_canvas.m_hWnd);
    return 0;
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
    ::PostQuitMessage(0);
}
