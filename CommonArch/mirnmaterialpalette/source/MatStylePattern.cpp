#include "MatStylePattern.h"

#include "MatStyleContent.h"
#include "MatStylePatternPage.h"

CMatStylePattern::CMatStylePattern() : VMatStyle(MATERIAL_STYLE_PATTERN) {}

CErrorAutoThrow CMatStylePattern::GetData(void** ppData)
{
    return LendSettings(m_pSettings, ppData, true);
}

CErrorAutoThrow CMatStylePattern::SetData(void* pData)
{
    return SetPatternSettings(*this, pData);
}

CString CMatStylePattern::GetTTText()
{
    return LoadResourceString(IDS_MATSTYLE_PATTERN_TIP);
}

CString CMatStylePattern::GetName()
{
    return LoadResourceString(IDS_MATSTYLE_PATTERN_NAME);
}

CErrorAutoThrow CMatStylePattern::SetNonCachedPattern(CRowIterator& image, CRowIterator& thumb)
{
    return StoreNonCachedImages(m_oNonCachedImage, m_oNonCachedThumb, m_nNonCached, image, thumb);
}

bool CMatStylePattern::GetNonCachedPattern(CRowIterator& out, bool bThumbnail)
{
    return LendNonCachedImage(m_oNonCachedImage, m_oNonCachedThumb, out, bThumbnail);
}

CMatPropertiesPage* CMatStylePattern::GetSettingsPage(CWnd* pParent, CRect& rect)
{
    return OpenPatternPage<CMatStylePatternPage>(*this, pParent, rect);
}

void CMatStylePattern::ReleaseSettingsPage(CMatPropertiesPage* pPage, bool bApply)
{
    ClosePatternPage<CMatStylePatternPage>(*this, pPage, bApply);
}
