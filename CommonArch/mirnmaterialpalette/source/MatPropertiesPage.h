// The base of every style settings page: a dialog made from its template as
// a child of the properties dialog, painted in the pane's colours, that turns
// Enter and Escape into a cancel of its parent and hands the tab navigation
// keys to the parent.
#pragma once

#include "AfxWin.h"
#include "GdiObjects.h"
#include "VornServices.h"

// The message a page sends its parent for Control+Tab, Control+Page Up and
// Control+Page Down: wParam the key, lParam 8 plus 4 when Shift is held.
#define WM_MATPAGE_TABNAV 0x80A4
#define MATPAGE_TABNAV_CONTROL 8
#define MATPAGE_TABNAV_SHIFT 4

// The style bits a page's template keeps when it becomes a child, and the
// ones set then (child window, control dialog).
#define MATPAGE_CHILD_KEEP_MASK 0x0E30FB7Du
#define MATPAGE_CHILD_STYLE 0x40000400u

class CMatPropertiesPage : public CDialog
{
    DECLARE_DYNAMIC(CMatPropertiesPage)
public:
    CMatPropertiesPage(UINT nIDTemplate, CWnd* pParent);
    ~CMatPropertiesPage() override;

    // Creates the page from its template as a child of pParent at rc (in
    // pixels of the parent's client area); non-zero on success.
    int CreateAsChild(RECT rc, CWnd* pParent);

    // Asked by numeric edits of the page; 0 lets the edit go on.
    virtual int EditChange(int nControlId, int nValue);
    // Restores what the page showed when it was opened.
    virtual void RevertToPrev() = 0;
    virtual void LoadSettings(IRegistry* pReg, CString strKey) = 0;
    virtual void SaveSettings(IRegistry* pReg, CString strKey) = 0;
    // Takes the style's data and hands out the page's, in the style's format.
    virtual bool SetData(void* pData) = 0;
    virtual bool GetData(void** ppData, bool bPreview) = 0;
    virtual bool IsNonCached() { return false; }
    virtual bool IsImmediate() { return false; }
    virtual void OnColorDropper(DWORD clr, short nFlags);
    virtual bool BeforeAddToSwatch() { return true; }
    virtual bool UpdateSwatches() { return true; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

    COLORREF GetBackColor() const { return m_clrBack; }
    COLORREF GetTextColor() const { return m_clrText; }
    const CRect& GetChildRect() const { return m_rcChild; }
    bool IsCreatedAsChild() const { return m_bChild != 0; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();

    COLORREF m_clrBack = 0;
    COLORREF m_clrText = 0;
    CBrush m_brBack;
    CRect m_rcChild;
    int m_bChild = 0;

    DECLARE_MESSAGE_MAP()

private:
    // The rewritten template the child window was made from.
    SDialogTemplate m_childTemplate;
};
