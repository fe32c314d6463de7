// Injected input becoming window messages: routing, capture, tracking,
// double clicks, keys, focus and cursors.
#include "Input.h"
#include "WindowTestSupport.h"

namespace
{

class CInput : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        // A pop-up at (100, 100), 200 x 200, with no frame: client and screen
        // coordinates differ by (100, 100).
        m_hTop = CreateTopLevel({100, 100, 300, 300});
        PumpMessages();
        RecordedMessages().clear();
    }
    HWND m_hTop = nullptr;
};

std::vector<SRecordedMessage> MouseMessages(HWND hWnd)
{
    std::vector<SRecordedMessage> out;
    for (const SRecordedMessage& m : MessagesTo(hWnd))
    {
        if ((m.nMessage >= WM_MOUSEFIRST && m.nMessage <= WM_MOUSELAST) || m.nMessage == WM_MOUSELEAVE ||
            (m.nMessage >= WM_NCMOUSEMOVE && m.nMessage <= WM_NCMBUTTONDBLCLK))
            out.push_back(m);
    }
    return out;
}

TEST_F(CInput, AClickArrivesInClientCoordinatesAfterSetCursor)
{
    SHORT nButtonStateInHandler = 0;
    Reactions()[m_hTop] = [&](HWND, UINT nMessage, WPARAM, LPARAM, LRESULT&)
    {
        if (nMessage == WM_LBUTTONDOWN)
            nButtonStateInHandler = GetKeyState(VK_LBUTTON);
        return false;
    };
    InjectClick({130, 140});
    PumpMessages();
    const auto mouse = MouseMessages(m_hTop);
    ASSERT_EQ(MessageNumbers(mouse), (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(GET_X_LPARAM(mouse[1].lParam), 30);
    EXPECT_EQ(GET_Y_LPARAM(mouse[1].lParam), 40);
    EXPECT_EQ(mouse[1].wParam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(mouse[2].wParam, 0u);
    EXPECT_LT(nButtonStateInHandler, 0);
    EXPECT_GE(GetKeyState(VK_LBUTTON), 0);
    // WM_SETCURSOR precedes each mouse message, naming the client area.
    const int nSetCursor = IndexOf(m_hTop, WM_SETCURSOR);
    ASSERT_GE(nSetCursor, 0);
    EXPECT_LT(nSetCursor, IndexOf(m_hTop, WM_MOUSEMOVE));
    EXPECT_EQ(LOWORD(static_cast<ULONG_PTR>(RecordedMessages()[nSetCursor].lParam)), HTCLIENT);
    POINT pt;
    GetCursorPos(&pt);
    EXPECT_EQ(CPoint(pt), CPoint(130, 140));
}

TEST_F(CInput, CaptureKeepsADragThatLeavesTheWindow)
{
    const HWND hNeighbour = CreateTopLevel({300, 100, 400, 300});
    PumpMessages();
    Reactions()[m_hTop] = [](HWND hWnd, UINT nMessage, WPARAM, LPARAM, LRESULT&)
    {
        if (nMessage == WM_LBUTTONDOWN)
            SetCapture(hWnd);
        if (nMessage == WM_LBUTTONUP)
            ReleaseCapture();
        return false;
    };
    RecordedMessages().clear();
    InjectMouseButton(EMouseButton::Left, true, {110, 110});
    InjectMouseMove({50, 60});   // left of and above the window
    InjectMouseMove({350, 150}); // over the neighbour
    InjectMouseButton(EMouseButton::Left, false, {350, 150});
    PumpMessages();

    const auto mouse = MouseMessages(m_hTop);
    ASSERT_EQ(MessageNumbers(mouse),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_MOUSEMOVE, WM_LBUTTONUP}));
    EXPECT_EQ(GET_X_LPARAM(mouse[1].lParam), -50);
    EXPECT_EQ(GET_Y_LPARAM(mouse[1].lParam), -40);
    EXPECT_EQ(mouse[1].wParam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(GET_X_LPARAM(mouse[3].lParam), 250);
    EXPECT_EQ(MessagesTo(m_hTop, WM_CAPTURECHANGED).size(), 1u);
    EXPECT_EQ(GetCapture(), nullptr);
    // After the release the window under the pointer hears where it is.
    EXPECT_EQ(MessageNumbers(MouseMessages(hNeighbour)), (std::vector<UINT>{WM_MOUSEMOVE}));
}

TEST_F(CInput, ADragLoopOfItsOwnGetsTheInputWhileItHoldsTheCapture)
{
    // As a stop editor does: the press starts a loop of GetMessageW that runs
    // while the window holds the capture and ends at the release.
    std::vector<CPoint> dragged;
    bool bLoopEnded = false;
    Reactions()[m_hTop] = [&](HWND hWnd, UINT nMessage, WPARAM, LPARAM, LRESULT&)
    {
        if (nMessage != WM_LBUTTONDOWN)
            return false;
        SetCapture(hWnd);
        MSG msg;
        while (GetCapture() == hWnd && GetMessageW(&msg, nullptr, 0, 0))
        {
            if (msg.message == WM_MOUSEMOVE)
                dragged.emplace_back(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            else if (msg.message == WM_LBUTTONUP)
                ReleaseCapture();
            else
                DispatchMessageW(&msg);
        }
        bLoopEnded = true;
        return true;
    };
    InjectDrag({110, 120}, {10, 160}, 2);
    PumpMessages();
    EXPECT_TRUE(bLoopEnded);
    EXPECT_EQ(dragged, (std::vector<CPoint>{CPoint(-40, 40), CPoint(-90, 60)}));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(IsQuitPending());
}

TEST_F(CInput, MouseLeaveComesExactlyOncePerTracking)
{
    Reactions()[m_hTop] = [](HWND hWnd, UINT nMessage, WPARAM, LPARAM, LRESULT&)
    {
        if (nMessage == WM_USER)
        {
            TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, hWnd, 0};
            EXPECT_TRUE(_TrackMouseEvent(&tme));
        }
        return false;
    };
    InjectMouseMove({150, 150});
    PumpMessages();
    SendMessageW(m_hTop, WM_USER, 0, 0);
    TRACKMOUSEEVENT query{sizeof(query), TME_QUERY, nullptr, 0};
    ASSERT_TRUE(TrackMouseEvent(&query));
    EXPECT_EQ(query.hwndTrack, m_hTop);
    EXPECT_EQ(query.dwFlags, static_cast<DWORD>(TME_LEAVE));

    InjectMouseMove({160, 160}); // still inside
    InjectMouseMove({20, 20});   // out
    InjectMouseMove({10, 10});   // further out
    InjectMouseMove({150, 150}); // back in, not tracked again
    InjectMouseMove({20, 20});   // out again
    PumpMessages();
    EXPECT_EQ(MessagesTo(m_hTop, WM_MOUSELEAVE).size(), 1u);

    // Asking while the pointer is elsewhere gets the notice at once.
    SendMessageW(m_hTop, WM_USER, 0, 0);
    PumpMessages();
    EXPECT_EQ(MessagesTo(m_hTop, WM_MOUSELEAVE).size(), 2u);
}

TEST_F(CInput, MovingOntoAChildIsLeavingTheParent)
{
    const HWND hChild = CreateChild(m_hTop, {50, 50, 100, 100}, 1);
    PumpMessages();
    InjectMouseMove({110, 110});
    PumpMessages();
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, m_hTop, 0};
    TrackMouseEvent(&tme);
    InjectMouseMove({160, 160}); // over the child
    PumpMessages();
    EXPECT_EQ(MessagesTo(m_hTop, WM_MOUSELEAVE).size(), 1u);
    EXPECT_EQ(MessagesTo(hChild, WM_MOUSEMOVE).size(), 1u);
}

TEST_F(CInput, AWindowRegionExcludesTheOverlapFromHitTesting)
{
    // The first child created lies on top; its region leaves out the corner
    // it shares with the second, so the second shows (and is hit) there.
    const HWND hUpper = CreateChild(m_hTop, {0, 0, 60, 60}, 1);
    const HWND hLower = CreateChild(m_hTop, {40, 40, 100, 100}, 2);
    EXPECT_EQ(WindowFromPoint({145, 145}), hUpper);
    HRGN hWhole = CreateRectRgn(0, 0, 60, 60);
    HRGN hOverlap = CreateRectRgn(40, 40, 60, 60);
    CombineRgn(hWhole, hWhole, hOverlap, RGN_DIFF);
    DeleteRgn(hOverlap);
    EXPECT_NE(SetWindowRgn(hUpper, hWhole, TRUE), 0);
    EXPECT_EQ(WindowFromPoint({145, 145}), hLower);
    EXPECT_EQ(WindowFromPoint({135, 135}), hUpper);
    PumpMessages();
    RecordedMessages().clear();
    InjectClick({145, 145});
    PumpMessages();
    EXPECT_EQ(MessagesTo(hLower, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_TRUE(MessagesTo(hUpper, WM_LBUTTONDOWN).empty());
    HRGN hCopy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(hUpper, hCopy), COMPLEXREGION);
    DeleteRgn(hCopy);
    // Removing the region gives the whole rectangle back.
    SetWindowRgn(hUpper, nullptr, FALSE);
    EXPECT_EQ(WindowFromPoint({145, 145}), hUpper);
}

TEST_F(CInput, HiddenDisabledAndTransparentWindowsAreSkipped)
{
    const HWND hHidden = CreateChild(m_hTop, {0, 0, 50, 50}, 1, WS_CHILD);
    const HWND hDisabled = CreateChild(m_hTop, {50, 0, 100, 50}, 2, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    const HWND hTransparent = CreateChild(m_hTop, {100, 0, 150, 50}, 3);
    const HWND hBelow = CreateChild(m_hTop, {100, 0, 150, 50}, 4);
    Reactions()[hTransparent] = [](HWND, UINT nMessage, WPARAM, LPARAM, LRESULT& lResult)
    {
        lResult = HTTRANSPARENT;
        return nMessage == WM_NCHITTEST;
    };
    EXPECT_EQ(WindowFromPoint({110, 110}), m_hTop);
    EXPECT_EQ(WindowFromPoint({160, 110}), m_hTop); // a disabled child passes to its parent
    EXPECT_EQ(WindowFromPoint({210, 110}), hBelow);
    EXPECT_EQ(ChildWindowFromPoint(m_hTop, {10, 10}), hHidden); // does not skip
    PumpMessages();
    RecordedMessages().clear();
    InjectClick({160, 110});
    PumpMessages();
    EXPECT_TRUE(MessagesTo(hDisabled, WM_LBUTTONDOWN).empty());
    ASSERT_EQ(MessagesTo(m_hTop, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(MessagesTo(m_hTop, WM_LBUTTONDOWN).front().lParam), 60);
}

TEST_F(CInput, ADisabledTopLevelWindowSwallowsTheMouse)
{
    EnableWindow(m_hTop, FALSE);
    RecordedMessages().clear();
    InjectClick({150, 150});
    PumpMessages();
    EXPECT_TRUE(MouseMessages(m_hTop).empty());
    EXPECT_EQ(WindowFromPoint({150, 150}), nullptr);
}

TEST_F(CInput, DoubleClicksNeedTheClassStyleTheTimeAndTheDistance)
{
    const HWND hDouble =
        CreateTopLevel({400, 100, 500, 200}, WS_POPUP | WS_VISIBLE, RecordingDoubleClickClass());
    PumpMessages();
    RecordedMessages().clear();
    InjectClick({410, 110});
    InjectClick({411, 111}); // within 2 pixels, no time passed
    InjectClick({411, 111}); // a third click starts over
    PumpMessages();
    EXPECT_EQ(MessageNumbers(MessagesTo(hDouble, WM_LBUTTONDBLCLK)).size(), 1u);
    EXPECT_EQ(MessagesTo(hDouble, WM_LBUTTONDOWN).size(), 2u);

    RecordedMessages().clear();
    InjectClick({450, 150});
    AdvanceClock(GetDoubleClickTime() + 1);
    InjectClick({450, 150});
    InjectClick({455, 150}); // too far from the last press
    PumpMessages();
    EXPECT_TRUE(MessagesTo(hDouble, WM_LBUTTONDBLCLK).empty());
    EXPECT_EQ(MessagesTo(hDouble, WM_LBUTTONDOWN).size(), 3u);

    // Without CS_DBLCLKS two quick clicks stay two presses.
    RecordedMessages().clear();
    InjectClick({150, 150});
    InjectClick({150, 150});
    PumpMessages();
    EXPECT_TRUE(MessagesTo(m_hTop, WM_LBUTTONDBLCLK).empty());
    EXPECT_EQ(MessagesTo(m_hTop, WM_LBUTTONDOWN).size(), 2u);
}

TEST_F(CInput, ClicksOutsideTheClientAreaAreNonClientMessages)
{
    const HWND hFramed = CreateTopLevel({400, 400, 600, 600}, WS_OVERLAPPED | WS_VISIBLE);
    PumpMessages();
    RecordedMessages().clear();
    InjectClick({500, 410}); // in the caption
    PumpMessages();
    const auto mouse = MouseMessages(hFramed);
    ASSERT_EQ(MessageNumbers(mouse), (std::vector<UINT>{WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP}));
    EXPECT_EQ(mouse[1].wParam, static_cast<WPARAM>(HTCAPTION));
    EXPECT_EQ(GET_X_LPARAM(mouse[1].lParam), 500); // screen coordinates
}

TEST_F(CInput, ClickingAnInactiveWindowActivatesIt)
{
    const HWND hOther = CreateTopLevel({400, 100, 500, 200});
    PumpMessages();
    EXPECT_EQ(GetActiveWindow(), hOther);
    RecordedMessages().clear();
    InjectClick({150, 150});
    PumpMessages();
    EXPECT_EQ(GetActiveWindow(), m_hTop);
    ASSERT_FALSE(MessagesTo(m_hTop, WM_ACTIVATE).empty());
    EXPECT_EQ(LOWORD(MessagesTo(m_hTop, WM_ACTIVATE).front().wParam), WA_CLICKACTIVE);
    EXPECT_LT(IndexOf(m_hTop, WM_MOUSEACTIVATE), IndexOf(m_hTop, WM_LBUTTONDOWN));
    EXPECT_EQ(LOWORD(MessagesTo(hOther, WM_ACTIVATE).back().wParam), WA_INACTIVE);
    EXPECT_EQ(GetTopWindow(nullptr), m_hTop);
}

TEST_F(CInput, KeysGoToTheFocusWithCharactersAndModifiers)
{
    const HWND hEdit = CreateChild(m_hTop, {0, 0, 50, 20}, 1);
    SetFocus(hEdit);
    RecordedMessages().clear();
    InjectKeyPress('A');
    InjectKey(VK_LSHIFT, true);
    InjectKeyPress('B');
    InjectKey(VK_LSHIFT, false);
    PumpMessages();
    std::vector<std::pair<UINT, WPARAM>> keys;
    for (const SRecordedMessage& m : MessagesTo(hEdit))
    {
        if (m.nMessage >= WM_KEYFIRST && m.nMessage <= WM_KEYLAST)
            keys.emplace_back(m.nMessage, m.wParam);
    }
    const std::vector<std::pair<UINT, WPARAM>> expected{
        {WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYUP, 'A'}, {WM_KEYDOWN, VK_SHIFT},
        {WM_KEYDOWN, 'B'}, {WM_CHAR, 'B'}, {WM_KEYUP, 'B'}, {WM_KEYUP, VK_SHIFT}};
    EXPECT_EQ(keys, expected);
    const SRecordedMessage up = MessagesTo(hEdit, WM_KEYUP).front();
    EXPECT_NE(up.lParam & (LPARAM{1} << 31), 0); // transition bit of a release
    EXPECT_NE(up.lParam & (LPARAM{1} << 30), 0); // was down before
}

TEST_F(CInput, KeyStateFollowsSidedAndGenericKeys)
{
    InjectKey(VK_RCONTROL, true);
    PumpMessages();
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    EXPECT_LT(GetKeyState(VK_RCONTROL), 0);
    EXPECT_GE(GetKeyState(VK_LCONTROL), 0);
    EXPECT_LT(GetAsyncKeyState(VK_CONTROL), 0);
    InjectKey(VK_LCONTROL, true);
    InjectKey(VK_RCONTROL, false);
    PumpMessages();
    EXPECT_LT(GetKeyState(VK_CONTROL), 0); // the left one is still held
    InjectKey(VK_LCONTROL, false);
    PumpMessages();
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    // Caps Lock toggles on each press.
    InjectKeyPress(VK_CAPITAL);
    PumpMessages();
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
}

TEST_F(CInput, AltMakesSystemKeysAndHeldKeysRepeat)
{
    SetFocus(m_hTop);
    RecordedMessages().clear();
    InjectKey(VK_MENU, true);
    InjectKeyPress('X');
    InjectKey(VK_MENU, false);
    InjectKey(VK_DOWN, true);
    InjectKey(VK_DOWN, true);
    PumpMessages();
    const auto sys = MessagesTo(m_hTop, WM_SYSKEYDOWN);
    ASSERT_EQ(sys.size(), 2u);
    EXPECT_EQ(sys[1].wParam, static_cast<WPARAM>('X'));
    EXPECT_NE(sys[1].lParam & (LPARAM{1} << 29), 0); // context code: Alt held
    ASSERT_EQ(MessagesTo(m_hTop, WM_SYSCHAR).size(), 1u);
    EXPECT_EQ(MessagesTo(m_hTop, WM_SYSCHAR).front().wParam, static_cast<WPARAM>('x'));
    const auto downs = MessagesTo(m_hTop, WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].lParam & (LPARAM{1} << 30), 0);
    EXPECT_NE(downs[1].lParam & (LPARAM{1} << 30), 0); // a repeat
    EXPECT_NE(downs[1].lParam & (LPARAM{1} << 24), 0); // arrows are extended keys
}

TEST_F(CInput, FocusChangesTellBothWindows)
{
    const HWND hFirst = CreateChild(m_hTop, {0, 0, 10, 10}, 1);
    const HWND hSecond = CreateChild(m_hTop, {10, 0, 20, 10}, 2);
    SetFocus(hFirst);
    RecordedMessages().clear();
    EXPECT_EQ(SetFocus(hSecond), hFirst);
    ASSERT_EQ(MessagesTo(hFirst, WM_KILLFOCUS).size(), 1u);
    EXPECT_EQ(MessagesTo(hFirst, WM_KILLFOCUS).front().wParam, reinterpret_cast<WPARAM>(hSecond));
    ASSERT_EQ(MessagesTo(hSecond, WM_SETFOCUS).size(), 1u);
    EXPECT_EQ(MessagesTo(hSecond, WM_SETFOCUS).front().wParam, reinterpret_cast<WPARAM>(hFirst));
    EXPECT_LT(IndexOf(hFirst, WM_KILLFOCUS), IndexOf(hSecond, WM_SETFOCUS));
    DestroyWindow(hSecond);
    EXPECT_EQ(GetFocus(), nullptr);
    // Disabling the focus window takes the focus away too.
    SetFocus(hFirst);
    EnableWindow(hFirst, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(CInput, WheelGoesUnderThePointerAndUnhandledUpToTheParent)
{
    const HWND hChild = CreateChild(m_hTop, {0, 0, 50, 50}, 1);
    PumpMessages();
    RecordedMessages().clear();
    InjectMouseWheel(-2 * WHEEL_DELTA, {110, 120});
    PumpMessages();
    ASSERT_EQ(MessagesTo(hChild, WM_MOUSEWHEEL).size(), 1u);
    const SRecordedMessage wheel = MessagesTo(hChild, WM_MOUSEWHEEL).front();
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel.wParam), -240);
    EXPECT_EQ(GET_X_LPARAM(wheel.lParam), 110); // screen coordinates
    EXPECT_EQ(MessagesTo(m_hTop, WM_MOUSEWHEEL).size(), 1u);
}

TEST_F(CInput, SetCursorUsesTheClassCursorUnlessAHandlerDecides)
{
    static const HCURSOR s_hCross = LoadCursorW(nullptr, IDC_CROSS);
    ASSERT_NE(s_hCross, nullptr);
    EXPECT_EQ(LoadCursorW(nullptr, IDC_CROSS), s_hCross);
    EXPECT_NE(LoadCursorW(nullptr, IDC_SIZEWE), s_hCross);
    EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(12345)), nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = RecordingWndProc;
    wc.hCursor = s_hCross;
    wc.lpszClassName = L"TestCrossCursor";
    static const ATOM s_nAtom = RegisterClassExW(&wc);
    ASSERT_NE(s_nAtom, 0);
    const HWND hCross = CreateChild(m_hTop, {0, 0, 50, 50}, 1, WS_CHILD | WS_VISIBLE, L"TestCrossCursor");
    const HWND hCustom = CreateChild(m_hTop, {50, 0, 100, 50}, 2, WS_CHILD | WS_VISIBLE, L"TestCrossCursor");
    Reactions()[hCustom] = [](HWND, UINT nMessage, WPARAM, LPARAM, LRESULT& lResult)
    {
        if (nMessage != WM_SETCURSOR)
            return false;
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        lResult = TRUE;
        return true;
    };
    InjectMouseMove({110, 110});
    PumpMessages();
    EXPECT_EQ(GetCursor(), s_hCross);
    InjectMouseMove({160, 110});
    PumpMessages();
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZEWE));
    (void)hCross;
}

TEST_F(CInput, HoverIsReportedAfterThePointerRests)
{
    InjectMouseMove({150, 150});
    PumpMessages();
    TRACKMOUSEEVENT tme{sizeof(tme), TME_HOVER, m_hTop, 300};
    ASSERT_TRUE(TrackMouseEvent(&tme));
    AdvanceClock(299);
    EXPECT_TRUE(MessagesTo(m_hTop, WM_MOUSEHOVER).empty());
    AdvanceClock(1);
    ASSERT_EQ(MessagesTo(m_hTop, WM_MOUSEHOVER).size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(MessagesTo(m_hTop, WM_MOUSEHOVER).front().lParam), 50);
    AdvanceClock(1000);
    EXPECT_EQ(MessagesTo(m_hTop, WM_MOUSEHOVER).size(), 1u);
}

} // namespace
