// The class library's dialogs: modal (DoModal runs a nested loop until
// EndDialog), modeless and child dialogs (a page is a dialog made as a
// child), made from dialog templates (DialogTemplate.h).
#pragma once

#include "DialogTemplate.h"
#include "Wnd.h"

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Modeless or child dialogs.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(const SDialogTemplate* pTemplate, CWnd* pParentWnd = nullptr,
                                HINSTANCE hInstance = nullptr);

    // Modal dialogs: the result of EndDialog, IDCANCEL-like -1 when the
    // dialog could not be made or its loop could not go on.
    virtual INT_PTR DoModal();
    BOOL InitModalIndirect(const SDialogTemplate* pTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The modal loop also ends when the dialog was ended through the window
    // call ::EndDialog, with that call's result.
    BOOL ContinueModal() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT lpRect) const;

    UINT m_nIDHelp = 0;

protected:
    virtual void OnOK();
    virtual void OnCancel();
    virtual void PreInitDialog();
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    // Finds the template: the one given directly, else the named resource.
    const SDialogTemplate* LoadTemplate(HINSTANCE& hInstance) const;

    LPCWSTR m_lpszTemplateName = nullptr;
    const SDialogTemplate* m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    std::wstring m_strTemplateName; // keeps a string template name alive
};

// A dialog with a background colour of its own.
class CDialogEx : public CDialog
{
    DECLARE_DYNAMIC(CDialogEx)
public:
    CDialogEx();
    explicit CDialogEx(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialogEx(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    void SetBackgroundColor(COLORREF color, BOOL bRepaint = TRUE);
    COLORREF GetBackgroundColor() const { return m_clrBackground; }
    bool HasBackgroundColor() const { return m_clrBackground != CLR_NONE; }

protected:
    COLORREF m_clrBackground = CLR_NONE;
};

// The dialog procedure of class-library dialogs: WM_INITDIALOG reaches
// OnInitDialog; everything else the message map has already seen.
INT_PTR AfxDlgProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
