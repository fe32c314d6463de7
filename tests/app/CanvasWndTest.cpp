#include "CanvasWnd.h"

#include "Input.h"
#include "WindowTestSupport.h"

namespace
{

// The page's colour at a point, as COLORREF.
COLORREF PageColor(cairo_surface_t* pPage, int x, int y)
{
    cairo_surface_flush(pPage);
    const unsigned char* pRow =
        cairo_image_surface_get_data(pPage) + y * cairo_image_surface_get_stride(pPage);
    const uint32_t nPixel = reinterpret_cast<const uint32_t*>(pRow)[x];
    return RGB((nPixel >> 16) & 0xFF, (nPixel >> 8) & 0xFF, nPixel & 0xFF);
}

class CanvasTest : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        m_hFrame = CreateTopLevel(RECT{0, 0, 300, 200});
        ASSERT_TRUE(m_canvas.Create(CWnd::FromHandle(m_hFrame), CRect(20, 10, 220, 160), 1));
        PumpMessages();
        m_materials.SetSolidColor(true, RGB(200, 0, 0));
        m_materials.SetSolidColor(false, RGB(0, 0, 250));
    }
    void TearDown() override
    {
        m_canvas.DestroyWindow();
        CWindowTest::TearDown();
    }

    CHostMaterials m_materials;
    CCanvasWnd m_canvas{m_materials};
    HWND m_hFrame = nullptr;
};

} // namespace

TEST_F(CanvasTest, StartsWhiteAndCoversTheClientArea)
{
    ASSERT_NE(m_canvas.Page(), nullptr);
    EXPECT_GE(cairo_image_surface_get_width(m_canvas.Page()), 200);
    EXPECT_GE(cairo_image_surface_get_height(m_canvas.Page()), 150);
    EXPECT_EQ(PageColor(m_canvas.Page(), 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(PageColor(m_canvas.Page(), 199, 149), RGB(255, 255, 255));
}

TEST_F(CanvasTest, LeftDragPaintsForegroundRightDragBackground)
{
    // The canvas's client area starts at (20, 10) on the screen.
    InjectDrag(POINT{40, 30}, POINT{120, 30});
    PumpMessages();
    InjectDrag(POINT{40, 90}, POINT{120, 90}, 4, EMouseButton::Right);
    PumpMessages();
    // On the stroke's line, and half the brush width away from it.
    EXPECT_EQ(PageColor(m_canvas.Page(), 60, 20), RGB(200, 0, 0));
    EXPECT_EQ(PageColor(m_canvas.Page(), 60, 17), RGB(200, 0, 0));
    EXPECT_EQ(PageColor(m_canvas.Page(), 60, 80), RGB(0, 0, 250));
    // Well off the strokes the page is untouched.
    EXPECT_EQ(PageColor(m_canvas.Page(), 60, 50), RGB(255, 255, 255));
    EXPECT_EQ(PageColor(m_canvas.Page(), 150, 20), RGB(255, 255, 255));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CanvasTest, ASwitchedOffSidePaintsNothingAndClearWhitens)
{
    m_materials.SetEnabled(true, false);
    m_canvas.Stroke(CPoint(10, 10), CPoint(50, 10), true);
    EXPECT_EQ(PageColor(m_canvas.Page(), 30, 10), RGB(255, 255, 255));
    m_canvas.Stroke(CPoint(10, 10), CPoint(50, 10), false);
    EXPECT_EQ(PageColor(m_canvas.Page(), 30, 10), RGB(0, 0, 250));
    m_canvas.Clear();
    EXPECT_EQ(PageColor(m_canvas.Page(), 30, 10), RGB(255, 255, 255));
}

TEST_F(CanvasTest, GrowingKeepsWhatWasPainted)
{
    m_canvas.Stroke(CPoint(10, 10), CPoint(50, 10), true);
    m_canvas.SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_GE(cairo_image_surface_get_width(m_canvas.Page()), 400);
    EXPECT_EQ(PageColor(m_canvas.Page(), 30, 10), RGB(200, 0, 0));
    EXPECT_EQ(PageColor(m_canvas.Page(), 390, 290), RGB(255, 255, 255));
}
