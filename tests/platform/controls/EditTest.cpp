// The single-line edit control driven as a user drives it: typed characters,
// keys, clicks and drags, with the notifications its parent receives, its
// state through its messages and the pixels it paints.
#include "../DrawingTestSupport.h"
#include "../WindowTestSupport.h"

#include "AfxWin.h"
#include "Input.h"
#include "Responder.h"

namespace
{

constexpr int kEditId = 100;
// WM_PRINTCLIENT's flag for the client area.
constexpr LPARAM kPrintClient = 0x04;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kHighlight = RGB(0, 120, 215);
constexpr COLORREF kButtonFace = RGB(240, 240, 240);

// Measures text with the font an edit uses when none is set, on a device
// context of its own.
int MeasureWidth(const wchar_t* pszText)
{
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{0, 0};
    GetTextExtentPoint32W(hdc, pszText, static_cast<int>(wcslen(pszText)), &size);
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    return size.cx;
}

int LineHeight()
{
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(hdc, &metrics);
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    return metrics.tmHeight;
}

class CEditControl : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        EmptyClipboardText();
        m_hParent = CreateTopLevel({100, 100, 500, 300});
        ASSERT_NE(m_hParent, nullptr);
    }
    void TearDown() override
    {
        EmptyClipboardText();
        CWindowTest::TearDown();
    }

    // An edit without a frame, so that its client area is its window.
    HWND CreateEdit(DWORD dwStyle, const wchar_t* pszText = L"", int nWidth = 200, int nId = kEditId)
    {
        HWND hEdit = CreateWindowExW(0, L"EDIT", pszText, WS_CHILD | WS_VISIBLE | WS_TABSTOP | dwStyle, 10,
                                     10, nWidth, 24, m_hParent,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)), nullptr, nullptr);
        EXPECT_NE(hEdit, nullptr);
        return hEdit;
    }

    static std::wstring TextOf(HWND hEdit)
    {
        wchar_t szText[256] = L"";
        GetWindowTextW(hEdit, szText, 256);
        return szText;
    }

    static std::pair<int, int> SelectionOf(HWND hEdit)
    {
        DWORD dwStart = 99;
        DWORD dwEnd = 99;
        SendMessageW(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
        return {static_cast<int>(dwStart), static_cast<int>(dwEnd)};
    }

    // The notification codes the parent received from an edit, in order.
    std::vector<int> Notifications(HWND hEdit) const
    {
        std::vector<int> codes;
        for (const SRecordedMessage& m : MessagesTo(m_hParent, WM_COMMAND))
        {
            if (reinterpret_cast<HWND>(m.lParam) == hEdit)
            {
                EXPECT_TRUE(!IsWindow(hEdit) || LOWORD(m.wParam) == GetDlgCtrlID(hEdit));
                codes.push_back(HIWORD(m.wParam));
            }
        }
        return codes;
    }
    int CountOf(HWND hEdit, int nCode) const
    {
        const std::vector<int> codes = Notifications(hEdit);
        return static_cast<int>(std::count(codes.begin(), codes.end(), nCode));
    }

    static POINT OnScreen(HWND hEdit, int x, int y)
    {
        POINT pt{x, y};
        ClientToScreen(hEdit, &pt);
        return pt;
    }
    static void Type(const wchar_t* pszText)
    {
        InjectText(pszText);
        PumpMessages();
    }
    static void Press(UINT nKey, UINT nModifier = 0)
    {
        if (nModifier != 0)
            InjectKey(nModifier, true);
        InjectKeyPress(nKey);
        if (nModifier != 0)
            InjectKey(nModifier, false);
        PumpMessages();
    }
    static void Focus(HWND hEdit)
    {
        SetFocus(hEdit);
        PumpMessages();
    }

    HWND m_hParent = nullptr;
};

// The client x of the boundary before a position of a left-aligned text with
// the default one-pixel margin.
int BoundaryX(const wchar_t* pszPrefix)
{
    return 1 + MeasureWidth(pszPrefix);
}

} // namespace

TEST_F(CEditControl, TypingSendsUpdateThenChangeOncePerCharacter)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL);
    Focus(hEdit);
    RecordedMessages().clear();
    Type(L"ab1");
    EXPECT_EQ(TextOf(hEdit), L"ab1");
    EXPECT_EQ(Notifications(hEdit),
              (std::vector<int>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(3, 3));
    EXPECT_TRUE(SendMessageW(hEdit, EM_GETMODIFY, 0, 0));
    EXPECT_EQ(SendMessageW(hEdit, WM_GETTEXTLENGTH, 0, 0), 3);
}

TEST_F(CEditControl, SetTextResetsSelectionModifyAndUndoAndTellsTheParentOnce)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"start");
    Focus(hEdit);
    SendMessageW(hEdit, EM_SETSEL, 5, 5);
    Type(L"ed");
    ASSERT_TRUE(SendMessageW(hEdit, EM_CANUNDO, 0, 0));
    RecordedMessages().clear();

    SetWindowTextW(hEdit, L"hello");
    EXPECT_EQ(TextOf(hEdit), L"hello");
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(0, 0));
    EXPECT_FALSE(SendMessageW(hEdit, EM_GETMODIFY, 0, 0));
    EXPECT_FALSE(SendMessageW(hEdit, EM_CANUNDO, 0, 0));
    // A single-line edit reports text set from outside as well.
    EXPECT_EQ(Notifications(hEdit), (std::vector<int>{EN_UPDATE, EN_CHANGE}));

    // One made with ES_MULTILINE keeps quiet about it.
    HWND hMultiline = CreateEdit(ES_MULTILINE, L"", 200, 101);
    SetWindowTextW(hMultiline, L"two\r\nlines");
    EXPECT_EQ(TextOf(hMultiline), L"two\r\nlines");
    EXPECT_TRUE(Notifications(hMultiline).empty());
}

TEST_F(CEditControl, NumberStyleTypesOnlyDigits)
{
    HWND hEdit = CreateEdit(ES_NUMBER | ES_AUTOHSCROLL);
    Focus(hEdit);
    RecordedMessages().clear();
    Type(L"1a2-3 ");
    EXPECT_EQ(TextOf(hEdit), L"123");
    EXPECT_EQ(CountOf(hEdit, EN_CHANGE), 3);
}

TEST_F(CEditControl, TheLimitStopsTypingAndShortensReplacements)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL);
    EXPECT_EQ(SendMessageW(hEdit, EM_GETLIMITTEXT, 0, 0), 32767);
    SendMessageW(hEdit, EM_LIMITTEXT, 3, 0);
    EXPECT_EQ(SendMessageW(hEdit, EM_GETLIMITTEXT, 0, 0), 3);
    Focus(hEdit);
    RecordedMessages().clear();
    Type(L"abcd");
    EXPECT_EQ(TextOf(hEdit), L"abc");
    EXPECT_EQ(CountOf(hEdit, EN_CHANGE), 3);
    EXPECT_EQ(CountOf(hEdit, EN_MAXTEXT), 1);

    // Typing over a selection fits: the selected character goes.
    SendMessageW(hEdit, EM_SETSEL, 1, 2);
    Type(L"X");
    EXPECT_EQ(TextOf(hEdit), L"aXc");

    // A replacement keeps what fits: 5 - 3 = 2 characters of "defg".
    SendMessageW(hEdit, EM_SETLIMITTEXT, 5, 0);
    SendMessageW(hEdit, EM_SETSEL, 3, 3);
    RecordedMessages().clear();
    SendMessageW(hEdit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"defg"));
    EXPECT_EQ(TextOf(hEdit), L"aXcde");
    EXPECT_EQ(Notifications(hEdit), (std::vector<int>{EN_MAXTEXT, EN_UPDATE, EN_CHANGE}));

    // Text set from outside is not limited; zero means the largest limit.
    SetWindowTextW(hEdit, L"longer than five");
    EXPECT_EQ(TextOf(hEdit), L"longer than five");
    SendMessageW(hEdit, EM_LIMITTEXT, 0, 0);
    EXPECT_EQ(SendMessageW(hEdit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(CEditControl, ArrowsHomeAndEndMoveAndShiftExtends)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"hello world");
    Focus(hEdit);
    Press(VK_END);
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(11, 11));
    for (int i = 0; i < 3; ++i)
        Press(VK_LEFT, VK_SHIFT);
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(8, 11));
    Press(VK_HOME, VK_SHIFT);
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(0, 11));
    // Without Shift an arrow ends the selection at its side.
    Press(VK_RIGHT);
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(11, 11));
    Press(VK_LEFT);
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(10, 10));

    // Control moves by words: to the start of the next or previous word.
    Press(VK_HOME);
    Press(VK_RIGHT, VK_CONTROL);
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(6, 6));
    Press(VK_RIGHT, VK_CONTROL);
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(11, 11));
    Press(VK_LEFT, VK_CONTROL);
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(6, 6));
    InjectKey(VK_SHIFT, true);
    Press(VK_LEFT, VK_CONTROL);
    InjectKey(VK_SHIFT, false);
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(0, 6));
    // Ctrl+A selects everything.
    Press(VK_HOME);
    Press('A', VK_CONTROL);
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(0, 11));
    EXPECT_EQ(TextOf(hEdit), L"hello world");
}

TEST_F(CEditControl, BackspaceAndDeleteRemoveOneCharacterOrTheSelection)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"abcd");
    Focus(hEdit);
    SendMessageW(hEdit, EM_SETSEL, 2, 2);
    RecordedMessages().clear();
    Press(VK_BACK);
    EXPECT_EQ(TextOf(hEdit), L"acd");
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(1, 1));
    Press(VK_DELETE);
    EXPECT_EQ(TextOf(hEdit), L"ad");
    EXPECT_EQ(CountOf(hEdit, EN_CHANGE), 2);
    // At the ends there is nothing to remove and nothing to report.
    Press(VK_END);
    Press(VK_DELETE);
    Press(VK_HOME);
    Press(VK_BACK);
    EXPECT_EQ(TextOf(hEdit), L"ad");
    EXPECT_EQ(CountOf(hEdit, EN_CHANGE), 2);
    Press('A', VK_CONTROL);
    Press(VK_DELETE);
    EXPECT_EQ(TextOf(hEdit), L"");
    EXPECT_EQ(CountOf(hEdit, EN_CHANGE), 3);
}

TEST_F(CEditControl, ReplaceSelectionNotifiesAndUndoSwapsBackAndForth)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"hello world");
    SendMessageW(hEdit, EM_SETSEL, 0, 5);
    RecordedMessages().clear();
    SendMessageW(hEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"howdy"));
    EXPECT_EQ(TextOf(hEdit), L"howdy world");
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(5, 5));
    EXPECT_EQ(Notifications(hEdit), (std::vector<int>{EN_UPDATE, EN_CHANGE}));
    EXPECT_TRUE(SendMessageW(hEdit, EM_GETMODIFY, 0, 0));
    ASSERT_TRUE(SendMessageW(hEdit, EM_CANUNDO, 0, 0));

    EXPECT_TRUE(SendMessageW(hEdit, EM_UNDO, 0, 0));
    EXPECT_EQ(TextOf(hEdit), L"hello world");
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(0, 5));
    EXPECT_TRUE(SendMessageW(hEdit, WM_UNDO, 0, 0));
    EXPECT_EQ(TextOf(hEdit), L"howdy world");

    // Without undo the buffer is emptied; a null text deletes the selection.
    SendMessageW(hEdit, EM_SETSEL, 5, -1);
    SendMessageW(hEdit, EM_REPLACESEL, FALSE, 0);
    EXPECT_EQ(TextOf(hEdit), L"howdy");
    EXPECT_FALSE(SendMessageW(hEdit, EM_CANUNDO, 0, 0));
    EXPECT_FALSE(SendMessageW(hEdit, EM_UNDO, 0, 0));
    SendMessageW(hEdit, EM_SETMODIFY, FALSE, 0);
    EXPECT_FALSE(SendMessageW(hEdit, EM_GETMODIFY, 0, 0));
}

TEST_F(CEditControl, TypedCharactersUndoAsOneChangeUntilTheCaretMoves)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"x");
    Focus(hEdit);
    Press(VK_END);
    Type(L"abc");
    Press('Z', VK_CONTROL);
    EXPECT_EQ(TextOf(hEdit), L"x");
    Press('Z', VK_CONTROL);
    EXPECT_EQ(TextOf(hEdit), L"xabc");

    Press(VK_LEFT);
    Type(L"12");
    EXPECT_EQ(TextOf(hEdit), L"xab12c");
    Press('Z', VK_CONTROL);
    EXPECT_EQ(TextOf(hEdit), L"xabc");
}

TEST_F(CEditControl, EditingMessagesCorrectPositionsOutsideTheText)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"abc");
    SendMessageW(hEdit, EM_SETSEL, 10, 20);
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(3, 3));
    // The end may come before the start; -1 as the start drops the
    // selection and keeps the caret.
    SendMessageW(hEdit, EM_SETSEL, 3, 1);
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(1, 3));
    EXPECT_EQ(SendMessageW(hEdit, EM_GETSEL, 0, 0), MAKELRESULT(1, 3));
    SendMessageW(hEdit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(1, 1));
    SendMessageW(hEdit, EM_SETSEL, 0, -1);
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(0, 3));
    EXPECT_EQ(SendMessageW(hEdit, EM_POSFROMCHAR, 3, 0), -1);
    EXPECT_EQ(SendMessageW(hEdit, EM_GETLINECOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageW(hEdit, EM_LINELENGTH, 0, 0), 3);

    // Messages to a destroyed edit are answered with nothing.
    DestroyWindow(hEdit);
    EXPECT_EQ(SendMessageW(hEdit, EM_GETSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageW(hEdit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"x")), 0);
}

TEST_F(CEditControl, ReadOnlyRefusesChangesButCopiesAndAsksForStaticColours)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"fixed");
    EXPECT_TRUE(SendMessageW(hEdit, EM_SETREADONLY, TRUE, 0));
    EXPECT_NE(GetWindowLongPtrW(hEdit, GWL_STYLE) & ES_READONLY, 0);
    Focus(hEdit);
    RecordedMessages().clear();
    Type(L"zz");
    Press(VK_BACK);
    Press(VK_DELETE);
    SendMessageW(hEdit, EM_SETSEL, 0, 2);
    SendMessageW(hEdit, WM_CUT, 0, 0);
    SendMessageW(hEdit, WM_CLEAR, 0, 0);
    SetClipboardText(L"pasted");
    SendMessageW(hEdit, WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(hEdit), L"fixed");
    EXPECT_EQ(CountOf(hEdit, EN_CHANGE), 0);
    SendMessageW(hEdit, WM_COPY, 0, 0);
    EXPECT_EQ(GetClipboardText(), L"fi");

    CTestCanvas canvas(200, 24, RGB(1, 2, 3));
    RecordedMessages().clear();
    SendMessageW(hEdit, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), kPrintClient);
    EXPECT_EQ(MessagesTo(m_hParent, WM_CTLCOLORSTATIC).size(), 1u);
    EXPECT_TRUE(MessagesTo(m_hParent, WM_CTLCOLOREDIT).empty());
    EXPECT_EQ(canvas.At(199, 0), kButtonFace);

    SendMessageW(hEdit, EM_SETREADONLY, FALSE, 0);
    RecordedMessages().clear();
    SendMessageW(hEdit, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), kPrintClient);
    EXPECT_EQ(MessagesTo(m_hParent, WM_CTLCOLOREDIT).size(), 1u);
    EXPECT_EQ(canvas.At(199, 0), kWhite);
    Type(L"!");
    EXPECT_EQ(TextOf(hEdit), L"!xed");
}

TEST_F(CEditControl, CutAndPasteMoveTextThroughTheClipboard)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"hello world");
    Focus(hEdit);
    SendMessageW(hEdit, EM_SETSEL, 0, 6);
    RecordedMessages().clear();
    Press('X', VK_CONTROL);
    EXPECT_EQ(TextOf(hEdit), L"world");
    EXPECT_EQ(GetClipboardText(), L"hello ");
    Press(VK_END);
    Press('V', VK_CONTROL);
    EXPECT_EQ(TextOf(hEdit), L"worldhello ");
    EXPECT_EQ(CountOf(hEdit, EN_CHANGE), 2);

    // The older keys: Shift+Delete cuts, Ctrl+Insert copies, Shift+Insert pastes.
    SendMessageW(hEdit, EM_SETSEL, 0, 5);
    Press(VK_INSERT, VK_CONTROL);
    EXPECT_EQ(GetClipboardText(), L"world");
    Press(VK_DELETE, VK_SHIFT);
    EXPECT_EQ(TextOf(hEdit), L"hello ");
    Press(VK_END);
    Press(VK_INSERT, VK_SHIFT);
    EXPECT_EQ(TextOf(hEdit), L"hello world");

    // A single line takes text only up to the first line break.
    SetClipboardText(L"one\r\ntwo");
    SendMessageW(hEdit, EM_SETSEL, 0, -1);
    SendMessageW(hEdit, WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(hEdit), L"one");
}

TEST_F(CEditControl, PasswordTextIsNeitherCopiedNorCut)
{
    HWND hEdit = CreateEdit(ES_PASSWORD | ES_AUTOHSCROLL, L"secret");
    EXPECT_EQ(SendMessageW(hEdit, EM_GETPASSWORDCHAR, 0, 0), L'*');
    SendMessageW(hEdit, EM_SETSEL, 0, -1);
    SendMessageW(hEdit, WM_COPY, 0, 0);
    SendMessageW(hEdit, WM_CUT, 0, 0);
    EXPECT_FALSE(HasClipboardText());
    EXPECT_EQ(TextOf(hEdit), L"secret");
    // Every character shows as the password character: "******" measures
    // as six stars.
    SendMessageW(hEdit, EM_SETSEL, 3, 3);
    EXPECT_EQ(GET_X_LPARAM(SendMessageW(hEdit, EM_POSFROMCHAR, 3, 0)), BoundaryX(L"***"));
}

TEST_F(CEditControl, CaseStylesConvertTypedAndSetText)
{
    HWND hUpper = CreateEdit(ES_UPPERCASE | ES_AUTOHSCROLL, L"mixed Case", 200, 101);
    EXPECT_EQ(TextOf(hUpper), L"MIXED CASE");
    Focus(hUpper);
    Press(VK_END);
    Type(L"aB");
    EXPECT_EQ(TextOf(hUpper), L"MIXED CASEAB");
    HWND hLower = CreateEdit(ES_LOWERCASE | ES_AUTOHSCROLL, L"", 200, 102);
    SetWindowTextW(hLower, L"ABC");
    EXPECT_EQ(TextOf(hLower), L"abc");
}

TEST_F(CEditControl, FocusChangesAreReported)
{
    HWND hFirst = CreateEdit(ES_AUTOHSCROLL, L"", 200, 101);
    HWND hSecond = CreateEdit(ES_AUTOHSCROLL, L"", 200, 102);
    Focus(hFirst);
    EXPECT_EQ(Notifications(hFirst), std::vector<int>{EN_SETFOCUS});
    RecordedMessages().clear();
    Focus(hSecond);
    EXPECT_EQ(Notifications(hFirst), std::vector<int>{EN_KILLFOCUS});
    EXPECT_EQ(Notifications(hSecond), std::vector<int>{EN_SETFOCUS});

    // A click gives the focus back.
    RecordedMessages().clear();
    InjectClick(OnScreen(hFirst, 5, 5));
    PumpMessages();
    EXPECT_EQ(GetFocus(), hFirst);
    EXPECT_EQ(Notifications(hSecond), std::vector<int>{EN_KILLFOCUS});
    EXPECT_EQ(Notifications(hFirst), std::vector<int>{EN_SETFOCUS});
    EXPECT_EQ(SendMessageW(hFirst, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
}

TEST_F(CEditControl, AClickPlacesTheCaretAtTheNearestBoundary)
{
    // Capital M is wide, so a pixel either side of a character's middle is
    // clear of rounding.
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"MMMM");
    const int nWidthM = MeasureWidth(L"M");
    ASSERT_GE(nWidthM, 6);
    const int nTop = (24 - LineHeight()) / 2;
    EXPECT_EQ(SendMessageW(hEdit, EM_POSFROMCHAR, 2, 0), MAKELRESULT(BoundaryX(L"MM"), nTop));

    InjectClick(OnScreen(hEdit, BoundaryX(L"MM") + nWidthM / 2 - 1, 12));
    PumpMessages();
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(2, 2));
    EXPECT_EQ(GetCapture(), nullptr);
    AdvanceClock(1000); // the next press is a click of its own
    InjectClick(OnScreen(hEdit, BoundaryX(L"MM") + nWidthM / 2 + 2, 12));
    PumpMessages();
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(3, 3));
    // Beyond the text the caret goes to its end.
    EXPECT_EQ(LOWORD(SendMessageW(hEdit, EM_CHARFROMPOS, 0, MAKELPARAM(150, 12))), 4);
    EXPECT_EQ(LOWORD(SendMessageW(hEdit, EM_CHARFROMPOS, 0, MAKELPARAM(0, 12))), 0);
}

TEST_F(CEditControl, DraggingAndShiftClickSelect)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"MMMMMM");
    InjectDrag(OnScreen(hEdit, BoundaryX(L"M"), 12), OnScreen(hEdit, BoundaryX(L"MMMM"), 12));
    PumpMessages();
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(1, 4));
    EXPECT_EQ(GetCapture(), nullptr);

    // Dragging back past the anchor selects the other way.
    AdvanceClock(1000);
    InjectDrag(OnScreen(hEdit, BoundaryX(L"MMM"), 12), OnScreen(hEdit, BoundaryX(L""), 12));
    PumpMessages();
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(0, 3));

    AdvanceClock(1000);
    InjectClick(OnScreen(hEdit, BoundaryX(L"MM"), 12));
    PumpMessages();
    AdvanceClock(1000);
    InjectKey(VK_SHIFT, true);
    InjectClick(OnScreen(hEdit, BoundaryX(L"MMMMM"), 12));
    InjectKey(VK_SHIFT, false);
    PumpMessages();
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(2, 5));
}

TEST_F(CEditControl, ADoubleClickSelectsAWord)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"one two three");
    const POINT pt = OnScreen(hEdit, BoundaryX(L"one t") + 1, 12);
    InjectClick(pt);
    InjectClick(pt);
    PumpMessages();
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(4, 7));
}

TEST_F(CEditControl, AutoScrollKeepsTheCaretInViewAndWithoutItTypingStopsAtTheWidth)
{
    // 60 pixels less two margins and the caret's pixel leave 57 for text.
    const int nWidthM = MeasureWidth(L"M");
    const int nFits = 57 / nWidthM;
    HWND hFixed = CreateEdit(0, L"", 60, 101);
    Focus(hFixed);
    RecordedMessages().clear();
    Type(L"MMMMMMMMMMMM");
    EXPECT_EQ(TextOf(hFixed), std::wstring(static_cast<size_t>(nFits), L'M'));
    EXPECT_EQ(CountOf(hFixed, EN_CHANGE), nFits);
    EXPECT_EQ(CountOf(hFixed, EN_MAXTEXT), 12 - nFits);

    HWND hScrolling = CreateEdit(ES_AUTOHSCROLL, L"", 60, 102);
    Focus(hScrolling);
    Type(L"MMMMMMMMMMMM");
    EXPECT_EQ(TextOf(hScrolling).size(), 12u);
    // The caret at the end is at most at the last pixel of the room: the
    // text start lies (12 - nFits) characters or more to the left.
    const int nFirstVisible = static_cast<int>(SendMessageW(hScrolling, EM_GETFIRSTVISIBLELINE, 0, 0));
    EXPECT_GE(nFirstVisible, 12 - nFits - 1);
    EXPECT_LE(nFirstVisible, 12 - nFits);
    Press(VK_HOME);
    EXPECT_EQ(SendMessageW(hScrolling, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(GET_X_LPARAM(SendMessageW(hScrolling, EM_POSFROMCHAR, 0, 0)), 1);
}

TEST_F(CEditControl, DraggingPastTheEdgeKeepsScrolling)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"MMMMMMMMMMMMMMMMMMMM", 60);
    InjectMouseButton(EMouseButton::Left, true, OnScreen(hEdit, 1, 12));
    InjectMouseMove(OnScreen(hEdit, 80, 12));
    PumpMessages();
    EXPECT_EQ(GetCapture(), hEdit);
    const int nReached = SelectionOf(hEdit).second;
    EXPECT_GT(nReached, 0);
    // Every 100 ms the selection grows by one character while the pointer
    // stays outside.
    AdvanceClock(300);
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(0, nReached + 3));
    EXPECT_GT(SendMessageW(hEdit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    InjectMouseButton(EMouseButton::Left, false, OnScreen(hEdit, 80, 12));
    PumpMessages();
    EXPECT_EQ(GetCapture(), nullptr);
    AdvanceClock(300);
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(0, nReached + 3));
}

TEST_F(CEditControl, AlignmentPlacesNarrowText)
{
    // 200 pixels less two margins and the caret's pixel leave 197.
    const int nWidth = MeasureWidth(L"MM");
    HWND hRight = CreateEdit(ES_RIGHT, L"MM", 200, 101);
    EXPECT_EQ(GET_X_LPARAM(SendMessageW(hRight, EM_POSFROMCHAR, 0, 0)), 1 + 197 - nWidth);
    HWND hCentre = CreateEdit(ES_CENTER, L"MM", 200, 102);
    EXPECT_EQ(GET_X_LPARAM(SendMessageW(hCentre, EM_POSFROMCHAR, 0, 0)), 1 + (197 - nWidth) / 2);
    SendMessageW(hCentre, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(10, 20));
    EXPECT_EQ(SendMessageW(hCentre, EM_GETMARGINS, 0, 0), MAKELRESULT(10, 20));
    EXPECT_EQ(GET_X_LPARAM(SendMessageW(hCentre, EM_POSFROMCHAR, 0, 0)), 10 + (169 - nWidth) / 2);
}

TEST_F(CEditControl, TheSelectionIsPaintedInHighlightColoursOnlyWhileFocused)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"MMMM");
    Focus(hEdit);
    SendMessageW(hEdit, EM_SETSEL, 1, 3);
    const int nTop = (24 - LineHeight()) / 2;
    CTestCanvas canvas(200, 24, RGB(1, 2, 3));
    SendMessageW(hEdit, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), kPrintClient);
    // The top row of the line is above the capitals' ink.
    EXPECT_EQ(canvas.At(BoundaryX(L"M"), nTop), kHighlight);
    EXPECT_EQ(canvas.At(BoundaryX(L"MMM") - 2, nTop), kHighlight);
    EXPECT_EQ(canvas.At(BoundaryX(L"M") - 1, nTop), kWhite);
    EXPECT_EQ(canvas.At(BoundaryX(L"MMM") + 2, nTop), kWhite);
    EXPECT_EQ(canvas.At(BoundaryX(L"M"), nTop - 1), kWhite);
    EXPECT_EQ(canvas.At(BoundaryX(L"M"), nTop + LineHeight()), kWhite);
    // Selected capitals are drawn in the highlight text colour.
    const SImage image = canvas.Snapshot();
    bool bWhiteInk = false;
    for (int y = nTop; y < nTop + LineHeight() && !bWhiteInk; ++y)
    {
        for (int x = BoundaryX(L"M"); x < BoundaryX(L"MMM") - 1; ++x)
            bWhiteInk = bWhiteInk || ColourOf(image.At(x, y)) == kWhite;
    }
    EXPECT_TRUE(bWhiteInk);

    // Without the focus the selection is not shown.
    SetFocus(nullptr);
    PumpMessages();
    canvas.Fill(RGB(1, 2, 3));
    SendMessageW(hEdit, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), kPrintClient);
    EXPECT_EQ(canvas.At(BoundaryX(L"M"), nTop), kWhite);
}

TEST_F(CEditControl, TheCaretBlinksOnlyWhileFocused)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL);
    // The bottom row of the line: below the capitals' ink.
    const int nBottom = (24 - LineHeight()) / 2 + LineHeight() - 1;
    CTestCanvas canvas(200, 24);
    auto pixelAt = [&](int x)
    {
        canvas.Fill(RGB(1, 2, 3));
        SendMessageW(hEdit, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), kPrintClient);
        return canvas.At(x, nBottom);
    };
    EXPECT_EQ(pixelAt(1), kWhite);
    Focus(hEdit);
    // The caret inverts the white background.
    EXPECT_EQ(pixelAt(1), RGB(0, 0, 0));
    AdvanceClock(530);
    EXPECT_EQ(pixelAt(1), kWhite);
    AdvanceClock(530);
    EXPECT_EQ(pixelAt(1), RGB(0, 0, 0));
    // Typing shows it again at once, after the character.
    AdvanceClock(530);
    EXPECT_EQ(pixelAt(1), kWhite);
    Type(L"M");
    EXPECT_EQ(pixelAt(BoundaryX(L"M")), RGB(0, 0, 0));
    SetFocus(nullptr);
    PumpMessages();
    EXPECT_EQ(pixelAt(BoundaryX(L"M")), kWhite);
    AdvanceClock(530);
    EXPECT_EQ(pixelAt(BoundaryX(L"M")), kWhite);
}

TEST_F(CEditControl, ADisabledEditIsGreyAndTakesNoInput)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"MM");
    EnableWindow(hEdit, FALSE);
    RecordedMessages().clear();
    InjectClick(OnScreen(hEdit, 5, 5));
    PumpMessages();
    EXPECT_NE(GetFocus(), hEdit);
    CTestCanvas canvas(200, 24, RGB(1, 2, 3));
    // The window has painted itself by now; count the colour request of
    // this paint alone.
    RecordedMessages().clear();
    SendMessageW(hEdit, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), kPrintClient);
    EXPECT_EQ(MessagesTo(m_hParent, WM_CTLCOLORSTATIC).size(), 1u);
    EXPECT_EQ(canvas.At(199, 0), kButtonFace);
    // The text's ink is grey: no pixel is darker than the grey text colour.
    const SImage image = canvas.Snapshot();
    EXPECT_EQ(PointsWhere(image, [](COLORREF c) { return GetRValue(c) < 109; }), "");
    EXPECT_NE(PointsWhere(image, [](COLORREF c) { return c != kButtonFace; }), "");
}

TEST_F(CEditControl, TheParentsBrushAndColoursAreUsed)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"MM");
    HBRUSH hYellow = CreateSolidBrush(RGB(255, 255, 0));
    Reactions()[m_hParent] = [&](HWND, UINT nMessage, WPARAM wParam, LPARAM, LRESULT& lResult)
    {
        if (nMessage != WM_CTLCOLOREDIT)
            return false;
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 0, 0));
        lResult = reinterpret_cast<LRESULT>(hYellow);
        return true;
    };
    CTestCanvas canvas(200, 24, RGB(1, 2, 3));
    SendMessageW(hEdit, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), kPrintClient);
    EXPECT_EQ(canvas.At(199, 0), RGB(255, 255, 0));
    // Red text over yellow: ink keeps full red and loses green.
    const SImage image = canvas.Snapshot();
    EXPECT_NE(PointsWhere(image, [](COLORREF c) { return c == RGB(255, 0, 0); }), "");
    Reactions().clear();
    DeleteObject(hYellow);
}

TEST_F(CEditControl, AParentThatDestroysTheEditOnUpdateEndsTheChangeSafely)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL);
    Focus(hEdit);
    Reactions()[m_hParent] = [&](HWND, UINT nMessage, WPARAM wParam, LPARAM, LRESULT&)
    {
        if (nMessage == WM_COMMAND && HIWORD(wParam) == EN_UPDATE)
            DestroyWindow(hEdit);
        return false;
    };
    RecordedMessages().clear();
    Type(L"abc");
    EXPECT_FALSE(IsWindow(hEdit));
    EXPECT_EQ(CountOf(hEdit, EN_UPDATE), 1);
    EXPECT_EQ(CountOf(hEdit, EN_CHANGE), 0);
}

TEST_F(CEditControl, TheClassLibraryWrapperDrivesTheControl)
{
    CEdit edit;
    ASSERT_TRUE(
        edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 40, 210, 64), CWnd::FromHandle(m_hParent), 7));
    EXPECT_EQ(edit.GetDlgCtrlID(), 7);
    EXPECT_NE(edit.GetStyle() & static_cast<DWORD>(WS_CHILD), 0u);
    edit.SetWindowText(L"alpha beta");
    edit.SetSel(6, 10);
    int nStart = 0;
    int nEnd = 0;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, 6);
    EXPECT_EQ(nEnd, 10);
    EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELONG(6, 10)));
    edit.ReplaceSel(L"gamma", TRUE);
    CString strText;
    edit.GetWindowText(strText);
    EXPECT_EQ(strText, L"alpha gamma");
    EXPECT_EQ(edit.LineLength(), 11);
    EXPECT_TRUE(edit.CanUndo());
    EXPECT_TRUE(edit.GetModify());
    edit.Undo();
    edit.GetWindowText(strText);
    EXPECT_EQ(strText, L"alpha beta");

    wchar_t szLine[8] = L"";
    EXPECT_EQ(edit.GetLine(0, szLine, 5), 5);
    EXPECT_EQ(std::wstring(szLine, 5), L"alpha");

    edit.SetLimitText(20);
    EXPECT_EQ(edit.GetLimitText(), 20u);
    edit.SetReadOnly();
    EXPECT_NE(edit.GetStyle() & static_cast<DWORD>(ES_READONLY), 0u);
    edit.SetReadOnly(FALSE);
    edit.SetSel(0, 5);
    edit.Copy();
    edit.SetSel(-1, 0);
    edit.SetSel(10, 10);
    edit.Paste();
    edit.GetWindowText(strText);
    EXPECT_EQ(strText, L"alpha betaalpha");
    edit.SetSel(0, 6);
    edit.Clear();
    edit.GetWindowText(strText);
    EXPECT_EQ(strText, L"betaalpha");
    edit.SetMargins(4, 3);
    EXPECT_EQ(edit.GetMargins(), static_cast<DWORD>(MAKELONG(4, 3)));
    EXPECT_EQ(edit.PosFromChar(0).x, 4);
    EXPECT_EQ(LOWORD(static_cast<DWORD>(edit.CharFromPos(CPoint(3, 5)))), 0);
    EXPECT_EQ(edit.GetLineCount(), 1);
    edit.DestroyWindow();
}

namespace
{

std::vector<WPARAM>& DialogCommands()
{
    static std::vector<WPARAM> s_commands;
    return s_commands;
}

INT_PTR RecordingDialogProc(HWND, UINT nMessage, WPARAM wParam, LPARAM)
{
    if (nMessage == WM_COMMAND)
        DialogCommands().push_back(wParam);
    return nMessage == WM_INITDIALOG ? TRUE : FALSE;
}

SDialogItemTemplate EditItem(UINT nID, const wchar_t* pszText, short y)
{
    SDialogItemTemplate item;
    item.strClassName = L"EDIT";
    item.nID = nID;
    item.strText = pszText;
    item.x = 5;
    item.y = y;
    item.cx = 80;
    item.cy = 12;
    item.dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
    return item;
}

} // namespace

TEST_F(CEditControl, InADialogTabSelectsAllAndEnterAndEscapeReachTheDialog)
{
    SDialogTemplate dialogTemplate;
    dialogTemplate.dwStyle = WS_POPUP | WS_VISIBLE | DS_SETFONT;
    dialogTemplate.cx = 100;
    dialogTemplate.cy = 50;
    dialogTemplate.items = {EditItem(201, L"first", 5), EditItem(202, L"second", 20)};
    DialogCommands().clear();
    HWND hDialog = CreateDialogIndirectParamW(nullptr, &dialogTemplate, m_hParent, RecordingDialogProc, 0);
    ASSERT_NE(hDialog, nullptr);
    HWND hFirst = GetDlgItem(hDialog, 201);
    HWND hSecond = GetDlgItem(hDialog, 202);
    ASSERT_NE(hSecond, nullptr);
    SetFocus(hFirst);
    DialogCommands().clear();

    MSG msg{hFirst, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(IsDialogMessageW(hDialog, &msg));
    EXPECT_EQ(GetFocus(), hSecond);
    EXPECT_EQ(SelectionOf(hSecond), std::make_pair(0, 6));
    EXPECT_EQ(DialogCommands(),
              (std::vector<WPARAM>{MAKEWPARAM(201, EN_KILLFOCUS), MAKEWPARAM(202, EN_SETFOCUS)}));

    // Keys that reach the edit itself go to the dialog as its buttons.
    DialogCommands().clear();
    SendMessageW(hSecond, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(hSecond, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageW(hSecond, WM_CHAR, L'\r', 0);
    EXPECT_EQ(DialogCommands(),
              (std::vector<WPARAM>{MAKEWPARAM(IDOK, BN_CLICKED), MAKEWPARAM(IDCANCEL, BN_CLICKED)}));
    EXPECT_EQ(TextOf(hSecond), L"second");
    DestroyWindow(hDialog);
}

TEST_F(CEditControl, TheFontSetMeasuresTheText)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"MM");
    EXPECT_EQ(SendMessageW(hEdit, WM_GETFONT, 0, 0), 0);
    HFONT hLarge = CreateFontW(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"MS Shell Dlg");
    SendMessageW(hEdit, WM_SETFONT, reinterpret_cast<WPARAM>(hLarge), TRUE);
    EXPECT_EQ(SendMessageW(hEdit, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(hLarge));

    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, hLarge);
    SIZE size{0, 0};
    GetTextExtentPoint32W(hdc, L"M", 1, &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(hdc, &metrics);
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    ASSERT_GT(size.cx, MeasureWidth(L"M"));
    EXPECT_EQ(SendMessageW(hEdit, EM_POSFROMCHAR, 1, 0),
              MAKELRESULT(1 + size.cx, (24 - metrics.tmHeight) / 2));
    DestroyWindow(hEdit);
    DeleteObject(hLarge);
}

TEST_F(CEditControl, TheRightClickMenuOffersWhatCanActAndCarriesItOut)
{
    HWND hEdit = CreateEdit(ES_AUTOHSCROLL, L"hello world");
    SendMessageW(hEdit, EM_SETSEL, 0, 6);
    CResponder responder;
    responder.QueueMenuChoice(WM_CUT);
    InjectClick(OnScreen(hEdit, 150, 12), EMouseButton::Right);
    PumpMessages();
    ASSERT_EQ(responder.Questions().size(), 1u);
    EXPECT_EQ(responder.Questions()[0].eKind, EQuestion::PopupMenu);
    // Nothing to undo and nothing on the clipboard yet.
    EXPECT_EQ(responder.Questions()[0].strText,
              L"&Undo [772] (disabled)\n-\nCu&t [768]\n&Copy [769]\n"
              L"&Paste [770] (disabled)\n&Delete [771]\n-\nSelect &All [177]\n");
    EXPECT_EQ(GetFocus(), hEdit);
    EXPECT_EQ(TextOf(hEdit), L"world");
    EXPECT_EQ(GetClipboardText(), L"hello ");

    responder.QueueMenuChoice(EM_SETSEL);
    InjectClick(OnScreen(hEdit, 150, 12), EMouseButton::Right);
    PumpMessages();
    EXPECT_EQ(SelectionOf(hEdit), std::make_pair(0, 5));
    responder.QueueMenuChoice(WM_UNDO);
    InjectClick(OnScreen(hEdit, 150, 12), EMouseButton::Right);
    PumpMessages();
    EXPECT_EQ(TextOf(hEdit), L"hello world");

    // Read-only leaves only Copy and Select All.
    SendMessageW(hEdit, EM_SETREADONLY, TRUE, 0);
    SendMessageW(hEdit, EM_SETSEL, 0, 5);
    responder.QueueMenuChoice(0);
    SendMessageW(hEdit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hEdit), MAKELPARAM(0xFFFF, 0xFFFF));
    ASSERT_EQ(responder.Questions().size(), 4u);
    EXPECT_EQ(responder.Questions()[3].strText,
              L"&Undo [772] (disabled)\n-\nCu&t [768] (disabled)\n&Copy [769]\n&Paste [770] (disabled)\n"
              L"&Delete [771] (disabled)\n-\nSelect &All [177]\n");
}
