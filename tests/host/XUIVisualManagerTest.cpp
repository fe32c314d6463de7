// The visual colour manager (colours by number, themes, overrides, window
// themes and edit error states) and display scaling with DPI-matched images.
#include "XUIDPI.h"
#include "XUIVisualManager.h"

#include "Gdi.h"
#include "Resources.h"
#include "Screen.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{

// Perceived brightness, 0 to 255 (ITU-R BT.601 weights).
double Brightness(COLORREF clr)
{
    return 0.299 * GetRValue(clr) + 0.587 * GetGValue(clr) + 0.114 * GetBValue(clr);
}

class CXUIVisualManagerTest : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        CXUIVisualManager::GetInstance().Reset();
    }
    void TearDown() override
    {
        CXUIVisualManager::GetInstance().Reset();
        SetSystemDpi(96);
        CWindowTest::TearDown();
    }
    static CXUIVisualManager& Manager() { return CXUIVisualManager::GetInstance(); }
    static HWND MakeWindow(HWND hParent = nullptr)
    {
        return CreateWindowExW(0, RecordingClass(), L"",
                               (hParent != nullptr ? WS_CHILD : WS_POPUP) | WS_VISIBLE, 0, 0, 50, 50, hParent,
                               nullptr, nullptr, nullptr);
    }
};

TEST_F(CXUIVisualManagerTest, EveryNumberThePaneUsesHasAColourInBothThemes)
{
    const int ids[] = {8,    16,   18,   20,   1216, 1217, 1219, 1221, 1224, 1226,
                       1229, 1282, 1284, 1285, 1286, 1607, 1608, 1609, 1610, 1611};
    for (int nId : ids)
    {
        EXPECT_TRUE(Manager().IsThemeColor(nId)) << nId;
    }
    EXPECT_FALSE(Manager().IsThemeColor(1));
    EXPECT_FALSE(Manager().IsThemeColor(9999));
}

TEST_F(CXUIVisualManagerTest, TextStandsOutFromItsBackgroundInBothThemes)
{
    for (EXUITheme eTheme : {EXUITheme::Light, EXUITheme::Dark})
    {
        Manager().SetTheme(eTheme);
        const double background = Brightness(Manager().GetThemeColor(XUI_COLOR_PANE_BACKGROUND));
        EXPECT_GT(std::abs(background - Brightness(Manager().GetThemeColor(XUI_COLOR_PANE_TEXT))), 120.0);
        EXPECT_GT(std::abs(background - Brightness(Manager().GetThemeColor(XUI_COLOR_PAGE_TEXT))), 120.0);
        // Error text sits on pure red (brightness 76.2).
        EXPECT_GT(Brightness(Manager().GetThemeColor(XUI_COLOR_ERROR_TEXT)) - 76.2, 100.0);
    }
    Manager().SetTheme(EXUITheme::Light);
    EXPECT_GT(Brightness(XUIGetThemeColor(1282)), 200.0);
    EXPECT_EQ(XUIGetThemeColor(18), RGB(0, 0, 0)); // bitmaps keep their black
    Manager().SetTheme(EXUITheme::Dark);
    EXPECT_LT(Brightness(XUIGetThemeColor(1282)), 100.0);
    EXPECT_EQ(Manager().GetTheme(), EXUITheme::Dark);
}

TEST_F(CXUIVisualManagerTest, OverridesWinUntilTheThemeChangesAndWindowsAreTold)
{
    HWND hTop = MakeWindow();
    HWND hChild = MakeWindow(hTop);
    RecordedMessages().clear();

    Manager().SetThemeColor(1282, RGB(1, 2, 3));
    EXPECT_EQ(XUIGetThemeColor(1282), RGB(1, 2, 3));
    EXPECT_EQ(MessagesTo(hTop, WM_SYSCOLORCHANGE).size(), 1u);
    EXPECT_EQ(MessagesTo(hChild, WM_SYSCOLORCHANGE).size(), 1u);

    // The same value again changes nothing and tells nobody.
    Manager().SetThemeColor(1282, RGB(1, 2, 3));
    EXPECT_EQ(MessagesTo(hTop, WM_SYSCOLORCHANGE).size(), 1u);

    // A colour the themes do not know becomes known through an override.
    Manager().SetThemeColor(4242, RGB(9, 9, 9));
    EXPECT_TRUE(Manager().IsThemeColor(4242));

    Manager().SetTheme(EXUITheme::Light); // same theme, but it drops the overrides
    EXPECT_NE(XUIGetThemeColor(1282), RGB(1, 2, 3));
    EXPECT_FALSE(Manager().IsThemeColor(4242));
    EXPECT_EQ(MessagesTo(hChild, WM_SYSCOLORCHANGE).size(), 3u);

    Manager().SetThemeColor(1284, RGB(4, 5, 6));
    Manager().ClearThemeColorOverrides();
    EXPECT_NE(XUIGetThemeColor(1284), RGB(4, 5, 6));
    Manager().ClearThemeColorOverrides(); // nothing left: nobody told
    EXPECT_EQ(MessagesTo(hTop, WM_SYSCOLORCHANGE).size(), 5u);
}

TEST_F(CXUIVisualManagerTest, AnUnknownNumberPaintsAsTheBackgroundAndIsNamedOnce)
{
    SLogCapture capture;
    EXPECT_EQ(XUIGetThemeColor(31337), XUIGetThemeColor(XUI_COLOR_PANE_BACKGROUND));
    EXPECT_EQ(XUIGetThemeColor(31337), XUIGetThemeColor(XUI_COLOR_PANE_BACKGROUND));
    int nLines = 0;
    for (const std::wstring& strLine : CapturedLog())
    {
        if (strLine.find(L"no visual colour 31337") != std::wstring::npos)
            ++nLines;
    }
    EXPECT_EQ(nLines, 1);
}

TEST_F(CXUIVisualManagerTest, WindowThemesAndEditErrorsAreRememberedPerLiveWindow)
{
    HWND hPage = MakeWindow();
    HWND hEdit = MakeWindow(hPage);
    HWND hOther = MakeWindow(hPage);

    EXPECT_EQ(Manager().GetAppliedTheme(hPage), -1);
    EXPECT_TRUE(Manager().ApplyTheme(hPage, XUI_THEME_PROPERTY_PAGE));
    EXPECT_EQ(Manager().GetAppliedTheme(hPage), 6);
    EXPECT_EQ(Manager().GetAppliedTheme(hOther), -1);

    EXPECT_FALSE(Manager().IsEditInError(hEdit));
    Manager().SetEditInError(hEdit, true);
    EXPECT_TRUE(Manager().IsEditInError(hEdit));
    EXPECT_FALSE(Manager().IsEditInError(hOther));
    Manager().SetEditInError(hEdit, false);
    EXPECT_FALSE(Manager().IsEditInError(hEdit));
    Manager().SetEditInError(hEdit, true);

    DestroyWindow(hPage); // the edit goes with it
    EXPECT_EQ(Manager().GetAppliedTheme(hPage), -1);
    EXPECT_FALSE(Manager().IsEditInError(hEdit));
    EXPECT_FALSE(Manager().ApplyTheme(hPage, 6));
    Manager().SetEditInError(hEdit, true);
    EXPECT_FALSE(Manager().IsEditInError(hEdit));
    EXPECT_FALSE(Manager().ApplyTheme(nullptr, 6));
}

TEST_F(CXUIVisualManagerTest, LengthsScaleWithTheSystemDpiRoundingToNearest)
{
    SetSystemDpi(96);
    EXPECT_EQ(XUIScale(18), 18);
    EXPECT_DOUBLE_EQ(CXUIDPI::GetScaleFactorX(), 1.0);

    SetSystemDpi(120);                  // 125 %
    EXPECT_EQ(XUIScale(18), 23);        // 22.5 rounds up
    EXPECT_EQ(XUIScale(75), 94);        // 93.75
    EXPECT_EQ(XUIScale(-3), -4);        // -3.75
    EXPECT_EQ(CXUIDPI::ScaleX(30), 38); // 37.5
    EXPECT_EQ(CXUIDPI::ScaleY(40), 50);
    EXPECT_EQ(CXUIDPI::UnscaleX(50), 40);
    EXPECT_DOUBLE_EQ(CXUIDPI::GetScaleFactorY(), 1.25);

    SetSystemDpi(192);
    EXPECT_EQ(XUIScale(18), 36);
    EXPECT_EQ(CXUIDPI::ScaleY(17), 34);
}

TEST_F(CXUIVisualManagerTest, TheDoubleSizeImagesServeFromOneAndAHalfUp)
{
    const std::vector<std::pair<int, int>> cases = {
        {96, 100}, {120, 100}, {143, 100}, {144, 200}, {192, 200}};
    for (const auto& [nDpi, nPercent] : cases)
    {
        SetSystemDpi(nDpi);
        EXPECT_EQ(XUIGetImageScalePercent(), nPercent) << nDpi;
    }
    SetSystemDpi(144);
    EXPECT_EQ(std::wstring(XUIGetDPIMatchedImagePath(L"ToolOptions\\Dropper.png")),
              L"200\\ToolOptions\\Dropper.png");
    SetSystemDpi(96);
    EXPECT_EQ(std::wstring(XUIGetDPIMatchedImagePath(L"ToolOptions\\Dropper.png")),
              L"100\\ToolOptions\\Dropper.png");
}

std::vector<BYTE> SolidPng(int nSide, DWORD pixel)
{
    SImage image;
    image.nWidth = nSide;
    image.nHeight = nSide;
    image.pixels.assign(static_cast<size_t>(nSide) * nSide, pixel);
    std::vector<BYTE> data;
    WritePngMemory(image, data);
    return data;
}

TEST_F(CXUIVisualManagerTest, ImagesLoadAtTheMatchingScaleOrWhicheverIsHeld)
{
    const HINSTANCE hModule = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x7A20000));
    const std::vector<BYTE> small = SolidPng(16, 0xFFFF0000);
    const std::vector<BYTE> large = SolidPng(32, 0xFF0000FF);
    const std::wstring strBoth100 = ScaledImageResourceName(L"Test\\Both.png", 100);
    const std::wstring strBoth200 = ScaledImageResourceName(L"Test\\Both.png", 200);
    const std::wstring strOnly100 = ScaledImageResourceName(L"Test\\Only.png", 100);
    const SResourceEntry entries[] = {
        {RT_PNG, strBoth100.c_str(), small.data(), static_cast<DWORD>(small.size())},
        {RT_PNG, strBoth200.c_str(), large.data(), static_cast<DWORD>(large.size())},
        {RT_PNG, strOnly100.c_str(), small.data(), static_cast<DWORD>(small.size())},
    };
    RegisterResourceTable(hModule, entries, 3);
    auto* pLink = new CDynLinkLibrary(hModule, hModule);

    SImage image;
    SetSystemDpi(96);
    ASSERT_TRUE(XUILoadDPIMatchedImage(L"Test\\Both.png", image));
    EXPECT_EQ(image.nWidth, 16);
    EXPECT_EQ(image.At(3, 3), 0xFFFF0000u);
    SetSystemDpi(144);
    ASSERT_TRUE(XUILoadDPIMatchedImage(L"Test\\Both.png", image));
    EXPECT_EQ(image.nWidth, 32);
    ASSERT_TRUE(XUILoadDPIMatchedImage(L"Test\\Only.png", image));
    EXPECT_EQ(image.nWidth, 16);

    HBITMAP hBitmap = XUILoadDPIMatchedBitmap(L"Test\\Both.png");
    ASSERT_NE(hBitmap, nullptr);
    BITMAP bm{};
    GetObjectW(hBitmap, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 32);
    DeleteObject(hBitmap);

    EXPECT_FALSE(XUILoadDPIMatchedImage(L"Test\\Missing.png", image));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_FALSE(XUILoadDPIMatchedImage(nullptr, image));
    EXPECT_EQ(XUILoadDPIMatchedBitmap(L"Test\\Missing.png"), nullptr);

    delete pLink;
    RegisterResourceTable(hModule, nullptr, 0);
}

} // namespace
