// The rainbow picker: the image it computes for each document kind and size,
// what it paints, and what the pointer makes it post and show.
//
// Expected pixels are worked out from the picture's rules. For a 100 x 60
// client the image is 98 x 58: 50 rainbow rows and an 8-row grey strip.
//  - Row y has hue trunc(5.1 y + 0.5) (255 / 50 per row).
//  - Column x has lightness trunc(x × 255 / 98 + 0.5) and saturation
//    trunc(255 cos(1.57 (255 − a) / 255) + 0.5) with a = 76.5 + x × 178 / 48
//    up to the middle column 49.
//  - HSL to RGB on the 0-255 scale: chroma C = (255 − |2L − 255|) S / 255,
//    largest channel L + C / 2, smallest L − C / 2, the middle one moving
//    between them with the hue's place in its sixth of the turn.
#include "ColorConversions.h"
#include "Input.h"
#include "MirnMaterialPalette.h"
#include "Modules.h"
#include "PaneMessages.h"
#include "RainbowPickerTestSupport.h"
#include "RainbowPickerWnd.h"
#include "Resources.h"
#include "Utf8.h"
#include "WindowTestSupport.h"
#include "XUIVisualManager.h"

#include <algorithm>
#include <memory>

namespace
{
constexpr COLORREF kFrameColor = RGB(1, 2, 250);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class RainbowPickerTest : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        HostLog().clear();
        CXUIVisualManager::GetInstance().SetThemeColor(XUI_COLOR_PICKER_FRAME, kFrameColor);
        m_hPane = CreateTopLevel({0, 0, 400, 300});
        ASSERT_NE(m_hPane, nullptr);
        ASSERT_TRUE(m_palette.CreatePalette());
        m_pApp = new CDocumentAppContext(L"app");
    }
    void TearDown() override
    {
        m_picker.DestroyWindow();
        m_palette.DestroyWindow();
        if (m_pApp != nullptr)
            m_pApp->Release();
        CXUIVisualManager::GetInstance().Reset();
        CWindowTest::TearDown();
    }

    // A picker with a 100 x 60 client at (10, 20) of the pane, painted once.
    void CreatePicker(bool bWithAppContext = true, CRect rect = CRect(10, 20, 110, 80))
    {
        ASSERT_TRUE(m_picker.Create(CWnd::FromHandle(m_hPane), 2001, rect));
        m_picker.SetPaletteWnd(&m_palette);
        if (bWithAppContext)
            m_picker.SetAppContext(m_pApp);
        PumpMessages();
    }
    CPoint ToScreen(CPoint pt) const
    {
        ::ClientToScreen(m_picker.GetSafeHwnd(), &pt);
        return pt;
    }
    // A pixel of the picker's image, read from its bytes (blue, green, red).
    COLORREF ImagePixel(int x, int y) const
    {
        const CRowIterator& image = m_picker.GetPickerDIB();
        const BYTE* pRow = image.GetRow(y);
        if (pRow == nullptr)
            return 0xFFFFFFFF;
        const BYTE* p = pRow + 3 * x;
        const COLORREF clr = RGB(p[2], p[1], p[0]);
        image.ReleaseRow(y);
        return clr;
    }
    // A pixel on the picker's client area as painted.
    COLORREF PaintedPixel(int x, int y) const
    {
        HDC hdc = GetDC(m_picker.GetSafeHwnd());
        const COLORREF clr = GetPixel(hdc, x, y);
        ReleaseDC(m_picker.GetSafeHwnd(), hdc);
        return clr;
    }
    std::vector<CRecordingPaletteWnd::SMessage> Posted() const
    {
        return m_palette.Received(WM_RAINBOW_CLICK);
    }
    void Resize(int cx, int cy) { m_picker.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER); }

    HWND m_hPane = nullptr;
    CRecordingPaletteWnd m_palette;
    CDocumentAppContext* m_pApp = nullptr;
    CRainbowPickerWnd m_picker;
};

// ---------------------------------------------------------------------------
// The rainbow image

TEST_F(RainbowPickerTest, AHundredBySixtyClientGivesFiftyRainbowRowsAboveAFiveBlockGreyStrip)
{
    CreatePicker();
    const CRowIterator& image = m_picker.GetPickerDIB();
    ASSERT_TRUE(image.IsAttached()) << "the first paint builds the image";
    EXPECT_EQ(image.Width(), 98);
    EXPECT_EQ(image.Height(), 58);
    EXPECT_EQ(image.BitsPerPixel(), 24);
    EXPECT_TRUE(m_picker.IsRainbow());

    for (int y = 0; y < 50; ++y)
    {
        EXPECT_EQ(ImagePixel(0, y), kBlack) << "row " << y;
        EXPECT_EQ(ImagePixel(97, y), kWhite) << "row " << y;
        EXPECT_NE(ImagePixel(40, y), ImagePixel(40, 50)) << "row " << y << " is a rainbow row";
    }

    // Blocks of (98 + 4) / 5 = 20 columns; the fifth has the 18 left over.
    const struct
    {
        int nFirst;
        int nLast;
        BYTE bLevel;
    } blocks[] = {{0, 19, 0}, {20, 39, 64}, {40, 59, 128}, {60, 79, 192}, {80, 97, 255}};
    for (int y = 50; y < 58; ++y)
    {
        for (const auto& block : blocks)
        {
            const COLORREF clr = RGB(block.bLevel, block.bLevel, block.bLevel);
            EXPECT_EQ(ImagePixel(block.nFirst, y), clr) << "row " << y << " column " << block.nFirst;
            EXPECT_EQ(ImagePixel(block.nLast, y), clr) << "row " << y << " column " << block.nLast;
        }
    }
}

TEST_F(RainbowPickerTest, RainbowPixelsFollowHueDownAndLightnessAndSaturationAcross)
{
    CreatePicker();
    // Row 0, hue 0 (red). Column 10: L = trunc(26.02 + 0.5) = 26,
    // a = 76.5 + 10 × 3.7083 = 113.58, S = trunc(255 cos(0.87066) + 0.5) =
    // trunc(164.30 + 0.5) = 164. C = 52 × 164 / 255 = 33.44: red 26 + 16.72
    // = 42.72 -> 43, green and blue 26 − 16.72 = 9.28 -> 9.
    EXPECT_EQ(ImagePixel(10, 0), RGB(43, 9, 9));
    // Column 47: L = trunc(122.30 + 0.5) = 122, a = 250.79, S = trunc(254.91
    // + 0.5) = 255. C = (255 − 11) = 244: red 244, the others 0.
    EXPECT_EQ(ImagePixel(47, 0), RGB(244, 0, 0));
    // Row 10, hue trunc(51 + 0.5) = 51, i.e. 72 degrees: green is largest
    // and red is 0.8 of the way from the smallest to it. Column 47 as above:
    // green 244, red 0.8 × 244 = 195.2 -> 195, blue 0.
    EXPECT_EQ(ImagePixel(47, 10), RGB(195, 244, 0));
    // Values are rounded, not cut. Row 0, column 13: L = trunc(33.83 + 0.5)
    // = 34, S = trunc(177.26 + 0.5) = 177; C = 68 × 177 / 255 = 47.2: red
    // 34 + 23.6 -> 58, the others 34 − 23.6 -> 10.
    EXPECT_EQ(ImagePixel(13, 0), RGB(58, 10, 10));
    // Column 28 sits near a rounding edge of the saturation: a = 180.33,
    // S = trunc(255 cos(1.57 × 74.67 / 255) + 0.5) = trunc(228.53 + 0.5) =
    // 229 (an angle factor of exactly pi / 2 would give 228.50 -> 228).
    // L = trunc(72.86 + 0.5) = 73, C = 146 × 229 / 255 = 131.11: red
    // 73 + 65.56 -> 139, the others 73 − 65.56 -> 7.
    EXPECT_EQ(ImagePixel(28, 0), RGB(139, 7, 7));
    // Row 10, column 11: L = trunc(28.62 + 0.5) = 29, S = trunc(168.71 + 0.5)
    // = 169; C = 58 × 169 / 255 = 38.44: green 29 + 19.22 -> 48, blue
    // 29 − 19.22 -> 10, red 9.78 + 0.8 × 38.44 = 40.53 -> 41.
    EXPECT_EQ(ImagePixel(11, 10), RGB(41, 48, 10));
    // Row 7, hue trunc(35.7 + 0.5) = 36, 216/255 of the first sixth: at
    // column 47 red 244, green 216 / 255 × 244 = 206.68 -> 207, blue 0.
    EXPECT_EQ(ImagePixel(47, 7), RGB(244, 207, 0));
    // Row 49, the last rainbow row: hue trunc(249.9 + 0.5) = 250, i.e. 30/255
    // of a sixth before red: red largest, green smallest, blue 30/255 of
    // the way up. Column 90: L = trunc(234.18 + 0.5) = 234, a = 76.5 + 49 ×
    // 3.7083 − 41 × 3.7083 = 106.17, S = trunc(155.22 + 0.5) = 155.
    // C = (255 − 213) × 155 / 255 = 25.53: red 234 + 12.76 = 246.76 -> 247,
    // green 234 − 12.76 = 221.24 -> 221, blue 221.24 + 0.1176 × 25.53 =
    // 224.24 -> 224.
    EXPECT_EQ(ImagePixel(90, 49), RGB(247, 221, 224));
}

TEST_F(RainbowPickerTest, ADocumentNeitherFullColourNorPalettedNorGreyscaleGetsTheRainbow)
{
    m_pApp->m_eDocument = EFakeDocument::Unknown;
    CreatePicker();
    EXPECT_TRUE(m_picker.IsRainbow());
    EXPECT_EQ(ImagePixel(47, 0), RGB(244, 0, 0));
    EXPECT_EQ(m_pApp->m_nPaletteQueries, 0);
}

// ---------------------------------------------------------------------------
// Palette and grey grids

TEST_F(RainbowPickerTest, ASixteenColourPaletteIsTwoColumnsByEightRowsOverTheWholeHeight)
{
    m_pApp->m_eDocument = EFakeDocument::Paletted;
    ASSERT_TRUE(m_pApp->m_palette.CreateVGA16());
    CreatePicker();
    EXPECT_FALSE(m_picker.IsRainbow());
    EXPECT_EQ(m_pApp->m_nPaletteQueries, 1);

    // Cells 98 / 2 = 49 wide and 58 / 8 = 7.25 high: cell row r covers the
    // image rows y with trunc(y / 7.25) = r.
    EXPECT_EQ(m_picker.GetCellRect(0), CRect(0, 0, 49, 8));
    EXPECT_EQ(m_picker.GetCellRect(1), CRect(49, 0, 98, 8));
    EXPECT_EQ(m_picker.GetCellRect(2), CRect(0, 8, 49, 15));
    EXPECT_EQ(m_picker.GetCellRect(15), CRect(49, 51, 98, 58));
    EXPECT_EQ(m_picker.GetCellRect(16), CRect(98, 58, 0, 0)) << "an index the grid does not show";
    EXPECT_EQ(m_picker.GetCellRect(255), CRect(98, 58, 0, 0));

    EXPECT_EQ(ImagePixel(0, 0), kBlack);
    EXPECT_EQ(ImagePixel(48, 7), kBlack);
    EXPECT_EQ(ImagePixel(49, 0), RGB(128, 0, 0)) << "index 1, maroon, top right";
    EXPECT_EQ(ImagePixel(0, 8), RGB(0, 128, 0)) << "index 2, green, starts the second row";
    // No grey strip: the last rows belong to the grid (index 14, aqua).
    EXPECT_EQ(ImagePixel(0, 57), RGB(0, 255, 255));
    EXPECT_EQ(ImagePixel(97, 57), kWhite);

    // Reading a colour back takes the point as it is, not shifted by the
    // frame; outside the image it is black.
    EXPECT_EQ(m_picker.GetColorAtPoint({49, 0}), RGB(128, 0, 0));
    EXPECT_EQ(m_picker.GetColorAtPoint({97, 57}), kWhite);
    for (const CPoint pt : {CPoint(98, 57), CPoint(97, 58), CPoint(-1, 10), CPoint(10, -1)})
        EXPECT_EQ(m_picker.GetColorAtPoint(pt), kBlack) << pt.x << ", " << pt.y;
    EXPECT_EQ(m_picker.GetPickerDIB().RowsOut(), 0) << "every row read is given back";
}

TEST_F(RainbowPickerTest, EntriesBeyondTheCountAreBlackAndAFailedQueryGivesABlackGrid)
{
    m_pApp->m_eDocument = EFakeDocument::Paletted;
    const COLORREF colors[] = {RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0), RGB(40, 0, 0), RGB(50, 0, 0)};
    ASSERT_TRUE(m_pApp->m_palette.Create(colors, 5));
    CreatePicker();
    // Two columns of 49 and rows of 7.25: index 3 is row 1 right, 4 row 2
    // left, 5 row 2 right.
    EXPECT_EQ(ImagePixel(49, 8), RGB(40, 0, 0));
    EXPECT_EQ(ImagePixel(0, 15), RGB(50, 0, 0));
    EXPECT_EQ(ImagePixel(49, 15), kBlack) << "index 5 is past the palette";
    EXPECT_EQ(m_picker.GetCellRect(5), CRect(49, 15, 98, 22));

    m_pApp->m_bPaletteFails = true;
    m_picker.BuildPickerDIB();
    EXPECT_FALSE(m_picker.IsRainbow());
    // No entries: the two-cell grid, all black.
    EXPECT_EQ(m_picker.GetCellRect(0), CRect(0, 0, 98, 29));
    EXPECT_EQ(m_picker.GetCellRect(1), CRect(0, 29, 98, 58));
    EXPECT_EQ(m_picker.GetCellRect(2), CRect(98, 58, 0, 0));
    EXPECT_EQ(ImagePixel(0, 0), kBlack);
    EXPECT_EQ(ImagePixel(49, 15), kBlack);
    EXPECT_EQ(ImagePixel(97, 57), kBlack);
}

TEST_F(RainbowPickerTest, AGreyscaleImageShowsTheGreyLevelsInThirteenByTwentyCellsAboveTheStrip)
{
    m_pApp->m_eDocument = EFakeDocument::Greyscale;
    CreatePicker();
    EXPECT_FALSE(m_picker.IsRainbow());
    EXPECT_EQ(m_pApp->m_nPaletteQueries, 0) << "grey levels need no palette";

    // Cells 98 / 13 = 7.538 wide and 50 / 20 = 2.5 high.
    EXPECT_EQ(m_picker.GetCellRect(0), CRect(0, 0, 8, 3));
    EXPECT_EQ(m_picker.GetCellRect(1), CRect(8, 0, 16, 3));
    EXPECT_EQ(ImagePixel(7, 2), kBlack);
    EXPECT_EQ(ImagePixel(8, 0), RGB(1, 1, 1));
    // Cell row 19 starts at image row trunc(47.5) + 1 = 48: cells 247 to
    // 259, of which 256 to 259 are limited to 255.
    EXPECT_EQ(m_picker.GetCellRect(247), CRect(0, 48, 8, 50));
    EXPECT_EQ(m_picker.GetCellRect(254), CRect(53, 48, 61, 50));
    EXPECT_EQ(m_picker.GetCellRect(255), CRect(61, 48, 98, 50)) << "the last four cells repeat 255";
    EXPECT_EQ(ImagePixel(0, 48), RGB(247, 247, 247));
    EXPECT_EQ(ImagePixel(60, 49), RGB(254, 254, 254));
    EXPECT_EQ(ImagePixel(61, 48), kWhite);
    EXPECT_EQ(ImagePixel(97, 49), kWhite);

    // The grey strip is still drawn below.
    EXPECT_EQ(ImagePixel(0, 50), kBlack);
    EXPECT_EQ(ImagePixel(25, 53), RGB(64, 64, 64));
    EXPECT_EQ(ImagePixel(97, 57), kWhite);

    // Pointing shows the pixel, without a palette or an index.
    InjectMouseMove(ToScreen({8, 0}));
    PumpMessages();
    ASSERT_NE(m_picker.GetToolTip(), nullptr);
    EXPECT_EQ(m_picker.GetToolTip()->GetToolTipColor(), RGB(1, 1, 1));
    EXPECT_EQ(m_picker.GetToolTip()->GetToolTipText().Find(L"Index"), -1);
    EXPECT_EQ(m_pApp->m_nPaletteQueries, 0);
}

TEST_F(RainbowPickerTest, AFullPaletteFillsTheWholeHeightAndRepeatsItsLastEntry)
{
    m_pApp->m_eDocument = EFakeDocument::Paletted;
    ASSERT_TRUE(m_pApp->m_palette.CreateQuick8());
    CreatePicker();
    // Cells 2.9 high over all 58 rows: cell row 19 is image rows 56 and 57.
    EXPECT_EQ(m_picker.GetCellRect(255), CRect(61, 56, 98, 58));
    // Entry 255 is the fixed palette's last grey, round(40 × 255 / 41) = 249;
    // entry 247 its 32nd, round(32 × 255 / 41) = 199.
    EXPECT_EQ(ImagePixel(97, 57), RGB(249, 249, 249));
    EXPECT_EQ(ImagePixel(0, 57), RGB(199, 199, 199));
    // Entry 0 of the colour cube is black, entry 1 (0, 0, 51).
    EXPECT_EQ(ImagePixel(0, 0), kBlack);
    EXPECT_EQ(ImagePixel(8, 0), RGB(0, 0, 51));
}

// ---------------------------------------------------------------------------
// Sizes

TEST_F(RainbowPickerTest, TheImageIsBuiltOnFirstPaintAndRebuiltOnEverySizeChange)
{
    ASSERT_TRUE(m_picker.Create(CWnd::FromHandle(m_hPane), 2001, CRect(10, 20, 110, 80)));
    m_picker.SetAppContext(m_pApp);
    EXPECT_FALSE(m_picker.GetPickerDIB().IsAttached()) << "nothing before the first paint";
    Resize(60, 40);
    EXPECT_FALSE(m_picker.GetPickerDIB().IsAttached()) << "a size change alone does not build";
    EXPECT_EQ(m_picker.GetColorAtPoint({5, 5}), kBlack);

    m_picker.UpdateWindow();
    ASSERT_TRUE(m_picker.GetPickerDIB().IsAttached());
    EXPECT_EQ(m_picker.GetPickerDIB().Width(), 58);
    EXPECT_EQ(m_picker.GetPickerDIB().Height(), 38);

    // Built once: a size change rebuilds at once, before any paint.
    Resize(202, 102);
    EXPECT_EQ(m_picker.GetPickerDIB().Width(), 200);
    EXPECT_EQ(m_picker.GetPickerDIB().Height(), 100);
    EXPECT_EQ(ImagePixel(199, 91), kWhite) << "the last rainbow row is 91";
    EXPECT_EQ(ImagePixel(199, 92), kWhite) << "the strip's last block";
    EXPECT_EQ(ImagePixel(40, 92), RGB(64, 64, 64)) << "blocks of (200 + 4) / 5 = 40";

    // Too small: the previous image stays.
    Resize(11, 80);
    EXPECT_EQ(m_picker.GetPickerDIB().Width(), 200);
    Resize(80, 11);
    EXPECT_EQ(m_picker.GetPickerDIB().Height(), 100);

    // The document's kind is asked again only when the image is rebuilt.
    m_pApp->m_eDocument = EFakeDocument::Greyscale;
    m_picker.Invalidate();
    m_picker.UpdateWindow();
    EXPECT_TRUE(m_picker.IsRainbow()) << "a repaint keeps the image";
    Resize(100, 60);
    EXPECT_FALSE(m_picker.IsRainbow());
    EXPECT_EQ(ImagePixel(8, 0), RGB(1, 1, 1));
}

TEST_F(RainbowPickerTest, AnImageThatCannotBeMadeLeavesNoneAndALaterPaintTriesAgain)
{
    CreatePicker();
    ASSERT_TRUE(m_picker.GetPickerDIB().IsAttached());
    // 20000 x 20000 pixels of 3 bytes are more than the graphics module
    // makes.
    Resize(20002, 20002);
    EXPECT_FALSE(m_picker.GetPickerDIB().IsAttached());
    EXPECT_EQ(m_picker.GetColorAtPoint({0, 0}), kBlack);
    EXPECT_EQ(m_picker.GetColorAtPoint({97, 0}), kBlack);

    Resize(100, 60);
    EXPECT_FALSE(m_picker.GetPickerDIB().IsAttached()) << "a size change rebuilds only a built image";
    m_picker.Invalidate();
    m_picker.UpdateWindow();
    ASSERT_TRUE(m_picker.GetPickerDIB().IsAttached());
    EXPECT_EQ(m_picker.GetColorAtPoint({97, 0}), kWhite);
}

// ---------------------------------------------------------------------------
// Painting

TEST_F(RainbowPickerTest, TheImageIsPaintedOnePixelInWithAFrameAroundTheClient)
{
    CreatePicker();
    for (const CPoint pt : {CPoint(0, 0), CPoint(99, 0), CPoint(0, 59), CPoint(99, 59), CPoint(50, 0),
                            CPoint(0, 30), CPoint(99, 30), CPoint(50, 59)})
        EXPECT_EQ(PaintedPixel(pt.x, pt.y), kFrameColor) << pt.x << ", " << pt.y;
    EXPECT_EQ(PaintedPixel(1, 1), kBlack);
    EXPECT_EQ(PaintedPixel(11, 1), RGB(43, 9, 9));
    EXPECT_EQ(PaintedPixel(98, 1), kWhite);
    EXPECT_EQ(PaintedPixel(48, 11), RGB(195, 244, 0));
    EXPECT_EQ(PaintedPixel(41, 58), RGB(128, 128, 128));
}

TEST_F(RainbowPickerTest, WithoutAnApplicationContextNothingIsPaintedAndThePointerIsIgnored)
{
    CreatePicker(false);
    EXPECT_FALSE(m_picker.GetPickerDIB().IsAttached());
    EXPECT_NE(PaintedPixel(0, 0), kFrameColor);
    EXPECT_NE(PaintedPixel(11, 1), RGB(43, 9, 9));

    InjectClick(ToScreen({10, 0}));
    InjectMouseMove(ToScreen({20, 0}));
    PumpMessages();
    EXPECT_TRUE(Posted().empty());
    ASSERT_NE(m_picker.GetToolTip(), nullptr);
    EXPECT_FALSE(m_picker.GetToolTip()->IsToolTipVisible());
    EXPECT_FALSE(m_picker.IsTrackingMouse());
}

TEST_F(RainbowPickerTest, BelowTwelveByTwelveOnlyTheFrameIsPainted)
{
    CreatePicker(true, CRect(10, 20, 21, 31));
    EXPECT_FALSE(m_picker.GetPickerDIB().IsAttached());
    EXPECT_EQ(PaintedPixel(0, 0), kFrameColor);
    EXPECT_EQ(PaintedPixel(10, 10), kFrameColor);
    EXPECT_EQ(m_picker.GetColorAtPoint({1, 1}), kBlack);

    // 12 x 12 gives the smallest image: two rainbow rows above the strip,
    // whose blocks are (10 + 4) / 5 = 2 columns wide.
    Resize(12, 12);
    m_picker.UpdateWindow();
    ASSERT_EQ(m_picker.GetPickerDIB().Width(), 10);
    EXPECT_EQ(m_picker.GetPickerDIB().Height(), 10);
    EXPECT_EQ(ImagePixel(9, 1), kWhite);
    EXPECT_EQ(ImagePixel(2, 2), RGB(64, 64, 64));
    EXPECT_EQ(ImagePixel(8, 9), kWhite);
}

// ---------------------------------------------------------------------------
// The pointer

TEST_F(RainbowPickerTest, ALeftClickPostsTheColourForTheForegroundAndARightClickForTheBackground)
{
    CreatePicker();
    InjectClick(ToScreen({10, 0}));
    PumpMessages();
    auto posted = Posted();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].wParam, static_cast<WPARAM>(RGB(43, 9, 9)));
    EXPECT_EQ(posted[0].lParam, 1);

    // The white column, with the right button.
    m_palette.Forget();
    AdvanceClock(1000);
    InjectClick(ToScreen({97, 10}), EMouseButton::Right);
    PumpMessages();
    posted = Posted();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].wParam, static_cast<WPARAM>(kWhite));
    EXPECT_EQ(posted[0].lParam, 0);
}

TEST_F(RainbowPickerTest, EachClickOfADoubleClickPosts)
{
    CreatePicker();
    const CPoint pt = ToScreen({47, 0});
    InjectClick(pt);
    InjectClick(pt);
    PumpMessages();
    AdvanceClock(1000);
    InjectClick(pt, EMouseButton::Right);
    InjectClick(pt, EMouseButton::Right);
    PumpMessages();
    const auto posted = Posted();
    ASSERT_EQ(posted.size(), 4u);
    const LPARAM expectedSides[] = {1, 1, 0, 0};
    for (size_t i = 0; i < posted.size(); ++i)
    {
        EXPECT_EQ(posted[i].wParam, static_cast<WPARAM>(RGB(244, 0, 0)));
        EXPECT_EQ(posted[i].lParam, expectedSides[i]) << "click " << i;
    }
}

TEST_F(RainbowPickerTest, DraggingPostsAtEveryStepForTheButtonHeldAndTheLeftWinsWhenBothAre)
{
    CreatePicker();
    InjectDrag(ToScreen({10, 0}), ToScreen({47, 10}), 3);
    PumpMessages();
    auto posted = Posted();
    ASSERT_EQ(posted.size(), 4u) << "the press and three moves";
    for (const auto& m : posted)
        EXPECT_EQ(m.lParam, 1);
    EXPECT_EQ(posted.front().wParam, static_cast<WPARAM>(RGB(43, 9, 9)));
    EXPECT_EQ(posted.back().wParam, static_cast<WPARAM>(RGB(195, 244, 0)));

    m_palette.Forget();
    InjectDrag(ToScreen({47, 10}), ToScreen({97, 20}), 2, EMouseButton::Right);
    PumpMessages();
    posted = Posted();
    ASSERT_EQ(posted.size(), 3u);
    for (const auto& m : posted)
        EXPECT_EQ(m.lParam, 0);
    EXPECT_EQ(posted.back().wParam, static_cast<WPARAM>(kWhite));

    // With both buttons held the foreground wins.
    m_palette.Forget();
    InjectMouseButton(EMouseButton::Right, true, ToScreen({10, 0}));
    InjectMouseButton(EMouseButton::Left, true, ToScreen({10, 0}));
    InjectMouseMove(ToScreen({47, 0}));
    PumpMessages();
    posted = Posted();
    ASSERT_EQ(posted.size(), 3u);
    EXPECT_EQ(posted[0].lParam, 0) << "the right press";
    EXPECT_EQ(posted[1].lParam, 1) << "the left press";
    EXPECT_EQ(posted[2].wParam, static_cast<WPARAM>(RGB(244, 0, 0)));
    EXPECT_EQ(posted[2].lParam, 1) << "the move with both held";
    InjectMouseButton(EMouseButton::Left, false, ToScreen({47, 0}));
    InjectMouseButton(EMouseButton::Right, false, ToScreen({47, 0}));
    PumpMessages();
}

TEST_F(RainbowPickerTest, PointingShowsTheColourTooltipUntilThePointerLeaves)
{
    CreatePicker();
    const CFlexibleToolTipContainer* pTip = m_picker.GetToolTip();
    ASSERT_NE(pTip, nullptr);
    EXPECT_FALSE(m_picker.IsTrackingMouse());

    InjectMouseMove(ToScreen({47, 10}));
    PumpMessages();
    EXPECT_TRUE(Posted().empty()) << "moving without a button picks nothing";
    EXPECT_TRUE(pTip->IsToolTipVisible());
    EXPECT_TRUE(pTip->IsColorToolTip());
    EXPECT_EQ(pTip->GetToolTipColor(), RGB(195, 244, 0));
    EXPECT_EQ(pTip->GetToolTipText().Find(L"Index"), -1);
    EXPECT_TRUE(m_picker.IsTrackingMouse());

    InjectMouseMove(ToScreen({97, 10}));
    PumpMessages();
    EXPECT_EQ(pTip->GetToolTipColor(), kWhite);

    // Onto the pane beside the picker.
    InjectMouseMove({300, 250});
    PumpMessages();
    EXPECT_FALSE(m_picker.IsTrackingMouse());
    EXPECT_FALSE(pTip->IsToolTipVisible());

    // Coming back asks to be told of leaving again.
    InjectMouseMove(ToScreen({10, 0}));
    PumpMessages();
    EXPECT_TRUE(m_picker.IsTrackingMouse());
    EXPECT_TRUE(pTip->IsToolTipVisible());
}

TEST_F(RainbowPickerTest, OverAPaletteGridTheTooltipNamesThePaletteEntryOfTheCell)
{
    m_pApp->m_eDocument = EFakeDocument::Paletted;
    ASSERT_TRUE(m_pApp->m_palette.CreateVGA16());
    CreatePicker();
    const CFlexibleToolTipContainer* pTip = m_picker.GetToolTip();
    ASSERT_NE(pTip, nullptr);

    // Cell 3 (second row, right) is olive.
    InjectMouseMove(ToScreen({60, 10}));
    PumpMessages();
    EXPECT_EQ(pTip->GetToolTipColor(), RGB(128, 128, 0));
    EXPECT_NE(pTip->GetToolTipText().Find(L"Index: 3"), -1) << pTip->GetToolTipText().GetString();
    EXPECT_EQ(m_pApp->m_nPaletteQueries, 2) << "the palette is asked for again";

    // The palette changed in the host: the entry is its new colour.
    m_pApp->m_palette.SetEntry(3, RGB(1, 2, 3));
    InjectMouseMove(ToScreen({61, 10}));
    PumpMessages();
    EXPECT_EQ(pTip->GetToolTipColor(), RGB(1, 2, 3));

    // Dragging picks the same entry.
    InjectMouseButton(EMouseButton::Left, true, ToScreen({61, 10}));
    InjectMouseMove(ToScreen({62, 10}));
    InjectMouseButton(EMouseButton::Left, false, ToScreen({62, 10}));
    PumpMessages();
    const auto posted = Posted();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].wParam, static_cast<WPARAM>(RGB(128, 128, 0))) << "a press reads the image";
    EXPECT_EQ(posted[1].wParam, static_cast<WPARAM>(RGB(1, 2, 3)));

    // Past the image (client x 98) no cell holds the point: the image is
    // read, which gives black there, without an index.
    InjectMouseMove(ToScreen({98, 10}));
    PumpMessages();
    EXPECT_EQ(pTip->GetToolTipColor(), kBlack);
    EXPECT_EQ(pTip->GetToolTipText().Find(L"Index"), -1);
}

TEST_F(RainbowPickerTest, AnIndexPastTheEndOfTheCurrentPaletteIsLimitedToItsLastEntry)
{
    m_pApp->m_eDocument = EFakeDocument::Paletted;
    const COLORREF colors[] = {RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0), RGB(40, 0, 0), RGB(50, 0, 0)};
    ASSERT_TRUE(m_pApp->m_palette.Create(colors, 5));
    CreatePicker();
    const CFlexibleToolTipContainer* pTip = m_picker.GetToolTip();
    ASSERT_NE(pTip, nullptr);
    // Cell 9 (fifth row, right) is shown black; pointing at it names entry 4.
    InjectMouseMove(ToScreen({60, 30}));
    PumpMessages();
    EXPECT_EQ(m_picker.GetColorAtPoint({60, 30}), kBlack);
    EXPECT_EQ(pTip->GetToolTipColor(), RGB(50, 0, 0));
    EXPECT_NE(pTip->GetToolTipText().Find(L"Index: 4"), -1);

    // Without a palette from the host the image is read.
    m_pApp->m_bPaletteFails = true;
    InjectMouseMove(ToScreen({0, 20}));
    PumpMessages();
    EXPECT_EQ(pTip->GetToolTipColor(), RGB(50, 0, 0)) << "cell 4's pixel";
    EXPECT_EQ(pTip->GetToolTipText().Find(L"Index"), -1);
}

TEST_F(RainbowPickerTest, OverTheClientTheDropperCursorIsShown)
{
    const std::wstring strPath = Utf8ToWide(RESOURCE_MODULE_FOLDER) + L"\\VornMaterialPaletteRC.DLL";
    HMODULE hModule = LoadLibraryW(strPath.c_str());
    ASSERT_NE(hModule, nullptr);
    {
        CDynLinkLibrary link(hModule, hModule);
        ASSERT_FALSE(CMirnMaterialPalette::InstanceExists());
        const HCURSOR hDropper = LoadCursorW(hModule, MAKEINTRESOURCEW(15901));
        ASSERT_NE(hDropper, nullptr);
        const HCURSOR hArrow = LoadCursorW(nullptr, IDC_ARROW);
        ASSERT_NE(hDropper, hArrow);

        CreatePicker(false);
        InjectMouseMove(ToScreen({20, 20}));
        PumpMessages();
        EXPECT_EQ(GetCursor(), hArrow) << "no dropper without an application context";

        m_picker.SetAppContext(m_pApp);
        InjectMouseMove(ToScreen({21, 20}));
        PumpMessages();
        EXPECT_EQ(GetCursor(), hDropper);

        // Over the border (not the client) the default cursor.
        ::SendMessageW(m_picker.GetSafeHwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(m_picker.GetSafeHwnd()),
                       MAKELPARAM(HTBORDER, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), hArrow);
        m_picker.DestroyWindow();
    }
    FreeLibrary(hModule);
}

// ---------------------------------------------------------------------------
// Missing partners and a window that is gone

TEST_F(RainbowPickerTest, WithoutALivePaletteWindowNothingIsSent)
{
    CreatePicker();
    m_picker.SetPaletteWnd(nullptr);
    InjectClick(ToScreen({10, 0}));
    PumpMessages();
    EXPECT_TRUE(Posted().empty());

    m_picker.SetPaletteWnd(&m_palette);
    m_palette.DestroyWindow();
    AdvanceClock(1000);
    InjectClick(ToScreen({10, 0}));
    PumpMessages();
    EXPECT_TRUE(Posted().empty());
}

TEST_F(RainbowPickerTest, CallsBeforeCreateAndAfterTheParentIsGoneDoNothing)
{
    CRainbowPickerWnd early;
    early.BuildPickerDIB();
    EXPECT_FALSE(early.GetPickerDIB().IsAttached());
    EXPECT_EQ(early.GetColorAtPoint({0, 0}), kBlack);
    EXPECT_EQ(early.GetToolTip(), nullptr);
    EXPECT_FALSE(early.Create(nullptr, 1, CRect(0, 0, 50, 50)));

    CreatePicker();
    ASSERT_TRUE(m_picker.GetPickerDIB().IsAttached());
    const HWND hPicker = m_picker.GetSafeHwnd();
    HostLog().clear();
    ::DestroyWindow(m_hPane);
    EXPECT_EQ(m_picker.GetSafeHwnd(), nullptr);
    // The application context's reference and the image went with the window.
    EXPECT_EQ(std::count(HostLog().begin(), HostLog().end(), L"app released"), 1);
    EXPECT_EQ(m_picker.GetAppContext(), nullptr);
    EXPECT_FALSE(m_picker.GetPickerDIB().IsAttached());
    EXPECT_EQ(m_picker.GetToolTip(), nullptr);

    m_picker.BuildPickerDIB();
    EXPECT_FALSE(m_picker.GetPickerDIB().IsAttached());
    EXPECT_EQ(m_picker.GetColorAtPoint({10, 0}), kBlack);
    ::SendMessageW(hPicker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 0));
    ::PostMessageW(hPicker, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 0));
    PumpMessages();
    EXPECT_TRUE(Posted().empty());
}
} // namespace
