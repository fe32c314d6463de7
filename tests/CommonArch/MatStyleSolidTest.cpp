#include "MatStyleColorWheel.h"
#include "MatStyleColorWheelPage.h"
#include "MatStyleGradientPage.h"
#include "MatStyleSolid.h"
#include "MatStyleSolid24Page.h"
#include "MatStyleSolidPalettedPage.h"
#include "StyleTestSupport.h"

#include <cstdlib>

using namespace style_test;

namespace
{
class SolidStyleTest : public StyleTest
{
};

// A heap colour block as the host hands it over.
void* HostColorBlock(COLORREF clrColor)
{
    auto* pBlock = static_cast<COLORREF*>(std::malloc(sizeof(COLORREF)));
    *pBlock = clrColor;
    return pBlock;
}
} // namespace

TEST_F(SolidStyleTest, NewSolidStyleHasItsDefaultsAndStrings)
{
    CMatStyleSolid style;
    EXPECT_EQ(style.m_eStyle, MATERIAL_STYLE_SOLID);
    EXPECT_TRUE(style.m_bCurrent);
    EXPECT_EQ(style.m_clrColor, 0x000000FFu);
    EXPECT_EQ(style.GetPalIdx(), -1);
    EXPECT_TRUE(style.m_bColorMatching);
    EXPECT_EQ(style.m_eColorMode, COLOR_MODE_HOST_DECIDES);
    EXPECT_TRUE(style.IsValid());
    EXPECT_FALSE(style.IsNonCached());
    EXPECT_FALSE(style.IsImmediate());
    EXPECT_EQ(style.GetTTText(), CString(L"Solid tip"));
    EXPECT_EQ(style.GetName(), CString(L"Color"));
    style.DisableColorMatching(true);
    EXPECT_FALSE(style.m_bColorMatching);
    style.DisableColorMatching(false);
    EXPECT_TRUE(style.m_bColorMatching);
}

TEST_F(SolidStyleTest, DataBlocksCarryTheColourAndNullKeepsIt)
{
    CMatStyleSolid style;
    void* pBlock = nullptr;
    ASSERT_EQ(style.GetData(&pBlock), MIRN_ERR_NONE);
    ASSERT_NE(pBlock, nullptr);
    EXPECT_EQ(*static_cast<COLORREF*>(pBlock), 0x000000FFu);
    // The same block back: the colour stays, the style frees the block.
    EXPECT_EQ(style.SetData(pBlock), MIRN_ERR_NONE);
    EXPECT_EQ(style.m_clrColor, 0x000000FFu);

    EXPECT_EQ(style.SetData(HostColorBlock(RGB(1, 2, 3))), MIRN_ERR_NONE);
    EXPECT_EQ(style.m_clrColor, 0x00030201u);
    EXPECT_EQ(style.SetData(nullptr), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(style.m_clrColor, 0x00030201u);

    CMatStyleColorWheel wheel;
    EXPECT_EQ(wheel.SetData(nullptr), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(wheel.m_clrColor, 0x000000FFu);
    EXPECT_EQ(wheel.SetData(HostColorBlock(0x00ABCDEF)), MIRN_ERR_NONE);
    EXPECT_EQ(wheel.m_clrColor, 0x00ABCDEFu);
}

TEST_F(SolidStyleTest, ColourModeAndDocumentModeChooseThePage)
{
    struct SCase
    {
        EColorMode eMode;
        bool bGreyscale;
        bool bOwnPalette;
        bool bPaletted;
    };
    const SCase cases[] = {
        {COLOR_MODE_HOST_DECIDES, false, false, false},  {COLOR_MODE_HOST_DECIDES, true, false, true},
        {COLOR_MODE_HOST_DECIDES, false, true, true},    {COLOR_MODE_FULL_COLOR, true, true, false},
        {COLOR_MODE_GREYSCALE, false, false, true},      {COLOR_MODE_BLACK_WHITE, false, false, true},
        {COLOR_MODE_VGA16, false, false, true},          {COLOR_MODE_FIXED8, false, false, true},
        {static_cast<EColorMode>(6), true, true, false},
    };
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(testing::Message()
                     << "mode " << c.eMode << " grey " << c.bGreyscale << " palette " << c.bOwnPalette);
        m_pApp->m_bGreyscaleDocument = c.bGreyscale;
        m_pApp->m_bDocumentPalette = c.bOwnPalette;

        CMatStyleSolid solid;
        solid.SetColorMode(c.eMode);
        solid.SetPalIdx(5);
        CMatPropertiesPage* pPage = solid.GetSettingsPage(m_pParent, m_rcPage);
        ASSERT_NE(pPage, nullptr);
        EXPECT_NE(pPage->GetSafeHwnd(), nullptr);
        EXPECT_EQ(pPage->IsKindOf(RUNTIME_CLASS(CMatStyleSolidPalettedPage)), c.bPaletted);
        EXPECT_EQ(pPage->IsKindOf(RUNTIME_CLASS(CMatStyleSolid24Page)), !c.bPaletted);
        if (c.bPaletted)
        {
            auto* pPaletted = static_cast<CMatStyleSolidPalettedPage*>(pPage);
            EXPECT_EQ(pPaletted->GetPalIdx(), 5);
            EXPECT_EQ(pPaletted->GetInitialPalIdx(), 5);
            EXPECT_EQ(pPaletted->GetColorMode(), c.eMode);
        }
        solid.ReleaseSettingsPage(pPage, false);

        CMatStyleColorWheel wheel;
        wheel.SetColorMode(c.eMode);
        pPage = wheel.GetSettingsPage(m_pParent, m_rcPage);
        ASSERT_NE(pPage, nullptr);
        EXPECT_EQ(pPage->IsKindOf(RUNTIME_CLASS(CMatStyleSolidPalettedPage)), c.bPaletted);
        EXPECT_EQ(pPage->IsKindOf(RUNTIME_CLASS(CMatStyleColorWheelPage)), !c.bPaletted);
        wheel.ReleaseSettingsPage(pPage, false);
    }
    // Each style asked in mode 0 only, the greyscale question first and the
    // palette question only when the first said no.
    const std::vector<std::wstring> expected = {
        L"greyscale asked", L"palette asked",   L"greyscale asked", L"palette asked",   L"greyscale asked",
        L"greyscale asked", L"greyscale asked", L"palette asked",   L"greyscale asked", L"palette asked"};
    std::vector<std::wstring> questions;
    for (const std::wstring& line : HostLog())
        if (line.find(L"asked") != std::wstring::npos)
            questions.push_back(line);
    EXPECT_EQ(questions, expected);
}

TEST_F(SolidStyleTest, PagesGetTheStyleFlagsAndReleaseAppliesOnlyWhenAsked)
{
    CMatStyleSolid solid;
    solid.m_clrColor = 0x00112233;
    solid.DisableColorMatching(true);
    CMatPropertiesPage* pPage = solid.GetSettingsPage(m_pParent, m_rcPage);
    auto* p24 = static_cast<CMatStyleSolid24Page*>(pPage);
    EXPECT_EQ(p24->GetColor(), 0x00112233u);
    EXPECT_FALSE(p24->IsColorMatching());
    HWND hPage = pPage->GetSafeHwnd();
    p24->SetColor(0x00445566);
    solid.ReleaseSettingsPage(pPage, false);
    EXPECT_FALSE(IsWindow(hPage));
    EXPECT_EQ(solid.m_clrColor, 0x00112233u);

    pPage = solid.GetSettingsPage(m_pParent, m_rcPage);
    static_cast<CMatStyleSolid24Page*>(pPage)->SetColor(0x00445566);
    solid.ReleaseSettingsPage(pPage, true);
    EXPECT_EQ(solid.m_clrColor, 0x00445566u);
    EXPECT_EQ(solid.GetPalIdx(), -1);

    solid.SetColorMode(COLOR_MODE_VGA16);
    solid.SetPalIdx(3);
    pPage = solid.GetSettingsPage(m_pParent, m_rcPage);
    auto* pPaletted = static_cast<CMatStyleSolidPalettedPage*>(pPage);
    pPaletted->SetColor(0x00800000);
    pPaletted->SetPalIdx(9);
    solid.ReleaseSettingsPage(pPage, false);
    EXPECT_EQ(solid.m_clrColor, 0x00445566u);
    EXPECT_EQ(solid.GetPalIdx(), 3);
    pPage = solid.GetSettingsPage(m_pParent, m_rcPage);
    pPaletted = static_cast<CMatStyleSolidPalettedPage*>(pPage);
    pPaletted->SetColor(0x00800000);
    pPaletted->SetPalIdx(9);
    solid.ReleaseSettingsPage(pPage, true);
    EXPECT_EQ(solid.m_clrColor, 0x00800000u);
    EXPECT_EQ(solid.GetPalIdx(), 9);

    // A page of another class changes nothing but is still destroyed.
    auto* pOther = new CMatStyleGradientPage(nullptr);
    ASSERT_NE(pOther->CreateAsChild(m_rcPage, m_pParent), 0);
    hPage = pOther->GetSafeHwnd();
    solid.ReleaseSettingsPage(pOther, true);
    EXPECT_FALSE(IsWindow(hPage));
    EXPECT_EQ(solid.m_clrColor, 0x00800000u);
    EXPECT_EQ(solid.GetPalIdx(), 9);
    solid.ReleaseSettingsPage(nullptr, true);
}

TEST_F(SolidStyleTest, ColourWheelHandsItsFlagsToThePageAndCopiesThem)
{
    CMatStyleColorWheel wheel;
    EXPECT_EQ(wheel.m_eStyle, MATERIAL_STYLE_SOLID);
    EXPECT_TRUE(wheel.m_bCurrent);
    EXPECT_FALSE(wheel.m_bWheelFlag);
    EXPECT_EQ(wheel.GetTTText(), CString(L"Solid tip"));
    EXPECT_EQ(wheel.GetName(), CString(L"Color"));

    wheel.m_bWheelFlag = true;
    wheel.DisableColorMatching(true);
    wheel.m_clrColor = 0x00010203;
    CMatPropertiesPage* pPage = wheel.GetSettingsPage(m_pParent, m_rcPage);
    auto* pWheelPage = static_cast<CMatStyleColorWheelPage*>(pPage);
    EXPECT_TRUE(pWheelPage->GetWheelFlag());
    EXPECT_EQ(pWheelPage->GetSwatchFilter(), 128);
    EXPECT_FALSE(pWheelPage->IsColorMatching());
    EXPECT_EQ(pWheelPage->GetColor(), 0x00010203u);
    pWheelPage->SetColor(0x00F0E0D0);
    wheel.ReleaseSettingsPage(pPage, true);
    EXPECT_EQ(wheel.m_clrColor, 0x00F0E0D0u);

    CMatStyleColorWheel copy(wheel);
    EXPECT_TRUE(copy.m_bWheelFlag);
    EXPECT_FALSE(copy.m_bColorMatching);
    EXPECT_EQ(copy.m_clrColor, 0x00F0E0D0u);
    CMatStyleColorWheel assigned;
    assigned = wheel;
    EXPECT_TRUE(assigned.m_bWheelFlag);
    EXPECT_EQ(assigned.m_strTTText, CString(L"Solid tip"));

    // In a paletted mode the wheel opens the paletted page, which applies
    // colour and index.
    wheel.SetColorMode(COLOR_MODE_BLACK_WHITE);
    pPage = wheel.GetSettingsPage(m_pParent, m_rcPage);
    ASSERT_TRUE(pPage->IsKindOf(RUNTIME_CLASS(CMatStyleSolidPalettedPage)));
    static_cast<CMatStyleSolidPalettedPage*>(pPage)->SetColor(0x00FFFFFF);
    static_cast<CMatStyleSolidPalettedPage*>(pPage)->SetPalIdx(1);
    wheel.ReleaseSettingsPage(pPage, true);
    EXPECT_EQ(wheel.m_clrColor, 0x00FFFFFFu);
    EXPECT_EQ(wheel.GetPalIdx(), 1);
}
