// Each settings page opens the template that the language module holds for
// it: the page numbers here and there must agree, or a page comes up with
// another page's controls.
#include "MatStyleColorWheelPage.h"
#include "MatStyleFakeTexturePage.h"
#include "MatStyleGradient2Page.h"
#include "MatStyleGradientPage.h"
#include "MatStylePattern2Page.h"
#include "MatStylePatternPage.h"
#include "MatStyleSolid24Page.h"
#include "MatStyleSolidPalettedPage.h"
#include "Modules.h"
#include "ResourceIds.h"
#include "Utf8.h"
#include "WindowTestSupport.h"

#include <functional>
#include <memory>

namespace
{
struct SPageCase
{
    const char* pszName;
    std::function<CMatPropertiesPage*()> make;
    UINT nMustHave;    // a control only this page's template has
    UINT nMustNotHave; // a control of the page it is most easily taken for
};

class PageTemplatesTest : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        const std::wstring strPath = Utf8ToWide(RESOURCE_MODULE_FOLDER) + L"\\VornMaterialPaletteRC.DLL";
        m_hModule = LoadLibraryW(strPath.c_str());
        ASSERT_NE(m_hModule, nullptr);
        m_pLink = std::make_unique<CDynLinkLibrary>(m_hModule, m_hModule);
        m_hParent = CreateTopLevel({0, 0, 700, 500});
    }
    void TearDown() override
    {
        DestroyWindow(m_hParent);
        m_pLink.reset();
        FreeLibrary(m_hModule);
        CWindowTest::TearDown();
    }

    HMODULE m_hModule = nullptr;
    std::unique_ptr<CDynLinkLibrary> m_pLink;
    HWND m_hParent = nullptr;
};
} // namespace

TEST_F(PageTemplatesTest, EveryPageOpensItsOwnTemplate)
{
    const SPageCase cases[] = {
        {"24-bit", [] { return new CMatStyleSolid24Page(0, nullptr); }, IDC_SOLID_LINK, IDC_PALETTED_SORT},
        {"paletted", [] { return new CMatStyleSolidPalettedPage(0, nullptr); }, IDC_PALETTED_SORT,
         IDC_SOLID_LINK},
        {"wheel", [] { return new CMatStyleColorWheelPage(0, nullptr); }, IDC_WHEEL_CONTROL, IDC_SOLID_LINK},
        {"gradient", [] { return new CMatStyleGradientPage(nullptr); }, IDC_GRADIENT_DROP,
         IDC_GRADIENT2_GRID},
        {"gradient 2", [] { return new CMatStyleGradient2Page(nullptr); }, IDC_GRADIENT2_GRID,
         IDC_PATTERN_DROP},
        {"pattern", [] { return new CMatStylePatternPage(nullptr); }, IDC_PATTERN_DROP,
         IDC_RESOURCE_CATEGORY},
        {"pattern 2", [] { return new CMatStylePattern2Page(nullptr); }, IDC_RESOURCE_CATEGORY,
         IDC_PROPS_TEXTURE_DROP},
        {"texture", [] { return new CMatStyleFakeTexturePage(nullptr); }, IDC_PROPS_TEXTURE_DROP,
         IDC_PATTERN_DROP},
    };
    for (const SPageCase& page : cases)
    {
        std::unique_ptr<CMatPropertiesPage> pPage(page.make());
        ASSERT_NE(pPage->CreateAsChild(CRect(10, 10, 500, 400), CWnd::FromHandle(m_hParent)), 0)
            << page.pszName;
        EXPECT_NE(::GetDlgItem(pPage->GetSafeHwnd(), static_cast<int>(page.nMustHave)), nullptr)
            << page.pszName;
        EXPECT_EQ(::GetDlgItem(pPage->GetSafeHwnd(), static_cast<int>(page.nMustNotHave)), nullptr)
            << page.pszName;
        pPage->DestroyWindow();
    }
}
