// The class-library device context objects, off-screen drawing, Cairo
// drawing on a device context, and the pieces the window manager uses.
#include "DialogTemplate.h"
#include "DrawingTestSupport.h"
#include "MessageMap.h"

#include <set>

namespace
{

constexpr COLORREF kWhite = RGB(255, 255, 255);

} // namespace

TEST(DcClass, MemDCDrawsOffScreenAndCopiesBackOnlyItsRectangle)
{
    CTestCanvas canvas(40, 40);
    SetPixel(canvas.Dc(), 12, 12, RGB(0, 0, 255));
    CDC dc;
    dc.Attach(canvas.Dc());
    {
        CMemDC memory(dc, CRect(10, 10, 30, 30));
        ASSERT_TRUE(memory.IsMemDC());
        CDC& offScreen = memory.GetDC();
        EXPECT_NE(offScreen.m_hDC, dc.m_hDC);
        // The same logical coordinates as the destination.
        offScreen.FillSolidRect(15, 15, 5, 5, RGB(255, 0, 0));
        offScreen.FillSolidRect(0, 0, 40, 2, RGB(0, 255, 0));
        EXPECT_EQ(canvas.At(16, 16), kWhite);
    }
    EXPECT_EQ(canvas.At(16, 16), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(14, 14), kWhite);
    // What was there before and was not painted over comes back unchanged.
    EXPECT_EQ(canvas.At(12, 12), RGB(0, 0, 255));
    // Drawing outside the rectangle never reaches the destination.
    EXPECT_EQ(canvas.At(5, 0), kWhite);
    dc.Detach();

    // Without room for a bitmap the destination is drawn on directly.
    CDC direct;
    direct.Attach(canvas.Dc());
    CMemDC empty(direct, CRect(5, 5, 5, 5));
    EXPECT_FALSE(empty.IsMemDC());
    EXPECT_EQ(&empty.GetDC(), &direct);
    direct.Detach();
}

TEST(DcClass, CairoDrawingIsAntialiasedInLogicalCoordinatesAndClipped)
{
    CTestCanvas canvas(30, 30);
    SetViewportOrgEx(canvas.Dc(), 5, 0, nullptr);
    IntersectClipRect(canvas.Dc(), 0, 0, 20, 30); // device 5..25 after the origin
    {
        CCairoDrawing drawing(canvas.Dc());
        ASSERT_TRUE(drawing);
        cairo_t* pCairo = drawing.Get();
        cairo_set_source_rgb(pCairo, 0, 0, 0);
        cairo_set_line_width(pCairo, 1.5);
        cairo_move_to(pCairo, -10, 2);
        cairo_line_to(pCairo, 40, 27);
        cairo_stroke(pCairo);
    }
    const SImage image = canvas.Snapshot();
    std::set<COLORREF> greys;
    for (int y = 0; y < 30; ++y)
    {
        for (int x = 0; x < 30; ++x)
        {
            const COLORREF colour = ColourOf(image.At(x, y));
            if (x < 5 || x >= 25)
            {
                EXPECT_EQ(colour, kWhite) << x << "," << y;
            }
            else if (colour != kWhite && colour != RGB(0, 0, 0))
                greys.insert(colour);
        }
    }
    // Antialiased edges give in-between greys.
    EXPECT_GT(greys.size(), 3u);
    CCairoDrawing invalid(nullptr);
    EXPECT_FALSE(invalid);
}

TEST(DcClass, FromHandleGivesTheAttachedOrATemporaryObject)
{
    CTestCanvas canvas(4, 4);
    CDC* pTemporary = CDC::FromHandle(canvas.Dc());
    ASSERT_NE(pTemporary, nullptr);
    EXPECT_EQ(pTemporary->m_hDC, canvas.Dc());
    EXPECT_EQ(CDC::FromHandle(canvas.Dc()), pTemporary);
    EXPECT_EQ(CDC::FromHandle(nullptr), nullptr);
    {
        CDC owner;
        ASSERT_TRUE(owner.CreateCompatibleDC(nullptr));
        const HDC hdc = owner.m_hDC;
        EXPECT_EQ(CDC::FromHandle(hdc), &owner);
        EXPECT_FALSE(owner.Attach(canvas.Dc()));
        // The object deletes the device context it made when it goes.
    }
    CDC second;
    EXPECT_FALSE(second.Attach(nullptr));
}

TEST(DcClass, ADeletedDeviceContextLeavesItsObjectsEmpty)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const HDC hdc = dc.m_hDC;
    EXPECT_TRUE(DeleteDC(hdc));
    EXPECT_EQ(dc.m_hDC, nullptr);
    EXPECT_FALSE(dc.DeleteDC());
    EXPECT_EQ(GetPixel(hdc, 0, 0), CLR_INVALID);
    EXPECT_FALSE(DeleteDC(hdc));
}

TEST(DcClass, SurfaceDeviceContextsDrawAtTheirOrigin)
{
    CTestCanvas canvas(20, 10);
    cairo_surface_t* pSurface = GetBitmapSurface(canvas.Bitmap());
    ASSERT_NE(pSurface, nullptr);
    const std::vector<RECT> visible = {RECT{0, 0, 5, 5}};
    HDC hdc = CreateSurfaceDC(pSurface, POINT{10, 2}, &visible);
    ASSERT_NE(hdc, nullptr);
    EXPECT_EQ(GetDCSurface(hdc), pSurface);
    EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSX), 96);
    SetPixel(hdc, 1, 1, RGB(9, 9, 9));
    EXPECT_EQ(canvas.At(11, 3), RGB(9, 9, 9));
    EXPECT_EQ(SetPixel(hdc, 6, 1, RGB(9, 9, 9)), CLR_INVALID);
    // A bitmap cannot be selected into a device context of a surface.
    EXPECT_EQ(SelectObject(hdc, canvas.Bitmap()), nullptr);
    DeleteDC(hdc);
    EXPECT_EQ(CreateSurfaceDC(nullptr, POINT{0, 0}, nullptr), nullptr);

    const SImage image = ImageFromSurface(pSurface);
    EXPECT_EQ(image.nWidth, 20);
    EXPECT_EQ(ColourOf(image.At(11, 3)), RGB(9, 9, 9));
}

TEST(DcClass, ASurfaceDeviceContextOutlivesTheBitmapItDrawsOn)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 4;
    info.bmiHeader.biHeight = -4;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    ASSERT_NE(hBitmap, nullptr);
    HDC hdc = CreateSurfaceDC(GetBitmapSurface(hBitmap), POINT{0, 0}, nullptr);
    DeleteObject(hBitmap);
    EXPECT_EQ(SetPixel(hdc, 3, 3, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(hdc, 3, 3), RGB(1, 2, 3));
    DeleteDC(hdc);
}

TEST(DcClass, PaintDCWithoutAWindowHasNoDeviceContext)
{
    CPaintDC dc(nullptr);
    EXPECT_EQ(dc.m_hDC, nullptr);
    EXPECT_FALSE(dc.Rectangle(0, 0, 5, 5));
    EXPECT_EQ(dc.GetPixel(0, 0), CLR_INVALID);
}

TEST(DcClass, HooksHandTheWindowManagerRealFontsAndDeviceContexts)
{
    InstallDrawingHooks();
    const SIZE units = GetDialogFontBaseUnits(L"MS Shell Dlg", 8);
    const SIZE measured = GetDialogFontUnits(L"MS Shell Dlg", 8);
    EXPECT_EQ(units.cx, measured.cx);
    EXPECT_EQ(units.cy, measured.cy);
    CTestCanvas canvas(2, 2);
    EXPECT_EQ(AfxDCFromHandle(canvas.Dc()), CDC::FromHandle(canvas.Dc()));

    // The default background fill and control colours.
    EXPECT_TRUE(FillPaintBackground(nullptr, canvas.Dc(),
                                    reinterpret_cast<HBRUSH>(static_cast<ULONG_PTR>(COLOR_BTNFACE + 1))));
    EXPECT_EQ(canvas.At(1, 1), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(DefaultControlBrush(WM_CTLCOLOREDIT, canvas.Dc()), GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(GetBkColor(canvas.Dc()), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(DefaultControlBrush(WM_CTLCOLORSTATIC, canvas.Dc()), GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(GetTextColor(canvas.Dc()), GetSysColor(COLOR_BTNTEXT));
}
