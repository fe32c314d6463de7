#include "HostApp.h"
#include "HostServices.h"

#include "DrawingTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

TEST(HostRegistry, KeepsValuesUnderTheHostsRootAndAnswersDefaults)
{
    CSettingsStore store;
    CComPtr<CHostRegistry> pRegistry;
    pRegistry.Attach(new CHostRegistry(store));
    CErrorAutoThrow error;

    EXPECT_EQ(pRegistry->ReadInteger(error, L"Palette", L"SliderSelection", 1), 1);
    pRegistry->WriteInteger(error, L"Palette", L"SliderSelection", 3);
    EXPECT_TRUE(error.IsOk());
    EXPECT_EQ(pRegistry->ReadInteger(error, L"Palette", L"SliderSelection", 1), 3);
    EXPECT_EQ(store.GetDword(L"Software\\Tavor\\Pixmill\\X15\\Palette", L"SliderSelection", 0), 3u);

    // Negative numbers survive the trip through the store's unsigned values.
    pRegistry->WriteInteger(error, L"Palette", L"Left", -20);
    EXPECT_EQ(pRegistry->ReadInteger(error, L"Palette", L"Left", 0), -20);

    pRegistry->WriteString(error, L"Swatches", L"Category", L"Earth");
    EXPECT_EQ(pRegistry->ReadString(error, L"Swatches", L"Category", L"x"), CString(L"Earth"));
    // A value of the other type reads as the default.
    EXPECT_EQ(pRegistry->ReadInteger(error, L"Swatches", L"Category", 7), 7);
    EXPECT_EQ(pRegistry->ReadString(error, L"Palette", L"Left", L"none"), CString(L"none"));

    pRegistry->DeleteValue(error, L"Swatches", L"Category");
    EXPECT_TRUE(error.IsOk());
    EXPECT_EQ(pRegistry->ReadString(error, L"Swatches", L"Category", L"gone"), CString(L"gone"));
    pRegistry->DeleteValue(error, L"Swatches", L"Never");
    EXPECT_TRUE(error.IsOk());

    pRegistry->WriteInteger(error, L"Palette", nullptr, 1);
    EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);
}

TEST(HostExecutionContext, HandsOutFactoriesAnEngineAndTheRecorder)
{
    const int nLive = LiveMGLObjectCount();
    {
        CComPtr<CHostExecutionContext> pContext;
        pContext.Attach(new CHostExecutionContext);
        CErrorAutoThrow error;
        VMGLFactoryProvider* pProvider = pContext->GetFactoryProvider(error);
        ASSERT_NE(pProvider, nullptr);

        CComPtr<IMGLObject> pMaterial;
        pProvider->GetObjectFactory(error)->CreateObject(error, MGL_OBJECT_MATERIAL, &pMaterial.p);
        ASSERT_NE(pMaterial, nullptr);
        EXPECT_NE(pProvider->GetValueFactory(error), nullptr);
        EXPECT_NE(pProvider->GetPropertyFactory(error), nullptr);

        CMGLMGDIRenderEngine* pEngine = pProvider->GetRenderEngineSource(error)->CreateRenderEngine(error, 0);
        ASSERT_NE(pEngine, nullptr);
        EXPECT_EQ(pProvider->GetRenderEngineSource(error)->CreateRenderEngine(error, 1), nullptr);
        EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);
        delete pEngine;

        CComPtr<IEventRecorder> pRecorder;
        pProvider->GetEventRecorder(error, &pRecorder.p);
        ASSERT_NE(pRecorder, nullptr);
        pRecorder->RecordEvent(error, L"Edit_Materials_ForeColor");
        pRecorder->RecordEvent(error, L"");
        EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);
        EXPECT_EQ(pContext->Provider().EventRecorder().Events(),
                  (std::vector<std::string>{"Edit_Materials_ForeColor"}));
    }
    EXPECT_EQ(LiveMGLObjectCount(), nLive);
}

TEST(HostRenderEngine, PaintsMaterialsIntoTheRectangle)
{
    CTestCanvas canvas(20, 20, RGB(255, 255, 255));
    CDC dc;
    dc.Attach(canvas.Dc());
    CHostRenderEngineSource source;
    source.SetColorSource([] { return SHostCurrentColors{RGB(255, 0, 0), RGB(0, 0, 255)}; });
    CErrorAutoThrow error;
    std::unique_ptr<CMGLMGDIRenderEngine> pEngine(source.CreateRenderEngine(error, 0));
    ASSERT_NE(pEngine, nullptr);
    pEngine->Configure(error, 0, true);
    EXPECT_TRUE(static_cast<CHostRenderEngine*>(pEngine.get())->IsScreenQuality());

    CComPtr<CMGLMaterial> pMaterial;
    pMaterial.Attach(new CMGLMaterial);
    pMaterial->SetSolidColor(error, RGB(10, 200, 30));
    pEngine->RenderMaterial(error, pMaterial, dc, RECT{2, 2, 8, 8});
    EXPECT_TRUE(error.IsOk());
    EXPECT_EQ(canvas.At(2, 2), RGB(10, 200, 30));
    EXPECT_EQ(canvas.At(7, 7), RGB(10, 200, 30));
    EXPECT_EQ(canvas.At(8, 8), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(1, 2), RGB(255, 255, 255));

    // A gradient from the foreground to the background colour, five pixels
    // wide: red, the even mix, blue.
    CComPtr<CMGLGradient> pGradient;
    pGradient.Attach(new CMGLGradient);
    pGradient->AddColorStop(error, 0, 50, MGL_STOP_FOREGROUND);
    pGradient->AddColorStop(error, 100, 50, MGL_STOP_BACKGROUND);
    pMaterial->SetStyle(error, 4);
    pMaterial->SetSettings(error, static_cast<IMGLObject*>(pGradient.p));
    pEngine->RenderMaterial(error, pMaterial, dc, RECT{10, 10, 15, 12});
    EXPECT_TRUE(error.IsOk());
    EXPECT_EQ(canvas.At(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(12, 11), RGB(128, 0, 128));
    EXPECT_EQ(canvas.At(14, 10), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(15, 10), RGB(255, 255, 255));

    // Half-opaque black over white: 255 * (255 - 128) / 255 = 127.
    CComPtr<CMGLGradient> pHalf;
    pHalf.Attach(new CMGLGradient);
    pHalf->AddColorStop(error, 0, 50, RGB(0, 0, 0));
    pHalf->AddTransparencyStop(error, 0, 50, 50);
    pMaterial->SetSettings(error, static_cast<IMGLObject*>(pHalf.p));
    pEngine->RenderMaterial(error, pMaterial, dc, RECT{16, 16, 18, 18});
    EXPECT_EQ(canvas.At(16, 16), RGB(127, 127, 127));

    // What cannot be rendered is grey and reported; nothing is drawn for an
    // empty rectangle or without a material.
    pMaterial->SetSettings(error, nullptr);
    pEngine->RenderMaterial(error, pMaterial, dc, RECT{0, 18, 2, 20});
    EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(canvas.At(0, 18), RGB(128, 128, 128));
    pMaterial->SetStyle(error, 1);
    pEngine->RenderMaterial(error, pMaterial, dc, RECT{5, 0, 5, 3});
    EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(canvas.At(5, 0), RGB(255, 255, 255));
    pEngine->RenderMaterial(error, nullptr, dc, RECT{0, 0, 1, 1});
    EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255));
    dc.Detach();
}

TEST(HostRenderEngine, TheHostsEnginesFollowItsCurrentSolidColours)
{
    // The host is not started: only its services and materials are needed.
    CHostApp app(SHostOptions{});
    CErrorAutoThrow error;
    std::unique_ptr<CMGLMGDIRenderEngine> pEngine(
        app.ExecutionContext().Provider().GetRenderEngineSource(error)->CreateRenderEngine(error, 0));
    ASSERT_NE(pEngine, nullptr);

    CComPtr<CMGLGradient> pGradient;
    pGradient.Attach(new CMGLGradient);
    pGradient->AddColorStop(error, 0, 50, MGL_STOP_FOREGROUND);
    pGradient->AddColorStop(error, 100, 50, MGL_STOP_BACKGROUND);
    CComPtr<CMGLMaterial> pMaterial;
    pMaterial.Attach(new CMGLMaterial);
    pMaterial->SetStyle(error, 4);
    pMaterial->SetSettings(error, static_cast<IMGLObject*>(pGradient.p));

    CTestCanvas canvas(4, 1, RGB(255, 255, 255));
    CDC dc;
    dc.Attach(canvas.Dc());
    app.Materials().SetSolidColor(true, RGB(0, 100, 0));
    app.Materials().SetSolidColor(false, RGB(200, 0, 50));
    pEngine->RenderMaterial(error, pMaterial, dc, RECT{0, 0, 2, 1});
    EXPECT_TRUE(error.IsOk());
    EXPECT_EQ(canvas.At(0, 0), RGB(0, 100, 0));
    EXPECT_EQ(canvas.At(1, 0), RGB(200, 0, 50));

    // A change of the current colours shows at the next rendering.
    app.Materials().SetSolidColor(true, RGB(9, 9, 9));
    pEngine->RenderMaterial(error, pMaterial, dc, RECT{2, 0, 4, 1});
    EXPECT_EQ(canvas.At(2, 0), RGB(9, 9, 9));
    dc.Detach();
}
