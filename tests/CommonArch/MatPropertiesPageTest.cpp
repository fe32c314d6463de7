// The settings page base: a template turned into a child dialog, painted in
// the page colours, with Enter, Escape and the tab navigation keys handed to
// the dialog that holds it.
#include "ButtonControls.h"
#include "Input.h"
#include "MatPropertiesPage.h"
#include "StyleTestSupport.h"
#include "XUIVisualManager.h"

#include <vector>

using namespace style_test;

namespace
{
// A page with no data of its own that writes down the commands it gets.
class CRecordingPage : public CMatPropertiesPage
{
public:
    explicit CRecordingPage(UINT nTemplate = 15103) : CMatPropertiesPage(nTemplate, nullptr) {}
    using CMatPropertiesPage::LoadTemplate;

    void RevertToPrev() override {}
    void LoadSettings(IRegistry*, CString) override {}
    void SaveSettings(IRegistry*, CString) override {}
    bool SetData(void*) override { return true; }
    bool GetData(void**, bool) override { return false; }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back(LOWORD(wParam));
        return CMatPropertiesPage::OnCommand(wParam, lParam);
    }

    std::vector<UINT> m_commands;
};

class PropertiesPageTest : public StyleTest
{
protected:
    void SetUp() override
    {
        StyleTest::SetUp();
        ASSERT_NE(m_page.CreateAsChild(m_rcPage, m_pParent), 0);
        m_page.ShowWindow(SW_SHOW);
        RecordedMessages().clear();
    }
    void TearDown() override
    {
        m_page.DestroyWindow();
        CXUIVisualManager::GetInstance().Reset();
        StyleTest::TearDown();
    }

    std::vector<SRecordedMessage> ParentMessages(UINT nMessage) { return MessagesTo(m_hParent, nMessage); }

    // Presses a key with the given modifiers held, through the message loop.
    void PressWith(UINT nKey, std::initializer_list<UINT> modifiers)
    {
        for (UINT nModifier : modifiers)
            InjectKey(nModifier, true);
        InjectKeyPress(nKey);
        for (UINT nModifier : modifiers)
            InjectKey(nModifier, false);
        PumpMessages();
    }

    CRecordingPage m_page;
};
} // namespace

TEST_F(PropertiesPageTest, TheTemplateBecomesAHiddenChildControlAtTheGivenRectangle)
{
    const LONG lStyle = GetWindowLongW(m_page.GetSafeHwnd(), GWL_STYLE);
    EXPECT_EQ(lStyle & WS_CHILD, WS_CHILD);
    EXPECT_EQ(lStyle & DS_CONTROL, DS_CONTROL);
    EXPECT_EQ(lStyle & (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME), 0);
    EXPECT_EQ(lStyle & WS_CLIPCHILDREN, WS_CLIPCHILDREN) << "kept by the mask";
    EXPECT_TRUE(m_page.IsCreatedAsChild());
    EXPECT_EQ(m_page.GetChildRect(), m_rcPage);
    EXPECT_EQ(::GetParent(m_page.GetSafeHwnd()), m_hParent);
    CRect rcWindow;
    m_page.GetWindowRect(&rcWindow);
    m_pParent->ScreenToClient(&rcWindow);
    EXPECT_EQ(rcWindow, m_rcPage);

    // The template's visible bit is dropped: a second page stays hidden
    // until its dialog shows it.
    CRecordingPage hidden;
    ASSERT_NE(hidden.CreateAsChild(CRect(0, 0, 50, 50), m_pParent), 0);
    EXPECT_FALSE(hidden.IsWindowVisible());
    // The language module's template is left as it was.
    const SDialogTemplate* pTemplate = nullptr;
    HINSTANCE hInstance = nullptr;
    pTemplate = hidden.LoadTemplate(hInstance);
    ASSERT_NE(pTemplate, nullptr);
    EXPECT_EQ(pTemplate->dwStyle & WS_POPUP, static_cast<DWORD>(WS_POPUP));
    hidden.DestroyWindow();

    // A page whose template is missing is not created.
    CRecordingPage missing(19999);
    EXPECT_EQ(missing.CreateAsChild(CRect(0, 0, 10, 10), m_pParent), 0);
    EXPECT_EQ(missing.GetSafeHwnd(), nullptr);
}

TEST_F(PropertiesPageTest, PagesTakeTheThemesPageColoursAndTooltips)
{
    CXUIVisualManager& manager = CXUIVisualManager::GetInstance();
    manager.SetThemeColor(1282, RGB(10, 20, 30));
    manager.SetThemeColor(1285, RGB(200, 100, 50));
    CRecordingPage page;
    ASSERT_NE(page.CreateAsChild(CRect(0, 0, 100, 100), m_pParent), 0);
    EXPECT_EQ(page.GetBackColor(), RGB(10, 20, 30));
    EXPECT_EQ(page.GetTextColor(), RGB(200, 100, 50));
    EXPECT_EQ(manager.GetAppliedTheme(page.GetSafeHwnd()), 6);
    EXPECT_TRUE(page.AreToolTipsEnabled());
    page.DestroyWindow();
}

TEST_F(PropertiesPageTest, StaticsTakeThePageColoursAndTheBackgroundIsFilled)
{
    const COLORREF clrBack = m_page.GetBackColor();
    const COLORREF clrText = m_page.GetTextColor();
    HWND hStatic = CreateWindowExW(0, L"STATIC", L"label", WS_CHILD | WS_VISIBLE, 0, 0, 40, 12,
                                   m_page.GetSafeHwnd(), reinterpret_cast<HMENU>(77), nullptr, nullptr);
    HWND hButton = ::GetDlgItem(m_page.GetSafeHwnd(), 1234);
    HDC hdc = GetDC(m_page.GetSafeHwnd());
    SetBkColor(hdc, RGB(1, 1, 1));
    SetTextColor(hdc, RGB(2, 2, 2));
    const LRESULT lStaticBrush = m_page.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc),
                                                    reinterpret_cast<LPARAM>(hStatic));
    EXPECT_NE(lStaticBrush, 0);
    EXPECT_EQ(GetBkColor(hdc), clrBack);
    EXPECT_EQ(GetTextColor(hdc), clrText);
    // Another kind of control gets the dialog's own answer, not the page's.
    SetBkColor(hdc, RGB(1, 1, 1));
    const LRESULT lButtonBrush =
        m_page.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hButton));
    EXPECT_NE(lButtonBrush, lStaticBrush);
    ReleaseDC(m_page.GetSafeHwnd(), hdc);

    // Erasing fills the whole client area with the background.
    m_page.InvalidateRect(nullptr);
    m_page.UpdateWindow();
    hdc = GetDC(m_page.GetSafeHwnd());
    EXPECT_EQ(GetPixel(hdc, 199, 199), clrBack);
    EXPECT_EQ(GetPixel(hdc, 100, 150), clrBack);
    ReleaseDC(m_page.GetSafeHwnd(), hdc);
}

TEST_F(PropertiesPageTest, EnterAndEscapeCancelTheDialogThatHoldsThePage)
{
    // The focus on the page itself: Escape ends nothing but the dialog.
    m_page.SetFocus();
    PressWith(VK_ESCAPE, {});
    auto commands = ParentMessages(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, static_cast<WPARAM>(IDCANCEL));
    EXPECT_EQ(commands[0].lParam, 0);
    EXPECT_TRUE(IsWindow(m_page.GetSafeHwnd()));

    RecordedMessages().clear();
    m_page.SendMessage(WM_COMMAND, IDOK, 0);
    PumpMessages();
    commands = ParentMessages(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, static_cast<WPARAM>(IDCANCEL));
}

TEST_F(PropertiesPageTest, EnterOnAButtonOfThePageIsThatButtonsCommand)
{
    HWND hButton = ::GetDlgItem(m_page.GetSafeHwnd(), 1234);
    ASSERT_NE(hButton, nullptr);
    ::SetFocus(hButton);
    PressWith(VK_RETURN, {});
    EXPECT_EQ(m_page.m_commands, std::vector<UINT>{1234u});
    EXPECT_TRUE(ParentMessages(WM_COMMAND).empty()) << "the key was swallowed";

    // Enter in an edit of the page is the page's OK, that is a cancel of
    // the dialog.
    m_page.m_commands.clear();
    HWND hEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 60, 4, 40, 14,
                                 m_page.GetSafeHwnd(), reinterpret_cast<HMENU>(55), nullptr, nullptr);
    ::SetFocus(hEdit);
    PressWith(VK_RETURN, {});
    EXPECT_EQ(std::count(m_page.m_commands.begin(), m_page.m_commands.end(), 1234u), 0);
    const auto commands = ParentMessages(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, static_cast<WPARAM>(IDCANCEL));
}

TEST_F(PropertiesPageTest, ControlTabAndPagingKeysAskTheParentToChangeTabs)
{
    ::SetFocus(::GetDlgItem(m_page.GetSafeHwnd(), 1234));
    // The parent takes the key.
    Reactions()[m_hParent] = [](HWND, UINT nMessage, WPARAM, LPARAM, LRESULT& lResult)
    {
        if (nMessage != WM_MATPAGE_TABNAV)
            return false;
        lResult = 1;
        return true;
    };
    PressWith(VK_TAB, {VK_CONTROL});
    PressWith(VK_TAB, {VK_CONTROL, VK_SHIFT});
    PressWith(VK_PRIOR, {VK_CONTROL});
    PressWith(VK_NEXT, {VK_CONTROL, VK_SHIFT});
    const auto asks = ParentMessages(0x80A4);
    ASSERT_EQ(asks.size(), 4u);
    EXPECT_EQ(asks[0].wParam, static_cast<WPARAM>(VK_TAB));
    EXPECT_EQ(asks[0].lParam, 8);
    EXPECT_EQ(asks[1].wParam, static_cast<WPARAM>(VK_TAB));
    EXPECT_EQ(asks[1].lParam, 12);
    EXPECT_EQ(asks[2].wParam, static_cast<WPARAM>(VK_PRIOR));
    EXPECT_EQ(asks[2].lParam, 8);
    EXPECT_EQ(asks[3].wParam, static_cast<WPARAM>(VK_NEXT));
    EXPECT_EQ(asks[3].lParam, 12);
    // Swallowed: the button never saw the keys go down.
    HWND hButton = ::GetDlgItem(m_page.GetSafeHwnd(), 1234);
    EXPECT_EQ(::GetFocus(), hButton);

    // Without Control, or with a parent that declines, nothing is asked or
    // the key goes on.
    RecordedMessages().clear();
    PressWith(VK_NEXT, {});
    EXPECT_TRUE(ParentMessages(0x80A4).empty());
    Reactions().clear();
    PressWith(VK_NEXT, {VK_CONTROL});
    EXPECT_EQ(ParentMessages(0x80A4).size(), 1u);
}
