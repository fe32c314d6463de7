// The skinned drop-down list: its type, face height and items helpers, and
// the face it paints in the visual manager's colours at rest, under the
// pointer and disabled.
#include "HostControlTestSupport.h"

#include "XUIComboBox.h"
#include "XUIVisualManager.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
class CXUIComboBoxTest : public CHostControlTest
{
protected:
    void SetUp() override
    {
        CHostControlTest::SetUp();
        // Colours that no other part of the face uses.
        CXUIVisualManager& manager = CXUIVisualManager::GetInstance();
        manager.SetThemeColor(XUI_COLOR_TAB_NORMAL, RGB(200, 10, 10));
        manager.SetThemeColor(XUI_COLOR_TAB_HOT, RGB(10, 200, 10));
        manager.SetThemeColor(XUI_COLOR_TAB_BORDER, RGB(10, 10, 200));
        manager.SetThemeColor(XUI_COLOR_GLYPH, RGB(250, 250, 0));
        manager.SetThemeColor(XUI_COLOR_TAB_TEXT_DISABLED, RGB(0, 250, 250));
        manager.SetThemeColor(XUI_COLOR_PANE_BACKGROUND, RGB(90, 90, 90));
        ASSERT_TRUE(m_combo.Create(CBS_DROPDOWN | WS_VISIBLE, CRect(20, 20, 140, 140), Parent(), 77));
        m_combo.SetFaceHeight(24);
        const LPCWSTR items[] = {L"Grayscale", nullptr, L"RGB", L"HSL"};
        EXPECT_EQ(m_combo.AddItems(items, 4), 3) << "a null item is skipped";
        PumpMessages();
    }
    void TearDown() override
    {
        m_combo.DestroyWindow();
        CHostControlTest::TearDown();
    }
    // A face pixel away from the frame, the text and the arrow.
    COLORREF FacePixel(const SImage& image) const
    {
        const CRect rcButton = m_combo.GetButtonRect();
        return PixelOf(image, rcButton.left - 3, 2);
    }

    CXUIComboBox m_combo;
};
} // namespace

TEST_F(CXUIComboBoxTest, IsADropDownListOfTheGivenFaceHeight)
{
    EXPECT_EQ(m_combo.GetStyle() & CBS_DROPDOWNLIST, static_cast<DWORD>(CBS_DROPDOWNLIST));
    EXPECT_EQ(m_combo.GetFaceHeight(), 24);
    CRect rc;
    m_combo.GetClientRect(&rc);
    EXPECT_EQ(rc.Height(), 24);
    EXPECT_EQ(m_combo.GetCount(), 3);
    EXPECT_TRUE(m_combo.GetSelectedText().IsEmpty());
    m_combo.SetCurSel(2);
    EXPECT_EQ(std::wstring(m_combo.GetSelectedText().GetString()), L"HSL");
    // A 16-pixel button at the right end of the 120-pixel face.
    EXPECT_EQ(m_combo.GetButtonRect(), CRect(104, 0, 120, 24));
}

TEST_F(CXUIComboBoxTest, PaintsItsFaceInTheThemeColours)
{
    m_combo.SetCurSel(0);
    SImage image = Print(m_combo.GetSafeHwnd());
    EXPECT_EQ(PixelOf(image, 0, 0), RGB(10, 10, 200)) << "frame";
    EXPECT_EQ(PixelOf(image, 119, 23), RGB(10, 10, 200));
    EXPECT_EQ(FacePixel(image), RGB(200, 10, 10));
    // The arrow's centre: the triangle spans the button's centre row.
    const CPoint ptArrow = m_combo.GetButtonRect().CenterPoint();
    EXPECT_EQ(PixelOf(image, ptArrow.x, ptArrow.y), RGB(250, 250, 0));
    // The text: somewhere between the left margin and the button there are
    // pixels that are neither face nor frame.
    int nInk = 0;
    for (int x = 4; x < 100; ++x)
        for (int y = 3; y < 21; ++y)
            nInk += PixelOf(image, x, y) != RGB(200, 10, 10) ? 1 : 0;
    EXPECT_GT(nInk, 10);

    m_combo.EnableWindow(FALSE);
    image = Print(m_combo.GetSafeHwnd());
    EXPECT_EQ(FacePixel(image), RGB(90, 90, 90));
    EXPECT_EQ(PixelOf(image, ptArrow.x, ptArrow.y), RGB(0, 250, 250));
}

TEST_F(CXUIComboBoxTest, ShowsTheHoverColourUnderThePointer)
{
    EXPECT_FALSE(m_combo.IsHot());
    MoveMouse(m_combo.GetSafeHwnd(), 30, 10);
    EXPECT_TRUE(m_combo.IsHot());
    EXPECT_EQ(FacePixel(Print(m_combo.GetSafeHwnd())), RGB(10, 200, 10));
    MoveMouse(m_hParent, 400, 300);
    EXPECT_FALSE(m_combo.IsHot());
    EXPECT_EQ(FacePixel(Print(m_combo.GetSafeHwnd())), RGB(200, 10, 10));
}

TEST(CXUIComboBoxWithoutWindow, HelpersDoNothingBeforeCreation)
{
    HeadlessReset();
    CXUIComboBox combo;
    combo.SetFaceHeight(30);
    const LPCWSTR items[] = {L"A"};
    EXPECT_EQ(combo.AddItems(items, 1), 0);
    EXPECT_EQ(combo.GetFaceHeight(), 0);
    EXPECT_TRUE(combo.GetSelectedText().IsEmpty());
    EXPECT_TRUE(combo.GetButtonRect().IsRectEmpty());
    HeadlessReset();
}
