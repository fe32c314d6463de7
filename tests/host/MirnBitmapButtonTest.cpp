// The bitmap button (check state, image, colours) and the flyout button with
// its menu of styles: what the parent is told, what the menu offers, and
// what is painted.
#include "HostControlTestSupport.h"

#include "Menu.h"
#include "MirnBitmapButton.h"
#include "Responder.h"
#include "XUIDraw.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace
{

HBITMAP SolidBitmap(int nSide, COLORREF clr)
{
    SImage image;
    image.nWidth = nSide;
    image.nHeight = nSide;
    const DWORD pixel =
        0xFF000000u | (DWORD{GetRValue(clr)} << 16) | (DWORD{GetGValue(clr)} << 8) | GetBValue(clr);
    image.pixels.assign(static_cast<size_t>(nSide) * nSide, pixel);
    return CreateBitmapFromImage(image);
}

class CMirnBitmapButtonTest : public CHostControlTest
{
};

TEST_F(CMirnBitmapButtonTest, ACheckBoxButtonTogglesAndPaintsCheckedInTheHighlight)
{
    CMirnBitmapButton button;
    ASSERT_TRUE(
        button.Create(L"", WS_VISIBLE | BS_AUTOCHECKBOX | BS_PUSHLIKE, CRect(10, 10, 34, 34), Parent(), 102));
    ASSERT_TRUE(button.SetImagePath(kImagePath)); // 16 x 16 red, centred at (4, 4)
    SImage image = Print(button.m_hWnd);
    EXPECT_EQ(PixelOf(image, 1, 1), Theme(XUI_COLOR_MATERIAL_BUTTON));
    EXPECT_EQ(PixelOf(image, 4, 4), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(image, 19, 19), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(image, 20, 20), Theme(XUI_COLOR_MATERIAL_BUTTON));

    Click(button.m_hWnd, 2, 2);
    EXPECT_EQ(button.GetCheck(), BST_CHECKED);
    image = Print(button.m_hWnd);
    EXPECT_EQ(PixelOf(image, 0, 0), Theme(XUI_COLOR_TAB_BORDER));
    // (1, 1) carries the focus frame the click gave the button.
    EXPECT_EQ(PixelOf(image, 2, 2), Theme(XUI_COLOR_MATERIAL_HIGHLIGHT));
    Click(button.m_hWnd, 2, 2);
    EXPECT_EQ(button.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{102, BN_CLICKED}, {102, BN_CLICKED}}));

    // Set from outside, no notification.
    button.SetCheck(BST_CHECKED);
    EXPECT_EQ(Commands().size(), 2u);

    // A background colour of the caller's; disabled, the image greys
    // (red's brightness 76 lifted to 128 + 38 = 166).
    button.SetCheck(BST_UNCHECKED);
    button.SetBackgroundColor(RGB(7, 8, 9));
    EXPECT_EQ(PixelOf(Print(button.m_hWnd), 2, 2), RGB(7, 8, 9));
    button.ClearBackgroundColor();
    button.EnableWindow(FALSE);
    image = Print(button.m_hWnd);
    EXPECT_EQ(PixelOf(image, 2, 2), Theme(XUI_COLOR_MATERIAL_BUTTON));
    EXPECT_EQ(PixelOf(image, 12, 12), RGB(166, 166, 166));
}

TEST_F(CMirnBitmapButtonTest, APushButtonClicksWithoutCheckingAndBadImagesKeepTheOldOne)
{
    CMirnBitmapButton button;
    ASSERT_TRUE(button.Create(L"", WS_VISIBLE, CRect(10, 10, 34, 34), Parent(), 15240));
    HBITMAP hBitmap = SolidBitmap(8, RGB(0, 0, 255));
    button.SetImage(hBitmap);
    EXPECT_FALSE(button.SetImagePath(L"Test\\Missing.png"));
    EXPECT_FALSE(button.SetBitmapResource(54321));
    EXPECT_EQ(button.GetImage(), hBitmap);
    EXPECT_EQ(PixelOf(Print(button.m_hWnd), 12, 12), RGB(0, 0, 255));
    Click(button.m_hWnd, 5, 5);
    EXPECT_EQ(button.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{15240, BN_CLICKED}}));
}

// ---------------------------------------------------------------------------
// The flyout button

class CFlyoutBitmapButtonTest : public CHostControlTest
{
protected:
    void SetUp() override
    {
        CHostControlTest::SetUp();
        ASSERT_TRUE(m_button.Create(L"", WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 34, 34), Parent(), 101));
        EXPECT_TRUE(m_button.AddItem(SolidBitmap(16, RGB(255, 0, 0)), 1, L"Color"));
        EXPECT_TRUE(m_button.AddItem(SolidBitmap(16, RGB(0, 0, 255)), 4, L"Gradient"));
        EXPECT_TRUE(m_button.AddItem(SolidBitmap(16, RGB(0, 255, 0)), 2, L"Pattern"));
        EXPECT_TRUE(m_button.SelectItem(1));
        PumpMessages();
        m_notices.clear();
    }
    void TearDown() override
    {
        m_button.DestroyWindow();
        CHostControlTest::TearDown();
    }
    void PressButton()
    {
        InjectMouseButton(EMouseButton::Left, true, OnScreen(m_button.m_hWnd, 5, 5));
        PumpMessages();
        InjectMouseButton(EMouseButton::Left, false, OnScreen(m_button.m_hWnd, 5, 5));
        PumpMessages();
    }
    CFlyoutBitmapButton m_button;
};

TEST_F(CFlyoutBitmapButtonTest, ItemsNeedAKindOfTheirOwn)
{
    EXPECT_FALSE(m_button.AddItem(SolidBitmap(4, RGB(0, 0, 0)), 4, L"Again"));
    EXPECT_FALSE(m_button.AddItem(SolidBitmap(4, RGB(0, 0, 0)), 0, L"None"));
    EXPECT_FALSE(m_button.AddItem(L"Test\\Missing.png", 8, L"Art"));
    EXPECT_TRUE(m_button.AddItem(kImagePath, 8, L"Art media"));
    EXPECT_EQ(m_button.GetItemCount(), 4);
    EXPECT_EQ(m_button.GetItemKind(1), 4);
    EXPECT_EQ(m_button.GetItemKind(9), -1);
    EXPECT_EQ(std::wstring(m_button.GetItemToolTip(4)), L"Gradient");
    EXPECT_TRUE(m_button.GetItemToolTip(64).IsEmpty());
    EXPECT_FALSE(m_button.SelectItem(64));
    EXPECT_EQ(m_button.GetSelectedItem(), 1);
}

TEST_F(CFlyoutBitmapButtonTest, ChoosingAnotherItemSelectsItAndTellsTheParentOnce)
{
    CResponder responder;
    responder.QueueMenuChoice(4);
    PressButton();
    ASSERT_EQ(responder.Questions().size(), 1u);
    EXPECT_EQ(responder.Questions()[0].eKind, EQuestion::PopupMenu);
    EXPECT_EQ(m_button.GetSelectedItem(), 4);
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{101, BN_CLICKED}}));
    // The button shows the chosen item's bitmap (blue, centred).
    EXPECT_EQ(PixelOf(Print(m_button.m_hWnd), 12, 12), RGB(0, 0, 255));

    // The selected item again, or a dismissed menu: nothing.
    responder.QueueMenuChoice(4);
    PressButton();
    responder.QueueMenuChoice(0);
    PressButton();
    EXPECT_EQ(responder.Questions().size(), 3u);
    EXPECT_EQ(Commands().size(), 1u);
    EXPECT_EQ(m_button.GetSelectedItem(), 4);

    // The space bar opens the menu too.
    m_button.SetFocus();
    responder.QueueMenuChoice(2);
    InjectKeyPress(VK_SPACE);
    PumpMessages();
    EXPECT_EQ(m_button.GetSelectedItem(), 2);
    EXPECT_EQ(Commands().size(), 2u);
}

TEST_F(CFlyoutBitmapButtonTest, AGreyedItemCannotBeChosenAndADisabledButtonOpensNothing)
{
    CResponder responder;
    m_button.EnableItem(2, false);
    EXPECT_FALSE(m_button.IsItemEnabled(2));
    EXPECT_TRUE(m_button.IsItemEnabled(4));
    UINT nGreyed = 0;
    UINT nChecked = 0;
    responder.SetMenuHandler(
        [&](HMENU hMenu, const SQuestion&) -> UINT
        {
            nGreyed = GetMenuState(hMenu, 2, MF_BYCOMMAND) & MF_GRAYED;
            nChecked = GetMenuState(hMenu, 1, MF_BYCOMMAND) & MF_CHECKED;
            return 0;
        });
    PressButton();
    EXPECT_EQ(nGreyed, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(nChecked, static_cast<UINT>(MF_CHECKED));

    m_button.EnableWindow(FALSE);
    EXPECT_EQ(m_button.ShowMenu(), 0);
    EXPECT_EQ(responder.Questions().size(), 1u);
}

std::deque<std::function<void()>>& MenuSteps()
{
    static std::deque<std::function<void()>> s_steps;
    return s_steps;
}

bool RunMenuStep()
{
    if (MenuSteps().empty())
        return false;
    std::function<void()> step = std::move(MenuSteps().front());
    MenuSteps().pop_front();
    step();
    return true;
}

TEST_F(CFlyoutBitmapButtonTest, TheMenuOpensBelowTheButtonAndTheKeyboardChoosesInIt)
{
    SetPopupMenusAsWindows(true);
    const PFN_HEADLESSIDLE pfnPrevious = SetHeadlessIdleHook(&RunMenuStep);
    RECT rcMenu{};
    MenuSteps().push_back(
        [&rcMenu]
        {
            EnumWindows(
                [](HWND hWnd, LPARAM lParam)
                {
                    wchar_t szClass[16] = {};
                    GetClassNameW(hWnd, szClass, 16);
                    if (std::wstring(szClass) == L"#32768" && IsWindowVisible(hWnd))
                        GetWindowRect(hWnd, reinterpret_cast<RECT*>(lParam));
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&rcMenu));
            // Down to the first item, down to the second, choose it.
            for (UINT nKey : {VK_DOWN, VK_DOWN, VK_RETURN})
                InjectKeyPress(nKey);
        });
    EXPECT_EQ(m_button.ShowMenu(), 4);
    SetHeadlessIdleHook(pfnPrevious);
    SetPopupMenusAsWindows(false);
    MenuSteps().clear();

    // The button is at (110, 110) to (134, 134) on screen.
    EXPECT_EQ(rcMenu.left, 110);
    EXPECT_GE(rcMenu.top, 134);
    EXPECT_EQ(m_button.GetSelectedItem(), 4);
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{101, BN_CLICKED}}));
}

TEST_F(CFlyoutBitmapButtonTest, TheFlyoutMarkShowsWhenThereIsAChoice)
{
    // Two pixels in from the corner of the 24-pixel button: the mark's
    // bottom row spans x 19 to 22 at y 22, its tip is (22, 19).
    SImage image = Print(m_button.m_hWnd);
    EXPECT_EQ(PixelOf(image, 19, 22), Theme(XUI_COLOR_GLYPH));
    EXPECT_EQ(PixelOf(image, 22, 22), Theme(XUI_COLOR_GLYPH));
    EXPECT_EQ(PixelOf(image, 22, 19), Theme(XUI_COLOR_GLYPH));
    EXPECT_EQ(PixelOf(image, 20, 20), Theme(XUI_COLOR_MATERIAL_BUTTON));

    m_button.RemoveAllItems();
    EXPECT_EQ(m_button.GetItemCount(), 0);
    EXPECT_EQ(m_button.GetSelectedItem(), -1);
    EXPECT_EQ(m_button.GetImage(), nullptr);
    image = Print(m_button.m_hWnd);
    EXPECT_EQ(PixelOf(image, 22, 22), Theme(XUI_COLOR_MATERIAL_BUTTON));
    EXPECT_EQ(m_button.ShowMenu(), 0);
}

} // namespace
