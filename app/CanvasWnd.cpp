#include "CanvasWnd.h"

#include "Dc.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CCanvasWnd, CWnd)

BEGIN_MESSAGE_MAP(CCanvasWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONUP()
ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CCanvasWnd::CCanvasWnd(CHostMaterials& materials) : m_materials(materials) {}

CCanvasWnd::~CCanvasWnd()
{
    if (m_pPage != nullptr)
        cairo_surface_destroy(m_pPage);
}

BOOL CCanvasWnd::Create(CWnd* pParent, const RECT& rect, UINT nID)
{
    LPCWSTR pszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_CROSS));
    return CWnd::CreateEx(0, pszClass, L"Canvas", WS_CHILD | WS_VISIBLE, rect, pParent, nID);
}

void CCanvasWnd::GrowPage(int cx, int cy)
{
    const int nOldWidth = m_pPage != nullptr ? cairo_image_surface_get_width(m_pPage) : 0;
    const int nOldHeight = m_pPage != nullptr ? cairo_image_surface_get_height(m_pPage) : 0;
    if (cx <= nOldWidth && cy <= nOldHeight)
        return;
    cairo_surface_t* pPage =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(cx, nOldWidth), std::max(cy, nOldHeight));
    cairo_t* pCairo = cairo_create(pPage);
    cairo_set_source_rgb(pCairo, 1, 1, 1);
    cairo_paint(pCairo);
    if (m_pPage != nullptr)
    {
        cairo_set_source_surface(pCairo, m_pPage, 0, 0);
        cairo_paint(pCairo);
        cairo_surface_destroy(m_pPage);
    }
    cairo_destroy(pCairo);
    m_pPage = pPage;
}

void CCanvasWnd::Clear()
{
    if (m_pPage == nullptr)
        return;
    cairo_t* pCairo = cairo_create(m_pPage);
    cairo_set_source_rgb(pCairo, 1, 1, 1);
    cairo_paint(pCairo);
    cairo_destroy(pCairo);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CCanvasWnd::Stroke(CPoint ptFrom, CPoint ptTo, bool bForeground)
{
    if (!m_materials.IsEnabled(bForeground))
        return;
    GrowPage(std::max(ptFrom.x, ptTo.x) + 1, std::max(ptFrom.y, ptTo.y) + 1);
    const COLORREF clrColor = m_materials.Material(bForeground).clrColor;
    cairo_t* pCairo = cairo_create(m_pPage);
    cairo_set_source_rgb(pCairo, GetRValue(clrColor) / 255.0, GetGValue(clrColor) / 255.0,
                         GetBValue(clrColor) / 255.0);
    cairo_set_line_width(pCairo, kBrushWidth);
    cairo_set_line_cap(pCairo, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(pCairo, ptFrom.x + 0.5, ptFrom.y + 0.5);
    cairo_line_to(pCairo, ptTo.x + 0.5, ptTo.y + 0.5);
    cairo_stroke(pCairo);
    cairo_destroy(pCairo);
    if (m_hWnd != nullptr)
    {
        const int nReach = static_cast<int>(kBrushWidth) + 1;
        CRect rcDirty(std::min(ptFrom.x, ptTo.x) - nReach, std::min(ptFrom.y, ptTo.y) - nReach,
                      std::max(ptFrom.x, ptTo.x) + nReach, std::max(ptFrom.y, ptTo.y) + nReach);
        InvalidateRect(&rcDirty, FALSE);
    }
}

void CCanvasWnd::OnPaint()
{
    CPaintDC dc(this);
    if (dc.m_hDC == nullptr)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    GrowPage(rcClient.Width(), rcClient.Height());
    CCairoDrawing drawing(dc.m_hDC);
    if (!drawing)
        return;
    cairo_set_source_surface(drawing.Get(), m_pPage, 0, 0);
    cairo_set_operator(drawing.Get(), CAIRO_OPERATOR_SOURCE);
    cairo_paint(drawing.Get());
}

BOOL CCanvasWnd::OnEraseBkgnd(CDC*)
{
    // The page covers everything.
    return TRUE;
}

void CCanvasWnd::OnSize(UINT, int cx, int cy)
{
    GrowPage(cx, cy);
}

void CCanvasWnd::BeginStroke(CPoint point, bool bForeground)
{
    m_bStroking = true;
    m_bStrokeForeground = bForeground;
    m_ptLast = point;
    SetCapture();
    Stroke(point, point, bForeground);
}

void CCanvasWnd::EndStroke(CPoint point)
{
    if (!m_bStroking)
        return;
    Stroke(m_ptLast, point, m_bStrokeForeground);
    m_bStroking = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CCanvasWnd::OnLButtonDown(UINT, CPoint point)
{
    BeginStroke(point, true);
}

void CCanvasWnd::OnRButtonDown(UINT, CPoint point)
{
    BeginStroke(point, false);
}

void CCanvasWnd::OnMouseMove(UINT, CPoint point)
{
    if (!m_bStroking)
        return;
    Stroke(m_ptLast, point, m_bStrokeForeground);
    m_ptLast = point;
}

void CCanvasWnd::OnLButtonUp(UINT, CPoint point)
{
    if (m_bStrokeForeground)
        EndStroke(point);
}

void CCanvasWnd::OnRButtonUp(UINT, CPoint point)
{
    if (!m_bStrokeForeground)
        EndStroke(point);
}

void CCanvasWnd::OnCaptureChanged(CWnd*)
{
    m_bStroking = false;
}
