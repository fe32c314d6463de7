// A tooltip window its owner shows and hides at will: a text tip, or a
// colour tip with a swatch of the colour beside its values (and a title and
// palette index when given). It sits next to the pointer, kept on the work
// area, never takes the focus or the mouse, and follows the owner away.
#pragma once

#include "AfxWin.h"
#include "MGLObjects.h"

class CFlexibleToolTipContainer
{
public:
    CFlexibleToolTipContainer() = default;
    ~CFlexibleToolTipContainer();
    CFlexibleToolTipContainer(const CFlexibleToolTipContainer&) = delete;
    CFlexibleToolTipContainer& operator=(const CFlexibleToolTipContainer&) = delete;

    // The window the tips belong to (their owner is its top-level window).
    // Showing creates the tip window on first use if Create was not called.
    bool Create(CWnd* pOwner);

    // Shows a text tip (lines separated by "\n") next to a screen point, or
    // next to the pointer when none is given.
    void ShowToolTip(const CString& strText, const POINT* pptScreen = nullptr);
    // Shows a colour tip: the title (when not empty), the colour's red,
    // green and blue values, its hexadecimal form, and the palette index
    // when it is not negative.
    void ShowToolTipColor(COLORREF clrColor, const CString& strTitle = CString(), int nPaletteIndex = -1,
                          const POINT* pptScreen = nullptr);
    void HideToolTip();

    bool IsToolTipVisible() const;
    HWND GetSafeHwnd() const { return m_hTip; }
    // What the tip shows: its lines, and for a colour tip the colour.
    const CString& GetToolTipText() const { return m_strText; }
    bool IsColorToolTip() const { return m_bColor; }
    COLORREF GetToolTipColor() const { return m_clrColor; }
    // The colour swatch in the tip's client coordinates (empty for a text tip).
    CRect GetSwatchRect() const;

    // The text that describes a material: its kind with its colour or the
    // name of its gradient, pattern or texture, and its texture on a second
    // line when it has one.
    static CString GetMaterialToolTipString(IMGLMaterial* pMaterial);
    // "R: 255  G: 128  B: 0" and "#FF8000".
    static CString GetColorValuesText(COLORREF clrColor);
    static CString GetColorHexText(COLORREF clrColor);

    void Paint(HDC hdc);

private:
    static LRESULT CALLBACK TipProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    bool EnsureWindow();
    void Show(const POINT* pptScreen);
    CSize MeasureText(HDC hdc) const;

    HWND m_hOwner = nullptr;
    HWND m_hTip = nullptr;
    CString m_strText;
    bool m_bColor = false;
    COLORREF m_clrColor = 0;
};
