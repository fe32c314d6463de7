#include "MatStylePattern2.h"

#include "MatStyleContent.h"
#include "MatStylePattern2Page.h"

CMatStylePattern2::CMatStylePattern2() : VMatStyle(MATERIAL_STYLE_PATTERN) {}

CErrorAutoThrow CMatStylePattern2::GetData(void** ppData)
{
    return LendSettings(m_pSettings, ppData, true);
}

CErrorAutoThrow CMatStylePattern2::SetData(void* pData)
{
    return SetPatternSettings(*this, pData);
}

CString CMatStylePattern2::GetTTText()
{
    return LoadResourceString(IDS_MATSTYLE_PATTERN_TIP);
}

CString CMatStylePattern2::GetName()
{
    return LoadResourceString(IDS_MATSTYLE_PATTERN_NAME);
}

CErrorAutoThrow CMatStylePattern2::SetNonCachedPattern(CRowIterator& image, CRowIterator& thumb)
{
    return StoreNonCachedImages(m_oNonCachedImage, m_oNonCachedThumb, m_nNonCached, image, thumb);
}

bool CMatStylePattern2::GetNonCachedPattern(CRowIterator& out, bool bThumbnail)
{
    return LendNonCachedImage(m_oNonCachedImage, m_oNonCachedThumb, out, bThumbnail);
}

CMatPropertiesPage* CMatStylePattern2::GetSettingsPage(CWnd* pParent, CRect& rect)
{
    return OpenPatternPage<CMatStylePattern2Page>(*this, pParent, rect);
}

void CMatStylePattern2::ReleaseSettingsPage(CMatPropertiesPage* pPage, bool bApply)
{
    ClosePatternPage<CMatStylePattern2Page>(*this, pPage, bApply);
}
