// A bitmap button of the Materials pane (the swap and black/white buttons):
// it sizes itself to its bitmap, paints it at its top right on the pane's
// background and posts one fixed message to its parent when clicked.
#pragma once

#include "AfxWin.h"
#include "GdiObjects.h"

class CMaterialButton : public CButton
{
    DECLARE_DYNAMIC(CMaterialButton)
public:
    CMaterialButton() = default;
    ~CMaterialButton() override;

    // With bMappedColours the bitmap is resource nBitmapId with light grey
    // shown in the pane's background and black in the glyph colour;
    // otherwise it is the image at strImagePath matched to the display.
    // A click posts nMessage with wParam the button's identifier.
    BOOL Create(UINT nID, CRect& rect, CWnd* pParent, UINT nBitmapId, UINT nMessage, bool bMappedColours,
                CString strImagePath);

    HBITMAP GetBitmap() const { return m_hBitmap; }
    CSize GetBitmapSize() const { return m_sizeBitmap; }

protected:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    afx_msg void OnClicked();
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

private:
    // Loads the bitmap as the button was told to; false when there is none.
    bool LoadButtonBitmap();
    void FreeBitmap();

    HBITMAP m_hBitmap = nullptr;
    CSize m_sizeBitmap;
    UINT m_nBitmapId = 0;
    UINT m_nMessage = 0;
    bool m_bMappedColours = false;
    CString m_strImagePath;
};
