#include "MatStyleGradient2.h"

#include "MatStyleContent.h"
#include "MatStyleGradient2Page.h"

CMatStyleGradient2::CMatStyleGradient2() : VMatStyle(MATERIAL_STYLE_GRADIENT) {}

CErrorAutoThrow CMatStyleGradient2::GetData(void** ppData)
{
    return LendSettings(m_pSettings, ppData, false);
}

CErrorAutoThrow CMatStyleGradient2::SetData(void* pData)
{
    m_pSettings = static_cast<IMGLObject*>(pData);
    return MIRN_ERR_NONE;
}

CString CMatStyleGradient2::GetTTText()
{
    return LoadResourceString(IDS_MATSTYLE_GRADIENT_TIP);
}

CString CMatStyleGradient2::GetName()
{
    return LoadResourceString(IDS_MATSTYLE_GRADIENT_NAME);
}

CErrorAutoThrow CMatStyleGradient2::SetNonCachedGradientStops(IMGLGradient* pGrad)
{
    m_nNonCached = 0;
    m_pNonCachedStops = pGrad;
    if (!m_pNonCachedStops)
        return MIRN_ERR_INVALID_ARG;
    m_nNonCached = 1;
    return MIRN_ERR_NONE;
}

bool CMatStyleGradient2::GetNonCachedGradientStops(IMGLGradient* pDest)
{
    return CopyNonCachedStops(m_pNonCachedStops, m_nNonCached, pDest);
}

CMatPropertiesPage* CMatStyleGradient2::GetSettingsPage(CWnd* pParent, CRect& rect)
{
    return OpenGradientPage<CMatStyleGradient2Page>(*this, pParent, rect);
}

void CMatStyleGradient2::ReleaseSettingsPage(CMatPropertiesPage* pPage, bool bApply)
{
    // An edited gradient is stored first, so that the settings read from the
    // page name it.
    if (bApply && pPage != nullptr && pPage->IsKindOf(RUNTIME_CLASS(CMatStyleGradient2Page)))
        static_cast<CMatStyleGradient2Page*>(pPage)->SaveChangedGradAndApply();
    CloseGradientPage(*this, pPage, bApply);
}
