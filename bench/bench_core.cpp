// Core value types sit on every hot path of the pickers; keep an eye on them.
#include "Utf8.h"
#include "WinDef.h"

#include <benchmark/benchmark.h>

static void BM_MulDiv(benchmark::State& state)
{
    int n = 1;
    for (auto _ : state)
    {
        n = MulDiv(n + 7, 255, 100) & 0xFFFF;
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_MulDiv);

static void BM_Utf8RoundTrip(benchmark::State& state)
{
    const std::wstring text = L"Software\\Tavor\\Pixmill\\X15\\Debug \u00e9\u4e2d\U0001F600";
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(Utf8ToWide(WideToUtf8(text)));
    }
}
BENCHMARK(BM_Utf8RoundTrip);
