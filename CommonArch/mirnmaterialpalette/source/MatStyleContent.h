// What the styles whose value is a host settings object have in common: the
// gradient and pattern styles of both generations, and the texture. Each
// generation is a class of its own with its own members; these operations
// work on those members, so each behaviour is written once.
#pragma once

#include "MatStyle.h"
#include "MatPropertiesPage.h"
#include "RowIterator.h"
#include "VornServices.h"

// Hands out a settings object with a reference; without one the caller's
// pointer is left as it was (or set to null when bClearWithout).
CErrorAutoThrow LendSettings(IMGLObject* pSettings, void** ppData, bool bClearWithout);

// Holds the image and thumbnail of content that is not in the resource
// cache: both members are detached first, each attached argument is taken,
// and the flag is 1 only when both are held (else error 101).
CErrorAutoThrow StoreNonCachedImages(CRowIteratorBands& image, CRowIteratorBands& thumb, int& nNonCached,
                                     CRowIterator& newImage, CRowIterator& newThumb);
// Shares the thumbnail or the full image into out; false, leaving out
// alone, when it is not held.
bool LendNonCachedImage(const CRowIteratorBands& image, const CRowIteratorBands& thumb, CRowIterator& out,
                        bool bThumbnail);
void DropNonCachedImages(CRowIteratorBands& image, CRowIteratorBands& thumb, int& nNonCached);

// Replaces the stops of pDest by the children of pSource (shared, each with
// a reference of the destination's own). False, changing nothing, when
// either is missing or the flag is not exactly 1.
bool CopyNonCachedStops(IMGLGradient* pSource, int nNonCached, IMGLGradient* pDest);

// Takes the settings a page hands back in place of the held ones.
void TakePageSettings(CMatPropertiesPage* pPage, CComPtr<IMGLObject>& pSettings);

// The gradient page: given the settings and the non-cached stops first, its
// window made last.
template <typename TPage, typename TStyle>
CMatPropertiesPage* OpenGradientPage(TStyle& style, CWnd* pParent, CRect& rect)
{
    auto* pPage = new TPage(nullptr);
    pPage->SetData(static_cast<IMGLObject*>(style.m_pSettings));
    if (style.m_nNonCached == 1 && style.m_pNonCachedStops)
    {
        CErrorAutoThrow error = pPage->SetNonCachedGradientStops(style.m_pNonCachedStops);
        error.Clear();
    }
    pPage->CreateAsChild(rect, pParent);
    return pPage;
}

// With bApply the style takes the page's settings and keeps its non-cached
// stops only while the page still shows them; the page goes in every case.
template <typename TStyle> void CloseGradientPage(TStyle& style, CMatPropertiesPage* pPage, bool bApply)
{
    if (pPage == nullptr)
        return;
    if (bApply)
    {
        TakePageSettings(pPage, style.m_pSettings);
        if (!pPage->IsNonCached())
        {
            style.m_pNonCachedStops = nullptr;
            style.m_nNonCached = 0;
        }
    }
    DestroySettingsPage(pPage);
}

// The pattern page: its window is made before it gets the settings, which
// fill its controls; the non-cached pattern goes to it only when immediate
// patterns are offered.
template <typename TPage, typename TStyle>
CMatPropertiesPage* OpenPatternPage(TStyle& style, CWnd* pParent, CRect& rect)
{
    auto* pPage = new TPage(nullptr);
    pPage->EnableImmediatePatterns(style.m_bImmediate);
    pPage->CreateAsChild(rect, pParent);
    pPage->SetData(static_cast<IMGLObject*>(style.m_pSettings));
    if (style.m_bImmediate && style.m_nNonCached != 0 && style.m_oNonCachedImage.IsAttached() &&
        style.m_oNonCachedThumb.IsAttached())
    {
        CErrorAutoThrow error = pPage->SetNonCachedPattern(style.m_oNonCachedImage, style.m_oNonCachedThumb);
        error.Clear();
    }
    return pPage;
}

template <typename TPage, typename TStyle>
void ClosePatternPage(TStyle& style, CMatPropertiesPage* pPage, bool bApply)
{
    if (pPage == nullptr)
        return;
    if (bApply)
    {
        TakePageSettings(pPage, style.m_pSettings);
        if (pPage->IsKindOf(RUNTIME_CLASS(TPage)))
            style.m_nImmediateIdx = static_cast<TPage*>(pPage)->GetImmediateIdx();
        if (!pPage->IsNonCached())
            DropNonCachedImages(style.m_oNonCachedImage, style.m_oNonCachedThumb, style.m_nNonCached);
    }
    DestroySettingsPage(pPage);
}

// New settings for a pattern style: the non-cached pattern and the
// immediate pattern go.
template <typename TStyle> CErrorAutoThrow SetPatternSettings(TStyle& style, void* pData)
{
    style.m_pSettings = static_cast<IMGLObject*>(pData);
    DropNonCachedImages(style.m_oNonCachedImage, style.m_oNonCachedThumb, style.m_nNonCached);
    style.m_nImmediateIdx = -1;
    return MIRN_ERR_NONE;
}
