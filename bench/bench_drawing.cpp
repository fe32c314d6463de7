// Drawing speed: laying out and drawing a thousand labels, and a loop of
// fills, frames and blits such as a dialog repaint makes.
#include "Dc.h"
#include "Gdi.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace
{

// A memory device context on a bitmap, with the dialog font selected.
class CBenchCanvas
{
public:
    CBenchCanvas(int nWidth, int nHeight)
    {
        m_hBitmap = CreateCompatibleBitmap(nullptr, nWidth, nHeight);
        m_hdc = CreateCompatibleDC(nullptr);
        m_hOldBitmap = SelectObject(m_hdc, m_hBitmap);
        m_hOldFont = SelectObject(m_hdc, GetDialogFont(L"MS Shell Dlg", 8));
        SetBkMode(m_hdc, TRANSPARENT);
    }
    ~CBenchCanvas()
    {
        SelectObject(m_hdc, m_hOldFont);
        SelectObject(m_hdc, m_hOldBitmap);
        DeleteDC(m_hdc);
        DeleteObject(m_hBitmap);
    }
    HDC Dc() const { return m_hdc; }

private:
    HBITMAP m_hBitmap = nullptr;
    HDC m_hdc = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    HGDIOBJ m_hOldFont = nullptr;
};

std::vector<std::wstring> MakeLabels()
{
    static const wchar_t* const kWords[] = {L"Foreground", L"Background", L"&Gradient",  L"Pattern",
                                            L"Texture",    L"Hue",        L"Saturation", L"Lightness",
                                            L"Opacity",    L"Swatches",   L"Recent",     L"Materials",
                                            L"&Angle",     L"Repeats",    L"Invert"};
    std::vector<std::wstring> labels;
    for (int i = 0; i < 1000; ++i)
    {
        std::wstring label;
        const int nWords = 1 + i % 5;
        for (int k = 0; k < nWords; ++k)
        {
            if (k != 0)
                label += L' ';
            label += kWords[(i * 7 + k * 3) % 15];
        }
        labels.push_back(label);
    }
    return labels;
}

void BM_MeasureThousandLabels(benchmark::State& state)
{
    CBenchCanvas canvas(400, 300);
    const std::vector<std::wstring> labels = MakeLabels();
    for (auto _ : state)
    {
        LONG nTotal = 0;
        for (const std::wstring& label : labels)
        {
            RECT rc{0, 0, 120, 0};
            nTotal += DrawTextW(canvas.Dc(), label.c_str(), static_cast<int>(label.size()), &rc,
                                DT_CALCRECT | DT_WORDBREAK);
        }
        benchmark::DoNotOptimize(nTotal);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(labels.size()));
}
BENCHMARK(BM_MeasureThousandLabels);

void BM_DrawThousandLabels(benchmark::State& state)
{
    CBenchCanvas canvas(400, 300);
    const std::vector<std::wstring> labels = MakeLabels();
    for (auto _ : state)
    {
        int i = 0;
        for (const std::wstring& label : labels)
        {
            // Forty rows of twenty-five labels, each shortened to fit.
            const int x = (i % 4) * 100;
            const int y = (i / 4 % 40) * 7;
            RECT rc{x, y, x + 96, y + 14};
            DrawTextW(canvas.Dc(), label.c_str(), static_cast<int>(label.size()), &rc,
                      DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
            ++i;
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(labels.size()));
}
BENCHMARK(BM_DrawThousandLabels);

void BM_FillFrameAndBlit(benchmark::State& state)
{
    CBenchCanvas canvas(800, 600);
    CBenchCanvas image(64, 64);
    HBRUSH hBrush = CreateSolidBrush(RGB(30, 120, 200));
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 128, 0};
    for (auto _ : state)
    {
        // A dialog of thirty controls: background, edges, faces, images.
        const RECT whole{0, 0, 800, 600};
        FillRect(canvas.Dc(), &whole, GetSysColorBrush(COLOR_BTNFACE));
        for (int i = 0; i < 30; ++i)
        {
            const int x = (i % 6) * 130 + 5;
            const int y = (i / 6) * 115 + 5;
            RECT rc{x, y, x + 120, y + 100};
            DrawEdge(canvas.Dc(), &rc, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
            FillRect(canvas.Dc(), &rc, hBrush);
            BitBlt(canvas.Dc(), x + 10, y + 10, 64, 64, image.Dc(), 0, 0, SRCCOPY);
            StretchBlt(canvas.Dc(), x + 10, y + 10, 96, 80, image.Dc(), 0, 0, 64, 64, SRCINVERT);
            AlphaBlend(canvas.Dc(), x + 40, y + 20, 64, 64, image.Dc(), 0, 0, 64, 64, blend);
            DrawFocusRect(canvas.Dc(), &rc);
        }
        benchmark::ClobberMemory();
    }
    DeleteObject(hBrush);
}
BENCHMARK(BM_FillFrameAndBlit);

void BM_ShapesThroughMasks(benchmark::State& state)
{
    CBenchCanvas canvas(400, 300);
    for (auto _ : state)
    {
        for (int i = 0; i < 50; ++i)
        {
            Ellipse(canvas.Dc(), i * 7, i * 5, i * 7 + 60, i * 5 + 40);
            const POINT triangle[] = {{i * 7, 280}, {i * 7 + 30, 200}, {i * 7 + 60, 280}};
            Polygon(canvas.Dc(), triangle, 3);
        }
    }
}
BENCHMARK(BM_ShapesThroughMasks);

} // namespace
