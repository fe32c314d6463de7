// Pop-up menus as windows: placement, keyboard and mouse operation, the
// owner's notifications and what the menu window paints. The menu loop runs
// inside TrackPopupMenuEx; the test acts from the idle hook, one scripted
// step each time the loop has nothing left to do.
#include "ControlTestSupport.h"
#include "Menu.h"
#include "Responder.h"

#include <deque>
#include <functional>

namespace
{

constexpr UINT kOpen = 101;
constexpr UINT kSave = 102;
constexpr UINT kClose = 103;
constexpr UINT kOne = 201;
constexpr UINT kTwo = 202;

std::deque<std::function<void()>>& Steps()
{
    static std::deque<std::function<void()>> s_steps;
    return s_steps;
}

bool RunNextStep()
{
    if (Steps().empty())
        return false;
    std::function<void()> step = std::move(Steps().front());
    Steps().pop_front();
    step();
    return true;
}

BOOL CollectMenuWindow(HWND hWnd, LPARAM lParam)
{
    wchar_t szClass[16] = {};
    GetClassNameW(hWnd, szClass, 16);
    if (std::wstring(szClass) == L"#32768" && IsWindowVisible(hWnd))
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

// The open menu windows, left to right (submenus open to the right here).
std::vector<HWND> MenuWindows()
{
    std::vector<HWND> windows;
    EnumWindows(CollectMenuWindow, reinterpret_cast<LPARAM>(&windows));
    std::sort(windows.begin(), windows.end(),
              [](HWND a, HWND b)
              {
                  RECT ra{}, rb{};
                  GetWindowRect(a, &ra);
                  GetWindowRect(b, &rb);
                  return ra.left < rb.left;
              });
    return windows;
}

class CPopupMenuTest : public CControlTest
{
protected:
    void SetUp() override
    {
        CControlTest::SetUp();
        SetPopupMenusAsWindows(true);
        m_pfnPreviousIdle = SetHeadlessIdleHook(&RunNextStep);
        Steps().clear();
        SetFocus(m_hParent);

        // Open, Save (greyed), a separator, Recent > {One, Two}, Close (checked).
        m_hMenu = CreatePopupMenu();
        m_hRecent = CreatePopupMenu();
        AppendMenuW(m_hRecent, MF_STRING, kOne, L"&One");
        AppendMenuW(m_hRecent, MF_STRING, kTwo, L"&Two");
        AppendMenuW(m_hMenu, MF_STRING, kOpen, L"&Open\tCtrl+O");
        AppendMenuW(m_hMenu, MF_STRING | MF_GRAYED, kSave, L"&Save");
        AppendMenuW(m_hMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(m_hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(m_hRecent), L"&Recent");
        AppendMenuW(m_hMenu, MF_STRING | MF_CHECKED, kClose, L"&Close");

        // Item heights: the menu font's height plus 8; separators 9; the
        // items start 3 pixels (border and padding) in.
        HDC hdc = CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICW tm{};
        GetTextMetricsW(hdc, &tm);
        SelectObject(hdc, hOld);
        DeleteDC(hdc);
        m_nItem = tm.tmHeight + 8;
    }
    void TearDown() override
    {
        Steps().clear();
        SetHeadlessIdleHook(m_pfnPreviousIdle);
        SetPopupMenusAsWindows(false);
        DestroyMenu(m_hMenu);
        CControlTest::TearDown();
    }

    // The top and bottom of the top menu's items, in its client area.
    int Top(int nItem) const
    {
        const int anTops[] = {3, 3 + m_nItem, 3 + 2 * m_nItem, 12 + 2 * m_nItem, 12 + 3 * m_nItem};
        return anTops[nItem];
    }
    int Middle(int nItem) const { return Top(nItem) + (nItem == 2 ? 9 : m_nItem) / 2; }

    UINT Track(UINT uFlags = TPM_RETURNCMD, POINT pt = {150, 150})
    {
        return static_cast<UINT>(TrackPopupMenuEx(m_hMenu, uFlags, pt.x, pt.y, m_hParent, nullptr));
    }

    std::vector<WPARAM> MenuSelects() const
    {
        std::vector<WPARAM> out;
        for (const SRecordedMessage& m : MessagesTo(m_hParent, WM_MENUSELECT))
            out.push_back(m.wParam);
        return out;
    }

    PFN_HEADLESSIDLE m_pfnPreviousIdle = nullptr;
    HMENU m_hMenu = nullptr;
    HMENU m_hRecent = nullptr;
    int m_nItem = 0;
};

// ---------------------------------------------------------------------------
// Keyboard

TEST_F(CPopupMenuTest, ArrowsWalkTheItemsAndRightOpensTheSubmenu)
{
    Steps().push_back(
        []
        {
            for (UINT nKey : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN})
                InjectKeyPress(nKey);
        });
    EXPECT_EQ(Track(), kTwo);
    // Down goes Open, Save (greyed items can be highlighted), then past the
    // separator to Recent, a submenu reported by position; Right opens it
    // at One; Down reaches Two; then the menu closes (0xFFFF, no menu).
    EXPECT_EQ(MenuSelects(),
              (std::vector<WPARAM>{MAKEWPARAM(kOpen, MF_HILITE), MAKEWPARAM(kSave, MF_HILITE | MF_GRAYED),
                                   MAKEWPARAM(3, MF_HILITE | MF_POPUP), MAKEWPARAM(kOne, MF_HILITE),
                                   MAKEWPARAM(kTwo, MF_HILITE), MAKEWPARAM(0, 0xFFFF)}));
    const auto inits = MessagesTo(m_hParent, WM_INITMENUPOPUP);
    ASSERT_EQ(inits.size(), 2u);
    EXPECT_EQ(inits[0].wParam, reinterpret_cast<WPARAM>(m_hMenu));
    EXPECT_EQ(inits[1].wParam, reinterpret_cast<WPARAM>(m_hRecent));
    EXPECT_EQ(inits[1].lParam, MAKELPARAM(3, FALSE));
    EXPECT_GE(IndexOf(m_hParent, WM_ENTERMENULOOP), 0);
    EXPECT_GT(IndexOf(m_hParent, WM_EXITMENULOOP), IndexOf(m_hParent, WM_ENTERMENULOOP));
    EXPECT_TRUE(MenuWindows().empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CPopupMenuTest, EscapeClosesOneLevelAtATime)
{
    std::vector<size_t> counts;
    Steps().push_back(
        []
        {
            for (UINT nKey : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT})
                InjectKeyPress(nKey);
        });
    Steps().push_back(
        [&counts]
        {
            counts.push_back(MenuWindows().size());
            InjectKeyPress(VK_ESCAPE);
        });
    Steps().push_back(
        [&counts]
        {
            counts.push_back(MenuWindows().size());
            InjectKeyPress(VK_ESCAPE);
        });
    Steps().push_back([&counts] { counts.push_back(99); });
    EXPECT_EQ(Track(), 0u);
    // The last step never ran: the second Escape ended the loop.
    EXPECT_EQ(counts, (std::vector<size_t>{2, 1}));
    Steps().clear();
    EXPECT_TRUE(MenuWindows().empty());
}

TEST_F(CPopupMenuTest, UnderlinedLetterChoosesAndLeftLeavesTheSubmenu)
{
    Steps().push_back([] { InjectChar(L'c'); });
    EXPECT_EQ(Track(), kClose);

    // 'r' opens Recent at its first item, Left closes it, 'o' is Open.
    Steps().push_back([] { InjectChar(L'R'); });
    Steps().push_back(
        []
        {
            EXPECT_EQ(MenuWindows().size(), 2u);
            InjectKeyPress(VK_LEFT);
        });
    Steps().push_back(
        []
        {
            EXPECT_EQ(MenuWindows().size(), 1u);
            InjectChar(L'o');
        });
    EXPECT_EQ(Track(), kOpen);
}

TEST_F(CPopupMenuTest, GreyedItemsCannotBeChosen)
{
    Steps().push_back([] { InjectChar(L's'); });
    Steps().push_back(
        []
        {
            // Still open, Save highlighted; Enter does nothing either.
            EXPECT_EQ(MenuWindows().size(), 1u);
            InjectKeyPress(VK_RETURN);
        });
    Steps().push_back([] { EXPECT_EQ(MenuWindows().size(), 1u); });
    // With nothing more to do the loop loses the capture and closes.
    EXPECT_EQ(Track(), 0u);
    EXPECT_EQ(MenuSelects().front(), MAKEWPARAM(kSave, MF_HILITE | MF_GRAYED));
}

// ---------------------------------------------------------------------------
// Mouse

TEST_F(CPopupMenuTest, HoverOpensTheSubmenuAndAClickChooses)
{
    int nTopRight = 0;
    Steps().push_back([this] { InjectMouseMove(POINT{150 + 30, 150 + Middle(3)}); });
    Steps().push_back(
        [this, &nTopRight]
        {
            const std::vector<HWND> windows = MenuWindows();
            ASSERT_EQ(windows.size(), 2u);
            RECT rcTop{}, rcSub{};
            GetWindowRect(windows[0], &rcTop);
            GetWindowRect(windows[1], &rcSub);
            nTopRight = rcTop.right;
            // The submenu's items line up with Recent: its top is Recent's
            // top less the 3 pixels before its first item; it starts a pixel
            // before the menu's right edge (the item's end plus padding).
            EXPECT_EQ(rcSub.top, 150 + Top(3) - 3);
            EXPECT_EQ(rcSub.left, rcTop.right - 1);
            InjectMouseMove(POINT{rcSub.left + 20, rcSub.top + 3 + m_nItem + m_nItem / 2});
            InjectClick(POINT{rcSub.left + 20, rcSub.top + 3 + m_nItem + m_nItem / 2});
        });
    EXPECT_EQ(Track(), kTwo);
    EXPECT_GT(nTopRight, 150);
    EXPECT_TRUE(MenuWindows().empty());
}

TEST_F(CPopupMenuTest, ClickOutsideDismissesAndIsEaten)
{
    Steps().push_back([] { InjectClick(POINT{120, 120}); });
    EXPECT_EQ(Track(TPM_RETURNCMD), 0u);
    PumpMessages();
    EXPECT_EQ(IndexOf(m_hParent, WM_LBUTTONDOWN), -1);
    EXPECT_TRUE(MessagesTo(m_hParent, WM_COMMAND).empty());
}

TEST_F(CPopupMenuTest, WithoutReturnCmdTheChoiceIsPosted)
{
    Steps().push_back([this] { InjectClick(POINT{150 + 30, 150 + Middle(0)}); });
    EXPECT_EQ(Track(0), static_cast<UINT>(TRUE));
    EXPECT_TRUE(MessagesTo(m_hParent, WM_COMMAND).empty());
    PumpMessages();
    const auto commands = MessagesTo(m_hParent, WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(kOpen, 0));
}

TEST_F(CPopupMenuTest, RightButtonChoosesOnlyWithTheRightButtonFlag)
{
    Steps().push_back([this] { InjectClick(POINT{150 + 30, 150 + Middle(0)}, EMouseButton::Right); });
    EXPECT_EQ(Track(TPM_RETURNCMD), 0u);
    Steps().push_back([this] { InjectClick(POINT{150 + 30, 150 + Middle(0)}, EMouseButton::Right); });
    EXPECT_EQ(Track(TPM_RETURNCMD | TPM_RIGHTBUTTON), kOpen);
}

// ---------------------------------------------------------------------------
// Placement

TEST_F(CPopupMenuTest, AlignmentFlagsAndTheWorkArea)
{
    RECT rcAligned{}, rcCorner{};
    Steps().push_back([&rcAligned] { GetWindowRect(MenuWindows().at(0), &rcAligned); });
    Track(TPM_RETURNCMD | TPM_RIGHTALIGN | TPM_BOTTOMALIGN, POINT{600, 500});
    EXPECT_EQ(rcAligned.right, 600);
    EXPECT_EQ(rcAligned.bottom, 500);

    // Near the bottom-right corner of the 1920 x 1080 screen (work area down
    // to 1040) the menu flips to the left of and above the point.
    Steps().push_back([&rcCorner] { GetWindowRect(MenuWindows().at(0), &rcCorner); });
    Track(TPM_RETURNCMD, POINT{1900, 1030});
    EXPECT_EQ(rcCorner.right, 1900);
    EXPECT_EQ(rcCorner.bottom, 1030);
    EXPECT_EQ(rcCorner.right - rcCorner.left, rcAligned.right - rcAligned.left);
}

TEST_F(CPopupMenuTest, TheExcludedRectangleStaysUncovered)
{
    TPMPARAMS params{sizeof(TPMPARAMS), RECT{140, 140, 200, 170}};
    RECT rcBeside{}, rcBelow{};
    Steps().push_back([&rcBeside] { GetWindowRect(MenuWindows().at(0), &rcBeside); });
    TrackPopupMenuEx(m_hMenu, TPM_RETURNCMD, 150, 150, m_hParent, &params);
    // Placed at (150, 150) it would cover the rectangle: it moves right of
    // it, or with TPM_VERTICAL below it.
    EXPECT_EQ(rcBeside.left, 200);
    EXPECT_EQ(rcBeside.top, 150);
    Steps().push_back([&rcBelow] { GetWindowRect(MenuWindows().at(0), &rcBelow); });
    TrackPopupMenuEx(m_hMenu, TPM_RETURNCMD | TPM_VERTICAL, 150, 150, m_hParent, &params);
    EXPECT_EQ(rcBelow.left, 150);
    EXPECT_EQ(rcBelow.top, 170);
}

// ---------------------------------------------------------------------------
// Painting and the responder

TEST_F(CPopupMenuTest, PaintsHotItemCheckSeparatorAndArrow)
{
    SImage image;
    Steps().push_back([] { InjectKeyPress(VK_DOWN); });
    Steps().push_back([&image] { image = CControlTest::Print(MenuWindows().at(0)); });
    Track();
    ASSERT_FALSE(image.IsEmpty());
    const int nWidth = image.nWidth;
    // A shadow-coloured border, the menu colour inside, Open highlighted.
    EXPECT_EQ(PixelOf(image, 0, 0), RGB(160, 160, 160));
    EXPECT_EQ(PixelOf(image, 1, 1), RGB(240, 240, 240));
    EXPECT_EQ(PixelOf(image, 5, Top(0) + 1), RGB(0, 120, 215));
    EXPECT_EQ(PixelOf(image, 5, Top(4) + 1), RGB(240, 240, 240));
    // The separator: a line from the text column (3 + 22) at mid-height.
    EXPECT_EQ(PixelOf(image, 30, (Top(2) + Top(3)) / 2), RGB(160, 160, 160));
    EXPECT_EQ(PixelOf(image, 10, (Top(2) + Top(3)) / 2), RGB(240, 240, 240));
    // Close's tick: its first column at x = 3 + (22 - 7) / 2 = 10, from one
    // above the item's middle to one below.
    const int nCloseMiddle = (Top(4) + Top(4) + m_nItem) / 2;
    EXPECT_EQ(PixelOf(image, 10, nCloseMiddle), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(image, 10, nCloseMiddle - 3), RGB(240, 240, 240));
    // Recent's arrow: its widest column 14 pixels in from the right edge.
    const int nRecentMiddle = (Top(3) + Top(3) + m_nItem) / 2;
    EXPECT_EQ(PixelOf(image, nWidth - 14, nRecentMiddle), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(image, nWidth - 15, nRecentMiddle), RGB(240, 240, 240));
    // Save is greyed: nothing darker than the grey text colour (109).
    EXPECT_GE(DarkestLevel(image, RECT{25, Top(1), nWidth - 20, Top(1) + m_nItem}), 109);
    EXPECT_LT(DarkestLevel(image, RECT{25, Top(4), nWidth - 20, Top(4) + m_nItem}), 60);
}

TEST_F(CPopupMenuTest, LeavingTheMenuUnhighlightsAndTheDefaultItemIsBold)
{
    SImage hot, left;
    Steps().push_back([this] { InjectMouseMove(POINT{150 + 30, 150 + Middle(0)}); });
    Steps().push_back(
        [&hot]
        {
            hot = CControlTest::Print(MenuWindows().at(0));
            InjectMouseMove(POINT{450, 450});
        });
    Steps().push_back([&left] { left = CControlTest::Print(MenuWindows().at(0)); });
    Track();
    ASSERT_FALSE(left.IsEmpty());
    EXPECT_EQ(PixelOf(hot, 5, Top(0) + 1), RGB(0, 120, 215));
    EXPECT_EQ(PixelOf(left, 5, Top(0) + 1), RGB(240, 240, 240));

    // One item, plain and then default: bold text is wider.
    HMENU hSingle = CreatePopupMenu();
    AppendMenuW(hSingle, MF_STRING, kOpen, L"Wallpaper");
    auto inkWidth = [this, hSingle]
    {
        SImage image;
        Steps().push_back([&image] { image = CControlTest::Print(MenuWindows().at(0)); });
        TrackPopupMenuEx(hSingle, TPM_RETURNCMD, 150, 150, m_hParent, nullptr);
        const RECT rc = DarkBounds(image, 128);
        return rc.right - rc.left;
    };
    const int nPlain = inkWidth();
    SetMenuDefaultItem(hSingle, kOpen, FALSE);
    const int nBold = inkWidth();
    EXPECT_GT(nPlain, 0);
    EXPECT_GT(nBold, nPlain);
    DestroyMenu(hSingle);
}

TEST_F(CPopupMenuTest, BitmapItemsAndRadioChecks)
{
    HMENU hMenu = CreatePopupMenu();
    HBITMAP hBitmap = MakeSolidBitmap(10, 10, RGB(255, 0, 0));
    AppendMenuW(hMenu, MF_BITMAP, kOne, reinterpret_cast<LPCWSTR>(hBitmap));
    AppendMenuW(hMenu, MF_STRING, kTwo, L"Two");
    CheckMenuRadioItem(hMenu, kOne, kTwo, kTwo, MF_BYCOMMAND);
    SImage image;
    Steps().push_back([&image] { image = CControlTest::Print(MenuWindows().at(0)); });
    TrackPopupMenuEx(hMenu, TPM_RETURNCMD, 150, 150, m_hParent, nullptr);
    ASSERT_FALSE(image.IsEmpty());
    // The bitmap starts at the text column (3 + 22 = 25), centred in a row
    // of the usual height (taller than 10 + 4), so rows 3 + (H - 10) / 2 on.
    const int nBitmapTop = 3 + (m_nItem - 10) / 2;
    EXPECT_EQ(PixelOf(image, 25, nBitmapTop), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(image, 34, nBitmapTop + 9), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(image, 24, nBitmapTop), RGB(240, 240, 240));
    // Two's radio dot: centred in the check column, at x = 3 + 11.
    EXPECT_EQ(PixelOf(image, 14, 3 + m_nItem + m_nItem / 2), RGB(0, 0, 0));
    DestroyMenu(hMenu);
    DeleteObject(hBitmap);
}

TEST_F(CPopupMenuTest, ASecondMenuNeedsTheRecurseFlag)
{
    BOOL bNested = TRUE;
    BOOL bRecursed = FALSE;
    bool bOuterOpen = false;
    bool bEscapeMissed = false;
    Steps().push_back(
        [this, &bNested, &bRecursed, &bOuterOpen]
        {
            bNested = TrackPopupMenuEx(m_hRecent, TPM_RETURNCMD, 300, 300, m_hParent, nullptr);
            // The nested menu runs its own loop: Down, Enter chooses One.
            Steps().push_front(
                []
                {
                    InjectKeyPress(VK_DOWN);
                    InjectKeyPress(VK_RETURN);
                });
            bRecursed =
                TrackPopupMenuEx(m_hRecent, TPM_RETURNCMD | TPM_RECURSE, 300, 300, m_hParent, nullptr);
            // The first menu is still open and takes the Escape.
            bOuterOpen = MenuWindows().size() == 1 && GetCapture() == MenuWindows().at(0);
            InjectKeyPress(VK_ESCAPE);
        });
    Steps().push_back([&bEscapeMissed] { bEscapeMissed = true; });
    EXPECT_EQ(Track(), 0u);
    EXPECT_TRUE(bOuterOpen);
    EXPECT_FALSE(bEscapeMissed);
    EXPECT_EQ(bNested, FALSE);
    EXPECT_EQ(bRecursed, static_cast<BOOL>(kOne));
}

TEST_F(CPopupMenuTest, TheResponderStillAnswersFirst)
{
    CResponder responder;
    responder.QueueMenuChoice(kClose);
    bool bWindowSeen = false;
    Steps().push_back([&bWindowSeen] { bWindowSeen = !MenuWindows().empty(); });
    EXPECT_EQ(Track(), kClose);
    EXPECT_FALSE(bWindowSeen);
    EXPECT_EQ(responder.Questions().size(), 1u);
}

} // namespace
