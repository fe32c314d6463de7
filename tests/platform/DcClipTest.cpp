// Clipping: a device context made on a surface with an origin and a visible
// area (as the window manager makes them for child windows), narrowed further
// by clip calls, must never change a pixel outside; the clip calls report
// what GDI reports.
#include "DrawingTestSupport.h"
#include "ImageList.h"

#include <cmath>
#include <vector>

namespace
{

constexpr int kWidth = 40;
constexpr int kHeight = 30;

// A picture in which every pixel differs from its neighbours, so that any
// change shows.
void PaintPattern(CTestCanvas& canvas)
{
    SImage image;
    image.nWidth = kWidth;
    image.nHeight = kHeight;
    image.pixels.resize(kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y)
    {
        for (int x = 0; x < kWidth; ++x)
            image.At(x, y) = 0xFF000000u | static_cast<DWORD>((x * 37 + y * 11) % 256) << 16 |
                             static_cast<DWORD>((x * 5 + y * 61) % 256) << 8 |
                             static_cast<DWORD>((x * y) % 256);
    }
    HBITMAP hPattern = CreateBitmapFromImage(image);
    HDC hdcPattern = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdcPattern, hPattern);
    BitBlt(canvas.Dc(), 0, 0, kWidth, kHeight, hdcPattern, 0, 0, SRCCOPY);
    SelectObject(hdcPattern, hOld);
    DeleteDC(hdcPattern);
    DeleteObject(hPattern);
}

// The device context of a child window at (5, 4) of its top-level surface,
// visible in two pieces, with a clip rectangle and a hole selected on top.
struct SChildDC
{
    HDC hdc = nullptr;
    std::vector<std::vector<bool>> allowed;

    explicit SChildDC(CTestCanvas& canvas) : allowed(kHeight, std::vector<bool>(kWidth, false))
    {
        const std::vector<RECT> visible = {RECT{0, 0, 20, 15}, RECT{22, 3, 30, 12}};
        hdc = CreateSurfaceDC(GetBitmapSurface(canvas.Bitmap()), POINT{5, 4}, &visible);
        IntersectClipRect(hdc, 2, 2, 26, 13);
        ExcludeClipRect(hdc, 10, 8, 12, 10);
        // Worked out by hand in surface coordinates: the pieces at (5, 4) and
        // (27, 7), cut to (7, 6)-(31, 17), less (15, 12)-(17, 14).
        for (int y = 0; y < kHeight; ++y)
        {
            for (int x = 0; x < kWidth; ++x)
            {
                const bool bVisible =
                    (x >= 5 && x < 25 && y >= 4 && y < 19) || (x >= 27 && x < 35 && y >= 7 && y < 16);
                const bool bClip = x >= 7 && x < 31 && y >= 6 && y < 17;
                const bool bHole = x >= 15 && x < 17 && y >= 12 && y < 14;
                allowed[y][x] = bVisible && bClip && !bHole;
            }
        }
        // Drawing coordinates are moved as well; the clip stays where it is.
        SetViewportOrgEx(hdc, 3, 2, nullptr);
    }
    ~SChildDC() { DeleteDC(hdc); }
};

struct SClipCase
{
    const char* pszName;
    std::function<void(HDC)> draw;
};

std::vector<SClipCase> EveryKindOfDrawing()
{
    static const wchar_t* const kText = L"Clipped text that runs far beyond every edge";
    return {
        {"FillRect",
         [](HDC hdc)
         {
             const RECT rc{-50, -50, 100, 100};
             FillRect(hdc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
         }},
        {"InvertRect",
         [](HDC hdc)
         {
             const RECT rc{-50, -50, 100, 100};
             InvertRect(hdc, &rc);
         }},
        {"FrameRect and focus",
         [](HDC hdc)
         {
             for (int i = -10; i < 30; i += 3)
             {
                 const RECT rc{i, i - 5, i + 20, i + 12};
                 FrameRect(hdc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
                 DrawFocusRect(hdc, &rc);
             }
         }},
        {"PatBlt",
         [](HDC hdc)
         {
             HBRUSH hBrush = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 255));
             HGDIOBJ hOld = SelectObject(hdc, hBrush);
             PatBlt(hdc, -40, -40, 200, 200, PATCOPY);
             SelectObject(hdc, hOld);
             DeleteObject(hBrush);
         }},
        {"Rectangle and Ellipse",
         [](HDC hdc)
         {
             Rectangle(hdc, -20, -20, 60, 60);
             Ellipse(hdc, -30, -10, 70, 45);
             HPEN hPen = CreatePen(PS_SOLID, 7, RGB(0, 200, 0));
             HGDIOBJ hOld = SelectObject(hdc, hPen);
             Ellipse(hdc, 0, 0, 35, 25);
             SelectObject(hdc, hOld);
             DeleteObject(hPen);
         }},
        {"Lines",
         [](HDC hdc)
         {
             for (int i = -40; i < 80; i += 4)
             {
                 MoveToEx(hdc, i, -40, nullptr);
                 LineTo(hdc, 80 - i, 80);
             }
             HPEN hPen = CreatePen(PS_DASHDOT, 5, RGB(250, 0, 0));
             HGDIOBJ hOld = SelectObject(hdc, hPen);
             const POINT points[] = {{-20, 5}, {60, 20}, {0, 40}, {50, -10}};
             Polyline(hdc, points, 4);
             SelectObject(hdc, hOld);
             DeleteObject(hPen);
         }},
        {"Polygon, Arc, Pie, RoundRect",
         [](HDC hdc)
         {
             const POINT points[] = {{-30, 0}, {60, -20}, {40, 50}, {0, 30}};
             Polygon(hdc, points, 4);
             Arc(hdc, -20, -20, 50, 40, 50, 0, -20, 0);
             Pie(hdc, 0, 0, 40, 30, 40, 15, 20, 0);
             RoundRect(hdc, -5, -5, 45, 35, 20, 20);
         }},
        {"DrawEdge",
         [](HDC hdc)
         {
             RECT rc{-3, -3, 40, 30};
             DrawEdge(hdc, &rc, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
         }},
        {"SetPixel",
         [](HDC hdc)
         {
             for (int y = -10; y < 40; ++y)
             {
                 for (int x = -10; x < 50; ++x)
                     SetPixel(hdc, x, y, RGB(1, 2, 3));
             }
         }},
        {"TextOut and DrawText",
         [](HDC hdc)
         {
             HFONT hFont =
                 CreateFontW(-30, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Shell Dlg");
             HGDIOBJ hOld = SelectObject(hdc, hFont);
             SetBkMode(hdc, OPAQUE);
             SetBkColor(hdc, RGB(0, 255, 0));
             TextOutW(hdc, -15, -8, kText, static_cast<int>(wcslen(kText)));
             RECT rc{-10, 5, 60, 40};
             DrawTextW(hdc, kText, -1, &rc, DT_NOCLIP | DT_WORDBREAK);
             RECT rcOpaque{-20, 20, 80, 60};
             ExtTextOutW(hdc, 0, 18, ETO_OPAQUE, &rcOpaque, kText, static_cast<UINT>(wcslen(kText)), nullptr);
             SelectObject(hdc, hOld);
             DeleteObject(hFont);
         }},
        {"Blits",
         [](HDC hdc)
         {
             CTestCanvas source(60, 50, RGB(200, 10, 10));
             BitBlt(hdc, -20, -20, 60, 50, source.Dc(), 0, 0, SRCCOPY);
             StretchBlt(hdc, 50, -10, -90, 60, source.Dc(), 0, 0, 30, 25, SRCINVERT);
             const BLENDFUNCTION blend{AC_SRC_OVER, 0, 128, 0};
             AlphaBlend(hdc, -10, -10, 70, 50, source.Dc(), 0, 0, 60, 50, blend);
             TransparentBlt(hdc, -10, -10, 70, 50, source.Dc(), 0, 0, 60, 50, RGB(1, 1, 1));
         }},
        {"DIB rows",
         [](HDC hdc)
         {
             BITMAPINFO info{};
             info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
             info.bmiHeader.biWidth = 50;
             info.bmiHeader.biHeight = 40;
             info.bmiHeader.biPlanes = 1;
             info.bmiHeader.biBitCount = 24;
             std::vector<BYTE> bits(static_cast<std::size_t>(DibRowBytes(50, 24)) * 40, 0x40);
             SetDIBitsToDevice(hdc, -5, -5, 50, 40, 0, 0, 0, 40, bits.data(), &info, DIB_RGB_COLORS);
             StretchDIBits(hdc, -20, -20, 100, 80, 0, 0, 50, 40, bits.data(), &info, DIB_RGB_COLORS,
                           NOTSRCCOPY);
         }},
        {"Cairo",
         [](HDC hdc)
         {
             CCairoDrawing drawing(hdc);
             cairo_t* pCairo = drawing.Get();
             cairo_set_source_rgb(pCairo, 0.2, 0.4, 0.9);
             cairo_arc(pCairo, 15, 10, 30, 0, 6.3);
             cairo_fill(pCairo);
             cairo_set_line_width(pCairo, 3);
             cairo_move_to(pCairo, -50, -50);
             cairo_line_to(pCairo, 100, 80);
             cairo_stroke(pCairo);
         }},
        {"Image list",
         [](HDC hdc)
         {
             HIMAGELIST hList = ImageList_Create(48, 40, ILC_COLOR32, 1, 1);
             CTestCanvas image(48, 40, RGB(9, 99, 199));
             ImageList_Add(hList, image.Bitmap(), nullptr);
             ImageList_Draw(hList, 0, hdc, -10, -10, ILD_NORMAL);
             ImageList_Destroy(hList);
         }},
        {"FillRgn",
         [](HDC hdc)
         {
             HRGN hRegion = CreateRectRgn(-30, -30, 90, 90);
             FillRgn(hdc, hRegion, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
             InvertRgn(hdc, hRegion);
             DeleteObject(hRegion);
         }},
    };
}

} // namespace

TEST(DcClip, NothingIsDrawnOutsideTheClip)
{
    for (const SClipCase& test : EveryKindOfDrawing())
    {
        CTestCanvas canvas(kWidth, kHeight);
        PaintPattern(canvas);
        const SImage before = canvas.Snapshot();
        {
            SChildDC child(canvas);
            test.draw(child.hdc);
            const SImage after = canvas.Snapshot();
            int nChangedInside = 0;
            for (int y = 0; y < kHeight; ++y)
            {
                for (int x = 0; x < kWidth; ++x)
                {
                    const bool bChanged = after.At(x, y) != before.At(x, y);
                    if (child.allowed[y][x])
                        nChangedInside += bChanged ? 1 : 0;
                    else
                        EXPECT_FALSE(bChanged) << test.pszName << " changed " << x << "," << y;
                }
            }
            EXPECT_GT(nChangedInside, 0) << test.pszName << " drew nothing";
        }
    }
}

TEST(DcClip, ClipBoxAndVisibilityAreInLogicalCoordinates)
{
    CTestCanvas canvas(kWidth, kHeight);
    SChildDC child(canvas);
    RECT box{};
    // Device (2, 2)-(26, 13) less the part outside the visible pieces, moved
    // by the viewport origin (3, 2).
    EXPECT_EQ(GetClipBox(child.hdc, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, -1);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 23);
    EXPECT_EQ(box.bottom, 11);
    EXPECT_TRUE(PtVisible(child.hdc, 0, 0));
    EXPECT_FALSE(PtVisible(child.hdc, 7, 6));  // device (10, 8): the excluded hole
    EXPECT_FALSE(PtVisible(child.hdc, 18, 3)); // device (21, 5): between the pieces
    EXPECT_TRUE(PtVisible(child.hdc, 13, 0));
    const RECT inHole{7, 6, 9, 8};
    const RECT overHole{6, 6, 9, 8};
    EXPECT_FALSE(RectVisible(child.hdc, &inHole));
    EXPECT_TRUE(RectVisible(child.hdc, &overHole));
}

TEST(DcClip, ClipRegionsCombineAndRestore)
{
    CTestCanvas canvas(20, 20);
    HDC hdc = canvas.Dc();
    RECT box{};
    EXPECT_EQ(GetClipBox(hdc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 20);
    HRGN hRegion = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(hdc, hRegion), 0);

    const int nLevel = SaveDC(hdc);
    HRGN hLeft = CreateRectRgn(0, 0, 5, 20);
    HRGN hRight = CreateRectRgn(15, 0, 20, 20);
    EXPECT_EQ(SelectClipRgn(hdc, hLeft), SIMPLEREGION);
    EXPECT_EQ(ExtSelectClipRgn(hdc, hRight, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(GetClipRgn(hdc, hRegion), 1);
    RECT regionBox{};
    GetRgnBox(hRegion, &regionBox);
    EXPECT_EQ(regionBox.left, 0);
    EXPECT_EQ(regionBox.right, 20);
    EXPECT_FALSE(PtVisible(hdc, 10, 10));
    EXPECT_EQ(ExtSelectClipRgn(hdc, hLeft, RGN_DIFF), SIMPLEREGION);
    EXPECT_FALSE(PtVisible(hdc, 2, 2));
    EXPECT_TRUE(PtVisible(hdc, 17, 2));
    EXPECT_EQ(OffsetClipRgn(hdc, -15, 0), SIMPLEREGION);
    EXPECT_TRUE(PtVisible(hdc, 2, 2));
    EXPECT_EQ(IntersectClipRect(hdc, 10, 10, 12, 12), NULLREGION);
    EXPECT_FALSE(PtVisible(hdc, 2, 2));

    EXPECT_TRUE(RestoreDC(hdc, nLevel));
    EXPECT_TRUE(PtVisible(hdc, 10, 10));
    EXPECT_EQ(SelectClipRgn(hdc, hLeft), SIMPLEREGION);
    EXPECT_EQ(SelectClipRgn(hdc, nullptr), SIMPLEREGION);
    EXPECT_TRUE(PtVisible(hdc, 10, 10));
    EXPECT_EQ(ExtSelectClipRgn(hdc, nullptr, RGN_AND), RGN_ERROR);
    DeleteObject(hLeft);
    DeleteObject(hRight);
    DeleteObject(hRegion);
}

TEST(DcClip, ViewportAndWindowOriginsMoveDrawing)
{
    CTestCanvas canvas(10, 10);
    SetViewportOrgEx(canvas.Dc(), 4, 3, nullptr);
    SetWindowOrgEx(canvas.Dc(), 1, 1, nullptr);
    SetPixel(canvas.Dc(), 2, 2, RGB(255, 0, 0));
    // Logical (2, 2) is device (2 - 1 + 4, 2 - 1 + 3).
    EXPECT_EQ(canvas.At(5, 4), RGB(255, 0, 0));
    POINT pt{2, 2};
    LPtoDP(canvas.Dc(), &pt, 1);
    EXPECT_EQ(pt.x, 5);
    EXPECT_EQ(pt.y, 4);
    DPtoLP(canvas.Dc(), &pt, 1);
    EXPECT_EQ(pt.x, 2);
    POINT old{};
    OffsetViewportOrgEx(canvas.Dc(), -4, -3, &old);
    EXPECT_EQ(old.x, 4);
    EXPECT_EQ(GetPixel(canvas.Dc(), 2, 2), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(canvas.Dc(), 6, 5), RGB(255, 0, 0));
}
