// Messages per second: posting and pumping, sending straight to a window
// procedure, sending through a message map, and injected input with its
// hit-testing.
#include "Headless.h"
#include "Input.h"
#include "Wnd.h"

#include <benchmark/benchmark.h>

namespace
{

long g_nCounted = 0;

LRESULT CountingProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage >= WM_APP)
    {
        ++g_nCounted;
        return 1;
    }
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

HWND CreateCountingWindow()
{
    static const bool s_bRegistered = []
    {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = CountingProc;
        wc.lpszClassName = L"BenchCounting";
        return RegisterClassExW(&wc) != 0;
    }();
    (void)s_bRegistered;
    const HWND hWnd = CreateWindowExW(0, L"BenchCounting", L"", WS_POPUP | WS_VISIBLE, 100, 100, 200, 200,
                                      nullptr, nullptr, nullptr, nullptr);
    PumpMessages();
    return hWnd;
}

// A window object whose handler sits at the end of a map, below a base map.
class CBenchBase : public CWnd
{
protected:
    afx_msg void OnPaint() { Default(); }
    afx_msg void OnSize(UINT, int, int) {}
    afx_msg void OnTimer(UINT_PTR) {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBenchBase, CWnd)
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_TIMER()
END_MESSAGE_MAP()

class CBenchWnd : public CBenchBase
{
public:
    long m_nHandled = 0;

protected:
    afx_msg void OnMouseMove(UINT, CPoint) {}
    afx_msg void OnLButtonDown(UINT, CPoint) {}
    afx_msg void OnLButtonUp(UINT, CPoint) {}
    afx_msg void OnSetFocus(CWnd*) {}
    afx_msg void OnKillFocus(CWnd*) {}
    afx_msg LRESULT OnColour(WPARAM, LPARAM)
    {
        ++m_nHandled;
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBenchWnd, CBenchBase)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_MESSAGE(WM_APP + 1, OnColour)
END_MESSAGE_MAP()

void PostAndPump(benchmark::State& state)
{
    HeadlessReset();
    const HWND hWnd = CreateCountingWindow();
    const auto nBatch = static_cast<int>(state.range(0));
    g_nCounted = 0;
    for (auto _ : state)
    {
        for (int i = 0; i < nBatch; ++i)
            PostMessageW(hWnd, WM_APP, static_cast<WPARAM>(i), 0);
        PumpMessages();
    }
    if (g_nCounted != static_cast<long>(state.iterations()) * nBatch)
        state.SkipWithError("not every posted message arrived");
    state.SetItemsProcessed(state.iterations() * nBatch);
    HeadlessReset();
}
BENCHMARK(PostAndPump)->Arg(1)->Arg(100)->Arg(10000);

void SendToWindowProcedure(benchmark::State& state)
{
    HeadlessReset();
    const HWND hWnd = CreateCountingWindow();
    for (auto _ : state)
        benchmark::DoNotOptimize(SendMessageW(hWnd, WM_APP, 1, 2));
    state.SetItemsProcessed(state.iterations());
    HeadlessReset();
}
BENCHMARK(SendToWindowProcedure);

void SendThroughMessageMap(benchmark::State& state)
{
    HeadlessReset();
    CBenchWnd wnd;
    wnd.CreateEx(0, nullptr, L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(wnd.SendMessage(WM_APP + 1, 1, 2));
    if (wnd.m_nHandled != static_cast<long>(state.iterations()))
        state.SkipWithError("the handler missed messages");
    state.SetItemsProcessed(state.iterations());
    wnd.DestroyWindow();
    HeadlessReset();
}
BENCHMARK(SendThroughMessageMap);

void InjectedMovesOverNestedChildren(benchmark::State& state)
{
    HeadlessReset();
    const HWND hTop = CreateCountingWindow();
    // Forty children in a row, each with a child of its own.
    for (int i = 0; i < 40; ++i)
    {
        const HWND hChild = CreateWindowExW(0, L"BenchCounting", L"", WS_CHILD | WS_VISIBLE, i * 5, 0, 5, 200,
                                            hTop, nullptr, nullptr, nullptr);
        CreateWindowExW(0, L"BenchCounting", L"", WS_CHILD | WS_VISIBLE, 0, 0, 5, 100, hChild, nullptr,
                        nullptr, nullptr);
    }
    PumpMessages();
    int nStep = 0;
    for (auto _ : state)
    {
        InjectMouseMove({100 + (nStep++ % 200), 150});
        PumpMessages();
    }
    state.SetItemsProcessed(state.iterations());
    HeadlessReset();
}
BENCHMARK(InjectedMovesOverNestedChildren);

} // namespace
