#include "HostMaterialCache.h"

#include "DebugOutput.h"
#include "MGLObjectAccess.h"
#include "RowIterator.h"

#include <algorithm>
#include <cwctype>

namespace
{

// The material styles whose settings name resources.
constexpr int kStylePattern = 2;
constexpr int kStyleGradient = 4;
constexpr int kStyleTexture = 64;

// Whether gradient settings carry stops of their own, as unsaved gradients
// do; such settings draw without the library.
bool HasOwnStops(IMGLObject* pSettings)
{
    if (auto pGradient = MGLQuery<IMGLGradient>(pSettings))
    {
        if (pGradient->GetColorStopCount() + pGradient->GetTransparencyStopCount() > 0)
            return true;
    }
    for (int i = 0; i < pSettings->GetChildCount(); ++i)
    {
        CErrorAutoThrow error;
        CComPtr<IMGLObject> pChild;
        pSettings->GetChild(error, i, &pChild.p);
        if (pChild == nullptr)
            continue;
        const int nKind = pChild->GetObjectKind();
        if (nKind == MGL_OBJECT_COLOR_STOP || nKind == MGL_OBJECT_TRANSPARENCY_STOP)
            return true;
    }
    return false;
}

bool HasOwnImage(IMGLObject* pSettings)
{
    CRowIteratorBands image;
    return MGLReadImage(pSettings, MGL_PROP_IMAGE, image);
}

const wchar_t* KindName(int nKind)
{
    switch (nKind)
    {
        case HOST_RESOURCE_GRADIENTS:
            return L"gradient";
        case HOST_RESOURCE_PATTERNS:
            return L"pattern";
        default:
            return L"texture";
    }
}

// Keeps the first error of several steps.
void Merge(CErrorAutoThrow& total, const CErrorAutoThrow& step)
{
    if (total.IsOk() && step.IsError())
        total = step;
}

} // namespace

CHostMaterialCache::CHostMaterialCache(const CHostResourceLibrary& source) : m_source(source) {}

CHostMaterialCache& CHostMaterialCache::Shared()
{
    static CHostMaterialCache cache;
    return cache;
}

std::pair<int, std::wstring> CHostMaterialCache::Key(int nKind, LPCWSTR pszName)
{
    std::wstring strKey = pszName != nullptr ? pszName : L"";
    // Names are compared without regard to case, as the library does.
    std::transform(strKey.begin(), strKey.end(), strKey.begin(),
                   [](wchar_t ch) { return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(ch))); });
    return {nKind, strKey};
}

int CHostMaterialCache::KindOf(IMGLObject* pSettings)
{
    switch (pSettings->GetObjectKind())
    {
        case MGL_OBJECT_GRADIENT:
            return HOST_RESOURCE_GRADIENTS;
        case MGL_OBJECT_PATTERN:
            return HOST_RESOURCE_PATTERNS;
        case MGL_OBJECT_TEXTURE:
            return HOST_RESOURCE_TEXTURES;
        default:
            return 0;
    }
}

CErrorAutoThrow CHostMaterialCache::CacheSettings(IMGLObject* pSettings, int nKind, CString& strName)
{
    strName.Empty();
    const bool bOwnContent =
        nKind == HOST_RESOURCE_GRADIENTS ? HasOwnStops(pSettings) : HasOwnImage(pSettings);
    if (bOwnContent)
        return MIRN_ERR_NONE;
    // The name the host cached the settings under; settings made by hand
    // may only carry the resource's name.
    strName = MGLCachedNameOf(pSettings);
    if (strName.IsEmpty())
        MGLReadString(pSettings, MGL_PROP_RESOURCE_NAME, strName);
    if (strName.IsEmpty())
    {
        OutputDebugStringW(
            (std::wstring(L"[materials] cache: ") + KindName(nKind) + L" settings name no resource\n")
                .c_str());
        return MIRN_ERR_INVALID_ARG;
    }
    if (m_cached.Find(nKind, strName) != nullptr)
        return MIRN_ERR_NONE;
    const SHostResource* pResource = m_source.Find(nKind, strName);
    if (pResource == nullptr)
    {
        OutputDebugStringW((std::wstring(L"[materials] cache: no ") + KindName(nKind) + L" is named \"" +
                            static_cast<LPCWSTR>(strName) + L"\"\n")
                               .c_str());
        return MIRN_ERR_NOT_FOUND;
    }
    const bool bAdded =
        nKind == HOST_RESOURCE_GRADIENTS
            ? m_cached.AddGradient(pResource->strName, pResource->strTooltip, pResource->stops)
            : m_cached.AddImage(nKind, pResource->strName, pResource->strTooltip, pResource->image);
    if (!bAdded)
        return MIRN_ERR_INVALID_ARG;
    ++m_nLoads;
    return MIRN_ERR_NONE;
}

void CHostMaterialCache::CacheMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial)
{
    if (pMaterial == nullptr)
    {
        error.SetError(MIRN_ERR_INVALID_ARG);
        return;
    }
    CErrorAutoThrow total;
    CErrorAutoThrow step;
    CComPtr<IMGLObject> pSettings;
    CComPtr<IMGLObject> pTexture;
    pMaterial->GetTexture(step, &pTexture.p);
    const int nStyle = pMaterial->GetStyle();
    if (nStyle == kStyleGradient || nStyle == kStylePattern || nStyle == kStyleTexture)
    {
        pMaterial->GetSettings(step, &pSettings.p);
        // A texture shown as a style may come as the material's texture only.
        if (pSettings == nullptr && nStyle == kStyleTexture)
            pSettings = pTexture;
        const int nKind = nStyle == kStyleGradient  ? HOST_RESOURCE_GRADIENTS
                          : nStyle == kStylePattern ? HOST_RESOURCE_PATTERNS
                                                    : HOST_RESOURCE_TEXTURES;
        CString strName;
        Merge(total, pSettings != nullptr ? CacheSettings(pSettings, nKind, strName)
                                          : CErrorAutoThrow(MIRN_ERR_INVALID_ARG));
    }
    if (pTexture != nullptr && pTexture != pSettings)
    {
        CString strName;
        Merge(total, CacheSettings(pTexture, HOST_RESOURCE_TEXTURES, strName));
    }
    error = total;
}

void CHostMaterialCache::CacheThumbnail(CErrorAutoThrow& error, IMGLObject* pSettings)
{
    const int nKind = pSettings != nullptr ? KindOf(pSettings) : 0;
    if (nKind != HOST_RESOURCE_PATTERNS && nKind != HOST_RESOURCE_TEXTURES)
    {
        error.SetError(MIRN_ERR_INVALID_ARG);
        return;
    }
    CRowIteratorBands image;
    CString strName;
    if (MGLReadImage(pSettings, MGL_PROP_IMAGE, image))
    {
        // An image of the settings' own is kept under the settings' name;
        // without one there is nothing to find it by again.
        strName = MGLCachedNameOf(pSettings);
        if (strName.IsEmpty())
            MGLReadString(pSettings, MGL_PROP_RESOURCE_NAME, strName);
        if (strName.IsEmpty())
        {
            error.SetError(MIRN_ERR_INVALID_ARG);
            return;
        }
    }
    else
    {
        error = CacheSettings(pSettings, nKind, strName);
        if (error.IsError())
            return;
        image = m_cached.Find(nKind, strName)->image;
    }
    const auto key = Key(nKind, strName);
    if (m_thumbnails.contains(key))
    {
        error.SetError(MIRN_ERR_NONE);
        return;
    }
    CRenderImage full;
    if (!full.CopyFrom(image))
    {
        error.SetError(MIRN_ERR_INVALID_ARG);
        return;
    }
    m_thumbnails.emplace(key, MakeThumbnail(full));
    error.SetError(MIRN_ERR_NONE);
}

const CRenderImage* CHostMaterialCache::Thumbnail(int nKind, LPCWSTR pszName) const
{
    auto it = m_thumbnails.find(Key(nKind, pszName));
    return it != m_thumbnails.end() ? &it->second : nullptr;
}

CRenderImage CHostMaterialCache::MakeThumbnail(const CRenderImage& image, int nBox)
{
    CRenderImage thumbnail;
    const int nWidth = image.Width();
    const int nHeight = image.Height();
    if (image.IsEmpty() || nBox <= 0)
        return thumbnail;
    if (nWidth <= nBox && nHeight <= nBox)
        return image;
    // The longer side becomes the box; the other keeps the proportion.
    const int nLonger = std::max(nWidth, nHeight);
    const int nThumbWidth =
        std::max(1, static_cast<int>((static_cast<long long>(nWidth) * nBox + nLonger / 2) / nLonger));
    const int nThumbHeight =
        std::max(1, static_cast<int>((static_cast<long long>(nHeight) * nBox + nLonger / 2) / nLonger));
    if (!thumbnail.Create(nThumbWidth, nThumbHeight))
        return thumbnail;
    for (int ty = 0; ty < nThumbHeight; ++ty)
    {
        const int nTop = static_cast<int>(static_cast<long long>(ty) * nHeight / nThumbHeight);
        const int nBottom =
            std::max(nTop + 1, static_cast<int>(static_cast<long long>(ty + 1) * nHeight / nThumbHeight));
        for (int tx = 0; tx < nThumbWidth; ++tx)
        {
            const int nLeft = static_cast<int>(static_cast<long long>(tx) * nWidth / nThumbWidth);
            const int nRight =
                std::max(nLeft + 1, static_cast<int>(static_cast<long long>(tx + 1) * nWidth / nThumbWidth));
            unsigned long long sums[4] = {0, 0, 0, 0};
            for (int y = nTop; y < nBottom; ++y)
            {
                for (int x = nLeft; x < nRight; ++x)
                {
                    const DWORD argb = image.At(x, y);
                    for (int c = 0; c < 4; ++c)
                        sums[c] += (argb >> (8 * c)) & 0xFF;
                }
            }
            const unsigned long long nCount =
                static_cast<unsigned long long>(nBottom - nTop) * (nRight - nLeft);
            DWORD argb = 0;
            for (int c = 0; c < 4; ++c)
                argb |= static_cast<DWORD>((sums[c] + nCount / 2) / nCount) << (8 * c);
            thumbnail.Set(tx, ty, argb);
        }
    }
    return thumbnail;
}
