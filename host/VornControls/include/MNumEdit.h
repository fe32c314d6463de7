// The numeric edit: a one-line edit that holds a whole number within a range.
//
// Typing is filtered to what a number of the edit's kind can hold (decimal
// digits and a leading minus when the range allows negatives, or hexadecimal
// digits). While the user types, the text is left as typed so that a value
// can pass through numbers outside the range on its way; when the edit loses
// the focus or Enter is pressed the text is corrected: a number outside the
// range is brought to the nearest end, text that is no number at all gets
// the last good value back, and the text is rewritten in the edit's format.
//
// An optional buddy (a track bar) is kept at the edit's value whenever the
// text holds a number within the range. An optional ramp painter draws a
// colour strip along the bottom of the edit with a thumb at the value.
#pragma once

#include "AfxWin.h"
#include "MnePainter.h"

class CMNumEdit : public CEdit
{
    DECLARE_DYNAMIC(CMNumEdit)
public:
    CMNumEdit() = default;

    // Creates the edit (WS_CHILD is added) showing the range's minimum.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The range, inclusive; ends given the wrong way round are swapped. The
    // value is brought into the new range.
    void SetRange(int nMin, int nMax);
    void GetRange(int& nMin, int& nMax) const
    {
        nMin = m_nMin;
        nMax = m_nMax;
    }
    int GetRangeMin() const { return m_nMin; }
    int GetRangeMax() const { return m_nMax; }

    // Hexadecimal edits show "%02X" and accept 0-9, A-F and a-f; decimal
    // ones show "%d".
    void SetHexadecimal(bool bHexadecimal);
    bool IsHexadecimal() const { return m_bHexadecimal; }

    // The number the text holds as typed, not limited to the range; false
    // when the text is no number (empty, a lone minus, stray characters).
    bool GetTypedValue(int& nValue) const;
    // The value: the typed number limited to the range, or the last good
    // value when the text is no number.
    int GetValue() const;
    // Shows a value, limited to the range, in the edit's format.
    void SetValue(int nValue);
    // Rewrites the text as the corrected value (see above); returns it.
    int CorrectText();

    // The text of a value in the edit's format.
    CString FormatValue(int nValue) const;
    // A tooltip text: the name and the range as "%s [%d - %d]", cut to 76
    // characters and "..." when it would not fit an 80-character buffer.
    CString FormatRangeTip(LPCWSTR pszName) const;

    // The buddy is not owned; null for none.
    void SetBuddy(CWnd* pBuddy);
    // The buddy's window object, or null when it has none or it is gone.
    CWnd* GetBuddy() const { return m_hBuddy != nullptr ? CWnd::FromHandlePermanent(m_hBuddy) : nullptr; }

    // The painter is not owned; null for none. The strip takes the bottom
    // StripHeight() pixels of the client area.
    void SetPainter(VMnePainter* pPainter);
    VMnePainter* GetPainter() const { return m_pPainter; }
    int StripHeight() const;
    CRect GetStripRect() const;

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg BOOL OnChange();
    DECLARE_MESSAGE_MAP()

private:
    void Paint(HDC hdc);
    bool AcceptsCharacter(wchar_t ch) const;
    void MoveBuddy(int nValue);

    int m_nMin = 0;
    int m_nMax = 100;
    int m_nLastGood = 0;
    bool m_bHexadecimal = false;
    HWND m_hBuddy = nullptr;
    VMnePainter* m_pPainter = nullptr;
};
