// The skinned controls of the host's user-interface module: a rectangular
// tab set with images and a tooltip per tab, a check box and a tool button
// with a DPI-matched image. Each is the built-in control underneath (so
// input, keyboard, notifications and state are the system's) with its
// painting in the visual manager's colours.
#pragma once

#include "AfxWin.h"

#include <vector>

// A row of rectangular tabs over a body. A tab shows an image from the
// control's image list and, when it has one, a label; its tooltip tells what
// it is. A tab may carry a page window, which is shown while its tab is
// selected and hidden otherwise. Selection changes are the tab control's:
// clicks and arrow keys send TCN_SELCHANGING and TCN_SELCHANGE to the
// parent; SetActiveTab (TCM_SETCURSEL) sends neither.
class CXUIRectTabCtrl : public CTabCtrl
{
    DECLARE_DYNAMIC(CXUIRectTabCtrl)
public:
    CXUIRectTabCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    // Appends a tab; returns its index, or -1 without a window. The tooltip
    // defaults to the label; a tab with neither has no tooltip.
    int AddTab(LPCWSTR pszLabel, int nImage, LPCWSTR pszToolTip = nullptr, CWnd* pPage = nullptr);
    int GetTabCount() const { return GetItemCount(); }
    CString GetTabToolTip(int nTab) const;
    void SetTabToolTip(int nTab, LPCWSTR pszToolTip);
    CWnd* GetTabPage(int nTab) const;

    // Selects a tab and shows its page (no notification); false for an index
    // out of range.
    bool SetActiveTab(int nTab);
    int GetActiveTab() const { return GetCurSel(); }
    // The tab under a client point, or -1.
    int HitTestTab(CPoint pt) const;
    // The tab under the pointer (drawn in the hover colour), or -1.
    int GetHotTab() const { return m_nHotTab; }

    CToolTipCtrl& GetToolTipCtrl() { return m_wndToolTip; }

    void Paint(HDC hdc);

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetCurSelMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetItemMessage(WPARAM wParam, LPARAM lParam);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    DECLARE_MESSAGE_MAP()

private:
    struct STab
    {
        CString strLabel;
        CString strToolTip;
        CWnd* pPage = nullptr;
    };
    // Shows the selected tab's page and hides the others.
    void SyncPages();
    void UpdateToolRects();

    std::vector<STab> m_tabs;
    CToolTipCtrl m_wndToolTip;
    int m_nHotTab = -1;
    bool m_bTracking = false;
};

// A check box drawn flat: a box in the tab border colour with a check mark,
// the label in the pane's text colour on the pane's background. It is the
// built-in check box underneath (BS_AUTOCHECKBOX unless another check-box
// type is given): clicks and the space bar toggle it and send BN_CLICKED.
// A check box made by a dialog template is taken over with SubclassDlgItem.
class CXUICheckBoxButton : public CButton
{
    DECLARE_DYNAMIC(CXUICheckBoxButton)
public:
    CXUICheckBoxButton() = default;
    BOOL Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The box's side in pixels at the current display scale.
    static int BoxSize();
    // The box within the client area.
    CRect GetBoxRect() const;

    void Paint(HDC hdc);

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

// A flat tool button showing an image by path (at the scale that suits the
// display) in a square of the icon dimension, with a tooltip. A click sends
// BN_CLICKED like any push button. The button shows the hover colour under
// the pointer and the pushed colour while pressed.
class CXMFCButton : public CButton
{
    DECLARE_DYNAMIC(CXMFCButton)
public:
    CXMFCButton() = default;
    ~CXMFCButton() override;
    BOOL Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Loads the image; false (and no image) when it cannot be loaded.
    bool SetImagePath(LPCWSTR pszPath);
    const CString& GetImagePath() const { return m_strImagePath; }
    HBITMAP GetImage() const { return m_hImage; }

    // The side of the square the image is drawn in, in 96-DPI pixels (0: the
    // image's own size). The button takes the size that holds the square
    // with a margin, keeping its top-left corner.
    void SetIconDimension(int nDimension);
    int GetIconDimension() const { return m_nIconDimension; }
    // The square the image is drawn in, in client coordinates.
    CRect GetIconRect() const;
    // Sizes the button to its image square and margin.
    void SizeToContent();

    // The tooltip shown when the pointer rests on the button.
    void SetTooltip(LPCWSTR pszText);
    const CString& GetTooltip() const { return m_strTooltip; }
    CToolTipCtrl& GetToolTipCtrl() { return m_wndToolTip; }

    bool IsHot() const { return m_bHot; }
    void Paint(HDC hdc);

    static constexpr int kMargin = 3; // around the image, 96-DPI pixels

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

private:
    CSize IconSize() const;

    HBITMAP m_hImage = nullptr;
    CString m_strImagePath;
    int m_nIconDimension = 0;
    CString m_strTooltip;
    CToolTipCtrl m_wndToolTip;
    bool m_bHot = false;
};
