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
        EXPECT_EQ(LiveMGLObjectCount(), m_nLive);
    }

    CHostMaterials m_materials;
    CComPtr<CHostAppContext> m_pContext;
    CComPtr<IMaterialServices> m_pServices;
    CErrorAutoThrow m_error;
    int m_nLive = 0;
};

void CountNotification(int nNotification, void* pContext)
{
    static_cast<std::vector<int>*>(pContext)->push_back(nNotification);
}

} // namespace

TEST_F(HostAppContextTest, SolidAndArtColoursTravelAsAHeapColourOtherKindsAsNothing)
{
    m_materials.SetSolidColor(false, RGB(1, 2, 3));
    void* pData = reinterpret_cast<void*>(1);
    m_pContext->GetStyleData(m_error, 1, false, &pData);
    ASSERT_NE(pData, nullptr);
    EXPECT_EQ(*static_cast<COLORREF*>(pData), RGB(1, 2, 3));
    std::free(pData);

    m_pContext->GetStyleData(m_error, 8, true, &pData);
    ASSERT_NE(pData, nullptr);
    EXPECT_EQ(*static_cast<COLORREF*>(pData), RGB(0, 0, 0));
    std::free(pData);

    m_pContext->GetStyleData(m_error, 4, true, &pData);
    EXPECT_EQ(pData, nullptr);
    EXPECT_TRUE(m_error.IsOk());
    m_pContext->GetStyleData(m_error, 1, true, nullptr);
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_INVALID_ARG);
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
    EXPECT_EQ(m_materials.Material(true), (SHostMaterial{4, RGB(9, 8, 7)}));
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
