// The material well: a framed square that shows a solid colour or a
// material rendered by the host's render engine, looks switched off while
// disabled, and tells its parent when it is clicked.
#pragma once

#include "AfxWin.h"
#include "CommandExecutionContext.h"
#include "MGLObjects.h"

class CMaterialWnd : public CWnd
{
    DECLARE_DYNAMIC(CMaterialWnd)
public:
    CMaterialWnd() = default;
    ~CMaterialWnd() override;
    CMaterialWnd(const CMaterialWnd&) = delete;
    CMaterialWnd& operator=(const CMaterialWnd&) = delete;

    // The window class, for dialog templates; a well made from a template is
    // taken over with SubclassDlgItem.
    static LPCWSTR GetWindowClassName();
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The engine that renders materials (not owned; null: a solid material
    // shows its colour and others the empty well).
    void SetRenderEngine(CMGLMGDIRenderEngine* pEngine);
    CMGLMGDIRenderEngine* GetRenderEngine() const { return m_pEngine; }

    // Shows a solid colour. A material held stays held (GetMaterial) but is
    // not shown until it is set again.
    void SetSolidColor(COLORREF clrColor);
    // The colour last set, or the colour of the solid material last set.
    COLORREF GetSolidColor() const { return m_clrColor; }

    // Holds a reference to the material (releasing the one held before) and
    // shows it; null shows the solid colour again.
    void SetMaterial(IMGLMaterial* pMaterial);
    // The material held, with a reference for the caller; null when none.
    void GetMaterial(IMGLMaterial** ppMaterial) const;
    bool IsShowingMaterial() const { return m_bShowMaterial && m_pMaterial != nullptr; }

    // How many times the engine has rendered for this well (the rendering
    // is kept until the material or the size changes).
    int GetRenderCount() const { return m_nRenderCount; }
    // The area inside the frame, in client coordinates.
    CRect GetWellRect() const;

    void Paint(HDC hdc);

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void NotifyClicked();
    void DropRendering();
    // Renders the material into the kept bitmap when it is missing.
    bool EnsureRendering(const CRect& rcWell);

    CMGLMGDIRenderEngine* m_pEngine = nullptr;
    IMGLMaterial* m_pMaterial = nullptr;
    COLORREF m_clrColor = RGB(0, 0, 0);
    bool m_bShowMaterial = false;
    bool m_bPressed = false;
    HBITMAP m_hRendering = nullptr;
    CSize m_renderingSize;
    bool m_bRenderingFailed = false;
    int m_nRenderCount = 0;
};
