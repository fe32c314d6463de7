// The stand-alone material sample: where it sits, what it paints (the
// rendered material, the "none" sign, borders, the focus rectangle), what it
// tells its parent, its delayed tooltip and the references it holds.
#include "Dc.h"
#include "FakeHostServices.h"
#include "Input.h"
#include "MGLModel.h"
#include "MaterialSampleWnd.h"
#include "MirnMaterialPalette.h"
#include "Modules.h"
#include "Utf8.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

namespace
{
constexpr UINT kPlaceholder = 15203;
constexpr COLORREF kFace = RGB(240, 240, 240);      // COLOR_BTNFACE
constexpr COLORREF kShadow = RGB(160, 160, 160);    // COLOR_BTNSHADOW
constexpr COLORREF kHighlight = RGB(255, 255, 255); // COLOR_BTNHIGHLIGHT
// (4 x 240 + 0) / 5 per channel, the face mixed with black button text.
constexpr COLORREF kOutline = RGB(192, 192, 192);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// What the engine was asked to render, newest last.
std::vector<RECT>& EngineCalls()
{
    static std::vector<RECT> s_calls;
    return s_calls;
}

// Renders a material as two halves, its solid colour on the left and green
// on the right, so that a rendering can be told from a plain fill.
class CHalvesEngine : public CMGLMGDIRenderEngine
{
public:
    void Configure(CErrorAutoThrow& error, int, bool) override { error = MIRN_ERR_NONE; }
    void RenderMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial, CDC& dc, const RECT& rect) override
    {
        EngineCalls().push_back(rect);
        dc.FillSolidRect(&rect, pMaterial->GetSolidColor());
        RECT rcRight = rect;
        rcRight.left = (rect.left + rect.right) / 2;
        dc.FillSolidRect(&rcRight, kGreen);
        error = MIRN_ERR_NONE;
    }
};

class CHalvesContextBase : public CFakeExecutionContextBase
{
public:
    CMGLMGDIRenderEngine* CreateRenderEngine(CErrorAutoThrow&, int) override { return new CHalvesEngine(); }
};
using CHalvesContext = TLoggingUnknown<CHalvesContextBase>;

CComPtr<IMGLMaterial> MakeMaterial(int nStyle, COLORREF clrColor)
{
    CComPtr<IMGLMaterial> pMaterial;
    pMaterial.Attach(new CMGLMaterial());
    CErrorAutoThrow error;
    pMaterial->SetStyle(error, nStyle);
    pMaterial->SetSolidColor(error, clrColor);
    return pMaterial;
}

ULONG RefsOf(IMGLMaterial* pMaterial)
{
    return static_cast<CMGLMaterial*>(pMaterial)->GetRefCount();
}

class MaterialSampleWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        HeadlessReset();
        CMirnMaterialPalette::DeleteSingleton();
        RecordedMessages().clear();
        EngineCalls().clear();
        m_nLiveAtStart = LiveMGLObjectCount();
        m_pApp = new CFakeAppContext(L"app");
        m_pExec = new CHalvesContext(L"exec");
        ASSERT_EQ(TSingleton<CMirnMaterialPalette>::Instance()->Initialize(m_pApp, m_pExec, nullptr, nullptr),
                  MIRN_ERR_NONE);
        // A borderless dialog at the screen's origin: client, window and
        // surface coordinates of the parent coincide.
        m_hParent = CreateWindowExW(0, RecordingClass(), L"Dialog", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                                    nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hParent, nullptr);
        m_pParent = CWnd::FromHandle(m_hParent);
        m_hBefore = MakeChild(L"BUTTON", 1, CRect(0, 0, 10, 10));
        m_hPlaceholder = MakeChild(L"STATIC", kPlaceholder, CRect(20, 30, 81, 91));
        m_hAfter = MakeChild(L"BUTTON", 2, CRect(100, 0, 110, 10));
    }
    void TearDown() override
    {
        m_sample.DestroyWindow();
        m_sample.SetMaterial(nullptr);
        DestroyWindow(m_hParent);
        CMirnMaterialPalette::DeleteSingleton();
        m_pApp->Release();
        m_pExec->Release();
        HeadlessReset();
        EXPECT_EQ(LiveMGLObjectCount(), m_nLiveAtStart);
    }

    HWND MakeChild(LPCWSTR pszClass, UINT nId, const CRect& rc)
    {
        return CreateWindowExW(0, pszClass, L"", WS_CHILD | WS_VISIBLE, rc.left, rc.top, rc.Width(),
                               rc.Height(), m_hParent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)),
                               nullptr, nullptr);
    }
    // A palette without a render engine.
    void UseNoEngine()
    {
        CMirnMaterialPalette::DeleteSingleton();
        ASSERT_EQ(TSingleton<CMirnMaterialPalette>::Instance()->Initialize(m_pApp, nullptr, nullptr, nullptr),
                  MIRN_ERR_NONE);
        ASSERT_EQ(CMirnMaterialPalette::Instance()->GetRenderEngine(), nullptr);
    }
    void CreateSample(bool bShowTooltip = true, bool bUseCursor = false)
    {
        ASSERT_TRUE(m_sample.Create(kPlaceholder, m_pParent, bShowTooltip, bUseCursor));
    }
    // Paints what is due, then reads a pixel of the sample's client area.
    COLORREF PixelAt(int x, int y)
    {
        PumpMessages();
        m_sample.UpdateWindow();
        HDC hdc = GetDC(m_sample.GetSafeHwnd());
        const COLORREF clr = GetPixel(hdc, x, y);
        ReleaseDC(m_sample.GetSafeHwnd(), hdc);
        return clr;
    }
    CPoint SampleCentre() const
    {
        CRect rc;
        m_sample.GetWindowRect(&rc);
        return rc.CenterPoint();
    }
    std::vector<SRecordedMessage> Commands() { return MessagesTo(m_hParent, WM_COMMAND); }

    CFakeAppContext* m_pApp = nullptr;
    CHalvesContext* m_pExec = nullptr;
    HWND m_hParent = nullptr;
    CWnd* m_pParent = nullptr;
    HWND m_hBefore = nullptr;
    HWND m_hPlaceholder = nullptr;
    HWND m_hAfter = nullptr;
    int m_nLiveAtStart = 0;
    CMaterialSampleWnd m_sample;
};
} // namespace

TEST(MaterialSampleGeometry, TheNoneSignIsCentredWithAThirdOfTheHeightAsRadius)
{
    // 61 x 61: centre (30.5, 30.5), radius 20.3333; cos 2.359425 = -0.709387
    // and sin 2.359425 = 0.704819 put the stroke's ends 14.4242 left and
    // 14.3313 down of the centre, and as far the other way.
    const SNoneSignGeometry sign = NoneSignGeometry(61, 61);
    EXPECT_DOUBLE_EQ(sign.dCenterX, 30.5);
    EXPECT_DOUBLE_EQ(sign.dCenterY, 30.5);
    EXPECT_NEAR(sign.dRadius, 20.3333, 1e-4);
    EXPECT_NEAR(sign.dStrokeX1, 16.0758, 1e-4);
    EXPECT_NEAR(sign.dStrokeY1, 44.8313, 1e-4);
    EXPECT_NEAR(sign.dStrokeX2, 44.9242, 1e-4);
    EXPECT_NEAR(sign.dStrokeY2, 16.1687, 1e-4);

    // A wide sample keeps the circle to the height.
    const SNoneSignGeometry wide = NoneSignGeometry(120, 30);
    EXPECT_DOUBLE_EQ(wide.dCenterX, 60.0);
    EXPECT_DOUBLE_EQ(wide.dCenterY, 15.0);
    EXPECT_DOUBLE_EQ(wide.dRadius, 10.0);

    // An empty area makes a point, not a negative circle.
    const SNoneSignGeometry none = NoneSignGeometry(-4, -9);
    EXPECT_DOUBLE_EQ(none.dRadius, 0.0);
    EXPECT_DOUBLE_EQ(none.dStrokeX1, none.dStrokeX2);
}

TEST(MaterialSampleGeometry, TheOutlineIsFourPartsFaceToOnePartText)
{
    EXPECT_EQ(NoneSignOutlineColor(RGB(240, 240, 240), RGB(0, 0, 0)), RGB(192, 192, 192));
    // (800 + 50) / 5, (400 + 100) / 5, (200 + 200) / 5.
    EXPECT_EQ(NoneSignOutlineColor(RGB(200, 100, 50), RGB(50, 100, 200)), RGB(170, 100, 80));
    // 4 x 255 + 255 does not fit a byte on the way; the mix still is 255.
    EXPECT_EQ(NoneSignOutlineColor(RGB(255, 255, 255), RGB(255, 255, 255)), RGB(255, 255, 255));
    // (4 x 1 + 3) / 5 = 1, rounding down.
    EXPECT_EQ(NoneSignOutlineColor(RGB(1, 0, 0), RGB(3, 4, 0)), RGB(1, 0, 0));
}

TEST_F(MaterialSampleWndTest, TheSampleTakesThePlaceholdersPlaceIdentifierAndTabOrder)
{
    CreateSample();
    EXPECT_FALSE(IsWindow(m_hPlaceholder));
    EXPECT_EQ(::GetDlgItem(m_hParent, kPlaceholder), m_sample.GetSafeHwnd());
    CRect rc;
    m_sample.GetWindowRect(&rc);
    m_pParent->ScreenToClient(&rc);
    EXPECT_EQ(rc, CRect(20, 30, 81, 91));
    const DWORD dwStyle = m_sample.GetStyle();
    EXPECT_EQ(dwStyle & (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP),
              static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP));
    EXPECT_EQ(::GetWindow(m_hBefore, GW_HWNDNEXT), m_sample.GetSafeHwnd());
    EXPECT_EQ(::GetWindow(m_sample.GetSafeHwnd(), GW_HWNDNEXT), m_hAfter);

    // Without its placeholder, or without a parent, nothing is made.
    CMaterialSampleWnd second;
    EXPECT_FALSE(second.Create(15999, m_pParent, false, false));
    EXPECT_FALSE(second.Create(1, nullptr, false, false));
    EXPECT_TRUE(IsWindow(m_hBefore));
    EXPECT_EQ(second.GetSafeHwnd(), nullptr);
}

TEST_F(MaterialSampleWndTest, ADisabledSampleShowsTheNoneSignWhateverItsMaterial)
{
    CreateSample();
    m_sample.SetMaterial(MakeMaterial(1, RGB(200, 0, 0)));
    m_sample.EnableWindow(FALSE);

    // The client area is 61 x 61: the sign is centred on pixel (30, 30).
    EXPECT_EQ(PixelAt(30, 30), kOutline) << "the centre lies on the stroke";
    // Up and right along the stroke (10 pixels each way is 0.05 pixel off its
    // middle line), and down and left.
    EXPECT_EQ(PixelAt(40, 20), kOutline);
    EXPECT_EQ(PixelAt(20, 40), kOutline);
    // On the circle's outline, right of the centre (20.33 pixels away).
    EXPECT_EQ(PixelAt(50, 30), kOutline);
    // Inside the circle, off the stroke: the button face fill.
    EXPECT_EQ(PixelAt(30, 40), kFace);
    // The other diagonal is clear: the stroke goes one way only.
    EXPECT_EQ(PixelAt(40, 40), kFace);
    // Outside the circle: the background.
    EXPECT_EQ(PixelAt(55, 30), kFace);
    EXPECT_EQ(PixelAt(4, 4), kFace);
    // The border stays.
    EXPECT_EQ(PixelAt(0, 0), kShadow);
    EXPECT_EQ(PixelAt(60, 60), kHighlight);

    // Enabled again, the material shows.
    m_sample.EnableWindow(TRUE);
    EXPECT_EQ(PixelAt(10, 30), RGB(200, 0, 0));
    EXPECT_EQ(PixelAt(20, 40), RGB(200, 0, 0));
    EXPECT_EQ(PixelAt(40, 20), kGreen);
}

TEST_F(MaterialSampleWndTest, TheBorderIsASunkenEdgeOrThatManyHighlightFrames)
{
    CreateSample();
    m_sample.SetMaterial(MakeMaterial(1, RGB(10, 20, 30)));
    // Shadow along the top and left, highlight along the bottom and right,
    // which also takes the top-right and bottom-left corners.
    EXPECT_EQ(PixelAt(0, 0), kShadow);
    EXPECT_EQ(PixelAt(20, 0), kShadow);
    EXPECT_EQ(PixelAt(0, 59), kShadow);
    EXPECT_EQ(PixelAt(60, 0), kHighlight);
    EXPECT_EQ(PixelAt(0, 60), kHighlight);
    EXPECT_EQ(PixelAt(60, 30), kHighlight);
    EXPECT_EQ(PixelAt(20, 60), kHighlight);
    EXPECT_EQ(PixelAt(1, 1), RGB(10, 20, 30)) << "the material starts inside the edge";

    m_sample.SetBorderCount(2);
    EXPECT_EQ(m_sample.GetBorderCount(), 2);
    EXPECT_EQ(PixelAt(0, 0), kHighlight);
    EXPECT_EQ(PixelAt(1, 1), kHighlight);
    EXPECT_EQ(PixelAt(1, 30), kHighlight);
    EXPECT_EQ(PixelAt(59, 59), kHighlight);
    EXPECT_EQ(PixelAt(2, 2), RGB(10, 20, 30));
    EXPECT_EQ(PixelAt(58, 58), kGreen) << "the right half of the rendering";

    m_sample.SetBorderCount(-3);
    EXPECT_EQ(m_sample.GetBorderCount(), 0);
    EXPECT_EQ(PixelAt(0, 0), kShadow);

    m_sample.SetDrawBorder(false);
    EXPECT_EQ(PixelAt(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(PixelAt(60, 0), kGreen);
}

TEST_F(MaterialSampleWndTest, AnEnabledSampleShowsTheRenderingOfTheClientSize)
{
    CreateSample();
    m_sample.SetMaterial(MakeMaterial(1, RGB(10, 20, 30)));
    ASSERT_EQ(EngineCalls().size(), 1u);
    EXPECT_EQ(CRect(EngineCalls().back()), CRect(0, 0, 61, 61));
    EXPECT_TRUE(m_sample.IsSolidColor());
    EXPECT_EQ(m_sample.GetSolidColor(), RGB(10, 20, 30));
    // The engine's halves split at x = 30.
    EXPECT_EQ(PixelAt(10, 30), RGB(10, 20, 30));
    EXPECT_EQ(PixelAt(29, 30), RGB(10, 20, 30));
    EXPECT_EQ(PixelAt(30, 30), kGreen);
    EXPECT_EQ(PixelAt(50, 50), kGreen);
    // Painting again does not render again.
    m_sample.Invalidate();
    PixelAt(10, 10);
    EXPECT_EQ(EngineCalls().size(), 1u);

    // A new size renders again at that size.
    m_sample.SetWindowPos(nullptr, 0, 0, 81, 41, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_EQ(EngineCalls().size(), 2u);
    EXPECT_EQ(CRect(EngineCalls().back()), CRect(0, 0, 81, 41));
    EXPECT_EQ(PixelAt(39, 20), RGB(10, 20, 30));
    EXPECT_EQ(PixelAt(40, 20), kGreen);

    // Without a material the sample shows its background.
    m_sample.SetMaterial(nullptr);
    EXPECT_FALSE(m_sample.IsSolidColor());
    EXPECT_EQ(PixelAt(10, 20), kFace);
}

TEST_F(MaterialSampleWndTest, WithoutAnEngineASolidShowsItsColourAndOthersTheBackground)
{
    UseNoEngine();
    CreateSample();
    m_sample.SetMaterial(MakeMaterial(1, RGB(10, 20, 30)));
    EXPECT_EQ(PixelAt(10, 30), RGB(10, 20, 30));
    EXPECT_EQ(PixelAt(50, 30), RGB(10, 20, 30)) << "the whole sample, not a half";
    m_sample.SetMaterial(MakeMaterial(4, RGB(10, 20, 30)));
    EXPECT_FALSE(m_sample.IsSolidColor());
    EXPECT_EQ(PixelAt(10, 30), kFace);
    EXPECT_EQ(PixelAt(50, 30), kFace);
}

TEST_F(MaterialSampleWndTest, AFocusedSampleHasAFocusRectangleTwoPixelsIn)
{
    CreateSample();
    m_sample.SetMaterial(MakeMaterial(1, RGB(10, 20, 30)));
    m_sample.SetFocus();
    // The frame inverts every other pixel by surface position; the sample's
    // origin (20, 30) is even, so client pixels with an even x + y invert.
    const COLORREF clrInverted = RGB(245, 235, 225);
    EXPECT_EQ(PixelAt(2, 2), clrInverted);
    EXPECT_EQ(PixelAt(3, 2), RGB(10, 20, 30));
    EXPECT_EQ(PixelAt(4, 2), clrInverted);
    EXPECT_EQ(PixelAt(2, 10), clrInverted);
    EXPECT_EQ(PixelAt(3, 3), RGB(10, 20, 30)) << "only the frame";
    EXPECT_EQ(PixelAt(1, 1), RGB(10, 20, 30)) << "inside the border";
    // (58, 30): x + y = 88, even, on the right side of the frame; green there.
    EXPECT_EQ(PixelAt(58, 30), RGB(255, 0, 255));

    ::SetFocus(m_hParent);
    EXPECT_EQ(PixelAt(2, 2), RGB(10, 20, 30));
    m_sample.SetFocus();
    m_sample.SetDrawFocus(false);
    EXPECT_EQ(PixelAt(2, 2), RGB(10, 20, 30));
}

TEST_F(MaterialSampleWndTest, AClickOrSpacePostsACommandToTheParent)
{
    CreateSample();
    InjectClick(SampleCentre());
    PumpMessages();
    auto commands = Commands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(kPlaceholder, BN_CLICKED));
    EXPECT_EQ(commands[0].lParam, reinterpret_cast<LPARAM>(m_sample.GetSafeHwnd()));

    // Posted, not sent: nothing arrives before the loop runs.
    RecordedMessages().clear();
    m_sample.SetFocus();
    m_sample.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(Commands().empty());
    PumpMessages();
    commands = Commands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(kPlaceholder, BN_CLICKED));

    // Other keys, and a press taken outside before release, post nothing.
    RecordedMessages().clear();
    InjectKeyPress(VK_RETURN);
    InjectKeyPress('A');
    PumpMessages();
    InjectDrag(SampleCentre(), CPoint(200, 150));
    PumpMessages();
    EXPECT_TRUE(Commands().empty());

    // A disabled sample takes no clicks.
    m_sample.EnableWindow(FALSE);
    InjectClick(SampleCentre());
    PumpMessages();
    EXPECT_TRUE(Commands().empty());
}

TEST_F(MaterialSampleWndTest, CallsAfterTheWindowWentAreHarmless)
{
    CreateSample();
    m_sample.SetMaterial(MakeMaterial(1, RGB(1, 2, 3)));
    const HWND hSample = m_sample.GetSafeHwnd();
    DestroyWindow(m_hParent);
    EXPECT_FALSE(IsWindow(hSample));
    EXPECT_EQ(m_sample.GetSafeHwnd(), nullptr);
    // Messages to the gone window are dropped; calls on the object are safe.
    ::PostMessageW(hSample, WM_KEYDOWN, VK_SPACE, 0);
    PumpMessages();
    m_sample.SetMaterial(MakeMaterial(4, 0));
    m_sample.UpdateTTText();
    EXPECT_EQ(m_sample.GetTTText(), CString(L"Gradient"));
}

TEST_F(MaterialSampleWndTest, ASolidMaterialGetsAColourTooltipAfterTheDelayUntilItPops)
{
    CreateSample();
    m_sample.SetMaterial(MakeMaterial(1, RGB(10, 20, 30)));
    EXPECT_EQ(m_sample.GetTTText(), CString(L"Color: R: 10  G: 20  B: 30"));
    InjectMouseMove(SampleCentre());
    PumpMessages();
    EXPECT_EQ(m_sample.GetToolTipTimer(), static_cast<UINT_PTR>(MATSAMPLE_TIMER_SHOW));
    EXPECT_FALSE(m_sample.GetToolTip().IsToolTipVisible());

    // The default double-click time, 500 ms, is the delay.
    AdvanceClock(499);
    EXPECT_FALSE(m_sample.GetToolTip().IsToolTipVisible());
    AdvanceClock(1);
    ASSERT_TRUE(m_sample.GetToolTip().IsToolTipVisible());
    EXPECT_TRUE(m_sample.GetToolTip().IsColorToolTip());
    EXPECT_EQ(m_sample.GetToolTip().GetToolTipColor(), RGB(10, 20, 30));
    EXPECT_EQ(m_sample.GetToolTipTimer(), static_cast<UINT_PTR>(MATSAMPLE_TIMER_POP));

    // Moving inside keeps it; ten times the double-click time, 5000 ms, of
    // ticks keep it; the tick that passes that hides it.
    InjectMouseMove(SampleCentre() + CPoint(3, 3));
    PumpMessages();
    AdvanceClock(5000);
    EXPECT_TRUE(m_sample.GetToolTip().IsToolTipVisible());
    AdvanceClock(100);
    EXPECT_FALSE(m_sample.GetToolTip().IsToolTipVisible());
    EXPECT_EQ(m_sample.GetToolTipTimer(), 0u);
    AdvanceClock(2000);
    EXPECT_FALSE(m_sample.GetToolTip().IsToolTipVisible()) << "it does not come back on its own";
}

TEST_F(MaterialSampleWndTest, TheTooltipGoesWhenThePointerLeavesOrTheSampleIsUsed)
{
    CreateSample();
    m_sample.SetMaterial(MakeMaterial(4, 0));
    InjectMouseMove(SampleCentre());
    PumpMessages();
    AdvanceClock(500);
    ASSERT_TRUE(m_sample.GetToolTip().IsToolTipVisible());
    EXPECT_FALSE(m_sample.GetToolTip().IsColorToolTip());
    EXPECT_EQ(m_sample.GetToolTip().GetToolTipText(), CString(L"Gradient"));

    // Out of the sample: gone at the next tick.
    InjectMouseMove({250, 150});
    PumpMessages();
    AdvanceClock(100);
    EXPECT_FALSE(m_sample.GetToolTip().IsToolTipVisible());
    EXPECT_EQ(m_sample.GetToolTipTimer(), 0u);

    // Leaving before the delay is over cancels it.
    InjectMouseMove(SampleCentre());
    PumpMessages();
    AdvanceClock(300);
    InjectMouseMove({250, 150});
    PumpMessages();
    AdvanceClock(1000);
    EXPECT_FALSE(m_sample.GetToolTip().IsToolTipVisible());

    // A click hides it at once.
    InjectMouseMove(SampleCentre());
    PumpMessages();
    AdvanceClock(500);
    ASSERT_TRUE(m_sample.GetToolTip().IsToolTipVisible());
    InjectMouseButton(EMouseButton::Left, true, SampleCentre());
    PumpMessages();
    EXPECT_FALSE(m_sample.GetToolTip().IsToolTipVisible());
    EXPECT_EQ(m_sample.GetToolTipTimer(), 0u);
    // Moving with the button held starts no new delay.
    InjectMouseMove(SampleCentre() + CPoint(2, 0));
    PumpMessages();
    AdvanceClock(1000);
    EXPECT_FALSE(m_sample.GetToolTip().IsToolTipVisible());
    InjectMouseButton(EMouseButton::Left, false, SampleCentre() + CPoint(2, 0));
    PumpMessages();

    // So does a key.
    m_sample.SetFocus();
    InjectMouseMove(SampleCentre());
    PumpMessages();
    AdvanceClock(500);
    ASSERT_TRUE(m_sample.GetToolTip().IsToolTipVisible());
    InjectKeyPress(VK_SHIFT);
    PumpMessages();
    EXPECT_FALSE(m_sample.GetToolTip().IsToolTipVisible());

    // A new material on show changes the tip.
    InjectMouseMove(SampleCentre() + CPoint(1, 1));
    PumpMessages();
    AdvanceClock(500);
    ASSERT_TRUE(m_sample.GetToolTip().IsToolTipVisible());
    m_sample.SetMaterial(MakeMaterial(1, RGB(0, 128, 255)));
    EXPECT_TRUE(m_sample.GetToolTip().IsColorToolTip());
    EXPECT_EQ(m_sample.GetToolTip().GetToolTipColor(), RGB(0, 128, 255));
}

TEST_F(MaterialSampleWndTest, ASampleWithoutTooltipsStartsNoTimer)
{
    CreateSample(false);
    m_sample.SetMaterial(MakeMaterial(1, RGB(10, 20, 30)));
    InjectMouseMove(SampleCentre());
    PumpMessages();
    EXPECT_EQ(m_sample.GetToolTipTimer(), 0u);
    AdvanceClock(1000);
    EXPECT_FALSE(m_sample.GetToolTip().IsToolTipVisible());
}

TEST_F(MaterialSampleWndTest, TheSampleHoldsOneReferenceOnItsMaterial)
{
    CComPtr<IMGLMaterial> pFirst = MakeMaterial(1, RGB(1, 2, 3));
    CComPtr<IMGLMaterial> pSecond = MakeMaterial(4, 0);
    {
        CMaterialSampleWnd sample;
        ASSERT_TRUE(sample.Create(kPlaceholder, m_pParent, true, false));
        sample.SetMaterial(pFirst);
        EXPECT_EQ(RefsOf(pFirst), 2u);
        sample.SetMaterial(pFirst);
        EXPECT_EQ(RefsOf(pFirst), 2u) << "the same material is held once";

        CComPtr<IMGLMaterial> pGot;
        sample.GetMaterial(pGot);
        EXPECT_EQ(pGot.p, pFirst.p);
        EXPECT_EQ(RefsOf(pFirst), 3u) << "the caller gets a reference of its own";
        pGot.Release();
        EXPECT_EQ(RefsOf(pFirst), 2u);

        sample.SetMaterial(pSecond);
        EXPECT_EQ(RefsOf(pFirst), 1u);
        EXPECT_EQ(RefsOf(pSecond), 2u);
        sample.SetMaterial(nullptr);
        EXPECT_EQ(RefsOf(pSecond), 1u);
        sample.GetMaterial(pGot);
        EXPECT_EQ(pGot.p, nullptr);

        sample.SetMaterial(pSecond);
        EXPECT_EQ(RefsOf(pSecond), 2u);
    }
    EXPECT_EQ(RefsOf(pSecond), 1u) << "given back when the sample goes";
}

TEST_F(MaterialSampleWndTest, TheSamplingCursorShowsOnlyWhenAskedFor)
{
    const std::wstring strPath = Utf8ToWide(RESOURCE_MODULE_FOLDER) + L"\\VornMaterialPaletteRC.DLL";
    HMODULE hModule = LoadLibraryW(strPath.c_str());
    ASSERT_NE(hModule, nullptr);
    {
        CDynLinkLibrary link(hModule, hModule);
        const HCURSOR hSampling = LoadCursorW(hModule, MAKEINTRESOURCEW(15901));
        ASSERT_NE(hSampling, nullptr);
        const HCURSOR hArrow = LoadCursorW(nullptr, IDC_ARROW);

        CreateSample(false, true);
        InjectMouseMove(SampleCentre());
        PumpMessages();
        EXPECT_EQ(GetCursor(), hSampling);

        m_sample.DestroyWindow();
        MakeChild(L"STATIC", kPlaceholder, CRect(20, 30, 81, 91));
        CreateSample(false, false);
        InjectMouseMove(SampleCentre());
        PumpMessages();
        EXPECT_EQ(GetCursor(), hArrow);
    }
    FreeLibrary(hModule);
}
