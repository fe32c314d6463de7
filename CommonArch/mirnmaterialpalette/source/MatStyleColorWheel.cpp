#include "MatStyleColorWheel.h"

#include "MatColorBlock.h"
#include "MatStyleColorWheelPage.h"
#include "MatStyleSolidPalettedPage.h"

CMatStyleColorWheel::CMatStyleColorWheel() : VMatStyle(MATERIAL_STYLE_SOLID)
{
    m_bCurrent = true;
    m_strTTText = LoadResourceString(IDS_MATSTYLE_SOLID_TIP);
}

CErrorAutoThrow CMatStyleColorWheel::GetData(void** ppData)
{
    if (ppData == nullptr)
        return MIRN_ERR_INVALID_ARG;
    *ppData = MakeColorBlock(m_clrColor);
    return MIRN_ERR_NONE;
}

CErrorAutoThrow CMatStyleColorWheel::SetData(void* pData)
{
    if (pData == nullptr)
        return MIRN_ERR_INVALID_ARG;
    m_clrColor = TakeColorBlock(pData);
    return MIRN_ERR_NONE;
}

CString CMatStyleColorWheel::GetName()
{
    return LoadResourceString(IDS_MATSTYLE_SOLID_NAME);
}

CMatPropertiesPage* CMatStyleColorWheel::GetSettingsPage(CWnd* pParent, CRect& rect)
{
    if (UsePalettedColorPage(m_eColorMode))
    {
        auto* pPage = new CMatStyleSolidPalettedPage(m_clrColor, nullptr);
        pPage->SetPalIdx(m_nPalIdx);
        pPage->SetInitialPalIdx(m_nPalIdx);
        pPage->SetColorMode(m_eColorMode);
        pPage->CreateAsChild(rect, pParent);
        return pPage;
    }
    auto* pPage = new CMatStyleColorWheelPage(m_clrColor, nullptr);
    pPage->SetWheelFlag(m_bWheelFlag);
    pPage->CreateAsChild(rect, pParent);
    pPage->SetColorMatching(m_bColorMatching);
    return pPage;
}

void CMatStyleColorWheel::ReleaseSettingsPage(CMatPropertiesPage* pPage, bool bApply)
{
    if (pPage == nullptr)
        return;
    if (bApply)
    {
        if (pPage->IsKindOf(RUNTIME_CLASS(CMatStyleColorWheelPage)))
        {
            m_clrColor = static_cast<CMatStyleColorWheelPage*>(pPage)->GetColor();
        }
        else if (pPage->IsKindOf(RUNTIME_CLASS(CMatStyleSolidPalettedPage)))
        {
            auto* pPaletted = static_cast<CMatStyleSolidPalettedPage*>(pPage);
            m_clrColor = pPaletted->GetColor();
            m_nPalIdx = pPaletted->GetPalIdx();
        }
    }
    DestroySettingsPage(pPage);
}
