#include "HostAppContext.h"

#include "MGLModel.h"

#include <cstdlib>
#include <new>

namespace
{

void Succeed(CErrorAutoThrow& error)
{
    error.SetError(MIRN_ERR_NONE);
}

void Refuse(CErrorAutoThrow& error)
{
    error.SetError(MIRN_ERR_INVALID_ARG);
}

bool IsStyle(int nStyle)
{
    return nStyle == kHostStyleSolid || nStyle == kHostStylePattern || nStyle == kHostStyleGradient ||
           nStyle == kHostStyleArtMedia || nStyle == kHostStyleTexture;
}

} // namespace

CHostAppContext::CHostAppContext(CHostMaterials& materials) : m_materials(materials) {}

CHostAppContext::~CHostAppContext()
{
    for (int nCookie : m_subscriptions)
        m_materials.Unsubscribe(nCookie);
}

IMGLMaterial* CHostAppContext::MakeMaterial(const SHostMaterial& material)
{
    auto* pMaterial = new (std::nothrow) CMGLMaterial;
    if (pMaterial == nullptr)
        return nullptr;
    CErrorAutoThrow error;
    pMaterial->SetStyle(error, material.nStyle);
    pMaterial->SetSolidColor(error, material.clrColor);
    return pMaterial;
}

// ---------------------------------------------------------------------------
// The application context

bool CHostAppContext::IsMaterialEnabled(CErrorAutoThrow& error, bool bForeground)
{
    Succeed(error);
    return m_materials.IsEnabled(bForeground);
}

void CHostAppContext::EnableMaterial(CErrorAutoThrow& error, bool bForeground, bool bEnable)
{
    // Switching off the only side still on is refused.
    if (m_materials.SetEnabled(bForeground, bEnable))
        Succeed(error);
    else
        Refuse(error);
}

void CHostAppContext::GetStyleData(CErrorAutoThrow& error, int nStyle, bool bForeground, void** ppData)
{
    if (ppData == nullptr)
    {
        Refuse(error);
        return;
    }
    *ppData = nullptr;
    Succeed(error);
    // Solid colours and art-media colours travel as one colour on the heap,
    // which the receiver frees. The other kinds have no settings in this
    // host yet, so they have no data.
    if (nStyle == kHostStyleSolid || nStyle == kHostStyleArtMedia)
    {
        auto* pColor = static_cast<COLORREF*>(std::malloc(sizeof(COLORREF)));
        if (pColor == nullptr)
        {
            Refuse(error);
            return;
        }
        *pColor = m_materials.Material(bForeground).clrColor;
        *ppData = pColor;
    }
}

void CHostAppContext::GetTextureData(CErrorAutoThrow& error, bool, IMGLObject** ppTexture)
{
    if (ppTexture == nullptr)
    {
        Refuse(error);
        return;
    }
    *ppTexture = nullptr;
    Succeed(error);
}

bool CHostAppContext::IsTextureEnabled(CErrorAutoThrow& error, bool bForeground)
{
    Succeed(error);
    return m_materials.IsTextureOn(bForeground);
}

// The host keeps every gradient, art and image in its resources, so nothing
// travels beside a material.
void CHostAppContext::GetNonCachedGradient(CErrorAutoThrow& error, bool, IMGLGradient** ppGradient)
{
    if (ppGradient != nullptr)
        *ppGradient = nullptr;
    ppGradient != nullptr ? Succeed(error) : Refuse(error);
}

void CHostAppContext::GetNonCachedArt(CErrorAutoThrow& error, bool, IMGLArt** ppArt)
{
    if (ppArt != nullptr)
        *ppArt = nullptr;
    ppArt != nullptr ? Succeed(error) : Refuse(error);
}

void CHostAppContext::GetNonCachedPattern(CErrorAutoThrow& error, bool, CRowIterator& image,
                                          CRowIterator& thumb)
{
    image.Detach();
    thumb.Detach();
    Succeed(error);
}

void CHostAppContext::GetNonCachedTexture(CErrorAutoThrow& error, bool, CRowIterator& image,
                                          CRowIterator& thumb)
{
    image.Detach();
    thumb.Detach();
    Succeed(error);
}

void CHostAppContext::SwapColors(CErrorAutoThrow& error, int)
{
    m_materials.SwapColors();
    Succeed(error);
}

void CHostAppContext::SwapTextures(CErrorAutoThrow& error, int)
{
    m_materials.SwapTextures();
    Succeed(error);
}

void CHostAppContext::BeginSwapBoth(CErrorAutoThrow& error)
{
    m_materials.SwapMaterials();
    Succeed(error);
}

void CHostAppContext::EndSwapBoth(CErrorAutoThrow& error)
{
    m_materials.SwapTextures();
    Succeed(error);
}

bool CHostAppContext::IsGreyscaleDocument(CErrorAutoThrow& error)
{
    Succeed(error);
    return false;
}

bool CHostAppContext::HasDocumentPalette(CErrorAutoThrow& error)
{
    Succeed(error);
    return false;
}

bool CHostAppContext::IsFullColorDocument(CErrorAutoThrow& error)
{
    Succeed(error);
    return true;
}

void CHostAppContext::GetDocumentPalette(CErrorAutoThrow& error, CMPalette&)
{
    // A full-colour document has no palette; the palette is left as it is.
    error.SetError(MIRN_ERR_NOT_FOUND);
}

COLORREF CHostAppContext::GetCurrentColor(CErrorAutoThrow& error, int nForeground)
{
    Succeed(error);
    return m_materials.Material(nForeground != 0).clrColor;
}

void CHostAppContext::GetResourceServices(CErrorAutoThrow& error, IResourceServices** ppServices)
{
    if (ppServices != nullptr)
        *ppServices = nullptr;
    // Gradient folders and pattern and texture collections come with the
    // pages that list them.
    error.SetError(MIRN_ERR_NOT_IMPLEMENTED);
}

// ---------------------------------------------------------------------------
// The material services

void CHostAppContext::GetMaterial(CErrorAutoThrow& error, bool bForeground, IMGLMaterial** ppMaterial)
{
    if (ppMaterial == nullptr)
    {
        Refuse(error);
        return;
    }
    *ppMaterial = MakeMaterial(m_materials.Material(bForeground));
    *ppMaterial != nullptr ? Succeed(error) : Refuse(error);
}

void CHostAppContext::SetMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial, bool bForeground, int, int)
{
    if (pMaterial == nullptr || !IsStyle(pMaterial->GetStyle()))
    {
        Refuse(error);
        return;
    }
    m_materials.SetMaterial(bForeground,
                            SHostMaterial{pMaterial->GetStyle(), pMaterial->GetSolidColor() & 0xFFFFFF});
    Succeed(error);
}

void CHostAppContext::SetSolidColor(CErrorAutoThrow& error, bool bForeground, COLORREF clrColor)
{
    m_materials.SetSolidColor(bForeground, clrColor);
    Succeed(error);
}

void CHostAppContext::ReportSampledColor(CErrorAutoThrow& error, COLORREF clrColor)
{
    m_clrLastSample = clrColor & 0xFFFFFF;
    Succeed(error);
}

void CHostAppContext::SetStyle(CErrorAutoThrow& error, bool bForeground, int nStyle)
{
    if (!IsStyle(nStyle))
    {
        Refuse(error);
        return;
    }
    m_materials.SetStyle(bForeground, nStyle);
    Succeed(error);
}

int CHostAppContext::GetStyle(CErrorAutoThrow& error, bool bForeground)
{
    Succeed(error);
    return m_materials.Material(bForeground).nStyle;
}

void CHostAppContext::EnableTexture(CErrorAutoThrow& error, bool bForeground, bool bEnable)
{
    m_materials.SetTexture(bForeground, bEnable);
    Succeed(error);
}

void CHostAppContext::SwapMaterials(CErrorAutoThrow& error)
{
    m_materials.SwapMaterials();
    Succeed(error);
}

int CHostAppContext::GetRecentMaterialCount(CErrorAutoThrow& error)
{
    Succeed(error);
    return static_cast<int>(m_materials.Recent().size());
}

void CHostAppContext::GetRecentMaterial(CErrorAutoThrow& error, int nIndex, IMGLMaterial** ppMaterial)
{
    if (ppMaterial == nullptr)
    {
        Refuse(error);
        return;
    }
    *ppMaterial = nullptr;
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_materials.Recent().size())
    {
        Refuse(error);
        return;
    }
    *ppMaterial = MakeMaterial(m_materials.Recent()[static_cast<size_t>(nIndex)]);
    *ppMaterial != nullptr ? Succeed(error) : Refuse(error);
}

int CHostAppContext::Subscribe(CErrorAutoThrow& error, int nNotification, PFN_MATERIAL_NOTIFY pfnCallback,
                               void* pContext)
{
    if (pfnCallback == nullptr || nNotification < 0 || nNotification > 3)
    {
        Refuse(error);
        return -1;
    }
    const int nInner = m_materials.Subscribe(
        [nNotification, pfnCallback, pContext](int nHeard)
        {
            if (nHeard == nNotification)
                pfnCallback(nHeard, pContext);
        });
    m_subscriptions.insert(nInner);
    Succeed(error);
    return nInner;
}

void CHostAppContext::Unsubscribe(CErrorAutoThrow& error, int nCookie)
{
    auto it = m_subscriptions.find(nCookie);
    if (it == m_subscriptions.end())
    {
        Refuse(error);
        return;
    }
    m_materials.Unsubscribe(nCookie);
    m_subscriptions.erase(it);
    Succeed(error);
}

void CHostAppContext::GetCurrentMaterial(CErrorAutoThrow& error, IMGLMaterial** ppMaterial)
{
    GetMaterial(error, true, ppMaterial);
}

bool CHostAppContext::EditMaterial(CErrorAutoThrow& error, IMGLMaterial*, IMGLMaterial** ppEdited)
{
    // This host has no material editor of its own: the user cannot accept
    // an edit, so the material stays as it was.
    if (ppEdited != nullptr)
        *ppEdited = nullptr;
    Succeed(error);
    return false;
}

void CHostAppContext::ApplyMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial, int nFlags)
{
    SetMaterial(error, pMaterial, nFlags == 1, 1, 0);
}
