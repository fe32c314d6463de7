// The reference host's main window: the canvas fills what the docked panes
// leave of it, and closing the frame ends the program.
#pragma once

#include "AfxWin.h"
#include "CanvasWnd.h"
#include "XUIPaletteDialog.h"

#include <memory>

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
    // Where panes dock; null before the window exists.
    CXUIDockSite* DockSite() { return m_pDockSite.get(); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CCanvasWnd m_canvas;
    std::unique_ptr<CXUIDockSite> m_pDockSite;
};
