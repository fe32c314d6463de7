// The 24-bit solid colour page. Its controls (colour control, basic colours,
// numeric edits) come later; for now the page is an empty child dialog that
// holds the colour it edits and exchanges it in the solid style's format.
#pragma once

#include "MatPropertiesPage.h"

#define IDD_MATSTYLE_SOLID24_PAGE 15101

class CMatStyleSolid24Page : public CMatPropertiesPage
{
    DECLARE_DYNAMIC(CMatStyleSolid24Page)
public:
    CMatStyleSolid24Page(COLORREF clrColor, CWnd* pParent);

    void RevertToPrev() override;
    void LoadSettings(IRegistry* pReg, CString strKey) override;
    void SaveSettings(IRegistry* pReg, CString strKey) override;
    // A heap colour block, freed here; false for null.
    bool SetData(void* pData) override;
    // A new heap colour block holding the page's colour.
    bool GetData(void** ppData, bool bPreview) override;

    COLORREF GetColor() const { return m_clrColor; }
    void SetColor(COLORREF clrColor) { m_clrColor = clrColor & 0x00FFFFFF; }
    void SetColorMatching(bool bEnable) { m_bColorMatching = bEnable; }
    bool IsColorMatching() const { return m_bColorMatching; }

protected:
    bool m_bColorMatching = true;
    COLORREF m_clrColor;
    COLORREF m_clrInitial;
};
