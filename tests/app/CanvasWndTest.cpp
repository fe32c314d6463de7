#include "CanvasWnd.h"

#include "Input.h"
#include "MGLModel.h"
#include "WindowTestSupport.h"

#include <cstdlib>

namespace
{

// A linear gradient from left to right with stops of its own.
CComPtr<IMGLObject> LeftToRight(COLORREF clrLeft, COLORREF clrRight)
{
    auto* pGradient = new CMGLGradient;
    CComPtr<IMGLObject> pSettings;
    pSettings.Attach(pGradient);
    CErrorAutoThrow error;
    pGradient->AddColorStop(error, 0, 50, clrLeft);
    pGradient->AddColorStop(error, 100, 50, clrRight);
    EXPECT_TRUE(error.IsOk());
    return pSettings;
}

SHostMaterial GradientMaterial(IMGLObject* pGradient)
{
    SHostMaterial material;
    material.nStyle = kHostStyleGradient;
    material.pGradient = pGradient;
    return material;
}

// Settings naming a resource of the built-in collections, as the host
// makes them.
CComPtr<IMGLObject> BuiltInSettings(int nObjectKind, int nResourceKind)
{
    const SHostResource* pResource = CHostResourceLibrary::BuiltIn().GetAt(nResourceKind, 0);
    EXPECT_NE(pResource, nullptr);
    auto* pObject = new CMGLObject(nObjectKind);
    CComPtr<IMGLObject> pSettings;
    pSettings.Attach(pObject);
    pObject->SetCachedName(pResource->strName);
    CComPtr<IMGLValue> pName;
    pName.Attach(CMGLValue::MakeString(pResource->strName));
    CComPtr<IMGLProperty> pProperty;
    pProperty.Attach(new CMGLProperty(MGL_PROP_RESOURCE_NAME, pName));
    CErrorAutoThrow error;
    pSettings->SetProperty(error, pProperty);
    return pSettings;
}

class CanvasTest : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        m_hFrame = CreateTopLevel(RECT{0, 0, 300, 200});
        ASSERT_TRUE(m_canvas.Create(CWnd::FromHandle(m_hFrame), CRect(20, 10, 220, 160), 1));
        PumpMessages();
        m_materials.SetSolidColor(true, RGB(200, 0, 0));
        m_materials.SetSolidColor(false, RGB(0, 0, 250));
        PumpMessages();
    }
    void TearDown() override
    {
        m_canvas.DestroyWindow();
        CWindowTest::TearDown();
    }

    // What the window shows at a client point once painting is done.
    COLORREF Shown(int x, int y)
    {
        PumpMessages();
        HDC hdc = GetDC(m_canvas.m_hWnd);
        const COLORREF clrColor = GetPixel(hdc, x, y);
        ReleaseDC(m_canvas.m_hWnd, hdc);
        return clrColor;
    }

    CHostMaterials m_materials;
    CHostMaterialCache m_cache;
    CCanvasWnd m_canvas{m_materials, m_cache};
    HWND m_hFrame = nullptr;
};

} // namespace

TEST_F(CanvasTest, TheBackgroundMaterialFillsWhatIsNotPainted)
{
    EXPECT_EQ(m_canvas.PageSize(), CSize(200, 150));
    EXPECT_EQ(m_canvas.ColorAt(0, 0), RGB(0, 0, 250));
    EXPECT_EQ(m_canvas.ColorAt(199, 149), RGB(0, 0, 250));
    EXPECT_EQ(m_canvas.ColorAt(200, 0), CLR_INVALID);
    EXPECT_EQ(m_canvas.ColorAt(-1, 0), CLR_INVALID);
    EXPECT_EQ(Shown(0, 0), RGB(0, 0, 250));
    EXPECT_EQ(Shown(199, 149), RGB(0, 0, 250));

    // A new background shows at once, without any stroke.
    m_materials.SetSolidColor(false, RGB(0, 128, 0));
    EXPECT_EQ(Shown(100, 75), RGB(0, 128, 0));
}

TEST_F(CanvasTest, ABackgroundGradientSpansThePage)
{
    // Black on column 0 to white on column 199.
    m_materials.SetMaterial(false, GradientMaterial(LeftToRight(RGB(0, 0, 0), RGB(255, 255, 255))));
    EXPECT_EQ(Shown(0, 40), RGB(0, 0, 0));
    EXPECT_EQ(Shown(199, 40), RGB(255, 255, 255));
    // Column 100 is 100/199 of the way: 255 * 0.5025 = 128.1.
    const COLORREF clrMiddle = Shown(100, 140);
    EXPECT_NEAR(GetRValue(clrMiddle), 128, 1);
    EXPECT_EQ(GetRValue(clrMiddle), GetGValue(clrMiddle));
    EXPECT_EQ(GetRValue(clrMiddle), GetBValue(clrMiddle));

    // Narrowed to 101 columns the gradient spans them: white on column 100,
    // mid-grey (127.5) on column 50, while the page keeps its width.
    m_canvas.SetWindowPos(nullptr, 0, 0, 101, 150, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(m_canvas.PageSize(), CSize(200, 150));
    EXPECT_EQ(Shown(0, 40), RGB(0, 0, 0));
    EXPECT_EQ(Shown(100, 40), RGB(255, 255, 255));
    EXPECT_NEAR(GetRValue(Shown(50, 40)), 127.5, 0.5);
    // Beyond the window the page shows the gradient's last colour.
    EXPECT_EQ(m_canvas.ColorAt(150, 40), RGB(255, 255, 255));
}

TEST_F(CanvasTest, ABackgroundPatternIsDrawnFromTheCache)
{
    SHostMaterial pattern;
    pattern.nStyle = kHostStylePattern;
    pattern.pPattern = BuiltInSettings(MGL_OBJECT_PATTERN, HOST_RESOURCE_PATTERNS);
    const CString strName = CHostResourceLibrary::BuiltIn().GetAt(HOST_RESOURCE_PATTERNS, 0)->strName;
    EXPECT_FALSE(m_cache.IsCached(HOST_RESOURCE_PATTERNS, strName));
    m_materials.SetMaterial(false, pattern);
    PumpMessages();
    EXPECT_TRUE(m_cache.IsCached(HOST_RESOURCE_PATTERNS, strName));

    // The same material drawn straight from the collections.
    CComPtr<IMGLMaterial> pMaterial;
    pMaterial.Attach(new CMGLMaterial);
    CErrorAutoThrow error;
    pMaterial->SetStyle(error, kHostStylePattern);
    pMaterial->SetSettings(error, pattern.pPattern);
    CRenderImage reference;
    ASSERT_TRUE(CMaterialRenderer().Render(pMaterial, 200, 150, reference).IsOk());
    for (const POINT pt : {POINT{0, 0}, POINT{5, 3}, POINT{17, 11}, POINT{199, 149}})
        EXPECT_EQ(Shown(pt.x, pt.y), ColorFromArgb(reference.At(pt.x, pt.y))) << pt.x << "," << pt.y;
}

TEST_F(CanvasTest, LeftDragPaintsForegroundRightDragBackground)
{
    m_materials.SetSolidColor(false, RGB(255, 255, 255));
    // The canvas's client area starts at (20, 10) on the screen.
    InjectDrag(POINT{40, 30}, POINT{120, 30});
    PumpMessages();
    m_materials.SetSolidColor(false, RGB(0, 0, 250));
    InjectDrag(POINT{40, 90}, POINT{120, 90}, 4, EMouseButton::Right);
    PumpMessages();
    // On the stroke's line, and half the brush width away from it.
    EXPECT_EQ(Shown(60, 20), RGB(200, 0, 0));
    EXPECT_EQ(Shown(60, 17), RGB(200, 0, 0));
    EXPECT_EQ(Shown(60, 80), RGB(0, 0, 250));
    // What the background stroke painted stays when the background changes;
    // the rest of the page follows the new background.
    m_materials.SetSolidColor(false, RGB(0, 128, 0));
    EXPECT_EQ(Shown(60, 80), RGB(0, 0, 250));
    EXPECT_EQ(Shown(60, 50), RGB(0, 128, 0));
    EXPECT_EQ(Shown(150, 20), RGB(0, 128, 0));
    EXPECT_EQ(m_canvas.ColorAt(60, 20), RGB(200, 0, 0));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CanvasTest, AGradientStrokeShowsTheGradientWhereItPasses)
{
    // Red on column 0 to blue on column 199 of the page.
    m_materials.SetMaterial(true, GradientMaterial(LeftToRight(RGB(255, 0, 0), RGB(0, 0, 255))));
    m_canvas.Stroke(CPoint(0, 20), CPoint(199, 20), true);
    EXPECT_EQ(Shown(0, 20), RGB(255, 0, 0));
    EXPECT_EQ(Shown(199, 20), RGB(0, 0, 255));
    // Column 100: 255 * (1 - 100/199) = 126.9 red, 128.1 blue.
    const COLORREF clrMiddle = Shown(100, 22);
    EXPECT_NEAR(GetRValue(clrMiddle), 127, 1);
    EXPECT_EQ(GetGValue(clrMiddle), 0);
    EXPECT_NEAR(GetBValue(clrMiddle), 128, 1);
    // Off the stroke the background is untouched.
    EXPECT_EQ(Shown(100, 40), RGB(0, 0, 250));

    // A later foreground leaves the stroke as it was painted.
    m_materials.SetSolidColor(true, RGB(0, 0, 0));
    EXPECT_EQ(Shown(0, 20), RGB(255, 0, 0));
}

TEST_F(CanvasTest, ADraggedStrokeIsLaidOnceWhereItsPiecesMeet)
{
    // Black at half opacity over a white background: 255 * (1 - 0.5) =
    // 127.5 wherever the stroke lies, and 63.75 where it were laid twice.
    m_materials.SetSolidColor(false, RGB(255, 255, 255));
    auto* pGradient = new CMGLGradient;
    CComPtr<IMGLObject> pSettings;
    pSettings.Attach(pGradient);
    CErrorAutoThrow error;
    pGradient->AddColorStop(error, 0, 50, RGB(0, 0, 0));
    pGradient->AddColorStop(error, 100, 50, RGB(0, 0, 0));
    pGradient->AddTransparencyStop(error, 0, 50, 50);
    pGradient->AddTransparencyStop(error, 100, 50, 50);
    ASSERT_TRUE(error.IsOk());
    m_materials.SetMaterial(true, GradientMaterial(pSettings));

    // From (20, 20) to (100, 20) in the canvas, in four pieces.
    InjectDrag(POINT{40, 30}, POINT{120, 30}, 4);
    PumpMessages();
    for (int x = 18; x <= 102; x += 2)
        EXPECT_NEAR(GetRValue(Shown(x, 20)), 127.5, 1.0) << "x " << x;
    EXPECT_EQ(Shown(60, 30), RGB(255, 255, 255));

    // A second stroke across the first darkens the crossing, as it should.
    InjectDrag(POINT{80, 10}, POINT{80, 50}, 4);
    PumpMessages();
    EXPECT_NEAR(GetRValue(Shown(60, 20)), 63.75, 1.0);
    EXPECT_NEAR(GetRValue(Shown(60, 35)), 127.5, 1.0);
}

TEST_F(CanvasTest, ASwitchedOffSidePaintsNothing)
{
    m_materials.SetEnabled(true, false);
    m_canvas.Stroke(CPoint(10, 10), CPoint(50, 10), true);
    EXPECT_EQ(Shown(30, 10), RGB(0, 0, 250));
    InjectDrag(POINT{40, 30}, POINT{120, 30});
    EXPECT_EQ(Shown(60, 20), RGB(0, 0, 250));

    // With the background off the page is plain white and the right button
    // paints nothing.
    m_materials.SetEnabled(true, true);
    m_materials.SetEnabled(false, false);
    EXPECT_EQ(Shown(30, 100), RGB(255, 255, 255));
    m_canvas.Stroke(CPoint(10, 100), CPoint(50, 100), false);
    EXPECT_EQ(Shown(30, 100), RGB(255, 255, 255));
    m_canvas.Stroke(CPoint(10, 100), CPoint(50, 100), true);
    EXPECT_EQ(Shown(30, 100), RGB(200, 0, 0));
}

TEST_F(CanvasTest, ResizingAndClearingKeepTheBackground)
{
    m_canvas.Stroke(CPoint(10, 10), CPoint(50, 10), true);
    m_canvas.SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(m_canvas.PageSize(), CSize(400, 300));
    EXPECT_EQ(Shown(30, 10), RGB(200, 0, 0));
    // The frame shows only part of the grown canvas; the rest is on the page.
    EXPECT_EQ(m_canvas.ColorAt(390, 290), RGB(0, 0, 250));
    // Shrinking keeps the page, so growing again finds the stroke.
    m_canvas.SetWindowPos(nullptr, 0, 0, 20, 20, SWP_NOMOVE | SWP_NOZORDER);
    m_canvas.SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(Shown(30, 10), RGB(200, 0, 0));

    m_canvas.Clear();
    EXPECT_EQ(Shown(30, 10), RGB(0, 0, 250));
}
