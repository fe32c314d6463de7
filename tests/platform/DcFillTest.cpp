// Fills, frames, rectangles, inversions, 3-D edges and focus rectangles,
// read back pixel by pixel. Expected pixels are worked out from GDI's rules
// (right and bottom edges exclusive, outlines inside the rectangle).
#include "DrawingTestSupport.h"

namespace
{

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

auto Is(COLORREF colour)
{
    return [colour](COLORREF c) { return c == colour; };
}

class CSelected
{
public:
    CSelected(HDC hdc, HGDIOBJ hObject, bool bDelete = true)
        : m_hdc(hdc), m_hObject(hObject), m_hOld(SelectObject(hdc, hObject)), m_bDelete(bDelete)
    {
    }
    ~CSelected()
    {
        SelectObject(m_hdc, m_hOld);
        if (m_bDelete)
            DeleteObject(m_hObject);
    }

private:
    HDC m_hdc;
    HGDIOBJ m_hObject;
    HGDIOBJ m_hOld;
    bool m_bDelete;
};

} // namespace

TEST(DcFill, FillRectCoversLeftAndTopEdgesOnly)
{
    CTestCanvas canvas(8, 8);
    HBRUSH hBrush = CreateSolidBrush(kRed);
    const RECT rc{2, 3, 5, 6};
    EXPECT_NE(FillRect(canvas.Dc(), &rc, hBrush), 0);
    DeleteObject(hBrush);
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kRed)), "2,3 3,3 4,3 2,4 3,4 4,4 2,5 3,5 4,5 ");
}

TEST(DcFill, FillRectWithEdgesReversedFillsNothing)
{
    CTestCanvas canvas(8, 8);
    HBRUSH hBrush = CreateSolidBrush(kRed);
    const RECT rc{5, 3, 2, 6};
    FillRect(canvas.Dc(), &rc, hBrush);
    DeleteObject(hBrush);
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kRed)), "");
}

TEST(DcFill, FillRectTakesASystemColourIndexPlusOne)
{
    CTestCanvas canvas(4, 4);
    const RECT rc{0, 0, 2, 1};
    FillRect(canvas.Dc(), &rc, reinterpret_cast<HBRUSH>(static_cast<ULONG_PTR>(COLOR_BTNSHADOW + 1)));
    EXPECT_EQ(canvas.At(1, 0), RGB(160, 160, 160));
    EXPECT_EQ(canvas.At(2, 0), kWhite);
}

TEST(DcFill, FrameRectDrawsAOnePixelBorderInside)
{
    CTestCanvas canvas(7, 6);
    HBRUSH hBrush = CreateSolidBrush(kRed);
    const RECT rc{1, 1, 5, 4};
    FrameRect(canvas.Dc(), &rc, hBrush);
    DeleteObject(hBrush);
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kRed)), "1,1 2,1 3,1 4,1 1,2 4,2 1,3 2,3 3,3 4,3 ");
}

TEST(DcFill, RectangleOutlineLiesInsideTheRightAndBottomEdges)
{
    CTestCanvas canvas(7, 6);
    CSelected pen(canvas.Dc(), CreatePen(PS_SOLID, 1, kBlack));
    CSelected brush(canvas.Dc(), CreateSolidBrush(kRed));
    Rectangle(canvas.Dc(), 1, 1, 5, 5);
    const SImage image = canvas.Snapshot();
    EXPECT_EQ(PointsWhere(image, Is(kBlack)), "1,1 2,1 3,1 4,1 1,2 4,2 1,3 4,3 1,4 2,4 3,4 4,4 ");
    EXPECT_EQ(PointsWhere(image, Is(kRed)), "2,2 3,2 2,3 3,3 ");
}

TEST(DcFill, RectangleWithoutAPenIsOnePixelSmaller)
{
    CTestCanvas canvas(7, 6);
    CSelected pen(canvas.Dc(), GetStockObject(NULL_PEN), false);
    CSelected brush(canvas.Dc(), CreateSolidBrush(kRed));
    Rectangle(canvas.Dc(), 1, 1, 5, 4);
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kRed)), "1,1 2,1 3,1 1,2 2,2 3,2 ");
}

TEST(DcFill, RectangleWithAWidePenStraddlesTheEdgeUnlessInsideFrame)
{
    CTestCanvas canvas(20, 20);
    {
        CSelected pen(canvas.Dc(), CreatePen(PS_SOLID, 3, kBlack));
        CSelected brush(canvas.Dc(), CreateSolidBrush(kRed));
        Rectangle(canvas.Dc(), 5, 5, 15, 15);
    }
    // Three pixels centred on the edge pixel: 4, 5 and 6; the inside starts at 7.
    EXPECT_EQ(canvas.At(3, 10), kWhite);
    EXPECT_EQ(canvas.At(4, 10), kBlack);
    EXPECT_EQ(canvas.At(6, 10), kBlack);
    EXPECT_EQ(canvas.At(7, 10), kRed);
    EXPECT_EQ(canvas.At(15, 10), kBlack);
    EXPECT_EQ(canvas.At(16, 10), kWhite);

    canvas.Fill(kWhite);
    {
        CSelected pen(canvas.Dc(), CreatePen(PS_INSIDEFRAME, 3, kBlack));
        CSelected brush(canvas.Dc(), CreateSolidBrush(kRed));
        Rectangle(canvas.Dc(), 5, 5, 15, 15);
    }
    EXPECT_EQ(canvas.At(4, 10), kWhite);
    EXPECT_EQ(canvas.At(5, 10), kBlack);
    EXPECT_EQ(canvas.At(7, 10), kBlack);
    EXPECT_EQ(canvas.At(8, 10), kRed);
    EXPECT_EQ(canvas.At(14, 10), kBlack);
    EXPECT_EQ(canvas.At(15, 10), kWhite);
}

TEST(DcFill, ExclusiveOrOperationsTwiceRestoreEveryPixel)
{
    CTestCanvas canvas(12, 10);
    // A varied picture, so that every operation meets different colours.
    for (int y = 0; y < 10; ++y)
    {
        for (int x = 0; x < 12; ++x)
            SetPixel(canvas.Dc(), x, y, RGB(x * 20, y * 25, (x * y) % 256));
    }
    const SImage before = canvas.Snapshot();

    const RECT rc{2, 1, 9, 8};
    HBRUSH hBrush = CreateSolidBrush(RGB(90, 180, 30));
    SelectObject(canvas.Dc(), hBrush);
    for (int nPass = 0; nPass < 2; ++nPass)
    {
        InvertRect(canvas.Dc(), &rc);
        PatBlt(canvas.Dc(), 1, 2, 7, 5, PATINVERT);
        PatBlt(canvas.Dc(), 3, 0, 4, 9, DSTINVERT);
        DrawFocusRect(canvas.Dc(), &rc);
        SetROP2(canvas.Dc(), R2_XORPEN);
        HPEN hPen = CreatePen(PS_SOLID, 1, RGB(200, 100, 50));
        HGDIOBJ hOldPen = SelectObject(canvas.Dc(), hPen);
        Rectangle(canvas.Dc(), 0, 0, 10, 9);
        MoveToEx(canvas.Dc(), 0, 9, nullptr);
        LineTo(canvas.Dc(), 11, 0);
        SetROP2(canvas.Dc(), R2_NOT);
        Ellipse(canvas.Dc(), 1, 1, 11, 9);
        SetROP2(canvas.Dc(), R2_COPYPEN);
        SelectObject(canvas.Dc(), hOldPen);
        DeleteObject(hPen);
        if (nPass == 0)
        {
            EXPECT_NE(canvas.Snapshot().pixels, before.pixels);
        }
    }
    SelectObject(canvas.Dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(hBrush);
    const SImage after = canvas.Snapshot();
    EXPECT_EQ(after.pixels, before.pixels);
}

TEST(DcFill, PatInvertExclusiveOrsTheBrushColour)
{
    CTestCanvas canvas(4, 4, RGB(255, 255, 255));
    HBRUSH hBrush = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(canvas.Dc(), hBrush);
    PatBlt(canvas.Dc(), 0, 0, 2, 2, PATINVERT);
    SelectObject(canvas.Dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(hBrush);
    // 255 ^ 255 = 0 for red; 255 ^ 0 = 255 for green and blue.
    EXPECT_EQ(canvas.At(1, 1), RGB(0, 255, 255));
    EXPECT_EQ(canvas.At(2, 2), kWhite);
}

TEST(DcFill, PatBltWithNegativeExtentsCoversTheSameRectangle)
{
    CTestCanvas canvas(6, 6);
    SelectObject(canvas.Dc(), GetStockObject(BLACK_BRUSH));
    PatBlt(canvas.Dc(), 4, 4, -2, -2, PATCOPY);
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kBlack)), "2,2 3,2 2,3 3,3 ");
}

TEST(DcFill, FocusRectangleIsADottedFrame)
{
    CTestCanvas canvas(8, 6);
    const RECT rc{0, 0, 6, 4};
    DrawFocusRect(canvas.Dc(), &rc);
    // Frame pixels with an even x + y are inverted, each once.
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kBlack)), "0,0 2,0 4,0 5,1 0,2 1,3 3,3 5,3 ");
    DrawFocusRect(canvas.Dc(), &rc);
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kBlack)), "");
}

TEST(DcFill, RaisedEdgeUsesLightOutsideAndShadowInside)
{
    CTestCanvas canvas(8, 7, kBlue);
    RECT rc{0, 0, 6, 5};
    EXPECT_TRUE(DrawEdge(canvas.Dc(), &rc, EDGE_RAISED, BF_RECT | BF_ADJUST));
    const SImage image = canvas.Snapshot();
    auto at = [&](int x, int y) { return ColourOf(image.At(x, y)); };
    EXPECT_EQ(at(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(at(4, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(at(0, 3), GetSysColor(COLOR_3DLIGHT));
    // The dark side owns the top-right and bottom-left corners.
    EXPECT_EQ(at(5, 0), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(at(0, 4), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(at(5, 4), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(at(1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(at(4, 1), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(at(1, 3), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(at(2, 2), kBlue);
    EXPECT_EQ(at(6, 0), kBlue);
    EXPECT_EQ(rc.left, 2);
    EXPECT_EQ(rc.top, 2);
    EXPECT_EQ(rc.right, 4);
    EXPECT_EQ(rc.bottom, 3);
}

TEST(DcFill, SunkenEdgeAndSingleBorders)
{
    CTestCanvas canvas(8, 7, kBlue);
    RECT rc{0, 0, 6, 5};
    DrawEdge(canvas.Dc(), &rc, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
    SImage image = canvas.Snapshot();
    EXPECT_EQ(ColourOf(image.At(0, 0)), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ColourOf(image.At(5, 4)), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ColourOf(image.At(1, 1)), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(ColourOf(image.At(4, 3)), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(ColourOf(image.At(2, 2)), GetSysColor(COLOR_BTNFACE));

    // A lone inner border is drawn where the outer one would be.
    canvas.Fill(kBlue);
    rc = RECT{0, 0, 6, 5};
    DrawEdge(canvas.Dc(), &rc, BDR_SUNKENINNER, BF_TOP | BF_LEFT);
    image = canvas.Snapshot();
    EXPECT_EQ(ColourOf(image.At(0, 0)), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(ColourOf(image.At(5, 0)), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(ColourOf(image.At(1, 1)), kBlue);
    EXPECT_EQ(ColourOf(image.At(5, 4)), kBlue);
}

TEST(DcFill, Draw3dRectGivesCornersToTheBottomRightColour)
{
    CTestCanvas canvas(6, 5);
    CDC dc;
    dc.Attach(canvas.Dc());
    dc.Draw3dRect(0, 0, 4, 3, kRed, kBlue);
    const SImage image = canvas.Snapshot();
    EXPECT_EQ(PointsWhere(image, Is(kRed)), "0,0 1,0 2,0 0,1 ");
    EXPECT_EQ(PointsWhere(image, Is(kBlue)), "3,0 3,1 0,2 1,2 2,2 3,2 ");
    // As in the class library, the background colour is left at the last fill.
    EXPECT_EQ(dc.GetBkColor(), kBlue);
    dc.Detach();
}

TEST(DcFill, HatchedBrushesRepeatEveryEightPixels)
{
    CTestCanvas canvas(17, 9);
    HBRUSH hBrush = CreateHatchBrush(HS_VERTICAL, kRed);
    const RECT rc{0, 0, 17, 9};
    SetBkColor(canvas.Dc(), kBlue);
    SetBkMode(canvas.Dc(), OPAQUE);
    FillRect(canvas.Dc(), &rc, hBrush);
    SImage image = canvas.Snapshot();
    EXPECT_EQ(PointsWhere(image, [](COLORREF c) { return c != kRed && c != kBlue; }), "");
    for (int x = 0; x < 17; ++x)
    {
        EXPECT_EQ(ColourOf(image.At(x, 4)), x % 8 == 0 ? kRed : kBlue) << x;
    }

    canvas.Fill(kWhite);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    FillRect(canvas.Dc(), &rc, hBrush);
    image = canvas.Snapshot();
    EXPECT_EQ(ColourOf(image.At(8, 3)), kRed);
    EXPECT_EQ(ColourOf(image.At(9, 3)), kWhite);
    DeleteObject(hBrush);
}

TEST(DcFill, PixelsOutsideTheSurfaceOrClipAreInvalid)
{
    CTestCanvas canvas(4, 4);
    EXPECT_EQ(SetPixel(canvas.Dc(), 1, 2, RGB(10, 20, 30)), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(canvas.Dc(), 1, 2), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(canvas.Dc(), 4, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(canvas.Dc(), -1, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(canvas.Dc(), 0, 4, kRed), CLR_INVALID);
    ExcludeClipRect(canvas.Dc(), 0, 0, 2, 4);
    EXPECT_EQ(GetPixel(canvas.Dc(), 1, 2), CLR_INVALID);
    EXPECT_EQ(SetPixel(canvas.Dc(), 1, 2, kRed), CLR_INVALID);
    EXPECT_EQ(canvas.At(1, 2), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(nullptr, 0, 0), CLR_INVALID);
}

TEST(DcFill, DeviceContextBrushTakesItsColourFromTheDeviceContext)
{
    CTestCanvas canvas(4, 4);
    SelectObject(canvas.Dc(), GetStockObject(DC_BRUSH));
    SetDCBrushColor(canvas.Dc(), RGB(0, 128, 0));
    PatBlt(canvas.Dc(), 0, 0, 2, 2, PATCOPY);
    EXPECT_EQ(canvas.At(1, 1), RGB(0, 128, 0));
    SelectObject(canvas.Dc(), GetStockObject(WHITE_BRUSH));
}

TEST(DcFill, FillRgnAndFrameRgnFollowTheRegion)
{
    CTestCanvas canvas(10, 6);
    HRGN hRegion = CreateRectRgn(1, 1, 4, 4);
    HRGN hOther = CreateRectRgn(4, 2, 8, 5);
    CombineRgn(hRegion, hRegion, hOther, RGN_OR);
    HBRUSH hBrush = CreateSolidBrush(kRed);
    FrameRgn(canvas.Dc(), hRegion, hBrush, 1, 1);
    const SImage image = canvas.Snapshot();
    // Inside pixels: those with all four neighbours in the region.
    EXPECT_EQ(ColourOf(image.At(2, 2)), kWhite);
    EXPECT_EQ(ColourOf(image.At(3, 2)), kWhite);
    EXPECT_EQ(ColourOf(image.At(4, 3)), kWhite);
    EXPECT_EQ(ColourOf(image.At(1, 1)), kRed);
    EXPECT_EQ(ColourOf(image.At(7, 4)), kRed);
    EXPECT_EQ(ColourOf(image.At(4, 1)), kWhite);
    canvas.Fill(kWhite);
    FillRgn(canvas.Dc(), hRegion, hBrush);
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kRed)),
              "1,1 2,1 3,1 1,2 2,2 3,2 4,2 5,2 6,2 7,2 1,3 2,3 3,3 4,3 5,3 6,3 7,3 4,4 5,4 6,4 7,4 ");
    DeleteObject(hBrush);
    DeleteObject(hRegion);
    DeleteObject(hOther);
}
