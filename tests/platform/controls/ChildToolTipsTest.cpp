// A window that enables tooltips for its children is asked for each child's
// text when the pointer rests on it.
#include "CommCtlTestSupport.h"

#include <string>
#include <vector>

namespace
{
// A parent that answers the tooltip's text requests for one child.
class CTipParent : public CWnd
{
public:
    HWND m_hTipped = nullptr;
    std::vector<HWND> m_asked;

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        if (pInfo->hdr.code != TTN_GETDISPINFOW)
            return CWnd::OnNotify(wParam, lParam, pResult);
        EXPECT_NE(pInfo->uFlags & TTF_IDISHWND, 0u);
        const HWND hChild = reinterpret_cast<HWND>(pInfo->hdr.idFrom);
        m_asked.push_back(hChild);
        pInfo->lpszText = const_cast<LPWSTR>(hChild == m_hTipped ? L"Swap the colours" : L"");
        *pResult = 0;
        return TRUE;
    }
};

class ChildToolTipsTest : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        ASSERT_TRUE(m_parent.CreateEx(0, RecordingClass(), L"parent", WS_POPUP | WS_VISIBLE, 100, 100, 300,
                                      200, nullptr, nullptr));
        m_hFirst = CreateChild(m_parent.GetSafeHwnd(), {10, 10, 60, 40}, 1);
        m_hSecond = CreateChild(m_parent.GetSafeHwnd(), {100, 10, 150, 40}, 2);
        m_parent.m_hTipped = m_hFirst;
        SetActiveWindow(m_parent.GetSafeHwnd());
        PumpMessages();
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        CWindowTest::TearDown();
    }

    // The visible tooltip window owned by the parent, if any.
    HWND VisibleTip() const
    {
        HWND hFound = nullptr;
        EnumWindows(
            [](HWND hWnd, LPARAM lParam)
            {
                wchar_t szClass[32] = {};
                GetClassNameW(hWnd, szClass, 32);
                if (std::wstring(szClass) == TOOLTIPS_CLASSW && IsWindowVisible(hWnd))
                    *reinterpret_cast<HWND*>(lParam) = hWnd;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&hFound));
        return hFound;
    }
    void RestOn(POINT ptScreen)
    {
        InjectMouseMove(ptScreen);
        PumpMessages();
        AdvanceClock(1000);
        PumpMessages();
    }

    CTipParent m_parent;
    HWND m_hFirst = nullptr;
    HWND m_hSecond = nullptr;
};
} // namespace

TEST_F(ChildToolTipsTest, RestingOnAChildAsksTheParentForItsText)
{
    // Not enabled: nothing is asked.
    RestOn({130, 125});
    EXPECT_TRUE(m_parent.m_asked.empty());
    EXPECT_EQ(VisibleTip(), nullptr);

    ASSERT_TRUE(m_parent.EnableToolTips(TRUE));
    EXPECT_TRUE(m_parent.AreToolTipsEnabled());
    RestOn({130, 125});
    ASSERT_FALSE(m_parent.m_asked.empty());
    EXPECT_EQ(m_parent.m_asked.back(), m_hFirst);
    const HWND hTip = VisibleTip();
    ASSERT_NE(hTip, nullptr);
    wchar_t szText[64] = {};
    GetWindowTextW(hTip, szText, 64);
    EXPECT_EQ(std::wstring(szText), L"Swap the colours");

    // A child without text shows no tip.
    m_parent.m_asked.clear();
    RestOn({220, 125});
    ASSERT_FALSE(m_parent.m_asked.empty());
    EXPECT_EQ(m_parent.m_asked.back(), m_hSecond);
    EXPECT_EQ(VisibleTip(), nullptr);

    // Switched off again: no more questions.
    m_parent.EnableToolTips(FALSE);
    m_parent.m_asked.clear();
    RestOn({130, 125});
    EXPECT_TRUE(m_parent.m_asked.empty());
}
