#include "MaterialWnd.h"

#include "Dc.h"
#include "DebugOutput.h"
#include "XUIDraw.h"
#include "XUIVisualManager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CMaterialWnd, CWnd)

BEGIN_MESSAGE_MAP(CMaterialWnd, CWnd)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
ON_WM_KEYDOWN()
ON_WM_SIZE()
ON_WM_ENABLE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
// The sign of a switched-off well: a red stroke from corner to corner.
constexpr COLORREF kOffStroke = RGB(220, 0, 0);
} // namespace

CMaterialWnd::~CMaterialWnd()
{
    if (m_hWnd != nullptr && CWnd::FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    DropRendering();
    if (m_pMaterial != nullptr)
    {
        m_pMaterial->Release();
        m_pMaterial = nullptr;
    }
}

LPCWSTR CMaterialWnd::GetWindowClassName()
{
    static const bool s_bRegistered = []
    {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"VornMaterialWnd";
        return RegisterClassExW(&wc) != 0;
    }();
    return s_bRegistered ? L"VornMaterialWnd" : nullptr;
}

BOOL CMaterialWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    LPCWSTR pszClass = GetWindowClassName();
    if (pszClass == nullptr || pParentWnd == nullptr)
        return FALSE;
    return CWnd::Create(pszClass, L"", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void CMaterialWnd::SetRenderEngine(CMGLMGDIRenderEngine* pEngine)
{
    if (pEngine == m_pEngine)
        return;
    m_pEngine = pEngine;
    DropRendering();
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CMaterialWnd::SetSolidColor(COLORREF clrColor)
{
    if (clrColor == m_clrColor && !m_bShowMaterial)
        return;
    m_clrColor = clrColor;
    m_bShowMaterial = false;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CMaterialWnd::SetMaterial(IMGLMaterial* pMaterial)
{
    if (pMaterial != m_pMaterial)
    {
        if (pMaterial != nullptr)
            pMaterial->AddRef();
        if (m_pMaterial != nullptr)
            m_pMaterial->Release();
        m_pMaterial = pMaterial;
    }
    // Even the same object may have changed since it was rendered.
    DropRendering();
    m_bShowMaterial = pMaterial != nullptr;
    if (pMaterial != nullptr && pMaterial->GetStyle() == 1)
        m_clrColor = pMaterial->GetSolidColor();
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CMaterialWnd::GetMaterial(IMGLMaterial** ppMaterial) const
{
    if (ppMaterial == nullptr)
        return;
    *ppMaterial = m_pMaterial;
    if (m_pMaterial != nullptr)
        m_pMaterial->AddRef();
}

CRect CMaterialWnd::GetWellRect() const
{
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(1, 1);
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    return rc;
}

void CMaterialWnd::DropRendering()
{
    if (m_hRendering != nullptr)
    {
        DeleteObject(m_hRendering);
        m_hRendering = nullptr;
    }
    m_renderingSize = CSize(0, 0);
    m_bRenderingFailed = false;
}

bool CMaterialWnd::EnsureRendering(const CRect& rcWell)
{
    const CSize size(rcWell.Width(), rcWell.Height());
    if (m_hRendering != nullptr && size == m_renderingSize)
        return true;
    if (m_bRenderingFailed && size == m_renderingSize)
        return false;
    DropRendering();
    m_renderingSize = size;
    if (m_pEngine == nullptr || m_pMaterial == nullptr || size.cx <= 0 || size.cy <= 0)
    {
        m_bRenderingFailed = true;
        return false;
    }
    HBITMAP hBitmap = CreateCompatibleBitmap(nullptr, size.cx, size.cy);
    HDC hdcMemory = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdcMemory, hBitmap);
    const RECT rcAll{0, 0, size.cx, size.cy};
    XUIFillSolid(hdcMemory, rcAll, XUIGetThemeColor(XUI_COLOR_MATERIAL_BACKGROUND));
    CErrorAutoThrow error;
    {
        CDC dc;
        dc.Attach(hdcMemory);
        m_pEngine->RenderMaterial(error, m_pMaterial, dc, rcAll);
        dc.Detach();
    }
    ++m_nRenderCount;
    SelectObject(hdcMemory, hOld);
    DeleteDC(hdcMemory);
    if (error.IsError())
    {
        // The engine's failure leaves the well empty rather than half drawn.
        CString strLine;
        strLine.Format(L"[VornControls] the material well could not render its material (%d)\n",
                       static_cast<int>(error.GetError()));
        OutputDebugStringW(strLine);
        DeleteObject(hBitmap);
        m_bRenderingFailed = true;
        return false;
    }
    m_hRendering = hBitmap;
    return true;
}

void CMaterialWnd::Paint(HDC hdc)
{
    CXUIVisualManager& manager = CXUIVisualManager::GetInstance();
    CRect rcClient;
    GetClientRect(&rcClient);
    XUIFrame(hdc, rcClient, manager.GetThemeColor(XUI_COLOR_MATERIAL_FRAME));
    const CRect rcWell = GetWellRect();
    if (rcWell.IsRectEmpty())
        return;

    if (!IsWindowEnabled())
    {
        XUIFillSolid(hdc, rcWell, manager.GetThemeColor(XUI_COLOR_MATERIAL_BACKGROUND));
        HPEN hPen = CreatePen(PS_SOLID, 2, kOffStroke);
        HGDIOBJ hOld = SelectObject(hdc, hPen);
        const int nSaved = SaveDC(hdc);
        IntersectClipRect(hdc, rcWell.left, rcWell.top, rcWell.right, rcWell.bottom);
        MoveToEx(hdc, rcWell.left, rcWell.bottom - 1, nullptr);
        LineTo(hdc, rcWell.right - 1, rcWell.top);
        RestoreDC(hdc, nSaved);
        SelectObject(hdc, hOld);
        DeleteObject(hPen);
    }
    else if (IsShowingMaterial() && EnsureRendering(rcWell))
    {
        HDC hdcMemory = CreateCompatibleDC(hdc);
        HGDIOBJ hOld = SelectObject(hdcMemory, m_hRendering);
        BitBlt(hdc, rcWell.left, rcWell.top, rcWell.Width(), rcWell.Height(), hdcMemory, 0, 0, SRCCOPY);
        SelectObject(hdcMemory, hOld);
        DeleteDC(hdcMemory);
    }
    else if (IsShowingMaterial() && m_pMaterial->GetStyle() != 1)
    {
        // Nothing can draw this material: the empty well.
        XUIFillSolid(hdc, rcWell, manager.GetThemeColor(XUI_COLOR_MATERIAL_BACKGROUND));
    }
    else
    {
        XUIFillSolid(hdc, rcWell, m_clrColor);
    }

    if (::GetFocus() == m_hWnd)
    {
        CRect rcFocus = rcWell;
        rcFocus.DeflateRect(1, 1);
        DrawFocusRect(hdc, &rcFocus);
    }
}

void CMaterialWnd::OnPaint()
{
    PaintWindow(m_hWnd, WM_PAINT, 0, [this](HDC hdc) { Paint(hdc); });
}

LRESULT CMaterialWnd::OnPrintClient(WPARAM wParam, LPARAM)
{
    PaintWindow(m_hWnd, WM_PRINTCLIENT, wParam, [this](HDC hdc) { Paint(hdc); });
    return 0;
}

BOOL CMaterialWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CMaterialWnd::NotifyClicked()
{
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent != nullptr)
    {
        ::SendMessageW(hParent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID()), BN_CLICKED),
                       reinterpret_cast<LPARAM>(m_hWnd));
    }
}

void CMaterialWnd::OnLButtonDown(UINT, CPoint)
{
    m_bPressed = true;
    SetCapture();
}

void CMaterialWnd::OnLButtonUp(UINT, CPoint point)
{
    if (!m_bPressed)
        return;
    m_bPressed = false;
    if (::GetCapture() == m_hWnd)
        ReleaseCapture();
    CRect rc;
    GetClientRect(&rc);
    // Released outside, the press is taken back.
    if (rc.PtInRect(point))
        NotifyClicked();
}

void CMaterialWnd::OnCaptureChanged(CWnd*)
{
    m_bPressed = false;
}

void CMaterialWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE)
    {
        NotifyClicked();
        return;
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CMaterialWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    DropRendering();
}

void CMaterialWnd::OnEnable(BOOL bEnable)
{
    if (!bEnable)
        m_bPressed = false;
    Invalidate(FALSE);
}

void CMaterialWnd::OnSetFocus(CWnd*)
{
    Invalidate(FALSE);
}

void CMaterialWnd::OnKillFocus(CWnd*)
{
    Invalidate(FALSE);
}

void CMaterialWnd::OnDestroy()
{
    DropRendering();
    CWnd::OnDestroy();
}
