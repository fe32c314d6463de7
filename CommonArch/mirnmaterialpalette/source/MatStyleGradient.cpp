#include "MatStyleGradient.h"

#include "MatStyleGradientPage.h"

CMatStyleGradient::CMatStyleGradient() : VMatStyle(MATERIAL_STYLE_GRADIENT) {}

CErrorAutoThrow CMatStyleGradient::GetData(void** ppData)
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

CErrorAutoThrow CMatStyleGradient::SetData(void* pData)
{
    m_pSettings = static_cast<IMGLObject*>(pData);
    return MIRN_ERR_NONE;
}

CString CMatStyleGradient::GetTTText()
{
    return LoadResourceString(IDS_MATSTYLE_GRADIENT_TIP);
}

CString CMatStyleGradient::GetName()
{
    return LoadResourceString(IDS_MATSTYLE_GRADIENT_NAME);
}

CErrorAutoThrow CMatStyleGradient::SetNonCachedGradientStops(IMGLGradient* pGrad)
{
    m_nNonCached = 0;
    m_pNonCachedStops = pGrad;
    if (!m_pNonCachedStops)
        return MIRN_ERR_INVALID_ARG;
    m_nNonCached = 1;
    return MIRN_ERR_NONE;
}

bool CMatStyleGradient::GetNonCachedGradientStops(IMGLGradient* pDest)
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

CMatPropertiesPage* CMatStyleGradient::GetSettingsPage(CWnd* pParent, CRect& rect)
{
    auto* pPage = new CMatStyleGradientPage(nullptr);
    pPage->SetData(static_cast<IMGLObject*>(m_pSettings));
    if (m_nNonCached == 1 && m_pNonCachedStops)
    {
        CErrorAutoThrow error = pPage->SetNonCachedGradientStops(m_pNonCachedStops);
        error.Clear();
    }
    pPage->CreateAsChild(rect, pParent);
    return pPage;
}

void CMatStyleGradient::ReleaseSettingsPage(CMatPropertiesPage* pPage, bool bApply)
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
        if (!pPage->IsNonCached())
        {
            m_pNonCachedStops = nullptr;
            m_nNonCached = 0;
        }
    }
    DestroySettingsPage(pPage);
}
