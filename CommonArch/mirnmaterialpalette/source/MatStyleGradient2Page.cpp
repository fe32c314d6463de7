#include "MatStyleGradient2Page.h"

IMPLEMENT_DYNAMIC(CMatStyleGradient2Page, CMatPropertiesPage)

CMatStyleGradient2Page::CMatStyleGradient2Page(CWnd* pParent)
    : CMatPropertiesPage(IDD_MATSTYLE_GRADIENT2_PAGE, pParent)
{
}

void CMatStyleGradient2Page::RevertToPrev()
{
    m_pSettings = m_pInitialSettings;
}

// The page keeps no values of its own in the registry until its controls do.
void CMatStyleGradient2Page::LoadSettings(IRegistry*, CString) {}
void CMatStyleGradient2Page::SaveSettings(IRegistry*, CString) {}

bool CMatStyleGradient2Page::SetData(void* pData)
{
    m_pSettings = static_cast<IMGLObject*>(pData);
    if (!m_pInitialSettings)
        m_pInitialSettings = m_pSettings;
    return true;
}

bool CMatStyleGradient2Page::GetData(void** ppData, bool)
{
    if (ppData == nullptr || !m_pSettings)
        return false;
    m_pSettings->AddRef();
    *ppData = static_cast<IMGLObject*>(m_pSettings);
    return true;
}

bool CMatStyleGradient2Page::IsNonCached()
{
    return m_pNonCachedStops != nullptr;
}

CErrorAutoThrow CMatStyleGradient2Page::SetNonCachedGradientStops(IMGLGradient* pStops)
{
    m_pNonCachedStops = pStops;
    return pStops != nullptr ? MIRN_ERR_NONE : MIRN_ERR_INVALID_ARG;
}

bool CMatStyleGradient2Page::SaveChangedGradAndApply()
{
    return false;
}
