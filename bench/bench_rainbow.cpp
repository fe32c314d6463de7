// The rainbow picker computes its whole image again on every size change, so
// the cost per pixel of BuildPickerDIB decides how smoothly the pane resizes:
// the rainbow (one HSL conversion per pixel) and the 256-entry palette grid
// (a cell lookup per pixel), each for a picker-sized and a large image.
#include "Headless.h"
#include "RainbowPickerWnd.h"

#include "../tests/CommonArch/RainbowPickerTestSupport.h"

#include <benchmark/benchmark.h>

namespace
{
// Arguments: image width, image height, 1 for the palette grid.
void BM_BuildPickerDIB(benchmark::State& state)
{
    const int nWidth = static_cast<int>(state.range(0));
    const int nHeight = static_cast<int>(state.range(1));
    const bool bPaletted = state.range(2) != 0;
    HeadlessReset();
    HWND hPane = CreateWindowExW(0, AfxRegisterWndClass(0), L"pane", WS_POPUP, 0, 0, nWidth + 2, nHeight + 2,
                                 nullptr, nullptr, nullptr, nullptr);
    auto* pApp = new CDocumentAppContext(L"app");
    if (bPaletted)
    {
        pApp->m_eDocument = EFakeDocument::Paletted;
        pApp->m_palette.CreateQuick8();
    }
    {
        CRainbowPickerWnd picker;
        picker.Create(CWnd::FromHandle(hPane), 1, CRect(0, 0, nWidth + 2, nHeight + 2));
        picker.SetAppContext(pApp);
        for (auto _ : state)
        {
            picker.BuildPickerDIB();
            benchmark::DoNotOptimize(picker.GetColorAtPoint({nWidth / 2, nHeight / 2}));
        }
        if (picker.GetPickerDIB().Width() != nWidth || picker.IsRainbow() == bPaletted)
            state.SkipWithError("the picker did not build the image asked for");
        picker.DestroyWindow();
    }
    pApp->Release();
    HeadlessReset();

    const double dPixels = static_cast<double>(nWidth) * nHeight;
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(dPixels));
    // Elapsed time over pixels built, shown with its unit (e.g. "10.4ns").
    state.counters["time_per_pixel"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * dPixels,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BuildPickerDIB)
    ->Args({300, 200, 0})
    ->Args({1000, 1000, 0})
    ->Args({300, 200, 1})
    ->Args({1000, 1000, 1})
    ->Unit(benchmark::kMicrosecond);
} // namespace
