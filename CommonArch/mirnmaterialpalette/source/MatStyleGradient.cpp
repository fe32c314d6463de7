#include "MatStyleGradient.h"

#include "MatStyleContent.h"
#include "MatStyleGradientPage.h"

CMatStyleGradient::CMatStyleGradient() : VMatStyle(MATERIAL_STYLE_GRADIENT) {}

CErrorAutoThrow CMatStyleGradient::GetData(void** ppData)
{
    return LendSettings(m_pSettings, ppData, false);
}

CErrorAutoThrow CMatStyleGradient::SetData(void* pData)
{
    m_pSettings = static_cast<IMGLObject*>(pData);
    return MIRN_ERR_NONE;
}

CString CMatStyleGradient::GetTTText()
{
    return LoadResourceString(IDS_MATSTYLE_GRADIENT_TIP);
}

CString CMatStyleGradient::GetName()
{
    return LoadResourceString(IDS_MATSTYLE_GRADIENT_NAME);
}

CErrorAutoThrow CMatStyleGradient::SetNonCachedGradientStops(IMGLGradient* pGrad)
{
    m_nNonCached = 0;
    m_pNonCachedStops = pGrad;
    if (!m_pNonCachedStops)
        return MIRN_ERR_INVALID_ARG;
    m_nNonCached = 1;
    return MIRN_ERR_NONE;
}

bool CMatStyleGradient::GetNonCachedGradientStops(IMGLGradient* pDest)
{
    return CopyNonCachedStops(m_pNonCachedStops, m_nNonCached, pDest);
}

CMatPropertiesPage* CMatStyleGradient::GetSettingsPage(CWnd* pParent, CRect& rect)
{
    return OpenGradientPage<CMatStyleGradientPage>(*this, pParent, rect);
}

void CMatStyleGradient::ReleaseSettingsPage(CMatPropertiesPage* pPage, bool bApply)
{
    CloseGradientPage(*this, pPage, bApply);
}
