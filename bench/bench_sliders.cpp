// Setting the palette's colour into the sliders picker: the model's
// conversion from RGB, moving its sliders and rewriting its edits. The
// palette does this on every change of the foreground colour, so it must
// stay well below a frame.
#include "AfxWin.h"
#include "Headless.h"
#include "SlidersPickerWnd.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
void BM_SetPickerColor(benchmark::State& state)
{
    HeadlessReset();
    CWnd parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), L"Parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200),
                    nullptr, 0);
    {
        CSlidersPickerWnd picker;
        picker.Create(&parent, 1, CRect(0, 0, 240, 160));
        picker.SetModel(static_cast<int>(state.range(0)));
        PumpMessages();
        // A different colour each call, so that every call moves the
        // sliders and rewrites the edits.
        unsigned nStep = 0;
        for (auto _ : state)
        {
            ++nStep;
            picker.SetPickerColor(static_cast<BYTE>(nStep * 7), static_cast<BYTE>(nStep * 13),
                                  static_cast<BYTE>(nStep * 29));
            benchmark::DoNotOptimize(picker.GetValues().data());
        }
        // The model names are plain ASCII.
        const std::wstring strName = GetSliderModelInfo(static_cast<ESliderModel>(state.range(0))).pszName;
        state.SetLabel(std::string(strName.begin(), strName.end()));
    }
    parent.DestroyWindow();
    HeadlessReset();
}
} // namespace

// 0 Grayscale, 1 RGB, 2 HSL, 3 CMYK, 4 LAB, 5 WEB.
BENCHMARK(BM_SetPickerColor)->DenseRange(0, 5)->Unit(benchmark::kNanosecond);
