// The reference host's main window: the canvas fills it, a pane docked at
// the right edge takes its width from the frame's client area, and closing
// the frame ends the program.
#pragma once

#include "AfxWin.h"
#include "CanvasWnd.h"

class CHostFrame : public CWnd
{
    DECLARE_DYNAMIC(CHostFrame)
public:
    static constexpr UINT kCanvasId = 1;

    explicit CHostFrame(CHostMaterials& materials);
    ~CHostFrame() override;

    // A top-level window with a caption at the given screen rectangle.
    BOOL Create(const RECT& rect);

    CCanvasWnd& Canvas() { return m_canvas; }
    // Docks a child window at the right edge, the given width wide (clipped
    // to leave the canvas some room); null undocks.
    void DockRight(CWnd* pPane, int nWidth);
    CWnd* DockedPane() const { return m_pPane; }
    // Places the canvas and the docked pane in the client area.
    void RecalcLayout();

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CCanvasWnd m_canvas;
    CWnd* m_pPane = nullptr;
    int m_nPaneWidth = 0;
};
