// The material control: registering styles and a texture, taking the place
// of its placeholder, and what it posts to the pane for each user action.
#include "Input.h"
#include "MatStyleGradient.h"
#include "MatStyleSolid.h"
#include "MaterialControl.h"
#include "PaneMessages.h"
#include "Responder.h"
#include "StyleTestSupport.h"

#include <vector>

using namespace style_test;

namespace
{
constexpr UINT kPlaceholder = 15242;

class MaterialControlTest : public StyleTest
{
protected:
    void SetUp() override
    {
        StyleTest::SetUp();
        m_hPlaceholder =
            CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 20, 30, 80, 60, m_hParent,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kPlaceholder)), nullptr, nullptr);
        ASSERT_NE(m_hPlaceholder, nullptr);
    }
    void TearDown() override
    {
        m_control.DestroyWindow();
        StyleTest::TearDown();
    }

    // The pane messages the parent was posted, as (message, wParam, lParam).
    std::vector<std::tuple<UINT, WPARAM, LPARAM>> Posted()
    {
        std::vector<std::tuple<UINT, WPARAM, LPARAM>> out;
        for (const SRecordedMessage& m : MessagesTo(m_hParent))
        {
            if (m.nMessage >= 0x8099 && m.nMessage <= 0x80A8)
                out.emplace_back(m.nMessage, m.wParam, m.lParam);
        }
        return out;
    }
    void ClickChild(int nId)
    {
        CRect rc;
        ::GetWindowRect(::GetDlgItem(m_control.GetSafeHwnd(), nId), &rc);
        InjectClick(rc.CenterPoint());
        PumpMessages();
    }

    HWND m_hPlaceholder = nullptr;
    CMaterialControl m_control;
    CMatStyleSolid m_solid;
    CMatStyleSolid m_secondSolid;
    CMatStyleGradient m_gradient;
    CMatStyleGradient m_secondGradient;
};
} // namespace

TEST_F(MaterialControlTest, TheControlTakesThePlaceholdersPlaceWithItsChildren)
{
    ASSERT_TRUE(m_control.Create(101, kPlaceholder, m_pParent, L"Foreground", false, false));
    EXPECT_FALSE(IsWindow(m_hPlaceholder));
    EXPECT_EQ(::GetDlgItem(m_hParent, 101), m_control.GetSafeHwnd());
    CRect rc;
    m_control.GetWindowRect(&rc);
    m_pParent->ScreenToClient(&rc);
    EXPECT_EQ(rc, CRect(20, 30, 100, 90));

    // A column of 18-pixel buttons, a third of (60 - 1) high each, and the
    // sample to their right less 1 on every side.
    CRect rcChild;
    ::GetWindowRect(::GetDlgItem(m_control.GetSafeHwnd(), IDC_MATCTRL_TEXTURE_BUTTON), &rcChild);
    m_control.ScreenToClient(&rcChild);
    EXPECT_EQ(rcChild, CRect(0, 19, 18, 38));
    ::GetWindowRect(::GetDlgItem(m_control.GetSafeHwnd(), IDC_MATCTRL_SAMPLE), &rcChild);
    m_control.ScreenToClient(&rcChild);
    EXPECT_EQ(rcChild, CRect(19, 1, 79, 59));
    EXPECT_FALSE(m_control.Create(102, kPlaceholder, m_pParent, L"Again", false, false))
        << "no placeholder left";
}

TEST_F(MaterialControlTest, RegistrationRefusesDuplicatesAndForeignStylesOfSolidOnlyControls)
{
    ASSERT_TRUE(m_control.Create(101, kPlaceholder, m_pParent, L"Foreground", false, false));
    EXPECT_EQ(m_control.RegisterStyle(nullptr, true), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(m_control.RegisterStyle(&m_gradient, true), MIRN_ERR_NONE);
    EXPECT_EQ(m_control.RegisterStyle(&m_secondGradient, true), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(m_control.GetStyles().size(), 1u);
    EXPECT_EQ(m_control.GetCurrIdx(), 0) << "the first style is current";
    EXPECT_TRUE(m_gradient.m_bCurrent);

    CMatTexture texture;
    CMatTexture secondTexture;
    EXPECT_EQ(m_control.RegisterTexture(&texture), MIRN_ERR_NONE);
    EXPECT_EQ(m_control.RegisterTexture(&secondTexture), MIRN_ERR_NOT_FOUND);

    CMaterialControl solidOnly;
    CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 120, 30, 40, 40, m_hParent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(15246)), nullptr, nullptr);
    ASSERT_TRUE(solidOnly.Create(106, 15246, m_pParent, L"Foreground colour", true, false));
    EXPECT_EQ(solidOnly.RegisterStyle(&m_secondGradient, true), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(solidOnly.RegisterStyle(&m_solid, true), MIRN_ERR_NONE);
    EXPECT_EQ(solidOnly.RegisterStyle(&m_secondSolid, true), MIRN_ERR_NOT_FOUND);
    EXPECT_EQ(solidOnly.GetStyles().size(), 1u);

    // A solid-only control shows its style's colour and posts it when
    // clicked.
    m_solid.m_clrColor = RGB(1, 2, 3);
    solidOnly.UpdateSample(false);
    EXPECT_EQ(solidOnly.GetSolidColor(), RGB(1, 2, 3));
    RecordedMessages().clear();
    CRect rc;
    solidOnly.GetWindowRect(&rc);
    InjectClick(rc.CenterPoint());
    PumpMessages();
    EXPECT_EQ(Posted(),
              (std::vector<std::tuple<UINT, WPARAM, LPARAM>>{{WM_COLOR_CHANGE, 106, RGB(1, 2, 3)}}));
    solidOnly.DestroyWindow();
}

TEST_F(MaterialControlTest, TheStyleMenuPostsOnlyARealChange)
{
    ASSERT_TRUE(m_control.Create(101, kPlaceholder, m_pParent, L"Foreground", false, false));
    m_control.RegisterStyle(&m_solid, true);
    m_control.RegisterStyle(&m_gradient, true);
    RecordedMessages().clear();
    CResponder responder;
    responder.QueueMenuChoice(MATERIAL_STYLE_GRADIENT);
    ClickChild(IDC_MATCTRL_STYLE_BUTTON);
    EXPECT_EQ(Posted(), (std::vector<std::tuple<UINT, WPARAM, LPARAM>>{{WM_STYLE_CHANGE, 101, 1}}));
    EXPECT_EQ(m_control.GetCurrIdx(), 1);
    EXPECT_TRUE(m_gradient.m_bCurrent);
    EXPECT_FALSE(m_solid.m_bCurrent);

    RecordedMessages().clear();
    responder.QueueMenuChoice(MATERIAL_STYLE_GRADIENT);
    ClickChild(IDC_MATCTRL_STYLE_BUTTON);
    EXPECT_TRUE(Posted().empty());
}

TEST_F(MaterialControlTest, UsingADisabledMaterialEnablesItFirst)
{
    ASSERT_TRUE(m_control.Create(102, kPlaceholder, m_pParent, L"Background", false, false));
    m_control.RegisterStyle(&m_solid, true);
    m_control.RegisterStyle(&m_gradient, true);
    CMatTexture texture;
    m_control.RegisterTexture(&texture);

    // The enable button switches the material off and on.
    RecordedMessages().clear();
    ClickChild(IDC_MATCTRL_ENABLE_BUTTON);
    EXPECT_FALSE(m_control.IsMaterialEnabled());
    EXPECT_FALSE(m_control.Sample().IsWindowEnabled());
    EXPECT_EQ(Posted(), (std::vector<std::tuple<UINT, WPARAM, LPARAM>>{{WM_ENABLE_MATERIAL, 102, 0}}));

    // The texture button on a disabled material: enabled first, then the
    // texture change.
    RecordedMessages().clear();
    ClickChild(IDC_MATCTRL_TEXTURE_BUTTON);
    EXPECT_TRUE(m_control.IsMaterialEnabled());
    EXPECT_EQ(Posted(), (std::vector<std::tuple<UINT, WPARAM, LPARAM>>{{WM_ENABLE_MATERIAL, 102, 1},
                                                                       {WM_TEXTURE_CHANGE, 102, 1}}));

    // The style button likewise.
    m_control.EnableMaterial(false);
    RecordedMessages().clear();
    CResponder responder;
    responder.QueueMenuChoice(MATERIAL_STYLE_GRADIENT);
    ClickChild(IDC_MATCTRL_STYLE_BUTTON);
    EXPECT_EQ(Posted(), (std::vector<std::tuple<UINT, WPARAM, LPARAM>>{{WM_ENABLE_MATERIAL, 102, 1},
                                                                       {WM_STYLE_CHANGE, 102, 1}}));

    // The sample of a main control asks for the material.
    RecordedMessages().clear();
    ClickChild(IDC_MATCTRL_SAMPLE);
    EXPECT_EQ(Posted(), (std::vector<std::tuple<UINT, WPARAM, LPARAM>>{{WM_MATERIAL_CHANGE, 102, 0}}));
}
