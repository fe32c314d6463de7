// The skinned tab set, check box and tool button: what they tell their
// parent, the state they keep, their tooltips and the pixels they paint.
#include "HostControlTestSupport.h"

#include "XUIControls.h"
#include "XUIDPI.h"
#include "XUIDraw.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

// ---------------------------------------------------------------------------
// The tab set

class CXUIRectTabCtrlTest : public CHostControlTest
{
protected:
    void SetUp() override
    {
        CHostControlTest::SetUp();
        // Three pages and a tab set at (10, 10), 240 x 120 in the parent.
        for (int i = 0; i < 3; ++i)
        {
            m_pages[i] = CreateChild(m_hParent, RECT{20, 60, 200, 120}, 300 + i, WS_CHILD);
            m_pageWnds[i].Attach(m_pages[i]);
        }
        ASSERT_TRUE(m_tabs.Create(WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 250, 130), Parent(), 44));
        m_tabs.SetItemSize(CSize(0, 24));
        EXPECT_EQ(m_tabs.AddTab(L"Swatches", -1, L"Show the swatches", &m_pageWnds[0]), 0);
        EXPECT_EQ(m_tabs.AddTab(L"Map", -1, nullptr, &m_pageWnds[1]), 1);
        EXPECT_EQ(m_tabs.AddTab(L"Sliders", -1, L"Show the sliders", &m_pageWnds[2]), 2);
        PumpMessages();
        m_notices.clear();
    }
    void TearDown() override
    {
        for (CWnd& page : m_pageWnds)
            page.Detach();
        CHostControlTest::TearDown();
    }
    CRect TabRect(int nTab) const
    {
        CRect rc;
        m_tabs.GetItemRect(nTab, &rc);
        return rc;
    }
    std::vector<bool> PagesShown() const
    {
        std::vector<bool> shown;
        for (HWND hPage : m_pages)
            shown.push_back(IsWindowVisible(hPage) != FALSE);
        return shown;
    }

    HWND m_pages[3] = {};
    CWnd m_pageWnds[3];
    CXUIRectTabCtrl m_tabs;
};

TEST_F(CXUIRectTabCtrlTest, ClickingATabNotifiesTheParentAndShowsItsPage)
{
    EXPECT_EQ(m_tabs.GetActiveTab(), 0);
    EXPECT_EQ(PagesShown(), (std::vector<bool>{true, false, false}));

    const CRect rc = TabRect(2);
    Click(m_tabs.m_hWnd, rc.CenterPoint().x, rc.CenterPoint().y);
    EXPECT_EQ(NotifyCodes(), (std::vector<int>{static_cast<int>(TCN_SELCHANGING),
                                               static_cast<int>(TCN_SELCHANGE), static_cast<int>(NM_CLICK)}));
    EXPECT_EQ(m_tabs.GetActiveTab(), 2);
    EXPECT_EQ(PagesShown(), (std::vector<bool>{false, false, true}));

    // Clicking the selected tab again changes nothing.
    m_notices.clear();
    Click(m_tabs.m_hWnd, rc.CenterPoint().x, rc.CenterPoint().y);
    EXPECT_EQ(NotifyCodes(), (std::vector<int>{static_cast<int>(NM_CLICK)}));
}

TEST_F(CXUIRectTabCtrlTest, AParentThatRefusesKeepsTheSelectionAndThePage)
{
    m_answer = [](UINT nMessage, WPARAM, LPARAM lParam, LRESULT& lResult)
    {
        if (nMessage == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGING)
        {
            lResult = TRUE;
            return true;
        }
        return false;
    };
    const CRect rc = TabRect(1);
    Click(m_tabs.m_hWnd, rc.CenterPoint().x, rc.CenterPoint().y);
    EXPECT_EQ(m_tabs.GetActiveTab(), 0);
    EXPECT_EQ(PagesShown(), (std::vector<bool>{true, false, false}));
}

TEST_F(CXUIRectTabCtrlTest, SettingTheActiveTabShowsItsPageWithoutNotifying)
{
    EXPECT_TRUE(m_tabs.SetActiveTab(1));
    EXPECT_EQ(PagesShown(), (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(NotifyCodes().empty());
    EXPECT_FALSE(m_tabs.SetActiveTab(3));
    EXPECT_FALSE(m_tabs.SetActiveTab(-1));
    EXPECT_EQ(m_tabs.GetActiveTab(), 1);

    // The arrow keys move the selection as the tab control does.
    m_tabs.SetFocus();
    InjectKeyPress(VK_RIGHT);
    PumpMessages();
    EXPECT_EQ(m_tabs.GetActiveTab(), 2);
    EXPECT_EQ(PagesShown(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(NotifyCodes().back(), static_cast<int>(TCN_SELCHANGE));
}

TEST_F(CXUIRectTabCtrlTest, TheSelectedTabPaintsInTheCheckedColourAndTheOthersAtRest)
{
    const CRect rc0 = TabRect(0);
    const CRect rc1 = TabRect(1);
    // A point inside each tab clear of its label: two pixels in from the corner.
    SImage image = Print(m_tabs.m_hWnd);
    EXPECT_EQ(PixelOf(image, rc0.left + 2, rc0.top + 2), Theme(XUI_COLOR_TAB_CHECKED));
    EXPECT_EQ(PixelOf(image, rc1.left + 2, rc1.top + 2), Theme(XUI_COLOR_TAB_NORMAL));
    EXPECT_EQ(PixelOf(image, rc1.left, rc1.top), Theme(XUI_COLOR_TAB_BORDER));
    // Right of the last tab the pane's background shows.
    const CRect rc2 = TabRect(2);
    EXPECT_EQ(PixelOf(image, rc2.right + 5, rc2.top + 2), Theme(XUI_COLOR_PANE_BACKGROUND));

    m_tabs.SetActiveTab(1);
    image = Print(m_tabs.m_hWnd);
    EXPECT_EQ(PixelOf(image, rc0.left + 2, rc0.top + 2), Theme(XUI_COLOR_TAB_NORMAL));
    EXPECT_EQ(PixelOf(image, rc1.left + 2, rc1.top + 2), Theme(XUI_COLOR_TAB_CHECKED));

    // The tab under the pointer takes the hover colour until it leaves.
    MoveMouse(m_tabs.m_hWnd, rc2.left + 4, rc2.top + 4);
    EXPECT_EQ(m_tabs.GetHotTab(), 2);
    image = Print(m_tabs.m_hWnd);
    EXPECT_EQ(PixelOf(image, rc2.left + 2, rc2.top + 2), Theme(XUI_COLOR_TAB_HOT));
    InjectMouseMove(POINT{5, 5});
    PumpMessages();
    EXPECT_EQ(m_tabs.GetHotTab(), -1);

    // A theme colour override shows at the next paint.
    CXUIVisualManager::GetInstance().SetThemeColor(XUI_COLOR_TAB_CHECKED, RGB(10, 200, 30));
    image = Print(m_tabs.m_hWnd);
    EXPECT_EQ(PixelOf(image, rc1.left + 2, rc1.top + 2), RGB(10, 200, 30));
}

TEST_F(CXUIRectTabCtrlTest, EachTabShowsItsOwnTooltip)
{
    EXPECT_EQ(std::wstring(m_tabs.GetTabToolTip(0)), L"Show the swatches");
    EXPECT_EQ(std::wstring(m_tabs.GetTabToolTip(1)), L"Map"); // the label stands in
    EXPECT_TRUE(m_tabs.GetTabToolTip(7).IsEmpty());

    const CRect rc = TabRect(2);
    MoveMouse(m_tabs.m_hWnd, rc.left + 3, rc.top + 3);
    AdvanceClock(static_cast<DWORD>(m_tabs.GetToolTipCtrl().GetDelayTime(TTDT_INITIAL)) + 10);
    PumpMessages();
    EXPECT_EQ(VisibleTips(), (std::vector<std::wstring>{L"Show the sliders"}));

    m_tabs.SetTabToolTip(2, L"Sliders in six models");
    EXPECT_EQ(std::wstring(m_tabs.GetTabToolTip(2)), L"Sliders in six models");
    CString strText;
    m_tabs.GetToolTipCtrl().GetText(strText, &m_tabs, 3);
    EXPECT_EQ(std::wstring(strText), L"Sliders in six models");
}

TEST_F(CXUIRectTabCtrlTest, ImageTabsDrawTheirImageCentredAndKeepTheTextForTheTooltip)
{
    CXUIRectTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_VISIBLE | TCS_FIXEDWIDTH, CRect(10, 150, 250, 250), Parent(), 45));
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32, 2, 0));
    const COLORREF colours[] = {RGB(0, 0, 255), RGB(255, 0, 0)};
    for (COLORREF clr : colours)
    {
        SImage solid;
        solid.nWidth = 16;
        solid.nHeight = 16;
        solid.pixels.assign(256, 0xFF000000u | (DWORD{GetRValue(clr)} << 16) | (DWORD{GetGValue(clr)} << 8) |
                                     GetBValue(clr));
        HBITMAP hBitmap = CreateBitmapFromImage(solid);
        EXPECT_GE(images.Add(CBitmap::FromHandle(hBitmap), static_cast<CBitmap*>(nullptr)), 0);
        DeleteObject(hBitmap);
    }
    tabs.SetImageList(&images);
    tabs.SetItemSize(CSize(28, 24));
    // Swatches with image 1 (red), map with image 0 (blue); no labels.
    tabs.AddTab(L"", 1, L"Swatches");
    tabs.AddTab(L"", 0, L"Map");
    CRect rc0;
    CRect rc1;
    tabs.GetItemRect(0, &rc0);
    tabs.GetItemRect(1, &rc1);
    EXPECT_EQ(rc0.Width(), 28);
    const SImage image = Print(tabs.m_hWnd);
    EXPECT_EQ(PixelOf(image, rc0.CenterPoint().x, rc0.CenterPoint().y), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(image, rc1.CenterPoint().x, rc1.CenterPoint().y), RGB(0, 0, 255));
    EXPECT_EQ(std::wstring(tabs.GetTabToolTip(1)), L"Map");
    tabs.SetImageList(nullptr);
}

// ---------------------------------------------------------------------------
// The check box

class CXUICheckBoxButtonTest : public CHostControlTest
{
};

TEST_F(CXUICheckBoxButtonTest, ClicksAndTheSpaceBarToggleAndNotify)
{
    CXUICheckBoxButton box;
    ASSERT_TRUE(
        box.Create(L"Apply to all tools", WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 160, 30), Parent(), 15241));
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
    Click(box.m_hWnd, 5, 10);
    EXPECT_EQ(box.GetCheck(), BST_CHECKED);
    box.SetFocus();
    InjectKeyPress(VK_SPACE);
    PumpMessages();
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{15241, BN_CLICKED}, {15241, BN_CLICKED}}));

    // Disabled, it ignores the mouse.
    box.EnableWindow(FALSE);
    Click(box.m_hWnd, 5, 10);
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(Commands().size(), 2u);
}

TEST_F(CXUICheckBoxButtonTest, TheBoxAndItsTickArePaintedInTheThemeColours)
{
    CXUICheckBoxButton box;
    ASSERT_TRUE(box.Create(L"", WS_VISIBLE, CRect(10, 10, 110, 30), Parent(), 15241));
    // At 96 DPI the box is 13 pixels, centred in 20: rows 3 to 15.
    EXPECT_EQ(box.GetBoxRect(), CRect(0, 3, 13, 16));
    SImage image = Print(box.m_hWnd);
    EXPECT_EQ(PixelOf(image, 0, 3), Theme(XUI_COLOR_TAB_BORDER));
    EXPECT_EQ(PixelOf(image, 12, 15), Theme(XUI_COLOR_TAB_BORDER));
    EXPECT_EQ(PixelOf(image, 5, 12), Theme(XUI_COLOR_TAB_CHECKED)); // no tick yet
    EXPECT_EQ(PixelOf(image, 50, 1), Theme(XUI_COLOR_PANE_BACKGROUND));

    box.SetCheck(BST_CHECKED);
    image = Print(box.m_hWnd);
    // The tick's lowest corner is at (5, 9) within the box.
    EXPECT_EQ(PixelOf(image, 5, 12), Theme(XUI_COLOR_PANE_TEXT));
    EXPECT_EQ(PixelOf(image, 1, 4), Theme(XUI_COLOR_TAB_CHECKED));

    box.EnableWindow(FALSE);
    image = Print(box.m_hWnd);
    EXPECT_EQ(PixelOf(image, 5, 12), Theme(XUI_COLOR_TAB_TEXT_DISABLED));
}

TEST_F(CXUICheckBoxButtonTest, ABuiltInCheckBoxTakenOverPaintsSkinnedAndKeepsItsState)
{
    HWND hBuiltIn = CreateControl(L"BUTTON", BS_AUTOCHECKBOX, RECT{10, 40, 110, 60}, 77);
    SendMessageW(hBuiltIn, BM_SETCHECK, BST_CHECKED, 0);
    CXUICheckBoxButton box;
    ASSERT_TRUE(box.SubclassDlgItem(77, Parent()));
    EXPECT_EQ(box.GetCheck(), BST_CHECKED);
    const SImage image = Print(hBuiltIn);
    EXPECT_EQ(PixelOf(image, 0, 3), Theme(XUI_COLOR_TAB_BORDER));
    EXPECT_EQ(PixelOf(image, 5, 12), Theme(XUI_COLOR_PANE_TEXT));
    Click(hBuiltIn, 5, 10);
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{77, BN_CLICKED}}));
    box.UnsubclassWindow();
}

// ---------------------------------------------------------------------------
// The tool button

class CXMFCButtonTest : public CHostControlTest
{
};

TEST_F(CXMFCButtonTest, TheImageMatchesTheDisplayAndFillsTheIconSquare)
{
    CXMFCButton button;
    ASSERT_TRUE(button.Create(L"", WS_VISIBLE, CRect(10, 10, 40, 40), Parent(), 15340));
    EXPECT_TRUE(button.SetImagePath(kImagePath));
    EXPECT_EQ(XUIBitmapSize(button.GetImage()).cx, 16);
    button.SetIconDimension(16);
    // 16 plus a margin of 3 on each side, the corner kept.
    CRect rcWindow;
    button.GetWindowRect(&rcWindow);
    EXPECT_EQ(rcWindow, CRect(110, 110, 132, 132));
    EXPECT_EQ(button.GetIconRect(), CRect(3, 3, 19, 19));
    SImage image = Print(button.m_hWnd);
    EXPECT_EQ(PixelOf(image, 3, 3), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(image, 18, 18), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(image, 2, 2), Theme(XUI_COLOR_PANE_BACKGROUND));

    // A larger icon dimension stretches the image.
    button.SetIconDimension(24);
    EXPECT_EQ(button.GetIconRect(), CRect(3, 3, 27, 27));
    image = Print(button.m_hWnd);
    EXPECT_EQ(PixelOf(image, 26, 26), RGB(255, 0, 0));

    // At 150 % the double-size image is loaded.
    SetSystemDpi(144);
    EXPECT_TRUE(button.SetImagePath(kImagePath));
    EXPECT_EQ(XUIBitmapSize(button.GetImage()).cx, 32);
    image = Print(button.m_hWnd);
    EXPECT_EQ(PixelOf(image, 15, 15), RGB(0, 0, 255));

    // A disabled button greys its image: red's brightness 76, lifted to
    // 128 + 76 / 2 = 166.
    SetSystemDpi(96);
    button.SetImagePath(kImagePath);
    button.EnableWindow(FALSE);
    image = Print(button.m_hWnd);
    EXPECT_EQ(PixelOf(image, 10, 10), RGB(166, 166, 166));
}

TEST_F(CXMFCButtonTest, AMissingImageLeavesTheCaptionAndTheButtonStillWorks)
{
    CXMFCButton button;
    ASSERT_TRUE(button.Create(L"Go", WS_VISIBLE, CRect(10, 10, 60, 40), Parent(), 15341));
    EXPECT_FALSE(button.SetImagePath(L"Test\\Missing.png"));
    EXPECT_EQ(button.GetImage(), nullptr);
    EXPECT_TRUE(button.GetImagePath().IsEmpty());
    const SImage image = Print(button.m_hWnd);
    int nInk = 0; // the caption's dark pixels
    for (DWORD pixel : image.pixels)
        nInk += GetGValue(ColourOf(pixel)) < 100 ? 1 : 0;
    EXPECT_GT(nInk, 5);
    Click(button.m_hWnd, 10, 10);
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{15341, BN_CLICKED}}));
}

TEST_F(CXMFCButtonTest, HoverShowsTheHotLookAndTheTooltip)
{
    CXMFCButton button;
    ASSERT_TRUE(button.Create(L"", WS_VISIBLE, CRect(10, 10, 32, 32), Parent(), 15342));
    button.SetImagePath(kImagePath);
    button.SetTooltip(L"Remove the swatch");
    EXPECT_EQ(std::wstring(button.GetTooltip()), L"Remove the swatch");

    MoveMouse(button.m_hWnd, 1, 1);
    EXPECT_TRUE(button.IsHot());
    SImage image = Print(button.m_hWnd);
    EXPECT_EQ(PixelOf(image, 0, 0), Theme(XUI_COLOR_TAB_BORDER));
    EXPECT_EQ(PixelOf(image, 1, 1), Theme(XUI_COLOR_TAB_HOT));
    AdvanceClock(static_cast<DWORD>(button.GetToolTipCtrl().GetDelayTime(TTDT_INITIAL)) + 10);
    PumpMessages();
    EXPECT_EQ(VisibleTips(), (std::vector<std::wstring>{L"Remove the swatch"}));

    InjectMouseMove(POINT{5, 5});
    PumpMessages();
    EXPECT_FALSE(button.IsHot());
    image = Print(button.m_hWnd);
    EXPECT_EQ(PixelOf(image, 1, 1), Theme(XUI_COLOR_PANE_BACKGROUND));
    EXPECT_TRUE(VisibleTips().empty());
}

} // namespace
