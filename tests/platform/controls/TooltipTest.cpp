// The tooltip control: showing after the delays, hiding, relaying, text from
// callbacks and resources, placement, tracking tips, tool bookkeeping and
// CToolTipCtrl.
#include "CommCtlTestSupport.h"

#include "Resources.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <iterator>
#include <string>

namespace
{

const HINSTANCE kStringModule = reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x7A110000));
constexpr wchar_t kPickText[] = L"Pick a colour";
const SResourceEntry kStrings[] = {
    {RT_STRING, MAKEINTRESOURCEW(7), kPickText, sizeof(kPickText) - sizeof(wchar_t)},
};

class CTooltipTest : public CCommCtlTest
{
protected:
    void SetUp() override
    {
        CCommCtlTest::SetUp();
        RegisterResourceTable(kStringModule, kStrings, static_cast<UINT>(std::size(kStrings)));
        // On screen 110..210 x 110..140.
        m_hTool = CreateChild(m_hParent, RECT{10, 10, 110, 40}, 201);
        m_hTip = CreateWindowExW(0, TOOLTIPS_CLASS, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, m_hParent, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hTip, nullptr);
        m_notices.clear();
    }
    void TearDown() override
    {
        CCommCtlTest::TearDown();
        RegisterResourceTable(kStringModule, nullptr, 0);
        SetHeadlessScreen(SIZE{1920, 1080}, RECT{0, 0, 1920, 1040});
        SetDoubleClickTime(500);
    }

    BOOL AddTool(UINT uFlags, HWND hWnd, UINT_PTR uId, LPCWSTR pszText, RECT rc = RECT{},
                 HINSTANCE hInst = nullptr)
    {
        TOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        ti.uFlags = uFlags;
        ti.hwnd = hWnd;
        ti.uId = uId;
        ti.rect = rc;
        ti.hinst = hInst;
        ti.lpszText = const_cast<LPWSTR>(pszText);
        ti.lParam = 77;
        return static_cast<BOOL>(SendMessageW(m_hTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
    }
    BOOL AddWindowTool(LPCWSTR pszText, UINT uExtraFlags = 0)
    {
        return AddTool(TTF_IDISHWND | TTF_SUBCLASS | uExtraFlags, m_hParent,
                       reinterpret_cast<UINT_PTR>(m_hTool), pszText);
    }
    void MoveTo(POINT pt)
    {
        InjectMouseMove(pt);
        PumpMessages();
    }
    bool Shown() const { return IsWindowVisible(m_hTip) != FALSE; }
    std::wstring TipText() const
    {
        wchar_t szText[256] = {};
        GetWindowTextW(m_hTip, szText, 256);
        return szText;
    }
    RECT TipRect() const
    {
        RECT rc{};
        GetWindowRect(m_hTip, &rc);
        return rc;
    }
    // What the tip measures for a line of text: the text in the interface
    // font, 4 and 2 pixels of padding and a 1-pixel frame on each side.
    static SIZE ExpectedSize(const wchar_t* pszText)
    {
        HDC hdc = CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
        SIZE extent{};
        GetTextExtentPoint32W(hdc, pszText, static_cast<int>(std::wcslen(pszText)), &extent);
        TEXTMETRICW tm{};
        GetTextMetricsW(hdc, &tm);
        SelectObject(hdc, hOld);
        DeleteDC(hdc);
        return SIZE{extent.cx + 10, tm.tmHeight + 6};
    }
    std::vector<int> NotifyCodes() const
    {
        std::vector<int> codes;
        for (const SNotice& notice : NoticesOf(WM_NOTIFY))
            codes.push_back(notice.nCode);
        return codes;
    }

    HWND m_hTool = nullptr;
    HWND m_hTip = nullptr;
};

TEST_F(CTooltipTest, TipIsATopmostPopupThatNeverActivates)
{
    const auto dwStyle = static_cast<DWORD>(GetWindowLongPtrW(m_hTip, GWL_STYLE));
    const auto dwExStyle = static_cast<DWORD>(GetWindowLongPtrW(m_hTip, GWL_EXSTYLE));
    EXPECT_NE(dwStyle & WS_POPUP, 0u);
    EXPECT_EQ(dwStyle & WS_VISIBLE, 0u);
    EXPECT_NE(dwExStyle & WS_EX_TOPMOST, 0u);
    EXPECT_EQ(GetWindow(m_hTip, GW_OWNER), m_hParent);
    EXPECT_EQ(SendMessageW(m_hTip, WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
    EXPECT_EQ(SendMessageW(m_hTip, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
}

TEST_F(CTooltipTest, ShowsAfterTheInitialDelayAndPopsAfterTheAutoPopDelay)
{
    ASSERT_TRUE(AddWindowTool(L"Apply"));
    MoveTo(POINT{130, 125});
    AdvanceClock(499);
    EXPECT_FALSE(Shown());
    AdvanceClock(1);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(TipText(), L"Apply");
    const SIZE size = ExpectedSize(L"Apply");
    // Below the pointer by the cursor's height.
    EXPECT_EQ(TipRect(), (RECT{130, 145, 130 + size.cx, 145 + size.cy}));
    EXPECT_EQ(GetActiveWindow(), m_hParent);
    ASSERT_EQ(NoticesOf(WM_NOTIFY).size(), 1u);
    EXPECT_EQ(NoticesOf(WM_NOTIFY)[0].nCode, static_cast<int>(TTN_SHOW));
    EXPECT_EQ(NoticesOf(WM_NOTIFY)[0].nIdFrom, reinterpret_cast<UINT_PTR>(m_hTool));
    EXPECT_EQ(NoticesOf(WM_NOTIFY)[0].hFrom, m_hTip);

    AdvanceClock(4999);
    EXPECT_TRUE(Shown());
    AdvanceClock(1);
    EXPECT_FALSE(Shown());
    EXPECT_EQ(NotifyCodes(), (std::vector<int>{static_cast<int>(TTN_SHOW), static_cast<int>(TTN_POP)}));

    // Resting on the same tool does not bring it back ...
    MoveTo(POINT{140, 125});
    AdvanceClock(1000);
    EXPECT_FALSE(Shown());
    // ... leaving and coming back does.
    MoveTo(POINT{400, 400});
    MoveTo(POINT{130, 125});
    AdvanceClock(500);
    EXPECT_TRUE(Shown());
}

TEST_F(CTooltipTest, LeavingTheToolOrClickingHidesTheTip)
{
    ASSERT_TRUE(AddWindowTool(L"Apply"));
    MoveTo(POINT{130, 125});
    AdvanceClock(500);
    ASSERT_TRUE(Shown());
    InjectClick(POINT{130, 125});
    PumpMessages();
    EXPECT_FALSE(Shown());
    AdvanceClock(1000);
    EXPECT_FALSE(Shown());

    MoveTo(POINT{400, 400});
    MoveTo(POINT{130, 125});
    AdvanceClock(500);
    ASSERT_TRUE(Shown());
    MoveTo(POINT{400, 400});
    EXPECT_FALSE(Shown());
    // Leaving before the delay ran out cancels the tip.
    MoveTo(POINT{130, 125});
    AdvanceClock(300);
    MoveTo(POINT{400, 400});
    AdvanceClock(1000);
    EXPECT_FALSE(Shown());
}

TEST_F(CTooltipTest, MovingToAnotherToolReshowsAfterTheReshowDelay)
{
    // Two rectangles of the parent: 200..250 and 260..310, 200..250 high.
    ASSERT_TRUE(AddTool(TTF_SUBCLASS, m_hParent, 1, L"First", RECT{200, 200, 250, 250}));
    ASSERT_TRUE(AddTool(TTF_SUBCLASS, m_hParent, 2, L"Second", RECT{260, 200, 310, 250}));
    MoveTo(POINT{310, 310});
    AdvanceClock(500);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(TipText(), L"First");
    m_notices.clear();
    MoveTo(POINT{370, 310});
    EXPECT_FALSE(Shown());
    ASSERT_EQ(NoticesOf(WM_NOTIFY).size(), 1u);
    EXPECT_EQ(NoticesOf(WM_NOTIFY)[0].nCode, static_cast<int>(TTN_POP));
    EXPECT_EQ(NoticesOf(WM_NOTIFY)[0].nIdFrom, 1u);
    AdvanceClock(99);
    EXPECT_FALSE(Shown());
    AdvanceClock(1);
    EXPECT_TRUE(Shown());
    EXPECT_EQ(TipText(), L"Second");
    // Between the rectangles there is no tool.
    MoveTo(POINT{355, 310});
    EXPECT_FALSE(Shown());
}

TEST_F(CTooltipTest, RelayedMessagesDriveToolsWithoutSubclassing)
{
    ASSERT_TRUE(AddTool(0, m_hParent, 5, L"Relayed", RECT{0, 0, 50, 50}));
    MSG msg{m_hParent, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20), 0, {}};
    SendMessageW(m_hTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    AdvanceClock(500);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(TipRect().left, 120);
    EXPECT_EQ(TipRect().top, 140);
    msg.message = WM_LBUTTONDOWN;
    SendMessageW(m_hTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    EXPECT_FALSE(Shown());

    // An inactive tooltip ignores what is relayed.
    SendMessageW(m_hTip, TTM_ACTIVATE, FALSE, 0);
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(300, 300);
    SendMessageW(m_hTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    msg.lParam = MAKELPARAM(20, 20);
    SendMessageW(m_hTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    AdvanceClock(1000);
    EXPECT_FALSE(Shown());
    SendMessageW(m_hTip, TTM_ACTIVATE, TRUE, 0);
    SendMessageW(m_hTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    AdvanceClock(500);
    EXPECT_TRUE(Shown());
}

TEST_F(CTooltipTest, CallbackToolsAskTheirWindowEachTime)
{
    int nAsked = 0;
    const wchar_t* pszAnswer = L"Brush size";
    bool bResource = false;
    bool bKeep = false;
    m_answer = [&](UINT nMessage, WPARAM, LPARAM lParam, LRESULT&)
    {
        if (nMessage != WM_NOTIFY)
            return false;
        auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        if (pInfo->hdr.code != TTN_GETDISPINFOW)
            return false;
        ++nAsked;
        EXPECT_EQ(pInfo->hdr.idFrom, reinterpret_cast<UINT_PTR>(m_hTool));
        EXPECT_EQ(pInfo->lParam, 77);
        EXPECT_EQ(pInfo->lpszText, pInfo->szText);
        if (bResource)
        {
            pInfo->hinst = kStringModule;
            pInfo->lpszText = MAKEINTRESOURCEW(7);
        }
        else
            std::wcscpy(pInfo->szText, pszAnswer);
        if (bKeep)
            pInfo->uFlags |= TTF_DI_SETITEM;
        return true;
    };
    ASSERT_TRUE(AddWindowTool(LPSTR_TEXTCALLBACKW));
    MoveTo(POINT{130, 125});
    AdvanceClock(500);
    EXPECT_EQ(TipText(), L"Brush size");
    EXPECT_EQ(nAsked, 1);

    bResource = true;
    bKeep = true;
    MoveTo(POINT{400, 400});
    MoveTo(POINT{130, 125});
    AdvanceClock(500);
    EXPECT_EQ(TipText(), L"Pick a colour");
    EXPECT_EQ(nAsked, 2);

    // Kept: the next showing does not ask again.
    MoveTo(POINT{400, 400});
    MoveTo(POINT{130, 125});
    AdvanceClock(500);
    EXPECT_EQ(TipText(), L"Pick a colour");
    EXPECT_EQ(nAsked, 2);
}

TEST_F(CTooltipTest, ToolsTakeTheirTextFromStringResources)
{
    ASSERT_TRUE(AddTool(TTF_IDISHWND | TTF_SUBCLASS, m_hParent, reinterpret_cast<UINT_PTR>(m_hTool),
                        MAKEINTRESOURCEW(7), RECT{}, kStringModule));
    wchar_t szText[80] = {};
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = m_hParent;
    ti.uId = reinterpret_cast<UINT_PTR>(m_hTool);
    ti.lpszText = szText;
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti)), 13);
    EXPECT_STREQ(szText, L"Pick a colour");
    // A tool whose string is missing shows no tip.
    ti.hinst = kStringModule;
    ti.lpszText = MAKEINTRESOURCEW(8);
    SendMessageW(m_hTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    MoveTo(POINT{130, 125});
    AdvanceClock(1000);
    EXPECT_FALSE(Shown());
}

TEST_F(CTooltipTest, DelaysFollowTheDoubleClickTimeUntilSet)
{
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 100);
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 5000);
    SetDoubleClickTime(400);
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 400);
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 80);
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 4000);

    SendMessageW(m_hTip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(1000, 0));
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 1000);
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 200);
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 10000);
    SendMessageW(m_hTip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(50, 0));
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 50);
    SendMessageW(m_hTip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(static_cast<WORD>(-1), 0));
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 400);

    // The delays are the ones used.
    SendMessageW(m_hTip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(50, 0));
    SendMessageW(m_hTip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(300, 0));
    ASSERT_TRUE(AddWindowTool(L"Quick"));
    MoveTo(POINT{130, 125});
    AdvanceClock(50);
    EXPECT_TRUE(Shown());
    AdvanceClock(300);
    EXPECT_FALSE(Shown());
}

TEST_F(CTooltipTest, MarginsWidenTheTipAndAdjustRectMapsTextToWindow)
{
    ASSERT_TRUE(AddWindowTool(L"Apply"));
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = m_hParent;
    ti.uId = reinterpret_cast<UINT_PTR>(m_hTool);
    const SIZE size = ExpectedSize(L"Apply");
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&ti)),
              MAKELPARAM(size.cx, size.cy));

    RECT rcMargin{1, 2, 3, 4};
    SendMessageW(m_hTip, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&rcMargin));
    RECT rcBack{};
    SendMessageW(m_hTip, TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&rcBack));
    EXPECT_EQ(rcBack, rcMargin);
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&ti)),
              MAKELPARAM(size.cx + 4, size.cy + 6));

    // Text at 100..150 x 50..65 needs a window 5 + 1 wider on the left, 5 + 3
    // on the right, 3 + 2 above and 3 + 4 below.
    RECT rc{100, 50, 150, 65};
    EXPECT_TRUE(SendMessageW(m_hTip, TTM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&rc)));
    EXPECT_EQ(rc, (RECT{94, 45, 158, 72}));
    SendMessageW(m_hTip, TTM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
    EXPECT_EQ(rc, (RECT{100, 50, 150, 65}));
}

TEST_F(CTooltipTest, PopupShowsTheToolUnderThePointerAtOnce)
{
    ASSERT_TRUE(AddTool(0, m_hParent, 4, L"Now", RECT{200, 200, 250, 250}));
    SendMessageW(m_hTip, TTM_POPUP, 0, 0);
    EXPECT_FALSE(Shown());   // the pointer is elsewhere
    MoveTo(POINT{320, 320}); // not relayed: the tool is not subclassed
    EXPECT_FALSE(Shown());
    SendMessageW(m_hTip, TTM_POPUP, 0, 0);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(TipText(), L"Now");
    EXPECT_EQ(TipRect().left, 320);
    EXPECT_EQ(TipRect().top, 340);
}

TEST_F(CTooltipTest, TipStaysOnTheWorkArea)
{
    SetHeadlessScreen(SIZE{800, 600}, RECT{0, 0, 800, 560});
    HWND hCorner = CreateTopLevel(RECT{650, 480, 800, 560});
    ASSERT_TRUE(
        AddTool(TTF_IDISHWND | TTF_SUBCLASS, nullptr, reinterpret_cast<UINT_PTR>(hCorner), L"Corner"));
    MoveTo(POINT{790, 550});
    AdvanceClock(500);
    ASSERT_TRUE(Shown());
    const SIZE size = ExpectedSize(L"Corner");
    // Pulled in from the right edge, and above the pointer.
    EXPECT_EQ(TipRect(), (RECT{800 - size.cx, 550 - size.cy, 800, 550}));
}

TEST_F(CTooltipTest, CentredTipsStandBelowTheTool)
{
    ASSERT_TRUE(AddWindowTool(L"Centred", TTF_CENTERTIP));
    MoveTo(POINT{200, 115});
    AdvanceClock(500);
    const SIZE size = ExpectedSize(L"Centred");
    EXPECT_EQ(TipRect(), (RECT{160 - size.cx / 2, 140, 160 - size.cx / 2 + size.cx, 140 + size.cy}));
}

TEST_F(CTooltipTest, MaximumWidthWrapsTheText)
{
    EXPECT_EQ(SendMessageW(m_hTip, TTM_SETMAXTIPWIDTH, 0, 80), -1);
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETMAXTIPWIDTH, 0, 0), 80);
    ASSERT_TRUE(AddWindowTool(L"alpha beta gamma delta epsilon zeta"));
    MoveTo(POINT{130, 125});
    AdvanceClock(500);
    ASSERT_TRUE(Shown());
    const SIZE line = ExpectedSize(L"alpha");
    const RECT rc = TipRect();
    EXPECT_LE(rc.right - rc.left, 80 + 10);
    EXPECT_GE(rc.bottom - rc.top, 2 * (line.cy - 6) + 6);
}

TEST_F(CTooltipTest, TrackingTipsShowAndMoveOnlyWhenTold)
{
    ASSERT_TRUE(AddTool(TTF_TRACK | TTF_ABSOLUTE, m_hParent, 9, L"Tracked"));
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = m_hParent;
    ti.uId = 9;
    SendMessageW(m_hTip, TTM_TRACKPOSITION, 0, MAKELPARAM(300, 200));
    SendMessageW(m_hTip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    ASSERT_TRUE(Shown());
    EXPECT_EQ(TipRect().left, 300);
    EXPECT_EQ(TipRect().top, 200);
    SendMessageW(m_hTip, TTM_TRACKPOSITION, 0, MAKELPARAM(320, 240));
    EXPECT_EQ(TipRect().left, 320);
    EXPECT_EQ(TipRect().top, 240);
    // Neither pointer moves nor time put it away.
    MSG msg{m_hParent, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, {}};
    SendMessageW(m_hTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    AdvanceClock(20000);
    EXPECT_TRUE(Shown());
    SendMessageW(m_hTip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
    EXPECT_FALSE(Shown());

    // Without TTF_ABSOLUTE the tip is kept on the work area.
    ti.uFlags = TTF_TRACK;
    ti.lpszText = const_cast<LPWSTR>(L"Tracked");
    SendMessageW(m_hTip, TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(m_hTip, TTM_TRACKPOSITION, 0, MAKELPARAM(1915, 300));
    SendMessageW(m_hTip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(TipRect().right, 1920);
}

TEST_F(CTooltipTest, ToolsAreKeptFoundChangedAndRemoved)
{
    const auto pfnOriginal = GetWindowLongPtrW(m_hTool, GWLP_WNDPROC);
    ASSERT_TRUE(AddWindowTool(L"Apply"));
    ASSERT_TRUE(AddTool(0, m_hParent, 3, L"Area", RECT{300, 300, 340, 320}));
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETTOOLCOUNT, 0, 0), 2);
    EXPECT_NE(GetWindowLongPtrW(m_hTool, GWLP_WNDPROC), pfnOriginal);

    wchar_t szText[80] = {};
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = m_hParent;
    ti.uId = 3;
    ti.lpszText = szText;
    ASSERT_TRUE(SendMessageW(m_hTip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_EQ(ti.rect, (RECT{300, 300, 340, 320}));
    EXPECT_STREQ(szText, L"Area");
    EXPECT_EQ(ti.lParam, 77);

    TTHITTESTINFOW hit{};
    hit.hwnd = m_hParent;
    hit.pt = POINT{310, 310};
    hit.ti.cbSize = sizeof(TOOLINFOW);
    EXPECT_TRUE(SendMessageW(m_hTip, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit)));
    EXPECT_EQ(hit.ti.uId, 3u);
    ti.rect = RECT{0, 300, 40, 320};
    SendMessageW(m_hTip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_FALSE(SendMessageW(m_hTip, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit)));
    hit.pt = POINT{10, 310};
    EXPECT_TRUE(SendMessageW(m_hTip, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit)));

    // New text reaches a tip that is showing.
    MoveTo(POINT{130, 125});
    AdvanceClock(500);
    ASSERT_TRUE(Shown());
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = m_hParent;
    tool.uId = reinterpret_cast<UINT_PTR>(m_hTool);
    tool.lpszText = const_cast<LPWSTR>(L"Apply now");
    SendMessageW(m_hTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(TipText(), L"Apply now");
    EXPECT_EQ(TipRect().right - TipRect().left, ExpectedSize(L"Apply now").cx);

    // Deleting the showing tool hides the tip and gives the window its
    // procedure back.
    SendMessageW(m_hTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_FALSE(Shown());
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(GetWindowLongPtrW(m_hTool, GWLP_WNDPROC), pfnOriginal);
    EXPECT_FALSE(SendMessageW(m_hTip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)));
    // Too small a structure is refused.
    tool.cbSize = 8;
    EXPECT_FALSE(SendMessageW(m_hTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
}

TEST_F(CTooltipTest, DestroyingTheToolWindowOrTheTooltipIsSafe)
{
    ASSERT_TRUE(AddWindowTool(L"Apply"));
    MoveTo(POINT{130, 125});
    AdvanceClock(500);
    ASSERT_TRUE(Shown());
    DestroyWindow(m_hTool);
    MoveTo(POINT{131, 125});
    AdvanceClock(6000);

    HWND hOther = CreateChild(m_hParent, RECT{10, 100, 60, 120}, 202);
    const auto pfnOriginal = GetWindowLongPtrW(hOther, GWLP_WNDPROC);
    ASSERT_TRUE(
        AddTool(TTF_IDISHWND | TTF_SUBCLASS, m_hParent, reinterpret_cast<UINT_PTR>(hOther), L"Other"));
    DestroyWindow(m_hTip);
    EXPECT_EQ(GetWindowLongPtrW(hOther, GWLP_WNDPROC), pfnOriginal);
    MoveTo(POINT{120, 205});
    EXPECT_EQ(SendMessageW(m_hTip, TTM_GETTOOLCOUNT, 0, 0), 0);
}

TEST_F(CTooltipTest, PaintsTheTextOnTheTipColoursInsideAFrame)
{
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(m_hTip, TTM_GETTIPBKCOLOR, 0, 0)), RGB(255, 255, 225));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(m_hTip, TTM_GETTIPTEXTCOLOR, 0, 0)), RGB(0, 0, 0));
    ASSERT_TRUE(AddWindowTool(L"Apply"));
    MoveTo(POINT{130, 125});
    AdvanceClock(500);
    const RECT rc = TipRect();
    CTestCanvas canvas(rc.right - rc.left, rc.bottom - rc.top);
    SendMessageW(m_hTip, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    EXPECT_EQ(canvas.At(0, 0), RGB(100, 100, 100));
    EXPECT_EQ(canvas.At(2, 2), RGB(255, 255, 225));
    // The text's ink stays inside the frame and the padding (5 pixels each
    // side, 3 above and below).
    const SImage image = canvas.Snapshot();
    RECT rcInk{image.nWidth, image.nHeight, 0, 0};
    for (LONG y = 1; y < image.nHeight - 1; ++y)
    {
        for (LONG x = 1; x < image.nWidth - 1; ++x)
        {
            if (ColourOf(image.At(x, y)) == RGB(255, 255, 225))
                continue;
            rcInk = RECT{std::min(rcInk.left, x), std::min(rcInk.top, y), std::max(rcInk.right, x + 1),
                         std::max(rcInk.bottom, y + 1)};
        }
    }
    EXPECT_GE(rcInk.left, 5);
    EXPECT_GE(rcInk.top, 3);
    EXPECT_LE(rcInk.right, image.nWidth - 5);
    EXPECT_LE(rcInk.bottom, image.nHeight - 3);
    EXPECT_LT(rcInk.left, rcInk.right); // some text was drawn

    SendMessageW(m_hTip, TTM_SETTIPBKCOLOR, RGB(200, 220, 240), 0);
    SendMessageW(m_hTip, TTM_SETTIPTEXTCOLOR, RGB(200, 0, 0), 0);
    SendMessageW(m_hTip, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    EXPECT_EQ(canvas.At(2, 2), RGB(200, 220, 240));
    const std::string red = PointsWhere(canvas.Snapshot(), [](COLORREF c) { return c == RGB(200, 0, 0); });
    EXPECT_FALSE(red.empty());
}

TEST_F(CTooltipTest, ToolTipCtrlWrapsTheMessages)
{
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(CWnd::FromHandle(m_hParent)));
    EXPECT_TRUE(tip.AddTool(CWnd::FromHandle(m_hTool), L"Wrapped"));
    EXPECT_EQ(tip.GetToolCount(), 1);
    CString strText;
    tip.GetText(strText, CWnd::FromHandle(m_hTool));
    EXPECT_EQ(strText, CString(L"Wrapped"));
    TOOLINFOW ti{};
    ASSERT_TRUE(tip.GetToolInfo(ti, CWnd::FromHandle(m_hTool)));
    EXPECT_EQ(ti.uFlags, static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS));
    EXPECT_EQ(ti.hwnd, m_hParent);

    tip.SetDelayTime(TTDT_INITIAL, 100);
    EXPECT_EQ(tip.GetDelayTime(TTDT_INITIAL), 100);
    MoveTo(POINT{130, 125});
    AdvanceClock(100);
    EXPECT_TRUE(tip.IsWindowVisible());
    tip.UpdateTipText(7, CWnd::FromHandle(m_hTool));
    tip.Pop();
    EXPECT_FALSE(tip.IsWindowVisible());
    tip.Activate(FALSE);
    MoveTo(POINT{400, 400});
    MoveTo(POINT{130, 125});
    AdvanceClock(1000);
    EXPECT_FALSE(tip.IsWindowVisible());
    tip.DelTool(CWnd::FromHandle(m_hTool));
    EXPECT_EQ(tip.GetToolCount(), 0);
    tip.DestroyWindow();
}

} // namespace
