// The reference host's canvas: the background material shows wherever
// nothing has been painted, the left button paints with the foreground
// material and the right button with the background material, so a person
// can see what the palette chose. What was painted stays when the materials
// change or the window is resized; the background follows the materials.
#pragma once

#include "AfxWin.h"
#include "HostMaterialCache.h"
#include "HostMaterials.h"
#include "MaterialRenderer.h"

#include <cairo.h>

#include <vector>

class CCanvasWnd : public CWnd
{
    DECLARE_DYNAMIC(CCanvasWnd)
public:
    static constexpr double kBrushWidth = 8.0;

    // The materials are watched for changes; resources are drawn from the
    // cache, which loads them on first use. Both must outlive the canvas.
    explicit CCanvasWnd(CHostMaterials& materials, CHostMaterialCache& cache = CHostMaterialCache::Shared());
    ~CCanvasWnd() override;
    CCanvasWnd(const CCanvasWnd&) = delete;
    CCanvasWnd& operator=(const CCanvasWnd&) = delete;

    BOOL Create(CWnd* pParent, const RECT& rect, UINT nID);

    // What was painted, transparent where nothing was (owned by the canvas).
    cairo_surface_t* PaintLayer() const { return m_pPaint; }
    // The width and height the canvas draws on: at least the largest client
    // size it has had.
    CSize PageSize() const;
    // The colour the canvas shows at a client point; CLR_INVALID off the
    // page.
    COLORREF ColorAt(int x, int y);
    // Paints a stroke from one client point to another with a side's
    // material, as dragging does; a side that is switched off paints nothing.
    void Stroke(CPoint ptFrom, CPoint ptTo, bool bForeground);
    // Takes away everything painted, showing the background again.
    void Clear();

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()

private:
    void BeginStroke(CPoint point, bool bForeground);
    void ContinueStroke(CPoint point);
    void EndStroke(CPoint point);
    void ForgetStroke();
    // Strokes the path with a side's material onto the page, within reach of
    // the piece from ptFrom to ptTo; with pUnder, that area is first given
    // back what pUnder holds.
    void PaintPath(const std::vector<CPoint>& points, bool bForeground, cairo_surface_t* pUnder,
                   CPoint ptFrom, CPoint ptTo);
    // Makes the page at least the size, keeping what was painted.
    void GrowPage(int cx, int cy);
    // The size materials are rendered at: the client area, or the page
    // before there is a window.
    CSize MaterialSize() const;
    // A side's material rendered at that size, made when first asked for
    // after a change.
    cairo_surface_t* SideSurface(bool bForeground);
    void ForgetSides();
    // The page as it shows: white, the background material, the paint; the
    // page's origin at (dx, dy).
    void Compose(cairo_t* pCairo, double dx, double dy);
    void OnMaterialsChanged(int nNotification);

    CHostMaterials& m_materials;
    CHostMaterialCache& m_cache;
    CMaterialRenderer m_renderer;
    int m_nSubscription = -1;
    cairo_surface_t* m_pPaint = nullptr;
    cairo_surface_t* m_pSides[2] = {nullptr, nullptr}; // background, foreground
    bool m_bStroking = false;
    bool m_bStrokeForeground = true;
    std::vector<CPoint> m_strokePoints;         // the stroke being dragged
    cairo_surface_t* m_pBeforeStroke = nullptr; // the page when it began
};
