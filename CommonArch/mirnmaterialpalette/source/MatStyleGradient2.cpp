#include "MatStyleGradient2.h"

#include "MatStyleGradient2Page.h"

CMatStyleGradient2::CMatStyleGradient2() : VMatStyle(MATERIAL_STYLE_GRADIENT) {}

CErrorAutoThrow CMatStyleGradient2::GetData(void** ppData)
{
    if (ppData == nullptr)
        return MIRN_ERR_INVALID_ARG;
    if (m_pSettings)
    {
        m_pSettings->AddRef();
        *ppData = static_cast<IMGLObject*>(m_pSettings);
    }
    return MIRN_ERR_NONE;
}

CErrorAutoThrow CMatStyleGradient2::SetData(void* pData)
{
    m_pSettings = static_cast<IMGLObject*>(pData);
    return MIRN_ERR_NONE;
}

CString CMatStyleGradient2::GetTTText()
{
    return LoadResourceString(IDS_MATSTYLE_GRADIENT_TIP);
}

CString CMatStyleGradient2::GetName()
{
    return LoadResourceString(IDS_MATSTYLE_GRADIENT_NAME);
}

CErrorAutoThrow CMatStyleGradient2::SetNonCachedGradientStops(IMGLGradient* pGrad)
{
    m_nNonCached = 0;
    m_pNonCachedStops = pGrad;
    if (!m_pNonCachedStops)
        return MIRN_ERR_INVALID_ARG;
    m_nNonCached = 1;
    return MIRN_ERR_NONE;
}

bool CMatStyleGradient2::GetNonCachedGradientStops(IMGLGradient* pDest)
{
    if (pDest == nullptr || !m_pNonCachedStops || m_nNonCached != 1)
        return false;

    CComPtr<IMGLObject> pSource;
    CComPtr<IMGLObject> pTarget;
    m_pNonCachedStops->QueryInterface(IID_OF(IMGLObject), reinterpret_cast<void**>(&pSource));
    pDest->QueryInterface(IID_OF(IMGLObject), reinterpret_cast<void**>(&pTarget));
    if (!pSource || !pTarget)
        return false;

    CErrorAutoThrow error;
    pTarget->RemoveChildren(error);
    for (int i = 0; i < pSource->GetChildCount(); ++i)
    {
        IMGLObject* pChild = nullptr;
        pSource->GetChild(error, i, &pChild);
        if (pChild == nullptr)
            continue;
        pTarget->AppendChild(error, pChild, true);
        pChild->Release();
    }
    return true;
}

CMatPropertiesPage* CMatStyleGradient2::GetSettingsPage(CWnd* pParent, CRect& rect)
{
    auto* pPage = new CMatStyleGradient2Page(nullptr);
    pPage->SetData(static_cast<IMGLObject*>(m_pSettings));
    if (m_nNonCached == 1 && m_pNonCachedStops)
    {
        CErrorAutoThrow error = pPage->SetNonCachedGradientStops(m_pNonCachedStops);
        error.Clear();
    }
    pPage->CreateAsChild(rect, pParent);
    return pPage;
}

void CMatStyleGradient2::ReleaseSettingsPage(CMatPropertiesPage* pPage, bool bApply)
{
    if (pPage == nullptr)
        return;
    // An edited gradient is stored first, so that the settings read below
    // name it.
    if (bApply && pPage->IsKindOf(RUNTIME_CLASS(CMatStyleGradient2Page)))
        static_cast<CMatStyleGradient2Page*>(pPage)->SaveChangedGradAndApply();
    if (bApply)
    {
        m_pSettings = nullptr;
        void* pData = nullptr;
        pPage->GetData(&pData, false);
        if (pData != nullptr)
            m_pSettings.Attach(static_cast<IMGLObject*>(pData));
        if (!pPage->IsNonCached())
        {
            m_pNonCachedStops = nullptr;
            m_nNonCached = 0;
        }
    }
    DestroySettingsPage(pPage);
}
