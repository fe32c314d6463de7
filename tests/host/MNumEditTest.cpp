// The numeric edit: its range, typed values and their correction, the
// characters it accepts, the track bar it keeps in step and the ramp strip
// a painter draws under its text.
#include "HostControlTestSupport.h"

#include "MNumEdit.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
constexpr UINT kEditId = 310;

// A class-library parent, so that the edit sees its own change
// notifications; it counts the ones that reach it.
class CNumEditParent : public CWnd
{
public:
    int m_nChanges = 0;

protected:
    afx_msg void OnEditChange() { ++m_nChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNumEditParent, CWnd)
ON_EN_CHANGE(kEditId, OnEditChange)
END_MESSAGE_MAP()

// Blue on the left half of the strip, green on the right, and a black
// column at the value's place: column left + (value - min) * (width - 1) /
// (max - min).
class CHalvesPainter : public VMnePainter
{
public:
    COLORREF GetColorAt(double dFraction) const override
    {
        return dFraction < 0.5 ? RGB(0, 0, 255) : RGB(0, 255, 0);
    }
    void PaintRamp(CDC& dc, const CRect& rcRamp) const override
    {
        const int nWidth = rcRamp.Width();
        for (int x = 0; x < nWidth; ++x)
        {
            const double f = (x + 0.5) / nWidth;
            dc.FillSolidRect(rcRamp.left + x, rcRamp.top, 1, rcRamp.Height(), GetColorAt(f));
        }
    }
    void PaintThumb(CDC& dc, const CRect& rcRamp, int nValue, int nMin, int nMax) const override
    {
        const int x =
            nMax > nMin ? rcRamp.left + (nValue - nMin) * (rcRamp.Width() - 1) / (nMax - nMin) : rcRamp.left;
        dc.FillSolidRect(x, rcRamp.top, 1, rcRamp.Height(), RGB(0, 0, 0));
        ++m_nThumbs;
    }
    mutable int m_nThumbs = 0;
};

class CMNumEditTest : public CHostControlTest
{
protected:
    void SetUp() override
    {
        CHostControlTest::SetUp();
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE,
                                      CRect(0, 0, 400, 300), Parent(), 1));
        ASSERT_TRUE(
            m_edit.Create(WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(10, 10, 70, 30), &m_parent, kEditId));
        m_other = CreateControl(L"EDIT", 0, RECT{100, 10, 160, 30}, 311, m_parent.GetSafeHwnd());
        PumpMessages();
    }
    void TearDown() override
    {
        m_edit.DestroyWindow();
        m_parent.DestroyWindow();
        CHostControlTest::TearDown();
    }

    std::wstring Text() const
    {
        CString strText;
        m_edit.GetWindowText(strText);
        return std::wstring(strText.GetString());
    }
    // Replaces the text by typing it, as the user does.
    void Type(const wchar_t* pszText)
    {
        m_edit.SetFocus();
        m_edit.SetSel(0, -1);
        InjectText(pszText);
        PumpMessages();
    }
    void LeaveEdit()
    {
        ::SetFocus(m_other);
        PumpMessages();
    }

    CNumEditParent m_parent;
    CMNumEdit m_edit;
    HWND m_other = nullptr;
};
} // namespace

TEST_F(CMNumEditTest, TypedNumbersAreCorrectedIntoTheRangeWhenTheEditIsLeft)
{
    EXPECT_EQ(Text(), L"0") << "a new edit shows its minimum";
    m_edit.SetRange(250, 10);
    int nMin = 0, nMax = 0;
    m_edit.GetRange(nMin, nMax);
    EXPECT_EQ(nMin, 10) << "ends given the wrong way round are swapped";
    EXPECT_EQ(nMax, 250);
    EXPECT_EQ(Text(), L"10") << "the value is brought into the new range";

    Type(L"300");
    EXPECT_EQ(Text(), L"300") << "while typing the text stays as typed";
    int nTyped = 0;
    ASSERT_TRUE(m_edit.GetTypedValue(nTyped));
    EXPECT_EQ(nTyped, 300);
    EXPECT_EQ(m_edit.GetValue(), 250);
    LeaveEdit();
    EXPECT_EQ(Text(), L"250");

    Type(L"5");
    InjectKeyPress(VK_RETURN);
    PumpMessages();
    EXPECT_EQ(Text(), L"10") << "Enter corrects as well";

    Type(L"120");
    LeaveEdit();
    EXPECT_EQ(Text(), L"120");
    m_edit.SetWindowText(L"");
    EXPECT_FALSE(m_edit.GetTypedValue(nTyped));
    EXPECT_EQ(m_edit.GetValue(), 120) << "no number keeps the last good value";
    m_edit.SetFocus();
    LeaveEdit();
    EXPECT_EQ(Text(), L"120");
}

TEST_F(CMNumEditTest, OnlyCharactersOfANumberAreTaken)
{
    m_edit.SetRange(0, 999);
    Type(L"4x-2.");
    EXPECT_EQ(Text(), L"42") << "no sign when the range has no negatives";

    m_edit.SetRange(-128, 127);
    Type(L"-");
    int nTyped = 0;
    EXPECT_FALSE(m_edit.GetTypedValue(nTyped)) << "a lone minus is no number yet";
    InjectText(L"17");
    PumpMessages();
    EXPECT_EQ(Text(), L"-17");
    ASSERT_TRUE(m_edit.GetTypedValue(nTyped));
    EXPECT_EQ(nTyped, -17);

    m_edit.SetRange(0, 255);
    m_edit.SetHexadecimal(true);
    m_edit.SetValue(10);
    EXPECT_EQ(Text(), L"0A");
    Type(L"fgF");
    EXPECT_EQ(Text(), L"fF");
    ASSERT_TRUE(m_edit.GetTypedValue(nTyped));
    EXPECT_EQ(nTyped, 255);
    Type(L"123456789abc");
    ASSERT_TRUE(m_edit.GetTypedValue(nTyped)) << "a number too long for int still parses";
    EXPECT_EQ(m_edit.GetValue(), 255);
    LeaveEdit();
    EXPECT_EQ(Text(), L"FF");
}

TEST_F(CMNumEditTest, TheBuddyFollowsNumbersWithinTheRange)
{
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_VISIBLE, CRect(10, 40, 210, 70), &m_parent, 320));
    m_edit.SetRange(0, 100);
    m_edit.SetValue(40);
    m_edit.SetBuddy(&slider);
    EXPECT_EQ(m_edit.GetBuddy(), &slider);
    EXPECT_EQ(slider.GetRangeMin(), 0);
    EXPECT_EQ(slider.GetRangeMax(), 100);
    EXPECT_EQ(slider.GetPos(), 40) << "taking a buddy moves it to the value";

    const int nChangesBefore = m_parent.m_nChanges;
    Type(L"37");
    EXPECT_EQ(slider.GetPos(), 37);
    EXPECT_GT(m_parent.m_nChanges, nChangesBefore) << "the parent still hears of each change";
    // On the way to 500 the text holds 5 and 50, which move the slider; 500
    // is outside the range and leaves it at 50.
    Type(L"500");
    EXPECT_EQ(slider.GetPos(), 50);
    m_edit.SetValue(12);
    EXPECT_EQ(slider.GetPos(), 12);
    slider.DestroyWindow();
    m_edit.SetValue(13);
    EXPECT_EQ(Text(), L"13") << "a buddy that is gone is left alone";
    EXPECT_EQ(m_edit.GetBuddy(), nullptr);
}

TEST_F(CMNumEditTest, ThePainterDrawsItsStripUnderTheText)
{
    CHalvesPainter painter;
    m_edit.SetRange(0, 100);
    m_edit.SetValue(50);
    SImage plain = Print(m_edit.GetSafeHwnd());
    EXPECT_EQ(painter.m_nThumbs, 0);

    m_edit.SetPainter(&painter);
    // The strip: a fifth of the client height, at least 3 rows, at the
    // bottom.
    CRect rcClient;
    m_edit.GetClientRect(&rcClient);
    const CRect rcStrip = m_edit.GetStripRect();
    EXPECT_EQ(rcStrip.bottom, rcClient.bottom);
    EXPECT_EQ(rcStrip.Height(), std::max(3, rcClient.Height() / 5));
    SImage painted = Print(m_edit.GetSafeHwnd());
    EXPECT_EQ(painter.m_nThumbs, 1);
    const int y = rcStrip.top + 1;
    const int xThumb = 50 * (rcStrip.Width() - 1) / 100;
    EXPECT_EQ(PixelOf(painted, xThumb, y), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(painted, 2, y), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(painted, rcStrip.right - 2, y), RGB(0, 255, 0));
    EXPECT_EQ(PixelOf(painted, 2, 1), PixelOf(plain, 2, 1)) << "above the strip the edit is as before";

    m_edit.SetPainter(nullptr);
    SImage again = Print(m_edit.GetSafeHwnd());
    EXPECT_EQ(PixelOf(again, 2, y), PixelOf(plain, 2, y));
}

TEST_F(CMNumEditTest, TooltipsNameTheRangeAndFitTheirBuffer)
{
    m_edit.SetRange(0, 359);
    EXPECT_EQ(std::wstring(m_edit.FormatRangeTip(L"Angle").GetString()), L"Angle [0 - 359]");
    const std::wstring strLong(80, L'x');
    const CString strTip = m_edit.FormatRangeTip(strLong.c_str());
    EXPECT_EQ(strTip.GetLength(), 79);
    EXPECT_EQ(std::wstring(strTip.GetString()), std::wstring(76, L'x') + L"...");
}

TEST(CMNumEditWithoutWindow, CallsBeforeCreationDoNothingHarmful)
{
    HeadlessReset();
    CMNumEdit edit;
    edit.SetRange(5, 9);
    edit.SetValue(7);
    int nTyped = 0;
    EXPECT_FALSE(edit.GetTypedValue(nTyped));
    EXPECT_EQ(edit.GetValue(), 7);
    EXPECT_EQ(edit.CorrectText(), 7);
    EXPECT_TRUE(edit.GetStripRect().IsRectEmpty());
    HeadlessReset();
}
