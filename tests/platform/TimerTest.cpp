// Timers on the manual clock.
#include "WindowTestSupport.h"

namespace
{

using CTimer = CWindowTest;

std::vector<DWORD>& CallbackTimes()
{
    static std::vector<DWORD> s_times;
    return s_times;
}

void RecordCallback(HWND, UINT nMessage, UINT_PTR, DWORD dwTime)
{
    EXPECT_EQ(nMessage, static_cast<UINT>(WM_TIMER));
    CallbackTimes().push_back(dwTime);
}

TEST_F(CTimer, FiresWhenTheClockReachesEachPeriod)
{
    const HWND hWnd = CreateTopLevel({0, 0, 10, 10});
    std::vector<DWORD> ticks;
    Reactions()[hWnd] = [&](HWND, UINT nMessage, WPARAM wParam, LPARAM, LRESULT&)
    {
        if (nMessage == WM_TIMER)
        {
            EXPECT_EQ(wParam, 400u);
            ticks.push_back(GetTickCount());
        }
        return false;
    };
    const DWORD dwStart = GetTickCount();
    EXPECT_EQ(SetTimer(hWnd, 400, 100, nullptr), 400u);
    AdvanceClock(99);
    EXPECT_TRUE(ticks.empty());
    AdvanceClock(1);
    EXPECT_EQ(ticks, (std::vector<DWORD>{dwStart + 100}));
    AdvanceClock(250);
    EXPECT_EQ(ticks, (std::vector<DWORD>{dwStart + 100, dwStart + 200, dwStart + 300}));
    EXPECT_EQ(GetTickCount(), dwStart + 350);

    EXPECT_TRUE(KillTimer(hWnd, 400));
    AdvanceClock(1000);
    EXPECT_EQ(ticks.size(), 3u);
    EXPECT_FALSE(KillTimer(hWnd, 400));
}

TEST_F(CTimer, WorkATimerPostsIsDoneBeforeTheNextTick)
{
    const HWND hWnd = CreateTopLevel({0, 0, 10, 10});
    std::vector<UINT> order;
    Reactions()[hWnd] = [&](HWND h, UINT nMessage, WPARAM, LPARAM, LRESULT&)
    {
        if (nMessage == WM_TIMER)
        {
            order.push_back(WM_TIMER);
            PostMessageW(h, WM_USER, 0, 0);
        }
        if (nMessage == WM_USER)
            order.push_back(WM_USER);
        return false;
    };
    SetTimer(hWnd, 1, 50, nullptr);
    AdvanceClock(100);
    EXPECT_EQ(order, (std::vector<UINT>{WM_TIMER, WM_USER, WM_TIMER, WM_USER}));
}

TEST_F(CTimer, ResettingATimerRestartsItsPeriod)
{
    const HWND hWnd = CreateTopLevel({0, 0, 10, 10});
    SetTimer(hWnd, 7, 100, nullptr);
    AdvanceClock(80);
    SetTimer(hWnd, 7, 100, nullptr); // same window and identifier: replaced
    AdvanceClock(80);
    EXPECT_TRUE(MessagesTo(hWnd, WM_TIMER).empty());
    AdvanceClock(20);
    EXPECT_EQ(MessagesTo(hWnd, WM_TIMER).size(), 1u);
}

TEST_F(CTimer, TimersDueTogetherFireInTheOrderTheyWereSet)
{
    const HWND hWnd = CreateTopLevel({0, 0, 10, 10});
    SetTimer(hWnd, 2, 30, nullptr);
    SetTimer(hWnd, 1, 30, nullptr);
    AdvanceClock(30);
    const auto timers = MessagesTo(hWnd, WM_TIMER);
    ASSERT_EQ(timers.size(), 2u);
    EXPECT_EQ(timers[0].wParam, 2u);
    EXPECT_EQ(timers[1].wParam, 1u);
}

TEST_F(CTimer, ACallbackReplacesTheWindowProcedure)
{
    const HWND hWnd = CreateTopLevel({0, 0, 10, 10});
    CallbackTimes().clear();
    const DWORD dwStart = GetTickCount();
    SetTimer(hWnd, 3, 40, RecordCallback);
    AdvanceClock(80);
    EXPECT_EQ(CallbackTimes(), (std::vector<DWORD>{dwStart + 40, dwStart + 80}));
    EXPECT_TRUE(MessagesTo(hWnd, WM_TIMER).empty());
}

TEST_F(CTimer, ThreadTimersGetTheirOwnIdentifiers)
{
    CallbackTimes().clear();
    const UINT_PTR nFirst = SetTimer(nullptr, 0, 10, RecordCallback);
    const UINT_PTR nSecond = SetTimer(nullptr, 0, 10, RecordCallback);
    EXPECT_NE(nFirst, 0u);
    EXPECT_NE(nFirst, nSecond);
    AdvanceClock(10);
    EXPECT_EQ(CallbackTimes().size(), 2u);
    EXPECT_TRUE(KillTimer(nullptr, nFirst));
    EXPECT_TRUE(KillTimer(nullptr, nSecond));
}

TEST_F(CTimer, ShortPeriodsAreRaisedToTheMinimum)
{
    const HWND hWnd = CreateTopLevel({0, 0, 10, 10});
    SetTimer(hWnd, 1, 1, nullptr);
    AdvanceClock(35);
    EXPECT_EQ(MessagesTo(hWnd, WM_TIMER).size(), 3u); // at 10, 20 and 30
}

TEST_F(CTimer, DestroyingAWindowKillsItsTimers)
{
    const HWND hWnd = CreateTopLevel({0, 0, 10, 10});
    SetTimer(hWnd, 1, 10, nullptr);
    DestroyWindow(hWnd);
    AdvanceClock(100);
    EXPECT_FALSE(KillTimer(hWnd, 1));
    EXPECT_EQ(SetTimer(hWnd, 1, 10, nullptr), 0u);
}

TEST_F(CTimer, WithoutAdvancingTheClockNothingIsDue)
{
    const HWND hWnd = CreateTopLevel({0, 0, 10, 10});
    SetTimer(hWnd, 1, 10, nullptr);
    PumpMessages();
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    AdvanceClock(10);
    EXPECT_EQ(MessagesTo(hWnd, WM_TIMER).size(), 1u);
}

} // namespace
