#include "GradientRender.h"
#include "HostResourceLibrary.h"
#include "ImageFill.h"
#include "MGLModel.h"
#include "MaterialRenderer.h"
#include "RenderImage.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>

namespace
{

constexpr DWORD kBlack = 0xFF000000;
constexpr DWORD kWhite = 0xFFFFFFFF;

// An opaque grey of the level.
constexpr DWORD Grey(DWORD nLevel)
{
    return 0xFF000000 | (nLevel << 16) | (nLevel << 8) | nLevel;
}

// Settings objects with properties and stops, materials that hold them, and
// a check that every model object made is gone at the end.
class MaterialRenderTest : public ::testing::Test
{
protected:
    void SetUp() override { m_nLiveAtStart = LiveMGLObjectCount(); }
    void TearDown() override { EXPECT_EQ(LiveMGLObjectCount(), m_nLiveAtStart); }

    static CComPtr<IMGLObject> NewSettings()
    {
        CComPtr<IMGLObject> pSettings;
        pSettings.Attach(new CMGLObject(7));
        return pSettings;
    }

    // Gives the object a property holding the value, taking over the
    // value's one reference.
    static void Put(IMGLObject* pObject, int nId, CMGLValue* pValue)
    {
        CComPtr<IMGLValue> pHeld;
        pHeld.Attach(pValue);
        CComPtr<IMGLProperty> pProperty;
        pProperty.Attach(new CMGLProperty(nId, pHeld));
        CErrorAutoThrow error;
        pObject->SetProperty(error, pProperty);
        ASSERT_TRUE(error.IsOk());
    }

    static void AddColorStop(IMGLObject* pGradient, int nLocation, int nMidpoint, COLORREF clrColor)
    {
        CErrorAutoThrow error;
        pGradient->AppendChild(
            error, new CMGLGradientStop(MGL_OBJECT_COLOR_STOP, nLocation, nMidpoint, clrColor), false);
    }

    static void AddOpacityStop(IMGLObject* pGradient, int nLocation, int nMidpoint, int nOpacity)
    {
        CErrorAutoThrow error;
        pGradient->AppendChild(error,
                               new CMGLGradientStop(MGL_OBJECT_TRANSPARENCY_STOP, nLocation, nMidpoint,
                                                    static_cast<DWORD>(nOpacity)),
                               false);
    }

    // Gradient settings with black at 0 and white at 100 of its own.
    static CComPtr<IMGLObject> BlackToWhite(int nType = GRADIENT_LINEAR, int nBlackMidpoint = 50)
    {
        CComPtr<IMGLObject> pSettings = NewSettings();
        AddColorStop(pSettings, 0, nBlackMidpoint, RGB(0, 0, 0));
        AddColorStop(pSettings, 100, 50, RGB(255, 255, 255));
        Put(pSettings, MGL_PROP_GRADIENT_TYPE, CMGLValue::MakeInteger(nType));
        return pSettings;
    }

    static CComPtr<CMGLMaterial> Material(int nStyle, IMGLObject* pSettings = nullptr)
    {
        CComPtr<CMGLMaterial> pMaterial;
        pMaterial.Attach(new CMGLMaterial);
        CErrorAutoThrow error;
        pMaterial->SetStyle(error, nStyle);
        pMaterial->SetSettings(error, pSettings);
        return pMaterial;
    }

    // A colour image from rows of COLORREFs.
    static CRowIteratorBands ColorImage(int nWidth, std::initializer_list<COLORREF> pixels)
    {
        CRowIteratorBands image;
        const int nHeight = static_cast<int>(pixels.size()) / nWidth;
        image.CreateRGB(nWidth, nHeight);
        auto it = pixels.begin();
        for (int y = 0; y < nHeight; ++y)
        {
            BYTE* pRow = image.GetRow(y);
            for (int x = 0; x < nWidth; ++x, ++it)
            {
                pRow[3 * x] = GetBValue(*it);
                pRow[3 * x + 1] = GetGValue(*it);
                pRow[3 * x + 2] = GetRValue(*it);
            }
            image.ReleaseRow(y);
        }
        return image;
    }

    // The 2 x 2 checker: black top-left and bottom-right.
    static CRowIteratorBands Checker()
    {
        return ColorImage(2, {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255), RGB(0, 0, 0)});
    }

    CErrorAutoThrow Render(IMGLMaterial* pMaterial, int nWidth, int nHeight)
    {
        return m_renderer.Render(pMaterial, nWidth, nHeight, m_image);
    }

    // One row of the rendered image.
    std::vector<DWORD> RowOf(int y) const
    {
        return std::vector<DWORD>(m_image.Row(y), m_image.Row(y) + m_image.Width());
    }

    CMaterialRenderer m_renderer;
    CRenderImage m_image;
    int m_nLiveAtStart = 0;
};

} // namespace

TEST_F(MaterialRenderTest, LinearGradientRunsFromTheFirstColumnToTheLast)
{
    auto pMaterial = Material(4, BlackToWhite());
    ASSERT_TRUE(Render(pMaterial, 5, 2).IsOk());
    // t = x / 4; 255 t rounded: 0, 63.75, 127.5, 191.25, 255.
    const std::vector<DWORD> expected{kBlack, Grey(64), Grey(128), Grey(191), kWhite};
    EXPECT_EQ(RowOf(0), expected);
    EXPECT_EQ(RowOf(1), expected);

    // At 90 degrees the ramp runs upwards: black at the bottom row.
    CComPtr<IMGLObject> pUp = BlackToWhite();
    Put(pUp, MGL_PROP_ANGLE, CMGLValue::MakeDouble(90.0));
    ASSERT_TRUE(Render(Material(4, pUp), 1, 5).IsOk());
    EXPECT_EQ(m_image.At(0, 4), kBlack);
    EXPECT_EQ(m_image.At(0, 2), Grey(128));
    EXPECT_EQ(m_image.At(0, 0), kWhite);

    // At 180 degrees it runs right to left.
    CComPtr<IMGLObject> pLeft = BlackToWhite();
    Put(pLeft, MGL_PROP_ANGLE, CMGLValue::MakeInteger(180));
    ASSERT_TRUE(Render(Material(4, pLeft), 5, 1).IsOk());
    EXPECT_EQ(m_image.At(0, 0), kWhite);
    EXPECT_EQ(m_image.At(4, 0), kBlack);
}

TEST_F(MaterialRenderTest, MidpointMovesWhereTheColoursMixHalfAndHalf)
{
    // Midpoint 25: half grey a quarter of the way; at the middle the mix is
    // 0.5 + 0.5 * (0.5 - 0.25) / 0.75 = 2/3 of white, 170.
    ASSERT_TRUE(Render(Material(4, BlackToWhite(GRADIENT_LINEAR, 25)), 5, 1).IsOk());
    EXPECT_EQ(m_image.At(0, 0), kBlack);
    EXPECT_EQ(m_image.At(1, 0), Grey(128));
    EXPECT_EQ(m_image.At(2, 0), Grey(170));
    EXPECT_EQ(m_image.At(4, 0), kWhite);

    // Midpoint 75: the middle is 0.5 * 0.5 / 0.75 = 1/3, 85; half grey
    // three quarters of the way.
    ASSERT_TRUE(Render(Material(4, BlackToWhite(GRADIENT_LINEAR, 75)), 5, 1).IsOk());
    EXPECT_EQ(m_image.At(2, 0), Grey(85));
    EXPECT_EQ(m_image.At(3, 0), Grey(128));
    EXPECT_EQ(m_image.At(4, 0), kWhite);
}

TEST_F(MaterialRenderTest, ReservedColoursFollowTheCurrentColours)
{
    CComPtr<IMGLObject> pSettings = NewSettings();
    AddColorStop(pSettings, 0, 50, MGL_STOP_FOREGROUND);
    AddColorStop(pSettings, 100, 50, MGL_STOP_BACKGROUND);
    auto pMaterial = Material(4, pSettings);

    m_renderer.SetCurrentColors(RGB(255, 0, 0), RGB(0, 0, 255));
    ASSERT_TRUE(Render(pMaterial, 3, 1).IsOk());
    EXPECT_EQ(RowOf(0), (std::vector<DWORD>{0xFFFF0000, 0xFF800080, 0xFF0000FF}));

    // The same material follows a change of the current colours.
    m_renderer.SetCurrentColors(RGB(0, 255, 0), RGB(255, 255, 255));
    ASSERT_TRUE(Render(pMaterial, 3, 1).IsOk());
    EXPECT_EQ(RowOf(0), (std::vector<DWORD>{0xFF00FF00, 0xFF80FF80, 0xFFFFFFFF}));

    // The built-in gradient by name does the same.
    CComPtr<IMGLObject> pNamed = NewSettings();
    Put(pNamed, MGL_PROP_RESOURCE_NAME, CMGLValue::MakeString(L"foreground-background"));
    m_renderer.SetCurrentColors(RGB(10, 20, 30), RGB(110, 120, 130));
    ASSERT_TRUE(Render(Material(4, pNamed), 3, 1).IsOk());
    EXPECT_EQ(RowOf(0), (std::vector<DWORD>{0xFF0A141E, 0xFF3C4650, 0xFF6E7882}));
}

TEST_F(MaterialRenderTest, OpacityStopsSetAlphaAndLeaveTheColour)
{
    CComPtr<IMGLObject> pHalf = NewSettings();
    AddColorStop(pHalf, 0, 50, RGB(255, 0, 0));
    AddOpacityStop(pHalf, 0, 50, 50);
    AddOpacityStop(pHalf, 100, 50, 50);
    ASSERT_TRUE(Render(Material(4, pHalf), 2, 1).IsOk());
    // 50% of 255 is 127.5, rounded up.
    EXPECT_EQ(m_image.At(0, 0), 0x80FF0000u);
    EXPECT_EQ(m_image.At(1, 0), 0x80FF0000u);

    CComPtr<IMGLObject> pFade = BlackToWhite();
    AddOpacityStop(pFade, 0, 50, 100);
    AddOpacityStop(pFade, 100, 50, 0);
    ASSERT_TRUE(Render(Material(4, pFade), 3, 1).IsOk());
    EXPECT_EQ(RowOf(0), (std::vector<DWORD>{0xFF000000, 0x80808080, 0x00FFFFFF}));
}

TEST_F(MaterialRenderTest, RadialGradientStartsAtItsCentreAndFocalPoint)
{
    ASSERT_TRUE(Render(Material(4, BlackToWhite(GRADIENT_RADIAL)), 5, 5).IsOk());
    EXPECT_EQ(m_image.At(2, 2), kBlack);
    // The farthest corner, sqrt(8) away, is the radius.
    EXPECT_EQ(m_image.At(0, 0), kWhite);
    EXPECT_EQ(m_image.At(4, 4), kWhite);
    // Two pixels above: 255 * 2 / sqrt(8) = 180.3.
    EXPECT_EQ(m_image.At(2, 0), Grey(180));
    EXPECT_EQ(m_image.At(0, 2), Grey(180));

    // The centre moved to the top-left corner: the radius becomes the
    // diagonal, sqrt(32); the middle pixel is half way.
    CComPtr<IMGLObject> pCorner = BlackToWhite(GRADIENT_RADIAL);
    Put(pCorner, MGL_PROP_CENTER_X, CMGLValue::MakeLength(0.0));
    Put(pCorner, MGL_PROP_CENTER_Y, CMGLValue::MakeLength(0.0));
    ASSERT_TRUE(Render(Material(4, pCorner), 5, 5).IsOk());
    EXPECT_EQ(m_image.At(0, 0), kBlack);
    EXPECT_EQ(m_image.At(2, 2), Grey(128));
    EXPECT_EQ(m_image.At(4, 4), kWhite);

    // A focal point one pixel left of the centre is where black is; on the
    // line through it the ramp still ends on the circle: the pixel two to
    // the right of the centre lies 3 of the 1 + 2.828 from focus to circle.
    CComPtr<IMGLObject> pFocal = BlackToWhite(GRADIENT_RADIAL);
    Put(pFocal, MGL_PROP_FOCAL_X, CMGLValue::MakeLength(0.25));
    Put(pFocal, MGL_PROP_FOCAL_Y, CMGLValue::MakeLength(0.5));
    ASSERT_TRUE(Render(Material(4, pFocal), 5, 5).IsOk());
    EXPECT_EQ(m_image.At(1, 2), kBlack);
    EXPECT_EQ(m_image.At(4, 2), Grey(200)); // 255 * 3 / 3.828 = 199.8
}

TEST_F(MaterialRenderTest, AngularGradientSweepsCounterClockwiseFromItsSeam)
{
    ASSERT_TRUE(Render(Material(4, BlackToWhite(GRADIENT_ANGULAR)), 5, 5).IsOk());
    // On the seam (to the right of the centre) the sweep starts.
    EXPECT_EQ(m_image.At(4, 2), kBlack);
    // Just above the seam: atan(1/2) = 26.57 degrees, 255 * 26.57 / 360 = 18.8.
    EXPECT_EQ(m_image.At(4, 1), Grey(19));
    // Just below it the sweep is nearly done: 333.43 degrees gives 236.2.
    EXPECT_EQ(m_image.At(4, 3), Grey(236));
    // Straight up a quarter turn, straight left a half.
    EXPECT_EQ(m_image.At(2, 0), Grey(64));
    EXPECT_EQ(m_image.At(0, 2), Grey(128));
    EXPECT_EQ(m_image.At(2, 4), Grey(191));

    // With the angle at 90 degrees the seam points up.
    CComPtr<IMGLObject> pUp = BlackToWhite(GRADIENT_ANGULAR);
    Put(pUp, MGL_PROP_ANGLE, CMGLValue::MakeInteger(90));
    ASSERT_TRUE(Render(Material(4, pUp), 5, 5).IsOk());
    EXPECT_EQ(m_image.At(2, 0), kBlack);
    EXPECT_EQ(m_image.At(0, 2), Grey(64));
    EXPECT_EQ(m_image.At(4, 2), Grey(191));
}

TEST_F(MaterialRenderTest, RectangularGradientReachesTheEndOnTheEdges)
{
    ASSERT_TRUE(Render(Material(4, BlackToWhite(GRADIENT_RECTANGULAR)), 5, 5).IsOk());
    EXPECT_EQ(m_image.At(2, 2), kBlack);
    for (const POINT& corner : {POINT{0, 0}, POINT{4, 0}, POINT{0, 4}, POINT{4, 4}})
        EXPECT_EQ(m_image.At(corner.x, corner.y), kWhite) << corner.x << "," << corner.y;
    // Every pixel of a ring is the same: the edge middles and the ring
    // inside.
    EXPECT_EQ(m_image.At(2, 0), kWhite);
    EXPECT_EQ(m_image.At(1, 1), Grey(128));
    EXPECT_EQ(m_image.At(3, 2), Grey(128));
    EXPECT_EQ(m_image.At(1, 3), Grey(128));

    // A wide box: the rings stretch with it.
    ASSERT_TRUE(Render(Material(4, BlackToWhite(GRADIENT_RECTANGULAR)), 9, 5).IsOk());
    EXPECT_EQ(m_image.At(4, 2), kBlack);
    EXPECT_EQ(m_image.At(6, 2), Grey(128));
    EXPECT_EQ(m_image.At(4, 1), Grey(128));
    EXPECT_EQ(m_image.At(8, 4), kWhite);
}

TEST_F(MaterialRenderTest, RepeatsAndInvertReshapeTheRamp)
{
    CComPtr<IMGLObject> pTwice = BlackToWhite();
    Put(pTwice, MGL_PROP_REPEATS, CMGLValue::MakeInteger(2));
    ASSERT_TRUE(Render(Material(4, pTwice), 5, 1).IsOk());
    // Positions 0, 0.5, 0 (restart), 0.5, 1.
    EXPECT_EQ(RowOf(0), (std::vector<DWORD>{kBlack, Grey(128), kBlack, Grey(128), kWhite}));

    CComPtr<IMGLObject> pInverted = BlackToWhite();
    Put(pInverted, MGL_PROP_INVERT, CMGLValue::MakeBool(true));
    ASSERT_TRUE(Render(Material(4, pInverted), 5, 1).IsOk());
    EXPECT_EQ(RowOf(0), (std::vector<DWORD>{kWhite, Grey(191), Grey(128), Grey(64), kBlack}));

    // A count of 1 (or none) is one ramp.
    CComPtr<IMGLObject> pOnce = BlackToWhite();
    Put(pOnce, MGL_PROP_REPEATS, CMGLValue::MakeInteger(1));
    ASSERT_TRUE(Render(Material(4, pOnce), 5, 1).IsOk());
    EXPECT_EQ(m_image.At(2, 0), Grey(128));
    EXPECT_EQ(m_image.At(4, 0), kWhite);
}

TEST_F(MaterialRenderTest, StopsOfTheirOwnWinOverANamedGradient)
{
    CComPtr<IMGLObject> pSettings = BlackToWhite();
    Put(pSettings, MGL_PROP_RESOURCE_NAME, CMGLValue::MakeString(L"Rainbow"));
    ASSERT_TRUE(Render(Material(4, pSettings), 3, 1).IsOk());
    EXPECT_EQ(RowOf(0), (std::vector<DWORD>{kBlack, Grey(128), kWhite}));

    // Without stops of its own the name is used: the rainbow starts red and
    // is cyan half way.
    CComPtr<IMGLObject> pNamed = NewSettings();
    Put(pNamed, MGL_PROP_RESOURCE_NAME, CMGLValue::MakeString(L"Rainbow"));
    ASSERT_TRUE(Render(Material(4, pNamed), 3, 1).IsOk());
    EXPECT_EQ(RowOf(0), (std::vector<DWORD>{0xFFFF0000, 0xFF00FFFF, 0xFFFF0000}));
}

TEST_F(MaterialRenderTest, AHostGradientObjectIsReadThroughItsStops)
{
    // The host's gradient object (as non-cached gradients travel) serves as
    // settings: white to black with a half-opaque end.
    CComPtr<CMGLGradient> pGradient;
    pGradient.Attach(new CMGLGradient);
    CErrorAutoThrow error;
    pGradient->AddColorStop(error, 0, 50, RGB(255, 255, 255));
    pGradient->AddColorStop(error, 100, 50, RGB(0, 0, 0));
    pGradient->AddTransparencyStop(error, 0, 50, 100);
    pGradient->AddTransparencyStop(error, 100, 50, 50);
    Put(pGradient, MGL_PROP_RESOURCE_NAME, CMGLValue::MakeString(L"Rainbow"));
    ASSERT_TRUE(Render(Material(4, static_cast<IMGLObject*>(pGradient.p)), 3, 1).IsOk());
    // Alpha in the middle: opacity 75, 191.25.
    EXPECT_EQ(RowOf(0), (std::vector<DWORD>{kWhite, 0xBF808080, 0x80000000}));
}

TEST_F(MaterialRenderTest, PatternTilesItsImageAtScaleAndAngle)
{
    CComPtr<IMGLObject> pSettings = NewSettings();
    Put(pSettings, MGL_PROP_IMAGE, CMGLValue::MakeImage(Checker()));
    auto pMaterial = Material(2, pSettings);
    ASSERT_TRUE(Render(pMaterial, 4, 4).IsOk());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(m_image.At(x, y), (x + y) % 2 == 0 ? kBlack : kWhite) << x << "," << y;

    // At scale 2 each cell covers 2 x 2 pixels.
    Put(pSettings, MGL_PROP_SCALE, CMGLValue::MakeDouble(2.0));
    ASSERT_TRUE(Render(pMaterial, 4, 4).IsOk());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(m_image.At(x, y), (x / 2 + y / 2) % 2 == 0 ? kBlack : kWhite) << x << "," << y;

    // A 2 x 1 tile (black, white) makes vertical stripes; turned a quarter
    // counter-clockwise they lie across, white on top.
    CComPtr<IMGLObject> pStripes = NewSettings();
    Put(pStripes, MGL_PROP_IMAGE, CMGLValue::MakeImage(ColorImage(2, {RGB(0, 0, 0), RGB(255, 255, 255)})));
    Put(pStripes, MGL_PROP_ANGLE, CMGLValue::MakeInteger(90));
    ASSERT_TRUE(Render(Material(2, pStripes), 4, 4).IsOk());
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(RowOf(y), std::vector<DWORD>(4, y % 2 == 0 ? kWhite : kBlack)) << y;
}

TEST_F(MaterialRenderTest, PatternImageWinsOverItsNameAndNamesAreLookedUp)
{
    CComPtr<IMGLObject> pSettings = NewSettings();
    Put(pSettings, MGL_PROP_RESOURCE_NAME, CMGLValue::MakeString(L"Bricks"));
    Put(pSettings, MGL_PROP_IMAGE, CMGLValue::MakeImage(Checker()));
    ASSERT_TRUE(Render(Material(2, pSettings), 2, 1).IsOk());
    EXPECT_EQ(RowOf(0), (std::vector<DWORD>{kBlack, kWhite}));

    // The built-in checker has 8-pixel cells, black first.
    CComPtr<IMGLObject> pNamed = NewSettings();
    Put(pNamed, MGL_PROP_RESOURCE_NAME, CMGLValue::MakeString(L"Checker"));
    ASSERT_TRUE(Render(Material(2, pNamed), 24, 1).IsOk());
    EXPECT_EQ(m_image.At(0, 0), kBlack);
    EXPECT_EQ(m_image.At(7, 0), kBlack);
    EXPECT_EQ(m_image.At(8, 0), kWhite);
    EXPECT_EQ(m_image.At(16, 0), kBlack);
}

TEST_F(MaterialRenderTest, TextureScalesTheStyleAroundMidGrey)
{
    auto pMaterial = Material(1);
    CErrorAutoThrow error;
    pMaterial->SetSolidColor(error, RGB(100, 200, 40));

    // Grey 64 halves each channel.
    CComPtr<IMGLObject> pTexture = NewSettings();
    CRowIteratorBands dark;
    dark.CreateGrey(1, 1);
    dark.GetRow(0)[0] = 64;
    dark.ReleaseRow(0);
    Put(pTexture, MGL_PROP_IMAGE, CMGLValue::MakeImage(dark));
    pMaterial->SetTexture(error, pTexture);
    ASSERT_TRUE(Render(pMaterial, 2, 2).IsOk());
    EXPECT_EQ(m_image.At(1, 1), 0xFF326414u); // 50, 100, 20

    // White: 100 * 255 / 128 = 199.2; 200 is clamped at 255; 40 gives 79.7.
    // A colour texture's grey is (red + 2 green + blue) / 4.
    Put(pTexture, MGL_PROP_IMAGE, CMGLValue::MakeImage(ColorImage(1, {RGB(255, 255, 255)})));
    ASSERT_TRUE(Render(pMaterial, 1, 1).IsOk());
    EXPECT_EQ(m_image.At(0, 0), 0xFFC7FF50u);
    Put(pTexture, MGL_PROP_IMAGE, CMGLValue::MakeImage(ColorImage(1, {RGB(0, 128, 0)})));
    ASSERT_TRUE(Render(pMaterial, 1, 1).IsOk());
    EXPECT_EQ(m_image.At(0, 0), 0xFF326414u);

    // The texture's own pixels lie where its tile puts them: a black and
    // mid-grey texture leaves every other pixel untouched.
    Put(pTexture, MGL_PROP_IMAGE, CMGLValue::MakeImage(ColorImage(2, {RGB(0, 0, 0), RGB(128, 128, 128)})));
    ASSERT_TRUE(Render(pMaterial, 4, 1).IsOk());
    EXPECT_EQ(RowOf(0), (std::vector<DWORD>{kBlack, 0xFF64C828, kBlack, 0xFF64C828}));
}

TEST_F(MaterialRenderTest, TextureStyleAndArtColour)
{
    // A texture shown as a style draws its own image.
    CComPtr<IMGLObject> pTexture = NewSettings();
    Put(pTexture, MGL_PROP_RESOURCE_NAME, CMGLValue::MakeString(L"Noise"));
    auto pTextureStyle = Material(64, pTexture);
    ASSERT_TRUE(Render(pTextureStyle, 70, 1).IsOk());
    const SHostResource* pNoise = CHostResourceLibrary::BuiltIn().Find(HOST_RESOURCE_TEXTURES, L"Noise");
    ASSERT_NE(pNoise, nullptr);
    const BYTE nFirst = pNoise->image.GetRow(0)[0];
    const BYTE nThird = pNoise->image.GetRow(0)[2];
    pNoise->image.ReleaseRow(0);
    EXPECT_EQ(m_image.At(0, 0), Grey(nFirst));
    EXPECT_EQ(m_image.At(2, 0), Grey(nThird));
    EXPECT_EQ(m_image.At(64, 0), Grey(nFirst)); // the 64-pixel tile again

    // Art media without art paints its solid colour; with art, the primary.
    auto pArtMaterial = Material(8);
    CErrorAutoThrow error;
    pArtMaterial->SetSolidColor(error, RGB(1, 2, 3));
    ASSERT_TRUE(Render(pArtMaterial, 1, 1).IsOk());
    EXPECT_EQ(m_image.At(0, 0), 0xFF010203u);

    class CArtSettings : public TMGLObjectImpl<IMGLArt>
    {
    public:
        CArtSettings() : TMGLObjectImpl<IMGLArt>(8) {}
        void GetContent(CErrorAutoThrow& error, const COLORREF** ppPrimary, const COLORREF** ppSecondary,
                        int&, bool&) const override
        {
            *ppPrimary = &m_clrPrimary;
            *ppSecondary = nullptr;
            error = CErrorAutoThrow(MIRN_ERR_NONE);
        }
        void SetColor(CErrorAutoThrow&, COLORREF clrColor) override { m_clrPrimary = clrColor; }
        void SetSecondaryColor(CErrorAutoThrow&, COLORREF, int) override {}
        void SetSecondaryFirst(CErrorAutoThrow&, bool) override {}

    private:
        COLORREF m_clrPrimary = RGB(0, 0, 0);
    };
    CComPtr<CArtSettings> pArt;
    pArt.Attach(new CArtSettings);
    pArt->SetColor(error, RGB(200, 100, 50));
    pArtMaterial->SetSettings(error, static_cast<IMGLObject*>(pArt.p));
    ASSERT_TRUE(Render(pArtMaterial, 1, 1).IsOk());
    EXPECT_EQ(m_image.At(0, 0), 0xFFC86432u);
}

TEST_F(MaterialRenderTest, BadInputGivesAnErrorAndNeverACrash)
{
    // No material, or nothing to draw into.
    EXPECT_EQ(Render(nullptr, 4, 4).GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_TRUE(m_image.IsEmpty());
    EXPECT_EQ(Render(Material(1), 0, 4).GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_TRUE(m_image.IsEmpty());
    EXPECT_EQ(Render(Material(1), 4, -1).GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(Render(Material(1), CRenderImage::kMaxSide + 1, 1).GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(Render(Material(1), 8192, 4096).GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_TRUE(m_image.IsEmpty());

    // A gradient or pattern without settings: grey and error 101.
    EXPECT_EQ(Render(Material(4), 2, 2).GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(m_image.At(1, 1), kRenderFailureArgb);
    EXPECT_EQ(Render(Material(2), 2, 2).GetError(), MIRN_ERR_INVALID_ARG);
    // Settings that name nothing and carry nothing.
    EXPECT_EQ(Render(Material(4, NewSettings()), 2, 2).GetError(), MIRN_ERR_INVALID_ARG);

    // Names the library does not have.
    CComPtr<IMGLObject> pUnknown = NewSettings();
    Put(pUnknown, MGL_PROP_RESOURCE_NAME, CMGLValue::MakeString(L"No Such Thing"));
    EXPECT_EQ(Render(Material(4, pUnknown), 2, 2).GetError(), MIRN_ERR_NOT_FOUND);
    EXPECT_EQ(Render(Material(2, pUnknown), 2, 2).GetError(), MIRN_ERR_NOT_FOUND);
    EXPECT_EQ(m_image.At(0, 0), kRenderFailureArgb);

    // Stops out of order, and an opacity out of range.
    CComPtr<IMGLObject> pBackwards = NewSettings();
    AddColorStop(pBackwards, 60, 50, RGB(0, 0, 0));
    AddColorStop(pBackwards, 40, 50, RGB(255, 255, 255));
    EXPECT_EQ(Render(Material(4, pBackwards), 2, 2).GetError(), MIRN_ERR_INVALID_ARG);
    CComPtr<IMGLObject> pOpacity = BlackToWhite();
    AddOpacityStop(pOpacity, 0, 50, 100);
    AddOpacityStop(pOpacity, 100, 50, 250);
    EXPECT_EQ(Render(Material(4, pOpacity), 2, 2).GetError(), MIRN_ERR_INVALID_ARG);

    // Layout values out of range: a type beyond 3, a negative repeat count,
    // an angle that is not a number, a scale of zero.
    CComPtr<IMGLObject> pType = BlackToWhite(7);
    EXPECT_EQ(Render(Material(4, pType), 2, 2).GetError(), MIRN_ERR_INVALID_ARG);
    CComPtr<IMGLObject> pRepeats = BlackToWhite();
    Put(pRepeats, MGL_PROP_REPEATS, CMGLValue::MakeInteger(-2));
    EXPECT_EQ(Render(Material(4, pRepeats), 2, 2).GetError(), MIRN_ERR_INVALID_ARG);
    CComPtr<IMGLObject> pAngle = BlackToWhite();
    Put(pAngle, MGL_PROP_ANGLE, CMGLValue::MakeDouble(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(Render(Material(4, pAngle), 2, 2).GetError(), MIRN_ERR_INVALID_ARG);
    CComPtr<IMGLObject> pScale = NewSettings();
    Put(pScale, MGL_PROP_IMAGE, CMGLValue::MakeImage(Checker()));
    Put(pScale, MGL_PROP_SCALE, CMGLValue::MakeDouble(0.0));
    EXPECT_EQ(Render(Material(2, pScale), 2, 2).GetError(), MIRN_ERR_INVALID_ARG);

    // A texture that cannot be found leaves the style drawn and says so.
    auto pTextured = Material(1);
    CErrorAutoThrow error;
    pTextured->SetSolidColor(error, RGB(9, 8, 7));
    pTextured->SetTexture(error, pUnknown);
    EXPECT_EQ(Render(pTextured, 1, 1).GetError(), MIRN_ERR_NOT_FOUND);
    EXPECT_EQ(m_image.At(0, 0), 0xFF090807u);
}

TEST(GradientRamp, RefusesStopsThatCannotBeDrawn)
{
    CGradientRamp ramp;
    EXPECT_EQ(ramp.Build(SGradientStops{}, 0, 0).GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(ramp.Build(SGradientStops{{{0, 50, 0x01000000}}, {}}, 0, 0).GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(ramp.Build(SGradientStops{{{101, 50, 0}}, {}}, 0, 0).GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(ramp.Build(SGradientStops{{{0, -1, 0}}, {}}, 0, 0).GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(ramp.Build(SGradientStops{{{0, 50, 0}}, {{50, 50, 100}, {20, 50, 100}}}, 0, 0).GetError(),
              MIRN_ERR_INVALID_ARG);

    // Two stops at one location make a hard edge; before the first and after
    // the last stop the end colours hold.
    ASSERT_TRUE(ramp.Build(SGradientStops{{{20, 50, RGB(255, 0, 0)},
                                           {50, 50, RGB(255, 0, 0)},
                                           {50, 50, RGB(0, 0, 255)},
                                           {80, 50, RGB(0, 0, 255)}},
                                          {}},
                           0, 0)
                    .IsOk());
    EXPECT_EQ(ramp.Sample(0.0), 0xFFFF0000u);
    EXPECT_EQ(ramp.Sample(0.49), 0xFFFF0000u);
    EXPECT_EQ(ramp.Sample(0.5), 0xFF0000FFu);
    EXPECT_EQ(ramp.Sample(1.0), 0xFF0000FFu);
    // Positions outside 0 to 1 are clamped.
    EXPECT_EQ(ramp.Sample(-3.0), 0xFFFF0000u);
    EXPECT_EQ(ramp.Sample(7.0), 0xFF0000FFu);
}

TEST(RenderImage, ConvertsRowImagesAndPremultiplies)
{
    CRenderImage image;
    EXPECT_FALSE(image.Create(0, 3));
    EXPECT_FALSE(image.CopyFrom(CRowIterator()));
    EXPECT_TRUE(image.IsEmpty());

    CRowIterator colour;
    ASSERT_TRUE(colour.CreateRGB(2, 1));
    BYTE* pRow = colour.GetRow(0);
    // Blue, green, red bytes.
    pRow[0] = 1;
    pRow[1] = 2;
    pRow[2] = 3;
    pRow[3] = 0xFF;
    colour.ReleaseRow(0);
    ASSERT_TRUE(image.CopyFrom(colour));
    EXPECT_EQ(image.At(0, 0), 0xFF030201u);
    EXPECT_EQ(image.At(1, 0), 0xFF000000u | 0xFFu);
    EXPECT_EQ(colour.RowsOut(), 0);
    EXPECT_EQ(image.At(5, 5), 0u);

    CRowIterator grey;
    ASSERT_TRUE(grey.CreateGrey(1, 2));
    grey.GetRow(1)[0] = 0x40;
    grey.ReleaseRow(1);
    ASSERT_TRUE(image.CopyFrom(grey));
    EXPECT_EQ(image.At(0, 0), kBlack);
    EXPECT_EQ(image.At(0, 1), 0xFF404040u);

    // 255 * 128 / 255 = 128; 100 * 51 / 255 = 20.
    ASSERT_TRUE(image.Create(3, 1));
    image.Set(0, 0, 0x80FF0000);
    image.Set(1, 0, 0x33646464);
    image.Set(2, 0, 0xFF123456);
    EXPECT_EQ(image.PremultipliedPixels(), (std::vector<DWORD>{0x80800000, 0x33141414, 0xFF123456}));
    EXPECT_EQ(ArgbFromColor(RGB(1, 2, 3)), 0xFF010203u);
    EXPECT_EQ(ColorFromArgb(0x80010203), RGB(1, 2, 3));
}

TEST(HostResourceLibrary, BuiltInCollectionsAreFoundByKindAndName)
{
    const CHostResourceLibrary& library = CHostResourceLibrary::BuiltIn();
    for (int nKind : {HOST_RESOURCE_PATTERNS, HOST_RESOURCE_TEXTURES, HOST_RESOURCE_GRADIENTS})
    {
        ASSERT_GE(library.GetCount(nKind), 3) << nKind;
        for (int i = 0; i < library.GetCount(nKind); ++i)
        {
            const SHostResource* pResource = library.GetAt(nKind, i);
            ASSERT_NE(pResource, nullptr);
            EXPECT_FALSE(pResource->strName.IsEmpty());
            EXPECT_FALSE(pResource->strTooltip.IsEmpty());
            EXPECT_EQ(library.Find(nKind, pResource->strName), pResource);
            if (nKind == HOST_RESOURCE_GRADIENTS)
                EXPECT_FALSE(pResource->stops.colors.empty());
            else
                EXPECT_TRUE(pResource->image.IsAttached());
        }
    }
    EXPECT_EQ(library.GetCount(4), 0);
    EXPECT_EQ(library.GetAt(HOST_RESOURCE_GRADIENTS, -1), nullptr);
    EXPECT_EQ(library.GetAt(HOST_RESOURCE_GRADIENTS, library.GetCount(HOST_RESOURCE_GRADIENTS)), nullptr);
    // Names are per kind and compared without regard to case.
    EXPECT_NE(library.Find(HOST_RESOURCE_GRADIENTS, L"RAINBOW"), nullptr);
    EXPECT_EQ(library.Find(HOST_RESOURCE_PATTERNS, L"Rainbow"), nullptr);
    EXPECT_EQ(library.Find(HOST_RESOURCE_GRADIENTS, nullptr), nullptr);
    for (LPCWSTR pszName : {L"Foreground-Background", L"Sunset", L"Metal"})
        EXPECT_NE(library.Find(HOST_RESOURCE_GRADIENTS, pszName), nullptr) << pszName;
    const SHostResource* pForeBack = library.Find(HOST_RESOURCE_GRADIENTS, L"Foreground-Background");
    ASSERT_EQ(pForeBack->stops.colors.size(), 2u);
    EXPECT_EQ(pForeBack->stops.colors[0].clrColor, MGL_STOP_FOREGROUND);
    EXPECT_EQ(pForeBack->stops.colors[1].clrColor, MGL_STOP_BACKGROUND);
}

TEST(HostResourceLibrary, AddingRefusesDuplicatesAndBadContent)
{
    CHostResourceLibrary library;
    EXPECT_EQ(library.GetCount(HOST_RESOURCE_GRADIENTS), 0);
    const SGradientStops stops{{{0, 50, RGB(1, 1, 1)}}, {}};
    EXPECT_TRUE(library.AddGradient(L"Mine", L"tip", stops));
    EXPECT_FALSE(library.AddGradient(L"MINE", L"tip", stops));
    EXPECT_FALSE(library.AddGradient(L"", L"tip", stops));
    EXPECT_FALSE(library.AddGradient(L"Backwards", L"tip", SGradientStops{{{50, 50, 0}, {10, 50, 0}}, {}}));

    CRowIterator image;
    EXPECT_FALSE(library.AddImage(HOST_RESOURCE_PATTERNS, L"Empty", L"tip", image));
    ASSERT_TRUE(image.CreateRGB(2, 2));
    EXPECT_FALSE(library.AddImage(HOST_RESOURCE_GRADIENTS, L"Wrong kind", L"tip", image));
    EXPECT_TRUE(library.AddImage(HOST_RESOURCE_PATTERNS, L"Mine", nullptr, image));
    EXPECT_TRUE(library.AddImage(HOST_RESOURCE_TEXTURES, L"Mine", L"tip", image));
    EXPECT_FALSE(library.AddImage(HOST_RESOURCE_TEXTURES, L"mine", L"tip", image));
    EXPECT_EQ(library.GetCount(HOST_RESOURCE_PATTERNS), 1);
    EXPECT_TRUE(library.Find(HOST_RESOURCE_PATTERNS, L"Mine")->image.SharesImageWith(image));

    // A renderer over this library finds only what it holds.
    CMaterialRenderer renderer(library);
    CComPtr<IMGLObject> pSettings;
    pSettings.Attach(new CMGLObject(7));
    CComPtr<IMGLValue> pName;
    pName.Attach(CMGLValue::MakeString(L"Rainbow"));
    CComPtr<IMGLProperty> pProperty;
    pProperty.Attach(new CMGLProperty(MGL_PROP_RESOURCE_NAME, pName));
    CErrorAutoThrow error;
    pSettings->SetProperty(error, pProperty);
    SGradientStops read;
    SGradientLayout layout;
    EXPECT_EQ(renderer.ReadGradient(pSettings, read, layout).GetError(), MIRN_ERR_NOT_FOUND);
}
