#include "MatStyleFakeTexturePage.h"

IMPLEMENT_DYNAMIC(CMatStyleFakeTexturePage, CMatPropertiesPage)

CMatStyleFakeTexturePage::CMatStyleFakeTexturePage(CWnd* pParent)
    : CMatPropertiesPage(IDD_MATSTYLE_TEXTURE_PAGE, pParent)
{
}

void CMatStyleFakeTexturePage::RevertToPrev()
{
    m_pSettings = m_pInitialSettings;
}

// The page keeps no values of its own in the registry until its controls do.
void CMatStyleFakeTexturePage::LoadSettings(IRegistry*, CString) {}
void CMatStyleFakeTexturePage::SaveSettings(IRegistry*, CString) {}

bool CMatStyleFakeTexturePage::SetData(void* pData)
{
    m_pSettings = static_cast<IMGLObject*>(pData);
    if (!m_pInitialSettings)
        m_pInitialSettings = m_pSettings;
    return true;
}

bool CMatStyleFakeTexturePage::GetData(void** ppData, bool)
{
    if (ppData == nullptr || !m_pSettings)
        return false;
    m_pSettings->AddRef();
    *ppData = static_cast<IMGLObject*>(m_pSettings);
    return true;
}
