// The settings store sits behind every dialog's load and save; reads and
// writes of single values should stay cheap and a full save quick.
#include "SettingsStore.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdlib.h>
#include <string>

namespace
{
const wchar_t kKey[] = L"Software\\Tavor\\Pixmill\\X15\\Materials\\PropertiesDlg";
}

static void BM_SettingsReadDword(benchmark::State& state)
{
    CSettingsStore store;
    store.SetDword(kKey, L"TexScale", 100);
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(store.GetDword(kKey, L"texscale", 0));
    }
}
BENCHMARK(BM_SettingsReadDword);

static void BM_SettingsWriteDword(benchmark::State& state)
{
    CSettingsStore store;
    DWORD dwValue = 0;
    for (auto _ : state)
    {
        store.SetDword(kKey, L"TexAngle", ++dwValue % 360);
    }
}
BENCHMARK(BM_SettingsWriteDword);

static void BM_SettingsSaveThousandValues(benchmark::State& state)
{
    std::string folder = (std::filesystem::temp_directory_path() / "materials-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr)
    {
        state.SkipWithError("no temporary folder");
        return;
    }
    {
        CSettingsStore store;
        store.Open(std::filesystem::path(folder) / "settings.json");
        for (int i = 0; i < 1000; ++i)
        {
            const std::wstring key = L"Software\\Tavor\\Page" + std::to_wstring(i / 50);
            if (i % 2 == 0)
            {
                store.SetDword(key, L"Value" + std::to_wstring(i), static_cast<DWORD>(i));
            }
            else
            {
                store.SetString(key, L"Value" + std::to_wstring(i), L"text " + std::to_wstring(i));
            }
        }
        for (auto _ : state)
        {
            if (!store.Save())
            {
                state.SkipWithError("save failed");
                break;
            }
        }
    }
    std::error_code error;
    std::filesystem::remove_all(folder, error);
}
BENCHMARK(BM_SettingsSaveThousandValues)->Unit(benchmark::kMillisecond);
