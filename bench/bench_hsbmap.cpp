// The hue/saturation/lightness map picker: building its map image at two
// sizes (reported per pixel), and one step of a drag on the map, from the
// injected pointer move through the message to the palette to the repaint.
#include "AfxWin.h"
#include "HSBMapPickerWnd.h"
#include "Headless.h"
#include "Input.h"
#include "PaneMessages.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{

// The picker's client size for a map of nWidth × nHeight: the map leaves 2
// pixels at the sides and top and 31 below it.
CRect PickerRect(int nMapWidth, int nMapHeight)
{
    return CRect(0, 0, nMapWidth + 4, nMapHeight + 33);
}

// A palette window that counts the colours it is sent.
class CCountingPalette : public CWnd
{
public:
    LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override
    {
        if (nMessage == WM_RAINBOW_CLICK)
        {
            ++m_nColors;
            return 0;
        }
        return CWnd::WindowProc(nMessage, wParam, lParam);
    }
    long m_nColors = 0;
};

struct SPickerSetup
{
    CWnd frame;
    CCountingPalette palette;
    CHSBMapPickerWnd picker;

    bool Create(int nMapWidth, int nMapHeight)
    {
        const CRect rc = PickerRect(nMapWidth, nMapHeight);
        if (!frame.CreateEx(0, AfxRegisterWndClass(0), L"bench", WS_POPUP | WS_VISIBLE, 0, 0, rc.Width(),
                            rc.Height(), nullptr, nullptr))
            return false;
        if (!palette.CreateEx(0, AfxRegisterWndClass(0), L"palette", WS_POPUP, 0, 0, 10, 10, nullptr,
                              nullptr))
            return false;
        if (!picker.Create(&frame, 110, rc))
            return false;
        picker.SetPaletteWnd(&palette);
        picker.SetPickerColor(200, 60, 30);
        PumpMessages();
        return true;
    }
    ~SPickerSetup()
    {
        picker.DestroyWindow();
        palette.DestroyWindow();
        frame.DestroyWindow();
    }
};

void BM_BuildMap(benchmark::State& state)
{
    HeadlessReset();
    const int nWidth = static_cast<int>(state.range(0));
    const int nHeight = static_cast<int>(state.range(1));
    {
        auto pSetup = std::make_unique<SPickerSetup>();
        if (!pSetup->Create(nWidth, nHeight))
        {
            state.SkipWithError("the picker could not be created");
            return;
        }
        for (auto _ : state)
        {
            benchmark::DoNotOptimize(pSetup->picker.RebuildMap());
            benchmark::ClobberMemory();
        }
    }
    // Time per iteration divided by the map's pixels: nanoseconds per pixel.
    state.counters["ns_per_pixel"] =
        benchmark::Counter(static_cast<double>(nWidth) * nHeight,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    HeadlessReset();
}
BENCHMARK(BM_BuildMap)->Args({300, 200})->Args({1000, 1000})->Unit(benchmark::kMicrosecond);

void BM_DragStep(benchmark::State& state)
{
    HeadlessReset();
    {
        auto pSetup = std::make_unique<SPickerSetup>();
        if (!pSetup->Create(300, 200))
        {
            state.SkipWithError("the picker could not be created");
            return;
        }
        InjectMouseButton(EMouseButton::Left, true, POINT{100, 100});
        PumpMessages();
        bool bRight = false;
        for (auto _ : state)
        {
            // Alternate between two points so that every step moves the
            // marker, sends the colour and repaints.
            InjectMouseMove(bRight ? POINT{140, 120} : POINT{120, 100});
            PumpMessages();
            bRight = !bRight;
        }
        InjectMouseButton(EMouseButton::Left, false, POINT{100, 100});
        PumpMessages();
        if (pSetup->palette.m_nColors < static_cast<long>(state.iterations()))
            state.SkipWithError("a drag step sent no colour");
    }
    HeadlessReset();
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

} // namespace
