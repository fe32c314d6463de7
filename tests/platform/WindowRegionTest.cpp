// Regions made of rectangles: combination, canonical form, queries.
#include "Region.h"

#include <gtest/gtest.h>

namespace
{

struct SRegion
{
    explicit SRegion(HRGN h) : hRegion(h) {}
    ~SRegion() { DeleteRgn(hRegion); }
    SRegion(const SRegion&) = delete;
    SRegion& operator=(const SRegion&) = delete;
    operator HRGN() const { return hRegion; }
    HRGN hRegion;
};

std::vector<CRect> Rects(HRGN hRegion)
{
    std::vector<CRect> out;
    for (const RECT& r : GetRegionRects(hRegion))
        out.emplace_back(r);
    return out;
}

TEST(CRegion, DifferenceOfAnOverlapLeavesAnLShape)
{
    // The background square less the corner the foreground square covers.
    SRegion background(CreateRectRgn(0, 0, 30, 30));
    SRegion foreground(CreateRectRgn(20, 20, 50, 50));
    SRegion result(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(CombineRgn(result, background, foreground, RGN_DIFF), COMPLEXREGION);
    EXPECT_EQ(Rects(result), (std::vector<CRect>{CRect(0, 0, 30, 20), CRect(0, 20, 20, 30)}));
    EXPECT_TRUE(PtInRegion(result, 19, 29));
    EXPECT_FALSE(PtInRegion(result, 20, 20));
    EXPECT_FALSE(PtInRegion(result, 29, 29));
    RECT box;
    EXPECT_EQ(GetRgnBox(result, &box), COMPLEXREGION);
    EXPECT_EQ(CRect(box), CRect(0, 0, 30, 30));
}

TEST(CRegion, UnionIntersectionAndExclusiveOr)
{
    SRegion a(CreateRectRgn(0, 0, 10, 10));
    SRegion b(CreateRectRgn(5, 0, 15, 10));
    SRegion out(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(CombineRgn(out, a, b, RGN_OR), SIMPLEREGION);
    EXPECT_EQ(Rects(out), (std::vector<CRect>{CRect(0, 0, 15, 10)}));
    EXPECT_EQ(CombineRgn(out, a, b, RGN_AND), SIMPLEREGION);
    EXPECT_EQ(Rects(out), (std::vector<CRect>{CRect(5, 0, 10, 10)}));
    EXPECT_EQ(CombineRgn(out, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_EQ(Rects(out), (std::vector<CRect>{CRect(0, 0, 5, 10), CRect(10, 0, 15, 10)}));
    SRegion far(CreateRectRgn(100, 100, 110, 110));
    EXPECT_EQ(CombineRgn(out, a, far, RGN_AND), NULLREGION);
    EXPECT_TRUE(Rects(out).empty());
}

TEST(CRegion, TheSamePixelsGiveEqualRegionsHoweverBuilt)
{
    // Two halves stacked make the same square as one rectangle.
    SRegion top(CreateRectRgn(0, 0, 10, 5));
    SRegion bottom(CreateRectRgn(0, 5, 10, 10));
    SRegion stacked(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(stacked, top, bottom, RGN_OR);
    SRegion whole(CreateRectRgn(10, 10, 0, 0)); // corners in either order
    EXPECT_TRUE(EqualRgn(stacked, whole));
    OffsetRgn(stacked, 1, 0);
    EXPECT_FALSE(EqualRgn(stacked, whole));
    EXPECT_TRUE(RectInRegion(stacked, CRect(10, 0, 11, 1)));
    EXPECT_FALSE(RectInRegion(stacked, CRect(11, 0, 20, 10)));
}

TEST(CRegion, CombiningIntoASourceWorks)
{
    SRegion a(CreateRectRgn(0, 0, 10, 10));
    SRegion b(CreateRectRgn(0, 0, 5, 10));
    EXPECT_EQ(CombineRgn(a, a, b, RGN_DIFF), SIMPLEREGION);
    EXPECT_EQ(Rects(a), (std::vector<CRect>{CRect(5, 0, 10, 10)}));
    EXPECT_EQ(CombineRgn(b, a, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(a, b));
}

TEST(CRegion, StaleHandlesAndBadModesAreRefused)
{
    HRGN hRegion = CreateRectRgn(0, 0, 1, 1);
    EXPECT_TRUE(IsRegionHandle(hRegion));
    EXPECT_TRUE(DeleteRgn(hRegion));
    EXPECT_FALSE(IsRegionHandle(hRegion));
    EXPECT_FALSE(DeleteRgn(hRegion));
    SRegion live(CreateRectRgn(0, 0, 1, 1));
    EXPECT_EQ(CombineRgn(live, hRegion, live, RGN_OR), RGN_ERROR);
    EXPECT_EQ(CombineRgn(live, live, live, 9), RGN_ERROR);
    EXPECT_FALSE(PtInRegion(hRegion, 0, 0));
    EXPECT_TRUE(GetRegionRects(hRegion).empty());
}

} // namespace
