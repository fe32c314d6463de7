// A stand-alone material sample for the properties dialogs: it takes the
// place of a placeholder item, shows a material rendered by the palette's
// render engine (or a "none" sign while disabled), tells its parent when it
// is clicked, and shows a tooltip describing the material after the pointer
// rests on it.
#pragma once

#include "AfxWin.h"
#include "FlexibleToolTipContainer.h"
#include "MGLObjects.h"

// The timers of the tooltip: the delay before it shows, then the tick that
// measures how long it has been showing.
#define MATSAMPLE_TIMER_SHOW 400
#define MATSAMPLE_TIMER_POP 450
// How often the showing tooltip is looked at, in milliseconds.
#define MATSAMPLE_POP_TICK 100

// Where the "none" sign of a disabled sample lies in a client area of the
// given size: a circle of a third of the height around the centre, and a
// stroke through the centre, a radius long either way, at
// MATSAMPLE_NONE_ANGLE radians from the x axis (y pointing down).
#define MATSAMPLE_NONE_ANGLE 2.359425
struct SNoneSignGeometry
{
    double dCenterX = 0.0;
    double dCenterY = 0.0;
    double dRadius = 0.0;
    double dStrokeX1 = 0.0;
    double dStrokeY1 = 0.0;
    double dStrokeX2 = 0.0;
    double dStrokeY2 = 0.0;
};
SNoneSignGeometry NoneSignGeometry(int nWidth, int nHeight);
// The outline colour of the sign: four parts button face to one part text,
// per channel.
COLORREF NoneSignOutlineColor(COLORREF clrFace, COLORREF clrText);

// The tooltip's delays in milliseconds, those of a standard tooltip control:
// it shows after the double-click time and goes after ten times that (500
// and 5000 with the system's defaults).
UINT SampleToolTipInitialDelay();
UINT SampleToolTipAutoPopDelay();

class CMaterialSampleWnd : public CWnd
{
    DECLARE_DYNAMIC(CMaterialSampleWnd)
public:
    CMaterialSampleWnd() = default;
    ~CMaterialSampleWnd() override;
    CMaterialSampleWnd(const CMaterialSampleWnd&) = delete;
    CMaterialSampleWnd& operator=(const CMaterialSampleWnd&) = delete;

    // Replaces the parent's placeholder item by the sample, in its place,
    // with its identifier and its place in the tab order.
    BOOL Create(UINT nPlaceholderId, CWnd* pParent, bool bShowTooltip, bool bUseCursor);

    // Holds a reference to the material (giving back the one held before),
    // renders it and takes its tooltip text; null shows nothing.
    void SetMaterial(IMGLMaterial* pMaterial);
    // The material held (a reference for the caller), or null.
    void GetMaterial(CComPtr<IMGLMaterial>& pMaterial) const;
    // Takes the tooltip text from the material again.
    void UpdateTTText();
    const CString& GetTTText() const { return m_strTTText; }

    // 0 draws a sunken 3D edge; n > 0 draws n highlight frames, each one
    // pixel further in. Negative counts are taken as 0.
    void SetBorderCount(int nCount);
    int GetBorderCount() const { return m_nBorderCount; }
    // Whether the border and the focus rectangle are drawn (both are at first).
    void SetDrawBorder(bool bDraw);
    void SetDrawFocus(bool bDraw);

    // Whether the material is a solid colour, and that colour.
    bool IsSolidColor() const { return m_bSolidColor; }
    COLORREF GetSolidColor() const { return m_clrSolid; }
    // How many times the material has been rendered into the kept image.
    int GetRenderCount() const { return m_nRenderCount; }
    const CFlexibleToolTipContainer& GetToolTip() const { return m_toolTip; }
    // The timer running for the tooltip (MATSAMPLE_TIMER_...), or 0.
    UINT_PTR GetToolTipTimer() const { return m_nToolTipTimer; }

    void Paint(HDC hdc);

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Renders the material into a new image of the client size.
    void Render();
    void DropImage();
    void PaintNoneSign(HDC hdc, const CRect& rcClient);
    void PaintBorder(HDC hdc, const CRect& rcClient);
    void ShowToolTip();
    void StopToolTip();
    bool IsCursorOver() const;
    void PostClicked();

    CComPtr<IMGLMaterial> m_pMaterial;
    HBITMAP m_hImage = nullptr;
    int m_nRenderCount = 0;
    bool m_bShowTooltip = false;
    bool m_bUseCursor = false;
    HCURSOR m_hCursor = nullptr;
    CString m_strTTText;
    bool m_bSolidColor = false;
    COLORREF m_clrSolid = RGB(0, 0, 0);
    UINT_PTR m_nToolTipTimer = 0;
    int m_nToolTipElapsed = 0;
    bool m_bTrackingLeave = false;
    bool m_bPressed = false;
    int m_nBorderCount = 0;
    bool m_bDrawBorder = true;
    bool m_bDrawFocus = true;
    CFlexibleToolTipContainer m_toolTip;
};
