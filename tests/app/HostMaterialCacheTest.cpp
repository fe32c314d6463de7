#include "HostMaterialCache.h"

#include "MGLModel.h"
#include "MaterialRenderer.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{

// A colour image whose pixels come from the function.
CRowIteratorBands ColourImage(int nWidth, int nHeight, const std::function<COLORREF(int, int)>& pixel)
{
    CRowIteratorBands image;
    EXPECT_TRUE(image.CreateRGB(nWidth, nHeight));
    for (int y = 0; y < nHeight; ++y)
    {
        BYTE* pRow = image.GetRow(y);
        for (int x = 0; x < nWidth; ++x)
        {
            const COLORREF clrColor = pixel(x, y);
            pRow[3 * x] = GetBValue(clrColor);
            pRow[3 * x + 1] = GetGValue(clrColor);
            pRow[3 * x + 2] = GetRValue(clrColor);
        }
        image.ReleaseRow(y);
    }
    return image;
}

void SetProperty(IMGLObject* pObject, int nId, CMGLValue* pNewValue)
{
    CComPtr<IMGLValue> pValue;
    pValue.Attach(pNewValue);
    CComPtr<IMGLProperty> pProperty;
    pProperty.Attach(new CMGLProperty(nId, pValue));
    CErrorAutoThrow error;
    pObject->SetProperty(error, pProperty);
    ASSERT_TRUE(error.IsOk());
}

// Settings of a kind as the resources give them: cached under the name,
// which is also their resource name. An empty name gives settings that
// name nothing.
CComPtr<IMGLObject> Named(int nObjectKind, LPCWSTR pszName)
{
    CComPtr<IMGLObject> pSettings;
    if (nObjectKind == MGL_OBJECT_GRADIENT)
    {
        auto* pGradient = new CMGLGradient;
        pGradient->SetCachedName(pszName);
        pSettings.Attach(pGradient);
    }
    else
    {
        auto* pObject = new CMGLObject(nObjectKind);
        pObject->SetCachedName(pszName);
        pSettings.Attach(pObject);
    }
    if (pszName[0] != L'\0')
        SetProperty(pSettings, MGL_PROP_RESOURCE_NAME, CMGLValue::MakeString(pszName));
    return pSettings;
}

CComPtr<IMGLMaterial> Material(int nStyle, IMGLObject* pSettings, IMGLObject* pTexture = nullptr)
{
    CComPtr<IMGLMaterial> pMaterial;
    pMaterial.Attach(new CMGLMaterial);
    CErrorAutoThrow error;
    pMaterial->SetStyle(error, nStyle);
    pMaterial->SetSettings(error, pSettings);
    pMaterial->SetTexture(error, pTexture);
    return pMaterial;
}

class HostMaterialCacheTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(
            m_source.AddGradient(L"Sunset", L"Red to blue",
                                 SGradientStops{{{0, 50, RGB(255, 0, 0)}, {100, 50, RGB(0, 0, 255)}}, {}}));
        // A green pattern and a 96 x 48 texture whose left half is red.
        ASSERT_TRUE(m_source.AddImage(HOST_RESOURCE_PATTERNS, L"Lawn", L"Green",
                                      ColourImage(4, 4, [](int, int) { return RGB(0, 160, 0); })));
        ASSERT_TRUE(m_source.AddImage(
            HOST_RESOURCE_TEXTURES, L"Halves", L"Red and blue",
            ColourImage(96, 48, [](int x, int) { return x < 48 ? RGB(255, 0, 0) : RGB(0, 0, 255); })));
    }

    CHostResourceLibrary m_source;
    CHostMaterialCache m_cache{m_source};
    CErrorAutoThrow m_error;
};

} // namespace

TEST_F(HostMaterialCacheTest, LoadsWhatAMaterialNamesOnceAndTheRendererDrawsFromIt)
{
    CComPtr<IMGLMaterial> pMaterial =
        Material(2, Named(MGL_OBJECT_PATTERN, L"Lawn"), Named(MGL_OBJECT_TEXTURE, L"Halves"));
    // Before caching, a renderer drawing from the cache finds nothing.
    CMaterialRenderer renderer(m_cache.Library());
    CRenderImage image;
    EXPECT_EQ(renderer.Render(pMaterial, 4, 4, image).GetError(), MIRN_ERR_NOT_FOUND);

    m_cache.CacheMaterial(m_error, pMaterial);
    EXPECT_TRUE(m_error.IsOk());
    EXPECT_TRUE(m_cache.IsCached(HOST_RESOURCE_PATTERNS, L"Lawn"));
    EXPECT_TRUE(m_cache.IsCached(HOST_RESOURCE_TEXTURES, L"halves"));
    EXPECT_FALSE(m_cache.IsCached(HOST_RESOURCE_GRADIENTS, L"Sunset"));
    EXPECT_EQ(m_cache.LoadCount(), 2);
    // The cached image is the library's, shared rather than copied.
    EXPECT_TRUE(m_cache.Library()
                    .Find(HOST_RESOURCE_PATTERNS, L"Lawn")
                    ->image.SharesImageWith(m_source.Find(HOST_RESOURCE_PATTERNS, L"Lawn")->image));
    // Without its texture the pattern draws its own green.
    EXPECT_TRUE(renderer.Render(Material(2, Named(MGL_OBJECT_PATTERN, L"Lawn")), 4, 4, image).IsOk());
    EXPECT_EQ(image.At(3, 3), 0xFF00A000u);

    // Again, and under another case: nothing is loaded twice.
    m_cache.CacheMaterial(m_error, Material(2, Named(MGL_OBJECT_PATTERN, L"LAWN")));
    EXPECT_TRUE(m_error.IsOk());
    EXPECT_EQ(m_cache.LoadCount(), 2);

    // A gradient named by its resource name only is found by that name.
    CComPtr<IMGLObject> pGradient = Named(MGL_OBJECT_GRADIENT, L"");
    SetProperty(pGradient, MGL_PROP_RESOURCE_NAME, CMGLValue::MakeString(L"Sunset"));
    m_cache.CacheMaterial(m_error, Material(4, pGradient));
    EXPECT_TRUE(m_error.IsOk());
    ASSERT_TRUE(m_cache.IsCached(HOST_RESOURCE_GRADIENTS, L"Sunset"));
    EXPECT_EQ(m_cache.Library().Find(HOST_RESOURCE_GRADIENTS, L"Sunset")->stops.colors.size(), 2u);

    // The renderer now draws the gradient: red on the left edge, blue on
    // the right.
    ASSERT_TRUE(renderer.Render(Material(4, pGradient), 5, 1, image).IsOk());
    EXPECT_EQ(image.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(image.At(4, 0), 0xFF0000FFu);
}

TEST_F(HostMaterialCacheTest, ContentOfTheSettingsOwnNeedsNoLoading)
{
    // Unsaved gradient stops and a pattern image from a document.
    auto* pOwnStops = new CMGLGradient;
    CComPtr<IMGLObject> pGradient;
    pGradient.Attach(pOwnStops);
    pOwnStops->AddColorStop(m_error, 0, 50, RGB(1, 2, 3));
    ASSERT_TRUE(m_error.IsOk());
    m_cache.CacheMaterial(m_error, Material(4, pGradient));
    EXPECT_TRUE(m_error.IsOk());

    CComPtr<IMGLObject> pPattern = Named(MGL_OBJECT_PATTERN, L"");
    SetProperty(pPattern, MGL_PROP_IMAGE,
                CMGLValue::MakeImage(ColourImage(2, 2, [](int, int) { return 0; })));
    m_cache.CacheMaterial(m_error, Material(2, pPattern));
    EXPECT_TRUE(m_error.IsOk());

    // A solid colour names nothing either.
    m_cache.CacheMaterial(m_error, Material(1, nullptr));
    EXPECT_TRUE(m_error.IsOk());
    EXPECT_EQ(m_cache.LoadCount(), 0);
}

TEST_F(HostMaterialCacheTest, BadMaterialsGiveErrorsAndLoadWhatTheyCan)
{
    m_cache.CacheMaterial(m_error, nullptr);
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_INVALID_ARG);

    // A pattern nobody has, with a texture that exists: 110, texture loaded.
    m_cache.CacheMaterial(
        m_error, Material(2, Named(MGL_OBJECT_PATTERN, L"Moss"), Named(MGL_OBJECT_TEXTURE, L"Halves")));
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_NOT_FOUND);
    EXPECT_FALSE(m_cache.IsCached(HOST_RESOURCE_PATTERNS, L"Moss"));
    EXPECT_TRUE(m_cache.IsCached(HOST_RESOURCE_TEXTURES, L"Halves"));

    // A gradient name is not looked for among the patterns.
    m_cache.CacheMaterial(m_error, Material(2, Named(MGL_OBJECT_PATTERN, L"Sunset")));
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_NOT_FOUND);

    // Settings that neither carry content nor name any, and a gradient
    // material without settings.
    m_cache.CacheMaterial(m_error, Material(2, Named(MGL_OBJECT_PATTERN, L"")));
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_INVALID_ARG);
    m_cache.CacheMaterial(m_error, Material(4, nullptr));
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(m_cache.LoadCount(), 1);
}

TEST_F(HostMaterialCacheTest, ATextureShownAsAStyleIsLoadedFromTheTextures)
{
    // Given as the material's texture only.
    m_cache.CacheMaterial(m_error, Material(64, nullptr, Named(MGL_OBJECT_TEXTURE, L"Halves")));
    EXPECT_TRUE(m_error.IsOk());
    EXPECT_TRUE(m_cache.IsCached(HOST_RESOURCE_TEXTURES, L"Halves"));
    EXPECT_EQ(m_cache.LoadCount(), 1);
}

TEST(HostMaterialCacheThumbnail, ScalesDownToTheBoxAveragingWhatEachPixelCovers)
{
    // 96 x 48, left half red: 48 x 24, each thumbnail pixel two source
    // pixels wide, so the halves stay pure.
    CRenderImage halves;
    ASSERT_TRUE(halves.Create(96, 48));
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 96; ++x)
            halves.Set(x, y, x < 48 ? 0xFFFF0000u : 0xFF0000FFu);
    CRenderImage thumbnail = CHostMaterialCache::MakeThumbnail(halves);
    ASSERT_EQ(thumbnail.Width(), 48);
    ASSERT_EQ(thumbnail.Height(), 24);
    EXPECT_EQ(thumbnail.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(thumbnail.At(23, 23), 0xFFFF0000u);
    EXPECT_EQ(thumbnail.At(24, 0), 0xFF0000FFu);
    EXPECT_EQ(thumbnail.At(47, 23), 0xFF0000FFu);

    // A one-pixel checker of black and white halves to 2 x 2 blocks of two
    // of each: (0 + 0 + 255 + 255) / 4 = 127.5, rounded up to 128.
    CRenderImage checker;
    ASSERT_TRUE(checker.Create(96, 96));
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x)
            checker.Set(x, y, (x + y) % 2 == 0 ? 0xFF000000u : 0xFFFFFFFFu);
    thumbnail = CHostMaterialCache::MakeThumbnail(checker);
    ASSERT_EQ(thumbnail.Width(), 48);
    ASSERT_EQ(thumbnail.Height(), 48);
    EXPECT_EQ(thumbnail.At(0, 0), 0xFF808080u);
    EXPECT_EQ(thumbnail.At(47, 47), 0xFF808080u);

    // Proportions: 50 x 100 gives 24 x 48; 1000 x 10 keeps a row.
    CRenderImage tall;
    ASSERT_TRUE(tall.Create(50, 100));
    thumbnail = CHostMaterialCache::MakeThumbnail(tall);
    EXPECT_EQ(thumbnail.Width(), 24);
    EXPECT_EQ(thumbnail.Height(), 48);
    CRenderImage strip;
    ASSERT_TRUE(strip.Create(1000, 10));
    thumbnail = CHostMaterialCache::MakeThumbnail(strip);
    EXPECT_EQ(thumbnail.Width(), 48);
    EXPECT_EQ(thumbnail.Height(), 1);

    // An image that fits is kept as it is; nothing gives nothing.
    CRenderImage small;
    ASSERT_TRUE(small.Create(10, 5));
    small.Set(9, 4, 0xFF123456u);
    thumbnail = CHostMaterialCache::MakeThumbnail(small);
    EXPECT_EQ(thumbnail.Width(), 10);
    EXPECT_EQ(thumbnail.At(9, 4), 0xFF123456u);
    EXPECT_TRUE(CHostMaterialCache::MakeThumbnail(CRenderImage()).IsEmpty());
}

TEST_F(HostMaterialCacheTest, KeepsThumbnailsOfPatternsAndTextures)
{
    m_cache.CacheThumbnail(m_error, Named(MGL_OBJECT_TEXTURE, L"Halves"));
    EXPECT_TRUE(m_error.IsOk());
    const CRenderImage* pThumbnail = m_cache.Thumbnail(HOST_RESOURCE_TEXTURES, L"HALVES");
    ASSERT_NE(pThumbnail, nullptr);
    EXPECT_EQ(pThumbnail->Width(), 48);
    EXPECT_EQ(pThumbnail->Height(), 24);
    EXPECT_EQ(pThumbnail->At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(pThumbnail->At(47, 0), 0xFF0000FFu);
    // Making the thumbnail loaded the texture for drawing too.
    EXPECT_TRUE(m_cache.IsCached(HOST_RESOURCE_TEXTURES, L"Halves"));

    // A document's own image, kept under the settings' resource name.
    CComPtr<IMGLObject> pPattern = Named(MGL_OBJECT_PATTERN, L"");
    SetProperty(pPattern, MGL_PROP_RESOURCE_NAME, CMGLValue::MakeString(L"Snapshot"));
    SetProperty(pPattern, MGL_PROP_IMAGE,
                CMGLValue::MakeImage(ColourImage(3, 2, [](int, int) { return RGB(9, 8, 7); })));
    m_cache.CacheThumbnail(m_error, pPattern);
    EXPECT_TRUE(m_error.IsOk());
    pThumbnail = m_cache.Thumbnail(HOST_RESOURCE_PATTERNS, L"Snapshot");
    ASSERT_NE(pThumbnail, nullptr);
    EXPECT_EQ(pThumbnail->At(2, 1), 0xFF090807u);
    EXPECT_EQ(m_cache.Thumbnail(HOST_RESOURCE_TEXTURES, L"Snapshot"), nullptr);
}

TEST_F(HostMaterialCacheTest, ThumbnailsOfBadSettingsAreRefused)
{
    m_cache.CacheThumbnail(m_error, nullptr);
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_INVALID_ARG);
    // Gradients have no thumbnails here.
    m_cache.CacheThumbnail(m_error, Named(MGL_OBJECT_GRADIENT, L"Sunset"));
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_INVALID_ARG);
    m_cache.CacheThumbnail(m_error, Named(MGL_OBJECT_PATTERN, L"Moss"));
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_NOT_FOUND);
    EXPECT_EQ(m_cache.Thumbnail(HOST_RESOURCE_PATTERNS, L"Moss"), nullptr);
    // An image with no name to keep it under.
    CComPtr<IMGLObject> pPattern = Named(MGL_OBJECT_PATTERN, L"");
    SetProperty(pPattern, MGL_PROP_IMAGE,
                CMGLValue::MakeImage(ColourImage(2, 2, [](int, int) { return 0; })));
    m_cache.CacheThumbnail(m_error, pPattern);
    EXPECT_EQ(m_error.GetError(), MIRN_ERR_INVALID_ARG);
}
