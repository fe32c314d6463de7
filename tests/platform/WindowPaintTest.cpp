// Paint bookkeeping: update regions, erase flags, the order and moment of
// WM_PAINT, and the drawing layer's hooks.
#include "WindowTestSupport.h"

namespace
{

class CPaint : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        m_hTop = CreateTopLevel({0, 0, 200, 200});
        m_hChild = CreateChild(m_hTop, {10, 10, 60, 60}, 1);
        PumpMessages();
        RecordedMessages().clear();
    }
    HWND m_hTop = nullptr;
    HWND m_hChild = nullptr;
};

std::vector<HWND> PaintOrder()
{
    std::vector<HWND> out;
    for (const SRecordedMessage& m : RecordedMessages())
    {
        if (m.nMessage == WM_PAINT)
            out.push_back(m.hWnd);
    }
    return out;
}

TEST_F(CPaint, NewWindowsPaintParentFirstWhenTheLoopIsIdle)
{
    const HWND hTop = CreateTopLevel({300, 0, 400, 100});
    const HWND hChild = CreateChild(hTop, {0, 0, 10, 10}, 1);
    EXPECT_TRUE(PaintOrder().empty()); // nothing until the loop runs
    PumpMessages();
    EXPECT_EQ(PaintOrder(), (std::vector<HWND>{hTop, hChild}));
    // DefWindowProc's BeginPaint erases within the paint.
    EXPECT_GT(IndexOf(hTop, WM_ERASEBKGND), IndexOf(hTop, WM_PAINT));
    EXPECT_LT(IndexOf(hTop, WM_ERASEBKGND), IndexOf(hChild, WM_PAINT));
}

TEST_F(CPaint, PostedMessagesAndInputComeBeforePaints)
{
    InvalidateRect(m_hTop, nullptr, FALSE);
    PostMessageW(m_hTop, WM_USER, 0, 0);
    PumpMessages();
    EXPECT_LT(IndexOf(m_hTop, WM_USER), IndexOf(m_hTop, WM_PAINT));
}

TEST_F(CPaint, InvalidatingAParentRepaintsTheChildrenItCovers)
{
    const RECT rcOverChild{0, 0, 20, 20}; // overlaps the child's corner
    InvalidateRect(m_hTop, &rcOverChild, TRUE);
    RECT rc;
    ASSERT_TRUE(GetUpdateRect(m_hChild, &rc, FALSE));
    EXPECT_EQ(CRect(rc), CRect(0, 0, 10, 10));
    const RECT rcAway{100, 100, 120, 120};
    ValidateRect(m_hTop, nullptr);
    ValidateRect(m_hChild, nullptr);
    InvalidateRect(m_hTop, &rcAway, TRUE);
    EXPECT_FALSE(GetUpdateRect(m_hChild, &rc, FALSE));

    // With WS_CLIPCHILDREN the parent paints around its children instead.
    ValidateRect(m_hTop, nullptr);
    SetWindowLongPtrW(m_hTop, GWL_STYLE, GetWindowLongPtrW(m_hTop, GWL_STYLE) | WS_CLIPCHILDREN);
    InvalidateRect(m_hTop, &rcOverChild, TRUE);
    EXPECT_FALSE(GetUpdateRect(m_hChild, &rc, FALSE));
    EXPECT_TRUE(GetUpdateRect(m_hTop, &rc, FALSE));
}

TEST_F(CPaint, BeginPaintReportsTheRegionAndTheEraseAndValidates)
{
    const RECT rcFirst{5, 5, 10, 10};
    const RECT rcSecond{50, 20, 70, 30};
    InvalidateRect(m_hTop, &rcFirst, FALSE);
    InvalidateRect(m_hTop, &rcSecond, TRUE);
    PAINTSTRUCT ps;
    bool bErasedBeforeReturn = false;
    Reactions()[m_hTop] = [&](HWND, UINT nMessage, WPARAM, LPARAM, LRESULT& lResult)
    {
        if (nMessage != WM_ERASEBKGND)
            return false;
        bErasedBeforeReturn = true;
        lResult = 0; // not erased: the painter must do it
        return true;
    };
    BeginPaint(m_hTop, &ps);
    EXPECT_EQ(CRect(ps.rcPaint), CRect(5, 5, 70, 30));
    EXPECT_TRUE(bErasedBeforeReturn);
    EXPECT_TRUE(ps.fErase);
    EndPaint(m_hTop, &ps);
    RECT rc;
    EXPECT_FALSE(GetUpdateRect(m_hTop, &rc, FALSE));
    EXPECT_TRUE(CRect(rc).IsRectEmpty());
}

TEST_F(CPaint, ValidatingPartLeavesTheRest)
{
    InvalidateRect(m_hTop, nullptr, FALSE);
    const RECT rcLeft{0, 0, 100, 200};
    ValidateRect(m_hTop, &rcLeft);
    RECT rc;
    ASSERT_TRUE(GetUpdateRect(m_hTop, &rc, FALSE));
    EXPECT_EQ(CRect(rc), CRect(100, 0, 200, 200));
    HRGN hRegion = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetUpdateRgn(m_hTop, hRegion, FALSE), SIMPLEREGION);
    DeleteRgn(hRegion);
}

TEST_F(CPaint, UpdateWindowPaintsAtOnceAndHiddenWindowsNever)
{
    InvalidateRect(m_hTop, nullptr, TRUE);
    UpdateWindow(m_hTop);
    EXPECT_EQ(PaintOrder(), (std::vector<HWND>{m_hTop, m_hChild}));
    RecordedMessages().clear();
    ShowWindow(m_hChild, SW_HIDE);
    InvalidateRect(m_hChild, nullptr, TRUE);
    PumpMessages();
    EXPECT_EQ(PaintOrder(), (std::vector<HWND>{m_hTop})); // the parent repaints where the child was
    RecordedMessages().clear();
    ShowWindow(m_hChild, SW_SHOW);
    PumpMessages();
    EXPECT_EQ(PaintOrder(), (std::vector<HWND>{m_hChild}));
}

TEST_F(CPaint, RedrawWindowFlags)
{
    RedrawWindow(m_hTop, nullptr, nullptr, RDW_INTERNALPAINT | RDW_NOCHILDREN);
    PAINTSTRUCT ps{};
    Reactions()[m_hTop] = [&](HWND hWnd, UINT nMessage, WPARAM, LPARAM, LRESULT&)
    {
        if (nMessage == WM_PAINT)
        {
            BeginPaint(hWnd, &ps);
            EndPaint(hWnd, &ps);
        }
        return nMessage == WM_PAINT;
    };
    PumpMessages();
    EXPECT_EQ(PaintOrder(), (std::vector<HWND>{m_hTop}));
    EXPECT_TRUE(CRect(ps.rcPaint).IsRectEmpty()); // an internal paint has no region

    RecordedMessages().clear();
    const RECT rc{0, 0, 30, 30};
    RedrawWindow(m_hTop, &rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(PaintOrder(), (std::vector<HWND>{m_hTop, m_hChild}));

    RecordedMessages().clear();
    RedrawWindow(m_hTop, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_ERASENOW);
    EXPECT_EQ(MessageNumbers(MessagesTo(m_hTop)), (std::vector<UINT>{WM_ERASEBKGND}));
    RedrawWindow(m_hTop, nullptr, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
    PumpMessages();
    EXPECT_TRUE(PaintOrder().empty());
}

TEST_F(CPaint, SetRedrawFalseHoldsPaintsBack)
{
    SendMessageW(m_hTop, WM_SETREDRAW, FALSE, 0);
    InvalidateRect(m_hTop, nullptr, TRUE);
    PumpMessages();
    EXPECT_TRUE(PaintOrder().empty());
    SendMessageW(m_hTop, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_hTop, nullptr, TRUE);
    PumpMessages();
    EXPECT_EQ(PaintOrder().front(), m_hTop);
}

struct SHookRecord
{
    std::vector<CRect> begun;
    int nEnded = 0;
    int nFilled = 0;
};

SHookRecord& HookRecord()
{
    static SHookRecord s_record;
    return s_record;
}

TEST_F(CPaint, TheDrawingHooksSeeEachPaint)
{
    HookRecord() = {};
    const SPaintHooks installed = GetPaintHooks();
    SPaintHooks hooks;
    hooks.pfnBeginPaint = [](HWND, const RECT& rcPaint, const RECT*, UINT) -> HDC
    {
        HookRecord().begun.emplace_back(rcPaint);
        return reinterpret_cast<HDC>(static_cast<ULONG_PTR>(0xDC));
    };
    hooks.pfnEndPaint = [](HWND, HDC hdc)
    {
        EXPECT_EQ(hdc, reinterpret_cast<HDC>(static_cast<ULONG_PTR>(0xDC)));
        ++HookRecord().nEnded;
    };
    hooks.pfnFillBackground = [](HWND, HDC, HBRUSH) -> BOOL
    {
        ++HookRecord().nFilled;
        return TRUE;
    };
    SetPaintHooks(hooks);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = RecordingWndProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<ULONG_PTR>(16));
    wc.lpszClassName = L"TestBrushBackground";
    static const ATOM s_nAtom = RegisterClassExW(&wc);
    ASSERT_NE(s_nAtom, 0);
    const HWND hWnd = CreateTopLevel({300, 300, 340, 330}, WS_POPUP | WS_VISIBLE, L"TestBrushBackground");
    PumpMessages();
    SetPaintHooks(installed);

    ASSERT_EQ(HookRecord().begun.size(), 1u);
    EXPECT_EQ(HookRecord().begun.front(), CRect(0, 0, 40, 30));
    EXPECT_EQ(HookRecord().nEnded, 1);
    EXPECT_EQ(HookRecord().nFilled, 1);
    ASSERT_EQ(MessagesTo(hWnd, WM_ERASEBKGND).size(), 1u);
    EXPECT_EQ(MessagesTo(hWnd, WM_ERASEBKGND).front().wParam, 0xDCu);
}

} // namespace
