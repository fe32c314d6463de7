#include "MatStylePattern2Page.h"

IMPLEMENT_DYNAMIC(CMatStylePattern2Page, CMatPropertiesPage)

CMatStylePattern2Page::CMatStylePattern2Page(CWnd* pParent)
    : CMatPropertiesPage(IDD_MATSTYLE_PATTERN2_PAGE, pParent)
{
}

void CMatStylePattern2Page::RevertToPrev()
{
    m_pSettings = m_pInitialSettings;
    m_nImmediateIdx = -1;
}

// The page keeps no values of its own in the registry until its controls do.
void CMatStylePattern2Page::LoadSettings(IRegistry*, CString) {}
void CMatStylePattern2Page::SaveSettings(IRegistry*, CString) {}

bool CMatStylePattern2Page::SetData(void* pData)
{
    m_pSettings = static_cast<IMGLObject*>(pData);
    if (!m_pInitialSettings)
        m_pInitialSettings = m_pSettings;
    return true;
}

bool CMatStylePattern2Page::GetData(void** ppData, bool)
{
    if (ppData == nullptr || !m_pSettings)
        return false;
    m_pSettings->AddRef();
    *ppData = static_cast<IMGLObject*>(m_pSettings);
    return true;
}

bool CMatStylePattern2Page::IsNonCached()
{
    return m_oNonCachedImage.IsAttached() && m_oNonCachedThumb.IsAttached();
}

bool CMatStylePattern2Page::IsImmediate()
{
    return m_nImmediateIdx >= 0;
}

CErrorAutoThrow CMatStylePattern2Page::SetNonCachedPattern(CRowIterator& image, CRowIterator& thumb)
{
    m_oNonCachedImage.Detach();
    m_oNonCachedThumb.Detach();
    if (!image.IsAttached() || !thumb.IsAttached())
        return MIRN_ERR_INVALID_ARG;
    m_oNonCachedImage = image;
    m_oNonCachedThumb = thumb;
    return MIRN_ERR_NONE;
}

bool CMatStylePattern2Page::GetNonCachedPattern(CRowIterator& out, bool bThumbnail) const
{
    const CRowIteratorBands& source = bThumbnail ? m_oNonCachedThumb : m_oNonCachedImage;
    if (!source.IsAttached())
        return false;
    out = source;
    return true;
}

bool CMatStylePattern2Page::SetImmediateIdx(int nIndex)
{
    if (nIndex >= 0 && !m_bImmediate)
        return false;
    m_nImmediateIdx = nIndex < 0 ? -1 : nIndex;
    return true;
}
