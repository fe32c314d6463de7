// The colour wheel style: a solid colour style (same kind and data as the
// solid style) whose settings page is the colour wheel with harmonies.
#pragma once

#include "MatStyle.h"

#define IDS_MATSTYLE_SOLID_TIP 15439
#define IDS_MATSTYLE_SOLID_NAME 15443

class CMatStyleColorWheel : public VMatStyle
{
public:
    CMatStyleColorWheel();
    CMatStyleColorWheel(const CMatStyleColorWheel& other) = default;
    CMatStyleColorWheel& operator=(const CMatStyleColorWheel& other) = default;
    ~CMatStyleColorWheel() override = default;

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
    // Set when the wheel is shown on its own; the page filters its swatches
    // by it.
    bool m_bWheelFlag = false;
};
