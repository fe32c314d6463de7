// Material rendering speed: a 256 x 256 radial gradient with a focal point
// and opacity stops, and a turned, scaled pattern, each reported per pixel.
#include "MGLModel.h"
#include "MaterialRenderer.h"

#include <benchmark/benchmark.h>

namespace
{

constexpr int kSide = 256;

void Put(IMGLObject* pObject, int nId, CMGLValue* pValue)
{
    CComPtr<IMGLValue> pHeld;
    pHeld.Attach(pValue);
    CComPtr<IMGLProperty> pProperty;
    pProperty.Attach(new CMGLProperty(nId, pHeld));
    CErrorAutoThrow error;
    pObject->SetProperty(error, pProperty);
}

CComPtr<CMGLMaterial> MakeMaterial(int nStyle, IMGLObject* pSettings)
{
    CComPtr<CMGLMaterial> pMaterial;
    pMaterial.Attach(new CMGLMaterial);
    CErrorAutoThrow error;
    pMaterial->SetStyle(error, nStyle);
    pMaterial->SetSettings(error, pSettings);
    return pMaterial;
}

void RenderMaterialPerPixel(benchmark::State& state, IMGLMaterial* pMaterial)
{
    CMaterialRenderer renderer;
    renderer.SetCurrentColors(RGB(200, 30, 30), RGB(20, 40, 220));
    CRenderImage image;
    for (auto _ : state)
    {
        CErrorAutoThrow error = renderer.Render(pMaterial, kSide, kSide, image);
        if (error.IsError())
        {
            state.SkipWithError("the material did not render");
            break;
        }
        benchmark::DoNotOptimize(image.Pixels().data());
    }
    // Seconds per pixel, shown with its unit prefix ("45n" is 45 ns).
    state.counters["per_pixel"] =
        benchmark::Counter(static_cast<double>(kSide) * kSide,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_RenderRadialGradient(benchmark::State& state)
{
    CComPtr<IMGLObject> pSettings;
    pSettings.Attach(new CMGLObject(7));
    CErrorAutoThrow error;
    pSettings->AppendChild(error, new CMGLGradientStop(MGL_OBJECT_COLOR_STOP, 0, 40, MGL_STOP_FOREGROUND),
                           false);
    pSettings->AppendChild(error, new CMGLGradientStop(MGL_OBJECT_COLOR_STOP, 60, 50, RGB(255, 220, 0)),
                           false);
    pSettings->AppendChild(error, new CMGLGradientStop(MGL_OBJECT_COLOR_STOP, 100, 50, MGL_STOP_BACKGROUND),
                           false);
    pSettings->AppendChild(error, new CMGLGradientStop(MGL_OBJECT_TRANSPARENCY_STOP, 0, 50, 100), false);
    pSettings->AppendChild(error, new CMGLGradientStop(MGL_OBJECT_TRANSPARENCY_STOP, 100, 50, 30), false);
    Put(pSettings, MGL_PROP_GRADIENT_TYPE, CMGLValue::MakeInteger(GRADIENT_RADIAL));
    Put(pSettings, MGL_PROP_FOCAL_X, CMGLValue::MakeLength(0.35));
    Put(pSettings, MGL_PROP_FOCAL_Y, CMGLValue::MakeLength(0.4));
    Put(pSettings, MGL_PROP_REPEATS, CMGLValue::MakeInteger(2));
    RenderMaterialPerPixel(state, MakeMaterial(4, pSettings));
}
BENCHMARK(BM_RenderRadialGradient);

void BM_RenderPattern(benchmark::State& state)
{
    CComPtr<IMGLObject> pSettings;
    pSettings.Attach(new CMGLObject(7));
    Put(pSettings, MGL_PROP_RESOURCE_NAME, CMGLValue::MakeString(L"Bricks"));
    Put(pSettings, MGL_PROP_ANGLE, CMGLValue::MakeDouble(30.0));
    Put(pSettings, MGL_PROP_SCALE, CMGLValue::MakeDouble(1.5));
    RenderMaterialPerPixel(state, MakeMaterial(2, pSettings));
}
BENCHMARK(BM_RenderPattern);

} // namespace
