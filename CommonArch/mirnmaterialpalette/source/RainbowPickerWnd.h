// The rainbow picker of the Materials pane: a field of colours (hue from top
// to bottom, lightness from left to right) above a strip of five greys. For
// an image that cannot hold every colour it shows the image's palette, or
// the 256 grey levels, as a grid of cells instead. The picture is computed
// once per size into an off-screen 24-bit image, and picked colours are read
// back from that image, so the user gets exactly the colour shown.
//
// Pointing shows the colour in a tooltip; pressing or dragging with the left
// button posts WM_RAINBOW_CLICK with lParam 1 (foreground) to the palette
// window, with the right button lParam 0 (background).
#pragma once

#include "AfxWin.h"
#include "FlexibleToolTipContainer.h"
#include "MPalette.h"
#include "RowIterator.h"
#include "VornServices.h"

#include <array>
#include <memory>

class CRainbowPickerWnd : public CWnd
{
    DECLARE_DYNAMIC(CRainbowPickerWnd)
public:
    // The rows at the bottom that hold the grey strip.
    static constexpr int kGreyStripRows = 8;
    // Client sizes below this (frame included) build no image.
    static constexpr int kMinImageSide = 10;

    CRainbowPickerWnd() = default;
    ~CRainbowPickerWnd() override;

    // A visible child of pParent at rect (parent client coordinates).
    BOOL Create(CWnd* pParent, UINT nID, const CRect& rect);

    // The window picked colours go to; not owned, may be null.
    void SetPaletteWnd(CWnd* pPalette) { m_pPaletteWnd = pPalette; }
    CWnd* GetPaletteWnd() const { return m_pPaletteWnd; }
    // The host's application context, with a reference held until the
    // window is destroyed. Without one the window paints nothing and
    // ignores the pointer.
    void SetAppContext(IMatPalAppContext* pAppContext);
    IMatPalAppContext* GetAppContext() const { return m_pAppContext; }

    // Computes the image for the current client size and image kind.
    void BuildPickerDIB();
    // The colour of the image pixel at a point (image coordinates, which are
    // client coordinates less the frame; the point is taken as it is).
    // Black when no image is built or the point lies outside it.
    COLORREF GetColorAtPoint(CPoint point) const;

    const CRowIterator& GetPickerDIB() const { return m_oPickerDIB; }
    // Whether the image holds the rainbow (otherwise a palette or grey grid).
    bool IsRainbow() const { return m_bRainbow; }
    // The bounding box, in image coordinates, of the pixels that show a
    // palette index in the last grid built; (W, H, 0, 0) for an index the
    // grid does not show.
    CRect GetCellRect(int nIndex) const;
    bool IsTrackingMouse() const { return m_bTracking; }
    // The colour tooltip; null before Create and after the window is gone.
    const CFlexibleToolTipContainer* GetToolTip() const { return m_pToolTip.get(); }

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void Paint(HDC hdc);
    // The three parts of the image; each writes rows [0, nRows).
    void BuildRainbow(int nRows);
    void BuildGrid(int nRows, int nColumns, int nGridRows, int nMaxIndex, bool bGrey,
                   const std::array<PALETTEENTRY, 256>& aEntries);
    void BuildGreyStrip();
    // Posts a picked colour to the palette window (lParam 1 foreground).
    void PostColor(COLORREF clrColor, bool bForeground) const;
    // The colour shown at a client point as the pointer finds it, and the
    // palette index it stands for (-1 outside palette-grid mode).
    COLORREF FindPointedColor(CPoint point, int& nPaletteIndex) const;
    HCURSOR DropperCursor();

    CRowIterator m_oPickerDIB;
    CComPtr<IMatPalAppContext> m_pAppContext;
    CWnd* m_pPaletteWnd = nullptr;
    std::array<RECT, 256> m_arrCellRects{};
    bool m_bTracking = false;
    bool m_bRainbow = true;
    std::unique_ptr<CFlexibleToolTipContainer> m_pToolTip;
    HCURSOR m_hDropperCursor = nullptr;
};
