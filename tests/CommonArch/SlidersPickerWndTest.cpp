// The sliders picker: its layout and identifiers, showing each model,
// slider moves and typed numbers with their corrections, the messages it
// exchanges with the palette (the CMYK numbers kept there included), its
// painting and control colours, and the keys it swallows.
#include "ColorConversions.h"
#include "ColorSlider.h"
#include "DrawingTestSupport.h"
#include "Input.h"
#include "MirnMaterialPalette.h"
#include "PaneMessages.h"
#include "SlidersPickerWnd.h"
#include "WindowTestSupport.h"
#include "XUIVisualManager.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace
{
// The palette as the picker sees it: it records the colours and CMYK
// blocks it is sent and answers the request for saved CMYK values with the
// last block saved, unless that block said to forget them. It may hand each
// colour straight back to the picker, as the pane does through the host.
class CFakePaletteWnd : public CWnd
{
public:
    std::vector<std::pair<WPARAM, COLORREF>> m_colors;
    std::vector<std::array<int, 4>> m_saves;
    std::array<int, 4> m_aSaved{-1, 0, 0, 0};
    bool m_bHasSaved = false;
    int m_nRequests = 0;
    CSlidersPickerWnd* m_pEchoTo = nullptr;

protected:
    afx_msg LRESULT OnColorChange(WPARAM wParam, LPARAM lParam)
    {
        const auto clr = static_cast<COLORREF>(lParam);
        m_colors.emplace_back(wParam, clr);
        if (m_pEchoTo != nullptr)
            m_pEchoTo->SetPickerColor(GetRValue(clr), GetGValue(clr), GetBValue(clr));
        return 0;
    }
    afx_msg LRESULT OnSaveCMYK(WPARAM wParam, LPARAM lParam)
    {
        EXPECT_EQ(wParam, static_cast<WPARAM>(106));
        const int* pValues = reinterpret_cast<const int*>(lParam);
        std::array<int, 4> block{pValues[0], pValues[1], pValues[2], pValues[3]};
        m_saves.push_back(block);
        m_bHasSaved = block[0] != -1;
        if (m_bHasSaved)
            m_aSaved = block;
        return 1;
    }
    afx_msg LRESULT OnGetCMYK(WPARAM, LPARAM)
    {
        ++m_nRequests;
        return m_bHasSaved ? reinterpret_cast<LRESULT>(m_aSaved.data()) : 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFakePaletteWnd, CWnd)
ON_MESSAGE(WM_COLOR_CHANGE, OnColorChange)
ON_MESSAGE(WM_SAVE_CMYK_MODE_COLOR, OnSaveCMYK)
ON_MESSAGE(WM_GET_CMYK_MODE_COLOR, OnGetCMYK)
END_MESSAGE_MAP()

class SlidersPickerTest : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        CXUIVisualManager::GetInstance().Reset();
        m_hParent = CreateTopLevel(RECT{100, 100, 500, 400});
        ASSERT_NE(m_hParent, nullptr);
        ASSERT_TRUE(m_palette.CreateEx(0, AfxRegisterWndClass(0), L"Palette", WS_POPUP, CRect(0, 0, 10, 10),
                                       nullptr, 0));
        ASSERT_TRUE(m_picker.Create(CWnd::FromHandle(m_hParent), 4711, CRect(10, 20, 210, 170)));
        m_picker.SetPaletteWnd(&m_palette);
        PumpMessages();
    }
    void TearDown() override
    {
        m_picker.DestroyWindow();
        m_palette.DestroyWindow();
        CXUIVisualManager::GetInstance().Reset();
        CWindowTest::TearDown();
    }

    std::wstring EditText(int nValueIndex)
    {
        CString strText;
        m_picker.GetEdit(nValueIndex)->GetWindowText(strText);
        return std::wstring(strText.GetString());
    }
    // Puts text into a row's edit in one change, as pasting does.
    void Paste(int nValueIndex, const wchar_t* pszText)
    {
        CMNumEdit* pEdit = m_picker.GetEdit(nValueIndex);
        SetClipboardText(pszText);
        pEdit->SetFocus();
        pEdit->SetSel(0, -1);
        pEdit->Paste();
        PumpMessages();
    }
    CRect RectInPicker(CWnd* pWnd)
    {
        CRect rc;
        pWnd->GetWindowRect(&rc);
        m_picker.ScreenToClient(&rc);
        return rc;
    }
    bool Shows(CWnd* pWnd) { return (pWnd->GetStyle() & WS_VISIBLE) != 0; }

    HWND m_hParent = nullptr;
    CFakePaletteWnd m_palette;
    CSlidersPickerWnd m_picker;
};
} // namespace

TEST_F(SlidersPickerTest, LaysOutTheListAndTheRowsInScaledUnits)
{
    // At 96 DPI every length is as designed. The client is 200 x 150: the
    // unit column starts at 200 - 12 - 2 = 186, the edits end 2 left of it
    // and are 28 wide, the sliders run from the label's right edge (13) to
    // 2 left of the edit.
    EXPECT_EQ(RectInPicker(&m_picker.GetModelList()), CRect(0, 0, 200, 24));
    EXPECT_EQ(RectInPicker(m_picker.GetEdit(SLIDER_VALUE_GREY)), CRect(156, 32, 184, 52));
    EXPECT_EQ(RectInPicker(m_picker.GetSlider(SLIDER_VALUE_GREY)), CRect(13, 32, 154, 52));
    EXPECT_EQ(m_picker.GetLabelRect(SLIDER_VALUE_GREY), CRect(2, 32, 13, 52));
    // Row 2 of a model is 2 × 28 further down, whatever the model.
    EXPECT_EQ(RectInPicker(m_picker.GetSlider(SLIDER_VALUE_BLUE)), CRect(13, 88, 154, 108));
    EXPECT_EQ(RectInPicker(m_picker.GetEdit(SLIDER_VALUE_LAB_B)), CRect(156, 88, 184, 108));
    EXPECT_EQ(RectInPicker(m_picker.GetDegreeLabel()), CRect(186, 28, 200, 48));
    EXPECT_EQ(RectInPicker(m_picker.GetPercentLabel(3)), CRect(186, 116, 200, 136));

    m_picker.MoveWindow(10, 20, 300, 150);
    PumpMessages();
    EXPECT_EQ(RectInPicker(m_picker.GetEdit(SLIDER_VALUE_CYAN)), CRect(256, 32, 284, 52));
    EXPECT_EQ(RectInPicker(m_picker.GetSlider(SLIDER_VALUE_CYAN)), CRect(13, 32, 254, 52));

    CColorSlider* pSlider = m_picker.GetSlider(SLIDER_VALUE_HUE);
    EXPECT_EQ(pSlider->GetRangeMin(), 0);
    EXPECT_EQ(pSlider->GetRangeMax(), 359);
    EXPECT_EQ(pSlider->GetThumbLength(), 15);
    EXPECT_EQ(pSlider->GetStyle() & TBS_NOTICKS, static_cast<DWORD>(TBS_NOTICKS));
    EXPECT_EQ(pSlider->GetBuddy(FALSE), m_picker.GetEdit(SLIDER_VALUE_HUE));
    EXPECT_EQ(m_picker.GetSlider(SLIDER_VALUE_LAB_A)->GetRangeMin(), -128);
}

TEST_F(SlidersPickerTest, EachModelShowsItsOwnRowsUnderTheirIdentifiers)
{
    EXPECT_EQ(m_picker.GetModel(), 0) << "the list starts at Grayscale";
    EXPECT_EQ(m_picker.GetModelList().GetCount(), 6);
    // Model m, row r: slider 20994 + 32 m + 4 r, label one less; the edits
    // 21248 on in row order. HSL S is model 2 row 1: 20994 + 64 + 4.
    const HWND hPicker = m_picker.GetSafeHwnd();
    EXPECT_EQ(::GetDlgItem(hPicker, 21062), m_picker.GetSlider(SLIDER_VALUE_SATURATION)->GetSafeHwnd());
    EXPECT_NE(::GetDlgItem(hPicker, 21061), nullptr);
    EXPECT_EQ(::GetDlgItem(hPicker, 21253), m_picker.GetEdit(SLIDER_VALUE_SATURATION)->GetSafeHwnd());
    // WEB B is model 5 row 2: 20994 + 160 + 8 = 21162; its edit 21248 + 16.
    EXPECT_EQ(::GetDlgItem(hPicker, 21162), m_picker.GetSlider(SLIDER_VALUE_WEB_BLUE)->GetSafeHwnd());
    EXPECT_EQ(::GetDlgItem(hPicker, 21264), m_picker.GetEdit(SLIDER_VALUE_WEB_BLUE)->GetSafeHwnd());
    EXPECT_EQ(::GetDlgItem(hPicker, 20992), m_picker.GetModelList().GetSafeHwnd());

    const int firstRow[] = {0, 1, 4, 7, 11, 14};
    const int rowCount[] = {1, 3, 3, 4, 3, 3};
    for (int m = 0; m < 6; ++m)
    {
        m_picker.SetModel(m);
        EXPECT_EQ(m_picker.GetModel(), m);
        for (int i = 0; i < 17; ++i)
        {
            const bool bOwn = i >= firstRow[m] && i < firstRow[m] + rowCount[m];
            EXPECT_EQ(Shows(m_picker.GetSlider(i)), bOwn) << "model " << m << " value " << i;
            EXPECT_EQ(Shows(m_picker.GetEdit(i)), bOwn) << "model " << m << " value " << i;
            EXPECT_EQ(m_picker.GetSlider(i)->GetDlgCtrlID() / 32 % 8, GetSliderModelOfValue(i));
        }
        EXPECT_EQ(Shows(m_picker.GetDegreeLabel()), m == 2);
        for (int r = 0; r < 4; ++r)
            EXPECT_EQ(Shows(m_picker.GetPercentLabel(r)), m == 3) << "model " << m << " row " << r;
    }
    m_picker.SetModel(6);
    m_picker.SetModel(-1);
    EXPECT_EQ(m_picker.GetModel(), 5) << "indices outside the models are ignored";
}

TEST_F(SlidersPickerTest, TheListChoosesTheModel)
{
    m_picker.GetModelList().SetFocus();
    InjectKeyPress(VK_DOWN);
    PumpMessages();
    EXPECT_EQ(m_picker.GetModel(), 1);
    EXPECT_TRUE(Shows(m_picker.GetSlider(SLIDER_VALUE_RED)));
    EXPECT_FALSE(Shows(m_picker.GetSlider(SLIDER_VALUE_GREY)));
}

TEST_F(SlidersPickerTest, AColourFromThePaletteIsShownInTheModel)
{
    m_picker.SetModel(SLIDER_MODEL_HSL);
    m_picker.SetPickerColor(128, 128, 128);
    EXPECT_EQ(EditText(SLIDER_VALUE_HUE), L"0");
    EXPECT_EQ(EditText(SLIDER_VALUE_SATURATION), L"0");
    EXPECT_EQ(EditText(SLIDER_VALUE_LIGHTNESS), L"128");
    m_picker.SetPickerColor(255, 0, 0);
    EXPECT_EQ(EditText(SLIDER_VALUE_SATURATION), L"255");
    EXPECT_EQ(EditText(SLIDER_VALUE_LIGHTNESS), L"127");
    EXPECT_EQ(m_picker.GetSlider(SLIDER_VALUE_SATURATION)->GetPos(), 255);

    m_picker.SetModel(SLIDER_MODEL_WEB);
    m_picker.SetPickerColor(30, 130, 250);
    // 30 is above 25 and not above 76: 51; 130 is above 127: 153; 250: 255.
    EXPECT_EQ(EditText(SLIDER_VALUE_WEB_RED), L"33");
    EXPECT_EQ(EditText(SLIDER_VALUE_WEB_GREEN), L"99");
    EXPECT_EQ(EditText(SLIDER_VALUE_WEB_BLUE), L"FF");
    EXPECT_TRUE(m_palette.m_colors.empty()) << "showing a colour sends nothing";

    m_picker.SetModel(SLIDER_MODEL_LAB);
    m_picker.SetPickerColor(255, 255, 255);
    EXPECT_EQ(EditText(SLIDER_VALUE_LAB_L), L"100");
    EXPECT_EQ(EditText(SLIDER_VALUE_LAB_A), L"0");
    EXPECT_EQ(EditText(SLIDER_VALUE_LAB_B), L"0");
}

TEST_F(SlidersPickerTest, MovingASliderSendsTheColourAndForgetsCMYK)
{
    m_picker.SetModel(SLIDER_MODEL_RGB);
    CColorSlider* pGreen = m_picker.GetSlider(SLIDER_VALUE_GREEN);
    pGreen->SetFocus();
    InjectKeyPress(VK_END);
    PumpMessages();
    ASSERT_FALSE(m_palette.m_colors.empty());
    EXPECT_EQ(m_palette.m_colors.back().first, static_cast<WPARAM>(106));
    EXPECT_EQ(m_palette.m_colors.back().second, RGB(0, 255, 0));
    ASSERT_FALSE(m_palette.m_saves.empty());
    EXPECT_EQ(m_palette.m_saves.back(), (std::array<int, 4>{-1, 0, 0, 0}));
    EXPECT_EQ(EditText(SLIDER_VALUE_GREEN), L"255");
    EXPECT_EQ(m_picker.GetValues()[SLIDER_VALUE_GREEN], 255);

    // In HSL the hue slider's 359 goes to the host as 359 × 255 / 360 =
    // 254; the palette's echo of the colour does not move the sliders.
    m_picker.SetModel(SLIDER_MODEL_HSL);
    m_palette.m_pEchoTo = &m_picker;
    m_picker.GetSlider(SLIDER_VALUE_HUE)->SetFocus();
    InjectKeyPress(VK_END);
    PumpMessages();
    EXPECT_EQ(m_picker.GetValues()[SLIDER_VALUE_HUE], 359);
    EXPECT_EQ(EditText(SLIDER_VALUE_HUE), L"359");
    // Green (0, 255, 0) is H 120, S 255, L 127; hue 254 at full saturation
    // and lightness 127 is red with a little blue.
    EXPECT_EQ(m_palette.m_colors.back().second, HSLDegreesToRGB(359, 255, 127));
    EXPECT_EQ(m_palette.m_colors.back().second, HSL_to_RGB(254, 255, 127));
}

TEST_F(SlidersPickerTest, TypedNumbersAreTakenOrCorrected)
{
    m_picker.SetModel(SLIDER_MODEL_WEB);
    Paste(SLIDER_VALUE_WEB_RED, L"66");
    ASSERT_EQ(m_palette.m_colors.size(), 1u);
    EXPECT_EQ(m_palette.m_colors.back().second, RGB(0x66, 0, 0));
    EXPECT_EQ(m_picker.GetSlider(SLIDER_VALUE_WEB_RED)->GetPos(), 102);
    EXPECT_EQ(EditText(SLIDER_VALUE_WEB_RED), L"66");

    Paste(SLIDER_VALUE_WEB_GREEN, L"67");
    EXPECT_EQ(EditText(SLIDER_VALUE_WEB_GREEN), L"66") << "0x67 is not web-safe";
    Paste(SLIDER_VALUE_WEB_BLUE, L"1ff");
    EXPECT_EQ(EditText(SLIDER_VALUE_WEB_BLUE), L"ff") << "above the maximum";
    EXPECT_EQ(m_palette.m_colors.size(), 1u) << "corrections send nothing";
    EXPECT_EQ(m_picker.GetValues()[SLIDER_VALUE_WEB_GREEN], 0);

    m_picker.SetModel(SLIDER_MODEL_CMYK);
    Paste(SLIDER_VALUE_CYAN, L"101");
    EXPECT_EQ(EditText(SLIDER_VALUE_CYAN), L"100");
    EXPECT_EQ(m_palette.m_colors.size(), 1u);

    m_picker.SetModel(SLIDER_MODEL_LAB);
    const int nA = m_picker.GetValues()[SLIDER_VALUE_LAB_A];
    Paste(SLIDER_VALUE_LAB_A, L"-200");
    EXPECT_EQ(EditText(SLIDER_VALUE_LAB_A), L"-200") << "below the minimum the user may still be typing";
    Paste(SLIDER_VALUE_LAB_A, L"-");
    EXPECT_EQ(m_picker.GetValues()[SLIDER_VALUE_LAB_A], nA);
    m_picker.SetModel(SLIDER_MODEL_RGB);
    Paste(SLIDER_VALUE_RED, L"-5");
    EXPECT_EQ(m_palette.m_colors.size(), 1u);

    // Leaving the red edit corrects its "-5" to the minimum, which is then
    // taken like a typed 0; the blue 200 follows.
    Paste(SLIDER_VALUE_BLUE, L"200");
    EXPECT_EQ(EditText(SLIDER_VALUE_RED), L"0");
    ASSERT_EQ(m_palette.m_colors.size(), 3u);
    EXPECT_EQ(m_palette.m_colors[1].second, RGB(0, 0, 0));
    EXPECT_EQ(m_palette.m_colors[2].second, RGB(0, 0, 200));
    EXPECT_EQ(m_palette.m_saves.back(), (std::array<int, 4>{-1, 0, 0, 0}));
}

TEST_F(SlidersPickerTest, CMYKNumbersSurviveATripThroughRGB)
{
    // Black is K 100 in CMYK; take the black out and put 20 % of each ink
    // in: (20, 20, 20, 0) prints grey 255 - 20 × 255 / 100 = 204.
    m_picker.SetModel(SLIDER_MODEL_CMYK);
    EXPECT_EQ(EditText(SLIDER_VALUE_BLACK), L"100");
    Paste(SLIDER_VALUE_BLACK, L"0");
    Paste(SLIDER_VALUE_CYAN, L"20");
    Paste(SLIDER_VALUE_MAGENTA, L"20");
    Paste(SLIDER_VALUE_YELLOW, L"20");
    EXPECT_EQ(m_palette.m_colors.back().second, RGB(204, 204, 204));
    EXPECT_EQ(m_palette.m_saves.back(), (std::array<int, 4>{20, 20, 20, 0}));
    int aValues[4] = {};
    ASSERT_TRUE(m_picker.GetCMYKValues(aValues));
    EXPECT_EQ(aValues[0], 20);
    EXPECT_EQ(aValues[3], 0);

    m_picker.SetModel(SLIDER_MODEL_RGB);
    EXPECT_FALSE(m_picker.GetCMYKValues(aValues)) << "only while CMYK is shown";
    EXPECT_EQ(EditText(SLIDER_VALUE_RED), L"204");
    m_picker.SetModel(SLIDER_MODEL_CMYK);
    ASSERT_TRUE(m_picker.GetCMYKValues(aValues));
    EXPECT_EQ((std::array<int, 4>{aValues[0], aValues[1], aValues[2], aValues[3]}),
              (std::array<int, 4>{20, 20, 20, 0}));
    EXPECT_EQ(EditText(SLIDER_VALUE_MAGENTA), L"20");
    EXPECT_EQ(m_picker.GetSlider(SLIDER_VALUE_BLACK)->GetPos(), 0);

    // Without saved numbers the grey converts back with all of it in K.
    m_palette.m_bHasSaved = false;
    m_picker.SetModel(SLIDER_MODEL_RGB);
    m_picker.SetModel(SLIDER_MODEL_CMYK);
    ASSERT_TRUE(m_picker.GetCMYKValues(aValues));
    EXPECT_EQ((std::array<int, 4>{aValues[0], aValues[1], aValues[2], aValues[3]}),
              (std::array<int, 4>{0, 0, 0, 20}));

    // A colour from the palette while CMYK shows takes its saved numbers.
    m_palette.m_aSaved = {10, 20, 30, 40};
    m_palette.m_bHasSaved = true;
    m_picker.SetPickerColor(1, 2, 3);
    EXPECT_EQ(EditText(SLIDER_VALUE_CYAN), L"10");
    EXPECT_EQ(EditText(SLIDER_VALUE_BLACK), L"40");
    // Moving a slider of another model tells the palette to forget them.
    m_picker.SetModel(SLIDER_MODEL_GRAYSCALE);
    m_picker.GetSlider(SLIDER_VALUE_GREY)->SetFocus();
    InjectKeyPress(VK_END);
    PumpMessages();
    EXPECT_FALSE(m_palette.m_bHasSaved);
}

TEST_F(SlidersPickerTest, ChannelsShowTheirTrackColoursAndTheThumbIsATriangle)
{
    // A 107-pixel channel leaves 101 columns between its 3-pixel ends, so
    // column 50 (x = 53) is f = 0.5 exactly.
    struct SCase
    {
        int nValueIndex;
        COLORREF clrStart, clrMiddle, clrEnd;
    };
    // t = trunc(f × 255): 0, 127, 255; u = rint((1 - f) × 255): 255, 128
    // (the half rounds to even), 0; web levels min(trunc(6 f), 5) × 51: 0,
    // 153, 255.
    const SCase cases[] = {
        {SLIDER_VALUE_GREY, RGB(0, 0, 0), RGB(127, 127, 127), RGB(255, 255, 255)},
        {SLIDER_VALUE_RED, RGB(0, 0, 0), RGB(127, 0, 0), RGB(255, 0, 0)},
        {SLIDER_VALUE_BLUE, RGB(0, 0, 0), RGB(0, 0, 127), RGB(0, 0, 255)},
        {SLIDER_VALUE_CYAN, RGB(255, 255, 255), RGB(128, 255, 255), RGB(0, 255, 255)},
        {SLIDER_VALUE_BLACK, RGB(255, 255, 255), RGB(128, 128, 128), RGB(0, 0, 0)},
        {SLIDER_VALUE_LAB_L, RGB(0, 0, 0), RGB(127, 127, 127), RGB(255, 255, 255)},
        {SLIDER_VALUE_WEB_GREEN, RGB(0, 0, 0), RGB(0, 153, 0), RGB(0, 255, 0)},
    };
    for (const SCase& c : cases)
    {
        CTestCanvas canvas(107, 4, RGB(1, 2, 3));
        m_picker.GetSlider(c.nValueIndex)->PaintChannel(canvas.Dc(), RECT{0, 0, 107, 4});
        const SImage image = canvas.Snapshot();
        EXPECT_EQ(ColourOf(image.At(2, 1)), RGB(1, 2, 3)) << "the ends stay unpainted";
        EXPECT_EQ(ColourOf(image.At(3, 1)), c.clrStart) << c.nValueIndex;
        EXPECT_EQ(ColourOf(image.At(53, 1)), c.clrMiddle) << c.nValueIndex;
        EXPECT_EQ(ColourOf(image.At(103, 1)), c.clrEnd) << c.nValueIndex;
        EXPECT_EQ(ColourOf(image.At(104, 1)), RGB(1, 2, 3));
    }

    // The real paint goes through the custom draw: the red slider at 128.
    m_picker.SetModel(SLIDER_MODEL_RGB);
    Paste(SLIDER_VALUE_RED, L"128");
    CColorSlider* pRed = m_picker.GetSlider(SLIDER_VALUE_RED);
    CRect rcChannel, rcThumb, rcClient;
    pRed->GetChannelRect(&rcChannel);
    pRed->GetThumbRect(&rcThumb);
    pRed->GetClientRect(&rcClient);
    CTestCanvas canvas(rcClient.Width(), rcClient.Height(), RGB(1, 2, 3));
    pRed->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    const SImage image = canvas.Snapshot();
    const int y = (rcChannel.top + rcChannel.bottom) / 2;
    EXPECT_EQ(ColourOf(image.At(rcChannel.left + 3, y)), RGB(0, 0, 0));
    EXPECT_EQ(ColourOf(image.At(rcChannel.right - 4, y)), RGB(255, 0, 0));
    // Inside the triangle, just above its base (thumb bottom + 2 - 4 - 1).
    const int xCentre = (rcThumb.left + rcThumb.right) / 2;
    EXPECT_EQ(ColourOf(image.At(xCentre, rcThumb.bottom - 5)), RGB(255, 255, 255));
    EXPECT_EQ(ColourOf(image.At(rcThumb.left - 2, rcThumb.bottom - 3)), GetSysColor(COLOR_3DDKSHADOW))
        << "the outline's lower left corner";
}

TEST_F(SlidersPickerTest, PaintsItsLabelsTwiceOnThePaneColour)
{
    CXUIVisualManager::GetInstance().SetThemeColor(XUI_COLOR_PANE_BACKGROUND, RGB(40, 50, 60));
    CXUIVisualManager::GetInstance().SetThemeColor(XUI_COLOR_PANE_TEXT, RGB(250, 240, 10));
    m_picker.SetModel(SLIDER_MODEL_CMYK);
    CTestCanvas canvas(200, 150, RGB(1, 2, 3));
    m_picker.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    const SImage image = canvas.Snapshot();
    EXPECT_EQ(ColourOf(image.At(100, 145)), RGB(40, 50, 60));
    // Each label's text in the shadow colour and in the text colour, only
    // in the rows of the current model (4 in CMYK). Glyph edges are blended
    // with the background, so a pixel counts when it is mostly one colour:
    // dark for the shadow, yellow for the text.
    for (int r = 0; r < 5; ++r)
    {
        int nShadow = 0;
        int nText = 0;
        for (int y = 28 + 28 * r; y < 52 + 28 * r && y < 150; ++y)
            for (int x = 0; x < 16; ++x)
            {
                const COLORREF clr = ColourOf(image.At(x, y));
                nShadow += GetRValue(clr) < 30 && GetGValue(clr) < 30 && GetBValue(clr) < 30 ? 1 : 0;
                nText += GetRValue(clr) > 150 && GetGValue(clr) > 150 && GetBValue(clr) < 45 ? 1 : 0;
            }
        if (r < 4)
        {
            EXPECT_GT(nShadow, 0) << "row " << r;
            EXPECT_GT(nText, 0) << "row " << r;
        }
        else
        {
            EXPECT_EQ(nShadow + nText, 0);
        }
    }
}

TEST_F(SlidersPickerTest, ControlColoursFollowTheThemeAndTheErrorState)
{
    m_picker.SetModel(SLIDER_MODEL_HSL);
    CStatic* pDegree = m_picker.GetDegreeLabel();
    CRect rc;
    pDegree->GetClientRect(&rc);
    auto PrintOf = [](CWnd* pWnd, const CRect& rcClient)
    {
        CTestCanvas canvas(rcClient.Width(), rcClient.Height(), RGB(1, 2, 3));
        pWnd->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
        return canvas.Snapshot();
    };
    const COLORREF clrPane = CXUIVisualManager::GetInstance().GetThemeColor(XUI_COLOR_PANE_BACKGROUND);
    EXPECT_EQ(ColourOf(PrintOf(pDegree, rc).At(rc.right - 1, rc.bottom - 1)), clrPane);
    CXUIVisualManager::GetInstance().SetThemeColor(XUI_COLOR_PANE_BACKGROUND, RGB(70, 0, 70));
    EXPECT_EQ(ColourOf(PrintOf(pDegree, rc).At(rc.right - 1, rc.bottom - 1)), RGB(70, 0, 70))
        << "the brush follows the theme";

    CMNumEdit* pEdit = m_picker.GetEdit(SLIDER_VALUE_HUE);
    pEdit->GetClientRect(&rc);
    CXUIVisualManager::GetInstance().SetEditInError(pEdit->GetSafeHwnd(), true);
    EXPECT_EQ(ColourOf(PrintOf(pEdit, rc).At(rc.right - 1, 1)), RGB(255, 0, 0));
    CXUIVisualManager::GetInstance().SetEditInError(pEdit->GetSafeHwnd(), false);
    EXPECT_NE(ColourOf(PrintOf(pEdit, rc).At(rc.right - 1, 1)), RGB(255, 0, 0));
}

TEST_F(SlidersPickerTest, TheDeleteKeyIsSwallowedAndTabMovesOn)
{
    m_picker.SetModel(SLIDER_MODEL_RGB);
    m_picker.SetPickerColor(20, 30, 40);
    CMNumEdit* pEdit = m_picker.GetEdit(SLIDER_VALUE_RED);
    pEdit->SetFocus();
    pEdit->SetSel(0, 0);
    InjectKeyPress(VK_DELETE);
    PumpMessages();
    EXPECT_EQ(EditText(SLIDER_VALUE_RED), L"20");
    InjectKeyPress(VK_END);
    InjectKeyPress(VK_BACK);
    PumpMessages();
    EXPECT_EQ(EditText(SLIDER_VALUE_RED), L"2") << "other keys still edit";

    // Tab goes through the shown controls in creation order: the red edit,
    // then the green slider (the green label takes no focus).
    InjectKeyPress(VK_TAB);
    PumpMessages();
    EXPECT_EQ(CWnd::GetFocus(), m_picker.GetSlider(SLIDER_VALUE_GREEN));
}

TEST_F(SlidersPickerTest, SurvivesAMissingPaletteAndCallsBeforeAndAfterItsWindow)
{
    m_palette.DestroyWindow();
    m_picker.SetModel(SLIDER_MODEL_CMYK);
    Paste(SLIDER_VALUE_CYAN, L"50");
    EXPECT_EQ(m_picker.GetValues()[SLIDER_VALUE_CYAN], 50) << "the value is taken with no one to tell";
    m_picker.SetPaletteWnd(nullptr);
    m_picker.SetPickerColor(9, 9, 9);

    CSlidersPickerWnd unborn;
    unborn.SetPickerColor(1, 2, 3);
    unborn.SetModel(3);
    EXPECT_EQ(unborn.GetModel(), 0);
    int aValues[4] = {};
    EXPECT_FALSE(unborn.GetCMYKValues(aValues));
    EXPECT_FALSE(unborn.Create(nullptr, 1, CRect(0, 0, 10, 10)));

    ::DestroyWindow(m_hParent);
    EXPECT_EQ(m_picker.GetSafeHwnd(), nullptr);
    m_picker.SetPickerColor(1, 2, 3);
    m_picker.SetModel(2);
    EXPECT_FALSE(m_picker.GetCMYKValues(aValues));
}
