// The hue/saturation/lightness map picker: its layout, the three kinds of
// map it paints, and what it sends to the palette for each press and drag.
//
// Most cases use a 104 × 87 picker: the map is (2, 2, 102, 56), 100 × 54,
// so a map column x has saturation x × 255 / 99 and a row y lightness
// y × 255 / 53; the hue bar is (2, 67, 102, 80), the grey strip
// (0, 79, 104, 87) and the upper area (0, 0, 103, 78).
#include "DrawingTestSupport.h"
#include "FakeHostServices.h"
#include "HSBMapPickerWnd.h"
#include "Input.h"
#include "MPalette.h"
#include "Modules.h"
#include "PaneMessages.h"
#include "Utf8.h"
#include "WindowTestSupport.h"
#include "XUIVisualManager.h"

#include <functional>
#include <memory>
#include <vector>

namespace
{

// A palette window that records the colour messages it gets, and whether
// the picker was in the middle of sending each one.
class CFakePaletteWnd : public CWnd
{
public:
    struct SReceived
    {
        COLORREF clrColor;
        LPARAM lParam;
        bool bWhileSending;
    };

    BOOL CreatePalette()
    {
        return CreateEx(0, AfxRegisterWndClass(0), L"palette", WS_POPUP, CRect(700, 0, 800, 100), nullptr, 0);
    }
    LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override
    {
        if (nMessage == WM_RAINBOW_CLICK)
        {
            m_received.push_back(
                {static_cast<COLORREF>(wParam), lParam, m_pPicker != nullptr && m_pPicker->IsSending()});
            if (m_onColor)
                m_onColor(static_cast<COLORREF>(wParam));
            return 0;
        }
        return CWnd::WindowProc(nMessage, wParam, lParam);
    }

    CHSBMapPickerWnd* m_pPicker = nullptr;
    std::vector<SReceived> m_received;
    std::function<void(COLORREF)> m_onColor;
};

// An application context with a palette of its own for the active image.
class CPaletteAppContext : public CFakeAppContextBase
{
public:
    void GetDocumentPalette(CErrorAutoThrow&, CMPalette& palette) override { palette = m_palette; }
    CMPalette m_palette;
};

class HSBMapPickerWndTest : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        CXUIVisualManager::GetInstance().Reset();
        const std::wstring strPath = Utf8ToWide(RESOURCE_MODULE_FOLDER) + L"\\VornMaterialPaletteRC.DLL";
        m_hModule = LoadLibraryW(strPath.c_str());
        ASSERT_NE(m_hModule, nullptr);
        m_pLink = std::make_unique<CDynLinkLibrary>(m_hModule, m_hModule);
        // A popup has no frame: its client origin is its screen position.
        m_hParent = CreateTopLevel({100, 100, 500, 500});
        ASSERT_TRUE(m_palette.CreatePalette());
        m_pPicker = std::make_unique<CHSBMapPickerWnd>();
        m_palette.m_pPicker = m_pPicker.get();
    }
    void TearDown() override
    {
        m_pPicker.reset();
        m_palette.DestroyWindow();
        DestroyWindow(m_hParent);
        m_pLink.reset();
        FreeLibrary(m_hModule);
        CXUIVisualManager::GetInstance().Reset();
        CWindowTest::TearDown();
    }

    void CreatePicker(int cx, int cy)
    {
        ASSERT_TRUE(m_pPicker->Create(CWnd::FromHandle(m_hParent), 110, CRect(10, 20, 10 + cx, 20 + cy)));
        m_pPicker->SetPaletteWnd(&m_palette);
        PumpMessages();
    }
    // A client point of the picker on the screen.
    POINT OnScreen(int x, int y) const { return POINT{100 + 10 + x, 100 + 20 + y}; }
    void Press(int x, int y, EMouseButton eButton = EMouseButton::Left)
    {
        InjectMouseButton(eButton, true, OnScreen(x, y));
        PumpMessages();
    }
    void Release(int x, int y, EMouseButton eButton = EMouseButton::Left)
    {
        InjectMouseButton(eButton, false, OnScreen(x, y));
        PumpMessages();
    }
    void Move(int x, int y)
    {
        InjectMouseMove(OnScreen(x, y));
        PumpMessages();
    }
    void Click(int x, int y, EMouseButton eButton = EMouseButton::Left)
    {
        Press(x, y, eButton);
        Release(x, y, eButton);
    }

    SImage Print() const
    {
        CRect rc;
        m_pPicker->GetClientRect(&rc);
        CTestCanvas canvas(rc.Width(), rc.Height(), RGB(1, 2, 3));
        m_pPicker->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
        return canvas.Snapshot();
    }
    static COLORREF Theme(int nColorId) { return CXUIVisualManager::GetInstance().GetThemeColor(nColorId); }
    COLORREF MapImagePixel(int x, int y) const
    {
        const CRowIterator& image = m_pPicker->GetMapImage();
        const BYTE* pRow = image.GetRow(y);
        const COLORREF clr = RGB(pRow[3 * x + 2], pRow[3 * x + 1], pRow[3 * x]);
        image.ReleaseRow(y);
        return clr;
    }
    std::vector<COLORREF> ReceivedColors() const
    {
        std::vector<COLORREF> out;
        for (const auto& received : m_palette.m_received)
            out.push_back(received.clrColor);
        return out;
    }

    HMODULE m_hModule = nullptr;
    std::unique_ptr<CDynLinkLibrary> m_pLink;
    HWND m_hParent = nullptr;
    CFakePaletteWnd m_palette;
    std::unique_ptr<CHSBMapPickerWnd> m_pPicker;
};

} // namespace

TEST_F(HSBMapPickerWndTest, LayoutFollowsTheClientSizeAndTheGreyBlocksShareTheStrip)
{
    CreatePicker(104, 87);
    EXPECT_EQ(m_pPicker->GetMapRect(), CRect(2, 2, 102, 56));
    EXPECT_EQ(m_pPicker->GetHueBarRect(), CRect(2, 67, 102, 80));
    EXPECT_EQ(m_pPicker->GetGreyStripRect(), CRect(0, 79, 104, 87));
    EXPECT_EQ(m_pPicker->GetUpperAreaRect(), CRect(0, 0, 103, 78));
    // The starting colour S 100, L 50: x = 2 + (99 × 100 + 128) / 255 = 41,
    // y = 2 + (53 × 50 + 128) / 255 = 12.
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(41, 12));

    // 140 pixels: five blocks of 28.
    m_pPicker->MoveWindow(10, 20, 140, 87);
    PumpMessages();
    EXPECT_EQ(m_pPicker->GetGreyStripRect(), CRect(0, 79, 140, 87));
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_EQ(m_pPicker->GetGreyBlockWidth(i), 28) << i;
        EXPECT_EQ(m_pPicker->GetGreyBlockRight(i), 28 * (i + 1)) << i;
    }
    // 142 pixels: 142 / 5 = 28 rest 2: four blocks of 29 and a fifth of 27.
    m_pPicker->MoveWindow(10, 20, 142, 87);
    PumpMessages();
    const int anWidths[5] = {29, 29, 29, 29, 27};
    const int anRights[5] = {29, 58, 87, 116, 143};
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_EQ(m_pPicker->GetGreyBlockWidth(i), anWidths[i]) << i;
        EXPECT_EQ(m_pPicker->GetGreyBlockRight(i), anRights[i]) << i;
    }
    // The map (138 × 54) was rebuilt and the marker placed anew:
    // 2 + (137 × 100 + 128) / 255 = 56.
    EXPECT_TRUE(m_pPicker->IsMapBuilt());
    EXPECT_EQ(m_pPicker->GetMapImage().Width(), 138);
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(56, 12));
}

TEST_F(HSBMapPickerWndTest, TheNormalMapRunsSaturationAcrossAndLightnessDown)
{
    CreatePicker(104, 87);
    const SImage image = Print();
    // Corners of the map at hue 0: lightness 0 on the top row is black,
    // 255 on the bottom row white.
    EXPECT_EQ(ColourOf(image.At(2, 2)), RGB(0, 0, 0));
    EXPECT_EQ(ColourOf(image.At(101, 2)), RGB(0, 0, 0));
    EXPECT_EQ(ColourOf(image.At(2, 55)), RGB(255, 255, 255));
    EXPECT_EQ(ColourOf(image.At(101, 55)), RGB(255, 255, 255));
    // The left column has no saturation: row 27 is lightness
    // 27 × 255 / 53 = 129, a grey. The right column is fully saturated:
    // chroma 252, 129 − 126 = 3 up to 255.
    EXPECT_EQ(ColourOf(image.At(2, 29)), RGB(129, 129, 129));
    EXPECT_EQ(ColourOf(image.At(101, 29)), RGB(255, 3, 3));
    EXPECT_EQ(MapImagePixel(99, 27), RGB(255, 3, 3));
    // The frame around the map and the hue bar, the background elsewhere.
    EXPECT_EQ(ColourOf(image.At(1, 1)), Theme(XUI_COLOR_PICKER_MAP_FRAME));
    EXPECT_EQ(ColourOf(image.At(102, 56)), Theme(XUI_COLOR_PICKER_MAP_FRAME));
    EXPECT_EQ(ColourOf(image.At(1, 66)), Theme(XUI_COLOR_PICKER_MAP_FRAME));
    EXPECT_EQ(ColourOf(image.At(0, 0)), Theme(XUI_COLOR_PANE_BACKGROUND));
    EXPECT_EQ(ColourOf(image.At(50, 60)), Theme(XUI_COLOR_PANE_BACKGROUND));
    EXPECT_EQ(ColourOf(image.At(50, 84)), Theme(XUI_COLOR_PANE_BACKGROUND)) << "no grey strip";
    // The hue bar: column 50 shows hue round(0.505 × 255) = 129, 182
    // degrees: green 1 + 254 × (1 − 0.035) = 246.
    EXPECT_EQ(ColourOf(image.At(52, 73)), RGB(1, 246, 255));

    // The marker is combined by exclusive-or with what lies under it, its
    // hot spot (3, 3) on the marker point (41, 12).
    SImage marker;
    HBITMAP hMarker = LoadBitmapW(m_hModule, MAKEINTRESOURCEW(15934));
    ASSERT_TRUE(CopyBitmapToImage(hMarker, marker));
    DeleteObject(hMarker);
    const COLORREF clrUnder = MapImagePixel(39, 10); // client (41, 12)
    const COLORREF clrMarker = ColourOf(marker.At(3, 3));
    EXPECT_EQ(ColourOf(image.At(41, 12)), clrUnder ^ clrMarker);
}

TEST_F(HSBMapPickerWndTest, AClickAwayFromTheMarkerJumpsAndANearOneKeepsTheOffset)
{
    CreatePicker(104, 87);
    // (70, 30): S = MulDiv(68, 255, 99) = 175, L = MulDiv(28, 255, 53) =
    // 135; chroma 240 × 175 / 255 = 164.7 around 135: 53 up to 217.
    Click(70, 30);
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(70, 30));
    EXPECT_EQ(m_pPicker->GetSaturation(), 175);
    EXPECT_EQ(m_pPicker->GetLightness(), 135);
    ASSERT_EQ(m_palette.m_received.size(), 1u) << "the release at the marker sends nothing more";
    EXPECT_EQ(m_palette.m_received[0].clrColor, RGB(217, 53, 53));
    EXPECT_EQ(m_palette.m_received[0].lParam, 1);
    EXPECT_TRUE(m_palette.m_received[0].bWhileSending) << "sent, not posted";
    EXPECT_FALSE(m_pPicker->IsSending());
    EXPECT_EQ(m_pPicker->GetDragState(), CHSBMapPickerWnd::DRAG_NONE);

    // A press 3 pixels right and 2 down grabs the marker where it is.
    Press(73, 32);
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(70, 30));
    EXPECT_EQ(m_pPicker->GetGrabOffset(), CPoint(3, 2));
    EXPECT_EQ(m_palette.m_received.size(), 1u);
    Move(83, 42);
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(80, 40));
    Release(83, 42);
    EXPECT_EQ(m_pPicker->GetGrabOffset(), CPoint(0, 0));
    EXPECT_EQ(m_palette.m_received.size(), 2u);

    // 4 pixels away is not near: the marker jumps to the press.
    Press(76, 40);
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(76, 40));
    Release(76, 40);
    // Nor is 3 pixels up and 4 left.
    Press(72, 37);
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(72, 37));
    Release(72, 37);
}

TEST_F(HSBMapPickerWndTest, DraggingPastTheEdgesStaysOnTheLastRowAndColumn)
{
    CreatePicker(104, 87);
    Press(50, 30);
    Move(400, 300);
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(101, 55));
    EXPECT_EQ(m_palette.m_received.back().clrColor, RGB(255, 255, 255));
    const size_t nSent = m_palette.m_received.size();
    Move(500, 200);
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(101, 55));
    EXPECT_EQ(m_palette.m_received.size(), nSent) << "the marker did not move: nothing sent";
    Move(-60, -60);
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(2, 2));
    EXPECT_EQ(m_palette.m_received.back().clrColor, RGB(0, 0, 0));
    // Top right: S 255 at lightness 0 is still black; bottom left: white.
    Move(300, -5);
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(101, 2));
    Move(-5, 70);
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(2, 55));
    EXPECT_EQ(m_palette.m_received.back().clrColor, RGB(255, 255, 255));
    Release(-5, 70);
    EXPECT_EQ(m_pPicker->GetDragState(), CHSBMapPickerWnd::DRAG_NONE);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(HSBMapPickerWndTest, TheHueBarsRightEndGives255AndNeverMore)
{
    // A 256-pixel bar: 255 / 256 × 256 = 255 at its last column.
    CreatePicker(260, 87);
    ASSERT_EQ(m_pPicker->GetHueBarRect(), CRect(2, 67, 258, 80));
    Press(100, 70);
    // (100 − 2) / 256 × 256 = 98.
    EXPECT_EQ(m_pPicker->GetHue(), 98);
    EXPECT_EQ(m_pPicker->GetDragState(), CHSBMapPickerWnd::DRAG_HUE_BAR);
    Move(600, 70);
    EXPECT_EQ(m_pPicker->GetHue(), 255);
    // Hue 255 is red again; at S 100, L 50 the chroma is 39.2 around 50:
    // 30 up to 70.
    EXPECT_EQ(m_palette.m_received.back().clrColor, RGB(70, 30, 30));
    // Releasing sends the last point once more.
    const size_t nSent = m_palette.m_received.size();
    Release(600, 70);
    EXPECT_EQ(m_palette.m_received.size(), nSent + 1);
    EXPECT_EQ(m_pPicker->GetHue(), 255);
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(2 + (255 * 100 + 128) / 255, 12)) << "the marker stays";

    // A 296-pixel bar: 295 / 296 × 256 = 255.1, still 255; and its left end 0.
    m_pPicker->MoveWindow(10, 20, 300, 87);
    PumpMessages();
    Press(297, 70);
    EXPECT_EQ(m_pPicker->GetHue(), 255);
    Move(-40, 70);
    EXPECT_EQ(m_pPicker->GetHue(), 0);
    Release(-40, 70);
}

TEST_F(HSBMapPickerWndTest, TheRightButtonStartsAHueDragAnywhereAboveTheStripOutsideTheMap)
{
    CreatePicker(104, 87);
    // Between the map and the hue bar: the left button does nothing there.
    Click(50, 60);
    EXPECT_TRUE(m_palette.m_received.empty());
    EXPECT_EQ(m_pPicker->GetHue(), 0);
    // The right button sets the hue: 48 / 100 × 256 = 122.88, with lParam 0.
    Press(50, 60, EMouseButton::Right);
    EXPECT_EQ(m_pPicker->GetDragState(), CHSBMapPickerWnd::DRAG_HUE_BAR);
    EXPECT_EQ(m_pPicker->GetHue(), 122);
    ASSERT_EQ(m_palette.m_received.size(), 1u);
    EXPECT_EQ(m_palette.m_received[0].lParam, 0);
    Release(50, 60, EMouseButton::Right);
    // Inside the map the right button picks from the map as the left does.
    Press(70, 30, EMouseButton::Right);
    EXPECT_EQ(m_pPicker->GetDragState(), CHSBMapPickerWnd::DRAG_MAP);
    EXPECT_EQ(m_palette.m_received.back().lParam, 0);
    Release(70, 30, EMouseButton::Right);
    // Below the hue bar neither button starts anything outside greyscale mode.
    const size_t nSent = m_palette.m_received.size();
    Click(50, 84, EMouseButton::Right);
    Click(50, 84);
    EXPECT_EQ(m_palette.m_received.size(), nSent);
}

TEST_F(HSBMapPickerWndTest, BothButtonsHeldKeepTheFirstButtonsSide)
{
    CreatePicker(104, 87);
    Press(70, 30);
    Press(70, 30, EMouseButton::Right); // during the drag: ignored
    Move(60, 20);
    ASSERT_FALSE(m_palette.m_received.empty());
    for (const auto& received : m_palette.m_received)
        EXPECT_EQ(received.lParam, 1);
    EXPECT_EQ(m_pPicker->GetDragState(), CHSBMapPickerWnd::DRAG_MAP);
    // Either button's release ends the drag.
    Release(60, 20, EMouseButton::Right);
    EXPECT_EQ(m_pPicker->GetDragState(), CHSBMapPickerWnd::DRAG_NONE);
    Release(60, 20);
}

TEST_F(HSBMapPickerWndTest, ThePalettesEchoDoesNotMoveTheMarker)
{
    CreatePicker(104, 87);
    // The palette hands back the colour as the host rounded it, while the
    // picker's message is still being delivered.
    m_palette.m_onColor = [this](COLORREF) { m_pPicker->SetPickerColor(216, 54, 53); };
    Click(70, 30);
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(70, 30));
    EXPECT_EQ(m_pPicker->GetColor(), RGB(217, 53, 53));
    EXPECT_EQ(m_pPicker->GetSaturation(), 175);
    EXPECT_FALSE(m_pPicker->IsSending());

    // Any other call moves it: grey 128 has S 0 and L 128, so
    // x = 2 + 128 / 255 = 2 and y = 2 + (53 × 128 + 128) / 255 = 29.
    m_palette.m_onColor = nullptr;
    m_pPicker->SetPickerColor(128, 128, 128);
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(2, 29));
    EXPECT_EQ(m_pPicker->GetColor(), RGB(128, 128, 128));
    EXPECT_TRUE(m_pPicker->IsMapBuilt());
    // (255, 1, 1) is H 0, S 255, L 128: x = 2 + (99 × 255 + 128) / 255 = 101.
    m_pPicker->SetPickerColor(255, 1, 1);
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(101, 29));
    EXPECT_EQ(m_pPicker->GetSaturation(), 255);
    EXPECT_EQ(m_pPicker->GetLightness(), 128);
}

TEST_F(HSBMapPickerWndTest, GreyscaleModeShowsTheGreyGridAndTheStripPostsGreys)
{
    CreatePicker(104, 87);
    m_pPicker->SetGreyscaleMode(true);
    // Cells of 100 / 13 = 7 by 54 / 20 = 2 pixels. Grey 200 is row 15,
    // column 5: the marker at (5 × 7 + 3, 15 × 2 + 1).
    m_pPicker->SetPickerColor(200, 200, 200);
    EXPECT_EQ(m_pPicker->GetMarker(), CPoint(38, 31));
    // Map corners: level 0; column 14 limited to 12; row 26 limited to 19
    // (247); and 247 + 12 limited to 255.
    EXPECT_EQ(MapImagePixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(MapImagePixel(99, 0), RGB(12, 12, 12));
    EXPECT_EQ(MapImagePixel(0, 53), RGB(247, 247, 247));
    EXPECT_EQ(MapImagePixel(99, 53), RGB(255, 255, 255));
    EXPECT_EQ(MapImagePixel(7, 2), RGB(14, 14, 14));

    // Instead of the hue bar, the strip: 104 = 5 × 20 + 4, so four blocks
    // of 21 and a fifth of 21 − 4 = 17, ending at 101.
    const SImage image = Print();
    EXPECT_EQ(ColourOf(image.At(0, 80)), RGB(0, 0, 0));
    EXPECT_EQ(ColourOf(image.At(21, 86)), RGB(64, 64, 64));
    EXPECT_EQ(ColourOf(image.At(62, 80)), RGB(128, 128, 128));
    EXPECT_EQ(ColourOf(image.At(63, 80)), RGB(192, 192, 192));
    EXPECT_EQ(ColourOf(image.At(84, 80)), RGB(255, 255, 255));
    EXPECT_EQ(ColourOf(image.At(100, 86)), RGB(255, 255, 255));
    EXPECT_EQ(ColourOf(image.At(101, 80)), Theme(XUI_COLOR_PANE_BACKGROUND));
    EXPECT_EQ(ColourOf(image.At(52, 73)), Theme(XUI_COLOR_PANE_BACKGROUND)) << "no hue bar";

    // The strip posts (not sends) its grey with the button's side.
    Click(70, 83, EMouseButton::Right);
    ASSERT_EQ(m_palette.m_received.size(), 1u);
    EXPECT_EQ(m_palette.m_received[0].clrColor, RGB(192, 192, 192));
    EXPECT_EQ(m_palette.m_received[0].lParam, 0);
    EXPECT_FALSE(m_palette.m_received[0].bWhileSending);
    EXPECT_EQ(m_pPicker->GetColor(), RGB(192, 192, 192));
    // Dragging along the strip past its ends stays on the end blocks (the
    // columns after the fifth block pick white too).
    Press(5, 83);
    Move(300, 83);
    Move(-30, 83);
    Release(-30, 83);
    EXPECT_EQ(ReceivedColors(),
              (std::vector<COLORREF>{RGB(192, 192, 192), RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0)}));

    // A map click picks the cell under the marker: (40, 20) is column 5,
    // row 10: 135.
    m_palette.m_received.clear();
    Click(40, 20);
    ASSERT_EQ(m_palette.m_received.size(), 1u);
    EXPECT_EQ(m_palette.m_received[0].clrColor, RGB(135, 135, 135));
    EXPECT_TRUE(m_palette.m_received[0].bWhileSending);
    // The hue bar is not there to drag.
    Click(52, 73);
    EXPECT_EQ(m_palette.m_received.size(), 1u);
}

TEST_F(HSBMapPickerWndTest, AnImageWithAPaletteShowsItsEntriesAndNoHueBar)
{
    auto* pApp = new CPaletteAppContext;
    pApp->m_bDocumentPalette = true;
    const COLORREF aColors[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    ASSERT_TRUE(pApp->m_palette.Create(aColors, 3));
    CreatePicker(104, 87);
    m_pPicker->SetAppContext(pApp);
    EXPECT_EQ(pApp->GetRefCount(), 2u);
    const SImage image = Print();
    EXPECT_TRUE(m_pPicker->IsPaletteMode());
    // Three entries: 2 columns of 50 by 8 rows of 6.75; index 3 and up are
    // black.
    EXPECT_EQ(MapImagePixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(MapImagePixel(99, 0), RGB(0, 255, 0));
    EXPECT_EQ(MapImagePixel(0, 6), RGB(255, 0, 0));
    EXPECT_EQ(MapImagePixel(0, 7), RGB(0, 0, 255));
    EXPECT_EQ(MapImagePixel(50, 7), RGB(0, 0, 0));
    EXPECT_EQ(MapImagePixel(99, 53), RGB(0, 0, 0));
    EXPECT_EQ(ColourOf(image.At(52, 73)), Theme(XUI_COLOR_PANE_BACKGROUND)) << "no hue bar";

    // Picking reads the entry under the marker.
    Click(60, 4);
    ASSERT_EQ(m_palette.m_received.size(), 1u);
    EXPECT_EQ(m_palette.m_received[0].clrColor, RGB(0, 255, 0));
    Click(10, 12);
    EXPECT_EQ(m_palette.m_received.back().clrColor, RGB(0, 0, 255));
    // Neither button starts a hue drag.
    const size_t nSent = m_palette.m_received.size();
    Click(52, 73);
    Click(50, 60, EMouseButton::Right);
    EXPECT_EQ(m_palette.m_received.size(), nSent);

    // The window lets the context go when it is destroyed.
    m_pPicker->DestroyWindow();
    EXPECT_EQ(pApp->GetRefCount(), 1u);
    pApp->Release();
}

TEST_F(HSBMapPickerWndTest, TheDropperCursorShowsOverTheMapOnly)
{
    CreatePicker(104, 87);
    HCURSOR hDropper = LoadCursorW(m_hModule, MAKEINTRESOURCEW(15901));
    ASSERT_NE(hDropper, nullptr);
    Move(50, 30);
    EXPECT_EQ(GetCursor(), hDropper);
    Move(50, 73);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
    Move(50, 83);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
    m_pPicker->SetGreyscaleMode(true);
    Move(51, 83);
    EXPECT_EQ(GetCursor(), hDropper) << "the grey strip picks in greyscale mode";
}

TEST_F(HSBMapPickerWndTest, ATinyPickerAndADeadOneIgnoreWhatTheyCannotDo)
{
    // Calls before the window exists are kept for later.
    m_pPicker->SetPickerColor(255, 1, 1);
    m_pPicker->SetGreyscaleMode(false);
    EXPECT_EQ(m_pPicker->GetSaturation(), 255);

    // 20 × 30: the map is (2, 2, 18, -1), nothing to divide.
    CreatePicker(20, 30);
    EXPECT_FALSE(m_pPicker->IsMapBuilt());
    const SImage image = Print();
    EXPECT_EQ(ColourOf(image.At(10, 0)), Theme(XUI_COLOR_PANE_BACKGROUND));
    Click(10, 1);
    m_pPicker->SetPickerColor(10, 20, 30);
    m_pPicker->SetGreyscaleMode(true);
    Click(10, 1);
    EXPECT_TRUE(m_palette.m_received.empty());

    // A picker whose parent has gone takes calls without doing anything.
    DestroyWindow(m_hParent);
    m_hParent = nullptr;
    EXPECT_EQ(m_pPicker->GetSafeHwnd(), nullptr);
    m_pPicker->SetPickerColor(1, 2, 3);
    m_pPicker->SetGreyscaleMode(false);
    m_pPicker->SetAppContext(nullptr);
    EXPECT_EQ(m_pPicker->GetColor(), RGB(1, 2, 3));
}
