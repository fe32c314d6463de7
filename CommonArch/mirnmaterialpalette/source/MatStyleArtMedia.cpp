#include "MatStyleArtMedia.h"

#include "MatStyleSolid24Page.h"

CMatStyleArtMedia::CMatStyleArtMedia() : VMatStyle(MATERIAL_STYLE_ART_MEDIA)
{
    m_bCurrent = true;
    m_strTTText = LoadResourceString(IDS_MATSTYLE_ARTMEDIA_TIP);
}

CErrorAutoThrow CMatStyleArtMedia::GetData(void** ppData)
{
    if (ppData == nullptr)
        return MIRN_ERR_INVALID_ARG;
    if (m_pArt)
    {
        m_pArt->AddRef();
        *ppData = static_cast<IMGLArt*>(m_pArt);
    }
    return MIRN_ERR_NONE;
}

CErrorAutoThrow CMatStyleArtMedia::SetData(void* pData)
{
    // Hold the object while the old art goes: it may be the same one.
    CComPtr<IUnknown> pHold(static_cast<IUnknown*>(pData));
    m_pArt = nullptr;
    if (pHold)
        pHold->QueryInterface(IID_OF(IMGLArt), reinterpret_cast<void**>(&m_pArt));
    return MIRN_ERR_NONE;
}

CString CMatStyleArtMedia::GetName()
{
    return LoadResourceString(IDS_MATSTYLE_SOLID_NAME);
}

CErrorAutoThrow CMatStyleArtMedia::SetNonCachedArt(IMGLArt* pArt)
{
    m_nNonCached = 0;
    m_pNonCachedArt = pArt;
    if (!m_pNonCachedArt)
        return MIRN_ERR_INVALID_ARG;
    m_nNonCached = 1;
    return MIRN_ERR_NONE;
}

bool CMatStyleArtMedia::GetNonCachedArt(IMGLArt* pDest)
{
    if (pDest == nullptr || !m_pNonCachedArt || m_nNonCached != 1)
        return false;
    CErrorAutoThrow error;
    const COLORREF* pPrimary = nullptr;
    const COLORREF* pSecondary = nullptr;
    int nThird = 0;
    bool bSecondaryFirst = false;
    m_pNonCachedArt->GetContent(error, &pPrimary, &pSecondary, nThird, bSecondaryFirst);
    // Copy the colours before writing: the destination may be the source.
    const bool bHasPrimary = pPrimary != nullptr;
    const bool bHasSecondary = pSecondary != nullptr;
    const COLORREF clrPrimary = bHasPrimary ? *pPrimary : 0;
    const COLORREF clrSecondary = bHasSecondary ? *pSecondary : 0;
    if (bSecondaryFirst)
    {
        if (bHasSecondary)
            pDest->SetSecondaryColor(error, clrSecondary, nThird);
        if (bHasPrimary)
            pDest->SetColor(error, clrPrimary);
    }
    else
    {
        if (bHasPrimary)
            pDest->SetColor(error, clrPrimary);
        if (bHasSecondary)
            pDest->SetSecondaryColor(error, clrSecondary, nThird);
    }
    return true;
}

CMatPropertiesPage* CMatStyleArtMedia::GetSettingsPage(CWnd* pParent, CRect& rect)
{
    COLORREF clrColor = 0;
    if (m_pArt)
    {
        CErrorAutoThrow error;
        const COLORREF* pPrimary = nullptr;
        const COLORREF* pSecondary = nullptr;
        int nThird = 0;
        bool bSecondaryFirst = false;
        m_pArt->GetContent(error, &pPrimary, &pSecondary, nThird, bSecondaryFirst);
        if (pPrimary != nullptr)
            clrColor = *pPrimary;
        else if (pSecondary != nullptr)
            clrColor = *pSecondary;
    }
    auto* pPage = new CMatStyleSolid24Page(clrColor & 0x00FFFFFF, nullptr);
    pPage->CreateAsChild(rect, pParent);
    pPage->SetColorMatching(m_bColorMatching);
    return pPage;
}

void CMatStyleArtMedia::ReleaseSettingsPage(CMatPropertiesPage* pPage, bool bApply)
{
    if (pPage == nullptr)
        return;
    if (bApply && m_pArt && pPage->IsKindOf(RUNTIME_CLASS(CMatStyleSolid24Page)))
    {
        CErrorAutoThrow error;
        m_pArt->SetColor(error, static_cast<CMatStyleSolid24Page*>(pPage)->GetColor() | 0xFF000000);
    }
    DestroySettingsPage(pPage);
}
