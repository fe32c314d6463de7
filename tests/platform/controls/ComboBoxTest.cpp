// The COMBOBOX class as a drop-down list: its messages, the list opening and
// closing by mouse and keys with the notifications of each way, the dialog
// keys, owner draw and the pixels of the face and the list.
#include "DialogTemplate.h"
#include "ListTestSupport.h"

#include <gtest/gtest.h>

// Compares rectangles in expectations (found by argument-dependent lookup).
static bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

namespace
{

// The combo boxes here are made at (10, 10) in the parent, 150 wide and 200
// high with the list dropped; their field is 20 pixels high and their items
// 18, so the face is 20 + 6 = 26 pixels high (screen y 110..136) and the list
// below it has 200 - 26 = 174 pixels, room for (174 - 2) / 18 = 9 items.
// Item i of a dropped list (with the top at 0) is centred on screen y
// 136 + 1 + 18i + 9 = 146 + 18i.
constexpr RECT kComboRect{10, 10, 160, 210};
constexpr POINT kFace{185, 123};

POINT ListItem(int nRow)
{
    return {150, 146 + 18 * nRow};
}

class ComboBoxTest : public CListControlTest
{
protected:
    HWND MakeCombo(DWORD dwStyle, std::initializer_list<const wchar_t*> items, int nID = 200)
    {
        const HWND hCombo = CreateControl(WC_COMBOBOXW, CBS_DROPDOWNLIST | dwStyle, kComboRect, nID);
        EXPECT_NE(hCombo, nullptr);
        EXPECT_EQ(SendMessageW(hCombo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 20), CB_OKAY);
        EXPECT_EQ(SendMessageW(hCombo, CB_SETITEMHEIGHT, 0, 18), CB_OKAY);
        // Given a height, the combo box keeps its face and lets the list have the rest.
        MoveWindow(hCombo, kComboRect.left, kComboRect.top, 150, 200, TRUE);
        for (const wchar_t* pszItem : items)
            SendMessageW(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszItem));
        return hCombo;
    }

    // The drop-down list, found where it shows below the face.
    static HWND ListWindow() { return WindowFromPoint({150, 140}); }

    static std::wstring ClassOf(HWND hWnd)
    {
        wchar_t szName[64] = L"";
        GetClassNameW(hWnd, szName, 64);
        return szName;
    }

    static RECT ScreenRect(HWND hWnd)
    {
        RECT rc{};
        GetWindowRect(hWnd, &rc);
        return rc;
    }

    static LRESULT Send(HWND hCombo, UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageW(hCombo, nMessage, wParam, lParam);
    }

    static std::wstring Text(HWND hCombo, int nIndex)
    {
        return TextOf(hCombo, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex);
    }
};

// A combo box object that draws and measures its own items through
// reflection from a class-library parent.
class CSwatchCombo : public CComboBox
{
public:
    std::vector<UINT> measured;
    std::vector<UINT> drawn;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) { drawn.push_back(lpDrawItemStruct->itemID); }
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
    {
        measured.push_back(lpMeasureItemStruct->itemID);
        lpMeasureItemStruct->itemHeight = lpMeasureItemStruct->itemID == static_cast<UINT>(-1) ? 24 : 16;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSwatchCombo, CComboBox)
ON_WM_DRAWITEM_REFLECT()
ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

const std::initializer_list<const wchar_t*> kColours = {L"red", L"orange", L"yellow", L"green", L"blue"};

TEST_F(ComboBoxTest, ItemsSortFindAndSelectWithoutNotifications)
{
    const HWND hCombo = MakeCombo(CBS_SORT | CBS_HASSTRINGS, {L"pear", L"Apple", L"fig"});
    EXPECT_EQ(Send(hCombo, CB_GETCOUNT), 3);
    EXPECT_EQ(Text(hCombo, 0), L"Apple");
    EXPECT_EQ(Text(hCombo, 1), L"fig");
    EXPECT_EQ(Text(hCombo, 2), L"pear");
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(GetWindowTextLengthW(hCombo), 0);

    EXPECT_EQ(Send(hCombo, CB_SETCURSEL, 1), 1);
    EXPECT_EQ(ControlText(hCombo), L"fig");
    // An index past the end clears the selection.
    EXPECT_EQ(Send(hCombo, CB_SETCURSEL, 5), CB_ERR);
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(ControlText(hCombo), L"");
    EXPECT_EQ(Send(hCombo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"P")), 2);
    EXPECT_EQ(Send(hCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"FIG")), 1);
    EXPECT_EQ(Send(hCombo, CB_FINDSTRING, 1, reinterpret_cast<LPARAM>(L"a")), 0);
    EXPECT_EQ(Send(hCombo, CB_FINDSTRING, 1, reinterpret_cast<LPARAM>(L"x")), CB_ERR);

    // The selection follows its item.
    EXPECT_EQ(Send(hCombo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"zucchini")), 0);
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), 3);
    EXPECT_EQ(Send(hCombo, CB_DELETESTRING, 3), 3);
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(Send(hCombo, CB_DELETESTRING, 3), CB_ERR);

    // Text can only choose an item.
    EXPECT_EQ(SetWindowTextW(hCombo, L"APPLE"), TRUE);
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), 1);
    EXPECT_EQ(Send(hCombo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"plum")), CB_ERR);
    EXPECT_EQ(Send(hCombo, CB_SETITEMDATA, 1, 77), TRUE);
    EXPECT_EQ(Send(hCombo, CB_GETITEMDATA, 1), 77);
    EXPECT_EQ(Send(hCombo, CB_GETITEMDATA, 9), CB_ERR);
    EXPECT_EQ(Send(hCombo, CB_GETEDITSEL), CB_ERR); // no edit
    EXPECT_TRUE(Codes(hCombo).empty());

    Send(hCombo, CB_RESETCONTENT);
    EXPECT_EQ(Send(hCombo, CB_GETCOUNT), 0);
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), CB_ERR);
}

TEST_F(ComboBoxTest, FaceHeightComesFromTheItemHeights)
{
    const HWND hPlain = CreateControl(WC_COMBOBOXW, CBS_DROPDOWNLIST, kComboRect, 201);
    const auto nField = Send(hPlain, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1));
    EXPECT_EQ(nField, Send(hPlain, CB_GETITEMHEIGHT, 0) + 2);
    EXPECT_EQ(ScreenRect(hPlain).bottom - ScreenRect(hPlain).top, nField + 6);
    RECT rcDropped{};
    Send(hPlain, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&rcDropped));
    EXPECT_EQ(rcDropped.bottom - rcDropped.top, 200);

    // An owner-draw combo box asks for the field (item -1) and the items.
    Reactions()[m_hParent] = [](HWND, UINT nMessage, WPARAM, LPARAM lParam, LRESULT& lResult)
    {
        if (nMessage != WM_MEASUREITEM)
            return false;
        auto* pMeasure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        EXPECT_EQ(pMeasure->CtlType, static_cast<UINT>(ODT_COMBOBOX));
        pMeasure->itemHeight = pMeasure->itemID == static_cast<UINT>(-1) ? 30 : 18;
        lResult = TRUE;
        return true;
    };
    const HWND hDrawn =
        CreateControl(WC_COMBOBOXW, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, {200, 10, 350, 210}, 202);
    EXPECT_EQ(Send(hDrawn, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)), 30);
    EXPECT_EQ(Send(hDrawn, CB_GETITEMHEIGHT, 0), 18);
    EXPECT_EQ(ScreenRect(hDrawn).bottom - ScreenRect(hDrawn).top, 36);
    Send(hDrawn, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&rcDropped));
    EXPECT_EQ(rcDropped, (RECT{300, 110, 450, 310}));

    // Moving with a new height keeps the face and gives the list the rest.
    MoveWindow(hDrawn, 200, 10, 150, 100, TRUE);
    EXPECT_EQ(ScreenRect(hDrawn).bottom - ScreenRect(hDrawn).top, 36);
    Send(hDrawn, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&rcDropped));
    EXPECT_EQ(rcDropped.bottom - rcDropped.top, 100);
    EXPECT_EQ(Send(hDrawn, CB_SETITEMHEIGHT, 0, 0), CB_ERR);
}

TEST_F(ComboBoxTest, ClickOpensTheListBelowAndAClickOnAnItemChoosesIt)
{
    const HWND hCombo = MakeCombo(0, kColours);
    EXPECT_EQ(ScreenRect(hCombo), (RECT{110, 110, 260, 136}));
    Click(kFace);
    EXPECT_EQ(GetFocus(), hCombo);
    EXPECT_EQ(Send(hCombo, CB_GETDROPPEDSTATE), TRUE);
    EXPECT_EQ(Codes(hCombo), (std::vector<int>{CBN_SETFOCUS, CBN_DROPDOWN}));
    const HWND hList = ListWindow();
    ASSERT_NE(hList, nullptr);
    EXPECT_EQ(ClassOf(hList), L"ComboLBox");
    // Five items of 18 and a border pixel above and below.
    EXPECT_EQ(ScreenRect(hList), (RECT{110, 136, 260, 228}));
    EXPECT_EQ(GetCapture(), hList);

    RecordedMessages().clear();
    Click(ListItem(2));
    EXPECT_EQ(Codes(hCombo), (std::vector<int>{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), 2);
    EXPECT_EQ(ControlText(hCombo), L"yellow");
    EXPECT_EQ(Send(hCombo, CB_GETDROPPEDSTATE), FALSE);
    EXPECT_FALSE(IsWindowVisible(hList));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), hCombo);

    // Choosing the item already chosen closes the list without a change.
    Click(kFace);
    RecordedMessages().clear();
    Click(ListItem(2));
    EXPECT_EQ(Codes(hCombo), (std::vector<int>{CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, PressingTheFaceAndReleasingOverAnItemChoosesIt)
{
    const HWND hCombo = MakeCombo(0, kColours);
    InjectMouseButton(EMouseButton::Left, true, OnScreen(hCombo, {60, 13}));
    InjectMouseMove(ListItem(1));
    InjectMouseMove(ListItem(3));
    PumpMessages();
    // Moving over the items moves the highlight only.
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), CB_ERR);
    InjectMouseButton(EMouseButton::Left, false, ListItem(3));
    PumpMessages();
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), 3);
    EXPECT_EQ(Codes(hCombo),
              (std::vector<int>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, AClickOutsideTheOpenListAbandonsTheChoiceAndIsEaten)
{
    const HWND hCombo = MakeCombo(0, kColours);
    Send(hCombo, CB_SETCURSEL, 4);
    Click(kFace); // released over the face: the list stays open
    ASSERT_EQ(Send(hCombo, CB_GETDROPPEDSTATE), TRUE);
    InjectMouseMove(ListItem(1));
    PumpMessages();
    RecordedMessages().clear();
    Click({500, 400});
    EXPECT_EQ(Codes(hCombo), (std::vector<int>{CBN_SELENDCANCEL, CBN_CLOSEUP}));
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), 4);
    EXPECT_TRUE(MessagesTo(m_hParent, WM_LBUTTONDOWN).empty());

    // A click on the face of the open list closes it too.
    Click(kFace);
    RecordedMessages().clear();
    Click(kFace);
    EXPECT_EQ(Send(hCombo, CB_GETDROPPEDSTATE), FALSE);
    EXPECT_EQ(Codes(hCombo), (std::vector<int>{CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, KeysOnTheClosedComboChangeTheSelectionAtOnce)
{
    const HWND hCombo = MakeCombo(0, kColours);
    SetFocus(hCombo);
    RecordedMessages().clear();
    PressKey(VK_DOWN);
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), 0);
    PressKey(VK_DOWN);
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), 1);
    PressKey(VK_END);
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), 4);
    PressKey(VK_DOWN); // already last
    PressKey(VK_HOME);
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), 0);
    PressKey(VK_UP); // already first
    InjectText(L"g");
    PumpMessages();
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), 3);
    EXPECT_EQ(Codes(hCombo), std::vector<int>(5, CBN_SELCHANGE));
    EXPECT_EQ(Send(hCombo, CB_GETDROPPEDSTATE), FALSE);
}

TEST_F(ComboBoxTest, KeysOpenTheListMoveItsHighlightAndChooseOrCancel)
{
    const HWND hCombo = MakeCombo(0, kColours);
    Send(hCombo, CB_SETCURSEL, 1);
    SetFocus(hCombo);
    RecordedMessages().clear();

    PressKey(VK_F4);
    EXPECT_EQ(Send(hCombo, CB_GETDROPPEDSTATE), TRUE);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), 1); // the highlight moved, not the selection
    PressKey(VK_RETURN);
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), 3);
    EXPECT_EQ(Codes(hCombo), (std::vector<int>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));

    RecordedMessages().clear();
    PressWith(VK_MENU, VK_DOWN);
    EXPECT_EQ(Send(hCombo, CB_GETDROPPEDSTATE), TRUE);
    PressKey(VK_UP);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(Send(hCombo, CB_GETDROPPEDSTATE), FALSE);
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), 3);
    EXPECT_EQ(Codes(hCombo), (std::vector<int>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));

    // Alt+Up closes keeping the highlight, as F4 does.
    RecordedMessages().clear();
    PressKey(VK_F4);
    PressKey(VK_HOME);
    PressWith(VK_MENU, VK_UP);
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), 0);
    EXPECT_EQ(Codes(hCombo), (std::vector<int>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, DialogEnterAndEscapeCloseAnOpenListFirst)
{
    const HWND hCombo = MakeCombo(WS_TABSTOP, kColours);
    SetFocus(hCombo);
    auto pumpDialog = [this]
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (!IsDialogMessageW(m_hParent, &msg))
            {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    };
    auto dialogCommands = [this]
    {
        std::vector<int> ids;
        for (const SRecordedMessage& m : MessagesTo(m_hParent, WM_COMMAND))
        {
            if (m.lParam == 0 || reinterpret_cast<HWND>(m.lParam) != GetDlgItem(m_hParent, 200))
                ids.push_back(LOWORD(m.wParam));
        }
        return ids;
    };
    RecordedMessages().clear();
    InjectKeyPress(VK_F4);
    pumpDialog();
    ASSERT_EQ(Send(hCombo, CB_GETDROPPEDSTATE), TRUE);
    InjectKeyPress(VK_ESCAPE);
    pumpDialog();
    EXPECT_EQ(Send(hCombo, CB_GETDROPPEDSTATE), FALSE);
    EXPECT_TRUE(dialogCommands().empty());
    InjectKeyPress(VK_ESCAPE);
    pumpDialog();
    EXPECT_EQ(dialogCommands(), (std::vector<int>{IDCANCEL}));

    RecordedMessages().clear();
    InjectKeyPress(VK_F4);
    InjectKeyPress(VK_DOWN);
    InjectKeyPress(VK_RETURN);
    pumpDialog();
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), 0);
    EXPECT_TRUE(dialogCommands().empty());
    InjectKeyPress(VK_RETURN);
    pumpDialog();
    EXPECT_EQ(dialogCommands(), (std::vector<int>{IDOK}));
}

TEST_F(ComboBoxTest, LosingTheFocusClosesTheList)
{
    const HWND hCombo = MakeCombo(0, kColours);
    const HWND hOther = CreateControl(WC_LISTBOXW, 0, {300, 10, 400, 100}, 300);
    SetFocus(hCombo);
    PressKey(VK_F4);
    PressKey(VK_DOWN);
    RecordedMessages().clear();
    SetFocus(hOther);
    EXPECT_EQ(Send(hCombo, CB_GETDROPPEDSTATE), FALSE);
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(Codes(hCombo), (std::vector<int>{CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ComboBoxTest, ListDropsAboveWhenTheWorkAreaHasNoRoomBelow)
{
    MoveWindow(m_hParent, 100, 900, 600, 140, TRUE);
    const HWND hCombo = MakeCombo(0, {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"10"});
    EXPECT_EQ(ScreenRect(hCombo), (RECT{110, 910, 260, 936}));
    Send(hCombo, CB_SHOWDROPDOWN, TRUE);
    // Nine items of the ten fit: 9 * 18 + 2 = 164 pixels, which below would
    // end at 1100, past the work area's 1040.
    const HWND hList = WindowFromPoint({150, 900});
    ASSERT_NE(hList, nullptr);
    EXPECT_EQ(ClassOf(hList), L"ComboLBox");
    EXPECT_EQ(ScreenRect(hList), (RECT{110, 746, 260, 910}));
}

TEST_F(ComboBoxTest, DroppedWidthWidensTheList)
{
    const HWND hCombo = MakeCombo(0, kColours);
    EXPECT_EQ(Send(hCombo, CB_GETDROPPEDWIDTH), 150);
    EXPECT_EQ(Send(hCombo, CB_SETDROPPEDWIDTH, 100), 150); // never narrower than the combo box
    EXPECT_EQ(Send(hCombo, CB_SETDROPPEDWIDTH, 250), 250);
    Send(hCombo, CB_SHOWDROPDOWN, TRUE);
    EXPECT_EQ(ScreenRect(ListWindow()), (RECT{110, 136, 360, 228}));
    Send(hCombo, CB_SHOWDROPDOWN, FALSE);
    EXPECT_EQ(Codes(hCombo), (std::vector<int>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, OwnerDrawFaceAndListItemsGoToTheParent)
{
    std::vector<DRAWITEMSTRUCT> drawn;
    Reactions()[m_hParent] = [&drawn](HWND, UINT nMessage, WPARAM, LPARAM lParam, LRESULT& lResult)
    {
        if (nMessage == WM_MEASUREITEM)
        {
            auto* pMeasure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            pMeasure->itemHeight = pMeasure->itemID == static_cast<UINT>(-1) ? 20 : 18;
            return lResult = TRUE, true;
        }
        if (nMessage != WM_DRAWITEM)
            return false;
        drawn.push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return lResult = TRUE, true;
    };
    const HWND hCombo = MakeCombo(CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, {L"one", L"two", L"three"});
    CTestCanvas face(150, 26);
    PrintClient(hCombo, face);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].CtlType, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(drawn[0].CtlID, 200u);
    EXPECT_EQ(drawn[0].itemID, static_cast<UINT>(-1)); // nothing selected
    EXPECT_EQ(drawn[0].itemState, static_cast<UINT>(ODS_COMBOBOXEDIT));
    EXPECT_EQ(drawn[0].hwndItem, hCombo);
    // The field: inside the 2-pixel edge and a pixel of space, left of the
    // 17-pixel button.
    EXPECT_EQ(drawn[0].rcItem, (RECT{3, 3, 130, 23}));

    drawn.clear();
    Send(hCombo, CB_SETITEMDATA, 1, 0xABC);
    Send(hCombo, CB_SETCURSEL, 1);
    SetFocus(hCombo);
    PrintClient(hCombo, face);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].itemID, 1u);
    EXPECT_EQ(drawn[0].itemData, 0xABCu);
    EXPECT_EQ(drawn[0].itemState, static_cast<UINT>(ODS_COMBOBOXEDIT | ODS_SELECTED | ODS_FOCUS));

    // The dropped list's items are the combo box's to draw too.
    drawn.clear();
    Send(hCombo, CB_SHOWDROPDOWN, TRUE);
    const HWND hList = ListWindow();
    CTestCanvas list(150, 56);
    PrintClient(hList, list);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].CtlType, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(drawn[0].hwndItem, hCombo);
    EXPECT_EQ(drawn[0].rcItem, (RECT{1, 1, 149, 19}));
    EXPECT_EQ(drawn[1].itemState, static_cast<UINT>(ODS_SELECTED));
    EXPECT_EQ(drawn[2].itemState, 0u);
}

TEST_F(ComboBoxTest, FaceAndListPixelsShowTheSelection)
{
    const HWND hCombo = MakeCombo(0, {L"a", L"b", L"c"});
    Send(hCombo, CB_SETCURSEL, 0);
    CTestCanvas face(150, 26, RGB(1, 2, 3));
    SImage image = PrintClient(hCombo, face);
    // Not focused: the field is the window colour, the button the face
    // colour inside its raised edge.
    EXPECT_EQ(PixelAt(image, 120, 13), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(image, 133, 5), RGB(240, 240, 240));
    SetFocus(hCombo);
    image = PrintClient(hCombo, face);
    EXPECT_EQ(PixelAt(image, 120, 13), RGB(0, 120, 215));

    // In the open list the highlight follows the pointer; the list has a
    // frame of the window-frame colour.
    Click(kFace);
    InjectMouseMove(ListItem(1));
    PumpMessages();
    CTestCanvas list(150, 56, RGB(1, 2, 3));
    image = PrintClient(ListWindow(), list);
    EXPECT_EQ(PixelAt(image, 140, 28), RGB(0, 120, 215));
    EXPECT_EQ(PixelAt(image, 140, 10), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(image, 0, 0), RGB(100, 100, 100));
    EXPECT_EQ(PixelAt(image, 149, 55), RGB(100, 100, 100));
    EXPECT_EQ(Send(hCombo, CB_GETCURSEL), 0);
}

TEST_F(ComboBoxTest, DestroyingOrDisablingTheOpenComboClosesItsList)
{
    const HWND hCombo = MakeCombo(0, kColours);
    Send(hCombo, CB_SHOWDROPDOWN, TRUE);
    RecordedMessages().clear();
    EnableWindow(hCombo, FALSE);
    EXPECT_EQ(Send(hCombo, CB_GETDROPPEDSTATE), FALSE);
    EXPECT_EQ(Codes(hCombo), (std::vector<int>{CBN_SELENDCANCEL, CBN_CLOSEUP}));
    // A disabled combo box does not open.
    Send(hCombo, CB_SHOWDROPDOWN, TRUE);
    EXPECT_EQ(Send(hCombo, CB_GETDROPPEDSTATE), FALSE);

    EnableWindow(hCombo, TRUE);
    Send(hCombo, CB_SHOWDROPDOWN, TRUE);
    const HWND hList = ListWindow();
    ASSERT_NE(hList, nullptr);
    DestroyWindow(hCombo);
    EXPECT_FALSE(IsWindow(hList));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(SendMessageW(hCombo, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(ComboBoxTest, DialogTemplatesMakeComboBoxesAndListBoxesByClassName)
{
    SDialogTemplate dialog;
    dialog.dwStyle = WS_POPUP | WS_VISIBLE | DS_SETFONT;
    dialog.cx = 200;
    dialog.cy = 150;
    SDialogItemTemplate combo;
    combo.strClassName = L"COMBOBOX";
    combo.nID = 10;
    combo.x = 5;
    combo.y = 5;
    combo.cx = 100;
    combo.cy = 80;
    combo.dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_SORT | CBS_HASSTRINGS;
    SDialogItemTemplate list = combo;
    list.strClassName = L"LISTBOX";
    list.nID = 11;
    list.y = 30;
    list.cy = 61;
    list.dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LBS_NOTIFY;
    dialog.items = {combo, list};
    const HWND hDlg = CreateDialogIndirectParamW(
        nullptr, &dialog, nullptr, [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(hDlg, nullptr);
    const HWND hCombo = GetDlgItem(hDlg, 10);
    const HWND hList = GetDlgItem(hDlg, 11);
    EXPECT_EQ(ClassOf(hCombo), L"ComboBox");
    EXPECT_EQ(ClassOf(hList), L"ListBox");

    // The template's height is the combo box's with its list dropped.
    RECT rcUnits{0, 0, 100, 80};
    MapDialogRect(hDlg, &rcUnits);
    RECT rcDropped{};
    Send(hCombo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&rcDropped));
    EXPECT_EQ(rcDropped.bottom - rcDropped.top, rcUnits.bottom);
    EXPECT_EQ(ScreenRect(hCombo).bottom - ScreenRect(hCombo).top,
              Send(hCombo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)) + 6);
    // The list box shows whole items only.
    RECT rcClient{};
    GetClientRect(hList, &rcClient);
    const auto nItemHeight = Send(hList, LB_GETITEMHEIGHT);
    ASSERT_GT(nItemHeight, 0);
    EXPECT_EQ(rcClient.bottom % nItemHeight, 0);
    RECT rcListUnits{0, 0, 100, 61};
    MapDialogRect(hDlg, &rcListUnits);
    EXPECT_GT(rcClient.bottom, rcListUnits.bottom - nItemHeight);
    DestroyWindow(hDlg);
}

TEST_F(ComboBoxTest, ItemsWithDataAreReportedToTheComboBoxParent)
{
    std::vector<DELETEITEMSTRUCT> deleted;
    Reactions()[m_hParent] = [&deleted](HWND, UINT nMessage, WPARAM, LPARAM lParam, LRESULT& lResult)
    {
        if (nMessage != WM_DELETEITEM)
            return false;
        deleted.push_back(*reinterpret_cast<const DELETEITEMSTRUCT*>(lParam));
        return lResult = TRUE, true;
    };
    const HWND hCombo = MakeCombo(0, kColours);
    Send(hCombo, CB_SETITEMDATA, 0, 5);
    Send(hCombo, CB_SETITEMDATA, 3, 8);
    Send(hCombo, CB_DELETESTRING, 0);
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_EQ(deleted[0].CtlType, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(deleted[0].CtlID, 200u);
    EXPECT_EQ(deleted[0].hwndItem, hCombo);
    EXPECT_EQ(deleted[0].itemData, 5u);
    Send(hCombo, CB_RESETCONTENT);
    ASSERT_EQ(deleted.size(), 2u);
    EXPECT_EQ(deleted[1].itemID, 2u); // green, third after red went
    EXPECT_EQ(deleted[1].itemData, 8u);
    DestroyWindow(hCombo);
    EXPECT_EQ(deleted.size(), 2u);
}

TEST_F(ComboBoxTest, OwnerDrawReachesADerivedComboBoxThroughReflection)
{
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, nullptr, L"parent", WS_POPUP | WS_VISIBLE, CRect(100, 100, 500, 400), nullptr, 0));
    CSwatchCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             CRect(10, 10, 160, 210), &parent, 88));
    EXPECT_EQ(combo.measured, (std::vector<UINT>{static_cast<UINT>(-1), 0}));
    EXPECT_EQ(combo.GetItemHeight(-1), 24);
    EXPECT_EQ(combo.GetItemHeight(0), 16);
    combo.AddString(L"one");
    combo.AddString(L"two");
    combo.SetCurSel(1);
    CTestCanvas canvas(150, 30);
    PrintClient(combo.m_hWnd, canvas);
    EXPECT_EQ(combo.drawn, (std::vector<UINT>{1}));
    combo.DestroyWindow();
    parent.DestroyWindow();
}

TEST_F(ComboBoxTest, ComboBoxWrapperDrivesTheControl)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT | CBS_HASSTRINGS,
                             CRect(10, 10, 160, 210), CWnd::FromHandle(m_hParent), 77));
    EXPECT_EQ(combo.AddString(L"beta"), 0);
    EXPECT_EQ(combo.AddString(L"alpha"), 0);
    CString strText;
    combo.GetLBText(1, strText);
    EXPECT_EQ(strText, CString(L"beta"));
    EXPECT_EQ(combo.SetCurSel(1), 1);
    combo.ShowDropDown();
    EXPECT_TRUE(combo.GetDroppedState());
    combo.ShowDropDown(FALSE);
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(combo.GetCurSel(), 1);
    combo.DestroyWindow();
}

} // namespace
