// The "Button" class: notifications from mouse, keyboard and messages, check
// states and radio groups, the dialog manager's view of buttons, and what
// they paint.
#include "ControlTestSupport.h"

namespace
{

constexpr COLORREF kFace = RGB(240, 240, 240);
constexpr COLORREF kLight = RGB(227, 227, 227);
constexpr COLORREF kDarkShadow = RGB(105, 105, 105);
constexpr COLORREF kHighlight = RGB(255, 255, 255);
constexpr COLORREF kShadow = RGB(160, 160, 160);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

using CButtonTest = CControlTest;

HWND MakeButton(CControlTest&, HWND hParent, DWORD dwStyle, RECT rc, int nID, const wchar_t* pszText = L"OK")
{
    HWND hWnd = CreateWindowExW(0, L"BUTTON", pszText, WS_CHILD | WS_VISIBLE | dwStyle, rc.left, rc.top,
                                rc.right - rc.left, rc.bottom - rc.top, hParent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), nullptr, nullptr);
    EXPECT_NE(hWnd, nullptr);
    return hWnd;
}

// ---------------------------------------------------------------------------
// Clicking

TEST_F(CButtonTest, MouseReleaseInsideClicksOnce)
{
    HWND hButton = MakeButton(*this, m_hParent, BS_PUSHBUTTON, {10, 10, 90, 34}, 7);
    InjectMouseButton(EMouseButton::Left, true, OnScreen(hButton, 20, 12));
    PumpMessages();
    // Held down inside: pushed, holding the capture, and focused.
    EXPECT_EQ(SendMessageW(hButton, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
    EXPECT_EQ(GetCapture(), hButton);
    EXPECT_EQ(GetFocus(), hButton);
    EXPECT_TRUE(Commands().empty());

    InjectMouseButton(EMouseButton::Left, false, OnScreen(hButton, 20, 12));
    PumpMessages();
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{7, BN_CLICKED}}));
    EXPECT_EQ(SendMessageW(hButton, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    // The notification names the button in lParam.
    EXPECT_EQ(MessagesTo(m_hParent, WM_COMMAND).at(0).lParam, reinterpret_cast<LPARAM>(hButton));
}

TEST_F(CButtonTest, LeavingWhilePressedUnpushesAndReleaseOutsideDoesNotClick)
{
    HWND hButton = MakeButton(*this, m_hParent, BS_PUSHBUTTON, {10, 10, 90, 34}, 7);
    InjectMouseButton(EMouseButton::Left, true, OnScreen(hButton, 5, 5));
    PumpMessages();
    InjectMouseMove(OnScreen(hButton, 120, 5));
    PumpMessages();
    EXPECT_EQ(SendMessageW(hButton, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    // Coming back pushes it again.
    InjectMouseMove(OnScreen(hButton, 40, 5));
    PumpMessages();
    EXPECT_EQ(SendMessageW(hButton, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
    InjectMouseMove(OnScreen(hButton, 40, 60));
    InjectMouseButton(EMouseButton::Left, false, OnScreen(hButton, 40, 60));
    PumpMessages();
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CButtonTest, SpaceBarPressesOnDownAndClicksOnUp)
{
    HWND hButton = MakeButton(*this, m_hParent, BS_PUSHBUTTON, {10, 10, 90, 34}, 8);
    SetFocus(hButton);
    PumpMessages();
    InjectKey(VK_SPACE, true);
    PumpMessages();
    EXPECT_EQ(SendMessageW(hButton, BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);
    EXPECT_TRUE(Commands().empty());
    InjectKey(VK_SPACE, false);
    PumpMessages();
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{8, BN_CLICKED}}));
    EXPECT_EQ(SendMessageW(hButton, BM_GETSTATE, 0, 0), BST_FOCUS);
}

TEST_F(CButtonTest, BmClickNotifiesUnlessDisabled)
{
    HWND hButton = MakeButton(*this, m_hParent, BS_PUSHBUTTON, {10, 10, 90, 34}, 9);
    SendMessageW(hButton, BM_CLICK, 0, 0);
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{9, BN_CLICKED}}));
    EnableWindow(hButton, FALSE);
    SendMessageW(hButton, BM_CLICK, 0, 0);
    EXPECT_EQ(Commands().size(), 1u);
}

TEST_F(CButtonTest, NotifyStyleReportsFocusAndDoubleClicks)
{
    HWND hPlain = MakeButton(*this, m_hParent, BS_PUSHBUTTON, {10, 10, 90, 34}, 10);
    HWND hNotify = MakeButton(*this, m_hParent, BS_PUSHBUTTON | BS_NOTIFY, {10, 50, 90, 74}, 11);
    SetFocus(hNotify);
    SetFocus(hPlain);
    PumpMessages();
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{11, BN_SETFOCUS}, {11, BN_KILLFOCUS}}));

    // Two quick clicks: without BS_NOTIFY they are two clicks, with it the
    // second is a double click (and its release clicks nothing more).
    RecordedMessages().clear();
    InjectClick(OnScreen(hPlain, 5, 5));
    InjectClick(OnScreen(hPlain, 5, 5));
    PumpMessages();
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{10, BN_CLICKED}, {10, BN_CLICKED}}));

    AdvanceClock(5000);
    RecordedMessages().clear();
    InjectClick(OnScreen(hNotify, 5, 5));
    InjectClick(OnScreen(hNotify, 5, 5));
    PumpMessages();
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{
                              {11, BN_SETFOCUS}, {11, BN_CLICKED}, {11, BN_DOUBLECLICKED}}));
}

// ---------------------------------------------------------------------------
// Check states

TEST_F(CButtonTest, AutoCheckBoxesCycleTheirStates)
{
    HWND hTwo = MakeButton(*this, m_hParent, BS_AUTOCHECKBOX, {10, 10, 110, 30}, 1);
    HWND hThree = MakeButton(*this, m_hParent, BS_AUTO3STATE, {10, 40, 110, 60}, 2);
    HWND hManual = MakeButton(*this, m_hParent, BS_CHECKBOX, {10, 70, 110, 90}, 3);
    std::vector<LRESULT> two, three;
    for (int i = 0; i < 3; ++i)
    {
        SendMessageW(hTwo, BM_CLICK, 0, 0);
        two.push_back(SendMessageW(hTwo, BM_GETCHECK, 0, 0));
        SendMessageW(hThree, BM_CLICK, 0, 0);
        three.push_back(SendMessageW(hThree, BM_GETCHECK, 0, 0));
    }
    EXPECT_EQ(two, (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED, BST_CHECKED}));
    EXPECT_EQ(three, (std::vector<LRESULT>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}));
    // A plain check box only reports; its owner decides.
    SendMessageW(hManual, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(hManual, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Commands().back(), (std::pair<int, int>{3, BN_CLICKED}));
}

TEST_F(CButtonTest, SetCheckKeepsToTheStatesTheTypeHas)
{
    HWND hTwo = MakeButton(*this, m_hParent, BS_CHECKBOX, {10, 10, 110, 30}, 1);
    HWND hThree = MakeButton(*this, m_hParent, BS_3STATE, {10, 40, 110, 60}, 2);
    HWND hPush = MakeButton(*this, m_hParent, BS_PUSHBUTTON, {10, 70, 110, 90}, 3);
    SendMessageW(hTwo, BM_SETCHECK, BST_INDETERMINATE, 0);
    SendMessageW(hThree, BM_SETCHECK, BST_INDETERMINATE, 0);
    SendMessageW(hPush, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageW(hTwo, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(hThree, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(SendMessageW(hPush, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(CheckDlgButton(m_hParent, 2, BST_UNCHECKED), TRUE);
    EXPECT_EQ(IsDlgButtonChecked(m_hParent, 2), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(IsDlgButtonChecked(m_hParent, 1), static_cast<UINT>(BST_CHECKED));
}

TEST_F(CButtonTest, AutoRadioButtonsUncheckTheRestOfTheirGroupOnly)
{
    HWND hA = MakeButton(*this, m_hParent, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, {10, 10, 110, 30}, 1);
    HWND hB = MakeButton(*this, m_hParent, BS_AUTORADIOBUTTON, {10, 40, 110, 60}, 2);
    HWND hC = MakeButton(*this, m_hParent, BS_AUTORADIOBUTTON, {10, 70, 110, 90}, 3);
    HWND hOther = MakeButton(*this, m_hParent, BS_AUTORADIOBUTTON | WS_GROUP, {10, 100, 110, 120}, 4);
    SendMessageW(hA, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(hOther, BM_SETCHECK, BST_CHECKED, 0);

    InjectClick(OnScreen(hC, 3, 10));
    PumpMessages();
    EXPECT_EQ(SendMessageW(hA, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(hB, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(hC, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(hOther, BM_GETCHECK, 0, 0), BST_CHECKED);
    // The checked one is the group's tab stop.
    EXPECT_EQ(GetWindowLongPtrW(hA, GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(GetWindowLongPtrW(hC, GWL_STYLE) & WS_TABSTOP, WS_TABSTOP);
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{3, BN_CLICKED}}));

    EXPECT_EQ(CheckRadioButton(m_hParent, 1, 3, 2), TRUE);
    EXPECT_EQ(IsDlgButtonChecked(m_hParent, 2), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(m_hParent, 3), static_cast<UINT>(BST_UNCHECKED));
}

TEST_F(CButtonTest, ArrowKeysOfTheDialogManagerMoveTheRadioChoice)
{
    HWND hA = MakeButton(*this, m_hParent, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, {10, 10, 110, 30}, 1);
    HWND hB = MakeButton(*this, m_hParent, BS_AUTORADIOBUTTON, {10, 40, 110, 60}, 2);
    SendMessageW(hA, BM_SETCHECK, BST_CHECKED, 0);
    SetFocus(hA);
    MSG msg{hA, WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
    EXPECT_TRUE(IsDialogMessageW(m_hParent, &msg));
    EXPECT_EQ(GetFocus(), hB);
    EXPECT_EQ(SendMessageW(hA, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(hB, BM_GETCHECK, 0, 0), BST_CHECKED);
}

// ---------------------------------------------------------------------------
// Styles and the dialog manager

TEST_F(CButtonTest, DialogCodesFollowTheType)
{
    const std::vector<std::pair<DWORD, LRESULT>> cases = {
        {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
        {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
        {BS_CHECKBOX, DLGC_BUTTON},
        {BS_AUTO3STATE, DLGC_BUTTON},
        {BS_RADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {BS_GROUPBOX, DLGC_STATIC},
        {BS_OWNERDRAW, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
    };
    int nID = 100;
    for (const auto& [dwStyle, nCode] : cases)
    {
        HWND hButton = MakeButton(*this, m_hParent, dwStyle, {0, 0, 50, 20}, nID++);
        EXPECT_EQ(SendMessageW(hButton, WM_GETDLGCODE, 0, 0), nCode) << "style " << dwStyle;
    }
}

TEST_F(CButtonTest, SetStyleChangesTheTypeAndKeepsTheRest)
{
    HWND hButton = MakeButton(*this, m_hParent, BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, {0, 0, 50, 20}, 1);
    SendMessageW(hButton, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    const auto dwStyle = static_cast<DWORD>(GetWindowLongPtrW(hButton, GWL_STYLE));
    EXPECT_EQ(dwStyle & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(dwStyle & (BS_NOTIFY | WS_TABSTOP | WS_CHILD),
              static_cast<DWORD>(BS_NOTIFY | WS_TABSTOP | WS_CHILD));
    EXPECT_EQ(SendMessageW(hButton, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
}

TEST_F(CButtonTest, GroupBoxLetsTheMouseThroughAndFontsRoundTrip)
{
    HWND hGroup = MakeButton(*this, m_hParent, BS_GROUPBOX, {10, 10, 200, 120}, 1, L"Options");
    EXPECT_EQ(SendMessageW(hGroup, WM_NCHITTEST, 0, MAKELPARAM(150, 150)), HTTRANSPARENT);
    InjectClick(OnScreen(hGroup, 50, 50));
    PumpMessages();
    EXPECT_GE(IndexOf(m_hParent, WM_LBUTTONDOWN), 0);
    EXPECT_TRUE(Commands().empty());

    HFONT hFont = GetDialogFont(L"MS Shell Dlg", 8);
    EXPECT_EQ(SendMessageW(hGroup, WM_GETFONT, 0, 0), 0);
    SendMessageW(hGroup, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
    EXPECT_EQ(SendMessageW(hGroup, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(hFont));
}

TEST_F(CButtonTest, SetImageAnswersThePreviousImageOfThatType)
{
    HWND hButton = MakeButton(*this, m_hParent, BS_PUSHBUTTON | BS_BITMAP, {0, 0, 40, 24}, 1);
    HBITMAP hFirst = MakeSolidBitmap(8, 8, RGB(255, 0, 0));
    HBITMAP hSecond = MakeSolidBitmap(8, 8, RGB(0, 0, 255));
    EXPECT_EQ(SendMessageW(hButton, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hFirst)), 0);
    EXPECT_EQ(SendMessageW(hButton, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hSecond)),
              reinterpret_cast<LRESULT>(hFirst));
    EXPECT_EQ(SendMessageW(hButton, BM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(hSecond));
    EXPECT_EQ(SendMessageW(hButton, BM_GETIMAGE, IMAGE_ICON, 0), 0);
    EXPECT_EQ(SendMessageW(hButton, BM_SETIMAGE, 7, reinterpret_cast<LPARAM>(hFirst)), 0);
    DestroyWindow(hButton);
    DeleteObject(hFirst);
    DeleteObject(hSecond);
}

// ---------------------------------------------------------------------------
// Painting

TEST_F(CButtonTest, PushButtonEdgesAndPressedLook)
{
    HWND hButton = MakeButton(*this, m_hParent, BS_PUSHBUTTON, {0, 0, 80, 24}, 1, L"");
    SImage image = Print(hButton);
    // Raised: light then white along the top, dark shadow then shadow along
    // the bottom, the face inside, and the parent's brush at the corners.
    EXPECT_EQ(PixelOf(image, 40, 0), kLight);
    EXPECT_EQ(PixelOf(image, 40, 1), kHighlight);
    EXPECT_EQ(PixelOf(image, 40, 23), kDarkShadow);
    EXPECT_EQ(PixelOf(image, 40, 22), kShadow);
    EXPECT_EQ(PixelOf(image, 40, 12), kFace);
    EXPECT_EQ(PixelOf(image, 0, 0), kFace);

    SendMessageW(hButton, BM_SETSTATE, TRUE, 0);
    image = Print(hButton);
    EXPECT_EQ(PixelOf(image, 40, 0), kShadow);
    EXPECT_EQ(PixelOf(image, 40, 1), kFace);
    EXPECT_EQ(PixelOf(image, 40, 23), kShadow);
}

TEST_F(CButtonTest, PushLikeCheckBoxLooksSunkenWhenChecked)
{
    HWND hToggle = MakeButton(*this, m_hParent, BS_AUTOCHECKBOX | BS_PUSHLIKE, {0, 0, 80, 24}, 1, L"");
    EXPECT_EQ(PixelOf(Print(hToggle), 40, 0), kLight);
    SendMessageW(hToggle, BM_CLICK, 0, 0);
    // Sunken: shadow then dark shadow along the top, a lighter face inside.
    const SImage image = Print(hToggle);
    EXPECT_EQ(PixelOf(image, 40, 0), kShadow);
    EXPECT_EQ(PixelOf(image, 40, 1), kDarkShadow);
    EXPECT_EQ(PixelOf(image, 40, 12), kLight);
}

TEST_F(CButtonTest, DefaultButtonHasADarkFrameAndFocusShowsTheDottedFrame)
{
    HWND hButton = MakeButton(*this, m_hParent, BS_DEFPUSHBUTTON, {0, 0, 80, 24}, 1, L"");
    SImage image = Print(hButton);
    EXPECT_EQ(PixelOf(image, 40, 0), kDarkShadow);
    EXPECT_EQ(PixelOf(image, 0, 0), kDarkShadow);
    EXPECT_EQ(PixelOf(image, 40, 1), kLight);
    // Not focused: no dotted frame four pixels in (frame, edge, then it).
    EXPECT_EQ(PixelOf(image, 4, 4), kFace);

    SetFocus(hButton);
    image = Print(hButton);
    // The dotted frame inverts every other pixel: 240 becomes 15.
    EXPECT_EQ(PixelOf(image, 4, 4), RGB(15, 15, 15));
    EXPECT_EQ(PixelOf(image, 5, 4), kFace);
}

TEST_F(CButtonTest, DisabledTextIsGrey)
{
    HWND hButton = MakeButton(*this, m_hParent, BS_PUSHBUTTON, {0, 0, 80, 24}, 1, L"Wide");
    const RECT rcInside{3, 3, 77, 21};
    EXPECT_LT(DarkestLevel(Print(hButton), rcInside), 60);
    EnableWindow(hButton, FALSE);
    const int nDarkest = DarkestLevel(Print(hButton), rcInside);
    // The grey text colour is 109; anti-aliasing only lightens it.
    EXPECT_GE(nDarkest, 109);
    EXPECT_LT(nDarkest, 200);
}

TEST_F(CButtonTest, CheckBoxDrawsItsBoxAndMark)
{
    HWND hBox = MakeButton(*this, m_hParent, BS_CHECKBOX, {0, 0, 100, 20}, 1, L"");
    // The 13-pixel box sits at the left, (20 - 13) / 2 = 3 down: a sunken
    // edge (shadow over dark shadow) round a white inside from (2, 5).
    SImage image = Print(hBox);
    EXPECT_EQ(PixelOf(image, 6, 3), kShadow);
    EXPECT_EQ(PixelOf(image, 6, 4), kDarkShadow);
    EXPECT_EQ(PixelOf(image, 6, 15), kHighlight);
    EXPECT_EQ(PixelOf(image, 3, 9), kWhite);
    EXPECT_EQ(PixelOf(image, 50, 10), kFace);

    // The tick starts one pixel in, at (3, 6): its first column covers
    // rows 8 to 10, its last (x = 9) rows 6 to 8.
    SendMessageW(hBox, BM_SETCHECK, BST_CHECKED, 0);
    image = Print(hBox);
    EXPECT_EQ(PixelOf(image, 3, 9), kBlack);
    EXPECT_EQ(PixelOf(image, 9, 6), kBlack);
    EXPECT_EQ(PixelOf(image, 3, 6), kWhite);

    SendMessageW(hBox, BM_SETCHECK, BST_CHECKED, 0);
    SetWindowLongPtrW(hBox, GWL_STYLE, GetWindowLongPtrW(hBox, GWL_STYLE) | BS_LEFTTEXT);
    image = Print(hBox);
    // With the text on the left the box moves to the right edge.
    EXPECT_EQ(PixelOf(image, 3, 9), kFace);
    // The box spans 87..100, its inside starts at 89 and the tick at 90.
    EXPECT_EQ(PixelOf(image, 90, 9), kBlack);
}

TEST_F(CButtonTest, IndeterminateAndRadioMarks)
{
    HWND hBox = MakeButton(*this, m_hParent, BS_3STATE, {0, 0, 100, 20}, 1, L"");
    SendMessageW(hBox, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(PixelOf(Print(hBox), 3, 9), kShadow);

    // A 12-pixel circle at (0, 4): its centre (6, 10) is white until checked.
    HWND hRadio = MakeButton(*this, m_hParent, BS_RADIOBUTTON, {0, 30, 100, 50}, 2, L"");
    EXPECT_EQ(PixelOf(Print(hRadio), 6, 10), kWhite);
    SendMessageW(hRadio, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(PixelOf(Print(hRadio), 6, 10), kBlack);
}

TEST_F(CButtonTest, ParentBrushFillsCheckBoxBackground)
{
    HWND hBox = MakeButton(*this, m_hParent, BS_AUTOCHECKBOX, {0, 0, 100, 20}, 1, L"");
    HBRUSH hRed = CreateSolidBrush(RGB(255, 0, 0));
    Reactions()[m_hParent] = [hRed](HWND, UINT nMessage, WPARAM, LPARAM, LRESULT& lResult)
    {
        if (nMessage != WM_CTLCOLORSTATIC)
            return false;
        lResult = reinterpret_cast<LRESULT>(hRed);
        return true;
    };
    EXPECT_EQ(PixelOf(Print(hBox), 50, 10), RGB(255, 0, 0));
    EXPECT_EQ(MessagesTo(m_hParent, WM_CTLCOLORSTATIC).at(0).lParam, reinterpret_cast<LPARAM>(hBox));
    Reactions().clear();
    DeleteObject(hRed);
}

TEST_F(CButtonTest, BitmapIsCentredAndGreyedWhenDisabled)
{
    HWND hButton = MakeButton(*this, m_hParent, BS_PUSHBUTTON | BS_BITMAP, {0, 0, 40, 24}, 1);
    HBITMAP hBitmap = MakeSolidBitmap(8, 8, RGB(255, 0, 0));
    SendMessageW(hButton, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap));
    SImage image = Print(hButton);
    // Content 2..38 x 2..22, so the bitmap covers 16..24 x 8..16.
    EXPECT_EQ(PixelOf(image, 16, 8), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(image, 23, 15), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(image, 15, 8), kFace);
    EXPECT_EQ(PixelOf(image, 24, 15), kFace);

    // Red's brightness is 255 * 299 / 1000 = 76; (76 + 2 * 255) / 3 = 195.
    EnableWindow(hButton, FALSE);
    EXPECT_EQ(PixelOf(Print(hButton), 20, 12), RGB(195, 195, 195));
    DestroyWindow(hButton);
    DeleteObject(hBitmap);
}

TEST_F(CButtonTest, OwnerDrawAsksTheParentWithTheState)
{
    HWND hButton = MakeButton(*this, m_hParent, BS_OWNERDRAW, {0, 0, 60, 30}, 42);
    std::vector<DRAWITEMSTRUCT> draws;
    Reactions()[m_hParent] = [&draws](HWND, UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
    {
        if (nMessage != WM_DRAWITEM)
            return false;
        EXPECT_EQ(wParam, 42u);
        draws.push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        lResult = TRUE;
        return true;
    };
    CTestCanvas canvas(60, 30);
    SendMessageW(hButton, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    SendMessageW(hButton, BM_SETSTATE, TRUE, 0);
    SetFocus(hButton);
    SendMessageW(hButton, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    EnableWindow(hButton, FALSE);
    SendMessageW(hButton, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    Reactions().clear();

    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[0].CtlType, static_cast<UINT>(ODT_BUTTON));
    EXPECT_EQ(draws[0].CtlID, 42u);
    EXPECT_EQ(draws[0].itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(draws[0].itemState, 0u);
    EXPECT_EQ(draws[0].hwndItem, hButton);
    EXPECT_EQ(draws[0].hDC, canvas.Dc());
    EXPECT_EQ(draws[0].rcItem.right, 60);
    EXPECT_EQ(draws[0].rcItem.bottom, 30);
    EXPECT_EQ(draws[1].itemState, static_cast<UINT>(ODS_SELECTED | ODS_FOCUS));
    // Disabling let go of the press; the focus stays.
    EXPECT_EQ(draws[2].itemState & (ODS_DISABLED | ODS_SELECTED), static_cast<UINT>(ODS_DISABLED));
}

TEST_F(CButtonTest, WrapperCreatesAndDrivesTheButton)
{
    CButton button;
    CWnd* pParent = CWnd::FromHandle(m_hParent);
    ASSERT_TRUE(
        button.Create(L"Go", BS_AUTOCHECKBOX | WS_CHILD | WS_VISIBLE, RECT{0, 0, 80, 20}, pParent, 5));
    EXPECT_TRUE(button.IsKindOf(RUNTIME_CLASS(CButton)));
    button.SetCheck(BST_CHECKED);
    EXPECT_EQ(button.GetCheck(), BST_CHECKED);
    button.Click();
    EXPECT_EQ(button.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(button.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_AUTOCHECKBOX));
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{5, BN_CLICKED}}));
    button.DestroyWindow();
}

} // namespace
