// Sending, posting and retrieving: order, filters, WM_QUIT, and loops that
// would wait headless.
#include "WindowTestSupport.h"

namespace
{

using CMessageQueue = CWindowTest;

std::vector<UINT> UserMessages(HWND hWnd)
{
    std::vector<UINT> out;
    for (UINT n : MessageNumbers(MessagesTo(hWnd)))
    {
        if (n >= WM_USER)
            out.push_back(n - WM_USER);
    }
    return out;
}

TEST_F(CMessageQueue, SentMessagesRunAtOncePostedOnesWhenPumped)
{
    const HWND hWnd = CreateTopLevel({0, 0, 10, 10});
    PumpMessages(); // its first paint
    Reactions()[hWnd] = [](HWND h, UINT nMessage, WPARAM, LPARAM, LRESULT&)
    {
        if (nMessage == WM_USER + 1)
        {
            // Inside a posted message: the send nests, the post waits its turn.
            PostMessageW(h, WM_USER + 4, 0, 0);
            SendMessageW(h, WM_USER + 3, 0, 0);
        }
        return false;
    };
    PostMessageW(hWnd, WM_USER + 1, 0, 0);
    PostMessageW(hWnd, WM_USER + 2, 0, 0);
    SendMessageW(hWnd, WM_USER + 0, 0, 0);
    EXPECT_EQ(UserMessages(hWnd), (std::vector<UINT>{0}));
    EXPECT_EQ(PumpMessages(), 3);
    EXPECT_EQ(UserMessages(hWnd), (std::vector<UINT>{0, 1, 3, 2, 4}));
    EXPECT_EQ(PumpMessages(), 0);
}

TEST_F(CMessageQueue, PeekFiltersByRangeAndWindowAndCanLeaveMessages)
{
    const HWND hParent = CreateTopLevel({0, 0, 100, 100});
    const HWND hChild = CreateChild(hParent, {0, 0, 10, 10}, 1);
    const HWND hOther = CreateTopLevel({0, 0, 10, 10});
    PumpMessages(); // the paints of the new windows
    PostMessageW(hOther, WM_USER + 1, 0, 0);
    PostMessageW(hChild, WM_USER + 2, 0, 0);
    PostMessageW(hParent, WM_APP, 0, 0);

    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, hParent, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.hwnd, hChild); // a child's messages count as its parent's
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_APP, WM_APP, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, hParent);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(CMessageQueue, ThreadMessagesHaveNoWindow)
{
    PostMessageW(nullptr, WM_APP + 5, 6, 7);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 5));
    EXPECT_EQ(msg.wParam, 6u);
    EXPECT_EQ(DispatchMessageW(&msg), 0);
}

TEST_F(CMessageQueue, QuitComesAfterPostedMessagesAndPumpsLeaveItPending)
{
    const HWND hWnd = CreateTopLevel({0, 0, 10, 10});
    PostQuitMessage(3);
    PostMessageW(hWnd, WM_USER, 0, 0);
    EXPECT_GE(PumpMessages(), 1);
    EXPECT_EQ(UserMessages(hWnd), (std::vector<UINT>{0}));
    int nCode = 0;
    EXPECT_TRUE(IsQuitPending(&nCode));
    EXPECT_EQ(nCode, 3);

    PostMessageW(hWnd, WM_USER + 1, 0, 0);
    MSG msg;
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(IsQuitPending());
}

TEST_F(CMessageQueue, AHeadlessGetMessageWithNothingToWaitForEndsTheLoop)
{
    SLogCapture capture;
    MSG msg;
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    ASSERT_EQ(CapturedLog().size(), 1u);
    EXPECT_NE(CapturedLog().front().find(L"GetMessageW"), std::wstring::npos);
}

TEST_F(CMessageQueue, AHeadlessDragLoopWithNoMoreInputLosesItsCapture)
{
    SLogCapture capture;
    const HWND hWnd = CreateTopLevel({0, 0, 10, 10});
    PumpMessages();
    SetCapture(hWnd);
    RecordedMessages().clear();
    MSG msg;
    // A drag loop of the usual shape: runs while it holds the capture.
    int nRounds = 0;
    while (GetCapture() == hWnd && nRounds++ < 10)
    {
        if (!GetMessageW(&msg, nullptr, 0, 0))
            break;
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(nRounds, 1);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(MessageNumbers(MessagesTo(hWnd)), (std::vector<UINT>{WM_CAPTURECHANGED, WM_CANCELMODE}));
}

TEST_F(CMessageQueue, TheIdleHookIsAskedBeforeAHeadlessLoopGivesUp)
{
    static HWND s_hWnd = nullptr;
    static int s_nCalls = 0;
    s_hWnd = CreateTopLevel({0, 0, 10, 10});
    PumpMessages();
    s_nCalls = 0;
    const PFN_HEADLESSIDLE pfnPrevious = SetHeadlessIdleHook(
        []() -> bool
        {
            if (++s_nCalls > 1)
                return false;
            PostMessageW(s_hWnd, WM_USER + 9, 0, 0);
            return true;
        });
    MSG msg;
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 9));
    {
        SLogCapture capture;
        EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    }
    EXPECT_EQ(s_nCalls, 2);
    SetHeadlessIdleHook(pfnPrevious);
}

TEST_F(CMessageQueue, RegisteredMessagesAreSharedByNameWhateverTheCase)
{
    const UINT nFirst = RegisterWindowMessageW(L"Materials.Changed");
    EXPECT_GE(nFirst, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageW(L"MATERIALS.CHANGED"), nFirst);
    EXPECT_NE(RegisterWindowMessageW(L"Materials.Other"), nFirst);
    EXPECT_EQ(RegisterWindowMessageW(L""), 0u);
}

TEST_F(CMessageQueue, AWindowThatNeverValidatesDoesNotHangThePump)
{
    SLogCapture capture;
    const HWND hWnd = CreateTopLevel({0, 0, 10, 10});
    Reactions()[hWnd] = [](HWND, UINT nMessage, WPARAM, LPARAM, LRESULT& lResult)
    {
        lResult = 0;
        return nMessage == WM_PAINT; // handled without BeginPaint
    };
    PumpMessages();
    EXPECT_EQ(MessagesTo(hWnd, WM_PAINT).size(), 1u);
    RECT rc;
    EXPECT_FALSE(GetUpdateRect(hWnd, &rc, FALSE));
    EXPECT_EQ(CapturedLog().size(), 1u);
}

} // namespace
