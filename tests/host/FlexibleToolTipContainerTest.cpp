// The tooltip container: colour and text tips, where they stand, what they
// paint, that they never take the mouse or the focus, and the text that
// describes a material.
#include "HostControlTestSupport.h"

#include "FlexibleToolTipContainer.h"
#include "MGLModel.h"

#include <gtest/gtest.h>

namespace
{

class CFlexibleToolTipContainerTest : public CHostControlTest
{
protected:
    CRect TipRect() const
    {
        CRect rc;
        GetWindowRect(m_tip.GetSafeHwnd(), &rc);
        return rc;
    }
    CFlexibleToolTipContainer m_tip;
};

TEST_F(CFlexibleToolTipContainerTest, AColourTipShowsItsValuesAndASwatchBesideThePoint)
{
    ASSERT_TRUE(m_tip.Create(Parent()));
    EXPECT_FALSE(m_tip.IsToolTipVisible());
    const POINT pt{300, 300};
    m_tip.ShowToolTipColor(RGB(255, 128, 0), L"Dropper", -1, &pt);
    EXPECT_TRUE(m_tip.IsToolTipVisible());
    EXPECT_TRUE(m_tip.IsColorToolTip());
    EXPECT_EQ(m_tip.GetToolTipColor(), RGB(255, 128, 0));
    EXPECT_EQ(std::wstring(m_tip.GetToolTipText()), L"Dropper\nR: 255  G: 128  B: 0\n#FF8000");
    // 16 right of and 20 below the point at normal scale.
    EXPECT_EQ(TipRect().TopLeft(), CPoint(316, 320));

    const CRect rcSwatch = m_tip.GetSwatchRect();
    EXPECT_EQ(rcSwatch, CRect(4, 4, 28, 28));
    const SImage image = Print(m_tip.GetSafeHwnd());
    EXPECT_EQ(PixelOf(image, 16, 16), RGB(255, 128, 0));
    EXPECT_EQ(PixelOf(image, 4, 4), GetSysColor(COLOR_INFOTEXT));
    EXPECT_EQ(PixelOf(image, 0, 0), GetSysColor(COLOR_INFOTEXT));
    EXPECT_EQ(PixelOf(image, 2, 2), GetSysColor(COLOR_INFOBK));

    // With a palette index, and the alpha byte of a colour ignored.
    m_tip.ShowToolTipColor(0xFF0A0B0C, CString(), 7, &pt);
    EXPECT_EQ(std::wstring(m_tip.GetToolTipText()), L"R: 12  G: 11  B: 10\n#0C0B0A\nIndex: 7");

    m_tip.HideToolTip();
    EXPECT_FALSE(m_tip.IsToolTipVisible());
}

TEST_F(CFlexibleToolTipContainerTest, NearTheWorkAreasEdgesTheTipTurnsToTheOtherSide)
{
    // The work area is 1920 x 1040.
    const POINT pt{1910, 1030};
    m_tip.ShowToolTip(L"Corner", &pt);
    const CRect rc = TipRect();
    EXPECT_EQ(rc.right, 1906);
    EXPECT_EQ(rc.bottom, 1026);
    const POINT ptOrigin{0, 0};
    m_tip.ShowToolTip(L"Origin", &ptOrigin);
    EXPECT_EQ(TipRect().TopLeft(), CPoint(16, 20));
}

TEST_F(CFlexibleToolTipContainerTest, ATextTipFollowsThePointerAndLeavesFocusAndMouseAlone)
{
    SetFocus(m_hParent);
    InjectMouseMove(POINT{400, 350});
    PumpMessages();
    m_tip.ShowToolTip(L"Foreground\nGradient");
    EXPECT_FALSE(m_tip.IsColorToolTip());
    EXPECT_TRUE(m_tip.GetSwatchRect().IsRectEmpty());
    EXPECT_EQ(TipRect().TopLeft(), CPoint(416, 370));
    EXPECT_EQ(GetFocus(), m_hParent);
    // The two lines make it taller than one.
    EXPECT_GT(TipRect().Height(), 2 * 12);
    EXPECT_EQ(SendMessageW(m_tip.GetSafeHwnd(), WM_NCHITTEST, 0, MAKELPARAM(420, 380)),
              static_cast<LRESULT>(HTTRANSPARENT));
    // Shown with no owner given, the tip still works.
    EXPECT_TRUE(m_tip.IsToolTipVisible());
}

TEST_F(CFlexibleToolTipContainerTest, TheTipGoesWithItsOwnerAndComesBackWhenShownAgain)
{
    HWND hOwner = CreateTopLevel(RECT{50, 50, 150, 150});
    CWnd* pOwner = CWnd::FromHandle(hOwner);
    ASSERT_TRUE(m_tip.Create(pOwner));
    const POINT pt{60, 60};
    m_tip.ShowToolTip(L"Owned", &pt);
    EXPECT_EQ(GetWindow(m_tip.GetSafeHwnd(), GW_OWNER), hOwner);
    DestroyWindow(hOwner);
    EXPECT_EQ(m_tip.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(m_tip.IsToolTipVisible());
    m_tip.HideToolTip(); // nothing to hide: no harm
    m_tip.ShowToolTip(L"Again", &pt);
    EXPECT_TRUE(m_tip.IsToolTipVisible());
    EXPECT_EQ(GetWindow(m_tip.GetSafeHwnd(), GW_OWNER), nullptr);
}

CMGLObject* NamedSettings(LPCWSTR pszName)
{
    auto* pSettings = new CMGLObject(1);
    pSettings->SetCachedName(pszName);
    return pSettings;
}

TEST_F(CFlexibleToolTipContainerTest, AMaterialIsDescribedByItsKindColourOrNameAndTexture)
{
    EXPECT_EQ(std::wstring(CFlexibleToolTipContainer::GetMaterialToolTipString(nullptr)), L"No material");

    CErrorAutoThrow error;
    CComPtr<CMGLMaterial> pMaterial;
    pMaterial.Attach(new CMGLMaterial());
    pMaterial->SetSolidColor(error, RGB(10, 20, 30));
    EXPECT_EQ(std::wstring(CFlexibleToolTipContainer::GetMaterialToolTipString(pMaterial)),
              L"Color: R: 10  G: 20  B: 30");

    CComPtr<CMGLObject> pGradient;
    pGradient.Attach(NamedSettings(L"Rainbow"));
    pMaterial->SetStyle(error, 4);
    pMaterial->SetSettings(error, pGradient);
    EXPECT_EQ(std::wstring(CFlexibleToolTipContainer::GetMaterialToolTipString(pMaterial)),
              L"Gradient: Rainbow");

    CComPtr<CMGLObject> pTexture;
    pTexture.Attach(NamedSettings(L"Bricks"));
    pMaterial->SetTexture(error, pTexture);
    EXPECT_EQ(std::wstring(CFlexibleToolTipContainer::GetMaterialToolTipString(pMaterial)),
              L"Gradient: Rainbow\nTexture: Bricks");

    // An unsaved pattern has no name to show.
    CComPtr<CMGLObject> pPattern;
    pPattern.Attach(NamedSettings(L""));
    pMaterial->SetStyle(error, 2);
    pMaterial->SetSettings(error, pPattern);
    pMaterial->SetTexture(error, nullptr);
    EXPECT_EQ(std::wstring(CFlexibleToolTipContainer::GetMaterialToolTipString(pMaterial)), L"Pattern");
}

} // namespace
