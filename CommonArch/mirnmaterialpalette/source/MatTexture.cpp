#include "MatTexture.h"

#include "MatStyleContent.h"

CErrorAutoThrow CMatTexture::GetData(void** ppData)
{
    return LendSettings(m_pSettings, ppData, true);
}

namespace
{
// The resource name (property 29) of a settings object; empty when it has
// none.
CString ResourceNameOf(IMGLObject* pSettings)
{
    CString strName;
    if (pSettings == nullptr)
        return strName;
    CErrorAutoThrow error;
    CComPtr<IMGLProperty> pProperty;
    pSettings->GetProperty(error, MGL_PROP_RESOURCE_NAME, &pProperty);
    if (!pProperty)
        return strName;
    CComPtr<IMGLValue> pValue;
    pProperty->GetValue(error, &pValue);
    if (!pValue)
        return strName;
    CComPtr<IMGLStringValue> pText;
    pValue->QueryInterface(IID_OF(IMGLStringValue), reinterpret_cast<void**>(&pText));
    if (pText)
        strName = pText->GetString();
    return strName;
}
} // namespace

CErrorAutoThrow CMatTexture::SetData(void* pData)
{
    m_pSettings = static_cast<IMGLObject*>(pData);
    if (!ResourceNameOf(m_pSettings).IsEmpty() && m_nNonCached >= 1)
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
