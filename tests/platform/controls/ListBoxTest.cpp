// The LISTBOX class: items, sorting and searching, the three selection
// modes driven by mouse and keys, notifications, scrolling, owner draw and
// the pixels of the selection.
#include "ListTestSupport.h"

#include <gtest/gtest.h>

namespace
{

// The lists here sit at (10, 10) in the parent, 150 x 100 with no border, so
// their client area starts at screen (110, 110); items are 20 pixels high,
// so five fit and item i (with the top at 0) spans client y 20i..20i+20.
constexpr RECT kListRect{10, 10, 160, 110};
constexpr int kItemHeight = 20;

class ListBoxTest : public CListControlTest
{
protected:
    HWND MakeList(DWORD dwStyle, std::initializer_list<const wchar_t*> items, int nID = 100)
    {
        const HWND hList = CreateControl(WC_LISTBOXW, dwStyle | LBS_NOINTEGRALHEIGHT, kListRect, nID);
        EXPECT_NE(hList, nullptr);
        EXPECT_EQ(SendMessageW(hList, LB_SETITEMHEIGHT, 0, kItemHeight), LB_OKAY);
        for (const wchar_t* pszItem : items)
            SendMessageW(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszItem));
        return hList;
    }

    // The middle of visible row nRow on the screen.
    static POINT Row(int nRow) { return {110 + 50, 110 + kItemHeight * nRow + kItemHeight / 2}; }

    static std::wstring Text(HWND hList, int nIndex)
    {
        return TextOf(hList, LB_GETTEXTLEN, LB_GETTEXT, nIndex);
    }

    static std::vector<int> Selected(HWND hList)
    {
        std::vector<int> indexes(32, -1);
        const auto nCount =
            SendMessageW(hList, LB_GETSELITEMS, indexes.size(), reinterpret_cast<LPARAM>(indexes.data()));
        indexes.resize(nCount < 0 ? 0 : static_cast<size_t>(nCount));
        return indexes;
    }

    static LRESULT Send(HWND hList, UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageW(hList, nMessage, wParam, lParam);
    }
};

const std::initializer_list<const wchar_t*> kFruit = {L"apple", L"banana", L"cherry", L"damson", L"elder",
                                                      L"fig",   L"grape",  L"hazel",  L"jujube", L"kiwi"};

TEST_F(ListBoxTest, SortedListOrdersCaseInsensitivelyAndKeepsEqualItemsInArrivalOrder)
{
    const HWND hList = MakeList(LBS_SORT, {});
    // Each answer is where the item went at the time.
    EXPECT_EQ(Send(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"banana")), 0);
    EXPECT_EQ(Send(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Apple")), 0);
    EXPECT_EQ(Send(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"cherry")), 2);
    EXPECT_EQ(Send(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"apple pie")), 1);
    EXPECT_EQ(Send(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Banana")), 3);
    ASSERT_EQ(Send(hList, LB_GETCOUNT), 5);
    EXPECT_EQ(Text(hList, 0), L"Apple");
    EXPECT_EQ(Text(hList, 1), L"apple pie");
    EXPECT_EQ(Text(hList, 2), L"banana");
    EXPECT_EQ(Text(hList, 3), L"Banana");
    EXPECT_EQ(Text(hList, 4), L"cherry");
    // Inserting ignores the order.
    EXPECT_EQ(Send(hList, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"zebra")), 0);
    EXPECT_EQ(Text(hList, 0), L"zebra");
}

TEST_F(ListBoxTest, FindsPrefixesAndWholeTextsAfterAStartWrappingAround)
{
    const HWND hList = MakeList(0, {L"Apple", L"apple pie", L"banana", L"Banana", L"cherry"});
    auto find = [&](UINT nMessage, int nStart, const wchar_t* pszText)
    { return Send(hList, nMessage, static_cast<WPARAM>(nStart), reinterpret_cast<LPARAM>(pszText)); };
    EXPECT_EQ(find(LB_FINDSTRING, -1, L"BAN"), 2);
    EXPECT_EQ(find(LB_FINDSTRING, 2, L"ban"), 3);
    EXPECT_EQ(find(LB_FINDSTRING, 3, L"ban"), 2); // past cherry and round
    EXPECT_EQ(find(LB_FINDSTRING, 1, L"app"), 0);
    EXPECT_EQ(find(LB_FINDSTRING, 99, L"c"), 4); // past the end: from the top
    EXPECT_EQ(find(LB_FINDSTRING, -1, L"zzz"), LB_ERR);
    EXPECT_EQ(find(LB_FINDSTRINGEXACT, -1, L"APPLE"), 0);
    EXPECT_EQ(find(LB_FINDSTRINGEXACT, 0, L"apple"), 0); // the start itself comes last
    EXPECT_EQ(find(LB_FINDSTRINGEXACT, -1, L"apple pi"), LB_ERR);

    // Selecting by prefix is the program's doing: no notification.
    EXPECT_EQ(find(LB_SELECTSTRING, -1, L"ch"), 4);
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 4);
    EXPECT_EQ(find(LB_SELECTSTRING, -1, L"none"), LB_ERR);
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 4);
    EXPECT_TRUE(Codes(hList).empty());
}

TEST_F(ListBoxTest, ItemsKeepDataAndBadIndexesAreErrors)
{
    const HWND hList = MakeList(0, {L"one", L"two", L"three"});
    EXPECT_EQ(Send(hList, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>(L"one and a half")), 1);
    EXPECT_EQ(Send(hList, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"four")), 4);
    EXPECT_EQ(Send(hList, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>(L"nine")), LB_ERR);
    EXPECT_EQ(Send(hList, LB_SETITEMDATA, 2, 0x1234), TRUE);
    EXPECT_EQ(Send(hList, LB_GETITEMDATA, 2), 0x1234);
    EXPECT_EQ(Send(hList, LB_GETITEMDATA, 5), LB_ERR);
    EXPECT_EQ(Send(hList, LB_SETITEMDATA, 5, 1), LB_ERR);
    EXPECT_EQ(Send(hList, LB_GETTEXTLEN, 1), 14);
    EXPECT_EQ(Send(hList, LB_GETTEXTLEN, 7), LB_ERR);
    wchar_t szBuffer[32] = L"untouched";
    EXPECT_EQ(Send(hList, LB_GETTEXT, 7, reinterpret_cast<LPARAM>(szBuffer)), LB_ERR);
    EXPECT_STREQ(szBuffer, L"untouched");

    // The selection follows its item when others come and go.
    EXPECT_EQ(Send(hList, LB_SETCURSEL, 2), 2);
    EXPECT_EQ(Send(hList, LB_DELETESTRING, 0), 4); // the count left
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 1);
    EXPECT_EQ(Text(hList, 1), L"two");
    EXPECT_EQ(Send(hList, LB_GETITEMDATA, 1), 0x1234);
    Send(hList, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"zero"));
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 2);
    EXPECT_EQ(Send(hList, LB_DELETESTRING, 2), 4);
    EXPECT_EQ(Send(hList, LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(Send(hList, LB_DELETESTRING, 4), LB_ERR);
    Send(hList, LB_RESETCONTENT);
    EXPECT_EQ(Send(hList, LB_GETCOUNT), 0);
    EXPECT_EQ(Send(hList, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"")), LB_ERR);
}

TEST_F(ListBoxTest, SetCurSelAnswersAsWindowsAndNotifiesNobody)
{
    const HWND hList = MakeList(LBS_NOTIFY, {L"a", L"b", L"c"});
    EXPECT_EQ(Send(hList, LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(Send(hList, LB_SETCURSEL, 1), 1);
    EXPECT_EQ(Send(hList, LB_GETSEL, 1), 1);
    EXPECT_EQ(Send(hList, LB_GETSEL, 0), 0);
    EXPECT_EQ(Send(hList, LB_GETSEL, 3), LB_ERR);
    // Out of range fails and keeps the selection; -1 clears it but still
    // answers LB_ERR.
    EXPECT_EQ(Send(hList, LB_SETCURSEL, 3), LB_ERR);
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 1);
    EXPECT_EQ(Send(hList, LB_SETCURSEL, static_cast<WPARAM>(-1)), LB_ERR);
    EXPECT_EQ(Send(hList, LB_GETCURSEL), LB_ERR);
    // The multiple-selection calls do not apply to a single-selection list.
    EXPECT_EQ(Send(hList, LB_SETSEL, TRUE, 0), LB_ERR);
    EXPECT_EQ(Send(hList, LB_GETSELCOUNT), LB_ERR);
    EXPECT_EQ(Send(hList, LB_SELITEMRANGE, TRUE, MAKELPARAM(0, 1)), LB_ERR);
    EXPECT_TRUE(Codes(hList).empty());
}

TEST_F(ListBoxTest, ClickSelectsTakesTheFocusAndNotifiesOnce)
{
    const HWND hList = MakeList(LBS_NOTIFY, kFruit);
    Click(Row(2));
    EXPECT_EQ(GetFocus(), hList);
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 2);
    EXPECT_EQ(Send(hList, LB_GETCARETINDEX), 2);
    EXPECT_EQ(Codes(hList), (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE}));
    EXPECT_EQ(GetCapture(), nullptr);

    // Below the last item nothing is hit.
    Send(hList, LB_RESETCONTENT);
    Send(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"only"));
    RecordedMessages().clear();
    Click(Row(3));
    EXPECT_EQ(Send(hList, LB_GETCURSEL), LB_ERR);
    EXPECT_TRUE(Codes(hList).empty());
}

TEST_F(ListBoxTest, WithoutNotifyStyleOnlyFocusChangesAreReported)
{
    const HWND hList = MakeList(0, kFruit);
    const HWND hOther = CreateControl(WC_LISTBOXW, 0, {200, 10, 300, 110}, 101);
    Click(Row(1));
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 1);
    SetFocus(hOther);
    EXPECT_EQ(Codes(hList), (std::vector<int>{LBN_SETFOCUS, LBN_KILLFOCUS}));
}

TEST_F(ListBoxTest, DraggingMovesTheSelectionAndScrollsPastTheEdge)
{
    const HWND hList = MakeList(LBS_NOTIFY, kFruit);
    InjectDrag(Row(0), Row(3), 3);
    PumpMessages();
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 3);
    EXPECT_EQ(Codes(hList), (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE}));
    AdvanceClock(1000);

    // Dragging below the list selects the item after the last visible one
    // (item 5) and brings it into view.
    InjectDrag(Row(1), {160, 110 + 130}, 2);
    PumpMessages();
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 5);
    EXPECT_EQ(Send(hList, LB_GETTOPINDEX), 1);
}

TEST_F(ListBoxTest, DoubleClickNotifies)
{
    const HWND hList = MakeList(LBS_NOTIFY, kFruit);
    InjectClick(Row(4));
    InjectClick(Row(4));
    PumpMessages();
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 4);
    EXPECT_EQ(Codes(hList), (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_DBLCLK}));
}

TEST_F(ListBoxTest, KeysMoveTheSingleSelectionAndNotifyOnlyOnChange)
{
    const HWND hList = MakeList(LBS_NOTIFY, kFruit);
    SetFocus(hList);
    RecordedMessages().clear();
    PressKey(VK_DOWN); // nothing selected yet: the caret item comes first
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 0);
    PressKey(VK_DOWN);
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 1);
    PressKey(VK_NEXT); // a page is the four items after the visible five less one
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 5);
    EXPECT_EQ(Send(hList, LB_GETTOPINDEX), 1);
    PressKey(VK_END);
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 9);
    EXPECT_EQ(Send(hList, LB_GETTOPINDEX), 5);
    PressKey(VK_DOWN); // already at the end
    PressKey(VK_PRIOR);
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 5);
    PressKey(VK_HOME);
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 0);
    EXPECT_EQ(Send(hList, LB_GETTOPINDEX), 0);
    PressKey(VK_UP); // already at the top
    EXPECT_EQ(Codes(hList), std::vector<int>(6, LBN_SELCHANGE));

    // Typing a letter goes to the next item starting with it, wrapping.
    RecordedMessages().clear();
    InjectText(L"g");
    PumpMessages();
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 6);
    InjectText(L"A");
    PumpMessages();
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 0);
    EXPECT_EQ(Codes(hList), std::vector<int>(2, LBN_SELCHANGE));
}

TEST_F(ListBoxTest, MultipleSelectionClicksToggleAndSpaceToggles)
{
    const HWND hList = MakeList(LBS_NOTIFY | LBS_MULTIPLESEL, kFruit);
    Click(Row(1));
    Click(Row(3));
    Click(Row(1));
    EXPECT_EQ(Selected(hList), (std::vector<int>{3}));
    EXPECT_EQ(Send(hList, LB_GETSELCOUNT), 1);
    EXPECT_EQ(Send(hList, LB_GETCARETINDEX), 1);
    EXPECT_EQ(Codes(hList), (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_SELCHANGE, LBN_SELCHANGE}));

    // Arrows move only the caret; Space toggles the caret item.
    RecordedMessages().clear();
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    EXPECT_EQ(Selected(hList), (std::vector<int>{3}));
    PressKey(VK_SPACE);
    EXPECT_EQ(Selected(hList), (std::vector<int>{}));
    PressKey(VK_UP);
    PressKey(VK_SPACE);
    EXPECT_EQ(Selected(hList), (std::vector<int>{2}));
    EXPECT_EQ(Codes(hList), std::vector<int>(2, LBN_SELCHANGE));
    EXPECT_EQ(Send(hList, LB_SETCURSEL, 1), LB_ERR);
}

TEST_F(ListBoxTest, ExtendedSelectionFollowsShiftAndControl)
{
    const HWND hList = MakeList(LBS_NOTIFY | LBS_EXTENDEDSEL, kFruit);
    Click(Row(1));
    EXPECT_EQ(Selected(hList), (std::vector<int>{1}));
    ClickWith(VK_SHIFT, Row(4));
    EXPECT_EQ(Selected(hList), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(Send(hList, LB_GETANCHORINDEX), 1);
    ClickWith(VK_CONTROL, Row(2));
    EXPECT_EQ(Selected(hList), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(Send(hList, LB_GETANCHORINDEX), 2);
    Click(Row(0));
    EXPECT_EQ(Selected(hList), (std::vector<int>{0}));
    EXPECT_EQ(Codes(hList),
              (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_SELCHANGE, LBN_SELCHANGE, LBN_SELCHANGE}));

    // Shift with the arrows stretches the range from the anchor; a plain
    // arrow starts again.
    PressWith(VK_SHIFT, VK_DOWN);
    PressWith(VK_SHIFT, VK_DOWN);
    EXPECT_EQ(Selected(hList), (std::vector<int>{0, 1, 2}));
    PressWith(VK_SHIFT, VK_UP);
    EXPECT_EQ(Selected(hList), (std::vector<int>{0, 1}));
    PressWith(VK_CONTROL, VK_DOWN); // the caret alone moves
    PressWith(VK_CONTROL, VK_DOWN);
    EXPECT_EQ(Send(hList, LB_GETCARETINDEX), 3);
    EXPECT_EQ(Selected(hList), (std::vector<int>{0, 1}));
    PressKey(VK_DOWN);
    EXPECT_EQ(Selected(hList), (std::vector<int>{4}));

    // A drag selects from where it started.
    AdvanceClock(1000);
    InjectDrag(Row(3), Row(1), 2);
    PumpMessages();
    EXPECT_EQ(Selected(hList), (std::vector<int>{1, 2, 3}));
}

TEST_F(ListBoxTest, RangeMessagesSetAndClearSelections)
{
    const HWND hList = MakeList(LBS_EXTENDEDSEL, kFruit);
    EXPECT_EQ(Send(hList, LB_SELITEMRANGE, TRUE, MAKELPARAM(2, 5)), LB_OKAY);
    EXPECT_EQ(Selected(hList), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(Send(hList, LB_SELITEMRANGEEX, 5, 4), LB_OKAY); // backwards clears
    EXPECT_EQ(Selected(hList), (std::vector<int>{2, 3}));
    EXPECT_EQ(Send(hList, LB_SETSEL, TRUE, -1), LB_OKAY);
    EXPECT_EQ(Send(hList, LB_GETSELCOUNT), 10);
    EXPECT_EQ(Send(hList, LB_SETSEL, FALSE, 0), LB_OKAY);
    EXPECT_EQ(Send(hList, LB_GETSELCOUNT), 9);
    EXPECT_EQ(Send(hList, LB_SETSEL, FALSE, 10), LB_ERR);
    EXPECT_EQ(Send(hList, LB_SETANCHORINDEX, 10), LB_ERR);
    EXPECT_EQ(Send(hList, LB_SETCARETINDEX, 7), LB_OKAY);
    EXPECT_EQ(Send(hList, LB_GETCARETINDEX), 7);
    int indexes[3] = {-1, -1, -1};
    EXPECT_EQ(Send(hList, LB_GETSELITEMS, 3, reinterpret_cast<LPARAM>(indexes)), 3);
    EXPECT_EQ(indexes[0], 1);
    EXPECT_EQ(indexes[2], 3);
}

TEST_F(ListBoxTest, GeometryMessagesAnswerInClientPixels)
{
    const HWND hList = MakeList(0, kFruit);
    RECT rc{};
    EXPECT_EQ(Send(hList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&rc)), 1);
    EXPECT_EQ(rc.top, 40);
    EXPECT_EQ(rc.bottom, 60);
    EXPECT_EQ(rc.right, 150);
    EXPECT_EQ(Send(hList, LB_GETITEMRECT, 10, reinterpret_cast<LPARAM>(&rc)), LB_ERR);
    EXPECT_EQ(Send(hList, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 45)), MAKELRESULT(2, 0));
    EXPECT_EQ(Send(hList, LB_SETTOPINDEX, 3), LB_OKAY);
    EXPECT_EQ(Send(hList, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 45)), MAKELRESULT(5, 0));
    EXPECT_EQ(Send(hList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&rc)), 0); // scrolled out
    EXPECT_EQ(rc.top, -20);
    // The top never goes past the last full page (ten items, five shown).
    EXPECT_EQ(Send(hList, LB_SETTOPINDEX, 9), LB_OKAY);
    EXPECT_EQ(Send(hList, LB_GETTOPINDEX), 5);
    EXPECT_EQ(Send(hList, LB_SETTOPINDEX, 10), LB_ERR);

    Send(hList, LB_RESETCONTENT);
    Send(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one"));
    Send(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"two"));
    // Past the last item: the last item, outside.
    EXPECT_EQ(Send(hList, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 70)), MAKELRESULT(1, 1));
    EXPECT_EQ(Send(hList, LB_SETITEMHEIGHT, 0, 256), LB_ERR);
    EXPECT_EQ(Send(hList, LB_GETITEMHEIGHT), kItemHeight);
}

TEST_F(ListBoxTest, ScrollBarWheelAndArrowsMoveTheTopIndex)
{
    const HWND hList = MakeList(WS_VSCROLL, {});
    for (int i = 0; i < 20; ++i)
        Send(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(i).c_str()));
    // The bar is the 17 pixels at the right of the client area: arrows of 17
    // pixels at y 0..17 and 83..100, the track between. Its thumb is
    // 66 * 5 / 20 = 16 pixels long and moves over 50 pixels for tops 0..15.
    InjectMouseWheel(-WHEEL_DELTA, Row(1));
    PumpMessages();
    EXPECT_EQ(Send(hList, LB_GETTOPINDEX), 3);
    InjectMouseWheel(WHEEL_DELTA, Row(1));
    PumpMessages();
    EXPECT_EQ(Send(hList, LB_GETTOPINDEX), 0);

    Click({110 + 141, 110 + 91}); // the down arrow
    EXPECT_EQ(Send(hList, LB_GETTOPINDEX), 1);
    Click({110 + 141, 110 + 70}); // the track below the thumb: a page of four
    EXPECT_EQ(Send(hList, LB_GETTOPINDEX), 5);
    Click({110 + 141, 110 + 8}); // the up arrow
    EXPECT_EQ(Send(hList, LB_GETTOPINDEX), 4);
    EXPECT_EQ(Send(hList, LB_GETCURSEL), LB_ERR); // the bar selects nothing

    // Holding an arrow repeats it after 400 ms, then every 50 ms.
    Send(hList, LB_SETTOPINDEX, 0);
    InjectMouseButton(EMouseButton::Left, true, {110 + 141, 110 + 91});
    PumpMessages();
    EXPECT_EQ(Send(hList, LB_GETTOPINDEX), 1);
    AdvanceClock(399);
    EXPECT_EQ(Send(hList, LB_GETTOPINDEX), 1);
    AdvanceClock(101);
    EXPECT_EQ(Send(hList, LB_GETTOPINDEX), 4);
    InjectMouseButton(EMouseButton::Left, false, {110 + 141, 110 + 91});
    PumpMessages();
    AdvanceClock(500);
    EXPECT_EQ(Send(hList, LB_GETTOPINDEX), 4);
    EXPECT_EQ(GetCapture(), nullptr);

    // The thumb (at top 0 it spans y 17..33) dragged 50 pixels down reaches
    // the last page.
    Send(hList, LB_SETTOPINDEX, 0);
    InjectDrag({110 + 141, 110 + 25}, {110 + 141, 110 + 75}, 5);
    PumpMessages();
    EXPECT_EQ(Send(hList, LB_GETTOPINDEX), 15);
}

TEST_F(ListBoxTest, WithoutNoIntegralHeightTheListShowsWholeItems)
{
    // An owner-draw list asks its parent for the item height.
    Reactions()[m_hParent] = [](HWND, UINT nMessage, WPARAM, LPARAM lParam, LRESULT& lResult)
    {
        if (nMessage != WM_MEASUREITEM)
            return false;
        auto* pMeasure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        EXPECT_EQ(pMeasure->CtlType, static_cast<UINT>(ODT_LISTBOX));
        EXPECT_EQ(pMeasure->CtlID, 7u);
        pMeasure->itemHeight = 20;
        lResult = TRUE;
        return true;
    };
    const HWND hList = CreateControl(WC_LISTBOXW, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, {10, 10, 160, 100}, 7);
    EXPECT_EQ(Send(hList, LB_GETITEMHEIGHT), 20);
    RECT rcClient{};
    GetClientRect(hList, &rcClient);
    EXPECT_EQ(rcClient.bottom, 80); // 90 cut down to four items
    EXPECT_EQ(MessagesTo(m_hParent, WM_MEASUREITEM).size(), 1u);
}

struct SDrawnItem
{
    UINT nType;
    UINT nItem;
    UINT nState;
    RECT rcItem;
    ULONG_PTR nData;
    HWND hItem;
};

TEST_F(ListBoxTest, OwnerDrawGetsEachVisibleItemWithItsState)
{
    std::vector<SDrawnItem> drawn;
    Reactions()[m_hParent] = [&drawn](HWND, UINT nMessage, WPARAM, LPARAM lParam, LRESULT& lResult)
    {
        if (nMessage == WM_MEASUREITEM)
        {
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kItemHeight;
            return lResult = TRUE, true;
        }
        if (nMessage != WM_DRAWITEM)
            return false;
        const auto* pDraw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        drawn.push_back({pDraw->CtlType, pDraw->itemID, pDraw->itemState, pDraw->rcItem, pDraw->itemData,
                         pDraw->hwndItem});
        return lResult = TRUE, true;
    };
    const HWND hList = MakeList(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, {L"a", L"b", L"c"});
    Send(hList, LB_SETITEMDATA, 1, 0xBEEF);
    Send(hList, LB_SETCURSEL, 1);
    SetFocus(hList);
    CTestCanvas canvas(150, 100);
    PrintClient(hList, canvas);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].nType, static_cast<UINT>(ODT_LISTBOX));
    EXPECT_EQ(drawn[0].nState, 0u);
    EXPECT_EQ(drawn[1].nItem, 1u);
    EXPECT_EQ(drawn[1].nState, static_cast<UINT>(ODS_SELECTED | ODS_FOCUS));
    EXPECT_EQ(drawn[1].rcItem.top, 20);
    EXPECT_EQ(drawn[1].rcItem.bottom, 40);
    EXPECT_EQ(drawn[1].rcItem.right, 150);
    EXPECT_EQ(drawn[1].nData, 0xBEEFu);
    EXPECT_EQ(drawn[1].hItem, hList);
    EXPECT_EQ(Text(hList, 2), L"c");

    // Disabled, every item says so.
    drawn.clear();
    EnableWindow(hList, FALSE);
    PrintClient(hList, canvas);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].nState & ODS_DISABLED, static_cast<UINT>(ODS_DISABLED));
}

TEST_F(ListBoxTest, SortedOwnerDrawListWithoutStringsAsksTheParentToCompare)
{
    Reactions()[m_hParent] = [](HWND, UINT nMessage, WPARAM, LPARAM lParam, LRESULT& lResult)
    {
        if (nMessage != WM_COMPAREITEM)
            return false;
        const auto* pCompare = reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam);
        lResult = pCompare->itemData1 < pCompare->itemData2   ? -1
                  : pCompare->itemData1 > pCompare->itemData2 ? 1
                                                              : 0;
        return true;
    };
    const HWND hList = MakeList(LBS_OWNERDRAWFIXED | LBS_SORT, {});
    EXPECT_EQ(Send(hList, LB_ADDSTRING, 0, 30), 0);
    EXPECT_EQ(Send(hList, LB_ADDSTRING, 0, 10), 0);
    EXPECT_EQ(Send(hList, LB_ADDSTRING, 0, 20), 1);
    EXPECT_EQ(Send(hList, LB_GETITEMDATA, 0), 10);
    EXPECT_EQ(Send(hList, LB_GETITEMDATA, 2), 30);
    // Without strings the text is the item's data, and finding compares data.
    ULONG_PTR nData = 0;
    EXPECT_EQ(Send(hList, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(&nData)),
              static_cast<LRESULT>(sizeof(ULONG_PTR)));
    EXPECT_EQ(nData, 20u);
    EXPECT_EQ(Send(hList, LB_FINDSTRING, static_cast<WPARAM>(-1), 30), 2);
}

TEST_F(ListBoxTest, SelectedItemIsPaintedInTheHighlightColour)
{
    const HWND hList = MakeList(0, {L"a", L"b", L"c"});
    Send(hList, LB_SETCURSEL, 1);
    CTestCanvas canvas(150, 100, RGB(1, 2, 3));
    const SImage image = PrintClient(hList, canvas);
    // Right of the text: item 1 is highlighted, item 0 and the empty area
    // below the items are the window colour.
    EXPECT_EQ(PixelAt(image, 140, 30), RGB(0, 120, 215));
    EXPECT_EQ(PixelAt(image, 140, 10), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(image, 140, 90), RGB(255, 255, 255));
    // Item 0's text is dark on white; item 1's is light on the highlight.
    int nDark = 0;
    int nLight = 0;
    for (int y = 0; y < 20; ++y)
    {
        for (int x = 0; x < 30; ++x)
        {
            const COLORREF top = PixelAt(image, x, y);
            nDark += GetRValue(top) < 100 && GetGValue(top) < 100 && GetBValue(top) < 100 ? 1 : 0;
            nLight += GetRValue(PixelAt(image, x, y + 20)) > 100 ? 1 : 0;
        }
    }
    EXPECT_GT(nDark, 0);
    EXPECT_GT(nLight, 0);

    // The parent's WM_CTLCOLORLISTBOX brush fills the unselected area.
    HBRUSH hRed = CreateSolidBrush(RGB(255, 0, 0));
    Reactions()[m_hParent] = [hRed](HWND, UINT nMessage, WPARAM, LPARAM, LRESULT& lResult)
    {
        if (nMessage != WM_CTLCOLORLISTBOX)
            return false;
        lResult = reinterpret_cast<LRESULT>(hRed);
        return true;
    };
    const SImage red = PrintClient(hList, canvas);
    EXPECT_EQ(PixelAt(red, 140, 10), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(red, 140, 30), RGB(0, 120, 215));
    Reactions().clear();
    DeleteObject(hRed);
}

TEST_F(ListBoxTest, ADragCutShortByACaptureChangeIsCancelled)
{
    const HWND hList = MakeList(LBS_NOTIFY, kFruit);
    const HWND hOther = CreateControl(WC_LISTBOXW, 0, {200, 10, 300, 110}, 101);
    InjectMouseButton(EMouseButton::Left, true, Row(2));
    PumpMessages();
    ASSERT_EQ(GetCapture(), hList);
    SetCapture(hOther);
    EXPECT_EQ(Codes(hList), (std::vector<int>{LBN_SETFOCUS, LBN_SELCANCEL}));
    ReleaseCapture();
    InjectMouseButton(EMouseButton::Left, false, Row(2));
    PumpMessages();
    // The release that follows is no longer the list's: no LBN_SELCHANGE.
    EXPECT_EQ(Codes(hList), (std::vector<int>{LBN_SETFOCUS, LBN_SELCANCEL}));
}

TEST_F(ListBoxTest, WantKeyboardInputLetsTheParentDecideKeys)
{
    // The parent takes Delete itself (-2), sends F2 to item 7, and leaves
    // other keys to the list (-1).
    std::vector<WPARAM> asked;
    Reactions()[m_hParent] = [&asked](HWND, UINT nMessage, WPARAM wParam, LPARAM, LRESULT& lResult)
    {
        if (nMessage != WM_VKEYTOITEM)
            return false;
        asked.push_back(wParam);
        const WORD nKey = LOWORD(wParam);
        lResult = nKey == VK_DELETE ? -2 : nKey == VK_F2 ? 7 : -1;
        return true;
    };
    const HWND hList = MakeList(LBS_NOTIFY | LBS_WANTKEYBOARDINPUT, kFruit);
    Send(hList, LB_SETCURSEL, 3);
    SetFocus(hList);
    PressKey(VK_DELETE);
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 3);
    PressKey(VK_DOWN);
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 4);
    PressKey(VK_F2);
    EXPECT_EQ(Send(hList, LB_GETCURSEL), 7);
    // Each asks with the key and the caret item.
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0], MAKEWPARAM(VK_DELETE, 3));
    EXPECT_EQ(asked[1], MAKEWPARAM(VK_DOWN, 3));
    EXPECT_EQ(asked[2], MAKEWPARAM(VK_F2, 4));
    EXPECT_EQ(Codes(hList), (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_SELCHANGE}));
}

TEST_F(ListBoxTest, FocusedListFramesItsCaretItem)
{
    const HWND hList = MakeList(LBS_MULTIPLESEL, {L"a", L"b", L"c"});
    Send(hList, LB_SETCARETINDEX, 2);
    CTestCanvas canvas(150, 100);
    SImage image = PrintClient(hList, canvas);
    EXPECT_EQ(PixelAt(image, 0, 40), RGB(255, 255, 255));
    SetFocus(hList);
    image = PrintClient(hList, canvas);
    // The dotted frame runs round item 2 (y 40..60) and no other.
    EXPECT_NE(PixelAt(image, 0, 40), RGB(255, 255, 255));
    EXPECT_EQ(PointsWhere(image, [](COLORREF c) { return c != RGB(255, 255, 255); }).find(",20 "),
              std::string::npos);
    const RECT rcInk = InkBounds(image, RGB(255, 255, 255));
    EXPECT_EQ(rcInk.bottom, 60);
    EXPECT_EQ(rcInk.right, 150);
}

TEST_F(ListBoxTest, ItemsWithDataAreReportedAsTheyGo)
{
    std::vector<DELETEITEMSTRUCT> deleted;
    Reactions()[m_hParent] = [&deleted](HWND, UINT nMessage, WPARAM, LPARAM lParam, LRESULT& lResult)
    {
        if (nMessage != WM_DELETEITEM)
            return false;
        deleted.push_back(*reinterpret_cast<const DELETEITEMSTRUCT*>(lParam));
        return lResult = TRUE, true;
    };
    const HWND hList = MakeList(0, {L"a", L"b", L"c", L"d"});
    Send(hList, LB_SETITEMDATA, 1, 11);
    Send(hList, LB_SETITEMDATA, 2, 22);
    Send(hList, LB_SETITEMDATA, 3, 33);
    Send(hList, LB_DELETESTRING, 0); // no data: nothing to say
    EXPECT_TRUE(deleted.empty());
    Send(hList, LB_DELETESTRING, 1);
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_EQ(deleted[0].CtlType, static_cast<UINT>(ODT_LISTBOX));
    EXPECT_EQ(deleted[0].CtlID, 100u);
    EXPECT_EQ(deleted[0].itemID, 1u);
    EXPECT_EQ(deleted[0].itemData, 22u);
    EXPECT_EQ(deleted[0].hwndItem, hList);
    Send(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"e"));
    Send(hList, LB_SETITEMDATA, 2, 55);
    DestroyWindow(hList);
    // Left were b (11), d (33) and e (55).
    ASSERT_EQ(deleted.size(), 4u);
    EXPECT_EQ(deleted[1].itemData, 11u);
    EXPECT_EQ(deleted[2].itemID, 1u);
    EXPECT_EQ(deleted[2].itemData, 33u);
    EXPECT_EQ(deleted[3].itemID, 2u);
    EXPECT_EQ(deleted[3].itemData, 55u);
}

TEST_F(ListBoxTest, AnOwnerThatChangesTheListWhileAskedDoesNotBreakIt)
{
    // Emptying the list from inside WM_DRAWITEM ends the painting early.
    int nDrawn = 0;
    Reactions()[m_hParent] = [&nDrawn](HWND, UINT nMessage, WPARAM, LPARAM lParam, LRESULT& lResult)
    {
        if (nMessage == WM_DRAWITEM)
        {
            ++nDrawn;
            SendMessageW(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem, LB_RESETCONTENT, 0, 0);
            return lResult = TRUE, true;
        }
        if (nMessage == WM_COMPAREITEM)
        {
            // Destroying the list while it sorts.
            DestroyWindow(reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem);
            return lResult = 0, true;
        }
        return false;
    };
    const HWND hList = MakeList(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, {L"a", L"b", L"c"});
    CTestCanvas canvas(150, 100);
    PrintClient(hList, canvas);
    EXPECT_EQ(nDrawn, 1);
    EXPECT_EQ(Send(hList, LB_GETCOUNT), 0);

    const HWND hSorted = MakeList(LBS_OWNERDRAWFIXED | LBS_SORT, {});
    EXPECT_EQ(Send(hSorted, LB_ADDSTRING, 0, 1), 0); // nothing to compare with yet
    EXPECT_EQ(Send(hSorted, LB_ADDSTRING, 0, 2), LB_ERR);
    EXPECT_FALSE(IsWindow(hSorted));
}

TEST_F(ListBoxTest, ListBoxWrapperDrivesTheControl)
{
    CListBox list;
    CWnd* pParent = CWnd::FromHandle(m_hParent);
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_SORT | LBS_MULTIPLESEL | LBS_NOINTEGRALHEIGHT,
                            CRect(10, 10, 160, 110), pParent, 55));
    EXPECT_EQ(list.AddString(L"pear"), 0);
    EXPECT_EQ(list.AddString(L"Orange"), 0);
    EXPECT_EQ(list.GetCount(), 2);
    CString strText;
    list.GetText(1, strText);
    EXPECT_EQ(strText, CString(L"pear"));
    list.SetItemHeight(0, 20);
    BOOL bOutside = TRUE;
    EXPECT_EQ(list.ItemFromPoint(CPoint(3, 25), bOutside), 1u);
    EXPECT_FALSE(bOutside);
    list.SetSel(1);
    EXPECT_EQ(list.GetSelCount(), 1);
    EXPECT_EQ(list.GetDlgCtrlID(), 55);
    const HWND hList = list.m_hWnd;
    list.DestroyWindow();
    // A message to a window that has gone is answered with nothing.
    EXPECT_FALSE(IsWindow(hList));
    EXPECT_EQ(SendMessageW(hList, LB_GETCOUNT, 0, 0), 0);
}

} // namespace
