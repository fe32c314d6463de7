// Bitmap buttons of the host's controls module: a flat button showing a
// bitmap, with a check state when made as a check box; and a flyout button
// that opens a menu of bitmap items, each with a kind and a tooltip, and
// shows the item chosen.
#pragma once

#include "AfxWin.h"

#include <vector>

// A flat button showing a bitmap centred on a background colour (the
// visual colour 1607 unless one is set). Made with BS_AUTOCHECKBOX (with or
// without BS_PUSHLIKE) it toggles its check state on each click and shows
// checked in the highlight colour; made as a push button it only clicks.
// Either way a click sends BN_CLICKED to the parent.
class CMirnBitmapButton : public CButton
{
    DECLARE_DYNAMIC(CMirnBitmapButton)
public:
    CMirnBitmapButton() = default;
    ~CMirnBitmapButton() override;
    BOOL Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The bitmap shown. With bOwn the button deletes it when it is replaced
    // or the button goes away.
    void SetImage(HBITMAP hBitmap, bool bOwn = true);
    HBITMAP GetImage() const { return m_hImage; }
    // Loads an image by path at the display's scale; false (image kept)
    // when it cannot be loaded.
    bool SetImagePath(LPCWSTR pszPath);
    // Loads a bitmap resource of the resource chain; false (image kept)
    // when there is none.
    bool SetBitmapResource(UINT nBitmapId);

    void SetBackgroundColor(COLORREF clrBackground);
    // Back to the visual manager's colour.
    void ClearBackgroundColor();
    COLORREF GetBackgroundColor() const;

    virtual void Paint(HDC hdc);

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    HBITMAP m_hImage = nullptr;
    bool m_bOwnImage = false;
    bool m_bCustomBackground = false;
    COLORREF m_clrBackground = 0;
};

// A bitmap button that opens a menu of items below itself when pressed
// (mouse, space bar or down arrow). Each item has a bitmap, a kind (its
// command in the menu, above zero) and a tooltip text. Choosing an item
// other than the selected one selects it, shows its bitmap on the button
// and sends BN_CLICKED to the parent, which reads the kind with
// GetSelectedItem; choosing the selected item again, or dismissing the
// menu, tells the parent nothing.
class CFlyoutBitmapButton : public CMirnBitmapButton
{
    DECLARE_DYNAMIC(CFlyoutBitmapButton)
public:
    CFlyoutBitmapButton() = default;
    ~CFlyoutBitmapButton() override;

    // Appends an item; the button owns the bitmap from then on (also when
    // the item is refused: a kind not above zero or one already held).
    bool AddItem(HBITMAP hBitmap, int nKind, LPCWSTR pszToolTip);
    // The same with an image by path; false when it cannot be loaded.
    bool AddItem(LPCWSTR pszImagePath, int nKind, LPCWSTR pszToolTip);
    void RemoveAllItems();
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    // The kind of the item at a position, or -1.
    int GetItemKind(int nIndex) const;
    // The tooltip text of the item of a kind (empty when none).
    CString GetItemToolTip(int nKind) const;
    // Items of a kind may be greyed in the menu.
    void EnableItem(int nKind, bool bEnable);
    bool IsItemEnabled(int nKind) const;

    // Selects the item of a kind and shows its bitmap; false when there is
    // no such item. Nothing is sent to the parent.
    bool SelectItem(int nKind);
    // The kind of the selected item, or -1.
    int GetSelectedItem() const { return m_nSelectedKind; }

    // Opens the menu and handles the choice; returns the kind chosen, or 0
    // when the menu was dismissed.
    int ShowMenu();

    void Paint(HDC hdc) override;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    struct SItem
    {
        HBITMAP hBitmap = nullptr;
        int nKind = 0;
        CString strToolTip;
        bool bEnabled = true;
    };
    SItem* FindItem(int nKind);
    const SItem* FindItem(int nKind) const;

    std::vector<SItem> m_items;
    int m_nSelectedKind = -1;
};
