#include "HostAppContext.h"

#include "MPalette.h"

#include "MGLModel.h"
#include "RowIterator.h"

#include <algorithm>
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

// A thumbnail of at most kThumbnailSize pixels on its longer side, each pixel
// the mean of the source pixels it covers.
constexpr int kThumbnailSize = 48;

CRowIterator MakeThumbnail(const CRowIterator& image)
{
    const int nWidth = image.Width();
    const int nHeight = image.Height();
    const int nLonger = std::max(nWidth, nHeight);
    if (nLonger <= kThumbnailSize)
        return image;
    const int nThumbWidth = std::max(1, nWidth * kThumbnailSize / nLonger);
    const int nThumbHeight = std::max(1, nHeight * kThumbnailSize / nLonger);
    const int nChannels = image.BitsPerPixel() / 8;
    CRowIterator thumb;
    if (!thumb.Create(nThumbWidth, nThumbHeight, image.BitsPerPixel()))
        return CRowIterator();
    for (int y = 0; y < nThumbHeight; ++y)
    {
        const int nTop = y * nHeight / nThumbHeight;
        const int nBottom = std::max(nTop + 1, (y + 1) * nHeight / nThumbHeight);
        BYTE* pOut = thumb.GetRow(y);
        for (int x = 0; x < nThumbWidth; ++x)
        {
            const int nLeft = x * nWidth / nThumbWidth;
            const int nRight = std::max(nLeft + 1, (x + 1) * nWidth / nThumbWidth);
            for (int c = 0; c < nChannels; ++c)
            {
                int nSum = 0;
                for (int sy = nTop; sy < nBottom; ++sy)
                {
                    const BYTE* pIn = image.GetRow(sy);
                    for (int sx = nLeft; sx < nRight; ++sx)
                        nSum += pIn[sx * nChannels + c];
                    image.ReleaseRow(sy);
                }
                const int nCount = (nBottom - nTop) * (nRight - nLeft);
                pOut[x * nChannels + c] = static_cast<BYTE>((nSum + nCount / 2) / nCount);
            }
        }
        thumb.ReleaseRow(y);
    }
    return thumb;
}

// The image and thumbnail of pattern or texture settings that are not in
// the cache; both detached when there are none.
void NonCachedImages(IMGLObject* pSettings, CRowIterator& image, CRowIterator& thumb)
{
    image.Detach();
    thumb.Detach();
    CRowIterator source;
    if (!MGLCachedNameOf(pSettings).IsEmpty() || !MGLReadImage(pSettings, MGL_PROP_IMAGE, source))
        return;
    CRowIterator small = MakeThumbnail(source);
    if (!small.IsAttached())
        return;
    image = source;
    thumb = small;
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
    pMaterial->SetSettings(error, material.StyleSettings());
    pMaterial->SetTexture(error, material.pTexture);
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
    const SHostMaterial& material = m_materials.Material(bForeground);
    IMGLObject* pSettings = nullptr;
    switch (nStyle)
    {
        case kHostStyleSolid:
        {
            // A solid colour travels as one colour on the heap, which the
            // receiver frees.
            auto* pColor = static_cast<COLORREF*>(std::malloc(sizeof(COLORREF)));
            if (pColor == nullptr)
            {
                Refuse(error);
                return;
            }
            *pColor = material.clrColor;
            *ppData = pColor;
            return;
        }
        case kHostStyleGradient:
            pSettings = material.pGradient;
            break;
        case kHostStylePattern:
            pSettings = material.pPattern;
            break;
        case kHostStyleArtMedia:
            pSettings = material.pArt;
            break;
        case kHostStyleTexture:
            // The texture shown as a style has no data of its own.
            return;
        default:
            Refuse(error);
            return;
    }
    // The other kinds travel as their settings object with a reference.
    if (pSettings != nullptr)
        pSettings->AddRef();
    *ppData = pSettings;
}

void CHostAppContext::GetTextureData(CErrorAutoThrow& error, bool bForeground, IMGLObject** ppTexture)
{
    if (ppTexture == nullptr)
    {
        Refuse(error);
        return;
    }
    // The side's texture settings, switched on or not.
    *ppTexture = m_materials.Material(bForeground).pTexture;
    if (*ppTexture != nullptr)
        (*ppTexture)->AddRef();
    Succeed(error);
}

bool CHostAppContext::IsTextureEnabled(CErrorAutoThrow& error, bool bForeground)
{
    Succeed(error);
    return m_materials.IsTextureOn(bForeground);
}

// Gradients and images that are not in the resource cache (an unsaved
// gradient, a pattern taken from an image) travel beside the material. Art
// is never cached in this host: art-media content always travels so.
void CHostAppContext::GetNonCachedGradient(CErrorAutoThrow& error, bool bForeground,
                                           IMGLGradient** ppGradient)
{
    if (ppGradient == nullptr)
    {
        Refuse(error);
        return;
    }
    IMGLObject* pSettings = m_materials.Material(bForeground).pGradient;
    // A settings object cached under a name is in the resources.
    *ppGradient = MGLCachedNameOf(pSettings).IsEmpty() ? MGLQuery<IMGLGradient>(pSettings).Detach() : nullptr;
    Succeed(error);
}

void CHostAppContext::GetNonCachedArt(CErrorAutoThrow& error, bool bForeground, IMGLArt** ppArt)
{
    if (ppArt == nullptr)
    {
        Refuse(error);
        return;
    }
    *ppArt = MGLQuery<IMGLArt>(m_materials.Material(bForeground).pArt).Detach();
    Succeed(error);
}

void CHostAppContext::GetNonCachedPattern(CErrorAutoThrow& error, bool bForeground, CRowIterator& image,
                                          CRowIterator& thumb)
{
    NonCachedImages(m_materials.Material(bForeground).pPattern, image, thumb);
    Succeed(error);
}

void CHostAppContext::GetNonCachedTexture(CErrorAutoThrow& error, bool bForeground, CRowIterator& image,
                                          CRowIterator& thumb)
{
    NonCachedImages(m_materials.Material(bForeground).pTexture, image, thumb);
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

bool CHostAppContext::SetDocument(EHostDocument eKind, int nEntries)
{
    if (eKind == EHostDocument::Paletted && nEntries != 2 && nEntries != 16 && nEntries != 256)
        return false;
    m_eDocument = eKind;
    m_nPaletteEntries = eKind == EHostDocument::Paletted ? nEntries : 0;
    return true;
}

bool CHostAppContext::IsGreyscaleDocument(CErrorAutoThrow& error)
{
    Succeed(error);
    return m_eDocument == EHostDocument::Greyscale;
}

bool CHostAppContext::HasDocumentPalette(CErrorAutoThrow& error)
{
    Succeed(error);
    return m_eDocument == EHostDocument::Paletted;
}

bool CHostAppContext::IsFullColorDocument(CErrorAutoThrow& error)
{
    Succeed(error);
    return m_eDocument == EHostDocument::FullColor;
}

void CHostAppContext::GetDocumentPalette(CErrorAutoThrow& error, CMPalette& palette)
{
    bool bMade = false;
    switch (m_eDocument)
    {
        case EHostDocument::FullColor:
            // A full-colour document has no palette; the palette is left as
            // it is.
            error.SetError(MIRN_ERR_NOT_FOUND);
            return;
        case EHostDocument::Greyscale:
            bMade = palette.CreateGreyscale();
            break;
        case EHostDocument::Paletted:
            bMade = m_nPaletteEntries == 2    ? palette.CreateBW()
                    : m_nPaletteEntries == 16 ? palette.CreateVGA16()
                                              : palette.CreateQuick8();
            break;
    }
    if (bMade)
        Succeed(error);
    else
        Refuse(error);
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
    *ppMaterial = MakeMaterial(m_materials.Painted(bForeground));
    *ppMaterial != nullptr ? Succeed(error) : Refuse(error);
}

void CHostAppContext::SetMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial, bool bForeground, int, int)
{
    if (pMaterial == nullptr || !IsStyle(pMaterial->GetStyle()))
    {
        Refuse(error);
        return;
    }
    // The material's settings replace those of its own kind; the side keeps
    // what it had for the other kinds.
    SHostMaterial material = m_materials.Material(bForeground);
    material.nStyle = pMaterial->GetStyle();
    material.clrColor = pMaterial->GetSolidColor() & 0xFFFFFF;
    CComPtr<IMGLObject> pSettings;
    pMaterial->GetSettings(error, &pSettings.p);
    switch (material.nStyle)
    {
        case kHostStyleGradient:
            material.pGradient = pSettings;
            break;
        case kHostStylePattern:
            material.pPattern = pSettings;
            break;
        case kHostStyleArtMedia:
            material.pArt = pSettings;
            break;
        default:
            break;
    }
    material.pTexture = nullptr;
    pMaterial->GetTexture(error, &material.pTexture.p);
    m_materials.SetMaterial(bForeground, material);
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
