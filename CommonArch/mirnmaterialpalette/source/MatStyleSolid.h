// The solid colour style: a colour, its index in a paletted image, whether
// colour matching is on and the colour mode of the current image. Its data
// block is a heap colour that the receiver frees.
#pragma once

#include "MatStyle.h"

#define IDS_MATSTYLE_SOLID_TIP 15439
#define IDS_MATSTYLE_SOLID_NAME 15443

class CMatStyleSolid : public VMatStyle
{
public:
    CMatStyleSolid();
    CMatStyleSolid(const CMatStyleSolid& other) = default;
    CMatStyleSolid& operator=(const CMatStyleSolid& other) = default;
    ~CMatStyleSolid() override = default;

    CErrorAutoThrow GetData(void** ppData) override;
    CErrorAutoThrow SetData(void* pData) override;
    bool IsValid() override { return true; }
    CMatPropertiesPage* GetSettingsPage(CWnd* pParent, CRect& rect) override;
    void ReleaseSettingsPage(CMatPropertiesPage* pPage, bool bApply) override;
    CString GetTTText() override { return m_strTTText; }
    CString GetName() override;

    int GetPalIdx() const { return m_nPalIdx; }
    void SetPalIdx(int nIndex) { m_nPalIdx = nIndex; }
    void DisableColorMatching(bool bDisable) { m_bColorMatching = !bDisable; }
    void SetColorMode(EColorMode eMode) { m_eColorMode = eMode; }

    int m_nPalIdx = -1;
    bool m_bColorMatching = true;
    COLORREF m_clrColor = 0x000000FF;
    CString m_strTTText;
    EColorMode m_eColorMode = COLOR_MODE_HOST_DECIDES;
};
