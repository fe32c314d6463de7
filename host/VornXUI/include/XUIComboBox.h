// The skinned drop-down list: the built-in combo box (CBS_DROPDOWNLIST) with
// its face painted flat in the visual manager's colours, a face height of
// the caller's choosing, and the hover look under the pointer. Items,
// selection, keyboard and the drop-down list are the combo box's own, so
// CBN_SELCHANGE and the other notifications reach the parent as usual.
#pragma once

#include "AfxWin.h"

class CXUIComboBox : public CComboBox
{
    DECLARE_DYNAMIC(CXUIComboBox)
public:
    CXUIComboBox() = default;

    // Any combo-box type given is made a drop-down list; WS_CHILD and
    // WS_VSCROLL are added. The rectangle's height below the face is the
    // room of the dropped list.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The height of the closed control, in pixels (at least 8).
    void SetFaceHeight(int nHeight);
    int GetFaceHeight() const;

    // Appends the items in order; returns how many were added.
    int AddItems(const LPCWSTR* ppszItems, int nCount);
    // The selected item's text, empty when nothing is selected.
    CString GetSelectedText() const;

    // The arrow button at the right end of the face, in client coordinates.
    CRect GetButtonRect() const;
    bool IsHot() const { return m_bHot; }

    void Paint(HDC hdc);

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

private:
    bool m_bHot = false;
};
