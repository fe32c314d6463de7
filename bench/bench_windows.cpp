// Painting whole windows: a dialog of 30 built-in controls repainted from
// scratch, and the reference host from start to its first painted frame.
#include "AfxWin.h"
#include "CommCtrl.h"
#include "DialogTemplate.h"
#include "Headless.h"
#include "HostApp.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace
{

SDialogTemplate ThirtyControls()
{
    SDialogTemplate dialog;
    dialog.dwStyle = WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT;
    dialog.cx = 300;
    dialog.cy = 200;
    const wchar_t* classes[] = {L"BUTTON", L"STATIC", L"EDIT", L"COMBOBOX", L"LISTBOX", L"msctls_trackbar32"};
    const DWORD styles[] = {BS_PUSHBUTTON, SS_LEFT, WS_BORDER, CBS_DROPDOWNLIST, WS_BORDER, TBS_NOTICKS};
    for (int i = 0; i < 30; ++i)
    {
        SDialogItemTemplate item;
        item.strClassName = classes[i % 6];
        item.nID = static_cast<UINT>(1000 + i);
        item.strText = L"Item";
        item.x = static_cast<short>(5 + (i % 5) * 58);
        item.y = static_cast<short>(5 + (i / 5) * 32);
        item.cx = 54;
        item.cy = 28;
        item.dwStyle = WS_CHILD | WS_VISIBLE | styles[i % 6];
        dialog.items.push_back(item);
    }
    return dialog;
}

void BM_RepaintThirtyControls(benchmark::State& state)
{
    HeadlessReset();
    const SDialogTemplate dialogTemplate = ThirtyControls();
    CDialog dialog;
    dialog.CreateIndirect(&dialogTemplate, nullptr);
    PumpMessages();
    for (auto _ : state)
    {
        dialog.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        benchmark::ClobberMemory();
    }
    dialog.DestroyWindow();
    HeadlessReset();
}
BENCHMARK(BM_RepaintThirtyControls);

void BM_HostStartToFirstFrame(benchmark::State& state)
{
    const std::filesystem::path configDir = std::filesystem::temp_directory_path() / "materials-bench-config";
    for (auto _ : state)
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
            break;
        }
        benchmark::DoNotOptimize(app.FrameWindow());
    }
    std::filesystem::remove_all(configDir);
    HeadlessReset();
}
BENCHMARK(BM_HostStartToFirstFrame)->Unit(benchmark::kMillisecond);

} // namespace
