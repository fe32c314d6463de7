// The reference host's canvas: a white page on which the left button paints
// with the foreground material and the right button with the background
// material, so a person can see what the palette chose.
#pragma once

#include "AfxWin.h"
#include "HostMaterials.h"

#include <cairo.h>

class CCanvasWnd : public CWnd
{
    DECLARE_DYNAMIC(CCanvasWnd)
public:
    static constexpr double kBrushWidth = 8.0;

    explicit CCanvasWnd(CHostMaterials& materials);
    ~CCanvasWnd() override;

    BOOL Create(CWnd* pParent, const RECT& rect, UINT nID);

    // The page, for tests and screenshots (owned by the canvas).
    cairo_surface_t* Page() const { return m_pPage; }
    // Paints a stroke from one client point to another with a side's colour,
    // as dragging does; a side that is switched off paints nothing.
    void Stroke(CPoint ptFrom, CPoint ptTo, bool bForeground);
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
    void EndStroke(CPoint point);
    // Makes the page at least the client's size, keeping what was painted.
    void GrowPage(int cx, int cy);

    CHostMaterials& m_materials;
    cairo_surface_t* m_pPage = nullptr;
    bool m_bStroking = false;
    bool m_bStrokeForeground = true;
    CPoint m_ptLast;
};
