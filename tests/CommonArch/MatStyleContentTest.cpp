// The styles whose value is a host object: gradients and patterns (both
// generations), the texture, art media and the texture shown as a style.
// Every test ends with the host's objects all released (the fixture counts
// them), so a leaked or doubly released reference fails it.
#include "MatStyleArtMedia.h"
#include "MatStyleFakeTexture.h"
#include "MatStyleFakeTexturePage.h"
#include "MatStyleGradient.h"
#include "MatStyleGradient2.h"
#include "MatStyleGradient2Page.h"
#include "MatStyleGradientPage.h"
#include "MatStylePattern.h"
#include "MatStylePattern2.h"
#include "MatStylePattern2Page.h"
#include "MatStylePatternPage.h"
#include "MatStyleSolid24Page.h"
#include "MatTexture.h"
#include "StyleTestSupport.h"

#include <string>
#include <vector>

using namespace style_test;

namespace
{
class ContentStyleTest : public StyleTest
{
protected:
    // A gradient with colour stops at the given locations (colour = location).
    static IMGLGradient* MakeStops(std::initializer_list<int> locations)
    {
        IMGLGradient* pGradient = new CMGLGradient();
        CErrorAutoThrow error;
        for (int nLocation : locations)
            pGradient->AddColorStop(error, nLocation, 50, static_cast<COLORREF>(nLocation));
        return pGradient;
    }
    static std::vector<int> StopLocations(IMGLGradient* pGradient)
    {
        std::vector<int> locations;
        CErrorAutoThrow error;
        for (int i = 0; i < pGradient->GetColorStopCount(); ++i)
        {
            int nLocation = -1;
            int nMidpoint = -1;
            COLORREF clr = 0;
            pGradient->GetColorStop(error, i, nLocation, nMidpoint, clr);
            locations.push_back(nLocation);
        }
        return locations;
    }
};

// The reference count of an object: what Release leaves after an AddRef.
ULONG Refs(IUnknown* pObject)
{
    pObject->AddRef();
    return pObject->Release();
}

// An art object that writes down the setters called on it.
class CRecordingArt : public TUnknownImpl<IMGLArt>
{
public:
    void GetContent(CErrorAutoThrow&, const COLORREF** ppPrimary, const COLORREF** ppSecondary, int& nThird,
                    bool& bSecondaryFirst) const override
    {
        *ppPrimary = nullptr;
        *ppSecondary = nullptr;
        nThird = 0;
        bSecondaryFirst = false;
    }
    void SetColor(CErrorAutoThrow&, COLORREF clr) override
    {
        m_calls.push_back("color " + std::to_string(clr));
    }
    void SetSecondaryColor(CErrorAutoThrow&, COLORREF clr, int nThird) override
    {
        m_calls.push_back("secondary " + std::to_string(clr) + " " + std::to_string(nThird));
    }
    void SetSecondaryFirst(CErrorAutoThrow&, bool) override {}

    std::vector<std::string> m_calls;
};
} // namespace

TEST_F(ContentStyleTest, GradientStyleHoldsOneReferenceOnItsSettingsAndKeepsStopsOnSetData)
{
    CMatStyleGradient style;
    EXPECT_EQ(style.m_eStyle, MATERIAL_STYLE_GRADIENT);
    EXPECT_FALSE(style.m_bCurrent);
    EXPECT_FALSE(style.IsValid());
    EXPECT_FALSE(style.IsNonCached());
    EXPECT_FALSE(style.IsImmediate());
    EXPECT_EQ(style.GetTTText(), CString(L"Gradient tip"));
    EXPECT_EQ(style.GetName(), CString(L"Gradient"));

    // No settings: success and the caller's pointer untouched.
    void* pData = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(style.GetData(&pData), MIRN_ERR_NONE);
    EXPECT_EQ(pData, reinterpret_cast<void*>(0x1234));

    CComPtr<IMGLObject> pSettings;
    pSettings.Attach(MakeSettings(L"Rainbow"));
    CComPtr<IMGLGradient> pStops;
    pStops.Attach(MakeStops({0, 100}));
    EXPECT_EQ(style.SetNonCachedGradientStops(pStops), MIRN_ERR_NONE);
    EXPECT_TRUE(style.IsNonCached());
    EXPECT_EQ(style.SetData(pSettings), MIRN_ERR_NONE);
    EXPECT_EQ(Refs(pSettings), 2u);
    EXPECT_TRUE(style.IsValid());
    EXPECT_TRUE(style.IsNonCached()) << "new settings keep the non-cached stops";

    pData = nullptr;
    EXPECT_EQ(style.GetData(&pData), MIRN_ERR_NONE);
    EXPECT_EQ(pData, static_cast<void*>(pSettings.p));
    EXPECT_EQ(Refs(pSettings), 3u);
    static_cast<IMGLObject*>(pData)->Release();

    // Handing the same object in again changes no count.
    style.SetData(pSettings);
    EXPECT_EQ(Refs(pSettings), 2u);
    style.SetData(nullptr);
    EXPECT_EQ(Refs(pSettings), 1u);
    EXPECT_FALSE(style.IsValid());

    EXPECT_EQ(style.SetNonCachedGradientStops(nullptr), MIRN_ERR_INVALID_ARG);
    EXPECT_FALSE(style.IsNonCached());
    EXPECT_EQ(Refs(pStops), 1u);
}

TEST_F(ContentStyleTest, CopyingNonCachedStopsReplacesTheDestinationsStops)
{
    CMatStyleGradient style;
    CComPtr<IMGLGradient> pDest;
    pDest.Attach(MakeStops({10, 20, 30}));
    EXPECT_FALSE(style.GetNonCachedGradientStops(pDest)) << "nothing held";
    EXPECT_EQ(StopLocations(pDest), (std::vector<int>{10, 20, 30}));

    CComPtr<IMGLGradient> pStops;
    pStops.Attach(MakeStops({0, 40, 100}));
    style.SetNonCachedGradientStops(pStops);
    EXPECT_FALSE(style.GetNonCachedGradientStops(nullptr));
    EXPECT_TRUE(style.GetNonCachedGradientStops(pDest));
    EXPECT_EQ(StopLocations(pDest), (std::vector<int>{0, 40, 100}));
    // The stops are shared, not copied: the destination added a reference
    // to each, which it gives up with its children.
    CComPtr<IMGLObject> pDestView;
    pDest->QueryInterface(IID_OF(IMGLObject), reinterpret_cast<void**>(&pDestView));
    CErrorAutoThrow error;
    pDestView->RemoveChildren(error);
    EXPECT_EQ(pDest->GetColorStopCount(), 0);
    EXPECT_EQ(pStops->GetColorStopCount(), 3);

    // A flag other than exactly 1 copies nothing.
    style.m_nNonCached = 2;
    EXPECT_FALSE(style.GetNonCachedGradientStops(pDest));
    EXPECT_EQ(pDest->GetColorStopCount(), 0);
}

namespace
{
// What both gradient generations do with their page.
template <typename TStyle, typename TPage> void CheckGradientStyle(CWnd* pParent, CRect rc)
{
    TStyle style;
    CComPtr<IMGLObject> pSettings;
    pSettings.Attach(new CMGLObject(7));
    CComPtr<IMGLGradient> pStops;
    pStops.Attach(new CMGLGradient());
    style.SetData(pSettings);
    style.SetNonCachedGradientStops(pStops);

    CMatPropertiesPage* pPage = style.GetSettingsPage(pParent, rc);
    ASSERT_NE(pPage, nullptr);
    ASSERT_TRUE(pPage->IsKindOf(RUNTIME_CLASS(TPage)));
    HWND hPage = pPage->GetSafeHwnd();
    ASSERT_NE(hPage, nullptr);
    EXPECT_EQ(GetParent(hPage), pParent->GetSafeHwnd());
    CRect rcPage;
    GetWindowRect(hPage, &rcPage);
    pParent->ScreenToClient(&rcPage);
    EXPECT_EQ(rcPage, rc);
    EXPECT_TRUE(pPage->IsNonCached()) << "the page got the stops";
    void* pPageData = nullptr;
    ASSERT_TRUE(pPage->GetData(&pPageData, true));
    EXPECT_EQ(pPageData, static_cast<void*>(pSettings.p));
    static_cast<IMGLObject*>(pPageData)->Release();

    // Without apply the style keeps everything; the page still goes.
    style.ReleaseSettingsPage(pPage, false);
    EXPECT_FALSE(IsWindow(hPage));
    EXPECT_EQ(static_cast<IMGLObject*>(style.m_pSettings), pSettings.p);
    EXPECT_TRUE(style.IsNonCached());
    EXPECT_EQ(Refs(pSettings), 2u);

    // Applied while the page still shows the non-cached gradient: the
    // style takes the page's settings and keeps its stops.
    CComPtr<IMGLObject> pChosen;
    pChosen.Attach(new CMGLObject(7));
    pPage = style.GetSettingsPage(pParent, rc);
    static_cast<TPage*>(pPage)->SetData(pChosen);
    style.ReleaseSettingsPage(pPage, true);
    EXPECT_EQ(static_cast<IMGLObject*>(style.m_pSettings), pChosen.p);
    EXPECT_EQ(Refs(pChosen), 2u);
    EXPECT_EQ(Refs(pSettings), 1u);
    EXPECT_TRUE(style.IsNonCached());

    // A page that no longer shows it takes the stops away.
    pPage = static_cast<TPage*>(new TPage(nullptr));
    ASSERT_NE(pPage->CreateAsChild(rc, pParent), 0);
    static_cast<TPage*>(pPage)->SetData(pSettings);
    style.ReleaseSettingsPage(pPage, true);
    EXPECT_FALSE(style.IsNonCached());
    EXPECT_EQ(Refs(pStops), 1u);
    EXPECT_EQ(static_cast<IMGLObject*>(style.m_pSettings), pSettings.p);

    // Copies share the references.
    {
        TStyle copy(style);
        EXPECT_EQ(Refs(pSettings), 3u);
        TStyle assigned;
        assigned = style;
        EXPECT_EQ(Refs(pSettings), 4u);
        assigned = copy;
        EXPECT_EQ(Refs(pSettings), 4u);
    }
    EXPECT_EQ(Refs(pSettings), 2u);
}
} // namespace

TEST_F(ContentStyleTest, BothGradientGenerationsHandTheirPageTheSettingsAndStops)
{
    CheckGradientStyle<CMatStyleGradient, CMatStyleGradientPage>(m_pParent, m_rcPage);
    CheckGradientStyle<CMatStyleGradient2, CMatStyleGradient2Page>(m_pParent, m_rcPage);
}

TEST_F(ContentStyleTest, PatternImmediateIndexCountsAgainstTheNonCachedFlag)
{
    CMatStylePattern style;
    EXPECT_EQ(style.m_eStyle, MATERIAL_STYLE_PATTERN);
    EXPECT_FALSE(style.m_bCurrent);
    EXPECT_TRUE(style.m_bImmediate);
    EXPECT_EQ(style.GetImmediateIdx(), -1);
    EXPECT_FALSE(style.IsImmediate()) << "-1 against 0";
    EXPECT_EQ(style.GetTTText(), CString(L"Pattern tip"));
    EXPECT_EQ(style.GetName(), CString(L"Pattern"));

    style.m_nImmediateIdx = 0;
    EXPECT_TRUE(style.IsImmediate());
    CRowIterator image = MakeImage(8, 8);
    CRowIterator thumb = MakeImage(2, 2);
    ASSERT_EQ(style.SetNonCachedPattern(image, thumb), MIRN_ERR_NONE);
    EXPECT_TRUE(style.IsNonCached());
    EXPECT_FALSE(style.IsImmediate()) << "0 against 1";
    style.m_nImmediateIdx = 1;
    EXPECT_TRUE(style.IsImmediate());

    // New settings drop the images and the index.
    CComPtr<IMGLObject> pSettings;
    pSettings.Attach(MakeSettings(L"Bricks"));
    EXPECT_EQ(style.SetData(pSettings), MIRN_ERR_NONE);
    EXPECT_FALSE(style.IsNonCached());
    EXPECT_FALSE(style.m_oNonCachedImage.IsAttached());
    EXPECT_FALSE(style.m_oNonCachedThumb.IsAttached());
    EXPECT_EQ(style.GetImmediateIdx(), -1);
    EXPECT_EQ(Refs(pSettings), 2u);

    void* pData = nullptr;
    EXPECT_EQ(style.GetData(&pData), MIRN_ERR_NONE);
    EXPECT_EQ(pData, static_cast<void*>(pSettings.p));
    static_cast<IMGLObject*>(pData)->Release();
}

TEST_F(ContentStyleTest, NonCachedPatternNeedsBothImagesAndSharesThem)
{
    CMatStylePattern style;
    CRowIterator image = MakeImage(8, 8);
    CRowIterator thumb = MakeImage(2, 2);
    CRowIterator none;

    // Only the image: error, the image stays attached, the flag stays 0.
    EXPECT_EQ(style.SetNonCachedPattern(image, none), MIRN_ERR_INVALID_ARG);
    EXPECT_TRUE(style.m_oNonCachedImage.IsAttached());
    EXPECT_FALSE(style.IsNonCached());

    ASSERT_EQ(style.SetNonCachedPattern(image, thumb), MIRN_ERR_NONE);
    EXPECT_TRUE(style.m_oNonCachedImage.SharesImageWith(image));

    CRowIterator out = MakeImage(1, 1);
    EXPECT_TRUE(style.GetNonCachedPattern(out, true));
    EXPECT_TRUE(out.SharesImageWith(thumb));
    EXPECT_TRUE(style.GetNonCachedPattern(out, false));
    EXPECT_TRUE(out.SharesImageWith(image));

    // A failed store leaves no non-cached pattern and no thumbnail to give.
    EXPECT_EQ(style.SetNonCachedPattern(none, none), MIRN_ERR_INVALID_ARG);
    EXPECT_FALSE(style.IsNonCached());
    EXPECT_FALSE(style.GetNonCachedPattern(out, true));
    EXPECT_TRUE(out.SharesImageWith(image)) << "out is untouched on failure";

    // Copies share the images.
    ASSERT_EQ(style.SetNonCachedPattern(image, thumb), MIRN_ERR_NONE);
    CMatStylePattern copy(style);
    EXPECT_TRUE(copy.IsNonCached());
    EXPECT_TRUE(copy.m_oNonCachedThumb.SharesImageWith(thumb));
}

TEST_F(ContentStyleTest, PatternPageGetsNonCachedImagesOnlyWithImmediatePatterns)
{
    CComPtr<IMGLObject> pSettings;
    pSettings.Attach(MakeSettings(L"Bricks"));
    CRowIterator image = MakeImage(8, 8);
    CRowIterator thumb = MakeImage(2, 2);

    CMatStylePattern2 style;
    style.SetData(pSettings);
    style.SetNonCachedPattern(image, thumb);

    style.EnableImmediatePatterns(false);
    auto* pPage = static_cast<CMatStylePattern2Page*>(style.GetSettingsPage(m_pParent, m_rcPage));
    ASSERT_TRUE(pPage->IsKindOf(RUNTIME_CLASS(CMatStylePattern2Page)));
    EXPECT_FALSE(pPage->AreImmediatePatternsEnabled());
    EXPECT_FALSE(pPage->IsNonCached());
    // Released with apply, the page (showing no non-cached pattern) takes
    // the images away and reports its immediate index.
    style.ReleaseSettingsPage(pPage, true);
    EXPECT_FALSE(style.IsNonCached());
    EXPECT_EQ(style.GetImmediateIdx(), -1);
    EXPECT_EQ(Refs(pSettings), 2u);

    style.EnableImmediatePatterns(true);
    style.SetNonCachedPattern(image, thumb);
    pPage = static_cast<CMatStylePattern2Page*>(style.GetSettingsPage(m_pParent, m_rcPage));
    EXPECT_TRUE(pPage->AreImmediatePatternsEnabled());
    EXPECT_TRUE(pPage->IsNonCached());
    EXPECT_NE(pPage->GetSafeHwnd(), nullptr);
    ASSERT_TRUE(pPage->SetImmediateIdx(2));
    style.ReleaseSettingsPage(pPage, true);
    EXPECT_TRUE(style.IsNonCached());
    EXPECT_EQ(style.GetImmediateIdx(), 2);
    EXPECT_TRUE(style.IsImmediate());

    // Without apply nothing changes.
    pPage = static_cast<CMatStylePattern2Page*>(style.GetSettingsPage(m_pParent, m_rcPage));
    pPage->SetImmediateIdx(5);
    HWND hPage = pPage->GetSafeHwnd();
    style.ReleaseSettingsPage(pPage, false);
    EXPECT_FALSE(IsWindow(hPage));
    EXPECT_EQ(style.GetImmediateIdx(), 2);
}

TEST_F(ContentStyleTest, TextureFromTheResourcesReplacesANonCachedOne)
{
    CMatTexture texture;
    EXPECT_FALSE(texture.IsValid());
    EXPECT_TRUE(texture.GetTTText().IsEmpty());
    CRowIterator out;
    EXPECT_FALSE(texture.GetNonCachedTexture(out, true));
    EXPECT_FALSE(texture.GetNonCachedTexture(out, false));
    EXPECT_FALSE(out.IsAttached());

    CRowIterator image = MakeImage(16, 16);
    CRowIterator thumb = MakeImage(4, 4);
    CRowIterator none;
    EXPECT_EQ(texture.SetNonCachedTexture(none, thumb), MIRN_ERR_INVALID_ARG);
    EXPECT_FALSE(texture.IsTextureNonCached());
    ASSERT_EQ(texture.SetNonCachedTexture(image, thumb), MIRN_ERR_NONE);
    EXPECT_TRUE(texture.IsTextureNonCached());
    EXPECT_TRUE(texture.GetNonCachedTexture(out, true));
    EXPECT_TRUE(out.SharesImageWith(thumb));
    EXPECT_TRUE(texture.GetNonCachedTexture(out, false));
    EXPECT_TRUE(out.SharesImageWith(image));

    // Settings without a resource name keep the non-cached texture.
    CComPtr<IMGLObject> pUnnamed;
    pUnnamed.Attach(MakeSettings());
    EXPECT_EQ(texture.SetData(pUnnamed), MIRN_ERR_NONE);
    EXPECT_TRUE(texture.IsValid());
    EXPECT_TRUE(texture.IsTextureNonCached());
    CComPtr<IMGLObject> pEmptyName;
    pEmptyName.Attach(MakeSettings(L""));
    texture.SetData(pEmptyName);
    EXPECT_TRUE(texture.IsTextureNonCached());
    EXPECT_EQ(Refs(pUnnamed), 1u);

    // A named resource texture drops it.
    CComPtr<IMGLObject> pNamed;
    pNamed.Attach(MakeSettings(L"Canvas"));
    texture.SetData(pNamed);
    EXPECT_FALSE(texture.IsTextureNonCached());
    EXPECT_FALSE(texture.GetNonCachedTexture(out, true));
    EXPECT_EQ(Refs(pNamed), 2u);

    void* pData = nullptr;
    EXPECT_EQ(texture.GetData(&pData), MIRN_ERR_NONE);
    EXPECT_EQ(pData, static_cast<void*>(pNamed.p));
    static_cast<IMGLObject*>(pData)->Release();

    CMatTexture copy;
    copy = texture;
    EXPECT_EQ(Refs(pNamed), 3u);
}

TEST_F(ContentStyleTest, ArtMediaTakesOnlyArtAndWritesThePageColourOpaque)
{
    CMatStyleArtMedia style;
    EXPECT_EQ(style.m_eStyle, MATERIAL_STYLE_ART_MEDIA);
    EXPECT_TRUE(style.m_bCurrent);
    EXPECT_TRUE(style.IsValid());
    EXPECT_FALSE(style.IsNonCached());
    EXPECT_EQ(style.GetTTText(), CString(L"Art media"));
    EXPECT_EQ(style.GetName(), CString(L"Color"));

    // An object that is not art leaves the style without art.
    CComPtr<IMGLObject> pNotArt;
    pNotArt.Attach(new CMGLObject(7));
    EXPECT_EQ(style.SetData(pNotArt), MIRN_ERR_NONE);
    EXPECT_EQ(Refs(pNotArt), 1u);
    void* pData = reinterpret_cast<void*>(0x99);
    EXPECT_EQ(style.GetData(&pData), MIRN_ERR_NONE);
    EXPECT_EQ(pData, reinterpret_cast<void*>(0x99));

    CComPtr<IMGLArt> pArt;
    pArt.Attach(new CMGLArt());
    CErrorAutoThrow error;
    pArt->SetColor(error, 0x40102030);
    EXPECT_EQ(style.SetData(pArt), MIRN_ERR_NONE);
    EXPECT_EQ(Refs(pArt), 2u);
    // The same art again: the temporary hold keeps it alive.
    style.SetData(style.m_pArt);
    EXPECT_EQ(Refs(pArt), 2u);

    // The page shows the colour without its alpha byte.
    style.DisableColorMatching(true);
    CMatPropertiesPage* pPage = style.GetSettingsPage(m_pParent, m_rcPage);
    ASSERT_TRUE(pPage->IsKindOf(RUNTIME_CLASS(CMatStyleSolid24Page)));
    auto* p24 = static_cast<CMatStyleSolid24Page*>(pPage);
    EXPECT_EQ(p24->GetColor(), 0x00102030u);
    EXPECT_FALSE(p24->IsColorMatching());
    p24->SetColor(0x00A0B0C0);
    style.ReleaseSettingsPage(pPage, false);
    const COLORREF* pPrimary = nullptr;
    const COLORREF* pSecondary = nullptr;
    int nThird = 0;
    bool bFlag = false;
    pArt->GetContent(error, &pPrimary, &pSecondary, nThird, bFlag);
    ASSERT_NE(pPrimary, nullptr);
    EXPECT_EQ(*pPrimary, 0x40102030u);

    pPage = style.GetSettingsPage(m_pParent, m_rcPage);
    static_cast<CMatStyleSolid24Page*>(pPage)->SetColor(0x00A0B0C0);
    style.ReleaseSettingsPage(pPage, true);
    pArt->GetContent(error, &pPrimary, &pSecondary, nThird, bFlag);
    EXPECT_EQ(*pPrimary, 0xFFA0B0C0u);

    // With only a secondary colour the page starts from it.
    CComPtr<IMGLArt> pSecondaryOnly;
    pSecondaryOnly.Attach(new CMGLArt());
    pSecondaryOnly->SetSecondaryColor(error, 0x7F050607, 3);
    style.SetData(pSecondaryOnly);
    EXPECT_EQ(Refs(pArt), 1u);
    pPage = style.GetSettingsPage(m_pParent, m_rcPage);
    EXPECT_EQ(static_cast<CMatStyleSolid24Page*>(pPage)->GetColor(), 0x00050607u);
    style.ReleaseSettingsPage(pPage, false);
}

TEST_F(ContentStyleTest, NonCachedArtIsCopiedInTheOrderItsFlagSays)
{
    CMatStyleArtMedia style;
    CComPtr<CRecordingArt> pDest;
    pDest.Attach(new CRecordingArt());
    EXPECT_FALSE(style.GetNonCachedArt(pDest));
    EXPECT_EQ(style.SetNonCachedArt(nullptr), MIRN_ERR_INVALID_ARG);
    EXPECT_FALSE(style.IsNonCached());

    CComPtr<IMGLArt> pSource;
    pSource.Attach(new CMGLArt());
    CErrorAutoThrow error;
    pSource->SetColor(error, 1);
    pSource->SetSecondaryColor(error, 2, 9);
    ASSERT_EQ(style.SetNonCachedArt(pSource), MIRN_ERR_NONE);
    EXPECT_TRUE(style.IsNonCached());
    EXPECT_FALSE(style.GetNonCachedArt(nullptr));

    EXPECT_TRUE(style.GetNonCachedArt(pDest));
    EXPECT_EQ(pDest->m_calls, (std::vector<std::string>{"color 1", "secondary 2 9"}));

    pDest->m_calls.clear();
    pSource->SetSecondaryFirst(error, true);
    EXPECT_TRUE(style.GetNonCachedArt(pDest));
    EXPECT_EQ(pDest->m_calls, (std::vector<std::string>{"secondary 2 9", "color 1"}));

    CMatStyleArtMedia copy(style);
    EXPECT_EQ(Refs(pSource), 3u);
    EXPECT_EQ(style.SetNonCachedArt(nullptr), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(Refs(pSource), 2u);
}

TEST_F(ContentStyleTest, TextureShownAsAStyleHasNoDataAndAWindowlessPage)
{
    CMatStyleFakeTexture style;
    EXPECT_EQ(style.m_eStyle, MATERIAL_STYLE_TEXTURE);
    EXPECT_FALSE(style.m_bCurrent);
    EXPECT_TRUE(style.IsValid());
    EXPECT_TRUE(style.IsNonCached());
    EXPECT_TRUE(style.IsImmediate());
    EXPECT_EQ(style.GetTTText(), CString(L"Texture tip"));
    EXPECT_EQ(style.GetName(), CString(L"Texture"));

    void* pData = reinterpret_cast<void*>(0x5150);
    EXPECT_EQ(style.GetData(&pData), MIRN_ERR_NONE);
    EXPECT_EQ(pData, reinterpret_cast<void*>(0x5150));
    EXPECT_EQ(style.SetData(reinterpret_cast<void*>(0x77)), MIRN_ERR_NONE);

    CMatPropertiesPage* pPage = style.GetSettingsPage(m_pParent, m_rcPage);
    ASSERT_NE(pPage, nullptr);
    EXPECT_TRUE(pPage->IsKindOf(RUNTIME_CLASS(CMatStyleFakeTexturePage)));
    EXPECT_EQ(pPage->GetSafeHwnd(), nullptr);
    // The dialog makes the window; release destroys it whatever bApply says.
    ASSERT_NE(pPage->CreateAsChild(m_rcPage, m_pParent), 0);
    HWND hPage = pPage->GetSafeHwnd();
    style.ReleaseSettingsPage(pPage, true);
    EXPECT_FALSE(IsWindow(hPage));
}
