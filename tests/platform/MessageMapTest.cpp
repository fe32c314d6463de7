// Message maps and CWnd: dispatch with decoded arguments, base-class maps,
// commands and notifications, reflection, subclassing with Default(), the
// lifetime of window objects.
#include "Input.h"
#include "TestControls.h"
#include "WindowTestSupport.h"
#include "Wnd.h"

#include <string>
#include <vector>

namespace
{

std::vector<std::wstring>& Calls()
{
    static std::vector<std::wstring> s_calls;
    return s_calls;
}

UINT g_nRegisteredMessage = RegisterWindowMessageW(L"MessageMapTest.Registered");

class CProbeWnd : public CWnd
{
public:
    CPoint m_ptLastDown;
    UINT m_nLastFlags = 0;
    int m_nWidth = -1;
    int m_nHeight = -1;
    bool m_bCreateSawObject = false;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        Calls().push_back(L"OnCreate " + std::wstring(lpCreateStruct->lpszName));
        m_bCreateSawObject = CWnd::FromHandlePermanent(m_hWnd) == this;
        return CWnd::OnCreate(lpCreateStruct);
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_nLastFlags = nFlags;
        m_ptLastDown = point;
        Calls().push_back(L"OnLButtonDown");
    }
    afx_msg void OnSize(UINT, int cx, int cy)
    {
        m_nWidth = cx;
        m_nHeight = cy;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { Calls().push_back(L"OnTimer " + std::to_wstring(nIDEvent)); }
    afx_msg LRESULT OnPrivate(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam) + lParam; }
    afx_msg LRESULT OnRegistered(WPARAM, LPARAM) { return 77; }
    afx_msg void OnSave() { Calls().push_back(L"OnSave"); }
    afx_msg void OnTool(UINT nID) { Calls().push_back(L"OnTool " + std::to_wstring(nID)); }
    afx_msg void OnApply() { Calls().push_back(L"OnApply"); }
    afx_msg void OnNameChanged() { Calls().push_back(L"OnNameChanged"); }
    afx_msg void OnListClick(NMHDR* pNMHDR, LRESULT* pResult)
    {
        Calls().push_back(L"OnListClick " + std::to_wstring(pNMHDR->idFrom));
        *pResult = 5;
    }
    afx_msg void OnUpdateLocked(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnLocked() { Calls().push_back(L"OnLocked"); }
    afx_msg BOOL OnMouseWheel(UINT, short zDelta, CPoint pt)
    {
        Calls().push_back(L"OnMouseWheel " + std::to_wstring(zDelta) + L" " + std::to_wstring(pt.x));
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
ON_WM_CREATE()
ON_WM_LBUTTONDOWN()
ON_WM_SIZE()
ON_WM_TIMER()
ON_WM_MOUSEWHEEL()
ON_MESSAGE(WM_APP + 1, OnPrivate)
ON_REGISTERED_MESSAGE(g_nRegisteredMessage, OnRegistered)
ON_COMMAND(100, OnSave)
ON_COMMAND_RANGE(200, 210, OnTool)
ON_BN_CLICKED(300, OnApply)
ON_EN_CHANGE(301, OnNameChanged)
ON_NOTIFY(NM_CLICK, 400, OnListClick)
ON_UPDATE_COMMAND_UI(500, OnUpdateLocked)
ON_COMMAND(500, OnLocked)
END_MESSAGE_MAP()

class CDerivedProbe : public CProbeWnd
{
protected:
    afx_msg void OnSave() { Calls().push_back(L"Derived OnSave"); }
    afx_msg BOOL OnListClickFirst(UINT nID, NMHDR*, LRESULT*)
    {
        Calls().push_back(L"Derived OnListClickFirst " + std::to_wstring(nID));
        return FALSE; // let the base class handle it too
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbe, CProbeWnd)
ON_COMMAND(100, OnSave)
ON_NOTIFY_EX(NM_CLICK, 400, OnListClickFirst)
END_MESSAGE_MAP()

// A wrong handler signature cannot be put in a map: the entry's member
// pointer cast does not compile.
class CWrongSignature : public CWnd
{
public:
    void OnLButtonDown(int, int) {}
};
class CRightSignature : public CWnd
{
public:
    void OnLButtonDown(UINT, CPoint) {}
};
template <class T>
concept HasMouseHandlerSignature = requires
{
    static_cast<void (T::*)(UINT, CPoint)>(&T::OnLButtonDown);
};
static_assert(!HasMouseHandlerSignature<CWrongSignature>);
static_assert(HasMouseHandlerSignature<CRightSignature>);

class CMessageMap : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        Calls().clear();
    }
};

TEST_F(CMessageMap, CreationAttachesTheObjectBeforeTheFirstMessage)
{
    CProbeWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, nullptr, L"probe", WS_POPUP | WS_VISIBLE, CRect(10, 10, 110, 60), nullptr, 0));
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
    EXPECT_TRUE(wnd.m_bCreateSawObject);
    EXPECT_EQ(Calls(), (std::vector<std::wstring>{L"OnCreate probe"}));
    EXPECT_EQ(wnd.m_nWidth, 100);
    EXPECT_EQ(wnd.m_nHeight, 50);
}

TEST_F(CMessageMap, HandlersGetDecodedArguments)
{
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"probe", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(static_cast<WORD>(-5), 7));
    EXPECT_EQ(wnd.m_ptLastDown, CPoint(-5, 7));
    EXPECT_EQ(wnd.m_nLastFlags, static_cast<UINT>(MK_LBUTTON | MK_SHIFT));
    EXPECT_EQ(wnd.SendMessage(WM_APP + 1, 40, 2), 42);
    EXPECT_EQ(wnd.SendMessage(g_nRegisteredMessage), 77);
    wnd.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(300, 20));
    wnd.SetTimer(9, 50, nullptr);
    AdvanceClock(50);
    EXPECT_EQ(Calls(), (std::vector<std::wstring>{L"OnCreate probe", L"OnLButtonDown",
                                                  L"OnMouseWheel -120 300", L"OnTimer 9"}));
    // A message without an entry goes to the default procedure.
    wnd.SetWindowText(L"text");
    CString strText;
    wnd.GetWindowText(strText);
    EXPECT_EQ(strText, L"text");
}

TEST_F(CMessageMap, CommandsAndNotificationsAreRoutedByIdentifierAndCode)
{
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"probe", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    const HWND hChild = CreateChild(wnd.m_hWnd, {0, 0, 10, 10}, 300);
    Calls().clear();
    EXPECT_EQ(wnd.SendMessage(WM_COMMAND, 100, 0), 1);
    wnd.SendMessage(WM_COMMAND, 205, 0);
    wnd.SendMessage(WM_COMMAND, 211, 0); // outside the range: nobody
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(300, BN_CLICKED), reinterpret_cast<LPARAM>(hChild));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(301, EN_CHANGE), reinterpret_cast<LPARAM>(hChild));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(300, BN_DOUBLECLICKED),
                    reinterpret_cast<LPARAM>(hChild)); // no entry
    NMHDR header{hChild, 400, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 400, reinterpret_cast<LPARAM>(&header)), 5);
    // A menu command the user interface shows disabled is refused.
    wnd.SendMessage(WM_COMMAND, 500, 0);
    EXPECT_EQ(Calls(), (std::vector<std::wstring>{L"OnSave", L"OnTool 205", L"OnApply", L"OnNameChanged",
                                                  L"OnListClick 400"}));
}

TEST_F(CMessageMap, DerivedMapsComeFirstAndFallBackToTheBase)
{
    CDerivedProbe wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"derived", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    const HWND hChild = CreateChild(wnd.m_hWnd, {0, 0, 10, 10}, 400);
    Calls().clear();
    wnd.SendMessage(WM_COMMAND, 100, 0);
    wnd.SendMessage(WM_COMMAND, 201, 0);
    NMHDR header{hChild, 400, static_cast<UINT>(NM_CLICK)};
    wnd.SendMessage(WM_NOTIFY, 400, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(Calls(), (std::vector<std::wstring>{L"Derived OnSave", L"OnTool 201",
                                                  L"Derived OnListClickFirst 400", L"OnListClick 400"}));
    EXPECT_TRUE(wnd.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_STREQ(wnd.GetRuntimeClass()->m_lpszClassName, "CWnd"); // no DECLARE_DYNAMIC of its own
}

// A self-deleting window object, as frames and pop-ups are.
class CSelfDeleting : public CWnd
{
public:
    static int s_nDeleted;
    ~CSelfDeleting() override { ++s_nDeleted; }

protected:
    void PostNcDestroy() override
    {
        Calls().push_back(L"PostNcDestroy");
        delete this;
    }
    afx_msg void OnNcDestroy()
    {
        Calls().push_back(L"OnNcDestroy");
        CWnd::OnNcDestroy();
    }
    afx_msg void OnDestroy() { Calls().push_back(L"OnDestroy"); }
    DECLARE_MESSAGE_MAP()
};
int CSelfDeleting::s_nDeleted = 0;

BEGIN_MESSAGE_MAP(CSelfDeleting, CWnd)
ON_WM_DESTROY()
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

TEST_F(CMessageMap, PostNcDestroyComesAfterNcDestroySoObjectsCanDeleteThemselves)
{
    CSelfDeleting::s_nDeleted = 0;
    auto* pWnd = new CSelfDeleting;
    ASSERT_TRUE(pWnd->CreateEx(0, nullptr, L"", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    const HWND hWnd = pWnd->m_hWnd;
    EXPECT_TRUE(DestroyWindow(hWnd));
    EXPECT_EQ(Calls(), (std::vector<std::wstring>{L"OnDestroy", L"OnNcDestroy", L"PostNcDestroy"}));
    EXPECT_EQ(CSelfDeleting::s_nDeleted, 1);
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
}

TEST_F(CMessageMap, AnObjectGoingAwayDestroysItsWindow)
{
    HWND hWnd = nullptr;
    {
        CProbeWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWnd));
}

TEST_F(CMessageMap, FailedCreationCallsPostNcDestroy)
{
    CSelfDeleting::s_nDeleted = 0;
    auto* pWnd = new CSelfDeleting;
    EXPECT_FALSE(pWnd->CreateEx(0, L"NoSuchClass", L"", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(CSelfDeleting::s_nDeleted, 1);
}

// Lets digits through to the control and keeps other characters out.
class CDigitsOnly : public CWnd
{
public:
    int m_nSwallowed = 0;

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        if (nChar >= L'0' && nChar <= L'9')
            CWnd::OnChar(nChar, nRepCnt, nFlags);
        else
            ++m_nSwallowed;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDigitsOnly, CWnd)
ON_WM_CHAR()
END_MESSAGE_MAP()

TEST_F(CMessageMap, SubclassingPutsTheMapInFrontOfTheControlAndDefaultReachesIt)
{
    RegisterTestControls();
    const HWND hParent = CreateTopLevel({0, 0, 200, 100});
    const HWND hEdit = CreateChild(hParent, {0, 0, 100, 20}, 1001, WS_CHILD | WS_VISIBLE, L"TestEdit");
    SetWindowTextW(hEdit, L"");
    CDigitsOnly digits;
    ASSERT_TRUE(digits.SubclassDlgItem(1001, CWnd::FromHandle(hParent)));
    EXPECT_EQ(CWnd::FromHandle(hEdit), &digits);
    EXPECT_FALSE(CDigitsOnly().SubclassDlgItem(1001, CWnd::FromHandle(hParent))); // taken already
    SetFocus(hEdit);
    InjectText(L"4a2-");
    PumpMessages();
    EXPECT_EQ(WindowText(hEdit), L"42");
    EXPECT_EQ(digits.m_nSwallowed, 2);
    // The control's own answers still come through.
    EXPECT_EQ(digits.SendMessage(WM_GETDLGCODE),
              static_cast<LRESULT>(DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS));

    EXPECT_EQ(digits.UnsubclassWindow(), hEdit);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hEdit, GWLP_WNDPROC)), TestEditProc);
    InjectText(L"x");
    PumpMessages();
    EXPECT_EQ(WindowText(hEdit), L"42x");
}

// A button that handles its own click and, when asked, lets the parent see it too.
class CSelfClicking : public CWnd
{
public:
    BOOL m_bLetParentSee = FALSE;
    int m_nClicks = 0;

protected:
    afx_msg BOOL OnClicked()
    {
        ++m_nClicks;
        return !m_bLetParentSee;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfClicking, CWnd)
ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

TEST_F(CMessageMap, ReflectionLetsAControlHandleItsOwnNotification)
{
    RegisterTestControls();
    CProbeWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    CreateChild(parent.m_hWnd, {0, 0, 50, 20}, 300, WS_CHILD | WS_VISIBLE, L"TestButton");
    CSelfClicking button;
    ASSERT_TRUE(button.SubclassDlgItem(300, &parent));
    Calls().clear();
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(button.m_nClicks, 1);
    EXPECT_TRUE(Calls().empty()); // the parent's ON_BN_CLICKED never saw it
    button.m_bLetParentSee = TRUE;
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(button.m_nClicks, 2);
    EXPECT_EQ(Calls(), (std::vector<std::wstring>{L"OnApply"}));
}

class CUpdatingPane : public CWnd
{
public:
    BOOL m_bApplyEnabled = TRUE;

protected:
    afx_msg void OnUpdateApply(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(m_bApplyEnabled);
        pCmdUI->SetCheck(1);
        pCmdUI->SetText(L"Apply now");
    }
    afx_msg void OnReset() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdatingPane, CWnd)
ON_UPDATE_COMMAND_UI(300, OnUpdateApply)
ON_COMMAND(302, OnReset)
END_MESSAGE_MAP()

TEST_F(CMessageMap, UpdateDialogControlsAsksTheHandlersAndDisablesOrphans)
{
    RegisterTestControls();
    CUpdatingPane pane;
    ASSERT_TRUE(pane.CreateEx(0, nullptr, L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
    const HWND hApply = CreateChild(pane.m_hWnd, {0, 0, 50, 20}, 300, WS_CHILD | WS_VISIBLE, L"TestButton");
    const HWND hOrphan = CreateChild(pane.m_hWnd, {0, 30, 50, 50}, 301, WS_CHILD | WS_VISIBLE, L"TestButton");
    const HWND hReset = CreateChild(pane.m_hWnd, {0, 60, 50, 80}, 302, WS_CHILD | WS_VISIBLE, L"TestButton");
    const HWND hCheck = CreateChild(pane.m_hWnd, {60, 0, 110, 20}, 303,
                                    WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, L"TestButton");
    const HWND hEdit = CreateChild(pane.m_hWnd, {60, 30, 110, 50}, 304, WS_CHILD | WS_VISIBLE, L"TestEdit");

    pane.m_bApplyEnabled = FALSE;
    SetFocus(hApply);
    pane.UpdateDialogControls(&pane, TRUE);
    EXPECT_FALSE(IsWindowEnabled(hApply));
    EXPECT_NE(GetFocus(), hApply); // the focus moved on before the button was disabled
    EXPECT_EQ(SendMessageW(hApply, BM_GETCHECK, 0, 0), 1);
    EXPECT_EQ(WindowText(hApply), L"Apply now");
    EXPECT_FALSE(IsWindowEnabled(hOrphan)); // a push button without any handler
    EXPECT_TRUE(IsWindowEnabled(hReset));   // has a command handler
    EXPECT_TRUE(IsWindowEnabled(hCheck));   // check boxes work by themselves
    EXPECT_TRUE(IsWindowEnabled(hEdit));

    pane.m_bApplyEnabled = TRUE;
    pane.UpdateDialogControls(&pane, FALSE);
    EXPECT_TRUE(IsWindowEnabled(hApply));
}

class CKeyFilter : public CWnd
{
public:
    UINT m_nSwallowKey = 0;
    int m_nSeen = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_KEYDOWN)
            return FALSE;
        ++m_nSeen;
        return pMsg->wParam == m_nSwallowKey;
    }
};

TEST_F(CMessageMap, PreTranslateMessageWalksFromTheTargetUpThroughItsParents)
{
    CKeyFilter parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    CKeyFilter child;
    ASSERT_TRUE(child.CreateEx(0, nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &parent, 1));
    child.m_nSwallowKey = 'A';
    parent.m_nSwallowKey = 'B';
    RecordedMessages().clear();
    child.SetFocus();
    InjectKeyPress('A');
    InjectKeyPress('B');
    InjectKeyPress('C');
    PumpMessages();
    EXPECT_EQ(child.m_nSeen, 3);
    EXPECT_EQ(parent.m_nSeen, 2); // 'A' stopped at the child
}

TEST_F(CMessageMap, TemporaryWrappersLastAsLongAsTheirWindow)
{
    const HWND hWnd = CreateTopLevel({0, 0, 10, 10});
    CWnd* pFirst = CWnd::FromHandle(hWnd);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(CWnd::FromHandle(hWnd), pFirst);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_EQ(pFirst->m_hWnd, hWnd);
    pFirst->SetWindowText(L"wrapped");
    EXPECT_EQ(WindowText(hWnd), L"wrapped");
    EXPECT_TRUE(pFirst->DestroyWindow()); // deletes the wrapper with the window
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
}

} // namespace
