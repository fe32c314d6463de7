// The pane's hue/saturation/lightness map picker: a map in which saturation
// grows from left to right and lightness from top to bottom for one hue, a
// hue bar under it, and a marker on the current colour. Dragging on the map
// or the bar sends the colour to the palette, as the foreground with the
// left button and the background with the right. A greyscale image shows a
// grid of the 256 grey levels and a strip of five greys instead; an image
// with a palette shows its entries and no hue bar.
#pragma once

#include "AfxWin.h"
#include "FlexibleToolTipContainer.h"
#include "MPalette.h"
#include "MnePainters.h"
#include "RowIterator.h"

struct IMatPalAppContext;

class CHSBMapPickerWnd : public CWnd
{
    DECLARE_DYNAMIC(CHSBMapPickerWnd)
public:
    // What a pressed button is dragging.
    enum EDragState
    {
        DRAG_NONE,
        DRAG_HUE_BAR,
        DRAG_MAP,
        DRAG_GREY_STRIP,
    };

    // The grey strip's five blocks.
    static constexpr int kGreyBlocks = 5;

    CHSBMapPickerWnd();
    ~CHSBMapPickerWnd() override;

    // A visible child at rect (parent client coordinates).
    BOOL Create(CWnd* pParent, UINT nID, const CRect& rect);

    // The window picked colours are sent to (not owned; null sends nothing).
    void SetPaletteWnd(CWnd* pPalette);
    // The host's application context; the picker holds a reference until it
    // is destroyed or given another one.
    void SetAppContext(IMatPalAppContext* pAppContext);
    // Whether the active image is greyscale; the palette sets it before each
    // SetPickerColor. The map follows on its next build.
    void SetGreyscaleMode(bool bGreyscale);
    // The palette's current colour. The call that echoes the picker's own
    // message (made while that message is being delivered) is ignored.
    void SetPickerColor(BYTE bRed, BYTE bGreen, BYTE bBlue);

    // Builds the map image again for the current size, mode and hue (as a
    // change of any of them does before the next paint); false when the
    // map is too small or the image cannot be made.
    bool RebuildMap();

    // Layout, in client coordinates.
    const CRect& GetMapRect() const { return m_rcMap; }
    const CRect& GetHueBarRect() const { return m_rcHueBar; }
    const CRect& GetGreyStripRect() const { return m_rcGreyStrip; }
    const CRect& GetUpperAreaRect() const { return m_rcUpperArea; }
    int GetGreyBlockWidth(int nBlock) const;
    int GetGreyBlockRight(int nBlock) const;

    // The current colour and state.
    BYTE GetHue() const { return m_bHue; }
    BYTE GetSaturation() const { return m_bSaturation; }
    BYTE GetLightness() const { return m_bLightness; }
    COLORREF GetColor() const { return m_clrColor; }
    CPoint GetMarker() const { return m_ptMarker; }
    CPoint GetGrabOffset() const { return m_ptGrabOffset; }
    EDragState GetDragState() const { return m_eDragState; }
    bool IsMapBuilt() const { return m_bMapBuilt; }
    bool IsGreyscaleMode() const { return m_bGreyscaleMode; }
    bool IsPaletteMode() const { return m_bPaletteMode; }
    bool IsSending() const { return m_bSending; }
    const CRowIterator& GetMapImage() const { return m_oMapDIB; }
    const CMnePainterHueHorz& GetHuePainter() const { return m_huePainter; }
    const CFlexibleToolTipContainer& GetToolTip() const { return m_toolTip; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

private:
    void LoadImages();
    void FreeImages();
    void Layout(int cx, int cy);
    void PlaceMarkerFromColor();
    // Whether the map is large enough for the current mode's divisions.
    bool IsMapUsable() const;
    bool BuildMap();
    void Paint(HDC hdc);
    // Starts a drag for a press; false when the point starts none.
    bool StartDrag(bool bLeft, CPoint point);
    void ProcessPoint(EDragState eState, CPoint point);
    void EndDrag(CPoint point);
    void SendColor();
    void StoreColor(COLORREF clr);
    HWND PaletteHwnd() const;
    // The grey level of a marker point in greyscale mode.
    int GreyLevelAt(CPoint point) const;
    COLORREF MapPixel(int x, int y) const;

    // The current colour.
    BYTE m_bHue = 0;
    BYTE m_bLightness = 50;
    BYTE m_bSaturation = 100;
    BYTE m_bRed = 0;
    BYTE m_bGreen = 0;
    BYTE m_bBlue = 0;
    COLORREF m_clrColor = 0;

    // Layout.
    CSize m_sizeClient{-1, -1};
    CRect m_rcMap;
    CRect m_rcHueBar;
    CRect m_rcGreyStrip;
    CRect m_rcUpperArea;
    int m_anGreyBlockWidth[kGreyBlocks] = {};
    int m_anGreyBlockRight[kGreyBlocks] = {};

    CPoint m_ptMarker;
    CPoint m_ptGrabOffset;
    EDragState m_eDragState = DRAG_NONE;
    int m_nButtonFlag = 1;

    CRowIterator m_oMapDIB;
    CMPalette m_palette;
    bool m_bMapBuilt = false;
    bool m_bSending = false;
    bool m_bGreyscaleMode = false;
    bool m_bPaletteMode = false;

    IMatPalAppContext* m_pAppContext = nullptr;
    CWnd* m_pPalette = nullptr;
    HWND m_hPalette = nullptr;

    CMnePainterHueHorz m_huePainter;
    HBITMAP m_hHueThumb = nullptr;
    HBITMAP m_hMarker = nullptr;
    HBITMAP m_hArrowRight = nullptr;
    HBITMAP m_hArrowBottom = nullptr;
    HCURSOR m_hDropper = nullptr;
    CFlexibleToolTipContainer m_toolTip;
};
