#include "ConnectLanguage.h"
#include "Headless.h"
#include "MirnMaterialPalette.h"
#include "MirnMaterialPaletteModule.h"
#include "Modules.h"
#include "Resources.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const std::wstring kRoot = Utf8ToWide(TEST_LANGUAGE_ROOT);

std::wstring OwnModulePath()
{
    wchar_t path[520] = {};
    const DWORD nLength = GetModuleFileNameW(GetMaterialPaletteInstance(), path, 520);
    return std::wstring(path, nLength);
}

CString LoadedString(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

// Each case starts with no records and puts the language service back.
class LinkExtensionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CConnectLanguage* pService = CConnectLanguage::Instance();
        m_strRoot = pService->GetLanguageRoot();
        pService->ClearModuleInfo();
        m_nLinks = AfxGetExtensionModuleCount();
    }
    void TearDown() override
    {
        CConnectLanguage* pService = CConnectLanguage::Instance();
        pService->SetLanguageRoot(m_strRoot);
        pService->ClearModuleInfo();
    }

    CString m_strRoot;
    int m_nLinks = 0;
};
} // namespace

TEST_F(LinkExtensionTest, TheModuleRegisteredItsCallbackWhenItAttached)
{
    EXPECT_TRUE(CConnectLanguage::Instance()->HasCB(L"VornMaterialPalette"));
    EXPECT_NE(GetMaterialPaletteInstance(), nullptr);
    EXPECT_TRUE(OwnModulePath().ends_with(L"libVornMaterialPalette.so"));
}

TEST_F(LinkExtensionTest, AnEmptyLanguagePathLoadsNothingAndRecordsNothing)
{
    CConnectLanguage* pService = CConnectLanguage::Instance();
    pService->SetLanguageRoot(kRoot.c_str());
    pService->SetUserLanguage(L""); // tells the module, which finds no path
    LinkExtension(CString());
    EXPECT_EQ(pService->GetModuleInfoCount(), 0);
    EXPECT_EQ(AfxGetExtensionModuleCount(), m_nLinks);
}

TEST_F(LinkExtensionTest, TheUserLanguagesModuleIsLoadedAndRecorded)
{
    CConnectLanguage* pService = CConnectLanguage::Instance();
    pService->SetLanguageRoot(kRoot.c_str());
    pService->SetUserLanguage(L"TT");

    ASSERT_EQ(pService->GetModuleInfoCount(), 1);
    SLanguageModuleInfo info;
    ASSERT_TRUE(pService->GetModuleInfo(0, info));
    EXPECT_EQ(std::wstring(info.strModulePath), OwnModulePath());
    EXPECT_EQ(std::wstring(info.strResourcePath), kRoot + L"TT\\VornMaterialPaletteRC.DLL");
    EXPECT_EQ(info.nValue, 1);
    EXPECT_TRUE(info.bFlag);
    ASSERT_NE(info.hResource, nullptr);
    EXPECT_EQ(info.hResource, GetMaterialPaletteResourceHandle());
    EXPECT_EQ(AfxGetExtensionModuleCount(), m_nLinks + 1);
    // The newest link of the chain answers first.
    EXPECT_EQ(std::wstring(LoadedString(15473)), L"Materials TT");
    EXPECT_EQ(std::wstring(LoadedString(100)), L"TT");
}

TEST_F(LinkExtensionTest, TheAlternativePathIsTriedWhenTheLanguageHasNoModule)
{
    CConnectLanguage* pService = CConnectLanguage::Instance();
    pService->SetLanguageRoot(kRoot.c_str());
    pService->SetUserLanguage(L"XX");

    ASSERT_EQ(pService->GetModuleInfoCount(), 1);
    SLanguageModuleInfo info;
    ASSERT_TRUE(pService->GetModuleInfo(0, info));
    EXPECT_EQ(std::wstring(info.strResourcePath), kRoot + L"EN\\VornMaterialPaletteRC.DLL");
    EXPECT_EQ(info.hResource, GetMaterialPaletteResourceHandle());
    EXPECT_EQ(std::wstring(LoadedString(100)), L"EN");
}

TEST_F(LinkExtensionTest, WithoutAnyModuleTheFallbackIsRecorded)
{
    CConnectLanguage* pService = CConnectLanguage::Instance();
    pService->SetLanguageRoot(L"/nonexistent/language/root");
    pService->SetUserLanguage(L"XX");

    ASSERT_EQ(pService->GetModuleInfoCount(), 1);
    SLanguageModuleInfo info;
    ASSERT_TRUE(pService->GetModuleInfo(0, info));
    EXPECT_EQ(std::wstring(info.strModulePath), OwnModulePath());
    EXPECT_TRUE(info.strResourcePath.IsEmpty());
    EXPECT_EQ(info.nValue, 1);
    EXPECT_EQ(info.hResource, nullptr);
    EXPECT_TRUE(info.bFlag);
    // The module still joins the chain, on its own.
    EXPECT_EQ(AfxGetExtensionModuleCount(), m_nLinks + 1);
}

TEST_F(LinkExtensionTest, DynLinkPutsTheModuleOnTheChain)
{
    MMatPalCDynLink();
    EXPECT_EQ(AfxGetExtensionModuleCount(), m_nLinks + 1);
}

namespace
{
LRESULT TestItemProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

// The pane created from the test language's template 15107.
class PaneCreationTest : public LinkExtensionTest
{
protected:
    void SetUp() override
    {
        LinkExtensionTest::SetUp();
        HeadlessReset();
        static const bool s_bRegistered = []
        {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = TestItemProc;
            wc.lpszClassName = L"MatPalTestItem";
            return RegisterClassExW(&wc) != 0;
        }();
        ASSERT_TRUE(s_bRegistered);
        CConnectLanguage::Instance()->SetLanguageRoot(kRoot.c_str());
        CConnectLanguage::Instance()->SetUserLanguage(L"TT");
        ASSERT_TRUE(m_frame.CreateEx(0, AfxRegisterWndClass(0), L"Frame", WS_POPUP | WS_VISIBLE, 0, 0, 900,
                                     700, nullptr, nullptr));
    }
    void TearDown() override
    {
        m_frame.DestroyWindow();
        HeadlessReset();
        LinkExtensionTest::TearDown();
    }
    CWnd m_frame;
};
} // namespace

TEST_F(PaneCreationTest, WithoutAParentNothingIsCreated)
{
    CMirnMaterialPalette palette;
    EXPECT_FALSE(palette.InitAppService(nullptr, nullptr));
    EXPECT_EQ(palette.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(palette.IsOpen());
    palette.ShowMaterialPalette(ESHOW_SHOW); // no window: nothing happens
    EXPECT_FALSE(palette.IsOpen());
}

TEST_F(PaneCreationTest, ThePaneComesFromTemplate15107WithThePalettesStyles)
{
    CMirnMaterialPalette palette;
    palette.SetServiceValue(0x00002000u);
    ASSERT_TRUE(palette.InitAppService(nullptr, &m_frame));
    ASSERT_NE(palette.GetSafeHwnd(), nullptr);
    EXPECT_EQ(::GetParent(palette.GetSafeHwnd()), m_frame.GetSafeHwnd());
    EXPECT_EQ(palette.GetDlgCtrlID(), 59653);
    EXPECT_NE(palette.GetDlgItem(1001), nullptr) << "the item of the test template";
    EXPECT_EQ(std::wstring(palette.GetCaption()), L"Materials TT");
    EXPECT_TRUE(palette.HasGripper());
    // 0x4040F034: WS_CHILD for the window, the rest bar styles.
    EXPECT_EQ(palette.GetPaneStyle(), 0x0040F034u);
    EXPECT_EQ(palette.GetTabbedStyle(), 32u);
    EXPECT_EQ(palette.GetControlBarStyle(), 0x00002000u);
    const DWORD dwStyle = palette.GetStyle();
    EXPECT_EQ(dwStyle & 0x06000000u, 0x06000000u) << "clip siblings and children";
    EXPECT_NE(dwStyle & WS_CHILD, 0u);
    EXPECT_EQ(palette.GetEnabledAlignment(), 0x5000u);

    // Hidden until shown; the host shows it through the palette interface.
    EXPECT_FALSE(palette.IsOpen());
    palette.ShowMaterialPalette(ESHOW_SHOW);
    EXPECT_TRUE(palette.IsOpen());
    palette.ShowMaterialPalette(ESHOW_TOGGLE);
    EXPECT_FALSE(palette.IsOpen());
    palette.ShowMaterialPalette(ESHOW_TOGGLE);
    EXPECT_TRUE(palette.IsOpen());
    palette.ShowMaterialPalette(ESHOW_HIDE);
    EXPECT_FALSE(palette.IsOpen());
}

TEST_F(PaneCreationTest, ThePaneDocksAtTheRightOfAFrame)
{
    CMirnMaterialPalette palette;
    ASSERT_TRUE(palette.InitAppService(nullptr, &m_frame));
    CXUIDockSite site(&m_frame);
    EXPECT_FALSE(site.DockPane(&palette, CBRS_ALIGN_TOP, 250));
    ASSERT_TRUE(site.DockPane(&palette, CBRS_ALIGN_RIGHT, 250));
    EXPECT_TRUE(palette.IsOpen());
    CRect rc;
    palette.GetWindowRect(&rc);
    m_frame.ScreenToClient(&rc);
    EXPECT_EQ(rc, CRect(650, CXUIPaneCaption::kHeight, 900, 700));
}
