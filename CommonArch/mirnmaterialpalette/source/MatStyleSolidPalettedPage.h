// The paletted solid colour page: a colour chosen from the image's palette.
// Its controls come later; for now the page is an empty child dialog that
// holds the colour, the palette index and the colour mode it edits.
#pragma once

#include "MatPropertiesPage.h"
#include "MatStyle.h"

#define IDD_MATSTYLE_SOLID_PALETTED_PAGE 15109

class CMatStyleSolidPalettedPage : public CMatPropertiesPage
{
    DECLARE_DYNAMIC(CMatStyleSolidPalettedPage)
public:
    CMatStyleSolidPalettedPage(COLORREF clrColor, CWnd* pParent);

    void RevertToPrev() override;
    void LoadSettings(IRegistry* pReg, CString strKey) override;
    void SaveSettings(IRegistry* pReg, CString strKey) override;
    bool SetData(void* pData) override;
    bool GetData(void** ppData, bool bPreview) override;

    COLORREF GetColor() const { return m_clrColor; }
    void SetColor(COLORREF clrColor) { m_clrColor = clrColor & 0x00FFFFFF; }
    // The current palette index, and the one the page was opened with.
    int GetPalIdx() const { return m_nPalIdx; }
    void SetPalIdx(int nIndex) { m_nPalIdx = nIndex; }
    int GetInitialPalIdx() const { return m_nInitialPalIdx; }
    void SetInitialPalIdx(int nIndex) { m_nInitialPalIdx = nIndex; }
    EColorMode GetColorMode() const { return m_eColorMode; }
    void SetColorMode(EColorMode eMode) { m_eColorMode = eMode; }

protected:
    COLORREF m_clrColor;
    COLORREF m_clrInitial;
    int m_nPalIdx = -1;
    int m_nInitialPalIdx = -1;
    EColorMode m_eColorMode = COLOR_MODE_HOST_DECIDES;
};
