#include "MatStyleSolid.h"

#include "MatColorBlock.h"
#include "MatStyleSolid24Page.h"
#include "MatStyleSolidPalettedPage.h"

CMatStyleSolid::CMatStyleSolid() : VMatStyle(MATERIAL_STYLE_SOLID)
{
    m_bCurrent = true;
    m_strTTText = LoadResourceString(IDS_MATSTYLE_SOLID_TIP);
}

CErrorAutoThrow CMatStyleSolid::GetData(void** ppData)
{
    if (ppData == nullptr)
        return MIRN_ERR_INVALID_ARG;
    *ppData = MakeColorBlock(m_clrColor);
    return MIRN_ERR_NONE;
}

CErrorAutoThrow CMatStyleSolid::SetData(void* pData)
{
    if (pData == nullptr)
        return MIRN_ERR_INVALID_ARG;
    m_clrColor = TakeColorBlock(pData);
    return MIRN_ERR_NONE;
}

CString CMatStyleSolid::GetName()
{
    return LoadResourceString(IDS_MATSTYLE_SOLID_NAME);
}

CMatPropertiesPage* CMatStyleSolid::GetSettingsPage(CWnd* pParent, CRect& rect)
{
    if (UsePalettedColorPage(m_eColorMode))
    {
        auto* pPage = new CMatStyleSolidPalettedPage(m_clrColor, nullptr);
        pPage->SetInitialPalIdx(m_nPalIdx);
        pPage->SetPalIdx(m_nPalIdx);
        pPage->SetColorMode(m_eColorMode);
        pPage->CreateAsChild(rect, pParent);
        return pPage;
    }
    auto* pPage = new CMatStyleSolid24Page(m_clrColor, nullptr);
    pPage->CreateAsChild(rect, pParent);
    pPage->SetColorMatching(m_bColorMatching);
    return pPage;
}

void CMatStyleSolid::ReleaseSettingsPage(CMatPropertiesPage* pPage, bool bApply)
{
    if (pPage == nullptr)
        return;
    if (bApply)
    {
        if (pPage->IsKindOf(RUNTIME_CLASS(CMatStyleSolid24Page)))
        {
            m_clrColor = static_cast<CMatStyleSolid24Page*>(pPage)->GetColor();
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
