// Formatting runs for every trace line and every numeric edit of the pickers.
#include "CString.h"

#include <benchmark/benchmark.h>

static void BM_FormatTraceLine(benchmark::State& state)
{
    CString line;
    for (auto _ : state)
    {
        line.Format(L"[%d][QVPx64]\t[INFO]\t\t[%s]\t[%s(%d)]:\tcolour %s [%02X - %02X]", 4711,
                    L"CMirnMaterialPalette::OnPaint", L"MirnMaterialPalette.cpp", 217, L"Red", 0, 255);
        benchmark::DoNotOptimize(line.GetString());
    }
}
BENCHMARK(BM_FormatTraceLine);

static void BM_FormatHexByte(benchmark::State& state)
{
    CString text;
    int n = 0;
    for (auto _ : state)
    {
        text.Format(L"%02X", n);
        n = (n + 1) & 0xFF;
        benchmark::DoNotOptimize(text.GetString());
    }
}
BENCHMARK(BM_FormatHexByte);
