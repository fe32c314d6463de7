// The window tree and placement: Z-order, coordinates, frames, placement
// messages, window data.
#include "WindowTestSupport.h"

namespace
{

using CWindowTree = CWindowTest;

TEST_F(CWindowTree, ChildrenKeepCreationOrderAndTopLevelWindowsStackNewestFirst)
{
    const HWND hParent = CreateTopLevel({0, 0, 300, 300});
    const HWND hA = CreateChild(hParent, {0, 0, 10, 10}, 1);
    const HWND hB = CreateChild(hParent, {0, 0, 10, 10}, 2);
    const HWND hC = CreateChild(hParent, {0, 0, 10, 10}, 3);
    EXPECT_EQ(GetWindow(hParent, GW_CHILD), hA);
    EXPECT_EQ(GetWindow(hA, GW_HWNDNEXT), hB);
    EXPECT_EQ(GetWindow(hC, GW_HWNDPREV), hB);
    EXPECT_EQ(GetWindow(hB, GW_HWNDLAST), hC);
    EXPECT_EQ(GetWindow(hC, GW_HWNDNEXT), nullptr);

    SetWindowPos(hA, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetTopWindow(hParent), hB);
    SetWindowPos(hA, hB, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); // just below B
    EXPECT_EQ(GetWindow(hB, GW_HWNDNEXT), hA);
    EXPECT_EQ(GetWindow(hA, GW_HWNDNEXT), hC);

    const HWND hOther = CreateTopLevel({0, 0, 10, 10});
    EXPECT_EQ(GetTopWindow(nullptr), hOther);
    EXPECT_EQ(GetWindow(hOther, GW_HWNDNEXT), hParent);
}

TEST_F(CWindowTree, TopmostWindowsStayAboveTheOthers)
{
    const HWND hTopmost = CreateWindowExW(WS_EX_TOPMOST, RecordingClass(), L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                          10, 10, nullptr, nullptr, nullptr, nullptr);
    const HWND hOrdinary = CreateTopLevel({0, 0, 10, 10});
    EXPECT_EQ(GetTopWindow(nullptr), hTopmost);
    BringWindowToTop(hOrdinary);
    EXPECT_EQ(GetTopWindow(nullptr), hTopmost);
    SetWindowPos(hTopmost, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetTopWindow(nullptr), hTopmost); // first among the ordinary ones
    BringWindowToTop(hOrdinary);
    EXPECT_EQ(GetTopWindow(nullptr), hOrdinary);
}

TEST_F(CWindowTree, CoordinatesFollowFramesAndParents)
{
    // A bordered pop-up at (100, 200): the border is 1 pixel, so its client
    // area starts at (101, 201). The child sits at (10, 20) in that client area.
    const HWND hParent = CreateTopLevel({100, 200, 400, 500}, WS_POPUP | WS_BORDER | WS_VISIBLE);
    const HWND hChild = CreateChild(hParent, {10, 20, 60, 50}, 1);
    RECT rc;
    GetClientRect(hParent, &rc);
    EXPECT_EQ(CRect(rc), CRect(0, 0, 298, 298));
    GetWindowRect(hChild, &rc);
    EXPECT_EQ(CRect(rc), CRect(111, 221, 161, 251));
    POINT pt{5, 5};
    ClientToScreen(hChild, &pt);
    EXPECT_EQ(CPoint(pt), CPoint(116, 226));
    ScreenToClient(hParent, &pt);
    EXPECT_EQ(CPoint(pt), CPoint(15, 25));
    POINT pts[2] = {{0, 0}, {-5, 7}};
    const int nOffset = MapWindowPoints(hChild, hParent, pts, 2);
    EXPECT_EQ(CPoint(pts[0]), CPoint(10, 20));
    EXPECT_EQ(CPoint(pts[1]), CPoint(5, 27));
    EXPECT_EQ(static_cast<SHORT>(LOWORD(static_cast<ULONG_PTR>(nOffset))), 10);
    EXPECT_EQ(static_cast<SHORT>(HIWORD(static_cast<ULONG_PTR>(nOffset))), 20);
    POINT back{10, 20};
    MapWindowPoints(hParent, nullptr, &back, 1);
    EXPECT_EQ(CPoint(back), CPoint(111, 221));
}

TEST_F(CWindowTree, OverlappedWindowsGetACaptionAndAdjustWindowRectInverts)
{
    const HWND hWnd = CreateTopLevel({0, 0, 300, 200}, WS_OVERLAPPED | WS_VISIBLE);
    EXPECT_EQ(GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CAPTION, static_cast<LONG_PTR>(WS_CAPTION));
    RECT rc;
    GetClientRect(hWnd, &rc);
    // A caption is a 3-pixel dialog frame on each side plus 23 pixels of title.
    EXPECT_EQ(CRect(rc), CRect(0, 0, 294, 171));
    RECT adjusted{0, 0, 294, 171};
    AdjustWindowRectEx(&adjusted, WS_CAPTION, FALSE, 0);
    EXPECT_EQ(CRect(adjusted), CRect(-3, -26, 297, 174));
    RECT thick{0, 0, 100, 100};
    AdjustWindowRectEx(&thick, WS_THICKFRAME, FALSE, WS_EX_CLIENTEDGE);
    EXPECT_EQ(CRect(thick), CRect(-6, -6, 106, 106));
}

TEST_F(CWindowTree, SetWindowPosSendsSizeAndMoveOnlyForWhatChanged)
{
    const HWND hParent = CreateTopLevel({0, 0, 300, 300});
    const HWND hChild = CreateChild(hParent, {0, 0, 50, 50}, 1);
    RecordedMessages().clear();
    MoveWindow(hChild, 10, 10, 50, 50, TRUE);
    EXPECT_EQ(MessageNumbers(MessagesTo(hChild)),
              (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}));
    RecordedMessages().clear();
    SetWindowPos(hChild, nullptr, 0, 0, 70, 40, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(MessageNumbers(MessagesTo(hChild)),
              (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_SIZE}));
    EXPECT_EQ(MessagesTo(hChild, WM_SIZE).front().lParam, MAKELPARAM(70, 40));
    RECT rc;
    GetWindowRect(hChild, &rc);
    EXPECT_EQ(CRect(rc), CRect(10, 10, 80, 50));
}

TEST_F(CWindowTree, WindowPosChangingCanAlterThePlacement)
{
    const HWND hWnd = CreateTopLevel({0, 0, 100, 100});
    Reactions()[hWnd] = [](HWND, UINT nMessage, WPARAM, LPARAM lParam, LRESULT&)
    {
        if (nMessage == WM_WINDOWPOSCHANGING)
            reinterpret_cast<WINDOWPOS*>(lParam)->cx = 33; // keep a fixed width
        return false;
    };
    SetWindowPos(hWnd, nullptr, 5, 6, 200, 150, SWP_NOZORDER);
    RECT rc;
    GetWindowRect(hWnd, &rc);
    EXPECT_EQ(CRect(rc), CRect(5, 6, 38, 156));
}

TEST_F(CWindowTree, ShowHideAndEnableSendTheirMessages)
{
    const HWND hParent = CreateTopLevel({0, 0, 100, 100});
    const HWND hChild = CreateChild(hParent, {0, 0, 10, 10}, 1, WS_CHILD);
    EXPECT_FALSE(IsWindowVisible(hChild));
    EXPECT_FALSE(ShowWindow(hChild, SW_SHOW));
    EXPECT_TRUE(ShowWindow(hChild, SW_SHOW)); // was visible
    EXPECT_EQ(MessagesTo(hChild, WM_SHOWWINDOW).size(), 1u);
    ShowWindow(hParent, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(hChild)); // a hidden parent hides its children
    EXPECT_NE(GetWindowLongPtrW(hChild, GWL_STYLE) & WS_VISIBLE, 0);

    RecordedMessages().clear();
    EXPECT_FALSE(EnableWindow(hChild, FALSE)); // was enabled
    EXPECT_EQ(MessageNumbers(MessagesTo(hChild)), (std::vector<UINT>{WM_CANCELMODE, WM_ENABLE}));
    EXPECT_FALSE(IsWindowEnabled(hChild));
    EXPECT_TRUE(EnableWindow(hChild, FALSE)); // already disabled: no messages
    EXPECT_EQ(MessagesTo(hChild).size(), 2u);
    EXPECT_TRUE(EnableWindow(hChild, TRUE));
    EXPECT_EQ(MessagesTo(hChild, WM_ENABLE).back().wParam, static_cast<WPARAM>(TRUE));
}

TEST_F(CWindowTree, MaximiseFillsTheWorkAreaAndRestoreReturns)
{
    SetHeadlessScreen({800, 600}, {0, 0, 800, 560});
    const HWND hWnd = CreateTopLevel({10, 10, 110, 110}, WS_POPUP | WS_VISIBLE | WS_THICKFRAME);
    ShowWindow(hWnd, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(hWnd));
    RECT rc;
    GetWindowRect(hWnd, &rc);
    EXPECT_EQ(CRect(rc), CRect(0, 0, 800, 560));
    EXPECT_EQ(MessagesTo(hWnd, WM_SIZE).back().wParam, static_cast<WPARAM>(SIZE_MAXIMIZED));
    ShowWindow(hWnd, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(hWnd));
    GetWindowRect(hWnd, &rc);
    EXPECT_EQ(CRect(rc), CRect(10, 10, 110, 110));
    EXPECT_EQ(MessagesTo(hWnd, WM_SIZE).back().wParam, static_cast<WPARAM>(SIZE_RESTORED));
}

TEST_F(CWindowTree, WindowDataAndProperties)
{
    const HWND hWnd = CreateTopLevel({0, 0, 10, 10});
    EXPECT_EQ(SetWindowLongPtrW(hWnd, 0, 1234), 0);
    EXPECT_EQ(SetWindowLongPtrW(hWnd, sizeof(LONG_PTR), -5), 0);
    EXPECT_EQ(GetWindowLongPtrW(hWnd, 0), 1234);
    EXPECT_EQ(GetWindowLongPtrW(hWnd, sizeof(LONG_PTR)), -5);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrW(hWnd, 2 * sizeof(LONG_PTR)), 0); // past the extra bytes
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    EXPECT_EQ(SetWindowLongPtrW(hWnd, GWLP_USERDATA, 77), 0);
    EXPECT_EQ(SetWindowLongPtrW(hWnd, GWLP_USERDATA, 78), 77);

    int nValue = 0;
    EXPECT_TRUE(SetPropW(hWnd, L"State", &nValue));
    EXPECT_EQ(GetPropW(hWnd, L"STATE"), &nValue);
    EXPECT_EQ(RemovePropW(hWnd, L"state"), &nValue);
    EXPECT_EQ(GetPropW(hWnd, L"State"), nullptr);

    RecordedMessages().clear();
    SetWindowLongPtrW(hWnd, GWL_STYLE, WS_POPUP | WS_VISIBLE | WS_BORDER);
    EXPECT_EQ(MessageNumbers(MessagesTo(hWnd)), (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}));
    EXPECT_EQ(MessagesTo(hWnd, WM_STYLECHANGED).front().wParam, static_cast<WPARAM>(GWL_STYLE));
}

TEST_F(CWindowTree, TextGoesThroughTheTextMessagesAndIsTruncatedToTheBuffer)
{
    const HWND hWnd = CreateTopLevel({0, 0, 10, 10});
    SetWindowTextW(hWnd, L"Gradient");
    EXPECT_EQ(GetWindowTextLengthW(hWnd), 8);
    wchar_t szBuffer[5];
    EXPECT_EQ(GetWindowTextW(hWnd, szBuffer, 5), 4);
    EXPECT_STREQ(szBuffer, L"Grad");
    EXPECT_EQ(MessagesTo(hWnd, WM_SETTEXT).size(), 1u);
    EXPECT_EQ(MessagesTo(hWnd, WM_GETTEXT).size(), 1u);
}

TEST_F(CWindowTree, ReparentingMovesAWindowBetweenParents)
{
    const HWND hFirst = CreateTopLevel({0, 0, 100, 100});
    const HWND hSecond = CreateTopLevel({200, 0, 300, 100});
    const HWND hChild = CreateChild(hFirst, {5, 5, 15, 15}, 1);
    EXPECT_EQ(SetParent(hChild, hSecond), hFirst);
    EXPECT_EQ(GetParent(hChild), hSecond);
    EXPECT_EQ(GetWindow(hFirst, GW_CHILD), nullptr);
    RECT rc;
    GetWindowRect(hChild, &rc);
    EXPECT_EQ(CRect(rc), CRect(205, 5, 215, 15));
    EXPECT_EQ(SetParent(hSecond, hChild), nullptr); // not under its own descendant
    EXPECT_TRUE(IsChild(hSecond, hChild));
    EXPECT_FALSE(IsChild(hFirst, hChild));
}

TEST_F(CWindowTree, EnumerationVisitsDescendantsInZOrderAndCanStop)
{
    const HWND hParent = CreateTopLevel({0, 0, 100, 100});
    const HWND hA = CreateChild(hParent, {0, 0, 10, 10}, 1);
    const HWND hA1 = CreateChild(hA, {0, 0, 5, 5}, 11);
    const HWND hB = CreateChild(hParent, {0, 0, 10, 10}, 2);
    std::vector<HWND> seen;
    EnumChildWindows(
        hParent,
        [](HWND hWnd, LPARAM lParam) -> BOOL
        {
            reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen, (std::vector<HWND>{hA, hA1, hB}));
    seen.clear();
    EXPECT_FALSE(EnumChildWindows(
        hParent,
        [](HWND hWnd, LPARAM lParam) -> BOOL
        {
            reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&seen)));
    EXPECT_EQ(seen, (std::vector<HWND>{hA}));
}

} // namespace
