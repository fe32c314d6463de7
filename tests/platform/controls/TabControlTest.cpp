// The tab control: items, layout, hit-testing, selection by mouse and keys
// with its notifications, scrolling the row, painting and CTabCtrl.
#include "CommCtlTestSupport.h"

#include "ImageList.h"

#include <string>
#include <vector>

namespace
{

class CTabControlTest : public CCommCtlTest
{
protected:
    // Tabs 60 by 20: tab i covers x 2 + 60 i to 62 + 60 i, y 2 to 22.
    HWND CreateTabs(int nWidth = 300, DWORD dwStyle = TCS_FIXEDWIDTH, int nCount = 3)
    {
        HWND hWnd = CreateControl(WC_TABCONTROL, WS_TABSTOP | dwStyle, RECT{10, 10, 10 + nWidth, 210});
        EXPECT_NE(hWnd, nullptr);
        SendMessageW(hWnd, TCM_SETITEMSIZE, 0, MAKELPARAM(60, 20));
        const wchar_t* names[] = {L"Colour", L"Gradient", L"Pattern", L"Texture", L"Swatch"};
        for (int i = 0; i < nCount; ++i)
            Insert(hWnd, i, names[i % 5], -1, 10 + i);
        m_notices.clear();
        return hWnd;
    }
    static int Insert(HWND hWnd, int nAt, const wchar_t* pszText, int nImage = -1, LPARAM lParam = 0)
    {
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
        item.pszText = const_cast<LPWSTR>(pszText);
        item.iImage = nImage;
        item.lParam = lParam;
        return static_cast<int>(
            SendMessageW(hWnd, TCM_INSERTITEMW, static_cast<WPARAM>(nAt), reinterpret_cast<LPARAM>(&item)));
    }
    static std::wstring TextOf(HWND hWnd, int nItem, int nBuffer = 64)
    {
        std::vector<wchar_t> buffer(static_cast<size_t>(nBuffer), L'#');
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer.data();
        item.cchTextMax = nBuffer;
        if (!SendMessageW(hWnd, TCM_GETITEMW, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)))
            return L"<none>";
        return buffer.data();
    }
    static int CurSel(HWND hWnd) { return static_cast<int>(SendMessageW(hWnd, TCM_GETCURSEL, 0, 0)); }
    static RECT ItemRect(HWND hWnd, int nItem)
    {
        RECT rc{};
        SendMessageW(hWnd, TCM_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&rc));
        return rc;
    }
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const SNotice& notice : NoticesOf(WM_NOTIFY))
            codes.push_back(notice.nCode);
        return codes;
    }
    static int Code(UINT nCode) { return static_cast<int>(nCode); }
};

TEST_F(CTabControlTest, ItemsKeepTextImageAndValue)
{
    HWND hTabs = CreateControl(WC_TABCONTROL, 0, RECT{0, 0, 300, 200});
    EXPECT_EQ(CurSel(hTabs), -1);
    EXPECT_EQ(Insert(hTabs, 0, L"Colour", 2, 11), 0);
    // The first tab becomes the selection.
    EXPECT_EQ(CurSel(hTabs), 0);
    EXPECT_EQ(Insert(hTabs, 9, L"Pattern", -1, 13), 1); // past the end: appended
    EXPECT_EQ(Insert(hTabs, 1, L"Gradient", -1, 12), 1);
    EXPECT_EQ(SendMessageW(hTabs, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(TextOf(hTabs, 1), L"Gradient");
    EXPECT_EQ(TextOf(hTabs, 2), L"Pattern");
    EXPECT_EQ(TextOf(hTabs, 1, 5), L"Grad"); // cut to the buffer with its terminator
    EXPECT_EQ(TextOf(hTabs, 3), L"<none>");

    TCITEMW item{};
    item.mask = TCIF_IMAGE | TCIF_PARAM;
    ASSERT_TRUE(SendMessageW(hTabs, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.iImage, 2);
    EXPECT_EQ(item.lParam, 11);

    // Only the fields in the mask change; states only under their mask.
    item.mask = TCIF_PARAM | TCIF_STATE;
    item.lParam = 99;
    item.dwState = TCIS_HIGHLIGHTED | TCIS_BUTTONPRESSED;
    item.dwStateMask = TCIS_HIGHLIGHTED;
    ASSERT_TRUE(SendMessageW(hTabs, TCM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    item = TCITEMW{};
    item.mask = TCIF_IMAGE | TCIF_PARAM | TCIF_STATE;
    item.dwStateMask = TCIS_HIGHLIGHTED | TCIS_BUTTONPRESSED;
    SendMessageW(hTabs, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, 2);
    EXPECT_EQ(item.lParam, 99);
    EXPECT_EQ(item.dwState, static_cast<DWORD>(TCIS_HIGHLIGHTED));

    // The selection stays on its tab as tabs come and go before it.
    SendMessageW(hTabs, TCM_SETCURSEL, 1, 0);
    Insert(hTabs, 0, L"Texture");
    EXPECT_EQ(CurSel(hTabs), 2);
    EXPECT_TRUE(SendMessageW(hTabs, TCM_DELETEITEM, 0, 0));
    EXPECT_EQ(CurSel(hTabs), 1);
    EXPECT_EQ(TextOf(hTabs, CurSel(hTabs)), L"Gradient");
    EXPECT_TRUE(SendMessageW(hTabs, TCM_DELETEITEM, 1, 0));
    EXPECT_EQ(CurSel(hTabs), -1);
    EXPECT_FALSE(SendMessageW(hTabs, TCM_DELETEITEM, 5, 0));
    EXPECT_TRUE(SendMessageW(hTabs, TCM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(SendMessageW(hTabs, TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageW(hTabs, TCM_INSERTITEMW, 0, 0), -1);
    EXPECT_TRUE(m_notices.empty());
}

TEST_F(CTabControlTest, SettingTheSelectionDoesNotNotify)
{
    HWND hTabs = CreateTabs();
    EXPECT_EQ(SendMessageW(hTabs, TCM_SETCURSEL, 2, 0), 0);
    EXPECT_EQ(CurSel(hTabs), 2);
    EXPECT_EQ(SendMessageW(hTabs, TCM_SETCURSEL, 7, 0), -1);
    EXPECT_EQ(CurSel(hTabs), 2);
    EXPECT_TRUE(m_notices.empty());
}

TEST_F(CTabControlTest, ItemRectsHitTestingAndTheDisplayArea)
{
    HWND hTabs = CreateTabs();
    EXPECT_EQ(ItemRect(hTabs, 0), (RECT{2, 2, 62, 22}));
    EXPECT_EQ(ItemRect(hTabs, 1), (RECT{62, 2, 122, 22}));
    RECT rcNone{};
    EXPECT_FALSE(SendMessageW(hTabs, TCM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&rcNone)));

    TCHITTESTINFO hit{POINT{80, 10}, 0};
    EXPECT_EQ(SendMessageW(hTabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    EXPECT_EQ(hit.flags, static_cast<UINT>(TCHT_ONITEMLABEL));
    hit.pt = POINT{63, 10}; // in the padding
    EXPECT_EQ(SendMessageW(hTabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    EXPECT_EQ(hit.flags, static_cast<UINT>(TCHT_ONITEM));
    hit.pt = POINT{250, 10};
    EXPECT_EQ(SendMessageW(hTabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(hit.flags, static_cast<UINT>(TCHT_NOWHERE));

    // The display area: 4 in from the body's sides, below the row (2 + 20)
    // and 4 more; and back.
    RECT rc{0, 0, 300, 200};
    SendMessageW(hTabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
    EXPECT_EQ(rc, (RECT{4, 26, 296, 196}));
    SendMessageW(hTabs, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&rc));
    EXPECT_EQ(rc, (RECT{0, 0, 300, 200}));

    EXPECT_EQ(SendMessageW(hTabs, TCM_SETITEMSIZE, 0, MAKELPARAM(80, 24)), MAKELPARAM(60, 20));
    EXPECT_EQ(ItemRect(hTabs, 2), (RECT{162, 2, 242, 26}));
    EXPECT_EQ(SendMessageW(hTabs, TCM_GETROWCOUNT, 0, 0), 1);
}

TEST_F(CTabControlTest, WidthFollowsTheTextAndPaddingWithoutFixedWidth)
{
    HWND hTabs = CreateTabs(300, 0, 2);
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE colour{};
    SIZE gradient{};
    GetTextExtentPoint32W(hdc, L"Colour", 6, &colour);
    GetTextExtentPoint32W(hdc, L"Gradient", 8, &gradient);
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    // Padding 6 on each side.
    EXPECT_EQ(ItemRect(hTabs, 0), (RECT{2, 2, 2 + colour.cx + 12, 22}));
    const LONG nSecond = 2 + colour.cx + 12;
    EXPECT_EQ(ItemRect(hTabs, 1), (RECT{nSecond, 2, nSecond + gradient.cx + 12, 22}));
    SendMessageW(hTabs, TCM_SETPADDING, 0, MAKELPARAM(10, 3));
    EXPECT_EQ(ItemRect(hTabs, 0).right, 2 + colour.cx + 20);
}

TEST_F(CTabControlTest, ClickingATabAsksThenReports)
{
    HWND hTabs = CreateTabs();
    InjectClick(OnScreen(hTabs, 150, 10));
    PumpMessages();
    EXPECT_EQ(CurSel(hTabs), 2);
    EXPECT_EQ(GetFocus(), hTabs);
    EXPECT_EQ(Codes(), (std::vector<int>{Code(TCN_SELCHANGING), Code(TCN_SELCHANGE), Code(NM_CLICK)}));
    EXPECT_EQ(NoticesOf(WM_NOTIFY)[0].hFrom, hTabs);
    EXPECT_EQ(NoticesOf(WM_NOTIFY)[0].nIdFrom, 100u);
    EXPECT_EQ(NoticesOf(WM_NOTIFY)[0].wParam, 100u);

    // Clicking the selected tab changes nothing.
    m_notices.clear();
    InjectClick(OnScreen(hTabs, 150, 10));
    PumpMessages();
    EXPECT_EQ(Codes(), (std::vector<int>{Code(NM_CLICK)}));

    // The parent may refuse the change.
    m_answer = [](UINT nMessage, WPARAM, LPARAM lParam, LRESULT& lResult)
    {
        if (nMessage != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != TCN_SELCHANGING)
            return false;
        lResult = TRUE;
        return true;
    };
    m_notices.clear();
    InjectClick(OnScreen(hTabs, 10, 10));
    PumpMessages();
    EXPECT_EQ(CurSel(hTabs), 2);
    EXPECT_EQ(Codes(), (std::vector<int>{Code(TCN_SELCHANGING), Code(NM_CLICK)}));
}

TEST_F(CTabControlTest, FocusNeverKeepsTheFocusWhereItWas)
{
    HWND hTabs = CreateTabs(300, TCS_FIXEDWIDTH | TCS_FOCUSNEVER);
    SetFocus(m_hParent);
    InjectClick(OnScreen(hTabs, 80, 10));
    PumpMessages();
    EXPECT_EQ(CurSel(hTabs), 1);
    EXPECT_EQ(GetFocus(), m_hParent);
}

TEST_F(CTabControlTest, ArrowsAndControlTabMoveTheSelection)
{
    HWND hTabs = CreateTabs();
    SetFocus(hTabs);
    InjectKeyPress(VK_RIGHT);
    PumpMessages();
    EXPECT_EQ(CurSel(hTabs), 1);
    EXPECT_EQ(Codes(), (std::vector<int>{Code(TCN_KEYDOWN), Code(TCN_SELCHANGING), Code(TCN_SELCHANGE)}));
    InjectKeyPress(VK_RIGHT);
    InjectKeyPress(VK_RIGHT); // already at the last tab
    PumpMessages();
    EXPECT_EQ(CurSel(hTabs), 2);
    InjectKeyPress(VK_LEFT);
    PumpMessages();
    EXPECT_EQ(CurSel(hTabs), 1);

    InjectKey(VK_CONTROL, true);
    PumpMessages();
    MSG msg{hTabs, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_NE(SendMessageW(hTabs, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTTAB, 0);
    InjectKeyPress(VK_TAB);
    PumpMessages();
    EXPECT_EQ(CurSel(hTabs), 2);
    InjectKeyPress(VK_TAB); // wraps to the first
    PumpMessages();
    EXPECT_EQ(CurSel(hTabs), 0);
    InjectKey(VK_SHIFT, true);
    InjectKeyPress(VK_TAB); // and back to the last
    InjectKey(VK_SHIFT, false);
    InjectKey(VK_CONTROL, false);
    PumpMessages();
    EXPECT_EQ(CurSel(hTabs), 2);
    // A plain Tab is left to the dialog.
    EXPECT_EQ(SendMessageW(hTabs, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTTAB, 0);
    InjectKeyPress(VK_TAB);
    PumpMessages();
    EXPECT_EQ(CurSel(hTabs), 2);
}

TEST_F(CTabControlTest, TheDialogManagerPassesControlTabToIt)
{
    HWND hTabs = CreateTabs();
    HWND hOther = CreateControl(WC_TABCONTROL, WS_TABSTOP, RECT{10, 250, 100, 290}, 101);
    SetFocus(hTabs);
    InjectKey(VK_CONTROL, true);
    PumpMessages();
    MSG msg{hTabs, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(IsDialogMessageW(m_hParent, &msg));
    EXPECT_EQ(CurSel(hTabs), 1);
    EXPECT_EQ(GetFocus(), hTabs);
    InjectKey(VK_CONTROL, false);
    PumpMessages();
    // Without Control the Tab key moves on to the next control.
    EXPECT_TRUE(IsDialogMessageW(m_hParent, &msg));
    EXPECT_EQ(CurSel(hTabs), 1);
    EXPECT_EQ(GetFocus(), hOther);
}

TEST_F(CTabControlTest, ARowWiderThanTheControlScrolls)
{
    // 150 wide with four 60-pixel tabs: arrows at 118..134 and 134..150,
    // 4..20 high; tabs are cut off at 118.
    HWND hTabs = CreateTabs(150, TCS_FIXEDWIDTH, 4);
    TCHITTESTINFO hit{POINT{125, 10}, 0};
    EXPECT_EQ(SendMessageW(hTabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    InjectClick(OnScreen(hTabs, 140, 10));
    PumpMessages();
    EXPECT_EQ(ItemRect(hTabs, 1), (RECT{2, 2, 62, 22}));
    EXPECT_EQ(ItemRect(hTabs, 0), (RECT{-58, 2, 2, 22}));
    EXPECT_EQ(CurSel(hTabs), 0); // the arrows do not select
    InjectClick(OnScreen(hTabs, 125, 10));
    PumpMessages();
    EXPECT_EQ(ItemRect(hTabs, 0), (RECT{2, 2, 62, 22}));

    // Selecting a hidden tab brings it into view: with tab 2 first the last
    // would end at 122, past 118.
    m_notices.clear();
    SendMessageW(hTabs, TCM_SETCURSEL, 3, 0);
    EXPECT_EQ(ItemRect(hTabs, 3), (RECT{2, 2, 62, 22}));
    EXPECT_TRUE(m_notices.empty());

    CTestCanvas canvas(150, 200);
    SendMessageW(hTabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    // The left arrow's glyph: its column at the centre (126, 12) is dark.
    EXPECT_EQ(canvas.At(125, 12), RGB(0, 0, 0));
}

TEST_F(CTabControlTest, MultilineRowsPutTheSelectionNextToTheBody)
{
    // 146 pixels of room take two 60-pixel tabs a row; five tabs make three
    // rows, each widened by (146 - 120) / 2 = 13 per tab, the last one tab of
    // 146. The body starts at 2 + 3 x 20 = 62.
    HWND hTabs = CreateTabs(150, TCS_FIXEDWIDTH | TCS_MULTILINE, 5);
    EXPECT_EQ(SendMessageW(hTabs, TCM_GETROWCOUNT, 0, 0), 3);
    EXPECT_EQ(ItemRect(hTabs, 0), (RECT{2, 42, 75, 62}));
    EXPECT_EQ(ItemRect(hTabs, 3), (RECT{75, 22, 148, 42}));
    EXPECT_EQ(ItemRect(hTabs, 4), (RECT{2, 2, 148, 22}));
    RECT rc{0, 0, 150, 200};
    SendMessageW(hTabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
    EXPECT_EQ(rc, (RECT{4, 66, 146, 196}));

    // Clicking the top row brings it down; the others follow in turn.
    InjectClick(OnScreen(hTabs, 70, 10));
    PumpMessages();
    EXPECT_EQ(CurSel(hTabs), 4);
    EXPECT_EQ(ItemRect(hTabs, 4), (RECT{2, 42, 148, 62}));
    EXPECT_EQ(ItemRect(hTabs, 0), (RECT{2, 22, 75, 42}));
    EXPECT_EQ(ItemRect(hTabs, 2), (RECT{2, 2, 75, 22}));

    // Ragged rows keep their tabs' widths.
    HWND hRagged = CreateTabs(150, TCS_FIXEDWIDTH | TCS_MULTILINE | TCS_RAGGEDRIGHT, 3);
    EXPECT_EQ(ItemRect(hRagged, 1), (RECT{62, 22, 122, 42}));
    EXPECT_EQ(ItemRect(hRagged, 2), (RECT{2, 2, 62, 22}));
}

TEST_F(CTabControlTest, PaintsTabsJoinedToTheBody)
{
    HWND hTabs = CreateTabs();
    HIMAGELIST hImages = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    std::vector<BYTE> bits(16 * 16 * 3);
    for (size_t i = 0; i < bits.size(); i += 3)
        bits[i + 2] = 255; // blue, green, red
    HBITMAP hRed = CreateBitmap(16, 16, 1, 24, bits.data());
    ASSERT_EQ(ImageList_Add(hImages, hRed, nullptr), 0);
    DeleteObject(hRed);
    EXPECT_EQ(SendMessageW(hTabs, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(hImages)), 0);
    EXPECT_EQ(SendMessageW(hTabs, TCM_GETIMAGELIST, 0, 0), reinterpret_cast<LRESULT>(hImages));
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<LPWSTR>(L"");
    item.iImage = 0;
    SendMessageW(hTabs, TCM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SendMessageW(hTabs, TCM_SETCURSEL, 1, 0);

    CTestCanvas canvas(300, 200);
    SendMessageW(hTabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    EXPECT_EQ(canvas.At(150, 22), RGB(227, 227, 227));  // body, raised outer top
    EXPECT_EQ(canvas.At(150, 23), RGB(255, 255, 255));  // body, raised inner top
    EXPECT_EQ(canvas.At(299, 199), RGB(105, 105, 105)); // body, outer bottom right
    // The selected tab (62..122 grown to 60..124, from y 0) stands on the
    // body with no line under it.
    EXPECT_EQ(canvas.At(90, 0), RGB(227, 227, 227));
    EXPECT_EQ(canvas.At(90, 22), RGB(240, 240, 240));
    EXPECT_EQ(canvas.At(90, 23), RGB(240, 240, 240));
    // An unselected tab starts 2 lower.
    EXPECT_EQ(canvas.At(45, 0), RGB(240, 240, 240));
    EXPECT_EQ(canvas.At(45, 2), RGB(227, 227, 227));
    // The first tab's image, centred: x 2 + (60 - 16) / 2 = 24, y 2 + 2 = 4.
    EXPECT_EQ(canvas.At(24, 4), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(39, 19), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(40, 19), RGB(240, 240, 240));
    // With the focus a dotted frame lies 2 inside the selected tab.
    EXPECT_EQ(canvas.At(64, 4), RGB(240, 240, 240));
    SetFocus(hTabs);
    SendMessageW(hTabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    EXPECT_NE(canvas.At(64, 4), RGB(240, 240, 240));
    // The second tab's text is drawn in the button text colour.
    const std::string dark = PointsWhere(canvas.Snapshot(), [](COLORREF c) { return c == RGB(0, 0, 0); });
    EXPECT_FALSE(dark.empty());
    DestroyWindow(hTabs);
    ImageList_Destroy(hImages);
}

TEST_F(CTabControlTest, TabCtrlWrapsTheMessages)
{
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE | TCS_FIXEDWIDTH, RECT{0, 0, 300, 100},
                            CWnd::FromHandle(m_hParent), 300));
    tabs.SetItemSize(CSize(50, 18));
    EXPECT_EQ(tabs.InsertItem(0, L"One"), 0);
    EXPECT_EQ(tabs.InsertItem(1, L"Two", 3), 1);
    EXPECT_EQ(tabs.InsertItem(TCIF_TEXT | TCIF_PARAM, 2, L"Three", 0, 42), 2);
    EXPECT_EQ(tabs.GetItemCount(), 3);
    EXPECT_EQ(tabs.SetCurSel(2), 0);
    EXPECT_EQ(tabs.GetCurSel(), 2);
    CRect rc;
    EXPECT_TRUE(tabs.GetItemRect(1, &rc));
    EXPECT_EQ(static_cast<RECT>(rc), (RECT{52, 2, 102, 20}));
    TCITEMW item{};
    item.mask = TCIF_PARAM | TCIF_IMAGE;
    tabs.GetItem(2, &item);
    EXPECT_EQ(item.lParam, 42);
    tabs.GetItem(1, &item);
    EXPECT_EQ(item.iImage, 3);
    EXPECT_TRUE(tabs.DeleteItem(0));
    EXPECT_EQ(tabs.GetCurSel(), 1);
    EXPECT_EQ(tabs.GetImageList(), nullptr);
    tabs.DestroyWindow();
}

} // namespace
