#include "Geometry.h"

#include <gtest/gtest.h>

TEST(CRect, RightAndBottomEdgesAreOutside)
{
    const CRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_TRUE(r.PtInRect(CPoint(29, 39)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 39)));
    EXPECT_FALSE(r.PtInRect(CPoint(29, 40)));
    EXPECT_FALSE(r.PtInRect(CPoint(9, 20)));
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 20);
    // An empty rectangle contains nothing, not even its own corner.
    EXPECT_FALSE(CRect(5, 5, 5, 9).PtInRect(CPoint(5, 5)));
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 4, 9).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 6, 6).IsRectEmpty());
}

TEST(CRect, CentreRoundsTowardZeroLikeIntegerDivision)
{
    EXPECT_EQ(CRect(0, 0, 5, 5).CenterPoint(), CPoint(2, 2));
    EXPECT_EQ(CRect(-5, -5, 0, 0).CenterPoint(), CPoint(-2, -2));
    EXPECT_EQ(CRect(10, 20, 31, 41).CenterPoint(), CPoint(20, 30));
}

TEST(CRect, InflateDeflateAndOffset)
{
    CRect r(10, 10, 20, 20);
    r.InflateRect(2, 3);
    EXPECT_EQ(r, CRect(8, 7, 22, 23));
    r.DeflateRect(2, 3);
    EXPECT_EQ(r, CRect(10, 10, 20, 20));
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(11, 12, 17, 16));
    r.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(10, 10, 20, 20));
    r.OffsetRect(-15, 5);
    EXPECT_EQ(r, CRect(-5, 15, 5, 25));
    r.MoveToXY(0, 0);
    EXPECT_EQ(r, CRect(0, 0, 10, 10));
    r.DeflateRect(6, 6); // deflating past the middle leaves an inverted, empty rectangle
    EXPECT_EQ(r, CRect(6, 6, 4, 4));
    EXPECT_TRUE(r.IsRectEmpty());
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(4, 4, 6, 6));
}

TEST(CRect, IntersectAndUnionFollowTheEmptyRules)
{
    CRect out;
    EXPECT_TRUE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 15, 15)));
    EXPECT_EQ(out, CRect(5, 5, 10, 10));
    // Touching edges do not overlap; the result is all zero, not just empty.
    out = CRect(1, 2, 3, 4);
    EXPECT_FALSE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(out.IsRectNull());

    EXPECT_TRUE(out.UnionRect(CRect(0, 0, 10, 10), CRect(20, 5, 30, 30)));
    EXPECT_EQ(out, CRect(0, 0, 30, 30));
    // An empty operand does not stretch the union toward its position.
    EXPECT_TRUE(out.UnionRect(CRect(100, 100, 100, 200), CRect(1, 1, 2, 2)));
    EXPECT_EQ(out, CRect(1, 1, 2, 2));
    EXPECT_FALSE(out.UnionRect(CRect(3, 3, 3, 3), CRect(7, 7, 6, 6)));
    EXPECT_TRUE(out.IsRectNull());

    CRect a(0, 0, 10, 10);
    a &= CRect(2, -5, 4, 5);
    EXPECT_EQ(a, CRect(2, 0, 4, 5));
    EXPECT_EQ(CRect(0, 0, 1, 1) | CRect(4, 4, 5, 5), CRect(0, 0, 5, 5));
}

TEST(CRect, SubtractOnlyWhenTheRemainderIsARectangle)
{
    CRect out;
    // The bottom half is covered across the full width: the top half remains.
    EXPECT_TRUE(out.SubtractRect(CRect(0, 0, 10, 10), CRect(-1, 5, 11, 20)));
    EXPECT_EQ(out, CRect(0, 0, 10, 5));
    // A hole in the middle leaves the rectangle as it was.
    EXPECT_TRUE(out.SubtractRect(CRect(0, 0, 10, 10), CRect(2, 2, 4, 4)));
    EXPECT_EQ(out, CRect(0, 0, 10, 10));
    // Covered entirely: nothing remains.
    EXPECT_FALSE(out.SubtractRect(CRect(0, 0, 10, 10), CRect(0, 0, 10, 10)));
}

TEST(CPointCSize, ArithmeticAndPackedCoordinates)
{
    CPoint p(3, 4);
    p += CSize(1, -1);
    EXPECT_EQ(p, CPoint(4, 3));
    EXPECT_EQ(CPoint(10, 10) - CPoint(4, 3), CSize(6, 7));
    EXPECT_EQ(CPoint(MAKELPARAM(static_cast<WORD>(-2), 7)), CPoint(-2, 7));
    EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));
    EXPECT_EQ(CRect(1, 2, 4, 6) + CPoint(1, 1), CRect(2, 3, 5, 7));
}
