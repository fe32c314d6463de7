#include "MatStyleGradientPage.h"

IMPLEMENT_DYNAMIC(CMatStyleGradientPage, CMatPropertiesPage)

CMatStyleGradientPage::CMatStyleGradientPage(CWnd* pParent)
    : CMatPropertiesPage(IDD_MATSTYLE_GRADIENT_PAGE, pParent)
{
}

void CMatStyleGradientPage::RevertToPrev()
{
    m_pSettings = m_pInitialSettings;
}

// The page keeps no values of its own in the registry until its controls do.
void CMatStyleGradientPage::LoadSettings(IRegistry*, CString) {}
void CMatStyleGradientPage::SaveSettings(IRegistry*, CString) {}

bool CMatStyleGradientPage::SetData(void* pData)
{
    m_pSettings = static_cast<IMGLObject*>(pData);
    if (!m_pInitialSettings)
        m_pInitialSettings = m_pSettings;
    return true;
}

bool CMatStyleGradientPage::GetData(void** ppData, bool)
{
    if (ppData == nullptr || !m_pSettings)
        return false;
    m_pSettings->AddRef();
    *ppData = static_cast<IMGLObject*>(m_pSettings);
    return true;
}

bool CMatStyleGradientPage::IsNonCached()
{
    return m_pNonCachedStops != nullptr;
}

CErrorAutoThrow CMatStyleGradientPage::SetNonCachedGradientStops(IMGLGradient* pStops)
{
    m_pNonCachedStops = pStops;
    return pStops != nullptr ? MIRN_ERR_NONE : MIRN_ERR_INVALID_ARG;
}
