// The ramp painters: the colours each plain and linked painter shows at the
// ends and the middle of its ramp, the columns it paints, and where its
// thumb (a bitmap or the drawn triangle) lands.
//
// Expected colours are worked from the HSL rules by hand: at lightness 128
// the chroma is 254 levels (255 − |2 × 128 − 255| = 254), so a saturated
// colour runs from 128 − 127 = 1 to 128 + 127 = 255.
#include "DrawingTestSupport.h"
#include "MnePainters.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace
{

struct SRampCase
{
    const char* pszName;
    std::function<std::unique_ptr<VMnePainter>()> make;
    COLORREF clrStart;  // fraction 0
    COLORREF clrMiddle; // fraction 0.5
    COLORREF clrEnd;    // fraction 1
};

HBITMAP SolidBitmap(int nWidth, int nHeight, COLORREF clr)
{
    SImage image;
    image.nWidth = nWidth;
    image.nHeight = nHeight;
    const DWORD pixel =
        0xFF000000u | (DWORD{GetRValue(clr)} << 16) | (DWORD{GetGValue(clr)} << 8) | GetBValue(clr);
    image.pixels.assign(static_cast<size_t>(nWidth) * nHeight, pixel);
    return CreateBitmapFromImage(image);
}

// Runs a paint routine on a canvas through a CDC.
template <class F> SImage PaintOn(CTestCanvas& canvas, F&& paint)
{
    CDC dc;
    dc.Attach(canvas.Dc());
    paint(dc);
    dc.Detach();
    return canvas.Snapshot();
}

} // namespace

TEST(MnePaintersTest, PlainPaintersShowTheirRampsAtBothEndsAndTheMiddle)
{
    const SRampCase cases[] = {
        {"red", [] { return std::make_unique<CMnePainterRedHorz>(); }, RGB(0, 0, 0), RGB(128, 0, 0),
         RGB(255, 0, 0)},
        {"green", [] { return std::make_unique<CMnePainterGreenHorz>(); }, RGB(0, 0, 0), RGB(0, 128, 0),
         RGB(0, 255, 0)},
        {"blue", [] { return std::make_unique<CMnePainterBlueHorz>(); }, RGB(0, 0, 0), RGB(0, 0, 128),
         RGB(0, 0, 255)},
        // Hue 128 is 180.7 degrees, just past cyan: green falls to
        // 1 + 254 × (1 − 0.0118) = 252.
        {"hue", [] { return std::make_unique<CMnePainterHueHorz>(); }, RGB(255, 1, 1), RGB(1, 252, 255),
         RGB(255, 1, 1)},
        // Saturation 128 gives a chroma of 254 × 128 / 255 = 127.5:
        // 128 ± 63.75.
        {"saturation", [] { return std::make_unique<CMnePainterSaturationHorz>(); }, RGB(128, 128, 128),
         RGB(192, 64, 64), RGB(255, 1, 1)},
        {"luminance", [] { return std::make_unique<CMnePainterLuminanceHorz>(); }, RGB(0, 0, 0),
         RGB(255, 1, 1), RGB(255, 255, 255)},
    };
    for (const SRampCase& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        const auto pPainter = c.make();
        EXPECT_EQ(pPainter->GetColorAt(0.0), c.clrStart);
        EXPECT_EQ(pPainter->GetColorAt(0.5), c.clrMiddle);
        EXPECT_EQ(pPainter->GetColorAt(1.0), c.clrEnd);
        // Outside the ramp: the nearest end.
        EXPECT_EQ(pPainter->GetColorAt(-3.0), c.clrStart);
        EXPECT_EQ(pPainter->GetColorAt(7.5), c.clrEnd);
    }
}

TEST(MnePaintersTest, LinkedPaintersVaryTheirComponentAndKeepTheOthers)
{
    int rgbhsl[6] = {10, 20, 30, 85, 255, 128};
    CMnePainterLinkedRedHorz red(rgbhsl);
    CMnePainterLinkedGreenHorz green(rgbhsl);
    CMnePainterLinkedBlueHorz blue(rgbhsl);
    CMnePainterLinkedHueHorz hue(rgbhsl);
    CMnePainterLinkedSaturationHorz saturation(rgbhsl);
    CMnePainterLinkedLuminanceHorz luminance(rgbhsl);

    EXPECT_EQ(red.GetColorAt(0.0), RGB(0, 20, 30));
    EXPECT_EQ(red.GetColorAt(0.5), RGB(128, 20, 30));
    EXPECT_EQ(green.GetColorAt(1.0), RGB(10, 255, 30));
    EXPECT_EQ(blue.GetColorAt(0.5), RGB(10, 20, 128));
    // Hue varies at saturation 255, lightness 128.
    EXPECT_EQ(hue.GetColorAt(0.5), RGB(1, 252, 255));
    // Saturation varies at hue 85 (green): from grey to (1, 255, 1).
    EXPECT_EQ(saturation.GetColorAt(0.0), RGB(128, 128, 128));
    EXPECT_EQ(saturation.GetColorAt(1.0), RGB(1, 255, 1));
    // Lightness varies through green.
    EXPECT_EQ(luminance.GetColorAt(0.0), RGB(0, 0, 0));
    EXPECT_EQ(luminance.GetColorAt(0.5), RGB(1, 255, 1));
    EXPECT_EQ(luminance.GetColorAt(1.0), RGB(255, 255, 255));

    // The painters read the values when asked, not when made.
    rgbhsl[MNE_HUE] = 170; // blue
    rgbhsl[MNE_SATURATION] = 0;
    EXPECT_EQ(luminance.GetColorAt(0.5), RGB(128, 128, 128)) << "no saturation: a grey";
    rgbhsl[MNE_SATURATION] = 255;
    EXPECT_EQ(luminance.GetColorAt(0.5), RGB(1, 1, 255));
    EXPECT_EQ(hue.GetColorAt(0.0), RGB(255, 1, 1)) << "the hue painter ignores the held hue";

    // Components out of range count as the nearest end.
    rgbhsl[MNE_GREEN] = 300;
    rgbhsl[MNE_BLUE] = -5;
    EXPECT_EQ(red.GetColorAt(0.0), RGB(0, 255, 0));

    // Without values a linked painter shows the plain ramp.
    red.SetLinkedValues(nullptr);
    EXPECT_EQ(red.GetColorAt(0.5), RGB(128, 0, 0));
    CMnePainterLinkedSaturationHorz unlinked;
    EXPECT_EQ(unlinked.GetColorAt(0.5), RGB(192, 64, 64));
}

TEST(MnePaintersTest, TheRampColoursEachColumnByTheFractionAtItsCentre)
{
    CTestCanvas canvas(300, 20, RGB(9, 9, 9));
    CMnePainterRedHorz red;
    // 256 columns: column i has the fraction (i + 0.5) / 256, so its red is
    // round((i + 0.5) × 255 / 256): 0 for column 0, 128 for column 128
    // (127.998), 255 for column 255 (254.502).
    SImage image = PaintOn(canvas, [&](CDC& dc) { red.PaintRamp(dc, CRect(20, 4, 276, 12)); });
    EXPECT_EQ(ColourOf(image.At(20, 4)), RGB(0, 0, 0));
    EXPECT_EQ(ColourOf(image.At(148, 8)), RGB(128, 0, 0));
    EXPECT_EQ(ColourOf(image.At(275, 11)), RGB(255, 0, 0));
    // Nothing outside the ramp.
    EXPECT_EQ(ColourOf(image.At(19, 8)), RGB(9, 9, 9));
    EXPECT_EQ(ColourOf(image.At(276, 8)), RGB(9, 9, 9));
    EXPECT_EQ(ColourOf(image.At(100, 3)), RGB(9, 9, 9));
    EXPECT_EQ(ColourOf(image.At(100, 12)), RGB(9, 9, 9));

    // Ten columns: 0.05 × 255 = 12.75 and 0.95 × 255 = 242.25.
    canvas.Fill(RGB(9, 9, 9));
    image = PaintOn(canvas, [&](CDC& dc) { red.PaintRamp(dc, CRect(0, 0, 10, 2)); });
    EXPECT_EQ(ColourOf(image.At(0, 0)), RGB(13, 0, 0));
    EXPECT_EQ(ColourOf(image.At(9, 1)), RGB(242, 0, 0));

    // An empty ramp paints nothing and has no thumb column.
    canvas.Fill(RGB(9, 9, 9));
    image = PaintOn(canvas,
                    [&](CDC& dc)
                    {
                        red.PaintRamp(dc, CRect(5, 5, 5, 15));
                        red.PaintThumb(dc, CRect(5, 5, 5, 15), 3, 0, 10);
                    });
    EXPECT_EQ(CRect(InkBounds(image, RGB(9, 9, 9))), CRect(0, 0, 0, 0));
    EXPECT_EQ(CMnePainterHorz::ValueColumn(0, 3, 0, 10), -1);
}

TEST(MnePaintersTest, TheThumbColumnFollowsTheValuesFraction)
{
    // 100 columns over 0 … 100: value v is column v, the top end column 99.
    EXPECT_EQ(CMnePainterHorz::ValueColumn(100, 0, 0, 100), 0);
    EXPECT_EQ(CMnePainterHorz::ValueColumn(100, 50, 0, 100), 50);
    EXPECT_EQ(CMnePainterHorz::ValueColumn(100, 100, 0, 100), 99);
    // 25 of 255 is 9.8 % of the way: column 9.
    EXPECT_EQ(CMnePainterHorz::ValueColumn(100, 25, 0, 255), 9);
    // A range that does not start at 0, and values outside it.
    EXPECT_EQ(CMnePainterHorz::ValueColumn(10, 150, 100, 200), 5);
    EXPECT_EQ(CMnePainterHorz::ValueColumn(10, 90, 100, 200), 0);
    EXPECT_EQ(CMnePainterHorz::ValueColumn(10, 900, 100, 200), 9);
    // An empty range puts the thumb at the left.
    EXPECT_EQ(CMnePainterHorz::ValueColumn(10, 5, 7, 7), 0);
}

TEST(MnePaintersTest, WithoutAnImageTheThumbIsATriangleOnTheRampsBottom)
{
    CTestCanvas canvas(130, 30, RGB(9, 9, 9));
    CMnePainterBlueHorz blue;
    const CRect rcRamp(10, 5, 110, 18);
    const SImage image = PaintOn(canvas, [&](CDC& dc) { blue.PaintSlider(dc, rcRamp, 50, 100, 0); });
    // Column 50 is x 60; the triangle's rows are y 13 (apex) … 17 (base).
    EXPECT_EQ(ColourOf(image.At(60, 13)), RGB(0, 0, 0));
    EXPECT_EQ(ColourOf(image.At(58, 15)), RGB(0, 0, 0));
    EXPECT_EQ(ColourOf(image.At(59, 15)), RGB(255, 255, 255));
    EXPECT_EQ(ColourOf(image.At(61, 15)), RGB(255, 255, 255));
    EXPECT_EQ(ColourOf(image.At(62, 15)), RGB(0, 0, 0));
    for (int x = 56; x <= 64; ++x)
        EXPECT_EQ(ColourOf(image.At(x, 17)), RGB(0, 0, 0)) << x;
    // Beside and above the triangle the ramp shows: x 55 is column 45,
    // round(0.455 × 255) = 116 blue; x 59 column 49, round(0.495 × 255) =
    // 126; x 60 column 50, round(0.505 × 255) = 129.
    EXPECT_EQ(ColourOf(image.At(55, 17)), RGB(0, 0, 116));
    EXPECT_EQ(ColourOf(image.At(60, 12)), RGB(0, 0, 129));
    EXPECT_EQ(ColourOf(image.At(59, 13)), RGB(0, 0, 126));

    // At the top end the triangle reaches past the ramp by its half width.
    CTestCanvas edge(130, 30, RGB(9, 9, 9));
    const SImage end = PaintOn(edge, [&](CDC& dc) { blue.PaintThumb(dc, rcRamp, 100, 0, 100); });
    EXPECT_EQ(CRect(InkBounds(end, RGB(9, 9, 9))), CRect(105, 13, 114, 18));
}

TEST(MnePaintersTest, AThumbImageIsCentredOnTheColumnAndTheRampsHeight)
{
    CTestCanvas canvas(130, 30, RGB(9, 9, 9));
    CMnePainterHueHorz hue;
    HBITMAP hThumb = SolidBitmap(3, 5, RGB(0, 0, 255));
    hue.SetThumbImage(hThumb, true);
    EXPECT_EQ(hue.GetThumbImage(), hThumb);
    const CRect rcRamp(10, 5, 110, 18);
    // Value 25 of 0 … 100 with the upper end given first: column 25, x 35;
    // the 3 × 5 image spans x 34 … 36 and y 9 … 13 (13 − 5 = 8, half 4).
    const SImage image = PaintOn(canvas, [&](CDC& dc) { hue.PaintSlider(dc, rcRamp, 25, 100, 0); });
    EXPECT_EQ(PointsWhere(image, [](COLORREF c) { return c == RGB(0, 0, 255); }),
              "34,9 35,9 36,9 34,10 35,10 36,10 34,11 35,11 36,11 34,12 35,12 36,12 34,13 35,13 36,13 ");
    // Around it the hue ramp, and no drawn triangle: column 0 has the
    // fraction 0.005, hue round(1.275) = 1, which lifts green by
    // 254 × 6 / 255 = 6 to 7.
    EXPECT_EQ(ColourOf(image.At(10, 17)), RGB(255, 7, 1));
    EXPECT_EQ(ColourOf(image.At(35, 17)), hue.GetColorAt(25.5 / 100));

    // Back to the triangle when the image is taken away.
    hue.SetThumbImage(nullptr);
    EXPECT_EQ(hue.GetThumbImage(), nullptr);
    canvas.Fill(RGB(9, 9, 9));
    const SImage triangle = PaintOn(canvas, [&](CDC& dc) { hue.PaintThumb(dc, rcRamp, 25, 0, 100); });
    EXPECT_EQ(CRect(InkBounds(triangle, RGB(9, 9, 9))), CRect(31, 13, 40, 18));
}
