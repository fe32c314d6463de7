#include "HostAppContext.h"

#include "MGLModel.h"
#include "RowIterator.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{

class HostAppContextTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_nLive = LiveMGLObjectCount();
        m_pContext.Attach(new CHostAppContext(m_materials));
        ASSERT_EQ(
            m_pContext->QueryInterface(IID_OF(IMaterialServices), reinterpret_cast<void**>(&m_pServices.p)),
            S_OK);
    }
    void TearDown() override
    {
        m_pServices = nullptr;
        m_pContext = nullptr;
        m_materials = CHostMaterials();
        EXPECT_EQ(LiveMGLObjectCount(), m_nLive);
    }

    CHostMaterials m_materials;
    CComPtr<CHostAppContext> m_pContext;
    CComPtr<IMaterialServices> m_pServices;
    CErrorAutoThrow m_error;
    int m_nLive = 0;
};

// A new settings object cached under a name, as the resources give them.
template <typename TObject> CComPtr<IMGLObject> Named(TObject* pObject, LPCWSTR pszName)
{
    pObject->SetCachedName(pszName);
    CComPtr<IMGLObject> pSettings;
    pSettings.Attach(pObject);
    return pSettings;
}

ULONG Refs(IUnknown* pObject)
{
    pObject->AddRef();
    return pObject->Release();
}

SHostMaterial Plain(int nStyle, COLORREF clrColor)
{
    SHostMaterial material;
    material.nStyle = nStyle;
    material.clrColor = clrColor;
    return material;
}

void CountNotification(int nNotification, void* pContext)
{
    static_cast<std::vector<int>*>(pContext)->push_back(nNotification);
}

} // namespace

TEST_F(HostAppContextTest, SolidColoursTravelOnTheHeapOtherKindsAsTheirSettings)
{
    CComPtr<IMGLObject> pGradient = Named(new CMGLGradient, L"Rainbow");
    CComPtr<IMGLObject> pPattern = Named(new CMGLObject(MGL_OBJECT_PATTERN), L"Bricks");
    CComPtr<IMGLObject> pArt;
    pArt.Attach(new CMGLArt);
    m_materials.SetDefaults(false, pGradient, pPattern, pArt, nullptr);
    m_materials.SetSolidColor(false, RGB(1, 2, 3));

    void* pData = reinterpret_cast<void*>(1);
    m_pContext->GetStyleData(m_error, 1, false, &pData);
    ASSERT_NE(pData, nullptr);
    EXPECT_EQ(*static_cast<COLORREF*>(pData), RGB(1, 2, 3));
    std::free(pData);

    // The receiver owns one reference.
    const std::pair<int, IMGLObject*> kinds[] = {{4, pGradient}, {2, pPattern}, {8, pArt}};
    for (const auto& [nKind, pExpected] : kinds)
    {
        pData = nullptr;
        m_pContext->GetStyleData(m_error, nKind, false, &pData);
        EXPECT_TRUE(m_error.IsOk());
        ASSERT_EQ(pData, static_cast<void*>(pExpected)) << nKind;
        EXPECT_EQ(Refs(pExpected), 4u) << "ours, the side's, its recent entry's and the receiver's";
        static_cast<IMGLObject*>(pData)->Release();
    }
    // A side without settings of a kind gives none; the texture shown as a
    // style has no data; an unknown kind is refused.
    pData = reinterpret_cast<void*>(1);
    m_pContext->GetStyleData(m_error, 4, true, &pData);
    EXPECT_EQ(pData, nullptr);
    EXPECT_TRUE(m_error.IsOk());
    m_pContext->GetStyleData(m_error, 64, true, &pData);
    EXPECT_EQ(pData, nullptr);
    EXPECT_TRUE(m_error.IsOk());
    m_pContext->GetStyleData(m_error, 3, true, &pData);
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_INVALID_ARG);
    m_pContext->GetStyleData(m_error, 1, true, nullptr);
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_INVALID_ARG);
}

TEST_F(HostAppContextTest, OnlyContentOutsideTheCacheTravelsBesideTheMaterial)
{
    // A cached gradient has no non-cached stops; an unsaved one gives itself.
    CComPtr<IMGLObject> pSaved = Named(new CMGLGradient, L"Rainbow");
    CComPtr<IMGLObject> pUnsaved;
    pUnsaved.Attach(new CMGLGradient);
    m_materials.SetDefaults(true, pSaved, nullptr, nullptr, nullptr);
    m_materials.SetDefaults(false, pUnsaved, nullptr, nullptr, nullptr);
    CComPtr<IMGLGradient> pStops;
    m_pContext->GetNonCachedGradient(m_error, true, &pStops.p);
    EXPECT_EQ(pStops, nullptr);
    m_pContext->GetNonCachedGradient(m_error, false, &pStops.p);
    ASSERT_NE(pStops, nullptr);
    CComPtr<IMGLObject> pStopsObject;
    pStops->QueryInterface(IID_OF(IMGLObject), reinterpret_cast<void**>(&pStopsObject.p));
    EXPECT_EQ(pStopsObject, pUnsaved);

    // A pattern taken from an image: the image and a thumbnail of at most 48
    // pixels, each the mean of the pixels it covers. Left half pure red,
    // right half pure blue (rows are blue, green, red).
    CRowIterator image;
    ASSERT_TRUE(image.CreateRGB(96, 40));
    for (int y = 0; y < 40; ++y)
    {
        BYTE* pRow = image.GetRow(y);
        for (int x = 0; x < 96; ++x)
        {
            pRow[x * 3 + 0] = x < 48 ? 0 : 255;
            pRow[x * 3 + 2] = x < 48 ? 255 : 0;
        }
        image.ReleaseRow(y);
    }
    CComPtr<IMGLObject> pPattern;
    pPattern.Attach(new CMGLObject(MGL_OBJECT_PATTERN));
    CMGLValueFactory values;
    CMGLPropertyFactory properties;
    CComPtr<IMGLValue> pValue;
    values.CreateImage(m_error, image, &pValue.p);
    CComPtr<IMGLProperty> pProperty;
    properties.CreateProperty(m_error, MGL_PROP_IMAGE, pValue, &pProperty.p);
    pPattern->SetProperty(m_error, pProperty);
    m_materials.SetDefaults(true, nullptr, pPattern, nullptr, nullptr);

    CRowIterator outImage;
    CRowIterator outThumb;
    m_pContext->GetNonCachedPattern(m_error, true, outImage, outThumb);
    ASSERT_TRUE(outImage.IsAttached());
    EXPECT_TRUE(outImage.SharesImageWith(image));
    ASSERT_TRUE(outThumb.IsAttached());
    EXPECT_EQ(outThumb.Width(), 48);
    EXPECT_EQ(outThumb.Height(), 20);
    const BYTE* pThumbRow = outThumb.GetRow(10);
    EXPECT_EQ(pThumbRow[23 * 3 + 2], 255);
    EXPECT_EQ(pThumbRow[23 * 3 + 0], 0);
    EXPECT_EQ(pThumbRow[24 * 3 + 0], 255);
    EXPECT_EQ(pThumbRow[24 * 3 + 2], 0);
    outThumb.ReleaseRow(10);
    // The same pattern stored in the resources travels as its name only.
    static_cast<CMGLObject*>(pPattern.p)->SetCachedName(L"From image");
    m_pContext->GetNonCachedPattern(m_error, true, outImage, outThumb);
    EXPECT_FALSE(outImage.IsAttached());
    EXPECT_FALSE(outThumb.IsAttached());

    // Art-media content always travels.
    CComPtr<IMGLObject> pArtObject;
    pArtObject.Attach(new CMGLArt);
    m_materials.SetDefaults(true, nullptr, nullptr, pArtObject, nullptr);
    CComPtr<IMGLArt> pArt;
    m_pContext->GetNonCachedArt(m_error, true, &pArt.p);
    ASSERT_NE(pArt, nullptr);
    CComPtr<IMGLArt> pNoArt;
    m_pContext->GetNonCachedArt(m_error, false, &pNoArt.p);
    EXPECT_EQ(pNoArt, nullptr);
    EXPECT_TRUE(m_error.IsOk());
}

TEST_F(HostAppContextTest, AMaterialBringsItsSettingsAndItsTexture)
{
    CComPtr<IMGLObject> pGradient = Named(new CMGLGradient, L"Sunset");
    CComPtr<IMGLObject> pTexture = Named(new CMGLObject(MGL_OBJECT_TEXTURE), L"Canvas");
    CComPtr<IMGLMaterial> pMaterial;
    pMaterial.Attach(new CMGLMaterial);
    pMaterial->SetStyle(m_error, 4);
    pMaterial->SetSettings(m_error, pGradient);
    pMaterial->SetTexture(m_error, pTexture);
    m_pServices->SetMaterial(m_error, pMaterial, true, 1, 0);
    EXPECT_TRUE(m_error.IsOk());
    EXPECT_EQ(m_materials.Material(true).pGradient, pGradient);
    EXPECT_TRUE(m_pContext->IsTextureEnabled(m_error, true));
    CComPtr<IMGLObject> pGot;
    m_pContext->GetTextureData(m_error, true, &pGot.p);
    EXPECT_EQ(pGot, pTexture);

    // Switched off, the side keeps the texture's settings, but its material
    // has no texture.
    m_pServices->EnableTexture(m_error, true, false);
    CComPtr<IMGLMaterial> pCurrent;
    m_pServices->GetMaterial(m_error, true, &pCurrent.p);
    ASSERT_NE(pCurrent, nullptr);
    CComPtr<IMGLObject> pCurrentTexture;
    pCurrent->GetTexture(m_error, &pCurrentTexture.p);
    EXPECT_EQ(pCurrentTexture, nullptr);
    CComPtr<IMGLObject> pCurrentSettings;
    pCurrent->GetSettings(m_error, &pCurrentSettings.p);
    EXPECT_EQ(pCurrentSettings, pGradient);
    pGot = nullptr;
    m_pContext->GetTextureData(m_error, true, &pGot.p);
    EXPECT_EQ(pGot, pTexture);

    // A solid colour material keeps the side's gradient for later.
    m_pServices->SetSolidColor(m_error, true, RGB(4, 5, 6));
    EXPECT_EQ(m_materials.Material(true).pGradient, pGradient);
    m_pServices->SetStyle(m_error, true, 4);
    pCurrent = nullptr;
    m_pServices->GetMaterial(m_error, true, &pCurrent.p);
    pCurrentSettings = nullptr;
    pCurrent->GetSettings(m_error, &pCurrentSettings.p);
    EXPECT_EQ(pCurrentSettings, pGradient);
}

TEST_F(HostAppContextTest, EnabledStatesNeverLeaveBothSidesOff)
{
    m_pContext->EnableMaterial(m_error, true, false);
    EXPECT_TRUE(m_error.IsOk());
    EXPECT_FALSE(m_pContext->IsMaterialEnabled(m_error, true));
    m_pContext->EnableMaterial(m_error, false, false);
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_TRUE(m_pContext->IsMaterialEnabled(m_error, false));
}

TEST_F(HostAppContextTest, MaterialsGoBothWaysAsHostObjects)
{
    CComPtr<IMGLMaterial> pMaterial;
    m_pServices->GetMaterial(m_error, false, &pMaterial.p);
    ASSERT_NE(pMaterial, nullptr);
    EXPECT_EQ(pMaterial->GetSolidColor(), RGB(255, 255, 255));

    pMaterial->SetSolidColor(m_error, RGB(9, 8, 7));
    pMaterial->SetStyle(m_error, 4);
    m_pServices->SetMaterial(m_error, pMaterial, true, 1, 0);
    EXPECT_TRUE(m_error.IsOk());
    EXPECT_EQ(m_materials.Material(true), (Plain(4, RGB(9, 8, 7))));
    EXPECT_EQ(m_pServices->GetStyle(m_error, true), 4);

    m_pServices->ApplyMaterial(m_error, pMaterial, 0);
    EXPECT_EQ(m_materials.Material(false).nStyle, 4);
    m_pServices->SetMaterial(m_error, nullptr, true, 1, 0);
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_INVALID_ARG);
    m_pServices->SetStyle(m_error, true, 3);
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_INVALID_ARG);

    // The recent list is the host's, most recent first.
    ASSERT_EQ(m_pServices->GetRecentMaterialCount(m_error), 1);
    CComPtr<IMGLMaterial> pRecent;
    m_pServices->GetRecentMaterial(m_error, 0, &pRecent.p);
    ASSERT_NE(pRecent, nullptr);
    EXPECT_EQ(pRecent->GetSolidColor(), RGB(9, 8, 7));
    CComPtr<IMGLMaterial> pNone;
    m_pServices->GetRecentMaterial(m_error, 1, &pNone.p);
    EXPECT_EQ(pNone, nullptr);
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_INVALID_ARG);
}

TEST_F(HostAppContextTest, SubscribersHearOnlyTheNotificationTheyAskedFor)
{
    std::vector<int> recent;
    std::vector<int> material;
    const int nRecent = m_pServices->Subscribe(m_error, 0, &CountNotification, &recent);
    const int nMaterial = m_pServices->Subscribe(m_error, 1, &CountNotification, &material);
    EXPECT_NE(nRecent, nMaterial);
    m_pServices->SetSolidColor(m_error, true, RGB(50, 60, 70));
    EXPECT_EQ(recent, (std::vector<int>{0}));
    EXPECT_EQ(material, (std::vector<int>{1}));

    m_pServices->Unsubscribe(m_error, nRecent);
    EXPECT_TRUE(m_error.IsOk());
    m_pServices->Unsubscribe(m_error, nRecent);
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_INVALID_ARG);
    m_pServices->SwapMaterials(m_error);
    EXPECT_EQ(recent.size(), 1u);
    EXPECT_EQ(material.size(), 2u);
    EXPECT_EQ(m_pServices->Subscribe(m_error, 5, &CountNotification, &recent), -1);
}

TEST_F(HostAppContextTest, SwapVariantsAndDocumentQueries)
{
    m_materials.SetTexture(true, true);
    m_pContext->SwapColors(m_error, 1);
    EXPECT_EQ(m_pContext->GetCurrentColor(m_error, 1), RGB(255, 255, 255));
    EXPECT_EQ(m_pContext->GetCurrentColor(m_error, 0), RGB(0, 0, 0));
    m_pContext->SwapTextures(m_error, 1);
    EXPECT_TRUE(m_pContext->IsTextureEnabled(m_error, false));
    // The small swap button's pair exchanges materials and textures, not the
    // enabled states.
    m_materials.SetEnabled(true, false);
    m_pContext->BeginSwapBoth(m_error);
    m_pContext->EndSwapBoth(m_error);
    EXPECT_EQ(m_pContext->GetCurrentColor(m_error, 1), RGB(0, 0, 0));
    EXPECT_TRUE(m_pContext->IsTextureEnabled(m_error, true));
    EXPECT_FALSE(m_pContext->IsMaterialEnabled(m_error, true));

    EXPECT_TRUE(m_pContext->IsFullColorDocument(m_error));
    EXPECT_FALSE(m_pContext->IsGreyscaleDocument(m_error));
    EXPECT_FALSE(m_pContext->HasDocumentPalette(m_error));

    CRowIterator image;
    image.CreateRGB(1, 1);
    CRowIterator thumb = image;
    m_pContext->GetNonCachedPattern(m_error, true, image, thumb);
    EXPECT_FALSE(image.IsAttached());
    EXPECT_FALSE(thumb.IsAttached());

    m_pServices->ReportSampledColor(m_error, 0xFF102030);
    EXPECT_EQ(m_pContext->LastSampledColor(), std::optional<COLORREF>(0x102030));
}
