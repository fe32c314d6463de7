#include "MirnMaterialPalette.h"

#include "FakeHostServices.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{
// Counts the styles and textures the palette deletes.
int g_nStylesDeleted = 0;
int g_nTexturesDeleted = 0;

class CCountedStyle : public VMatStyle
{
public:
    explicit CCountedStyle(EMaterialStyle eStyle) : VMatStyle(eStyle) {}
    ~CCountedStyle() override { ++g_nStylesDeleted; }
    CErrorAutoThrow GetData(void**) override { return MIRN_ERR_NONE; }
    CErrorAutoThrow SetData(void*) override { return MIRN_ERR_NONE; }
    bool IsValid() override { return true; }
    CMatPropertiesPage* GetSettingsPage(CWnd*, CRect&) override { return nullptr; }
    void ReleaseSettingsPage(CMatPropertiesPage*, bool) override {}
};

class CCountedTexture : public VMatTexture
{
public:
    ~CCountedTexture() override { ++g_nTexturesDeleted; }
    CErrorAutoThrow GetData(void**) override { return MIRN_ERR_NONE; }
    CErrorAutoThrow SetData(void*) override { return MIRN_ERR_NONE; }
    bool IsValid() override { return true; }
    CErrorAutoThrow SetNonCachedTexture(CRowIterator&, CRowIterator&) override { return MIRN_ERR_NONE; }
    bool IsTextureNonCached() override { return false; }
    bool GetNonCachedTexture(CRowIterator&, bool) override { return false; }
};

// Palettes whose construction or destruction the tests observe.
int g_nPalettesMade = 0;
int g_nPalettesDestroyed = 0;
class CCountedPalette : public CMirnMaterialPalette
{
public:
    CCountedPalette() { ++g_nPalettesMade; }
    ~CCountedPalette() override { ++g_nPalettesDestroyed; }
};
class CThrowingPalette : public CMirnMaterialPalette
{
public:
    CThrowingPalette() { throw std::runtime_error("no palette today"); }
};
class COutOfMemoryPalette : public CMirnMaterialPalette
{
public:
    COutOfMemoryPalette() { throw std::bad_alloc(); }
};

class PaletteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CMirnMaterialPalette::DeleteSingleton();
        HostLog().clear();
        g_nStylesDeleted = g_nTexturesDeleted = 0;
        g_nPalettesMade = g_nPalettesDestroyed = 0;
    }
    void TearDown() override { CMirnMaterialPalette::DeleteSingleton(); }
};
} // namespace

TEST_F(PaletteTest, InitializeHoldsTheContextsAndSwapsThemWhenCalledAgain)
{
    auto* pAppA = new CFakeAppContext(L"app A");
    auto* pExecA = new CFakeExecutionContext(L"exec A");
    auto* pAppB = new CFakeAppContext(L"app B");
    auto* pExecB = new CFakeExecutionContext(L"exec B");
    {
        CMirnMaterialPalette palette;
        EXPECT_EQ(palette.Initialize(pAppA, pExecA, nullptr, nullptr), MIRN_ERR_NONE);
        EXPECT_EQ(pAppA->GetRefCount(), 2u);
        EXPECT_EQ(pExecA->GetRefCount(), 2u);
        EXPECT_EQ(palette.GetObjectFactory(), &pExecA->m_objectFactory);
        EXPECT_EQ(palette.GetValueFactory(), &pExecA->m_valueFactory);
        EXPECT_EQ(palette.GetPropertyFactory(), &pExecA->m_propertyFactory);
        // This context does not answer the material services.
        EXPECT_EQ(palette.GetMaterialServices(), nullptr);

        // The same contexts again: still one reference each.
        EXPECT_EQ(palette.Initialize(pAppA, pExecA, nullptr, nullptr), MIRN_ERR_NONE);
        EXPECT_EQ(pAppA->GetRefCount(), 2u);
        EXPECT_EQ(pExecA->GetRefCount(), 2u);

        // Other contexts: the old ones are given back.
        pAppB->m_bAnswerServices = true;
        EXPECT_EQ(palette.Initialize(pAppB, pExecB, nullptr, nullptr), MIRN_ERR_NONE);
        EXPECT_EQ(pAppA->GetRefCount(), 1u);
        EXPECT_EQ(pExecA->GetRefCount(), 1u);
        // One held as the context, one through the material services.
        EXPECT_EQ(pAppB->GetRefCount(), 3u);
        EXPECT_EQ(pExecB->GetRefCount(), 2u);
        EXPECT_EQ(palette.GetMaterialServices(), static_cast<IMaterialServices*>(pAppB));
        EXPECT_EQ(palette.GetObjectFactory(), &pExecB->m_objectFactory);

        IMatPalAppContext* pHeld = nullptr;
        EXPECT_EQ(palette.GetAppContext(&pHeld), MIRN_ERR_NONE);
        EXPECT_EQ(pHeld, static_cast<IMatPalAppContext*>(pAppB));
        EXPECT_EQ(pAppB->GetRefCount(), 4u);
        pHeld->Release();
        ICommandExecutionContext* pHeldExec = nullptr;
        EXPECT_EQ(palette.GetExecutionContext(&pHeldExec), MIRN_ERR_NONE);
        EXPECT_EQ(pHeldExec, static_cast<ICommandExecutionContext*>(pExecB));
        pHeldExec->Release();
        palette.Shutdown();
    }
    // The palette's end gives back everything it held.
    EXPECT_EQ(pAppB->GetRefCount(), 1u);
    EXPECT_EQ(pExecB->GetRefCount(), 1u);
    pAppA->Release();
    pExecA->Release();
    pAppB->Release();
    pExecB->Release();
}

TEST_F(PaletteTest, InitializeWithoutAnApplicationContextChangesNothing)
{
    auto* pApp = new CFakeAppContext(L"app");
    auto* pExec = new CFakeExecutionContext(L"exec");
    auto* pOtherExec = new CFakeExecutionContext(L"other exec");
    CMirnMaterialPalette palette;
    ASSERT_EQ(palette.Initialize(pApp, pExec, nullptr, nullptr), MIRN_ERR_NONE);
    HostLog().clear();

    EXPECT_EQ(palette.Initialize(nullptr, pOtherExec, nullptr, nullptr), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(pApp->GetRefCount(), 2u);
    EXPECT_EQ(pExec->GetRefCount(), 2u);
    EXPECT_EQ(pOtherExec->GetRefCount(), 1u);
    EXPECT_EQ(palette.GetObjectFactory(), &pExec->m_objectFactory);
    EXPECT_TRUE(HostLog().empty()) << "no engine is made and nothing released";
    ICommandExecutionContext* pHeld = nullptr;
    palette.GetExecutionContext(&pHeld);
    EXPECT_EQ(pHeld, static_cast<ICommandExecutionContext*>(pExec));
    pHeld->Release();

    palette.Shutdown();
    pOtherExec->Release();
    // pApp and pExec go with the palette below.
    pApp->Release();
    pExec->Release();
}

TEST_F(PaletteTest, TheRenderEngineIsMadeWithZeroConfiguredOnceAndOwned)
{
    auto* pApp = new CFakeAppContext(L"app");
    auto* pExec = new CFakeExecutionContext(L"exec");
    CMirnMaterialPalette palette;
    ASSERT_EQ(palette.Initialize(pApp, pExec, nullptr, nullptr), MIRN_ERR_NONE);
    EXPECT_EQ(HostLog(), (std::vector<std::wstring>{L"engine made 0", L"engine configured 0 true"}));
    EXPECT_NE(palette.GetRenderEngine(), nullptr);

    // Initialised again, the palette keeps only the new engine.
    HostLog().clear();
    ASSERT_EQ(palette.Initialize(pApp, pExec, nullptr, nullptr), MIRN_ERR_NONE);
    EXPECT_EQ(HostLog(),
              (std::vector<std::wstring>{L"engine made 0", L"engine deleted", L"engine configured 0 true"}));

    HostLog().clear();
    palette.Shutdown();
    EXPECT_EQ(HostLog(), (std::vector<std::wstring>{L"engine deleted"}));
    EXPECT_EQ(palette.GetRenderEngine(), nullptr);
    pApp->Release();
    pExec->Release();
}

TEST_F(PaletteTest, TheDestructorReleasesRegistryThenApplicationThenExecutionContext)
{
    auto* pApp = new CFakeAppContext(L"app");
    auto* pExec = new CFakeExecutionContext(L"exec");
    auto* pRegistry = new CFakeRegistry(L"registry");
    auto* pPalette = new CMirnMaterialPalette;
    ASSERT_EQ(pPalette->Initialize(pApp, pExec, nullptr, nullptr), MIRN_ERR_NONE);
    pPalette->LoadSettings(pRegistry, L"Software\\Materials");
    EXPECT_EQ(pRegistry->GetRefCount(), 2u);
    EXPECT_EQ(std::wstring(pPalette->GetRegistryKey()), L"Software\\Materials");
    pPalette->Shutdown();
    // Shutdown leaves the contexts held.
    EXPECT_EQ(pApp->GetRefCount(), 2u);
    HostLog().clear();
    delete pPalette;
    EXPECT_EQ(HostLog(),
              (std::vector<std::wstring>{L"registry released", L"app released", L"exec released"}));
    pApp->Release();
    pExec->Release();
    pRegistry->Release();
}

TEST_F(PaletteTest, ASolidStyleGoesToFourControlsAnyOtherToTwo)
{
    CMirnMaterialPalette palette;
    auto* pSolidFg = new CCountedStyle(MATERIAL_STYLE_SOLID);
    auto* pSolidBg = new CCountedStyle(MATERIAL_STYLE_SOLID);
    auto* pGradientFg = new CCountedStyle(MATERIAL_STYLE_GRADIENT);
    auto* pGradientBg = new CCountedStyle(MATERIAL_STYLE_GRADIENT);
    EXPECT_EQ(palette.RegisterMatStyle(pSolidFg, pSolidBg, false), MIRN_ERR_NONE);
    EXPECT_EQ(palette.RegisterMatStyle(pGradientFg, pGradientBg, true), MIRN_ERR_NONE);

    using SEntry = std::pair<VMatStyle*, bool>;
    const auto* pFg = palette.GetControlRegistrations(IDC_MATCTRL_FOREGROUND);
    const auto* pBg = palette.GetControlRegistrations(IDC_MATCTRL_BACKGROUND);
    const auto* pSolidCtrlFg = palette.GetControlRegistrations(IDC_MATCTRL_SOLID_FOREGROUND);
    const auto* pSolidCtrlBg = palette.GetControlRegistrations(IDC_MATCTRL_SOLID_BACKGROUND);
    ASSERT_NE(pFg, nullptr);
    ASSERT_NE(pSolidCtrlBg, nullptr);
    EXPECT_EQ(palette.GetControlRegistrations(103), nullptr);
    EXPECT_EQ(pFg->arrStyles, (std::vector<SEntry>{{pSolidFg, false}, {pGradientFg, true}}));
    EXPECT_EQ(pBg->arrStyles, (std::vector<SEntry>{{pSolidBg, false}, {pGradientBg, true}}));
    // The solid-colour controls always show it in their menus.
    EXPECT_EQ(pSolidCtrlFg->arrStyles, (std::vector<SEntry>{{pSolidFg, true}}));
    EXPECT_EQ(pSolidCtrlBg->arrStyles, (std::vector<SEntry>{{pSolidBg, true}}));
    EXPECT_EQ(palette.GetForegroundStyles(), (std::vector<VMatStyle*>{pSolidFg, pGradientFg}));
    EXPECT_EQ(palette.GetBackgroundStyles(), (std::vector<VMatStyle*>{pSolidBg, pGradientBg}));

    palette.Shutdown();
    EXPECT_EQ(g_nStylesDeleted, 4);
    EXPECT_TRUE(palette.GetForegroundStyles().empty());
    EXPECT_TRUE(pFg->arrStyles.empty());
}

TEST_F(PaletteTest, ShutdownDeletesStylesTexturesAndEngineAndTwiceIsHarmless)
{
    auto* pApp = new CFakeAppContext(L"app");
    auto* pExec = new CFakeExecutionContext(L"exec");
    CMirnMaterialPalette palette;
    ASSERT_EQ(palette.Initialize(pApp, pExec, nullptr, nullptr), MIRN_ERR_NONE);
    palette.RegisterMatStyle(new CCountedStyle(MATERIAL_STYLE_PATTERN),
                             new CCountedStyle(MATERIAL_STYLE_PATTERN), true);
    // A null style is kept in its list and skipped when deleting.
    palette.RegisterMatStyle(new CCountedStyle(MATERIAL_STYLE_ART_MEDIA), nullptr, true);
    auto* pTextureFg = new CCountedTexture;
    auto* pTextureBg = new CCountedTexture;
    EXPECT_EQ(palette.RegisterMatTexture(pTextureFg, pTextureBg), MIRN_ERR_NONE);
    EXPECT_EQ(palette.GetForegroundTexture(), pTextureFg);
    EXPECT_EQ(palette.GetControlRegistrations(IDC_MATCTRL_BACKGROUND)->arrTextures,
              (std::vector<VMatTexture*>{pTextureBg}));
    EXPECT_TRUE(palette.GetControlRegistrations(IDC_MATCTRL_SOLID_FOREGROUND)->arrTextures.empty());
    EXPECT_EQ(palette.GetBackgroundStyles().size(), 2u);

    HostLog().clear();
    palette.Shutdown();
    EXPECT_EQ(g_nStylesDeleted, 3);
    EXPECT_EQ(g_nTexturesDeleted, 2);
    EXPECT_EQ(HostLog(), (std::vector<std::wstring>{L"engine deleted"}));
    EXPECT_EQ(palette.GetForegroundTexture(), nullptr);
    EXPECT_EQ(palette.GetBackgroundTexture(), nullptr);

    HostLog().clear();
    palette.Shutdown();
    EXPECT_EQ(g_nStylesDeleted, 3);
    EXPECT_EQ(g_nTexturesDeleted, 2);
    EXPECT_TRUE(HostLog().empty());
    pApp->Release();
    pExec->Release();
}

TEST_F(PaletteTest, APaletteDestroyedWithoutShutdownStillDeletesWhatItOwns)
{
    auto* pApp = new CFakeAppContext(L"app");
    auto* pExec = new CFakeExecutionContext(L"exec");
    {
        CMirnMaterialPalette palette;
        ASSERT_EQ(palette.Initialize(pApp, pExec, nullptr, nullptr), MIRN_ERR_NONE);
        palette.RegisterMatStyle(new CCountedStyle(MATERIAL_STYLE_GRADIENT),
                                 new CCountedStyle(MATERIAL_STYLE_GRADIENT), true);
        palette.RegisterMatTexture(new CCountedTexture, new CCountedTexture);
        HostLog().clear();
    }
    EXPECT_EQ(g_nStylesDeleted, 2);
    EXPECT_EQ(g_nTexturesDeleted, 2);
    ASSERT_FALSE(HostLog().empty());
    EXPECT_EQ(HostLog().front(), L"engine deleted");
    pApp->Release();
    pExec->Release();
}

TEST_F(PaletteTest, InstanceIsMadeOnceAndDeleteSingletonForgetsIt)
{
    EXPECT_FALSE(CMirnMaterialPalette::InstanceExists());
    CMirnMaterialPalette* pFirst = CMirnMaterialPalette::Instance();
    ASSERT_NE(pFirst, nullptr);
    EXPECT_TRUE(CMirnMaterialPalette::InstanceExists());
    EXPECT_EQ(CMirnMaterialPalette::Instance(), pFirst);
    EXPECT_EQ(TSingleton<CMirnMaterialPalette>::Instance(), pFirst);
    CMirnMaterialPalette::DeleteSingleton();
    EXPECT_FALSE(CMirnMaterialPalette::InstanceExists());
    CMirnMaterialPalette::DeleteSingleton(); // nothing to do
    EXPECT_FALSE(CMirnMaterialPalette::InstanceExists());
}

TEST_F(PaletteTest, InstallInstance)
{
    EXPECT_EQ(CMirnMaterialPalette::InstallInstance(nullptr), MIRN_ERR_INVALID_ARG);
    EXPECT_FALSE(CMirnMaterialPalette::InstanceExists());

    auto* pInstalled = new CCountedPalette;
    EXPECT_EQ(CMirnMaterialPalette::InstallInstance(pInstalled), MIRN_ERR_NONE);
    EXPECT_EQ(CMirnMaterialPalette::Instance(), pInstalled);

    // Over an existing instance the argument is destroyed and all is well.
    EXPECT_EQ(CMirnMaterialPalette::InstallInstance(new CCountedPalette), MIRN_ERR_NONE);
    EXPECT_EQ(g_nPalettesMade, 2);
    EXPECT_EQ(g_nPalettesDestroyed, 1);
    EXPECT_EQ(CMirnMaterialPalette::Instance(), pInstalled);

    CMirnMaterialPalette::DeleteSingleton();
    EXPECT_EQ(g_nPalettesDestroyed, 2);
}

TEST_F(PaletteTest, CreateSingleton)
{
    EXPECT_EQ((TDynamicSingleton<CMirnMaterialPalette, CCountedPalette>::CreateSingleton()), MIRN_ERR_NONE);
    ASSERT_TRUE(CMirnMaterialPalette::InstanceExists());
    CMirnMaterialPalette* pFirst = CMirnMaterialPalette::Instance();
    EXPECT_NE(dynamic_cast<CCountedPalette*>(pFirst), nullptr);

    // A second one is made and destroyed; the first stays.
    EXPECT_EQ((TDynamicSingleton<CMirnMaterialPalette, CCountedPalette>::CreateSingleton()), MIRN_ERR_NONE);
    EXPECT_EQ(g_nPalettesMade, 2);
    EXPECT_EQ(g_nPalettesDestroyed, 1);
    EXPECT_EQ(CMirnMaterialPalette::Instance(), pFirst);
    CMirnMaterialPalette::DeleteSingleton();

    // The palette's own singleton makes a plain palette.
    EXPECT_EQ(CMirnMaterialPalette::CreateSingleton(), MIRN_ERR_NONE);
    EXPECT_TRUE(CMirnMaterialPalette::InstanceExists());
    CMirnMaterialPalette::DeleteSingleton();
}

TEST_F(PaletteTest, CreateSingletonReportsExceptionsOfConstruction)
{
    EXPECT_EQ((TDynamicSingleton<CMirnMaterialPalette, CThrowingPalette>::CreateSingleton()),
              MIRN_ERR_STD_EXCEPTION);
    EXPECT_FALSE(CMirnMaterialPalette::InstanceExists());
    EXPECT_EQ((TDynamicSingleton<CMirnMaterialPalette, COutOfMemoryPalette>::CreateSingleton()),
              MIRN_ERR_INVALID_ARG);
    EXPECT_FALSE(CMirnMaterialPalette::InstanceExists());
}

TEST(AppServiceTest, IdentifierNameAndValue)
{
    CMirnMaterialPalette palette;
    EXPECT_EQ(palette.GetServiceValue(), 0u);
    EXPECT_TRUE(palette.GetServiceIDText().empty());
    palette.SetServiceValue(0x2F00u);
    EXPECT_EQ(palette.GetServiceValue(), 0x2F00u);
    palette.SetServiceName(L"Materials");
    EXPECT_EQ(std::wstring(palette.GetServiceName()), L"Materials");

    constexpr GUID kService = GuidFromLiteral(L"{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}");
    palette.SetServiceID(kService);
    EXPECT_EQ(palette.GetServiceID(), kService);
    EXPECT_EQ(palette.GetServiceIDText(), "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}");

    // The four operations the palette answers trivially.
    EXPECT_TRUE(palette.CanCloseService());
    EXPECT_EQ(palette.GetMenuCount(), 0);
    EXPECT_EQ(palette.GetToolbarCount(), 0);
    EXPECT_EQ(palette.ExecuteServiceCommand(57600), 0);
}

TEST_F(PaletteTest, KeptCMYKValuesAreGivenBackOnceInTheSharedBuffer)
{
    CMirnMaterialPalette* pPalette = CMirnMaterialPalette::Instance();
    EXPECT_EQ(pPalette->OnGetCMYKModeColor(0, 1), 0) << "nothing kept";

    const int aValues[4] = {12, 0, 255, 7};
    EXPECT_EQ(pPalette->OnSaveCMYKModeColor(0, reinterpret_cast<LPARAM>(aValues)), 1);
    const LRESULT lAnswer = pPalette->OnGetCMYKModeColor(0, 0);
    ASSERT_NE(lAnswer, 0);
    const int* pGiven = reinterpret_cast<const int*>(lAnswer);
    EXPECT_EQ(pGiven[0], 12);
    EXPECT_EQ(pGiven[1], 0);
    EXPECT_EQ(pGiven[2], 255);
    EXPECT_EQ(pGiven[3], 7);
    EXPECT_EQ(pPalette->OnGetCMYKModeColor(0, 0), 0) << "given once";

    // A later save overwrites; a null save empties the store.
    const int aOther[4] = {1, 2, 3, 4};
    pPalette->OnSaveCMYKModeColor(0, reinterpret_cast<LPARAM>(aValues));
    pPalette->OnSaveCMYKModeColor(0, reinterpret_cast<LPARAM>(aOther));
    EXPECT_EQ(pPalette->OnGetCMYKModeColor(0, 0), lAnswer) << "the same buffer each time";
    EXPECT_EQ(pGiven[3], 4);
    pPalette->OnSaveCMYKModeColor(0, reinterpret_cast<LPARAM>(aValues));
    pPalette->OnSaveCMYKModeColor(0, 0);
    EXPECT_EQ(pPalette->OnGetCMYKModeColor(0, 0), 0);
}

TEST_F(PaletteTest, OperationsBeforeThePaneExistsChangeNothingAndDoNotFail)
{
    auto* pApp = new CFakeAppContext(L"app");
    pApp->m_bAnswerServices = true;
    auto* pExec = new CFakeExecutionContext(L"exec");
    {
        CMirnMaterialPalette palette;
        ASSERT_EQ(palette.Initialize(pApp, pExec, nullptr, nullptr), MIRN_ERR_NONE);
        palette.RegisterMatStyle(new CCountedStyle(MATERIAL_STYLE_SOLID),
                                 new CCountedStyle(MATERIAL_STYLE_SOLID), true);
        palette.UpdateFromAppMaterials(UPDATE_ALL);
        palette.SetArtMediaPropertyMode(true);
        palette.SetArtMediaPropertyMode(false);
        palette.ChangeMatPalStyle(true);
        palette.ShowSwatchTab(true);
        palette.DisableAllTools();
        palette.EnableAllTools();
        EXPECT_FALSE(palette.GetApplyToAllState());
        EXPECT_EQ(palette.EnableNullMaterial(false), MIRN_ERR_NONE);
        EXPECT_TRUE(palette.IsOldStyleMatPalStyle());
        EXPECT_EQ(palette.GetSafeHwnd(), nullptr);
        palette.Shutdown();
    }
    pApp->Release();
    pExec->Release();
}
