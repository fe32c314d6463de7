#include "CanvasWnd.h"

#include "HostAppContext.h"

#include "Dc.h"
#include "DebugOutput.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

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

namespace
{

// Puts what one surface holds into the top left of another, alpha and all.
void CopySurface(cairo_surface_t* pTo, cairo_surface_t* pFrom)
{
    cairo_t* pCairo = cairo_create(pTo);
    cairo_set_source_surface(pCairo, pFrom, 0, 0);
    cairo_set_operator(pCairo, CAIRO_OPERATOR_SOURCE);
    cairo_paint(pCairo);
    cairo_destroy(pCairo);
}

// A rendered image as a cairo surface of pre-multiplied pixels; null when
// there is no image.
cairo_surface_t* SurfaceFromImage(const CRenderImage& image)
{
    if (image.IsEmpty())
        return nullptr;
    cairo_surface_t* pSurface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.Width(), image.Height());
    if (cairo_surface_status(pSurface) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(pSurface);
        return nullptr;
    }
    cairo_surface_flush(pSurface);
    const std::vector<DWORD> pixels = image.PremultipliedPixels();
    unsigned char* pData = cairo_image_surface_get_data(pSurface);
    const int nStride = cairo_image_surface_get_stride(pSurface);
    for (int y = 0; y < image.Height(); ++y)
        std::memcpy(pData + static_cast<size_t>(y) * static_cast<size_t>(nStride),
                    pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.Width()),
                    static_cast<size_t>(image.Width()) * sizeof(DWORD));
    cairo_surface_mark_dirty(pSurface);
    return pSurface;
}

} // namespace

CCanvasWnd::CCanvasWnd(CHostMaterials& materials, CHostMaterialCache& cache)
    : m_materials(materials), m_cache(cache), m_renderer(cache.Library())
{
    m_nSubscription = m_materials.Subscribe([this](int nNotification) { OnMaterialsChanged(nNotification); });
}

CCanvasWnd::~CCanvasWnd()
{
    m_materials.Unsubscribe(m_nSubscription);
    ForgetStroke();
    ForgetSides();
    if (m_pPaint != nullptr)
        cairo_surface_destroy(m_pPaint);
}

BOOL CCanvasWnd::Create(CWnd* pParent, const RECT& rect, UINT nID)
{
    LPCWSTR pszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_CROSS));
    return CWnd::CreateEx(0, pszClass, L"Canvas", WS_CHILD | WS_VISIBLE, rect, pParent, nID);
}

void CCanvasWnd::OnMaterialsChanged(int nNotification)
{
    // The recently used list changing alone leaves the look alone.
    if (nNotification != kNotifyMaterialChanged && nNotification != kNotifyEnabledChanged)
        return;
    // Gradient stops may stand for either side's colour, so both sides are
    // drawn again.
    ForgetSides();
    if (::IsWindow(m_hWnd))
        Invalidate(FALSE);
}

void CCanvasWnd::ForgetSides()
{
    for (cairo_surface_t*& pSide : m_pSides)
    {
        if (pSide != nullptr)
            cairo_surface_destroy(pSide);
        pSide = nullptr;
    }
}

CSize CCanvasWnd::PageSize() const
{
    if (m_pPaint == nullptr)
        return CSize(0, 0);
    return CSize(cairo_image_surface_get_width(m_pPaint), cairo_image_surface_get_height(m_pPaint));
}

void CCanvasWnd::GrowPage(int cx, int cy)
{
    const CSize szOld = PageSize();
    if (cx <= szOld.cx && cy <= szOld.cy)
        return;
    cairo_surface_t* pPaint = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max<int>(cx, szOld.cx),
                                                         std::max<int>(cy, szOld.cy));
    if (m_pPaint != nullptr)
    {
        CopySurface(pPaint, m_pPaint);
        cairo_surface_destroy(m_pPaint);
    }
    m_pPaint = pPaint;
}

CSize CCanvasWnd::MaterialSize() const
{
    if (::IsWindow(m_hWnd))
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        if (!rcClient.IsRectEmpty())
            return rcClient.Size();
    }
    return PageSize();
}

cairo_surface_t* CCanvasWnd::SideSurface(bool bForeground)
{
    cairo_surface_t*& pSide = m_pSides[bForeground ? 1 : 0];
    // A material spans what the window shows, so a gradient runs from edge
    // to edge of the visible canvas whatever was painted beyond it.
    const CSize szMaterial = MaterialSize();
    if (pSide != nullptr && (cairo_image_surface_get_width(pSide) != szMaterial.cx ||
                             cairo_image_surface_get_height(pSide) != szMaterial.cy))
    {
        cairo_surface_destroy(pSide);
        pSide = nullptr;
    }
    if (pSide != nullptr || szMaterial.cx <= 0 || szMaterial.cy <= 0)
        return pSide;
    CComPtr<IMGLMaterial> pMaterial;
    pMaterial.Attach(CHostAppContext::MakeMaterial(m_materials.Painted(bForeground)));
    // What the material names is loaded into the cache the renderer draws
    // from; a name the collections lack renders as the failure grey.
    CErrorAutoThrow error;
    m_cache.CacheMaterial(error, pMaterial);
    m_renderer.SetCurrentColors(m_materials.Material(true).clrColor, m_materials.Material(false).clrColor);
    CRenderImage image;
    const CErrorAutoThrow rendered = m_renderer.Render(pMaterial, szMaterial.cx, szMaterial.cy, image);
    if (error.IsError() || rendered.IsError())
    {
        const int nCode = error.IsError() ? error.GetError() : rendered.GetError();
        OutputDebugStringW((std::wstring(L"[materials] canvas: the ") +
                            (bForeground ? L"foreground" : L"background") +
                            L" material could not be drawn (error " + std::to_wstring(nCode) + L")\n")
                               .c_str());
    }
    pSide = SurfaceFromImage(image);
    return pSide;
}

void CCanvasWnd::Compose(cairo_t* pCairo, double dx, double dy)
{
    cairo_set_operator(pCairo, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgb(pCairo, 1, 1, 1);
    cairo_paint(pCairo);
    cairo_set_operator(pCairo, CAIRO_OPERATOR_OVER);
    if (m_materials.IsEnabled(false))
    {
        if (cairo_surface_t* pBackground = SideSurface(false))
        {
            // Beyond the window's size (a page grown larger before) the
            // material's edge goes on.
            cairo_set_source_surface(pCairo, pBackground, dx, dy);
            cairo_pattern_set_extend(cairo_get_source(pCairo), CAIRO_EXTEND_PAD);
            cairo_paint(pCairo);
        }
    }
    if (m_pPaint != nullptr)
    {
        cairo_set_source_surface(pCairo, m_pPaint, dx, dy);
        cairo_paint(pCairo);
    }
}

COLORREF CCanvasWnd::ColorAt(int x, int y)
{
    const CSize szPage = PageSize();
    if (x < 0 || y < 0 || x >= szPage.cx || y >= szPage.cy)
        return CLR_INVALID;
    cairo_surface_t* pPixel = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    cairo_t* pCairo = cairo_create(pPixel);
    Compose(pCairo, -x, -y);
    cairo_destroy(pCairo);
    cairo_surface_flush(pPixel);
    uint32_t nPixel = 0;
    std::memcpy(&nPixel, cairo_image_surface_get_data(pPixel), sizeof(nPixel));
    cairo_surface_destroy(pPixel);
    return RGB((nPixel >> 16) & 0xFF, (nPixel >> 8) & 0xFF, nPixel & 0xFF);
}

void CCanvasWnd::Clear()
{
    if (m_pPaint == nullptr)
        return;
    cairo_t* pCairo = cairo_create(m_pPaint);
    cairo_set_operator(pCairo, CAIRO_OPERATOR_CLEAR);
    cairo_paint(pCairo);
    cairo_destroy(pCairo);
    if (::IsWindow(m_hWnd))
        Invalidate(FALSE);
}

void CCanvasWnd::Stroke(CPoint ptFrom, CPoint ptTo, bool bForeground)
{
    PaintPath({ptFrom, ptTo}, bForeground, nullptr, ptFrom, ptTo);
}

void CCanvasWnd::PaintPath(const std::vector<CPoint>& points, bool bForeground, cairo_surface_t* pUnder,
                           CPoint ptFrom, CPoint ptTo)
{
    if (points.empty() || !m_materials.IsEnabled(bForeground))
        return;
    int nRight = 0;
    int nBottom = 0;
    for (const CPoint& point : points)
    {
        nRight = std::max<int>(nRight, point.x + 1);
        nBottom = std::max<int>(nBottom, point.y + 1);
    }
    GrowPage(nRight, nBottom);
    cairo_surface_t* pSource = SideSurface(bForeground);
    if (pSource == nullptr)
        return;
    const int nReach = static_cast<int>(kBrushWidth) + 1;
    const CRect rcDirty(std::min(ptFrom.x, ptTo.x) - nReach, std::min(ptFrom.y, ptTo.y) - nReach,
                        std::max(ptFrom.x, ptTo.x) + nReach, std::max(ptFrom.y, ptTo.y) + nReach);
    cairo_t* pCairo = cairo_create(m_pPaint);
    cairo_rectangle(pCairo, rcDirty.left, rcDirty.top, rcDirty.Width(), rcDirty.Height());
    cairo_clip(pCairo);
    if (pUnder != nullptr)
    {
        // What lay there before the stroke began (transparent beyond it),
        // so that the stroke is laid once however often it crosses itself.
        cairo_set_source_surface(pCairo, pUnder, 0, 0);
        cairo_set_operator(pCairo, CAIRO_OPERATOR_SOURCE);
        cairo_paint(pCairo);
        cairo_set_operator(pCairo, CAIRO_OPERATOR_OVER);
    }
    // The stroke shows the material where the brush passes, as it lies on
    // the canvas: a gradient runs across the canvas, not along the stroke.
    cairo_set_source_surface(pCairo, pSource, 0, 0);
    cairo_pattern_set_extend(cairo_get_source(pCairo), CAIRO_EXTEND_PAD);
    cairo_set_line_width(pCairo, kBrushWidth);
    cairo_set_line_cap(pCairo, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(pCairo, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(pCairo, points.front().x + 0.5, points.front().y + 0.5);
    for (size_t i = 1; i < points.size(); ++i)
        cairo_line_to(pCairo, points[i].x + 0.5, points[i].y + 0.5);
    if (points.size() == 1)
        cairo_line_to(pCairo, points.front().x + 0.5, points.front().y + 0.5);
    cairo_stroke(pCairo);
    cairo_destroy(pCairo);
    if (::IsWindow(m_hWnd))
        InvalidateRect(&rcDirty, FALSE);
}

void CCanvasWnd::ContinueStroke(CPoint point)
{
    const CPoint ptFrom = m_strokePoints.empty() ? point : m_strokePoints.back();
    m_strokePoints.push_back(point);
    // Only what lies near the new piece can change: the stroke is laid
    // again there over what was under it when it began.
    PaintPath(m_strokePoints, m_bStrokeForeground, m_pBeforeStroke, ptFrom, point);
}

void CCanvasWnd::ForgetStroke()
{
    m_bStroking = false;
    m_strokePoints.clear();
    if (m_pBeforeStroke != nullptr)
        cairo_surface_destroy(m_pBeforeStroke);
    m_pBeforeStroke = nullptr;
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
    Compose(drawing.Get(), 0, 0);
}

BOOL CCanvasWnd::OnEraseBkgnd(CDC*)
{
    // The page covers everything.
    return TRUE;
}

void CCanvasWnd::OnSize(UINT, int cx, int cy)
{
    GrowPage(cx, cy);
    // The materials are drawn again at the new size, everywhere.
    Invalidate(FALSE);
}

void CCanvasWnd::BeginStroke(CPoint point, bool bForeground)
{
    ForgetStroke();
    m_bStroking = true;
    m_bStrokeForeground = bForeground;
    SetCapture();
    GrowPage(point.x + 1, point.y + 1);
    // A copy of the page as it is, to lay the stroke over while it grows.
    m_pBeforeStroke =
        cairo_surface_create_similar_image(m_pPaint, CAIRO_FORMAT_ARGB32, PageSize().cx, PageSize().cy);
    CopySurface(m_pBeforeStroke, m_pPaint);
    ContinueStroke(point);
}

void CCanvasWnd::EndStroke(CPoint point)
{
    if (!m_bStroking)
        return;
    ContinueStroke(point);
    ForgetStroke();
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
    if (m_bStroking)
        ContinueStroke(point);
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
    ForgetStroke();
}
