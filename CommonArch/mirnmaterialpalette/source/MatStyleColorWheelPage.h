// The colour wheel page with colour harmonies. Its wheel and controls come
// later; for now the page is an empty child dialog that holds the colour it
// edits, its colour-matching flag and the swatch filter flag.
#pragma once

#include "MatPropertiesPage.h"

#define IDD_MATSTYLE_COLORWHEEL_PAGE 15102

class CMatStyleColorWheelPage : public CMatPropertiesPage
{
    DECLARE_DYNAMIC(CMatStyleColorWheelPage)
public:
    CMatStyleColorWheelPage(COLORREF clrColor, CWnd* pParent);

    void RevertToPrev() override;
    void LoadSettings(IRegistry* pReg, CString strKey) override;
    void SaveSettings(IRegistry* pReg, CString strKey) override;
    bool SetData(void* pData) override;
    bool GetData(void** ppData, bool bPreview) override;

    COLORREF GetColor() const { return m_clrColor; }
    void SetColor(COLORREF clrColor) { m_clrColor = clrColor & 0x00FFFFFF; }
    void SetColorMatching(bool bEnable) { m_bColorMatching = bEnable; }
    bool IsColorMatching() const { return m_bColorMatching; }
    void SetWheelFlag(bool bFlag) { m_bWheelFlag = bFlag; }
    bool GetWheelFlag() const { return m_bWheelFlag; }
    // The swatch view's filter: 128 when the wheel is shown on its own, else 1.
    int GetSwatchFilter() const { return m_bWheelFlag ? 128 : 1; }

protected:
    bool m_bColorMatching = true;
    COLORREF m_clrColor;
    COLORREF m_clrInitial;
    bool m_bWheelFlag = false;
};
