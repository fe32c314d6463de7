// Lines and curved shapes. One-pixel lines are exact (Bresenham with the
// last point left out); curves are checked for where their ink may and must
// lie.
#include "DrawingTestSupport.h"

namespace
{

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

auto Is(COLORREF colour)
{
    return [colour](COLORREF c) { return c == colour; };
}

// Draws with a pen (and brush) selected, then puts the defaults back.
void WithPen(HDC hdc, HPEN hPen, HBRUSH hBrush, const std::function<void()>& draw)
{
    HGDIOBJ hOldPen = SelectObject(hdc, hPen);
    HGDIOBJ hOldBrush = SelectObject(hdc, hBrush);
    draw();
    SelectObject(hdc, hOldPen);
    SelectObject(hdc, hOldBrush);
    DeleteObject(hPen);
    DeleteObject(hBrush);
}

} // namespace

TEST(DcLine, LineToLeavesOutItsEndPoint)
{
    CTestCanvas canvas(8, 8);
    MoveToEx(canvas.Dc(), 0, 0, nullptr);
    LineTo(canvas.Dc(), 4, 0);
    MoveToEx(canvas.Dc(), 2, 6, nullptr);
    LineTo(canvas.Dc(), 2, 3);
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kBlack)), "0,0 1,0 2,0 3,0 2,4 2,5 2,6 ");
    POINT pt{};
    GetCurrentPositionEx(canvas.Dc(), &pt);
    EXPECT_EQ(pt.x, 2);
    EXPECT_EQ(pt.y, 3);
}

TEST(DcLine, SlopedLinesFollowBresenham)
{
    CTestCanvas canvas(8, 8);
    MoveToEx(canvas.Dc(), 0, 0, nullptr);
    LineTo(canvas.Dc(), 3, 3);
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kBlack)), "0,0 1,1 2,2 ");
    canvas.Fill(kWhite);
    // y = x / 2: halfway at x = 1 and x = 3 stays on the row it started on.
    MoveToEx(canvas.Dc(), 0, 0, nullptr);
    LineTo(canvas.Dc(), 4, 2);
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kBlack)), "0,0 1,0 2,1 3,1 ");
    canvas.Fill(kWhite);
    // Steep and leftwards: x = 6 - y / 3, rounded.
    MoveToEx(canvas.Dc(), 6, 0, nullptr);
    LineTo(canvas.Dc(), 4, 6);
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kBlack)), "6,0 6,1 5,2 5,3 5,4 4,5 ");
}

TEST(DcLine, PolylineDrawsEveryCornerOnce)
{
    CTestCanvas canvas(6, 5, kBlack);
    SetROP2(canvas.Dc(), R2_XORPEN);
    WithPen(canvas.Dc(), CreatePen(PS_SOLID, 1, kWhite), CreateSolidBrush(kWhite),
            [&]
            {
                const POINT points[] = {{0, 0}, {4, 0}, {4, 3}};
                Polyline(canvas.Dc(), points, 3);
            });
    // A corner drawn twice would have been put back to black.
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kWhite)), "0,0 1,0 2,0 3,0 4,0 4,1 4,2 ");
}

TEST(DcLine, DottedPensAlternateThreeOnThreeOff)
{
    CTestCanvas canvas(14, 3);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    WithPen(canvas.Dc(), CreatePen(PS_DOT, 1, kBlack), CreateSolidBrush(kWhite),
            [&]
            {
                MoveToEx(canvas.Dc(), 0, 1, nullptr);
                LineTo(canvas.Dc(), 13, 1);
            });
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kBlack)), "0,1 1,1 2,1 6,1 7,1 8,1 12,1 ");
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kRed)), "");

    // With an opaque background the gaps take the background colour.
    canvas.Fill(kWhite);
    SetBkMode(canvas.Dc(), OPAQUE);
    SetBkColor(canvas.Dc(), kRed);
    WithPen(canvas.Dc(), CreatePen(PS_DOT, 1, kBlack), CreateSolidBrush(kWhite),
            [&]
            {
                MoveToEx(canvas.Dc(), 0, 1, nullptr);
                LineTo(canvas.Dc(), 13, 1);
            });
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kRed)), "3,1 4,1 5,1 9,1 10,1 11,1 ");
}

TEST(DcLine, WideLinesHaveRoundEndsAndKeepTheirEndPoint)
{
    CTestCanvas canvas(20, 11);
    WithPen(canvas.Dc(), CreatePen(PS_SOLID, 3, kBlack), CreateSolidBrush(kWhite),
            [&]
            {
                MoveToEx(canvas.Dc(), 4, 5, nullptr);
                LineTo(canvas.Dc(), 12, 5);
            });
    const SImage image = canvas.Snapshot();
    // Pixels within 1.5 of the segment between the two pixel centres.
    EXPECT_EQ(ColourOf(image.At(12, 5)), kBlack);
    EXPECT_EQ(ColourOf(image.At(13, 5)), kBlack);
    EXPECT_EQ(ColourOf(image.At(14, 5)), kWhite);
    EXPECT_EQ(ColourOf(image.At(3, 5)), kBlack);
    EXPECT_EQ(ColourOf(image.At(2, 5)), kWhite);
    EXPECT_EQ(ColourOf(image.At(8, 4)), kBlack);
    EXPECT_EQ(ColourOf(image.At(8, 6)), kBlack);
    EXPECT_EQ(ColourOf(image.At(8, 3)), kWhite);
    EXPECT_EQ(ColourOf(image.At(8, 7)), kWhite);
}

TEST(DcLine, EllipseStaysInItsBoxAndIsSymmetric)
{
    CTestCanvas canvas(16, 12);
    WithPen(canvas.Dc(), CreatePen(PS_SOLID, 1, kBlack), CreateSolidBrush(kRed),
            [&] { Ellipse(canvas.Dc(), 2, 2, 13, 10); });
    const SImage image = canvas.Snapshot();
    const RECT ink = InkBounds(image, kWhite);
    EXPECT_EQ(ink.left, 2);
    EXPECT_EQ(ink.top, 2);
    EXPECT_EQ(ink.right, 13);
    EXPECT_EQ(ink.bottom, 10);
    EXPECT_EQ(ColourOf(image.At(2, 2)), kWhite);
    EXPECT_EQ(ColourOf(image.At(7, 6)), kRed);
    EXPECT_EQ(ColourOf(image.At(2, 6)), kBlack);
    EXPECT_EQ(ColourOf(image.At(7, 2)), kBlack);
    // The box spans x 2..12 and y 2..9: mirror images about x = 7 and y = 5.5.
    for (LONG y = 0; y < 12; ++y)
    {
        for (LONG x = 0; x < 16; ++x)
        {
            const LONG mx = 14 - x;
            const LONG my = 11 - y;
            if (mx >= 0 && mx < 16)
            {
                EXPECT_EQ(image.At(x, y), image.At(mx, y)) << x << "," << y;
            }
            if (my >= 0 && my < 12)
            {
                EXPECT_EQ(image.At(x, y), image.At(x, my)) << x << "," << y;
            }
        }
    }
}

TEST(DcLine, PolygonFillModesDifferOnAStar)
{
    const POINT star[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    for (const int nMode : {ALTERNATE, WINDING})
    {
        CTestCanvas canvas(21, 20);
        SetPolyFillMode(canvas.Dc(), nMode);
        WithPen(canvas.Dc(), static_cast<HPEN>(GetStockObject(NULL_PEN)), CreateSolidBrush(kRed),
                [&] { Polygon(canvas.Dc(), star, 5); });
        const SImage image = canvas.Snapshot();
        EXPECT_EQ(ColourOf(image.At(10, 4)), kRed) << nMode;
        EXPECT_EQ(ColourOf(image.At(10, 11)), nMode == WINDING ? kRed : kWhite) << nMode;
        EXPECT_EQ(ColourOf(image.At(10, 18)), kWhite) << nMode;
    }
}

TEST(DcLine, ArcRunsCounterClockwiseUnlessToldOtherwise)
{
    CTestCanvas canvas(21, 21);
    // From the rightmost point to the topmost: the upper right quarter.
    Arc(canvas.Dc(), 0, 0, 21, 21, 20, 10, 10, 0);
    RECT ink = InkBounds(canvas.Snapshot(), kWhite);
    EXPECT_GE(ink.left, 9);
    EXPECT_LE(ink.bottom, 12);
    EXPECT_EQ(ink.right, 21);
    EXPECT_EQ(ink.top, 0);

    canvas.Fill(kWhite);
    SetArcDirection(canvas.Dc(), AD_CLOCKWISE);
    Arc(canvas.Dc(), 0, 0, 21, 21, 20, 10, 10, 0);
    const SImage image = canvas.Snapshot();
    EXPECT_EQ(ColourOf(image.At(0, 10)), kBlack);
    EXPECT_EQ(ColourOf(image.At(10, 20)), kBlack);
    EXPECT_EQ(ColourOf(image.At(17, 3)), kWhite);
}

TEST(DcLine, PieFillsItsSectorOnly)
{
    CTestCanvas canvas(21, 21);
    WithPen(canvas.Dc(), CreatePen(PS_SOLID, 1, kBlack), CreateSolidBrush(kRed),
            [&] { Pie(canvas.Dc(), 0, 0, 21, 21, 20, 10, 10, 0); });
    const SImage image = canvas.Snapshot();
    EXPECT_EQ(ColourOf(image.At(14, 6)), kRed);
    EXPECT_EQ(ColourOf(image.At(6, 14)), kWhite);
    EXPECT_EQ(ColourOf(image.At(6, 6)), kWhite);
    // The radii are drawn with the pen.
    EXPECT_EQ(ColourOf(image.At(15, 10)), kBlack);
    EXPECT_EQ(ColourOf(image.At(10, 5)), kBlack);
}

TEST(DcLine, RoundRectCutsItsCorners)
{
    CTestCanvas canvas(22, 14);
    WithPen(canvas.Dc(), CreatePen(PS_SOLID, 1, kBlack), CreateSolidBrush(kRed),
            [&] { RoundRect(canvas.Dc(), 1, 1, 21, 13, 10, 10); });
    const SImage image = canvas.Snapshot();
    EXPECT_EQ(ColourOf(image.At(1, 1)), kWhite);
    EXPECT_EQ(ColourOf(image.At(20, 12)), kWhite);
    EXPECT_EQ(ColourOf(image.At(11, 1)), kBlack);
    EXPECT_EQ(ColourOf(image.At(1, 7)), kBlack);
    EXPECT_EQ(ColourOf(image.At(11, 7)), kRed);
    const RECT ink = InkBounds(image, kWhite);
    EXPECT_EQ(ink.left, 1);
    EXPECT_EQ(ink.top, 1);
    EXPECT_EQ(ink.right, 21);
    EXPECT_EQ(ink.bottom, 13);
}

TEST(DcLine, NullPenDrawsNoLines)
{
    CTestCanvas canvas(8, 8);
    SelectObject(canvas.Dc(), GetStockObject(NULL_PEN));
    MoveToEx(canvas.Dc(), 0, 0, nullptr);
    EXPECT_TRUE(LineTo(canvas.Dc(), 7, 7));
    SelectObject(canvas.Dc(), GetStockObject(BLACK_PEN));
    EXPECT_EQ(PointsWhere(canvas.Snapshot(), Is(kBlack)), "");
}
