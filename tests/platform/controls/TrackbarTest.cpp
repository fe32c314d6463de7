// The track bar: range and position, the layout of its parts, dragging,
// paging with auto-repeat, keys, buddies and custom draw.
#include "CommCtlTestSupport.h"

#include <string>

namespace
{

class CTrackbarTest : public CCommCtlTest
{
protected:
    // 200 x 30 with ticks below: the thumb is 20 long and 11 wide, the block
    // of thumb and ticks (24) starts at (30 - 24) / 2 = 3, the channel runs
    // from 2 + 5 = 7 to 200 - 2 - 5 = 193 and is 4 thick round 3 + 10 = 13.
    HWND CreateTrackbar(DWORD dwStyle = 0, RECT rc = RECT{10, 20, 210, 50})
    {
        HWND hWnd = CreateControl(TRACKBAR_CLASS, WS_TABSTOP | dwStyle, rc);
        EXPECT_NE(hWnd, nullptr);
        return hWnd;
    }
    static int Pos(HWND hWnd) { return static_cast<int>(SendMessageW(hWnd, TBM_GETPOS, 0, 0)); }
    static RECT ThumbRect(HWND hWnd)
    {
        RECT rc{};
        SendMessageW(hWnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rc));
        return rc;
    }
    static RECT ChannelRect(HWND hWnd)
    {
        RECT rc{};
        SendMessageW(hWnd, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&rc));
        return rc;
    }
    // The scroll notices as "code:pos" words.
    std::string Scrolls(UINT nMessage = WM_HSCROLL) const
    {
        std::string text;
        for (const SNotice& notice : NoticesOf(nMessage))
        {
            text += std::to_string(LOWORD(notice.wParam)) + ":" + std::to_string(HIWORD(notice.wParam)) + " ";
        }
        return text;
    }
};

TEST_F(CTrackbarTest, RangePositionAndSizesAreKeptAndClamped)
{
    HWND hTrack = CreateTrackbar();
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETRANGEMIN, 0, 0), 0);
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETRANGEMAX, 0, 0), 100);
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETPAGESIZE, 0, 0), 20); // a fifth of the range
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETLINESIZE, 0, 0), 1);

    SendMessageW(hTrack, TBM_SETPOS, TRUE, 70);
    SendMessageW(hTrack, TBM_SETRANGE, TRUE, MAKELPARAM(10, 50));
    EXPECT_EQ(Pos(hTrack), 50);
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETPAGESIZE, 0, 0), 8);
    SendMessageW(hTrack, TBM_SETPOS, TRUE, -5);
    EXPECT_EQ(Pos(hTrack), 10);
    SendMessageW(hTrack, TBM_SETPOS, TRUE, 99);
    EXPECT_EQ(Pos(hTrack), 50);

    // Negative ends travel through the packed form as signed words.
    SendMessageW(hTrack, TBM_SETRANGE, FALSE, MAKELPARAM(static_cast<WORD>(-128), 127));
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETRANGEMIN, 0, 0), -128);
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETRANGEMAX, 0, 0), 127);
    SendMessageW(hTrack, TBM_SETRANGEMAX, FALSE, 30);
    EXPECT_EQ(Pos(hTrack), 30);

    // A page size once set stays when the range changes.
    EXPECT_EQ(SendMessageW(hTrack, TBM_SETPAGESIZE, 0, 7), 31);
    SendMessageW(hTrack, TBM_SETRANGEMIN, FALSE, 0);
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETPAGESIZE, 0, 0), 7);
    EXPECT_EQ(SendMessageW(hTrack, TBM_SETLINESIZE, 0, 3), 1);
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETLINESIZE, 0, 0), 3);
    // None of this told the parent anything.
    EXPECT_TRUE(m_notices.empty());

    DestroyWindow(hTrack);
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETPOS, 0, 0), 0);
}

TEST_F(CTrackbarTest, ChannelAndThumbFollowThePosition)
{
    HWND hTrack = CreateTrackbar();
    EXPECT_EQ(ChannelRect(hTrack), (RECT{7, 11, 193, 15}));
    EXPECT_EQ(ThumbRect(hTrack), (RECT{2, 3, 13, 23}));
    // 50 of 100 over 185 pixels is 92.5, rounded to 93: centre 100.
    SendMessageW(hTrack, TBM_SETPOS, TRUE, 50);
    EXPECT_EQ(ThumbRect(hTrack), (RECT{95, 3, 106, 23}));
    SendMessageW(hTrack, TBM_SETPOS, TRUE, 100);
    EXPECT_EQ(ThumbRect(hTrack), (RECT{187, 3, 198, 23}));
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETTHUMBLENGTH, 0, 0), 20);

    // The length is only taken with a fixed-length thumb.
    SendMessageW(hTrack, TBM_SETTHUMBLENGTH, 15, 0);
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETTHUMBLENGTH, 0, 0), 20);
}

TEST_F(CTrackbarTest, FixedLengthThumbWithoutTicksIsCentred)
{
    // 15 long and 8 wide in a 200 x 20 control: block (20 - 15) / 2 = 2,
    // channel from 2 + 4 = 6 to 194, centred on 2 + 7 = 9.
    HWND hTrack = CreateTrackbar(TBS_FIXEDLENGTH | TBS_NOTICKS, RECT{0, 0, 200, 20});
    SendMessageW(hTrack, TBM_SETTHUMBLENGTH, 15, 0);
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETTHUMBLENGTH, 0, 0), 15);
    EXPECT_EQ(ChannelRect(hTrack), (RECT{6, 7, 194, 11}));
    EXPECT_EQ(ThumbRect(hTrack), (RECT{2, 2, 10, 17}));
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETNUMTICS, 0, 0), 0);
}

TEST_F(CTrackbarTest, VerticalTrackBarLiesAcross)
{
    HWND hTrack = CreateTrackbar(TBS_VERT, RECT{10, 10, 40, 210});
    EXPECT_EQ(ChannelRect(hTrack), (RECT{11, 7, 15, 193}));
    EXPECT_EQ(ThumbRect(hTrack), (RECT{3, 2, 23, 13}));
    SetFocus(hTrack);
    InjectKeyPress(VK_DOWN);
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 1);
    EXPECT_EQ(Scrolls(WM_VSCROLL), "1:0 8:0 ");
    EXPECT_TRUE(NoticesOf(WM_HSCROLL).empty());
}

TEST_F(CTrackbarTest, TicksCountTheEndsTheAutomaticAndTheSetOnes)
{
    HWND hTrack = CreateTrackbar();
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETNUMTICS, 0, 0), 2);
    EXPECT_TRUE(SendMessageW(hTrack, TBM_SETTIC, 0, 30));
    EXPECT_FALSE(SendMessageW(hTrack, TBM_SETTIC, 0, 130));
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETNUMTICS, 0, 0), 3);
    SendMessageW(hTrack, TBM_CLEARTICS, TRUE, 0);
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETNUMTICS, 0, 0), 2);

    // Every 25 from 0: 0, 25, 50, 75 and the end 100.
    HWND hAuto = CreateTrackbar(TBS_AUTOTICKS, RECT{10, 60, 210, 90});
    SendMessageW(hAuto, TBM_SETTICFREQ, 25, 0);
    EXPECT_EQ(SendMessageW(hAuto, TBM_GETNUMTICS, 0, 0), 5);
}

TEST_F(CTrackbarTest, DraggingTheThumbTracksThenSetsThePosition)
{
    HWND hTrack = CreateTrackbar();
    // From the thumb's centre (7, 13) to x 100: 93 pixels of 185 is 50.3.
    InjectDrag(OnScreen(hTrack, 7, 13), OnScreen(hTrack, 100, 13));
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 50);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), hTrack);

    const std::vector<SNotice> scrolls = NoticesOf(WM_HSCROLL);
    ASSERT_GE(scrolls.size(), 3u);
    int nLast = 0;
    for (size_t i = 0; i + 2 < scrolls.size(); ++i)
    {
        EXPECT_EQ(LOWORD(scrolls[i].wParam), TB_THUMBTRACK);
        EXPECT_GT(static_cast<int>(HIWORD(scrolls[i].wParam)), nLast);
        nLast = HIWORD(scrolls[i].wParam);
        EXPECT_EQ(scrolls[i].lParam, reinterpret_cast<LPARAM>(hTrack));
    }
    EXPECT_EQ(nLast, 50);
    EXPECT_EQ(LOWORD(scrolls[scrolls.size() - 2].wParam), TB_THUMBPOSITION);
    EXPECT_EQ(HIWORD(scrolls[scrolls.size() - 2].wParam), 50);
    EXPECT_EQ(LOWORD(scrolls.back().wParam), TB_ENDTRACK);
}

TEST_F(CTrackbarTest, DragKeepsTheGrabOffsetAndClampsAtTheEnds)
{
    HWND hTrack = CreateTrackbar();
    SendMessageW(hTrack, TBM_SETPOS, TRUE, 50);
    // Grabbed 3 pixels right of the centre (100) and pulled far past the end.
    InjectDrag(OnScreen(hTrack, 103, 10), OnScreen(hTrack, 400, 10));
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 100);
    m_notices.clear();
    // Back by 46 pixels from a grab 3 right of the centre 192: centre 146,
    // 139 of 185 pixels is 75.1.
    InjectDrag(OnScreen(hTrack, 195, 10), OnScreen(hTrack, 149, 10), 1);
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 75);
    EXPECT_EQ(Scrolls(), "5:75 4:75 8:0 ");
}

TEST_F(CTrackbarTest, LosingTheCaptureEndsTheDrag)
{
    HWND hTrack = CreateTrackbar();
    InjectMouseButton(EMouseButton::Left, true, OnScreen(hTrack, 7, 13));
    PumpMessages();
    EXPECT_EQ(GetCapture(), hTrack);
    SetCapture(m_hParent);
    EXPECT_EQ(Scrolls(), "4:0 8:0 ");
    ReleaseCapture();
    InjectMouseButton(EMouseButton::Left, false, OnScreen(hTrack, 7, 13));
    PumpMessages();
    EXPECT_EQ(Scrolls(), "4:0 8:0 ");
}

TEST_F(CTrackbarTest, ClickInTheChannelPagesTowardIt)
{
    HWND hTrack = CreateTrackbar();
    InjectClick(OnScreen(hTrack, 150, 13));
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 20);
    EXPECT_EQ(Scrolls(), "3:0 8:0 ");
    m_notices.clear();
    // Left of the thumb pages back.
    InjectClick(OnScreen(hTrack, 5, 13));
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 0);
    EXPECT_EQ(Scrolls(), "2:0 8:0 ");
}

TEST_F(CTrackbarTest, HoldingTheButtonRepeatsUntilTheThumbReachesThePoint)
{
    HWND hTrack = CreateTrackbar();
    InjectMouseButton(EMouseButton::Left, true, OnScreen(hTrack, 150, 13));
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 20);
    AdvanceClock(399);
    EXPECT_EQ(Pos(hTrack), 20);
    AdvanceClock(1);
    EXPECT_EQ(Pos(hTrack), 40); // thumb 76..87
    AdvanceClock(100);
    EXPECT_EQ(Pos(hTrack), 60); // thumb 113..124
    AdvanceClock(100);
    EXPECT_EQ(Pos(hTrack), 80); // thumb 150..161 holds the point
    AdvanceClock(300);
    EXPECT_EQ(Pos(hTrack), 80);
    InjectMouseButton(EMouseButton::Left, false, OnScreen(hTrack, 150, 13));
    PumpMessages();
    EXPECT_EQ(Scrolls(), "3:0 3:0 3:0 3:0 8:0 ");
    EXPECT_EQ(GetCapture(), nullptr);
    AdvanceClock(500);
    EXPECT_EQ(Pos(hTrack), 80);
}

TEST_F(CTrackbarTest, KeysMoveByLinePageAndToTheEnds)
{
    HWND hTrack = CreateTrackbar();
    EXPECT_EQ(SendMessageW(hTrack, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    SetFocus(hTrack);
    InjectKeyPress(VK_RIGHT);
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 1);
    InjectKeyPress(VK_NEXT);
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 21);
    InjectKeyPress(VK_UP);
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 20);
    InjectKeyPress(VK_END);
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 100);
    InjectKeyPress(VK_PRIOR);
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 80);
    InjectKeyPress(VK_HOME);
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 0);
    // At the minimum a line up still reports, but stays.
    InjectKeyPress(VK_LEFT);
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 0);
    EXPECT_EQ(Scrolls(), "1:0 8:0 3:0 8:0 0:0 8:0 7:0 8:0 2:0 8:0 6:0 8:0 0:0 8:0 ");
}

TEST_F(CTrackbarTest, TheWheelMovesALinePerNotch)
{
    HWND hTrack = CreateTrackbar();
    SendMessageW(hTrack, TBM_SETPOS, TRUE, 50);
    SendMessageW(hTrack, TBM_SETLINESIZE, 0, 5);
    InjectMouseWheel(-2 * WHEEL_DELTA, OnScreen(hTrack, 50, 13));
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 60);
    InjectMouseWheel(WHEEL_DELTA, OnScreen(hTrack, 50, 13));
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 55);
    EXPECT_EQ(Scrolls(), "1:0 8:0 0:0 8:0 ");
}

TEST_F(CTrackbarTest, TheDialogManagerLeavesTheArrowKeysToIt)
{
    HWND hTrack = CreateTrackbar();
    SetFocus(hTrack);
    MSG msg{hTrack, WM_KEYDOWN, VK_RIGHT, 0, 0, {}};
    EXPECT_TRUE(IsDialogMessageW(m_hParent, &msg));
    EXPECT_EQ(Pos(hTrack), 1);
}

TEST_F(CTrackbarTest, DownIsLeftTurnsTheUpAndDownKeys)
{
    HWND hTrack = CreateTrackbar(TBS_DOWNISLEFT);
    SendMessageW(hTrack, TBM_SETPOS, TRUE, 50);
    SetFocus(hTrack);
    InjectKeyPress(VK_UP);
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 51);
    InjectKeyPress(VK_DOWN);
    InjectKeyPress(VK_DOWN);
    PumpMessages();
    EXPECT_EQ(Pos(hTrack), 49);
}

TEST_F(CTrackbarTest, BuddiesSitBesideTheTrackBarAndFollowIt)
{
    HWND hTrack = CreateTrackbar(0, RECT{50, 40, 250, 70});
    HWND hRight = CreateChild(m_hParent, RECT{0, 0, 40, 20}, 201);
    HWND hLeft = CreateChild(m_hParent, RECT{0, 0, 30, 10}, 202);
    EXPECT_EQ(SendMessageW(hTrack, TBM_SETBUDDY, FALSE, reinterpret_cast<LPARAM>(hRight)), 0);
    EXPECT_EQ(SendMessageW(hTrack, TBM_SETBUDDY, TRUE, reinterpret_cast<LPARAM>(hLeft)), 0);
    RECT rc;
    GetWindowRect(hRight, &rc);
    EXPECT_EQ(rc, (RECT{350, 145, 390, 165})); // x 250, y 40 + (30 - 20) / 2 in the parent
    GetWindowRect(hLeft, &rc);
    EXPECT_EQ(rc, (RECT{120, 150, 150, 160}));
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETBUDDY, FALSE, 0), reinterpret_cast<LRESULT>(hRight));
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETBUDDY, TRUE, 0), reinterpret_cast<LRESULT>(hLeft));

    MoveWindow(hTrack, 60, 50, 200, 30, TRUE);
    GetWindowRect(hRight, &rc);
    EXPECT_EQ(rc, (RECT{360, 155, 400, 175}));

    // Replacing a buddy gives back the old one; a destroyed one is gone.
    EXPECT_EQ(SendMessageW(hTrack, TBM_SETBUDDY, FALSE, 0), reinterpret_cast<LRESULT>(hRight));
    DestroyWindow(hLeft);
    EXPECT_EQ(SendMessageW(hTrack, TBM_GETBUDDY, TRUE, 0), 0);
}

class CCustomDrawTest : public CTrackbarTest
{
protected:
    struct SStage
    {
        DWORD dwStage;
        DWORD_PTR dwItem;
        RECT rc;
        HDC hdc;
        UINT nState;
    };
    std::vector<SStage> m_stages;
    LRESULT m_prepaintAnswer = CDRF_DODEFAULT;
    std::function<LRESULT(DWORD_PTR)> m_itemAnswer;
    HBRUSH m_hBackground = nullptr;

    void SetUp() override
    {
        CTrackbarTest::SetUp();
        m_hBackground = CreateSolidBrush(RGB(10, 200, 10));
        m_answer = [this](UINT nMessage, WPARAM, LPARAM lParam, LRESULT& lResult)
        {
            if (nMessage == WM_CTLCOLORSTATIC)
            {
                lResult = reinterpret_cast<LRESULT>(m_hBackground);
                return true;
            }
            if (nMessage != WM_NOTIFY)
                return false;
            const auto* pDraw = reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
            if (pDraw->hdr.code != static_cast<UINT>(NM_CUSTOMDRAW))
                return false;
            m_stages.push_back(
                {pDraw->dwDrawStage, pDraw->dwItemSpec, pDraw->rc, pDraw->hdc, pDraw->uItemState});
            if (pDraw->dwDrawStage == CDDS_PREPAINT)
                lResult = m_prepaintAnswer;
            else if (pDraw->dwDrawStage == CDDS_ITEMPREPAINT && m_itemAnswer)
                lResult = m_itemAnswer(pDraw->dwItemSpec);
            else
                lResult = CDRF_DODEFAULT;
            return true;
        };
    }
    void TearDown() override
    {
        CTrackbarTest::TearDown();
        DeleteObject(m_hBackground);
    }
};

TEST_F(CCustomDrawTest, DefaultPaintingDrawsChannelThumbAndTicks)
{
    HWND hTrack = CreateTrackbar();
    SendMessageW(hTrack, TBM_SETPOS, TRUE, 50);
    CTestCanvas canvas(200, 30);
    SendMessageW(hTrack, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    ASSERT_EQ(m_stages.size(), 1u);
    EXPECT_EQ(m_stages[0].dwStage, static_cast<DWORD>(CDDS_PREPAINT));
    EXPECT_EQ(m_stages[0].rc, (RECT{0, 0, 200, 30}));
    EXPECT_EQ(m_stages[0].hdc, canvas.Dc());

    EXPECT_EQ(canvas.At(0, 0), RGB(10, 200, 10));     // the parent's background
    EXPECT_EQ(canvas.At(20, 11), RGB(160, 160, 160)); // sunken channel, outer top
    EXPECT_EQ(canvas.At(20, 14), RGB(255, 255, 255)); // sunken channel, outer bottom
    EXPECT_EQ(canvas.At(100, 13), RGB(0, 120, 215));  // the thumb at 95..106
    EXPECT_EQ(canvas.At(7, 24), RGB(0, 0, 0));        // tick at the minimum, 24..26
    EXPECT_EQ(canvas.At(192, 26), RGB(0, 0, 0));      // tick at the maximum
    EXPECT_EQ(canvas.At(100, 25), RGB(10, 200, 10));  // no tick in between

    // With the focus a dotted frame runs round the control.
    SetFocus(hTrack);
    SendMessageW(hTrack, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    EXPECT_NE(canvas.At(0, 0), RGB(10, 200, 10));
    EXPECT_NE(canvas.At(0, 2), RGB(10, 200, 10));
    EXPECT_EQ(m_stages.back().nState & CDIS_FOCUS, static_cast<UINT>(CDIS_FOCUS));

    EnableWindow(hTrack, FALSE);
    SendMessageW(hTrack, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    EXPECT_EQ(canvas.At(100, 13), RGB(160, 160, 160));
    EXPECT_EQ(m_stages.back().nState & CDIS_DISABLED, static_cast<UINT>(CDIS_DISABLED));
}

TEST_F(CCustomDrawTest, ItemNoticesNameEachPartAndSkipWhatTheParentDrew)
{
    HWND hTrack = CreateTrackbar();
    m_prepaintAnswer = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    m_itemAnswer = [](DWORD_PTR dwItem) -> LRESULT
    {
        if (dwItem == TBCD_CHANNEL)
            return CDRF_SKIPDEFAULT;
        if (dwItem == TBCD_THUMB)
            return CDRF_SKIPDEFAULT | CDRF_NOTIFYPOSTPAINT;
        return CDRF_DODEFAULT;
    };
    CTestCanvas canvas(200, 30);
    SendMessageW(hTrack, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    ASSERT_EQ(m_stages.size(), 6u);
    EXPECT_EQ(m_stages[1].dwStage, static_cast<DWORD>(CDDS_ITEMPREPAINT));
    EXPECT_EQ(m_stages[1].dwItem, static_cast<DWORD_PTR>(TBCD_TICS));
    EXPECT_EQ(m_stages[1].rc, (RECT{7, 23, 193, 27}));
    EXPECT_EQ(m_stages[2].dwItem, static_cast<DWORD_PTR>(TBCD_CHANNEL));
    EXPECT_EQ(m_stages[2].rc, (RECT{7, 11, 193, 15}));
    EXPECT_EQ(m_stages[3].dwItem, static_cast<DWORD_PTR>(TBCD_THUMB));
    EXPECT_EQ(m_stages[3].rc, (RECT{2, 3, 13, 23}));
    EXPECT_EQ(m_stages[4].dwStage, static_cast<DWORD>(CDDS_ITEMPOSTPAINT));
    EXPECT_EQ(m_stages[4].dwItem, static_cast<DWORD_PTR>(TBCD_THUMB));
    EXPECT_EQ(m_stages[5].dwStage, static_cast<DWORD>(CDDS_POSTPAINT));

    // Channel and thumb were left to the parent; the ticks were drawn.
    EXPECT_EQ(canvas.At(20, 11), RGB(10, 200, 10));
    EXPECT_EQ(canvas.At(7, 13), RGB(10, 200, 10));
    EXPECT_EQ(canvas.At(7, 24), RGB(0, 0, 0));
}

TEST_F(CCustomDrawTest, SkippingThePrepaintDrawsNothing)
{
    HWND hTrack = CreateTrackbar();
    m_prepaintAnswer = CDRF_SKIPDEFAULT;
    CTestCanvas canvas(200, 30);
    SendMessageW(hTrack, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    EXPECT_EQ(m_stages.size(), 1u);
    EXPECT_EQ(InkBounds(canvas.Snapshot(), RGB(255, 255, 255)), (RECT{0, 0, 0, 0}));
}

TEST_F(CCustomDrawTest, TheDraggedThumbIsSelected)
{
    HWND hTrack = CreateTrackbar();
    m_prepaintAnswer = CDRF_NOTIFYITEMDRAW;
    InjectMouseButton(EMouseButton::Left, true, OnScreen(hTrack, 7, 13));
    PumpMessages();
    CTestCanvas canvas(200, 30);
    m_stages.clear();
    SendMessageW(hTrack, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    ASSERT_EQ(m_stages.size(), 4u);
    EXPECT_EQ(m_stages[3].nState & (CDIS_SELECTED | CDIS_FOCUS),
              static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS));
    InjectMouseButton(EMouseButton::Left, false, OnScreen(hTrack, 7, 13));
    PumpMessages();
}

} // namespace

namespace
{

class CSliderCtrlTest : public CTrackbarTest
{
};

TEST_F(CSliderCtrlTest, SliderCtrlWrapsTheMessages)
{
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_FIXEDLENGTH | TBS_NOTICKS, RECT{0, 0, 200, 20},
                              CWnd::FromHandle(m_hParent), 300));
    EXPECT_EQ(CWnd::FromHandlePermanent(slider.m_hWnd), &slider);
    // Ends beyond 16 bits go through whole.
    slider.SetRange(-5, 70000, TRUE);
    EXPECT_EQ(slider.GetRangeMin(), -5);
    EXPECT_EQ(slider.GetRangeMax(), 70000);
    slider.SetPos(65000);
    EXPECT_EQ(slider.GetPos(), 65000);
    slider.SetPos(80000);
    EXPECT_EQ(slider.GetPos(), 70000);
    EXPECT_EQ(slider.SetPageSize(10), 14001); // a fifth of 70005
    EXPECT_EQ(slider.GetPageSize(), 10);
    EXPECT_EQ(slider.SetLineSize(4), 1);
    slider.SetThumbLength(15);
    EXPECT_EQ(slider.GetThumbLength(), 15);
    CRect rcChannel;
    slider.GetChannelRect(&rcChannel);
    EXPECT_EQ(static_cast<RECT>(rcChannel), (RECT{6, 7, 194, 11}));
    CRect rcThumb;
    slider.GetThumbRect(&rcThumb);
    // At the maximum: 8 wide from 193 - 4, centred on the channel's last column.
    EXPECT_EQ(static_cast<RECT>(rcThumb), (RECT{189, 2, 197, 17}));

    HWND hEdit = CreateChild(m_hParent, RECT{0, 0, 30, 20}, 301);
    EXPECT_EQ(slider.SetBuddy(CWnd::FromHandle(hEdit), FALSE), nullptr);
    EXPECT_EQ(slider.GetBuddy(FALSE)->GetSafeHwnd(), hEdit);
    RECT rc;
    GetWindowRect(hEdit, &rc);
    EXPECT_EQ(rc.left, 300);

    // The keys reach the class procedure through the object.
    slider.SetFocus();
    slider.SetPos(0);
    InjectKeyPress(VK_RIGHT);
    PumpMessages();
    EXPECT_EQ(slider.GetPos(), 4);
    slider.DestroyWindow();
}

} // namespace
