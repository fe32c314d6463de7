// Dialogs from templates: modal loops driven by the responder, keyboard
// navigation, dialog units, child dialogs, failures.
#include "CommonDialogs.h"
#include "Dc.h"
#include "Dialog.h"
#include "DialogTemplate.h"
#include "Input.h"
#include "Responder.h"
#include "TestControls.h"
#include "WindowTestSupport.h"

namespace
{

constexpr UINT kNameEdit = 1001;
constexpr UINT kNoteEdit = 1002;

SDialogItemTemplate Item(const wchar_t* pszClass, UINT nID, const wchar_t* pszText, short x, short y,
                         short cx, short cy, DWORD dwStyle)
{
    SDialogItemTemplate item;
    item.strClassName = pszClass;
    item.nID = nID;
    item.strText = pszText;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.dwStyle = WS_CHILD | WS_VISIBLE | dwStyle;
    return item;
}

// A name dialog: two edits, OK (the default button) and Cancel.
SDialogTemplate NameTemplate()
{
    SDialogTemplate dialogTemplate;
    dialogTemplate.nID = 900;
    dialogTemplate.strCaption = L"Name";
    dialogTemplate.x = 10;
    dialogTemplate.y = 10;
    dialogTemplate.cx = 100;
    dialogTemplate.cy = 50;
    dialogTemplate.items = {
        Item(L"TestEdit", kNameEdit, L"", 10, 10, 80, 12, WS_TABSTOP | WS_GROUP),
        Item(L"TestEdit", kNoteEdit, L"", 10, 24, 80, 12, WS_TABSTOP),
        Item(L"TestButton", IDOK, L"OK", 10, 38, 40, 12, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON),
        Item(L"TestButton", IDCANCEL, L"Cancel", 55, 38, 40, 12, WS_TABSTOP),
    };
    return dialogTemplate;
}

class CNameDialog : public CDialog
{
public:
    explicit CNameDialog(const SDialogTemplate* pTemplate, CWnd* pParent = nullptr)
    {
        InitModalIndirect(pTemplate, pParent);
    }
    CString m_strName;
    int m_nInitCalls = 0;
    bool m_bVisibleDuringInit = true;
    bool m_bControlsDuringInit = false;

protected:
    BOOL OnInitDialog() override
    {
        ++m_nInitCalls;
        m_bVisibleDuringInit = IsWindowVisible() != FALSE;
        m_bControlsDuringInit = GetDlgItem(IDCANCEL) != nullptr;
        SetDlgItemText(kNoteEdit, L"note");
        return CDialog::OnInitDialog();
    }
    void OnOK() override
    {
        GetDlgItemText(kNameEdit, m_strName);
        CDialog::OnOK();
    }
};

class CDialogs : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        RegisterTestControls();
        m_template = NameTemplate();
        m_hOwner = CreateTopLevel({0, 0, 800, 600}, WS_OVERLAPPED | WS_VISIBLE);
        PumpMessages();
    }
    SDialogTemplate m_template;
    HWND m_hOwner = nullptr;
};

TEST_F(CDialogs, AModalDialogReturnsOkWithTheTextTheResponderTyped)
{
    CResponder responder;
    bool bOwnerDisabledInside = false;
    responder.QueueDialogAction(
        [&](HWND hDialog)
        {
            bOwnerDisabledInside = !IsWindowEnabled(m_hOwner);
            EXPECT_TRUE(IsWindowVisible(hDialog));
            EXPECT_EQ(GetFocus(), GetDlgItem(hDialog, kNameEdit)); // the first tab stop
            InjectText(L"Swatch 1");
            InjectKeyPress(VK_RETURN); // the default button
        });
    CNameDialog dialog(&m_template, CWnd::FromHandle(m_hOwner));
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strName, L"Swatch 1");
    EXPECT_TRUE(bOwnerDisabledInside);
    EXPECT_TRUE(IsWindowEnabled(m_hOwner));
    EXPECT_EQ(dialog.m_hWnd, nullptr); // destroyed at the end of DoModal
    EXPECT_EQ(dialog.m_nInitCalls, 1);
    EXPECT_FALSE(dialog.m_bVisibleDuringInit);
    EXPECT_TRUE(dialog.m_bControlsDuringInit);
    ASSERT_EQ(responder.Questions().size(), 1u);
    EXPECT_EQ(responder.Questions().front().eKind, EQuestion::Dialog);
    EXPECT_EQ(responder.Questions().front().strCaption, L"Name");
    EXPECT_EQ(GetActiveWindow(), m_hOwner);
}

TEST_F(CDialogs, EscapeAndClosingCancel)
{
    CResponder responder;
    responder.QueueDialogAction([](HWND) { InjectKeyPress(VK_ESCAPE); });
    responder.QueueDialogAction([](HWND hDialog) { SendMessageW(hDialog, WM_CLOSE, 0, 0); });
    CNameDialog first(&m_template);
    EXPECT_EQ(first.DoModal(), IDCANCEL);
    CNameDialog second(&m_template);
    EXPECT_EQ(second.DoModal(), IDCANCEL);
    EXPECT_EQ(responder.PendingDialogActions(), 0u);
}

TEST_F(CDialogs, EnterPressesAFocusedPushButtonInsteadOfTheDefault)
{
    CResponder responder;
    responder.QueueDialogAction(
        [](HWND hDialog)
        {
            SetFocus(GetDlgItem(hDialog, IDCANCEL));
            InjectKeyPress(VK_RETURN);
        });
    CNameDialog dialog(&m_template);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(CDialogs, ADialogNobodyAnswersEndsWithAFailureInsteadOfHanging)
{
    SLogCapture capture;
    CNameDialog dialog(&m_template);
    EXPECT_EQ(dialog.DoModal(), -1);
    ASSERT_FALSE(CapturedLog().empty());
    EXPECT_NE(CapturedLog().back().find(L"RunModalLoop"), std::wstring::npos);
    EXPECT_TRUE(IsWindowEnabled(m_hOwner));
}

TEST_F(CDialogs, SeveralActionsRunInTurnWhileTheDialogStaysUp)
{
    CResponder responder;
    responder.QueueDialogAction([](HWND hDialog) { SetDlgItemTextW(hDialog, kNameEdit, L"first"); });
    responder.QueueDialogAction(
        [](HWND hDialog)
        {
            EXPECT_EQ(WindowText(GetDlgItem(hDialog, kNameEdit)), L"first");
            SendMessageW(GetDlgItem(hDialog, IDOK), BM_CLICK, 0, 0);
        });
    CNameDialog dialog(&m_template);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strName, L"first");
}

TEST_F(CDialogs, ActionsReachNestedModalLoopsInTurn)
{
    CResponder responder;
    INT_PTR nInnerResult = 0;
    int nBoxAnswer = 0;
    responder.QueueMessageBoxAnswer(IDNO);
    responder.QueueDialogAction(
        [&](HWND hOuter)
        {
            // Inside the outer dialog a message box and then a second dialog.
            nBoxAnswer = MessageBoxW(hOuter, L"Keep it?", L"Name", MB_YESNO);
            CNameDialog inner(&m_template, CWnd::FromHandle(hOuter));
            nInnerResult = inner.DoModal();
            EXPECT_TRUE(IsWindowEnabled(hOuter));
            SendMessageW(hOuter, WM_COMMAND, IDOK, 0);
        });
    responder.QueueDialogAction([](HWND hInner) { EndDialog(hInner, IDCANCEL); });
    CNameDialog outer(&m_template, CWnd::FromHandle(m_hOwner));
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(nBoxAnswer, IDNO);
    EXPECT_EQ(nInnerResult, IDCANCEL);
    ASSERT_EQ(responder.Questions().size(), 3u);
    EXPECT_EQ(responder.Questions()[1].eKind, EQuestion::MessageBox);
    EXPECT_EQ(responder.Questions()[2].eKind, EQuestion::Dialog);
}

TEST_F(CDialogs, TabAndShiftTabVisitTheTabStopsInOrder)
{
    // A static without a tab stop, a disabled and a hidden control are passed over.
    m_template.items.insert(m_template.items.begin() + 1, Item(L"TestEdit", 1010, L"", 0, 0, 5, 5, 0));
    m_template.items.insert(m_template.items.begin() + 3,
                            Item(L"TestButton", 1011, L"", 0, 0, 5, 5, WS_TABSTOP | WS_DISABLED));
    SDialogItemTemplate hidden = Item(L"TestEdit", 1012, L"", 0, 0, 5, 5, WS_TABSTOP);
    hidden.dwStyle &= ~static_cast<DWORD>(WS_VISIBLE);
    m_template.items.insert(m_template.items.begin() + 4, hidden);
    m_template.dwStyle |= WS_VISIBLE;
    CNameDialog dialog(&m_template);
    ASSERT_TRUE(dialog.CreateIndirect(&m_template, CWnd::FromHandle(m_hOwner)));
    const HWND hDlg = dialog.m_hWnd;
    const HWND hName = GetDlgItem(hDlg, kNameEdit);
    const HWND hNote = GetDlgItem(hDlg, kNoteEdit);
    const HWND hOk = GetDlgItem(hDlg, IDOK);
    const HWND hCancel = GetDlgItem(hDlg, IDCANCEL);
    EXPECT_EQ(GetFocus(), hName);

    std::vector<HWND> visited;
    for (int i = 0; i < 4; ++i)
    {
        InjectKeyPress(VK_TAB);
        PumpMessages();
        visited.push_back(GetFocus());
    }
    EXPECT_EQ(visited, (std::vector<HWND>{hNote, hOk, hCancel, hName}));
    InjectKey(VK_SHIFT, true);
    InjectKeyPress(VK_TAB);
    InjectKey(VK_SHIFT, false);
    PumpMessages();
    EXPECT_EQ(GetFocus(), hCancel);
    // Tab was taken by the dialog, so nothing was typed.
    EXPECT_EQ(WindowText(hName), L"");
    // Moving into an edit selects its text.
    EXPECT_EQ(GetWindowLongPtrW(hNote, GWLP_USERDATA), -1);
    EXPECT_EQ(GetNextDlgTabItem(hDlg, nullptr, FALSE), hName);
    EXPECT_EQ(GetNextDlgTabItem(hDlg, nullptr, TRUE), hCancel);
}

TEST_F(CDialogs, ArrowsMoveWithinAGroup)
{
    m_template.dwStyle |= WS_VISIBLE;
    CNameDialog dialog(&m_template);
    ASSERT_TRUE(dialog.CreateIndirect(&m_template, CWnd::FromHandle(m_hOwner)));
    const HWND hDlg = dialog.m_hWnd;
    // OK starts a group that Cancel is in; the edits are another group.
    EXPECT_EQ(GetNextDlgGroupItem(hDlg, GetDlgItem(hDlg, IDOK), FALSE), GetDlgItem(hDlg, IDCANCEL));
    EXPECT_EQ(GetNextDlgGroupItem(hDlg, GetDlgItem(hDlg, IDCANCEL), FALSE), GetDlgItem(hDlg, IDOK));
    EXPECT_EQ(GetNextDlgGroupItem(hDlg, GetDlgItem(hDlg, kNoteEdit), TRUE), GetDlgItem(hDlg, kNameEdit));
    SetFocus(GetDlgItem(hDlg, IDOK));
    InjectKeyPress(VK_RIGHT);
    PumpMessages();
    EXPECT_EQ(GetFocus(), GetDlgItem(hDlg, IDCANCEL));
}

TEST_F(CDialogs, DialogUnitsFollowTheFont)
{
    // Without the drawing layer's measured fonts an 8-point font gives 6 x 13
    // base units: x * 6 / 4 and y * 13 / 8.
    SetDialogFontUnitsHook(nullptr);
    struct SRestore
    {
        ~SRestore() { InstallDrawingHooks(); }
    } restore;
    m_template.dwStyle |= WS_VISIBLE;
    CNameDialog dialog(&m_template);
    ASSERT_TRUE(dialog.CreateIndirect(&m_template, CWnd::FromHandle(m_hOwner)));
    CRect rc(0, 0, 4, 8);
    dialog.MapDialogRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 6, 13));
    CRect rcClient;
    dialog.GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.Width(), 150);
    // Each edge is mapped on its own: 60 * 13 / 8 = 97.5 rounds to 98 and
    // 10 * 13 / 8 = 16.25 to 16, so 50 units of height become 82 pixels.
    EXPECT_EQ(rcClient.Height(), 82);
    CRect rcEdit;
    dialog.GetDlgItem(kNoteEdit)->GetWindowRect(&rcEdit);
    dialog.ScreenToClient(&rcEdit);
    EXPECT_EQ(rcEdit, CRect(15, 39, 135, 59)); // (10, 24, 90, 36) in dialog units
    // The position is relative to the owner's client area.
    CRect rcOwnerClient;
    CWnd::FromHandle(m_hOwner)->GetClientRect(&rcOwnerClient);
    CWnd::FromHandle(m_hOwner)->ClientToScreen(&rcOwnerClient);
    CRect rcDialogClient = rcClient;
    dialog.ClientToScreen(&rcDialogClient);
    EXPECT_EQ(rcDialogClient.TopLeft(), rcOwnerClient.TopLeft() + CPoint(15, 16));
    // A larger font gives larger units.
    EXPECT_EQ(GetDialogFontBaseUnits(L"MS Shell Dlg", 9).cx, 7);
    EXPECT_EQ(GetDialogFontBaseUnits(L"MS Shell Dlg", 9).cy, 15);
    EXPECT_EQ(LOWORD(static_cast<ULONG_PTR>(GetDialogBaseUnits())), 8);
}

class CPage : public CDialog
{
public:
    int m_nOkCalls = 0;

protected:
    void OnOK() override { ++m_nOkCalls; }
};

TEST_F(CDialogs, AChildDialogIsAPageThatTabGoesThrough)
{
    m_template.dwStyle |= WS_VISIBLE;
    CNameDialog dialog(&m_template);
    ASSERT_TRUE(dialog.CreateIndirect(&m_template, CWnd::FromHandle(m_hOwner)));
    SDialogTemplate pageTemplate;
    pageTemplate.dwStyle = WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT;
    pageTemplate.cx = 50;
    pageTemplate.cy = 20;
    pageTemplate.items = {Item(L"TestEdit", 2001, L"", 2, 2, 40, 10, WS_TABSTOP)};
    CPage page;
    ASSERT_TRUE(page.CreateIndirect(&pageTemplate, &dialog));
    EXPECT_EQ(page.GetParent(), &dialog);
    EXPECT_NE(page.GetExStyle() & WS_EX_CONTROLPARENT, 0u);
    EXPECT_EQ(page.GetStyle() & WS_CAPTION, 0u);
    // The page lies last in the dialog's Z-order, so its edit comes after Cancel.
    const HWND hPageEdit = page.GetDlgItem(2001)->m_hWnd;
    SetFocus(GetDlgItem(dialog.m_hWnd, IDCANCEL));
    InjectKeyPress(VK_TAB);
    PumpMessages();
    EXPECT_EQ(GetFocus(), hPageEdit);
    InjectKeyPress(VK_TAB);
    PumpMessages();
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog.m_hWnd, kNameEdit));
    // Enter inside the page reaches the page's OnOK.
    SetFocus(hPageEdit);
    InjectKeyPress(VK_RETURN);
    PumpMessages();
    EXPECT_EQ(page.m_nOkCalls, 1);
}

TEST_F(CDialogs, AMissingControlClassFailsTheDialogUnlessItMayDoWithout)
{
    SLogCapture capture;
    m_template.items.push_back(Item(L"NoSuchControl", 1020, L"", 0, 0, 5, 5, 0));
    CNameDialog failing(&m_template);
    EXPECT_EQ(failing.DoModal(), -1);
    bool bNamed = false;
    for (const std::wstring& strLine : CapturedLog())
        bNamed = bNamed || strLine.find(L"NoSuchControl") != std::wstring::npos;
    EXPECT_TRUE(bNamed);

    m_template.dwStyle |= DS_NOFAILCREATE | WS_VISIBLE;
    CNameDialog tolerant(&m_template);
    ASSERT_TRUE(tolerant.CreateIndirect(&m_template, nullptr));
    EXPECT_NE(tolerant.GetDlgItem(IDOK), nullptr);
    EXPECT_EQ(tolerant.GetDlgItem(1020), nullptr);
}

TEST_F(CDialogs, DialogItemIntegersParseLikeWindows)
{
    m_template.dwStyle |= WS_VISIBLE;
    CNameDialog dialog(&m_template);
    ASSERT_TRUE(dialog.CreateIndirect(&m_template, nullptr));
    struct SCase
    {
        const wchar_t* pszText;
        BOOL bSigned;
        BOOL bTranslated;
        UINT nValue;
    };
    const SCase cases[] = {
        {L"  42", TRUE, TRUE, 42},
        {L"7 ", TRUE, TRUE, 7},
        {L"-17", TRUE, TRUE, static_cast<UINT>(-17)},
        {L"-17", FALSE, FALSE, 0},
        {L"12abc", TRUE, FALSE, 0},
        {L"", TRUE, FALSE, 0},
        {L"-", TRUE, FALSE, 0},
        {L"4294967295", FALSE, TRUE, 4294967295u},
        {L"4294967296", FALSE, FALSE, 0},
        {L"2147483647", TRUE, TRUE, 2147483647u},
        {L"2147483648", TRUE, FALSE, 0},
        {L"-2147483648", TRUE, TRUE, 0x80000000u},
    };
    for (const SCase& c : cases)
    {
        dialog.SetDlgItemText(kNameEdit, c.pszText);
        BOOL bTranslated = -1;
        EXPECT_EQ(dialog.GetDlgItemInt(kNameEdit, &bTranslated, c.bSigned), c.nValue) << c.pszText;
        EXPECT_EQ(bTranslated, c.bTranslated) << c.pszText;
    }
    dialog.SetDlgItemInt(kNameEdit, static_cast<UINT>(-5), TRUE);
    EXPECT_EQ(WindowText(GetDlgItem(dialog.m_hWnd, kNameEdit)), L"-5");
    dialog.SetDlgItemInt(kNameEdit, static_cast<UINT>(-5), FALSE);
    EXPECT_EQ(WindowText(GetDlgItem(dialog.m_hWnd, kNameEdit)), L"4294967291");
    BOOL bTranslated = TRUE;
    EXPECT_EQ(GetDlgItemInt(dialog.m_hWnd, 4242, &bTranslated, TRUE), 0u); // no such item
    EXPECT_FALSE(bTranslated);
}

INT_PTR CALLBACK PlainDialogProc(HWND hDlg, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_INITDIALOG)
    {
        SetWindowLongPtrW(hDlg, DWLP_USER, lParam);
        return TRUE;
    }
    if (nMessage == WM_COMMAND && LOWORD(wParam) == IDOK)
    {
        EndDialog(hDlg, GetWindowLongPtrW(hDlg, DWLP_USER) + 1);
        return TRUE;
    }
    return FALSE;
}

TEST_F(CDialogs, TheWindowsDialogBoxCallWorksWithADialogProcedure)
{
    CResponder responder;
    bool bOwnerDisabled = false;
    responder.QueueDialogAction(
        [&](HWND hDialog)
        {
            bOwnerDisabled = !IsWindowEnabled(m_hOwner);
            EXPECT_EQ(GetWindow(hDialog, GW_OWNER), m_hOwner);
            InjectKeyPress(VK_RETURN);
        });
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, &m_template, m_hOwner, PlainDialogProc, 41), 42);
    EXPECT_TRUE(bOwnerDisabled);
    EXPECT_TRUE(IsWindowEnabled(m_hOwner));
}

TEST_F(CDialogs, TemplatesComeFromResourceModules)
{
    SLogCapture capture;
    static SDialogTemplate s_template = NameTemplate();
    static const SResourceEntry s_entries[] = {
        {RT_DIALOG, MAKEINTRESOURCEW(900), &s_template, sizeof(SDialogTemplate)},
        {RT_DIALOG, L"BROKEN", &s_template, 4},
    };
    const auto hModule = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x5150000));
    RegisterResourceTable(hModule, s_entries, 2);
    EXPECT_EQ(FindDialogTemplate(hModule, MAKEINTRESOURCEW(900)), &s_template);
    EXPECT_EQ(FindDialogTemplate(hModule, MAKEINTRESOURCEW(901)), nullptr);
    EXPECT_EQ(FindDialogTemplate(hModule, L"broken"), nullptr); // not a template record
    EXPECT_FALSE(CapturedLog().empty());

    CResponder responder;
    responder.QueueDialogAction([](HWND hDialog) { EndDialog(hDialog, 7); });
    EXPECT_EQ(DialogBoxParamW(hModule, MAKEINTRESOURCEW(900), m_hOwner, PlainDialogProc, 0), 7);
    RegisterResourceTable(hModule, nullptr, 0);
}

TEST_F(CDialogs, TheDefaultButtonCanBeChanged)
{
    m_template.dwStyle |= WS_VISIBLE;
    CNameDialog dialog(&m_template);
    ASSERT_TRUE(dialog.CreateIndirect(&m_template, nullptr));
    // Found by its style at first.
    EXPECT_EQ(dialog.GetDefID(), static_cast<DWORD>(MAKELONG(IDOK, DC_HASDEFID)));
    dialog.SetDefID(IDCANCEL);
    EXPECT_EQ(dialog.GetDefID(), static_cast<DWORD>(MAKELONG(IDCANCEL, DC_HASDEFID)));
    EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(dialog.m_hWnd, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(dialog.m_hWnd, IDCANCEL), GWL_STYLE) & BS_TYPEMASK,
              BS_DEFPUSHBUTTON);
    // Enter now presses Cancel: the dialog's OnCancel ends (and hides) it.
    SetFocus(GetDlgItem(dialog.m_hWnd, kNameEdit));
    InjectKeyPress(VK_RETURN);
    PumpMessages();
    EXPECT_FALSE(dialog.IsWindowVisible());
}

} // namespace
