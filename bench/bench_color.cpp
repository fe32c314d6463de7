// The pickers convert every pixel of their images between HSL and RGB, so the
// conversions' cost per colour decides how fast a picker rebuilds.
#include "ColorConversions.h"

#include <benchmark/benchmark.h>

// Every RGB colour once per iteration: 2^24 conversions.
static void BM_RGBToHSLAllColours(benchmark::State& state)
{
    for (auto _ : state)
    {
        unsigned nSum = 0;
        for (int r = 0; r < 256; ++r)
            for (int g = 0; g < 256; ++g)
                for (int b = 0; b < 256; ++b)
                {
                    BYTE h = 0, s = 0, l = 0;
                    RGB_to_HSL(static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b), h, s, l);
                    nSum += h + s + l;
                }
        benchmark::DoNotOptimize(nSum);
    }
    state.SetItemsProcessed(state.iterations() * (1 << 24));
    state.counters["time_per_colour"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * (1 << 24),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RGBToHSLAllColours)->Unit(benchmark::kMillisecond);

// Every (hue, saturation, lightness) byte triple once per iteration.
static void BM_HSLToRGBAllTriples(benchmark::State& state)
{
    for (auto _ : state)
    {
        unsigned nSum = 0;
        for (int h = 0; h < 256; ++h)
            for (int s = 0; s < 256; ++s)
                for (int l = 0; l < 256; ++l)
                    nSum += HSL_to_RGB(h, s, l);
        benchmark::DoNotOptimize(nSum);
    }
    state.SetItemsProcessed(state.iterations() * (1 << 24));
    state.counters["time_per_colour"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * (1 << 24),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_HSLToRGBAllTriples)->Unit(benchmark::kMillisecond);
