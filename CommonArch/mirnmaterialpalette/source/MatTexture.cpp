#include "MatTexture.h"

CErrorAutoThrow CMatTexture::GetData(void** ppData)
{
    if (ppData == nullptr)
        return MIRN_ERR_INVALID_ARG;
    if (m_pSettings)
        m_pSettings->AddRef();
    *ppData = static_cast<IMGLObject*>(m_pSettings);
    return MIRN_ERR_NONE;
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
    {
        m_oNonCachedImage.Detach();
        m_oNonCachedThumb.Detach();
        m_nNonCached = 0;
    }
    return MIRN_ERR_NONE;
}

CErrorAutoThrow CMatTexture::SetNonCachedTexture(CRowIterator& image, CRowIterator& thumb)
{
    m_oNonCachedImage.Detach();
    m_oNonCachedThumb.Detach();
    m_nNonCached = 0;
    if (image.IsAttached())
        m_oNonCachedImage = image;
    if (thumb.IsAttached())
        m_oNonCachedThumb = thumb;
    if (!m_oNonCachedImage.IsAttached() || !m_oNonCachedThumb.IsAttached())
        return MIRN_ERR_INVALID_ARG;
    m_nNonCached = 1;
    return MIRN_ERR_NONE;
}

bool CMatTexture::GetNonCachedTexture(CRowIterator& out, bool bThumbnail)
{
    const CRowIteratorBands& source = bThumbnail ? m_oNonCachedThumb : m_oNonCachedImage;
    if (!source.IsAttached())
        return false;
    out.Detach();
    out = source;
    return true;
}
