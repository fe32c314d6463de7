// The material well: solid colours and rendered materials painted inside
// its frame, the switched-off look, clicks reported to the parent, and the
// references it holds on materials.
#include "HostControlTestSupport.h"

#include "Dc.h"
#include "MGLModel.h"
#include "MaterialWnd.h"

#include <gtest/gtest.h>

namespace
{

// Renders a material as two halves: its solid colour on the left, green on
// the right, so a copy of the rendering can be told from a plain fill.
class CHalvesEngine : public CMGLMGDIRenderEngine
{
public:
    void Configure(CErrorAutoThrow& error, int, bool) override { error = MIRN_ERR_NONE; }
    void RenderMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial, CDC& dc, const RECT& rect) override
    {
        ++m_nCalls;
        m_rcLast = rect;
        if (m_bFail)
        {
            error = MIRN_ERR_HOST_FAILURE;
            return;
        }
        dc.FillSolidRect(&rect, pMaterial->GetSolidColor());
        RECT rcRight = rect;
        rcRight.left = (rect.left + rect.right) / 2;
        dc.FillSolidRect(&rcRight, RGB(0, 255, 0));
        error = MIRN_ERR_NONE;
    }
    int m_nCalls = 0;
    RECT m_rcLast{};
    bool m_bFail = false;
};

CMGLMaterial* MakeMaterial(int nStyle, COLORREF clrColor)
{
    auto* pMaterial = new CMGLMaterial();
    CErrorAutoThrow error;
    pMaterial->SetStyle(error, nStyle);
    pMaterial->SetSolidColor(error, clrColor);
    return pMaterial;
}

class CMaterialWndTest : public CHostControlTest
{
protected:
    void SetUp() override
    {
        CHostControlTest::SetUp();
        // 32 x 32 at (10, 10): the well inside the frame is (1, 1) to (31, 31).
        ASSERT_TRUE(m_well.Create(WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 42, 42), Parent(), 104));
    }
    void TearDown() override
    {
        m_well.DestroyWindow();
        CHostControlTest::TearDown();
    }
    CMaterialWnd m_well;
};

TEST_F(CMaterialWndTest, ASolidColourFillsTheWellInsideItsFrame)
{
    m_well.SetSolidColor(RGB(10, 20, 30));
    EXPECT_EQ(m_well.GetSolidColor(), RGB(10, 20, 30));
    EXPECT_EQ(m_well.GetWellRect(), CRect(1, 1, 31, 31));
    const SImage image = Print(m_well.m_hWnd);
    EXPECT_EQ(PixelOf(image, 0, 0), Theme(XUI_COLOR_MATERIAL_FRAME));
    EXPECT_EQ(PixelOf(image, 31, 16), Theme(XUI_COLOR_MATERIAL_FRAME));
    EXPECT_EQ(PixelOf(image, 1, 1), RGB(10, 20, 30));
    EXPECT_EQ(PixelOf(image, 30, 30), RGB(10, 20, 30));
    EXPECT_EQ(PixelOf(image, 16, 16), RGB(10, 20, 30));
}

TEST_F(CMaterialWndTest, ADisabledWellShowsTheSwitchedOffSignWhateverItHolds)
{
    m_well.SetSolidColor(RGB(10, 20, 30));
    m_well.EnableWindow(FALSE);
    SImage image = Print(m_well.m_hWnd);
    // The corners away from the stroke show the empty well.
    EXPECT_EQ(PixelOf(image, 2, 2), Theme(XUI_COLOR_MATERIAL_BACKGROUND));
    EXPECT_EQ(PixelOf(image, 29, 29), Theme(XUI_COLOR_MATERIAL_BACKGROUND));
    // The stroke runs from (1, 30) to (30, 1): through the middle of the well.
    int nRed = 0;
    for (int y = 14; y <= 17; ++y)
    {
        for (int x = 14; x <= 17; ++x)
            nRed += PixelOf(image, x, y) == RGB(220, 0, 0) ? 1 : 0;
    }
    EXPECT_GE(nRed, 2);
    EXPECT_EQ(PixelOf(image, 0, 0), Theme(XUI_COLOR_MATERIAL_FRAME));

    m_well.EnableWindow(TRUE);
    image = Print(m_well.m_hWnd);
    EXPECT_EQ(PixelOf(image, 16, 16), RGB(10, 20, 30));
}

TEST_F(CMaterialWndTest, AClickInsideTellsTheParentAndOneTakenBackDoesNot)
{
    Click(m_well.m_hWnd, 16, 16);
    ASSERT_EQ(Commands(), (std::vector<std::pair<int, int>>{{104, BN_CLICKED}}));
    EXPECT_EQ(NoticesOf(WM_COMMAND)[0].lParam, reinterpret_cast<LPARAM>(m_well.m_hWnd));

    // Pressed inside, released outside.
    InjectDrag(OnScreen(m_well.m_hWnd, 16, 16), OnScreen(m_well.m_hWnd, 80, 80));
    PumpMessages();
    EXPECT_EQ(Commands().size(), 1u);
    EXPECT_EQ(GetCapture(), nullptr);

    // The space bar clicks a focused well.
    m_well.SetFocus();
    InjectKeyPress(VK_SPACE);
    PumpMessages();
    EXPECT_EQ(Commands().size(), 2u);

    // A disabled well hears nothing.
    m_well.EnableWindow(FALSE);
    Click(m_well.m_hWnd, 16, 16);
    EXPECT_EQ(Commands().size(), 2u);
}

TEST_F(CMaterialWndTest, AMaterialIsRenderedOnceAndCopiedIntoTheWell)
{
    CHalvesEngine engine;
    m_well.SetRenderEngine(&engine);
    CMGLMaterial* pMaterial = MakeMaterial(4, RGB(200, 0, 100));
    m_well.SetMaterial(pMaterial);
    EXPECT_TRUE(m_well.IsShowingMaterial());

    SImage image = Print(m_well.m_hWnd);
    EXPECT_EQ(engine.m_nCalls, 1);
    EXPECT_EQ(engine.m_rcLast.right, 30); // the well's size, from its own origin
    EXPECT_EQ(engine.m_rcLast.bottom, 30);
    // Left half (well x 1 to 15) the colour, right half (16 to 30) green.
    EXPECT_EQ(PixelOf(image, 1, 5), RGB(200, 0, 100));
    EXPECT_EQ(PixelOf(image, 15, 5), RGB(200, 0, 100));
    EXPECT_EQ(PixelOf(image, 16, 5), RGB(0, 255, 0));
    EXPECT_EQ(PixelOf(image, 30, 30), RGB(0, 255, 0));

    // Painting again reuses the rendering; a new size renders again.
    Print(m_well.m_hWnd);
    EXPECT_EQ(engine.m_nCalls, 1);
    m_well.SetWindowPos(nullptr, 0, 0, 22, 22, SWP_NOMOVE | SWP_NOZORDER);
    image = Print(m_well.m_hWnd);
    EXPECT_EQ(engine.m_nCalls, 2);
    EXPECT_EQ(PixelOf(image, 20, 20), RGB(0, 255, 0));

    // A solid colour set afterwards wins until the material is set again.
    m_well.SetSolidColor(RGB(1, 1, 1));
    EXPECT_FALSE(m_well.IsShowingMaterial());
    image = Print(m_well.m_hWnd);
    EXPECT_EQ(PixelOf(image, 20, 20), RGB(1, 1, 1));

    m_well.SetRenderEngine(nullptr);
    pMaterial->Release();
}

TEST_F(CMaterialWndTest, WithoutAWorkingEngineASolidMaterialShowsItsColourAndOthersTheEmptyWell)
{
    CMGLMaterial* pSolid = MakeMaterial(1, RGB(0, 0, 255));
    m_well.SetMaterial(pSolid);
    EXPECT_EQ(m_well.GetSolidColor(), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(Print(m_well.m_hWnd), 20, 5), RGB(0, 0, 255));

    CHalvesEngine engine;
    engine.m_bFail = true;
    m_well.SetRenderEngine(&engine);
    CMGLMaterial* pGradient = MakeMaterial(4, RGB(0, 0, 255));
    SLogCapture capture;
    m_well.SetMaterial(pGradient);
    EXPECT_EQ(PixelOf(Print(m_well.m_hWnd), 20, 5), Theme(XUI_COLOR_MATERIAL_BACKGROUND));
    EXPECT_EQ(engine.m_nCalls, 1);
    // A failed rendering is not retried on every paint.
    Print(m_well.m_hWnd);
    EXPECT_EQ(engine.m_nCalls, 1);
    bool bNamed = false;
    for (const std::wstring& strLine : CapturedLog())
        bNamed = bNamed || strLine.find(L"could not render") != std::wstring::npos;
    EXPECT_TRUE(bNamed);

    m_well.SetRenderEngine(nullptr);
    pSolid->Release();
    pGradient->Release();
}

TEST_F(CMaterialWndTest, TheWellHoldsOneReferenceToTheMaterialItShows)
{
    CMGLMaterial* pFirst = MakeMaterial(1, RGB(1, 2, 3));
    CMGLMaterial* pSecond = MakeMaterial(1, RGB(4, 5, 6));
    m_well.SetMaterial(pFirst);
    EXPECT_EQ(pFirst->GetRefCount(), 2u);
    m_well.SetMaterial(pFirst); // the same again takes no second reference
    EXPECT_EQ(pFirst->GetRefCount(), 2u);

    IMGLMaterial* pOut = nullptr;
    m_well.GetMaterial(&pOut);
    EXPECT_EQ(pOut, static_cast<IMGLMaterial*>(pFirst));
    EXPECT_EQ(pFirst->GetRefCount(), 3u);
    pOut->Release();

    m_well.SetMaterial(pSecond);
    EXPECT_EQ(pFirst->GetRefCount(), 1u);
    EXPECT_EQ(pSecond->GetRefCount(), 2u);

    m_well.SetMaterial(nullptr);
    EXPECT_EQ(pSecond->GetRefCount(), 1u);
    m_well.GetMaterial(&pOut);
    EXPECT_EQ(pOut, nullptr);
    m_well.GetMaterial(nullptr); // no place to put it: nothing happens

    {
        CMaterialWnd other;
        ASSERT_TRUE(other.Create(WS_VISIBLE, CRect(50, 10, 70, 30), Parent(), 105));
        other.SetMaterial(pSecond);
        EXPECT_EQ(pSecond->GetRefCount(), 2u);
    }
    EXPECT_EQ(pSecond->GetRefCount(), 1u); // given back when the well went
    pFirst->Release();
    pSecond->Release();
}

} // namespace
