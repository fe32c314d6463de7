#include "XUIPaletteDialog.h"

#include "Headless.h"
#include "Resources.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
constexpr UINT kTemplateId = 700;
constexpr UINT kItemId = 1001;
// 0x4040F034 as the palette passes it: WS_CHILD with gripper, any-edge
// docking, fly-by, tool tips and dynamic size as bar styles.
constexpr UINT kPaneStyle = 0x4040F034u;

LRESULT ItemProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

SDialogTemplate PaneTemplate()
{
    SDialogTemplate pane;
    pane.nID = kTemplateId;
    pane.dwStyle = WS_POPUP | WS_CAPTION | DS_SETFONT; // the pane overrides this
    pane.cx = 100;
    pane.cy = 100;
    SDialogItemTemplate item;
    item.strClassName = L"XUITestItem";
    item.nID = kItemId;
    item.cx = 20;
    item.cy = 10;
    pane.items.push_back(item);
    return pane;
}

class XUIPaletteDialogTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = ItemProc;
        wc.lpszClassName = L"XUITestItem";
        RegisterClassExW(&wc);
    }
    void SetUp() override
    {
        HeadlessReset();
        static const SDialogTemplate s_template = PaneTemplate();
        static const SResourceEntry s_entries[] = {
            {RT_DIALOG, MAKEINTRESOURCEW(kTemplateId), &s_template, sizeof(SDialogTemplate)},
        };
        RegisterResourceTable(m_hResources, s_entries, 1);
        m_pLink = new CDynLinkLibrary(m_hResources, m_hResources);
        ASSERT_TRUE(m_frame.CreateEx(0, AfxRegisterWndClass(0), L"Frame", WS_POPUP | WS_VISIBLE, 0, 0, 800,
                                     600, nullptr, nullptr));
    }
    void TearDown() override
    {
        m_frame.DestroyWindow();
        delete m_pLink;
        RegisterResourceTable(m_hResources, nullptr, 0);
        HeadlessReset();
    }
    // A window's rectangle in the frame's client coordinates.
    CRect InFrame(const CWnd& wnd) const
    {
        CRect rc;
        wnd.GetWindowRect(&rc);
        m_frame.ScreenToClient(&rc);
        return rc;
    }
    std::unique_ptr<CXUIPaletteDialog> MakePane(LPCWSTR caption,
                                                DWORD dwAlignment = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
    {
        auto pPane = std::make_unique<CXUIPaletteDialog>();
        EXPECT_TRUE(pPane->Create(caption, &m_frame, TRUE, MAKEINTRESOURCEW(kTemplateId), kPaneStyle, 59653,
                                  32, 0x1234));
        pPane->EnableDocking(dwAlignment);
        return pPane;
    }

    const HINSTANCE m_hResources = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x7A10000));
    CDynLinkLibrary* m_pLink = nullptr;
    CWnd m_frame;
};
} // namespace

TEST_F(XUIPaletteDialogTest, CreateMakesAHiddenChildFromTheTemplateAndSplitsTheStyles)
{
    CXUIPaletteDialog pane;
    ASSERT_TRUE(pane.Create(L"Materials", &m_frame, TRUE, MAKEINTRESOURCEW(kTemplateId), kPaneStyle, 59653,
                            32, 0x1234));
    EXPECT_EQ(::GetParent(pane.GetSafeHwnd()), m_frame.GetSafeHwnd());
    EXPECT_EQ(pane.GetDlgCtrlID(), 59653);
    EXPECT_NE(pane.GetDlgItem(kItemId), nullptr);
    CString text;
    pane.GetWindowText(text);
    EXPECT_EQ(std::wstring(text), L"Materials");
    EXPECT_EQ(std::wstring(pane.GetCaption()), L"Materials");

    // 0x4040F034 = WS_CHILD 0x40000000 | bar styles 0x0040F034.
    EXPECT_EQ(pane.GetPaneStyle(), 0x0040F034u);
    EXPECT_EQ(pane.GetStyle() & (WS_CHILD | WS_POPUP | WS_CAPTION | WS_VISIBLE),
              static_cast<DWORD>(WS_CHILD));
    EXPECT_EQ(pane.GetControlBarStyle(), 0x1234u);
    EXPECT_EQ(pane.GetTabbedStyle(), 32u);
    EXPECT_TRUE(pane.HasGripper());
    EXPECT_FALSE(pane.IsPaneVisible());

    // Left and right only, as 0x5000.
    pane.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    EXPECT_EQ(pane.GetEnabledAlignment(), 0x5000u);
    EXPECT_TRUE(pane.CanDockAt(CBRS_ALIGN_RIGHT));
    EXPECT_FALSE(pane.CanDockAt(CBRS_ALIGN_TOP));
    EXPECT_FALSE(pane.CanDockAt(0));

    // A second Create on a pane with a window is refused.
    EXPECT_FALSE(pane.Create(L"Again", &m_frame, TRUE, MAKEINTRESOURCEW(kTemplateId), kPaneStyle, 1, 0, 0));
}

TEST_F(XUIPaletteDialogTest, TheFreeAreaWindowFollowsTheDockedPanes)
{
    auto pPane = MakePane(L"Materials");
    CXUIDockSite site(&m_frame);
    CWnd document;
    ASSERT_TRUE(document.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, CRect(5, 5, 10, 10),
                                  &m_frame, 7));
    site.SetFreeAreaWindow(document.m_hWnd);
    EXPECT_EQ(InFrame(document), CRect(0, 0, 800, 600));
    ASSERT_TRUE(site.DockPane(pPane.get(), CBRS_ALIGN_RIGHT, 200));
    EXPECT_EQ(InFrame(document), CRect(0, 0, 600, 600));
    m_frame.MoveWindow(0, 0, 1000, 500);
    EXPECT_EQ(InFrame(document), CRect(0, 0, 800, 500));
    pPane->ShowPane(FALSE);
    EXPECT_EQ(InFrame(document), CRect(0, 0, 1000, 500));
    document.DestroyWindow();
    // A window that went away is left alone.
    m_frame.MoveWindow(0, 0, 900, 500);
    EXPECT_EQ(site.GetFreeRect(), CRect(0, 0, 900, 500));
}

TEST_F(XUIPaletteDialogTest, CreateRefusesAMissingParentOrTemplate)
{
    CXUIPaletteDialog pane;
    EXPECT_FALSE(pane.Create(L"x", nullptr, TRUE, MAKEINTRESOURCEW(kTemplateId), kPaneStyle, 1, 0, 0));
    EXPECT_FALSE(pane.Create(L"x", &m_frame, TRUE, MAKEINTRESOURCEW(kTemplateId + 1), kPaneStyle, 1, 0, 0));
    EXPECT_FALSE(pane.Create(L"x", &m_frame, TRUE, nullptr, kPaneStyle, 1, 0, 0));
    EXPECT_EQ(pane.GetSafeHwnd(), nullptr);
}

TEST_F(XUIPaletteDialogTest, ADockedPaneFillsItsEdgeBelowItsCaptionAndFollowsTheFrame)
{
    auto pPane = MakePane(L"Materials");
    CXUIDockSite site(&m_frame);
    EXPECT_EQ(site.GetFreeRect(), CRect(0, 0, 800, 600));
    ASSERT_TRUE(site.DockPane(pPane.get(), CBRS_ALIGN_RIGHT, 200));
    EXPECT_TRUE(pPane->IsPaneVisible());
    EXPECT_EQ(pPane->GetDockSite(), &site);

    // Caption strip 18 high over the pane's 200 columns at the right edge.
    CXUIPaneCaption* pCaption = site.GetCaption(pPane.get());
    ASSERT_NE(pCaption, nullptr);
    EXPECT_EQ(InFrame(*pCaption), CRect(600, 0, 800, 18));
    EXPECT_EQ(InFrame(*pPane), CRect(600, 18, 800, 600));
    EXPECT_EQ(site.GetFreeRect(), CRect(0, 0, 600, 600));
    CString text;
    pCaption->GetWindowText(text);
    EXPECT_EQ(std::wstring(text), L"Materials");

    // The frame grows to 1000 x 500: the pane keeps its width at the new edge.
    m_frame.MoveWindow(0, 0, 1000, 500);
    EXPECT_EQ(InFrame(*pCaption), CRect(800, 0, 1000, 18));
    EXPECT_EQ(InFrame(*pPane), CRect(800, 18, 1000, 500));
    EXPECT_EQ(site.GetFreeRect(), CRect(0, 0, 800, 500));

    // A frame narrower than the pane gives it all there is.
    m_frame.MoveWindow(0, 0, 150, 500);
    EXPECT_EQ(InFrame(*pPane), CRect(0, 18, 150, 500));
    EXPECT_EQ(site.GetFreeRect().Width(), 0);
    PumpMessages();
}

TEST_F(XUIPaletteDialogTest, PanesAtBothEdgesAndShowingAndHiding)
{
    auto pLeft = MakePane(L"Left");
    auto pRight = MakePane(L"Right");
    CXUIDockSite site(&m_frame);
    ASSERT_TRUE(site.DockPane(pLeft.get(), CBRS_ALIGN_LEFT, 100));
    ASSERT_TRUE(site.DockPane(pRight.get(), CBRS_ALIGN_RIGHT, 250));
    EXPECT_EQ(InFrame(*pLeft), CRect(0, 18, 100, 600));
    EXPECT_EQ(InFrame(*pRight), CRect(550, 18, 800, 600));
    EXPECT_EQ(site.GetFreeRect(), CRect(100, 0, 550, 600));

    pLeft->ShowPane(FALSE);
    EXPECT_FALSE(pLeft->IsPaneVisible());
    EXPECT_EQ(site.GetCaption(pLeft.get())->GetStyle() & WS_VISIBLE, 0u);
    EXPECT_EQ(site.GetFreeRect(), CRect(0, 0, 550, 600));
    pLeft->ShowPane(TRUE);
    EXPECT_TRUE(pLeft->IsPaneVisible());
    EXPECT_NE(site.GetCaption(pLeft.get())->GetStyle() & WS_VISIBLE, 0u);
    EXPECT_EQ(site.GetFreeRect(), CRect(100, 0, 550, 600));

    site.SetPaneWidth(pRight.get(), 300);
    EXPECT_EQ(InFrame(*pRight), CRect(500, 18, 800, 600));

    // A pane that goes takes its place with it.
    pRight.reset();
    EXPECT_EQ(site.GetFreeRect(), CRect(100, 0, 800, 600));
}

TEST_F(XUIPaletteDialogTest, DockingIsRefusedWhereThePaneMayNotGo)
{
    auto pRightOnly = MakePane(L"Right only", CBRS_ALIGN_RIGHT);
    CXUIDockSite site(&m_frame);
    EXPECT_FALSE(site.DockPane(pRightOnly.get(), CBRS_ALIGN_LEFT, 100));
    EXPECT_FALSE(site.DockPane(pRightOnly.get(), CBRS_ALIGN_TOP, 100));
    EXPECT_FALSE(site.DockPane(pRightOnly.get(), CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT, 100));
    EXPECT_FALSE(site.DockPane(pRightOnly.get(), CBRS_ALIGN_RIGHT, -1));
    EXPECT_FALSE(site.DockPane(nullptr, CBRS_ALIGN_RIGHT, 100));
    EXPECT_FALSE(pRightOnly->IsPaneVisible());

    // A pane without a window, or of another frame, is not docked either.
    CXUIPaletteDialog unmade;
    unmade.EnableDocking(CBRS_ALIGN_ANY);
    EXPECT_FALSE(site.DockPane(&unmade, CBRS_ALIGN_RIGHT, 100));
    CWnd other;
    ASSERT_TRUE(
        other.CreateEx(0, AfxRegisterWndClass(0), L"Other", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr));
    CXUIPaletteDialog foreign;
    ASSERT_TRUE(foreign.Create(L"F", &other, TRUE, MAKEINTRESOURCEW(kTemplateId), kPaneStyle, 1, 0, 0));
    foreign.EnableDocking(CBRS_ALIGN_ANY);
    EXPECT_FALSE(site.DockPane(&foreign, CBRS_ALIGN_RIGHT, 100));
    EXPECT_EQ(site.GetFreeRect(), CRect(0, 0, 800, 600));
}

TEST_F(XUIPaletteDialogTest, TheSiteGivesTheFrameItsProcedureBack)
{
    const LONG_PTR original = GetWindowLongPtrW(m_frame.GetSafeHwnd(), GWLP_WNDPROC);
    auto pPane = MakePane(L"Materials");
    {
        CXUIDockSite site(&m_frame);
        EXPECT_NE(GetWindowLongPtrW(m_frame.GetSafeHwnd(), GWLP_WNDPROC), original);
        ASSERT_TRUE(site.DockPane(pPane.get(), CBRS_ALIGN_LEFT, 120));
        // A second site on the same frame has nothing to do.
        CXUIDockSite second(&m_frame);
        EXPECT_FALSE(second.DockPane(pPane.get(), CBRS_ALIGN_LEFT, 50));
    }
    EXPECT_EQ(GetWindowLongPtrW(m_frame.GetSafeHwnd(), GWLP_WNDPROC), original);
    EXPECT_EQ(pPane->GetDockSite(), nullptr);
    // The frame still works and no longer lays the pane out.
    m_frame.MoveWindow(0, 0, 400, 400);
    EXPECT_EQ(InFrame(*pPane), CRect(0, 18, 120, 600));
}

TEST_F(XUIPaletteDialogTest, AFrameDestroyedUnderItsSiteLeavesTheSiteHarmless)
{
    auto pPane = MakePane(L"Materials");
    CXUIDockSite site(&m_frame);
    ASSERT_TRUE(site.DockPane(pPane.get(), CBRS_ALIGN_LEFT, 120));
    m_frame.DestroyWindow();
    site.RecalcLayout();
    EXPECT_TRUE(site.GetFreeRect().IsRectEmpty());
    EXPECT_FALSE(site.DockPane(pPane.get(), CBRS_ALIGN_LEFT, 120));
}

TEST_F(XUIPaletteDialogTest, ADockedPaneIsNeverNarrowerThanItsMinimum)
{
    // A pane that asks for at least 150 columns once docked.
    class CMinimumPane : public CXUIPaletteDialog
    {
    public:
        void OnAfterDock() override { SetMinSize(CSize(150, 25)); }
    };
    CMinimumPane pane;
    ASSERT_TRUE(pane.Create(L"Min", &m_frame, TRUE, MAKEINTRESOURCEW(kTemplateId), kPaneStyle, 1, 0, 0));
    pane.EnableDocking(CBRS_ALIGN_RIGHT);
    CXUIDockSite site(&m_frame);
    ASSERT_TRUE(site.DockPane(&pane, CBRS_ALIGN_RIGHT, 100));
    EXPECT_EQ(InFrame(pane), CRect(650, 18, 800, 600));
    site.SetPaneWidth(&pane, 120);
    EXPECT_EQ(InFrame(pane).Width(), 150);
    site.SetPaneWidth(&pane, 210);
    EXPECT_EQ(InFrame(pane).Width(), 210);
    site.UndockPane(&pane);
}
