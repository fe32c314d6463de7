// The Materials pane in the reference host: pulling every material, texture
// and enabled state from the host (what happens after each change the host
// makes), with every style kind and the textures registered.
#include "Headless.h"
#include "HostApp.h"
#include "MirnMaterialPalette.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace
{
void BM_UpdateFromAppMaterialsAll(benchmark::State& state)
{
    const std::filesystem::path configDir = std::filesystem::temp_directory_path() / "materials-bench-pane";
    {
        SHostOptions options;
        options.bHeadless = true;
        options.configDir = configDir;
        options.dataDir = configDir;
        CHostApp app(options);
        std::string strError;
        if (!app.Start(strError))
        {
            state.SkipWithError(strError.c_str());
            return;
        }
        CMirnMaterialPalette* pPalette = CMirnMaterialPalette::Instance();
        for (auto _ : state)
        {
            pPalette->UpdateFromAppMaterials(UPDATE_ALL);
            benchmark::ClobberMemory();
        }
    }
    std::filesystem::remove_all(configDir);
    HeadlessReset();
}
BENCHMARK(BM_UpdateFromAppMaterialsAll)->Unit(benchmark::kMicrosecond);
} // namespace
