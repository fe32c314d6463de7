#include "MatTexture.h"

#include "MatStyleContent.h"

CErrorAutoThrow CMatTexture::GetData(void** ppData)
{
    return LendSettings(m_pSettings, ppData, true);
}

CErrorAutoThrow CMatTexture::SetData(void* pData)
{
    m_pSettings = static_cast<IMGLObject*>(pData);
    CString strName;
    MGLReadString(m_pSettings, MGL_PROP_RESOURCE_NAME, strName);
    if (!strName.IsEmpty() && m_nNonCached >= 1)
        DropNonCachedImages(m_oNonCachedImage, m_oNonCachedThumb, m_nNonCached);
    return MIRN_ERR_NONE;
}

CErrorAutoThrow CMatTexture::SetNonCachedTexture(CRowIterator& image, CRowIterator& thumb)
{
    return StoreNonCachedImages(m_oNonCachedImage, m_oNonCachedThumb, m_nNonCached, image, thumb);
}

bool CMatTexture::GetNonCachedTexture(CRowIterator& out, bool bThumbnail)
{
    return LendNonCachedImage(m_oNonCachedImage, m_oNonCachedThumb, out, bThumbnail);
}
