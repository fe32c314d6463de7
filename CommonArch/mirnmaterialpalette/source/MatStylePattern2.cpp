#include "MatStylePattern2.h"

#include "MatStylePattern2Page.h"

CMatStylePattern2::CMatStylePattern2() : VMatStyle(MATERIAL_STYLE_PATTERN) {}

CErrorAutoThrow CMatStylePattern2::GetData(void** ppData)
{
    if (ppData == nullptr)
        return MIRN_ERR_INVALID_ARG;
    if (m_pSettings)
        m_pSettings->AddRef();
    *ppData = static_cast<IMGLObject*>(m_pSettings);
    return MIRN_ERR_NONE;
}

CErrorAutoThrow CMatStylePattern2::SetData(void* pData)
{
    m_pSettings = static_cast<IMGLObject*>(pData);
    m_oNonCachedImage.Detach();
    m_oNonCachedThumb.Detach();
    m_nImmediateIdx = -1;
    m_nNonCached = 0;
    return MIRN_ERR_NONE;
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

bool CMatStylePattern2::GetNonCachedPattern(CRowIterator& out, bool bThumbnail)
{
    const CRowIteratorBands& source = bThumbnail ? m_oNonCachedThumb : m_oNonCachedImage;
    if (!source.IsAttached())
        return false;
    out.Detach();
    out = source;
    return true;
}

// The window is made before the data is given: the page fills its controls
// from the data.
CMatPropertiesPage* CMatStylePattern2::GetSettingsPage(CWnd* pParent, CRect& rect)
{
    auto* pPage = new CMatStylePattern2Page(nullptr);
    pPage->EnableImmediatePatterns(m_bImmediate);
    pPage->CreateAsChild(rect, pParent);
    pPage->SetData(static_cast<IMGLObject*>(m_pSettings));
    if (m_bImmediate && m_nNonCached != 0 && m_oNonCachedImage.IsAttached() && m_oNonCachedThumb.IsAttached())
    {
        CErrorAutoThrow error = pPage->SetNonCachedPattern(m_oNonCachedImage, m_oNonCachedThumb);
        error.Clear();
    }
    return pPage;
}

void CMatStylePattern2::ReleaseSettingsPage(CMatPropertiesPage* pPage, bool bApply)
{
    if (pPage == nullptr)
        return;
    if (bApply)
    {
        m_pSettings = nullptr;
        void* pData = nullptr;
        pPage->GetData(&pData, false);
        if (pData != nullptr)
            m_pSettings.Attach(static_cast<IMGLObject*>(pData));
        if (pPage->IsKindOf(RUNTIME_CLASS(CMatStylePattern2Page)))
            m_nImmediateIdx = static_cast<CMatStylePattern2Page*>(pPage)->GetImmediateIdx();
        if (!pPage->IsNonCached())
        {
            m_oNonCachedImage.Detach();
            m_oNonCachedThumb.Detach();
            m_nNonCached = 0;
        }
    }
    DestroySettingsPage(pPage);
}
